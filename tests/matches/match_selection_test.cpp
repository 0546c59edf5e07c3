// The values the match selection takes over from its fields, and the check of the typed match number.
#include "matches/MatchSelection.h"

#include <gtest/gtest.h>

using namespace tandemx;

TEST(MatchSelectionFields, NumberAndRoundsKeepTheLowByteAndFallBack)
{
    struct Case {
        const char* text;
        int number;  // the match number taken over
        int rounds;  // the round count taken over with DoublesRounds 4
        bool beep;
    };
    const Case cases[] = {
        {"3", 3, 3, false},
        {"  7 ", 7, 7, false},
        {"0", 0, 4, false},
        {"-2", 0, 4, false},
        {"x", 1, 4, true},
        {"", 1, 4, true},
        {"127", 127, 127, false},
        {"128", 0, 4, false},  // -128 as a signed byte
        {"300", 44, 44, false}, // 300 & 0xFF
        {"2.5", 1, 4, true},
    };
    for (const Case& c : cases) {
        bool beep = false;
        EXPECT_EQ(matchNumberField(QString::fromLatin1(c.text), &beep), c.number) << c.text;
        EXPECT_EQ(beep, c.beep) << c.text;
        beep = false;
        EXPECT_EQ(matchRoundsField(QString::fromLatin1(c.text), 4, &beep), c.rounds) << c.text;
        EXPECT_EQ(beep, c.beep) << c.text;
    }
}

TEST(MatchSelectionFields, DatesGetTwoDigitDayAndMonth)
{
    EXPECT_EQ(matchDateField(QDate(2004, 3, 5)), QStringLiteral("05-03-2004"));
    EXPECT_EQ(matchDateField(QDate(2004, 3, 15)), QStringLiteral("15-03-2004"));
    EXPECT_EQ(matchDateField(QDate(2004, 11, 5)), QStringLiteral("05-11-2004"));
    EXPECT_EQ(matchDateField(QDate(2026, 12, 10)), QStringLiteral("10-12-2026"));
    EXPECT_EQ(latestMatchDate(QDate(2026, 12, 10)), QDate(2026, 12, 31));
    EXPECT_EQ(latestMatchDate(QDate(2027, 1, 1)), QDate(2027, 12, 31));
}

TEST(MatchSelectionCheck, RefusesZeroUnopenedAndTooHighNumbers)
{
    struct Case {
        const char* text;
        int matchCount, maxMatches;
        int refusal, number;
    };
    const Case cases[] = {
        {"  2", 4, 10, 0, 2},
        {"4", 4, 10, 0, 4},
        {"0", 4, 10, MatchNumberZero, 0},
        {"x", 4, 10, MatchNumberZero, 0},
        {"-1", 4, 10, MatchNumberZero, -1},
        {"7", 4, 10, MatchNumberNotOpen, 7},
        {"7", 4, 5, MatchNumberTooHigh, 7},  // both apply: the last check wins
        {"5", 6, 4, MatchNumberTooHigh, 5},  // a match beyond the key data's limit
        {"65535", 4, 40, MatchNumberZero, -1}, // read as a 16-bit number
        {"300", 4, 40, MatchNumberTooHigh, 300},
    };
    for (const Case& c : cases) {
        int number = -99;
        EXPECT_EQ(checkMatchNumber(QString::fromLatin1(c.text), c.matchCount, c.maxMatches, &number), c.refusal) << c.text;
        EXPECT_EQ(number, c.number) << c.text;
    }
}
