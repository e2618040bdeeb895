// Varnock.ini: the line format as hand-edited files use it, the texts that the
// format cannot carry unchanged, the durable save and junk input. Each test runs
// in a fresh temporary folder that it makes the current directory.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>
#include <vector>

#include "state/settings_file.h"
#include "state/settings_save_fault.h"
#include "test_support.h"

namespace fs = std::filesystem;

namespace {

std::string CallLog;
WindowRect GivenRect{-8, 10, 1000, 700};
void Collect() {
    CallLog += "collect;";
}
bool RectFails(WindowRect*) {
    CallLog += "rect;";
    return false;
}
bool RectGiven(WindowRect* rect) {
    CallLog += "rect;";
    *rect = GivenRect;
    return true;
}
void Quit() {
    CallLog += "quit;";
}

std::string Lines(const std::vector<std::string>& lines, const char* end = "\r\n") {
    std::string text;
    for (const std::string& line : lines)
        text += line + end;
    return text;
}

void WriteIni(const std::string& bytes) {
    std::ofstream("Varnock.ini", std::ios::binary) << bytes;
}

void ExpectState(const StateCopy& expected) {
    StateCopy actual = CaptureState();
    EXPECT_EQ(actual.settings, expected.settings);
    for (int slot = 0; slot < TEXT_SLOT_COUNT; ++slot)
        EXPECT_TRUE(actual.slots[slot] == expected.slots[slot])
            << "slot " << slot << " has " << actual.slots[slot].size()
            << " bytes: " << actual.slots[slot].substr(0, 40);
}

class SettingsFileTest : public ScratchFolderTest {
  protected:
    void SetUp() override {
        ResetState();
        FailSaveAtStep(0);
        CallLog.clear();
        ScratchFolderTest::SetUp();
    }
    void Save(bool (*readRect)(WindowRect*) = RectFails) {
        SaveSettings(SaveOperations{Collect, readRect, Quit});
    }
    // Loads `bytes` over the defaults; returns the defaults for the expectation.
    StateCopy LoadFile(const std::string& bytes) {
        ResetState();
        StateCopy defaults = CaptureState();
        WriteIni(bytes);
        LoadSettings();
        return defaults;
    }
};

struct LoadCase {
    const char* name;
    std::string file;
    std::vector<std::int32_t> settings; // Settings[0], [1], ... as loaded; the rest stay default
    std::vector<std::string> texts;     // slot 0, 1, ... as loaded; the rest stay default
    const char* list1 = nullptr;        // slot 10, when it changes beyond `texts`
};

void ExpectLoaded(StateCopy expected, const LoadCase& c) {
    std::copy(c.settings.begin(), c.settings.end(), expected.settings.begin());
    std::copy(c.texts.begin(), c.texts.end(), expected.slots.begin());
    if (c.list1 != nullptr) expected.slots[SLOT_FIRST_LIST] = c.list1;
    ExpectState(expected);
}

TEST_F(SettingsFileTest, LoadsHandEditedFiles) {
    std::vector<std::string> n25 = {"25"}, m20 = {"0", "20"}, texts20;
    std::vector<std::int32_t> n25Settings;
    for (int i = 1; i <= 25; ++i)
        n25.push_back(std::to_string(100 + i));
    for (int i = 0; i < 20; ++i)
        n25Settings.push_back(i == 0 ? 0 : 101 + i);
    n25.insert(n25.end(), {"1", "text"});
    for (int i = 0; i < 20; ++i)
        texts20.push_back("t" + std::to_string(i));
    m20.insert(m20.end(), texts20.begin(), texts20.end());
    const std::string e = "";
    const LoadCase cases[] = {
        {"ends after integers", Lines({"3", "1", "-5", "7"}), {1, -5, 7}, {}},
        {"N = 25", Lines(n25), n25Settings, {"text"}},
        {"N = 3", Lines({"3", "1", "22", "33", "2", "a", "b"}), {1, 22, 33}, {"a", "b"}},
        {"M = 8, five lines",
         Lines({"0", "8", "s0", "s1", "s2", "s3", "s4"}),
         {},
         {"s0", "s1", "s2", "s3", "s4"},
         ""},
        {"M = 10 moves slot 7",
         Lines({"0", "10", e, e, e, e, e, e, e, "old"}),
         {},
         {e, e, e, e, e, e, e, "old"},
         "old"},
        {"M = 11 keeps List1",
         Lines({"0", "11", e, e, e, e, e, e, e, "old", e, e, "new"}),
         {},
         {e, e, e, e, e, e, e, "old", e, e, "new"}},
        {"M = 7 moves slot 7", Lines({"0", "7"}), {}, {}, ""},
        {"M = 6 keeps List1", Lines({"0", "6"}), {}, {}},
        {"M = 20", Lines(m20), {}, texts20},
        {"BEL pairs",
         Lines({"0", "4", "a\a\ab", "\a\a\a", "\a", "x\a\a\a\ay"}),
         {},
         {"a\r\nb", "\r\n\a", "\a", "x\r\n\r\ny"}},
        {"no final line feed", Lines({"0", "2", "abc"}) + "0.7", {}, {"abc", "0.7"}},
        {"bare LF, lone CR, 0x1A",
         Lines({"1", "1", "2", "a\rb"}, "\n") + "c\x1a\rd",
         {1},
         {"a\rb", "c\x1a\rd"}},
        {"count without a number", Lines({"x", "1", "v", "w"}), {}, {"v"}},
        {"negative integer count", Lines({"-4", "1", "v", "w"}), {}, {"v"}},
        {"negative text count", Lines({"1", "1", "-1", "a"}), {1}, {}},
        {"32-bit clamp",
         Lines({"5", "1", "99999999999", "-99999999999", " +12abc", "abc"}),
         {1, INT32_MAX, INT32_MIN, 12, 0},
         {}},
        {"language 2", Lines({"1", "2"}), {0}, {}},
        {"language -1", Lines({"1", "-1"}), {0}, {}},
        {"line over the read limit",
         Lines({"0", "3", std::string(32759 + 5, 'x'), "next"}),
         {},
         {std::string(32759, 'x'), "xxxxx", "next"}},
    };
    for (const LoadCase& c : cases) {
        SCOPED_TRACE(c.name);
        ExpectLoaded(LoadFile(c.file), c);
    }
}

TEST_F(SettingsFileTest, FirstSaveWritesTheDefaultsWithCrLf) {
    Settings[SETTING_LANGUAGE] = -3; // no file: still held to a language
    LoadSettings();
    EXPECT_EQ(Settings[SETTING_LANGUAGE], 0);
    EXPECT_EQ(std::string(SettingsFilePath), (folder / "Varnock.ini").string());
    StateCopy before = CaptureState();
    Save();
    EXPECT_EQ(CallLog, "collect;rect;quit;");
    EXPECT_TRUE(LastSaveSucceeded());
    std::string expected = Lines({"20"}) + Lines(std::vector<std::string>(20, "0")) + Lines({"20"});
    for (std::string text : before.slots) {
        for (std::size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at))
            text.replace(at, 2, "\a\a");
        expected += text + "\r\n";
    }
    EXPECT_TRUE(ReadBytes("Varnock.ini") == expected);
    EXPECT_FALSE(fs::exists("Varnock.tmp"));
    ExpectState(before); // the live slots keep their CR LF
}

