// Bounds on the Rb values that the acceptance test can let through for one Ra
// and one Rf. SearchCombinations uses them to skip evaluations when the
// pre-filter window is wide (at its cap of 1.02 it passes every pair up to
// twice its target, and most of those candidates are then rejected). The
// bounds come from the exact circuit algebra, widened far beyond any rounding
// of ExamineCandidate; candidates inside them are still evaluated by it.
#pragma once

#include "engine/search_params.h"

// Resistances and voltages within this magnitude keep every intermediate of the
// evaluation a normal double, which the rounding margin below relies on.
constexpr double BOUNDED_MAGNITUDE_MIN = 1e-100;
constexpr double BOUNDED_MAGNITUDE_MAX = 1e100;

// With known set, a candidate whose Rb lies within BOUNDED_MAGNITUDE_MIN ..
// BOUNDED_MAGNITUDE_MAX but outside lo .. hi is rejected by the acceptance test.
// Without it nothing may be skipped.
struct RbBounds {
    double lo;
    double hi;
    bool known;
};

RbBounds AcceptableRb(const SearchParams& params, double ra, double rf);

// The same for the Rf of one Ra, over every Rb: with known set, an Rf within
// BOUNDED_MAGNITUDE_MIN .. BOUNDED_MAGNITUDE_MAX but outside lo .. hi makes
// every candidate of this Ra and Rf fail the acceptance test.
using RfBounds = RbBounds;
RfBounds AcceptableRf(const SearchParams& params, double ra);
