// Sorting, shuffling, counting and checking members, and copying grid rows back into records.
#include "records/Cp1252.h"
#include "records/MemberOps.h"

#include "messages/ScriptedMessages.h"

#include <gtest/gtest.h>

using namespace tandemx;

namespace {

struct M {
    int nr;
    const char* first;
    const char* last;
    const char* grp;
    const char* actie = "X";
};

MemberList listOf(std::initializer_list<M> members)
{
    MemberList list;
    int i = 0;
    for (const M& m : members) {
        TLedenObj r;
        r.setIx(uint16_t(++i));
        r.setClubNr(int16_t(m.nr));
        r.setRaw(MemberField::Voornaam, m.first);
        r.setRaw(MemberField::Achternaam, m.last);
        r.setRaw(MemberField::Grp, m.grp);
        r.setRaw(MemberField::Actie, m.actie);
        list.append(r);
    }
    return list;
}

std::vector<int> clubNumbers(const MemberList& list)
{
    std::vector<int> nrs;
    for (int i = 1; i <= list.count(); ++i)
        nrs.push_back(list.at(i).clubNr());
    return nrs;
}

const QString Hint = QStringLiteral("\n\r corrigeer (zonodig) invoer");

} // namespace

TEST(SortMembers, ByClubNumberKeepsTheHeader)
{
    MemberList list = listOf({{5, "E", "E", "h"}, {3, "C", "C", "h"}, {9, "I", "I", "d"}, {-2, "N", "N", "d"}});
    list.header().setRaw(MemberField::Voornaam, "N_N");
    sortMembers(list, SortKind::ClubNr);
    EXPECT_EQ(clubNumbers(list), (std::vector<int>{-2, 3, 5, 9}));
    EXPECT_EQ(list.header().raw(MemberField::Voornaam), "N_N");
}

TEST(SortMembers, ByFirstNamePutsLadiesFirstAndNamelessLastInTheirGroup)
{
    MemberList list = listOf({
        {1, "Piet", "Puk", "h"},
        {2, "Anna", "Aap", "d"},
        {3, "", "Zonder", "h"},
        {4, "Bea", "Beuk", "d"},
        {5, "Jan", "Zwart", "h"},
        {6, "Jan", "Bakker", "H"}, // same key as member 5 once upper-cased: tie by last name
        {7, "", "", "d"},
        {8, "Zoe", "Zon", "d"},
    });
    sortMembers(list, SortKind::Voornaam);
    EXPECT_EQ(clubNumbers(list), (std::vector<int>{2, 4, 8, 7, 6, 5, 1, 3}));
}

TEST(SortMembers, ByLastNameUsesOnlyTheFirstGroupCharacter)
{
    MemberList list = listOf({
        {1, "A", "Bakker", "h1"},
        {2, "B", "Aalders", "h2"},
        {3, "C", "", "h"},
        {4, "D", "Zwart", "d"},
        {5, "B", "Mol", "h"},
        {6, "A", "Mol", "h"}, // tie on the key: by first name
    });
    sortMembers(list, SortKind::Achternaam);
    EXPECT_EQ(clubNumbers(list), (std::vector<int>{4, 2, 1, 6, 5, 3}));
}

TEST(SortMembers, NameKeysAreCutTo24Bytes)
{
    // "H" + 24 first-name bytes is cut to 24, so the last byte of the first names is not compared and
    // the last names decide.
    MemberList list = listOf({
        {1, "AAAAAAAAAAAAAAAAAAAAAAAA", "Zwart", "h"},
        {2, "AAAAAAAAAAAAAAAAAAAAAAAB", "Aalders", "h"},
    });
    EXPECT_EQ(nameSortKey(list.at(1), SortKind::Voornaam), QByteArray("H") + QByteArray(23, 'A'));
    sortMembers(list, SortKind::Voornaam);
    EXPECT_EQ(clubNumbers(list), (std::vector<int>{2, 1}));
    EXPECT_EQ(nameSortKey(list.at(1), SortKind::Achternaam), "HAalders");
    EXPECT_EQ(nameSortKey(listOf({{1, "Jan", "", "d"}}).at(1), SortKind::Achternaam), "Dzzzz");
}

TEST(SortMembers, ByGroupComparesTheStoredBytes)
{
    MemberList list = listOf({{1, "A", "A", "h"}, {2, "B", "B", "d"}, {3, "C", "C", "H"}, {4, "D", "D", ""}});
    sortMembers(list, SortKind::Group);
    EXPECT_EQ(clubNumbers(list), (std::vector<int>{4, 3, 2, 1}));
}

