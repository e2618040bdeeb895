// The real main window, created by the same code as Varnock.exe and driven by
// the messages a user's clicks would send. Runs under Wine (or on Windows), one
// test per process in an empty current directory, so Varnock.ini is absent
// unless a test writes one.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "state/app_state.h"
#include "state/bounded_text.h"
#include "ui/layout.h"
#include "ui/main_window.h"

namespace {

// Writes a Varnock.ini with twenty integers (zero unless overridden) and no
// texts, so every slot keeps its default.
void WriteSettingsFile(const std::map<int, long>& settings) {
    std::ofstream file("Varnock.ini", std::ios::binary);
    file << "20\r\n";
    for (int i = 0; i < SETTINGS_COUNT; ++i) {
        const auto found = settings.find(i);
        file << (found == settings.end() ? 0 : found->second) << "\r\n";
    }
    file << "0\r\n";
}

std::string ReadFile(const char* name) {
    std::ifstream file(name, std::ios::binary);
    std::stringstream content;
    content << file.rdbuf();
    return content.str();
}

// The file's lines without their CR LF.
std::vector<std::string> LinesOf(const std::string& file) {
    std::vector<std::string> lines;
    for (std::size_t at = 0, end; (end = file.find("\r\n", at)) != std::string::npos; at = end + 2)
        lines.push_back(file.substr(at, end - at));
    return lines;
}

// The caption as the window holds it: what the title bar shows and what another
// process reads with GetWindowTextW. (Here that call would pass through the ANSI
// window procedure and so through the system's code page.)
std::wstring WideCaptionOf(HWND window) {
    wchar_t text[200];
    const int length = InternalGetWindowText(window, text, 200);
    return std::wstring(text, length > 0 ? length : 0);
}

std::string TextOf(HWND control) {
    static char text[TEXT_SLOT_SIZE];
    const int length = GetWindowTextA(control, text, static_cast<int>(sizeof text));
    return std::string(text, length > 0 ? length : 0);
}

// The window has the default size (whose arithmetic the native layout tests
// check) for the cell it measured, at that place.
void ExpectDefaultSizeAt(HWND window, int left, int top) {
    RECT rect;
    GetWindowRect(window, &rect);
    const WindowPlacement size = DefaultWindowSize({CharCellWidth, CharCellHeight});
    EXPECT_EQ(rect.left, left);
    EXPECT_EQ(rect.top, top);
    EXPECT_EQ(rect.right - rect.left, size.width);
    EXPECT_EQ(rect.bottom - rect.top, size.height);
}

bool IsChecked(int row) {
    return SendMessageA(ControlHandles[row], BM_GETCHECK, 0, 0) == BST_CHECKED;
}

class MainWindow : public ::testing::Test {
  protected:
    // Each test creates the window itself, after writing any settings file.
    void Create() {
        std::memset(Settings, 0, sizeof Settings);
        ScrollOriginX = ScrollOriginY = 0;
        static const ATOM registered = RegisterMainWindowClass(GetModuleHandleA(nullptr));
        ASSERT_NE(registered, 0);
        window = CreateMainWindow(GetModuleHandleA(nullptr));
        ASSERT_NE(window, nullptr);
        ShowWindow(window, SW_SHOWNORMAL);
        UpdateWindow(window);
    }

