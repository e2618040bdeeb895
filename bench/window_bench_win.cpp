// Timings in the window's own program (the windows preset builds it; run it
// under Wine with scripts/wine-run.sh, which gives it an empty folder):
// - what the save before every search costs Execute, on the defaults and with
//   every list edit filled to its 32759 characters: the median of whole Execute
//   commands beside the median of the save alone;
// - the system menu's complete search on a ratiometric design (0.5..4.5 V to
//   0..5 V from 2.5 V, E24 with series pairs) and, given a list file as the
//   first argument (varnock-search --series E96 --print-list), on that list.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>
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

template <typename Step> double MedianMs(Step step, int runs = RUNS) {
    std::vector<double> times;
    for (int run = 0; run < runs; ++run) {
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

void SetFields(const char* const texts[6]) {
    const int rows[] = {ROW_VI_MIN, ROW_VI_MAX, ROW_VO_MIN, ROW_VO_MAX, ROW_VREF, ROW_PRECISION};
    for (int i = 0; i < 6; ++i)
        SetWindowTextA(ControlHandles[rows[i]], texts[i]);
}

void MeasureComplete(HWND window, const char* name, int runs) {
    const double ms = MedianMs([&] { OnCompleteSearch(window); }, runs);
    std::printf("%-18s complete search %8.2f ms (median of %d): %s\n", name, ms, runs,
                TextSlots[SLOT_STATUS]);
}

// A list file's text with CR LF line ends, as a paste into the edit gives it.
std::string ListFile(const char* path) {
    std::ifstream file(path, std::ios::binary);
    std::string text, line;
    while (std::getline(file, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        text += line + "\r\n";
    }
    return text;
}

} // namespace

int main(int argc, char** argv) {
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

    const char* const ratiometric[6] = {"0.5", "4.5", "0", "5", "2.5", "0.1%"};
    SetFields(ratiometric);
    Settings[SETTING_LANGUAGE] = 1;
    Settings[SETTING_LIST_CHOICE] = 3; // E24
    Settings[SETTING_INCLUDE_SERIAL] = 1;
    MeasureComplete(window, "E24 with series", RUNS);
    if (argc > 1) {
        const std::string list = ListFile(argv[1]);
        SetWindowTextA(ControlHandles[ROW_LIST1], list.c_str());
        Settings[SETTING_LIST_CHOICE] = 0;
        MeasureComplete(window, argv[1], 5);
    }
    DestroyWindow(window);
    return 0;
}
