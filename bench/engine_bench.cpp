// The schedule calculation, from "&Start" to the closing text: a typical club evening and the largest
// evenings the limits allow (200 players, 32 courts, 24 rounds).
#include "engine/QuietHost.h"
#include "engine/ScheduleEngine.h"
#include "engine/ScheduleStart.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

using namespace tandemx::engine;

// Arguments: men, ladies, doubles rounds, mixed rounds, courts (numbered players, both pause spins 1).
void Evening(benchmark::State& bench)
{
    long long candidates = 0;
    int messages = 0;
    for (auto _ : bench) {
        bench.PauseTiming();
        auto s = std::make_unique<ScheduleState>();
        QuietHost host;
        s->Settings = {int32_t(bench.range(0)), int32_t(bench.range(1)), int32_t(bench.range(2)),
                       int32_t(bench.range(3)), int32_t(bench.range(4)), 0, 0, 2};
        DefaultCourts(*s, host);
        s->Settings.PauseOptions = 5;
        bench.ResumeTiming();
        StartSchedule(*s, host);
        benchmark::DoNotOptimize(s->ScheduleTable);
        candidates = host.candidates;
        messages = int(host.messages.size());
    }
    bench.counters["candidates"] = double(candidates);
    bench.counters["messages"] = messages;
}

BENCHMARK(Evening)
    ->ArgNames({"men", "ladies", "doubles", "mixed", "courts"})
    ->Args({24, 24, 4, 2, 10})    // a typical evening
    ->Args({200, 0, 24, 0, 32})   // the largest men's pool (19,900 pairs), 24 rounds
    ->Args({100, 100, 12, 12, 32}) // the largest mixed pool (10,000 pairs) with doubles rounds
    ->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
