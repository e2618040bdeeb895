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
// Absolute floor on an output error, in scaled volts. It covers every
// underflow: of the offset product and the error quotients in the evaluation
// (at most 5e-324 * 8e201 = 4e-122 once multiplied by the largest gain), and
// of the scaled terms and their products in the bounds' arithmetic.
const double VOLT_FLOOR = 1e-120;
// A precision above this accepts nearly everything; nothing is bounded.
const double PRECISION_MAX = 1e10;
// Voltages are scaled by a power of two (exactly; the constraints are
// homogeneous) to at most 2^this, so that the products of two coefficients,
// one holding the tolerance, stay below 1e300.
const int SCALED_EXPONENT_MAX = 480;
// A scaled input voltage below this (and not 0) would make those products
// underflow below the floor.
const double SCALED_INPUT_MIN = 1e-170;
// The largest a or b over the bounded magnitudes: the ratio of their ends.
const double RATIO_MAX = BOUNDED_MAGNITUDE_MAX / BOUNDED_MAGNITUDE_MIN;

// Ratios Ra / pair outside 1e-50 .. 1e50 are not used as per-Ra limits.
const double RATIO_LIMIT_MIN = 1e-50;

// How one end's error behaves over the bounded resistances.
enum class EndKind {
    Linear,   // within the tolerance exactly when the half-planes of AddEnd hold
    Constant, // the same for every candidate (a non-finite input decides it)
    Ignored,  // cannot decide the outcome (the Vi(min) end when Vo(max) is 0)
    Unknown,  // none of these can be proven: nothing may be skipped
};

bool Bounded(double v) {
    return std::fabs(v) <= BOUNDED_MAGNITUDE_MAX;
}

bool InRange(double r) {
    return r >= BOUNDED_MAGNITUDE_MIN && r <= BOUNDED_MAGNITUDE_MAX;
}

// v moved outward by the rounding pad; infinities stay as they are.
double Widened(double v, double direction) {
    return std::isfinite(v) ? v + direction * BOUND_PAD * std::fabs(v) : v;
}

// x - pad * magnitude: the loosened value of a sum whose terms had that magnitude.
double Loosened(double x, double magnitude) {
    return x - BOUND_PAD * magnitude;
}

// The largest factors of a candidate's terms of the output, vi * g - Vref * a:
// its gain g = 1 + Rf / (Ra // Rb) and its a = Rf / Ra. Over the bounded
// magnitudes both stay below 2 * (1 + 2 * RATIO_MAX), about 8e201 (Ra // Rb
// is at least half the smaller of the two); over the list's pairs they are at most
// 1 + 2 * pairMax / pairMin, often far less. viFinite, vrefFinite: the term
// is known not to overflow for the candidates in question, whatever its factor;
// outFinite: nor does the output.
struct TermFactors {
    double vi;
    double vref;
    bool viFinite;
    bool vrefFinite;
    bool outFinite;
};

TermFactors ListFactors(bool listed, double pairMin, double pairMax) {
    double factor = listed ? 1 + 2 * Widened(pairMax / pairMin, 1) : 2 * (1 + 2 * RATIO_MAX);
    return TermFactors{factor, factor, false, false, false};
}

// Whether x and y are of opposite signs (neither 0 nor NaN).
bool OppositeSigns(double x, double y) {
    return (x < 0 && y > 0) || (x > 0 && y < 0);
}

// Two terms whose largest values sum to at most this give a finite output.
const double TERM_SUM_MAX = std::numeric_limits<double>::max() * (1 - 1e-6);

// Which terms keep one kind of value for every candidate: finite when the
// largest values of both give a finite output together; or when the term
// alone stays within half of that, or within all of it beside an infinite
// other term (an overflow of the output is then the infinity of the other
// term); NaN for a NaN voltage (which must not be tried as an infinity: that
// would make the end look variable).
struct FixedTerms {
    bool vi;
    bool vref;
};

// A term this small beside one of up to the largest double cannot round
// their sum up to an overflow.
const double TERM_BESIDE_MAX = 1e290;

