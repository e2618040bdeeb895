// SearchCombinations against the literal enumeration: seeded random lists and
// parameters, degenerate ones included, must give the same table record for
// record, byte for byte. VARNOCK_DIFF_CASES=N runs N random cases instead of
// the default (and the full 501-part comparison, which takes minutes).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <limits>
#include <random>
#include <string>
#include <utility>

#include "engine/acceptance_bounds.h"
#include "engine/combination_eval.h"
#include "engine/combination_search_literal.h"
#include "engine/pair_tables.h"
#include "state/app_state.h"
#include "state/bounded_text.h"

namespace {

const double NaN = std::numeric_limits<double>::quiet_NaN();
const double Inf = std::numeric_limits<double>::infinity();
// Inner literal loop steps a random case may cost (a few milliseconds).
const double LITERAL_BUDGET = 4e6;

struct Case {
    std::string text;
    PartsList parts;
    SearchParams params;
    ShifterDesign design;
    bool includeSerial;
    bool negated; // some parts made negative after parsing
};

MatchRecord Expected[MATCH_LIMIT];

std::string Describe(const Case& c) {
    char line[400];
    const SearchParams& p = c.params;
    const ShifterDesign& d = c.design;
    FormatText(line, sizeof line,
               "vi %a..%a vo %a..%a vref %a precision %a dnm %d | voff %a rfPerRa %a window %a | "
               "serial %d | list:\n",
               p.viMin, p.viMax, p.voMin, p.voMax, p.vref, p.precision, p.minDnm, d.voff, d.rfPerRa,
               d.prefilterWindow, c.includeSerial ? 1 : 0);
    return line + c.text + (c.negated ? "(some parts negated)" : "");
}

// Runs both searches over a table filled with a pattern, so that any byte a
// search writes differently, names' tails included, shows up.
void ExpectSameTable(const Case& c) {
    std::memset(MatchTable, 0xA5, sizeof MatchTable);
    int expected = SearchCombinationsLiteral(c.parts, c.params, c.design, c.includeSerial);
    std::memcpy(Expected, MatchTable, sizeof MatchTable);
    std::memset(MatchTable, 0xA5, sizeof MatchTable);
    int found = SearchCombinations(c.parts, c.params, c.design, c.includeSerial);
    ASSERT_EQ(found, expected) << Describe(c);
    ASSERT_EQ(Settings[SETTING_MATCH_COUNT], expected);
    for (int i = 0; i < found; ++i)
        ASSERT_EQ(std::memcmp(&MatchTable[i], &Expected[i], sizeof(MatchRecord)), 0)
            << "record " << i << " of " << found << ": " << MatchTable[i].raName1 << "/"
            << MatchTable[i].raName2 << " " << MatchTable[i].rfName1 << "/" << MatchTable[i].rfName2 << " "
            << MatchTable[i].rbName1 << "/" << MatchTable[i].rbName2 << " topology " << MatchTable[i].topology
            << "\n"
            << Describe(c);
}

// Steps of the literal loops when nothing stops them early: every Rf pair per
// Ra pair, and every Rb pair per passing Rf pair.
double LiteralSteps(const Case& c) {
    BuildPairTables(c.parts, c.includeSerial);
    double rfPairs = ParallelPairs.count + SeriesPairs.count;
    double steps = 0;
    for (const PairTable* table : {&ParallelPairs, &SeriesPairs}) {
        for (int p = 0; p < table->count; ++p) {
            double rfTarget = c.design.rfPerRa * table->r[p];
            double passing = 0;
            for (const PairRanking* ranking : {&ParallelRanking, &SeriesRanking})
                passing +=
                    PassingSize(*ranking, FindPassingRange(*ranking, rfTarget, c.design.prefilterWindow));
            steps += rfPairs + passing * rfPairs;
        }
    }
    return steps;
}

// One list line: mostly series values over the case's decades, sometimes a
// repeat or one of the values that strain the arithmetic.
std::string RandomLine(std::mt19937& rng, int decades, const std::string& earlier) {
    static const int MANTISSAS[] = {10, 11, 12, 13, 15, 16, 18, 20, 22, 24, 27, 30,
                                    33, 36, 39, 43, 47, 51, 56, 62, 68, 75, 82, 91};
    static const char* const ODD[] = {"0",   "abc", " -0",    "9e100", "9e+100", "1e101", "1e300", "1e308",
                                      "inf", "nan", "1e-300", "0.5",   "4,7",    "1M",    "2.2k",  "10u"};
    int kind = static_cast<int>(rng() % 20);
    if (kind == 0 && !earlier.empty()) {
        std::size_t start = rng() % earlier.size();
        start = earlier.rfind('\n', start);
        start = start == std::string::npos ? 0 : start + 1;
        return earlier.substr(start, earlier.find('\r', start) - start);
    }
    if (kind <= 2) return ODD[rng() % std::size(ODD)];
    char line[32];
    FormatText(line, sizeof line, "%g",
               MANTISSAS[rng() % std::size(MANTISSAS)] * std::pow(10.0, rng() % decades - 1.0));
    return line;
}

double Pick(std::mt19937& rng, double lo, double hi) {
    return std::uniform_real_distribution<double>(lo, hi)(rng);
}

// One or two fields typed to an extreme by accident: empty (0), the largest
// doubles, infinities, NaN, a subnormal, or a value that overflows the gain.
void ExtremeFields(std::mt19937& rng, SearchParams& p) {
    static const double EXTREME[] = {0, 1e308, -1e308, Inf, -Inf, NaN, 1e-320, 1e150, -1e-150, 1e100};
    double* fields[] = {&p.viMin, &p.viMax, &p.voMin, &p.voMax, &p.vref};
    for (int n = 1 + static_cast<int>(rng() % 2); n > 0; --n)
        *fields[rng() % std::size(fields)] = EXTREME[rng() % std::size(EXTREME)];
}

// Parameters as a user would type them, with the degenerate designs (Vref 0,
// voff 0, voff equal to Vref, infinite or NaN gain, negative targets) mixed in.
void RandomParams(std::mt19937& rng, SearchParams& p) {
    double gain = std::pow(10.0, Pick(rng, 0.01, 1.3));
    double span = Pick(rng, 0.2, 3);
    p.vref = Pick(rng, 0.5, 12);
    p.viMin = Pick(rng, 0, 1.5);
    p.viMax = p.viMin + span;
    p.voMin = gain * p.viMin - (gain - 1) * p.vref * Pick(rng, 0.05, 0.95); // voff within 0 .. Vref
    p.voMax = p.voMin + gain * span;
    p.precision = std::pow(10.0, Pick(rng, -5, -0.5));
    p.minDnm = static_cast<int>(rng() % 4);
    switch (rng() % 28) {
    case 0:
        p.vref = 0;
        break;
    case 1:
        p.viMin = 0, p.voMin = 0;
        break; // voff 0: rbTarget 0
    case 2:
        p.viMax = p.viMin;
        break; // infinite gain
    case 3:
        p.viMax = p.viMin, p.voMax = p.voMin;
        break;
    case 4:
        p.precision = (rng() % 2) ? NaN : Inf;
        break;
    case 5:
        p.precision = -p.precision;
        break;
    case 6:
        p.voMin = p.viMin * 2, p.voMax = p.voMin + span * 1.5;
        break; // voff < 0: negative targets
    case 7:
        p.vref = -p.vref;
        break;
    case 8:
        p.viMin = 0, p.viMax = 0; // both Vi fields empty
        break;
    case 9:
    case 10:
    case 11:
        ExtremeFields(rng, p);
        break;
    default:
        break;
    }
}

// A design straight from the parameters as DeriveShifterDesign gives it, or,
// now and then, raw fields: a window that some pair's deviation meets exactly,
// or targets of zero, infinity and NaN. A quarter of the cases accept every
// candidate they examine, so that their table is the examination order itself.
bool RandomDesign(std::mt19937& rng, Case& c) {
    SearchParamsStore = c.params;
    if (rng() % 16 == 0) { // Vref equal to voff: rbTarget infinite
        if (!DeriveShifterDesign()) return false;
        SearchParamsStore.vref = c.params.vref = ShifterDesignStore.voff;
    }
    if (!DeriveShifterDesign()) return false;
    c.design = ShifterDesignStore;
    static const double RAW[] = {0, -0.0, Inf, -Inf, NaN, -1, 1e-300, 1e300};
    if (rng() % 16 == 0) c.design.voff = RAW[rng() % std::size(RAW)];
    if (rng() % 16 == 0) c.design.rfPerRa = RAW[rng() % std::size(RAW)];
    if (rng() % 4 == 0) {
        c.params.precision = Inf;
        c.design.prefilterWindow = std::pow(10.0, Pick(rng, -2.5, 0.01));
    }
    if (rng() % 6 == 0) {
        BuildPairTables(c.parts, false);
        double ra = ParallelPairs.r[rng() % ParallelPairs.count];
        double rf = ParallelPairs.r[rng() % ParallelPairs.count];
        c.design.prefilterWindow = std::fabs(rf / (c.design.rfPerRa * ra) - 1);
    }
    return true;
}

// Puts the precision exactly on the worst error of one candidate, so that the
// acceptance boundary itself is tested (equality passes).
void PrecisionOnACandidate(std::mt19937& rng, Case& c) {
    SearchParams all = c.params;
    all.precision = Inf;
    int count = SearchCombinationsLiteral(c.parts, all, c.design, c.includeSerial);
    if (count > 0) c.params.precision = MatchTable[rng() % count].worstErr;
}

// The parser never yields a negative part, but the search does not rely on it.
void NegateSomeParts(unsigned seed, PartsList& parts) {
    std::mt19937 rng(seed);
    for (int i = 0; i < parts.count; ++i) {
        if (rng() % 3 != 0) continue;
        PartEntry& e = parts.entries[i];
        e.value = -e.value;
        e.conductance = e.value == 0 ? DNM_VALUE : 1 / e.value;
    }
}

bool MakeRandomCase(unsigned seed, Case& c) {
    std::mt19937 rng(seed);
    int values = 1 + static_cast<int>(rng() % 40);
    int decades = 1 + static_cast<int>(rng() % 8);
    c.text.clear();
    for (int i = 0; i < values; ++i)
        c.text += RandomLine(rng, decades, c.text) + "\r\n";
    c.includeSerial = rng() % 2 == 0;
    RandomParams(rng, c.params);
    c.negated = rng() % 32 == 0;
    if (!ParsePartsText(c.text.c_str(), c.parts)) return false;
    if (c.negated) NegateSomeParts(seed, c.parts);
    BuildPairTables(c.parts, false);
    if (!RandomDesign(rng, c)) return false;
    // Too costly for the literal: drop lines from the end until it is not.
    while (LiteralSteps(c) > LITERAL_BUDGET) {
        c.text.erase(c.text.rfind('\n', c.text.size() - 2) + 1);
        if (!ParsePartsText(c.text.c_str(), c.parts)) return false;
        if (c.negated) NegateSomeParts(seed, c.parts);
    }
    if (rng() % 5 == 0) PrecisionOnACandidate(rng, c);
    return true;
}

int RandomCaseCount() {
    const char* text = std::getenv("VARNOCK_DIFF_CASES");
    return text != nullptr ? std::atoi(text) : 3000;
}

// Cases found by long random runs, kept with their list so that the default
// run holds them. The first pairs the largest Ra (200+200) with the smallest
// Rf (3.3//3.3): its a = Rf / Ra is the smallest ratio of two pairs, a limit of
// the bounds with no slack for the evaluation, held by their rounding pad alone.
struct FoundCase {
    const char* text;
    SearchParams params;
    ShifterDesign design;
    bool includeSerial;
};

const FoundCase FOUND_CASES[] = {
    {"6.8\r\n3.3\r\n6.8\r\n20\r\n20\r\n9.1\r\n150\r\n27\r\n120\r\n5.6\r\n200\r\n20\r\n62\r\n22\r\n20\r\n",
     {0x1.208970331bff1p-6, 0x1.2284f057e6086p+0, -0x1.d31ed8c2eee06p-3, 0x1.58b4f8d8d69e5p+0,
      0x1.30b08b679d5d8p+1, 0x1.c65b4ce6e2bdfp-3, 0},
     {0x1.68cce24beae02p+0, 0x1.a333892fab808p-2, -Inf, 0x1.b32ef40a24da3p-4, 0x1.051eb851eb852p+0},
     true},
};

TEST(FastSearch, SameTablesAsTheLiteralOnRandomCases) {
    int cases = RandomCaseCount();
    int compared = 0, full = 0, empty = 0;
    Case c{};
    for (const FoundCase& found : FOUND_CASES) {
        c = Case{found.text, {}, found.params, found.design, found.includeSerial, false};
        ASSERT_TRUE(ParsePartsText(found.text, c.parts));
        ASSERT_NO_FATAL_FAILURE(ExpectSameTable(c));
    }
    for (int seed = 1; seed <= cases; ++seed) {
        if (!MakeRandomCase(static_cast<unsigned>(seed), c)) continue;
        SCOPED_TRACE("seed " + std::to_string(seed));
        ASSERT_NO_FATAL_FAILURE(ExpectSameTable(c));
        ++compared;
        full += Settings[SETTING_MATCH_COUNT] == MATCH_LIMIT;
        empty += Settings[SETTING_MATCH_COUNT] == 0;
    }
    std::printf("compared %d of %d cases: %d stopped at the limit, %d found nothing\n", compared, cases, full,
                empty);
    EXPECT_GT(compared, cases / 2);
    EXPECT_GT(full, compared / 50);
    EXPECT_LT(empty, compared * 9 / 10);
}

// Every bound holds a candidate that passes on the very edge: random voltages
// and resistances, with the candidate's own worst error as the precision
// (equality passes), where the rounding of the evaluation matters most. The
// Rf bounds are asked over an Rb range around the candidate's Rb as well.
// That edge lies deep inside the bounds' slack (a million times the
// evaluation's rounding), so the list's pairs are also taken as the
// candidate's own three: its a or b is then the smallest or largest ratio of
// two pairs, a limit exact but for the bounds' own rounding, which only their
// pad covers.
TEST(FastSearch, BoundsHoldACandidateOnTheEdge) {
    std::mt19937 rng(11);
    int checked = 0;
    for (int n = 0; n < 20000; ++n) {
        SearchParams p{};
        RandomParams(rng, p);
        // Now and then a pair of a 0-ohm part (its conductance is DNM_VALUE).
        auto draw = [&rng] {
            return rng() % 8 == 0 ? 1 / (2 * DNM_VALUE) : std::pow(10.0, Pick(rng, -1, 7));
        };
        double ra = draw(), rf = draw(), rb = draw();
        p.precision = EvaluateCandidate(ra, rb, rf, p).worstErr;
        if (!(p.precision >= 0)) continue; // a NaN error passes whatever the bounds
        SCOPED_TRACE(::testing::Message() << "case " << n << " ra " << ra << " rf " << rf << " rb " << rb);
        for (auto pairs : {std::pair(1 / (2 * DNM_VALUE), 2e7), std::minmax({ra, rf, rb})}) {
            AcceptanceModel m = BuildAcceptanceModel(p, pairs.first, pairs.second);
            if (!m.known) continue;
            RbBounds b = AcceptableRb(m, ra, rf);
            EXPECT_TRUE(b.lo <= rb && rb <= b.hi);
            for (double spread : {1.0, 3.0}) {
                for (RfBounds f : {AcceptableRf(m, ra, rb / spread, rb * spread),
                                   ReachableRf(m, ra, rb / spread, rb * spread)})
                    EXPECT_TRUE(f.lo <= rf && rf <= f.hi) << "pairs " << pairs.first << ".." << pairs.second;
            }
            ++checked;
        }
    }
    EXPECT_GT(checked, 20000);
}

// The examples of the enumeration: a two-entry list, a full 501-place list
// without DNM (whose largest part acts as the DNM entry) and the stop at the
// 1000th record, each with and without series pairs.
TEST(FastSearch, SameTablesOnTheEnumerationExamples) {
    Case c{};
    c.params = SearchParams{0.6, 3.0, 0.1, 3.2, 3.3, Inf, 0};
    c.design = ShifterDesign{2, 1, 1, 1, NaN}; // every pair passes, every candidate is stored
    std::string ten, full;
    for (int i = 1; i <= 10; ++i)
        ten += std::to_string(i) + "\r\n";
    for (int i = 600; i > 0; --i)
        full += std::to_string(i * 17 % 601) + "\r\n";
    for (const std::string& text : {std::string("100\r\n"), ten, full}) {
        // With a DNM minimum the literal walks all Rb pairs of the full list per Rf pair.
        for (int minDnm : {0, text == full ? 0 : 2}) {
            for (bool serial : {false, true}) {
                c.text = text;
                ASSERT_TRUE(ParsePartsText(text.c_str(), c.parts));
                c.params.minDnm = minDnm;
                c.includeSerial = serial;
                ExpectSameTable(c);
            }
        }
    }
    EXPECT_EQ(c.parts.count, PARTS_CAPACITY);
    EXPECT_STRNE(c.parts.entries[PARTS_CAPACITY - 1].name, "DNM");
}

// Built-in lists with the default voltages, as the run sequence prepares them;
// only cases where the literal takes well under a second.
TEST(FastSearch, SameTablesOnBuiltInLists) {
    struct Row {
        int list;
        bool serial;
        const char* precision;
        const char* dnm;
    } rows[] = {{5, false, "0.01%", "0"}, {5, true, "1%", "3"},     {5, false, "6.8%", "3"},
                {5, true, "20%", "1"},    {4, false, "0.01%", "0"}, {4, true, "0.001%", "0"},
                {0, true, "0.01%", "0"},  {3, false, "0.01%", "0"}};
    for (const Row& row : rows) {
        std::memset(Settings, 0, sizeof Settings);
        InitDefaults();
        Settings[SETTING_LIST_CHOICE] = row.list;
        SetSlotText(SLOT_PRECISION, row.precision);
        SetSlotText(SLOT_DNM_COUNT, row.dnm);
        ASSERT_TRUE(ParseSearchParams() && ParsePartsList() && DeriveShifterDesign());
        Case c{};
        c.text = TextSlots[SLOT_FIRST_LIST + row.list];
        c.parts = PartsListStore;
        c.params = SearchParamsStore;
        c.design = ShifterDesignStore;
        c.includeSerial = row.serial;
        SCOPED_TRACE(std::string("list ") + std::to_string(row.list) + " precision " + row.precision);
        ExpectSameTable(c);
    }
}

// Fields typed to an extreme, as the run sequence reads them, on a 12-part
// list (with series pairs the literal walks 169 pairs cubed at most): infinite
// or NaN targets, huge or non-finite voltages whose evaluation overflows into
// NaN for some candidates only, and an end that a NaN decides alone.
TEST(FastSearch, SameTablesOnExtremeFields) {
    const char* const rows[][5] = {
        {"", "", "0.1", "3.2", "3.3"},
        {"0.6", "0.6", "0.1", "3.2", "3.3"},
        {"0.6", "3.0", "-3.2", "", "3.3"},
        {"0.6", "3.0", "0.1", "3.2", ""},
        {"0.6", "3.0", "-1e308", "1e308", "3.3"},
        {"1e300", "1e308", "-1e308", "1e308", "1e308"},
        {"0.6", "3.0", "-inf", "3.2", "1e308"},
        {"1e-100", "3.0", "-inf", "3.2", "-1e308"},
        {"nan", "3.0", "0.1", "3.2", "3.3"},
        {"0.6", "3.0", "0.1", "inf", "1e308"},
        {"0.6", "3.0", "nan", "1e-320", "3.3"},
        {"0.6", "3.0", "0.1", "3.2", "1e-320"},
        {"0.6", "3.0", "nan", "1e-100", "3.3"},
        {"nan", "3.0", "0.1", "1", "0.5"},
        {"nan", "1e-100", "0.1", "3.2", "-1e308"},
        {"1e-100", "1e-90", "1e-300", "1e-95", "1e250"},
        // An infinite input or Vref beside a huge Vo; a Vref whose term
        // overflows for the largest gains of the list only.
        {"inf", "inf", "5", "1e308", "1e-17"},
        {"3", "3", "-1e308", "3", "inf"},
        {"0.6", "3.0", "1e308", "inf", "3.3"},
        {"3", "3", "3", "inf", "1e305"},
        // Huge terms of opposite signs, or whose overflow the other end's
        // bounds rule out.
        {"3", "1e308", "nan", "1e308", "-1e308"},
        {"nan", "1e308", "0.1", "1.75e308", "0"},
        {"-1e308", "3", "-1e308", "1e308", "-1e308"},
        {"3", "3", "-inf", "-1e308", "1e308"},
        {"-inf", "3", "-1e308", "1e308", "-1e308"},
        {"-1e308", "-1e308", "-inf", "-1e308", "1e308"},
        // The Vi(max) end alone decides, on a line thinner than the pairs' spacing.
        {"", "3.0", "nan", "1e-6", "3.3"},
        // Every field empty: every output 0, every error 0 / 0; with Vo(max) 0
        // beside other fields, only outputs of exactly 0 pass.
        {"", "", "", "", ""},
        {"-1e308", "3.0", "-inf", "0", "3.3"},
        // Equal inputs: one output for both ends, which cannot meet both.
        {"3", "3", "", "3", "3"},
        {"3", "3", "3.2", "3.4", "3"},
        // Equal inputs on one line that the pairs meet exactly only by rounding.
        {"3", "3", "3.21234", "3.21234", "3.3"},
        // Vo(min) -Vo(max): with a 0-ohm part the Rb pre-filter passes only its pairs.
        {"0.6", "3.0", "-3.2", "3.2", "2.3142857142857145"},
    };
    const int slots[] = {SLOT_VI_MIN, SLOT_VI_MAX, SLOT_VO_MIN, SLOT_VO_MAX, SLOT_VREF};
    for (const auto& row : rows) {
        // The DNM minimums leave some Rf pairs only the DNM Rb pairs, or none;
        // a precision of 1e10 % lets through all but the overflowing errors, one
        // below 0 only NaN errors; a precision of 0 leaves a line of exact hits.
        for (const char* precision : {"0.01%", "100%", "1%/1", "5%/2", "1e10", "-1", "0/1"}) {
            std::memset(Settings, 0, sizeof Settings);
            InitDefaults();
            std::string typed = precision;
            std::size_t slash = typed.find('/'); // before the DNM minimum, if any
            // With a DNM minimum, a 0-ohm part (a jumper) in the list as well.
            std::string list = slash == std::string::npos ? "" : "0\r\n";
            for (int i = 0; i < 12; ++i)
                list += std::to_string(std::pow(10.0, i / 3.0)) + "\r\n";
            SetSlotText(SLOT_FIRST_LIST, list.c_str());
            for (int i = 0; i < 5; ++i)
                SetSlotText(slots[i], row[i]);
            SetSlotText(SLOT_PRECISION, typed.substr(0, slash).c_str());
            SetSlotText(SLOT_DNM_COUNT, slash == std::string::npos ? "0" : typed.substr(slash + 1).c_str());
            if (!(ParseSearchParams() && ParsePartsList() && DeriveShifterDesign())) continue;
            Case c{list, PartsListStore, SearchParamsStore, ShifterDesignStore, false, false};
            SCOPED_TRACE(std::string(row[0]) + ".." + row[1] + " vo " + row[2] + ".." + row[3] + " vref " +
                         row[4] + " precision " + precision);
            for (bool serial : {false, true}) {
                c.includeSerial = serial;
                ExpectSameTable(c);
            }
        }
    }
}

// Long mode only: a full 501-place list searched precisely, where the literal
// walks every Ra and Rf pair (minutes).
TEST(FastSearch, FullListPreciseSearchInLongMode) {
    if (std::getenv("VARNOCK_DIFF_CASES") == nullptr) GTEST_SKIP() << "set VARNOCK_DIFF_CASES to run";
    Case c{};
    for (int i = 0; i < 520; ++i)
        c.text += std::to_string(std::pow(10.0, i / 70.0)) + "\r\n";
    ASSERT_TRUE(ParsePartsText(c.text.c_str(), c.parts));
    SearchParamsStore = SearchParams{0.6, 3.0, 0.1, 3.2, 3.3, 0.00001, 2};
    ASSERT_TRUE(DeriveShifterDesign());
    c.params = SearchParamsStore;
    c.design = ShifterDesignStore;
    c.includeSerial = false;
    ExpectSameTable(c);
}

} // namespace
