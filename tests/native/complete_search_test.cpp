// SearchComplete against a plain enumeration of every candidate with no
// pre-filter: all accepted records, stably sorted by the report's order (a NaN
// worst error after the numbers of its DNM count), cut to N. Compared record by
// record, byte for byte, as the console prints them and as doubles.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "engine/combination_eval.h"
#include "engine/certain_bounds.h"
#include "engine/complete_search.h"
#include "engine/report.h"
#include "state/bounded_text.h"

namespace {

struct Case {
    const char* list;
    SearchParams params;
    bool serial;
    int best;
};

int ReferenceOrder(const MatchRecord& a, const MatchRecord& b) {
    if (a.dnmCount == b.dnmCount && std::isnan(a.worstErr) != std::isnan(b.worstErr))
        return std::isnan(a.worstErr) ? 1 : -1;
    return CompareMatches(&a, &b);
}

// Every accepted candidate in enumeration order: Ra, Rf, Rb outermost to
// innermost, parallel pairs before series ones, by first then second part.
std::vector<MatchRecord> Enumerate(const PartsList& parts, const SearchParams& p, bool serial) {
    std::vector<MatchRecord> found;
    int n = parts.count;
    int kinds = serial ? 2 : 1;
    auto pairs = [&](bool series, auto each) {
        for (int first = 0; first <= n - 2; ++first)
            for (int second = first; second < (series ? n - 1 : n); ++second)
                each(first, second, PairResistance(parts, series, first, second));
    };
    for (int ka = 0; ka < kinds; ++ka)
        pairs(ka, [&](int i, int j, double ra) {
            for (int kf = 0; kf < kinds; ++kf)
                pairs(kf, [&](int k, int l, double rf) {
                    for (int kb = 0; kb < kinds; ++kb)
                        pairs(kb, [&](int m, int o, double rb) {
                            int dnm = (j == n - 1) + (l == n - 1) + (o == n - 1);
                            CandidateValues v = EvaluateCandidate(ra, rb, rf, p);
                            if (dnm < p.minDnm || v.worstErr > p.precision) return;
                            MatchRecord r{};
                            const int names[] = {i, j, k, l, m, o};
                            char* fields[] = {r.raName1, r.raName2, r.rfName1,
                                              r.rfName2, r.rbName1, r.rbName2};
                            for (int f = 0; f < 6; ++f)
                                CopyText(fields[f], PART_NAME_SIZE, parts.entries[names[f]].name);
                            r.topology = ka * 4 + kf * 2 + kb;
                            r.dnmCount = dnm;
                            r.reqOhms = RequiredOhms(v.rab, rf);
                            r.voAtViMin = v.voAtViMin, r.errAtViMinPct = v.errAtViMinPct;
                            r.voAtViMax = v.voAtViMax, r.errAtViMaxPct = v.errAtViMaxPct;
                            r.worstErr = v.worstErr;
                            found.push_back(r);
                        });
                });
        });
    std::stable_sort(found.begin(), found.end(),
                     [](const MatchRecord& a, const MatchRecord& b) { return ReferenceOrder(a, b) < 0; });
    return found;
}

void ExpectSameAsEnumeration(const Case& c) {
    static PartsList parts;
    ASSERT_TRUE(ParsePartsText(c.list, parts)) << c.list;
    std::vector<MatchRecord> expected = Enumerate(parts, c.params, c.serial);
    CompleteTally tally = SearchComplete(parts, c.params, c.serial, c.best);
    SCOPED_TRACE(testing::Message() << "list " << c.list << " serial " << c.serial << " dnm "
                                    << c.params.minDnm << " precision " << c.params.precision << " best "
                                    << c.best);
    ASSERT_EQ(tally.total, expected.size());
    ASSERT_EQ(tally.kept, std::min<std::size_t>(expected.size(), c.best));
    for (int i = 0; i < tally.kept; ++i) {
        MatchRecord got{};
        CompleteMatch(i, got);
        char want[REPORT_LINE_SIZE], line[REPORT_LINE_SIZE];
        FormatMatchLine(expected[i], want, sizeof want);
        FormatMatchLine(got, line, sizeof line);
        ASSERT_STREQ(line, want) << "rank " << i;
        ASSERT_EQ(std::memcmp(&got.reqOhms, &expected[i].reqOhms, 6 * sizeof(double)), 0) << "rank " << i;
        ASSERT_EQ(got.dnmCount, expected[i].dnmCount);
    }
}

const char* const SMALL = "10k\n2k\n24k\n1k\n4.7k\n3.3k\n22k\n470\n";
// Ra = 120, Rf = 30 and a huge Rb meet the ratiometric design; the ideal Rb is open.
const char* const RATIOMETRIC = "120\n30\n10M\n1M\n100k\n47\n12\n3\n";
// 10k, 20k, 2k meet Vi 1..2 V to Vo 1.1..2.4 V with Vref 1 V exactly.
const char* const EXACT = "10k\n20k\n2k\n5k\n4k\n1k\n40k\n";
// "R47" reads as 0 ohms, whose candidates evaluate to NaN and are accepted.
const char* const ZERO_OHMS = "R47\n1k\n2.2k\n10k\n";

TEST(CompleteSearch, MatchesThePlainEnumeration) {
    const SearchParams defaults{0.6, 3.0, 0.1, 3.2, 3.3, 0.01, 0};
    const SearchParams ratiometric{0.5, 4.5, 0, 5, 2.5, 0.001, 0};
    const SearchParams exact{1, 2, 1.1, 2.4, 1, 0.00001, 0};
    const Case cases[] = {
        {SMALL, defaults, false, 1000},
        {SMALL, defaults, true, 1000},
        {SMALL, defaults, true, 7},
        {RATIOMETRIC, ratiometric, true, 1000},
        {RATIOMETRIC, ratiometric, false, 25},
        {EXACT, exact, true, 1000},
        {EXACT, exact, false, 3},
        {ZERO_OHMS, defaults, true, 1000},
        {ZERO_OHMS, defaults, false, 40},
        {ZERO_OHMS, defaults, true, 1}, // NaN errors and equal ones at every cut of the selection
        {EXACT, exact, true, 1},
    };
    for (const Case& base : cases) {
        for (int dnm = 0; dnm <= 3; ++dnm) {
            Case c = base;
            c.params.minDnm = dnm;
            ExpectSameAsEnumeration(c);
        }
    }
}

// Seeded random lists and designs, many of them with more matches than N.
TEST(CompleteSearch, MatchesThePlainEnumerationOnRandomCases) {
    // "0": a 0-ohm part, whose tiny parallel pairs the bounds cover too.
    static const char* const VALUES[] = {"10", "12", "15", "18",   "22",   "27",  "33",  "39",   "47", "56",
                                         "68", "82", "1k", "1.2k", "4.7k", "10k", "47k", "100k", "1M", "0"};
    std::mt19937 rng(20261209);
    for (int i = 0; i < 400; ++i) {
        std::string list;
        for (int parts = 3 + static_cast<int>(rng() % 6); parts > 0; --parts)
            list += std::string(VALUES[rng() % std::size(VALUES)]) + "\n";
        std::uniform_real_distribution<double> unit(0, 1);
        double gain = 1.05 + 3 * unit(rng), viMin = unit(rng), span = 0.5 + 3 * unit(rng);
        double voMin = gain * viMin - (gain - 1) * 2 * unit(rng);
        SearchParams p{viMin,
                       viMin + span,
                       voMin,
                       voMin + gain * span,
                       0.5 + 4 * unit(rng),
                       std::pow(10.0, -4 + 3.5 * unit(rng)),
                       static_cast<int>(rng() % 4)};
        ExpectSameAsEnumeration(Case{list.c_str(), p, rng() % 2 == 0, 1 + static_cast<int>(rng() % 60)});
    }
}

// Precisions just at and just below the error of one candidate whose Rb has
// many equal pairs: it lies between the possible and the sure Rb range, where
// each pair must be evaluated, not counted in bulk.
TEST(CompleteSearch, MatchesThePlainEnumerationAtTheEdgeOfThePrecision) {
    const char* const list = "10k\n10k\n10k\n10k\n10k\n2.2k\n4.7k\n1k\n";
    static PartsList parts;
    ASSERT_TRUE(ParsePartsText(list, parts));
    const SearchParams wide{0.6, 3.0, 0.1, 3.2, 3.3, 0.05, 0};
    int tried = 0;
    for (const MatchRecord& r : Enumerate(parts, wide, false)) {
        if (std::strcmp(r.rbName1, "10k") != 0 || std::strcmp(r.rbName2, "10k") != 0 || tried++ % 5) continue;
        for (double factor : {1.0, 1 - 1e-12}) {
            SearchParams edge = wide;
            edge.precision = r.worstErr * factor;
            ExpectSameAsEnumeration(Case{list, edge, false, 1000});
        }
    }
    EXPECT_GT(tried, 10);
}

// The bulk count trusts CertainRb: every Rb inside it, its very ends included,
// must pass the evaluation, and the ends must lie near the true edge (a bound
// looser by a millionth is caught there, where the small lists above rarely go).
TEST(CompleteSearch, CertainBoundsHoldAtTheirEdges) {
    std::mt19937 rng(7);
    std::uniform_real_distribution<double> unit(0, 1);
    int checked = 0;
    for (int i = 0; i < 20000; ++i) {
        double gain = 1.05 + 3 * unit(rng), viMin = 0.01 + unit(rng), span = 0.5 + 3 * unit(rng);
        double voMin = gain * viMin - (gain - 1) * 2 * unit(rng);
        SearchParams p{viMin,
                       viMin + span,
                       voMin,
                       voMin + gain * span,
                       0.5 + 4 * unit(rng),
                       std::pow(10.0, -6 + 5 * unit(rng)),
                       0};
        double ra = std::pow(10.0, 1 + 5 * unit(rng));
        double rfPerRa = (gain * viMin - voMin) / p.vref; // the ideal Rf / Ra
        double rf = ra * rfPerRa * (1 + (unit(rng) - 0.5) * 4 * p.precision);
        RbBounds b = CertainRb(p, ra, rf);
        if (!b.known) continue;
        ++checked;
        for (double rb : {b.lo, b.hi, std::sqrt(b.lo) * std::sqrt(b.hi)}) {
            if (!(rb <= BOUNDED_MAGNITUDE_MAX)) continue;
            double worst = EvaluateCandidate(ra, rb, rf, p).worstErr;
            ASSERT_LE(worst, p.precision) << "Rb " << rb << " in " << b.lo << " .. " << b.hi;
        }
        double edge = b.lo * (1 - 1e-6); // just outside, on the side of larger errors
        ASSERT_GT(EvaluateCandidate(ra, edge, rf, p).worstErr, p.precision * 0.99) << edge;
    }
    EXPECT_GT(checked, 1000);
}

} // namespace
