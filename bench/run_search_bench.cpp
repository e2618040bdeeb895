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

} // namespace

BENCHMARK_MAIN();