    void TearDown() override {
        if (window != nullptr && IsWindow(window)) DestroyWindow(window);
        quitCode = -1;
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) quitCode = static_cast<int>(message.wParam);
        }
    }

    // A click on row `id` as the control reports it: notification code 0.
    void Click(int id) {
        SendMessageA(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                     reinterpret_cast<LPARAM>(ControlHandles[id]));
    }

    bool HasPendingRepaint() {
        RECT update;
        return GetUpdateRect(window, &update, FALSE) != 0;
    }

    // Sizes the window so that its client area is cols x rows cells.
    void SetClientCells(int cols, int rows) {
        for (int attempt = 0; attempt < 3; ++attempt) {
            RECT outer, client;
            GetWindowRect(window, &outer);
            GetClientRect(window, &client);
            const int width = cols * CharCellWidth + (outer.right - outer.left) - client.right;
            const int height = rows * CharCellHeight + (outer.bottom - outer.top) - client.bottom;
            SetWindowPos(window, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER);
        }
        RECT client;
        GetClientRect(window, &client);
        ASSERT_EQ(client.bottom / CharCellHeight, rows);
        ASSERT_EQ(client.right / CharCellWidth, cols);
    }

    void ExpectLabels(int language) {
        for (int row = 0; row < CONTROL_ROWS; ++row) {
            if (!TakesLabel(ControlTable[row].kind)) continue;
            EXPECT_EQ(TextOf(ControlHandles[row]), ControlTable[row].label[language]) << "row " << row;
        }
    }

    HWND window = nullptr;
    int quitCode = -1;
};

TEST_F(MainWindow, FirstStartShowsTheDefaultsInJapanese) {
    // Wine gives 1252 when the ja_JP.UTF-8 locale is missing, and a first start
    // there is English: this run must be the Japanese system it claims to be.
    ASSERT_EQ(GetACP(), 932u);
    Create();
    EXPECT_EQ(TextOf(window), MAIN_WINDOW_CAPTION);
    EXPECT_EQ(WideCaptionOf(window), L"Varnock : シフト回路の抵抗探索 R1.00");
    EXPECT_EQ(TextOf(ControlHandles[ROW_LANGUAGE]), "English");
    ExpectLabels(0);
    EXPECT_TRUE(IsChecked(ROW_CONFIG_A));
    EXPECT_TRUE(IsChecked(25));
    EXPECT_FALSE(IsChecked(ROW_INCLUDE_SERIAL));
    for (int row : {5, 6, 7, 26, 27, 28, 29, 30})
        EXPECT_FALSE(IsChecked(row)) << "row " << row;
    const struct {
        int row;
        const char* text;
    } edits[] = {{ROW_VI_MIN, "0.6"}, {ROW_VI_MAX, "3.0"},      {ROW_VO_MIN, "0.1"}, {ROW_VO_MAX, "3.2"},
                 {ROW_VREF, "3.3"},   {ROW_PRECISION, "0.01%"}, {ROW_DNM_COUNT, ""}};
    for (const auto& edit : edits)
        EXPECT_EQ(TextOf(ControlHandles[edit.row]), edit.text) << "row " << edit.row;
    EXPECT_EQ(TextOf(ControlHandles[ROW_LIST1]), TextSlots[SLOT_FIRST_LIST]);

    ExpectDefaultSizeAt(window, 0, 0);
}

// The cell comes from the window font's metrics, with the variable-pitch rule.
TEST_F(MainWindow, CharCellFollowsTheFontMetrics) {
    Create();
    TEXTMETRICA metrics;
    HDC dc = GetDC(window);
    GetTextMetricsA(dc, &metrics);
    ReleaseDC(window, dc);
    const CharCell cell = CellFromTextMetrics(metrics.tmAveCharWidth, metrics.tmHeight,
                                              metrics.tmExternalLeading, metrics.tmPitchAndFamily);
    EXPECT_EQ(CharCellWidth, cell.width);
    EXPECT_EQ(CharCellHeight, cell.height);
    // Every control stands where its table row puts it for that cell.
    for (int row = 0; row < CONTROL_ROWS; ++row) {
        if (ControlHandles[row] == nullptr) continue;
        RECT shown;
        GetWindowRect(ControlHandles[row], &shown);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&shown), 2);
        const PixelRect expected = CellRectToPixels(ControlTable[row], cell, 0, 0);
        EXPECT_EQ(shown.left, expected.left) << "row " << row;
        EXPECT_EQ(shown.top, expected.top) << "row " << row;
        EXPECT_EQ(shown.right, expected.right) << "row " << row;
        EXPECT_EQ(shown.bottom, expected.bottom) << "row " << row;
    }
}

