// Varnock.ini: the whole of Settings and all text slots, saved when the window
// is destroyed and loaded while it is created. No failure here is ever shown:
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
    void (*postQuit)(); // requested in every case, also when nothing was written
};

// Forms SettingsFilePath and reads the file over the current state.
void LoadSettings();

// Writes the file (when SettingsFilePath is set), then requests the quit.
void SaveSettings(const SaveOperations& operations);

// True when the last SaveSettings put a complete new file in place; false when
// nothing was written (no path, or a step failed and the old file was kept).
bool LastSaveSucceeded();

// Platform part: resolves `name` against the current directory into path
// (size bytes). Returns the length, or 0 on failure or when it does not fit.
std::size_t FullPathOf(const char* name, char* path, std::size_t size);
