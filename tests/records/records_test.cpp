// Member records, the member file and the key-data file, byte for byte.
#include "records/Cp1252.h"
#include "records/MemberFile.h"

#include <gtest/gtest.h>

#include <QBuffer>

using namespace tandemx;

namespace {

// A member record built from the documented offsets, independent of the record class.
QByteArray rawMember(uint16_t ix, int16_t nr, const QByteArray& first, const QByteArray& last, const QByteArray& grp,
                     const QByteArray& actie, const QByteArray& remark = {})
{
    QByteArray r(232, '\0');
    r[0] = char(ix & 0xFF);
    r[1] = char(ix >> 8);
    r[2] = char(nr & 0xFF);
    r[3] = char((uint16_t(nr) >> 8) & 0xFF);
    auto put = [&](int offset, const QByteArray& s) {
        r[offset] = char(s.size());
        r.replace(offset + 1, s.size(), s);
    };
    put(4, first);
    put(29, last);
    put(70, grp);
    put(74, actie);
    put(199, remark);
    return r;
}

QByteArray header(int16_t nr, const QByteArray& remark) { return rawMember(0, nr, "N_N", "", "", "", remark); }

std::optional<MemberList> readBytes(const QByteArray& bytes, int32_t clubSize, QString* error = nullptr)
{
    QBuffer b;
    b.setData(bytes);
    b.open(QIODevice::ReadOnly);
    return readMemberFile(b, clubSize, error);
}

} // namespace

TEST(Cp1252, DecodesAndEncodesTheWholeCodePage)
{
    struct Case { uint8_t byte; char16_t unicode; } cases[] = {
        {0x41, u'A'}, {0x80, 0x20AC}, {0x8A, 0x0160}, {0x92, 0x2019}, {0x9F, 0x0178},
        {0xE9, 0x00E9}, {0xEB, 0x00EB}, {0xFF, 0x00FF}, {0x81, 0x0081}, {0x9D, 0x009D},
    };
    for (const auto& c : cases) {
        const QByteArray one(1, char(c.byte));
        EXPECT_EQ(fromCp1252(one), QString(QChar(c.unicode))) << int(c.byte);
        EXPECT_EQ(toCp1252(QString(QChar(c.unicode))), one) << int(c.byte);
    }
    for (int b = 0; b < 256; ++b) {
        const QByteArray one(1, char(b));
        EXPECT_EQ(toCp1252(fromCp1252(one)), one) << b;
    }
    bool ok = true;
    EXPECT_EQ(toCp1252(u"Ω", &ok), "?");
    EXPECT_FALSE(ok);
    EXPECT_FALSE(isCp1252(u"Łukasz"));
    EXPECT_TRUE(isCp1252(u"Renée €"));
}

TEST(MemberRecord, FieldsSitAtTheirOffsetsAndAreCutToCapacity)
{
    TLedenObj r;
    r.setIx(7);
    r.setClubNr(-2);
    r.setText(MemberField::Voornaam, QString(30, u'a'));
    r.setText(MemberField::Achternaam, u"Brouwer");
    r.setText(MemberField::Grp, u"heren");
    r.setText(MemberField::Actie, u"C2");
    r.setText(MemberField::Opmerking, u"Renée");
    EXPECT_EQ(r.data[0], 7);
    EXPECT_EQ(r.data[2], 0xFE);
    EXPECT_EQ(r.data[3], 0xFF);
    EXPECT_EQ(r.data[4], 24);
    EXPECT_EQ(r.voornaam(), QString(24, u'a'));
    EXPECT_EQ(r.data[29], 7);
    EXPECT_EQ(r.data[70], 3);
    EXPECT_EQ(r.grp(), "her");
    EXPECT_EQ(r.data[74], 2);
    EXPECT_EQ(r.data[75], 'C');
    EXPECT_EQ(r.data[199], 5);
    EXPECT_EQ(r.data[203], 0xE9);
    // A length byte beyond the capacity is read as the capacity.
    r.data[70] = 200;
    EXPECT_EQ(r.raw(MemberField::Grp).size(), 3);
}

