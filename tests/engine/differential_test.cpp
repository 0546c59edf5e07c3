// The fast engine against the reference engine (the literal search and selection sort) over a seeded
// corpus of ordinary evenings: the same schedule, counters, messages and warnings, and after every round
// the same flags, round results and pools. The reference gets a candidate budget through the break test;
// evenings that exceed it are skipped and counted; the fast engine must finish within the same budget.
// The work limits of varied-pairs mixed rounds count the fast engine's work only (the reference runs its
// searches to the end unless a limit is 0): an evening in which a fast search reached a limit above 0
// is skipped and counted too.
//
// The default run is sized for the sanitizer build. A larger run:
//   TANDEMX_DIFFERENTIAL=<evenings>:<budget> test_engine --gtest_filter='Differential.*'
// (for example 1000:100000000 in a Release build).
#include "EngineTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <random>
#include <string>

namespace tandemx::engine::testing {
namespace {

// FNV-1a over raw bytes.
struct Digest {
    uint64_t h = 1469598103934665603ull;
    void add(const void* data, size_t size)
    {
        const auto* p = static_cast<const unsigned char*>(data);
        for (size_t i = 0; i < size; ++i)
            h = (h ^ p[i]) * 1099511628211ull;
    }
    template <int N>
    void add(const PairList<N>& list)
    {
        add(&list.count, sizeof list.count);
        if (list.count > 0)
            add(&list.pairs[1], sizeof(Pair) * size_t(list.count));
    }
};

// Records, before every round and at the end, a digest of what the rounds so far left behind.
class ObservingHost : public RecordingHost {
public:
    void showProgressLine(std::string_view text, int height, int line) override
    {
        RecordingHost::showProgressLine(text, height, line);
        observe();
    }
    void observe()
    {
        if (!state)
            return;
        const ScheduleState& s = *state;
        Digest d;
        const bool flags[3] = {s.SolutionFound, s.TooFewPlayers, s.TooManyMustPlay};
        d.add(flags, sizeof flags);
        for (const auto& result : s.RoundResult)
            d.add(result);
        for (int g = Men; g <= Ladies; ++g) {
            d.add(s.PairPool[size_t(g)]);
            d.add(s.WorkingPool[size_t(g)]);
            d.add(s.MustPlayList[size_t(g)].player.data(), size_t(s.MustPlayList[size_t(g)].count));
        }
        d.add(s.MixedPairPool);
        d.add(s.MixedWorkingPool);
        d.add(&s.ScheduleTable, sizeof s.ScheduleTable);
        d.add(&s.Counters, sizeof s.Counters);
        digests.push_back(d.h);
    }

