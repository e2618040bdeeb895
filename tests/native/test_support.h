// Helpers shared by the native tests: a fresh state for each test, a run of
// the engine without a window, and for the settings-file tests a scratch
// folder as the current directory and copies of the whole state.
#pragma once

#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iconv.h>
#include <sstream>
#include <string>
#include <vector>

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

// The bytes of a file; empty when there is none.
inline std::string ReadBytes(const char* name) {
    std::ifstream in(name, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// Every setting and every slot's text, to compare a whole state at once.
struct StateCopy {
    std::vector<std::int32_t> settings;
    std::vector<std::string> slots;
    bool operator==(const StateCopy& other) const {
        return settings == other.settings && slots == other.slots;
    }
};
inline StateCopy CaptureState() {
    StateCopy state{std::vector<std::int32_t>(Settings, Settings + SETTINGS_COUNT), {}};
    for (int slot = 0; slot < TEXT_SLOT_COUNT; ++slot)
        state.slots.push_back(Slot(slot));
    return state;
}

// Each test in a fresh temporary folder made the current directory (the
// settings file is always read and written there), removed afterwards.
class ScratchFolderTest : public ::testing::Test {
  protected:
    void SetUp() override {
        home = std::filesystem::current_path();
        char name[] = "/tmp/varnock-test-XXXXXX";
        ASSERT_NE(mkdtemp(name), nullptr);
        folder = name;
        std::filesystem::current_path(folder);
    }
    void TearDown() override {
        std::filesystem::current_path(home);
        std::filesystem::remove_all(folder);
    }
    std::filesystem::path home, folder;
};

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
