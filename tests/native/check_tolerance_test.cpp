// Checking a given combination and its tolerance corners: typed pairs as the
// report prints them, and the corner extremes of the search's records against a
// brute-force walk over a grid of every fitted part's range.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "engine/check_combination.h"
#include "engine/report.h"
#include "engine/search_params.h"
#include "engine/tolerance.h"
#include "test_support.h"

namespace {

struct CheckCase {
    const char* ra;
    const char* rb;
    const char* rf;
    const char* line; // the report line, or the start of the error
};

std::string Check(const CheckCase& c) {
    MatchRecord r{};
    CombinationParts parts;
    char error[200];
    if (!CheckCombination(c.ra, c.rb, c.rf, SearchParamsStore, r, parts, error, sizeof error)) return error;
    char line[REPORT_LINE_SIZE];
    FormatMatchLine(r, line, sizeof line);
    return line;
}

TEST(Check, TypedPairsEvaluateAsTheReportPrints) {
    ResetState();
    ASSERT_TRUE(ParseSearchParams());
    const CheckCase cases[] = {
        {"10k//DNM", "24k//DNM", "2k//DNM", "10k//DNM, 24k//DNM, 2k//DNM, 0.3125%, -0.3125%, 1558\r\n"},
        // Series and parallel, "4,7" read as 4 ohms, an exponent's "+" not a joint.
        {"1k+2.2k", "4,7//22k", "1e+3+10", "1k+2.2k, 4,7//22k, 1e+3+10, 4724.2299%, 23666.9700%, 4\r\n"},
        {"DNM//10k", "24k//DNM", "2k//DNM", "DNM//10k, 24k//DNM, 2k//DNM, 0.3125%, -0.3125%, 1558\r\n"},
        {"10k", "24k//DNM", "2k//DNM", "'10k' is no pair"},
        {"10k//DNM", "DNM+1k", "2k//DNM", "'DNM+1k' is an open circuit"},
        {"10k//DNM", "24k//DNM", "DNM//DNM", "'DNM//DNM' is an open circuit"},
        {"//1k", "24k//DNM", "2k//DNM", "'//1k': a part is missing"},
        {"10k//DNM", "24k+", "2k//DNM", "'24k+': a part is missing"},
        {"10k// -5", "24k//DNM", "2k//DNM", "'10k// -5': a part value is negative"},
    };
    for (const CheckCase& c : cases) {
        std::string got = Check(c);
        EXPECT_EQ(got.substr(0, std::string(c.line).size()), c.line) << c.ra << " " << c.rb << " " << c.rf;
    }
}

// The errors straight from the circuit formula Vo = Vi (1 + Rf / (Ra // Rb)) -
// Vref Rf / Ra, written independently of the search's order of operations.
void TextbookErrors(double ra, double rb, double rf, double* errMin, double* errMax) {
    const SearchParams& p = SearchParamsStore;
    double gain = 1 + rf * (ra + rb) / (ra * rb);
    *errMin = (p.viMin * gain - p.vref * rf / ra - p.voMin) / p.voMax * 100;
    *errMax = (p.viMax * gain - p.vref * rf / ra - p.voMax) / p.voMax * 100;
}

// The corners must bound every point inside the tolerance box and be reached:
// a grid of three points per fitted part (both ends and the middle).
TEST(Tolerance, CornersAreTheExtremesOfABruteForceGrid) {
    ResetState();
    Settings[SETTING_LIST_CHOICE] = 4;
    Settings[SETTING_INCLUDE_SERIAL] = 1;
    SetSlotText(SLOT_PRECISION, "0.5%");
    ASSERT_EQ(RunEngine(), RunOutcome::Searched);
    const double tolerance = 0.01;
    const double slack = 1e-9; // the two formulas round differently
    // Records spread over the sorted table, so all DNM counts and kinds occur.
    int count = Settings[SETTING_MATCH_COUNT];
    ASSERT_GT(count, 100);
    for (int i = 0; i < count; i += count / 50) {
        CombinationParts parts;
        ASSERT_TRUE(ResolveRecordParts(MatchTable[i], PartsListStore, parts));
        ToleranceSpread s = ToleranceCorners(parts, SearchParamsStore, tolerance);
        // Without a tolerance, the parts found by name give the search's doubles.
        ToleranceSpread exact = ToleranceCorners(parts, SearchParamsStore, 0);
        EXPECT_EQ(exact.errAtViMinLoPct, MatchTable[i].errAtViMinPct) << i;
        EXPECT_EQ(exact.errAtViMaxHiPct, MatchTable[i].errAtViMaxPct) << i;
        double lo[2] = {INFINITY, INFINITY}, hi[2] = {-INFINITY, -INFINITY};
        for (int point = 0; point < 729; ++point) {
            double factors[6];
            for (int k = 0, p = point; k < 6; ++k, p /= 3)
                factors[k] = 1 + (p % 3 - 1) * tolerance;
            CombinationParts moved = ScaleParts(parts, factors);
            double errMin = 0, errMax = 0;
            TextbookErrors(PairOhms(moved.ra), PairOhms(moved.rb), PairOhms(moved.rf), &errMin, &errMax);
            lo[0] = std::min(lo[0], errMin), hi[0] = std::max(hi[0], errMin);
            lo[1] = std::min(lo[1], errMax), hi[1] = std::max(hi[1], errMax);
        }
        EXPECT_NEAR(s.errAtViMinLoPct, lo[0], slack) << i;
        EXPECT_NEAR(s.errAtViMinHiPct, hi[0], slack) << i;
        EXPECT_NEAR(s.errAtViMaxLoPct, lo[1], slack) << i;
        EXPECT_NEAR(s.errAtViMaxHiPct, hi[1], slack) << i;
    }
}

} // namespace
