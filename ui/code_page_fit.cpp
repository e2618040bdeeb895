// Fits the window to a Windows whose ANSI code page is not 932 (a Western,
// Chinese, Korean or Russian system). Every label is code page 932 bytes, which
// such a system draws as other characters: a first start there opens in
// English, and the caption, Japanese in both languages, is set in UTF-16 from
// its code page 932 bytes. On a Japanese system nothing here changes anything.
#include "ui/main_window.h"

#include <iterator>

#include "state/app_state.h"
#include "state/settings_file.h"

namespace {

constexpr UINT JAPANESE_CODE_PAGE = 932;
// The caption in UTF-16: never more units than it has bytes, and its NUL.
constexpr std::size_t CAPTION_UNITS = 100;

} // namespace

// Only a first start (no settings file read) is changed: a saved language is
// the user's own choice and stands, whatever the system.
void ChooseFirstStartLanguage() {
    if (!LastLoadReadFile() && GetACP() != JAPANESE_CODE_PAGE) Settings[SETTING_LANGUAGE] = 1;
}

// SetWindowTextW would not do: the window's class is an ANSI one, so the text
// would be turned into the system's code page on its way to the window procedure
// and every Japanese character lost. The wide default procedure stores it as is.
void ShowCaptionInAnyCodePage(HWND window) {
    if (GetACP() == JAPANESE_CODE_PAGE) return;
    wchar_t caption[CAPTION_UNITS];
    if (MultiByteToWideChar(JAPANESE_CODE_PAGE, MB_ERR_INVALID_CHARS, MAIN_WINDOW_CAPTION, -1, caption,
                            static_cast<int>(std::size(caption))) > 0)
        DefWindowProcW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(caption));
}
