// Second stage of a run: the chosen list text becomes the parts list. One value
// per line with an optional scale letter directly after the number, or the
// letter in place of the decimal point ("4k7"); the whole line (23 bytes) is the
// part's label; blank lines are skipped; a line starting with "-" or the end of
// the text appends the DNM sentinel; at most PARTS_CAPACITY entries.
#include "engine/parts_list.h"

#include <cstdlib>
#include <cstring>

#include "engine/stable_sort.h"
#include "state/app_state.h"
#include "state/bounded_text.h"

PartsList PartsListStore;

namespace {

PartEntry SortScratch[PARTS_CAPACITY];
// "4k7" rewritten as "4.7": a line of one slot always fits, so the rewritten
// number is read with every digit, exactly as the typed "4.7k" would be.
char RkmScratch[TEXT_SLOT_SIZE];

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

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The white space strtod skips, LF aside (it ends a line).
bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

// Skips empty lines and lines of only white space: in CR LF text such a line
// would hand strtod the next line's number, and at the end give a nameless
// 0-ohm part. Returns the first line with something on it, or the text's end.
const char* SkipBlankLines(const char* pos) {
    for (;;) {
        const char* p = pos;
        while (IsBlank(*p))
            ++p;
        if (*p != '\n') return *p == '\0' ? p : pos;
        pos = p + 1;
    }
}

// Reads the line's number; *letter is the character that scales it. RKM
// notation, digits only, a scale letter or R/r, then digits ("4k7", "2R2"),
// reads as "4.7" with the letter as its scale, so it gives exactly the double
// that "4.7k" gives. Anything else is read plainly by strtod.
double ReadNumber(const char* pos, const char** letter) {
    char* end = nullptr;
    double value = std::strtod(pos, &end);
    *letter = end;
    const char* digits = pos;
    while (IsBlank(*digits))
        ++digits;
    if (end == digits || std::strchr("mukKMRr", *end) == nullptr || *end == '\0' || !IsDigit(end[1]))
        return value;
    for (const char* p = digits; p < end; ++p)
        if (!IsDigit(*p)) return value;
    std::size_t n = 0;
    for (const char* p = digits; (p <= end || IsDigit(*p)) && n + 1 < sizeof RkmScratch; ++p)
        RkmScratch[n++] = p == end ? '.' : *p;
    RkmScratch[n] = '\0';
    return std::strtod(RkmScratch, nullptr);
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
    const char* letter = nullptr;
    double value = ReadNumber(text, &letter);
    return value < 0 ? value : ApplyScaleLetter(value, *letter);
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
        pos = SkipBlankLines(pos);
        if (*pos == '\0' || *pos == '-') {
            AppendSentinel(list);
            break;
        }
        // Blank lines are gone, so the white space strtod skips stays on this line.
        const char* letter = nullptr;
        double value = ReadNumber(pos, &letter);
        if (value < 0) return false;
        value = ApplyScaleLetter(value, *letter);
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
