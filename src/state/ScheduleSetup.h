#pragma once
// The rules of the schedule set-up without widgets: the defaults of an opening, the players from the
// member list, the play date as typed, and the checks of the counts with their messages. The set-up
// window and tandemx-cli both take their values through here, so every value that reaches the engine
// lies within the tables: men and ladies 0..200 (together too), rounds 0..24 in all, courts 0..32, and
// courts per round 0..32.
#include "engine/ScheduleHost.h"
#include "engine/ScheduleStart.h"
#include "engine/ScheduleTables.h"
#include "records/KeyData.h"
#include "records/MemberList.h"

#include <QDate>
#include <QString>

#include <array>
#include <optional>
#include <span>
#include <vector>

namespace tandemx::setup {

// The tags of the set-up window's fields: the five counts, the date, "&Meer", the three play options
// and the court grid (11..16 men's, 17..22 ladies', 23..28 mixed courts of the six visible rounds), and
// "Tegenstanders spreiden".
enum Tag : int {
    Heren = 1, Dames = 2, Tandem = 3, Mix = 4, Banen = 5, Datum = 6, More = 7,
    DameFirst = 8, VariPairs = 9, Groep1to2 = 10, FirstGrid = 11, LastGrid = 28, Spreiden = 29
};
constexpr int GridRows = 6;

// Opening in mode 1 (or 0): no men or ladies yet, rounds and courts from the key data (cut to what the
// tables hold: 24 rounds in all, 32 courts), no mixed courts in rounds 1..6, play option 2, no pauses.
void applyModeDefaults(engine::ScheduleSettings& in, engine::CourtsPerRoundTable& courts, const KeyData& keyData);

// The members as the engine reads them: the stored bytes of their fields, kept alive with the views.
class MemberPlayers {
public:
    explicit MemberPlayers(const MemberList& members);
    std::span<const engine::MemberView> views() const { return views_; }

private:
    std::vector<std::array<QByteArray, 4>> fields_;
    std::vector<engine::MemberView> views_;
};

// Fills both PlayerTable lists from the present members of the two groups, sets NumMen and NumLadies,
// and no mixed rounds when either is 0.
void takePlayers(engine::ScheduleState& schedule, engine::ScheduleHost& host, const MemberList& members,
                 const KeyData& keyData);

// A play date as typed: without a separator 1 or 2 digits are the day (of this month), 4 digits day and
// month, 6 or 8 digits day, month and year; "-", "." and "/" separate. Nothing when it is no date.
std::optional<QDate> parsePlayDate(const QString& typed, const QDate& today);
// The date as the window shows it.
QString playDateText(const QDate& date);

// What the counts may be: the key data's limits cut to the tables', and the members in the list.
struct CountLimits {
    int memberCount = 0;
    int doublesRounds = 0;
    int mixedRounds = 0;
    int courts = 0;
};
CountLimits countLimits(const KeyData& keyData, int memberCount);

// The check of one count field (tags 1..5 and 11..28) against its limits and the stored values of the
// other counts. error 0: value may be stored. Otherwise error is the LastErrorState the window sets
// and message the text it shows: a negative value gives the tag (below 10: "foutief"), men above the
// members or above 200 gives 11, men and ladies together above the members (or ladies above 200) 12,
// doubles rounds above the key data's (or 24 in all) 13, mixed rounds likewise 14, courts above the
// key data's (or 32) 20. notNumber: the text is no whole number (the window beeps, no message).
struct CountCheck {
    int value = 0;
    bool notNumber = false;
    int error = 0;
    QString message;
};
CountCheck checkCount(int tag, const QString& text, const engine::ScheduleSettings& stored, const CountLimits& limits);

// The field name of a count's message, by tag (fixed, also when the grid is scrolled).
QString fieldName(int tag);

// The first limit of the tables that the inputs break (men and ladies 0..200 each and together,
// rounds 0..24 each and in all, courts 0..32, the used courts per round 0..32 and the men's and
// ladies' of a doubles round together 0..32), as a short English reason; empty when all hold.
QString tableLimitBreach(const engine::ScheduleSettings& in, const engine::CourtsPerRoundTable& courts);

} // namespace tandemx::setup