FixedTerms WhichFixed(double vi, double vref, const TermFactors& factors) {
    double viTerm = std::fabs(vi) * factors.vi, vrefTerm = std::fabs(vref) * factors.vref;
    if (viTerm + vrefTerm <= TERM_SUM_MAX) return FixedTerms{true, true};
    bool viFinite = factors.viFinite || viTerm <= TERM_SUM_MAX;
    bool vrefFinite = factors.vrefFinite || vrefTerm <= TERM_SUM_MAX;
    // Terms of one sign (vi's and Vref's) cannot overflow in their difference,
    // nor can a finite term beside a tiny one.
    bool opposite = OppositeSigns(vi, vref);
    if (viFinite && vrefFinite &&
        (!opposite || factors.outFinite || std::fmin(viTerm, vrefTerm) <= TERM_BESIDE_MAX))
        return FixedTerms{true, true};
    auto fixed = [](double v, bool finite, double term, double other) {
        return std::isnan(v) || term <= TERM_SUM_MAX / 2 || (finite && std::isinf(other));
    };
    return FixedTerms{fixed(vi, viFinite, viTerm, vref), fixed(vref, vrefFinite, vrefTerm, vi)};
}

// The output vi * gain - vref * factor of a candidate cannot be NaN when one
// of its terms stays finite for every candidate or when the two have opposite
// signs, so they cannot overflow into inf - inf; an infinite output gives an
// infinite error, which is rejected. With a non-finite input, see
// ConstantMagnitude.
EndKind Classify(double vi, double vo, double vref, double voMax, const TermFactors& factors) {
    // A NaN input or Vref makes the output NaN, whatever the rest.
    if (std::isnan(vi) || std::isnan(vref)) return EndKind::Constant;
    bool finite = std::isfinite(vi) && std::isfinite(vo) && std::isfinite(vref) && std::isfinite(voMax);
    if (finite) {
        bool opposite = OppositeSigns(vi, vref);
        bool oneFinite = factors.viFinite || std::fabs(vi) * factors.vi <= TERM_SUM_MAX ||
                         factors.vrefFinite || std::fabs(vref) * factors.vref <= TERM_SUM_MAX;
        return oneFinite || opposite ? EndKind::Linear : EndKind::Unknown;
    }
    // An infinite input or Vref makes every output infinite or NaN, whatever
    // Vo; ConstantMagnitude tells whether it is the same for every candidate.
    if (std::isinf(vi) || std::isinf(vref)) return EndKind::Constant;
    // Otherwise a finite output minus a huge Vo may overflow for some candidates
    // only; with two fixed terms, not while their largest sum and Vo stay
    // finite together. (Without, Vo up to 1e300 leaves room for the largest
    // finite output ConstantMagnitude tries.)
    double outMax = std::fabs(vi) * factors.vi + std::fabs(vref) * factors.vref;
    FixedTerms fixed = WhichFixed(vi, vref, factors);
    bool roomy =
        fixed.vi && fixed.vref ? std::fabs(vo) + 1.01 * outMax <= TERM_SUM_MAX : std::fabs(vo) <= 1e300;
    return roomy || !std::isfinite(vo) ? EndKind::Constant : EndKind::Unknown;
}

// The error magnitude (percent) of an end with a non-finite input; false when
// it may differ between candidates. Each term of the output is finite (a fixed
// one) or the infinity of its input's sign, whatever the positive gain and
// offset factors, and a non-finite input makes the error an infinity, a NaN or
// a signed zero alike for every finite output; so the outputs tried are one
// finite value and, for an unbounded input, its term's infinity. The finite
// one takes a gain of 1 and a tiny offset factor, which no voltage can make
// overflow.
bool ConstantMagnitude(bool atViMax, double vi, double vo, double vref, double voMax,
                       const TermFactors& factors, double* magnitude) {
    FixedTerms fixed = WhichFixed(vi, vref, factors);
    const double gained[] = {vi, fixed.vi ? vi : std::copysign(INF, vi)};
    const double offsets[] = {vref * 1e-300, fixed.vref ? vref * 1e-300 : std::copysign(INF, vref)};
    bool first = true, same = true;
    for (double g : gained) {
        for (double offset : offsets) {
            double out = g - offset;
            double err = std::fabs(atViMax ? (out / voMax - 1) * 100 : ((out - vo) / voMax) * 100);
            same = same && (first || err == *magnitude || (std::isnan(err) && std::isnan(*magnitude)));
            *magnitude = err;
            first = false;
        }
    }
    return same;
}

