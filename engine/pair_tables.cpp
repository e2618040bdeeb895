// The pair tables and rankings of one search, and the binary searches over a
// ranking. Every verdict comes from PassesPrefilter itself on the stored
// resistances, never from range bounds worked out by algebra, so a pair falls
// inside a found range exactly when the literal enumeration lets it through.
// Built once per search: about 125 000 pairs of each kind for a full list.
#include "engine/pair_tables.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "engine/combination_eval.h"

PairTable ParallelPairs;
PairTable SeriesPairs;
PairRanking ParallelRanking;
PairRanking SeriesRanking;
PairRanking DnmRanking;

namespace {

RankedPair ParallelRanked[PAIR_CAPACITY];
RankedPair SeriesRanked[PAIR_CAPACITY];
RankedPair DnmRanked[PARTS_CAPACITY];
std::uint32_t DnmPositions[PARTS_CAPACITY];

// Every pair of one kind in enumeration order: first part 0 .. n-2, second part
// from the first up to the last entry (parallel) or the one before (series).
void FillTable(PairTable& table, const PartsList& parts, bool series) {
    int last = parts.count - 1;
    int secondEnd = series ? last : parts.count;
    int position = 0;
    for (int first = 0; first < last; ++first) {
        for (int second = first; second < secondEnd; ++second) {
            table.r[position] = PairResistance(parts, series, first, second);
            table.first[position] = static_cast<std::uint16_t>(first);
            table.second[position] = static_cast<std::uint16_t>(second);
            ++position;
        }
    }
    table.count = position;
}

// Ranks the pairs at the given positions (all pairs when positions is null):
// NaN resistances cannot be ordered, so they go last, in position order.
PairRanking Rank(const PairTable& table, const std::uint32_t* positions, int count, RankedPair* entries) {
    int nanCount = 0;
    for (int i = 0; i < count; ++i)
        nanCount += std::isnan(table.r[positions ? positions[i] : i]) ? 1 : 0;
    int ordered = 0;
    int nanAt = count - nanCount;
    for (int i = 0; i < count; ++i) {
        std::uint32_t position = positions ? positions[i] : static_cast<std::uint32_t>(i);
        double r = table.r[position];
        entries[std::isnan(r) ? nanAt++ : ordered++] = RankedPair{r, position};
    }
    std::sort(entries, entries + ordered, [](const RankedPair& a, const RankedPair& b) { return a.r < b.r; });
    return PairRanking{entries, ordered, count, ordered == 0 || !(entries[0].r < 0)};
}

// First index in [lo, hi) where test holds, for a test that holds on a suffix.
template <typename Test> int FirstHolding(const RankedPair* entries, int lo, int hi, Test test) {
    while (lo < hi) {
        int mid = lo + (hi - lo) / 2;
        if (test(entries[mid].r))
            hi = mid;
        else
            lo = mid + 1;
    }
    return lo;
}

// FirstHolding over the whole ordered part, by doubling steps from hint: the
// steps bracket the answer between a failing and a holding entry (or an end).
template <typename Test> int Gallop(const RankedPair* entries, int n, int hint, Test test) {
    hint = std::min(std::max(hint, 0), n);
    int lo = 0, hi = n;
    if (hint < n && !test(entries[hint].r)) {
        lo = hint + 1;
        for (int step = 1; hint + step < n; step *= 2) {
            if (test(entries[hint + step].r)) {
                hi = hint + step;
                break;
            }
            lo = hint + step + 1;
        }
    } else {
        hi = hint;
        for (int step = 1; hint - step >= 0; step *= 2) {
            if (!test(entries[hint - step].r)) {
                lo = hint - step + 1;
                break;
            }
            hi = hint - step;
        }
    }
    return FirstHolding(entries, lo, hi, test);
}

bool WithinBoundedMagnitudes(const PairRanking& ranking) {
    const RankedPair* e = ranking.entries;
    return ranking.ordered == ranking.count &&
           (ranking.ordered == 0 ||
            (e[0].r >= BOUNDED_MAGNITUDE_MIN && e[ranking.ordered - 1].r <= BOUNDED_MAGNITUDE_MAX));
}

} // namespace

