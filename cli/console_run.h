// The console's steps around the engine's run: the chosen list, the printed
// list text, the check of a given combination, the output of a search in the chosen format
// and the final flush of standard output. main() calls them in turn.
#pragma once

#include "cli/options.h"
#include "engine/run_search.h"

// Exit status when the output could not be written (a full disk, a closed pipe).
constexpr int EXIT_OUTPUT_FAILED = 4;
// Exit status of a bad option or option value.
constexpr int EXIT_BAD_OPTION = 2;

void PrintVersion();

// The text slot of the chosen list, or nullptr (with a message on stderr naming
// option) when the choice is none of the six.
char* ChosenListSlot(const char* option);

// Writes the list text the search would use, converted like the report. False
// (message on stderr) when the chosen list is none of the six.
bool PrintListText(const CliOptions& options);

// Reads --tolerance into *fraction (negative when not given). False (message
// on stderr) when it cannot be read or is not below 100 %.
bool ReadToleranceOption(const CliOptions& options, double* fraction);

// --check: evaluates the three pairs at the parsed parameters and writes the
// record. Returns the exit status.
int RunCheck(const CliOptions& options, double tolerance);

// Writes the outcome of RunSearch in the chosen format.
void WriteSearchOutput(const CliOptions& options, double tolerance, RunOutcome outcome);

// Flushes standard output. Returns status, or EXIT_OUTPUT_FAILED after a
// message on stderr when the output could not be written. A reader that closed
// the pipe gets no message: it has seen what it wanted.
int FinishOutput(int status);
