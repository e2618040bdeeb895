// The command dispatcher: language switch, default size, the two radio groups,
// the "Include Serial" box and Execute; and the system menu's complete search.
// Radio and check marks are set only here and at creation (the controls are the
// plain, not automatic, kinds). Every command ends with a repaint, so the
// painted status line follows the state.
#include "ui/main_window.h"

#include "engine/complete_report.h"
#include "engine/run_search.h"
#include "state/app_state.h"
#include "ui/layout.h"

namespace {

void Repaint(HWND window) {
    InvalidateRect(window, nullptr, TRUE);
}

// 0 and 1 alternate. A negative value from an edited file reads as Japanese
// (LanguageIndex), so the first click gives English rather than counting up
// towards 0 with no visible change. The system menu's item follows too.
void ToggleLanguage(HWND window) {
    Settings[SETTING_LANGUAGE] = LanguageIndex() == 1 ? 0 : 1;
    ApplyLanguage();
    LabelSystemMenuItem(window);
}

// The radio of `group` that `choice` names, or -1 when it names none.
int RadioRowOf(std::int32_t group, std::int32_t choice) {
    const std::int64_t row = std::int64_t{group} + choice;
    if (row < 0 || row >= CONTROL_ROWS) return -1;
    const ControlEntry& entry = ControlTable[row];
    return entry.kind == KIND_RADIO && entry.group == group ? static_cast<int>(row) : -1;
}

// A choice loaded from an edited file may name no radio of the group; then
// no mark is cleared (none is shown), and the click stores a valid choice.
void ClickRadio(int id) {
    const ControlEntry& entry = ControlTable[id];
    const int selected = RadioRowOf(entry.group, Settings[entry.slot]);
    if (selected >= 0) SetCheck(selected, false);
    Settings[entry.slot] = id - entry.group;
    SetCheck(id, true);
}

// Any non-zero value (5 from an edited file, say) counts as ticked.
void ClickCheckBox(int id) {
    const ControlEntry& entry = ControlTable[id];
    const bool tick = Settings[entry.slot] == 0;
    Settings[entry.slot] = tick ? 1 : 0;
    SetCheck(id, tick);
}

// The search runs on this thread; the inputs stay disabled exactly while it runs.
// What was typed is saved first: a search can take seconds, and a window killed
// meanwhile (it does not answer) would otherwise lose it. Execute runs RunSearch,
// the system menu's item the complete search.
void RunFromWindow(HWND window, RunOutcome (*run)(ShowResultTextFn)) {
    CollectEditTexts();
    SaveBeforeSearch(window);
    SetInputsEnabled(false);
    run(ShowResultText);
    SetInputsEnabled(true);
}

} // namespace

void OnCommand(HWND window, int id) {
    const std::int32_t kind = id >= 0 && id < CONTROL_ROWS ? ControlTable[id].kind : KIND_NONE;
    if (id == ROW_LANGUAGE) {
        ToggleLanguage(window);
    } else if (id == ROW_DEFAULT_SIZE) {
        const WindowPlacement size = DefaultWindowSize({CharCellWidth, CharCellHeight});
        SetWindowPos(window, nullptr, 0, 0, size.width, size.height, SWP_NOMOVE | SWP_NOOWNERZORDER);
    } else if (id == ROW_EXECUTE) {
        RunFromWindow(window, RunSearch);
    } else if (kind == KIND_RADIO) {
        ClickRadio(id);
    } else if (kind == KIND_CHECKBOX) {
        ClickCheckBox(id);
    }
    Repaint(window);
}

void OnCompleteSearch(HWND window) {
    RunFromWindow(window, RunCompleteReport);
    Repaint(window);
}

void SetInputsEnabled(bool enable) {
    for (int row : INPUT_ROWS)
        EnableWindow(ControlHandles[row], enable ? TRUE : FALSE);
}

void SetCheck(int row, bool checked) {
    if (row < 0 || row >= CONTROL_ROWS) return;
    SendMessageA(ControlHandles[row], BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void ShowResultText() {
    SetWindowTextA(ControlHandles[ROW_RESULT], TextSlots[SLOT_RESULT]);
}
