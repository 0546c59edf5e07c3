#pragma once
// Setting up a calculation: the player table from the members, the player codes, the category
// names, the default courts per round, and what "&Start" does before, around and after the
// calculation. The set-up window and tandemx-cli both call these.
#include "ScheduleHost.h"
#include "ScheduleTables.h"

#include <span>
#include <string_view>

namespace tandemx::engine {

// What the engine reads of a member: the stored (Windows-1252) bytes of its fields.
struct MemberView {
    int32_t clubNr = 0;
    std::string_view voornaam;
    std::string_view achternaam;
    std::string_view grp;
    std::string_view actie;
};

// Trimming (bytes up to the blank) and upper-casing of ASCII letters, as group codes are compared.
std::string_view trimAscii(std::string_view text);
bool sameCode(std::string_view a, std::string_view b);

// The PlayerCode of an Actie field whose first character is above "0". A leading run of digits gives
// its value (kept in a byte); beep is set when the value exceeds 64 or more than digits follow. Otherwise
// the upper-cased first character, + 50 when the second character is "1", + 100 when it is "2".
uint8_t playerCodeFromActie(std::string_view actie, bool* beep);

// Fills the gender's PlayerTable list from the members taking part in that group (in list order) and
// returns how many were taken. At most 200 are stored; the count goes on beyond that so the caller
// can refuse the run. A member without a last name is still taken and reported.
int BuildPlayerTable(ScheduleState& state, ScheduleHost& host, int gender, std::span<const MemberView> members,
                     std::string_view groupCode);

// The category names from the key data's group codes (" Heren ", " Dames ", or " Groep " + code).
void SetGroupCodes(ScheduleState& state, std::string_view group1Code, std::string_view group2Code);

// "&Meer" step 1: the default courts per round from Settings (men, ladies, rounds, courts); sets
// PauseOptions to 5, ladies first with only ladies, and no mixed rounds without men or ladies. Counts
// outside the tables (negative, more than 200 players or 32 courts) propose no courts and beep.
void DefaultCourts(ScheduleState& state, ScheduleHost& host);

// "&Start" steps 1-4: the limits (false when refused: men + ladies above 200, courts above 32, or the
// men's and ladies' courts of a doubles round together above 32), forced options, the engine's copies,
// the PauseLevel and CheckCourts (false when the engine refuses the inputs). The window stores its
// court grid into CourtsPerRound before this call.
bool PrepareStart(ScheduleState& state, ScheduleHost& host);
// "&Start" steps 6-7: asks " Wilt U stoppen" when LastErrorState is set; true when the run goes on.
bool ConfirmStart(ScheduleState& state, ScheduleHost& host);
// "&Start" steps 8-10: empties the histories and overview tables, names numbered players, runs the
// calculation and shows the closing text (with a line on the opponents after "Tegenstanders
// spreiden"). Does nothing when the engine refuses the inputs.
void RunCalculation(ScheduleState& state, ScheduleHost& host);
// All of "&Start" without a match: PrepareStart, ConfirmStart, RunCalculation.
void StartSchedule(ScheduleState& state, ScheduleHost& host);

} // namespace tandemx::engine
