// Parsing of resistor lists as users type and paste them.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "engine/parts_list.h"
#include "test_support.h"

namespace {

PartsList List;

// Finds the entry of that name; fails the test when there is none.
const PartEntry& Entry(const char* name) {
    for (int i = 0; i < List.count; ++i)
        if (std::string(List.entries[i].name) == name) return List.entries[i];
    ADD_FAILURE() << "no entry named '" << name << "'";
    return List.entries[0];
}

TEST(PartsText, ScaleLettersAndNames) {
    ASSERT_TRUE(ParsePartsText("4,7\r\n4k7\r\n1.5 k\r\n2.2K\r\n100m\r\n10u\r\n1M\r\n 100\r\n100 ohm 1%\r\n"
                               "R47\r\n8.2M\r\n",
                               List));
    struct Case {
        const char* name;
        double value;
    } cases[] = {
        {"4,7", 4},           {"4k7", 4000},           {"1.5 k", 1.5},
        {"2.2K", 2.2 * 1000}, {"100m", 0.1},           {"10u", 10 / 1000000.0},
        {"1M", 1000000},      {" 100", 100},           {"100 ohm 1%", 100},
        {"R47", 0},           {"8.2M", 8.2 * 1000000},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Entry(c.name).value, c.value) << c.name;
    EXPECT_NE(Entry("8.2M").value, 8200000.0) << "scaled in double arithmetic, one ulp below";
    EXPECT_EQ(Entry("R47").conductance, DNM_VALUE);
    EXPECT_EQ(Entry("1M").conductance, 1 / 1000000.0);
    EXPECT_EQ(List.count, 12);
    EXPECT_STREQ(List.entries[List.count - 1].name, "DNM");
    EXPECT_EQ(List.entries[List.count - 1].conductance, 0);
    for (int i = 1; i < List.count; ++i)
        EXPECT_LE(List.entries[i - 1].value, List.entries[i].value);
}

TEST(PartsText, LongNamesAreCutTo23Bytes) {
    ASSERT_TRUE(ParsePartsText("123456789012345678901234567890\r\n", List));
    EXPECT_STREQ(List.entries[0].name, "12345678901234567890123");
}

TEST(PartsText, EmptyLinesAndLineEnds) {
    // A blank CR LF line takes its value from the next line and is an entry of
    // its own; LF-only blank lines are skipped; a trailing blank line is 0 ohms.
    ASSERT_TRUE(ParsePartsText("100\r\n\r\n220\r\n\n\n330\n\r\n", List));
    ASSERT_EQ(List.count, 6);
    double values[] = {0, 100, 220, 220, 330, DNM_VALUE};
    const char* names[] = {"", "100", "", "220", "330", "DNM"};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(List.entries[i].value, values[i]) << i;
        EXPECT_STREQ(List.entries[i].name, names[i]) << i;
    }
}

TEST(PartsText, DashLineEndsTheList) {
    for (const char* text : {"100\r\n-\r\n200\r\n", "100\r\n---\r\n-5\r\n"}) {
        ASSERT_TRUE(ParsePartsText(text, List)) << text;
        EXPECT_EQ(List.count, 2) << text;
        EXPECT_STREQ(List.entries[1].name, "DNM");
    }
}

TEST(PartsText, RejectedLists) {
    for (const char* text : {"", "-\r\n100\r\n", "100\r\n -5\r\n200\r\n", "\r\n-5\r\n", "-inf\r\n", "\n\n"})
        EXPECT_FALSE(ParsePartsText(text, List)) << '"' << text << '"';
    EXPECT_TRUE(ParsePartsText("100", List)) << "one part and the sentinel are enough";
}

TEST(PartsText, CapacityAndSentinel) {
    std::string text;
    for (int i = 1; i <= 500; ++i)
        text += std::to_string(i) + "\r\n";
    ASSERT_TRUE(ParsePartsText(text.c_str(), List));
    EXPECT_EQ(List.count, 501);
    EXPECT_STREQ(List.entries[500].name, "DNM");

    text += "501\r\n502\r\n";
    ASSERT_TRUE(ParsePartsText(text.c_str(), List));
    EXPECT_EQ(List.count, 501);
    EXPECT_STREQ(List.entries[500].name, "501") << "the 501st value is the largest, no sentinel";
}

TEST(PartsText, HugeValueSortsAfterTheSentinel) {
    ASSERT_TRUE(ParsePartsText("1e101\r\n100\r\n", List));
    ASSERT_EQ(List.count, 3);
    EXPECT_STREQ(List.entries[2].name, "1e101");
    EXPECT_STREQ(List.entries[1].name, "DNM");
    // NaN compares equal to everything; the sort must still finish in bounds.
    ASSERT_TRUE(ParsePartsText("nan\r\n5\r\nnan\r\n1\r\ninf\r\n3\r\n", List));
    EXPECT_EQ(List.count, 7);
}

TEST(PartsText, EqualValuesKeepTheirListOrder) {
    ASSERT_TRUE(ParsePartsText("1k\r\n1000\r\n1.0k\r\n", List));
    EXPECT_STREQ(List.entries[0].name, "1k");
    EXPECT_STREQ(List.entries[1].name, "1000");
    EXPECT_STREQ(List.entries[2].name, "1.0k");
}

TEST(PartsList, ChosenSlotAndBadChoice) {
    ResetState();
    Settings[0] = 1;
    int expected[] = {98, 57, 73, 146, 74, 38};
    for (int choice = 0; choice < 6; ++choice) {
        Settings[SETTING_LIST_CHOICE] = choice;
        ASSERT_TRUE(ParsePartsList());
        EXPECT_EQ(PartsListStore.count, expected[choice]) << choice;
    }
    for (int choice : {-1, 6, 2147483647}) {
        Settings[SETTING_LIST_CHOICE] = choice;
        EXPECT_FALSE(ParsePartsList());
        EXPECT_EQ(Slot(SLOT_STATUS), "Stock list error");
    }
}

} // namespace
