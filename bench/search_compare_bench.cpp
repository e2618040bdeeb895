// The program's search beside the literal enumeration, on the same inputs in
// one process: the built-in lists with and without series pairs at four
// precisions, and a generated 500-value list (fast search only). Prints the
// best of several runs of each and checks that both tables are identical.
// Usage: search_compare_bench [max literal seconds, default 60]
//        search_compare_bench sweep   (fast search only, every precision and DNM minimum)
//        search_compare_bench hunt [runs] [seed] [part]   (random extreme fields; prints the
//        slowest; with a part, e.g. 1e300, nan or 0, that line is added to every list)
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <random>
#include <string>

#include "engine/combination_search_literal.h"
#include "engine/pair_tables.h"
#include "engine/run_search.h"
#include "state/app_state.h"
#include "state/bounded_text.h"

namespace {

MatchRecord LiteralTable[MATCH_LIMIT];

struct Precision {
    const char* text;
    const char* dnm;
};

void ShowNothing() {}

// The run sequence up to the search, as RunSearch takes it. A list text, when
// given, replaces List1.
bool Prepare(int listChoice, const char* listText, bool serial, const Precision& precision) {
    std::memset(Settings, 0, sizeof Settings);
    InitDefaults();
    Settings[SETTING_LANGUAGE] = 1;
    if (listText != nullptr) SetSlotText(SLOT_FIRST_LIST + listChoice, listText);
    Settings[SETTING_LIST_CHOICE] = listChoice;
    Settings[SETTING_INCLUDE_SERIAL] = serial ? 1 : 0;
    SetSlotText(SLOT_PRECISION, precision.text);
    SetSlotText(SLOT_DNM_COUNT, precision.dnm);
    return ParseSearchParams() && ParsePartsList() && DeriveShifterDesign();
}

template <typename Search> double BestMs(Search search, int runs) {
    double best = 1e300;
    for (int run = 0; run < runs; ++run) {
        auto start = std::chrono::steady_clock::now();
        search();
        std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
        best = std::min(best, took.count());
        if (took.count() > 2000) break;
    }
    return best;
}

// The enumeration position of the Ra pair that holds the given record, or the
// end of the enumeration when the search was not cut short.
int StopPosition(int count, bool serial) {
    if (count < MATCH_LIMIT) return ParallelPairs.count + (serial ? SeriesPairs.count : 0);
    const MatchRecord& last = MatchTable[MATCH_LIMIT - 1];
    bool series = (last.topology & TOPOLOGY_RA_SERIES) != 0;
    const PairTable& table = series ? SeriesPairs : ParallelPairs;
    const PartEntry* e = PartsListStore.entries;
    for (int p = 0; p < table.count; ++p)
        if (!std::strcmp(e[table.first[p]].name, last.raName1) &&
            !std::strcmp(e[table.second[p]].name, last.raName2))
            return (series ? ParallelPairs.count : 0) + p + 1;
    return ParallelPairs.count + SeriesPairs.count;
}

// Inner steps of the literal loops up to the Ra pair where it stops: every Rf
// pair of each Ra pair, and every Rb pair of each Rf pair that passes.
double LiteralSteps(int stop, bool serial) {
    const ShifterDesign& d = ShifterDesignStore;
    double rfPairs = ParallelPairs.count + (serial ? SeriesPairs.count : 0);
    double steps = 0;
    for (int at = 0; at < stop; ++at) {
        double ra = at < ParallelPairs.count ? ParallelPairs.r[at] : SeriesPairs.r[at - ParallelPairs.count];
        double rfTarget = d.rfPerRa * ra;
        double passing = 0;
        for (const PairRanking* ranking : {&ParallelRanking, &SeriesRanking})
            passing += PassingSize(*ranking, FindPassingRange(*ranking, rfTarget, d.prefilterWindow));
        steps += rfPairs + passing * rfPairs;
    }
    return steps;
}

// One row: the fast search always, the literal when its estimate allows.
void RunCase(const char* listName, int listChoice, const char* listText, bool serial,
             const Precision& precision, bool literalToo, double nsPerStep, double maxLiteralSeconds) {
    if (!Prepare(listChoice, listText, serial, precision)) {
        std::printf("%-6s %-6s %-7s %-4s  input error: %s\n", listName, serial ? "on" : "off", precision.text,
                    precision.dnm, TextSlots[SLOT_STATUS]);
        return;
    }
    auto fast = [&] { SearchCombinations(PartsListStore, SearchParamsStore, ShifterDesignStore, serial); };
    double fastMs = BestMs(fast, 7);
    int count = Settings[SETTING_MATCH_COUNT];
    double runMs = BestMs([] { RunSearch(ShowNothing); }, 3);
    std::printf("%-6s %-6s %-7s %-4s %5d ", listName, serial ? "on" : "off", precision.text, precision.dnm,
                count);
    fast();
    double estimateS = LiteralSteps(StopPosition(count, serial), serial) * nsPerStep * 1e-9;
    if (!literalToo) {
        std::printf("%14s %10.2f %10s %10.2f  fast only\n", "-", fastMs, "-", runMs);
    } else if (estimateS > maxLiteralSeconds) {
        std::printf("%14s %10.2f %10s %10.2f  literal skipped, est. %.0f s\n", "-", fastMs, "-", runMs,
                    estimateS);
    } else {
        std::memcpy(LiteralTable, MatchTable, sizeof MatchTable);
        auto literal = [&] {
            SearchCombinationsLiteral(PartsListStore, SearchParamsStore, ShifterDesignStore, serial);
        };
        double literalMs = BestMs(literal, estimateS < 0.3 ? 3 : 1);
        bool same = Settings[SETTING_MATCH_COUNT] == count &&
                    std::memcmp(LiteralTable, MatchTable, sizeof(MatchRecord) * count) == 0;
        std::printf("%14.2f %10.2f %10.0f %10.2f  %s\n", literalMs, fastMs, literalMs / fastMs, runMs,
                    same ? "same" : "TABLES DIFFER");
    }
    std::fflush(stdout);
}

// Nanoseconds per literal step, measured on E6 where it takes a second or so.
double CalibrateLiteral(const Precision& precision) {
    Prepare(5, nullptr, true, precision);
    double ms = BestMs(
        [] { SearchCombinationsLiteral(PartsListStore, SearchParamsStore, ShifterDesignStore, true); }, 1);
    SearchCombinations(PartsListStore, SearchParamsStore, ShifterDesignStore, true);
    return ms * 1e6 / LiteralSteps(StopPosition(Settings[SETTING_MATCH_COUNT], true), true);
}

// 500 values evenly spread in ratio from 1 ohm to 10 Mohm, three digits each,
// as an E96-like stock list.
std::string GeneratedList() {
    std::string text;
    for (int i = 0; i < 500; ++i) {
        char line[32];
        FormatText(line, sizeof line, "%.3g\r\n", std::pow(10.0, 7.0 * i / 499));
        text += line;
    }
    return text;
}

// Vi min, Vi max, Vo min, Vo max, Vref: the defaults, designs with degenerate
// targets (voff 0, voff equal to Vref, negative voff), then fields typed to an
// extreme by accident, which give infinite or NaN targets.
const char* const DESIGNS[][5] = {
    {"0.6", "3.0", "0.1", "3.2", "3.3"},
    {"0", "3", "0", "3.2", "3.3"},
    {"0.6", "3.0", "0.1", "3.2", "2.3142857142857145"},
    {"0", "3", "0.1", "3.5", "3.3"},
    {"", "", "0.1", "3.2", "3.3"},
    {"0.6", "0.6", "0.1", "3.2", "3.3"},
    {"0.6", "3.0", "", "3.2", "3.3"},
    {"0.6", "3.0", "-3.2", "", "3.3"},
    {"0.6", "3.0", "0.1", "3.2", ""},
    {"0.6", "3.0", "-1e308", "1e308", "3.3"},
    {"0.6", "3.0", "0.1", "1e308", "3.3"},
    {"0.6", "3.0", "0.1", "3.2", "1e308"},
    {"0.6", "3.0", "0.1", "3.2", "-1e308"},
    {"", "", "", "1e308", "1e308"},
    {"0.6", "3.0", "-inf", "3.2", "3.3"},
    {"0.6", "3.0", "0.1", "inf", "3.3"},
    {"0.6", "inf", "0.1", "3.2", "3.3"},
    {"0.6", "3.0", "0.1", "3.2", "inf"},
    {"nan", "3.0", "0.1", "3.2", "3.3"},
    {"0.6", "3.0", "nan", "3.2", "3.3"},
    {"0.6", "3.0", "0.1", "3.2", "nan"},
    {"-inf", "inf", "-inf", "inf", "inf"},
    // A NaN end and a Vo(max) near 0: a thin line of passing Rf / Ra, Rf / Rb.
    {"0.6", "3.0", "nan", "1e-100", "3.3"},
    {"nan", "3.0", "0.1", "1e-100", "3.3"},
    // A Vo(max) below what the output can resolve beside Vi(max): nothing passes.
    {"0.6", "3.0", "nan", "1e-17", "3.3"},
    // Huge or infinite fields whose terms of the output overflow for some
    // candidates only (each once ran for minutes on List1).
    {"inf", "inf", "5", "1e308", "1e-17"},
    {"0.6", "3.0", "1e308", "inf", "3.3"},
    {"-1e308", "3", "-1e308", "1e308", "-1e308"},
    {"3", "3", "-inf", "-1e308", "1e308"},
    // The Vi(max) end alone decides on a line thinner than the pairs' spacing,
    // or, with Vo(max) 0, passes only outputs of exactly 0.
    {"", "3.0", "nan", "1e-6", "3.3"},
    {"-1e308", "3.0", "-inf", "0", "3.3"},
    // One line that the pairs meet exactly only by rounding (at precision 0):
    // a NaN end, or equal inputs.
    {"nan", "3.0", "0.1", "3.21234", "3.3"},
    {"3.0", "3.0", "3.21234", "3.21234", "3.3"},
    // Vo(min) -Vo(max): the Rb pre-filter passes only the pairs of a 0-ohm part.
    {"0.6", "3.0", "-3.2", "3.2", "2.3142857142857145"},
};
const int VOLTAGE_SLOTS[] = {SLOT_VI_MIN, SLOT_VI_MAX, SLOT_VO_MIN, SLOT_VO_MAX, SLOT_VREF};

// The fast RunSearch over every built-in list, both series settings, DNM 0..3,
// precisions from 0.0001 % to 100 % and every design above, and the generated
// 500-value list likewise; prints every run over 50 ms (1 s for the 500-value list).
void Sweep() {
    const char* precisions[] = {"0.0001%", "0.001%", "0.003%", "0.01%", "0.03%", "0.1%",
                                "0.3%",    "1%",     "3%",     "6.8%",  "20%",   "100%"};
    const char* dnms[] = {"0", "1", "2", "3"};
    std::string generated = GeneratedList();
    // Every built-in list, then the generated list in List1's place.
    const int lists[] = {0, 1, 2, 3, 4, 5, 0};
    const char* names[] = {"List1", "List2", "List3", "E24", "E12", "E6", "E96x500"};
    double worst[2] = {0, 0};
    int runs = 0;
    for (const auto& design : DESIGNS)
        for (int l = 0; l < 7; ++l)
            for (bool serial : {false, true})
                for (const char* precision : precisions)
                    for (const char* dnm : dnms) {
                        const char* text = l == 6 ? generated.c_str() : nullptr;
                        Prepare(lists[l], text, serial, Precision{precision, dnm});
                        for (int i = 0; i < 5; ++i)
                            SetSlotText(VOLTAGE_SLOTS[i], design[i]);
                        double ms = BestMs([] { RunSearch(ShowNothing); }, 3);
                        ++runs;
                        worst[l == 6] = std::max(worst[l == 6], ms);
                        if (ms < (l == 6 ? 1000 : 50)) continue;
                        std::printf(
                            "%8.2f ms  list %s serial %d precision %-7s dnm %s vi %s..%s vo %s..%s vref "
                            "%s: %s\n",
                            ms, names[l], serial ? 1 : 0, precision, dnm, design[0], design[1], design[2],
                            design[3], design[4], TextSlots[SLOT_STATUS]);
                    }
    std::printf("%d runs, slowest %.2f ms with a built-in list, %.2f ms with the 500-value list\n", runs,
                worst[0], worst[1]);
}

// Random runs for the slowest input: each voltage field a typical value or an
// extreme one, any list (the generated one too), precision, DNM minimum and
// series setting. Prints each new slowest run and, at the end, the slowest of all.
// An extra part line, when given, goes at the end of every list.
void Hunt(int runs, unsigned seed, const char* extraPart) {
    static const char* const VALUES[] = {"",       "0",      "0.6",   "3.0",    "3.2",   "3.3",
                                         "0.1",    "-3.2",   "1e308", "-1e308", "inf",   "-inf",
                                         "nan",    "1e-320", "1e100", "-1e100", "1e150", "2.3142857142857145",
                                         "1e-100", "5",      "1e-6",  "1e-17"};
    static const char* const PRECISIONS[] = {"0",    "0.0001%", "0.01%", "1%",  "6.8%",
                                             "100%", "1e10",    "-1",    "inf", "nan"};
    std::string generated = GeneratedList();
    std::mt19937 rng(seed);
    double slowest = 0;
    for (int run = 0; run < runs; ++run) {
        int list = static_cast<int>(rng() % 7); // 6: the generated list in List1's place
        bool serial = rng() % 2 == 0;
        Precision precision{PRECISIONS[rng() % std::size(PRECISIONS)], "0"};
        const char* dnm[] = {"0", "1", "2", "3"};
        precision.dnm = dnm[rng() % 4];
        Prepare(list == 6 ? 0 : list, list == 6 ? generated.c_str() : nullptr, serial, precision);
        if (extraPart != nullptr) {
            int slot = SLOT_FIRST_LIST + (list == 6 ? 0 : list);
            std::string text = std::string(TextSlots[slot]) + extraPart + "\r\n";
            SetSlotText(slot, text.c_str());
        }
        char fields[5][32];
        for (int i = 0; i < 5; ++i) {
            CopyText(fields[i], sizeof fields[i],
                     rng() % 3 == 0 ? VALUES[rng() % std::size(VALUES)] : TextSlots[VOLTAGE_SLOTS[i]]);
            SetSlotText(VOLTAGE_SLOTS[i], fields[i]);
        }
        double ms = BestMs([] { RunSearch(ShowNothing); }, 1);
        if (ms <= slowest) continue;
        slowest = ms;
        std::printf("%8.2f ms  list %d serial %d precision %s dnm %s vi %s..%s vo %s..%s vref %s: %s\n", ms,
                    list, serial ? 1 : 0, precision.text, precision.dnm, fields[0], fields[1], fields[2],
                    fields[3], fields[4], TextSlots[SLOT_STATUS]);
        std::fflush(stdout);
    }
    std::printf("%d random runs, slowest %.2f ms\n", runs, slowest);
}

} // namespace

