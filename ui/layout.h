// The window's arithmetic without any Win32 type: the character cell, cell
// rectangles to pixels, the default size, placement of a saved rectangle, the
// scroll-back on resizing and the scroll requests. The Win32 handlers stay thin
// around these, and the native tests check them without a window.
#pragma once

#include <cstdint>

#include "state/settings_file.h"
#include "ui/control_table.h"

// The scrollable virtual area in character cells: the nMax of the scroll bars
// and the limits of the scroll-back when the window grows.
constexpr std::int32_t VIRTUAL_COLS = 52;
constexpr std::int32_t VIRTUAL_ROWS = 38;

// The layout unit in pixels, set once at window creation.
extern std::int32_t CharCellWidth;
extern std::int32_t CharCellHeight;
// Scroll position of the virtual area in whole cells; 0 or negative.
extern std::int32_t ScrollOriginX;
extern std::int32_t ScrollOriginY;

struct CharCell {
    std::int32_t width, height;
};

struct PixelRect {
    std::int32_t left, top, right, bottom;
};

// Where and how large the main window opens.
struct WindowPlacement {
    std::int32_t x, y, width, height;
};

// The virtual screen: left and top edge (negative with a monitor left of or
// above the primary one), width and height.
struct VirtualScreen {
    std::int32_t left, top, width, height;
};

// The cell from the font's text metrics. The pitch bit set means a variable
// pitch font, whose average width is widened by half.
CharCell CellFromTextMetrics(std::int32_t aveCharWidth, std::int32_t height, std::int32_t externalLeading,
                             std::int32_t pitchAndFamily);

// A row's rectangle in client pixels for the given cell and scroll origin.
PixelRect CellRectToPixels(const ControlEntry& row, CharCell cell, std::int32_t originX,
                           std::int32_t originY);
// The same with the window's own cell and origin.
PixelRect CellRectToPixels(int row);

// 54 cells plus 10 pixels by 42 cells: the "#" button's size and the size of a
// window whose saved rectangle is degenerate.
WindowPlacement DefaultWindowSize(CharCell cell);

// Places the window from the saved rectangle, pulling it back from beyond the
// right or bottom edge (saved rectangle updated) and from wholly left of or
// above the virtual screen. A rectangle 5 pixels or less wide or high opens
// with the default size at its position.
WindowPlacement PlaceWindow(WindowRect& saved, const VirtualScreen& screen, CharCell cell);

// Cells to scroll back (0 or positive) when the window shows `visibleCells`
// of a virtual extent of `virtualCells` at `origin`; never past origin 0.
std::int32_t ScrollBackCells(std::int32_t origin, std::int32_t visibleCells, std::int32_t virtualCells);

// A scroll bar's state as the platform reports it.
struct ScrollBarState {
    std::int32_t nMin, nMax, page, pos, trackPos;
};

// The position a scroll request code (SB_LINEUP = 0 .. SB_BOTTOM = 7) asks
// for; any other code keeps the position.
std::int32_t RequestedScrollPosition(std::int32_t code, const ScrollBarState& bar);

// Cells to move the content for a bar moved from `oldPos` to `newPos` (the
// platform's clamped position): old - new, but never beyond origin 0.
std::int32_t ScrollDeltaCells(std::int32_t oldPos, std::int32_t newPos, std::int32_t origin);
