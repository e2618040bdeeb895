// The Rb values that the acceptance test surely lets through, for one Ra and
// one Rf: the complete search counts the candidates there without evaluating
// each, since a ratiometric design accepts billions of them. The inner bound
// mirrors AcceptableRb's outer one, narrowed by the same rounding slack.
#pragma once

#include "engine/acceptance_bounds.h"

// With known set, every candidate whose Rb lies within lo .. hi (and within
// BOUNDED_MAGNITUDE_MIN .. BOUNDED_MAGNITUDE_MAX) passes the acceptance test.
RbBounds CertainRb(const SearchParams& params, double ra, double rf);
