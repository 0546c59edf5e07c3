// Composition of the program's messages and the LastErrorState rules.
#include "messages/Messages.h"
#include "messages/ScriptedMessages.h"

#include <gtest/gtest.h>

namespace tandemx {
namespace {

struct MessagesFixture : ::testing::Test {
    ScriptedMessageSink sink;
    Messages messages{sink};
    uint16_t options = 17;

    void SetUp() override { messages.setOptionsSource([this] { return options; }); }
};

using ShowMessageNo = MessagesFixture;

TEST_F(ShowMessageNo, TableEntryIsFollowedByTheTextAsAnError)
{
    messages.showMessageNo(QStringLiteral("club.cfg"), 3, 0, 0);
    ASSERT_EQ(sink.shown.size(), 1u);
    EXPECT_EQ(sink.shown[0].text.toStdString(), "Bestand bestaat niet : club.cfg");
    EXPECT_EQ(sink.shown[0].kind, Error);
    EXPECT_EQ(sink.shown[0].buttons, Btn::OK);
}

TEST_F(ShowMessageNo, NumberZeroComposesTextStateAndHint)
{
    messages.showMessageNo(QStringLiteral("12-13-2026"), 0, 4, 5);
    messages.showMessageNo(QStringLiteral("Aantal banen "), 0, 5, 5);
    // Hint 8 is asked by a few checks; it shows the correction hint.
    messages.showMessageNo(QStringLiteral("Aantal te groot 30"), 0, 1, 8);
    EXPECT_EQ(sink.texts(), QStringList({
                                QStringLiteral("12-13-2026 is geen geldige datum\n\r corrigeer (zonodig) invoer"),
                                QStringLiteral("Aantal banen  is geen geldig getal\n\r corrigeer (zonodig) invoer"),
                                QStringLiteral("Aantal te groot 30 bestaat niet\n\r corrigeer (zonodig) invoer"),
                            }));
}

TEST_F(ShowMessageNo, SetsLastErrorStateOnlyWhenNoneIsPending)
{
    messages.showMessageNo(QStringLiteral("x"), 0, 5, 5);
    EXPECT_EQ(messages.lastErrorState, 5);
    messages.showMessageNo(QStringLiteral("y"), 0, 2, 5);
    EXPECT_EQ(messages.lastErrorState, 5);
    messages.lastErrorState = 0;
    messages.showMessageNo(QStringLiteral("z"), 7, 0, 0); // state 0 leaves it clear
    EXPECT_EQ(messages.lastErrorState, 0);
}

struct RoundCase {
    uint16_t options;
    int prefix, number, round;
    bool shown;
    const char* text;
    int lastErrorState; // after the call, starting from 99
};

class ShowRoundMessage : public MessagesFixture, public ::testing::WithParamInterface<RoundCase> {};

TEST_P(ShowRoundMessage, ComposesRoundTextAndSetsLastErrorState)
{
    const RoundCase& c = GetParam();
    options = c.options;
    messages.lastErrorState = 99;
    messages.showRoundMessage(c.prefix, c.number, c.round);
    EXPECT_EQ(messages.lastErrorState, c.lastErrorState);
    if (!c.shown) {
        EXPECT_TRUE(sink.shown.empty());
        return;
    }
    ASSERT_EQ(sink.shown.size(), 1u);
    EXPECT_EQ(sink.shown[0].text.toStdString(), c.text);
    EXPECT_EQ(sink.shown[0].kind, Error);
    EXPECT_EQ(sink.shown[0].buttons, Btn::OK);
}

INSTANTIATE_TEST_SUITE_P(
    Rounds, ShowRoundMessage,
    ::testing::Values(
        // Court warnings (number 2) need Options bit 0; without it nothing is shown or changed.
        RoundCase{16, 0, 2, 3, false, "", 99}, RoundCase{0xFFFE, 0, 2, 3, false, "", 99},
        RoundCase{17, 0, 2, 3, true, "Banen te weinig ! :  in ronde : 3", 3},
        RoundCase{1, 0, 2, 0, true, "Banen te weinig ! : ", 0},
        RoundCase{1, 0, 2, 20, true, "Banen te weinig ! :  in ronde :20", 20},
        RoundCase{1, 0, 2, 21, true, "", 21},
        // Other numbers do not depend on the option.
        RoundCase{16, 0, 7, 0, true, "Geen oplossing heren-tandem     ", 0},
        RoundCase{16, 0, 9, 21, true, "", 21},
        RoundCase{16, 0, 7, 3, true, "Geen oplossing heren-tandem      in ronde : 3", 3},
        RoundCase{16, 3, 9, 12, true, "Selectie niet geluktGeen oplossing gemengd-tandem    in ronde :12", 12},
        RoundCase{16, 3, 9, 21, true, "Selectie niet gelukt", 21}));

TEST(CancelAndDefaultResults, FollowTheButtonBits)
{
    struct Case {
        uint16_t buttons;
        int enter, escape;
    };
    const Case cases[] = {
        {Btn::OK, Result::Ok, Result::Ok},
        {Btn::JaNee, Result::Yes, Result::No},
        {Btn::OK | Btn::Schrap, Result::Ok, Result::Cancel},
        {Btn::Ja | Btn::Nee | Btn::Schrap, Result::Yes, Result::Cancel},
        {Btn::Af | Btn::Schrap, Result::No, Result::Cancel},
        {Btn::Breek | Btn::Opnieuw | Btn::Negeren, Result::Retry, Result::Ok},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.buttons);
        EXPECT_EQ(defaultResult(c.buttons), c.enter);
        EXPECT_EQ(cancelResult(c.buttons), c.escape);
    }
}

} // namespace
} // namespace tandemx
