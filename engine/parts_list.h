// The stock list of one run: the chosen list text parsed into parts, with the
// DNM sentinel, sorted by ascending value.
#pragma once

#include <cstdint>

#include "engine/engine_limits.h"

struct PartEntry {
    char name[PART_NAME_SIZE];
    double value;       // ohms
    double conductance; // 1 / value; DNM_VALUE for 0 ohms; 0 for the sentinel
};

struct PartsList {
    PartEntry entries[PARTS_CAPACITY];
    std::int32_t count;
};

extern PartsList PartsListStore;

// -1, 0 or +1 by value; 0 for equal values and whenever a value is NaN.
int ComparePartsByValue(const void* a, const void* b);

// The value of one list line in ohms, read as the list parser reads it: the
// number (white space before it skipped) and a scale letter directly after it.
// A negative number is returned unscaled (the caller rejects it).
double ReadPartValue(const char* text);

// Parses the list chosen by Settings[SETTING_LIST_CHOICE] into PartsListStore and sorts it.
// On a negative value, too few entries or a choice outside the six lists,
// writes MSG_STOCK_LIST_ERROR into SLOT_STATUS and returns false.
bool ParsePartsList();

// The parser itself, over any text: used by ParsePartsList and by tests.
bool ParsePartsText(const char* text, PartsList& list);
