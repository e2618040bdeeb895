// The IEC 60063 E48, E96 and E192 series as list texts, for --series.
#pragma once

#include <cstddef>

// Writes the series named by name ("E48", "E96", "E192") from fromText to
// toText (typed as list values, "10", "1M", both included) into list, one value
// a line with CR LF, written as the default lists are ("10.2k", "1.02M").
// Returns false with a message in error for an unknown series, a bad range or
// more than maxValues values.
bool WriteSeriesList(const char* name, const char* fromText, const char* toText, int maxValues, char* list,
                     std::size_t size, char* error, std::size_t errorSize);

// The three-digit values of one decade of the series: count values (48, 96 or
// 192), or nullptr for an unknown name. *step tells how far apart they stand
// in the E192 table, which holds all three.
const short* SeriesDecade(const char* name, int* count, int* step);
