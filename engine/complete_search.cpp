// The complete search. It visits the candidates of the literal enumeration,
// with no pre-filter and no stop, except those the DNM minimum drops and those
// the acceptance bounds prove to fail; each candidate left is decided by
// EvaluateCandidate itself. The visiting order does not matter: every match
// carries its place in the enumeration, which breaks the last tie of the order.
// Its work follows the matches, so precise searches over long lists stay fast.
#include "engine/complete_search.h"

#include <algorithm>

#include "engine/acceptance_bounds.h"
#include "engine/best_selection.h"
#include "engine/combination_eval.h"
#include "engine/pair_tables.h"
#include "state/app_state.h"
#include "state/bounded_text.h"

namespace {

// A ranking with the parts of it that bounds never rule out: entries below
// BOUNDED_MAGNITUDE_MIN (zero ohms), above BOUNDED_MAGNITUDE_MAX, and NaN ones.
struct BoundedRanking {
    const PairRanking* ranking;
    const PairTable* table;
    bool series;
    int minAt; // first ordered entry not below the magnitude range
    int maxAt; // first ordered entry above it
};

// The Ra pair, or the Ra and Rf pairs, of the candidates being visited.
struct Partial {
    const PartsList* parts;
    const SearchParams* params;
    PairRef ra, rf;
    double raValue, rfValue;
    int dnm; // DNM count of the pairs fixed so far
};

const PartsList* CompleteParts;
const SearchParams* CompleteParams;
std::uint64_t Total;

BoundedRanking Bounded(const PairRanking& ranking, const PairTable& table, bool series) {
    return BoundedRanking{&ranking, &table, series, RankAtLeast(ranking, BOUNDED_MAGNITUDE_MIN),
                          RankAbove(ranking, BOUNDED_MAGNITUDE_MAX)};
}

// Calls visit(position) for every entry of the ranking that the bounds leave
// possible: with known bounds, those within lo .. hi and those outside the
// magnitude range; otherwise all of them.
template <typename Visit> void ForEachPossible(const BoundedRanking& b, const RbBounds& bounds, Visit visit) {
    const PairRanking& ranking = *b.ranking;
    const RankedPair* e = ranking.entries;
    if (!bounds.known) {
        for (int i = 0; i < ranking.count; ++i)
            visit(static_cast<int>(e[i].position));
        return;
    }
    int lo = std::max(b.minAt, RankAtLeast(ranking, bounds.lo));
    int hi = std::min(b.maxAt, RankAbove(ranking, bounds.hi));
    for (int i = 0; i < b.minAt; ++i)
        visit(static_cast<int>(e[i].position));
    for (int i = lo; i < hi; ++i)
        visit(static_cast<int>(e[i].position));
    for (int i = std::max(b.maxAt, b.minAt); i < ranking.count; ++i)
        visit(static_cast<int>(e[i].position));
}

// Where the pairs of the next resistor come from, given how many more DNM
// positions the candidate still needs: only the pairs with the last entry
// when it needs one from each remaining resistor, otherwise both kinds.
int Sources(int missing, int remaining, const BoundedRanking* all, int allCount, const BoundedRanking& dnm,
            const BoundedRanking** out) {
    if (missing > remaining) return 0;
    if (missing == remaining) {
        out[0] = &dnm;
        return 1;
    }
    for (int i = 0; i < allCount; ++i)
        out[i] = &all[i];
    return allCount;
}

// The kinds of one run: parallel, then series when they are searched, and the
// parallel pairs with the last entry.
struct Kinds {
    BoundedRanking all[2];
    int allCount;
    BoundedRanking dnm;
};

void VisitRb(const Partial& c, const BoundedRanking& source, const RbBounds& bounds) {
    const PairTable& table = *source.table;
    int last = c.parts->count - 1;
    ForEachPossible(source, bounds, [&](int position) {
        // Sources has already left out the pairs that miss the DNM minimum.
        int dnm = c.dnm + (table.second[position] == last);
        CandidateValues v = EvaluateCandidate(*c.params, c.raValue, c.rfValue, table.r[position]);
        if (v.worstErr > c.params->precision) return;
        ++Total;
        BestOffer(
            CandidateKey{v.worstErr, EncodeCandidate(dnm, c.ra, c.rf, PairRef{source.series, position})});
    });
}

// Every Rf and Rb of the Ra pair in c.
void VisitRa(Partial c, const Kinds& kinds) {
    const BoundedRanking* rfSources[2];
    int rfCount = Sources(c.params->minDnm - c.dnm, 2, kinds.all, kinds.allCount, kinds.dnm, rfSources);
    if (rfCount == 0) return;
    RfBounds rfBounds = AcceptableRf(*c.params, c.raValue);
    int last = c.parts->count - 1;
    int raDnm = c.dnm;
    for (int s = 0; s < rfCount; ++s) {
        const BoundedRanking& source = *rfSources[s];
        ForEachPossible(source, rfBounds, [&](int position) {
            c.rf = PairRef{source.series, position};
            c.rfValue = source.table->r[position];
            c.dnm = raDnm + (source.table->second[position] == last);
            const BoundedRanking* rbSources[2];
            int rbCount =
                Sources(c.params->minDnm - c.dnm, 1, kinds.all, kinds.allCount, kinds.dnm, rbSources);
            if (rbCount == 0) return;
            RbBounds rbBounds = AcceptableRb(*c.params, c.raValue, c.rfValue);
            for (int r = 0; r < rbCount; ++r)
                VisitRb(c, *rbSources[r], rbBounds);
        });
    }
}

} // namespace

