// The window's one door beyond its table: an item at the end of the system menu
// (the caption's icon, Alt+Space) that runs the complete search. Everything the
// table describes stays as it is; the item follows the language like a label.
#include "ui/main_window.h"

#include "state/app_state.h"

namespace {

// A system command of our own: below 0xF000, where the system's own begin, and
// a multiple of 16, since the system uses the low four bits of wParam.
constexpr UINT COMPLETE_SEARCH_COMMAND = 0x0100;

} // namespace

void AddSystemMenuItem(HWND window) {
    HMENU menu = GetSystemMenu(window, FALSE);
    if (menu == nullptr) return;
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(menu, MF_STRING, COMPLETE_SEARCH_COMMAND, COMPLETE_SEARCH_LABEL[LanguageIndex()]);
}

void LabelSystemMenuItem(HWND window) {
    HMENU menu = GetSystemMenu(window, FALSE);
    if (menu == nullptr) return;
    ModifyMenuA(menu, COMPLETE_SEARCH_COMMAND, MF_BYCOMMAND | MF_STRING, COMPLETE_SEARCH_COMMAND,
                COMPLETE_SEARCH_LABEL[LanguageIndex()]);
}

bool IsCompleteSearchCommand(WPARAM command) {
    return (command & 0xFFF0) == COMPLETE_SEARCH_COMMAND;
}

void ChooseCompleteSearch(HWND window) {
    SendMessageA(window, WM_SYSCOMMAND, COMPLETE_SEARCH_COMMAND, 0);
}
