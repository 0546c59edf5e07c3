// How well a schedule spreads the opponents, with and without "Tegenstanders spreiden", beside what no
// schedule can beat; then the time the spreading pass takes.
//
// The table: for each evening (numbered players, no play options, the set-up's default courts and
// pause rules) the figures opponent repeats / most times two players met as opponents / court-mate
// repeats, where a repeat is each meeting of two players after their first. The bounds count, per kind
// of two players (two men, two ladies, a man and a lady), the meetings the courts hold against the
// number of such two players: repeats >= meetings - pairs, most >= ceil(meetings / pairs).
//
// The timings: the pass alone (the calculation is done once beforehand) for a typical evening and for
// evenings at the limits (200 players, 24 rounds, 32 courts).
//
// --table-only prints the table and runs no timings.
#include "engine/OpponentSpread.h"
#include "engine/QuietHost.h"
#include "engine/ScheduleStart.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

namespace {

using namespace tandemx::engine;

struct EveningSpec {
    const char* name;
    int men, ladies, doubles, mixed, courts;
    uint16_t options = 0;
};

std::unique_ptr<ScheduleState> calculate(const EveningSpec& e, bool spread)
{
    auto s = std::make_unique<ScheduleState>();
    QuietHost host;
    s->Settings = {e.men, e.ladies, e.doubles, e.mixed, e.courts, e.options, 0, ScheduleMode::Numbered};
    DefaultCourts(*s, host);
    s->Settings.PauseOptions = 5;
    s->Settings.SpreadOpponents = spread;
    StartSchedule(*s, host);
    return s;
}

const EveningSpec Evenings[] = {
    {"16 / 4 / 6", 16, 0, 6, 0, 4},
    {"18 / 4 / 6", 18, 0, 6, 0, 4},
    {"12 / 3 / 6", 12, 0, 6, 0, 3},
    {"24 / 6 / 8", 24, 0, 8, 0, 6},
    {"32 / 8 / 8", 32, 0, 8, 0, 8},
    {"40 / 10 / 6", 40, 0, 6, 0, 10},
    {"mixed 8 + 8 / 4 / 6", 8, 8, 0, 6, 4},
    {"mixed 12 + 12 / 6 / 6", 12, 12, 0, 6, 6},
    {"12 + 12 / 6 / 3 + 3", 12, 12, 3, 3, 6},
    {"16 / 4 / 15", 16, 0, 15, 0, 4},
};

void printTable()
{
    std::printf("%-24s %-14s %-14s %-14s %8s  %s\n", "evening", "bound", "normal", "spread", "pass ms", "moves (taken)");
    auto text = [](const SpreadFigures& f, char* out, size_t size) {
        std::snprintf(out, size, "%d / %d / %d", f.opponentRepeats, f.maxOpponents, f.mateRepeats);
    };
    int atBound = 0;
    for (const EveningSpec& e : Evenings) {
        auto normal = calculate(e, false);
        const SpreadFigures b = SpreadBound(*normal);
        const SpreadFigures before = MeasureSpread(*normal);
        auto spread = calculate(e, true);
        const SpreadFigures after = MeasureSpread(*spread);
        // The pass alone on the normal schedule gives the same courts.
        const auto start = std::chrono::steady_clock::now();
        SpreadOpponents(*normal);
        const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        const bool same = normal->ScheduleTable == spread->ScheduleTable;
        char tb[32], tn[32], ts[32];
        text(b, tb, sizeof tb);
        text(before, tn, sizeof tn);
        text(after, ts, sizeof ts);
        atBound += after.opponentRepeats == b.opponentRepeats;
        std::printf("%-24s %-14s %-14s %-14s %8.1f  %lld (%lld)%s\n", e.name, tb, tn, ts, ms,
                    (long long)spread->spread.tried, (long long)spread->spread.taken, same ? "" : "  DIFFERS");
    }
    std::printf("opponent bound reached in %d of %d evenings\n\n", atBound, int(std::size(Evenings)));
}

// The pass alone: the calculated schedule is put back before each run.
void Pass(benchmark::State& bench)
{
    const EveningSpec e{"", int(bench.range(0)), int(bench.range(1)), int(bench.range(2)), int(bench.range(3)),
                        int(bench.range(4)), uint16_t(bench.range(5))};
    auto s = calculate(e, false);
    const auto schedule = s->ScheduleTable;
    const auto counters = s->Counters;
    SpreadFigures after;
    for (auto _ : bench) {
        bench.PauseTiming();
        s->ScheduleTable = schedule;
        s->Counters = counters;
        bench.ResumeTiming();
        SpreadOpponents(*s);
        benchmark::DoNotOptimize(s->ScheduleTable);
        after = s->spread.after;
    }
    bench.counters["courts"] = s->spread.courtCount;
    bench.counters["moves"] = double(s->spread.tried);
    bench.counters["maxOpp"] = after.maxOpponents;
    bench.counters["oppRepeats"] = after.opponentRepeats;
    bench.counters["mateRepeats"] = after.mateRepeats;
}
BENCHMARK(Pass)
    ->ArgNames({"men", "ladies", "doubles", "mixed", "courts", "options"})
    ->Args({24, 24, 4, 2, 10, 0})   // a typical evening
    ->Args({24, 24, 4, 2, 10, 2})   // the same with "Steeds ander begin paren"
    ->Args({200, 0, 24, 0, 32, 0})  // the limits: 200 men, 24 rounds on 32 courts
    ->Args({100, 100, 12, 12, 32, 2}) // 100 + 100, 12 + 12 rounds on 32 courts
    ->Args({100, 100, 0, 24, 32, 4}) // 24 mixed rounds, "Groep 1 tegen Groep 2"
    ->Args({128, 0, 24, 0, 32, 0})  // 128 men on 32 courts: everyone plays every round
    ->Args({64, 64, 0, 24, 32, 2})  // 64 + 64 on 32 mixed courts, "Steeds ander begin paren"
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    bool tableOnly = false;
    std::vector<char*> args;
    for (int i = 0; i < argc; ++i) {
        if (std::strcmp(argv[i], "--table-only") == 0)
            tableOnly = true;
        else
            args.push_back(argv[i]);
    }
    printTable();
    if (tableOnly)
        return 0;
    int count = int(args.size());
    benchmark::Initialize(&count, args.data());
    if (benchmark::ReportUnrecognizedArguments(count, args.data()))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
