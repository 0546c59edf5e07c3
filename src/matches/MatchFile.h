#pragma once
// The match list of the open member file and its match file (the member file's name with ".CAL"):
// a 16-bit match count, then per match its header, (member count + 1) score records and 25 rounds of
// court scores. The file does not store the member count; the reader derives it from the file size.
#include "matches/MatchRecords.h"
#include "records/MemberList.h"

#include <QIODevice>
#include <QString>

#include <unordered_map>
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
    // The identities of the members that the score records are indexed by, position by position (empty
    // while the matches are tied to no member list): see MatchMembers.h.
    std::vector<MemberId> memberIds;
    // The identities in the order the match file on disk was read or written in (empty: unknown).
    std::vector<MemberId> fileIds;
    // The records of members that left the list, by identity, one per match: a member who comes back
    // (his removal undone by dropping the list's unsaved changes) gets them again.
    std::unordered_map<MemberId, std::vector<TCalcObj>> departed;
    // The bytes of the match file as last read or written (empty: not on disk as it is in memory).
    QByteArray savedBytes;
    // The file held the records in another order than the member list (put right by club number).
    bool rearrangedOnLoad = false;

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
    std::vector<TMatchCalcObj> matches; // fitted to the requested member count; on an error the
                                        // matches read before it
    int errorState = 0;                 // 0 or MatchListIncorrect
    int errorMatch = 0;                 // the match that could not be read (0: the count itself)
    int fileMemberCount = -1;           // the member count the file was written with (-1: no match,
                                        // or a damaged file)
    std::vector<int> rearranged;        // matches whose records were put to their members by club number
    int unattached = 0;                 // records with scores that belong to no member of the list
};

// Reads a whole match file. A file written with another member count is accepted when its size
// fits exactly one member count (2 + N x (6433 + 14 x M)); its matches are then fitted to
// memberCount: records of members beyond it are dropped, new members get fresh records. With the
// member list the records are fitted to its members by their club numbers where the file's order is
// not the list's (see attachByClubNumber), and memberCount is the list's.
// Errors, with MatchListIncorrect: a missing or negative count and a size that fits no member count
// with no complete match (nothing read); a size that fits no member count (or more than MaxMembers)
// or a match whose number is not its position: the matches before it are kept. Where the size fits
// no member count the file is read with memberCount, and a match is kept only when the next match's
// number (or the end of the file) lies right behind it: a match written for another member count is
// not read from the wrong places.
MatchFileContents readMatchFile(QIODevice& in, int memberCount, const MemberList* members = nullptr);

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
// file is looked for). A damaged file is reported with the match that could not be read; the
// matches before it are kept (none read: the list stays as it was when it belongs to this member
// file, and is empty otherwise) and the file itself is kept beside it as "<name>.CAL.beschadigd"
// before anything can overwrite it. With the member list the records are fitted to its members (by
// club number where the file's order is not the list's; said once, and the file is kept as
// "<name>.CAL.origineel" when records with scores found no member). A copy that cannot be made is
// reported (" Wegschrijven NIET gelukt" with the copy's name), since the next save writes over the
// file. Returns true when the list reflects the file.
bool LoadMatchFile(MatchData& data, const QString& memberFileName, int memberCount, int totalRounds,
                   const QString& today, Messages& messages, const MemberList* members = nullptr);
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
