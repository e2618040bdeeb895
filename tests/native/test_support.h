// Helpers shared by the native tests: a fresh state for each test and a run
// of the engine without a window.
#pragma once

#include <cstring>
#include <iconv.h>
#include <string>

#include <gtest/gtest.h>

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

// Converts code page 932 bytes to UTF-8, so tests compare texts as people read them.
inline std::string Cp932ToUtf8(const char* text) {
    iconv_t cd = iconv_open("UTF-8", "CP932");
    EXPECT_NE(cd, reinterpret_cast<iconv_t>(-1));
    char out[512];
    char* in = const_cast<char*>(text);
    std::size_t inLeft = std::strlen(text);
    char* outPtr = out;
    std::size_t outLeft = sizeof out;
    EXPECT_NE(iconv(cd, &in, &inLeft, &outPtr, &outLeft), static_cast<std::size_t>(-1)) << text;
    iconv_close(cd);
    return std::string(out, sizeof out - outLeft);
}
