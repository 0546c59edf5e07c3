// The help: every context the program uses has a page, links between pages resolve, F1 opens the page
// of the window in front (or of the menu item under the cursor), and the help commands open their pages.
#include "forms/HelpViewer.h"
#include "forms/TAboutBox.h"
#include "forms/TBanenDlg.h"
#include "forms/TBerichtForm.h"
#include "forms/TConfigDial.h"
#include "forms/TInvoerForm.h"
#include "forms/TMatchForm.h"
#include "forms/TMatchSelDlg.h"
#include "forms/TNewLidDlg.h"
#include "forms/TOptiesForm.h"
#include "forms/TResultsForm.h"
#include "forms/TSchemaForm.h"
#include "forms/TTandem12X.h"
#include "forms/TestSupport.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpression>
#include <QTextBrowser>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

#include <functional>
#include <memory>
#include <utility>

using namespace tandemx;
using namespace tandemx::test;

namespace {

QString pageText(const QString& page)
{
    QFile f(QStringLiteral(":/help/") + page);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

// The page and anchor of a help address, as "page.html#anchor".
QString where(const QUrl& url)
{
    const QString page = url.path().section(QLatin1Char('/'), -1);
    return url.fragment().isEmpty() ? page : page + QLatin1Char('#') + url.fragment();
}

bool pageHasAnchor(const QString& page, const QString& anchor)
{
    return pageText(page).contains(QStringLiteral("<a name=\"%1\">").arg(anchor));
}

QString shownPage()
{
    HelpViewer* viewer = HelpViewer::current();
    return viewer && viewer->isVisible() ? where(viewer->source()) : QString();
}

using WindowFactory = std::function<std::unique_ptr<QWidget>(AppState&)>;
template <class W> WindowFactory make()
{
    return [](AppState& s) { return std::unique_ptr<QWidget>(new W(s)); };
}

WindowFactory makeOpties()
{
    return [](AppState& s) {
        return std::unique_ptr<QWidget>(new TOptiesForm(s));
    };
}

} // namespace

Q_DECLARE_METATYPE(WindowFactory)

class TstHelp : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { installHelpKey(*qApp); }
    void cleanup()
    {
        if (HelpViewer* viewer = HelpViewer::current())
            delete viewer;
    }

    void everyContextHasItsPageAndAnchor();
    void everyLinkResolvesAndEveryPageIsLinked();
    void everyContextTheWindowsCarryHasAPage();
    void f1OpensThePageOfTheWindowInFront_data();
    void f1OpensThePageOfTheWindowInFront();
    void f1InAMenuOpensThePageOfTheItem();
    void helpCommandsOpenTheirPages_data();
    void helpCommandsOpenTheirPages();
    void viewerGoesBackAndForward();
    void messageHelpOpensBesideTheModalMessage();
};

void TstHelp::everyContextHasItsPageAndAnchor()
{
    const QList<int> contexts = helpContexts();
    for (int context : {0, 10, 28, 200, 202, 217, 228, 235, 240, 241, 242, 250, 256, 260, 264, 265, 270, 272, 273,
                        280, 290, 301, 303, 304, 305, 306, 307, 308, 309})
        QVERIFY2(contexts.contains(context), qPrintable(QString::number(context)));
    for (auto [first, last] : {std::pair{220, 227}, {230, 235}, {250, 256}, {260, 266}})
        for (int c = first; c <= last; ++c)
            QVERIFY2(contexts.contains(c), qPrintable(QString::number(c)));
    for (int context : contexts) {
        const QUrl url = helpUrl(context);
        const QString page = url.path().section(QLatin1Char('/'), -1);
        QVERIFY2(!pageText(page).isEmpty(), qPrintable(QStringLiteral("%1: %2").arg(context).arg(page)));
        if (!url.fragment().isEmpty())
            QVERIFY2(pageHasAnchor(page, url.fragment()), qPrintable(QStringLiteral("%1: %2").arg(context).arg(where(url))));
    }
    QVERIFY(helpUrl(9999).isEmpty());
}