CompleteTally SearchComplete(const PartsList& parts, const SearchParams& params, bool includeSerial,
                             int best) {
    BuildPairTables(parts, includeSerial);
    BestStart(parts, best);
    CompleteParts = &parts;
    CompleteParams = &params;
    Total = 0;
    Kinds kinds{};
    kinds.all[0] = Bounded(ParallelRanking, ParallelPairs, false);
    kinds.all[1] = Bounded(SeriesRanking, SeriesPairs, true);
    kinds.allCount = includeSerial ? 2 : 1;
    kinds.dnm = Bounded(DnmRanking, ParallelPairs, false);
    int last = parts.count - 1;
    Partial c{};
    c.parts = &parts;
    c.params = &params;
    for (int k = 0; k < kinds.allCount; ++k) {
        const PairTable& table = *kinds.all[k].table;
        for (int position = 0; position < table.count; ++position) {
            c.ra = PairRef{k == 1, position};
            c.raValue = table.r[position];
            c.dnm = table.second[position] == last ? 1 : 0;
            VisitRa(c, kinds);
        }
    }
    return CompleteTally{Total, BestFinish()};
}

void CompleteMatch(int rank, MatchRecord& record) {
    const CandidateKey& key = BestEntry(rank);
    PairRef refs[3];
    DecodeCandidate(key.code, refs);
    const PairTable* tables[3];
    for (int i = 0; i < 3; ++i)
        tables[i] = refs[i].series ? &SeriesPairs : &ParallelPairs;
    double ra = tables[0]->r[refs[0].position];
    double rf = tables[1]->r[refs[1].position];
    double rb = tables[2]->r[refs[2].position];
    CandidateValues v = EvaluateCandidate(*CompleteParams, ra, rf, rb);
    char* names[6] = {record.raName1, record.raName2, record.rfName1,
                      record.rfName2, record.rbName1, record.rbName2};
    for (int i = 0; i < 3; ++i) {
        const PairTable& table = *tables[i];
        CopyText(names[2 * i], PART_NAME_SIZE, CompleteParts->entries[table.first[refs[i].position]].name);
        CopyText(names[2 * i + 1], PART_NAME_SIZE,
                 CompleteParts->entries[table.second[refs[i].position]].name);
    }
    record.topology = (refs[0].series ? TOPOLOGY_RA_SERIES : 0) | (refs[1].series ? TOPOLOGY_RF_SERIES : 0) |
                      (refs[2].series ? TOPOLOGY_RB_SERIES : 0);
    record.dnmCount = CandidateDnm(key.code);
    record.reqOhms = ReqOhms(v.rab, rf);
    record.voAtViMin = v.voAtViMin;
    record.errAtViMinPct = v.errAtViMinPct;
    record.voAtViMax = v.voAtViMax;
    record.errAtViMaxPct = v.errAtViMaxPct;
    record.worstErr = v.worstErr;
}

RunOutcome RunCompleteSearch(int best, CompleteTally& tally) {
    tally = CompleteTally{0, 0};
    TextSlots[SLOT_RESULT][0] = '\0';
    TextSlots[SLOT_STATUS][0] = '\0';
    if (!RunInputStages()) return RunOutcome::InputError;
    tally = SearchComplete(PartsListStore, SearchParamsStore, Settings[SETTING_INCLUDE_SERIAL] == 1, best);
    return RunOutcome::Searched;
}