// |vi * (1 + a + b) - vref * a - vo| <= tolerance as two constraints, each
// widened by EVAL_SLACK times the magnitude of every term; voltages and
// tolerance divided by 2^exponent. A scaled vi too small for the products of
// the projection has its whole term vi * (1 + a + b), at most
// |vi| * (1 + 2 * RATIO_MAX), taken into the tolerance (twice, for rounding)
// instead: what is left still bounds a through the Vref term, which is what
// decides when Vref is huge beside the input.
void AddEnd(AcceptanceModel& m, int exponent, double vi, double vo, double vref, double tolerance) {
    vi = std::ldexp(vi, -exponent);
    vo = std::ldexp(vo, -exponent);
    vref = std::ldexp(vref, -exponent);
    if (vi != 0 && std::fabs(vi) < SCALED_INPUT_MIN) {
        tolerance += 2 * std::fabs(vi) * (1 + 2 * RATIO_MAX);
        vi = 0;
    }
    for (double s : {1.0, -1.0}) {
        BoundConstraint& c = m.constraints[m.count++];
        c.cb = s * vi - EVAL_SLACK * std::fabs(vi);
        c.ca = s * (vi - vref) - EVAL_SLACK * (std::fabs(vi) + std::fabs(vref));
        c.c0 = s * (vi - vo) - EVAL_SLACK * (std::fabs(vi) + std::fabs(vo)) - tolerance;
    }
}

// Limits that every candidate passing a Linear end keeps: its output cannot
// overflow, since an infinite output (never NaN at such an end) has an
// infinite error. So |vi| * (1 + a + b) and |Vref| * a stay within the largest
// double, and for terms of opposite signs, whose magnitudes add up, so does
// their sum; each loosened far beyond the rounding of the gain. Added only for
// voltages so huge that they may bind, and small enough limits that the
// products of the projection stay finite.
const double OVERFLOW_LIMIT_MAX = 1e100;

void AddOverflowLimits(AcceptanceModel& m, double vi, double vref) {
    const double largest = std::numeric_limits<double>::max();
    double gainMax = largest / std::fabs(vi) * (1 + EVAL_SLACK);
    if (gainMax <= OVERFLOW_LIMIT_MAX) m.constraints[m.count++] = BoundConstraint{1, 1, 1 - gainMax};
    double aMax = largest / std::fabs(vref) * (1 + EVAL_SLACK);
    if (aMax <= OVERFLOW_LIMIT_MAX) m.constraints[m.count++] = BoundConstraint{0, 1, -aMax};
    bool opposite = OppositeSigns(vi, vref);
    double viShare = std::fabs(vi) / largest, vrefShare = std::fabs(vref) / largest;
    if (opposite && viShare + vrefShare >= 1 / OVERFLOW_LIMIT_MAX)
        m.constraints[m.count++] = BoundConstraint{viShare, viShare + vrefShare, viShare - (1 + EVAL_SLACK)};
}

// Nothing within the bounded magnitudes passes: 1 <= 0.
void AddNothingPasses(AcceptanceModel& m) {
    m.constraints[m.count++] = BoundConstraint{0, 0, 1};
}

// Applies alpha * a + beta <= 0 (both already loosened) to lo .. hi.
void ApplyToA(double alpha, double beta, double& lo, double& hi) {
    if (alpha > 0) {
        hi = std::min(hi, Widened(-beta / alpha, 1));
    } else if (alpha < 0) {
        lo = std::max(lo, Widened(-beta / alpha, -1));
    } else if (beta > 0) {
        lo = INF;
        hi = -INF;
    }
}

