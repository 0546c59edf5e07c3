// tandemx-cli members FILE.tdm [--format json|text]: the key data and every member of a member file.
#include "cli/CliSupport.h"
#include "cli/Commands.h"

#include "records/MemberFile.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextStream>

#include <cstdio>

namespace tandemx::cli {
namespace {

constexpr MemberField kFields[] = {MemberField::Voornaam, MemberField::Achternaam, MemberField::Grp,
                                   MemberField::Actie, MemberField::Straat, MemberField::Postcode,
                                   MemberField::Plaats, MemberField::Telefoon, MemberField::EMail,
                                   MemberField::Opmerking};
constexpr const char* kFieldNames[] = {"voornaam", "achternaam", "grp", "actie", "straat",
                                       "postcode", "plaats", "telefoon", "email", "opmerking"};

QJsonObject recordJson(const TLedenObj& r)
{
    QJsonObject o;
    o[QLatin1String("ix")] = r.ix();
    o[QLatin1String("clubNr")] = r.clubNr();
    for (size_t i = 0; i < std::size(kFields); ++i)
        o[QLatin1String(kFieldNames[i])] = r.text(kFields[i]);
    return o;
}

QJsonObject keyDataJson(const KeyData& k)
{
    QJsonObject o;
    o[QLatin1String("clubName")] = k.clubNameText();
    o[QLatin1String("clubSize")] = k.clubSize;
    o[QLatin1String("doublesRounds")] = k.doublesRounds;
    o[QLatin1String("mixedRounds")] = k.mixedRounds;
    o[QLatin1String("courts")] = k.courts;
    o[QLatin1String("maxMatches")] = k.maxMatches;
    o[QLatin1String("group1Code")] = k.group1();
    o[QLatin1String("group2Code")] = k.group2();
    o[QLatin1String("keepGames")] = k.keepGames;
    o[QLatin1String("options")] = k.options;
    return o;
}

} // namespace

int runMembers(const QStringList& args, const Clock&)
{
    int status = 0;
    const auto arguments = readFileArguments(
        args, QStringLiteral("tandemx-cli members FILE.tdm [--format json|text]"),
        QStringLiteral("Lists the key data (from the .cfg file beside it) and every member of a\nmember file."),
        &status);
    if (!arguments)
        return status;
    const QString file = arguments->file;

    const auto config = readKeyDataFile(configFileName(file));
    const KeyData keyData = config ? config->keyData : KeyData{};
    QString error;
    const auto list = readMemberFile(file, keyData.clubSize, &error);
    if (!list)
        return fail(error);

    QTextStream out(stdout);
    out.setEncoding(QStringConverter::Utf8);
    const TLedenObj& header = list->header();
    if (!arguments->text) {
        QJsonObject root;
        root[QLatin1String("file")] = file;
        root[QLatin1String("keyData")] = config ? QJsonValue(keyDataJson(keyData)) : QJsonValue();
        root[QLatin1String("headerCount")] = header.clubNr() != 0 ? QString::number(header.clubNr())
                                                   : header.text(MemberField::Opmerking);
        root[QLatin1String("memberCount")] = list->count();
        QJsonArray members;
        for (int i = 1; i <= list->count(); ++i)
            members.append(recordJson(list->at(i)));
        root[QLatin1String("members")] = members;
        out << QJsonDocument(root).toJson(QJsonDocument::Indented);
        return 0;
    }
    if (config)
        out << "Club: " << keyData.clubNameText() << "  leden " << keyData.clubSize << ", tandem "
            << keyData.doublesRounds << ", mix " << keyData.mixedRounds << ", banen " << keyData.courts
            << ", groepen " << keyData.group1() << "/" << keyData.group2() << ", opties " << keyData.options << "\n";
    else
        out << "Club: (geen sleutelgegevens)\n";
    out << "Aantal leden: " << list->count() << "\n";
    const auto row = [](const QString& ix, const QString& nr, const QString& first, const QString& last,
                        const QString& grp, const QString& actie, const QString& rest) -> QString {
        return ix.rightJustified(4) + nr.rightJustified(7) + QStringLiteral("  ") + first.leftJustified(24)
            + QStringLiteral(" ") + last.leftJustified(30) + QStringLiteral(" ") + grp.leftJustified(4)
            + actie.leftJustified(6) + rest;
    };
    out << row(QStringLiteral("Ix"), QStringLiteral("ClubNr"), QStringLiteral("Voornaam"), QStringLiteral("Achternaam"),
               QStringLiteral("Grp"), QStringLiteral("Actie"), QStringLiteral("Adres / Opmerking"))
        << "\n";
    for (int i = 1; i <= list->count(); ++i) {
        const TLedenObj& r = list->at(i);
        QStringList rest;
        for (MemberField f : {MemberField::Straat, MemberField::Postcode, MemberField::Plaats, MemberField::Telefoon,
                              MemberField::EMail, MemberField::Opmerking})
            if (!r.text(f).isEmpty())
                rest << r.text(f);
        out << row(QString::number(r.ix()), QString::number(r.clubNr()), r.voornaam(), r.achternaam(), r.grp(),
                   r.actie(), rest.join(QStringLiteral(", ")))
            << "\n";
    }
    return 0;
}

} // namespace tandemx::cli
