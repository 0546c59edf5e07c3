// Taking the key-data dialog's fields over: conversion, range checks, messages, LastErrorState.
#include "records/KeyDataFields.h"

#include "messages/ScriptedMessages.h"

#include <gtest/gtest.h>

namespace tandemx {
namespace {

const char* const kHint = "\n\r corrigeer (zonodig) invoer";

struct Fixture {
    ScriptedMessageSink sink;
    Messages messages{sink};
    KeyData data;
    KeyDataFields fields{data, messages};
    KeyDataControls controls = KeyDataControls::from(data);

    int32_t number(int tag) const
    {
        switch (tag) {
        case KeyTag::ClubSize: return data.clubSize;
        case KeyTag::DoublesRounds: return data.doublesRounds;
        case KeyTag::MixedRounds: return data.mixedRounds;
        case KeyTag::Courts: return data.courts;
        case KeyTag::MaxMatches: return data.maxMatches;
        default: return -1000;
        }
    }
};

struct NumberCase {
    int tag;
    const char* text;
    int32_t doublesRounds; // in the record before the field is taken
    bool check;
    int32_t stored;
    std::string message; // empty: no message
    int lastErrorState;
    int beeps;
};

class NumberField : public ::testing::TestWithParam<NumberCase> {};

TEST_P(NumberField, StoresValueAndReportsRangeErrors)
{
    const NumberCase& c = GetParam();
    Fixture f;
    f.data.doublesRounds = c.doublesRounds;
    f.controls.edit(c.tag) = QString::fromUtf8(c.text);
    f.fields.takeField(c.tag, f.controls, c.check);

    EXPECT_EQ(f.number(c.tag), c.stored);
    EXPECT_EQ(f.messages.lastErrorState, c.lastErrorState);
    EXPECT_EQ(f.sink.beeps, c.beeps);
    if (c.message.empty()) {
        EXPECT_TRUE(f.sink.shown.empty()) << f.sink.texts().join(u'|').toStdString();
    } else {
        ASSERT_EQ(f.sink.shown.size(), 1u);
        EXPECT_EQ(f.sink.shown[0].text.toStdString(), c.message);
        EXPECT_EQ(f.sink.shown[0].kind, Error);
        EXPECT_EQ(f.sink.shown[0].buttons, Btn::OK);
    }
}

const std::string TooLarge = "Aantal te groot ";
const std::string Invalid = " is geen geldig getal";

INSTANTIATE_TEST_SUITE_P(
    Checks, NumberField,
    ::testing::Values(
        // Club size: at least 4, at most 400; the message shows the typed text.
        NumberCase{2, "4", 4, true, 4, "", 0, 0}, NumberCase{2, "400", 4, true, 400, "", 0, 0},
        NumberCase{2, "3", 4, true, 3, "Aantal Leden = 0 : 3", 2, 1},
        NumberCase{2, "401", 4, true, 401, TooLarge + "401 bestaat niet" + kHint, 12, 1},
        NumberCase{2, "-5", 4, true, -5, "Aantal Leden = 0 : -5", 2, 1},
        // Doubles rounds: at most 24; a failed check still stores the value.
        NumberCase{3, " 24 ", 4, true, 24, "", 0, 0}, NumberCase{3, "0", 4, true, 0, "", 0, 0},
        NumberCase{3, "30", 4, true, 30, TooLarge + "30 bestaat niet" + kHint, 13, 1},
        NumberCase{3, "-1", 4, true, -1, "Geen tandem " + Invalid + kHint, 3, 1},
        // Mixed rounds: together with the doubles rounds at most 24.
        NumberCase{4, "4", 20, true, 4, "", 0, 0},
        NumberCase{4, "5", 20, true, 5, TooLarge + "5 bestaat niet" + kHint, 14, 1},
        NumberCase{4, "20", 4, true, 20, "", 0, 0},
        NumberCase{4, "-2", 4, true, -2, "Geen mixtandem " + Invalid + kHint, 4, 1},
        // Courts: 1..32.
        NumberCase{5, "32", 4, true, 32, "", 0, 0},
        NumberCase{5, "0", 4, true, 0, "Aantal banen " + Invalid + kHint, 5, 1},
        NumberCase{5, "", 4, true, 0, "Aantal banen " + Invalid + kHint, 5, 1},
        NumberCase{5, "33", 4, true, 33, TooLarge + "33 bestaat niet" + kHint, 15, 1},
        NumberCase{5, "-1", 4, true, -1, "Aantal banen " + Invalid + kHint, 5, 1},
        // Not a number: a beep and 0, then the check of 0.
        NumberCase{5, "drie", 4, true, 0, "Aantal banen " + Invalid + kHint, 5, 2},
        NumberCase{3, "4a", 4, true, 0, "", 0, 1},
        // Matches: at most 40.
        NumberCase{8, "40", 4, true, 40, "", 0, 0},
        NumberCase{8, "41", 4, true, 41, TooLarge + "41 bestaat niet" + kHint, 16, 1},
        NumberCase{8, "-3", 4, true, -3, "Aantal matches " + Invalid + kHint, 8, 1},
        // Kept as 16 bits, sign-extended into the 32-bit fields.
        NumberCase{3, "65560", 4, true, 24, "", 0, 0},
        NumberCase{2, "40000", 4, true, -25536, "Aantal Leden = 0 : 40000", 2, 1},
        NumberCase{5, "65535", 4, false, -1, "", 0, 0},
        // Without check only the conversion counts.
        NumberCase{3, "30", 4, false, 30, "", 0, 0}, NumberCase{2, "x", 4, false, 0, "", 0, 1},
        NumberCase{8, "", 4, false, 0, "", 0, 0}));

struct GroupCase {
    const char* text;
    QByteArray stored; // empty: refused, the old code stays
};

class GroupCode : public ::testing::TestWithParam<GroupCase> {};

TEST_P(GroupCode, StartsWithALetterAndKeepsThreeCharacters)
{
    const GroupCase& c = GetParam();
    for (const int tag : {KeyTag::Group1, KeyTag::Group2}) {
        for (const bool check : {true, false}) {
            Fixture f;
            f.controls.edit(tag) = QString::fromUtf8(c.text);
            f.fields.takeField(tag, f.controls, check);
            const QByteArray& code = tag == KeyTag::Group1 ? f.data.group1Code : f.data.group2Code;
            if (!c.stored.isEmpty()) {
                EXPECT_EQ(code, c.stored);
                EXPECT_TRUE(f.sink.shown.empty());
                EXPECT_EQ(f.messages.lastErrorState, 0);
                continue;
            }
            EXPECT_EQ(code, tag == KeyTag::Group1 ? "h" : "d");
            ASSERT_EQ(f.sink.shown.size(), 1u);
            EXPECT_EQ(f.sink.shown[0].text.toStdString(),
                      "Aanduiding foutief " + QString::fromUtf8(c.text).trimmed().toStdString()
                          + " heeft verkeerd formaat\n\r corrigeer (zonodig) invoer");
            EXPECT_EQ(f.messages.lastErrorState, 2);
            EXPECT_EQ(f.sink.beeps, 1);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Codes, GroupCode,
                         ::testing::Values(GroupCase{"heren", "her"}, GroupCase{" D ", "D"},
                                           GroupCase{"Hé!x", "H\xE9!"}, GroupCase{"1a", {}},
                                           GroupCase{"", {}}, GroupCase{"   ", {}}, GroupCase{"é", {}},
                                           GroupCase{"-h", {}}));

TEST(KeyDataFields, ClubNameKeepsTheFirst32CharactersInWindows1252)
{
    Fixture f;
    f.controls.edit(KeyTag::ClubName) = QStringLiteral("Tennisvereniging Café Het Groene Park");
    f.fields.takeField(KeyTag::ClubName, f.controls, true);
    EXPECT_EQ(f.data.clubName, QByteArray("Tennisvereniging Caf\xE9 Het Groene"));
    EXPECT_TRUE(f.sink.shown.empty());
}

TEST(KeyDataFields, GamesBoxNeedsARestartOnlyWhenSwitchedOn)
{
    Fixture f;
    f.controls.games = false;
    f.fields.takeField(KeyTag::Games, f.controls, false);
    EXPECT_FALSE(f.fields.restartNeeded);
    f.controls.games = true;
    f.fields.takeField(KeyTag::Games, f.controls, false);
    EXPECT_EQ(f.data.keepGames, 1);
    EXPECT_TRUE(f.fields.restartNeeded);

    Fixture on;
    on.data.keepGames = 1;
    on.controls.games = true;
    on.fields.takeField(KeyTag::Games, on.controls, false);
    EXPECT_FALSE(on.fields.restartNeeded);
    on.controls.games = false;
    on.fields.takeField(KeyTag::Games, on.controls, false);
    EXPECT_EQ(on.data.keepGames, 0);
    EXPECT_FALSE(on.fields.restartNeeded);
}

TEST(KeyDataFields, OptionBoxesSetTheirBitAndKeepTheOthers)
{
    Fixture f;
    f.data.options = 0x0111; // bits 0, 4 and an unused one
    f.controls.veelWeinig = false;
    f.controls.helpmess = true;
    f.controls.baancode = true;
    for (const int tag : {KeyTag::VeelWeinig, KeyTag::Helpmess, KeyTag::Baancode})
        f.fields.takeField(tag, f.controls, false);
    EXPECT_EQ(f.data.options, 0x0116);
    f.controls.helpmess = false;
    f.fields.takeField(KeyTag::Helpmess, f.controls, false);
    EXPECT_EQ(f.data.options, 0x0114);
}

TEST(KeyDataFields, ControlsShowTheRecordAndTakeAllWritesItBack)
{
    Fixture f;
    f.data.clubName = "TC De Lob";
    f.data.keepGames = 0;
    f.data.maxMatches = 12;
    KeyDataControls c = KeyDataControls::from(f.data);
    EXPECT_EQ(c.edit(KeyTag::ClubName), QStringLiteral("TC De Lob"));
    EXPECT_EQ(c.edit(KeyTag::ClubSize), QStringLiteral("24"));
    EXPECT_EQ(c.edit(KeyTag::Courts), QStringLiteral("9"));
    EXPECT_EQ(c.edit(KeyTag::Group2), QStringLiteral("d"));
    EXPECT_TRUE(c.edit(KeyTag::MaxMatches).isEmpty()); // games not kept
    EXPECT_TRUE(c.veelWeinig);
    EXPECT_FALSE(c.helpmess);
    EXPECT_FALSE(c.baancode);

    // All fields in order, without range checks: 30 rounds pass, the empty matches field stores 0.
    c.edit(KeyTag::DoublesRounds) = QStringLiteral("30");
    c.baancode = true;
    f.fields.takeAll(c);
    EXPECT_TRUE(f.sink.shown.empty());
    EXPECT_EQ(f.data.doublesRounds, 30);
    EXPECT_EQ(f.data.maxMatches, 0);
    EXPECT_EQ(f.data.options, 21);
    EXPECT_EQ(f.data.clubName, QByteArray("TC De Lob"));

    f.data.keepGames = 1;
    f.data.maxMatches = 12;
    EXPECT_EQ(KeyDataControls::from(f.data).edit(KeyTag::MaxMatches), QStringLiteral("12"));
}

} // namespace
} // namespace tandemx
