// IEC 60063 series for the console's --series. The E192 decade holds the E96
// (every second value) and the E48 (every fourth), as the standard builds them;
// its 920, where rounding 10^(185/192) would give 919, is the standard's own.
// The E24 decade holds the E12, E6 and E3 the same way, with the standard's
// historic two-digit values (27, 33, 47, not the rounded 26, 32, 46). Each value
// is written as the default lists write theirs and kept when the list parser
// reads its text within the range, so the range means what it says.
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
const short E24_DECADE[] = {
    100, 110, 120, 130, 150, 160, 180, 200, 220, 240, 270, 300,
    330, 360, 390, 430, 470, 510, 560, 620, 680, 750, 820, 910,
};
// clang-format on
constexpr int E192_SIZE = static_cast<int>(std::size(E192_DECADE));
constexpr int E24_SIZE = static_cast<int>(std::size(E24_DECADE));
static_assert(E192_SIZE == 192 && E24_SIZE == 24, "one decade of each");

// Each series takes every step-th value of the decade that holds it.
struct Series {
    const char* name;
    const short* decade;
    int decadeSize;
    int step;
};
const Series SERIES[] = {
    {"E3", E24_DECADE, E24_SIZE, 8},     {"E6", E24_DECADE, E24_SIZE, 4},
    {"E12", E24_DECADE, E24_SIZE, 2},    {"E24", E24_DECADE, E24_SIZE, 1},
    {"E48", E192_DECADE, E192_SIZE, 4},  {"E96", E192_DECADE, E192_SIZE, 2},
    {"E192", E192_DECADE, E192_SIZE, 1},
};

const Series* FindSeries(const char* name) {
    for (const Series& series : SERIES)
        if (std::strcmp(series.name, name) == 0) return &series;
    return nullptr;
}

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

} // namespace

const short* SeriesDecade(const char* name, int* count, int* step) {
    const Series* series = FindSeries(name);
    if (series == nullptr) return nullptr;
    *step = series->step;
    *count = series->decadeSize / series->step;
    return series->decade;
}

int WriteSeriesList(const char* name, double from, double to, int maxValues, char* list, std::size_t size) {
    const Series* series = FindSeries(name);
    list[0] = '\0';
    if (series == nullptr || !(from <= to)) return 0;
    int written = 0;
    // From the decade below `from` (whose values may still read as `from`) up
    // to the first value that reads above `to`.
    for (int exponent = static_cast<int>(std::floor(std::log10(from))) - 3;; ++exponent) {
        for (int i = 0; i < series->decadeSize; i += series->step) {
            char text[64];
            FormatSeriesValue(text, sizeof text, series->decade[i], exponent);
            double value = ReadPartValue(text);
            if (value > to) return written;
            if (value < from) continue;
            if (++written > maxValues) return -1;
            AppendText(list, size, text);
            AppendText(list, size, "\r\n");
        }
    }
}
