// Fuzz target: a whole search run on a fuzzed state, as the Execute command
// starts it: any language, configuration, list choice, include-serial value and
// previous match count, the seven typed fields and a short resistor list. The
// list is kept short (12 lines, 8 with series pairs) so that one run stays far
// below a second; the checks are those the window relies on when it shows
// slot 8 and paints slot 9, and that the run found exactly what the literal
// enumeration finds on the same parts and design.
#include <cstring>
#include <initializer_list>

#include "engine/combination_search.h"
#include "engine/combination_search_literal.h"
#include "engine/run_search.h"
#include "engine/stable_sort.h"
#include "fuzz_support.h"

namespace {

constexpr int LINES_PARALLEL_ONLY = 12;
constexpr int LINES_WITH_SERIES = 8;

const int FIELD_SLOTS[] = {SLOT_VI_MIN, SLOT_VI_MAX,    SLOT_VO_MIN,   SLOT_VO_MAX,
                           SLOT_VREF,   SLOT_PRECISION, SLOT_DNM_COUNT};

int ShowCalls;
void CountShow() {
    ++ShowCalls;
}

// Cuts text after its `lines`-th LF: each list entry starts a line, so the
// list then has at most `lines` values and the sentinel.
void KeepLines(char* text, int lines) {
    for (char* p = text; *p != '\0'; ++p)
        if (*p == '\n' && --lines == 0) {
            p[1] = '\0';
            return;
        }
}

// The records the report printed: sorted, complete, within the run's rules.
void CheckRecords(int count, bool includeSerial) {
    for (int i = 0; i < count; ++i) {
        const MatchRecord& r = MatchTable[i];
        for (const char* name : {r.raName1, r.raName2, r.rfName1, r.rfName2, r.rbName1, r.rbName2})
            FUZZ_CHECK(std::memchr(name, '\0', PART_NAME_SIZE) != nullptr);
        FUZZ_CHECK(r.topology >= 0 && r.topology <= 7);
        FUZZ_CHECK(includeSerial || r.topology == 0);
        FUZZ_CHECK(r.dnmCount >= SearchParamsStore.minDnm && r.dnmCount <= 3);
        FUZZ_CHECK(!(r.worstErr > SearchParamsStore.precision));
        if (i + 1 < count) FUZZ_CHECK(CompareMatches(&r, &MatchTable[i + 1]) <= 0);
    }
}

MatchRecord Reported[MATCH_LIMIT];
MatchRecord SortScratch[MATCH_LIMIT];

bool SameBits(double a, double b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

bool SameRecord(const MatchRecord& a, const MatchRecord& b) {
    return std::strcmp(a.raName1, b.raName1) == 0 && std::strcmp(a.raName2, b.raName2) == 0 &&
           std::strcmp(a.rfName1, b.rfName1) == 0 && std::strcmp(a.rfName2, b.rfName2) == 0 &&
           std::strcmp(a.rbName1, b.rbName1) == 0 && std::strcmp(a.rbName2, b.rbName2) == 0 &&
           a.topology == b.topology && a.dnmCount == b.dnmCount && SameBits(a.reqOhms, b.reqOhms) &&
           SameBits(a.voAtViMin, b.voAtViMin) && SameBits(a.errAtViMinPct, b.errAtViMinPct) &&
           SameBits(a.voAtViMax, b.voAtViMax) && SameBits(a.errAtViMaxPct, b.errAtViMaxPct) &&
           SameBits(a.worstErr, b.worstErr);
}

// Whatever search the run used must store what the literal enumeration
// stores, bit for bit, and the same first MATCH_LIMIT records when it stops.
void CheckAgainstLiteralSearch(int count, bool includeSerial) {
    std::memcpy(Reported, MatchTable, sizeof(MatchRecord) * static_cast<std::size_t>(count));
    int literal =
        SearchCombinationsLiteral(PartsListStore, SearchParamsStore, ShifterDesignStore, includeSerial);
    FUZZ_CHECK(literal == count);
    StableSort(MatchTable, literal, SortScratch, CompareMatches);
    for (int i = 0; i < count; ++i)
        FUZZ_CHECK(SameRecord(Reported[i], MatchTable[i]));
}

// The status names the outcome, and the report agrees with it.
void CheckReport(int count) {
    const char* report = TextSlots[SLOT_RESULT];
    const char* status = TextSlots[SLOT_STATUS];
    FUZZ_CHECK(LinesEndWithCrLf(report));
    FUZZ_CHECK(std::strlen(report) <= static_cast<std::size_t>(REPORT_BUDGET));
    int lines = 0;
    for (const char* p = report; (p = std::strchr(p, '\n')) != nullptr; ++p)
        ++lines;
    FUZZ_CHECK(lines <= count);
    if (std::strcmp(status, MessageText(MSG_TOO_MANY)) == 0) {
        FUZZ_CHECK(count == MATCH_LIMIT || lines < count);
    } else if (std::strcmp(status, MessageText(MSG_NOT_FOUND)) == 0) {
        FUZZ_CHECK(count == 0 && lines == 0);
    } else {
        char expected[64];
        FormatText(expected, sizeof expected, "%d%s", count, MessageText(MSG_SETS_FOUND));
        FUZZ_CHECK(std::strcmp(status, expected) == 0);
        FUZZ_CHECK(lines == count);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static bool initialised = (InitDefaults(), true);
    (void)initialised;
    FuzzInput input{data, size};
    Settings[SETTING_LANGUAGE] = SettingFromByte(input.TakeByte(), 2);
    Settings[SETTING_CONFIGURATION] = SettingFromByte(input.TakeByte(), 1);
    Settings[SETTING_LIST_CHOICE] = SettingFromByte(input.TakeByte(), LIST_CHOICES);
    Settings[SETTING_INCLUDE_SERIAL] = SettingFromByte(input.TakeByte(), 2);
    std::int32_t previousCount = SettingFromByte(input.TakeByte(), MATCH_LIMIT + 1);
    Settings[SETTING_MATCH_COUNT] = previousCount;
    for (int slot : FIELD_SLOTS)
        input.TakeText(TextSlots[slot], TEXT_SLOT_SIZE);
    std::int32_t choice = Settings[SETTING_LIST_CHOICE];
    char* list = TextSlots[SLOT_FIRST_LIST + (choice >= 0 && choice < LIST_CHOICES ? choice : 0)];
    input.TakeText(list, TEXT_SLOT_SIZE);
    bool includeSerial = Settings[SETTING_INCLUDE_SERIAL] == 1;
    KeepLines(list, includeSerial ? LINES_WITH_SERIES : LINES_PARALLEL_ONLY);
    SetSlotText(SLOT_RESULT, "left over from the last run");

    ShowCalls = 0;
    RunOutcome outcome = RunSearch(CountShow);
    FUZZ_CHECK(SlotTerminated(SLOT_RESULT) && SlotTerminated(SLOT_STATUS));
    FUZZ_CHECK(TextSlots[SLOT_STATUS][0] != '\0');
    if (outcome == RunOutcome::InputError) {
        FUZZ_CHECK(TextSlots[SLOT_RESULT][0] == '\0');
        FUZZ_CHECK(Settings[SETTING_MATCH_COUNT] == previousCount);
        FUZZ_CHECK(ShowCalls == 1);
        return 0;
    }
    int count = Settings[SETTING_MATCH_COUNT];
    FUZZ_CHECK(count >= 0 && count <= MATCH_LIMIT);
    FUZZ_CHECK(ShowCalls == 2);
    CheckRecords(count, includeSerial);
    CheckReport(count);
    CheckAgainstLiteralSearch(count, includeSerial);
    return 0;
}
