#pragma once
// The fixed texts of the overview window: the kinds, the shared title table, the column caption table
// and the list-view hints per zone of the mouse position. Plain C++ (ASCII texts).
#include "engine/ScheduleMode.h"

#include <array>
#include <string>
#include <string_view>

namespace tandemx::overviews {

// The overviews; the number is the Tag of the menu items that open them.
enum OverviewKind : int {
    NoOverview = 0,
    PairSchedule = 1,  // "&Parenschema"
    CourtSchedule = 2, // "&BaanSchema"
    TimesPlayedOverview = 3, // "&Aantal malen gespeeld"
    CrossTable = 4,    // "&Kruistabel"
    ChangeGrid = 5,    // "&Wijzigen"
    GamesOverview = 10, // "Uitvoer Games"
};

constexpr int TitleCount = 15;
// Title table entry 0..14 ("" out of range).
const char* titleText(int index);
// The title of an overview kind (entry kind - 1; kind 10 takes entry 9 "UITVOER van GAMES").
std::string overviewTitle(OverviewKind kind);
// The word an overview's printout and export file names carry: "parenschema", "baanschema",
// "aantal-malen-gespeeld", "kruistabel", "games" ("overzicht" for any other kind).
const char* overviewFileWord(OverviewKind kind);
// The heading label's text: the title, for kind 10 followed by ", Match: " and the match number.
std::string overviewHeading(OverviewKind kind, int matchNumber);
// The heading label's width: 250 for kind 10, else 225.
int overviewHeadingWidth(OverviewKind kind);

// Index of the section lines of the pair schedule in the title table.
namespace SectionTitle {
constexpr int Tandem = 5;       // " ,Schema,Tandem"
constexpr int MixedTandem = 6;  // " ,Schema,Gemengd Tandem"
constexpr int GroupTandem = 7;  // " ,Schema,Groepen Tandem"
}

// CaptionRow = kind + 5 x (ScheduleMode - 1): 1..5 with names, 6..10 numbered, 10 or 15 for kind 10.
int CaptionRow(OverviewKind kind, engine::ScheduleMode scheduleMode);
// The caption table, rows 1..10, captions 1..7; out of range gives "".
const char* captionText(int row, int column);
// The seven captions an overview's columns use: kind 10 always takes row 10, kind 4 always row 4.
std::array<std::string, 7> captionsFor(OverviewKind kind, engine::ScheduleMode scheduleMode);

// Entry n of the shared text table that holds the list-view hints (entries 52..71; "" elsewhere).
const char* hintTableText(int entry);

// The hint zone under the mouse's X position in the list view of an overview with names: 0..4, or -1
// outside every zone (the window then cancels the shown hint and sets the zone-0 text). N is the
// number of rounds. Kind 5 (the change grid) has no zones.
int hintZone(OverviewKind kind, int x, int rounds);
// The hint text at X: entry 5 x k + z + 47 (k the kind, 2 for kind 10; z the zone, 0 outside the
// zones). Kind 3 shows " Heren speler " in zone 0 when there are no ladies. The numbered schedule has
// no hints: the window does not ask.
std::string hint(OverviewKind kind, int x, int rounds, bool ladiesPresent);

} // namespace tandemx::overviews
