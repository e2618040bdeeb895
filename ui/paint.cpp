// WM_PAINT: draws the table's painted rows (in this table only the status line,
// row ROW_STATUS, from SLOT_STATUS) over the class background. Child controls draw
// themselves. A row whose left edge has scrolled off to the left is skipped
// whole, as the layout has always done.
#include "ui/main_window.h"

#include "state/app_state.h"
#include "state/bounded_text.h"
#include "ui/layout.h"

namespace {

void DrawRowText(HDC dc, const char* text, RECT* rect, std::uint32_t format) {
    DrawTextA(dc, text ? text : "", -1, rect, format);
}

void PaintRow(HDC dc, int row) {
    const ControlEntry& entry = ControlTable[row];
    const PixelRect pixels = CellRectToPixels(row);
    if (pixels.left < 0) return;
    RECT rect = {pixels.left, pixels.top, pixels.right, pixels.bottom};
    char number[NUMBER_TEXT_SIZE];
    switch (entry.kind) {
    case KIND_PAINT_LABEL:
        DrawRowText(dc, entry.label[LanguageIndex()], &rect, entry.style);
        break;
    case KIND_PAINT_SLOT:
        DrawRowText(dc, TextSlots[entry.slot], &rect, entry.style);
        break;
    case KIND_PAINT_DEC:
        FormatText(number, sizeof number, "%d", static_cast<int>(Settings[entry.slot]));
        DrawRowText(dc, number, &rect, entry.style);
        break;
    case KIND_PAINT_HEX:
        FormatText(number, sizeof number, "%#x", static_cast<unsigned>(Settings[entry.slot]));
        DrawRowText(dc, number, &rect, entry.style);
        break;
    case KIND_PAINT_EDGE:
        DrawEdge(dc, &rect, entry.style, static_cast<UINT>(entry.group));
        break;
    default:
        break;
    }
}

} // namespace

void PaintItems(HWND window) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    for (int row = 0; row < CONTROL_ROWS; ++row) {
        if (IsPaintedKind(ControlTable[row].kind)) PaintRow(dc, row);
    }
    EndPaint(window, &paint);
}
