// The literal enumeration of every Ra, Rf, Rb pair combination, in the order
// that decides which MATCH_LIMIT records are kept: Ra outermost, Rf, then Rb;
// within one resistor parallel pairs before series pairs; each kind by first
// position, then second. It walks every candidate, so its time grows with the
// sixth power of the list length; the program uses SearchCombinations, and this
// plain form stays as the reference that tests and benchmarks hold it against.
#include "engine/combination_search_literal.h"

#include "engine/combination_eval.h"
#include "state/app_state.h"

namespace {

// One past the last second position: the last entry pairs only in parallel.
int SecondEnd(const PartsList& parts, bool series) {
    return series ? parts.count - 1 : parts.count;
}

bool RunRb(const CandidateContext& c, bool rbSeries, double window) {
    const PartsList& parts = *c.parts;
    int last = parts.count - 1;
    int secondEnd = SecondEnd(parts, rbSeries);
    TopologyMask topology = c.topology | (rbSeries ? TOPOLOGY_RB_SERIES : 0);
    int fixedDnm = (c.raSecond == last) + (c.rfSecond == last);
    for (int m = 0; m <= last - 1; ++m) {
        for (int o = m; o < secondEnd; ++o) {
            int dnmCount = fixedDnm + (o == last);
            if (dnmCount < c.params->minDnm) continue;
            double rb = PairResistance(parts, rbSeries, m, o);
            if (!PassesPrefilter(rb, c.rbTarget, window)) continue;
            if (!ExamineCandidate(c, topology, rb, m, o, dnmCount)) return false;
        }
    }
    return true;
}

bool RunRf(CandidateContext c, bool rfSeries, bool includeSerial, double window) {
    const PartsList& parts = *c.parts;
    int secondEnd = SecondEnd(parts, rfSeries);
    if (rfSeries) c.topology |= TOPOLOGY_RF_SERIES;
    for (int k = 0; k <= parts.count - 2; ++k) {
        for (int l = k; l < secondEnd; ++l) {
            c.rf = PairResistance(parts, rfSeries, k, l);
            if (!PassesPrefilter(c.rf, c.rfTarget, window)) continue;
            c.rfFirst = k;
            c.rfSecond = l;
            if (!RunRb(c, false, window)) return false;
            if (includeSerial && !RunRb(c, true, window)) return false;
        }
    }
    return true;
}

bool RunRa(const PartsList& parts, const SearchParams& params, const ShifterDesign& design, bool raSeries,
           bool includeSerial) {
    int secondEnd = SecondEnd(parts, raSeries);
    CandidateContext c{};
    c.parts = &parts;
    c.params = &params;
    c.topology = raSeries ? TOPOLOGY_RA_SERIES : 0;
    for (int i = 0; i <= parts.count - 2; ++i) {
        for (int j = i; j < secondEnd; ++j) {
            c.ra = PairResistance(parts, raSeries, i, j);
            c.raFirst = i;
            c.raSecond = j;
            ComputeTargets(c, design, params.vref);
            double window = design.prefilterWindow;
            if (!RunRf(c, false, includeSerial, window)) return false;
            if (includeSerial && !RunRf(c, true, includeSerial, window)) return false;
        }
    }
    return true;
}

} // namespace

int SearchCombinationsLiteral(const PartsList& parts, const SearchParams& params, const ShifterDesign& design,
                              bool includeSerial) {
    Settings[SETTING_MATCH_COUNT] = 0;
    if (RunRa(parts, params, design, false, includeSerial) && includeSerial)
        RunRa(parts, params, design, true, includeSerial);
    return Settings[SETTING_MATCH_COUNT];
}
