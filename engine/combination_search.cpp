// The combination search as the program runs it. It hands ExamineCandidate
// exactly the candidates of the literal enumeration, in the same order, except
// those the pre-filters or the DNM minimum drop, so it stores the same records.
// Instead of testing every Rf and Rb pair it finds, once per Ra pair, the pairs
// that pass their pre-filter by binary search in the rankings of pair_tables,
// narrowed to the Rf values the acceptance test can pass; walking those in
// resistance order (skipping runs that cannot reach an Rb pair) it keeps the
// Rf pairs whose acceptance bounds hold an Rb pair and puts them back into
// enumeration order; per Rf pair it then narrows the Rb pairs to the
// acceptance bounds when that leaves out most of them. The acceptance bounds
// matter most where the pre-filters pass everything (infinite or NaN targets).
// Its work follows the matches rather than the sixth power of the list length.
#include "engine/combination_search.h"

#include <algorithm>
#include <limits>

#include "engine/acceptance_bounds.h"
#include "engine/combination_eval.h"
#include "engine/pair_tables.h"
#include "state/app_state.h"

MatchRecord MatchTable[MATCH_LIMIT];

namespace {

// Which Rb pairs can still bring a candidate up to the DNM minimum, given the
// DNM count of its Ra and Rf pairs: none, only the pairs with the last entry
// (the one pair kind that adds to the count), or all.
enum class RbScope { None, DnmPairs, All };

// Positions, in enumeration order, of the pairs that passed a pre-filter.
struct PassingPairs {
    std::uint32_t* positions;
    int count;
};

// Ranks of the acceptance bounds found for the Rf pair before, where the
// search for the next one starts.
struct RankHints {
    int lo;
    int hi;
};

// The passing Rb pairs of one kind, or the DNM pairs, for the current Ra pair:
// their range in the ranking, the part of it within the bounded magnitudes
// (the rest, and the NaN pairs, are examined whatever the bounds), and their
// list, collected on first use.
struct RbSource {
    const PairRanking* ranking;
    const PairTable* table;
    PassingRange range;
    PassingRange inner;
    std::uint32_t* positions;
    int count; // -1 until collected
    RankHints hints;
};

// What one Ra pair offers its Rf pairs: the passing Rb pairs and the scope for
// an Rf pair that adds nothing to the DNM count and for one that adds one.
struct RbChoices {
    const AcceptanceModel* model;
    int raDnm;
    RbScope plain;
    RbScope withDnm;
    double target;
    double window;
    RbSource parallel, series, dnm;
};

// Scratch lists of the current Ra pair, each large enough for a whole kind,
// and of the current Rf pair (the Rb pairs within the acceptance bounds).
std::uint32_t RfParallelPositions[PAIR_CAPACITY];
std::uint32_t RfSeriesPositions[PAIR_CAPACITY];
std::uint32_t RbParallelPositions[PAIR_CAPACITY];
std::uint32_t RbSeriesPositions[PAIR_CAPACITY];
std::uint32_t RbDnmPositions[PARTS_CAPACITY];
std::uint32_t RbBoundedPositions[PAIR_CAPACITY];

// Bounds pay off only when they leave out most of the passing pairs.
const int BOUNDED_SHARE = 4;

// The acceptance model of the search, and whether the Rf pairs may be narrowed
// to it: only when every pair lies within the bounded magnitudes, since an Rf
// pair left out takes all its Rb pairs with it, and an Rb pair of 0 ohms or of
// a NaN or huge value can give a NaN evaluation, which passes.
struct SearchBounds {
    AcceptanceModel model;
    bool narrowRf;
};

// The part of an ordered range within lo .. hi of known bounds.
PassingRange Narrowed(const PairRanking& ranking, PassingRange range, const RbBounds& bounds) {
    if (!bounds.known || range.scan) return range;
    range.lo = std::max(range.lo, RankAtLeast(ranking, bounds.lo));
    range.hi = std::max(range.lo, std::min(range.hi, RankAbove(ranking, bounds.hi)));
    return range;
}

RbScope ScopeFor(int minDnm, int dnmSoFar) {
    int missing = minDnm - dnmSoFar;
    if (missing <= 0) return RbScope::All;
    if (missing == 1) return RbScope::DnmPairs;
    return RbScope::None;
}

bool VisitRb(const CandidateContext& c, const PassingPairs& rb, const PairTable& table, TopologyMask topology,
             int dnmSoFar) {
    int last = c.parts->count - 1;
    for (int i = 0; i < rb.count; ++i) {
        std::uint32_t p = rb.positions[i];
        int o = table.second[p];
        if (!ExamineCandidate(c, topology, table.r[p], table.first[p], o, dnmSoFar + (o == last)))
            return false;
    }
    return true;
}

// The part of a source's passing range within the bounded magnitudes: at once
// when the whole range is (every list without a 0-ohm, huge or negative part).
PassingRange InnerRange(const PairRanking& ranking, PassingRange range) {
    if (range.scan || range.lo == range.hi) return range;
    const RankedPair* e = ranking.entries;
    if (e[range.lo].r >= BOUNDED_MAGNITUDE_MIN && e[range.hi - 1].r <= BOUNDED_MAGNITUDE_MAX) return range;
    range.lo = std::max(range.lo, RankAtLeast(ranking, BOUNDED_MAGNITUDE_MIN));
    range.hi = std::max(range.lo, std::min(range.hi, RankAbove(ranking, BOUNDED_MAGNITUDE_MAX)));
    return range;
}

// How many passing pairs of a source lie outside its inner range: beyond the
// bounded magnitudes, or NaN.
int OuterSize(const RbSource& source) {
    return PassingSize(*source.ranking, source.range) - (source.inner.hi - source.inner.lo);
}

// Whether the acceptance bounds may narrow the source: its pairs within the
// bounded magnitudes; the others are examined whatever the bounds.
bool Boundable(const RbSource& source, const RbBounds& bounds) {
    return bounds.known && !source.range.scan && source.inner.lo < source.inner.hi;
}

// The inner range of a boundable source within the bounds, searched from the
// hints, which it moves to the ranks found.
PassingRange BoundedRange(const RbSource& source, const RbBounds& bounds, RankHints& hints) {
    hints.lo = RankAtLeastFrom(*source.ranking, bounds.lo, hints.lo);
    hints.hi = RankAboveFrom(*source.ranking, bounds.hi, hints.hi);
    PassingRange bounded = source.inner;
    bounded.lo = std::max(bounded.lo, hints.lo);
    bounded.hi = std::max(bounded.lo, std::min(bounded.hi, hints.hi));
    return bounded;
}

// The positions of the bounded pairs and of every pair outside the inner
// range, in enumeration order.
int CollectBounded(const RbSource& source, const PassingRange& bounded, std::uint32_t* out) {
    const PairRanking& ranking = *source.ranking;
    int count = 0;
    auto take = [&](int lo, int hi) {
        for (int i = lo; i < hi; ++i)
            out[count++] = ranking.entries[i].position;
    };
    take(source.range.lo, source.inner.lo);
    take(bounded.lo, bounded.hi);
    take(source.inner.hi, source.range.hi);
    take(ranking.ordered, ranking.count);
    std::sort(out, out + count);
    return count;
}

// The Rb pairs of one source for the current Ra and Rf pairs. Pairs outside the
// acceptance bounds are skipped only when the source is boundable.
bool VisitRbSource(const CandidateContext& c, RbSource& source, const RbBounds& bounds, TopologyMask topology,
                   int dnmSoFar, const RbChoices& rb) {
    const PairRanking& ranking = *source.ranking;
    if (Boundable(source, bounds)) {
        PassingRange bounded = BoundedRange(source, bounds, source.hints);
        int size = bounded.hi - bounded.lo + OuterSize(source);
        // Most Rf pairs of a thin acceptance band have no Rb pair at all.
        if (size == 0) return true;
        if (BOUNDED_SHARE * size < PassingSize(ranking, source.range)) {
            int count = CollectBounded(source, bounded, RbBoundedPositions);
            return VisitRb(c, PassingPairs{RbBoundedPositions, count}, *source.table, topology, dnmSoFar);
        }
    }
    if (source.count < 0)
        source.count = CollectPassing(ranking, source.range, rb.target, rb.window, source.positions);
    return VisitRb(c, PassingPairs{source.positions, source.count}, *source.table, topology, dnmSoFar);
}

// Whether VisitRbSource would surely examine nothing of the source: the same
// test as its empty bounded range, with one search instead of two, since the
// first pair at or above the lower bound decides it.
bool NoRbPair(const RbSource& source, const RbBounds& bounds, RankHints& hints) {
    const PairRanking& ranking = *source.ranking;
    if (PassingSize(ranking, source.range) == 0) return true;
    if (!Boundable(source, bounds) || OuterSize(source) > 0) return false;
    hints.lo = RankAtLeastFrom(ranking, bounds.lo, hints.lo);
    int first = std::max(source.range.lo, hints.lo);
    return first >= source.range.hi || ranking.entries[first].r > bounds.hi;
}

// Whether an Rf pair of the given scope and Rb bounds may have an Rb pair.
bool MayHaveRb(const RbChoices& rb, RbScope scope, const RbBounds& bounds, RankHints hints[3]) {
    if (scope == RbScope::None) return false;
    if (scope == RbScope::DnmPairs) return !NoRbPair(rb.dnm, bounds, hints[2]);
    return !NoRbPair(rb.parallel, bounds, hints[0]) || !NoRbPair(rb.series, bounds, hints[1]);
}

// The Rf pairs of one kind, each followed by its Rb pairs as the literal loops
// take them: parallel ones, then series ones.
bool VisitRf(CandidateContext c, const PassingPairs& rf, bool rfSeries, RbChoices& rb) {
    const PairTable& table = rfSeries ? SeriesPairs : ParallelPairs;
    int last = c.parts->count - 1;
    if (rfSeries) c.topology |= TOPOLOGY_RF_SERIES;
    for (int i = 0; i < rf.count; ++i) {
        std::uint32_t p = rf.positions[i];
        c.rf = table.r[p];
        c.rfFirst = table.first[p];
        c.rfSecond = table.second[p];
        bool rfDnm = c.rfSecond == last; // never true for a series pair
        int dnmSoFar = rb.raDnm + (rfDnm ? 1 : 0);
        RbScope scope = rfDnm ? rb.withDnm : rb.plain;
        if (scope == RbScope::None) continue;
        RbBounds bounds = AcceptableRb(*rb.model, c.ra, c.rf);
        if (scope == RbScope::All) {
            if (!VisitRbSource(c, rb.parallel, bounds, c.topology, dnmSoFar, rb)) return false;
            if (!VisitRbSource(c, rb.series, bounds, c.topology | TOPOLOGY_RB_SERIES, dnmSoFar, rb))
                return false;
        } else if (!VisitRbSource(c, rb.dnm, bounds, c.topology, dnmSoFar, rb)) {
            return false;
        }
    }
    return true;
}

PassingPairs Collect(const PairRanking& ranking, const PassingRange& range, double target, double window,
                     std::uint32_t* positions) {
    return PassingPairs{positions, CollectPassing(ranking, range, target, window, positions)};
}

// After this many Rf pairs in a row without an Rb pair the walk looks for the
// next Rf value that can have one: the look costs about as much as two steps,
// and on a thin band the next pair is most often a miss too.
const int SKIP_AFTER_MISSES = 2;

// Where the walk over the Rf pairs of the current Ra pair goes on after an Rf
// of resistance rf found no Rb pair: every Rb pair of the scope lies at or
// below the one just under its bounds, or at or above the one just over them.
// The Rf values the acceptance test can pass with an Rb of either side lie
// within two intervals (ReachableRf), so the Rf values between rf and
// the nearer interval ahead have no Rb pair at all and can be skipped. Returns
// rf itself when rf lies in either interval.
double NextReachableRf(const CandidateContext& c, const RbChoices& rb, RbScope scope, double rf,
                       const RankHints hints[3]) {
    const double inf = std::numeric_limits<double>::infinity();
    double below = -inf, above = inf;
    // The hints hold each source's first rank at or above the lower Rb bound.
    auto neighbours = [&below, &above](const RbSource& source, const RankHints& hint) {
        const PairRanking& ranking = *source.ranking;
        if (PassingSize(ranking, source.range) == 0) return;
        int first = std::max(source.range.lo, hint.lo);
        if (first < source.range.hi) above = std::min(above, ranking.entries[first].r);
        if (first > source.range.lo) below = std::max(below, ranking.entries[first - 1].r);
    };
    if (scope == RbScope::DnmPairs) {
        neighbours(rb.dnm, hints[2]);
    } else {
        neighbours(rb.parallel, hints[0]);
        neighbours(rb.series, hints[1]);
    }
    const AcceptanceModel& model = *rb.model;
    double next = inf;
    auto side = [&](double lo, double hi) {
        if (!(lo <= hi)) return;
        RfBounds reach = ReachableRf(model, c.ra, lo, hi); // unknown: from rf on
        if (reach.lo <= reach.hi && reach.hi >= rf) next = std::min(next, std::max(reach.lo, rf));
    };
    bool listed = model.pairMax > 0;
    side(listed ? model.pairMin : 0, below);
    side(above, listed ? model.pairMax : inf);
    // The bounds hold only for Rf values within the bounded magnitudes.
    return std::min(next, BOUNDED_MAGNITUDE_MAX);
}

// Appends to positions the ranked Rf pairs lo .. hi - 1 of one scope that may
// have an Rb pair, leaving out the DNM pairs when skipDnm is set (they belong
// to another scope); returns the new count.
int CollectRfScope(const CandidateContext& c, const PairRanking& ranking, const PassingRange& range,
                   const RbChoices& rb, RbScope scope, bool skipDnm, std::uint32_t* positions, int count) {
    if (scope == RbScope::None) return count;
    RankHints hints[3] = {{0, 0}, {0, 0}, {0, 0}};
    const PairTable& table = &ranking == &SeriesRanking ? SeriesPairs : ParallelPairs;
    int last = c.parts->count - 1;
    int misses = 0;
    for (int i = range.lo; i < range.hi;) {
        double rf = ranking.entries[i].r;
        if (MayHaveRb(rb, scope, AcceptableRb(*rb.model, c.ra, rf), hints)) {
            std::uint32_t p = ranking.entries[i].position;
            if (!(skipDnm && table.second[p] == last)) positions[count++] = p;
            misses = 0;
            ++i;
            continue;
        }
        if (++misses < SKIP_AFTER_MISSES) {
            ++i;
            continue;
        }
        double next = NextReachableRf(c, rb, scope, rf, hints);
        i = next > rf ? std::max(i + 1, RankAtLeastFrom(ranking, next, i + 1)) : i + 1;
        misses = 0;
    }
    return count;
}

// The passing Rf pairs of a known range that may have an Rb pair, in
// enumeration order. Taken in rank order, each pair's Rb bounds lie next to
// those of the one before, so the hints find them in a few steps, and a run of
// pairs without one is skipped; when the acceptance band is a thin line most
// pairs drop out here, and only the few kept are sorted. The parallel DNM
// pairs, whose scope may differ from the other pairs', are walked in their
// own ranking over dnmRange.
PassingPairs CollectRf(const CandidateContext& c, const PairRanking& ranking, const PassingRange& range,
                       const RbChoices& rb, const PassingRange& dnmRange, std::uint32_t* positions) {
    int count = 0;
    if (&ranking == &DnmRanking) {
        count = CollectRfScope(c, ranking, range, rb, rb.withDnm, false, positions, count);
    } else if (&ranking == &SeriesRanking || rb.plain == rb.withDnm) {
        count = CollectRfScope(c, ranking, range, rb, rb.plain, false, positions, count);
    } else {
        // The DNM pairs are parallel pairs: their range is known when the
        // parallel one is.
        count = CollectRfScope(c, ranking, range, rb, rb.plain, true, positions, count);
        count = CollectRfScope(c, DnmRanking, dnmRange, rb, rb.withDnm, false, positions, count);
    }
    for (int i = ranking.ordered; i < ranking.count; ++i)
        positions[count++] = ranking.entries[i].position;
    std::sort(positions, positions + count);
    return PassingPairs{positions, count};
}

// The passing Rf pairs of one ranking, narrowed to those that may have an Rb
// pair when the range is known.
PassingPairs CollectRfKind(const CandidateContext& c, const PairRanking& ranking, const PassingRange& range,
                           const PassingRange& dnmRange, const RbChoices& rb, std::uint32_t* positions) {
    if (range.scan) return Collect(ranking, range, c.rfTarget, rb.window, positions);
    return CollectRf(c, ranking, range, rb, dnmRange, positions);
}

// The Rb scopes of the current Ra pair and its empty Rb sources; false when
// even an Rf pair that adds to the DNM count cannot reach the minimum.
bool PrepareChoices(RbChoices& rb, const CandidateContext& c, const AcceptanceModel& model, bool raDnm,
                    double window) {
    rb.model = &model;
    rb.raDnm = raDnm ? 1 : 0;
    rb.plain = ScopeFor(c.params->minDnm, rb.raDnm);
    rb.withDnm = ScopeFor(c.params->minDnm, rb.raDnm + 1);
    rb.target = c.rbTarget;
    rb.window = window;
    rb.parallel = RbSource{&ParallelRanking, &ParallelPairs, {}, {}, RbParallelPositions, -1, {0, 0}};
    rb.series = RbSource{&SeriesRanking, &SeriesPairs, {}, {}, RbSeriesPositions, -1, {0, 0}};
    rb.dnm = RbSource{&DnmRanking, &ParallelPairs, {}, {}, RbDnmPositions, -1, {0, 0}};
    return rb.withDnm != RbScope::None;
}

// How many Rb pairs pass, at most, among all pairs and among the DNM pairs.
struct RbSizes {
    int all;
    int dnm;
};

// Finds the passing ranges of the Rb sources the scopes use.
RbSizes FindRbRanges(RbChoices& rb) {
    RbSizes sizes{0, 0};
    if (rb.plain == RbScope::All || rb.withDnm == RbScope::All) {
        rb.parallel.range = FindPassingRange(ParallelRanking, rb.target, rb.window);
        rb.series.range = FindPassingRange(SeriesRanking, rb.target, rb.window);
        rb.parallel.inner = InnerRange(ParallelRanking, rb.parallel.range);
        rb.series.inner = InnerRange(SeriesRanking, rb.series.range);
        sizes.all =
            PassingSize(ParallelRanking, rb.parallel.range) + PassingSize(SeriesRanking, rb.series.range);
    }
    if (rb.plain == RbScope::DnmPairs || rb.withDnm == RbScope::DnmPairs) {
        rb.dnm.range = FindPassingRange(DnmRanking, rb.target, rb.window);
        rb.dnm.inner = InnerRange(DnmRanking, rb.dnm.range);
        sizes.dnm = PassingSize(DnmRanking, rb.dnm.range);
    }
    return sizes;
}

// The smallest and largest Rb of the passing ranges the scopes use; false
// when a range must be scanned or holds NaN pairs.
bool RbExtent(const RbChoices& rb, double& lo, double& hi) {
    lo = std::numeric_limits<double>::infinity();
    hi = -lo;
    auto take = [&lo, &hi](const RbSource& source) {
        const PairRanking& ranking = *source.ranking;
        if (source.range.scan || ranking.count != ranking.ordered) return false;
        if (source.range.lo < source.range.hi) {
            lo = std::min(lo, ranking.entries[source.range.lo].r);
            hi = std::max(hi, ranking.entries[source.range.hi - 1].r);
        }
        return true;
    };
    if ((rb.plain == RbScope::All || rb.withDnm == RbScope::All) && !(take(rb.parallel) && take(rb.series)))
        return false;
    if ((rb.plain == RbScope::DnmPairs || rb.withDnm == RbScope::DnmPairs) && !take(rb.dnm)) return false;
    return lo <= hi;
}

bool Usable(RbScope scope, const RbSizes& sizes) {
    if (scope == RbScope::All) return sizes.all > 0;
    return scope == RbScope::DnmPairs && sizes.dnm > 0;
}

// The Rf pairs of the current Ra pair that pass their pre-filter and the
// acceptance bounds: every parallel and series pair, or, when only an Rf pair
// that adds to the DNM count can take part, the DNM pairs alone. The DNM pairs
// have a range of their own when their scope differs from the other pairs'.
struct RfRanges {
    const PairRanking* parallelRanking;
    PassingRange parallel;
    PassingRange series;
    PassingRange dnm;
    bool everyRf;
};

RfRanges FindRfRanges(const CandidateContext& c, const RfBounds& bounds, double window, bool everyRf,
                      bool dnmApart) {
    RfRanges rf{everyRf ? &ParallelRanking : &DnmRanking, {}, {}, {}, everyRf};
    rf.parallel =
        Narrowed(*rf.parallelRanking, FindPassingRange(*rf.parallelRanking, c.rfTarget, window), bounds);
    if (everyRf)
        rf.series = Narrowed(SeriesRanking, FindPassingRange(SeriesRanking, c.rfTarget, window), bounds);
    if (everyRf && dnmApart)
        rf.dnm = Narrowed(DnmRanking, FindPassingRange(DnmRanking, c.rfTarget, window), bounds);
    return rf;
}

int RfSize(const RfRanges& rf) {
    return PassingSize(*rf.parallelRanking, rf.parallel) +
           (rf.everyRf ? PassingSize(SeriesRanking, rf.series) : 0);
}

// All candidates of one Ra pair (set in c). The ranges are found first and the
// lists collected only when both an Rf and an Rb pair can pass, since most Ra
// pairs of a precise search have no partner at all.
bool SearchRa(CandidateContext& c, const ShifterDesign& design, const SearchBounds& bounds, bool raDnm) {
    RfBounds rfBounds = bounds.narrowRf ? AcceptableRf(bounds.model, c.ra) : RfBounds{0, 0, false};
    if (rfBounds.known && !(rfBounds.lo <= rfBounds.hi)) return true;
    ComputeTargets(c, design, c.params->vref);
    double window = design.prefilterWindow;
    RbChoices rb{};
    if (!PrepareChoices(rb, c, bounds.model, raDnm, window)) return true;
    RbSizes sizes = FindRbRanges(rb);
    bool everyRf = Usable(rb.plain, sizes);
    if (!everyRf && !Usable(rb.withDnm, sizes)) return true;
    // The Rf values the acceptance test can pass with the Rb pairs that pass
    // their pre-filter for this Ra, often far fewer than with every pair.
    double rbLo = 0, rbHi = 0;
    if (rfBounds.known && RbExtent(rb, rbLo, rbHi)) {
        rfBounds = AcceptableRf(bounds.model, c.ra, rbLo, rbHi);
        if (!(rfBounds.lo <= rfBounds.hi)) return true;
    }

    RfRanges rf = FindRfRanges(c, rfBounds, window, everyRf, rb.plain != rb.withDnm);
    if (RfSize(rf) == 0) return true;
    if (!VisitRf(c, CollectRfKind(c, *rf.parallelRanking, rf.parallel, rf.dnm, rb, RfParallelPositions),
                 false, rb))
        return false;
    if (!everyRf) return true;
    return VisitRf(c, CollectRfKind(c, SeriesRanking, rf.series, rf.dnm, rb, RfSeriesPositions), true, rb);
}

// Every Ra pair of one kind in enumeration order.
bool SearchRaKind(const PartsList& parts, const SearchParams& params, const ShifterDesign& design,
                  const SearchBounds& bounds, bool raSeries) {
    const PairTable& table = raSeries ? SeriesPairs : ParallelPairs;
    int last = parts.count - 1;
    CandidateContext c{};
    c.parts = &parts;
    c.params = &params;
    c.topology = raSeries ? TOPOLOGY_RA_SERIES : 0;
    for (int p = 0; p < table.count; ++p) {
        c.ra = table.r[p];
        c.raFirst = table.first[p];
        c.raSecond = table.second[p];
        if (!SearchRa(c, design, bounds, c.raSecond == last)) return false;
    }
    return true;
}

} // namespace

int SearchCombinations(const PartsList& parts, const SearchParams& params, const ShifterDesign& design,
                       bool includeSerial) {
    Settings[SETTING_MATCH_COUNT] = 0;
    // Without series pairs the series table stays empty, so no series pair is
    // visited as Ra, Rf or Rb.
    BuildPairTables(parts, includeSerial);
    SearchBounds bounds{};
    double pairMin = 0, pairMax = 0; // no pair of the list: a and b unlimited
    bool bounded = BoundedPairExtent(pairMin, pairMax);
    bounds.model = BuildAcceptanceModel(params, pairMin, pairMax);
    bounds.narrowRf = bounded && bounds.model.known;
    if (SearchRaKind(parts, params, design, bounds, false)) SearchRaKind(parts, params, design, bounds, true);
    return Settings[SETTING_MATCH_COUNT];
}
