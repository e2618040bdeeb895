// The console's complete search on the designs it was built for, in one
// process: the ratiometric sensor design on E24 with series pairs, the default
// design and a 0.2..2.2 V design on a 481-value E96 list. Prints the best of
// three runs, the totals and the peak resident memory after each N (the kept
// entries live in static storage, so only the pages a search fills count).
// Usage: complete_search_bench   (whole-process figures: time varnock-search)
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>

#include "engine/complete_search.h"
#include "state/app_state.h"
#include "state/bounded_text.h"

namespace {

const int E96[] = {100, 102, 105, 107, 110, 113, 115, 118, 121, 124, 127, 130, 133, 137, 140, 143,
                   147, 150, 154, 158, 162, 165, 169, 174, 178, 182, 187, 191, 196, 200, 205, 210,
                   215, 221, 226, 232, 237, 243, 249, 255, 261, 267, 274, 280, 287, 294, 301, 309,
                   316, 324, 332, 340, 348, 357, 365, 374, 383, 392, 402, 412, 422, 432, 442, 453,
                   464, 475, 487, 499, 511, 523, 536, 549, 562, 576, 590, 604, 619, 634, 649, 665,
                   681, 698, 715, 732, 750, 768, 787, 806, 825, 845, 866, 887, 909, 931, 953, 976};

// E96 from 100 ohms to 976k, then 1M: 481 values.
std::string E96List() {
    std::string text;
    for (double decade = 1; decade <= 10000; decade *= 10) {
        for (int mantissa : E96) {
            char line[32];
            FormatText(line, sizeof line, "%g\r\n", mantissa * decade);
            text += line;
        }
    }
    return text + "1000000\r\n";
}

struct Design {
    const char* name;
    const char* values[6]; // Vi(min), Vi(max), Vo(min), Vo(max), Vref, precision
    const char* dnm;
    bool e96;
};

const Design DESIGNS[] = {
    {"ratiometric 0.5..4.5 V -> 0..5 V, Vref 2.5 V, E24 + serial, 0.1 %",
     {"0.5", "4.5", "0", "5", "2.5", "0.1%"},
     "0",
     false},
    {"defaults 0.6..3.0 V -> 0.1..3.2 V, Vref 3.3 V, E96 481 + serial, 0.01 %",
     {"0.6", "3.0", "0.1", "3.2", "3.3", "0.01%"},
     "0",
     true},
    {"0.2..2.2 V -> 0.1..3.2 V, Vref 2.5 V, E96 481 + serial, 0.05 %, DNM 3",
     {"0.2", "2.2", "0.1", "3.2", "2.5", "0.05%"},
     "3",
     true},
};

void Prepare(const Design& d, const std::string& e96) {
    std::memset(Settings, 0, sizeof Settings);
    InitDefaults();
    const int slots[] = {SLOT_VI_MIN, SLOT_VI_MAX, SLOT_VO_MIN, SLOT_VO_MAX, SLOT_VREF, SLOT_PRECISION};
    for (int i = 0; i < 6; ++i)
        SetSlotText(slots[i], d.values[i]);
    SetSlotText(SLOT_DNM_COUNT, d.dnm);
    Settings[SETTING_INCLUDE_SERIAL] = 1;
    Settings[SETTING_LIST_CHOICE] = d.e96 ? 0 : 3;
    if (d.e96) SetSlotText(SLOT_FIRST_LIST, e96.c_str());
}

long PeakKilobytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

} // namespace

int main() {
    std::string e96 = E96List();
    for (int best : {1000, 1000000}) {
        for (const Design& d : DESIGNS) {
            double bestMs = 1e300;
            CompleteTally tally{};
            for (int run = 0; run < 3; ++run) {
                Prepare(d, e96);
                auto start = std::chrono::steady_clock::now();
                if (RunCompleteSearch(best, tally) != RunOutcome::Searched)
                    return std::printf("input error\n"), 1;
                std::chrono::duration<double, std::milli> ms = std::chrono::steady_clock::now() - start;
                if (ms.count() < bestMs) bestMs = ms.count();
            }
            std::printf("N %7d  %9.1f ms  total %12llu  kept %7d  peak RSS %6ld kB  %s\n", best, bestMs,
                        static_cast<unsigned long long>(tally.total), tally.kept, PeakKilobytes(), d.name);
        }
    }
    return 0;
}
