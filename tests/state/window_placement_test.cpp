// Where a window goes: the rule that keeps it on a screen, the choice of screen, and the store of the
// places in the program's settings.
#include "state/WindowPlacement.h"

#include <QCoreApplication>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cctype>

using namespace tandemx;

namespace {

struct PlaceCase {
    const char* name;
    QRect available;
    QRect wanted;
    QRect expected;
};

class PlaceOnScreen : public ::testing::TestWithParam<PlaceCase> {};

TEST_P(PlaceOnScreen, KeepsTheWindowWhollyOnTheScreen)
{
    const PlaceCase& c = GetParam();
    const QRect placed = placeOnScreen(c.available, c.wanted);
    EXPECT_EQ(placed, c.expected) << c.name;
    if (!c.available.isEmpty()) {
        EXPECT_TRUE(c.available.contains(placed)) << c.name;
    }
}

const QRect Screen(0, 0, 1280, 1024);
const QRect BelowPanel(0, 30, 1280, 994); // a 30-pixel panel at the top

INSTANTIATE_TEST_SUITE_P(
    Table, PlaceOnScreen,
    ::testing::Values(
        PlaceCase{"inside stays", Screen, QRect(100, 100, 700, 480), QRect(100, 100, 700, 480)},
        PlaceCase{"exactly the screen stays", Screen, Screen, Screen},
        PlaceCase{"15 px below the bottom moves up 15", Screen, QRect(290, 559, 700, 480), QRect(290, 544, 700, 480)},
        PlaceCase{"past the right edge moves left", Screen, QRect(900, 200, 541, 540), QRect(739, 200, 541, 540)},
        PlaceCase{"left of and above the screen moves in", Screen, QRect(-40, -25, 750, 540), QRect(0, 0, 750, 540)},
        PlaceCase{"under the panel moves below it", BelowPanel, QRect(200, 10, 600, 400), QRect(200, 30, 600, 400)},
        PlaceCase{"past the bottom with a panel", BelowPanel, QRect(200, 900, 600, 400), QRect(200, 624, 600, 400)},
        PlaceCase{"taller than the screen shrinks to it", BelowPanel, QRect(100, 300, 700, 1200), QRect(100, 30, 700, 994)},
        PlaceCase{"larger both ways fills the screen", Screen, QRect(-10, -10, 2000, 1100), Screen},
        PlaceCase{"a second screen on the right", QRect(1280, 0, 1024, 768), QRect(2000, 500, 700, 480),
                  QRect(1604, 288, 700, 480)},
        PlaceCase{"no screen known leaves it", QRect(), QRect(5000, 5000, 700, 480), QRect(5000, 5000, 700, 480)}),
    [](const ::testing::TestParamInfo<PlaceCase>& info) {
        std::string name = info.param.name;
        for (char& ch : name)
            if (!std::isalnum(static_cast<unsigned char>(ch)))
                ch = '_';
        return name;
    });

TEST(ScreenFor, TheScreenCoveredMostElseTheFallback)
{
    const QList<QRect> two{QRect(0, 0, 1280, 1024), QRect(1280, 0, 1024, 768)};
    struct Case {
        QRect wanted;
        int fallback;
        int expected;
    };
    const Case cases[] = {
        {QRect(100, 100, 700, 480), 1, 0},     // wholly on the first
        {QRect(1000, 100, 700, 480), 0, 1},    // 280 px on the first, 420 on the second
        {QRect(900, 100, 700, 480), 1, 0},     // 380 on the first, 320 on the second
        {QRect(1400, 900, 300, 200), 0, 0},    // below the second screen only, on the first not at all: nowhere
        {QRect(5000, 5000, 300, 200), 1, 1},   // a screen that has gone: the owner's
        {QRect(5000, 5000, 300, 200), 7, 0},   // an owner screen that is not there either: the first
        {QRect(-900, 100, 700, 480), -1, 0},   // left of every screen, no owner known
    };
    for (const Case& c : cases)
        EXPECT_EQ(screenFor(two, c.wanted, c.fallback), c.expected) << c.wanted.x() << "," << c.wanted.y();
    EXPECT_EQ(screenFor({}, QRect(0, 0, 10, 10), 0), -1);
}

TEST(SettingsWindowPlaces, EachWindowKeepsItsOwnPlace)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QCoreApplication::setOrganizationName(QStringLiteral("TandemX-test"));
    QCoreApplication::setApplicationName(QStringLiteral("window-places"));
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir.path());
    ASSERT_TRUE(QSettings().fileName().startsWith(dir.path()));

    SettingsWindowPlaces places;
    EXPECT_FALSE(places.load(QStringLiteral("TMatchForm")));
    places.save(QStringLiteral("TMatchForm"), {QRect(290, 544, 700, 480), false, QMargins(1, 20, 1, 5)});
    places.save(QStringLiteral("Tandem12X"), {QRect(10, 20, 750, 540), true, QMargins()});
    places.save(QStringLiteral("TMatchForm"), {QRect(300, 500, 800, 520), false, QMargins(2, 24, 2, 2)}); // the last one counts

    const SettingsWindowPlaces again; // read back from the file
    const auto match = again.load(QStringLiteral("TMatchForm"));
    EXPECT_EQ(match, (WindowPlace{QRect(300, 500, 800, 520), false, QMargins(2, 24, 2, 2)}));
    EXPECT_EQ(match->client(), QRect(302, 524, 796, 494)); // the window without its title bar and borders
    EXPECT_EQ(again.load(QStringLiteral("Tandem12X")), (WindowPlace{QRect(10, 20, 750, 540), true, QMargins()}));
    EXPECT_FALSE(again.load(QStringLiteral("TResultsForm")));
}

} // namespace