TEST_F(SettingsFileTest, SavedStateLoadsBackAndSavesToTheSameBytes) {
    LoadSettings();
    std::int32_t values[] = {1, 5, 6, 7, 8, INT32_MIN, INT32_MAX, -1, 0, 0, 3, 0, 1000, 0, 5, 1, 0, 0, 0, 42};
    std::copy(std::begin(values), std::end(values), Settings);
    SetSlotText(SLOT_LEGACY_LIST, "\x93\xfa\x96\x7b\x8c\xea, 0x1A \x1a, one BEL \a");
    SetSlotText(SLOT_RESULT, std::string(32758, 'r').c_str());
    SetSlotText(SLOT_DNM_COUNT, "");
    StateCopy saved = CaptureState();
    Save(RectFails);
    std::string first = ReadBytes("Varnock.ini");
    ResetState();
    LoadSettings();
    ExpectState(saved);
    Save(RectGiven);
    std::string second = ReadBytes("Varnock.ini");
    EXPECT_EQ(Settings[SETTING_WINDOW_LEFT], GivenRect.left);
    EXPECT_EQ(Settings[SETTING_WINDOW_BOTTOM], GivenRect.bottom);
    // Only lines 3 to 6, the rectangle, differ.
    std::string rectangle = Lines({"-8", "10", "1000", "700"}), old = Lines({"5", "6", "7", "8"});
    std::size_t at = first.find(old, 5);
    ASSERT_EQ(at, std::string("20\r\n1\r\n").size());
    EXPECT_TRUE(second == first.replace(at, old.size(), rectangle));
}

