#pragma once
// The match list of the open member file and its match file (the member file's name with ".CAL"):
// a 16-bit match count, then per match its header, (member count + 1) score records and 25 rounds of
// court scores. The file does not store the member count; the reader derives it from the file size.
#include "matches/MatchRecords.h"

#include <QIODevice>
#include <QString>

#include <vector>

namespace tandemx {

class Messages;
struct AppState;

// The nine match messages, numbered as LastErrorState uses them.
enum MatchMessageNo : int {
    MatchDoesNotExist = 1,  // "Match bestaat NIET"
    NoMatchFound = 2,       // "Geen Match gevonden"
    WrongMatch = 3,         // "Foutieve Match"
    NoPairFound = 4,        // "Geen Paar gevonden"
    ChangeNotAllowed = 5,   // "Wijzigen niet toegestaan"
    MatchListIncorrect = 6, // "Matchlijst is niet correct"
    MatchListMissing = 7,   // "Matchlijst bestaat niet"
    ScoreListIncorrect = 8, // "ScoreLijst is niet correct"
    PlayerDidNotPlay = 9,   // "Speler heeft niet getennist"
};
// The text of match message 1..9; "" otherwise.
QString matchMessage(int number);

// The selected match: a copy of its header that the match dialogs edit and write back with
// StoreHeader, and the number of the match the windows work on (0: none).
struct CurrentMatchState {
    MatchHeader header;
    int match = 0;
};

// The match data of the open member file. Match n is MatchList[n - 1].
struct MatchData {
    std::vector<TMatchCalcObj> MatchList;
    CurrentMatchState CurrentMatch;
    // The member file the list belongs to (set by loading and by saving).
    QString memberFile;

    int MatchCount() const { return int(MatchList.size()); }
    TMatchCalcObj* match(int n) { return n >= 1 && n <= MatchCount() ? &MatchList[size_t(n - 1)] : nullptr; }
    const TMatchCalcObj* match(int n) const
    {
        return n >= 1 && n <= MatchCount() ? &MatchList[size_t(n - 1)] : nullptr;
    }
    // The match CurrentMatch refers to, or nullptr.
    TMatchCalcObj* current() { return match(CurrentMatch.match); }
    const TMatchCalcObj* current() const { return match(CurrentMatch.match); }
};

// --- The file format, without messages ---

struct MatchFileContents {
    std::vector<TMatchCalcObj> matches; // fitted to the requested member count; empty on an error
    int errorState = 0;                 // 0 or MatchListIncorrect
    int errorMatch = 0;                 // the match that could not be read (0: the count itself)
    int fileMemberCount = -1;           // the member count the file was written with (-1: no match)
};

// Reads a whole match file. A file written with another member count is accepted when its size
// fits exactly one member count (2 + N x (6433 + 14 x M)); its matches are then fitted to
// memberCount: records of members beyond it are dropped, new members get fresh records.
// Refused, with MatchListIncorrect: a missing or negative count, a size that fits no member count (or
// more than MaxMembers), a match whose number is not its position.
MatchFileContents readMatchFile(QIODevice& in, int memberCount);

// Writes the count and every match. Each match must hold memberCount + 1 score records
// (MatchListIncorrect otherwise) and 25 rounds (ScoreListIncorrect); a failing write gives the error
// of the part being written. Returns 0 or the error, with the failing match in *errorMatch.
int writeMatchFile(QIODevice& out, const std::vector<TMatchCalcObj>& matches, int memberCount, int* errorMatch);

// --- The match list commands ---

// Copies the header of match n into CurrentMatch (false, nothing changed, when there is no match n).
bool LoadHeader(MatchData& data, int n);
// Writes the CurrentMatch header back as the header of match n (its MatchNr stays n).
bool StoreHeader(MatchData& data, int n);

// Appends match n with InputMode 0, MatchRounds = totalRounds, the given date, fresh score records for
// memberCount members and empty rounds. Only the next number (MatchCount + 1) is accepted.
bool CreateMatch(MatchData& data, int n, int memberCount, int totalRounds, const QString& date);
bool CreateMatch(AppState& state, MatchData& data, int n);

// Loads the match file beside memberFileName. Without a file, a saved member file starts with match 1;
// the unsaved list ("N_N") gets an empty list and the message "Geen Ledenbestand geopend: " (no
// file is looked for). A file that cannot be read is reported and leaves the list as it was when
// it belongs to this member file, and empty otherwise. Returns true when the list reflects the file.
bool LoadMatchFile(MatchData& data, const QString& memberFileName, int memberCount, int totalRounds,
                   const QString& today, Messages& messages);
bool LoadMatchFile(AppState& state, MatchData& data);

// Writes the match file beside memberFileName through a checked atomic save, every match with
// memberCount + 1 score records (the lists in memory are fitted first). Nothing is written while the
// list is empty or the member file has no name yet ("N_N": the matches stay in memory until it has
// one). Returns false when it failed (reported; the file on disk is unchanged).
bool SaveMatchFile(MatchData& data, const QString& memberFileName, int memberCount, Messages& messages);
bool SaveMatchFile(AppState& state, MatchData& data);

// Removes the current match when it is the last one; the match before it becomes current (none after
// the only match). With confirm the match file is saved (an emptied list is written with count 0) and
// "Match verwijderd, Nr: " is shown. Returns true when a match was removed.
bool DeleteLastMatch(MatchData& data, bool confirm, const QString& memberFileName, int memberCount,
                     Messages& messages);
bool DeleteLastMatch(AppState& state, MatchData& data, bool confirm);

} // namespace tandemx
