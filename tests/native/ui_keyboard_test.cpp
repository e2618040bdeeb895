// The keyboard's order over the control table: Tab visits the inputs in row
// order and wraps, skips disabled ones and everything that is no input, and
// Enter belongs to the single-line edits only.
#include <gtest/gtest.h>

#include <set>

#include "ui/keyboard.h"

namespace {

std::set<int> Disabled;
bool IsEnabled(int row) {
    return Disabled.count(row) == 0;
}

struct TabCase {
    int from;
    bool backward;
    std::set<int> disabled;
    int expected;
};

const TabCase TAB_CASES[] = {
    {11, false, {}, 13},                     // Vi(min) to Vi(max), past the label of row 12
    {13, true, {}, 11},                      //
    {2, false, {}, 4},                       // past the group box of row 3
    {21, false, {}, 25},                     // past the group box of row 24 to List1
    {30, false, {}, 34},                     // past the empty rows to Execute
    {42, false, {}, 46},                     // result edit to List1's edit, past the captions
    {49, false, {}, 1},                      // wraps from the last to the first
    {1, true, {}, 49},                       // and back
    {-1, false, {}, 1},                      // the main window itself holds the focus
    {-1, true, {}, 49},                      //
    {2, false, {4, 5}, 6},                   // disabled radios are skipped
    {49, false, {1, 2, 4, 5, 6, 7}, 11},     //
    {11, false, {1, 2, 4, 5, 6, 7, 13}, 15}, //
    {36, false, {}, 42},                     //
};

TEST(Keyboard, TabMovesToTheNextEnabledInputInTableOrder) {
    for (const TabCase& c : TAB_CASES) {
        Disabled = c.disabled;
        EXPECT_EQ(NextFocusRow(c.from, c.backward, IsEnabled), c.expected)
            << "from " << c.from << (c.backward ? " backward" : " forward");
    }
}

TEST(Keyboard, OneEnabledInputKeepsTheFocusAndNoneGivesNoRow) {
    Disabled.clear();
    for (int row = 0; row < 50; ++row)
        if (row != 21) Disabled.insert(row);
    EXPECT_EQ(NextFocusRow(21, false, IsEnabled), 21);
    EXPECT_EQ(NextFocusRow(-1, true, IsEnabled), 21);
    Disabled.insert(21);
    EXPECT_EQ(NextFocusRow(21, false, IsEnabled), -1);
}

TEST(Keyboard, EnterExecutesInTheSingleLineEditsOnly) {
    std::set<int> enter;
    std::set<int> edits;
    for (int row = -1; row <= 50; ++row) {
        if (ExecutesOnEnter(row)) enter.insert(row);
        if (IsEditRow(row)) edits.insert(row);
    }
    EXPECT_EQ(enter, (std::set<int>{11, 13, 15, 17, 19, 21, 36}));
    EXPECT_EQ(edits, (std::set<int>{11, 13, 15, 17, 19, 21, 36, 42, 46, 47, 48}));
}

} // namespace
