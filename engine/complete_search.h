// The complete search of the console's --complete: every combination of the
// list whose worst error is within the precision, without the pre-filters and
// without the MATCH_LIMIT stop, counted in full, with the best N kept in the
// order of the report. The window's search (RunSearch) is not changed by it.
#pragma once

#include <cstdint>

#include "engine/combination_search.h"
#include "engine/run_search.h"

struct CompleteTally {
    std::uint64_t total; // every accepted combination
    int kept;            // the best of them, at most the N asked for
};

// Searches parts for every accepted combination (series pairs only with
// includeSerial, the DNM minimum of params applied) and keeps the best
// `best` (1 .. BEST_LIMIT). Each double is the one SearchCombinations computes.
CompleteTally SearchComplete(const PartsList& parts, const SearchParams& params, bool includeSerial,
                             int best);

// The kept combination at rank (0 = best) of the last SearchComplete, as a
// full record: names copied, every value evaluated again by the same arithmetic.
void CompleteMatch(int rank, MatchRecord& record);

// The run sequence of RunSearch (same input checks and status texts) with
// SearchComplete in place of the window's search. It writes no report: the
// caller takes the records through CompleteMatch and writes the status.
RunOutcome RunCompleteSearch(int best, CompleteTally& tally);
