// The combination search: enumeration order, the worked example, the exact
// doubles of the shared evaluation, the pass-on-equality edges, the DNM
// minimum, the include-serial switch and the stop at MATCH_LIMIT.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "engine/combination_eval.h"
#include "engine/combination_search.h"
#include "engine/combination_search_literal.h"
#include "engine/search_params.h"
#include "test_support.h"

namespace {

const double NaN = std::numeric_limits<double>::quiet_NaN();

// Parameters under which every candidate passes both pre-filters (a NaN
// window) and the acceptance (an infinite precision).
void AcceptEverything(SearchParams& params, ShifterDesign& design) {
    params = SearchParams{0.6, 3.0, 0.1, 3.2, 3.3, std::numeric_limits<double>::infinity(), 0};
    design = ShifterDesign{2, 1, 1, 1, NaN};
}

std::string Positions(const MatchRecord& r) {
    auto pos = [](const char* name) { return std::string(name) == "DNM" ? "1" : "0"; };
    return std::string("(0,") + pos(r.raName2) + ")(0," + pos(r.rfName2) + ")(0," + pos(r.rbName2) + ")";
}

TEST(Enumeration, TwoEntryListInOrder) {
    PartsList parts;
    ASSERT_TRUE(ParsePartsText("100\r\n", parts));
    SearchParams params;
    ShifterDesign design;
    AcceptEverything(params, design);

    ASSERT_EQ(SearchCombinations(parts, params, design, false), 8);
    const char* expected[] = {"(0,0)(0,0)(0,0)", "(0,0)(0,0)(0,1)", "(0,0)(0,1)(0,0)", "(0,0)(0,1)(0,1)",
                              "(0,1)(0,0)(0,0)", "(0,1)(0,0)(0,1)", "(0,1)(0,1)(0,0)", "(0,1)(0,1)(0,1)"};
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(Positions(MatchTable[i]), expected[i]) << i;
        EXPECT_EQ(MatchTable[i].topology, 0);
        EXPECT_EQ(MatchTable[i].dnmCount, (int)std::count(expected[i], expected[i] + 15, '1'));
    }

    // With series pairs, (0,0) is the only series pair: for each Ra the parallel
    // Rf pairs with Rb parallel then series, then the series Rf; then series Ra.
    ASSERT_EQ(SearchCombinations(parts, params, design, true), 27);
    const int topologies[] = {0, 0, 1, 0, 0, 1, 2, 2, 3, 0, 0, 1, 0, 0,
                              1, 2, 2, 3, 4, 4, 5, 4, 4, 5, 6, 6, 7};
    for (int i = 0; i < 27; ++i)
        EXPECT_EQ(MatchTable[i].topology, topologies[i]) << i;
    EXPECT_EQ(Settings[SETTING_MATCH_COUNT], 27);
}

TEST(Enumeration, RfPrefilterDropsItsCandidates) {
    PartsList parts;
    ASSERT_TRUE(ParsePartsText("100\r\n", parts));
    SearchParams params;
    ShifterDesign design;
    AcceptEverything(params, design);
    design.prefilterWindow = 0.4;
    design.rfPerRa = 1;    // rfTarget = Ra
    design.voff = 3.3 / 2; // rbTarget = Ra
    // Ra (0,0) is 50 ohms: Rf and Rb must be 50; Ra (0,1) is 100: Rf, Rb 100.
    ASSERT_EQ(SearchCombinations(parts, params, design, false), 2);
    EXPECT_EQ(Positions(MatchTable[0]), "(0,0)(0,0)(0,0)");
    EXPECT_EQ(Positions(MatchTable[1]), "(0,1)(0,1)(0,1)");
}

TEST(Search, WorkedExampleAtHalfPercent) {
    ResetState();
    SetSlotText(SLOT_PRECISION, "0.5%");
    SetSlotText(SLOT_DNM_COUNT, "3"); // otherwise the table fills before Ra reaches 10k
    ASSERT_EQ(RunEngine(), RunOutcome::Searched);
    ASSERT_LT(Settings[SETTING_MATCH_COUNT], MATCH_LIMIT);
    const MatchRecord* found = nullptr;
    for (int i = 0; i < Settings[SETTING_MATCH_COUNT]; ++i) {
        const MatchRecord& r = MatchTable[i];
        if (std::string(r.raName1) == "10k" && std::string(r.rfName1) == "2k" &&
            std::string(r.rbName1) == "24k" && std::string(r.raName2) == "DNM" &&
            std::string(r.rfName2) == "DNM" && std::string(r.rbName2) == "DNM")
            found = &r;
    }
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found->topology, 0);
    EXPECT_EQ(found->dnmCount, 3);
    // About 0.11 V, +0.3125 %, 3.19 V, -0.3125 %, 0.003125 and 1558 ohms, to the last bit.
    EXPECT_EQ(found->voAtViMin, 0.10999999999999988);
    EXPECT_EQ(found->errAtViMinPct, 0.31249999999999595);
    EXPECT_EQ(found->voAtViMax, 3.1899999999999995);
    EXPECT_EQ(found->errAtViMaxPct, -0.31250000000001554);
    EXPECT_EQ(found->worstErr, 0.0031250000000001554);
    EXPECT_EQ(found->reqOhms, 1558.4415584415583);
    EXPECT_NE(Slot(SLOT_RESULT).find("\r\n10k//DNM, 24k//DNM, 2k//DNM, 0.3125%, -0.3125%, 1558\r\n"),
              std::string::npos);
}

