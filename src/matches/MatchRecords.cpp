#include "matches/MatchRecords.h"

#include <algorithm>
#include <cstring>

namespace tandemx {

namespace {
constexpr StringField kDate{0, 12}; // within MatchDate
}

QString MatchHeader::matchDate() const
{
    return getString(MatchDate.data(), kDate);
}

void MatchHeader::setMatchDate(QStringView text)
{
    putString(MatchDate.data(), kDate, text);
}

void MatchHeader::toBytes(uint8_t* out) const
{
    putI16(out, MatchNr);
    putI16(out + 2, InputMode);
    putI16(out + 4, MatchRounds);
    std::memcpy(out + DateOffset, MatchDate.data(), MatchDate.size());
}

MatchHeader MatchHeader::fromBytes(const uint8_t* in)
{
    MatchHeader h;
    h.MatchNr = getI16(in);
    h.InputMode = getI16(in + 2);
    h.MatchRounds = getI16(in + 4);
    std::memcpy(h.MatchDate.data(), in + DateOffset, h.MatchDate.size());
    return h;
}

void TCalcObj::toBytes(uint8_t* out) const
{
    const int16_t fields[] = {ClubNr, Games, TotalGames, GamesPlace, Sets, TotalSets, SetsPlace};
    for (int i = 0; i < 7; ++i)
        putI16(out + 2 * i, fields[i]);
}

TCalcObj TCalcObj::fromBytes(const uint8_t* in)
{
    TCalcObj c;
    int16_t* fields[] = {&c.ClubNr, &c.Games, &c.TotalGames, &c.GamesPlace, &c.Sets, &c.TotalSets, &c.SetsPlace};
    for (int i = 0; i < 7; ++i)
        *fields[i] = getI16(in + 2 * i);
    return c;
}

bool TScoreObj::isZero() const
{
    return std::all_of(entries.begin(), entries.end(), [](int16_t v) { return v == 0; });
}

void TScoreObj::toBytes(uint8_t* out) const
{
    for (size_t i = 0; i < entries.size(); ++i)
        putI16(out + 2 * i, entries[i]);
}

TScoreObj TScoreObj::fromBytes(const uint8_t* in)
{
    TScoreObj s;
    for (size_t i = 0; i < s.entries.size(); ++i)
        s.entries[i] = getI16(in + 2 * i);
    return s;
}

TMatchCalcObj TMatchCalcObj::fresh(int matchNr, int memberCount, int rounds, QStringView date)
{
    TMatchCalcObj m;
    m.header.MatchNr = int16_t(matchNr);
    m.header.InputMode = 0;
    m.header.MatchRounds = int16_t(rounds);
    m.header.setMatchDate(date);
    m.calcs.assign(size_t(std::max(memberCount, 0) + 1), TCalcObj{});
    m.scores.assign(ScoreRoundEntries, TScoreObj{});
    return m;
}

void TMatchCalcObj::fitMemberCount(int memberCount)
{
    calcs.resize(size_t(std::max(memberCount, 0) + 1));
}

QString matchDateText(const QDate& date)
{
    return date.toString(QStringLiteral("dd-MM-yyyy"));
}

} // namespace tandemx
