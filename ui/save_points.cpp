// The moments the window writes Varnock.ini: its destruction (the close box),
// the end of the Windows session, and the start of every search. A logoff or a
// shutdown ends the process without WM_DESTROY, and a window killed while it
// searches gets no message at all, so the two extra saves are what keeps what
// the user typed. Each writes what a close at that moment would write.
#include "ui/main_window.h"

#include "state/settings_file.h"

namespace {

// The main window, for the rectangle reading of a save.
HWND SavingWindow;

bool ReadSavingWindowRect(WindowRect* rect) {
    RECT r;
    if (!GetWindowRect(SavingWindow, &r)) return false;
    *rect = {r.left, r.top, r.right, r.bottom};
    return true;
}

void PostQuitZero() {
    PostQuitMessage(0);
}

// A save that leaves the window running: the writer only reads the slots, so
// the edits and slots keep their CR LF breaks and the program goes on as before.
void SaveAndStay(HWND window, void (*collectEditTexts)()) {
    if (SettingsFilePath[0] == '\0') return;
    SavingWindow = window;
    SaveSettings({collectEditTexts, ReadSavingWindowRect, nullptr});
}

} // namespace

// The settings are saved while the controls still hold what the user typed;
// the quit follows in every case, written or not.
void OnDestroy(HWND window) {
    if (SettingsFilePath[0] != '\0') {
        SavingWindow = window;
        SaveSettings({CollectEditTexts, ReadSavingWindowRect, PostQuitZero});
    } else {
        PostQuitZero();
    }
}

// The session ends once this returns (the process may be ended at any moment
// after), so the file is written here and now. When the session goes on
// (wParam FALSE) nothing is written; a later close saves as usual.
void OnEndSession(HWND window, WPARAM ending) {
    if (ending) SaveAndStay(window, CollectEditTexts);
}

// Called by the commands right after CollectEditTexts, so the edits are not
// read a second time.
void SaveBeforeSearch(HWND window) {
    SaveAndStay(window, nullptr);
}
