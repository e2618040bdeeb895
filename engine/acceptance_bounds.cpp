// The Rb values that can pass the acceptance test, from the algebra of the
// evaluation: with a = Rf / Ra and b = Rf / Rb, the gain is 1 + a + b and the
// offset Vref * a, so each output error is linear in b. Bounds on b are widened
// by a slack a million times the largest rounding error of the evaluation (a few
// dozen ulps of the terms it sums), so no candidate that ExamineCandidate would
// accept falls outside them; they are given only for finite, well-scaled inputs.
#include "engine/acceptance_bounds.h"

#include <cmath>
#include <limits>

namespace {

const double INF = std::numeric_limits<double>::infinity();
// Relative slack for the rounding of the evaluation (its error is below 1e-14).
const double EVAL_SLACK = 1e-9;
// Extra relative widening for the rounding of the bounds themselves.
const double BOUND_PAD = 1e-12;
// An input voltage this much smaller than Vi(max) gives no useful bound on b.
const double VI_MIN_FRACTION = 1e-6;

bool Bounded(double v) {
    return std::fabs(v) <= BOUNDED_MAGNITUDE_MAX;
}
bool InRange(double r) {
    return r >= BOUNDED_MAGNITUDE_MIN && r <= BOUNDED_MAGNITUDE_MAX;
}

bool BoundsApply(const SearchParams& p, double ra, double rf) {
    return p.precision >= 0 && Bounded(p.precision) && Bounded(p.viMin) && Bounded(p.voMin) &&
           Bounded(p.vref) && InRange(p.voMax) && InRange(p.viMax) && p.viMin >= 0 && p.viMin <= p.viMax &&
           InRange(ra) && InRange(rf);
}

} // namespace

RbBounds AcceptableRb(const SearchParams& p, double ra, double rf) {
    if (!BoundsApply(p, ra, rf)) return RbBounds{-INF, INF, false};
    double a = rf / ra;
    double v = p.viMax;
    // Every term the evaluation adds, at b = 0; the slack grows with b as V * b.
    double m0 = (1 + a) * v + std::fabs(p.vref) * a + std::fabs(p.voMin) + p.voMax;
    double t = p.precision * p.voMax * (1 + EVAL_SLACK) + EVAL_SLACK * m0;
    double bLo = 0;
    double bHi = INF;
    const double vi[] = {p.viMin, p.viMax};
    const double vo[] = {p.voMin, p.voMax};
    for (int end = 0; end < 2; ++end) {
        if (vi[end] < VI_MIN_FRACTION * v) continue;
        // Output error at this end, times voMax: vi * b + c, within t + slack * V * b.
        double c = (1 + a) * vi[end] - p.vref * a - vo[end];
        double pad = BOUND_PAD * (t + m0) / vi[end];
        bHi = std::fmin(bHi, (t - c) / (vi[end] - EVAL_SLACK * v) + pad);
        bLo = std::fmax(bLo, -(t + c) / (vi[end] + EVAL_SLACK * v) - pad);
    }
    if (!(bHi > 0) || bHi < bLo) return RbBounds{INF, -INF, true}; // b = Rf / Rb > 0 cannot fit
    double lo = rf / bHi * (1 - BOUND_PAD);
    double hi = bLo > 0 ? rf / bLo * (1 + BOUND_PAD) : INF;
    return RbBounds{lo, hi, true};
}

RfBounds AcceptableRf(const SearchParams&, double) {
    // Not bounded yet: every Rf may pass.
    return RfBounds{-INF, INF, false};
}
