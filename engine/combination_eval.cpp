// The storing of an accepted candidate into MatchTable, for the searches that
// keep their matches in enumeration order. The arithmetic itself is
// EvaluateCandidate in the header, shared with the complete search.
#include "engine/combination_eval.h"

#include "state/app_state.h"
#include "state/bounded_text.h"

bool ExamineCandidate(const CandidateContext& c, TopologyMask topology, double rb, int m, int o,
                      int dnmCount) {
    CandidateValues v = EvaluateCandidate(c.ra, rb, c.rf, *c.params);
    if (v.worstErr > c.params->precision) return true;

    std::int32_t& count = Settings[SETTING_MATCH_COUNT];
    MatchRecord& r = MatchTable[count];
    const PartEntry* e = c.parts->entries;
    CopyText(r.raName1, PART_NAME_SIZE, e[c.raFirst].name);
    CopyText(r.raName2, PART_NAME_SIZE, e[c.raSecond].name);
    CopyText(r.rfName1, PART_NAME_SIZE, e[c.rfFirst].name);
    CopyText(r.rfName2, PART_NAME_SIZE, e[c.rfSecond].name);
    CopyText(r.rbName1, PART_NAME_SIZE, e[m].name);
    CopyText(r.rbName2, PART_NAME_SIZE, e[o].name);
    r.topology = topology;
    r.dnmCount = dnmCount;
    StoreValues(r, v, c.rf);
    ++count;
    return count < MATCH_LIMIT;
}
