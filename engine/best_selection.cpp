// Bounded best-N selection for the complete search. A search may accept
// millions of candidates; offers collect in a buffer half as large again as N,
// and a full buffer is cut back to its best N (nth_element, linear), whose
// worst then turns away every offer that does not come before it. Unlike a
// heap of a million entries, this touches memory in order. The order is total
// (the enumeration place breaks the last tie), so the cut keeps exactly the
// entries a full sort would. Names are compared only on an exact tie of the
// DNM count and the worst error, which designs met exactly produce.
#include "engine/best_selection.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

// Room for N and half as many offers again.
CandidateKey Best[BEST_LIMIT + BEST_LIMIT / 2];
int BestCount;
int BestCapacity;
int BufferSize;
bool Cut;           // the buffer has been cut back to the best N once
CandidateKey Worst; // the worst of the best N at the last cut
const PartsList* BestParts;

const std::uint64_t REF_MASK = (std::uint64_t{1} << PAIR_REF_BITS) - 1;
const std::uint64_t SEQUENCE_MASK = (std::uint64_t{1} << SEQUENCE_BITS) - 1;

std::uint64_t RefBits(PairRef ref) {
    return (ref.series ? std::uint64_t{1} << (PAIR_REF_BITS - 1) : 0) |
           static_cast<std::uint64_t>(ref.position);
}

// The six part positions of a code, in the stored order of the names.
void PartPositions(std::uint64_t code, int parts[6]) {
    PairRef refs[3];
    DecodeCandidate(code, refs);
    for (int i = 0; i < 3; ++i) {
        const PairTable& table = refs[i].series ? SeriesPairs : ParallelPairs;
        parts[2 * i] = table.first[refs[i].position];
        parts[2 * i + 1] = table.second[refs[i].position];
    }
}

// -1, 0 or +1 by the six names; equal positions need no string comparison.
int CompareNames(std::uint64_t a, std::uint64_t b) {
    int pa[6], pb[6];
    PartPositions(a, pa);
    PartPositions(b, pb);
    for (int i = 0; i < 6; ++i) {
        if (pa[i] == pb[i]) continue;
        int order = std::strcmp(BestParts->entries[pa[i]].name, BestParts->entries[pb[i]].name);
        if (order != 0) return order < 0 ? -1 : 1;
    }
    return 0;
}

} // namespace

std::uint64_t EncodeCandidate(int dnmCount, PairRef ra, PairRef rf, PairRef rb) {
    std::uint64_t sequence =
        (RefBits(ra) << (2 * PAIR_REF_BITS)) | (RefBits(rf) << PAIR_REF_BITS) | RefBits(rb);
    return (static_cast<std::uint64_t>(3 - dnmCount) << SEQUENCE_BITS) | sequence;
}

void DecodeCandidate(std::uint64_t code, PairRef refs[3]) {
    for (int i = 0; i < 3; ++i) {
        std::uint64_t bits = (code >> ((2 - i) * PAIR_REF_BITS)) & REF_MASK;
        refs[i].series = (bits >> (PAIR_REF_BITS - 1)) != 0;
        refs[i].position = static_cast<int>(bits & (REF_MASK >> 1));
    }
}

bool CandidateBefore(const CandidateKey& a, const CandidateKey& b) {
    std::uint64_t rankA = a.code >> SEQUENCE_BITS;
    std::uint64_t rankB = b.code >> SEQUENCE_BITS;
    if (rankA != rankB) return rankA < rankB;
    bool nanA = std::isnan(a.worstErr);
    bool nanB = std::isnan(b.worstErr);
    if (nanA != nanB) return nanB;
    if (a.worstErr != b.worstErr && !nanA) return a.worstErr < b.worstErr;
    int names = CompareNames(a.code, b.code);
    if (names != 0) return names < 0;
    return (a.code & SEQUENCE_MASK) < (b.code & SEQUENCE_MASK);
}

void BestStart(const PartsList& parts, int capacity) {
    BestParts = &parts;
    BestCount = 0;
    BestCapacity = std::min(std::max(capacity, 1), BEST_LIMIT);
    BufferSize = BestCapacity + std::max(BestCapacity / 2, 1);
    Cut = false;
}

namespace {

const auto Before = [](const CandidateKey& a, const CandidateKey& b) { return CandidateBefore(a, b); };

// Keeps the best BestCapacity entries of the buffer, the worst of them last.
void CutBack() {
    std::nth_element(Best, Best + BestCapacity - 1, Best + BestCount, Before);
    BestCount = BestCapacity;
    Worst = Best[BestCapacity - 1];
    Cut = true;
}

} // namespace

void BestOffer(const CandidateKey& key) {
    if (Cut && !CandidateBefore(key, Worst)) return;
    if (BestCount == BufferSize) {
        CutBack();
        if (!CandidateBefore(key, Worst)) return;
    }
    Best[BestCount++] = key;
}

bool BestFull() {
    return Cut;
}

const CandidateKey& BestWorst() {
    return Worst;
}

int BestFinish() {
    if (BestCount > BestCapacity) CutBack();
    std::sort(Best, Best + BestCount, Before);
    return BestCount;
}

const CandidateKey& BestEntry(int rank) {
    return Best[rank];
}