int main(int argc, char** argv) {
    if (argc > 1 && !std::strcmp(argv[1], "sweep")) {
        Sweep();
        return 0;
    }
    if (argc > 1 && !std::strcmp(argv[1], "hunt")) {
        Hunt(argc > 2 ? std::atoi(argv[2]) : 20000, argc > 3 ? static_cast<unsigned>(std::atoi(argv[3])) : 1,
             argc > 4 ? argv[4] : nullptr);
        return 0;
    }
    double maxLiteralSeconds = argc > 1 ? std::atof(argv[1]) : 60;
    const Precision precisions[] = {{"0.01%", "0"}, {"0.001%", "0"}, {"1%", "3"}, {"6.8%", "3"}};
    double nsPlain = CalibrateLiteral(precisions[1]);
    double nsDnm = CalibrateLiteral(precisions[2]);
    std::printf("literal: %.2f ns per step without DNM minimum, %.2f ns with DNM 3\n\n", nsPlain, nsDnm);
    std::printf("%-6s %-6s %-7s %-4s %5s %14s %10s %10s %10s\n", "list", "serial", "prec", "dnm", "found",
                "literal ms", "fast ms", "ratio", "run ms");
    // "run ms" is the whole RunSearch with the fast search: parsing, search, sort and report.
    struct List {
        const char* name;
        int choice;
    } lists[] = {{"E6", 5}, {"E12", 4}, {"E24", 3}, {"List1", 0}};
    for (const List& list : lists)
        for (bool serial : {false, true})
            for (const Precision& precision : precisions)
                RunCase(list.name, list.choice, nullptr, serial, precision, true,
                        precision.dnm[0] == '3' ? nsDnm : nsPlain, maxLiteralSeconds);

    // The literal would take hours here.
    std::string generated = GeneratedList();
    for (const Precision& precision : {precisions[0], precisions[2]})
        RunCase("E96x500", 0, generated.c_str(), true, precision, false, 0, maxLiteralSeconds);
    return 0;
}
