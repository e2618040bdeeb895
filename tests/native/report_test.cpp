// Ordering of the matches, the report lines and their budget, and the status.
#include <gtest/gtest.h>

#include <cstdio>
#include <limits>
#include <string>

#include "engine/report.h"
#include "state/bounded_text.h"
#include "test_support.h"

namespace {

MatchRecord Record(const char* ra1, const char* ra2, const char* rf1, const char* rf2, const char* rb1,
                   const char* rb2, int topology = 0) {
    MatchRecord r{};
    CopyText(r.raName1, PART_NAME_SIZE, ra1);
    CopyText(r.raName2, PART_NAME_SIZE, ra2);
    CopyText(r.rfName1, PART_NAME_SIZE, rf1);
    CopyText(r.rfName2, PART_NAME_SIZE, rf2);
    CopyText(r.rbName1, PART_NAME_SIZE, rb1);
    CopyText(r.rbName2, PART_NAME_SIZE, rb2);
    r.topology = topology;
    return r;
}

void Report(int count) {
    TextSlots[SLOT_RESULT][0] = '\0';
    Settings[SETTING_MATCH_COUNT] = count;
    ShowCalls() = 0;
    FormatReport(CountShow);
    EXPECT_EQ(ShowCalls(), 1);
}

TEST(Lines, EveryTopologyPrintsRaRbRf) {
    const char* expected[] = {
        "a//b, e//f, c//d, 0.0041%, -0.0027%, 300\r\n", "a//b, e+f, c//d, 0.0041%, -0.0027%, 300\r\n",
        "a//b, e//f, c+d, 0.0041%, -0.0027%, 300\r\n",  "a//b, e+f, c+d, 0.0041%, -0.0027%, 300\r\n",
        "a+b, e//f, c//d, 0.0041%, -0.0027%, 300\r\n",  "a+b, e+f, c//d, 0.0041%, -0.0027%, 300\r\n",
        "a+b, e//f, c+d, 0.0041%, -0.0027%, 300\r\n",   "a+b, e+f, c+d, 0.0041%, -0.0027%, 300\r\n",
    };
    for (int topology = 0; topology < 8; ++topology) {
        MatchRecord r = Record("a", "b", "c", "d", "e", "f", topology);
        r.errAtViMinPct = 0.0041;
        r.errAtViMaxPct = -0.0027;
        r.reqOhms = 299.8;
        char line[REPORT_LINE_SIZE];
        FormatMatchLine(r, line, sizeof line);
        EXPECT_STREQ(line, expected[topology]);
    }
}

TEST(Lines, ExtremeValuesAreCutButKeepTheirLineEnd) {
    MatchRecord r = Record("12345678901234567890123", "x", "y", "z", "u", "v");
    r.reqOhms = 1e300;
    r.errAtViMinPct = -std::numeric_limits<double>::quiet_NaN();
    char line[REPORT_LINE_SIZE];
    std::size_t length = FormatMatchLine(r, line, sizeof line);
    EXPECT_EQ(length, REPORT_LINE_SIZE - 1);
    EXPECT_EQ(std::string(line).substr(length - 2), "\r\n");
    EXPECT_NE(std::string(line).find(", nan%, "), std::string::npos) << "no runtime-specific NaN sign";
}

TEST(Order, DnmThenErrorThenNamesInStoredOrder) {
    MatchRecord more = Record("z", "DNM", "z", "DNM", "z", "z");
    more.dnmCount = 2;
    more.worstErr = 0.5;
    MatchRecord better = Record("a", "a", "a", "a", "a", "a");
    better.dnmCount = 1;
    better.worstErr = 0.1;
    EXPECT_LT(CompareMatches(&more, &better), 0);

    MatchRecord rf = Record("a", "a", "b", "a", "a", "a");
    MatchRecord rb = Record("a", "a", "a", "a", "b", "a");
    EXPECT_GT(CompareMatches(&rf, &rb), 0) << "rfName1 decides before rbName1";

    struct Case {
        const char* first;
        const char* second;
    } byteOrder[] = {{"100", "1k"}, {"DNM", "a"}, {"1k", "1k5"}, {"z", "\x83\x41"}};
    for (const Case& c : byteOrder) {
        MatchRecord a = Record(c.first, "", "", "", "", "");
        MatchRecord b = Record(c.second, "", "", "", "", "");
        EXPECT_EQ(CompareMatches(&a, &b), -1) << c.first << " before " << c.second;
        EXPECT_EQ(CompareMatches(&b, &a), 1);
    }
    EXPECT_EQ(CompareMatches(&better, &better), 0);
}

TEST(Report, SortsBestFirstAndCountsTheSets) {
    ResetState();
    Settings[SETTING_LANGUAGE] = 1;
    MatchTable[0] = Record("b", "DNM", "c", "DNM", "d", "e");
    MatchTable[0].dnmCount = 2;
    MatchTable[0].worstErr = 0.002;
    MatchTable[1] = Record("a", "DNM", "c", "DNM", "d", "DNM");
    MatchTable[1].dnmCount = 3;
    Report(2);
    EXPECT_EQ(Slot(SLOT_RESULT), "a//DNM, d//DNM, c//DNM, 0.0000%, 0.0000%, 0\r\n"
                                 "b//DNM, d//e, c//DNM, 0.0000%, 0.0000%, 0\r\n");
    EXPECT_EQ(Slot(SLOT_STATUS), "2 set(s) found.");

    Settings[SETTING_LANGUAGE] = 0;
    Report(1);
    EXPECT_EQ(Slot(SLOT_STATUS), std::string("1") + MessageTable[5].text[0]);
    Report(0);
    EXPECT_EQ(Slot(SLOT_RESULT), "");
    EXPECT_STREQ(TextSlots[SLOT_STATUS], MessageTable[6].text[0]);
}

TEST(Report, FullTableSaysTooMany) {
    ResetState();
    Settings[SETTING_LANGUAGE] = 1;
    for (int i = 0; i < MATCH_LIMIT; ++i)
        MatchTable[i] = Record("1", "2", "3", "4", "5", "6");
    Report(100);
    EXPECT_EQ(Slot(SLOT_STATUS), "100 set(s) found.");
    Report(MATCH_LIMIT);
    EXPECT_EQ(CountLines(Slot(SLOT_RESULT)), REPORT_BUDGET / 39) << "as many 39-character lines as fit";
    EXPECT_EQ(Slot(SLOT_STATUS), "Break off because of too many matches.");
}

// 191 lines of 171 characters, then one last line that brings the total to
// the budget exactly, or one character past it.
void FillToBudget(int lastLineLength) {
    std::string full(23, 'n');
    for (int i = 0; i < 191; ++i) {
        MatchTable[i] =
            Record(full.c_str(), full.c_str(), full.c_str(), full.c_str(), full.c_str(), full.c_str());
        MatchTable[i].worstErr = i * 1e-9; // keeps the table in this order
    }
    std::string rest(lastLineLength - 33 - 46, 'm');
    MatchTable[191] = Record(full.c_str(), full.c_str(), rest.c_str(), "", "", "");
    MatchTable[191].worstErr = 1;
    MatchTable[192] = Record("x", "x", "x", "x", "x", "x");
    MatchTable[192].worstErr = 2;
}

TEST(Report, BudgetBoundary) {
    ResetState();
    Settings[SETTING_LANGUAGE] = 1;
    FillToBudget(REPORT_BUDGET - 191 * 171);
    Report(192);
    EXPECT_EQ(Slot(SLOT_RESULT).size(), static_cast<std::size_t>(REPORT_BUDGET));
    EXPECT_EQ(Slot(SLOT_STATUS), "192 set(s) found.");

    FillToBudget(REPORT_BUDGET - 191 * 171 + 1);
    Report(193);
    EXPECT_EQ(Slot(SLOT_RESULT).size(), 191u * 171u)
        << "the line past the budget and all after it are dropped";
    EXPECT_EQ(Slot(SLOT_STATUS), "Break off because of too many matches.");
}

} // namespace
