// The window class "Varnock", the creation of the main window and its window
// procedure, which only routes each message to its handler.
#include "ui/main_window.h"

#include "ui/control_styles.h"

// The table's style bits are plain numbers so that it builds without
// <windows.h>; here they must equal the platform's.
static_assert(STYLE_WS_CHILD == WS_CHILD && STYLE_WS_VISIBLE == WS_VISIBLE, "child style bits");
static_assert(STYLE_WS_BORDER == WS_BORDER && STYLE_WS_VSCROLL == WS_VSCROLL, "border and scroll bits");
static_assert(STYLE_SS_LEFT == SS_LEFT && STYLE_SS_RIGHT == SS_RIGHT, "static styles");
static_assert(STYLE_BS_PUSHBUTTON == BS_PUSHBUTTON && STYLE_BS_CHECKBOX == BS_CHECKBOX, "button styles");
static_assert(STYLE_BS_RADIOBUTTON == BS_RADIOBUTTON && STYLE_BS_GROUPBOX == BS_GROUPBOX, "button styles");
static_assert(STYLE_BS_LEFT == BS_LEFT, "button text alignment");
static_assert(STYLE_ES_MULTILINE == ES_MULTILINE && STYLE_ES_AUTOVSCROLL == ES_AUTOVSCROLL, "edit styles");
static_assert(STYLE_ES_AUTOHSCROLL == ES_AUTOHSCROLL, "edit styles");
static_assert(FORMAT_DT_WORDBREAK == DT_WORDBREAK, "status line format");

ATOM RegisterMainWindowClass(HINSTANCE instance) {
    WNDCLASSA windowClass = {};
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = MainWindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
    windowClass.lpszClassName = MAIN_CLASS_NAME;
    return RegisterClassA(&windowClass);
}

HWND CreateMainWindow(HINSTANCE instance) {
    HWND window = CreateWindowExA(0, MAIN_CLASS_NAME, MAIN_WINDOW_CAPTION,
                                  WS_OVERLAPPEDWINDOW | WS_VSCROLL | WS_HSCROLL, CW_USEDEFAULT, CW_USEDEFAULT,
                                  CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance, nullptr);
    if (window == nullptr) return nullptr;
    ShowCaptionInAnyCodePage(window);
    AddSystemMenuItem(window);
    return window;
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        return CreateControls(window, reinterpret_cast<const CREATESTRUCTA*>(lParam));
    case WM_DESTROY:
        OnDestroy(window);
        return 0;
    // The session may end: nothing stops it.
    case WM_QUERYENDSESSION:
        return TRUE;
    case WM_ENDSESSION:
        OnEndSession(window, wParam);
        return 0;
    case WM_SIZE:
        OnSize(window, lParam);
        return 0;
    case WM_PAINT:
        PaintItems(window);
        return 0;
    // Only clicks (notification code 0); edit changes and focus notices are ignored.
    case WM_COMMAND:
        if (wParam < 0x10000) OnCommand(window, static_cast<int>(wParam));
        return 0;
    // The system menu's own item; every other item is the system's.
    case WM_SYSCOMMAND:
        if (!IsCompleteSearchCommand(wParam)) return DefWindowProcA(window, message, wParam, lParam);
        OnCompleteSearch(window);
        return 0;
    case WM_HSCROLL:
        OnHScroll(window, LOWORD(wParam));
        return 0;
    case WM_VSCROLL:
        OnVScroll(window, LOWORD(wParam));
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}
