// The console side of the complete search: its options, one line per kept
// match in the report's format (no character budget, every line is printed)
// and the status line, which gives the total number of matches and says when
// more of them exist than were printed. The records go to the writers of every
// format one at a time, so up to a million lines need no memory of their own.
#include "cli/complete_output.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "cli/result_writers.h"
#include "engine/best_selection.h"
#include "engine/complete_report.h"
#include "engine/parts_list.h"
#include "engine/search_params.h"
#include "state/app_state.h"
#include "state/bounded_text.h"

namespace {

// A whole decimal number from 1 to BEST_LIMIT, nothing else.
bool ParseBest(const char* text, int* best) {
    if (text == nullptr || *text < '0' || *text > '9') return false;
    char* end = nullptr;
    long value = std::strtol(text, &end, 10);
    if (*end != '\0' || value < 1 || value > BEST_LIMIT) return false;
    *best = static_cast<int>(value);
    return true;
}

} // namespace

int ApplyCompleteOption(const char* arg, int argc, char** argv, int* index, CliOptions& options) {
    if (std::strcmp(arg, "--complete") == 0) {
        options.complete = true;
        return 1;
    }
    const char* value = nullptr;
    if (std::strncmp(arg, "--best=", 7) == 0)
        value = arg + 7;
    else if (std::strcmp(arg, "--best") == 0)
        value = *index + 1 < argc ? argv[++*index] : nullptr;
    else
        return 0;
    if (!ParseBest(value, &options.best)) {
        std::fprintf(stderr, "--best needs a whole number from 1 to %d\n", BEST_LIMIT);
        return -1;
    }
    options.complete = true; // only the complete search has a best N to choose
    return 1;
}

RunOutcome RunCompleteOutput(const CliOptions& options, double tolerance) {
    CompleteTally tally{};
    RunOutcome outcome = RunCompleteSearch(options.best, tally);
    int count = 0;
    if (outcome == RunOutcome::Searched) {
        WriteCompleteStatus(tally, tally.kept);
        count = tally.kept;
    }
    ResultSet set{nullptr, CompleteMatch,      count,    TextSlots[SLOT_STATUS], &PartsListStore,
                  nullptr, &SearchParamsStore, tolerance};
    WriteResults(stdout, set, options.format, options.utf8Output);
    return outcome;
}
