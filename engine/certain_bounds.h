// The Rb values that the acceptance test surely lets through, for one Ra and
// one Rf: the complete search counts the candidates there without evaluating
// each, since a ratiometric design accepts billions of them. The inner bound
// mirrors AcceptableRb's outer one, narrowed by the same rounding slack.
#pragma once

#include "engine/acceptance_bounds.h"

// What CertainRb needs of the parameters, worked out once per search: the
// complete search asks for millions of Ra and Rf pairs.
struct SureRbModel {
    bool applies;     // the parameters allow the bound at all
    double tolerance; // precision * voMax, less the relative slack
    double vref, absVref, absVoMin, voMax, viMax;
    double vi[2], vo[2];
    double up[2], down[2]; // each vi widened by the slack, both ways
};

SureRbModel BuildSureRbModel(const SearchParams& params);

// With known set, every candidate whose Rb lies within lo .. hi (and within
// BOUNDED_MAGNITUDE_MIN .. BOUNDED_MAGNITUDE_MAX) passes the acceptance test.
RbBounds CertainRb(const SureRbModel& model, double ra, double rf);
RbBounds CertainRb(const SearchParams& params, double ra, double rf);