TEST(Search, WorkedExampleFailsTheDefaultPrefilter) {
    ResetState();
    ASSERT_EQ(RunEngine(), RunOutcome::Searched);
    EXPECT_EQ(Slot(SLOT_RESULT).find("10k//DNM, 24k//DNM, 2k//DNM"), std::string::npos);
}

TEST(Search, DnmMinimumThreeAndSerialSwitch) {
    ResetState();
    SetSlotText(SLOT_PRECISION, "1%");
    SetSlotText(SLOT_DNM_COUNT, "3");
    Settings[SETTING_INCLUDE_SERIAL] = 1;
    Settings[SETTING_LIST_CHOICE] = 4;
    ASSERT_EQ(RunEngine(), RunOutcome::Searched);
    ASSERT_GT(Settings[SETTING_MATCH_COUNT], 0);
    for (int i = 0; i < Settings[SETTING_MATCH_COUNT]; ++i) {
        EXPECT_EQ(MatchTable[i].topology, 0);
        EXPECT_STREQ(MatchTable[i].rbName2, "DNM");
    }

    // Any include-serial value other than exactly 1 leaves series pairs out.
    SetSlotText(SLOT_DNM_COUNT, "");
    Settings[SETTING_INCLUDE_SERIAL] = 5;
    ASSERT_EQ(RunEngine(), RunOutcome::Searched);
    for (int i = 0; i < Settings[SETTING_MATCH_COUNT]; ++i)
        ASSERT_EQ(MatchTable[i].topology, 0);
}

TEST(Search, StopsAtTheLimit) {
    PartsList parts;
    ASSERT_TRUE(ParsePartsText("1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n9\r\n10\r\n", parts)); // 65 pairs
    SearchParams params;
    ShifterDesign design;
    AcceptEverything(params, design);
    EXPECT_EQ(SearchCombinations(parts, params, design, false), MATCH_LIMIT);
    // The 1000th record is the 1000th candidate: Ra (0,0), Rf pair 15, Rb pair 24.
    EXPECT_STREQ(MatchTable[999].rfName1, "2");
    EXPECT_STREQ(MatchTable[999].rfName2, "6");
    EXPECT_STREQ(MatchTable[999].rbName1, "3");
    EXPECT_STREQ(MatchTable[999].rbName2, "6");
}

TEST(Search, NanWorstErrorIsAccepted) {
    PartsList parts;
    ASSERT_TRUE(ParsePartsText("100\r\n", parts));
    SearchParams params{0.6, 3.0, 0.1, NaN, 3.3, 0.0001, 0};
    ShifterDesign design{2, 1, 1, 1, NaN};
    EXPECT_EQ(SearchCombinations(parts, params, design, false), 8);
    EXPECT_TRUE(std::isnan(MatchTable[0].worstErr));
}