TEST(Shuffle, ExchangesFollowTheGenerator)
{
    // Seed 1000, 5 members. Each draw first advances seed = seed * 134775813 + 1 mod 2^32, then
    // j = seed * 5 div 2^32:
    //   i=1: 1631826825 -> 1 (= i, again), 3006080430 -> 3: swap 1,3 -> 3 2 1 4 5
    //   i=2: 1690268775 -> 1: swap 2,1                    -> 2 3 1 4 5
    //   i=3: 2331664900 -> 2: swap 3,2                    -> 2 1 3 4 5
    //   i=4:   26081813 -> 0 (again), 3043014250 -> 3     -> 2 1 4 3 5
    //   i=5: 1816279059 -> 2: swap 5,2                    -> 2 5 4 3 1
    MemberList list = listOf({{1, "", "", "h"}, {2, "", "", "h"}, {3, "", "", "h"}, {4, "", "", "h"}, {5, "", "", "h"}});
    ASSERT_TRUE(shuffleOrder(list, 1000));
    EXPECT_EQ(clubNumbers(list), (std::vector<int>{2, 5, 4, 3, 1}));

    ShuffleRandom random(1000);
    EXPECT_EQ(random.below(5), 1u);
    EXPECT_EQ(random.seed(), 1631826825u);
    EXPECT_EQ(shuffleSeed(QTime(0, 0, 1, 500)), 1500u);
}

TEST(Shuffle, GroupsTheMembersAfterwards)
{
    MemberList list = listOf({{1, "", "", "h"}, {2, "", "", "d"}, {3, "", "", "h"}, {4, "", "", "d"},
                              {5, "", "", "h"}, {6, "", "", "d"}, {7, "", "", "h"}});
    ASSERT_TRUE(shuffleMembers(list, 70123456));
    std::vector<int> nrs = clubNumbers(list);
    for (int i = 1; i <= 3; ++i)
        EXPECT_EQ(list.at(i).grp(), "d") << i;
    for (int i = 4; i <= 7; ++i)
        EXPECT_EQ(list.at(i).grp(), "h") << i;
    std::sort(nrs.begin(), nrs.end());
    EXPECT_EQ(nrs, (std::vector<int>{1, 2, 3, 4, 5, 6, 7}));
}

TEST(Shuffle, FewerThanThreeMembersStayAsTheyAre)
{
    for (MemberList list : {listOf({}), listOf({{2, "", "", "h"}}), listOf({{2, "", "", "h"}, {1, "", "", "d"}})}) {
        const auto before = clubNumbers(list);
        EXPECT_FALSE(shuffleMembers(list, 0));
        EXPECT_EQ(clubNumbers(list), before);
    }
}

TEST(CountActive, CountsActiveCodesPerGroup)
{
    const MemberList list = listOf({
        {1, "", "", "h", "X"},
        {2, "", "", "H", "3"},
        {3, "", "", " h ", "a"},
        {4, "", "", "h", "-"},
        {5, "", "", "h", "0"},
        {6, "", "", "d", "01"}, // "0" followed by more characters is above "0"
        {7, "", "", "d", ""},
        {8, "", "", "x", "X"},  // no group of the key data
        {9, "", "", "d", "C2"},
    });
    const ActiveCounts counts = countActive(list, KeyData{});
    EXPECT_EQ(counts.group1, 3);
    EXPECT_EQ(counts.group2, 2);

    KeyData other;
    other.group1Code = "m";
    other.group2Code = "V";
    EXPECT_EQ(countActive(listOf({{1, "", "", "M"}, {2, "", "", "v"}, {3, "", "", "h"}}), other).group1, 1);
    EXPECT_EQ(countActive(listOf({{1, "", "", "M"}, {2, "", "", "v"}, {3, "", "", "h"}}), other).group2, 1);
}

TEST(GroupCaption, PlainNamesOnlyForTheCodesHAndD)
{
    struct Case { QByteArray code; int group; QString caption; } cases[] = {
        {"h", 1, "Heren"}, {"H ", 1, "Heren"}, {"m", 1, "Groep m"}, {"d", 2, "Dames"},
        {"D", 2, "Dames"}, {"v", 2, "Groep v"}, {"d", 1, "Groep d"},
    };
    for (const Case& c : cases) {
        KeyData kd;
        (c.group == 1 ? kd.group1Code : kd.group2Code) = c.code;
        EXPECT_EQ(groupCaption(kd, c.group), c.caption) << c.code.constData();
    }
}

