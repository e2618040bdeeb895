// The keyboard of the main window, seen by the message loop before the
// controls: Tab and Shift+Tab move between the inputs, Enter in a single-line
// edit runs Execute (Ctrl+Enter the complete search), Ctrl+A selects an edit's
// text. The window is no dialog, so without this a tab would land in the edit as
// a character and make the next search report a format error. The order itself
// comes from keyboard.cpp.
#include "ui/keyboard_win.h"

#include "ui/keyboard.h"
#include "ui/main_window.h"

namespace {

bool IsRowEnabled(int row) {
    return ControlHandles[row] != nullptr && IsWindowEnabled(ControlHandles[row]);
}

bool IsKeyDown(int key) {
    return GetKeyState(key) < 0;
}

// The row of a child of the main window, or -1 for any other window.
int RowOf(HWND mainWindow, HWND target) {
    if (target == nullptr || GetParent(target) != mainWindow) return -1;
    const int id = GetDlgCtrlID(target);
    return id >= 0 && id < CONTROL_ROWS && ControlHandles[id] == target ? id : -1;
}

void MoveFocus(int row, bool backward) {
    const int next = NextFocusRow(row, backward, IsRowEnabled);
    if (next < 0) return;
    SetFocus(ControlHandles[next]);
    // As in a dialog: a value field reached by Tab is selected, so typing replaces it.
    if (ExecutesOnEnter(next)) SendMessageA(ControlHandles[next], EM_SETSEL, 0, -1);
}

// The very command a click on Execute sends, or with Ctrl the system menu's
// complete search. The search disables the edit, which drops its focus; the
// focus returns so that typing can go on.
void ExecuteFrom(HWND mainWindow, HWND edit, bool complete) {
    HWND execute = ControlHandles[ROW_EXECUTE];
    if (execute == nullptr || !IsWindowEnabled(execute)) return;
    if (complete)
        ChooseCompleteSearch(mainWindow);
    else
        SendMessageA(mainWindow, WM_COMMAND, MAKEWPARAM(ROW_EXECUTE, BN_CLICKED),
                     reinterpret_cast<LPARAM>(execute));
    if (GetFocus() != edit && IsWindowEnabled(edit)) SetFocus(edit);
}

// Ctrl+A, but not AltGr+A (Ctrl and Alt), which types a character on some layouts.
bool IsSelectAll(const MSG& message) {
    return message.wParam == 'A' && IsKeyDown(VK_CONTROL) && !IsKeyDown(VK_MENU);
}

} // namespace

bool HandleMainWindowKey(HWND mainWindow, const MSG& message) {
    // With no focus at all (a search disabled the clicked button) keys reach
    // the active window as system keys; bit 29 tells whether Alt was down.
    const bool keyDown = message.message == WM_KEYDOWN;
    const bool bareSystemKey =
        message.message == WM_SYSKEYDOWN && message.hwnd == mainWindow && (message.lParam & (1L << 29)) == 0;
    if (!keyDown && !bareSystemKey) return false;
    const int row = RowOf(mainWindow, message.hwnd);
    if (row < 0 && message.hwnd != mainWindow) return false; // another window's keys
    if (message.wParam == VK_TAB) {
        MoveFocus(row, IsKeyDown(VK_SHIFT));
        return true;
    }
    if (!keyDown || row < 0) return false;
    if (message.wParam == VK_RETURN && ExecutesOnEnter(row)) {
        ExecuteFrom(mainWindow, message.hwnd, IsKeyDown(VK_CONTROL));
        return true;
    }
    if (IsEditRow(row) && IsSelectAll(message)) {
        SendMessageA(message.hwnd, EM_SETSEL, 0, -1);
        return true;
    }
    return false;
}
