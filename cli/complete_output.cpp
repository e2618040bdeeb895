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
#include "engine/complete_search.h"
#include "engine/parts_list.h"
#include "engine/search_params.h"
#include "state/app_state.h"
#include "state/bounded_text.h"

namespace {

// Appended to message 5 when only the best of the matches are printed.
const char* const PRINTED_NOTE[] = {
    // 上位%d組のみ表示しました。
    "\x8f\xe3\x88\xca%d\x91\x67\x82\xcc\x82\xdd\x95\x5c\x8e\xa6\x82\xb5\x82\xdc\x82\xb5\x82\xbd\x81\x42",
    " Only the best %d are printed.",
};

// A whole decimal number from 1 to BEST_LIMIT, nothing else.
bool ParseBest(const char* text, int* best) {
    if (text == nullptr || *text < '0' || *text > '9') return false;
    char* end = nullptr;
    long value = std::strtol(text, &end, 10);
    if (*end != '\0' || value < 1 || value > BEST_LIMIT) return false;
    *best = static_cast<int>(value);
    return true;
}

void WriteCompleteStatus(const CompleteTally& tally) {
    char* status = TextSlots[SLOT_STATUS];
    if (tally.total == 0) {
        CopyText(status, TEXT_SLOT_SIZE, MessageText(MSG_NOT_FOUND));
        return;
    }
    FormatText(status, TEXT_SLOT_SIZE, "%llu%s", static_cast<unsigned long long>(tally.total),
               MessageText(MSG_SETS_FOUND));
    if (tally.total > static_cast<std::uint64_t>(tally.kept)) {
        char note[128];
        FormatText(note, sizeof note, PRINTED_NOTE[LanguageIndex()], tally.kept);
        AppendText(status, TEXT_SLOT_SIZE, note);
    }
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
        WriteCompleteStatus(tally);
        count = tally.kept;
    }
    ResultSet set{nullptr, CompleteMatch, count, TextSlots[SLOT_STATUS], &PartsListStore, nullptr,
                  &SearchParamsStore, tolerance};
    WriteResults(stdout, set, options.format, options.utf8Output);
    return outcome;
}