struct TextCase {
    const char* name;
    std::string text, loaded;
};

// Texts that the line format cannot carry as they are: they may change, but no
// other slot may move, and the live slots are not changed by the save.
TEST_F(SettingsFileTest, UnrepresentableTextsKeepTheOtherSlotsInPlace) {
    std::string breaks;
    for (int i = 0; i < 16379; ++i)
        breaks += "\r\n";
    const TextCase cases[] = {
        {"too long", std::string(32759, 'x'), std::string(32758, 'x')},
        {"longest line", std::string(32758, 'x'), std::string(32758, 'x')},
        {"break over the limit", std::string(32757, 'x') + "\r\n", std::string(32757, 'x')},
        {"break at the limit", std::string(32756, 'x') + "\r\n", std::string(32756, 'x') + "\r\n"},
        {"lone LF and CR", "a\nb\rc\r\r\nd\n\r", "a\r\nb\r\nc\r\n\r\nd\r\n\r\n"},
        {"lone LFs to the limit", std::string(32759, '\n'), breaks},
        {"typed BEL pair", "a\a\ab", "a\r\nb"},
        {"BEL before a break", "a\a\r\nb", "a\r\n\ab"},
        {"0x1A", "a\x1a\r\nb", "a\x1a\r\nb"},
    };
    for (const TextCase& c : cases) {
        SCOPED_TRACE(c.name);
        ResetState();
        LoadSettings();
        for (int slot = 0; slot < TEXT_SLOT_COUNT; ++slot)
            SetSlotText(slot, ("slot " + std::to_string(slot)).c_str());
        SetSlotText(SLOT_VREF, c.text.c_str());
        SetSlotText(19, c.text.c_str());
        StateCopy saved = CaptureState();
        Save();
        ExpectState(saved);
        std::string first = ReadBytes("Varnock.ini");
        saved.slots[5] = saved.slots[19] = c.loaded;
        ResetState();
        LoadSettings();
        ExpectState(saved);
        Save();
        EXPECT_TRUE(ReadBytes("Varnock.ini") == first);
    }
}

TEST_F(SettingsFileTest, FailedSaveLeavesTheOldFile) {
    LoadSettings();
    Save();
    const std::string old = ReadBytes("Varnock.ini");
    const int steps = SaveStepsTaken();
    EXPECT_GE(steps, 42 + 4); // creating, 42 lines, completing and replacing are all checked
    for (int step = 1; step <= steps; ++step) {
        SCOPED_TRACE(step);
        CallLog.clear();
        Settings[SETTING_MATCH_COUNT] = step;
        SetSlotText(SLOT_RESULT, "new result");
        FailSaveAtStep(step);
        Save();
        EXPECT_EQ(ReadBytes("Varnock.ini"), old);
        EXPECT_FALSE(fs::exists("Varnock.tmp"));
        EXPECT_FALSE(LastSaveSucceeded());
        EXPECT_EQ(CallLog, step == 1 ? "quit;" : "collect;rect;quit;");
    }
    FailSaveAtStep(0);
    Save();
    EXPECT_TRUE(LastSaveSucceeded());
    EXPECT_NE(ReadBytes("Varnock.ini"), old);
    // Real failures: the temporary name or the file itself taken by a folder.
    for (const char* blocked : {"Varnock.tmp", "Varnock.ini"}) {
        fs::remove("Varnock.ini");
        fs::create_directory(blocked);
        Save();
        EXPECT_FALSE(LastSaveSucceeded()) << blocked;
        EXPECT_TRUE(fs::is_directory(blocked));
        fs::remove(blocked);
    }
}

