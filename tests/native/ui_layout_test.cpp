// The window's arithmetic without a window: character cell, cell rectangles,
// default size, placement of saved rectangles, scroll-back on resizing, scroll
// requests and the origin bound.
#include <gtest/gtest.h>

#include <climits>

#include "ui/layout.h"

namespace {

TEST(Layout, CharCellFromTextMetrics) {
    struct Case {
        int ave, height, leading, pitch;
        CharCell cell;
    } cases[] = {
        {7, 13, 0, 0x01, {10, 13}},                            // variable pitch: widened by half, truncated
        {7, 13, 0, 0x36, {7, 13}},                             // bit 0 clear (other bits do not matter)
        {8, 18, 0, 0x37, {12, 18}}, {8, 16, 2, 0x00, {8, 18}}, // the external leading joins the height
        {0, 0, 0, 0x01, {1, 1}},                               // no metrics: still a usable divisor
    };
    for (const Case& c : cases) {
        const CharCell cell = CellFromTextMetrics(c.ave, c.height, c.leading, c.pitch);
        EXPECT_EQ(cell.width, c.cell.width) << "ave " << c.ave << " pitch " << c.pitch;
        EXPECT_EQ(cell.height, c.cell.height) << "height " << c.height;
    }
}

TEST(Layout, CellRectToPixelsDividesEachProductAndAddsTheOrigin) {
    struct Case {
        int row;
        CharCell cell;
        int originX, originY;
        PixelRect expected;
    } cases[] = {
        {ROW_STATUS, {12, 18}, 0, 0, {18, 324, 480, 345}},   // 192 * 18 / 10 = 345.6 -> 345
        {ROW_STATUS, {12, 18}, -2, -3, {-6, 270, 456, 291}}, // left edge negative: not painted
        {ROW_STATUS, {12, 18}, -1, 0, {6, 324, 468, 345}},
        {ROW_STATUS, {7, 13}, -1, 0, {3, 234, 273, 249}}, // (15*7)/10 - 7, not (15-10)*7/10
        {ROW_EXECUTE, {8, 18}, 0, 0, {352, 270, 400, 291}},
    };
    for (const Case& c : cases) {
        const PixelRect r = CellRectToPixels(ControlTable[c.row], c.cell, c.originX, c.originY);
        EXPECT_EQ(r.left, c.expected.left) << "row " << c.row << " origin " << c.originX;
        EXPECT_EQ(r.top, c.expected.top);
        EXPECT_EQ(r.right, c.expected.right);
        EXPECT_EQ(r.bottom, c.expected.bottom);
    }
}

TEST(Layout, DefaultSizeIs54CellsAnd10PixelsBy42Cells) {
    EXPECT_EQ(DefaultWindowSize({12, 18}).width, 658);
    EXPECT_EQ(DefaultWindowSize({12, 18}).height, 756);
    EXPECT_EQ(DefaultWindowSize({7, 13}).width, 388); // 378 + 10
    EXPECT_EQ(DefaultWindowSize({7, 13}).height, 546);
}

TEST(Layout, PlacementOfSavedRectangles) {
    const VirtualScreen primary = {0, 0, 1920, 1080};
    const VirtualScreen twoMonitors = {-1280, 0, 3200, 1080}; // one monitor left of the primary
    const CharCell cell = {12, 18};
    struct Case {
        const char* what;
        VirtualScreen screen;
        WindowRect saved;
        WindowPlacement place;
        WindowRect savedAfter;
    } cases[] = {
        {"first start", primary, {0, 0, 0, 0}, {0, 0, 658, 756}, {0, 0, 0, 0}},
        {"inside", primary, {100, 50, 800, 650}, {100, 50, 700, 600}, {100, 50, 800, 650}},
        {"off the right", primary, {1721, 50, 2421, 650}, {0, 50, 700, 600}, {0, 50, 700, 650}},
        {"right edge kept", primary, {1720, 50, 2420, 650}, {1720, 50, 700, 600}, {1720, 50, 2420, 650}},
        {"off the bottom", primary, {100, 931, 800, 1531}, {100, 0, 700, 600}, {100, 0, 800, 600}},
        {"5 pixels wide", primary, {100, 50, 105, 650}, {100, 50, 658, 756}, {100, 50, 105, 650}},
        {"5 pixels high", primary, {100, 50, 800, 55}, {100, 50, 658, 756}, {100, 50, 800, 55}},
        {"6 by 6", primary, {100, 50, 106, 56}, {100, 50, 6, 6}, {100, 50, 106, 56}},
        {"partly left", primary, {-300, 50, 400, 650}, {-300, 50, 700, 600}, {-300, 50, 400, 650}},
        {"partly above", primary, {100, -300, 800, 300}, {100, -300, 700, 600}, {100, -300, 800, 300}},
        {"on a left monitor",
         twoMonitors,
         {-1000, 50, -300, 650},
         {-1000, 50, 700, 600},
         {-1000, 50, -300, 650}},
        // The monitor it was saved on is gone: back to the screen's edge.
        {"wholly left", primary, {-1000, 50, -300, 650}, {0, 50, 700, 600}, {0, 50, 700, 650}},
        {"wholly above", primary, {100, -900, 800, -300}, {100, 0, 700, 600}, {100, 0, 800, 600}},
        {"right edge on the screen edge", primary, {-700, 50, 0, 650}, {0, 50, 700, 600}, {0, 50, 700, 650}},
        {"degenerate and far left", primary, {-5000, 50, -4998, 650}, {0, 50, 658, 756}, {0, 50, 2, 650}},
    };
    for (const Case& c : cases) {
        WindowRect saved = c.saved;
        const WindowPlacement place = PlaceWindow(saved, c.screen, cell);
        EXPECT_EQ(place.x, c.place.x) << c.what;
        EXPECT_EQ(place.y, c.place.y) << c.what;
        EXPECT_EQ(place.width, c.place.width) << c.what;
        EXPECT_EQ(place.height, c.place.height) << c.what;
        EXPECT_EQ(saved.left, c.savedAfter.left) << c.what;
        EXPECT_EQ(saved.top, c.savedAfter.top) << c.what;
        EXPECT_EQ(saved.right, c.savedAfter.right) << c.what;
        EXPECT_EQ(saved.bottom, c.savedAfter.bottom) << c.what;
    }
}

// An edited file may hold any 32-bit values; the arithmetic must not overflow.
TEST(Layout, PlacementOfAbsurdRectangles) {
    WindowRect saved = {INT_MIN, INT_MIN, INT_MAX, INT_MAX};
    const WindowPlacement place = PlaceWindow(saved, {0, 0, 1920, 1080}, {12, 18});
    EXPECT_EQ(place.width, INT_MAX);
    EXPECT_EQ(place.height, INT_MAX);
    EXPECT_EQ(place.x, 0); // INT_MIN + INT_MAX = -1 <= 0: wholly left
    EXPECT_EQ(place.y, 0);

    saved = {INT_MAX, INT_MAX, INT_MIN, INT_MIN};
    const WindowPlacement inverted = PlaceWindow(saved, {0, 0, 1920, 1080}, {12, 18});
    EXPECT_EQ(inverted.x, 0);
    EXPECT_EQ(inverted.y, 0);
    EXPECT_EQ(inverted.width, 658);
    EXPECT_EQ(inverted.height, 756);
}

TEST(Layout, ScrollBackWhenTheWindowGrows) {
    struct Case {
        int origin, visible, extent, back;
    } cases[] = {
        {-19, 30, VIRTUAL_ROWS, 11}, // 20 to 30 cells high at -19: origin becomes -8
        {-19, 20, VIRTUAL_ROWS, 1},
        {-19, 19, VIRTUAL_ROWS, 0}, // exactly fills: nothing hidden
        {-5, 100, VIRTUAL_ROWS, 5}, // never past origin 0
        {0, 100, VIRTUAL_COLS, 0},
        {-3, 10, VIRTUAL_COLS, 0}, // shrinking never scrolls
        {INT_MIN, INT_MAX, VIRTUAL_COLS, INT_MAX},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ScrollBackCells(c.origin, c.visible, c.extent), c.back) << c.origin << " " << c.visible;
    }
}

TEST(Layout, ScrollRequests) {
    const ScrollBarState bar = {0, 38, 20, 10, 15};
    const int expected[] = {9, 11, -10, 30, 10, 15, 0, 38, 10};
    for (int code = 0; code < static_cast<int>(std::size(expected)); ++code) {
        EXPECT_EQ(RequestedScrollPosition(code, bar), expected[code]) << "code " << code;
    }
    EXPECT_EQ(RequestedScrollPosition(99, bar), 10);
    EXPECT_EQ(RequestedScrollPosition(3, {0, 38, INT_MAX, INT_MAX, 0}), INT_MAX);
}

TEST(Layout, ScrollDeltaNeverMakesTheOriginPositive) {
    struct Case {
        int oldPos, newPos, origin, delta;
    } cases[] = {
        {0, 1, 0, -1}, // down one cell
        {1, 0, -1, 1}, // back up to the top
        {5, 0, -2, 2}, // the origin bounds the way up
        {0, 19, 0, -19}, {3, 3, -3, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ScrollDeltaCells(c.oldPos, c.newPos, c.origin), c.delta) << c.oldPos << "->" << c.newPos;
    }
}

} // namespace
