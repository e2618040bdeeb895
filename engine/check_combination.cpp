// Evaluation of one given combination. It shares EvaluateCandidate and the pair
// arithmetic with the search, so a combination the search lists checks to the
// same printed line, and one it rejects shows by how much it misses.
#include "engine/check_combination.h"

#include "engine/combination_eval.h"

namespace {

int OpenParts(const PairParts& pair) {
    return !pair.series && (pair.conductance[0] == 0 || pair.conductance[1] == 0) ? 1 : 0;
}

} // namespace

bool CheckCombination(const char* raText, const char* rbText, const char* rfText, const SearchParams& params,
                      MatchRecord& r, CombinationParts& parts, char* error, std::size_t errorSize) {
    if (!ReadPairText(raText, parts.ra, r.raName1, r.raName2, error, errorSize) ||
        !ReadPairText(rbText, parts.rb, r.rbName1, r.rbName2, error, errorSize) ||
        !ReadPairText(rfText, parts.rf, r.rfName1, r.rfName2, error, errorSize))
        return false;
    double rf = PairOhms(parts.rf);
    CandidateValues v = EvaluateCandidate(PairOhms(parts.ra), PairOhms(parts.rb), rf, params);
    r.topology = (parts.ra.series ? TOPOLOGY_RA_SERIES : 0) | (parts.rf.series ? TOPOLOGY_RF_SERIES : 0) |
                 (parts.rb.series ? TOPOLOGY_RB_SERIES : 0);
    r.dnmCount = OpenParts(parts.ra) + OpenParts(parts.rb) + OpenParts(parts.rf);
    StoreValues(r, v, rf);
    return true;
}
