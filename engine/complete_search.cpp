// The complete search. It visits the candidates of the literal enumeration,
// with no pre-filter and no stop, except those the DNM minimum drops and those
// the acceptance bounds prove to fail; each candidate left is decided by
// EvaluateCandidate itself. The visiting order does not matter: every match
// carries its place in the enumeration, which breaks the last tie of the order.
// Its work follows the matches, so precise searches over long lists stay fast.
#include "engine/complete_search.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "engine/acceptance_bounds.h"
#include "engine/best_selection.h"
#include "engine/certain_bounds.h"
#include "engine/combination_eval.h"
#include "engine/pair_tables.h"
#include "state/app_state.h"
#include "state/bounded_text.h"

namespace {

// A ranking with the parts of it that bounds never rule out: entries below
// BOUNDED_MAGNITUDE_MIN (zero ohms), above BOUNDED_MAGNITUDE_MAX, and NaN ones.
struct BoundedRanking {
    const PairRanking* ranking; // positions tagged with SERIES_TAG for series pairs
    int minAt;                  // first ordered entry not below the magnitude range
    int maxAt;                  // first ordered entry above it
    // Where the last search for each end of a range ended: successive Rf pairs
    // of one Ra come in ascending order and move their Rb bounds along with them.
    // One pair of hints for each kind of range that is looked up (RangeKind).
    mutable int hints[4][2];
};

// The ranges looked up per Rf pair, each following its own course.
enum RangeKind { RANGE_OUTER, RANGE_CERTAIN, RANGE_NEAR, RANGE_OTHER };

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
// The acceptance bounds of the search, and those of a precision narrowed to the
// worst kept error, made again only when that error changes.
AcceptanceModel Model;
AcceptanceModel NearModel;
SureRbModel SureModel;
double NearPrecision;
double PairMin, PairMax;

const AcceptanceModel& ModelWithin(double precision) {
    if (!(precision == NearPrecision)) {
        SearchParams tighter = *CompleteParams;
        tighter.precision = precision;
        NearModel = BuildAcceptanceModel(tighter, PairMin, PairMax);
        NearPrecision = precision;
    }
    return NearModel;
}

// The Rf window of one Ra within the worst kept error, for candidates with the
// worst kept one's DNM count: outside it none of them can enter the selection.
// Kept entries only get better, so a window stays valid while that count holds.
struct NearRfWindow {
    double raValue;
    int keptDnm;
    RfBounds bounds;
};
NearRfWindow NearRf;

// Relative widening of the model's range of Rf / Ra, far beyond the rounding
// of that quotient and of the window AcceptableRf derives from the same range.
const double RATIO_PAD = 1e-9;

bool WithinNearRf(const Partial& c, int keptDnm, double precision) {
    // The range of Rf / Ra over every Ra holds each Ra's window: most Rf pairs
    // fall outside it, before the window of their Ra is worked out.
    const AcceptanceModel& near = ModelWithin(precision);
    double ratio = c.rfValue / c.raValue;
    if (near.known && near.aLo <= near.aHi &&
        (ratio < near.aLo - RATIO_PAD * std::fabs(near.aLo) ||
         ratio > near.aHi + RATIO_PAD * std::fabs(near.aHi)))
        return false;
    if (!(NearRf.raValue == c.raValue) || NearRf.keptDnm != keptDnm) {
        NearRf = NearRfWindow{c.raValue, keptDnm, AcceptableRf(ModelWithin(precision), c.raValue)};
    }
    const RfBounds& b = NearRf.bounds;
    return !b.known || (c.rfValue >= b.lo && c.rfValue <= b.hi);
}

// Marks the series pairs in a ranking of both kinds: one search over it finds
// the Rb (or Rf) pairs of both kinds at once.
const std::uint32_t SERIES_TAG = 0x80000000u;
RankedPair BothKinds[2 * PAIR_CAPACITY];

PairRef RefOf(std::uint32_t tagged) {
    return PairRef{(tagged & SERIES_TAG) != 0, static_cast<int>(tagged & ~SERIES_TAG)};
}
const PairTable& TableOf(PairRef ref) {
    return ref.series ? SeriesPairs : ParallelPairs;
}

// The parallel and series rankings merged by resistance, series positions
// tagged; the NaN pairs of both follow the ordered ones.
PairRanking MergeKinds(const PairRanking& parallel, const PairRanking& series) {
    RankedPair* out = BothKinds;
    int i = 0, j = 0;
    auto tagged = [&series](int k) {
        return RankedPair{series.entries[k].r, series.entries[k].position | SERIES_TAG};
    };
    while (i < parallel.ordered || j < series.ordered) {
        bool takeSeries =
            i == parallel.ordered || (j < series.ordered && series.entries[j].r < parallel.entries[i].r);
        *out++ = takeSeries ? tagged(j++) : parallel.entries[i++];
    }
    for (int k = parallel.ordered; k < parallel.count; ++k)
        *out++ = parallel.entries[k];
    for (int k = series.ordered; k < series.count; ++k)
        *out++ = tagged(k);
    return PairRanking{BothKinds, parallel.ordered + series.ordered, parallel.count + series.count,
                       parallel.nonNegative && series.nonNegative};
}

BoundedRanking Bounded(const PairRanking& ranking) {
    return BoundedRanking{
        &ranking, RankAtLeast(ranking, BOUNDED_MAGNITUDE_MIN), RankAbove(ranking, BOUNDED_MAGNITUDE_MAX), {}};
}

// Calls visit(position) for every entry of the ranking that the bounds leave
// possible: with known bounds, those within lo .. hi and those outside the
// magnitude range; otherwise all of them.
template <typename Visit> void ForEachPossible(const BoundedRanking& b, const RbBounds& bounds, Visit visit) {
    const PairRanking& ranking = *b.ranking;
    const RankedPair* e = ranking.entries;
    if (!bounds.known) {
        for (int i = 0; i < ranking.count; ++i)
            visit(e[i].position);
        return;
    }
    int lo = std::max(b.minAt, RankAtLeast(ranking, bounds.lo));
    int hi = std::min(b.maxAt, RankAbove(ranking, bounds.hi));
    for (int i = 0; i < b.minAt; ++i)
        visit(e[i].position);
    for (int i = lo; i < hi; ++i)
        visit(e[i].position);
    for (int i = std::max(b.maxAt, b.minAt); i < ranking.count; ++i)
        visit(e[i].position);
}

// Where the pairs of the next resistor come from, given how many more DNM
// positions the candidate still needs: only the pairs with the last entry
// when it needs one from each remaining resistor, otherwise both kinds.
const BoundedRanking* Sources(int missing, int remaining, const BoundedRanking& all,
                              const BoundedRanking& dnm) {
    if (missing > remaining) return nullptr;
    return missing == remaining ? &dnm : &all;
}

// The rankings of one run: every pair (parallel, and series when they are
// searched), and the parallel pairs with the last entry.
struct Kinds {
    BoundedRanking all;
    BoundedRanking dnm;
    bool extremes; // some pair lies outside the magnitude range
};

// Entries lo .. hi - 1 of a ranking.
struct Span {
    int lo, hi;
};

// Ordered entries of the ranking within rLo .. rHi and the magnitude range.
Span Within(const BoundedRanking& b, double rLo, double rHi, RangeKind kind) {
    int* hint = b.hints[kind];
    // Each search starts where the last one of its kind ended.
    hint[0] = RankAtLeastFrom(*b.ranking, rLo, hint[0]);
    hint[1] = RankAboveFrom(*b.ranking, rHi, hint[1]);
    int lo = std::max(b.minAt, hint[0]);
    int hi = std::min(b.maxAt, hint[1]);
    return Span{lo, std::max(lo, hi)};
}

// The entries of span within lo .. hi. The sure range lies just inside the
// possible one, and every entry between them is evaluated anyway, so stepping
// in from both ends costs less than a search.
Span Inside(const BoundedRanking& b, Span span, double lo, double hi) {
    const RankedPair* e = b.ranking->entries;
    int i = span.lo, j = span.hi;
    while (i < j && e[i].r < lo)
        ++i;
    while (j > i && e[j - 1].r > hi)
        --j;
    return Span{i, j};
}

// Evaluates the entries lo .. hi - 1 of the source; with count set, each
// accepted one is counted (it was not counted in bulk) and offered; without,
// only those with the DNM count onlyDnm (or any, when it is negative).
void EvaluateSpan(const Partial& c, const BoundedRanking& source, Span span, bool count, int onlyDnm) {
    const RankedPair* e = source.ranking->entries;
    int last = c.parts->count - 1;
    for (int i = span.lo; i < span.hi; ++i) {
        PairRef rb = RefOf(e[i].position);
        const PairTable& table = TableOf(rb);
        int position = rb.position;
        // Sources has already left out the pairs that miss the DNM minimum.
        int dnm = c.dnm + (table.second[position] == last);
        if (onlyDnm >= 0 && dnm != onlyDnm) continue;
        CandidateValues v = EvaluateCandidate(c.raValue, table.r[position], c.rfValue, *c.params);
        if (v.worstErr > c.params->precision) continue;
        if (count) ++Total;
        BestOffer(CandidateKey{v.worstErr, EncodeCandidate(dnm, c.ra, c.rf, rb)});
    }
}

bool HasExtremes(const BoundedRanking& b) {
    return b.minAt > 0 || b.maxAt < b.ranking->count;
}

// Most spans at the edges of a range are empty: they cost no call.
inline void Evaluate(const Partial& c, const BoundedRanking& source, Span span, bool count, int onlyDnm) {
    if (span.lo < span.hi) EvaluateSpan(c, source, span, count, onlyDnm);
}

// The Rb pairs outside the magnitude range, which no bound covers: with a part
// of 0 ohms an Rb of 0 makes the evaluation NaN, which passes, whatever Rf is.
void VisitExtremeRb(const Partial& c, const BoundedRanking& source) {
    Evaluate(c, source, Span{0, source.minAt}, true, -1);
    Evaluate(c, source, Span{std::max(source.maxAt, source.minAt), source.ranking->count}, true, -1);
}

// The surely accepted entries of a span, counted already: only those that can
// still enter the selection are evaluated. When it is full, a candidate needs
// a DNM count above that of the worst kept one, or the same count and an error
// no larger, which a narrower acceptance bound finds.
void OfferCertain(const Partial& c, const BoundedRanking& source, Span span, const Kinds& kinds, double lo,
                  double hi) {
    if (!BestFull()) return Evaluate(c, source, span, false, -1);
    const CandidateKey& worst = BestWorst();
    int keptDnm = CandidateDnm(worst.code);
    int base = c.dnm + (source.ranking == kinds.dnm.ranking ? 1 : 0);
    int mixed = source.ranking == kinds.all.ranking ? 1 : 0; // holds pairs with and without DNM
    if (base > keptDnm) return Evaluate(c, source, span, false, -1);
    if (base + mixed < keptDnm) return;
    double precision = std::isnan(worst.worstErr) ? c.params->precision : worst.worstErr;
    if (WithinNearRf(c, keptDnm, precision)) {
        RbBounds near = AcceptableRb(ModelWithin(precision), c.raValue, c.rfValue);
        Span nearSpan =
            near.known ? Within(source, std::max(lo, near.lo), std::min(hi, near.hi), RANGE_NEAR) : span;
        Evaluate(c, source, Span{std::max(span.lo, nearSpan.lo), std::min(span.hi, nearSpan.hi)}, false,
                 keptDnm);
    }
    if (mixed && base == keptDnm) Evaluate(c, kinds.dnm, Within(kinds.dnm, lo, hi, RANGE_CERTAIN), false, -1);
}

// So few possible Rb pairs are evaluated one by one: cheaper than finding
// the sure range among them.
const int FEW_RB = 6;

// The sure Rb range of one Ra and Rf pair, worked out only when a source has
// more possible Rb pairs than FEW_RB.
struct SureRb {
    bool done;
    RbBounds bounds;
    const RbBounds& For(const Partial& c) {
        if (!done) bounds = CertainRb(SureModel, c.raValue, c.rfValue);
        done = true;
        return bounds;
    }
};

// The Rb pairs of one source: those the bounds leave possible are evaluated,
// except those surely accepted, which are counted in bulk.
void VisitRb(const Partial& c, const BoundedRanking& source, const RbBounds& bounds, SureRb& certain,
             const Kinds& kinds) {
    const PairRanking& ranking = *source.ranking;
    if (!bounds.known) return Evaluate(c, source, Span{0, ranking.count}, true, -1);
    if (HasExtremes(source)) VisitExtremeRb(c, source);
    Span outer = Within(source, bounds.lo, bounds.hi, RANGE_OUTER);
    if (outer.lo == outer.hi) return;
    if (outer.hi - outer.lo <= FEW_RB) return Evaluate(c, source, outer, true, -1);
    const RbBounds& sure = certain.For(c);
    double lo = std::max(bounds.lo, sure.lo);
    double hi = std::min(bounds.hi, sure.hi);
    Span inner = sure.known && lo <= hi ? Inside(source, outer, lo, hi) : Span{outer.lo, outer.lo};
    Evaluate(c, source, Span{outer.lo, inner.lo}, true, -1);
    Evaluate(c, source, Span{inner.hi, outer.hi}, true, -1);
    Total += static_cast<std::uint64_t>(inner.hi - inner.lo);
    if (inner.hi > inner.lo) OfferCertain(c, source, inner, kinds, lo, hi);
}

// Every Rf and Rb of the Ra pair in c. An Rf that the bounds rule out still
// meets the Rb pairs outside the magnitude range, when the list has any.
void VisitRa(Partial c, const Kinds& kinds) {
    const BoundedRanking* rfSource = Sources(c.params->minDnm - c.dnm, 2, kinds.all, kinds.dnm);
    if (!rfSource) return;
    const BoundedRanking& source = *rfSource;
    RfBounds rfBounds = AcceptableRf(Model, c.raValue);
    int last = c.parts->count - 1;
    int raDnm = c.dnm;
    auto visitRf = [&](std::uint32_t tagged, bool extremesOnly) {
        c.rf = RefOf(tagged);
        const PairTable& table = TableOf(c.rf);
        c.rfValue = table.r[c.rf.position];
        c.dnm = raDnm + (table.second[c.rf.position] == last);
        const BoundedRanking* rbSource = Sources(c.params->minDnm - c.dnm, 1, kinds.all, kinds.dnm);
        if (!rbSource) return;
        if (extremesOnly) {
            if (HasExtremes(*rbSource)) VisitExtremeRb(c, *rbSource);
            return;
        }
        SureRb certain{};
        VisitRb(c, *rbSource, AcceptableRb(Model, c.raValue, c.rfValue), certain, kinds);
    };
    ForEachPossible(source, rfBounds, [&](std::uint32_t tagged) { visitRf(tagged, false); });
    if (!rfBounds.known || !(kinds.extremes)) return;
    Span possible = Within(source, rfBounds.lo, rfBounds.hi, RANGE_OTHER);
    const RankedPair* e = source.ranking->entries;
    for (int i = source.minAt; i < std::max(source.minAt, source.maxAt); ++i)
        if (i < possible.lo || i >= possible.hi) visitRf(e[i].position, true);
}

} // namespace

