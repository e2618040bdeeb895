// Text, CSV and JSON writers of the console. Numbers go out with 17 significant
// digits (enough to read back the same double); NaN and infinities have fixed
// texts, since C runtimes print NaN differently, and are null in JSON. Names are
// code page 932 bytes converted to UTF-8 one field at a time.
#include "cli/result_writers.h"

#include <cmath>
#include <cstring>

#include "cli/terminal_text.h"
#include "engine/report.h"
#include "engine/tolerance.h"
#include "state/bounded_text.h"

namespace {

// Everything a row shows beyond the record's own fields.
struct RowValues {
    double raOhms, rbOhms, rfOhms;
    ToleranceSpread spread;
};

// A name of 23 code page 932 bytes is at most 3 UTF-8 bytes each; a pair text is
// two names and the joint. The status line needs its whole slot.
char Utf8Field[3 * 2 * PART_NAME_SIZE + 8];
char Utf8Status[3 * TEXT_SLOT_SIZE];

MatchRecord Fetched;

bool IsAscii(const char* text) {
    for (; *text != '\0'; ++text)
        if (static_cast<unsigned char>(*text) >= 0x80) return false;
    return true;
}

const MatchRecord& RecordAt(const ResultSet& set, int i) {
    if (set.records != nullptr) return set.records[i];
    set.fetch(i, Fetched);
    return Fetched;
}

RowValues ComputeRow(const ResultSet& set, const MatchRecord& r) {
    CombinationParts parts;
    bool known = set.given != nullptr ? (parts = *set.given, true) : ResolveRecordParts(r, *set.parts, parts);
    if (!known) return RowValues{NAN, NAN, NAN, {NAN, NAN, NAN, NAN}};
    RowValues row{PairOhms(parts.ra), PairOhms(parts.rb), PairOhms(parts.rf), {NAN, NAN, NAN, NAN}};
    if (set.tolerance >= 0) row.spread = ToleranceCorners(parts, *set.params, set.tolerance);
    return row;
}

void WriteNumber(std::FILE* out, double value, bool json) {
    if (std::isnan(value))
        std::fputs(json ? "null" : "nan", out);
    else if (std::isinf(value))
        std::fputs(json ? "null" : (value > 0 ? "inf" : "-inf"), out);
    else
        std::fprintf(out, "%.17g", value);
}

// RFC 4180: a field with a comma, a quote or a line break is quoted, its
// quotes doubled.
void WriteCsvText(std::FILE* out, const char* cp932) {
    ConvertToUtf8(cp932, Utf8Field, sizeof Utf8Field);
    if (std::strpbrk(Utf8Field, ",\"\r\n") == nullptr) {
        std::fputs(Utf8Field, out);
        return;
    }
    std::fputc('"', out);
    for (const char* p = Utf8Field; *p != '\0'; ++p) {
        if (*p == '"') std::fputc('"', out);
        std::fputc(*p, out);
    }
    std::fputc('"', out);
}

// A JSON string of UTF-8 text: quote, backslash and control bytes escaped.
void WriteJsonUtf8(std::FILE* out, const char* utf8) {
    std::fputc('"', out);
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(utf8); *p != '\0'; ++p) {
        if (*p == '"' || *p == '\\')
            std::fprintf(out, "\\%c", *p);
        else if (*p < 0x20)
            std::fprintf(out, "\\u%04x", *p);
        else
            std::fputc(*p, out);
    }
    std::fputc('"', out);
}

void WriteJsonText(std::FILE* out, const char* cp932) {
    ConvertToUtf8(cp932, Utf8Field, sizeof Utf8Field);
    WriteJsonUtf8(out, Utf8Field);
}

// The names of one pair and its joint, as the report prints them.
struct PairNames {
    const char* first;
    const char* second;
    bool series;
};

PairNames Ra(const MatchRecord& r) {
    return {r.raName1, r.raName2, (r.topology & TOPOLOGY_RA_SERIES) != 0};
}
PairNames Rb(const MatchRecord& r) {
    return {r.rbName1, r.rbName2, (r.topology & TOPOLOGY_RB_SERIES) != 0};
}
PairNames Rf(const MatchRecord& r) {
    return {r.rfName1, r.rfName2, (r.topology & TOPOLOGY_RF_SERIES) != 0};
}

// Which text of a pair a text column shows.
enum class PairField { Whole, First, Second, Kind };