// The path is the current folder's; a path that does not fit is no path, and
// then nothing is written while the quit is still requested.
TEST_F(SettingsFileTest, PathThatDoesNotFitIsNoPath) {
    for (std::size_t length : {SETTINGS_PATH_SIZE - 1, SETTINGS_PATH_SIZE}) {
        fs::path deep = folder;
        std::size_t folderLength = length - std::string("/Varnock.exe").size();
        while (deep.string().size() + 200 < folderLength)
            deep /= std::string(150, 'd');
        deep /= std::string(folderLength - deep.string().size() - 1, 'e');
        fs::create_directories(deep);
        fs::current_path(deep);
        LoadSettings();
        bool fits = length < SETTINGS_PATH_SIZE;
        EXPECT_EQ(std::string(SettingsFilePath), fits ? (deep / "Varnock.ini").string() : "") << length;
        CallLog.clear();
        Save();
        EXPECT_EQ(fs::exists("Varnock.ini"), fits);
        EXPECT_EQ(CallLog, fits ? "collect;rect;quit;" : "quit;");
    }
    fs::path gone = folder / "gone";
    fs::create_directory(gone);
    fs::current_path(gone);
    fs::remove(gone);
    Settings[SETTING_LANGUAGE] = 7;
    LoadSettings();
    EXPECT_STREQ(SettingsFilePath, "");
    EXPECT_EQ(Settings[SETTING_LANGUAGE], 0);
}

// Any bytes load without overrun; what the file cannot reach stays default,
// and whatever was loaded saves and loads again to the same file.
TEST_F(SettingsFileTest, JunkLoadsSafely) {
    std::mt19937 random(1234);
    std::string binary(300000, '\0');
    for (char& byte : binary)
        byte = static_cast<char>(random() % 256);
    const LoadCase cases[] = {
        {"binary", binary, {}, {}},
        {"huge integer count",
         "2147483647\n" + Lines(std::vector<std::string>(30, "1")),
         std::vector<std::int32_t>(20, 1),
         {}},
        {"huge text count", Lines({"0", "99999999999999999999", "A"}), {}, {"A"}},
        {"negative counts", Lines({"-2147483648", "-99999999999", "x"}), {}, {}},
        {"100,000 digits, no line end", std::string(100000, '7'), {0, INT32_MAX, INT32_MAX}, {}},
        {"100,000-char text",
         Lines({"0", "3", std::string(100000, 'x'), "end"}),
         {},
         std::vector<std::string>(3, std::string(32759, 'x'))},
        {"only CRs", std::string(70000, '\r'), {}, {}},
        {"NUL bytes", std::string("2\n\0\0\n5\n1\n\0abc\n", 14), {0, 5}, {""}},
    };
    for (const LoadCase& c : cases) {
        SCOPED_TRACE(c.name);
        StateCopy expected = LoadFile(c.file);
        for (int slot = 0; slot < TEXT_SLOT_COUNT; ++slot)
            ASSERT_NE(std::memchr(TextSlots[slot], 0, TEXT_SLOT_SIZE), nullptr);
        EXPECT_TRUE(Settings[SETTING_LANGUAGE] == 0 || Settings[SETTING_LANGUAGE] == 1);
        if (c.file != binary) ExpectLoaded(expected, c);
        Save();
        std::string first = ReadBytes("Varnock.ini");
        ResetState();
        LoadSettings();
        Save();
        EXPECT_TRUE(ReadBytes("Varnock.ini") == first);
    }
    // A slot that lost its NUL is still saved within its bounds.
    std::memset(TextSlots[SLOT_VO_MIN], 'z', TEXT_SLOT_SIZE);
    Save();
    ResetState();
    LoadSettings();
    EXPECT_EQ(Slot(SLOT_VO_MIN), std::string(32758, 'z'));
}

} // namespace
