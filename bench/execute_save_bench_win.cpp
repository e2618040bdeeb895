// What the save before every search costs Execute, measured in the window's own
// program (the windows preset builds it; run it under Wine with
// scripts/wine-run.sh, which gives it an empty folder). Two states: the
// defaults, and every list edit filled to its 32759 characters. For each, the
// median of whole Execute commands beside the median of the save alone.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "state/app_state.h"
#include "state/settings_file.h"
#include "ui/main_window.h"

namespace {

constexpr int RUNS = 21;

double NowMs() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return 1000.0 * static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

template <typename Step> double MedianMs(Step step) {
    std::vector<double> times;
    for (int run = 0; run < RUNS; ++run) {
        const double start = NowMs();
        step();
        times.push_back(NowMs() - start);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// E24 values, one a line, repeated until the edit's limit of 32759 characters.
std::string FullList() {
    const char* const values[] = {"1k",   "1.1k", "1.2k", "1.3k", "1.5k", "1.6k", "1.8k", "2k",
                                  "2.2k", "2.4k", "2.7k", "3k",   "3.3k", "3.6k", "3.9k", "4.3k",
                                  "4.7k", "5.1k", "5.6k", "6.2k", "6.8k", "7.5k", "8.2k", "9.1k"};
    std::string text;
    for (std::size_t i = 0;; ++i) {
        std::string line = std::string(values[i % std::size(values)]) + "\r\n";
        if (text.size() + line.size() > TEXT_SLOT_SIZE - 1) break;
        text += line;
    }
    return text;
}

void Measure(HWND window, const char* name) {
    const double execute =
        MedianMs([&] { SendMessageA(window, WM_COMMAND, MAKEWPARAM(ROW_EXECUTE, BN_CLICKED), 0); });
    CollectEditTexts();
    const double save = MedianMs([&] { SaveBeforeSearch(window); });
    std::printf("%-18s Execute %7.2f ms (%d sets), the save in it %5.2f ms (%4.1f %%), file complete: %s\n",
                name, execute, static_cast<int>(Settings[SETTING_MATCH_COUNT]), save, 100.0 * save / execute,
                LastSaveSucceeded() ? "yes" : "no");
}

} // namespace

int main() {
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
    HINSTANCE instance = GetModuleHandleA(nullptr);
    if (!RegisterMainWindowClass(instance)) return 1;
    HWND window = CreateMainWindow(instance);
    if (window == nullptr) return 1;
    std::printf("medians of %d runs, Varnock.ini in %s\n", RUNS, SettingsFilePath);
    Measure(window, "defaults (List1)");
    const std::string list = FullList();
    for (int row : {ROW_LIST1, ROW_LIST2, ROW_LIST3})
        SetWindowTextA(ControlHandles[row], list.c_str());
    Measure(window, "three 32 KB lists");
    DestroyWindow(window);
    return 0;
}