void TstHelp::everyLinkResolvesAndEveryPageIsLinked()
{
    const QStringList pages = QDir(QStringLiteral(":/help")).entryList({QStringLiteral("*.html")});
    QVERIFY(pages.size() > 10);
    QSet<QString> linked{QStringLiteral("inhoud.html")};
    const QRegularExpression href(QStringLiteral("href=\"([^\"#]*)(?:#([^\"]*))?\""));
    for (const QString& page : pages) {
        const QString text = pageText(page);
        QVERIFY2(text.contains(QStringLiteral("<title>")), qPrintable(page));
        for (auto m = href.globalMatch(text); m.hasNext();) {
            const auto link = m.next();
            const QString target = link.captured(1).isEmpty() ? page : link.captured(1);
            QVERIFY2(pages.contains(target), qPrintable(page + QStringLiteral(" -> ") + target));
            if (!link.captured(2).isEmpty())
                QVERIFY2(pageHasAnchor(target, link.captured(2)),
                         qPrintable(page + QStringLiteral(" -> ") + target + QLatin1Char('#') + link.captured(2)));
            if (target != page)
                linked.insert(target);
        }
    }
    for (const QString& page : pages)
        QVERIFY2(linked.contains(page), qPrintable(page + QStringLiteral(" is linked from no page")));
}

void TstHelp::everyContextTheWindowsCarryHasAPage()
{
    TestState t;
    const WindowFactory factories[] = {make<TTandem12X>(), make<TNewLidDlg>(), make<TSchemaForm>(),
                                       make<TResultsForm>(), make<TMatchForm>(), make<TInvoerForm>(),
                                       make<TMatchSelDlg>(), make<TBanenDlg>(), make<TConfigDial>(), makeOpties()};
    int seen = 0;
    for (const WindowFactory& factory : factories) {
        std::unique_ptr<QWidget> window = factory(t.state);
        QList<QObject*> objects = window->findChildren<QObject*>();
        objects.append(window.get());
        for (QObject* o : objects) {
            const int context = helpContextOf(o);
            if (context == 0)
                continue;
            ++seen;
            QVERIFY2(!helpUrl(context).isEmpty(),
                     qPrintable(o->objectName() + QStringLiteral(": ") + QString::number(context)));
        }
    }
    QVERIFY(seen > 40);
}

void TstHelp::f1OpensThePageOfTheWindowInFront_data()
{
    QTest::addColumn<WindowFactory>("factory");
    QTest::addColumn<QString>("page");
    QTest::newRow("main window") << make<TTandem12X>() << "hoofdvenster.html";
    QTest::newRow("member dialog") << make<TNewLidDlg>() << "lid.html";
    QTest::newRow("set-up window") << make<TSchemaForm>() << "schema.html";
    QTest::newRow("court coding") << make<TBanenDlg>() << "banen.html";
    QTest::newRow("key data") << make<TConfigDial>() << "sleutel.html";
    QTest::newRow("overview window") << make<TResultsForm>() << "overzichten.html";
    QTest::newRow("match selection") << make<TMatchSelDlg>() << "match.html";
    QTest::newRow("match window") << make<TMatchForm>() << "matchvenster.html";
    QTest::newRow("game input") << make<TInvoerForm>() << "invoer.html";
    QTest::newRow("options") << makeOpties() << "opties.html#persoon";
    QTest::newRow("about box") << WindowFactory([](AppState&) { return std::make_unique<TAboutBox>(); })
                               << "helpgebruik.html#informatie";
}

void TstHelp::f1OpensThePageOfTheWindowInFront()
{
    QFETCH(WindowFactory, factory);
    QFETCH(QString, page);
    TestState t;
    std::unique_ptr<QWidget> window = factory(t.state);
    window->show();
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : window.get();
    QTest::keyClick(target, Qt::Key_F1);
    QCOMPARE(shownPage(), page);
}

