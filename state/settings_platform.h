// The platform steps of the settings file besides the path (FullPathOf, declared
// in settings_file.h): pushing a written file to the disk and putting it in the
// place of the old one. One file per platform implements them, so the rest of
// the settings file builds and is tested without any window system.
#pragma once

#include <cstdio>

// Asks the system to write the file's data to the disk; false when it cannot.
bool FlushFileToDisk(std::FILE* file);

// Replaces `target` by `temporary` in one step, so a reader sees either the old
// file or the complete new one. False when the old file could not be replaced.
bool ReplaceWithFile(const char* temporary, const char* target);
