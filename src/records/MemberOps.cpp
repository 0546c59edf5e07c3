#include "records/MemberOps.h"

#include "messages/Messages.h"
#include "records/Cp1252.h"

#include <algorithm>
#include <cstring>

namespace tandemx {

namespace {

constexpr int NameKeyLength = 24;

QByteArray trimmedUpperBytes(const QString& text)
{
    return asciiUpper(toCp1252(text.trimmed()));
}

// A cell read as a 16-bit number; any other text is reported as a conversion error.
bool toIntCell(const QString& cell, int min, int max, Messages& messages, int* value)
{
    bool ok = false;
    const int v = cell.trimmed().toInt(&ok);
    if (!ok || v < min || v > max) {
        messages.showBericht(QStringLiteral("'") + cell + QStringLiteral("' is geen geldig getal"), Error, Btn::OK);
        return false;
    }
    *value = v;
    return true;
}

} // namespace

QByteArray asciiUpper(QByteArray bytes)
{
    for (char& c : bytes)
        if (c >= 'a' && c <= 'z')
            c = char(c - 'a' + 'A');
    return bytes;
}

QString asciiUpperText(QString text)
{
    for (QChar& c : text)
        if (c >= u'a' && c <= u'z')
            c = QChar(c.unicode() - 'a' + 'A');
    return text;
}

int compareBytes(QByteArrayView a, QByteArrayView b)
{
    const qsizetype n = std::min(a.size(), b.size());
    if (n > 0) {
        const int c = std::memcmp(a.data(), b.data(), size_t(n));
        if (c != 0)
            return c < 0 ? -1 : 1;
    }
    if (a.size() == b.size())
        return 0;
    return a.size() < b.size() ? -1 : 1;
}

QByteArray nameSortKey(const TLedenObj& r, int kind)
{
    QByteArray group = asciiUpper(r.raw(MemberField::Grp));
    if (kind == SortKind::Achternaam)
        group.truncate(1);
    const QByteArray name = r.raw(kind == SortKind::Achternaam ? MemberField::Achternaam : MemberField::Voornaam);
    QByteArray key = group + (name.isEmpty() ? QByteArray("zzzz") : name);
    key.truncate(NameKeyLength);
    return key;
}

void sortMembers(MemberList& list, int kind)
{
    if (list.count() < 2)
        return;
    switch (kind) {
    case SortKind::ClubNr:
        list.stableSort([](const TLedenObj& a, const TLedenObj& b) { return a.clubNr() < b.clubNr(); });
        break;
    case SortKind::Voornaam:
    case SortKind::Achternaam: {
        const MemberField tie = kind == SortKind::Voornaam ? MemberField::Achternaam : MemberField::Voornaam;
        list.stableSort([kind, tie](const TLedenObj& a, const TLedenObj& b) {
            const int c = compareBytes(nameSortKey(a, kind), nameSortKey(b, kind));
            if (c != 0)
                return c < 0;
            return compareBytes(a.raw(tie).left(NameKeyLength), b.raw(tie).left(NameKeyLength)) < 0;
        });
        break;
    }
    case SortKind::Group:
        list.stableSort([](const TLedenObj& a, const TLedenObj& b) {
            return compareBytes(a.raw(MemberField::Grp), b.raw(MemberField::Grp)) < 0;
        });
        break;
    default:
        break;
    }
}

bool shuffleOrder(MemberList& list, uint32_t seed)
{
    const int n = list.count();
    if (n < 3)
        return false;
    ShuffleRandom random(seed);
    for (int i = 1; i <= n; ++i) {
        int j = 0;
        do
            j = int(random.below(uint32_t(n)));
        while (j <= 0 || j == i);
        list.exchange(i, j);
    }
    return true;
}

bool shuffleMembers(MemberList& list, uint32_t seed)
{
    if (!shuffleOrder(list, seed))
        return false;
    sortMembers(list, SortKind::Group);
    return true;
}

ActiveCounts countActive(const MemberList& list, const KeyData& keyData)
{
    const QByteArray code1 = asciiUpper(keyData.group1Code);
    const QByteArray code2 = asciiUpper(keyData.group2Code);
    ActiveCounts counts;
    for (int i = 1; i <= list.count(); ++i) {
        const TLedenObj& r = list.at(i);
        if (!r.isActive())
            continue;
        const QByteArray grp = asciiUpper(r.raw(MemberField::Grp).trimmed());
        if (grp == code1)
            ++counts.group1;
        if (grp == code2)
            ++counts.group2;
    }
    return counts;
}

QString groupCaption(const KeyData& keyData, int group)
{
    const QByteArray& code = group == 1 ? keyData.group1Code : keyData.group2Code;
    const char* plain = group == 1 ? "H" : "D";
    if (asciiUpper(code.trimmed()) == plain)
        return group == 1 ? QStringLiteral("Heren") : QStringLiteral("Dames");
    return QStringLiteral("Groep ") + fromCp1252(code);
}

bool isGroupCode(const QString& grp, const KeyData& keyData)
{
    const QByteArray g = trimmedUpperBytes(grp);
    return g == asciiUpper(keyData.group1Code) || g == asciiUpper(keyData.group2Code);
}

bool isValidGridGroup(const QString& grp, const QString& actie, const KeyData& keyData)
{
    return isGroupCode(grp, keyData) || (grp.trimmed().isEmpty() && actie == QStringLiteral("-"));
}

bool isValidDialogGroup(const QString& grp, const KeyData& keyData)
{
    return isGroupCode(grp, keyData) || grp.trimmed().isEmpty();
}

bool isValidActie(const QString& actie)
{
    const QString a = asciiUpperText(actie.trimmed());
    if (a.size() != 1)
        return true;
    const QChar c = a.at(0);
    return c == u'-' || (c >= u'1' && c <= u'9') || (c >= u'A' && c <= u'I') || c == u'X';
}

QStringList gridTitles(bool addressView)
{
    return (addressView ? QStringLiteral("Ix,ClubNr,Voornaam,Achternaam,Straat,Postcode,Plaats,Telefoon")
                        : QStringLiteral("Ix,ClubNr,Voornaam,Achternaam,Grp,Actie,Opmerking"))
        .split(u',');
}

QList<int> gridColumnWidths(bool addressView)
{
    if (addressView)
        return {30, 35, 115, 150, 150, 65, 115, 85};
    return {30, 55, 115, 150, 40, 40, 115};
}

QStringList gridCells(const TLedenObj& r, bool addressView)
{
    QStringList cells{QString::number(r.ix()), QString::number(r.clubNr()), r.voornaam(), r.achternaam()};
    if (addressView)
        cells << r.text(MemberField::Straat) << r.text(MemberField::Postcode) << r.text(MemberField::Plaats)
              << r.text(MemberField::Telefoon);
    else
        cells << r.grp() << r.actie() << r.text(MemberField::Opmerking);
    return cells;
}

bool copyBackCells(TLedenObj& r, QStringList& cells, int row, bool addressView, const KeyData& keyData,
                   Messages& messages)
{
    const int columns = addressView ? 8 : 7;
    while (cells.size() < columns)
        cells << QString();

    int ix = 0;
    if (!toIntCell(cells[GridCol::Ix], 0, 65535, messages, &ix))
        return false;
    r.setIx(uint16_t(ix));

    if (cells[GridCol::ClubNr].trimmed().isEmpty()) {
        messages.showMessageNo(QString::number(row), 0, 5, 5);
        cells[GridCol::ClubNr] = QString::number(row);
    }
    int clubNr = 0;
    if (!toIntCell(cells[GridCol::ClubNr], -32768, 32767, messages, &clubNr))
        return false;
    r.setClubNr(int16_t(clubNr));

    r.setText(MemberField::Voornaam, cells[GridCol::Voornaam]);
    r.setText(MemberField::Achternaam, cells[GridCol::Achternaam]);

    if (addressView) {
        r.setText(MemberField::Straat, cells[GridCol::Straat]);
        r.setText(MemberField::Postcode, cells[GridCol::Postcode]);
        r.setText(MemberField::Plaats, cells[GridCol::Plaats]);
        r.setText(MemberField::Telefoon, cells[GridCol::Telefoon]);
        return true;
    }

    r.setText(MemberField::Grp, cells[GridCol::Grp].trimmed());
    r.setText(MemberField::Actie, asciiUpperText(cells[GridCol::Actie].trimmed()));

    if (!isValidGridGroup(r.grp(), r.actie(), keyData)) {
        r.setText(MemberField::Grp, QStringLiteral(" "));
        messages.showMessageNo(QStringLiteral("Groep "), 0, 2, 5);
    }
    cells[GridCol::Grp] = r.grp();

    if (!isValidActie(r.actie())) {
        r.setText(MemberField::Actie, QStringLiteral("X"));
        messages.showMessageNo(QStringLiteral("ActieStatus "), 0, 0, 5);
    }
    cells[GridCol::Actie] = r.actie();

    r.setText(MemberField::Opmerking, cells[GridCol::Opmerking]);
    return true;
}

bool normaliseActie(TLedenObj& r)
{
    const StringField f = TLedenObj::field(MemberField::Actie);
    uint8_t* p = r.data.data() + f.offset;
    const int len = std::min<int>(p[0], f.capacity);
    bool lowered = false;
    if (len >= 1 && p[1] >= 'a' && p[1] <= 'z')
        p[1] = uint8_t(p[1] - 'a' + 'A');
    if (len == 3 && p[2] > '2') {
        p[2] = '2';
        lowered = true;
    }
    if (len == 1) {
        p[2] = ' ';
        p[3] = ' ';
    }
    return lowered;
}

TLedenObj makeMemberRecord(int ix, int clubNr, const QByteArray& grp, const QByteArray& actie)
{
    TLedenObj r;
    r.setIx(uint16_t(ix));
    r.setClubNr(int16_t(clubNr));
    r.setRaw(MemberField::Grp, grp);
    r.setRaw(MemberField::Actie, actie);
    return r;
}

Duplicate findDuplicate(const MemberList& list, const TLedenObj& r, int skipPosition)
{
    const QByteArray v = r.raw(MemberField::Voornaam);
    const QByteArray l = r.raw(MemberField::Achternaam);
    Duplicate found;
    for (int i = 1; i <= list.count(); ++i) {
        if (i == skipPosition)
            continue;
        const TLedenObj& m = list.at(i);
        if (m.raw(MemberField::Voornaam) == v && m.raw(MemberField::Achternaam) == l)
            found = {DuplicateMark::Name, i};
        else if (m.clubNr() == r.clubNr())
            found = {DuplicateMark::Number, i};
        if (found.mark != DuplicateMark::None)
            break;
    }
    if (v.isEmpty() && l.isEmpty())
        return {};
    return found;
}

QString duplicateWarning(DuplicateMark mark, const TLedenObj& r)
{
    switch (mark) {
    case DuplicateMark::Number:
        return QStringLiteral("ClubNummer: ") + QString::number(r.clubNr()) + QStringLiteral(" bestaat al!");
    case DuplicateMark::Name:
        return QStringLiteral("Voor-AchterNaam :") + r.voornaam() + QStringLiteral(" ") + r.achternaam() +
               QStringLiteral(" is al gebruikt");
    case DuplicateMark::None:
        break;
    }
    return {};
}

bool parseInt16(const QString& text, int16_t* value)
{
    bool ok = false;
    const int v = text.trimmed().toInt(&ok);
    if (!ok || v < -32768 || v > 32767)
        return false;
    *value = int16_t(v);
    return true;
}

} // namespace tandemx
