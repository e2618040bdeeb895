// IEC 60063 series for the console's --series. The E192 decade holds the E96
// (every second value) and the E48 (every fourth), as the standard builds them;
// its 920, where rounding 10^(185/192) would give 919, is the standard's own.
// Each value is written as the default lists write theirs and kept when the
// list parser reads its text within the range, so the range means what it says.
#include "cli/series_table.h"

#include <cmath>
#include <cstring>
#include <iterator>

#include "engine/parts_list.h"
#include "state/bounded_text.h"

namespace {

// clang-format off
const short E192_DECADE[] = {
    100, 101, 102, 104, 105, 106, 107, 109, 110, 111, 113, 114, 115, 117, 118, 120,
    121, 123, 124, 126, 127, 129, 130, 132, 133, 135, 137, 138, 140, 142, 143, 145,
    147, 149, 150, 152, 154, 156, 158, 160, 162, 164, 165, 167, 169, 172, 174, 176,
    178, 180, 182, 184, 187, 189, 191, 193, 196, 198, 200, 203, 205, 208, 210, 213,
    215, 218, 221, 223, 226, 229, 232, 234, 237, 240, 243, 246, 249, 252, 255, 258,
    261, 264, 267, 271, 274, 277, 280, 284, 287, 291, 294, 298, 301, 305, 309, 312,
    316, 320, 324, 328, 332, 336, 340, 344, 348, 352, 357, 361, 365, 370, 374, 379,
    383, 388, 392, 397, 402, 407, 412, 417, 422, 427, 432, 437, 442, 448, 453, 459,
    464, 470, 475, 481, 487, 493, 499, 505, 511, 517, 523, 530, 536, 542, 549, 556,
    562, 569, 576, 583, 590, 597, 604, 612, 619, 626, 634, 642, 649, 657, 665, 673,
    681, 690, 698, 706, 715, 723, 732, 741, 750, 759, 768, 777, 787, 796, 806, 816,
    825, 835, 845, 856, 866, 876, 887, 898, 909, 920, 931, 942, 953, 965, 976, 988,
};
// clang-format on
static_assert(std::size(E192_DECADE) == 192, "one E192 decade");

// The three significant digits m times 10^exponent ohms, in the lists' style:
// plain below 1k, then "k", from 1M on "M", trailing zeros of a fraction dropped.
void FormatSeriesValue(char* out, std::size_t size, int m, int exponent) {
    // m has three digits, so the value's magnitude is 10^(exponent + 2).
    int magnitude = exponent + 2;
    int unitExponent = magnitude >= 6 ? 6 : (magnitude >= 3 ? 3 : 0);
    const char* suffix = unitExponent == 6 ? "M" : (unitExponent == 3 ? "k" : "");
    int shift = exponent - unitExponent; // value in units = m * 10^shift
    char digits[64];
    if (shift >= 0) {
        int length = FormatText(digits, sizeof digits, "%d", m);
        for (int i = 0; i < shift && length + 1 < static_cast<int>(sizeof digits); ++i)
            digits[length++] = '0';
        digits[length] = '\0';
    } else {
        // At least one digit before the point: "0.102" for 0.102 ohms.
        char mantissa[16];
        int length = FormatText(mantissa, sizeof mantissa, "%0*d", -shift + 1 > 3 ? -shift + 1 : 3, m);
        int whole = length + shift;
        length = FormatText(digits, sizeof digits, "%.*s.%s", whole, mantissa, mantissa + whole);
        while (digits[length - 1] == '0')
            digits[--length] = '\0';
        if (digits[length - 1] == '.') digits[--length] = '\0';
    }
    FormatText(out, size, "%s%s", digits, suffix);
}

// Lowest and highest range ends: they keep every written value within a few
// dozen characters; a list past them is refused by its length anyway.
constexpr double SERIES_LOWEST = 0.01;
constexpr double SERIES_HIGHEST = 1e12;

// Reads a range end as a list value.
bool ReadRangeEnd(const char* option, const char* text, double* value, char* error, std::size_t errorSize) {
    *value = ReadPartValue(text);
    if (*value >= SERIES_LOWEST && *value <= SERIES_HIGHEST) return true;
    FormatText(error, errorSize,
               "%s '%s': give a value from 0.01 to 1000000M, as in a list (\"10\", \"4.7k\", \"1M\")", option,
               text);
    return false;
}

} // namespace

const short* SeriesDecade(const char* name, int* count, int* step) {
    const char* const NAMES[] = {"E192", "E96", "E48"};
    for (int i = 0; i < static_cast<int>(std::size(NAMES)); ++i) {
        if (std::strcmp(name, NAMES[i]) != 0) continue;
        *step = 1 << i;
        *count = 192 / *step;
        return E192_DECADE;
    }
    return nullptr;
}

bool WriteSeriesList(const char* name, const char* fromText, const char* toText, int maxValues, char* list,
                     std::size_t size, char* error, std::size_t errorSize) {
    int count = 0, step = 1;
    const short* decade = SeriesDecade(name, &count, &step);
    if (decade == nullptr) {
        FormatText(error, errorSize, "--series '%s': choose E48, E96 or E192", name);
        return false;
    }
    double from = 0, to = 0;
    if (!ReadRangeEnd("--from", fromText, &from, error, errorSize) ||
        !ReadRangeEnd("--to", toText, &to, error, errorSize))
        return false;
    if (to < from) {
        FormatText(error, errorSize, "--to %s is below --from %s", toText, fromText);
        return false;
    }
    list[0] = '\0';
    int written = 0;
    // From the decade below `from` (whose values may still read as `from`) up
    // to the first value that reads above `to`.
    for (int exponent = static_cast<int>(std::floor(std::log10(from))) - 3;; ++exponent) {
        for (int i = 0; i < 192; i += step) {
            char text[64];
            FormatSeriesValue(text, sizeof text, decade[i], exponent);
            double value = ReadPartValue(text);
            if (value > to) return true;
            if (value < from) continue;
            if (++written > maxValues) {
                FormatText(error, errorSize,
                           "--series %s from %s to %s gives more than %d values, more than a list holds; "
                           "narrow the range",
                           name, fromText, toText, maxValues);
                return false;
            }
            AppendText(list, size, text);
            AppendText(list, size, "\r\n");
        }
    }
}
