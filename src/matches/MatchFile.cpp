#include "matches/MatchFile.h"

#include "messages/Messages.h"
#include "records/MemberFile.h"
#include "records/MemberList.h"
#include "state/AppState.h"

#include <QBuffer>
#include <QFile>

#include <algorithm>

namespace tandemx {

namespace {

const char* const kMatchMessages[] = {
    "",
    "Match bestaat NIET",
    "Geen Match gevonden",
    "Foutieve Match",
    "Geen Paar gevonden",
    "Wijzigen niet toegestaan",
    "Matchlijst is niet correct",
    "Matchlijst bestaat niet",
    "ScoreLijst is niet correct",
    "Speler heeft niet getennist",
};

void reportMatchError(Messages& messages, int state, int match)
{
    messages.lastErrorState = state;
    messages.showBericht(matchMessage(state) + QStringLiteral("match: ") + QString::number(match), Error, Btn::OK, 0);
}

MatchFileContents refused(int match)
{
    MatchFileContents r;
    r.errorState = MatchListIncorrect;
    r.errorMatch = match;
    return r;
}

// Writes the whole file into memory first, then through the checked atomic save.
bool writeFile(MatchData& data, const QString& path, int memberCount, Messages& messages)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    int failedMatch = 0;
    const int error = writeMatchFile(buffer, data.MatchList, memberCount, &failedMatch);
    if (error != 0) {
        reportMatchError(messages, error, failedMatch);
        return false;
    }
    if (!saveFileAtomically(path, bytes).isEmpty()) {
        messages.showMessageNo(path, 0, 8, 4); // " Wegschrijven NIET gelukt"
        return false;
    }
    return true;
}

} // namespace

QString matchMessage(int number)
{
    return number >= 1 && number <= 9 ? QString::fromLatin1(kMatchMessages[number]) : QString();
}

MatchFileContents readMatchFile(QIODevice& in, int memberCount)
{
    uint8_t countBytes[2];
    if (in.read(reinterpret_cast<char*>(countBytes), 2) != 2)
        return refused(0);
    const int count = getI16(countBytes);
    if (count < 0)
        return refused(count);

    const qint64 rest = in.isSequential() ? -1 : in.size() - in.pos();
    QByteArray body;
    if (rest < 0)
        body = in.readAll();
    const qint64 size = rest < 0 ? body.size() : rest;

    // The member count the file was written with: the one whose block size fits the file exactly.
    const qint64 emptyBlock = matchBlockSize(0);
    int fileMembers = -1;
    if (count == 0) {
        if (size != 0)
            return refused(0);
    } else if (size % count == 0 && size / count >= emptyBlock && (size / count - emptyBlock) % TCalcObj::Size == 0
               && (size / count - emptyBlock) / TCalcObj::Size <= MaxMembers) {
        fileMembers = int((size / count - emptyBlock) / TCalcObj::Size);
    } else {
        // Report the first match that the current member count cannot read completely.
        return refused(int(std::min<qint64>(count, size / matchBlockSize(memberCount) + 1)));
    }
    if (rest >= 0) {
        body = in.read(size);
        if (body.size() != size)
            return refused(int(std::min<qint64>(count, body.size() / matchBlockSize(fileMembers) + 1)));
    }

    MatchFileContents result;
    result.fileMemberCount = fileMembers;
    result.matches.reserve(size_t(count));
    const auto* p = reinterpret_cast<const uint8_t*>(body.constData());
    for (int a = 1; a <= count; ++a) {
        TMatchCalcObj m;
        m.header = MatchHeader::fromBytes(p);
        p += MatchHeader::Size;
        if (m.header.MatchNr != a)
            return refused(a);
        m.calcs.reserve(size_t(std::max(fileMembers, memberCount) + 1));
        for (int i = 0; i <= fileMembers; ++i, p += TCalcObj::Size)
            m.calcs.push_back(TCalcObj::fromBytes(p));
        m.scores.reserve(ScoreRoundEntries);
        for (int r = 0; r < ScoreRoundEntries; ++r, p += TScoreObj::Size)
            m.scores.push_back(TScoreObj::fromBytes(p));
        m.fitMemberCount(memberCount);
        result.matches.push_back(std::move(m));
    }
    return result;
}

int writeMatchFile(QIODevice& out, const std::vector<TMatchCalcObj>& matches, int memberCount, int* errorMatch)
{
    auto fail = [&](int state, int match) {
        if (errorMatch)
            *errorMatch = match;
        return state;
    };
    uint8_t bytes[TScoreObj::Size];
    putI16(bytes, int16_t(matches.size()));
    if (matches.size() > size_t(INT16_MAX) || out.write(reinterpret_cast<const char*>(bytes), 2) != 2)
        return fail(MatchListIncorrect, 0);
    int nr = 0;
    for (const TMatchCalcObj& m : matches) {
        ++nr;
        m.header.toBytes(bytes);
        if (out.write(reinterpret_cast<const char*>(bytes), MatchHeader::Size) != MatchHeader::Size)
            return fail(MatchListIncorrect, nr);
        if (int(m.calcs.size()) != memberCount + 1)
            return fail(MatchListIncorrect, nr);
        for (const TCalcObj& c : m.calcs) {
            c.toBytes(bytes);
            if (out.write(reinterpret_cast<const char*>(bytes), TCalcObj::Size) != TCalcObj::Size)
                return fail(MatchListIncorrect, nr);
        }
        if (m.scores.size() != size_t(ScoreRoundEntries))
            return fail(ScoreListIncorrect, nr);
        for (const TScoreObj& s : m.scores) {
            s.toBytes(bytes);
            if (out.write(reinterpret_cast<const char*>(bytes), TScoreObj::Size) != TScoreObj::Size)
                return fail(ScoreListIncorrect, nr);
        }
    }
    return fail(0, 0);
}

