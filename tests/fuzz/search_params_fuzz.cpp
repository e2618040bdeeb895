// Fuzz target: the six number fields and the DNM count as typed, one text per
// field (the input's NUL bytes separate them), then the design quantities.
// Checks what the later stages rely on: a clear status on every failure, SLOT_STATUS
// always terminated, the DNM minimum within 0..3 and the pre-filter window
// never wider than its bound.
#include <cmath>
#include <cstring>

#include "engine/engine_limits.h"
#include "engine/search_params.h"
#include "fuzz_support.h"

namespace {

const int FIELD_SLOTS[] = {SLOT_VI_MIN, SLOT_VI_MAX,    SLOT_VO_MIN,   SLOT_VO_MAX,
                           SLOT_VREF,   SLOT_PRECISION, SLOT_DNM_COUNT};

// A format error names the field: message 12, then as much of its text as fits.
void CheckFormatError() {
    const char* status = TextSlots[SLOT_STATUS];
    const char* message = MessageText(MSG_FORMAT_ERROR);
    std::size_t messageLength = std::strlen(message);
    FUZZ_CHECK(std::strncmp(status, message, messageLength) == 0);
    const char* field = status + messageLength;
    bool named = false;
    for (int slot : FIELD_SLOTS)
        named = named || std::strncmp(TextSlots[slot], field, std::strlen(field)) == 0;
    FUZZ_CHECK(named);
}

void CheckDesign() {
    const ShifterDesign& d = ShifterDesignStore;
    const char* status = TextSlots[SLOT_STATUS];
    if (!DeriveShifterDesign()) {
        FUZZ_CHECK(d.gain <= 1);
        FUZZ_CHECK(std::strncmp(status, "Range error = ", 14) == 0);
        FUZZ_CHECK(std::strlen(status) < RANGE_ERROR_SIZE);
        return;
    }
    FUZZ_CHECK(status[0] == '\0');
    FUZZ_CHECK(!(d.gain <= 1));
    FUZZ_CHECK(!(d.prefilterWindow > PREFILTER_WINDOW_MAX));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput input{data, size};
    Settings[SETTING_LANGUAGE] = SettingFromByte(input.TakeByte(), 2);
    for (int slot : FIELD_SLOTS)
        input.TakeText(TextSlots[slot], TEXT_SLOT_SIZE);
    TextSlots[SLOT_STATUS][0] = '\0';

    if (!ParseSearchParams()) {
        FUZZ_CHECK(SlotTerminated(SLOT_STATUS));
        CheckFormatError();
        return 0;
    }
    FUZZ_CHECK(TextSlots[SLOT_STATUS][0] == '\0');
    FUZZ_CHECK(SearchParamsStore.minDnm >= 0 && SearchParamsStore.minDnm <= 3);
    CheckDesign();
    FUZZ_CHECK(SlotTerminated(SLOT_STATUS));
    return 0;
}