TEST(Validation, ActieCodes)
{
    struct Case { const char* code; bool valid; } cases[] = {
        {"", true}, {"-", true}, {"X", true}, {"x", true}, {"1", true}, {"9", true}, {"A", true},
        {"i", true}, {" b ", true}, {"C2", true}, {"ABC", true}, {"0", false}, {"J", false},
        {"K", false}, {"k", false}, {"Y", false}, {"+", false}, {" ", true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(isValidActie(c.code), c.valid) << '"' << c.code << '"';
}

TEST(Validation, GroupCodesInGridAndDialog)
{
    struct Case { const char* grp; const char* actie; bool grid; bool dialog; } cases[] = {
        {"h", "X", true, true},  {"D", "X", true, true}, {" h ", "-", true, true},
        {"", "-", true, true},   {"", "X", false, true}, {" ", "X", false, true},
        {"q", "-", false, false}, {"hh", "X", false, false},
    };
    const KeyData kd;
    for (const Case& c : cases) {
        EXPECT_EQ(isValidGridGroup(c.grp, c.actie, kd), c.grid) << c.grp << '/' << c.actie;
        EXPECT_EQ(isValidDialogGroup(c.grp, kd), c.dialog) << c.grp;
    }
}

TEST(CopyBackCells, ChecksAndMessages)
{
    struct Case {
        const char* name;
        QStringList cells;
        QString grp, actie;
        int clubNr;
        QStringList messages;
    } cases[] = {
        {"lower-case code", {"1", "12", "Jan", "Jansen", "h", " x ", "r"}, "h", "X", 12, {}},
        {"two characters", {"1", "12", "Jan", "Jansen", " d", "c2", "r"}, "d", "C2", 12, {}},
        {"bad code", {"1", "12", "Jan", "Jansen", "h", "K", "r"}, "h", "X", 12,
         {"ActieStatus  is geen geldig karakter" + Hint}},
        {"no group, not playing", {"1", "12", "Jan", "Jansen", "", "-", "r"}, "", "-", 12, {}},
        {"no group, playing", {"1", "12", "Jan", "Jansen", "", "X", "r"}, " ", "X", 12,
         {"Groep  heeft verkeerd formaat" + Hint}},
        {"unknown group and code", {"1", "12", "Jan", "Jansen", "q", "?", "r"}, " ", "X", 12,
         {"Groep  heeft verkeerd formaat" + Hint, "ActieStatus  is geen geldig karakter" + Hint}},
        {"empty club number", {"1", " ", "Jan", "Jansen", "h", "X", "r"}, "h", "X", 3,
         {"3 is geen geldig getal" + Hint}},
    };
    for (const Case& c : cases) {
        ScriptedMessageSink sink;
        Messages messages(sink);
        TLedenObj r;
        r.setRaw(MemberField::Straat, "Laan 1");
        QStringList cells = c.cells;
        ASSERT_TRUE(copyBackCells(r, cells, 3, false, KeyData{}, messages)) << c.name;
        EXPECT_EQ(r.grp(), c.grp) << c.name;
        EXPECT_EQ(r.actie(), c.actie) << c.name;
        EXPECT_EQ(cells[GridCol::Grp], c.grp) << c.name;
        EXPECT_EQ(cells[GridCol::Actie], c.actie) << c.name;
        EXPECT_EQ(r.clubNr(), c.clubNr) << c.name;
        EXPECT_EQ(cells[GridCol::ClubNr], QString::number(c.clubNr)) << c.name;
        EXPECT_EQ(sink.texts(), c.messages) << c.name;
        EXPECT_EQ(r.voornaam(), "Jan");
        EXPECT_EQ(r.text(MemberField::Opmerking), "r");
        EXPECT_EQ(r.text(MemberField::Straat), "Laan 1") << "fields not shown stay";
    }
}

TEST(CopyBackCells, AddressViewLeavesGroupAndCodeAndCutsToCapacity)
{
    ScriptedMessageSink sink;
    Messages messages(sink);
    TLedenObj r;
    r.setRaw(MemberField::Grp, "q");
    r.setRaw(MemberField::Actie, "K");
    QStringList cells{"4", "7", QString(30, u'V'), "Mol", "Straatweg 100", "1234 AB CD", "Dorp", "0123-456789012"};
    ASSERT_TRUE(copyBackCells(r, cells, 4, true, KeyData{}, messages));
    EXPECT_TRUE(sink.shown.empty());
    EXPECT_EQ(r.ix(), 4);
    EXPECT_EQ(r.voornaam(), QString(24, u'V'));
    EXPECT_EQ(r.text(MemberField::Postcode), "1234 AB ");
    EXPECT_EQ(r.text(MemberField::Telefoon), "0123-4567890");
    EXPECT_EQ(r.grp(), "q");
    EXPECT_EQ(r.actie(), "K");
}

TEST(CopyBackCells, ANumberCellThatIsNoNumberStopsTheRow)
{
    for (const QString& bad : {QStringLiteral("12a"), QStringLiteral("40000")}) {
        ScriptedMessageSink sink;
        Messages messages(sink);
        TLedenObj r;
        r.setClubNr(5);
        QStringList cells{"1", bad, "Jan", "Jansen", "h", "X", ""};
        EXPECT_FALSE(copyBackCells(r, cells, 1, false, KeyData{}, messages));
        ASSERT_EQ(sink.shown.size(), 1u);
        EXPECT_EQ(sink.shown[0].text, "'" + bad + "' is geen geldig getal");
        EXPECT_EQ(sink.shown[0].kind, Error);
        EXPECT_EQ(r.clubNr(), 5);
        EXPECT_EQ(r.voornaam(), "");
    }
}

TEST(NormaliseActie, RawBytes)
{
    struct Case { QByteArray stored; QByteArray bytes; bool lowered; } cases[] = {
        // length byte + the three character bytes as they end up
        {"x", QByteArray("\x01X  ", 4), false},
        {"-", QByteArray("\x01-  ", 4), false},
        {"C5X", QByteArray("\x03" "C2X", 4), true},
        {"cA1", QByteArray("\x03" "C21", 4), true},
        {"C2X", QByteArray("\x03" "C2X", 4), false},
        {"c9", QByteArray("\x02" "C9\0", 4), false},
        {"", QByteArray("\0\0\0\0", 4), false},
    };
    const int offset = TLedenObj::field(MemberField::Actie).offset;
    for (const Case& c : cases) {
        TLedenObj r;
        r.setRaw(MemberField::Actie, c.stored);
        EXPECT_EQ(normaliseActie(r), c.lowered) << c.stored.constData();
        EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(r.data.data() + offset), 4), c.bytes) << c.stored.constData();
    }
}

