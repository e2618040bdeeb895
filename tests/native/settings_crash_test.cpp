// Varnock.ini when the save is cut short: at each step the test hook can fail,
// and for real: the process killed in the middle of writing (a file-size limit raises
// SIGXFSZ at the first write past it, which ends the process before any
// clean-up) and the disk refusing the data (the same limit with the signal
// ignored, so the write fails with EFBIG). At every cut the folder must hold
// the complete old file or the complete new one, and the next start must load
// one of the two states exactly.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "state/settings_file.h"
#include "state/settings_save_fault.h"
#include "test_support.h"

namespace fs = std::filesystem;

namespace {

// Exit codes of the saving child.
constexpr int CHILD_SAVED = 0;
constexpr int CHILD_SAVE_FAILED = 1;

void SaveQuietly() {
    SaveSettings(SaveOperations{nullptr, nullptr, nullptr});
}

// The state the tests save over an old file: long texts in several slots, so
// the new file spans many stdio buffers and the cuts fall inside lines.
void MakeNewState() {
    for (int slot = 0; slot < TEXT_SLOT_COUNT; ++slot) {
        std::string text = "new " + std::to_string(slot);
        for (int line = 0; line < 100 * (slot % 4); ++line)
            text += "\r\n" + std::to_string(line * 7919) + "k";
        SetSlotText(slot, text.c_str());
    }
    for (int i = 0; i < SETTINGS_COUNT; ++i)
        Settings[i] = 1000 * i - 7;
    Settings[SETTING_LANGUAGE] = 1;
}

// Saves in a child whose files may not grow past `limit` bytes. With the signal
// left at its default the child dies at the first write past the limit.
int SaveInChildWithLimit(rlim_t limit, bool ignoreSignal) {
    pid_t child = fork();
    if (child == 0) {
        if (ignoreSignal) std::signal(SIGXFSZ, SIG_IGN);
        rlimit size{limit, limit};
        if (setrlimit(RLIMIT_FSIZE, &size) != 0) _exit(99);
        SaveQuietly();
        _exit(LastSaveSucceeded() ? CHILD_SAVED : CHILD_SAVE_FAILED);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return status;
}

class SettingsCrashTest : public ScratchFolderTest {
  protected:
    void SetUp() override {
        ResetState();
        ScratchFolderTest::SetUp();
        if (HasFatalFailure()) return;
        // The old file: the defaults, saved by the program itself.
        LoadSettings();
        SaveQuietly();
        ASSERT_TRUE(LastSaveSucceeded());
        oldFile = ReadBytes("Varnock.ini");
        oldState = CaptureState();
        // The new file, once, to know its bytes; then the old one back in place.
        MakeNewState();
        newState = CaptureState();
        SaveQuietly();
        ASSERT_TRUE(LastSaveSucceeded());
        newFile = ReadBytes("Varnock.ini");
        ASSERT_GT(newFile.size(), 3 * 4096u);
        PutOldFileBack();
    }
    void PutOldFileBack() { std::ofstream("Varnock.ini", std::ios::binary) << oldFile; }

    // The file left in the folder is the old or the new one, whole, and the
    // next start loads exactly that state. Returns true for the new one.
    bool ExpectOldOrNew() {
        std::string file = ReadBytes("Varnock.ini");
        bool isNew = file == newFile;
        EXPECT_TRUE(isNew || file == oldFile) << "Varnock.ini has " << file.size() << " bytes, neither file";
        ResetState();
        LoadSettings();
        EXPECT_TRUE(CaptureState() == (isNew ? newState : oldState));
        MakeNewState();
        return isNew;
    }

    // Byte counts at which to cut the save: around every stdio buffer
    // boundary, a spread of others, and the whole file.
    std::vector<rlim_t> Cuts() const {
        std::vector<rlim_t> cuts = {0, 1};
        for (std::size_t at = 4096; at < newFile.size(); at += 4096)
            cuts.insert(cuts.end(), {at - 1, at, at + 1});
        for (std::size_t at = 777; at < newFile.size(); at += 2311)
            cuts.push_back(at);
        cuts.insert(cuts.end(), {newFile.size() - 1, newFile.size()});
        return cuts;
    }

    std::string oldFile, newFile;
    StateCopy oldState, newState;
};

TEST_F(SettingsCrashTest, KilledWhileWritingLeavesTheOldFile) {
    for (rlim_t cut : Cuts()) {
        SCOPED_TRACE("killed at byte " + std::to_string(cut));
        int status = SaveInChildWithLimit(cut, false);
        bool killed = WIFSIGNALED(status) && WTERMSIG(status) == SIGXFSZ;
        // Only a limit that holds the whole file lets the save finish.
        EXPECT_EQ(killed, cut < newFile.size());
        EXPECT_EQ(ExpectOldOrNew(), !killed);
        // The next save is not disturbed by the half-written temporary file.
        SaveQuietly();
        EXPECT_TRUE(LastSaveSucceeded());
        EXPECT_TRUE(ReadBytes("Varnock.ini") == newFile);
        EXPECT_FALSE(fs::exists("Varnock.tmp"));
        PutOldFileBack();
    }
}

TEST_F(SettingsCrashTest, RefusedWriteLeavesTheOldFile) {
    for (rlim_t cut : Cuts()) {
        SCOPED_TRACE("refused from byte " + std::to_string(cut));
        int status = SaveInChildWithLimit(cut, true);
        ASSERT_TRUE(WIFEXITED(status));
        bool saved = WEXITSTATUS(status) == CHILD_SAVED;
        EXPECT_EQ(saved, cut >= newFile.size());
        EXPECT_EQ(ExpectOldOrNew(), saved);
        EXPECT_FALSE(fs::exists("Varnock.tmp")) << "a failed save removes its temporary file";
        PutOldFileBack();
    }
}

} // namespace
