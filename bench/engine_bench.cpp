// The schedule calculation, from "&Start" to the closing text, with the fast engine and with the
// literal reference engine: a typical club evening, the largest evenings the limits allow (200 players,
// 32 courts, 24 rounds), and hard evenings in which some round has no valid choice (or only one found
// after a long search), where the literal search runs for a very long time.
//
// The reference runs of the hard evenings are bounded: the host stops the calculation after a candidate
// budget (the "stopped" counter says whether it did), so their time is a lower bound.
//
// Then varied-pairs evenings whose mixed rounds need the mend, and two seeded random walks over evenings
// of up to 40 + 40 players (one of them over evenings of 12 to 24 varied-pairs rounds) with the time of
// the slowest and what the mend and the work limits did.
#include "engine/QuietHost.h"
#include "engine/ScheduleEngine.h"
#include "engine/ScheduleStart.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <random>

#include <time.h>

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
                       int32_t(bench.range(3)), int32_t(bench.range(4)), uint16_t(bench.range(5)), 0, ScheduleMode::Numbered};
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

// The rounds of a calculation that the mend planned, whose literal search reached its work limit, and
// whose mend reached its own; the work of its mixed searches together, and the most a literal search
// spent that ended within its limit.
struct Plans {
    int mended = 0, limited = 0, mendLimited = 0;
    int64_t work = 0, withinLimit = 0;
};

Plans plansOf(const ScheduleState& s)
{
    Plans p;
    for (int r = 1; r <= s.TotalRounds; ++r) {
        const uint8_t plan = s.mend.plan[size_t(r)];
        p.mended += (plan & RoundPlan::Mended) != 0;
        p.limited += (plan & RoundPlan::WorkLimit) != 0;
        p.mendLimited += (plan & RoundPlan::MendLimit) != 0;
        p.work += s.mend.searchWork[size_t(r)] + s.mend.mendWork[size_t(r)];
        if (!(plan & RoundPlan::WorkLimit))
            p.withinLimit = std::max(p.withinLimit, s.mend.searchWork[size_t(r)]);
    }
    return p;
}

// Varied-pairs evenings whose mixed rounds the literal search could not plan: it ran without end in the
// first three (before the work limit), and ended without a choice after round 1 in the last (8 + 8).
// Arguments: men, ladies, doubles rounds, mixed rounds, courts, "Pauzes voor 3 X spelen", "Pauzes voor 2
// X spelen"; numbered players, "Steeds ander begin paren".
void VariedPairs(benchmark::State& bench)
{
    Plans plans;
    int messages = 0;
    for (auto _ : bench) {
        bench.PauseTiming();
        auto s = std::make_unique<ScheduleState>();
        QuietHost host;
        s->Settings = {int32_t(bench.range(0)), int32_t(bench.range(1)), int32_t(bench.range(2)),
                       int32_t(bench.range(3)), int32_t(bench.range(4)), PlayOption::VariedPairs, 0, ScheduleMode::Numbered};
        DefaultCourts(*s, host);
        s->Settings.PauseOptions = uint16_t(bench.range(5) | bench.range(6) << 2);
        bench.ResumeTiming();
        StartSchedule(*s, host);
        benchmark::DoNotOptimize(s->ScheduleTable);
        plans = plansOf(*s);
        messages = int(host.messages.size());
    }
    bench.counters["mended"] = plans.mended;
    bench.counters["limited"] = plans.limited;
    bench.counters["mendLimited"] = plans.mendLimited;
    bench.counters["workM"] = double(plans.work) / 1e6;
    bench.counters["messages"] = messages;
}
BENCHMARK(VariedPairs)
    ->ArgNames({"men", "ladies", "doubles", "mixed", "courts", "pause3", "pause2"})
    ->Args({26, 34, 1, 4, 15, 3, 2})
    ->Args({19, 32, 4, 3, 8, 0, 0})
    ->Args({22, 24, 1, 5, 11, 1, 3})
    ->Args({8, 8, 0, 3, 4, 1, 1})
    ->Unit(benchmark::kMillisecond);

// The CPU time of this thread, so that other work on the machine does not count towards an evening.
double cpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

// An evening of a random walk: numbered players, both pause spins and the play options as drawn.
struct WalkEvening {
    int men, ladies, doubles, mixed, courts;
    uint16_t options;
    int pause3, pause2;
};

