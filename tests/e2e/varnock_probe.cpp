// A tiny Win32 helper for the end-to-end tests: it looks at the running
// Varnock window from outside, as a screen reader would, and tells the shell
// script where a control is, what it reads, or asks the window to close.
//   varnock_probe rect ID   screen rectangle "left top right bottom" of control ID
//                           (ID -1: the main window itself)
//   varnock_probe text ID   the control's text (code page 932 bytes)
//   varnock_probe check ID  1 when the radio or check box is marked, else 0
//   varnock_probe focus     the ID of the control with the keyboard focus (-1: none)
//   varnock_probe caption   the main window's caption as GetWindowTextW reads it
//                           from another process (what the title bar shows), in UTF-8
//   varnock_probe acp       the ANSI code page of this Wine (GetACP)
//   varnock_probe close     posts WM_CLOSE, as the close box does
//   varnock_probe batch F   runs the commands of file F, one a line, in this one
//                           process (starting Wine once per command is slow):
//       set ID FILE   puts the bytes of FILE into control ID (WM_SETTEXT)
//       get ID FILE   writes control ID's text into FILE
//       press ID      sends the WM_COMMAND a click of control ID sends and
//                     waits until the window has handled it
//       post ID       posts that WM_COMMAND and goes on at once (a long search)
//       check ID      prints "check ID 0|1"
//       ink           prints "ink N": N pixels of the painted status line
//                     differ from the window background (0: no status shown)
//       enabled ID    prints "enabled ID 0|1"
// Exit status 1 when there is no Varnock window or no such control, 3 when the
// window did not answer within the wait.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// A window that takes longer than this over one message counts as hung; a
// search of the lists the tests type ends well within it.
constexpr UINT ANSWER_WAIT_MS = 30000;
// The longest text a control holds in this program, and its terminator.
char Text[32760];

HWND FindTarget(const char* idText) {
    HWND main = FindWindowA("Varnock", nullptr);
    // Not there before it is shown: until then a click would land on nothing.
    if (main == nullptr || !IsWindowVisible(main)) return nullptr;
    if (idText == nullptr) return main;
    const int id = std::atoi(idText);
    return id < 0 ? main : GetDlgItem(main, id);
}

// WM_GETTEXT itself: GetWindowTextA of another process's window reads only the
// stored caption, never an edit control's contents. Returns the length or -1.
long ReadText(HWND target) {
    DWORD_PTR length = 0;
    Text[0] = '\0';
    if (!SendMessageTimeoutA(target, WM_GETTEXT, sizeof Text, reinterpret_cast<LPARAM>(Text), SMTO_BLOCK,
                             ANSWER_WAIT_MS, &length))
        return -1;
    return static_cast<long>(length);
}

// Both files are opened in binary: the bytes go through unchanged, CR LF included.
int SetFromFile(HWND target, const char* path) {
    std::FILE* file = std::fopen(path, "rb");
    if (file == nullptr) return 2;
    const std::size_t length = std::fread(Text, 1, sizeof Text - 1, file);
    std::fclose(file);
    Text[length] = '\0';
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(target, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Text), SMTO_BLOCK,
                               ANSWER_WAIT_MS, &result)
               ? 0
               : 3;
}

int GetToFile(HWND target, const char* path) {
    const long length = ReadText(target);
    if (length < 0) return 3;
    std::FILE* file = std::fopen(path, "wb");
    if (file == nullptr) return 2;
    std::fwrite(Text, 1, std::strlen(Text), file);
    std::fclose(file);
    return 0;
}

// SendMessageTimeout returns only after the window procedure has run, so a
// press of Execute comes back when the search has ended.
int Press(HWND main, HWND control, int id) {
    DWORD_PTR result = 0;
    const WPARAM wparam = MAKEWPARAM(static_cast<WORD>(id), BN_CLICKED);
    return SendMessageTimeoutA(main, WM_COMMAND, wparam, reinterpret_cast<LPARAM>(control), SMTO_BLOCK,
                               ANSWER_WAIT_MS, &result)
               ? 0
               : 3;
}

// The status line is painted, not a control: its band lies between the top of
// the "Result" group box (row 39, table y 165) and the result edit (row 42,
// y 195) at table y 180..192, from the edit's left edge (x 15) to x 400. The
// band is copied from the screen and its pixels compared with the background.
long StatusInk(HWND main) {
    RECT group;
    RECT edit;
    if (!GetWindowRect(GetDlgItem(main, 39), &group) || !GetWindowRect(GetDlgItem(main, 42), &edit))
        return -1;
    const long rise = edit.top - group.top; // 30 table units
    const long left = edit.left;
    const long top = group.top + rise * 15 / 30;
    const long width = (edit.right - edit.left) * 385 / 495;
    const long height = rise * 12 / 30;
    if (width <= 0 || height <= 0) return -1;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    long ink = -1;
    if (bitmap != nullptr && bits != nullptr) {
        HGDIOBJ old = SelectObject(memory, bitmap);
        if (BitBlt(memory, 0, 0, width, height, screen, left, top, SRCCOPY)) {
            const COLORREF face = GetSysColor(COLOR_BTNFACE);
            const DWORD background =
                (DWORD{GetRValue(face)} << 16) | (DWORD{GetGValue(face)} << 8) | GetBValue(face);
            const DWORD* pixel = static_cast<const DWORD*>(bits);
            ink = 0;
            for (long i = 0; i < width * height; ++i)
                if ((pixel[i] & 0xFFFFFFu) != background) ++ink;
        }
        SelectObject(memory, old);
        DeleteObject(bitmap);
    }
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return ink;
}

