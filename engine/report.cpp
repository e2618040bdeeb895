// Last stage of a run: the stored matches are ordered best first and printed
// one line each into the result slot until REPORT_BUDGET characters are spent,
// then the status line is written in the current language. Pairs are printed
// in the order Ra, Rb, Rf although records store them as Ra, Rf, Rb.
#include "engine/report.h"

#include <cmath>
#include <cstring>
#include <iterator>

#include "engine/stable_sort.h"
#include "state/app_state.h"
#include "state/bounded_text.h"

namespace {

// One format per TopologyMask; the series joint "+" sits where a bit is set
// (bit 2 Ra, bit 0 Rb, bit 1 Rf).
const char* const LINE_FORMATS[] = {
    /* 0 */ "%s//%s, %s//%s, %s//%s, %.4f%%, %.4f%%, %.0f\r\n",
    /* 1 */ "%s//%s, %s+%s, %s//%s, %.4f%%, %.4f%%, %.0f\r\n",
    /* 2 */ "%s//%s, %s//%s, %s+%s, %.4f%%, %.4f%%, %.0f\r\n",
    /* 3 */ "%s//%s, %s+%s, %s+%s, %.4f%%, %.4f%%, %.0f\r\n",
    /* 4 */ "%s+%s, %s//%s, %s//%s, %.4f%%, %.4f%%, %.0f\r\n",
    /* 5 */ "%s+%s, %s+%s, %s//%s, %.4f%%, %.4f%%, %.0f\r\n",
    /* 6 */ "%s+%s, %s//%s, %s+%s, %.4f%%, %.4f%%, %.0f\r\n",
    /* 7 */ "%s+%s, %s+%s, %s+%s, %.4f%%, %.4f%%, %.0f\r\n",
};
static_assert(std::size(LINE_FORMATS) == 8, "one format per topology");

MatchRecord SortScratch[MATCH_LIMIT];

int CompareNames(const char* a, const char* b) {
    int order = std::strcmp(a, b);
    return order < 0 ? -1 : (order > 0 ? 1 : 0);
}

void WriteStatus(int count, bool overBudget) {
    if (count >= MATCH_LIMIT || overBudget) {
        SetStatusText(MessageText(MSG_TOO_MANY));
    } else if (count == 0) {
        SetStatusText(MessageText(MSG_NOT_FOUND));
    } else {
        char number[16]; // an int in decimal, its sign and the NUL
        FormatText(number, sizeof number, "%d", count);
        SetStatusText(number, MessageText(MSG_SETS_FOUND));
    }
}

} // namespace

// C runtimes disagree on the sign of a printed NaN ("-nan" against "nan");
// printing its magnitude gives the same text on all of them.
double Printable(double value) {
    return std::isnan(value) ? std::fabs(value) : value;
}

int CompareMatches(const void* pa, const void* pb) {
    const MatchRecord& a = *static_cast<const MatchRecord*>(pa);
    const MatchRecord& b = *static_cast<const MatchRecord*>(pb);
    if (a.dnmCount != b.dnmCount) return b.dnmCount - a.dnmCount;
    if (b.worstErr > a.worstErr) return -1;
    if (b.worstErr < a.worstErr) return 1;
    const char* const namesA[] = {a.raName1, a.raName2, a.rfName1, a.rfName2, a.rbName1, a.rbName2};
    const char* const namesB[] = {b.raName1, b.raName2, b.rfName1, b.rfName2, b.rbName1, b.rbName2};
    for (std::size_t i = 0; i < std::size(namesA); ++i) {
        int order = CompareNames(namesA[i], namesB[i]);
        if (order != 0) return order;
    }
    return 0;
}

std::size_t FormatMatchLine(const MatchRecord& r, char* line, std::size_t size) {
    const char* format = LINE_FORMATS[static_cast<unsigned>(r.topology) & 7u];
    int length =
        FormatText(line, size, format, r.raName1, r.raName2, r.rbName1, r.rbName2, r.rfName1, r.rfName2,
                   Printable(r.errAtViMinPct), Printable(r.errAtViMaxPct), Printable(r.reqOhms));
    if (length >= 0 && static_cast<std::size_t>(length) < size) return static_cast<std::size_t>(length);
    // Only values of extreme magnitude make a line this long; it is cut but
    // keeps its line end, so the report stays one match per line.
    if (size < 3) return 0;
    std::size_t cut = size - 1;
    line[cut - 2] = '\r';
    line[cut - 1] = '\n';
    line[cut] = '\0';
    return cut;
}

int WriteReportLines(int count) {
    // Each line is copied to where the last one ended instead of looking for
    // the end of the text again.
    char* result = TextSlots[SLOT_RESULT];
    result[0] = '\0';
    std::size_t used = 0;
    char line[REPORT_LINE_SIZE];
    for (int i = 0; i < count; ++i) {
        std::size_t length = FormatMatchLine(MatchTable[i], line, sizeof line);
        if (used + length > static_cast<std::size_t>(REPORT_BUDGET)) return i;
        used += CopyText(result + used, TEXT_SLOT_SIZE - used, line);
    }
    return count;
}

void FormatReport(void (*showResultText)()) {
    int count = Settings[SETTING_MATCH_COUNT];
    if (count < 0) count = 0;
    if (count > MATCH_LIMIT) count = MATCH_LIMIT;
    StableSort(MatchTable, count, SortScratch, CompareMatches);
    const bool overBudget = WriteReportLines(count) < count;
    showResultText();
    WriteStatus(count, overBudget);
}
