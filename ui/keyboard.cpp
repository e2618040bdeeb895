// Tab order and the keys' targets, taken from the control table alone, so a
// change of the table changes the keyboard with it. Called by the message loop
// through keyboard_win.cpp; no Win32 types here, so it is tested natively.
#include "ui/keyboard.h"

#include "ui/control_styles.h"
#include "ui/control_table.h"

namespace {

bool InTable(int row) {
    return row >= 0 && row < CONTROL_ROWS;
}

// Group boxes are buttons to the platform but only frame the others.
bool TakesFocus(int row) {
    const std::int32_t kind = ControlTable[row].kind;
    return kind == KIND_BUTTON || kind == KIND_RADIO || kind == KIND_CHECKBOX || kind == KIND_EDIT;
}

} // namespace

int NextFocusRow(int current, bool backward, bool (*isEnabled)(int row)) {
    int row = InTable(current) ? current : (backward ? CONTROL_ROWS : -1);
    // CONTROL_ROWS steps visit every other row once and come back to `current` last.
    for (int step = 0; step < CONTROL_ROWS; ++step) {
        row = backward ? (row + CONTROL_ROWS - 1) % CONTROL_ROWS : (row + 1) % CONTROL_ROWS;
        if (TakesFocus(row) && isEnabled(row)) return row;
    }
    return -1;
}

bool IsEditRow(int row) {
    return InTable(row) && ControlTable[row].kind == KIND_EDIT;
}

bool ExecutesOnEnter(int row) {
    return IsEditRow(row) && (ControlTable[row].style & STYLE_ES_MULTILINE) == 0;
}
