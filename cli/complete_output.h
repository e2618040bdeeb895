// --complete and --best N of varnock-search: the complete search, printed in
// full with its own status line.
#pragma once

#include "cli/options.h"
#include "engine/run_search.h"

// Handles --complete, --best N and --best=N. Returns 1 when arg was one of
// them, 0 when it was not, -1 on a bad value (with a message on stderr).
int ApplyCompleteOption(const char* arg, int argc, char** argv, int* index, CliOptions& options);

// Runs the complete search on the current state, writes every kept match best
// first and the status line in the chosen format (with the tolerance spread
// when tolerance is not negative), and leaves the status in SLOT_STATUS.
RunOutcome RunCompleteOutput(const CliOptions& options, double tolerance);
