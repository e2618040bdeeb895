// The complete search with the window's report. The records arrive best first
// in the complete search's own order (which also places NaN errors), so they
// are printed as they come: sorting them again by the report's comparison
// could move a NaN among the numbers and show an order the console never prints.
#include "engine/complete_report.h"

#include "engine/report.h"
#include "state/app_state.h"
#include "state/bounded_text.h"

namespace {

// Appended to message 5 when only the best of the matches are shown.
const char* const SHOWN_NOTE[] = {
    // 上位%d組のみ表示しました。
    "\x8f\xe3\x88\xca%d\x91\x67\x82\xcc\x82\xdd\x95\x5c\x8e\xa6\x82\xb5\x82\xdc\x82\xb5\x82\xbd\x81\x42",
    " Only the best %d are printed.",
};

} // namespace

void WriteCompleteStatus(const CompleteTally& tally, int shown) {
    char* status = TextSlots[SLOT_STATUS];
    if (tally.total == 0) {
        CopyText(status, TEXT_SLOT_SIZE, MessageText(MSG_NOT_FOUND));
        return;
    }
    FormatText(status, TEXT_SLOT_SIZE, "%llu%s", static_cast<unsigned long long>(tally.total),
               MessageText(MSG_SETS_FOUND));
    if (tally.total > static_cast<std::uint64_t>(shown)) {
        char note[128];
        FormatText(note, sizeof note, SHOWN_NOTE[LanguageIndex()], shown);
        AppendText(status, TEXT_SLOT_SIZE, note);
    }
}

RunOutcome RunCompleteReport(ShowResultTextFn showResultText) {
    // The result edit is emptied before the search, as RunSearch empties it.
    TextSlots[SLOT_RESULT][0] = '\0';
    showResultText();
    CompleteTally tally{};
    const RunOutcome outcome = RunCompleteSearch(MATCH_LIMIT, tally);
    if (outcome != RunOutcome::Searched) return outcome;
    for (int rank = 0; rank < tally.kept; ++rank)
        CompleteMatch(rank, MatchTable[rank]);
    Settings[SETTING_MATCH_COUNT] = tally.kept;
    const int shown = WriteReportLines(tally.kept);
    showResultText();
    WriteCompleteStatus(tally, shown);
    return outcome;
}
