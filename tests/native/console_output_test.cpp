// The console's series lists against the IEC 60063 construction, and the CSV
// and JSON writers on records with awkward names and values.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "cli/result_writers.h"
#include "cli/series_table.h"
#include "engine/parts_list.h"
#include "engine/report.h"
#include "state/bounded_text.h"
#include "test_support.h"

namespace {

// IEC 60063 builds the E48, E96 and E192 decades as 10^(i/N) rounded to three
// digits; the one value the standard fixes otherwise is E192's 920 (919).
TEST(Series, DecadesFollowTheStandardsConstruction) {
    const char* const names[] = {"E48", "E96", "E192"};
    for (const char* name : names) {
        int count = 0, step = 0;
        const short* decade = SeriesDecade(name, &count, &step);
        ASSERT_NE(decade, nullptr) << name;
        EXPECT_EQ(count * step, 192) << name;
        for (int i = 0; i < count; ++i) {
            long expected = std::lround(100 * std::pow(10.0, static_cast<double>(i) / count));
            if (count == 192 && i == 185) expected = 920;
            EXPECT_EQ(decade[i * step], expected) << name << " value " << i;
        }
    }
}

struct SeriesCase {
    const char* name;
    const char* from;
    const char* to;
    int lines;          // -1: more than a list holds
    const char* first;  // first line
    const char* last;   // last line
    const char* inside; // a line that must be in the list
};

TEST(Series, ListsCoverTheRangeInTheListsStyle) {
    const SeriesCase cases[] = {
        {"E96", "10", "1M", 481, "10", "1M", "\r\n10.2k\r\n"},
        {"E48", "10", "1M", 241, "10", "1M", "\r\n10.5k\r\n"},
        {"E192", "1k", "10k", 193, "1k", "10k", "\r\n9.2k\r\n"},
        {"E192", "0.1", "1", 193, "0.1", "1", "\r\n0.101\r\n"},
        {"E96", "4.7k", "5k", 3, "4.75k", "4.99k", "\r\n4.87k\r\n"},
        {"E12", "4k7", "1M", 29, "4.7k", "1M", "\r\n8.2k\r\n"},
        {"E3", "0.01", "1", 7, "0.01", "1", "\r\n0.047\r\n"},
        {"E192", "10", "1M", -1, "", "", ""},
        {"E6", "1.6k", "2.1k", 0, "", "", ""},
        {"E96", "1M", "10", 0, "", "", ""},
        {"E5", "10", "1M", 0, "", "", ""},
    };
    for (const SeriesCase& c : cases) {
        static char list[TEXT_SLOT_SIZE];
        int written =
            WriteSeriesList(c.name, ReadPartValue(c.from), ReadPartValue(c.to), 500, list, sizeof list);
        std::string text = list;
        SCOPED_TRACE(std::string(c.name) + " " + c.from + ".." + c.to);
        EXPECT_EQ(written, c.lines);
        if (c.lines <= 0) continue;
        EXPECT_EQ(CountLines(text), c.lines);
        EXPECT_EQ(text.substr(0, text.find("\r\n")), c.first);
        std::string withoutEnd = text.substr(0, text.size() - 2);
        EXPECT_EQ(withoutEnd.substr(withoutEnd.rfind('\n') + 1), c.last);
        EXPECT_NE(text.find(c.inside), std::string::npos);
        // The list parser reads it in order, within the range, with the DNM part.
        static PartsList parts;
        ASSERT_TRUE(ParsePartsText(list, parts));
        EXPECT_EQ(parts.count, c.lines + 1);
        for (int i = 1; i < parts.count - 1; ++i)
            EXPECT_LT(parts.entries[i - 1].value, parts.entries[i].value);
    }
}

MatchRecord Record(const char* ra1, const char* rb1) {
    MatchRecord r{};
    CopyText(r.raName1, PART_NAME_SIZE, ra1);
    CopyText(r.raName2, PART_NAME_SIZE, "DNM");
    CopyText(r.rbName1, PART_NAME_SIZE, rb1);
    CopyText(r.rbName2, PART_NAME_SIZE, "2k");
    CopyText(r.rfName1, PART_NAME_SIZE, "1k");
    CopyText(r.rfName2, PART_NAME_SIZE, "DNM");
    r.topology = TOPOLOGY_RB_SERIES;
    r.dnmCount = 2;
    r.errAtViMinPct = 0.125;
    r.errAtViMaxPct = NAN;
    r.worstErr = NAN;
    r.reqOhms = INFINITY;
    return r;
}

std::string Written(const ResultSet& set, OutputFormat format) {
    std::FILE* file = std::tmpfile();
    WriteResults(file, set, format, true);
    std::rewind(file);
    std::string text;
    for (int c = std::fgetc(file); c != EOF; c = std::fgetc(file))
        text += static_cast<char>(c);
    std::fclose(file);
    return text;
}

// Names with a comma, a quote, a backslash and code page 932 bytes (抵抗).
TEST(Writers, CsvAndJsonQuoteNamesAndKeepNumbersExact) {
    const MatchRecord records[] = {Record("10k, 1%", "say \"x\""), Record("\x92\xef\x8d\x52\\", "1e+3")};
    CombinationParts given{{false, {10000, DNM_VALUE}, {1e-4, 0}},
                           {true, {1000, 2000}, {1e-3, 5e-4}},
                           {false, {1000, DNM_VALUE}, {1e-3, 0}}};
    SearchParams params{0.6, 3.0, 0.1, 3.2, 3.3, 0.0001, 0};
    ResultSet set{records, nullptr, 2, "1 set(s) found.", nullptr, &given, &params, -1};
    std::string csv = Written(set, OutputFormat::Csv);
    EXPECT_EQ(csv.substr(0, csv.find("\r\n")),
              "ra,rb,rf,ra1,ra2,ra_kind,rb1,rb2,rb_kind,rf1,rf2,rf_kind,ra_ohms,rb_ohms,rf_ohms,dnm_count,"
              "err_vimin_pct,err_vimax_pct,worst_err_pct,req_ohms,vo_vimin,vo_vimax");
    EXPECT_NE(
        csv.find(
            "\r\n\"10k, 1%//DNM\",\"say \"\"x\"\"+2k\",1k//DNM,\"10k, 1%\",DNM,//,\"say \"\"x\"\"\",2k,+,"
            "1k,DNM,//,10000,3000,1000,2,0.125,nan,nan,inf,0,0\r\n"),
        std::string::npos)
        << csv;
    EXPECT_NE(csv.find("\r\n\xe6\x8a\xb5\xe6\x8a\x97\\//DNM,1e+3+2k,"), std::string::npos) << csv;
    EXPECT_EQ(CountLines(csv), 3);

    std::string json = Written(set, OutputFormat::Json);
    EXPECT_EQ(json.substr(0, 64),
              "{\"status\": \"1 set(s) found.\", \"count\": 2, \"results\": [\n  {\"ra\": ");
    EXPECT_NE(
        json.find("\"ra1\": \"10k, 1%\", \"ra2\": \"DNM\", \"ra_kind\": \"//\", \"rb1\": \"say \\\"x\\\"\""),
        std::string::npos)
        << json;
    EXPECT_NE(json.find("\"err_vimin_pct\": 0.125, \"err_vimax_pct\": null, \"worst_err_pct\": null, "
                        "\"req_ohms\": null"),
              std::string::npos)
        << json;
    EXPECT_NE(json.find("\"ra1\": \"\xe6\x8a\xb5\xe6\x8a\x97\\\\\""), std::string::npos) << json;
    EXPECT_EQ(json.substr(json.size() - 5), "}\n]}\n");
}

// CSV and JSON rows are the lines the report prints: as many as its budget
// takes, whatever the length of the names.
TEST(Writers, RowsStopWhereTheReportStops) {
    const char* const names[] = {"1k", "12345678901234567890123"};
    for (const char* name : names) {
        ResetState();
        for (int i = 0; i < MATCH_LIMIT; ++i)
            MatchTable[i] = Record(name, name);
        Settings[SETTING_MATCH_COUNT] = MATCH_LIMIT;
        FormatReport(CountShow);
        EXPECT_EQ(PrintedRecords(MatchTable, MATCH_LIMIT), CountLines(Slot(SLOT_RESULT))) << name;
    }
}

} // namespace