// One column per row: a text of a pair, or a number of the record or its row.
struct Column {
    const char* name;
    PairNames (*pair)(const MatchRecord&);
    PairField field;
    double (*number)(const MatchRecord&, const RowValues&);
    bool tolerance; // shown only with a tolerance
};

// clang-format off
const Column COLUMNS[] = {
    {"ra", Ra, PairField::Whole, nullptr, false},
    {"rb", Rb, PairField::Whole, nullptr, false},
    {"rf", Rf, PairField::Whole, nullptr, false},
    {"ra1", Ra, PairField::First, nullptr, false},
    {"ra2", Ra, PairField::Second, nullptr, false},
    {"ra_kind", Ra, PairField::Kind, nullptr, false},
    {"rb1", Rb, PairField::First, nullptr, false},
    {"rb2", Rb, PairField::Second, nullptr, false},
    {"rb_kind", Rb, PairField::Kind, nullptr, false},
    {"rf1", Rf, PairField::First, nullptr, false},
    {"rf2", Rf, PairField::Second, nullptr, false},
    {"rf_kind", Rf, PairField::Kind, nullptr, false},
    {"ra_ohms", nullptr, PairField::Whole, [](const MatchRecord&, const RowValues& v) { return v.raOhms; }, false},
    {"rb_ohms", nullptr, PairField::Whole, [](const MatchRecord&, const RowValues& v) { return v.rbOhms; }, false},
    {"rf_ohms", nullptr, PairField::Whole, [](const MatchRecord&, const RowValues& v) { return v.rfOhms; }, false},
    {"dnm_count", nullptr, PairField::Whole, [](const MatchRecord& r, const RowValues&) { return double(r.dnmCount); }, false},
    {"err_vimin_pct", nullptr, PairField::Whole, [](const MatchRecord& r, const RowValues&) { return r.errAtViMinPct; }, false},
    {"err_vimax_pct", nullptr, PairField::Whole, [](const MatchRecord& r, const RowValues&) { return r.errAtViMaxPct; }, false},
    {"worst_err_pct", nullptr, PairField::Whole, [](const MatchRecord& r, const RowValues&) { return r.worstErr * 100; }, false},
    {"req_ohms", nullptr, PairField::Whole, [](const MatchRecord& r, const RowValues&) { return r.reqOhms; }, false},
    {"vo_vimin", nullptr, PairField::Whole, [](const MatchRecord& r, const RowValues&) { return r.voAtViMin; }, false},
    {"vo_vimax", nullptr, PairField::Whole, [](const MatchRecord& r, const RowValues&) { return r.voAtViMax; }, false},
    {"err_vimin_lo_pct", nullptr, PairField::Whole, [](const MatchRecord&, const RowValues& v) { return v.spread.errAtViMinLoPct; }, true},
    {"err_vimin_hi_pct", nullptr, PairField::Whole, [](const MatchRecord&, const RowValues& v) { return v.spread.errAtViMinHiPct; }, true},
    {"err_vimax_lo_pct", nullptr, PairField::Whole, [](const MatchRecord&, const RowValues& v) { return v.spread.errAtViMaxLoPct; }, true},
    {"err_vimax_hi_pct", nullptr, PairField::Whole, [](const MatchRecord&, const RowValues& v) { return v.spread.errAtViMaxHiPct; }, true},
};
// clang-format on

// The code page 932 text of a text column.
void PairText(const Column& column, const MatchRecord& r, char* text, std::size_t size) {
    PairNames names = column.pair(r);
    const char* joint = names.series ? "+" : "//";
    switch (column.field) {
    case PairField::Whole:
        FormatText(text, size, "%s%s%s", names.first, joint, names.second);
        break;
    case PairField::First:
        CopyText(text, size, names.first);
        break;
    case PairField::Second:
        CopyText(text, size, names.second);
        break;
    case PairField::Kind:
        CopyText(text, size, joint);
        break;
    }
}

bool Shown(const Column& column, const ResultSet& set) {
    return !column.tolerance || set.tolerance >= 0;
}

// One field of a row: a number, or a pair's text quoted for the format.
void WriteField(std::FILE* out, const Column& column, const MatchRecord& r, const RowValues& row, bool json) {
    if (column.number != nullptr) {
        WriteNumber(out, column.number(r, row), json);
        return;
    }
    char text[2 * PART_NAME_SIZE + 4];
    PairText(column, r, text, sizeof text);
    if (json)
        WriteJsonText(out, text);
    else
        WriteCsvText(out, text);
}

