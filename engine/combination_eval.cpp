// Evaluation of one candidate and the storing of an accepted one. The order of
// the operations is the circuit formula as designers check it by hand; the
// engine is compiled without floating-point contraction so that no step is
// fused and every stored double is the same on every platform.
#include "engine/combination_eval.h"

#include "state/app_state.h"
#include "state/bounded_text.h"

bool ExamineCandidate(const CandidateContext& c, TopologyMask topology, double rb, int m, int o,
                      int dnmCount) {
    const SearchParams& p = *c.params;
    double s = c.ra + rb;
    double rab = (rb * c.ra) / s;
    double x = c.rf / rab;
    double offset = ((rb / s) * p.vref) * x;
    double g = x + 1;
    double voAtViMin = g * p.viMin - offset;
    double voAtViMax = g * p.viMax - offset;
    double errAtViMinPct = ((voAtViMin - p.voMin) / p.voMax) * 100;
    double errAtViMaxPct = (voAtViMax / p.voMax - 1) * 100;
    double magMin = std::fabs(errAtViMinPct);
    double magMax = std::fabs(errAtViMaxPct);
    double worstErr = magMin > magMax ? magMin / 100 : magMax / 100;
    if (worstErr > p.precision) return true;

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
    r.reqOhms = (rab * c.rf) / (rab + c.rf);
    r.voAtViMin = voAtViMin;
    r.errAtViMinPct = errAtViMinPct;
    r.voAtViMax = voAtViMax;
    r.errAtViMaxPct = errAtViMaxPct;
    r.worstErr = worstErr;
    ++count;
    return count < MATCH_LIMIT;
}
