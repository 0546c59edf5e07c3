#pragma once
// The overview line builders. Every overview is first built as OverviewLines: one text per row, its
// columns separated by commas. The same lines feed the list view, the change grid, the printout and
// the text export. Names come from the PlayerTable as stored (Windows-1252 bytes), so the lines are
// Windows-1252 byte strings too; turn them into QString with fromCp1252 for display.
//
// The builders only read the schedule state; FillPlayerTables writes the two overview work tables
// (PlayerCourtTable, PlayerGamesTable) that live in it.
#include "engine/ScheduleTables.h"
#include "overviews/OverviewTexts.h"

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tandemx::overviews {

using OverviewLines = std::vector<std::string>;

constexpr size_t MaxLineLength = 255;   // every line
constexpr size_t MaxNamePart = 80;      // court schedule, games, cross table: name part, and the part after it
constexpr size_t MaxHalfPart = 48;      // times played: each half; pair schedule: each player part

// The two section titles, indexed by gender (men = group 1, ladies = group 2), at most 10 characters.
using GroupHeadings = std::array<std::string, 2>;

// "HEREN  " when the code, trimmed and in upper case, is "H", else " GROEP " + code (cut to 10);
// likewise "DAMES  " for "D".
GroupHeadings groupHeadings(std::string_view group1Code, std::string_view group2Code);
// The headings from the group codes kept in the schedule state.
GroupHeadings groupHeadings(const engine::ScheduleState& state);

// What FillPlayerTables reports and asks while it walks the schedule.
struct FillHooks {
    // One "Geen baanpaar op baan: " error per empty place.
    std::function<void(const std::string& text)> error;
    // The games of a place (1..4) on court position c in round r of the open match; unset when no
    // match is open (the games table then stays 0).
    std::function<int(int round, int court, int place)> games;
};

// Rebuilds both lists' PlayerCourtTable (court position per round, 0 = sits out) and PlayerGamesTable
// for rounds 1..TotalRounds from the ScheduleTable. Each record's count is the list's player count.
void FillPlayerTables(engine::ScheduleState& state, const FillHooks& hooks = {});

// The player numbers 1..count in name order (trimmed last name + stored first name, cut to 20
// characters, byte order; equal keys keep list order); numbered schedules keep 1..count.
std::vector<int> SortedOrder(const std::array<engine::TNaamObj, engine::MaxPlayers + 1>& list, int count,
                             engine::ScheduleMode scheduleMode);
std::vector<int> SortedOrder(const engine::ScheduleState& state, int gender);

// The two lists in the order of the overviews: ladies first with "Dames op de 1e banen".
std::array<int, 2> listOrder(const engine::ScheduleState& state);

// The builders, one per CaptionRow group.
OverviewLines buildPairSchedule(const engine::ScheduleState& state);           // CaptionRow 1
OverviewLines buildNumberedPairSchedule(const engine::ScheduleState& state);   // CaptionRow 6
OverviewLines buildCourtSchedule(const engine::ScheduleState& state, const GroupHeadings& headings,
                                 bool changeGrid);                              // 2, 7; 5 with changeGrid
OverviewLines buildTimesPlayed(const engine::ScheduleState& state, const GroupHeadings& headings); // 3, 8
OverviewLines buildCrossTable(const engine::ScheduleState& state, const GroupHeadings& headings);  // 4, 9
OverviewLines buildGames(const engine::ScheduleState& state, const GroupHeadings& headings);       // 10, 15

// The lines of an overview kind for the state's ScheduleMode, chosen by CaptionRow. Empty without a
// schedule (mode 0), for a kind other than 1..5 and 10, and for the change grid (kind 5) of a
// numbered schedule. Run FillPlayerTables
// first: the court schedule, change grid and games read the work tables.
OverviewLines buildOverview(OverviewKind kind, const engine::ScheduleState& state, const GroupHeadings& headings);
OverviewLines buildOverview(OverviewKind kind, const engine::ScheduleState& state);

// The change grid's header line: "Ix,Voornaam,Achternaam,ronde: " and "," + r for rounds 1..N.
std::string changeGridHeader(int rounds);

// Number of rounds shown: NumDoublesRounds + NumMixedRounds of the last calculation, at most 24.
int totalRounds(const engine::ScheduleState& state);

} // namespace tandemx::overviews
