// --complete and --best N of varnock-search: the complete search, printed in
// full with its own status line.
#pragma once

#include "cli/options.h"

// Handles --complete, --best N and --best=N. Returns 1 when arg was one of
// them, 0 when it was not, -1 on a bad value (with a message on stderr).
int ApplyCompleteOption(const char* arg, int argc, char** argv, int* index, CliOptions& options);

// Runs the complete search on the current state, prints every kept match best
// first and the status line, and leaves the status in slot 9. Returns the exit
// status of the run: 0 when it searched, 1 on an input error.
int RunCompleteAndPrint(const CliOptions& options);