TEST_F(MainWindow, EmptyAndPaintedRowsHaveNoControl) {
    Create();
    int controls = 0;
    for (int row = 0; row < CONTROL_ROWS; ++row) {
        const bool creates = CreatesControl(ControlTable[row].kind);
        EXPECT_EQ(ControlHandles[row] != nullptr, creates) << "row " << row;
        EXPECT_EQ(GetDlgItem(window, row) != nullptr, creates) << "row " << row;
        controls += creates;
    }
    EXPECT_EQ(controls, 39);
    EXPECT_EQ(ControlHandles[37], nullptr);
    EXPECT_EQ(ControlHandles[ROW_STATUS], nullptr);
    EXPECT_EQ(GetDlgItem(window, 37), nullptr);
    EXPECT_EQ(GetDlgItem(window, ROW_STATUS), nullptr);
}

TEST_F(MainWindow, LanguageButtonAlternatesEveryLabel) {
    Create();
    Click(ROW_LANGUAGE);
    EXPECT_EQ(Settings[SETTING_LANGUAGE], 1);
    EXPECT_EQ(TextOf(ControlHandles[ROW_LANGUAGE]), "Japanese");
    EXPECT_EQ(TextOf(ControlHandles[ROW_EXECUTE]), "Execute");
    EXPECT_EQ(TextOf(ControlHandles[ROW_INCLUDE_SERIAL]), "Include Serial");
    ExpectLabels(1);
    EXPECT_TRUE(HasPendingRepaint());
    Click(ROW_LANGUAGE);
    EXPECT_EQ(Settings[SETTING_LANGUAGE], 0);
    EXPECT_EQ(TextOf(ControlHandles[ROW_LANGUAGE]), "English");
    ExpectLabels(0);
}

// Only 1 is English; a negative language from an edited file reads as Japanese,
// and the first click switches to English.
TEST_F(MainWindow, LoadedLanguageValues) {
    const struct {
        long stored;
        int shown;
        int afterClick;
    } cases[] = {{1, 1, 0}, {2, 0, 1}, {-3, 0, 1}};
    for (const auto& c : cases) {
        WriteSettingsFile({{SETTING_LANGUAGE, c.stored}});
        Create();
        ExpectLabels(c.shown);
        Click(ROW_LANGUAGE);
        ExpectLabels(c.afterClick);
        DestroyWindow(window);
        TearDown();
    }
}

TEST_F(MainWindow, RadioRuleMovesTheMark) {
    Create();
    Click(ROW_E12);
    EXPECT_EQ(Settings[SETTING_LIST_CHOICE], 4);
    EXPECT_TRUE(IsChecked(29));
    EXPECT_FALSE(IsChecked(25));
    Click(ROW_E12); // again: nothing changes
    EXPECT_EQ(Settings[SETTING_LIST_CHOICE], 4);
    EXPECT_TRUE(IsChecked(29));
    Click(7); // the other group is independent
    EXPECT_EQ(Settings[SETTING_CONFIGURATION], 3);
    EXPECT_TRUE(IsChecked(7));
    EXPECT_FALSE(IsChecked(4));
    EXPECT_TRUE(IsChecked(29));
    for (int row = 25; row <= 30; ++row)
        EXPECT_EQ(IsChecked(row), row == 29) << "row " << row;
}

// A choice that names no radio of its group (from an edited file) selects
// nothing; the first click clears no other control and marks its radio.
TEST_F(MainWindow, RadioChoiceOutsideItsGroup) {
    WriteSettingsFile({{SETTING_LIST_CHOICE, -30}, {SETTING_CONFIGURATION, 2000000000}});
    Create();
    for (int row = 25; row <= 30; ++row)
        EXPECT_FALSE(IsChecked(row)) << "row " << row;
    for (int row = 4; row <= 7; ++row)
        EXPECT_FALSE(IsChecked(row)) << "row " << row;
    Click(28);
    Click(5);
    EXPECT_EQ(Settings[SETTING_LIST_CHOICE], 3);
    EXPECT_EQ(Settings[SETTING_CONFIGURATION], 1);
    for (int row = 25; row <= 30; ++row)
        EXPECT_EQ(IsChecked(row), row == 28) << "row " << row;
    for (int row = 4; row <= 7; ++row)
        EXPECT_EQ(IsChecked(row), row == 5) << "row " << row;
}