// The focus belongs to the window's thread; another process asks that thread.
int FocusedId(HWND main) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(main, nullptr), &info) || info.hwndFocus == nullptr ||
        GetParent(info.hwndFocus) != main)
        return -1;
    return GetDlgCtrlID(info.hwndFocus);
}

int RunLine(char* line) {
    char verb[16] = "";
    char path[260] = "";
    int id = 0;
    if (std::sscanf(line, "%15s %d %259s", verb, &id, path) < 1) return 2;
    HWND main = FindTarget(nullptr);
    if (main != nullptr && std::strcmp(verb, "ink") == 0) {
        const long ink = StatusInk(main);
        if (ink < 0) return 1;
        std::printf("ink %ld\n", ink);
        return 0;
    }
    HWND control = main != nullptr ? GetDlgItem(main, id) : nullptr;
    if (control == nullptr) return 1;
    if (std::strcmp(verb, "set") == 0) return SetFromFile(control, path);
    if (std::strcmp(verb, "get") == 0) return GetToFile(control, path);
    if (std::strcmp(verb, "press") == 0) return Press(main, control, id);
    if (std::strcmp(verb, "post") == 0)
        return PostMessageA(main, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), BN_CLICKED),
                            reinterpret_cast<LPARAM>(control))
                   ? 0
                   : 3;
    if (std::strcmp(verb, "check") == 0) {
        std::printf("check %d %d\n", id, SendMessageA(control, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0);
    } else if (std::strcmp(verb, "enabled") == 0) {
        std::printf("enabled %d %d\n", id, IsWindowEnabled(control) ? 1 : 0);
    } else {
        return 2;
    }
    return 0;
}

// The caption in UTF-16 as the window holds it, whatever this process's code page.
int PrintCaption(HWND main) {
    wchar_t wide[200];
    char utf8[600];
    const int units = GetWindowTextW(main, wide, 200);
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, wide, units, utf8, sizeof utf8 - 1, nullptr, nullptr);
    if (units <= 0 || bytes <= 0) return 1;
    utf8[bytes] = '\0';
    std::printf("%s\n", utf8);
    return 0;
}

// Stops at the first command that fails and names it on stderr.
int RunBatch(const char* path) {
    std::FILE* file = std::fopen(path, "r");
    if (file == nullptr) return 2;
    char line[400];
    int status = 0;
    while (status == 0 && std::fgets(line, sizeof line, file) != nullptr) {
        status = RunLine(line);
        if (status != 0) std::fprintf(stderr, "varnock_probe: status %d at: %s", status, line);
    }
    std::fclose(file);
    std::fflush(stdout);
    return status;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: varnock_probe rect ID | text ID | check ID | focus | caption | acp | "
                             "close | batch FILE\n");
        return 2;
    }
    if (std::strcmp(argv[1], "batch") == 0) return argc > 2 ? RunBatch(argv[2]) : 2;
    if (std::strcmp(argv[1], "acp") == 0) {
        std::printf("%u\n", GetACP());
        return 0;
    }
    const bool wantsId = std::strcmp(argv[1], "close") != 0 && std::strcmp(argv[1], "focus") != 0 &&
                         std::strcmp(argv[1], "caption") != 0;
    HWND target = FindTarget(wantsId ? (argc > 2 ? argv[2] : "-1") : nullptr);
    if (target == nullptr) return 1;
    if (std::strcmp(argv[1], "rect") == 0) {
        RECT r;
        if (!GetWindowRect(target, &r)) return 1;
        std::printf("%ld %ld %ld %ld\n", static_cast<long>(r.left), static_cast<long>(r.top),
                    static_cast<long>(r.right), static_cast<long>(r.bottom));
    } else if (std::strcmp(argv[1], "text") == 0) {
        if (ReadText(target) < 0) return 1;
        std::fputs(Text, stdout);
        std::fputs("\n", stdout);
    } else if (std::strcmp(argv[1], "check") == 0) {
        std::printf("%d\n", SendMessageA(target, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0);
    } else if (std::strcmp(argv[1], "focus") == 0) {
        std::printf("%d\n", FocusedId(target));
    } else if (std::strcmp(argv[1], "caption") == 0) {
        return PrintCaption(target);
    } else if (std::strcmp(argv[1], "close") == 0) {
        PostMessageA(target, WM_CLOSE, 0, 0);
    } else {
        return 2;
    }
    return 0;
}
