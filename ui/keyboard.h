// Which control the keyboard reaches next in the main window, as plain
// arithmetic over the control table: the message loop (keyboard_win.cpp) asks
// it and a native test checks it. The window is no dialog, so the platform's
// dialog manager, which would do this, is not there to do it.
#pragma once

// The row that Tab (forward) or Shift+Tab (backward) moves to from row
// `current`: the next row in table order that takes the focus (button, radio,
// check box, edit) and for which isEnabled answers true, wrapping around past
// either end. `current` outside the table (the main window itself holds the
// focus) starts before the first row or after the last. -1 when no row qualifies.
int NextFocusRow(int current, bool backward, bool (*isEnabled)(int row));

// True for the single-line edits, where Enter runs Execute.
bool ExecutesOnEnter(int row);

// True for every edit row, single- or multi-line: Ctrl+A selects its text.
bool IsEditRow(int row);
