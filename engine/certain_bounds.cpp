// Inner acceptance bounds on Rb. With a = Rf / Ra and b = Rf / Rb the output
// error at each end, times voMax, is vi * b + c (c fixed by Ra and Rf), and the
// evaluation computes it to within a few dozen ulps of the terms it sums. Asking
// for the error to stay below the precision by a slack a million times larger
// than that rounding makes every candidate inside surely accepted; the bounds on
// b are then narrowed again for the rounding of this arithmetic itself.
#include "engine/certain_bounds.h"

#include <algorithm>
#include <cmath>

namespace {

// Relative slack for the rounding of the evaluation, as in AcceptableRb.
const double EVAL_SLACK = 1e-9;
// Relative narrowing for the rounding of the bounds themselves.
const double BOUND_PAD = 1e-12;
// Both ends must bound b well: an input voltage this much smaller than Vi(max)
// gives no usable bound.
const double VI_MIN_FRACTION = 1e-6;

bool Moderate(double v) {
    return std::fabs(v) <= BOUNDED_MAGNITUDE_MAX;
}
bool InRange(double r) {
    return r >= BOUNDED_MAGNITUDE_MIN && r <= BOUNDED_MAGNITUDE_MAX;
}

bool ParamsApply(const SearchParams& p) {
    return p.precision >= 0 && Moderate(p.precision) && Moderate(p.voMin) && Moderate(p.vref) &&
           InRange(p.voMax) && InRange(p.viMax) && p.viMin >= VI_MIN_FRACTION * p.viMax && p.viMin <= p.viMax;
}

} // namespace

SureRbModel BuildSureRbModel(const SearchParams& p) {
    SureRbModel m{};
    m.applies = ParamsApply(p);
    m.tolerance = p.precision * p.voMax * (1 - EVAL_SLACK);
    m.vref = p.vref;
    m.absVref = std::fabs(p.vref);
    m.absVoMin = std::fabs(p.voMin);
    m.voMax = p.voMax;
    m.viMax = p.viMax;
    m.vi[0] = p.viMin, m.vi[1] = p.viMax;
    m.vo[0] = p.voMin, m.vo[1] = p.voMax;
    for (int end = 0; end < 2; ++end) {
        m.up[end] = m.vi[end] + EVAL_SLACK * p.viMax;
        m.down[end] = m.vi[end] - EVAL_SLACK * p.viMax;
    }
    return m;
}

RbBounds CertainRb(const SureRbModel& m, double ra, double rf) {
    const RbBounds none{1, 0, false};
    if (!m.applies || !InRange(ra) || !InRange(rf)) return none;
    double a = rf / ra;
    // Every term the evaluation adds, at b = 0; the slack grows with b as V * b.
    double m0 = (1 + a) * m.viMax + m.absVref * a + m.absVoMin + m.voMax;
    double t = m.tolerance - EVAL_SLACK * m0;
    if (!(t > 0)) return none;
    double bLo = 0;
    double bHi = HUGE_VAL;
    for (int end = 0; end < 2; ++end) {
        // |vi * b + c| <= t - slack * V * b at this end.
        double c = (1 + a) * m.vi[end] - m.vref * a - m.vo[end];
        double pad = BOUND_PAD * (t + m0) / m.vi[end];
        bHi = std::min(bHi, (t - c) / m.up[end] - pad);
        bLo = std::max(bLo, -(t + c) / m.down[end] + pad);
    }
    if (!(bHi > 0) || !(bLo < bHi)) return none;
    double lo = rf / bHi * (1 + BOUND_PAD);
    double hi = bLo > 0 ? rf / bLo * (1 - BOUND_PAD) : HUGE_VAL;
    return RbBounds{lo, hi, lo <= hi};
}

RbBounds CertainRb(const SearchParams& p, double ra, double rf) {
    return CertainRb(BuildSureRbModel(p), ra, rf);
}