// Narrows lo .. hi to the values of a for which some b meets all n
// constraints: b is eliminated by pairing each lower bound on b with each
// upper bound (Fourier-Motzkin), each pair loosened by its terms' magnitude.
void ProjectOntoA(const BoundConstraint* all, int n, double& lo, double& hi) {
    for (int l = 0; l < n; ++l) {
        const BoundConstraint& cl = all[l];
        if (cl.cb == 0) ApplyToA(cl.ca, cl.c0, lo, hi);
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
}

// The model's constraints and bLo <= b <= bHi (c0 is 0 or a ratio of pairs, so
// the products stay finite); returns how many.
int WithRatioLimits(const AcceptanceModel& m, double bLo, double bHi, BoundConstraint* all) {
    std::copy(m.constraints, m.constraints + m.count, all);
    int n = m.count;
    all[n++] = BoundConstraint{-1, 0, bLo};
    if (bHi < INF) all[n++] = BoundConstraint{1, 0, -bHi};
    return n;
}

// The exponent that brings the largest finite voltage of the constraints to at
// most 2^SCALED_EXPONENT_MAX. The voltages of an end that adds no half-planes
// are left out: a huge one would shrink the others below the floor and make
// the band as wide as everything.
int ScaleExponent(const SearchParams& p, const EndKind kinds[2]) {
    double largest = 0;
    for (double v : {kinds[0] == EndKind::Linear ? p.viMin : 0, kinds[0] == EndKind::Linear ? p.voMin : 0,
                     p.viMax, p.voMax, p.vref})
        if (std::isfinite(v)) largest = std::fmax(largest, std::fabs(v));
    int exponent = 0;
    std::frexp(largest, &exponent);
    return std::max(0, exponent - SCALED_EXPONENT_MAX);
}

// The tolerance of an end's error in volts scaled by 2^-exponent: Vo(max)
// times the precision (held to -1 so the arithmetic stays finite), widened.
// A huge precision is capped where the error itself would overflow: an
// output more than the largest double, or Vo(max) times a hundredth of it,
// away from Vo(min) has an infinite error at Vi(min); at Vi(max) the output
// itself may be that far from 0 (and Vo(max) as far again from it).
double ScaledTolerance(const SearchParams& p, int exponent, bool atViMax) {
    double precision = std::max(p.precision, -1.0);
    double voMax = std::isfinite(p.voMax) ? std::fabs(std::ldexp(p.voMax, -exponent)) : 0;
    double tolerance = voMax * (precision + EVAL_SLACK * std::fabs(precision));
    double largest = std::ldexp(std::numeric_limits<double>::max(), -exponent);
    double cap =
        (largest * std::fmin(1.0, std::fabs(p.voMax) / 100) + (atViMax ? 2 * voMax : 0)) * (1 + EVAL_SLACK);
    return std::fmin(tolerance, cap) + VOLT_FLOOR;
}

// Narrows lo .. hi, the ratio limits of both a and b, to the range of a (or
// of b) over the constraints.
void ProjectOnto(const AcceptanceModel& m, bool ontoB, double& lo, double& hi) {
    BoundConstraint all[MODEL_CONSTRAINTS + 2];
    int n = WithRatioLimits(m, lo, hi, all);
    if (ontoB)
        for (int k = 0; k < m.count; ++k)
            all[k] = BoundConstraint{all[k].ca, all[k].cb, all[k].c0};
    ProjectOntoA(all, n, lo, hi);
}

// The factors of the candidates that the constraints so far let through:
// their a is at most aHi, their gain 1 + aHi + bHi. The list's when its pairs
// are not known or nothing passes.
TermFactors FactorsWithin(const AcceptanceModel& m, double bLo, double bHi, const TermFactors& list) {
    if (!(bHi < INF)) return list;
    double aLo = bLo, aHi = bHi, bLoWithin = bLo, bHiWithin = bHi;
    ProjectOnto(m, false, aLo, aHi);
    ProjectOnto(m, true, bLoWithin, bHiWithin);
    if (!(aLo <= aHi && bLoWithin <= bHiWithin)) return list;
    aHi = Widened(aHi, 1);
    return TermFactors{std::min(list.vi, 1 + aHi + Widened(bHiWithin, 1)), std::min(list.vref, aHi), false,
                       false, false};
}

// The half-planes of a Linear end at Vi(max), or nothing passes when its
// constant error is too large (it is never NaN here). A negative precision
// passes only NaN errors: none at a Linear end, but for a Vo(max) of 0, whose
// outputs of exactly 0 have the error 0 / 0, which the half-planes keep.
void AddViMaxEnd(AcceptanceModel& m, const SearchParams& p, const EndKind kinds[2],
                 const TermFactors& factors) {
    double magnitude = 0;
    if (kinds[1] == EndKind::Linear && p.precision < 0 && p.voMax != 0) {
        AddNothingPasses(m); // its error is a number, and no magnitude is below 0
    } else if (kinds[1] == EndKind::Linear) {
        int exponent = ScaleExponent(p, kinds);
        AddEnd(m, exponent, p.viMax, p.voMax, p.vref, ScaledTolerance(p, exponent, true));
        AddOverflowLimits(m, p.viMax, p.vref);
    } else if (ConstantMagnitude(true, p.viMax, p.voMax, p.vref, p.voMax, factors, &magnitude) &&
               magnitude / 100 > p.precision) {
        AddNothingPasses(m);
    }
}

// The half-planes of the Linear ends, or nothing passes, by the rule of the
// worst error: the Vi(max) end decides when it is NaN (the worst error is then
// NaN and passes), and an end that is not NaN counts with its magnitude. The
// Vi(max) end is never NaN here, so it rejects on its own whatever the Vi(min)
// error is: a Vi(min) end whose error differs between candidates adds nothing.
// That end is judged again over the candidates the Vi(max) end lets through,
// whose smaller gains may keep a huge term finite; when it turns Linear, both
// ends are scaled alike. bLo .. bHi: the ratio limits of a and b.
void AddEnds(AcceptanceModel& m, const SearchParams& p, EndKind kinds[2], const TermFactors& factors,
             double bLo, double bHi) {
    AddViMaxEnd(m, p, kinds, factors);
    if (kinds[0] == EndKind::Constant || kinds[0] == EndKind::Unknown) {
        TermFactors within = FactorsWithin(m, bLo, bHi, factors);
        // A linear Vi(max) end rejects every candidate whose Vref term, input
        // term or output overflows: its output is then infinite (never NaN
        // there). A Vi(min) no larger overflows no sooner, and one of the sign
        // of Vi(max) (or 0) gives no larger an output either.
        within.vrefFinite = kinds[1] == EndKind::Linear;
        within.viFinite = kinds[1] == EndKind::Linear && std::fabs(p.viMin) <= std::fabs(p.viMax);
        within.outFinite = within.viFinite && !OppositeSigns(p.viMin, p.viMax);
        double magnitude = 0;
        kinds[0] = Classify(p.viMin, p.voMin, p.vref, p.voMax, within);
        if (kinds[0] == EndKind::Linear) {
            m.count = 0;
            AddViMaxEnd(m, p, kinds, factors);
        } else if (kinds[0] == EndKind::Constant &&
                   ConstantMagnitude(false, p.viMin, p.voMin, p.vref, p.voMax, within, &magnitude) &&
                   magnitude / 100 > p.precision) {
            AddNothingPasses(m);
        }
    }
    if (kinds[0] == EndKind::Linear) {
        int exponent = ScaleExponent(p, kinds);
        AddEnd(m, exponent, p.viMin, p.voMin, p.vref, ScaledTolerance(p, exponent, false));
        AddOverflowLimits(m, p.viMin, p.vref);
    }
}

// Whether no candidate's output at Vi(max) can come near enough to Vo(max).
// That output is g * vi - offset with g = 1 + Rf / (Ra // Rb) >= 1, both terms
// finite for a bounded vi and Vref. Rounding is monotone, so |g * vi| >= |vi|,
// and a difference of doubles is either at least half the larger term or, the
// two within a factor 2 of each other (and so both at least |vi| / 2), exact
// and a multiple of the unit of the binade below |vi| / 2: a nonzero output is
// above |vi| * 2^-54. When that is over eight times Vo(max) and its precision,
// the output is 0 (an error of 100 %, rejected below a precision of 1) or over
// eight times Vo(max), and nothing passes. This decides the thin line of a NaN
// Vi(min) end with Vo(max) near 0, too thin for the bounds' slack to tell.
bool OutputTooCoarse(const SearchParams& p) {
    double vi = std::fabs(p.viMax);
    double voMax = std::fabs(p.voMax);
    if (!(vi >= 1e-300 && vi <= BOUNDED_MAGNITUDE_MAX && Bounded(p.vref))) return false;
    if (!(voMax > 0 && std::isfinite(voMax) && p.precision < 1)) return false; // not a NaN precision
    return 4 * (1 + std::max(p.precision, 0.0)) * voMax <= std::ldexp(vi, -55);
}

// A known model that lets nothing of the bounded magnitudes through.
AcceptanceModel NothingPassesModel() {
    AcceptanceModel m{};
    AddNothingPasses(m);
    m.aLo = INF;
    m.aHi = -INF;
    m.known = true;
    return m;
}

// Whether equal inputs leave no output within the precision of both Vo(min)
// and Vo(max). With Vi(min) == Vi(max) both ends compute the very same output,
// a number (both ends Linear) or an infinity, which fails. Passing needs
// |out - Vo(min)| and |out - Vo(max)| within precision * |Vo(max)|, each up to
// a few ulps of |out / Vo(max)| + 1 (at most 2 + 2 * precision): so Vo(min)
// and Vo(max) at most twice that apart. This decides what the bounds' slack
// cannot when a list's pairs span so many decades (a 0-ohm part) that Rf / Ra
// makes the slack larger than any tolerance.
bool EqualInputsApart(const SearchParams& p, const EndKind kinds[2]) {
    if (!(p.viMin == p.viMax) || kinds[0] != EndKind::Linear || kinds[1] != EndKind::Linear) return false;
    if (!(std::isfinite(p.voMin) && std::isfinite(p.voMax) && p.voMax != 0 && p.precision >= 0)) return false;
    double room = 2 * std::fabs(p.voMax) * (p.precision * (1 + 1e-6) + 1e-6);
    return std::fabs(p.voMax - p.voMin) > room;
}

} // namespace

