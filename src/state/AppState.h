#pragma once
// The program-wide state: created once in main() (or a test) and passed by reference.
#include "messages/Messages.h"
#include "printing/PrintMetrics.h"
#include "records/KeyData.h"
#include "records/MemberFile.h"
#include "records/MemberList.h"
#include "state/ModalHooks.h"
#include "state/Seams.h"
#include "state/WindowPlacement.h"

#include "engine/ScheduleTables.h"
#include "matches/MatchFile.h"

#include <memory>
#include <optional>

namespace tandemx {

struct Club {
    std::optional<MemberList> members; // no list until New or Open
    QString memberFileName = NoFileName;
    bool backupPending = true;
    bool fileLoaded = false;
    std::optional<TConfigObj> config;   // the key data of the open member file
    PrintSettings printSettings;        // program-wide; travels inside the key-data file
    bool configAccepted = false;
    QString configFileName;
    bool printerInstalled = false;
    // The window text font in use.
    QByteArray windowFontName = "MS Sans Serif";
    int windowFontSize = 10;
    // The member list and key data as last read or written (see UnsavedChanges.h).
    std::optional<MemberList> savedMembers;
    QByteArray savedMemberBytes;
    QByteArray savedConfigBytes;
    // Whether the printer font is set up, once the options dialog said so: "Printer" (not set up) or
    // "Print Font" (set up). Cleared whenever key data are loaded or made, so every member file starts
    // from its own print settings.
    std::optional<bool> printFontChosen;

    int memberCount() const { return members ? members->count() : 0; }
    // Whether printouts use the print font of the settings: as the options dialog left it, else as
    // the settings were loaded (a print font size stored).
    bool printFontSetUp() const { return printFontChosen.value_or(printing::printFontSetUp(printSettings)); }
    // The key data in force: the loaded ones, or the defaults while none exist.
    const KeyData& keyData() const;
};

struct AppState {
    AppState(Messages& m, Clock& c, FileDialogs& f)
        : messages(m), clock(c), files(f), schedule(std::make_unique<engine::ScheduleState>())
    {
        messages.setOptionsSource([this] { return club.keyData().options; });
        today = clock.today();
        playDate = today;
    }
    AppState(const AppState&) = delete;
    AppState& operator=(const AppState&) = delete;

    Messages& messages;
    Clock& clock;
    FileDialogs& files;
    QDate today; // taken once at start
    // The play date of the schedule accepted last (today until then): the printouts and the copy of
    // the games into a match take it.
    QDate playDate;
    Club club;
    // The schedule tables: filled by the set-up window, read by the overviews and the game input.
    std::unique_ptr<engine::ScheduleState> schedule;
    // The matches of the open member file (kept only with KeepGames).
    MatchData matches;
    // Runs with each dialog just before it runs modally (empty in the program; tests drive the
    // dialogs here).
    ModalHooks modalHooks;
    // Where the windows were left (the program's settings); without it the windows open at their
    // starting places every time (tests, the command-line tool).
    WindowPlaces* windowPlaces = nullptr;
};

// Key-data file handling for the open member file.
// Reads the key data beside memberFileName. Returns false when the caller must show the key-data
// dialog with defaults (the reason was reported).
bool loadConfig(AppState& state, const QString& memberFileName);
// Writes the key data beside memberFileName ("N_N" writes nothing). Returns false on a failed write
// (reported).
bool saveConfig(AppState& state, const QString& memberFileName);
// A fresh configuration with the defaults; the print settings take the window font in use.
void setDefaults(AppState& state);

} // namespace tandemx
