// varnock-search: the search engine without a window. Sets up the state as the
// window program does at its start (defaults, then Varnock.ini), applies the
// options, runs one search and prints the result text and the status line. With
// --save it writes the state back to Varnock.ini, as the window does at its end.
#include <cstdio>

#include "cli/complete_output.h"
#include "cli/console_run.h"
#include "cli/list_range.h"
#include "cli/options.h"
#include "engine/run_search.h"
#include "state/app_state.h"
#include "state/settings_file.h"

namespace {

// The console has no result edit to refresh; the text is printed at the end.
void ShowNothing() {}

// Without a window there are no edits to collect, no rectangle to read (the
// saved one is kept) and no message loop to end.
void CollectNothing() {}
bool NoWindowRect(WindowRect*) {
    return false;
}
void NoQuit() {}

// Exit status of a run whose search ran but whose --save failed.
constexpr int EXIT_SAVE_FAILED = 3;

// Saves the state after the run; the old file is kept when this fails.
bool SaveState() {
    SaveSettings(SaveOperations{CollectNothing, NoWindowRect, NoQuit});
    if (LastSaveSucceeded()) return true;
    if (SettingsFilePath[0] == '\0')
        std::fprintf(stderr,
                     "--save: the full path of Varnock.ini could not be formed; nothing was written\n");
    else
        std::fprintf(stderr, "--save: could not write '%s'; the old file is unchanged\n", SettingsFilePath);
    return false;
}

} // namespace

int main(int argc, char** argv) {
    InitDefaults();
    LoadSettings();
    CliOptions options;
    OptionsResult parsed = ApplyOptions(argc, argv, options);
    if (parsed == OptionsResult::Help) {
        PrintUsage(argv[0], false);
        return FinishOutput(0);
    }
    if (parsed == OptionsResult::Version) {
        PrintVersion();
        return FinishOutput(0);
    }
    if (parsed == OptionsResult::Error) {
        PrintUsage(argv[0], true);
        return EXIT_BAD_OPTION;
    }
    if (options.listFile != nullptr && !LoadListFile(options.listFile)) return EXIT_BAD_OPTION;
    double tolerance = -1;
    if (!ApplyListRange(options) || !ReadToleranceOption(options, &tolerance)) return EXIT_BAD_OPTION;
    if (options.printList) return FinishOutput(PrintListText(options) ? 0 : EXIT_BAD_OPTION);
    if (options.check[0] != nullptr) return FinishOutput(RunCheck(options, tolerance));

    RunOutcome outcome;
    if (options.complete) {
        outcome = RunCompleteOutput(options, tolerance);
    } else {
        outcome = RunSearch(ShowNothing);
        WriteSearchOutput(options, tolerance, outcome);
    }
    int status = FinishOutput(outcome == RunOutcome::Searched ? 0 : 1);
    if (options.save) {
        // A range narrows this run's search, not the list the user keeps.
        RestoreListBeforeRange();
        if (!SaveState()) return EXIT_SAVE_FAILED;
    }
    return status;
}
