// Loading and saving of Varnock.ini. LoadSettings runs once while the main window
// is created; SaveSettings when it is destroyed, before each search and when the
// session ends (the console front end loads and saves around its run). The file
// is read in binary and split into lines here, so the same bytes load the same
// way on every platform, and every text that the program holds survives a save
// without moving any other slot. A save only reads the slots.
#include "state/settings_file.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "state/app_state.h"
#include "state/bounded_text.h"
#include "state/settings_platform.h"
#include "state/settings_save_fault.h"

char SettingsFilePath[SETTINGS_PATH_SIZE];

namespace {

const char RESOLVED_EXTENSION[] = "exe";
const char SETTINGS_EXTENSION[] = "ini";
// Written next to Varnock.ini first; same length, so it always fits the buffer.
const char TEMPORARY_EXTENSION[] = "tmp";

// A line of the file as the reader takes it: at most TEXT_SLOT_SIZE - 1
// characters including its line feed. A longer line goes on as the next line.
constexpr std::size_t LINE_READ_LIMIT = TEXT_SLOT_SIZE - 1;
// The longest text line that is written, so that it and its line feed fit one
// read; a longer text is cut here rather than spilling into the next slot.
constexpr std::size_t SAVED_TEXT_LIMIT = LINE_READ_LIMIT - 1;
// Every count a saved file announces.
constexpr int SAVED_COUNT = 20;
static_assert(SAVED_COUNT == SETTINGS_COUNT && SAVED_COUNT == TEXT_SLOT_COUNT,
              "one line per setting and slot");

// A line break inside a text is written as two of these.
constexpr char BEL = '\a';

// One buffer for the name being resolved, each line read and each line written.
char LineBuffer[TEXT_SLOT_SIZE];
static_assert(SAVED_TEXT_LIMIT + 2 <= sizeof LineBuffer, "a written text line and its CR LF fit");

// Path of the temporary file of a save, and whether the last save completed.
char TemporaryPath[SETTINGS_PATH_SIZE];
bool LastSaveComplete = false;
// Whether the last load found a file to read (a first start finds none).
bool LastLoadOpened = false;

// The test hook: the step to fail (0 none) and the steps the current save took.
int FailingStep = 0;
int StepsTaken = 0;

// Forms SettingsFilePath: Varnock.exe resolved against the current directory,
// then "exe" replaced by "ini". Any failure, including a full path that does not
// fit the buffer, leaves "" so that nothing is read or written in this run.
void FormSettingsPath() {
    FormatText(LineBuffer, sizeof LineBuffer, "%s.%s", PROGRAM_NAME, RESOLVED_EXTENSION);
    std::size_t length = FullPathOf(LineBuffer, SettingsFilePath, SETTINGS_PATH_SIZE);
    const std::size_t extension = sizeof RESOLVED_EXTENSION - 1;
    // The answer names the resolved file, so it ends in ".exe"; anything else is
    // taken as a failure rather than guessed at.
    if (length <= extension || length >= SETTINGS_PATH_SIZE ||
        SettingsFilePath[length - extension - 1] != '.') {
        SettingsFilePath[0] = '\0';
        return;
    }
    SettingsFilePath[length - extension] = '\0';
    AppendText(SettingsFilePath, SETTINGS_PATH_SIZE, SETTINGS_EXTENSION);
}

// ---- Loading --------------------------------------------------------------

// Reads one line into LineBuffer as fgets would read a file opened as text on
// Windows, but alike on every platform: CR LF arrives as one line feed, a lone
// CR and the byte 0x1A are ordinary characters. False when the file ended (or
// failed) before any character.
bool ReadLine(std::FILE* file) {
    std::size_t length = 0;
    while (length < LINE_READ_LIMIT) {
        int c = std::getc(file);
        if (c == EOF) break;
        if (c == '\r') {
            int next = std::getc(file);
            if (next == '\n')
                c = '\n';
            else if (next != EOF)
                std::ungetc(next, file);
        }
        LineBuffer[length++] = static_cast<char>(c);
        if (c == '\n') break;
    }
    LineBuffer[length] = '\0';
    return length > 0;
}

// The integer of the line as strtol reads it, held to the 32-bit range.
std::int32_t LineValue() {
    long value = std::strtol(LineBuffer, nullptr, 10);
    if (value > INT32_MAX) return INT32_MAX;
    if (value < INT32_MIN) return INT32_MIN;
    return static_cast<std::int32_t>(value);
}

// Puts the text line into a slot: its line feed removed (only when it ends in
// one: a hand-edited last line without it keeps its last character), each pair
// of BELs turned back into CR LF, scanning on behind the pair.
void StoreTextLine(int slot) {
    std::size_t length = std::strlen(LineBuffer);
    if (length > 0 && LineBuffer[length - 1] == '\n') LineBuffer[--length] = '\0';
    for (std::size_t i = 0; i + 1 < length; ++i) {
        if (LineBuffer[i] == BEL && LineBuffer[i + 1] == BEL) {
            LineBuffer[i] = '\r';
            LineBuffer[++i] = '\n';
        }
    }
    SetSlotText(slot, LineBuffer);
}

// Reads the count line and the integer lines. False when the file ended first:
// then no text line is read and no list is migrated.
bool ReadIntegerLines(std::FILE* file) {
    if (!ReadLine(file)) return false;
    std::int32_t count = LineValue();
    for (std::int32_t i = 0; i < count; ++i) {
        if (!ReadLine(file)) return false;
        if (i < SETTINGS_COUNT) Settings[i] = LineValue();
    }
    return true;
}

// Reads the count line and the text lines, then moves the list of an old file
// (whose count was 7 to 10, announced rather than present) into List1.
void ReadTextLines(std::FILE* file) {
    if (!ReadLine(file)) return;
    std::int32_t count = LineValue();
    for (std::int32_t i = 0; i < count; ++i) {
        if (!ReadLine(file)) break;
        if (i < TEXT_SLOT_COUNT) StoreTextLine(i);
    }
    if (count >= 7 && count <= 10) SetSlotText(SLOT_FIRST_LIST, TextSlots[SLOT_LEGACY_LIST]);
}

// Only 0 (Japanese) and 1 (English) are languages; anything else read from an
// edited file becomes 0, so the language button always has a valid value to flip.
void ClampLanguage() {
    if (Settings[SETTING_LANGUAGE] < 0 || Settings[SETTING_LANGUAGE] > 1) Settings[SETTING_LANGUAGE] = 0;
}

// ---- Saving ---------------------------------------------------------------

// Counts one checked step of the save; true when the test hook makes it fail.
bool InjectedFault() {
    return ++StepsTaken == FailingStep;
}

bool WriteBytes(std::FILE* file, const char* bytes, std::size_t length) {
    return !InjectedFault() && std::fwrite(bytes, 1, length, file) == length;
}

bool WriteInteger(std::FILE* file, std::int32_t value) {
    int length = FormatText(LineBuffer, sizeof LineBuffer, "%d\r\n", static_cast<int>(value));
    return length > 0 && WriteBytes(file, LineBuffer, static_cast<std::size_t>(length));
}

// Builds the file line of a text in LineBuffer and returns its length. Every
// line break, whether CR LF or a lone CR or LF, becomes BEL BEL, so the text
// takes exactly one line and loads back with CR LF breaks; other bytes (BELs
// and 0x1A included) are kept. The text is cut to SAVED_TEXT_LIMIT characters,
// never inside a break. The slot itself is left as it is.
std::size_t EncodeTextLine(const char* text) {
    std::size_t out = 0;
    for (std::size_t in = 0; in < TEXT_SLOT_SIZE && text[in] != '\0'; ++in) {
        char c = text[in];
        bool lineBreak = c == '\r' || c == '\n';
        if (c == '\r' && in + 1 < TEXT_SLOT_SIZE && text[in + 1] == '\n') ++in;
        std::size_t width = lineBreak ? 2 : 1;
        if (out + width > SAVED_TEXT_LIMIT) break;
        if (lineBreak) {
            LineBuffer[out++] = BEL;
            LineBuffer[out++] = BEL;
        } else {
            LineBuffer[out++] = c;
        }
    }
    LineBuffer[out++] = '\r';
    LineBuffer[out++] = '\n';
    return out;
}

// Writes the 42 lines: count, settings, count, texts, each ended by CR LF.
bool WriteContent(std::FILE* file) {
    if (!WriteInteger(file, SAVED_COUNT)) return false;
    for (int i = 0; i < SAVED_COUNT; ++i)
        if (!WriteInteger(file, Settings[i])) return false;
    if (!WriteInteger(file, SAVED_COUNT)) return false;
    for (int slot = 0; slot < SAVED_COUNT; ++slot)
        if (!WriteBytes(file, LineBuffer, EncodeTextLine(TextSlots[slot]))) return false;
    return true;
}

// Completes the temporary file: every byte flushed, on the disk and closed.
// The file is closed in every case.
bool FinishFile(std::FILE* file) {
    bool ok = !InjectedFault() && std::fflush(file) == 0 && std::ferror(file) == 0;
    ok = ok && !InjectedFault() && FlushFileToDisk(file);
    bool closeFaulted = InjectedFault();
    return std::fclose(file) == 0 && ok && !closeFaulted;
}

// Takes the window's state into the stores: the edit texts, and the window
// rectangle when it can be read (otherwise the saved edges stay as they are).
void CollectState(const SaveOperations& operations) {
    if (operations.collectEditTexts != nullptr) operations.collectEditTexts();
    WindowRect rect{};
    if (operations.readWindowRect != nullptr && operations.readWindowRect(&rect)) {
        Settings[SETTING_WINDOW_LEFT] = rect.left;
        Settings[SETTING_WINDOW_TOP] = rect.top;
        Settings[SETTING_WINDOW_RIGHT] = rect.right;
        Settings[SETTING_WINDOW_BOTTOM] = rect.bottom;
    }
}

// Writes the new file beside the old one and puts it in its place only when it
// is complete; on any failure the temporary file goes and the old file stays.
bool WriteSettingsFile(const SaveOperations& operations) {
    std::size_t length = CopyText(TemporaryPath, sizeof TemporaryPath, SettingsFilePath);
    if (length < sizeof SETTINGS_EXTENSION) return false;
    CopyText(TemporaryPath + length - (sizeof SETTINGS_EXTENSION - 1), sizeof TEMPORARY_EXTENSION,
             TEMPORARY_EXTENSION);

    std::FILE* file = InjectedFault() ? nullptr : std::fopen(TemporaryPath, "wb");
    if (file == nullptr) return false;
    CollectState(operations);
    bool complete = WriteContent(file);
    complete = FinishFile(file) && complete;
    complete = complete && !InjectedFault() && ReplaceWithFile(TemporaryPath, SettingsFilePath);
    if (!complete) std::remove(TemporaryPath);
    return complete;
}

} // namespace

void LoadSettings() {
    FormSettingsPath();
    std::FILE* file = SettingsFilePath[0] != '\0' ? std::fopen(SettingsFilePath, "rb") : nullptr;
    LastLoadOpened = file != nullptr;
    if (file != nullptr) {
        if (ReadIntegerLines(file)) ReadTextLines(file);
        std::fclose(file);
    }
    ClampLanguage();
}

void SaveSettings(const SaveOperations& operations) {
    StepsTaken = 0;
    LastSaveComplete = SettingsFilePath[0] != '\0' && WriteSettingsFile(operations);
    if (operations.postQuit != nullptr) operations.postQuit();
}

bool LastLoadReadFile() {
    return LastLoadOpened;
}

bool LastSaveSucceeded() {
    return LastSaveComplete;
}

void FailSaveAtStep(int step) {
    FailingStep = step;
}

int SaveStepsTaken() {
    return StepsTaken;
}
