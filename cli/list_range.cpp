// The range a designer gives with --from and --to, over any list: the lines of
// the chosen list outside it are dropped before the search forms its parts
// list, and --series writes only the values within it. A range that leaves no
// value is refused here, with the range and the list named, rather than left to
// the search's "Stock list error", which would not say why.
#include "cli/list_range.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "cli/console_run.h"
#include "cli/series_table.h"
#include "engine/engine_limits.h"
#include "engine/parts_list.h"
#include "state/app_state.h"
#include "state/bounded_text.h"

namespace {

// A list keeps room for the DNM sentinel after its values.
constexpr int SERIES_MAX_VALUES = PARTS_CAPACITY - 1;

// The chosen list as it was before it was narrowed, for --save; NarrowedSlot
// is the slot it came from, or nullptr when no list was narrowed.
char ListBeforeRange[TEXT_SLOT_SIZE];
char* NarrowedSlot = nullptr;

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// A line of only the white space the list parser skips: it holds no value.
bool IsBlankLine(const char* line) {
    for (; *line != '\n' && *line != '\0'; ++line)
        if (std::strchr(" \t\r\v\f", *line) == nullptr) return false;
    return true;
}

// A bound starts with its number: the list parser would read "abc" or " 1k"
// as 0 or as 1k, which a designer did not mean to type as a bound.
bool ReadBound(const char* option, const char* text, double* value, char* error, std::size_t errorSize) {
    if (IsDigit(text[0]) || (text[0] == '.' && IsDigit(text[1]))) {
        *value = ReadPartValue(text);
        return true;
    }
    FormatText(error, errorSize,
               "%s '%s': give a value of 0 ohms or more, as in a list (\"10\", \"4.7k\", \"4k7\", \"1M\")",
               option, text);
    return false;
}

// "--from 1k --to 100k", or the one bound that was given.
void FormatRange(char* out, std::size_t size, const ListRange& range) {
    FormatText(out, size, "%s%s%s%s%s", range.fromText ? "--from " : "", range.fromText ? range.fromText : "",
               range.fromText && range.toText ? " " : "", range.toText ? "--to " : "",
               range.toText ? range.toText : "");
}

void ReportEmptyRange(const ListRange& range, const CliOptions& options) {
    char text[200];
    FormatRange(text, sizeof text, range);
    int choice = Settings[SETTING_LIST_CHOICE];
    if (options.series != nullptr)
        std::fprintf(stderr, "%s leaves no value of the series %s", text, options.series);
    else if (options.listFile != nullptr)
        std::fprintf(stderr, "%s leaves no value of '%s' (read into %s)", text, options.listFile,
                     ListChoiceName(choice));
    else
        std::fprintf(stderr, "%s leaves no value of %s", text, ListChoiceName(choice));
    std::fprintf(stderr, range.from > range.to ? ": --from is above --to\n" : "\n");
}

// --series: the chosen list becomes the values of the series within the range.
bool WriteSeries(const CliOptions& options, const ListRange& range, char* slot) {
    int count = 0, step = 0;
    if (SeriesDecade(options.series, &count, &step) == nullptr) {
        std::fprintf(stderr, "--series '%s': choose E3, E6, E12, E24, E48, E96 or E192\n", options.series);
        return false;
    }
    const double ends[] = {range.from, range.to};
    const char* const texts[] = {range.fromText, range.toText};
    for (int i = 0; i < 2; ++i) {
        if (ends[i] >= SERIES_LOWEST && ends[i] <= SERIES_HIGHEST) continue;
        std::fprintf(stderr, "%s '%s': give a value from 0.01 to 1000000M for --series\n",
                     i == 0 ? "--from" : "--to", texts[i]);
        return false;
    }
    int written =
        WriteSeriesList(options.series, range.from, range.to, SERIES_MAX_VALUES, slot, TEXT_SLOT_SIZE);
    if (written < 0) {
        std::fprintf(
            stderr,
            "--series %s from %s to %s gives more than %d values, more than a list holds; narrow the range\n",
            options.series, range.fromText, range.toText, SERIES_MAX_VALUES);
        return false;
    }
    if (written == 0) ReportEmptyRange(range, options);
    return written > 0;
}

} // namespace

bool ReadListRange(const char* fromText, const char* toText, ListRange* range, char* error,
                   std::size_t errorSize) {
    *range = ListRange{fromText, toText, 0, HUGE_VAL};
    return (fromText == nullptr || ReadBound("--from", fromText, &range->from, error, errorSize)) &&
           (toText == nullptr || ReadBound("--to", toText, &range->to, error, errorSize));
}

int NarrowListText(const char* text, const ListRange& range, char* out, std::size_t size) {
    std::size_t length = 0;
    int kept = 0;
    out[0] = '\0';
    for (const char* line = text; *line != '\0' && *line != '-';) {
        const char* end = std::strchr(line, '\n');
        std::size_t lineLength =
            end != nullptr ? static_cast<std::size_t>(end - line) + 1 : std::strlen(line);
        if (!IsBlankLine(line)) {
            // NaN lies within no range; a negative value is the parser's to refuse.
            double value = ReadPartValue(line);
            bool within = value >= range.from && value <= range.to;
            if (within || value < 0) length += CopyTextPrefix(out + length, size - length, line, lineLength);
            kept += within;
        }
        line += lineLength;
    }
    return kept;
}

bool ApplyListRange(const CliOptions& options) {
    bool series = options.series != nullptr;
    if (!series && options.from == nullptr && options.to == nullptr) return true;
    char* slot = ChosenListSlot(series ? "--series" : (options.from != nullptr ? "--from" : "--to"));
    if (slot == nullptr) return false;
    // A series keeps the range it always had when no bound is given.
    const char* fromText = options.from != nullptr || !series ? options.from : "10";
    const char* toText = options.to != nullptr || !series ? options.to : "1M";
    ListRange range;
    char error[300];
    if (!ReadListRange(fromText, toText, &range, error, sizeof error)) {
        std::fprintf(stderr, "%s\n", error);
        return false;
    }
    if (series) return WriteSeries(options, range, slot);
    CopyText(ListBeforeRange, sizeof ListBeforeRange, slot);
    NarrowedSlot = slot;
    if (NarrowListText(ListBeforeRange, range, slot, TEXT_SLOT_SIZE) > 0) return true;
    ReportEmptyRange(range, options);
    return false;
}

void RestoreListBeforeRange() {
    if (NarrowedSlot != nullptr) CopyText(NarrowedSlot, TEXT_SLOT_SIZE, ListBeforeRange);
}
