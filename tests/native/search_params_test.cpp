// The parameter fields as users type them, the design quantities, and the order
// in which the run reports its first failure.
#include <gtest/gtest.h>

#include <cmath>

#include "engine/search_params.h"
#include "test_support.h"

namespace {

TEST(Design, DefaultQuantitiesAreExact) {
    ResetState();
    ASSERT_TRUE(ParseSearchParams());
    ASSERT_TRUE(DeriveShifterDesign());
    const ShifterDesign& d = ShifterDesignStore;
    EXPECT_EQ(d.gain, 1.2916666666666667);
    EXPECT_EQ(d.gainMinus1, 0.29166666666666674);
    EXPECT_EQ(d.voff, 2.314285714285714);
    EXPECT_EQ(d.rfPerRa, 0.2045454545454546);
    EXPECT_EQ(SearchParamsStore.precision, 0.0001);
    EXPECT_EQ(d.prefilterWindow, 0.0015);
}

TEST(Fields, VoltageSuffixes) {
    struct Case {
        const char* text;
        bool accepted;
        double volts;
    } cases[] = {
        {"1.5m", true, 0.0015}, {"1.5 m", true, 0.0015}, {"1.5mV", true, 0.0015},  {"1.5mx", true, 0.0015},
        {"3.3V", true, 3.3},    {"3.3 v", true, 3.3},    {"3.3V junk", true, 3.3}, {"", true, 0},
        {"V", true, 0},         {" 3.3", true, 3.3},     {"3.3\r\n", true, 3.3},   {"3300m", true, 3.3},
        {"1.5M", false, 0},     {"1.5k", false, 0},      {"1.5\t", false, 0},      {"3.3 4", false, 0},
        {"3.3\n", false, 0},    {"abc", false, 0},
    };
    for (const Case& c : cases) {
        ResetState();
        SetSlotText(SLOT_VREF, c.text);
        EXPECT_EQ(ParseSearchParams(), c.accepted) << '"' << c.text << '"';
        if (c.accepted) {
            EXPECT_EQ(SearchParamsStore.vref, c.volts) << '"' << c.text << '"';
        }
    }
}

TEST(Fields, PrecisionSuffixes) {
    struct Case {
        const char* text;
        bool accepted;
        double fraction;
    } cases[] = {
        {"1", true, 0.01},       {"1 %", true, 0.01}, {"1%%", true, 0.01}, {"1V", true, 0.01},
        {"0.01%", true, 0.0001}, {"1m", false, 0},    {"1 x", false, 0},
    };
    for (const Case& c : cases) {
        ResetState();
        SetSlotText(SLOT_PRECISION, c.text);
        EXPECT_EQ(ParseSearchParams(), c.accepted) << '"' << c.text << '"';
        if (c.accepted) {
            EXPECT_EQ(SearchParamsStore.precision, c.fraction) << '"' << c.text << '"';
        }
    }
}

TEST(Fields, DnmCountIsClampedNeverRejected) {
    struct Case {
        const char* text;
        int dnm;
    } cases[] = {{"", 0},  {"2", 2},           {"2.9", 2},          {"7", 3}, {"3", 3}, {"4", 3}, {"-1", 0},
                 {"x", 0}, {"99999999999", 3}, {"-99999999999", 0}, {" 1", 1}};
    for (const Case& c : cases) {
        ResetState();
        SetSlotText(SLOT_DNM_COUNT, c.text);
        ASSERT_TRUE(ParseSearchParams());
        EXPECT_EQ(SearchParamsStore.minDnm, c.dnm) << '"' << c.text << '"';
    }
}

TEST(Fields, FormatErrorNamesTheFieldInBothLanguages) {
    ResetState();
    Settings[SETTING_LANGUAGE] = 1;
    SetSlotText(SLOT_VO_MIN, "abc");
    SetSlotText(SLOT_VREF, "3.3x"); // a later bad field is not reported
    EXPECT_EQ(RunEngine(), RunOutcome::InputError);
    EXPECT_EQ(Slot(SLOT_STATUS), "Format error\nabc");
    Settings[SETTING_LANGUAGE] = 0;
    RunEngine();
    EXPECT_EQ(Slot(SLOT_STATUS), std::string(MessageTable[12].text[0]) + "abc");
}

TEST(Fields, HugeFieldTextIsCutToTheStatusSlot) {
    ResetState();
    Settings[SETTING_LANGUAGE] = 1;
    std::string text = "1x" + std::string(TEXT_SLOT_SIZE, 'y');
    SetSlotText(SLOT_PRECISION, text.c_str());
    EXPECT_EQ(RunEngine(), RunOutcome::InputError);
    EXPECT_EQ(Slot(SLOT_STATUS).size(), TEXT_SLOT_SIZE - 1);
    EXPECT_EQ(Slot(SLOT_STATUS).rfind("Format error\n1x", 0), 0u);
}

TEST(Design, RangeErrorsAndWindow) {
    struct Case {
        const char *voMin, *voMax, *precision;
        const char* status; // nullptr: the design is accepted
        double window;
    } cases[] = {
        {"0.1", "0.1", "0.01%", "Range error = 0.000000", 0},
        {"0.1", "2.5", "0.01%", "Range error = 1.000000", 0},
        {"0.1", "3.2", "6.8%", nullptr, 1.02},
        {"0.1", "3.2", "50%", nullptr, 1.02},
        {"0.1", "3.2", "0.5%", nullptr, 15 * 0.005},
    };
    for (const Case& c : cases) {
        ResetState();
        SetSlotText(SLOT_VO_MIN, c.voMin);
        SetSlotText(SLOT_VO_MAX, c.voMax);
        SetSlotText(SLOT_PRECISION, c.precision);
        ASSERT_TRUE(ParseSearchParams());
        EXPECT_EQ(DeriveShifterDesign(), c.status == nullptr);
        if (c.status != nullptr) {
            EXPECT_EQ(Slot(SLOT_STATUS), c.status);
        } else {
            EXPECT_EQ(ShifterDesignStore.prefilterWindow, c.window) << c.precision;
        }
    }
}

TEST(Design, InfiniteAndNanGainGoOnToTheSearch) {
    ResetState();
    SetSlotText(SLOT_FIRST_LIST, "1k\r\n2k\r\n"); // every pair passes a NaN target: keep the list short
    SetSlotText(SLOT_VI_MAX, "0.6");              // equal input bounds: infinite gain
    EXPECT_EQ(RunEngine(), RunOutcome::Searched);
    EXPECT_TRUE(std::isinf(ShifterDesignStore.gain));
    SetSlotText(SLOT_VO_MAX, "0.1"); // both ranges of zero width: NaN gain
    EXPECT_EQ(RunEngine(), RunOutcome::Searched);
    EXPECT_TRUE(std::isnan(ShifterDesignStore.gain));
}

TEST(RunOrder, FirstFailureWinsAndKeepsTheMatchCount) {
    ResetState();
    Settings[SETTING_LANGUAGE] = 1;
    Settings[SETTING_MATCH_COUNT] = 42;
    struct Case {
        const char* viMax;
        const char* list;
        int configuration;
        const char* status;
    } cases[] = {
        {"0.5", "", 1, "Searching parameter error"}, // bad range hides a bad list and configuration
        {"3.0", "", 1, "Stock list error"},          // bad list hides the configuration
        {"3.0", "100\r\n", 1, "Not yet released."},  // a good list shows the configuration
    };
    for (const Case& c : cases) {
        SetSlotText(SLOT_VI_MAX, c.viMax);
        SetSlotText(SLOT_FIRST_LIST, c.list);
        Settings[SETTING_CONFIGURATION] = c.configuration;
        ShowCalls() = 0;
        EXPECT_EQ(RunEngine(), RunOutcome::InputError);
        EXPECT_EQ(Slot(SLOT_STATUS), c.status);
        EXPECT_EQ(Slot(SLOT_RESULT), "");
        EXPECT_EQ(ShowCalls(), 1) << "the result display is emptied once at the start";
        EXPECT_EQ(Settings[SETTING_MATCH_COUNT], 42);
    }
}

} // namespace