CompleteTally SearchComplete(const PartsList& parts, const SearchParams& params, bool includeSerial,
                             int best) {
    BuildPairTables(parts, includeSerial);
    BestStart(parts, best);
    CompleteParts = &parts;
    CompleteParams = &params;
    Total = 0;
    PairMin = PairMax = 0; // a and b unlimited by a list with extreme pairs
    BoundedPairExtent(PairMin, PairMax);
    Model = BuildAcceptanceModel(params, PairMin, PairMax);
    SureModel = BuildSureRbModel(params);
    NearPrecision = std::numeric_limits<double>::quiet_NaN();
    NearRf.raValue = std::numeric_limits<double>::quiet_NaN();
    static PairRanking both;
    if (includeSerial) both = MergeKinds(ParallelRanking, SeriesRanking);
    Kinds kinds{};
    kinds.all = Bounded(includeSerial ? both : ParallelRanking);
    kinds.dnm = Bounded(DnmRanking);
    kinds.extremes = HasExtremes(kinds.all);
    int last = parts.count - 1;
    Partial c{};
    c.parts = &parts;
    c.params = &params;
    for (int k = 0; k < (includeSerial ? 2 : 1); ++k) {
        const PairTable& table = TableOf(PairRef{k == 1, 0});
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
    CandidateValues v = EvaluateCandidate(ra, rb, rf, *CompleteParams);
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
    StoreValues(record, v, rf);
}

RunOutcome RunCompleteSearch(int best, CompleteTally& tally) {
    tally = CompleteTally{0, 0};
    TextSlots[SLOT_RESULT][0] = '\0';
    TextSlots[SLOT_STATUS][0] = '\0';
    if (!RunInputStages()) return RunOutcome::InputError;
    tally = SearchComplete(PartsListStore, SearchParamsStore, Settings[SETTING_INCLUDE_SERIAL] == 1, best);
    return RunOutcome::Searched;
}