TEST(MemberRecord, ActiveWhenActieComparesAboveZero)
{
    struct Case { QByteArray actie; bool active; } cases[] = {
        {"X", true}, {"1", true}, {"C2", true}, {"a", true}, {"-", false}, {"", false}, {"0", false}, {"0X", true},
    };
    for (const auto& c : cases) {
        TLedenObj r;
        r.setRaw(MemberField::Actie, c.actie);
        EXPECT_EQ(r.isActive(), c.active) << c.actie.constData();
    }
}

TEST(MemberFile, NewListSplitsTheGroups)
{
    KeyData k;
    k.clubSize = 0;
    MemberList list = createMemberList(k, NoFileName);
    ASSERT_EQ(list.count(), 24);
    EXPECT_EQ(list.header().clubNr(), 24);
    EXPECT_EQ(list.header().voornaam(), "N_N");
    EXPECT_EQ(list.at(12).grp(), "h");
    EXPECT_EQ(list.at(13).grp(), "d");
    EXPECT_EQ(list.at(24).clubNr(), 24);
    EXPECT_EQ(list.at(24).actie(), "-");

    k.clubSize = 5;
    list = createMemberList(k, NoFileName);
    ASSERT_EQ(list.count(), 5);
    EXPECT_EQ(list.at(2).grp(), "h");
    EXPECT_EQ(list.at(3).grp(), "d");
}

TEST(MemberFile, SavedFileIsHeaderAndRecordsByteForByte)
{
    MemberList list;
    list.append(TLedenObj{});
    list.append(TLedenObj{});
    list.at(1).setClubNr(5);
    list.at(1).setText(MemberField::Voornaam, u"Anneke");
    list.at(2).setClubNr(6);
    list.header().setClubNr(2);
    QBuffer b;
    b.open(QIODevice::WriteOnly);
    ASSERT_TRUE(writeMemberFile(b, list));
    const QByteArray bytes = b.data();
    ASSERT_EQ(bytes.size(), 3 * 232);
    EXPECT_EQ(bytes[2], 0);                    // header ClubNr 0
    EXPECT_EQ(bytes.mid(199, 2), QByteArray("\x01" "2", 2)); // count as text
    EXPECT_EQ(bytes.mid(232 + 2, 1), QByteArray("\x05", 1));
    auto again = readBytes(bytes, 24);
    ASSERT_TRUE(again);
    EXPECT_EQ(again->count(), 2);
    EXPECT_EQ(again->records(), list.records());
}

TEST(MemberFile, HeaderCountRules)
{
    struct Case {
        const char* name;
        QByteArray file;
        int32_t clubSize;
        int expected; // -1: refused
    } cases[] = {
        {"ClubNr wins over the text", header(3, "9") + rawMember(1, 1, "A", "", "h", "X").repeated(3), 24, 3},
        {"text when ClubNr is 0", header(0, "2") + rawMember(1, 1, "A", "", "h", "X").repeated(2), 24, 2},
        {"ClubSize when both are empty", header(0, "") + rawMember(1, 1, "A", "", "h", "X"), 4, 4},
        {"ClubSize when the text is no number", header(0, "x1") + rawMember(1, 1, "A", "", "h", "X"), 4, 4},
        {"count 0 everywhere", header(0, ""), 0, -1},
        {"negative count", header(-3, ""), 24, -1},
        {"count above 400", header(401, ""), 24, -1},
        {"no header at all", QByteArray(), 24, -1},
        {"short header", QByteArray(100, '\0'), 24, -1},
    };
    for (const auto& c : cases) {
        QString error;
        auto list = readBytes(c.file, c.clubSize, &error);
        if (c.expected < 0) {
            EXPECT_FALSE(list) << c.name;
            EXPECT_TRUE(error.startsWith("Fout in data bestand: ")) << c.name << " " << error.toStdString();
        } else {
            ASSERT_TRUE(list) << c.name;
            EXPECT_EQ(list->count(), c.expected) << c.name;
        }
    }
}

TEST(MemberFile, MissingRecordsAtTheEndAreZero)
{
    auto list = readBytes(header(3, "") + rawMember(1, 11, "Bram", "", "h", "X") + QByteArray(100, 'x'), 24);
    ASSERT_TRUE(list);
    ASSERT_EQ(list->count(), 3);
    EXPECT_EQ(list->at(1).clubNr(), 11);
    EXPECT_EQ(list->at(2).data[0], 'x');  // the partial record keeps what was there
    EXPECT_EQ(list->at(2).data[100], 0);
    EXPECT_EQ(list->at(3), TLedenObj{});
}