void WriteCsv(std::FILE* out, const ResultSet& set) {
    const char* separator = "";
    for (const Column& column : COLUMNS)
        if (Shown(column, set)) std::fprintf(out, "%s%s", separator, column.name), separator = ",";
    std::fputs("\r\n", out);
    for (int i = 0; i < set.count; ++i) {
        const MatchRecord& r = RecordAt(set, i);
        RowValues row = ComputeRow(set, r);
        separator = "";
        for (const Column& column : COLUMNS) {
            if (!Shown(column, set)) continue;
            std::fputs(separator, out);
            separator = ",";
            WriteField(out, column, r, row, false);
        }
        std::fputs("\r\n", out);
    }
}

void WriteJsonRecord(std::FILE* out, const ResultSet& set, const MatchRecord& r) {
    RowValues row = ComputeRow(set, r);
    const char* separator = "{";
    for (const Column& column : COLUMNS) {
        if (!Shown(column, set)) continue;
        std::fprintf(out, "%s\"%s\": ", separator, column.name);
        separator = ", ";
        WriteField(out, column, r, row, true);
    }
    std::fputc('}', out);
}

void WriteJson(std::FILE* out, const ResultSet& set) {
    std::fputs("{\"status\": ", out);
    ConvertToUtf8(set.status != nullptr ? set.status : "", Utf8Status, sizeof Utf8Status);
    WriteJsonUtf8(out, Utf8Status);
    std::fprintf(out, ", \"count\": %d, \"results\": [", set.count);
    for (int i = 0; i < set.count; ++i) {
        std::fputs(i == 0 ? "\n  " : ",\n  ", out);
        WriteJsonRecord(out, set, RecordAt(set, i));
    }
    std::fputs(set.count > 0 ? "\n]}\n" : "]}\n", out);
}

// The report line, with the spread of the errors over the part tolerances
// appended as "; ±1%: -0.1234%..0.5678%, -0.4321%..0.2345%" (Vi(min), Vi(max)).
void WriteTextLine(std::FILE* out, const ResultSet& set, const MatchRecord& r, bool utf8) {
    // "\x81\x7d" is ± in code page 932, like every other byte of the line.
    char line[REPORT_LINE_SIZE + 128];
    std::size_t length = FormatMatchLine(r, line, REPORT_LINE_SIZE);
    if (set.tolerance >= 0 && length >= 2) {
        ToleranceSpread s = ComputeRow(set, r).spread;
        FormatText(line + length - 2, sizeof line - (length - 2),
                   "; \x81\x7d%g%%: %.4f%%..%.4f%%, %.4f%%..%.4f%%\r\n", set.tolerance * 100,
                   Printable(s.errAtViMinLoPct), Printable(s.errAtViMinHiPct), Printable(s.errAtViMaxLoPct),
                   Printable(s.errAtViMaxHiPct));
    }
    if (!utf8 || !IsAscii(line)) {
        WriteTerminalText(out, line, utf8);
        return;
    }
    // Plain ASCII needs no conversion, only LF for CR LF: the fast way for the
    // complete search's up to a million lines.
    std::fwrite(line, 1, std::strlen(line) - 2, out);
    std::fputc('\n', out);
}

} // namespace

int PrintedRecords(const MatchRecord* records, int count) {
    std::size_t used = 0;
    char line[REPORT_LINE_SIZE];
    for (int i = 0; i < count; ++i) {
        used += FormatMatchLine(records[i], line, sizeof line);
        if (used > static_cast<std::size_t>(REPORT_BUDGET)) return i;
    }
    return count;
}

void WriteResults(std::FILE* out, const ResultSet& set, OutputFormat format, bool utf8) {
    if (format == OutputFormat::Json) {
        WriteJson(out, set);
        return;
    }
    if (format == OutputFormat::Csv) {
        WriteCsv(out, set);
        if (set.status != nullptr) {
            WriteTerminalText(stderr, set.status, true);
            std::fputc('\n', stderr);
        }
        return;
    }
    for (int i = 0; i < set.count; ++i)
        WriteTextLine(out, set, RecordAt(set, i), utf8);
    if (set.status == nullptr) return;
    WriteTerminalText(out, set.status, utf8);
    std::fputs(utf8 ? "\n" : "\r\n", out);
}
