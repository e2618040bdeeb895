// The stock parts behind a combination: for a stored MatchRecord (found again in
// the parts list by name) or for a combination typed as report text ("10k//DNM").
// Used by the check of a given combination, the tolerance corners and the
// console's CSV/JSON columns; every pair value is the same double the search used.
#pragma once

#include <cstddef>

#include "engine/combination_search.h"

// One resistor as two parts, each as the parts list holds it (conductance 0 for
// the open DNM part, DNM_VALUE for a part of 0 ohms).
struct PairParts {
    bool series;
    double value[2];
    double conductance[2];
};

struct CombinationParts {
    PairParts ra, rb, rf;
};

// The pair's resistance with the search's arithmetic: 1 / (g1 + g2) or v1 + v2.
inline double PairOhms(const PairParts& pair) {
    if (pair.series) return pair.value[0] + pair.value[1];
    return 1 / (pair.conductance[0] + pair.conductance[1]);
}

// Looks up the six names of the record in the parts list. The second part of a
// parallel pair is searched from the end, so the DNM sentinel (the last entry)
// wins over a typed line that happens to read "DNM". Returns false when a name
// is not in the list (the record came from another list).
bool ResolveRecordParts(const MatchRecord& record, const PartsList& parts, CombinationParts& out);

// Reads a pair typed as the report prints it: "A//B" (parallel, split at the
// first "//") or "A+B" (series, split at the first "+" that is not an exponent
// sign). Each part is read by the list parser's rules; "DNM" is the open part.
// On a bad pair returns false with a message in error.
bool ReadPairText(const char* text, PairParts& pair, char* name1, char* name2, char* error,
                  std::size_t errorSize);
