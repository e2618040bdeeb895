// Storage of the settings and text slots, and the language rule used by every
// lookup of a bilingual text. Both stores live for the whole process; the
// settings file and the window copy into them, the engine reads and writes them.
#include "state/app_state.h"

#include "state/bounded_text.h"

std::int32_t Settings[SETTINGS_COUNT];
char TextSlots[TEXT_SLOT_COUNT][TEXT_SLOT_SIZE];

void SetSlotText(int slot, const char* text) {
    if (slot < 0 || slot >= TEXT_SLOT_COUNT) return;
    CopyText(TextSlots[slot], TEXT_SLOT_SIZE, text);
}

void SetStatusText(const char* text, const char* detail) {
    CopyText(TextSlots[SLOT_STATUS], TEXT_SLOT_SIZE, text);
    AppendText(TextSlots[SLOT_STATUS], TEXT_SLOT_SIZE, detail);
}

int LanguageIndex() {
    return Settings[SETTING_LANGUAGE] == 1 ? 1 : 0;
}
