// The console's output of a run in text, CSV or JSON. The writers take records
// (MatchRecord and the parts behind them), never printed text, so every search
// form and the check of a given combination go through the same columns.
#pragma once

#include <cstdio>

#include "engine/combination_parts.h"

enum class OutputFormat { Text, Csv, Json };

// The records come from an array, or one at a time from fetch (records null),
// so a million results of the complete search never stand in memory at once.
using FetchRecordFn = void (*)(int index, MatchRecord& record);

struct ResultSet {
    const MatchRecord* records;
    FetchRecordFn fetch;           // used when records is null
    int count;                     // records to write, in order
    const char* status;            // code page 932; nullptr writes no status line
    const PartsList* parts;        // where the records' part values are found
    const CombinationParts* given; // instead of parts: those of the one record
    const SearchParams* params;
    double tolerance; // a fraction; negative: no tolerance columns
};

// How many of the records the text report prints before its budget is spent.
int PrintedRecords(const MatchRecord* records, int count);

// Text: today's report lines (with the tolerance spread appended when asked)
// and the status line, code page 932 converted to UTF-8 unless utf8 is false.
// CSV: a header row and one row per record, CR LF, RFC 4180 quoting; the
// status goes to stderr. JSON: {"status", "count", "results": [...]}.
void WriteResults(std::FILE* out, const ResultSet& set, OutputFormat format, bool utf8);
