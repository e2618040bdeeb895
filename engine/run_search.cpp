// The run sequence: each stage either hands on to the next or writes its one
// status text into SLOT_STATUS and ends the run. Called by the window's Execute
// command and by the console front end; it reads Settings and TextSlots and
// writes only SLOT_RESULT, SLOT_STATUS and the match count.
#include "engine/run_search.h"

#include "engine/combination_search.h"
#include "engine/parts_list.h"
#include "engine/report.h"
#include "engine/search_params.h"
#include "state/app_state.h"

namespace {

// Both ranges must run upwards; equal bounds are allowed.
bool CheckRanges() {
    const SearchParams& p = SearchParamsStore;
    if (p.viMax < p.viMin || p.voMax < p.voMin) {
        SetStatusText(MessageText(MSG_PARAMETER_ERROR));
        return false;
    }
    return true;
}

// Only configuration [a] exists; the others are reserved.
bool CheckConfiguration() {
    if (Settings[SETTING_CONFIGURATION] != 0) {
        SetStatusText(MessageText(MSG_NOT_RELEASED));
        return false;
    }
    return true;
}

} // namespace

bool RunInputStages() {
    return ParseSearchParams() && CheckRanges() && ParsePartsList() && CheckConfiguration() &&
           DeriveShifterDesign();
}

RunOutcome RunSearch(ShowResultTextFn showResultText) {
    TextSlots[SLOT_RESULT][0] = '\0';
    TextSlots[SLOT_STATUS][0] = '\0';
    showResultText();
    if (!RunInputStages()) return RunOutcome::InputError;
    SearchCombinations(PartsListStore, SearchParamsStore, ShifterDesignStore,
                       Settings[SETTING_INCLUDE_SERIAL] == 1);
    FormatReport(showResultText);
    return RunOutcome::Searched;
}
