// Varnock.ini: the whole of Settings and all text slots, loaded while the window
// is created and saved when it is destroyed (and, so that a killed process or an
// ended session loses nothing, before each search and when Windows ends the
// session). No failure here is ever shown:
// a missing file leaves the defaults, an unwritable one loses the changes.
#pragma once

#include <cstddef>
#include <cstdint>

#include "state/limits.h"

// Full path of Varnock.ini in the start-up directory; "" when it could not be
// formed (nothing is then read or written).
extern char SettingsFilePath[SETTINGS_PATH_SIZE];

// The window rectangle in screen pixels.
struct WindowRect {
    std::int32_t left, top, right, bottom;
};

// What the window shell supplies to the save. A front end without a window
// passes a collect that copies nothing and a rectangle reading that fails.
struct SaveOperations {
    void (*collectEditTexts)();
    bool (*readWindowRect)(WindowRect* rect);
    void (*postQuit)(); // requested in every case, also when nothing was written; null: no quit
};

// Forms SettingsFilePath and reads the file over the current state.
void LoadSettings();

// True when the last LoadSettings opened a file; false on a first start (no
// file, no path, or one that cannot be opened), where only defaults stand.
bool LastLoadReadFile();

// Writes the file (when SettingsFilePath is set), then requests the quit when
// postQuit is given. The slots are only read, so the window may save at any
// moment (before a search, at a session's end) and go on with what it holds.
void SaveSettings(const SaveOperations& operations);

// True when the last SaveSettings put a complete new file in place; false when
// nothing was written (no path, or a step failed and the old file was kept).
bool LastSaveSucceeded();

// Platform part: resolves `name` against the current directory into path
// (size bytes). Returns the length, or 0 on failure or when it does not fit.
std::size_t FullPathOf(const char* name, char* path, std::size_t size);
