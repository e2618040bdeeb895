// Ordering of the matches, the report text in SLOT_RESULT and the status in SLOT_STATUS.
#pragma once

#include <cstddef>

#include "engine/combination_search.h"

// qsort-style ordering: more DNM positions first, then smaller worst error,
// then the six names in stored order (byte values).
int CompareMatches(const void* a, const void* b);

// The value to hand to printf so that a NaN prints as "nan" on every runtime.
double Printable(double value);

// Formats one record into line (size bytes). The line always ends with CR LF,
// also when the full text would not fit and had to be cut. Returns its length.
std::size_t FormatMatchLine(const MatchRecord& record, char* line, std::size_t size);

// Prints MatchTable[0 .. count) as they stand into SLOT_RESULT, one line each,
// while REPORT_BUDGET characters last. Returns the number of lines printed.
int WriteReportLines(int count);

// Sorts MatchTable[0 .. Settings[SETTING_MATCH_COUNT]), writes the report into SLOT_RESULT, shows it
// through showResultText (the ShowResultTextFn given to RunSearch) and writes the
// status into SLOT_STATUS.
void FormatReport(void (*showResultText)());
