// The pairs of one run, built once per search by SearchCombinations: each kind
// in enumeration order, and ranked by resistance so that the pairs passing a
// pre-filter are found by binary search instead of a scan of every pair. A
// pre-filter over resistances in ascending order passes one contiguous run of
// them (the deviation falls, then rises), and a NaN resistance always passes.
#pragma once

#include <cstdint>

#include "engine/acceptance_bounds.h"
#include "engine/parts_list.h"

// Parallel pairs of a full list (the larger kind): n(n + 1)/2 - 1.
constexpr int PAIR_CAPACITY = PARTS_CAPACITY * (PARTS_CAPACITY + 1) / 2 - 1;
static_assert(PARTS_CAPACITY <= 65535, "a part position fits a 16-bit pair field");

// The pairs of one kind, indexed by their enumeration position.
struct PairTable {
    std::int32_t count;
    double r[PAIR_CAPACITY]; // PairResistance of the pair
    std::uint16_t first[PAIR_CAPACITY];
    std::uint16_t second[PAIR_CAPACITY];
};

// A pair's resistance and its enumeration position within its kind.
struct RankedPair {
    double r;
    std::uint32_t position;
};

// A set of pairs of one kind: entries 0 .. ordered - 1 by ascending resistance,
// then the pairs whose resistance is NaN up to count, by position.
struct PairRanking {
    const RankedPair* entries;
    std::int32_t ordered;
    std::int32_t count;
    bool nonNegative; // no ordered resistance below zero
};

// The pre-filter's verdict on one ranking: ordered entries lo .. hi - 1 and
// every NaN entry pass. With scan set the verdict is not known in advance and
// every entry is tested when the pairs are collected.
struct PassingRange {
    std::int32_t lo;
    std::int32_t hi;
    bool scan;
};

extern PairTable ParallelPairs;
extern PairTable SeriesPairs;
extern PairRanking ParallelRanking;
extern PairRanking SeriesRanking;
// The parallel pairs whose second part is the last entry: the only pairs that
// add to the DNM count.
extern PairRanking DnmRanking;

// Fills the tables and rankings from the parts list; the series ones only when
// series pairs are searched at all.
void BuildPairTables(const PartsList& parts, bool includeSerial);

// The entries of the ranking that pass PassesPrefilter(r, target, window).
PassingRange FindPassingRange(const PairRanking& ranking, double target, double window);

// Upper bound of the passing pairs; exact unless the range must be scanned.
inline int PassingSize(const PairRanking& ranking, const PassingRange& range) {
    return range.hi - range.lo + (ranking.count - ranking.ordered);
}

// First ordered entry whose resistance is at least r, or above r.
int RankAtLeast(const PairRanking& ranking, double r);
int RankAbove(const PairRanking& ranking, double r);

// The same, searched outward from a hint (a rank found for a nearby r): a few
// steps when r moved little, as the bounds of neighbouring pairs do.
int RankAtLeastFrom(const PairRanking& ranking, double r, int hint);
int RankAboveFrom(const PairRanking& ranking, double r, int hint);

// Writes the positions of the passing pairs into out in ascending order (the
// enumeration order) and returns how many there are.
int CollectPassing(const PairRanking& ranking, const PassingRange& range, double target, double window,
                   std::uint32_t* out);

// The smallest and largest resistance of the pairs of the last BuildPairTables,
// when every pair lies within BOUNDED_MAGNITUDE_MIN .. BOUNDED_MAGNITUDE_MAX;
// otherwise false (a pair of 0 ohms, a NaN or a huge value), and the bounds may
// not count on the list's extent.
bool BoundedPairExtent(double& pairMin, double& pairMax);
