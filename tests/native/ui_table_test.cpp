// The control table as data: every label's bytes (Japanese converted from code
// page 932 with iconv), the caption, and the structure that creation, the radio
// rule and the edit collection rely on.
#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

#include "test_support.h"
#include "ui/control_table.h"

namespace {

struct LabelCase {
    int row;
    const char* japanese; // UTF-8
    const char* english;
};

const LabelCase LABELS[] = {
    {0, "シフト回路の抵抗の組合せを探します。", "Searching for resistor's combinations as shift circuit."},
    {1, "English", "Japanese"},
    {2, "#", "#"},
    {3, "構成選択", "Configuration select"},
    {4, "[a] Shifter(Ra,Rb,Rf)", "[a] Shifter(Ra,Rb,Rf)"},
    {5, "[b] RFU", "[b] RFU"},
    {6, "[c] RFU", "[c] RFU"},
    {7, "[d] RFU", "[d] RFU"},
    {10, "入力電圧Vi(min)", "Input volt(Vi)(min)"},
    {12, "入力電圧Vi(max)", "Input volt(Vi)(max)"},
    {14, "出力電圧Vo(min)", "Output volt(Vo)(min)"},
    {16, "出力電圧Vo(max)", "Output volt(Vo)(max)"},
    {18, "基準電圧Vref[V]", "Referrence Voltage(Vref)[V]"},
    {20, "精度(%)", "Precision(%)"},
    {24, "抵抗リスト", "Resistor List"},
    {25, "List1", "List1"},
    {26, "List2", "List2"},
    {27, "List3", "List3"},
    {28, "E24", "E24"},
    {29, "E12", "E12"},
    {30, "E6", "E6"},
    {34, "実行", "Execute"},
    {35, "DNM(0-3)", "DNM(0-3)"},
    {39, "実行結果", "Result"},
    {43, "List1", "List1"},
    {44, "List2", "List2"},
    {45, "List3", "List3"},
    {49, "直列含む", "Include Serial"},
};

TEST(ControlTable, EveryLabelInBothLanguages) {
    std::set<int> labelled;
    for (const LabelCase& c : LABELS) {
        const ControlEntry& entry = ControlTable[c.row];
        ASSERT_NE(entry.label[0], nullptr) << "row " << c.row;
        ASSERT_NE(entry.label[1], nullptr) << "row " << c.row;
        EXPECT_EQ(Cp932ToUtf8(entry.label[0]), c.japanese) << "row " << c.row;
        EXPECT_STREQ(entry.label[1], c.english) << "row " << c.row;
        labelled.insert(c.row);
    }
    // No other row carries a label, and every row that takes one has it.
    for (int row = 0; row < CONTROL_ROWS; ++row) {
        const bool hasLabel = ControlTable[row].label[0] != nullptr || ControlTable[row].label[1] != nullptr;
        EXPECT_EQ(hasLabel, labelled.count(row) == 1) << "row " << row;
        if (TakesLabel(ControlTable[row].kind)) {
            EXPECT_TRUE(hasLabel) << "row " << row;
        }
    }
}

TEST(ControlTable, CaptionAndSystemMenuTexts) {
    EXPECT_EQ(Cp932ToUtf8(MAIN_WINDOW_CAPTION), "Varnock : シフト回路の抵抗探索 R1.00");
    EXPECT_EQ(Cp932ToUtf8(COMPLETE_SEARCH_LABEL[0]), "完全探索（上位を表示）\tCtrl+Enter");
    EXPECT_STREQ(COMPLETE_SEARCH_LABEL[1], "Complete search (best first)\tCtrl+Enter");
}

TEST(ControlTable, EmptyRowsCreateAndPaintNothing) {
    const std::set<int> empty = {8, 9, 22, 23, 31, 32, 33, 37, 38, 41};
    for (int row = 0; row < CONTROL_ROWS; ++row) {
        const ControlEntry& entry = ControlTable[row];
        const bool isEmpty = entry.kind == KIND_NONE;
        EXPECT_EQ(isEmpty, empty.count(row) == 1) << "row " << row;
        if (!isEmpty) continue;
        EXPECT_FALSE(CreatesControl(entry.kind) || IsPaintedKind(entry.kind));
        EXPECT_EQ(entry.slot, -1);
        EXPECT_EQ(entry.style, 0xFFFFFFFFu);
        EXPECT_EQ(entry.x1 | entry.y1 | entry.x2 | entry.y2, 0);
    }
    // Row 40 is the one painted row: the status line from SLOT_STATUS.
    EXPECT_TRUE(IsPaintedKind(ControlTable[ROW_STATUS].kind));
    EXPECT_FALSE(CreatesControl(ControlTable[ROW_STATUS].kind));
    EXPECT_EQ(ControlTable[ROW_STATUS].slot, SLOT_STATUS);
}

// The radio rule indexes ControlHandles by Settings[slot] + group: every radio
// of a group must share slot and first row, and the group's radios must sit on
// the rows first, first + 1, ... without a gap.
TEST(ControlTable, RadioGroupsAreContiguous) {
    struct Group {
        int first, count, setting;
    };
    for (const Group g : {Group{ROW_CONFIG_A, 4, SETTING_CONFIGURATION}, Group{25, 6, SETTING_LIST_CHOICE}}) {
        for (int row = g.first; row < g.first + g.count; ++row) {
            EXPECT_EQ(ControlTable[row].kind, KIND_RADIO) << "row " << row;
            EXPECT_EQ(ControlTable[row].group, g.first) << "row " << row;
            EXPECT_EQ(ControlTable[row].slot, g.setting) << "row " << row;
        }
    }
    int radios = 0;
    for (const ControlEntry& entry : ControlTable)
        radios += entry.kind == KIND_RADIO;
    EXPECT_EQ(radios, 10);
}

// The named rows are the controls of their slots, and the inputs greyed during
// a search are every edit but the result, Execute, "Include Serial" and the
// radios [a] and [b], each once.
TEST(ControlTable, NamedRowsAndSearchInputs) {
    const struct {
        int row, kind, slot;
    } named[] = {
        {ROW_VI_MIN, KIND_EDIT, SLOT_VI_MIN},
        {ROW_VI_MAX, KIND_EDIT, SLOT_VI_MAX},
        {ROW_VO_MIN, KIND_EDIT, SLOT_VO_MIN},
        {ROW_VO_MAX, KIND_EDIT, SLOT_VO_MAX},
        {ROW_VREF, KIND_EDIT, SLOT_VREF},
        {ROW_PRECISION, KIND_EDIT, SLOT_PRECISION},
        {ROW_DNM_COUNT, KIND_EDIT, SLOT_DNM_COUNT},
        {ROW_RESULT, KIND_EDIT, SLOT_RESULT},
        {ROW_LIST1, KIND_EDIT, SLOT_FIRST_LIST},
        {ROW_LIST2, KIND_EDIT, SLOT_FIRST_LIST + 1},
        {ROW_LIST3, KIND_EDIT, SLOT_FIRST_LIST + 2},
        {ROW_INCLUDE_SERIAL, KIND_CHECKBOX, SETTING_INCLUDE_SERIAL},
        {ROW_CONFIG_A, KIND_RADIO, SETTING_CONFIGURATION},
        {ROW_CONFIG_B, KIND_RADIO, SETTING_CONFIGURATION},
        {ROW_E12, KIND_RADIO, SETTING_LIST_CHOICE},
    };
    for (const auto& n : named) {
        EXPECT_EQ(ControlTable[n.row].kind, n.kind) << "row " << n.row;
        EXPECT_EQ(ControlTable[n.row].slot, n.slot) << "row " << n.row;
    }
    EXPECT_EQ(ControlTable[ROW_E12].group + 4, ROW_E12) << "E12 is the fifth list radio";
    EXPECT_EQ(ControlTable[ROW_CONFIG_B].group + 1, ROW_CONFIG_B);
    EXPECT_STREQ(ControlTable[ROW_EXECUTE].label[1], "Execute");

    std::set<int> expected = {ROW_EXECUTE, ROW_INCLUDE_SERIAL, ROW_CONFIG_A, ROW_CONFIG_B};
    for (int row = 0; row < CONTROL_ROWS; ++row)
        if (ControlTable[row].kind == KIND_EDIT && row != ROW_RESULT) expected.insert(row);
    const std::set<int> inputs(std::begin(INPUT_ROWS), std::end(INPUT_ROWS));
    EXPECT_EQ(inputs, expected);
    EXPECT_EQ(std::size(INPUT_ROWS), expected.size()) << "each input once";
}

} // namespace
