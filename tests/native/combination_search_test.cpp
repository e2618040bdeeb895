// The combination search: enumeration order, the worked example, the DNM
// minimum, the include-serial switch and the stop at MATCH_LIMIT.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "engine/combination_search.h"
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
    EXPECT_NEAR(found->voAtViMin, 0.11, 0.001);
    EXPECT_NEAR(found->errAtViMinPct, 0.3125, 1e-3);
    EXPECT_NEAR(found->voAtViMax, 3.19, 0.001);
    EXPECT_NEAR(found->errAtViMaxPct, -0.3125, 1e-3);
    EXPECT_NEAR(found->worstErr, 0.003125, 1e-5);
    EXPECT_NEAR(found->reqOhms, 1558, 1);
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

} // namespace
