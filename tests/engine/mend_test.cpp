// Varied-pairs mixed rounds that the mixed search ends without: the mend plans them with courts whose
// two pairs have no history conflict, or the round is reported as before; the work limits of both
// searches, counted in work units and not in time.
#include "EngineTestSupport.h"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <string>

namespace tandemx::engine::testing {
namespace {

std::unique_ptr<ScheduleState> run(const Evening& e, EngineMode mode, RecordingHost& host, int64_t searchLimit = -1,
                                   int64_t mendLimit = -1)
{
    auto s = prepareEvening(e, host);
    s->Engine = mode;
    if (searchLimit >= 0)
        s->mend.searchLimit = searchLimit;
    if (mendLimit >= 0)
        s->mend.mendLimit = mendLimit;
    StartSchedule(*s, host);
    return s;
}

// A search without a work limit.
constexpr int64_t NoLimit = std::numeric_limits<int64_t>::max();

std::string label(const Evening& e, EngineMode mode)
{
    return std::to_string(e.men) + "+" + std::to_string(e.ladies) + " players, " + std::to_string(e.doubles) + "+"
        + std::to_string(e.mixed) + " rounds, " + std::to_string(e.courts) + " courts, options "
        + std::to_string(e.playOptions) + (mode == EngineMode::Fast ? ", fast" : ", reference");
}

// Evenings in which every player (of one gender, or of both) plays every mixed round. With varied pairs the search puts the first
// two pairs of the pool on court 1 each round: from round 2 on, in the pool's plain order, those are men
// 1 and 2, who met in round 1, so the search finds nothing (the club evening that asked for the mend:
// 8 + 8 on four courts). The mend plans every such round, with full courts and no conflict on any
// court, alike in both engines.
TEST(Mend, PlansTheRoundsTheSearchEndsWithout)
{
    const Evening evenings[] = {
        {.men = 8, .ladies = 8, .mixed = 3, .courts = 4, .playOptions = 2},
        {.men = 10, .ladies = 10, .mixed = 4, .courts = 5, .playOptions = 2 | 1},
        {.men = 10, .ladies = 10, .doubles = 2, .mixed = 3, .courts = 5, .playOptions = 2},
        {.men = 6, .ladies = 14, .mixed = 3, .courts = 3, .playOptions = 2},
        {.men = 14, .ladies = 6, .doubles = 1, .mixed = 3, .courts = 3, .playOptions = 2 | 1},
    };
    for (const Evening& e : evenings) {
        RecordingHost fastHost, referenceHost;
        const auto fast = run(e, EngineMode::Fast, fastHost);
        const auto reference = run(e, EngineMode::Reference, referenceHost);
        const std::string name = label(e, EngineMode::Fast);
        EXPECT_EQ(fastHost.messages, std::vector<std::string>{}) << name;
        EXPECT_EQ(expectNoConflictOnACourt(*fast, name), e.mixed * e.courts) << name;
        int mended = 0;
        for (int r = e.doubles + 1; r <= e.doubles + e.mixed; ++r) {
            const uint8_t plan = fast->mend.plan[size_t(r)];
            EXPECT_TRUE(plan == 0 || plan == RoundPlan::Mended) << name << ", round " << r;
            mended += plan == RoundPlan::Mended;
            EXPECT_EQ(fast->ScheduleTable[size_t(r)].range[MixedDoubles].last, e.courts) << name << ", round " << r;
        }
        EXPECT_GT(mended, 0) << name;
        if (e.men == 8) {
            EXPECT_EQ(fast->mend.plan[1], 0);
            EXPECT_EQ(fast->mend.plan[2], RoundPlan::Mended);
            EXPECT_EQ(fast->mend.plan[3], RoundPlan::Mended);
        }
        EXPECT_EQ(referenceHost.messages, fastHost.messages) << name;
        EXPECT_EQ(0, std::memcmp(&reference->ScheduleTable, &fast->ScheduleTable, sizeof fast->ScheduleTable)) << name;
        EXPECT_EQ(0, std::memcmp(&reference->Counters, &fast->Counters, sizeof fast->Counters)) << name;
    }
}

// Four men on two courts: each round pairs them off into two courts, and three rounds use up the three
// ways to do so. From round 4 on no choice of ladies gives courts without a conflict, so the mend fails
// and the round is reported and stored as the search left it (nothing chosen).
TEST(Mend, ARoundTheMendCannotPlanIsReportedAsBefore)
{
    const Evening e{.men = 4, .ladies = 9, .mixed = 5, .courts = 2, .playOptions = 2};
    for (EngineMode mode : {EngineMode::Fast, EngineMode::Reference}) {
        RecordingHost host;
        const auto s = run(e, mode, host);
        const std::string name = label(e, mode);
        EXPECT_EQ(expectNoConflictOnACourt(*s, name), 3 * 2) << name;
        EXPECT_EQ(host.messages, (std::vector<std::string>{
                                     "Geen oplossing gemengd-tandem   Selectie niet gelukt in ronde : 4",
                                     "Geen oplossing gemengd-tandem    in ronde : 4",
                                     "Geen oplossing gemengd-tandem   Selectie niet gelukt in ronde : 5",
                                     "Geen oplossing gemengd-tandem    in ronde : 5"}))
            << name;
        for (int r = 4; r <= 5; ++r) {
            EXPECT_EQ(s->mend.plan[size_t(r)], 0) << name << ", round " << r;
            EXPECT_EQ(s->ScheduleTable[size_t(r)].range[MixedDoubles].last, 0) << name << ", round " << r;
        }
    }
}

// The work limits. A literal search with no work allowed stops at once and the mend plans every round
// (the first one too). With no work allowed to the mend either, round 2 is reported and nothing is
// stored; then everybody sat out and must play, more than there are places, and the later rounds fail
// as before (the mend is not tried: no choice passes the must-play check). Either way both engines
// give the same evening.
TEST(Mend, WorkLimitsStopTheSearches)
{
    const Evening e{.men = 10, .ladies = 9, .doubles = 1, .mixed = 3, .courts = 4, .playOptions = 2};
    struct Case {
        const char* name;
        int64_t searchLimit, mendLimit;
        std::array<uint8_t, 3> plan; // overall rounds 2..4
        int storedCourts;
        size_t messages;
    };
    const Case cases[] = {
        {"no literal search", 0, -1, {3, 3, 3}, 4, 0},
        {"neither search", 0, 0, {RoundPlan::WorkLimit | RoundPlan::MendLimit, RoundPlan::WorkLimit, RoundPlan::WorkLimit},
         0, 6},
    };
    static_assert((RoundPlan::WorkLimit | RoundPlan::Mended) == 3);
    for (const Case& c : cases) {
        RecordingHost fastHost, referenceHost;
        const auto fast = run(e, EngineMode::Fast, fastHost, c.searchLimit, c.mendLimit);
        const auto reference = run(e, EngineMode::Reference, referenceHost, c.searchLimit, c.mendLimit);
        for (int r = 2; r <= 4; ++r) {
            EXPECT_EQ(fast->mend.plan[size_t(r)], c.plan[size_t(r - 2)]) << c.name << ", round " << r;
            EXPECT_EQ(fast->ScheduleTable[size_t(r)].range[MixedDoubles].last, c.storedCourts) << c.name << ", round " << r;
        }
        EXPECT_EQ(fastHost.messages.size(), c.messages) << c.name;
        EXPECT_EQ(expectNoConflictOnACourt(*fast, c.name), 3 * c.storedCourts) << c.name;
        EXPECT_EQ(referenceHost.messages, fastHost.messages) << c.name;
        EXPECT_EQ(0, std::memcmp(&reference->ScheduleTable, &fast->ScheduleTable, sizeof fast->ScheduleTable)) << c.name;
    }
}

// Each round's literal search gets the whole work limit, whatever the rounds before it spent. Evenings
// with two varied-pairs mixed rounds whose literal searches take long (a random walk found them), which
// together need well over what the heaviest needs alone. With the literal searches' limit a little
// above the heaviest one's work, every round is the round the search without a limit gives (an
// allowance for the whole evening of less than one and a half limits would have cut a later one).
// With the limit between the heaviest round's work and the next heaviest's, that round alone stops at
// the limit and goes to the mend; the rounds before it are as without a limit.
TEST(Mend, EachRoundsSearchGetsTheWholeLimit)
{
    const Evening evenings[] = {
        {.men = 34, .ladies = 26, .doubles = 1, .mixed = 6, .courts = 7, .playOptions = 2, .pause3 = 1, .pause2 = 2},
        {.men = 7, .ladies = 39, .doubles = 6, .mixed = 5, .courts = 6, .playOptions = 2 | 1, .pause3 = 3, .pause2 = 2},
    };
    for (const Evening& e : evenings) {
        const std::string name = label(e, EngineMode::Fast);
        RecordingHost unlimitedHost;
        const auto unlimited = run(e, EngineMode::Fast, unlimitedHost, NoLimit);
        const int first = e.doubles + 1, last = e.doubles + e.mixed;
        int heaviest = first;
        int64_t total = 0;
        for (int r = first; r <= last; ++r) {
            ASSERT_EQ(unlimited->mend.plan[size_t(r)] & RoundPlan::WorkLimit, 0) << name << ", round " << r;
            total += unlimited->mend.searchWork[size_t(r)];
            if (unlimited->mend.searchWork[size_t(r)] > unlimited->mend.searchWork[size_t(heaviest)])
                heaviest = r;
        }
        const int64_t most = unlimited->mend.searchWork[size_t(heaviest)];
        int64_t next = 0;
        for (int r = first; r <= last; ++r)
            if (r != heaviest)
                next = std::max(next, unlimited->mend.searchWork[size_t(r)]);
        ASSERT_GT(2 * total, 3 * most) << name;

        RecordingHost aboveHost;
        const auto above = run(e, EngineMode::Fast, aboveHost, most + most / 16);
        EXPECT_EQ(above->mend.plan, unlimited->mend.plan) << name;
        EXPECT_EQ(aboveHost.messages, unlimitedHost.messages) << name;
        EXPECT_EQ(0, std::memcmp(&above->ScheduleTable, &unlimited->ScheduleTable, sizeof above->ScheduleTable))
            << name;
        EXPECT_EQ(0, std::memcmp(&above->Counters, &unlimited->Counters, sizeof above->Counters)) << name;

        RecordingHost belowHost;
        const auto below = run(e, EngineMode::Fast, belowHost, (most + next) / 2);
        for (int r = first; r <= last; ++r) {
            const bool limited = below->mend.plan[size_t(r)] & RoundPlan::WorkLimit;
            if (r < heaviest)
                EXPECT_FALSE(limited) << name << ", round " << r;
            else if (r == heaviest)
                EXPECT_TRUE(limited && (below->mend.plan[size_t(r)] & RoundPlan::Mended)) << name << ", round " << r;
        }
        for (int r = 1; r < heaviest; ++r)
            EXPECT_EQ(0, std::memcmp(&below->ScheduleTable[size_t(r)], &unlimited->ScheduleTable[size_t(r)],
                                     sizeof(RoundRecord)))
                << name << ", round " << r;
    }
}

// The work limits count the fast engine's work. The reference engine counts none: a limit of one unit
// stops every varied-pairs literal search of the fast engine (the mend plans the rounds) and none of
// the reference's, which gives the evening of the search without a limit.
TEST(Mend, TheReferenceEngineCountsNoWork)
{
    const Evening e{.men = 10, .ladies = 9, .doubles = 1, .mixed = 3, .courts = 4, .playOptions = 2};
    RecordingHost unlimitedHost, fastHost, referenceHost;
    const auto unlimited = run(e, EngineMode::Fast, unlimitedHost, NoLimit);
    const auto fast = run(e, EngineMode::Fast, fastHost, 1);
    const auto reference = run(e, EngineMode::Reference, referenceHost, 1);
    for (int r = 2; r <= 4; ++r) {
        EXPECT_EQ(fast->mend.plan[size_t(r)], RoundPlan::WorkLimit | RoundPlan::Mended) << "round " << r;
        EXPECT_EQ(reference->mend.plan[size_t(r)], unlimited->mend.plan[size_t(r)]) << "round " << r;
        EXPECT_EQ(reference->mend.searchWork[size_t(r)], 0) << "round " << r;
    }
    EXPECT_EQ(referenceHost.messages, unlimitedHost.messages);
    EXPECT_EQ(0, std::memcmp(&reference->ScheduleTable, &unlimited->ScheduleTable, sizeof reference->ScheduleTable));
}

} // namespace
} // namespace tandemx::engine::testing
