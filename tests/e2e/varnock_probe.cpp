// A tiny Win32 helper for the end-to-end test: it looks at the running
// Varnock window from outside, as a screen reader would, and tells the shell
// script where a control is, what it reads, or asks the window to close.
//   varnock_probe rect ID   screen rectangle "left top right bottom" of control ID
//                           (ID -1: the main window itself)
//   varnock_probe text ID   the control's text (code page 932 bytes)
//   varnock_probe check ID  1 when the radio or check box is marked, else 0
//   varnock_probe close     posts WM_CLOSE, as the close box does
// Exit status 1 when there is no Varnock window or no such control.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

HWND FindTarget(const char* idText) {
    HWND main = FindWindowA("Varnock", nullptr);
    // Not there before it is shown: until then a click would land on nothing.
    if (main == nullptr || !IsWindowVisible(main)) return nullptr;
    if (idText == nullptr) return main;
    const int id = std::atoi(idText);
    return id < 0 ? main : GetDlgItem(main, id);
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: varnock_probe rect ID | text ID | check ID | close\n");
        return 2;
    }
    const bool wantsId = std::strcmp(argv[1], "close") != 0;
    HWND target = FindTarget(wantsId ? (argc > 2 ? argv[2] : "-1") : nullptr);
    if (target == nullptr) return 1;
    if (std::strcmp(argv[1], "rect") == 0) {
        RECT r;
        if (!GetWindowRect(target, &r)) return 1;
        std::printf("%ld %ld %ld %ld\n", static_cast<long>(r.left), static_cast<long>(r.top),
                    static_cast<long>(r.right), static_cast<long>(r.bottom));
    } else if (std::strcmp(argv[1], "text") == 0) {
        // WM_GETTEXT itself: GetWindowTextA of another process's window reads
        // only the stored caption, never an edit control's contents.
        static char text[32760];
        DWORD_PTR length = 0;
        if (!SendMessageTimeoutA(target, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_BLOCK,
                                 5000, &length))
            return 1;
        std::fputs(text, stdout);
        std::fputs("\n", stdout);
    } else if (std::strcmp(argv[1], "check") == 0) {
        std::printf("%d\n", SendMessageA(target, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0);
    } else if (std::strcmp(argv[1], "close") == 0) {
        PostMessageA(target, WM_CLOSE, 0, 0);
    } else {
        return 2;
    }
    return 0;
}