TEST(Duplicates, MarksAndWarnings)
{
    const MemberList list = listOf({{1, "Jan", "Jansen", "h"}, {2, "Piet", "Puk", "h"}, {3, "", "", "d"}});
    struct Case { int nr; const char* first; const char* last; int skip; DuplicateMark mark; int position; } cases[] = {
        {2, "Kees", "Kok", 0, DuplicateMark::Number, 2},
        {9, "Piet", "Puk", 0, DuplicateMark::Name, 2},
        {2, "Piet", "Puk", 0, DuplicateMark::Name, 2},   // both on one member: the name wins
        {1, "Piet", "Puk", 0, DuplicateMark::Number, 1}, // the walk stops at the first mark
        {1, "", "", 0, DuplicateMark::None, 0},          // nameless members are never reported
        {3, "Kees", "", 0, DuplicateMark::Number, 3},
        {1, "Jan", "Jansen", 1, DuplicateMark::None, 0}, // the member itself is skipped
        {4, "jan", "jansen", 0, DuplicateMark::None, 0}, // exact comparison
    };
    for (const Case& c : cases) {
        const TLedenObj r = makeMemberRecord(1, c.nr, "h", "-");
        TLedenObj named = r;
        named.setRaw(MemberField::Voornaam, c.first);
        named.setRaw(MemberField::Achternaam, c.last);
        const Duplicate d = findDuplicate(list, named, c.skip);
        EXPECT_EQ(d.mark, c.mark) << c.nr << c.first;
        EXPECT_EQ(d.position, c.position) << c.nr << c.first;
    }
    TLedenObj r = makeMemberRecord(6, 21, "h", "-");
    EXPECT_EQ(duplicateWarning(DuplicateMark::Number, r), "ClubNummer: 21 bestaat al!");
    r.setRaw(MemberField::Voornaam, "Piet");
    r.setRaw(MemberField::Achternaam, "Puk");
    EXPECT_EQ(duplicateWarning(DuplicateMark::Name, r), "Voor-AchterNaam :Piet Puk is al gebruikt");
}
