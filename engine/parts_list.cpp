// Second stage of a run: the chosen list text becomes the parts list. One value
// per line with an optional scale letter directly after the number; the whole
// line (23 bytes) is the part's label; a line starting with "-" or the end of
// the text appends the DNM sentinel; at most PARTS_CAPACITY entries.
#include "engine/parts_list.h"

#include <cstdlib>

#include "engine/run_search.h"
#include "engine/stable_sort.h"
#include "state/app_state.h"
#include "state/bounded_text.h"

PartsList PartsListStore;

namespace {

PartEntry SortScratch[PARTS_CAPACITY];

void AppendSentinel(PartsList& list) {
    PartEntry& entry = list.entries[list.count++];
    CopyText(entry.name, PART_NAME_SIZE, "DNM");
    entry.value = DNM_VALUE;
    entry.conductance = 0;
}

double ApplyScaleLetter(double value, char letter) {
    switch (letter) {
    case 'm':
        return value / 1000;
    case 'u':
        return value / 1000000;
    case 'k':
    case 'K':
        return value * 1000;
    case 'M':
        return value * 1000000;
    default:
        return value;
    }
}

// The label runs from the line's first character to its end, at most 23 bytes.
void CopyLineName(char* name, const char* line) {
    std::size_t length = 0;
    while (length < PART_NAME_SIZE - 1 && line[length] != '\0' && line[length] != '\n' &&
           line[length] != '\r')
        ++length;
    CopyTextPrefix(name, PART_NAME_SIZE, line, length);
}

} // namespace

double ReadPartValue(const char* text) {
    char* numberEnd = nullptr;
    double value = std::strtod(text, &numberEnd);
    return value < 0 ? value : ApplyScaleLetter(value, *numberEnd);
}

int ComparePartsByValue(const void* a, const void* b) {
    double x = static_cast<const PartEntry*>(a)->value;
    double y = static_cast<const PartEntry*>(b)->value;
    if (x < y) return -1;
    if (x > y) return 1;
    return 0;
}

bool ParsePartsText(const char* text, PartsList& list) {
    const char* pos = text;
    list.count = 0;
    while (list.count < PARTS_CAPACITY) {
        while (*pos == '\n')
            ++pos;
        if (*pos == '\0' || *pos == '-') {
            AppendSentinel(list);
            break;
        }
        // strtod skips leading white space, line breaks included, so a blank
        // line takes its value from the next line; the position does not follow.
        double value = ReadPartValue(pos);
        if (value < 0) return false;
        PartEntry& entry = list.entries[list.count];
        CopyLineName(entry.name, pos);
        while (*pos != '\0' && *pos != '\n')
            ++pos;
        entry.value = value;
        entry.conductance = value == 0 ? DNM_VALUE : 1 / value;
        ++list.count;
    }
    if (list.count < 2) return false;
    StableSort(list.entries, list.count, SortScratch, ComparePartsByValue);
    return true;
}

bool ParsePartsList() {
    int choice = Settings[SETTING_LIST_CHOICE];
    // A choice outside the six lists can only come from an edited settings file;
    // it is reported rather than guessed.
    bool parsed = choice >= 0 && choice < LIST_CHOICES &&
                  ParsePartsText(TextSlots[SLOT_FIRST_LIST + choice], PartsListStore);
    if (!parsed) SetStatusText(MessageText(MSG_STOCK_LIST_ERROR));
    return parsed;
}
