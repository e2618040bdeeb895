// Helpers shared by the native tests: a fresh state for each test and a run
// of the engine without a window.
#pragma once

#include <cstring>
#include <string>

#include "engine/run_search.h"
#include "state/app_state.h"

inline void ResetState() {
    std::memset(Settings, 0, sizeof Settings);
    std::memset(TextSlots, 0, sizeof TextSlots);
    InitDefaults();
}

inline int& ShowCalls() {
    static int calls = 0;
    return calls;
}
inline void CountShow() {
    ++ShowCalls();
}

inline RunOutcome RunEngine() {
    return RunSearch(CountShow);
}

inline std::string Slot(int slot) {
    return TextSlots[slot];
}

inline int CountLines(const std::string& text) {
    int lines = 0;
    for (std::size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at + 2))
        ++lines;
    return lines;
}
