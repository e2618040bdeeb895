// Resizing and scrolling of the whole client area over the virtual area of
// VIRTUAL_COLS x VIRTUAL_ROWS cells. The platform clamps the bar positions; the
// arithmetic around it (scroll-back, requests, the origin bound) is in
// layout.cpp. ScrollWindow with no clipping rectangle moves the child controls.
#include "ui/main_window.h"

#include "ui/layout.h"

namespace {

// One scroll bar and the origin and cell size it moves.
struct ScrollAxis {
    int bar;
    std::int32_t* origin;
    std::int32_t cell;
};

void SetBarRange(HWND window, int bar, std::int32_t virtualCells, std::int32_t visibleCells) {
    SCROLLINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE;
    info.nMin = 0;
    info.nMax = virtualCells;
    info.nPage = visibleCells > 0 ? static_cast<UINT>(visibleCells) : 0;
    SetScrollInfo(window, bar, &info, TRUE);
}

// Moves the content by `cells` along one axis; returns true when it moved.
bool ScrollContent(HWND window, const ScrollAxis& axis, std::int32_t cells) {
    if (cells == 0) return false;
    if (axis.bar == SB_VERT) {
        ScrollWindow(window, 0, cells * axis.cell, nullptr, nullptr);
    } else {
        ScrollWindow(window, cells * axis.cell, 0, nullptr, nullptr);
    }
    *axis.origin += cells;
    return true;
}

// One algorithm for both bars: ask for a position, let the platform clamp it,
// move the content by what changed.
bool ScrollByRequest(HWND window, const ScrollAxis& axis, int code) {
    SCROLLINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    GetScrollInfo(window, axis.bar, &info);
    const ScrollBarState state = {info.nMin, info.nMax, static_cast<std::int32_t>(info.nPage), info.nPos,
                                  info.nTrackPos};
    info.fMask = SIF_POS;
    info.nPos = RequestedScrollPosition(code, state);
    SetScrollInfo(window, axis.bar, &info, TRUE);
    GetScrollInfo(window, axis.bar, &info);
    if (info.nPos == state.pos) return false;
    return ScrollContent(window, axis, ScrollDeltaCells(state.pos, info.nPos, *axis.origin));
}

} // namespace

// Growing the window brings content hidden at the top or left back into view;
// shrinking never scrolls.
void OnSize(HWND window, LPARAM lParam) {
    const std::int32_t cols = LOWORD(lParam) / CharCellWidth;
    const std::int32_t rows = HIWORD(lParam) / CharCellHeight;
    const bool scrolledY = ScrollContent(window, {SB_VERT, &ScrollOriginY, CharCellHeight},
                                         ScrollBackCells(ScrollOriginY, rows, VIRTUAL_ROWS));
    const bool scrolledX = ScrollContent(window, {SB_HORZ, &ScrollOriginX, CharCellWidth},
                                         ScrollBackCells(ScrollOriginX, cols, VIRTUAL_COLS));
    if (scrolledY || scrolledX) InvalidateRect(window, nullptr, TRUE);
    SetBarRange(window, SB_VERT, VIRTUAL_ROWS, rows);
    SetBarRange(window, SB_HORZ, VIRTUAL_COLS, cols);
}

// The uncovered strip is repainted at once.
void OnVScroll(HWND window, int code) {
    if (ScrollByRequest(window, {SB_VERT, &ScrollOriginY, CharCellHeight}, code)) UpdateWindow(window);
}

// The whole area is repainted at the next paint.
void OnHScroll(HWND window, int code) {
    if (ScrollByRequest(window, {SB_HORZ, &ScrollOriginX, CharCellWidth}, code)) {
        InvalidateRect(window, nullptr, TRUE);
    }
}