bool LoadHeader(MatchData& data, int n)
{
    const TMatchCalcObj* m = data.match(n);
    if (!m)
        return false;
    data.CurrentMatch.header = m->header;
    return true;
}

bool StoreHeader(MatchData& data, int n)
{
    TMatchCalcObj* m = data.match(n);
    if (!m)
        return false;
    m->header = data.CurrentMatch.header;
    m->header.MatchNr = int16_t(n);
    return true;
}

bool CreateMatch(MatchData& data, int n, int memberCount, int totalRounds, const QString& date)
{
    if (n != data.MatchCount() + 1)
        return false;
    data.MatchList.push_back(TMatchCalcObj::fresh(n, memberCount, totalRounds, date));
    return true;
}

bool CreateMatch(AppState& state, MatchData& data, int n)
{
    return CreateMatch(data, n, state.club.memberCount(), state.schedule->TotalRounds, matchDateText(state.today));
}

bool LoadMatchFile(MatchData& data, const QString& memberFileName, int memberCount, int totalRounds,
                   const QString& today, Messages& messages)
{
    messages.lastErrorState = 0;
    const QString path = matchFileName(memberFileName);
    if (memberFileName == NoFileName) {
        // A new list has no matches yet; a file of that name in the current folder is not ours.
        data.MatchList.clear();
        data.CurrentMatch = {};
        data.memberFile = memberFileName;
        messages.showMessageNo(path, 15, 0, 0);
        return false;
    }
    const bool sameFile = data.memberFile == memberFileName;
    auto forgetOtherFile = [&] {
        if (!sameFile) {
            data.MatchList.clear();
            data.CurrentMatch = {};
            data.memberFile = memberFileName;
        }
    };
    if (!QFile::exists(path)) {
        data.MatchList.clear();
        data.MatchList.push_back(TMatchCalcObj::fresh(1, memberCount, totalRounds, today));
        data.memberFile = memberFileName;
        data.CurrentMatch = {};
        LoadHeader(data, 1);
        data.CurrentMatch.match = 1;
        return true;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        forgetOtherFile();
        messages.showMessageNo(path, 0, 7, 4); // " Inlezen NIET gelukt"
        return false;
    }
    MatchFileContents read = readMatchFile(file, memberCount);
    file.close();
    if (read.errorState != 0) {
        forgetOtherFile();
        reportMatchError(messages, read.errorState, read.errorMatch);
        return false;
    }
    data.MatchList = std::move(read.matches);
    data.memberFile = memberFileName;
    data.CurrentMatch = {};
    if (data.MatchCount() > 0) {
        LoadHeader(data, data.MatchCount());
        data.CurrentMatch.match = data.MatchCount();
    }
    return true;
}

bool LoadMatchFile(AppState& state, MatchData& data)
{
    return LoadMatchFile(data, state.club.memberFileName, state.club.memberCount(), state.schedule->TotalRounds,
                         matchDateText(state.today), state.messages);
}

bool SaveMatchFile(MatchData& data, const QString& memberFileName, int memberCount, Messages& messages)
{
    if (data.MatchCount() == 0 || memberFileName == NoFileName)
        return true;
    messages.lastErrorState = 0;
    for (TMatchCalcObj& m : data.MatchList)
        m.fitMemberCount(memberCount);
    if (!writeFile(data, matchFileName(memberFileName), memberCount, messages))
        return false;
    data.memberFile = memberFileName;
    return true;
}

bool SaveMatchFile(AppState& state, MatchData& data)
{
    return SaveMatchFile(data, state.club.memberFileName, state.club.memberCount(), state.messages);
}

bool DeleteLastMatch(MatchData& data, bool confirm, const QString& memberFileName, int memberCount,
                     Messages& messages)
{
    const int count = data.MatchCount();
    const int nr = data.CurrentMatch.header.MatchNr;
    if (nr < count) {
        messages.showBericht(QStringLiteral("Matches niet opvolgend\rgebruik laatste Match"), Error, Btn::OK, 0);
        return false;
    }
    if (count == 0)
        return false;
    data.MatchList.pop_back();
    data.CurrentMatch = {};
    if (data.MatchCount() > 0) {
        LoadHeader(data, data.MatchCount());
        data.CurrentMatch.match = data.MatchCount();
    }
    if (confirm) {
        if (data.MatchCount() > 0) {
            SaveMatchFile(data, memberFileName, memberCount, messages);
        } else if (memberFileName != NoFileName) {
            // The emptied list replaces the file, so that the removed match does not come back.
            messages.lastErrorState = 0;
            if (writeFile(data, matchFileName(memberFileName), memberCount, messages))
                data.memberFile = memberFileName;
        }
        messages.showBericht(QStringLiteral("Match verwijderd, Nr: ") + QString::number(count), Information, Btn::OK, 0);
    }
    return true;
}

bool DeleteLastMatch(AppState& state, MatchData& data, bool confirm)
{
    return DeleteLastMatch(data, confirm, state.club.memberFileName, state.club.memberCount(), state.messages);
}

} // namespace tandemx
