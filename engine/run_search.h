// The engine's single entry: one search run from the text slots to the report.
#pragma once

#include "engine/report.h"

// How a run ended. The window ignores it (the status text says it all); the
// console front end turns it into its exit status.
enum class RunOutcome {
    Searched,   // the search ran: found sets, none, or stopped at a limit
    InputError, // format, parameter, list, configuration or range error
};

// Runs the whole sequence. showResultText puts slot 8 into the result display;
// it may be a function that does nothing.
RunOutcome RunSearch(ShowResultTextFn showResultText);

// The stages before the search: parameters, ranges, parts list, configuration
// and design, each writing its status into slot 9 on failure.
// Returns true when the search may run.
bool RunInputStages();

// Replaces the status line (slot 9).
void SetStatusText(const char* text);