TEST(KeyDataFile, DefaultsAreTheDocumentedBytes)
{
    const QByteArray bytes = TConfigObj::withDefaults().toBytes();
    ASSERT_EQ(bytes.size(), 268);
    const auto u = [&](int i) { return uint8_t(bytes[i]); };
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(u(i), 0);
    EXPECT_EQ(u(4), 0);          // empty club name
    EXPECT_EQ(u(37), 24);        // ClubSize
    EXPECT_EQ(u(41), 4);         // DoublesRounds
    EXPECT_EQ(u(45), 2);         // MixedRounds
    EXPECT_EQ(u(49), 9);         // Courts
    EXPECT_EQ(u(51), 1);         // MaxMatches
    EXPECT_EQ(bytes.mid(53, 2), QByteArray("\x01h", 2));
    EXPECT_EQ(bytes.mid(57, 2), QByteArray("\x01" "d", 2));
    EXPECT_EQ(u(61), 0);         // KeepGames
    EXPECT_EQ(u(63), 17);        // Options
    // Print settings from offset 65.
    EXPECT_EQ(bytes.mid(65, 14), QByteArray("\x0dMS Sans Serif", 14));
    EXPECT_EQ(u(65 + 33), 10);   // TextFontSize
    EXPECT_EQ(u(65 + 35), 10);   // print font size
    EXPECT_EQ(u(65 + 37), 118);  // left margin
    EXPECT_EQ(u(65 + 39), 177);  // top margin
    EXPECT_EQ(u(65 + 41), 118);  // bottom margin
    EXPECT_EQ(u(65 + 43), 50);   // line height
    EXPECT_EQ(u(65 + 45), 61);   // page length
    EXPECT_EQ(bytes.mid(65 + 47, 4), QByteArray(4, '\xff')); // printer index -1
    EXPECT_EQ(bytes.mid(65 + 176, 14), QByteArray("\x0dMS Sans Serif", 14));
    EXPECT_EQ(u(65 + 201), 4);   // PrintFlags
}

TEST(KeyDataFile, ReadWriteKeepsEveryByteAndShortFilesReadAsFarAsTheyGo)
{
    QByteArray bytes(268, '\0');
    for (int i = 0; i < bytes.size(); ++i)
        bytes[i] = char((i * 37 + 11) & 0xFF);
    // Valid length bytes everywhere but the club name, whose length lies beyond its capacity.
    for (int offset : {53, 57, 65 + 51, 65 + 76, 65 + 101, 65 + 126, 65 + 151, 65 + 176})
        bytes[offset] = 3;
    bytes[65] = 20;
    bytes[4] = 40;
    QBuffer b;
    b.setData(bytes);
    b.open(QIODevice::ReadOnly);
    TConfigObj c = TConfigObj::read(b);
    EXPECT_EQ(c.keyData.clubName.size(), 32);
    c.keyData.clubName = c.keyData.clubName.left(32);
    QByteArray expected = bytes;
    expected[4] = 32;
    EXPECT_EQ(c.toBytes(), expected);

    for (int size : {0, 1, 40, 267}) {
        QBuffer s;
        s.setData(bytes.left(size));
        s.open(QIODevice::ReadOnly);
        qint64 n = -1;
        TConfigObj part = TConfigObj::read(s, &n);
        EXPECT_EQ(n, size);
        EXPECT_EQ(part.toBytes().mid(size), QByteArray(268 - size, '\0')) << size;
    }
}

TEST(FileNames, CompanionFilesReplaceTheExtension)
{
    EXPECT_EQ(configFileName("/club/leden.tdm"), "/club/leden.cfg");
    EXPECT_EQ(configFileName("/club/leden"), "/club/leden.cfg");
    EXPECT_EQ(configFileName("/my.club/leden"), "/my.club/leden.cfg");
    EXPECT_EQ(configFileName("/club/leden.data"), "/club/leden.cfg");
    EXPECT_EQ(backupFileName("/club/leden.TDM"), "/club/leden.~td");
    EXPECT_EQ(matchFileName("/club/leden.tdm"), "/club/leden.CAL");
}
