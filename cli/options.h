// Command-line options of the console front end. Each option overrides one
// setting or one text slot exactly as the user would type it in the window.
#pragma once

#include "cli/result_writers.h"

struct CliOptions {
    bool utf8Output = true; // false: raw code page 932 bytes
    const char* listFile = nullptr;
    bool save = false; // write Varnock.ini after the run
    OutputFormat format = OutputFormat::Text;
    const char* check[3] = {nullptr, nullptr, nullptr}; // Ra, Rb, Rf pair texts
    const char* series = nullptr;                       // E3 ... E192
    const char* from = nullptr;                         // the range of values taken from the list
    const char* to = nullptr;
    bool printList = false;
    const char* tolerance = nullptr; // as typed, "1%"
    bool complete = false;           // the complete search instead of the window's
    int best = 1000;                 // matches the complete search prints
};

enum class OptionsResult { Run, Help, Version, Error };

// Applies argv[1..] to Settings and TextSlots (after the defaults and the
// settings file are in place). On an error a message is written to stderr.
OptionsResult ApplyOptions(int argc, char** argv, CliOptions& options);

// Reads the list file into the chosen list's slot, cut to the slot size.
// Returns false (with a message on stderr) when the file cannot be read.
bool LoadListFile(const char* path);

// The --list word of a list choice ("List1", "E24").
const char* ListChoiceName(int choice);

void PrintUsage(const char* program, bool toStderr);
