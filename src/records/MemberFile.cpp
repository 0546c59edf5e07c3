#include "records/MemberFile.h"

#include <algorithm>

#include "messages/MessageTable.h"
#include "messages/Messages.h"
#include "records/Cp1252.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QFile>

namespace tandemx {

QString withExtension(const QString& path, const QString& extension)
{
    const qsizetype slash = std::max(path.lastIndexOf(u'/'), path.lastIndexOf(u'\\'));
    const qsizetype dot = path.lastIndexOf(u'.');
    if (dot > slash && dot > slash + 1)
        return path.left(dot) + extension;
    return path + extension;
}

MemberList createMemberList(const KeyData& keyData, const QString& memberFileName)
{
    int n = int16_t(keyData.clubSize & 0xFFFF);
    if (n <= 0)
        n = 24;
    n = std::min(n, MaxMembers);
    MemberList list;
    TLedenObj& header = list.header();
    header.setClubNr(int16_t(n));
    header.setText(MemberField::Voornaam, memberFileName);
    for (int i = 1; i <= n; ++i) {
        TLedenObj r;
        r.setClubNr(int16_t(i));
        r.setRaw(MemberField::Grp, i <= n / 2 ? keyData.group1Code : keyData.group2Code);
        r.setRaw(MemberField::Actie, "-");
        list.append(r);
    }
    return list;
}

std::optional<MemberList> readMemberFile(QIODevice& in, int32_t clubSize, QString* error)
{
    auto fail = [&](const QString& text) {
        if (error)
            *error = text;
        return std::nullopt;
    };
    MemberList list;
    if (list.header().read(in) < TLedenObj::Size)
        return fail(QString::fromUtf8(messageText(6)) + QStringLiteral(" geen kopregel"));
    int count = list.header().clubNr();
    if (count == 0) {
        const QString text = list.header().text(MemberField::Opmerking).trimmed();
        if (!text.isEmpty()) {
            bool ok = false;
            const int parsed = text.toInt(&ok);
            count = ok ? parsed : 0;
        }
    }
    if (count == 0)
        count = int16_t(clubSize & 0xFFFF);
    if (count == 0)
        return fail(QString::fromUtf8(messageText(6)) + QStringLiteral(" Aantalleden=0"));
    if (count < 0 || count > MaxMembers)
        return fail(QString::fromUtf8(messageText(6)) + QStringLiteral(" Aantalleden=") + QString::number(count));
    for (int i = 1; i <= count; ++i) {
        TLedenObj r;
        r.read(in);
        list.append(r);
    }
    return list;
}

std::optional<MemberList> readMemberFile(const QString& path, int32_t clubSize, QString* error)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        if (error)
            *error = QString::fromUtf8(messageText(3)) + path;
        return std::nullopt;
    }
    QString reason;
    auto list = readMemberFile(f, clubSize, &reason);
    if (!list && error)
        *error = reason + QStringLiteral(" (") + path + QStringLiteral(")");
    return list;
}

bool writeMemberFile(QIODevice& out, MemberList& list)
{
    TLedenObj& header = list.header();
    header.setClubNr(0);
    header.setText(MemberField::Opmerking, QString::number(list.count()));
    for (const TLedenObj& r : list.records())
        if (!r.write(out))
            return false;
    return true;
}

std::optional<TConfigObj> readKeyDataFile(const QString& path, qint64* bytesRead)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return std::nullopt;
    return TConfigObj::read(f, bytesRead);
}

bool checkClubNumbers(const MemberList& list, Messages& messages)
{
    const int n = list.count();
    for (int i = 1; i < n; ++i) {
        for (int j = i + 1; j <= n; ++j) {
            const TLedenObj& a = list.at(i);
            const TLedenObj& b = list.at(j);
            if (a.clubNr() != b.clubNr())
                continue;
            const auto num = [](const TLedenObj& r) { return QStringLiteral("%1").arg(r.clubNr(), 3); };
            const QString text = QStringLiteral("Lidnummer in duplo  :\r  ") + num(a) + QStringLiteral("   ")
                + a.voornaam() + QStringLiteral("  ") + a.achternaam() + QStringLiteral(" \r  ") + num(b)
                + QStringLiteral("   ") + b.voornaam() + QStringLiteral("   ") + b.achternaam();
            messages.showBericht(text, Error, Btn::OK, 0);
            return false;
        }
    }
    return true;
}

} // namespace tandemx
