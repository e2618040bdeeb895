// The Rf and Rb values that can pass the acceptance test, from the algebra of
// the evaluation: with a = Rf / Ra and b = Rf / Rb, the output at an input vi
// is vi * (1 + a + b) - vref * a, so each end's error is linear in (a, b) and
// the acceptance test is four half-planes. Each is widened by a slack a million
// times the largest rounding error of the evaluation, and every step of the
// bounds' own arithmetic is loosened by the magnitude of its terms, so no
// candidate that ExamineCandidate would accept falls outside them.
#include "engine/acceptance_bounds.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

const double INF = std::numeric_limits<double>::infinity();
// Relative slack for the rounding of the evaluation (its error is below 1e-14).
const double EVAL_SLACK = 1e-9;
// Relative loosening of each step of the bounds' own arithmetic (a few ulps).
const double BOUND_PAD = 1e-12;
// Absolute floors: on the worst error (a fraction) and on an output in volts.
// They cover the underflow of the offset product, the one term that can lose
// its relative precision within the bounded magnitudes.
const double ERROR_FLOOR = 1e-200;
const double VOLT_FLOOR = 1e-300;
// A precision above this accepts nearly everything; nothing is bounded.
const double PRECISION_MAX = 1e100;

bool WellScaled(double v) {
    double m = std::fabs(v);
    return v == 0 || (m >= BOUNDED_MAGNITUDE_MIN && m <= BOUNDED_MAGNITUDE_MAX);
}

bool InRange(double r) {
    return r >= BOUNDED_MAGNITUDE_MIN && r <= BOUNDED_MAGNITUDE_MAX;
}

// |vi * (1 + a + b) - vref * a - vo| <= tolerance as two constraints, each
// widened by EVAL_SLACK times the magnitude of every term.
void AddEnd(AcceptanceModel& m, double vi, double vo, double vref, double tolerance) {
    for (double s : {1.0, -1.0}) {
        BoundConstraint& c = m.constraints[m.count++];
        c.cb = s * vi - EVAL_SLACK * std::fabs(vi);
        c.ca = s * (vi - vref) - EVAL_SLACK * (std::fabs(vi) + std::fabs(vref));
        c.c0 = s * (vi - vo) - EVAL_SLACK * (std::fabs(vi) + std::fabs(vo)) - tolerance;
    }
}

// x - pad * magnitude: the loosened value of a sum whose terms had that magnitude.
double Loosened(double x, double magnitude) {
    return x - BOUND_PAD * magnitude;
}

// Applies alpha * a + beta <= 0 (both already loosened) to lo .. hi.
void ApplyToA(double alpha, double beta, double& lo, double& hi) {
    if (alpha > 0) {
        double v = -beta / alpha;
        hi = std::min(hi, v + BOUND_PAD * std::fabs(v));
    } else if (alpha < 0) {
        double v = -beta / alpha;
        lo = std::max(lo, v - BOUND_PAD * std::fabs(v));
    } else if (beta > 0) {
        lo = INF;
        hi = -INF;
    }
}

// The range of a over which some b > 0 meets every constraint: b is
// eliminated by pairing each lower bound on b with each upper bound
// (b >= 0 counts as a lower bound).
void ProjectOntoA(AcceptanceModel& m) {
    double lo = 0, hi = INF;
    BoundConstraint all[5];
    std::copy(m.constraints, m.constraints + m.count, all);
    all[m.count] = BoundConstraint{-1, 0, 0};
    int n = m.count + 1;
    for (int l = 0; l < n; ++l) {
        const BoundConstraint& cl = all[l];
        if (cl.cb == 0) ApplyToA(Loosened(cl.ca, 0), Loosened(cl.c0, 0), lo, hi);
        if (!(cl.cb < 0)) continue;
        for (int u = 0; u < n; ++u) {
            const BoundConstraint& cu = all[u];
            if (!(cu.cb > 0)) continue;
            double alpha = cu.cb * cl.ca - cl.cb * cu.ca;
            double beta = cu.cb * cl.c0 - cl.cb * cu.c0;
            ApplyToA(Loosened(alpha, std::fabs(cu.cb * cl.ca) + std::fabs(cl.cb * cu.ca)),
                     Loosened(beta, std::fabs(cu.cb * cl.c0) + std::fabs(cl.cb * cu.c0)), lo, hi);
        }
    }
    m.aLo = lo;
    m.aHi = hi;
}

} // namespace

// Known only where the evaluation of bounded resistances cannot give NaN: every
// voltage finite and well scaled, a precision that is a number below
// PRECISION_MAX. A negative precision accepts nothing (it is held to -1 so the
// arithmetic stays finite). With Vo(max) = 0 both errors divide by zero and a
// candidate passes only as NaN, when its output at Vi(max) is exactly 0.
AcceptanceModel BuildAcceptanceModel(const SearchParams& p) {
    AcceptanceModel m{};
    bool scaled = WellScaled(p.viMin) && WellScaled(p.viMax) && WellScaled(p.voMin) && WellScaled(p.voMax) &&
                  WellScaled(p.vref);
    if (!scaled || std::isnan(p.precision) || p.precision > PRECISION_MAX) return m;
    double precision = std::max(p.precision, -1.0);
    double voMax = std::fabs(p.voMax);
    double tolerance = voMax * (precision + EVAL_SLACK * std::fabs(precision) + ERROR_FLOOR) + VOLT_FLOOR;
    if (p.voMax != 0) AddEnd(m, p.viMin, p.voMin, p.vref, tolerance);
    AddEnd(m, p.viMax, p.voMax, p.vref, tolerance);
    ProjectOntoA(m);
    m.known = true;
    return m;
}

RbBounds AcceptableRb(const AcceptanceModel& m, double ra, double rf) {
    if (!m.known || !InRange(ra) || !InRange(rf)) return RbBounds{-INF, INF, false};
    double a = rf / ra;
    double bLo = 0, bHi = INF;
    for (int k = 0; k < m.count; ++k) {
        const BoundConstraint& c = m.constraints[k];
        double t = c.ca * a;
        double q = Loosened(t + c.c0, std::fabs(t) + std::fabs(c.c0)); // cb * b + q <= 0
        if (c.cb == 0) {
            if (q > 0) bHi = -INF;
            continue;
        }
        double v = -q / c.cb;
        if (c.cb > 0)
            bHi = std::min(bHi, v + BOUND_PAD * std::fabs(v));
        else
            bLo = std::max(bLo, v - BOUND_PAD * std::fabs(v));
    }
    if (!(bHi > 0) || bHi < bLo) return RbBounds{INF, -INF, true}; // b = Rf / Rb > 0 cannot fit
    double lo = rf / bHi * (1 - BOUND_PAD);
    double hi = bLo > 0 ? rf / bLo * (1 + BOUND_PAD) : INF;
    return RbBounds{lo, hi, true};
}

RfBounds AcceptableRf(const AcceptanceModel& m, double ra) {
    if (!m.known || !InRange(ra)) return RfBounds{-INF, INF, false};
    if (!(m.aLo <= m.aHi)) return RfBounds{INF, -INF, true};
    return RfBounds{m.aLo * ra * (1 - BOUND_PAD), m.aHi * ra * (1 + BOUND_PAD), true};
}
