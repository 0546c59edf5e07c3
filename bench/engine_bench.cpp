// The schedule calculation, from "&Start" to the closing text, with the fast engine and with the
// literal reference engine: a typical club evening, the largest evenings the limits allow (200 players,
// 32 courts, 24 rounds), and hard evenings in which some round has no valid choice (or only one found
// after a long search), where the literal search runs for a very long time.
//
// The reference runs of the hard evenings are bounded: the host stops the calculation after a candidate
// budget (the "stopped" counter says whether it did), so their time is a lower bound.
#include "engine/QuietHost.h"
#include "engine/ScheduleEngine.h"
#include "engine/ScheduleStart.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

using namespace tandemx::engine;

// A quiet host that stops the calculation after a budget of candidates.
class BudgetHost : public QuietHost {
public:
    explicit BudgetHost(long long budget) : budget_(budget) {}
    bool breakTest() override { return QuietHost::breakTest() || (budget_ >= 0 && candidates > budget_); }

private:
    long long budget_;
};

constexpr long long kReferenceBudget = 200'000'000;

// Arguments: men, ladies, doubles rounds, mixed rounds, courts, play options; numbered players, both
// pause spins 1.
void Evening(benchmark::State& bench, bool reference)
{
    long long candidates = 0;
    int messages = 0;
    bool stopped = false;
    for (auto _ : bench) {
        bench.PauseTiming();
        auto s = std::make_unique<ScheduleState>();
        BudgetHost host(reference ? kReferenceBudget : -1);
        s->Settings = {int32_t(bench.range(0)), int32_t(bench.range(1)), int32_t(bench.range(2)),
                       int32_t(bench.range(3)), int32_t(bench.range(4)), uint16_t(bench.range(5)), 0, 2};
        DefaultCourts(*s, host);
        s->Settings.PauseOptions = 5;
        s->Engine = reference ? EngineMode::Reference : EngineMode::Fast;
        bench.ResumeTiming();
        StartSchedule(*s, host);
        benchmark::DoNotOptimize(s->ScheduleTable);
        candidates = host.candidates;
        messages = int(host.messages.size());
        stopped = s->StopRequest != 0;
    }
    bench.counters["candidates"] = double(candidates);
    bench.counters["messages"] = messages;
    bench.counters["stopped"] = stopped;
    bench.counters["stateMB"] = double(sizeof(ScheduleState)) / (1024.0 * 1024.0);
}

void Configurations(benchmark::internal::Benchmark* b)
{
    b->ArgNames({"men", "ladies", "doubles", "mixed", "courts", "options"});
    const int64_t evenings[][6] = {
        {24, 24, 4, 2, 10, 0},    // a typical evening
        {100, 100, 12, 12, 32, 0}, // the largest mixed pool with doubles rounds
        {200, 0, 24, 0, 32, 0},   // the largest men's pool (19,900 pairs), 24 rounds
        // Hard evenings: varied pairs leave rounds without a valid choice late in the evening.
        {10, 10, 6, 6, 4, 2},     // 20 players
        {20, 20, 8, 8, 8, 2},     // 40 players
        {40, 0, 24, 0, 8, 2},     // 40 men
        {50, 50, 12, 12, 20, 2},  // 100 players
        // Varied pairs where two of each gender sit out every mixed round: the literal search runs for
        // minutes already in the second mixed round.
        {20, 20, 0, 12, 9, 2},    // 40 players
        {22, 22, 0, 12, 10, 2},   // 44 players
        // Varied pairs with one gender scarce: every player of it plays every mixed round.
        {37, 8, 3, 4, 4, 2},      // 45 players
        {12, 37, 0, 5, 6, 2},     // 49 players
        {8, 30, 0, 6, 4, 2},      // 38 players
    };
    for (const auto& e : evenings)
        b->Args({e[0], e[1], e[2], e[3], e[4], e[5]});
}

void Fast(benchmark::State& bench) { Evening(bench, false); }
void Reference(benchmark::State& bench) { Evening(bench, true); }

BENCHMARK(Fast)->Apply(Configurations)->Unit(benchmark::kMillisecond);
// One run each: the literal search of a hard evening takes seconds to its budget.
BENCHMARK(Reference)->Apply(Configurations)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

BENCHMARK_MAIN();