// Both searches store what the one evaluation computes, so only fixed doubles
// can catch a changed operation there: a parallel, a series Rb and a series Ra
// candidate, whose worst error comes from Vi(max) and from Vi(min) in turn, and
// one whose Ra || Rb rounds differently when regrouped.
TEST(Evaluation, ExactDoubles) {
    PartsList parts;
    ASSERT_TRUE(ParsePartsText("10k\r\n24k\r\n2k\r\n1k\r\n22\r\n470\r\n3.3k\r\n", parts));
    auto at = [&parts](const char* name) {
        for (int i = 0; i < parts.count; ++i)
            if (std::string(parts.entries[i].name) == name) return i;
        return -1;
    };
    SearchParams params{0.6, 3.0, 0.1, 3.2, 3.3, std::numeric_limits<double>::infinity(), 0};
    const struct {
        const char *ra1, *ra2, *rf1, *rf2, *rb1, *rb2;
        bool raSeries, rbSeries;
        double expected[6]; // voAtViMin, errAtViMinPct, voAtViMax, errAtViMaxPct, worstErr, reqOhms
    } cases[] = {
        {"10k",
         "DNM",
         "2k",
         "DNM",
         "24k",
         "DNM",
         false,
         false,
         {0.10999999999999988, 0.31249999999999595, 3.1899999999999995, -0.31250000000001554,
          0.0031250000000001554, 1558.4415584415583}},
        {"1k",
         "DNM",
         "3.3k",
         "DNM",
         "22",
         "470",
         false,
         true,
         {-4.2856097560975597, -137.05030487804873, 22.131951219512196, 591.62347560975604,
          5.9162347560975608, 299.80057611345006}},
        {"22",
         "470",
         "1k",
         "2k",
         "10k",
         "24k",
         true,
         false,
         {-3.0018699186991862, -96.933434959349569, 2.876829268292683, -10.099085365853655,
          0.96933434959349574, 272.16905459976766}},
        {"22",
         "DNM",
         "1k",
         "DNM",
         "10k",
         "DNM",
         false,
         false,
         {-122.06727272727272, -3817.7272727272721, -10.336363636363643, -423.01136363636385,
          38.177272727272722, 21.480179652411639}},
    };
    for (const auto& c : cases) {
        CandidateContext context{};
        context.parts = &parts;
        context.params = &params;
        context.raFirst = at(c.ra1);
        context.raSecond = at(c.ra2);
        context.rfFirst = at(c.rf1);
        context.rfSecond = at(c.rf2);
        context.ra = PairResistance(parts, c.raSeries, context.raFirst, context.raSecond);
        context.rf = PairResistance(parts, false, context.rfFirst, context.rfSecond);
        const int m = at(c.rb1), o = at(c.rb2);
        Settings[SETTING_MATCH_COUNT] = 0;
        ExamineCandidate(context, 0, PairResistance(parts, c.rbSeries, m, o), m, o, 0);
        ASSERT_EQ(Settings[SETTING_MATCH_COUNT], 1);
        const MatchRecord& r = MatchTable[0];
        const double stored[] = {r.voAtViMin,     r.errAtViMinPct, r.voAtViMax,
                                 r.errAtViMaxPct, r.worstErr,      r.reqOhms};
        for (int i = 0; i < 6; ++i)
            EXPECT_EQ(stored[i], c.expected[i]) << c.ra1 << " " << c.rf1 << " " << c.rb1 << ": value " << i;
    }
}

using SearchFn = int (*)(const PartsList&, const SearchParams&, const ShifterDesign&, bool);
const SearchFn BOTH_SEARCHES[] = {SearchCombinations, SearchCombinationsLiteral};

// A deviation exactly equal to the window passes: Ra 50 (100 // DNM) with Rf
// or Rb 100 deviates by exactly 1 from its target.
TEST(Edges, DeviationEqualToTheWindowPasses) {
    PartsList parts;
    ASSERT_TRUE(ParsePartsText("100\r\n", parts));
    SearchParams params;
    ShifterDesign design;
    AcceptEverything(params, design);
    design.rfPerRa = 1;    // rfTarget = Ra
    design.voff = 3.3 / 2; // rbTarget = Ra
    for (SearchFn search : BOTH_SEARCHES) {
        design.prefilterWindow = 1;
        EXPECT_EQ(search(parts, params, design, false), 8);
        design.prefilterWindow = std::nextafter(1.0, 0.0);
        EXPECT_EQ(search(parts, params, design, false), 5);
    }
}

// A worst error exactly equal to the precision passes; one ulp less rejects it.
TEST(Edges, WorstErrorEqualToThePrecisionPasses) {
    PartsList parts;
    ASSERT_TRUE(ParsePartsText("10k\r\n24k\r\n2k\r\n", parts));
    SearchParamsStore = SearchParams{0.6, 3.0, 0.1, 3.2, 3.3, 0.0031250000000001554, 3};
    ASSERT_TRUE(DeriveShifterDesign());
    ShifterDesignStore.prefilterWindow = 0.075; // as at 0.5 %
    auto workedExampleFound = [] {
        for (int i = 0; i < Settings[SETTING_MATCH_COUNT]; ++i)
            if (std::string(MatchTable[i].raName1) == "10k" && std::string(MatchTable[i].rfName1) == "2k" &&
                std::string(MatchTable[i].rbName1) == "24k")
                return true;
        return false;
    };
    for (SearchFn search : BOTH_SEARCHES) {
        SearchParamsStore.precision = 0.0031250000000001554;
        search(parts, SearchParamsStore, ShifterDesignStore, false);
        EXPECT_TRUE(workedExampleFound());
        SearchParamsStore.precision = std::nextafter(0.0031250000000001554, 0.0);
        search(parts, SearchParamsStore, ShifterDesignStore, false);
        EXPECT_FALSE(workedExampleFound());
    }
}

} // namespace
