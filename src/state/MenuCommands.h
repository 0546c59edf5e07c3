#pragma once
// The commands of the main window's menus that other windows carry out. The numbers are the menu items'
// Tags (and, plus the menu's own number, their help contexts).

namespace tandemx {

// The "&Match" menu.
enum class MatchCommand : int {
    NieuweMatch = 1,   // "&Nieuwe Match"
    OpenMatch = 2,     // "&Open Match"
    VerwijderMatch = 3, // "&Verwijder Match"
    InvoerGames = 4,   // "Invoer Games"
    UitvoerGames = 5,  // "Uitvoer Games"
    KopieVanGames = 6, // "Kopie van Games"
};

// The pages of the options dialog, opened from "&Opties".
enum class OptionsPage : int {
    Personal = 0, // "Pers.&Gegevens"
    Print = 1,    // "&Print Opties"
};

} // namespace tandemx
