// Timings of whole search runs as a designer starts them from the window:
// build with the native preset, then run build/native/bench/varnock_bench.
#include <benchmark/benchmark.h>

#include <cstring>

#include "engine/run_search.h"
#include "state/app_state.h"

namespace {

void ShowNothing() {}

void SetUp(int listChoice, int includeSerial) {
    std::memset(Settings, 0, sizeof Settings);
    InitDefaults();
    Settings[SETTING_LIST_CHOICE] = listChoice;
    Settings[SETTING_INCLUDE_SERIAL] = includeSerial;
}

void RunSearchBench(benchmark::State& state) {
    SetUp(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    for (auto _ : state)
        RunSearch(ShowNothing);
    state.counters["matches"] = Settings[SETTING_MATCH_COUNT];
}

// {list choice, include serial}: E12, List1, E24 with the defaults; E12 serial.
BENCHMARK(RunSearchBench)
    ->ArgNames({"list", "serial"})
    ->Args({4, 0})
    ->Args({0, 0})
    ->Args({3, 0})
    ->Args({4, 1})
    ->Unit(benchmark::kMillisecond);

// Fields typed to an extreme by accident (Vi min, Vi max, Vo min, Vo max, Vref):
// infinite or NaN design targets that make the pre-filters pass everything.
const char* const EXTREME_FIELDS[][5] = {
    /* 0 */ {"", "", "0.1", "3.2", "3.3"},
    /* 1 */ {"0.6", "3.0", "-1e308", "1e308", "3.3"},
    /* 2 */ {"0.6", "3.0", "0.1", "3.2", ""},
    /* 3 */ {"0.6", "3.0", "-3.2", "", "3.3"},
    /* 4 */ {"0.6", "3.0", "0.1", "inf", "3.3"},
    /* 5 */ {"nan", "3.0", "0.1", "3.2", "3.3"},
    /* 6 */ {"0.6", "3.0", "0.1", "3.2", "-1e308"},
    /* 7 */ {"0.6", "3.0", "nan", "1e-100", "3.3"},
};

void RunSearchExtremeBench(benchmark::State& state) {
    SetUp(static_cast<int>(state.range(1)), static_cast<int>(state.range(2)));
    const int slots[] = {SLOT_VI_MIN, SLOT_VI_MAX, SLOT_VO_MIN, SLOT_VO_MAX, SLOT_VREF};
    for (int i = 0; i < 5; ++i)
        SetSlotText(slots[i], EXTREME_FIELDS[state.range(0)][i]);
    for (auto _ : state)
        RunSearch(ShowNothing);
    state.counters["matches"] = Settings[SETTING_MATCH_COUNT];
}

// {fields, list choice, include serial}: each extreme on List1 and E24 with series pairs.
BENCHMARK(RunSearchExtremeBench)
    ->ArgNames({"fields", "list", "serial"})
    ->ArgsProduct({benchmark::CreateDenseRange(0, 7, 1), {0, 3}, {1}})
    ->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
