#include "overviews/OverviewTexts.h"

namespace tandemx::overviews {
namespace {

constexpr const char* kTitles[TitleCount] = {
    "PAREN INDELING",
    "BAAN SCHEMA",
    "AANTALMALEN  GESPEELD",
    "KRUIS TABEL ",
    "BAANSCHEMA BEWERKEN",
    " ,Schema,Tandem",
    " ,Schema,Gemengd Tandem",
    " ,Schema,Groepen Tandem",
    "SLEUTEL GEGEVENS",
    "UITVOER van GAMES",
    "UITVOER van SETS",
    "GESPEELDE  GAMES",
    "BEHAALDE GAMES ",
    "Tekstverwerken instellen",
    "UITVOER van MATCHES",
};

constexpr const char* kCaptions[10][7] = {
    {"ronde", "Voornaam", "Achternaam", "tegen", "Voornaam", "Achternaam", "baan"},
    {"Voornaam", "Achternaam", "ronde : ", "", "", "", ""},
    {"Voornaam", "Achternaam", "Aantal", "Voornaam", "Achternaam", "Aantal", ""},
    {"Nr", "V.Achternaam", "ronde: ", "Nr", "", "", ""},
    {"Ix,Voornaam,Achternaam,ronde: ", "", "", "", "", "", ""},
    {"ronde", "Paar 1(1)", "Paar 1(2)", "tegen", "Paar 2(1)", "Paar2(1)", " Baan"},
    {"Naam", "Index", "ronde : ", "", "", "", ""},
    {"Naam", "Index", "Aantal", "Naam", "Index", "Aantal", ""},
    {"", "", "", "", "", "", ""},
    {"Voornaam", "Achternaam", "ronde : ", "", "", "", ""},
};

// Hint entries 52..71 (5 x kind + zone + 47).
constexpr int kFirstHint = 52;
constexpr const char* kHints[] = {
    "Ronde ", "Eerste Tandem-paar", "Tweede Tandem-paar", "Speel-baan", "",                      // 52..56
    "Voornaam-", "Achternaam Speler ", "Speelronde ", "baan-nummer", "",                         // 57..61
    "Dames speler ", "Gespeeld aantal matches", " Heren speler ", "Gespeeld aantal matches", "", // 62..66
    "Index", "Naam ", "Speelronde", "Tegenspeler ", "Meermaal (aantal)",                          // 67..71
};

} // namespace

const char* titleText(int index)
{
    return index >= 0 && index < TitleCount ? kTitles[index] : "";
}

std::string overviewTitle(OverviewKind kind)
{
    return titleText(kind == GamesOverview ? 9 : kind - 1);
}

const char* overviewFileWord(OverviewKind kind)
{
    switch (kind) {
    case PairSchedule: return "parenschema";
    case CourtSchedule: return "baanschema";
    case TimesPlayedOverview: return "aantal-malen-gespeeld";
    case CrossTable: return "kruistabel";
    case GamesOverview: return "games";
    default: return "overzicht";
    }
}

std::string overviewHeading(OverviewKind kind, int matchNumber)
{
    std::string text = overviewTitle(kind);
    if (kind == GamesOverview)
        text += ", Match: " + std::to_string(matchNumber);
    return text;
}

int overviewHeadingWidth(OverviewKind kind)
{
    return kind == GamesOverview ? 250 : 225;
}

int CaptionRow(OverviewKind kind, engine::ScheduleMode scheduleMode)
{
    return kind + 5 * (int(scheduleMode) - 1);
}

const char* captionText(int row, int column)
{
    if (row < 1 || row > 10 || column < 1 || column > 7)
        return "";
    return kCaptions[row - 1][column - 1];
}

std::array<std::string, 7> captionsFor(OverviewKind kind, engine::ScheduleMode scheduleMode)
{
    int row = CaptionRow(kind, scheduleMode);
    if (kind == GamesOverview)
        row = 10;
    else if (kind == CrossTable)
        row = 4;
    std::array<std::string, 7> captions;
    for (int i = 0; i < 7; ++i)
        captions[size_t(i)] = captionText(row, i + 1);
    return captions;
}

const char* hintTableText(int entry)
{
    const int i = entry - kFirstHint;
    return i >= 0 && i < int(std::size(kHints)) ? kHints[i] : "";
}

int hintZone(OverviewKind kind, int x, int rounds)
{
    switch (kind) {
    case PairSchedule:
        if (x >= 1 && x <= 54) return 0;
        if (x >= 58 && x <= 284) return 1;
        if (x >= 341 && x <= 559) return 2;
        if (x > 562) return 3;
        return -1;
    case CourtSchedule:
    case GamesOverview:
        if (x >= 1 && x <= 89) return 0;
        if (x >= 93 && x <= 234) return 1;
        if (x >= 238 && x <= 294) return 2;
        if (x > 297) return 3;
        return -1;
    case TimesPlayedOverview:
        if (x >= 1 && x <= 254) return 0;
        if (x >= 258 && x <= 314) return 1;
        if (x >= 318 && x <= 569) return 2;
        if (x >= 573) return 3;
        return -1;
    case CrossTable:
        if (x >= 1 && x <= 39) return 0;
        if (x >= 43 && x <= 209) return 1;
        if (x >= 213 && x <= 269) return 2;
        if (x >= 273 && x <= 269 + 35 * rounds) return 3;
        if (x > 272 + 35 * rounds) return 4;
        return -1;
    default:
        return -1;
    }
}

std::string hint(OverviewKind kind, int x, int rounds, bool ladiesPresent)
{
    const int zone = hintZone(kind, x, rounds);
    if (kind != PairSchedule && kind != CourtSchedule && kind != TimesPlayedOverview && kind != CrossTable
        && kind != GamesOverview)
        return "";
    const int k = kind == GamesOverview ? 2 : kind;
    const int z = zone < 0 ? 0 : zone;
    if (kind == TimesPlayedOverview && z == 0 && !ladiesPresent)
        return hintTableText(5 * k + 2 + 47);
    return hintTableText(5 * k + z + 47);
}

} // namespace tandemx::overviews
