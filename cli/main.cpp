// varnock-search: the search engine without a window. Sets up the state as the
// window program does at its start (defaults, then Varnock.ini), applies the
// options, runs one search and prints the result text and the status line. With
// --save it writes the state back to Varnock.ini, as the window does at its end.
#include <cstdio>

#include "cli/complete_output.h"
#include "cli/options.h"
#include "cli/terminal_text.h"
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

// The search the window runs, printed as the window shows it.
int RunWindowSearch(const CliOptions& options) {
    RunOutcome outcome = RunSearch(ShowNothing);
    WriteTerminalText(stdout, TextSlots[SLOT_RESULT], options.utf8Output);
    WriteTerminalText(stdout, TextSlots[SLOT_STATUS], options.utf8Output);
    std::fputs(options.utf8Output ? "\n" : "\r\n", stdout);
    return outcome == RunOutcome::Searched ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    InitDefaults();
    LoadSettings();
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

    int status = options.complete ? RunCompleteAndPrint(options) : RunWindowSearch(options);
    if (options.save && !SaveState()) return EXIT_SAVE_FAILED;
    return status;
}
