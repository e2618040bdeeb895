// Tolerance corners of a combination. Why the corners suffice: with x = Rf/Ra
// and y = Rf/Rb the output is Vo(vi) = vi + Rf·(vi − Vref)/Ra + Rf·vi/Rb for
// positive Ra, Rb, Rf. Its derivative by Rf, (vi − Vref)/Ra + vi/Rb, does not
// depend on Rf; by Ra it is −Rf·(vi − Vref)/Ra², by Rb −Rf·vi/Rb², neither of
// which changes sign while Ra or Rb varies alone. So Vo is monotonic in each
// resistor with the others fixed, and each resistor (a + b or 1/(1/a + 1/b)) is
// increasing in each of its parts: Vo, and both errors (affine in Vo), are
// monotonic in each part separately. Such a function takes its extremes over a
// box at a vertex (move one coordinate at a time to the better end), so the
// 2^k corners of the k fitted parts (k ≤ 6, at most 64 evaluations) give the
// exact range; each corner is evaluated with the search's own doubles.
#include "engine/tolerance.h"

#include <cmath>

#include "engine/combination_eval.h"

namespace {

PairParts ScalePair(const PairParts& pair, const double factors[2]) {
    PairParts scaled = pair;
    for (int k = 0; k < 2; ++k) {
        if (pair.conductance[k] == 0) continue; // the open part stays open
        scaled.value[k] = pair.value[k] * factors[k];
        scaled.conductance[k] = scaled.value[k] == 0 ? DNM_VALUE : 1 / scaled.value[k];
    }
    return scaled;
}

// Extremes of one column; a NaN anywhere poisons it, so no corner is hidden.
struct Range {
    double lo = INFINITY, hi = -INFINITY;
    bool nan = false;
    void Add(double x) {
        if (std::isnan(x)) nan = true;
        if (x < lo) lo = x;
        if (x > hi) hi = x;
    }
    double Lo() const { return nan ? NAN : lo; }
    double Hi() const { return nan ? NAN : hi; }
};

} // namespace

CombinationParts ScaleParts(const CombinationParts& parts, const double factors[6]) {
    return CombinationParts{ScalePair(parts.ra, factors), ScalePair(parts.rb, factors + 2),
                            ScalePair(parts.rf, factors + 4)};
}

ToleranceSpread ToleranceCorners(const CombinationParts& parts, const SearchParams& params,
                                 double tolerance) {
    const PairParts* pairs[] = {&parts.ra, &parts.ra, &parts.rb, &parts.rb, &parts.rf, &parts.rf};
    // Only fitted parts get a bit of the corner number; open ones never move.
    int fitted[6];
    int k = 0;
    for (int i = 0; i < 6; ++i)
        if (pairs[i]->conductance[i % 2] != 0) fitted[k++] = i;
    Range errMin, errMax;
    for (int corner = 0; corner < (1 << k); ++corner) {
        double factors[6] = {1, 1, 1, 1, 1, 1};
        for (int b = 0; b < k; ++b)
            factors[fitted[b]] = (corner >> b & 1) != 0 ? 1 + tolerance : 1 - tolerance;
        CombinationParts moved = ScaleParts(parts, factors);
        CandidateValues v =
            EvaluateCandidate(PairOhms(moved.ra), PairOhms(moved.rb), PairOhms(moved.rf), params);
        errMin.Add(v.errAtViMinPct);
        errMax.Add(v.errAtViMaxPct);
    }
    return ToleranceSpread{errMin.Lo(), errMin.Hi(), errMax.Lo(), errMax.Hi()};
}
