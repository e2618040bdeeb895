// Layout arithmetic of the main window in plain integers. Every division is
// C++ integer division (truncation toward zero), each product divided
// separately, so the pixels match a cell-for-cell layout. Values that come from
// an edited Varnock.ini are worked in 64 bits and saturated, so no rectangle,
// however absurd, can overflow.
#include "ui/layout.h"

#include <cstdint>
#include <limits>

std::int32_t CharCellWidth = 1;
std::int32_t CharCellHeight = 1;
std::int32_t ScrollOriginX = 0;
std::int32_t ScrollOriginY = 0;

namespace {

// TMPF_FIXED_PITCH: set, despite its name, for variable-pitch fonts.
constexpr std::int32_t PITCH_BIT = 0x01;
// Visible margin below which a saved window counts as off the right or bottom.
constexpr std::int64_t KEEP_VISIBLE_X = 200;
constexpr std::int64_t KEEP_VISIBLE_Y = 150;
// A saved extent of this many pixels or fewer is not a usable window.
constexpr std::int64_t DEGENERATE_EXTENT = 5;

std::int32_t Saturate(std::int64_t value) {
    if (value > std::numeric_limits<std::int32_t>::max()) return std::numeric_limits<std::int32_t>::max();
    if (value < std::numeric_limits<std::int32_t>::min()) return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(value);
}

} // namespace

CharCell CellFromTextMetrics(std::int32_t aveCharWidth, std::int32_t height, std::int32_t externalLeading,
                             std::int32_t pitchAndFamily) {
    CharCell cell = {aveCharWidth, height + externalLeading};
    if (pitchAndFamily & PITCH_BIT) cell.width = (3 * aveCharWidth) / 2;
    // A font without metrics must not make a later division by the cell fail.
    if (cell.width < 1) cell.width = 1;
    if (cell.height < 1) cell.height = 1;
    return cell;
}

PixelRect CellRectToPixels(const ControlEntry& row, CharCell cell, std::int32_t originX,
                           std::int32_t originY) {
    return {(row.x1 * cell.width) / 10 + originX * cell.width,
            (row.y1 * cell.height) / 10 + originY * cell.height,
            (row.x2 * cell.width) / 10 + originX * cell.width,
            (row.y2 * cell.height) / 10 + originY * cell.height};
}

PixelRect CellRectToPixels(int row) {
    return CellRectToPixels(ControlTable[row], {CharCellWidth, CharCellHeight}, ScrollOriginX, ScrollOriginY);
}

WindowPlacement DefaultWindowSize(CharCell cell) {
    return {0, 0, (cell.width * 540) / 10 + 10, (cell.height * 420) / 10};
}

WindowPlacement PlaceWindow(WindowRect& saved, const VirtualScreen& screen, CharCell cell) {
    const std::int64_t width = std::int64_t{saved.right} - saved.left;
    const std::int64_t height = std::int64_t{saved.bottom} - saved.top;
    if (saved.left + KEEP_VISIBLE_X > screen.width) {
        saved.right = Saturate(width);
        saved.left = 0;
    }
    if (saved.top + KEEP_VISIBLE_Y > screen.height) {
        saved.bottom = Saturate(height);
        saved.top = 0;
    }
    WindowPlacement place = {saved.left, saved.top, Saturate(width), Saturate(height)};
    if (width <= DEGENERATE_EXTENT || height <= DEGENERATE_EXTENT) {
        const WindowPlacement size = DefaultWindowSize(cell);
        place.width = size.width;
        place.height = size.height;
    }
    // A window saved on a monitor that has since gone, wholly left of or above
    // what is left of the screen, comes back to the screen's edge.
    if (std::int64_t{place.x} + place.width <= screen.left) {
        place.x = screen.left;
        saved.left = screen.left;
        saved.right = Saturate(std::int64_t{screen.left} + width);
    }
    if (std::int64_t{place.y} + place.height <= screen.top) {
        place.y = screen.top;
        saved.top = screen.top;
        saved.bottom = Saturate(std::int64_t{screen.top} + height);
    }
    return place;
}

std::int32_t ScrollBackCells(std::int32_t origin, std::int32_t visibleCells, std::int32_t virtualCells) {
    const std::int64_t shown = std::int64_t{origin} + virtualCells;
    if (origin >= 0 || visibleCells <= shown) return 0;
    const std::int64_t back = visibleCells - shown;
    return Saturate(back < -std::int64_t{origin} ? back : -std::int64_t{origin});
}

std::int32_t RequestedScrollPosition(std::int32_t code, const ScrollBarState& bar) {
    const std::int64_t old = bar.pos;
    switch (code) {
    case 0:
        return Saturate(old - 1); // SB_LINEUP / SB_LINELEFT
    case 1:
        return Saturate(old + 1); // SB_LINEDOWN / SB_LINERIGHT
    case 2:
        return Saturate(old - bar.page); // SB_PAGEUP / SB_PAGELEFT
    case 3:
        return Saturate(old + bar.page); // SB_PAGEDOWN / SB_PAGERIGHT
    case 5:
        return bar.trackPos; // SB_THUMBTRACK: follow the thumb while dragged
    case 6:
        return bar.nMin; // SB_TOP / SB_LEFT
    case 7:
        return bar.nMax; // SB_BOTTOM / SB_RIGHT
    default:
        return bar.pos; // SB_THUMBPOSITION, SB_ENDSCROLL and unknown codes
    }
}

std::int32_t ScrollDeltaCells(std::int32_t oldPos, std::int32_t newPos, std::int32_t origin) {
    const std::int64_t delta = std::int64_t{oldPos} - newPos;
    const std::int64_t bound = -std::int64_t{origin};
    return Saturate(delta < bound ? delta : bound);
}
