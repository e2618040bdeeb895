// The engine's single entry: one search run from the text slots to the report.
// Callers also get what a run leaves behind: MatchTable and its ordering.
#pragma once

#include "engine/report.h"

// How a run ended. The window ignores it (the status text says it all); the
// console front end turns it into its exit status.
enum class RunOutcome {
    Searched,   // the search ran: found sets, none, or stopped at a limit
    InputError, // format, parameter, list, configuration or range error
};

// The one operation the engine needs from its front end: show SLOT_RESULT (the
// result text). A console or a test may pass one that does nothing.
using ShowResultTextFn = void (*)();

// Runs the whole sequence. showResultText puts SLOT_RESULT into the result display;
// it may be a function that does nothing.
RunOutcome RunSearch(ShowResultTextFn showResultText);

// The stages before the search: parameters, ranges, parts list, configuration
// and design, each writing its status into SLOT_STATUS on failure.
// Returns true when the search may run.
bool RunInputStages();
