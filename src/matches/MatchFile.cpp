#include "matches/MatchFile.h"

#include "matches/MatchMembers.h"

#include "messages/Messages.h"
#include "records/MemberFile.h"
#include "records/MemberList.h"
#include "state/AppState.h"
#include "state/UnsavedChanges.h"

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

// Copies the file at path to path + suffix (a free name: a number is added when an earlier copy is
// there) and returns the copy's name, or "" when no copy could be made.
QString keepCopy(const QString& path, const QString& suffix)
{
    QString copy = path + suffix;
    for (int n = 2; QFile::exists(copy) && n < 100; ++n)
        copy = path + suffix + QString::number(n);
    return QFile::copy(path, copy) ? copy : QString();
}

// A copy that keepCopy could not make: the file itself is all there is of it, and the next save writes
// over it, so the user hears so before anything is saved.
void reportNoCopy(Messages& messages, const QString& path, const QString& suffix)
{
    messages.showMessageNo(path + suffix, 0, 8, 4); // " Wegschrijven NIET gelukt"
}

void followClub(AppState& state, MatchData& data)
{
    if (state.club.members)
        followMembers(data, *state.club.members);
}

} // namespace

QString matchMessage(int number)
{
    return number >= 1 && number <= 9 ? QString::fromLatin1(kMatchMessages[number]) : QString();
}

