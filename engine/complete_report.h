// The complete search as the window reports it: the best MATCH_LIMIT records
// of the console's --complete, in its order, printed as the window's report
// prints its matches and within the same budget, and a status line that gives
// the total. Called by the window's system-menu command; Execute is unchanged.
#pragma once

#include "engine/complete_search.h"
#include "engine/run_search.h"

// The status of a complete search into SLOT_STATUS: message 6 when nothing
// matched, else the total and message 5, with a note naming `shown` when fewer
// lines were shown than matched.
void WriteCompleteStatus(const CompleteTally& tally, int shown);

// RunSearch's input stages, then SearchComplete keeping MATCH_LIMIT records,
// which go into MatchTable with their number in Settings[SETTING_MATCH_COUNT];
// the report into SLOT_RESULT (shown through showResultText) and the status.
RunOutcome RunCompleteReport(ShowResultTextFn showResultText);