void BuildPairTables(const PartsList& parts, bool includeSerial) {
    FillTable(ParallelPairs, parts, false);
    ParallelRanking = Rank(ParallelPairs, nullptr, ParallelPairs.count, ParallelRanked);
    int last = parts.count - 1;
    int dnmPairs = 0;
    for (int position = 0; position < ParallelPairs.count; ++position)
        if (ParallelPairs.second[position] == last)
            DnmPositions[dnmPairs++] = static_cast<std::uint32_t>(position);
    DnmRanking = Rank(ParallelPairs, DnmPositions, dnmPairs, DnmRanked);
    if (includeSerial)
        FillTable(SeriesPairs, parts, true);
    else
        SeriesPairs.count = 0;
    SeriesRanking = Rank(SeriesPairs, nullptr, SeriesPairs.count, SeriesRanked);
}

PassingRange FindPassingRange(const PairRanking& ranking, double target, double window) {
    const RankedPair* e = ranking.entries;
    int n = ranking.ordered;
    auto passes = [target, window](double r) { return PassesPrefilter(r, target, window); };
    if (target > 0 && target < std::numeric_limits<double>::infinity()) {
        // r / target - 1 never falls as r rises, so the deviation falls up to
        // the target and rises after it: the passing entries are the end of the
        // part below the target and the start of the part above it.
        auto aboveOrPasses = [&](double r) { return !(r / target - 1 < 0) || passes(r); };
        auto aboveAndFails = [&](double r) { return !(r / target - 1 < 0) && !passes(r); };
        int lo = FirstHolding(e, 0, n, aboveOrPasses);
        return PassingRange{lo, FirstHolding(e, lo, n, aboveAndFails), false};
    }
    // Any other target, over resistances of zero or more: a NaN target passes
    // all; a zero target gives r / 0 infinite except NaN for r = 0, so only the
    // zero pairs (the lowest) pass; a negative target gives the deviation
    // 1 - r / target, which grows with r; an infinite target gives every finite
    // pair the deviation 1 and an infinite one NaN. So the passing entries are a
    // prefix or a suffix, and the searches below find its end with the test itself.
    if (!ranking.nonNegative) return PassingRange{0, n, true};
    if (n == 0) return PassingRange{0, 0, false};
    if (passes(e[0].r))
        return PassingRange{0, FirstHolding(e, 1, n, [&](double r) { return !passes(r); }), false};
    if (passes(e[n - 1].r)) return PassingRange{FirstHolding(e, 0, n - 1, passes), n, false};
    return PassingRange{0, 0, false};
}

int CollectPassing(const PairRanking& ranking, const PassingRange& range, double target, double window,
                   std::uint32_t* out) {
    const RankedPair* e = ranking.entries;
    int count = 0;
    if (range.scan) {
        for (int i = 0; i < ranking.count; ++i)
            if (PassesPrefilter(e[i].r, target, window)) out[count++] = e[i].position;
    } else {
        for (int i = range.lo; i < range.hi; ++i)
            out[count++] = e[i].position;
        for (int i = ranking.ordered; i < ranking.count; ++i)
            out[count++] = e[i].position;
    }
    std::sort(out, out + count);
    return count;
}

int RankAtLeast(const PairRanking& ranking, double r) {
    return FirstHolding(ranking.entries, 0, ranking.ordered, [r](double x) { return !(x < r); });
}

int RankAbove(const PairRanking& ranking, double r) {
    return FirstHolding(ranking.entries, 0, ranking.ordered, [r](double x) { return x > r; });
}

bool BoundedPairExtent(double& pairMin, double& pairMax) {
    if (!WithinBoundedMagnitudes(ParallelRanking) || !WithinBoundedMagnitudes(SeriesRanking)) return false;
    // The parallel ranking is never empty, and neither ranking holds a NaN here.
    pairMin = ParallelRanking.entries[0].r;
    pairMax = ParallelRanking.entries[ParallelRanking.ordered - 1].r;
    if (SeriesRanking.ordered == 0) return true;
    pairMin = std::min(pairMin, SeriesRanking.entries[0].r);
    pairMax = std::max(pairMax, SeriesRanking.entries[SeriesRanking.ordered - 1].r);
    return true;
}

int RankAtLeastFrom(const PairRanking& ranking, double r, int hint) {
    return Gallop(ranking.entries, ranking.ordered, hint, [r](double x) { return !(x < r); });
}

int RankAboveFrom(const PairRanking& ranking, double r, int hint) {
    return Gallop(ranking.entries, ranking.ordered, hint, [r](double x) { return x > r; });
}