// Known only where the evaluation of bounded resistances cannot give a NaN that
// the bounds do not foresee, and where the precision is a number below
// PRECISION_MAX. A negative precision accepts nothing (it is held to -1 so the
// arithmetic stays finite). With Vo(max) = 0 both errors divide by zero and a
// candidate passes only as NaN, when its output at Vi(max) is exactly 0.
AcceptanceModel BuildAcceptanceModel(const SearchParams& p, double pairMin, double pairMax) {
    AcceptanceModel m{};
    if (std::isnan(p.precision) || p.precision > PRECISION_MAX) return m;
    if (OutputTooCoarse(p)) return NothingPassesModel();
    bool listed = pairMin > 0 && pairMax < INF;
    TermFactors factors = ListFactors(listed, pairMin, pairMax);
    EndKind kinds[2] = {p.voMax == 0 ? EndKind::Ignored
                                     : Classify(p.viMin, p.voMin, p.vref, p.voMax, factors),
                        Classify(p.viMax, p.voMax, p.vref, p.voMax, factors)};
    if (kinds[1] == EndKind::Unknown) return m;
    if (EqualInputsApart(p, kinds)) return NothingPassesModel();
    double magnitude = 0;
    if (kinds[1] == EndKind::Constant &&
        (!ConstantMagnitude(true, p.viMax, p.voMax, p.vref, p.voMax, factors, &magnitude) ||
         std::isnan(magnitude)))
        return m; // every candidate passes, or which ones depends on the candidate
    m.pairMin = listed ? pairMin : 0;
    m.pairMax = listed ? pairMax : 0;
    m.bLo = m.aLo = listed ? Widened(pairMin / pairMax, -1) : 0;
    m.bHi = m.aHi = listed ? Widened(pairMax / pairMin, 1) : INF;
    AddEnds(m, p, kinds, factors, m.bLo, m.bHi);
    BoundConstraint all[MODEL_CONSTRAINTS + 2];
    ProjectOntoA(all, WithRatioLimits(m, m.bLo, m.bHi, all), m.aLo, m.aHi);
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
        if (!std::isfinite(q)) return RbBounds{-INF, INF, false};
        if (c.cb == 0) {
            if (q > 0) bHi = -INF;
            continue;
        }
        double v = -q / c.cb;
        if (c.cb > 0)
            bHi = std::min(bHi, Widened(v, 1));
        else
            bLo = std::max(bLo, Widened(v, -1));
    }
    if (!(bHi > 0) || bHi < bLo) return RbBounds{INF, -INF, true}; // b = Rf / Rb > 0 cannot fit
    double lo = rf / bHi * (1 - BOUND_PAD);
    double hi = bLo > 0 ? rf / bLo * (1 + BOUND_PAD) : INF;
    return RbBounds{lo, hi, true};
}

