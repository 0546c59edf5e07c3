#pragma once
// The records of the match file: the 19-byte match header, the 14-byte score record of one member in
// one match, the 256-byte court scores of one round, and one match in memory.
#include "records/Record.h"

#include <QDate>
#include <QString>

#include <array>
#include <cstdint>
#include <vector>

namespace tandemx {

constexpr int MaxScoreCourts = 32;
constexpr int ScorePlaces = 4;
constexpr int ScoreRoundEntries = 25; // entry 0 unused, rounds 1..24

// What the games typed for a match count: games won, or sets won (MatchHeader's InputMode).
enum ScoreInput : int16_t { InputGames = 0, InputSets = 1 };

// MatchHeader: MatchNr (2), InputMode (2), MatchRounds (2), MatchDate (length byte + 12 characters).
struct MatchHeader {
    static constexpr int Size = 19;
    static constexpr int DateOffset = 6;

    int16_t MatchNr = 0;
    int16_t InputMode = InputGames; // stored as a number: other values count as games
    int16_t MatchRounds = 0;
    // The stored date field as it is written: all 13 bytes, also those beyond the used characters.
    std::array<uint8_t, 13> MatchDate{};

    QString matchDate() const;
    void setMatchDate(QStringView text); // cut to 12 characters

    void toBytes(uint8_t* out) const;
    static MatchHeader fromBytes(const uint8_t* in);

    bool operator==(const MatchHeader&) const = default;
};

// The score record of one member in one match.
struct TCalcObj {
    static constexpr int Size = 14;

    int16_t ClubNr = 0;
    int16_t Games = 0;
    int16_t TotalGames = 0;
    int16_t GamesPlace = 1;
    int16_t Sets = 0;
    int16_t TotalSets = 0;
    int16_t SetsPlace = 1;

    void toBytes(uint8_t* out) const;
    static TCalcObj fromBytes(const uint8_t* in);

    bool operator==(const TCalcObj&) const = default;
};

// The games entered for one round: courts 1..32 x places 1..4, stored court by court.
struct TScoreObj {
    static constexpr int Size = 256;

    std::array<int16_t, MaxScoreCourts * ScorePlaces> entries{};

    int16_t& at(int court, int place) { return entries[size_t((court - 1) * ScorePlaces + place - 1)]; }
    int16_t at(int court, int place) const { return entries[size_t((court - 1) * ScorePlaces + place - 1)]; }
    bool isZero() const;

    void toBytes(uint8_t* out) const;
    static TScoreObj fromBytes(const uint8_t* in);

    bool operator==(const TScoreObj&) const = default;
};

// One match in memory. The score records are indexed by the member's position in the member list
// (entry 0 stands for the list's header record); the court scores by round (entry 0 unused).
struct TMatchCalcObj {
    MatchHeader header;
    std::vector<TCalcObj> calcs;
    std::vector<TScoreObj> scores;

    // A new match: memberCount + 1 fresh score records and 25 empty rounds.
    static TMatchCalcObj fresh(int matchNr, int memberCount, int rounds, QStringView date);

    // Gives the match exactly memberCount + 1 score records: records of members beyond the end are
    // dropped, members without one get a fresh record.
    void fitMemberCount(int memberCount);

    bool operator==(const TMatchCalcObj&) const = default;
};

// Bytes of one match block and of a whole match file for a given member count.
constexpr qint64 matchBlockSize(int memberCount)
{
    return MatchHeader::Size + qint64(TCalcObj::Size) * (memberCount + 1) + qint64(TScoreObj::Size) * ScoreRoundEntries;
}
constexpr qint64 matchFileSize(int matchCount, int memberCount)
{
    return 2 + qint64(matchCount) * matchBlockSize(memberCount);
}

// The date text a match is given: two-digit day and month and the year, separated by hyphens.
QString matchDateText(const QDate& date);

} // namespace tandemx
