// Bounds on the Rf and Rb values that the acceptance test can let through.
// SearchCombinations builds the model once per search and narrows, per Ra pair,
// the Rf pairs and, per Ra and Rf pair, the Rb pairs to these bounds. They are
// what keeps the search short when the pre-filters pass everything (infinite
// or NaN design targets, a window at its cap): the acceptance test depends only
// on the parameters and the three resistances, which stay finite. The bounds
// come from the exact circuit algebra, widened far beyond any rounding of
// ExamineCandidate; every candidate inside them is still evaluated by it.
#pragma once

#include "engine/search_params.h"

// Resistances and voltages within this magnitude keep every intermediate of the
// evaluation finite and normal (or harmlessly tiny), which the rounding margin
// below relies on; pairs outside it are never skipped by the bounds. The low
// end takes in the pairs of a 0-ohm part (whose conductance is DNM_VALUE, 9e100):
// 1 / (2 * 9e100) is about 5.6e-102.
constexpr double BOUNDED_MAGNITUDE_MIN = 5e-102;
constexpr double BOUNDED_MAGNITUDE_MAX = 1e100;

// cb * b + ca * a + c0 <= 0 over a = Rf / Ra and b = Rf / Rb: one side of the
// error band at one end of the input range, already widened for rounding.
struct BoundConstraint {
    double cb;
    double ca;
    double c0;
};

// What the acceptance test asks of (a, b), for parameters where that can be
// proven; with known clear nothing may be skipped. Voltages are scaled by one
// power of two, so output voltages up to the largest double stay finite in the
// bounds' arithmetic. aLo .. aHi is the range of a over every b that meets the
// constraints (empty when aLo > aHi).
// Two half-planes per end and three limits against overflow: ten; a constant
// end that fails adds one, but then the other end has at most five.
constexpr int MODEL_CONSTRAINTS = 10;

struct AcceptanceModel {
    bool known;
    int count;
    BoundConstraint constraints[MODEL_CONSTRAINTS];
    double aLo;
    double aHi;
    double bLo, bHi;         // a and b are ratios of two pairs: within bLo .. bHi
    double pairMin, pairMax; // 0 when the list's pairs are not known
};

// pairMin .. pairMax, when positive and finite, hold every resistance a pair
// of the search can have; they limit a and b to the ratios of two such pairs.
AcceptanceModel BuildAcceptanceModel(const SearchParams& params, double pairMin, double pairMax);

// With known set, a candidate whose resistances all lie within
// BOUNDED_MAGNITUDE_MIN .. BOUNDED_MAGNITUDE_MAX but whose Rb (or Rf) lies
// outside lo .. hi is rejected by the acceptance test.
struct RbBounds {
    double lo;
    double hi;
    bool known;
};

RbBounds AcceptableRb(const AcceptanceModel& model, double ra, double rf);

// The same for the Rf of one Ra, over every Rb of the bounded magnitudes.
using RfBounds = RbBounds;
RfBounds AcceptableRf(const AcceptanceModel& model, double ra);
// The same over the Rb values rbMin .. rbMax (within the list's pairs) alone:
// those that pass the pre-filter for this Ra; also within ReachableRf's bounds,
// which take in Rb / Ra ratios too far apart for the projection.
RfBounds AcceptableRf(const AcceptanceModel& model, double ra, double rbMin, double rbMax);
// Bounds for the same, as tight where one end's band decides alone and wider
// where several constraints meet, far cheaper to work out; rbMax may be infinite.
RfBounds ReachableRf(const AcceptanceModel& model, double ra, double rbMin, double rbMax);
