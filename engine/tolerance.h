// What part tolerances do to a combination: the lowest and highest error at
// Vi(min) and at Vi(max) when every fitted part may lie anywhere within ±T of
// its value. The console's --tolerance calls it per printed result.
#pragma once

#include "engine/combination_parts.h"

struct ToleranceSpread {
    double errAtViMinLoPct, errAtViMinHiPct;
    double errAtViMaxLoPct, errAtViMaxHiPct;
};

// Evaluates every corner (each fitted part at value × (1 − T) or × (1 + T); the
// open DNM part stays open) with the search's evaluation and returns the extremes.
// A NaN at any corner makes that column NaN.
ToleranceSpread ToleranceCorners(const CombinationParts& parts, const SearchParams& params, double tolerance);

// The same combination with every part moved: part k (Ra's two, Rb's two, Rf's
// two, in this order) is scaled by factors[k]. Used by the corners and by tests.
CombinationParts ScaleParts(const CombinationParts& parts, const double factors[6]);
