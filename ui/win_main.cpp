// The program entry of Varnock.exe: registers the window class, creates the
// main window (which loads the settings and lays out its controls) and runs the
// message loop until the window's destruction posts the quit message. The loop
// hands the keyboard to keyboard_win.cpp first, as a dialog's loop would.
#include "ui/keyboard_win.h"
#include "ui/main_window.h"

namespace {

const char REGISTER_FAILED_TEXT[] = "Few resource or Wrong coding";

int RunMessageLoop(HWND window) {
    MSG message;
    BOOL got;
    while ((got = GetMessageA(&message, nullptr, 0, 0)) != 0) {
        if (got == -1) return 0; // no message can arrive any more
        if (HandleMainWindowKey(window, message)) continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    if (!RegisterMainWindowClass(instance)) {
        MessageBoxA(nullptr, REGISTER_FAILED_TEXT, MAIN_CLASS_NAME, MB_ICONERROR | MB_OK);
        return 0;
    }
    // Without a main window nobody would ever post the quit message.
    HWND window = CreateMainWindow(instance);
    if (window == nullptr) return 0;
    ShowWindow(window, showCommand);
    UpdateWindow(window);
    return RunMessageLoop(window);
}