// Times each evening of a walk on its own (CPU time); the counters give the slowest (with its number in the walk
// and its tandemx-cli arguments printed after the run), the rounds the mend planned, the rounds whose
// literal search or mend reached its work limit, the most work an evening's mixed searches spent
// together, the most a literal search spent that ended within its limit, and the failed-round messages.
// <variable>=<evenings>:<seed> sets the walk; TANDEMX_WORK_LIMIT=<units> tries another work limit for
// both searches of a round than the engine's.
template <typename Draw>
void Walk(benchmark::State& bench, const char* variable, int evenings, unsigned seed, Draw draw)
{
    if (const char* env = std::getenv(variable)) {
        evenings = std::atoi(env);
        if (const char* colon = std::strchr(env, ':'))
            seed = unsigned(std::atoll(colon + 1));
    }
    int64_t limit = MixedSearchWorkLimit;
    if (const char* env = std::getenv("TANDEMX_WORK_LIMIT"))
        limit = std::atoll(env);
    for (auto _ : bench) {
        std::mt19937 rng(seed);
        auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
        double slowest = 0;
        int slowestEvening = -1, mended = 0, limited = 0, mendLimited = 0, messages = 0;
        int64_t mostWork = 0, withinLimit = 0;
        char slowestText[200] = "";
        for (int i = 0; i < evenings; ++i) {
            const WalkEvening e = draw(pick);
            auto s = std::make_unique<ScheduleState>();
            QuietHost host;
            s->Settings = {e.men, e.ladies, e.doubles, e.mixed, e.courts, e.options, 0, ScheduleMode::Numbered};
            DefaultCourts(*s, host);
            s->Settings.PauseOptions = uint16_t(e.pause3 | e.pause2 << 2);
            s->mend.searchLimit = s->mend.mendLimit = limit;
            const double start = cpuMs();
            StartSchedule(*s, host);
            const double ms = cpuMs() - start;
            const Plans plans = plansOf(*s);
            mended += plans.mended;
            limited += plans.limited;
            mendLimited += plans.mendLimited;
            mostWork = std::max(mostWork, plans.work);
            withinLimit = std::max(withinLimit, plans.withinLimit);
            messages += int(host.messages.size());
            if (ms > slowest) {
                slowest = ms;
                slowestEvening = i;
                std::snprintf(slowestText, sizeof slowestText,
                              "--men %d --ladies %d --doubles %d --mixed %d --courts %d%s%s%s --pause3 %d --pause2 %d"
                              " (%d mended, %d limited, %.0fM units)",
                              e.men, e.ladies, e.doubles, e.mixed, e.courts,
                              e.options & PlayOption::LadiesFirst ? " --ladies-first" : "",
                              e.options & PlayOption::VariedPairs ? " --varied-pairs" : "",
                              e.options & PlayOption::GroupVsGroup ? " --group-vs-group" : "", e.pause3, e.pause2,
                              plans.mended, plans.limited, double(plans.work) / 1e6);
            }
        }
        bench.counters["evenings"] = evenings;
        bench.counters["limitM"] = double(limit) / 1e6;
        bench.counters["slowestMs"] = slowest;
        bench.counters["slowestEvening"] = slowestEvening;
        bench.counters["mended"] = mended;
        bench.counters["limited"] = limited;
        bench.counters["mendLimited"] = mendLimited;
        bench.counters["mostWorkM"] = double(mostWork) / 1e6;
        bench.counters["withinLimitM"] = double(withinLimit) / 1e6;
        bench.counters["messages"] = messages;
        std::printf("%s, slowest evening %d: %s\n", variable, slowestEvening, slowestText);
    }
}

// A seeded random walk over evenings of up to 40 + 40 numbered players: up to 6 doubles and 1..6 mixed
// rounds, up to a court more than the players fill, half of them with "Steeds ander begin paren", the
// other play options and both pause spins at random. TANDEMX_WALK=<evenings>:<seed> (default 1500:2026).
void RandomWalk(benchmark::State& bench)
{
    Walk(bench, "TANDEMX_WALK", 1500, 2026, [](auto& pick) {
        WalkEvening e{};
        e.men = pick(0, 40);
        e.ladies = pick(0, 40);
        if (e.men + e.ladies == 0)
            e.men = 1;
        e.doubles = pick(0, 6);
        e.mixed = pick(1, 6);
        e.courts = pick(1, std::max(1, (e.men + e.ladies) / 4 + 1));
        e.options = pick(0, 1) ? PlayOption::VariedPairs : 0;
        e.options |= pick(0, 1) ? PlayOption::LadiesFirst : 0;
        e.options |= pick(0, 3) == 0 ? PlayOption::GroupVsGroup : 0;
        e.pause3 = pick(0, 3);
        e.pause2 = pick(0, 3);
        return e;
    });
}
BENCHMARK(RandomWalk)->Unit(benchmark::kSecond)->Iterations(1);

// The same over evenings of many varied-pairs mixed rounds, where the work limits add up most: 8 + 8 to
// 40 + 40 players, 0..4 doubles rounds and 12..24 rounds in all, the courts filling all but a few
// players of the smaller gender (where the literal search runs longest) or at random.
// TANDEMX_MANY=<evenings>:<seed> (default 300:2419).
void ManyRoundsWalk(benchmark::State& bench)
{
    Walk(bench, "TANDEMX_MANY", 300, 2419, [](auto& pick) {
        WalkEvening e{};
        e.men = pick(8, 40);
        e.ladies = pick(0, 1) ? std::clamp(e.men + pick(-2, 2), 8, 40) : pick(8, 40);
        e.doubles = pick(0, 4);
        e.mixed = pick(12, 24) - e.doubles;
        const int fill = std::min(e.men, e.ladies) / 2;
        e.courts = pick(0, 2) ? std::max(1, fill - pick(0, 2)) : pick(1, (e.men + e.ladies) / 4 + 1);
        e.options = PlayOption::VariedPairs;
        e.options |= pick(0, 1) ? PlayOption::LadiesFirst : 0;
        e.options |= pick(0, 3) == 0 ? PlayOption::GroupVsGroup : 0;
        e.pause3 = pick(0, 3);
        e.pause2 = pick(0, 3);
        return e;
    });
}
BENCHMARK(ManyRoundsWalk)->Unit(benchmark::kSecond)->Iterations(1);

} // namespace

BENCHMARK_MAIN();
