// --from and --to: the range of values the search may take from the chosen
// list (a built-in or editable list, a --list-file or a --series). Every value
// is read by the engine's own list parser, so a line is within the range exactly
// when the search would read it as a value within the range.
#pragma once

#include <cstddef>

#include "cli/options.h"

struct ListRange {
    const char* fromText; // as typed; nullptr when not given
    const char* toText;
    double from; // ohms, both included; 0 and +inf when not given
    double to;
};

// Reads the bounds as list values. False (message in error) for a bound that
// is no number of 0 ohms or more.
bool ReadListRange(const char* fromText, const char* toText, ListRange* range, char* error,
                   std::size_t errorSize);

// Copies the lines of text that the list parser reads as values within the
// range into out (size bytes), each with its own line end, up to the line that
// ends the list ("-"), after which nothing is taken. Blank lines go; a negative
// value stays, so the run still reports the broken list. Returns the number of
// values within the range.
int NarrowListText(const char* text, const ListRange& range, char* out, std::size_t size);

// Applies --series (with --from and --to, defaults 10 and 1M) or narrows the
// chosen list to --from and --to. False (message on stderr) for a bad series
// or bound and for a range that leaves no value.
bool ApplyListRange(const CliOptions& options);

// Puts back the chosen list as it was before it was narrowed, so --save keeps
// the user's list whole; a --series list is kept as written.
void RestoreListBeforeRange();
