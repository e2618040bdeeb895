// varnock-search: the search engine without a window. Sets up the state as the
// window program does at its start, applies the options, runs one search and
// prints the result text and the status line.
#include <cstdio>

#include "cli/options.h"
#include "cli/terminal_text.h"
#include "engine/run_search.h"
#include "state/app_state.h"

namespace {

// The console has no result edit to refresh; the text is printed at the end.
void ShowNothing() {}

} // namespace

int main(int argc, char** argv) {
    InitDefaults();
    CliOptions options;
    OptionsResult parsed = ApplyOptions(argc, argv, options);
    if (parsed == OptionsResult::Help) {
        PrintUsage(argv[0], false);
        return 0;
    }
    if (parsed == OptionsResult::Error) {
        PrintUsage(argv[0], true);
        return 2;
    }
    if (options.listFile != nullptr && !LoadListFile(options.listFile)) return 2;

    RunOutcome outcome = RunSearch(ShowNothing);
    WriteTerminalText(stdout, TextSlots[SLOT_RESULT], options.utf8Output);
    WriteTerminalText(stdout, TextSlots[SLOT_STATUS], options.utf8Output);
    std::fputs(options.utf8Output ? "\n" : "\r\n", stdout);
    return outcome == RunOutcome::Searched ? 0 : 1;
}