// With the list's pairs known, Rb = Rf / b must also lie within pairMin ..
// pairMax: pairMin * b <= Ra * a <= pairMax * b, two more half-planes for this
// Ra. They are what leaves out the Ra pairs that no Rb of the list can serve
// when the band of the acceptance test is a thin line across (a, b). Used only
// for moderate ratios, which keep the products of the projection finite.
RfBounds AcceptableRf(const AcceptanceModel& m, double ra) {
    return AcceptableRf(m, ra, m.pairMin, m.pairMax);
}

RfBounds AcceptableRf(const AcceptanceModel& m, double ra, double rbMin, double rbMax) {
    if (!m.known || !InRange(ra)) return RfBounds{-INF, INF, false};
    double lo = m.aLo, hi = m.aHi;
    double toMax = rbMin > 0 ? ra / rbMax : 0, toMin = rbMin > 0 ? ra / rbMin : INF;
    if (lo <= hi && toMax >= RATIO_LIMIT_MIN && toMin <= 1 / RATIO_LIMIT_MIN) {
        BoundConstraint all[MODEL_CONSTRAINTS + 4];
        int n = WithRatioLimits(m, m.bLo, m.bHi, all);
        all[n++] = BoundConstraint{-1, Widened(toMax, -1), 0};
        all[n++] = BoundConstraint{1, -Widened(toMin, 1), 0};
        ProjectOntoA(all, n, lo, hi);
    }
    if (!(lo <= hi)) return RfBounds{INF, -INF, true};
    RfBounds bounds{lo * ra * (1 - BOUND_PAD), hi * ra * (1 + BOUND_PAD), true};
    // The projection leaves out Rb / Ra ratios beyond 1e50 (the pairs of a
    // 0-ohm part), which the cheaper bounds still take in.
    RfBounds reach = rbMin > 0 ? ReachableRf(m, ra, rbMin, rbMax) : RfBounds{-INF, INF, false};
    if (reach.known) {
        bounds.lo = std::max(bounds.lo, reach.lo);
        bounds.hi = std::min(bounds.hi, reach.hi);
    }
    return bounds;
}