TEST_F(MainWindow, CheckBoxFromALoadedFive) {
    WriteSettingsFile({{SETTING_INCLUDE_SERIAL, 5}});
    Create();
    EXPECT_TRUE(IsChecked(ROW_INCLUDE_SERIAL));
    Click(ROW_INCLUDE_SERIAL);
    EXPECT_EQ(Settings[SETTING_INCLUDE_SERIAL], 0);
    EXPECT_FALSE(IsChecked(ROW_INCLUDE_SERIAL));
    Click(ROW_INCLUDE_SERIAL);
    EXPECT_EQ(Settings[SETTING_INCLUDE_SERIAL], 1);
    EXPECT_TRUE(IsChecked(ROW_INCLUDE_SERIAL));
}

TEST_F(MainWindow, ExecuteWithABadFieldReportsAndReenables) {
    Create();
    Click(ROW_LANGUAGE);
    SetWindowTextA(ControlHandles[ROW_VI_MAX], "3.0x");
    ValidateRect(window, nullptr);
    Click(ROW_EXECUTE);
    EXPECT_STREQ(TextSlots[SLOT_VI_MAX], "3.0x"); // collected before the search
    EXPECT_EQ(std::string(TextSlots[SLOT_STATUS]), "Format error\n3.0x");
    EXPECT_EQ(TextOf(ControlHandles[ROW_RESULT]), "");
    for (int row : INPUT_ROWS)
        EXPECT_TRUE(IsWindowEnabled(ControlHandles[row])) << "row " << row;
    EXPECT_TRUE(HasPendingRepaint()); // the status line is drawn by the repaint
}

TEST_F(MainWindow, ExecuteOnE12DefaultsFillsResultAndStatus) {
    Create();
    Click(ROW_E12);
    Click(ROW_EXECUTE);
    const std::string result = TextOf(ControlHandles[ROW_RESULT]);
    EXPECT_FALSE(result.empty());
    EXPECT_EQ(result, TextSlots[SLOT_RESULT]);
    ASSERT_GT(Settings[SETTING_MATCH_COUNT], 0);
    char japanese[100];
    std::snprintf(japanese, sizeof japanese, "%d%s", static_cast<int>(Settings[SETTING_MATCH_COUNT]),
                  MessageTable[MSG_SETS_FOUND].text[0]);
    EXPECT_STREQ(TextSlots[SLOT_STATUS], japanese);
    for (int row : INPUT_ROWS)
        EXPECT_TRUE(IsWindowEnabled(ControlHandles[row])) << "row " << row;

    Click(ROW_LANGUAGE);
    EXPECT_STREQ(TextSlots[SLOT_STATUS], japanese); // keeps the language of its search
    Click(ROW_EXECUTE);
    char english[100];
    std::snprintf(english, sizeof english, "%d set(s) found.",
                  static_cast<int>(Settings[SETTING_MATCH_COUNT]));
    EXPECT_STREQ(TextSlots[SLOT_STATUS], english);
}

// Watches, from inside the search, which inputs are enabled and what the
// settings file holds when the engine first empties the result edit.
bool EnabledDuringSearch[CONTROL_ROWS];
std::string FileDuringSearch;
bool SawSearch;

