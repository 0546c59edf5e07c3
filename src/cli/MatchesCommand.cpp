// tandemx-cli matches FILE.tdm [--format json|text]: the match file beside a member file — per match
// its header, every member's score record and the court scores per round that are not zero.
#include "cli/CliSupport.h"
#include "cli/Commands.h"

#include "matches/MatchFile.h"
#include "records/MemberFile.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextStream>

#include <cstdio>

namespace tandemx::cli {
namespace {

QString modeName(int mode) { return mode == InputSets ? QStringLiteral("Sets") : QStringLiteral("Games"); }

QString memberName(const MemberList& list, int position)
{
    if (position > list.count())
        return {};
    const TLedenObj& r = list.at(position);
    return QString(r.voornaam().trimmed() + u' ' + r.achternaam().trimmed()).trimmed();
}

// Calls f(round, court) for every court of a round with a score other than 0.
template <typename F>
void forEachCourtScore(const TMatchCalcObj& m, F f)
{
    for (int round = 0; round < int(m.scores.size()); ++round)
        for (int court = 1; court <= MaxScoreCourts; ++court)
            for (int place = 1; place <= ScorePlaces; ++place)
                if (m.scores[size_t(round)].at(court, place) != 0) {
                    f(round, court);
                    break;
                }
}

QJsonObject matchJson(const TMatchCalcObj& m, const MemberList& list)
{
    QJsonObject o;
    o[QLatin1String("matchNr")] = m.header.MatchNr;
    o[QLatin1String("inputMode")] = m.header.InputMode;
    o[QLatin1String("inputModeName")] = modeName(m.header.InputMode);
    o[QLatin1String("matchRounds")] = m.header.MatchRounds;
    o[QLatin1String("matchDate")] = m.header.matchDate();
    QJsonArray members;
    for (int i = 1; i < int(m.calcs.size()); ++i) {
        const TCalcObj& c = m.calcs[size_t(i)];
        QJsonObject r;
        r[QLatin1String("position")] = i;
        r[QLatin1String("name")] = memberName(list, i);
        r[QLatin1String("clubNr")] = c.ClubNr;
        r[QLatin1String("games")] = c.Games;
        r[QLatin1String("totalGames")] = c.TotalGames;
        r[QLatin1String("gamesPlace")] = c.GamesPlace;
        r[QLatin1String("sets")] = c.Sets;
        r[QLatin1String("totalSets")] = c.TotalSets;
        r[QLatin1String("setsPlace")] = c.SetsPlace;
        members.append(r);
    }
    o[QLatin1String("members")] = members;
    QJsonArray scores;
    forEachCourtScore(m, [&](int round, int court) {
        QJsonArray places;
        for (int p = 1; p <= ScorePlaces; ++p)
            places.append(m.scores[size_t(round)].at(court, p));
        scores.append(QJsonObject{{QLatin1String("round"), round}, {QLatin1String("court"), court}, {QLatin1String("places"), places}});
    });
    o[QLatin1String("courtScores")] = scores;
    return o;
}

void writeText(QTextStream& out, const TMatchCalcObj& m, const MemberList& list)
{
    out << "Match " << m.header.MatchNr << "  " << modeName(m.header.InputMode) << "  ronden "
        << m.header.MatchRounds << "  datum " << m.header.matchDate() << "\n";
    auto num = [](int v, int width) { return QString::number(v).rightJustified(width); };
    out << "    Nr  Club  " << QStringLiteral("Naam").leftJustified(32)
        << " Games Tot.Gms Plaats  Sets Tot.Sets Plaats\n";
    for (int i = 1; i < int(m.calcs.size()); ++i) {
        const TCalcObj& c = m.calcs[size_t(i)];
        out << num(i, 6) << num(c.ClubNr, 6) << "  " << memberName(list, i).leftJustified(32) << num(c.Games, 6)
            << num(c.TotalGames, 8) << num(c.GamesPlace, 7) << num(c.Sets, 6) << num(c.TotalSets, 9)
            << num(c.SetsPlace, 7) << "\n";
    }
    forEachCourtScore(m, [&](int round, int court) {
        out << "  Ronde " << num(round, 2) << "  baan " << num(court, 2) << ":";
        for (int p = 1; p <= ScorePlaces; ++p)
            out << num(m.scores[size_t(round)].at(court, p), 4);
        out << "\n";
    });
}

} // namespace

int runMatches(const QStringList& args, const Clock&)
{
    int status = 0;
    const auto arguments = readFileArguments(
        args, QStringLiteral("tandemx-cli matches FILE.tdm [--format json|text]"),
        QStringLiteral("Lists the match file (.CAL) beside a member file: per match its header,\n"
                       "every member's games and sets and the court scores per round."),
        &status);
    if (!arguments)
        return status;
    const QString file = arguments->file;

    const auto config = readKeyDataFile(configFileName(file));
    QString error;
    const auto list = readMemberFile(file, config ? config->keyData.clubSize : 0, &error);
    if (!list)
        return fail(error);

    const QString path = matchFileName(file);
    QFile in(path);
    if (!in.exists())
        return fail(matchMessage(MatchListMissing) + QStringLiteral(": ") + path);
    if (!in.open(QIODevice::ReadOnly))
        return fail(path + QStringLiteral(": ") + in.errorString());
    // The records are put to their members by club number where the file's order is not the list's,
    // as the program does when it opens the file.
    const MatchFileContents contents = readMatchFile(in, list->count(), &*list);
    QString damage;
    if (contents.errorState != 0) {
        const QString error = matchMessage(contents.errorState) + QStringLiteral("match: ")
            + QString::number(contents.errorMatch) + QStringLiteral(" (") + path + QStringLiteral(")");
        if (contents.matches.empty())
            return fail(error);
        // The matches before the damaged one are listed; the error line and the exit status still say
        // the file is damaged.
        damage = error;
    }

    QTextStream out(stdout);
    out.setEncoding(QStringConverter::Utf8);
    if (!arguments->text) {
        QJsonObject root;
        root[QLatin1String("file")] = path;
        root[QLatin1String("memberFile")] = file;
        root[QLatin1String("memberCount")] = list->count();
        root[QLatin1String("fileMemberCount")] = contents.fileMemberCount >= 0 ? QJsonValue(contents.fileMemberCount) : QJsonValue();
        root[QLatin1String("matchCount")] = int(contents.matches.size());
        QJsonArray matches;
        for (const TMatchCalcObj& m : contents.matches)
            matches.append(matchJson(m, *list));
        root[QLatin1String("matches")] = matches;
        out << QJsonDocument(root).toJson(QJsonDocument::Indented);
        out.flush();
        return damage.isEmpty() ? 0 : fail(damage);
    }
    out << "Matchbestand: " << path << "\n";
    out << "Leden: " << list->count();
    if (contents.fileMemberCount >= 0 && contents.fileMemberCount != list->count())
        out << " (bestand: " << contents.fileMemberCount << ")";
    out << "  Matches: " << contents.matches.size() << "\n";
    for (const TMatchCalcObj& m : contents.matches)
        writeText(out, m, *list);
    out.flush();
    return damage.isEmpty() ? 0 : fail(damage);
}

} // namespace tandemx::cli
