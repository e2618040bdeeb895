// The IEC 60063 series E3 to E192 as list texts, for --series.
#pragma once

#include <cstddef>

// The range ends a series is written between: they keep every written value
// within a few dozen characters; a list past them is refused by its length anyway.
constexpr double SERIES_LOWEST = 0.01;
constexpr double SERIES_HIGHEST = 1e12;

// Writes the values of the series named by name ("E3" ... "E192") whose text
// the list parser reads within from..to ohms (both included, each within
// SERIES_LOWEST..SERIES_HIGHEST) into list, one value a line with CR LF,
// written as the default lists are ("10.2k", "1.02M"). Returns the number of
// values, 0 for an unknown name or an empty range, -1 for more than maxValues.
int WriteSeriesList(const char* name, double from, double to, int maxValues, char* list, std::size_t size);

// The three-digit values of one decade of the series: count values, or
// nullptr for an unknown name. *step tells how far apart they stand in the
// decade table that holds them (E24 for E3..E24, E192 for E48..E192).
const short* SeriesDecade(const char* name, int* count, int* step);