LRESULT CALLBACK WatchResultText(int code, WPARAM wParam, LPARAM lParam) {
    const CWPSTRUCT* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && call->message == WM_SETTEXT && call->hwnd == ControlHandles[ROW_RESULT] &&
        !SawSearch) {
        SawSearch = true;
        for (int row = 0; row < CONTROL_ROWS; ++row)
            EnabledDuringSearch[row] = IsWindowEnabled(ControlHandles[row]) != 0;
        FileDuringSearch = ReadFile("Varnock.ini");
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST_F(MainWindow, ExactlyTheInputsAreDisabledDuringTheSearch) {
    Create();
    HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, WatchResultText, nullptr, GetCurrentThreadId());
    ASSERT_NE(hook, nullptr);
    Click(ROW_EXECUTE);
    UnhookWindowsHookEx(hook);
    ASSERT_TRUE(SawSearch);
    // Every edit but the result, Execute, "Include Serial" and the radios [a], [b].
    bool input[CONTROL_ROWS] = {};
    for (int row = 0; row < CONTROL_ROWS; ++row)
        input[row] = ControlTable[row].kind == KIND_EDIT && row != ROW_RESULT;
    for (int row : {ROW_EXECUTE, ROW_INCLUDE_SERIAL, ROW_CONFIG_A, ROW_CONFIG_B})
        input[row] = true;
    for (int row = 0; row < CONTROL_ROWS; ++row) {
        if (ControlHandles[row] == nullptr) continue;
        EXPECT_EQ(EnabledDuringSearch[row], !input[row]) << "row " << row;
        EXPECT_TRUE(IsWindowEnabled(ControlHandles[row])) << "row " << row << " after the search";
    }
}

// A window killed while it searches loses nothing typed before Execute: the
// file is written first, as a close would write it then, and the edits keep
// their CR LF line breaks for the search and after it.
TEST_F(MainWindow, ExecuteSavesBeforeTheSearchAndKeepsTheEdits) {
    Create();
    Click(ROW_E12);
    SetWindowTextA(ControlHandles[ROW_DNM_COUNT], "1");
    SetWindowTextA(ControlHandles[ROW_LIST2], "10\r\n22\r\n");
    HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, WatchResultText, nullptr, GetCurrentThreadId());
    ASSERT_NE(hook, nullptr);
    Click(ROW_EXECUTE);
    UnhookWindowsHookEx(hook);
    ASSERT_TRUE(SawSearch);
    const std::vector<std::string> during = LinesOf(FileDuringSearch);
    ASSERT_EQ(during.size(), 42u) << "no complete file when the search began";
    EXPECT_EQ(during[22 + SLOT_RESULT], "") << "the result of before the search";
    EXPECT_EQ(during[22 + SLOT_DNM_COUNT], "1");
    EXPECT_EQ(during[22 + SLOT_FIRST_LIST + 1], "10\a\a22\a\a");

    EXPECT_GT(Settings[SETTING_MATCH_COUNT], 0);
    EXPECT_EQ(TextOf(ControlHandles[ROW_RESULT]), TextSlots[SLOT_RESULT]);
    EXPECT_EQ(TextOf(ControlHandles[ROW_LIST2]), "10\r\n22\r\n");
    EXPECT_EQ(TextOf(ControlHandles[ROW_LIST1]), TextSlots[SLOT_FIRST_LIST]);
    for (int slot = 0; slot < TEXT_SLOT_COUNT; ++slot)
        EXPECT_EQ(std::strchr(TextSlots[slot], '\a'), nullptr) << "slot " << slot;

    // A close now differs only in what the search changed: its count, result and status.
    DestroyWindow(window);
    TearDown();
    const std::vector<std::string> closed = LinesOf(ReadFile("Varnock.ini"));
    ASSERT_EQ(closed.size(), 42u);
    for (std::size_t line = 0; line < closed.size(); ++line) {
        if (line == 1 + SETTING_MATCH_COUNT || line == 22 + SLOT_RESULT || line == 22 + SLOT_STATUS) continue;
        EXPECT_EQ(closed[line], during[line]) << "line " << line + 1;
    }
}

