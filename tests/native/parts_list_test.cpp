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
        {"4,7", 4},           {"4k7", 4.7 * 1000},     {"1.5 k", 1.5},
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

// The value of a one-line list, read through the parser.
double ValueOf(const std::string& line) {
    EXPECT_TRUE(ParsePartsText((line + "\r\n").c_str(), List)) << line;
    EXPECT_EQ(List.count, 2) << line;
    return std::string(List.entries[0].name) == "DNM" ? List.entries[1].value : List.entries[0].value;
}

TEST(PartsText, RkmNotationReadsAsTheDecimalForm) {
    // The letter stands for the decimal point and scales the value: the very
    // double the decimal form gives, not a near one.
    const char* const same[][2] = {
        {"4k7", "4.7k"},
        {"88k7", "88.7k"},
        {"2R2", "2.2"},
        {"4R7", "4.7"},
        {"1K5", "1.5K"},
        {"4m7", "4.7m"},
        {"4u7", "4.7u"},
        {"8M2", "8.2M"},
        {"2r2", "2.2"},
        {" 4k7 1%", " 4.7k"},
        {"0k33", "0.33k"},
        {"10k0001x", "10.0001k"},
        {"1R5e3", "1.5"},
        // Not RKM: a point, sign or exponent before the letter, no digit after
        // it, or no digits before it keep their plain reading.
        {"4,7", "4"},
        {"4.7k5", "4.7k"},
        {"R47", "0"},
        {"10 k", "10"},
        {"+4k7", "4k"},
        {"1e1k5", "10k"},
        {"4k", "4000"},
        {"4k 7", "4k"},
        {"4R", "4"},
        {"0x4k7", "4k"},
        {"4kk7", "4k"},
    };
    for (const auto& pair : same)
        EXPECT_EQ(ValueOf(pair[0]), ValueOf(pair[1])) << pair[0] << " against " << pair[1];
    EXPECT_NE(ValueOf("8M2"), 8200000.0) << "8.2 times a million in double arithmetic, as \"8.2M\" gives";
    ValueOf("4k7");
    EXPECT_STREQ(List.entries[0].name, "4k7") << "the name stays the whole line";
}

TEST(PartsText, EmptyAndBlankLinesAreSkipped) {
    // CR LF blank lines, white-space lines and LF-only blank lines all vanish;
    // a blank last line ends the list like the end of the text.
    const char* lists[] = {"100\r\n\r\n220\r\n\n\n330\n\r\n", "100\r\n \t\v\f\r\n220\r\n330\r\n\r\n",
                           "\r\n100\n220\n330\n  ", "100\r\n220\r\n330\r\n\r\n\r\n \r\n-\r\n5\r\n",
                           "\r\n\r\n100\r\n220\r\n330\r\n\t\r\n\r"};
    for (const char* text : lists) {
        ASSERT_TRUE(ParsePartsText(text, List)) << text;
        ASSERT_EQ(List.count, 4) << text;
        const char* names[] = {"100", "220", "330", "DNM"};
        for (int i = 0; i < 4; ++i)
            EXPECT_STREQ(List.entries[i].name, names[i]) << text << " entry " << i;
    }
    for (const char* text : {"\r\n", " \r\n\t\r\n", "  ", "\r\n\r\n-\r\n100\r\n"})
        EXPECT_FALSE(ParsePartsText(text, List)) << "only blank lines: " << text;
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
    Settings[SETTING_LANGUAGE] = 1;
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
