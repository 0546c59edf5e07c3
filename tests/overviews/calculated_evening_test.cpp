// The overviews of an evening the calculation made: the tables built from the schedule must agree with
// the counters the calculation kept (times played, opponents per round), also after "Tegenstanders
// spreiden" placed the courts again.
#include "OverviewFixture.h"
#include "engine/QuietHost.h"
#include "engine/ScheduleStart.h"
#include "overviews/OverviewLayout.h"
#include "overviews/OverviewLines.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <tuple>
#include <utility>

namespace tandemx::overviews {
namespace {

using namespace testing;

std::unique_ptr<ScheduleState> calculatedEvening(uint16_t playOptions, bool spread)
{
    auto s = std::make_unique<ScheduleState>();
    engine::QuietHost host(0);
    engine::SetGroupCodes(*s, "H", "D");
    const char* men[] = {"Aart", "Bas", "Cor", "Dirk", "Eef", "Frits", "Gijs", "Huub", "Ivo"};
    const char* ladies[] = {"Ank", "Bep", "Cis", "Door", "Emma", "Fien", "Gea"};
    for (int j = 1; j <= 9; ++j)
        setName(*s, Men, j, men[j - 1], "Man");
    for (int j = 1; j <= 7; ++j)
        setName(*s, Ladies, j, ladies[j - 1], "Vrouw");
    for (int j = 1; j <= 9; ++j)
        s->PlayerTable[Men][size_t(j)].PlayerCode = 'X';
    for (int j = 1; j <= 7; ++j)
        s->PlayerTable[Ladies][size_t(j)].PlayerCode = 'X';
    s->Settings = {9, 7, 3, 2, 3, playOptions, 0, engine::ScheduleMode::Names};
    engine::DefaultCourts(*s, host);
    s->Settings.PlayOptions = playOptions;
    s->Settings.PauseOptions = 0;
    s->Settings.SpreadOpponents = spread;
    engine::StartSchedule(*s, host);
    EXPECT_EQ(s->spread.applied, spread);
    EXPECT_TRUE(s->SolutionFound);
    return s;
}

TEST(CalculatedEvening, TablesAgreeWithTheCalculation)
{
    const uint16_t ladiesFirst = engine::PlayOption::LadiesFirst;
    for (const auto& [options, spread] : {std::pair{uint16_t(0), false}, std::pair{ladiesFirst, false},
                                          std::pair{uint16_t(0), true}, std::pair{ladiesFirst, true}}) {
        SCOPED_TRACE(spread ? "spread" : "calculated");
        auto s = calculatedEvening(options, spread);
        std::vector<std::string> errors;
        FillPlayerTables(*s, {[&](const std::string& text) { errors.push_back(text); }, nullptr});
        EXPECT_TRUE(errors.empty()) << (errors.empty() ? std::string() : errors.front());
        const int rounds = totalRounds(*s);
        ASSERT_EQ(rounds, 5);

        // Times played counts the rounds in which the court schedule shows a court.
        std::map<std::string, int> courtsShown;
        const OverviewLines court = buildCourtSchedule(*s, groupHeadings(*s), false);
        ASSERT_EQ(court.size(), 1u + 9u + 1u + 7u);
        EXPECT_EQ(court[0], options ? "DAMES  " : "HEREN  ");
        for (const std::string& line : court) {
            const auto fields = listRow(line);
            if (fields.size() == 1)
                continue;
            ASSERT_EQ(fields.size(), 3u + 5u) << line;
            courtsShown[fields[0]] = int(std::count_if(fields.begin() + 3, fields.end(),
                                                       [](const std::string& f) { return f != "-"; }));
        }
        const OverviewLines times = buildTimesPlayed(*s, groupHeadings(*s));
        ASSERT_EQ(times.size(), 1u + 9u);
        for (size_t i = 1; i < times.size(); ++i) {
            const auto fields = listRow(times[i]);
            EXPECT_EQ(std::stoi(fields[2]), courtsShown[fields[0]]) << times[i];
            if (i <= 7) {
                EXPECT_EQ(std::stoi(fields[5]), courtsShown[fields[3]]) << times[i];
            }
        }

        // Every opponent recorded for a round plays on the player's court in that round; in the mixed
        // rounds a man's second opponent is a lady, a lady's first opponent a man.
        const int doubles = s->Run.NumDoublesRounds;
        for (int g = Men; g <= Ladies; ++g) {
            for (int n = 1; n <= s->players(g); ++n) {
                for (int r = 1; r <= rounds; ++r) {
                    const int own = s->PlayerCourtTable[size_t(g)][size_t(r)].player[size_t(n)];
                    const auto opponents = s->Counters[size_t(g)].RoundOpponents[size_t(n)][size_t(r)];
                    if (own == 0) {
                        EXPECT_EQ(opponents[0], 0);
                        continue;
                    }
                    for (int slot = 0; slot < 2; ++slot) {
                        const int list = r <= doubles ? g : (slot == 0 ? Men : Ladies);
                        EXPECT_EQ(s->PlayerCourtTable[size_t(list)][size_t(r)].player[opponents[size_t(slot)]], own)
                            << "list " << g << " player " << n << " round " << r << " slot " << slot;
                    }
                }
            }
        }
    }
}

// 16 numbered men and 16 ladies, 3 doubles rounds on 4 + 4 courts, then 3 mixed rounds on 8.
std::unique_ptr<ScheduleState> numberedMixedEvening(bool spread)
{
    auto s = std::make_unique<ScheduleState>();
    engine::QuietHost host(0);
    engine::SetGroupCodes(*s, "H", "D");
    s->Settings = {16, 16, 3, 3, 8, 0, 0, engine::ScheduleMode::Numbered};
    engine::DefaultCourts(*s, host);
    s->Settings.PlayOptions = 0;
    s->Settings.SpreadOpponents = spread;
    engine::StartSchedule(*s, host);
    EXPECT_EQ(s->spread.applied, spread);
    EXPECT_TRUE(s->SolutionFound);
    return s;
}

// The column after the rounds names a player of the row's own list met more than once in that slot:
// its count never exceeds the times the courts put the two against each other. Man 8 met in a doubles
// round and lady 8 in a mixed round are no repeat. After "Tegenstanders spreiden" no two players meet
// twice on this evening, so the column stays empty.
TEST(CalculatedEvening, CrossTableRepeatsAreOpponentsMetAgain)
{
    for (const bool spread : {false, true}) {
        SCOPED_TRACE(spread ? "spread" : "calculated");
        auto s = numberedMixedEvening(spread);
        const int rounds = totalRounds(*s);
        ASSERT_EQ(rounds, 6);
        // Times each two players of one list stood on opposite sides of a court.
        std::map<std::tuple<int, int, int>, int> met; // (list, player, opponent)
        for (int r = 1; r <= rounds; ++r) {
            for (int category = engine::MenDoubles; category <= engine::MixedDoubles; ++category) {
                const auto range = s->ScheduleTable[size_t(r)].range[size_t(category)];
                for (int k = std::max(1, range.first); k <= range.last; ++k) {
                    const auto& p = s->ScheduleTable[size_t(r)].court[size_t(k)];
                    for (int i = 0; i < 4; ++i)
                        for (int j = 0; j < 4; ++j) {
                            const int gi = category == engine::MixedDoubles ? (i % 2 == 0 ? Men : Ladies) : category;
                            const int gj = category == engine::MixedDoubles ? (j % 2 == 0 ? Men : Ladies) : category;
                            if ((i < 2) != (j < 2) && gi == gj)
                                ++met[{gi, p[size_t(i)], p[size_t(j)]}];
                        }
                }
            }
        }
        const OverviewLines lines = buildCrossTable(*s, groupHeadings(*s));
        int list = -1, player = 0, suffixes = 0;
        for (const std::string& line : lines) {
            const auto fields = listRow(line);
            if (fields.size() == 1)
                continue; // the line between the lists
            if (fields.size() == 2) {
                ++list; // a list's heading
                continue;
            }
            if (fields[1] != " ")
                player = std::stoi(fields[1].substr(fields[1].find(' ') + 1));
            ASSERT_GE(fields.size(), 3u + size_t(rounds)) << line;
            if (fields.size() == 3u + size_t(rounds))
                continue;
            ++suffixes;
            const std::string& suffix = fields.back();
            const int opponent = std::stoi(suffix.substr(0, suffix.find('(')));
            const int times = std::stoi(suffix.substr(suffix.find('(') + 1));
            const int listOfRow = s->Settings.PlayOptions & engine::PlayOption::LadiesFirst ? 1 - list : list;
            EXPECT_LE(times, (met[{listOfRow, player, opponent}])) << "list " << listOfRow << ": " << line;
        }
        if (spread) {
            ASSERT_EQ(s->spread.after.maxOpponents, 1);
            EXPECT_EQ(suffixes, 0);
        }
        if (!spread) {
            EXPECT_GT(suffixes, 0); // the calculation alone repeats opponents here
        }
    }
}

} // namespace
} // namespace tandemx::overviews