// Windows ends a session without destroying the window: WM_ENDSESSION writes
// what a close would; a session that goes on after all writes nothing.
TEST_F(MainWindow, SessionEndSavesWhatWasTyped) {
    Create();
    SetWindowTextA(ControlHandles[ROW_VI_MIN], "0.25");
    SetWindowTextA(ControlHandles[ROW_LIST1], "1k\r\n2.2k\r\n");
    EXPECT_TRUE(SendMessageA(window, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF));
    SendMessageA(window, WM_ENDSESSION, FALSE, ENDSESSION_LOGOFF);
    EXPECT_EQ(ReadFile("Varnock.ini"), "");
    SendMessageA(window, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
    const std::string atSessionEnd = ReadFile("Varnock.ini");
    const std::vector<std::string> lines = LinesOf(atSessionEnd);
    ASSERT_EQ(lines.size(), 42u);
    EXPECT_EQ(lines[22 + SLOT_VI_MIN], "0.25");
    EXPECT_EQ(lines[22 + SLOT_FIRST_LIST], "1k\a\a2.2k\a\a");
    EXPECT_EQ(TextOf(ControlHandles[ROW_LIST1]), "1k\r\n2.2k\r\n");
    DestroyWindow(window);
    TearDown();
    EXPECT_EQ(ReadFile("Varnock.ini"), atSessionEnd);
}

// The label of the system menu's last item; its command in *command.
std::string LastSystemMenuItem(HWND window, UINT* command) {
    HMENU menu = GetSystemMenu(window, FALSE);
    const int count = GetMenuItemCount(menu);
    char label[200] = "";
    GetMenuStringA(menu, count - 1, label, sizeof label, MF_BYPOSITION);
    *command = GetMenuItemID(menu, count - 1);
    EXPECT_TRUE(GetMenuState(menu, count - 2, MF_BYPOSITION) & MF_SEPARATOR) << "a separator before it";
    return label;
}

// A ratiometric sensor, 0.5..4.5 V to 0..5 V from 2.5 V, on E24 with series
// pairs: Execute finds nothing (it looks only near an ideal Rb that is an open
// circuit here), the system menu's complete search finds them all.
TEST_F(MainWindow, SystemMenuRunsTheCompleteSearch) {
    Create();
    UINT command = 0;
    EXPECT_EQ(LastSystemMenuItem(window, &command), COMPLETE_SEARCH_LABEL[0]);
    Click(ROW_LANGUAGE);
    EXPECT_EQ(LastSystemMenuItem(window, &command), COMPLETE_SEARCH_LABEL[1]);
    const struct {
        int row;
        const char* text;
    } fields[] = {{ROW_VI_MIN, "0.5"}, {ROW_VI_MAX, "4.5"}, {ROW_VO_MIN, "0"},
                  {ROW_VO_MAX, "5"},   {ROW_VREF, "2.5"},   {ROW_PRECISION, "0.1%"}};
    for (const auto& field : fields)
        SetWindowTextA(ControlHandles[field.row], field.text);
    Click(28); // E24
    Click(ROW_INCLUDE_SERIAL);
    Click(ROW_EXECUTE);
    EXPECT_STREQ(TextSlots[SLOT_STATUS], "Can not be able to fined.");
    EXPECT_EQ(TextOf(ControlHandles[ROW_RESULT]), "");

    ValidateRect(window, nullptr);
    SendMessageA(window, WM_SYSCOMMAND, command, 0);
    const std::string result = TextOf(ControlHandles[ROW_RESULT]);
    EXPECT_EQ(result, TextSlots[SLOT_RESULT]);
    EXPECT_EQ(Settings[SETTING_MATCH_COUNT], 1000);
    const int shown = static_cast<int>(LinesOf(result).size());
    EXPECT_GT(shown, 100);
    EXPECT_LE(result.size(), 32758u) << "the report's budget";
    char status[200];
    std::snprintf(status, sizeof status, "1511279595 set(s) found. Only the best %d are printed.", shown);
    EXPECT_STREQ(TextSlots[SLOT_STATUS], status);
    EXPECT_EQ(result.substr(0, result.find("\r\n")), "120//DNM, 10M//DNM, 30//DNM, 0.0000%, 0.0003%, 24");
    EXPECT_TRUE(HasPendingRepaint());
    for (int row : INPUT_ROWS)
        EXPECT_TRUE(IsWindowEnabled(ControlHandles[row])) << "row " << row;

    DestroyWindow(window);
    TearDown();
    const std::vector<std::string> lines = LinesOf(ReadFile("Varnock.ini"));
    ASSERT_EQ(lines.size(), 42u);
    EXPECT_EQ(lines[1 + SETTING_MATCH_COUNT], "1000");
    EXPECT_EQ(lines[22 + SLOT_STATUS], status);
}

TEST_F(MainWindow, CommandWithANotificationCodeIsIgnored) {
    Create();
    ValidateRect(window, nullptr);
    SendMessageA(window, WM_COMMAND, MAKEWPARAM(ROW_LANGUAGE, EN_CHANGE),
                 reinterpret_cast<LPARAM>(ControlHandles[ROW_LANGUAGE]));
    SendMessageA(window, WM_COMMAND, MAKEWPARAM(29, BN_SETFOCUS),
                 reinterpret_cast<LPARAM>(ControlHandles[ROW_E12]));
    EXPECT_EQ(Settings[SETTING_LANGUAGE], 0);
    EXPECT_EQ(Settings[SETTING_LIST_CHOICE], 0);
    EXPECT_FALSE(HasPendingRepaint());
    // Identifiers that are no command only repaint.
    for (int id : {0, 3, 37, 40, 50, 65535})
        SendMessageA(window, WM_COMMAND, MAKEWPARAM(id, 0), 0);
    EXPECT_EQ(Settings[SETTING_LANGUAGE], 0);
    EXPECT_TRUE(HasPendingRepaint());
}

TEST_F(MainWindow, DefaultSizeButtonKeepsThePosition) {
    Create();
    MoveWindow(window, 40, 30, 300, 200, TRUE);
    Click(ROW_DEFAULT_SIZE);
    ExpectDefaultSizeAt(window, 40, 30);
}

// The platform clamps the bar; the content and the child controls move with it
// and come back when the window grows.
TEST_F(MainWindow, ScrollToTheBottomAndGrowBack) {
    Create();
    SetClientCells(60, 20);
    RECT before;
    GetWindowRect(ControlHandles[ROW_EXECUTE], &before);
    SendMessageA(window, WM_VSCROLL, SB_LINEUP, 0);
    EXPECT_EQ(ScrollOriginY, 0);
    SendMessageA(window, WM_VSCROLL, SB_BOTTOM, 0);
    EXPECT_EQ(GetScrollPos(window, SB_VERT), 19); // 38 asked, 39 - page 20 allowed
    EXPECT_EQ(ScrollOriginY, -19);
    RECT scrolled;
    GetWindowRect(ControlHandles[ROW_EXECUTE], &scrolled);
    EXPECT_EQ(before.top - scrolled.top, 19 * CharCellHeight);

    SetClientCells(60, 30);
    EXPECT_EQ(ScrollOriginY, -8);
    RECT grown;
    GetWindowRect(ControlHandles[ROW_EXECUTE], &grown);
    EXPECT_EQ(before.top - grown.top, 8 * CharCellHeight);
    SendMessageA(window, WM_VSCROLL, SB_TOP, 0);
    EXPECT_EQ(ScrollOriginY, 0);
}

TEST_F(MainWindow, HorizontalScrollMovesTheControls) {
    Create();
    SetClientCells(30, 30);
    SendMessageA(window, WM_HSCROLL, SB_PAGERIGHT, 0);
    EXPECT_EQ(ScrollOriginX, -GetScrollPos(window, SB_HORZ));
    EXPECT_LT(ScrollOriginX, 0);
    SendMessageA(window, WM_HSCROLL, SB_THUMBPOSITION, 0);
    SendMessageA(window, WM_HSCROLL, SB_ENDSCROLL, 0);
    EXPECT_EQ(ScrollOriginX, -GetScrollPos(window, SB_HORZ));
    SendMessageA(window, WM_HSCROLL, SB_LEFT, 0);
    EXPECT_EQ(ScrollOriginX, 0);
}

// Closing saves everything to Varnock.ini in the current directory and quits
// with 0; the texts typed into the edits are in it.
TEST_F(MainWindow, DestroySavesAndQuits) {
    Create();
    SetWindowTextA(ControlHandles[ROW_DNM_COUNT], "2");
    Click(ROW_LANGUAGE);
    DestroyWindow(window);
    TearDown();
    EXPECT_EQ(quitCode, 0);
    const std::string file = ReadFile("Varnock.ini");
    EXPECT_EQ(LinesOf(file).size(), 42u);
    EXPECT_EQ(file.compare(0, 7, "20\r\n1\r\n"), 0) << "English saved";
    EXPECT_NE(file.find("\r\n2\r\n\r\n\r\n\r\n"), std::string::npos) << "slot 16 then the empty slots 17..19";
}

// Rectangles from an edited file still open a window that can be seen.
TEST_F(MainWindow, SavedRectanglesOffTheScreen) {
    const struct {
        long left, top, right, bottom;
    } cases[] = {{-3000, 100, -2000, 700},
                 {100, -3000, 700, -2000},
                 {INT_MIN, INT_MIN, INT_MAX, INT_MAX},
                 {5000, 5000, 5700, 5600}};
    for (const auto& c : cases) {
        WriteSettingsFile({{SETTING_WINDOW_LEFT, c.left},
                           {SETTING_WINDOW_TOP, c.top},
                           {SETTING_WINDOW_RIGHT, c.right},
                           {SETTING_WINDOW_BOTTOM, c.bottom}});
        Create();
        RECT rect;
        GetWindowRect(window, &rect);
        EXPECT_GE(rect.left, GetSystemMetrics(SM_XVIRTUALSCREEN)) << c.left;
        EXPECT_GE(rect.top, GetSystemMetrics(SM_YVIRTUALSCREEN)) << c.top;
        EXPECT_LT(rect.left, GetSystemMetrics(SM_CXVIRTUALSCREEN)) << c.left;
        EXPECT_LT(rect.top, GetSystemMetrics(SM_CYVIRTUALSCREEN)) << c.top;
        DestroyWindow(window);
        TearDown();
    }
}

// Whatever is typed (very long, control characters, Japanese), Execute shows a
// status, the window keeps working and the save stays 42 lines.
TEST_F(MainWindow, BadInputKeepsTheWindowWorking) {
    Create();
    static char longText[TEXT_SLOT_SIZE + 100];
    std::memset(longText, '7', sizeof longText - 1);
    const char* const texts[] = {longText, "", "\x01\x02\t\x1a\x07\x07", "\x93\xfc\x97\xcd", "1e400", "-0"};
    for (const char* text : texts) {
        for (int row : {11, 21, 36, 46})
            SetWindowTextA(ControlHandles[row], text);
        Click(ROW_EXECUTE);
        EXPECT_NE(TextSlots[SLOT_STATUS][0], '\0') << "text of " << std::strlen(text) << " bytes";
        EXPECT_LT(std::strlen(TextSlots[SLOT_VI_MIN]), TEXT_SLOT_SIZE);
        EXPECT_TRUE(IsWindowEnabled(ControlHandles[ROW_EXECUTE]));
    }
    DestroyWindow(window);
    TearDown();
    EXPECT_EQ(quitCode, 0);
    EXPECT_FALSE(ReadFile("Varnock.ini").empty());
}

// The report's numbers must read the same as on Linux: MinGW's own printf
// (C99 exponents, %zu), and no sign on a NaN that the report made positive.
TEST(RuntimeFormats, MatchTheNativeBuild) {
    char text[200];
    FormatText(text, sizeof text, "%.4f|%.4f|%.4f|%e|%g|%lld", HUGE_VAL, -HUGE_VAL, std::fabs(std::nan("")),
               1e5, 9e100, -3LL);
    EXPECT_STREQ(text, "inf|-inf|nan|1.000000e+05|9e+100|-3");
    std::snprintf(text, sizeof text, "%zu", static_cast<std::size_t>(5));
    EXPECT_STREQ(text, "5");
}

} // namespace

int main(int argc, char** argv) {
    // No error dialog may ever wait for a click in a headless run.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
