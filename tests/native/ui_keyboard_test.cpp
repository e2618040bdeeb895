// The keyboard's order over the control table: Tab visits the enabled inputs in
// row order and wraps; Enter belongs to the single-line edits only.
#include <gtest/gtest.h>

#include <set>

#include "ui/keyboard.h"

namespace {

std::set<int> Disabled;
bool IsEnabled(int row) {
    return Disabled.count(row) == 0;
}

TEST(Keyboard, TabMovesToTheNextEnabledInputInTableOrder) {
    struct {
        int from;
        bool backward;
        std::set<int> disabled;
        int expected;
    } const cases[] = {
        {11, false, {}, 13},   {13, true, {}, 11},  // past the label between them
        {21, false, {}, 25},   {30, false, {}, 34}, // past a group box, past empty rows
        {49, false, {}, 1},    {1, true, {}, 49},   // wrapping around
        {-1, false, {}, 1},    {-1, true, {}, 49},  // from the main window itself
        {2, false, {4, 5}, 6},                      // disabled radios skipped
    };
    for (const auto& c : cases) {
        Disabled = c.disabled;
        EXPECT_EQ(NextFocusRow(c.from, c.backward, IsEnabled), c.expected) << "from " << c.from;
    }
    for (int row = 0; row < 50; ++row)
        Disabled.insert(row);
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
