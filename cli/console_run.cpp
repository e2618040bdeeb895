// Steps of the console front end beyond the window's run: --print-list,
// --check, --tolerance and the output formats, and the check that everything
// printed reached its reader. Kept apart from main() so that each search form
// hands its records to the same writers.
#include "cli/console_run.h"

#include <cerrno>
#include <cstring>

#include "cli/terminal_text.h"
#include "cli/version.h"
#include "engine/check_combination.h"
#include "engine/search_params.h"
#include "state/app_state.h"

namespace {

int ClampedCount() {
    int count = Settings[SETTING_MATCH_COUNT];
    return count < 0 ? 0 : (count > MATCH_LIMIT ? MATCH_LIMIT : count);
}

} // namespace

char* ChosenListSlot(const char* option) {
    int choice = Settings[SETTING_LIST_CHOICE];
    if (choice >= 0 && choice < LIST_CHOICES) return TextSlots[SLOT_FIRST_LIST + choice];
    std::fprintf(stderr, "%s: the chosen list (%d) is none of the six; add --list\n", option, choice);
    return nullptr;
}

void PrintVersion() {
    std::printf("varnock-search (Varnock) %s\n", VARNOCK_VERSION);
}

bool PrintListText(const CliOptions& options) {
    const char* slot = ChosenListSlot("--print-list");
    if (slot != nullptr) WriteTerminalText(stdout, slot, options.utf8Output);
    return slot != nullptr;
}

bool ReadToleranceOption(const CliOptions& options, double* fraction) {
    *fraction = -1;
    if (options.tolerance == nullptr) return true;
    if (ReadPrecisionText(options.tolerance, fraction) && *fraction >= 0 && *fraction < 1) return true;
    std::fprintf(stderr,
                 "--tolerance '%s': give a percentage from 0 to below 100, as the precision (\"1%%\")\n",
                 options.tolerance);
    return false;
}

int RunCheck(const CliOptions& options, double tolerance) {
    if (!ParseSearchParams()) {
        WriteTerminalText(stdout, TextSlots[SLOT_STATUS], options.utf8Output);
        std::fputs(options.utf8Output ? "\n" : "\r\n", stdout);
        return 1;
    }
    static MatchRecord record;
    CombinationParts parts;
    char error[200];
    if (!CheckCombination(options.check[0], options.check[1], options.check[2], SearchParamsStore, record,
                          parts, error, sizeof error)) {
        std::fprintf(stderr, "--check: %s\n", error);
        return EXIT_BAD_OPTION;
    }
    ResultSet set{&record, nullptr, 1, nullptr, nullptr, &parts, &SearchParamsStore, tolerance};
    WriteResults(stdout, set, options.format, options.utf8Output);
    return 0;
}

void WriteSearchOutput(const CliOptions& options, double tolerance, RunOutcome outcome) {
    int count = outcome == RunOutcome::Searched ? PrintedRecords(MatchTable, ClampedCount()) : 0;
    ResultSet set{MatchTable,         nullptr,  count, TextSlots[SLOT_STATUS], &PartsListStore, nullptr,
                  &SearchParamsStore, tolerance};
    WriteResults(stdout, set, options.format, options.utf8Output);
}

int FinishOutput(int status) {
    if (std::fflush(stdout) == 0 && !std::ferror(stdout)) return status;
    if (errno != EPIPE)
        std::fprintf(stderr, "varnock-search: the output could not be written: %s\n", std::strerror(errno));
    return EXIT_OUTPUT_FAILED;
}
