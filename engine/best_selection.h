// The best N accepted candidates of the complete search, kept while it runs in
// a buffer cut back to the best N whenever it fills, so a candidate that cannot
// enter costs one comparison with the worst kept at the last cut. An entry is
// 16 bytes (the worst error and a code of the DNM count and the three pair
// positions); names are looked up in the pair tables only to break ties and
// copied only for the records printed.
#pragma once

#include <cstdint>

#include "engine/pair_tables.h"

// The largest N a caller may ask for: 24 MB of entries with the room for
// offers, in static storage so that only the pages a search fills cost memory.
constexpr int BEST_LIMIT = 1000000;

struct CandidateKey {
    double worstErr;
    std::uint64_t code; // 3 - dnmCount, then the enumeration sequence
};

// One resistor of a candidate: its pair kind and position in that kind's table.
struct PairRef {
    bool series;
    int position;
};

// Positions fit 17 bits; with the kind bit each resistor takes 18, and the
// sequence (Ra, Rf, Rb) orders candidates exactly as the enumeration does.
constexpr int PAIR_REF_BITS = 18;
constexpr int SEQUENCE_BITS = 3 * PAIR_REF_BITS;
static_assert(PAIR_CAPACITY < (1 << (PAIR_REF_BITS - 1)), "a pair position fits its field");

std::uint64_t EncodeCandidate(int dnmCount, PairRef ra, PairRef rf, PairRef rb);
// Ra, Rf and Rb of a code, in that order.
void DecodeCandidate(std::uint64_t code, PairRef refs[3]);
inline int CandidateDnm(std::uint64_t code) {
    return 3 - static_cast<int>(code >> SEQUENCE_BITS);
}

// The order of the report: more DNM positions first, then the smaller worst
// error, then the six names in stored order (byte values), and last the
// enumeration order, so equal records stay in the order they were found. A NaN
// worst error, which no order of numbers can place, comes after every number of
// its DNM count. Reads the names from parts through the pair tables.
bool CandidateBefore(const CandidateKey& a, const CandidateKey& b);

// Starts an empty selection of at most capacity (1 .. BEST_LIMIT) entries over
// the pair tables of parts.
void BestStart(const PartsList& parts, int capacity);
void BestOffer(const CandidateKey& key);
// Once the selection has been cut back to capacity entries, an offer enters
// only when it comes before BestWorst(), the worst of them at that cut (later
// offers only make the kept ones better).
bool BestFull();
const CandidateKey& BestWorst();
// Sorts the kept entries best first and returns how many there are.
int BestFinish();
const CandidateKey& BestEntry(int rank);
