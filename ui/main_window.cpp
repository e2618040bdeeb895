// Creation of the main window's content at WM_CREATE, its labelling in the
// current language, the copy of edit texts back into their slots and the
// placement of the window from the saved rectangle. Everything walks the
// control table; nothing here knows a particular control.
#include "ui/main_window.h"

#include "state/app_state.h"
#include "state/bounded_text.h"
#include "state/settings_file.h"
#include "ui/layout.h"

HWND ControlHandles[CONTROL_ROWS];

namespace {

// The window's default font (no font is ever selected) gives the layout unit.
void MeasureCharCell(HWND window) {
    TEXTMETRICA metrics = {};
    HDC dc = GetDC(window);
    GetTextMetricsA(dc, &metrics);
    ReleaseDC(window, dc);
    const CharCell cell = CellFromTextMetrics(metrics.tmAveCharWidth, metrics.tmHeight,
                                              metrics.tmExternalLeading, metrics.tmPitchAndFamily);
    CharCellWidth = cell.width;
    CharCellHeight = cell.height;
}

const char* ClassOfKind(std::int32_t kind) {
    if (kind == KIND_EDIT) return "edit";
    if (kind >= KIND_STATIC_LABEL) return "static";
    return "button";
}

void SetNumberText(HWND control, const char* format, std::int32_t value) {
    char text[NUMBER_TEXT_SIZE];
    FormatText(text, sizeof text, format, static_cast<int>(value));
    SendMessageA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}

// The state a new control takes from Settings or TextSlots.
void SetInitialState(int row) {
    const ControlEntry& entry = ControlTable[row];
    HWND control = ControlHandles[row];
    switch (entry.kind) {
    case KIND_RADIO:
        SetCheck(row, Settings[entry.slot] == row - entry.group);
        break;
    case KIND_CHECKBOX:
        SetCheck(row, Settings[entry.slot] != 0);
        break;
    case KIND_STATIC_SLOT:
    case KIND_EDIT:
        SendMessageA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(TextSlots[entry.slot]));
        break;
    case KIND_STATIC_DEC:
        SetNumberText(control, "%d", Settings[entry.slot]);
        break;
    case KIND_STATIC_HEX:
        SetNumberText(control, "%x", Settings[entry.slot]);
        break;
    default:
        break;
    }
}

void CreateChild(HWND window, HINSTANCE instance, int row) {
    const ControlEntry& entry = ControlTable[row];
    const PixelRect rect = CellRectToPixels(row);
    ControlHandles[row] =
        CreateWindowExA(0, ClassOfKind(entry.kind), " ", entry.style, rect.left, rect.top,
                        rect.right - rect.left, rect.bottom - rect.top, window,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(row)), instance, nullptr);
    SetInitialState(row);
    if (entry.kind != KIND_RADIO && entry.group == CREATE_DISABLED) EnableWindow(ControlHandles[row], FALSE);
}

// Moves the window to the saved rectangle, brought back onto the screen.
void PlaceMainWindow(HWND window) {
    WindowRect saved = {Settings[SETTING_WINDOW_LEFT], Settings[SETTING_WINDOW_TOP],
                        Settings[SETTING_WINDOW_RIGHT], Settings[SETTING_WINDOW_BOTTOM]};
    const VirtualScreen screen = {GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
                                  GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN)};
    const WindowPlacement place = PlaceWindow(saved, screen, {CharCellWidth, CharCellHeight});
    Settings[SETTING_WINDOW_LEFT] = saved.left;
    Settings[SETTING_WINDOW_TOP] = saved.top;
    Settings[SETTING_WINDOW_RIGHT] = saved.right;
    Settings[SETTING_WINDOW_BOTTOM] = saved.bottom;
    MoveWindow(window, place.x, place.y, place.width, place.height, TRUE);
}

} // namespace

LRESULT CreateControls(HWND window, const CREATESTRUCTA* creation) {
    MeasureCharCell(window);
    InitDefaults();
    LoadSettings();
    ChooseFirstStartLanguage();
    for (int row = 0; row < CONTROL_ROWS; ++row) {
        if (CreatesControl(ControlTable[row].kind)) CreateChild(window, creation->hInstance, row);
    }
    ApplyLanguage();
    PlaceMainWindow(window);
    return 0;
}

void ApplyLanguage() {
    const int language = LanguageIndex();
    for (int row = 0; row < CONTROL_ROWS; ++row) {
        const ControlEntry& entry = ControlTable[row];
        if (!TakesLabel(entry.kind)) continue;
        const char* label = entry.label[language] ? entry.label[language] : "";
        SendMessageA(ControlHandles[row], WM_SETTEXT, 0, reinterpret_cast<LPARAM>(label));
    }
}

// A control that could not be created has nothing to hand back; its slot keeps
// its text rather than being emptied.
void CollectEditTexts() {
    for (int row = 0; row < CONTROL_ROWS; ++row) {
        const ControlEntry& entry = ControlTable[row];
        if (entry.kind != KIND_EDIT || ControlHandles[row] == nullptr) continue;
        char* slot = TextSlots[entry.slot];
        int length = GetWindowTextA(ControlHandles[row], slot, static_cast<int>(TEXT_SLOT_SIZE));
        if (length < 0) length = 0;
        if (static_cast<std::size_t>(length) >= TEXT_SLOT_SIZE) length = static_cast<int>(TEXT_SLOT_SIZE - 1);
        slot[length] = '\0';
    }
}
