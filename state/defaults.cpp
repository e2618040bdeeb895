// Default texts of the parameter edits and the six resistor lists. The series
// lists are generated from their decade tables rather than spelled out, so a
// typo cannot slip into one of 400 lines; tests check counts and chosen lines.
#include <algorithm>
#include <cstdio>
#include <iterator>

#include "state/app_state.h"
#include "state/bounded_text.h"

namespace {

const int E24_DECADE[] = {10, 11, 12, 13, 15, 16, 18, 20, 22, 24, 27, 30,
                          33, 36, 39, 43, 47, 51, 56, 62, 68, 75, 82, 91};
const int E12_DECADE[] = {10, 12, 15, 18, 22, 27, 33, 39, 47, 56, 68, 82};
const int E6_DECADE[] = {10, 15, 22, 33, 47, 68};
const int LIST3_DECADE[] = {10, 12, 15, 18, 20, 24, 30, 36, 43, 51, 62, 75};
// List3 has always written these whole values with one decimal ("2.0k", "3.0M").
const long LIST3_ONE_DECIMAL[] = {2000, 3000, 2000000, 3000000};

// List2 is a hand-picked stock list; "4,7" with its comma is kept on purpose
// (the list parser reads it as 4 ohms).
const char* const LIST2_LINES[] = {
    "1",    "4,7",  "10",   "22",   "33",   "47",   "51",   "68",   "75",   "100",  "120",  "150",
    "180",  "200",  "220",  "240",  "300",  "330",  "390",  "470",  "510",  "680",  "1k",   "1.2k",
    "1.5k", "1.8k", "2k",   "2.2k", "2.4k", "2.7k", "3k",   "3.3k", "3.9k", "4.7k", "5.1k", "6.8k",
    "7.5k", "10k",  "12k",  "15k",  "18k",  "20k",  "22k",  "24k",  "27k",  "30k",  "33k",  "47k",
    "56k",  "68k",  "100k", "150k", "200k", "300k", "470k", "1M"};
static_assert(std::size(LIST2_LINES) == 56, "List2 has 56 lines");

// Writes ohms in the list style: plain below 1000, else kilo or mega ohms in
// the shortest decimal form ("1.1k", "910k", "2.2M"). With oneDecimal a whole
// kilo or mega value keeps one decimal ("2.0k"), as List3 writes 2k, 3k, 2M, 3M.
void FormatOhms(char* out, std::size_t size, long ohms, bool oneDecimal) {
    if (ohms < 1000) {
        FormatText(out, size, "%ld", ohms);
        return;
    }
    long unit = ohms < 1000000 ? 1000 : 1000000;
    char suffix = unit == 1000 ? 'k' : 'M';
    long whole = ohms / unit;
    long rest = ohms % unit;
    if (rest == 0) {
        FormatText(out, size, oneDecimal ? "%ld.0%c" : "%ld%c", whole, suffix);
        return;
    }
    char digits[16];
    int length = FormatText(digits, sizeof digits, unit == 1000 ? "%03ld" : "%06ld", rest);
    while (length > 0 && digits[length - 1] == '0')
        digits[--length] = '\0';
    FormatText(out, size, "%ld.%s%c", whole, digits, suffix);
}

void AppendLine(int slot, const char* line) {
    AppendText(TextSlots[slot], TEXT_SLOT_SIZE, line);
    AppendText(TextSlots[slot], TEXT_SLOT_SIZE, "\r\n");
}

void AppendValue(int slot, long ohms, bool oneDecimal) {
    char line[32];
    FormatOhms(line, sizeof line, ohms, oneDecimal);
    AppendLine(slot, line);
}

// Every decade value times 10^k for `decades` decades starting at firstScale;
// the values in oneDecimal (none when it is null) keep one decimal.
template <std::size_t N>
void AppendSeries(int slot, const int (&decade)[N], long firstScale, int decades,
                  const long (*oneDecimal)[4] = nullptr) {
    long scale = firstScale;
    for (int d = 0; d < decades; ++d, scale *= 10) {
        for (int base : decade) {
            long ohms = base * scale / 10;
            bool keepDecimal =
                oneDecimal != nullptr &&
                std::find(std::begin(*oneDecimal), std::end(*oneDecimal), ohms) != std::end(*oneDecimal);
            AppendValue(slot, ohms, keepDecimal);
        }
    }
}

} // namespace

void InitDefaults() {
    SetSlotText(0, "");
    SetSlotText(SLOT_VI_MIN, "0.6");
    SetSlotText(SLOT_VI_MAX, "3.0");
    SetSlotText(SLOT_VO_MIN, "0.1");
    SetSlotText(SLOT_VO_MAX, "3.2");
    SetSlotText(SLOT_VREF, "3.3");
    SetSlotText(SLOT_PRECISION, "0.01%");
    for (int slot = SLOT_FIRST_LIST; slot < SLOT_FIRST_LIST + LIST_CHOICES; ++slot)
        SetSlotText(slot, "");

    // List1: E24 from 100 to 910k, then 1M.
    AppendSeries(SLOT_FIRST_LIST, E24_DECADE, 100, 4);
    AppendLine(SLOT_FIRST_LIST, "1M");
    for (const char* line : LIST2_LINES)
        AppendLine(SLOT_FIRST_LIST + 1, line);
    AppendSeries(SLOT_FIRST_LIST + 2, LIST3_DECADE, 10, 6, &LIST3_ONE_DECIMAL);
    // E24, E12, E6: six decades from 10, then 10M.
    AppendSeries(SLOT_FIRST_LIST + 3, E24_DECADE, 10, 6);
    AppendLine(SLOT_FIRST_LIST + 3, "10M");
    AppendSeries(SLOT_FIRST_LIST + 4, E12_DECADE, 10, 6);
    AppendLine(SLOT_FIRST_LIST + 4, "10M");
    AppendSeries(SLOT_FIRST_LIST + 5, E6_DECADE, 10, 6);
    AppendLine(SLOT_FIRST_LIST + 5, "10M");
}
