// Fuzz target: Varnock.ini of any bytes, as a user could leave it after editing
// it by hand. The bytes are written to Varnock.ini in a private folder (on
// tmpfs when there is one, so the save's fsync costs nothing) and loaded over
// the defaults. Then the state is saved and loaded twice: whatever the first
// file held, the file the program writes must load back into the same state
// and save as the same bytes.
#include <unistd.h>

#include <cstring>
#include <string>

#include "fuzz_support.h"
#include "state/settings_file.h"

namespace {

struct SavedState {
    std::int32_t settings[SETTINGS_COUNT];
    char slots[TEXT_SLOT_COUNT][TEXT_SLOT_SIZE];
};
SavedState AfterFirstSave;

char Folder[] = "/dev/shm/varnock-fuzz-XXXXXX";
char FallbackFolder[] = "/tmp/varnock-fuzz-XXXXXX";
char* UsedFolder = Folder;

// The folder goes when the fuzzer ends; a crash leaves it for a look.
void RemovePrivateFolder() {
    std::remove("Varnock.ini");
    std::remove("Varnock.tmp");
    if (chdir("/") == 0) rmdir(UsedFolder);
}

void EnterPrivateFolder() {
    if (access("/dev/shm", W_OK) != 0) UsedFolder = FallbackFolder;
    FUZZ_CHECK(mkdtemp(UsedFolder) != nullptr);
    FUZZ_CHECK(chdir(UsedFolder) == 0);
    std::atexit(RemovePrivateFolder);
}

void WriteFile(const char* name, const std::uint8_t* data, std::size_t size) {
    std::FILE* file = std::fopen(name, "wb");
    FUZZ_CHECK(file != nullptr);
    FUZZ_CHECK(std::fwrite(data, 1, size, file) == size);
    FUZZ_CHECK(std::fclose(file) == 0);
}

std::string ReadFile(const char* name) {
    std::string bytes;
    std::FILE* file = std::fopen(name, "rb");
    FUZZ_CHECK(file != nullptr);
    char chunk[65536];
    for (std::size_t n; (n = std::fread(chunk, 1, sizeof chunk, file)) > 0;)
        bytes.append(chunk, n);
    std::fclose(file);
    return bytes;
}

// Empty slots rather than the defaults: the saved files then hold only what the
// input put there, which keeps each run short (the defaults' list texts would
// be written and read four times per run).
void Reset() {
    std::memset(Settings, 0, sizeof Settings);
    for (int slot = 0; slot < TEXT_SLOT_COUNT; ++slot)
        TextSlots[slot][0] = '\0';
}

void CheckLoadedState() {
    FUZZ_CHECK(Settings[SETTING_LANGUAGE] == 0 || Settings[SETTING_LANGUAGE] == 1);
    for (int slot = 0; slot < TEXT_SLOT_COUNT; ++slot)
        FUZZ_CHECK(SlotTerminated(slot));
}

// A text the line format carries unchanged: line breaks only as CR LF pairs,
// no BEL (two of them read back as a line break) and short enough for one line.
bool Representable(const char* text) {
    std::size_t length = std::strlen(text);
    if (length > TEXT_SLOT_SIZE - 2) return false;
    for (std::size_t i = 0; i < length; ++i) {
        if (text[i] == '\a' || (text[i] == '\n' && (i == 0 || text[i - 1] != '\r'))) return false;
        if (text[i] == '\r' && text[i + 1] != '\n') return false;
    }
    return true;
}

void Save() {
    SaveSettings(SaveOperations{nullptr, nullptr, nullptr});
    FUZZ_CHECK(LastSaveSucceeded());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static bool initialised = (EnterPrivateFolder(), true);
    (void)initialised;
    WriteFile("Varnock.ini", data, size);
    Reset();
    LoadSettings();
    CheckLoadedState();

    Save();
    std::string firstFile = ReadFile("Varnock.ini");
    std::memcpy(AfterFirstSave.settings, Settings, sizeof Settings);
    std::memcpy(AfterFirstSave.slots, TextSlots, sizeof TextSlots);

    Reset();
    LoadSettings();
    CheckLoadedState();
    FUZZ_CHECK(std::memcmp(AfterFirstSave.settings, Settings, sizeof Settings) == 0);
    for (int slot = 0; slot < TEXT_SLOT_COUNT; ++slot)
        if (Representable(AfterFirstSave.slots[slot]))
            FUZZ_CHECK(std::strcmp(AfterFirstSave.slots[slot], TextSlots[slot]) == 0);
    Save();
    FUZZ_CHECK(ReadFile("Varnock.ini") == firstFile);
    return 0;
}