MatchFileContents readMatchFile(QIODevice& in, int memberCount, const MemberList* members)
{
    if (members)
        memberCount = members->count();
    uint8_t countBytes[2];
    if (in.read(reinterpret_cast<char*>(countBytes), 2) != 2)
        return refused(0);
    const int count = getI16(countBytes);
    if (count < 0)
        return refused(count);

    const QByteArray body = in.readAll();
    const qint64 size = body.size();

    // The member count the file was written with: the one whose block size fits the file exactly.
    // A file that fits none is damaged: the matches that the current member count reads completely
    // and in order are kept, up to the first that it cannot.
    const qint64 emptyBlock = matchBlockSize(0);
    int fileMembers = -1;
    int readable = count;
    bool layoutAssumed = false;
    if (count == 0) {
        if (size != 0)
            return refused(0);
    } else if (size % count == 0 && size / count >= emptyBlock && (size / count - emptyBlock) % TCalcObj::Size == 0
               && (size / count - emptyBlock) / TCalcObj::Size <= MaxMembers) {
        fileMembers = int((size / count - emptyBlock) / TCalcObj::Size);
    } else {
        // Bytes beyond the last match make it suspect too.
        fileMembers = memberCount;
        layoutAssumed = true;
        readable = int(std::min<qint64>(count - 1, size / matchBlockSize(memberCount)));
    }

    MatchFileContents result;
    result.fileMemberCount = readable == count ? fileMembers : -1;
    result.matches.reserve(size_t(readable));
    const auto* p = reinterpret_cast<const uint8_t*>(body.constData());
    int unattached = 0; // of the last match read
    for (int a = 1; a <= readable; ++a) {
        TMatchCalcObj m;
        m.header = MatchHeader::fromBytes(p);
        p += MatchHeader::Size;
        if (m.header.MatchNr != a) {
            readable = a - 1;
            break;
        }
        m.calcs.reserve(size_t(std::max(fileMembers, memberCount) + 1));
        for (int i = 0; i <= fileMembers; ++i, p += TCalcObj::Size)
            m.calcs.push_back(TCalcObj::fromBytes(p));
        m.scores.reserve(ScoreRoundEntries);
        for (int r = 0; r < ScoreRoundEntries; ++r, p += TScoreObj::Size)
            m.scores.push_back(TScoreObj::fromBytes(p));
        unattached = 0;
        if (members) {
            if (attachByClubNumber(m, *members, &unattached))
                result.rearranged.push_back(a);
            result.unattached += unattached;
        } else {
            m.fitMemberCount(memberCount);
        }
        result.matches.push_back(std::move(m));
    }
    if (layoutAssumed && readable > 0) {
        // Each match read is borne out by the next one's number where the member count puts it; the
        // last one needs it too (or the end of the file right behind it), or it may have been written
        // for another member count and its records read from the wrong places.
        const qint64 next = readable * matchBlockSize(memberCount);
        const bool followed = next == size
            || (next + 2 <= size && getI16(reinterpret_cast<const uint8_t*>(body.constData()) + next) == readable + 1);
        if (!followed) {
            result.matches.pop_back();
            if (!result.rearranged.empty() && result.rearranged.back() == readable)
                result.rearranged.pop_back();
            result.unattached -= unattached;
            --readable;
        }
    }
    if (readable < count) {
        result.errorState = MatchListIncorrect;
        result.errorMatch = readable + 1;
        result.fileMemberCount = -1;
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
    followClub(state, data);
    return CreateMatch(data, n, state.club.memberCount(), state.schedule->TotalRounds, matchDateText(state.today));
}

bool LoadMatchFile(MatchData& data, const QString& memberFileName, int memberCount, int totalRounds,
                   const QString& today, Messages& messages, const MemberList* members)
{
    messages.lastErrorState = 0;
    data.rearrangedOnLoad = false;
    if (members)
        memberCount = members->count();
    const QString path = matchFileName(memberFileName);
    auto tieToMembers = [&] {
        if (members)
            adoptMembers(data, *members);
        else
            data.memberIds.clear();
        data.fileIds = data.memberIds;
    };
    if (memberFileName == NoFileName) {
        // A new list has no matches yet; a file of that name in the current folder is not ours.
        data.MatchList.clear();
        data.CurrentMatch = {};
        data.memberFile = memberFileName;
        tieToMembers();
        messages.showMessageNo(path, 15, 0, 0);
        return false;
    }
    const bool sameFile = data.memberFile == memberFileName;
    auto forgetOtherFile = [&] {
        if (!sameFile) {
            data.MatchList.clear();
            data.CurrentMatch = {};
            data.memberFile = memberFileName;
            tieToMembers();
        }
    };
    auto makeLastCurrent = [&] {
        data.CurrentMatch = {};
        if (data.MatchCount() > 0) {
            LoadHeader(data, data.MatchCount());
            data.CurrentMatch.match = data.MatchCount();
        }
    };
    if (!QFile::exists(path)) {
        data.MatchList.clear();
        data.MatchList.push_back(TMatchCalcObj::fresh(1, memberCount, totalRounds, today));
        data.memberFile = memberFileName;
        tieToMembers();
        makeLastCurrent();
        return true;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        forgetOtherFile();
        messages.showMessageNo(path, 0, 7, 4); // " Inlezen NIET gelukt"
        return false;
    }
    MatchFileContents read = readMatchFile(file, memberCount, members);
    file.close();
    if (read.errorState != 0) {
        // Nothing of a damaged file is lost: it stays beside the one the next save writes.
        const QString kept = keepCopy(path, QStringLiteral(".beschadigd"));
        const int readCount = int(read.matches.size());
        if (read.matches.empty())
            forgetOtherFile();
        reportMatchError(messages, read.errorState, read.errorMatch);
        if (!read.matches.empty()) {
            data.MatchList = std::move(read.matches);
            data.memberFile = memberFileName;
            tieToMembers();
            makeLastCurrent();
        }
        if (!kept.isEmpty())
            messages.showBericht(QStringLiteral("Ingelezen: ") + QString::number(readCount)
                                     + QStringLiteral(" match(es); het beschadigde bestand is bewaard als ") + kept,
                                 Information, Btn::OK, 0);
        else
            reportNoCopy(messages, path, QStringLiteral(".beschadigd"));
        return false;
    }
    data.MatchList = std::move(read.matches);
    data.memberFile = memberFileName;
    tieToMembers();
    makeLastCurrent();
    data.rearrangedOnLoad = !read.rearranged.empty();
    if (!read.rearranged.empty()) {
        QStringList numbers;
        for (int n : read.rearranged)
            numbers << QString::number(n);
        QString text = QStringLiteral("Volgorde van de leden gewijzigd: de scores van match ") + numbers.join(QStringLiteral(", "))
            + QStringLiteral(" zijn op clubnummer bij de leden gezet");
        QString kept;
        if (read.unattached > 0) {
            kept = keepCopy(path, QStringLiteral(".origineel"));
            text += QStringLiteral("\r") + QString::number(read.unattached) + QStringLiteral(" score(s) zonder lid");
            if (!kept.isEmpty())
                text += QStringLiteral("; het bestand is bewaard als ") + kept;
        }
        messages.showBericht(text, Information, Btn::OK, 0);
        if (read.unattached > 0 && kept.isEmpty())
            reportNoCopy(messages, path, QStringLiteral(".origineel"));
    }
    return true;
}

bool LoadMatchFile(AppState& state, MatchData& data)
{
    const MemberList* members = state.club.members ? &*state.club.members : nullptr;
    const bool read = LoadMatchFile(data, state.club.memberFileName, state.club.memberCount(),
                                    state.schedule->TotalRounds, matchDateText(state.today), state.messages, members);
    if (&data == &state.matches) {
        // What the file holds in another order than the list, or could not be read, differs from
        // what is in memory: the next save writes it.
        if (read && !data.rearrangedOnLoad) {
            markMatchesSaved(state);
        } else {
            data.savedBytes.clear();
            data.fileIds.clear();
        }
    }
    return read;
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
    // Written in member order, each record with its member's club number.
    if (state.club.members)
        stampClubNumbers(data, *state.club.members);
    if (!SaveMatchFile(data, state.club.memberFileName, state.club.memberCount(), state.messages))
        return false;
    if (state.club.memberFileName != NoFileName && &data == &state.matches) {
        data.fileIds = data.memberIds;
        markMatchesSaved(state);
    }
    return true;
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
    // With confirm the file is written: in member order, each record with its member's club number.
    if (confirm && state.club.members)
        stampClubNumbers(data, *state.club.members);
    else
        followClub(state, data);
    const bool removed = DeleteLastMatch(data, confirm, state.club.memberFileName, state.club.memberCount(), state.messages);
    if (removed && confirm && state.messages.lastErrorState == 0 && state.club.memberFileName != NoFileName
        && &data == &state.matches) {
        data.fileIds = data.memberIds;
        markMatchesSaved(state);
    }
    return removed;
}

} // namespace tandemx