void TstHelp::f1InAMenuOpensThePageOfTheItem()
{
    TestState t;
    TTandem12X window(t.state);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    auto* bestand = window.findChild<QMenu*>(QStringLiteral("Bestand1"));
    bestand->popup(window.mapToGlobal(QPoint(10, 10)));
    QVERIFY(QTest::qWaitForWindowExposed(bestand));
    bestand->setActiveAction(window.open1);
    QTest::keyClick(bestand, Qt::Key_F1);
    QCOMPARE(shownPage(), QStringLiteral("bestand.html#open"));
    QVERIFY(!bestand->isVisible());
}

void TstHelp::helpCommandsOpenTheirPages_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("page");
    QTest::newRow("&Inhoud Help") << "InhoudHelp1" << "inhoud.html";
    QTest::newRow("&Gebruik Help") << "GebruikHelp1" << "helpgebruik.html";
    QTest::newRow("help button under the grid") << "HelpBtn1" << "ledenlijst.html";
}

void TstHelp::helpCommandsOpenTheirPages()
{
    QFETCH(QString, command);
    QFETCH(QString, page);
    TestState t;
    TTandem12X window(t.state);
    window.show();
    if (auto* action = window.findChild<QAction*>(command))
        action->trigger();
    else
        window.findChild<QPushButton*>(command)->click();
    QCOMPARE(shownPage(), page);
    QCOMPARE(HelpViewer::current()->parentWidget(), &window);
}

void TstHelp::viewerGoesBackAndForward()
{
    showHelp(10);
    HelpViewer* viewer = HelpViewer::current();
    QVERIFY(viewer);
    QVERIFY(!viewer->browser()->toPlainText().isEmpty());
    auto* back = viewer->findChild<QToolButton*>(QStringLiteral("TerugBtn"));
    auto* forward = viewer->findChild<QToolButton*>(QStringLiteral("VooruitBtn"));
    QVERIFY(!back->isEnabled());
    showHelp(240);
    QCOMPARE(HelpViewer::current(), viewer);
    QCOMPARE(shownPage(), QStringLiteral("schema.html"));
    QVERIFY(viewer->windowTitle().contains(QStringLiteral("Schema Opzet")));
    back->click();
    QCOMPARE(shownPage(), QStringLiteral("inhoud.html"));
    QVERIFY(forward->isEnabled());
    forward->click();
    QCOMPARE(shownPage(), QStringLiteral("schema.html"));
    viewer->findChild<QToolButton*>(QStringLiteral("InhoudBtn"))->click();
    QCOMPARE(shownPage(), QStringLiteral("inhoud.html"));
}

void TstHelp::messageHelpOpensBesideTheModalMessage()
{
    // As the program wires it: the message dialog's "&Help" calls showHelp with its context.
    TBerichtForm dialog(QStringLiteral("Bestand bestaat niet : club.tdm"), Error, Btn::OK | Btn::Help, 0);
    dialog.onHelp = [](int context) { showHelp(context); };
    QString page;
    QWidget* owner = nullptr;
    QTimer::singleShot(0, &dialog, [&] {
        dialog.findChild<QPushButton*>(QStringLiteral("Help"))->click();
        page = shownPage();
        owner = HelpViewer::current() ? HelpViewer::current()->parentWidget() : nullptr;
        QCOMPARE(dialog.isVisible(), true); // the message stays
        dialog.done(1);
    });
    QTimer::singleShot(5000, &dialog, [&dialog] { dialog.done(-1); });
    QCOMPARE(dialog.exec(), 1);
    QCOMPARE(page, QStringLiteral("meldingen.html"));
    // A child of the modal message, so the message does not block it.
    QCOMPARE(owner, &dialog);
}

QTEST_MAIN(TstHelp)
#include "tst_help.moc"
