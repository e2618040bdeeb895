// Fuzz target: a resistor list of any bytes, as a user could paste it into a
// list edit (at most 32759 characters). The text is parsed from a buffer of its
// exact size, so AddressSanitizer sees any read past its NUL, and once more
// through the slot that a list choice names, including choices that only an
// edited settings file can hold.
#include <cmath>
#include <cstring>
#include <vector>

#include "engine/parts_list.h"
#include "fuzz_support.h"

namespace {

PartsList Parsed;

bool IsSentinel(const PartEntry& e) {
    return std::strcmp(e.name, "DNM") == 0 && e.value == DNM_VALUE && e.conductance == 0;
}

bool SameDouble(double a, double b) {
    return a == b || (std::isnan(a) && std::isnan(b));
}

// What a successful parse promises to the combination search.
void CheckList(const PartsList& list) {
    FUZZ_CHECK(list.count >= 2 && list.count <= PARTS_CAPACITY);
    bool sentinel = false;
    for (int i = 0; i < list.count; ++i) {
        const PartEntry& e = list.entries[i];
        FUZZ_CHECK(std::memchr(e.name, '\0', PART_NAME_SIZE) != nullptr);
        FUZZ_CHECK(std::strpbrk(e.name, "\r\n") == nullptr);
        FUZZ_CHECK(!(e.value < 0));
        if (i + 1 < list.count) FUZZ_CHECK(ComparePartsByValue(&e, &list.entries[i + 1]) <= 0);
        if (IsSentinel(e))
            sentinel = true;
        else
            FUZZ_CHECK(SameDouble(e.conductance, e.value == 0 ? DNM_VALUE : 1 / e.value));
    }
    // Only a list that filled every place may lack the open-circuit part.
    FUZZ_CHECK(sentinel || list.count == PARTS_CAPACITY);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static bool initialised = (InitDefaults(), true);
    (void)initialised;
    FuzzInput input{data, size};
    std::int32_t choice = SettingFromByte(input.TakeByte(), LIST_CHOICES);

    std::size_t length = input.size < TEXT_SLOT_SIZE - 1 ? input.size : TEXT_SLOT_SIZE - 1;
    std::vector<char> text(input.data, input.data + length);
    text.push_back('\0');
    if (ParsePartsText(text.data(), Parsed)) CheckList(Parsed);

    // The same text through the run's own entry, from the slot the choice names.
    int slot = SLOT_FIRST_LIST + (choice >= 0 && choice < LIST_CHOICES ? choice : 0);
    CopyText(TextSlots[slot], TEXT_SLOT_SIZE, text.data());
    Settings[SETTING_LIST_CHOICE] = choice;
    TextSlots[SLOT_STATUS][0] = '\0';
    if (ParsePartsList()) {
        CheckList(PartsListStore);
        FUZZ_CHECK(TextSlots[SLOT_STATUS][0] == '\0');
    } else {
        FUZZ_CHECK(std::strcmp(TextSlots[SLOT_STATUS], MessageText(MSG_STOCK_LIST_ERROR)) == 0);
    }
    return 0;
}