    const ScheduleState* state = nullptr;
    std::vector<uint64_t> digests;
};

Evening randomEvening(std::mt19937& rng, bool withCodes)
{
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    Evening e;
    do {
        e.men = pick(0, 1) ? pick(0, 40) : pick(0, 12);
        e.ladies = pick(0, 1) ? pick(0, 40) : pick(0, 12);
    } while (e.men + e.ladies == 0);
    e.doubles = pick(0, 8);
    e.mixed = pick(0, 6);
    e.courts = pick(0, 3) == 0 ? pick(1, 32) : pick(1, std::max(1, (e.men + e.ladies) / 4 + 1));
    e.playOptions = uint16_t(pick(0, 7));
    e.pause3 = pick(0, 3);
    e.pause2 = pick(0, 3);
    if (withCodes) {
        auto code = [&]() -> uint8_t {
            switch (pick(0, 5)) {
            case 0: return uint8_t(pick(1, 9));
            case 1: return uint8_t(pick(1, 6) * 10 + pick(0, 3));
            case 2: return uint8_t('A' + pick(0, 8) + 50 * pick(0, 2));
            default: return 'X';
            }
        };
        for (int j = 0; j < e.men; ++j)
            e.menCodes.push_back(code());
        for (int j = 0; j < e.ladies; ++j)
            e.ladiesCodes.push_back(code());
    }
    // Now and then a round with other courts than the defaults.
    if (pick(0, 4) == 0 && e.doubles > 0) {
        for (int r = 0; r < e.doubles; ++r)
            e.menCourts.push_back(pick(0, 6));
    }
    if (pick(0, 4) == 0 && e.mixed > 0) {
        for (int r = 0; r < e.mixed; ++r)
            e.mixedCourts.push_back(pick(0, 8));
    }
    return e;
}

struct Outcome {
    std::unique_ptr<ScheduleState> state;
    ObservingHost host;
};

// exactFrom: when the fast search's exact test joins in (-1 the engine's choice, 0 from the start);
// searchLimit: the work limit of a varied-pairs mixed round's literal search (-1 the engine's).
std::unique_ptr<Outcome> run(const Evening& e, EngineMode mode, uint16_t options, long long budget, int exactFrom = -1,
                             int64_t searchLimit = -1)
{
    auto out = std::make_unique<Outcome>();
    out->host.options = options;
    out->host.budget = budget;
    out->state = prepareEvening(e, out->host);
    out->state->Engine = mode;
    out->state->pruning.exactFrom = exactFrom;
    if (searchLimit >= 0)
        out->state->mend.searchLimit = searchLimit;
    out->host.state = out->state.get();
    StartSchedule(*out->state, out->host);
    out->host.observe();
    return out;
}

// Whether a search of the fast engine stopped at a work limit above 0 (where the reference, which
// counts no work, goes on and may plan the round otherwise).
bool reachedALimit(const ScheduleState& s)
{
    for (int r = 1; r <= s.TotalRounds; ++r) {
        const uint8_t plan = s.mend.plan[size_t(r)];
        if (((plan & RoundPlan::WorkLimit) && s.mend.searchLimit > 0)
            || ((plan & RoundPlan::MendLimit) && s.mend.mendLimit > 0))
            return true;
    }
    return false;
}

std::string describe(const Evening& e, int index)
{
    std::string text = "evening " + std::to_string(index) + ": " + std::to_string(e.men) + " men, "
        + std::to_string(e.ladies) + " ladies, " + std::to_string(e.doubles) + "+" + std::to_string(e.mixed)
        + " rounds, " + std::to_string(e.courts) + " courts, options " + std::to_string(e.playOptions) + ", pause "
        + std::to_string(e.pause3) + "/" + std::to_string(e.pause2) + (e.menCodes.empty() && e.ladiesCodes.empty() ? "" : ", codes");
    return text;
}

// The fast pool sort leaves pairs and weights exactly where the selection sort does: pools of every
// size up to a few thousand, with the weights of the tables (few distinct values) and with any byte.
TEST(Differential, PoolSortsAgree)
{
    std::mt19937 rng(424242);
    const uint8_t tableWeights[] = {2, 6, 9, 12, 18, 32, 48, 64, 96, 128, 255};
    auto s = std::make_unique<ScheduleState>();
    auto t = std::make_unique<ScheduleState>();
    s->Engine = EngineMode::Reference;
    t->Engine = EngineMode::Fast;
    RecordingHost host;
    for (int round = 0; round < 300; ++round) {
        const int n = round < 20 ? round : int(std::uniform_int_distribution<int>(0, round % 15 == 0 ? 4000 : 300)(rng));
        const int distinct = 1 + round % 11;
        const bool anyByte = round % 5 == 4;
        auto weightOf = [&] {
            return anyByte ? uint8_t(rng() & 0xFF) : tableWeights[rng() % unsigned(distinct)];
        };
        const bool mixed = round % 2 == 1;
        auto& a = mixed ? s->MixedWorkingPool : s->MixedPairPool;
        auto& b = mixed ? t->MixedWorkingPool : t->MixedPairPool;
        auto& da = s->PairPool[Men];
        auto& db = t->PairPool[Men];
        a.count = b.count = 0;
        da.count = db.count = 0;
        for (int k = 1; k <= n; ++k) {
            const Pair p{uint8_t(k % 200 + 1), uint8_t(k / 200 + 1)};
            const uint8_t w = weightOf();
            a.append(p);
            b.append(p);
            s->MixedWeight[size_t(k)] = t->MixedWeight[size_t(k)] = w;
            if (k <= MaxDoublesPairs) {
                da.append(p);
                db.append(p);
                s->PairWeight[Men][size_t(k)] = t->PairWeight[Men][size_t(k)] = weightOf();
            }
        }
        ScheduleEngine(*s, host).SortMixedPool(a);
        ScheduleEngine(*t, host).SortMixedPool(b);
        ScheduleEngine(*s, host).SortDoublesPool(Men);
        ScheduleEngine(*t, host).SortDoublesPool(Men);
        for (int k = 1; k <= n; ++k) {
            ASSERT_EQ(a[k], b[k]) << "mixed, pool of " << n << ", position " << k;
            ASSERT_EQ(s->MixedWeight[size_t(k)], t->MixedWeight[size_t(k)]) << "pool of " << n << ", position " << k;
        }
        for (int k = 1; k <= da.count; ++k) {
            ASSERT_EQ(da[k], db[k]) << "doubles, pool of " << n << ", position " << k;
            ASSERT_EQ(s->PairWeight[Men][size_t(k)], t->PairWeight[Men][size_t(k)]) << "pool of " << n;
        }
    }
}

TEST(Differential, FastEngineMatchesTheReference)
{
    int evenings = 400;
    long long budget = 300000;
    if (const char* env = std::getenv("TANDEMX_DIFFERENTIAL")) {
        evenings = std::atoi(env);
        if (const char* colon = std::strchr(env, ':'))
            budget = std::atoll(colon + 1);
    }
    std::mt19937 rng(7070707);
    int compared = 0, skipped = 0, limited = 0, failedRounds = 0;
    for (int i = 0; i < evenings; ++i) {
        const Evening e = randomEvening(rng, i % 2 == 0);
        // Progress lines on (they mark the rounds); court warnings on in three evenings of four.
        const uint16_t options = uint16_t(KeyOption::ProgressMessages | (i % 4 != 3 ? KeyOption::CourtWarnings : 0) | 16);
        const auto reference = run(e, EngineMode::Reference, options, budget);
        if (reference->state->StopRequest != 0) {
            ++skipped;
            continue;
        }
        // Every other evening with the exact test on from the first candidate. The fast search examines
        // no candidate the literal one skips, so the same budget is a cap: a runaway fails, not hangs.
        const auto fast = run(e, EngineMode::Fast, options, budget, i % 2 == 0 ? -1 : 0);
        const std::string label = describe(e, i) + (i % 2 == 0 ? "" : ", exact test from the start");
        if (fast->state->StopRequest == 0 && reachedALimit(*fast->state)) {
            ++limited;
            continue;
        }
        ++compared;
        for (const auto& m : reference->host.messages)
            failedRounds += m.rfind("Geen", 0) == 0;
        const ScheduleState& a = *reference->state;
        const ScheduleState& b = *fast->state;
        EXPECT_EQ(b.StopRequest, 0) << label;
        EXPECT_EQ(reference->host.messages, fast->host.messages) << label;
        EXPECT_EQ(reference->host.warnings, fast->host.warnings) << label;
        EXPECT_EQ(reference->host.lastError, fast->host.lastError) << label;
        ASSERT_EQ(reference->host.digests.size(), fast->host.digests.size()) << label;
        for (size_t r = 0; r < reference->host.digests.size(); ++r)
            ASSERT_EQ(reference->host.digests[r], fast->host.digests[r]) << label << ", state before round step " << r;
        EXPECT_EQ(0, std::memcmp(&a.ScheduleTable, &b.ScheduleTable, sizeof a.ScheduleTable)) << label;
        EXPECT_EQ(0, std::memcmp(&a.Counters, &b.Counters, sizeof a.Counters)) << label;
        EXPECT_EQ(0, std::memcmp(&a.CourtsPerRound, &b.CourtsPerRound, sizeof a.CourtsPerRound)) << label;
        EXPECT_EQ(a.Run.NumCourts, b.Run.NumCourts) << label;
        EXPECT_EQ(a.ScheduleBusy, b.ScheduleBusy) << label;
        if (::testing::Test::HasFailure())
            break;
    }
    std::printf("[ differential ] %d evenings: %d compared, %d skipped over the reference budget of %lld candidates, "
                "%d where a fast search reached its work limit, %d failed-round messages in the compared ones\n",
                evenings, compared, skipped, budget, limited, failedRounds);
    EXPECT_GT(compared, evenings * 3 / 4);
}

// One evening of mixed rounds with both engines (the reference within three million candidates): false
// when the reference runs over that, or a search of the fast engine reached a work limit above 0.
bool mixedEveningMatches(const Evening& e, int i, int64_t searchLimit = -1)
{
    const uint16_t options = uint16_t(KeyOption::ProgressMessages | KeyOption::CourtWarnings | 16);
    const auto reference = run(e, EngineMode::Reference, options, 3'000'000, -1, searchLimit);
    if (reference->state->StopRequest != 0)
        return false;
    const auto fast = run(e, EngineMode::Fast, options, 3'000'000, i % 2 == 0 ? -1 : 0, searchLimit);
    const std::string label = describe(e, i) + (i % 2 == 0 ? "" : ", exact test from the start")
        + (searchLimit == 0 ? ", every round mended" : "");
    EXPECT_EQ(fast->state->StopRequest, 0) << label;
    if (reachedALimit(*fast->state))
        return false;
    EXPECT_EQ(reference->host.messages, fast->host.messages) << label;
    EXPECT_EQ(reference->host.digests, fast->host.digests) << label;
    EXPECT_EQ(0, std::memcmp(&reference->state->ScheduleTable, &fast->state->ScheduleTable,
                             sizeof reference->state->ScheduleTable)) << label;
    return true;
}

// The search without a work limit, for the evenings whose searches run long.
constexpr int64_t NoLimit = std::numeric_limits<int64_t>::max();

// Mixed rounds with varied pairs where a few players of each gender sit out: the searches that run
// longest, where the fast engine leans on its costlier tests (the order test from the first candidate
// in every other evening, and the dead ends it remembers). Without a work limit, so that the searches
// run as long as the reference's budget allows.
TEST(Differential, HardMixedEveningsMatchTheReference)
{
    std::mt19937 rng(5150);
    int compared = 0;
    for (int i = 0; i < 60 && !::testing::Test::HasFailure(); ++i) {
        auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
        Evening e;
        e.men = pick(8, 18);
        e.ladies = e.men + pick(-1, 1);
        e.doubles = pick(0, 1);
        e.mixed = pick(2, 6);
        e.courts = std::min(e.men, e.ladies) / 2 - pick(1, 2);
        e.playOptions = uint16_t(2 | (pick(0, 1) ? 0 : 1));
        compared += mixedEveningMatches(e, i, NoLimit);
    }
    std::printf("[ differential ] hard mixed evenings: %d of 60 compared\n", compared);
    EXPECT_GT(compared, 30);
}

// Mixed rounds with one gender scarce, so that (nearly) every player of it plays every round while the
// other has players to spare: where the courts test settles the last courts without branching (without
// a work limit, as above).
TEST(Differential, LopsidedMixedEveningsMatchTheReference)
{
    std::mt19937 rng(3131);
    int compared = 0;
    for (int i = 0; i < 40 && !::testing::Test::HasFailure(); ++i) {
        auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
        Evening e;
        const int few = pick(6, 14), many = std::min(40, few * pick(2, 3) + pick(0, 3));
        e.men = i % 2 == 0 ? few : many;
        e.ladies = i % 2 == 0 ? many : few;
        e.doubles = pick(0, 1);
        e.mixed = pick(3, 6);
        e.courts = few / 2 - pick(0, 1);
        e.playOptions = uint16_t(2 | pick(0, 1) | 4 * pick(0, 1));
        compared += mixedEveningMatches(e, i, NoLimit);
    }
    std::printf("[ differential ] lopsided mixed evenings: %d of 40 compared\n", compared);
    EXPECT_GT(compared, 20);
}

// The mend in both engines. With the literal searches' limit at 0 every varied-pairs mixed round goes
// to the mend in both (the reference otherwise runs its literal search to the end), and the mends must
// agree: varied-pairs evenings with a few players of each gender sitting out or none, among them those
// whose literal search ran without end. The 8 + 8 evening, whose literal search ends at once without a
// choice after round 1, is compared as it is.
TEST(Differential, MendedEveningsMatchTheReference)
{
    std::vector<Evening> evenings = {
        {.men = 26, .ladies = 34, .doubles = 1, .mixed = 4, .courts = 15, .playOptions = 2, .pause3 = 3, .pause2 = 2},
        {.men = 19, .ladies = 32, .doubles = 4, .mixed = 3, .courts = 8, .playOptions = 2, .pause3 = 0, .pause2 = 0},
        {.men = 22, .ladies = 24, .doubles = 1, .mixed = 5, .courts = 11, .playOptions = 2, .pause3 = 1, .pause2 = 3},
        {.men = 8, .ladies = 8, .mixed = 3, .courts = 4, .playOptions = 2},
    };
    std::mt19937 rng(1919);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    for (int i = 0; i < 36; ++i) {
        Evening e;
        e.men = pick(4, 30);
        e.ladies = pick(4, 30);
        e.doubles = pick(0, 2);
        e.mixed = pick(2, 6);
        e.courts = std::max(1, std::min(e.men, e.ladies) / 2 - pick(0, 2));
        e.playOptions = uint16_t(2 | pick(0, 1) | 4 * (pick(0, 3) == 0));
        e.pause3 = pick(0, 3);
        e.pause2 = pick(0, 3);
        evenings.push_back(e);
    }
    int compared = 0;
    for (size_t i = 0; i < evenings.size() && !::testing::Test::HasFailure(); ++i)
        compared += mixedEveningMatches(evenings[i], int(i), 0);
    EXPECT_TRUE(mixedEveningMatches(evenings[3], 3));
    std::printf("[ differential ] mended evenings: %d of %zu compared\n", compared, evenings.size());
    EXPECT_GT(compared, int(evenings.size()) * 3 / 4);
}

} // namespace
} // namespace tandemx::engine::testing
