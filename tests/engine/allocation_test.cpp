// A calculation allocates nothing: every table is sized once in the ScheduleState. This binary counts
// the allocations made through operator new while a run is in progress.
#include "engine/ScheduleEngine.h"
#include "engine/ScheduleStart.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <memory>
#include <new>

namespace {
std::atomic<bool> counting{false};
std::atomic<long> allocations{0};
}

// The replacements pair malloc with free; the compiler cannot see that new and delete both changed.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

void* operator new(std::size_t size)
{
    if (counting)
        ++allocations;
    if (void* p = std::malloc(size ? size : 1))
        return p;
    throw std::bad_alloc();
}
void* operator new[](std::size_t size) { return operator new(size); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }

namespace tandemx::engine {
namespace {

// Counts what it is shown without keeping it.
class CountingHost : public ScheduleHost {
public:
    int showBericht(std::string_view, int, int) override { return ++messages, Bericht::ResultNo; }
    int lastErrorState() const override { return lastError; }
    void setLastErrorState(int state) override { lastError = state; }
    uint16_t keyDataOptions() const override { return 19; } // warnings and progress lines on
    void showFoutregel(std::string_view) override { ++warnings; }
    void showProgressLine(std::string_view, int, int) override { ++progressLines; }
    bool breakTest() override { return ++candidates > 200000; }

    int messages = 0, warnings = 0, progressLines = 0, lastError = 0;
    long candidates = 0;
};

TEST(Allocation, NoneDuringARun)
{
    struct Case {
        int men, ladies, doubles, mixed, courts;
        uint16_t playOptions;
    };
    // A typical evening, one with warnings, failed rounds and the mixed history, and one whose mixed
    // rounds after the first the mend plans.
    for (const Case& c : {Case{24, 24, 4, 2, 10, 0}, Case{9, 5, 3, 3, 6, 2 | 4}, Case{8, 8, 0, 3, 4, 2}}) {
        CountingHost host;
        auto s = std::make_unique<ScheduleState>();
        s->Settings = {c.men, c.ladies, c.doubles, c.mixed, c.courts, c.playOptions, 0, ScheduleMode::Numbered};
        DefaultCourts(*s, host);
        if (c.doubles > 1)
            s->CourtsPerRound.men[2] = 0;
        counting = true;
        StartSchedule(*s, host);
        counting = false;
        EXPECT_EQ(allocations.exchange(0), 0) << c.men << " men";
        EXPECT_GT(host.progressLines, 0);
        if (c.men == 9) {
            EXPECT_GT(host.messages, 0);
            EXPECT_GT(host.warnings, 0);
        }
        if (c.men == 8) {
            EXPECT_EQ(s->mend.plan[2], RoundPlan::Mended);
            EXPECT_EQ(host.messages, 0);
        }
    }
}

// The search's work tables come with the state. A copy of a state that has calculated gets tables of its
// own: it calculates the schedule the state calculates again, neither allocates, and the copy calculates
// on after the state has gone.
TEST(Allocation, ACopyOfTheStateCalculatesOnTablesOfItsOwn)
{
    struct Case {
        int men, ladies, doubles, mixed, courts;
        uint16_t playOptions;
    };
    for (const Case& c : {Case{24, 24, 4, 2, 10, 0}, Case{8, 8, 0, 3, 4, 2}}) {
        CountingHost first, copied, again, later;
        auto s = std::make_unique<ScheduleState>();
        s->Settings = {c.men, c.ladies, c.doubles, c.mixed, c.courts, c.playOptions, 0, ScheduleMode::Numbered};
        DefaultCourts(*s, first);
        StartSchedule(*s, first);
        auto copy = std::make_unique<ScheduleState>(*s);
        counting = true;
        StartSchedule(*copy, copied);
        StartSchedule(*s, again);
        counting = false;
        EXPECT_EQ(allocations.exchange(0), 0) << c.men << " men";
        EXPECT_GT(copied.progressLines, 0);
        EXPECT_TRUE(copy->ScheduleTable == s->ScheduleTable) << c.men << " men";
        EXPECT_EQ(copied.messages, again.messages) << c.men << " men";
        const auto schedule = copy->ScheduleTable;
        s.reset();
        StartSchedule(*copy, later);
        EXPECT_TRUE(copy->ScheduleTable == schedule) << c.men << " men";
    }
}

} // namespace
} // namespace tandemx::engine