// Each constraint, divided by Rf, reads cb / Rb + ca / Ra + c0 / Rf <= 0: with
// Rb free within its range it holds for some Rb exactly when it does at the
// end that makes cb / Rb least, which leaves c0 / Rf <= need, one bound on Rf.
// Every constraint holding at its own best Rb is necessary for some Rb to meet
// them all, so the bounds together hold the Rf of every candidate that can
// pass, as AcceptableRf's do. They leave out the ratio limits and the coupling
// of the constraints, which only AcceptableRf's projection can tell, and cost
// a few divisions instead of a few hundred operations. Each step is loosened
// like AcceptableRb's.
RfBounds ReachableRf(const AcceptanceModel& m, double ra, double rbMin, double rbMax) {
    if (!m.known || !InRange(ra) || !(rbMin >= 0) || !(rbMin <= rbMax)) return RfBounds{-INF, INF, false};
    double ga = 1 / ra;
    double lo = 0, hi = INF;
    for (int k = 0; k < m.count; ++k) {
        const BoundConstraint& c = m.constraints[k];
        // The best 1 / Rb: 0 for an unlimited rbMax, infinite for an rbMin of 0.
        double t = c.ca * ga, u = c.cb == 0 ? 0 : c.cb * (c.cb > 0 ? 1 / rbMax : 1 / rbMin);
        double need = -Loosened(t + u, std::fabs(t) + std::fabs(u)); // c0 / Rf <= need
        if (!std::isfinite(need)) continue;                          // no bound that can be trusted
        if (c.c0 > 0 && need <= 0) return RfBounds{INF, -INF, true};
        if (c.c0 == 0 && need < 0) return RfBounds{INF, -INF, true};
        double rf = c.c0 / need;
        if (!std::isfinite(rf)) continue;
        if (c.c0 > 0)
            lo = std::max(lo, rf * (1 - BOUND_PAD));
        else if (c.c0 < 0 && need < 0)
            hi = std::min(hi, rf * (1 + BOUND_PAD));
    }
    return RfBounds{lo, hi, true};
}
