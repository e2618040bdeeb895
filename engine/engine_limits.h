// Sizes and constants of the search engine, each defined once with its reason.
#pragma once

#include <cstddef>

#include "state/limits.h"

// 500 stock values and the DNM sentinel; a longer list is cut, not rejected.
constexpr int PARTS_CAPACITY = 501;
// A part's label: 23 bytes of its line and the NUL.
constexpr std::size_t PART_NAME_SIZE = 24;
// The value of the open-circuit sentinel, and the conductance given to a part
// of 0 ohms (so that a 0-ohm part dominates any parallel pair).
constexpr double DNM_VALUE = 9e+100;
// The search stops once this many combinations are stored.
constexpr int MATCH_LIMIT = 1000;
// One report line: at most 199 characters and the NUL.
constexpr std::size_t REPORT_LINE_SIZE = 200;
// Characters of report text that the result slot accepts; it leaves room for the
// NUL and is also the longest text the settings file carries unchanged.
constexpr int REPORT_BUDGET = 32758;
// The range-error status is formatted into a buffer of this size.
constexpr std::size_t RANGE_ERROR_SIZE = 200;
// The pre-filter window is 15 times the precision, but never above 1.02
// (which a typed precision of 6.8 % reaches).
constexpr double PREFILTER_WINDOW_FACTOR = 15.0;
constexpr double PREFILTER_WINDOW_MAX = 1.02;

static_assert(REPORT_BUDGET + 2 <= static_cast<int>(TEXT_SLOT_SIZE),
              "the report budget leaves room for the NUL of the result slot");
static_assert(REPORT_LINE_SIZE < TEXT_SLOT_SIZE, "a report line fits the result slot");
