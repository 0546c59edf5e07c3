// The message dialog: captions, icons, buttons, default and cancel buttons, keys, layout.
#include "forms/QtMessageSink.h"
#include "forms/TBerichtForm.h"
#include "forms/TestSupport.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTimer>
#include <QtTest>

using namespace tandemx;

namespace {

// Runs the dialog modally and lets action act on it once it is up; returns the dialog's result.
int runModal(TBerichtForm& dialog, const std::function<void()>& action)
{
    QTimer::singleShot(0, &dialog, action);
    // A dialog the action failed to close must not hang the test.
    QTimer::singleShot(5000, &dialog, [&dialog] { dialog.done(-1); });
    return dialog.exec();
}

QWidget* keyTarget(TBerichtForm& dialog)
{
    return dialog.focusWidget() ? dialog.focusWidget() : &dialog;
}

} // namespace

class TstBericht : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QApplication::setApplicationDisplayName(QStringLiteral("Tennis Programma TandemX")); }

    void captionAndIconByKind_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<int>("icon"); // -1: none
        QTest::newRow("warning") << 0 << "Waarschuwing" << int(QStyle::SP_MessageBoxWarning);
        QTest::newRow("error") << 1 << "Fout" << int(QStyle::SP_MessageBoxCritical);
        QTest::newRow("information") << 2 << "Informatie" << int(QStyle::SP_MessageBoxInformation);
        QTest::newRow("question") << 3 << "Bevestig" << int(QStyle::SP_MessageBoxQuestion);
        QTest::newRow("plain") << 4 << "Tennis Programma TandemX" << -1;
    }

    void captionAndIconByKind()
    {
        QFETCH(int, kind);
        QFETCH(QString, caption);
        QFETCH(int, icon);
        TBerichtForm dialog(QStringLiteral("Bestand bestaat niet : club.cfg"), kind, Btn::OK, 0);
        QCOMPARE(dialog.windowTitle(), caption);
        const auto* text = dialog.findChild<QLabel*>(QStringLiteral("Bericht"));
        QVERIFY(text);
        QCOMPARE(text->text(), QStringLiteral("Bestand bestaat niet : club.cfg"));
        const auto* image = dialog.findChild<QLabel*>(QStringLiteral("Image"));
        const auto& m = dialog.metrics();
        if (icon < 0) {
            QVERIFY(!image);
            QCOMPARE(text->x(), m.hMargin);
            return;
        }
        QVERIFY(image);
        QCOMPARE(image->geometry(), QRect(m.hMargin, m.vMargin, 32, 32));
        const QImage expected = dialog.style()->standardIcon(QStyle::StandardPixmap(icon)).pixmap(32, 32).toImage();
        QCOMPARE(image->pixmap().toImage(), expected);
        QCOMPARE(text->x(), m.hMargin + m.hSpacing + 32);
        QCOMPARE(text->y(), m.vMargin);
    }

    void buttonsInBitOrder()
    {
        TBerichtForm dialog(QStringLiteral("Alle knoppen"), Question, 0x1FFF, 0);
        const QStringList names{"Bij", "Af", "Ja", "Nee", "OK", "Schrap", "Breek", "Opnieuw", "Negeren",
                                "Alles", "Alles Nee", "Alles Ja", "Help"};
        const QStringList captions{"&Bij", "&Af", "&Ja", "&Nee", "OK", "Schrap", "&Afbreken", "&Opnieuw",
                                   "&Negeer", "&Alle", "N&ee voor Alle", "J&a voor Alle", "&Help"};
        const auto& m = dialog.metrics();
        const auto& row = dialog.buttonRow();
        QCOMPARE(int(row.size()), 13);
        const int rowWidth = 13 * m.buttonWidth + 12 * m.buttonSpacing;
        for (int i = 0; i < 13; ++i) {
            QCOMPARE(row[size_t(i)]->objectName(), names[i]);
            QCOMPARE(row[size_t(i)]->text(), captions[i]);
            QCOMPARE(row[size_t(i)]->geometry(),
                     QRect((dialog.width() - rowWidth) / 2 + i * (m.buttonWidth + m.buttonSpacing),
                           32 + m.vMargin + m.vSpacing, m.buttonWidth, m.buttonHeight));
        }
        // The button row is wider than the text: it sets the width.
        QCOMPARE(dialog.width(), rowWidth + 2 * m.hMargin);
        QCOMPARE(dialog.height(), 32 + m.buttonHeight + m.vSpacing + 2 * m.vMargin);
        QCOMPARE(dialog.defaultButton()->objectName(), QStringLiteral("OK"));
        QVERIFY(dialog.defaultButton()->isDefault());
        QCOMPARE(dialog.cancelButton()->objectName(), QStringLiteral("Schrap"));
    }

    void keys_data()
    {
        QTest::addColumn<int>("buttons");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("result");
        QTest::newRow("OK: Enter") << int(Btn::OK) << int(Qt::Key_Return) << 1;
        QTest::newRow("OK: Escape") << int(Btn::OK) << int(Qt::Key_Escape) << 1;
        QTest::newRow("Ja/Nee: Enter") << int(Btn::JaNee) << int(Qt::Key_Return) << 6;
        QTest::newRow("Ja/Nee: keypad Enter") << int(Btn::JaNee) << int(Qt::Key_Enter) << 6;
        QTest::newRow("Ja/Nee: Escape") << int(Btn::JaNee) << int(Qt::Key_Escape) << 7;
        QTest::newRow("Ja/Nee: n") << int(Btn::JaNee) << int(Qt::Key_N) << 7;
        QTest::newRow("Ja/Nee/Schrap: Escape") << int(Btn::JaNee | Btn::Schrap) << int(Qt::Key_Escape) << 2;
        QTest::newRow("OK/Schrap: Enter") << int(Btn::OK | Btn::Schrap) << int(Qt::Key_Return) << 1;
        QTest::newRow("OK/Schrap: Escape") << int(Btn::OK | Btn::Schrap) << int(Qt::Key_Escape) << 2;
        QTest::newRow("Af/Schrap: Enter") << int(Btn::Af | Btn::Schrap) << int(Qt::Key_Return) << 7;
        QTest::newRow("Afbreken/Opnieuw: Enter") << int(Btn::Breek | Btn::Opnieuw) << int(Qt::Key_Return) << 4;
        QTest::newRow("Afbreken/Opnieuw: Escape") << int(Btn::Breek | Btn::Opnieuw) << int(Qt::Key_Escape) << 1;
        QTest::newRow("OK/Help: Escape") << int(Btn::OK | Btn::Help) << int(Qt::Key_Escape) << 1;
    }

    void keys()
    {
        QFETCH(int, buttons);
        QFETCH(int, key);
        QFETCH(int, result);
        TBerichtForm dialog(QStringLiteral("Doorgaan?"), Question, uint16_t(buttons), 0);
        QCOMPARE(runModal(dialog, [&] { QTest::keyClick(keyTarget(dialog), Qt::Key(key)); }), result);
    }

    void clickReturnsTheButtonsResult()
    {
        const std::pair<const char*, int> expected[] = {
            {"Bij", 6},     {"Af", 7},      {"Ja", 6},       {"Nee", 7},         {"OK", 1},        {"Schrap", 2},
            {"Breek", 3}, {"Opnieuw", 4}, {"Negeren", 5}, {"Alles", 8}, {"Alles Nee", 9}, {"Alles Ja", 10},
        };
        for (const auto& [name, result] : expected) {
            TBerichtForm dialog(QStringLiteral("Kies"), Question, 0x0FFF, 0);
            auto* button = dialog.findChild<QPushButton*>(QString::fromLatin1(name));
            QVERIFY(button);
            QCOMPARE(runModal(dialog, [button] { QTest::mouseClick(button, Qt::LeftButton); }), result);
        }
    }

    void closeBoxReturnsCancel()
    {
        TBerichtForm dialog(QStringLiteral("Doorgaan?"), Question, Btn::JaNee, 0);
        QCOMPARE(runModal(dialog, [&] { dialog.close(); }), 2);
    }

    void helpOpensTheContextAndStaysOpen()
    {
        QList<int> contexts;
        TBerichtForm dialog(QStringLiteral("Hulp nodig?"), Information, Btn::OK | Btn::Help, 42);
        dialog.onHelp = [&](int context) { contexts << context; };
        bool stillOpen = false;
        const int result = runModal(dialog, [&] {
            QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("Help")), Qt::LeftButton);
            stillOpen = dialog.isVisible();
            QTest::keyClick(keyTarget(dialog), Qt::Key_Escape);
        });
        QVERIFY(stillOpen);
        QCOMPARE(contexts, QList<int>{42});
        QCOMPARE(result, 1);
    }

    void lineBreaks_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("shown");
        QTest::newRow("CR") << "Sluit eerst alle vensters,\rdan Nieuw openen"
                            << "Sluit eerst alle vensters,\ndan Nieuw openen";
        QTest::newRow("LF CR") << "Aantal banen  is geen geldig getal\n\r corrigeer (zonodig) invoer"
                               << "Aantal banen  is geen geldig getal\n corrigeer (zonodig) invoer";
        QTest::newRow("CR LF") << "Te veel banen gekozen\r\n Aantal wordt aangepast... "
                               << "Te veel banen gekozen\n Aantal wordt aangepast... ";
        QTest::newRow("two breaks") << "a\r\rb" << "a\n\nb";
    }

    void lineBreaks()
    {
        QFETCH(QString, text);
        QFETCH(QString, shown);
        TBerichtForm dialog(text, Error, Btn::OK, 0);
        const auto* label = dialog.findChild<QLabel*>(QStringLiteral("Bericht"));
        QCOMPARE(label->text(), shown);
        const int lines = int(shown.count(u'\n')) + 1;
        // One text line per break.
        const int lineHeight = QFontMetrics(dialog.font()).lineSpacing();
        QVERIFY2(qAbs(label->height() - lines * lineHeight) < lineHeight / 2, qPrintable(QString::number(label->height())));
    }

    void longTextWrapsAtHalfTheScreenAndIsCentred()
    {
        QString text;
        for (int i = 0; i < 60; ++i)
            text += QStringLiteral("Geen oplossing gemengd-tandem ");
        TBerichtForm dialog(text, Error, Btn::OK, 0);
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        const auto* label = dialog.findChild<QLabel*>(QStringLiteral("Bericht"));
        const auto& m = dialog.metrics();
        QVERIFY(label->width() <= screen.width() / 2);
        QVERIFY(label->width() > screen.width() / 2 - 30 * m.charWidth);
        QVERIFY(label->height() > 3 * m.charHeight);
        // The text sets the size: it ends one margin from the right, the buttons follow below it.
        QCOMPARE(label->geometry().right() + 1 + m.hMargin, dialog.width());
        const auto* ok = dialog.findChild<QPushButton*>(QStringLiteral("OK"));
        QCOMPARE(ok->y(), label->height() + m.vMargin + m.vSpacing);
        QCOMPARE(dialog.height(), ok->geometry().bottom() + 1 + m.vMargin);
        QCOMPARE(ok->x(), (dialog.width() - m.buttonWidth) / 2);
        QCOMPARE(dialog.pos(), QPoint(screen.width() / 2 - dialog.width() / 2, screen.height() / 2 - dialog.height() / 2));
    }

    void desktopSinkShowsTheDialog()
    {
        QString caption, text;
        ModalHooks hooks;
        hooks.onShow<TBerichtForm>([&](TBerichtForm& dialog) {
            caption = dialog.windowTitle();
            text = dialog.findChild<QLabel*>(QStringLiteral("Bericht"))->text();
            QTimer::singleShot(0, &dialog, [&dialog] { QTest::keyClick(keyTarget(dialog), Qt::Key_Escape); });
        });
        QtMessageSink sink;
        sink.setModalHooks(hooks);
        Messages messages(sink);
        QVERIFY(!messages.ask(QStringLiteral("Bestand opslaan?")));
        QCOMPARE(caption, QStringLiteral("Bevestig"));
        QCOMPARE(text, QStringLiteral("Bestand opslaan?"));

        messages.showMessageNo(QStringLiteral("leden.tdm"), 3, 0, 0);
        QCOMPARE(caption, QStringLiteral("Fout"));
        QCOMPARE(text, QStringLiteral("Bestand bestaat niet : leden.tdm"));

        // The sink hands its help to every message: "&Help" opens the message's own context.
        QList<int> contexts;
        sink.setHelp([&](int context) { contexts << context; });
        hooks.onShow<TBerichtForm>([](TBerichtForm& dialog) {
            QTimer::singleShot(0, &dialog, [&dialog] {
                QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("Help")), Qt::LeftButton);
                QTest::keyClick(keyTarget(dialog), Qt::Key_Escape);
            });
        });
        QCOMPARE(messages.showBericht(QStringLiteral("Hulp nodig?"), Information, Btn::OK | Btn::Help, 42), 1);
        QCOMPARE(contexts, QList<int>{42});
    }

    // A message belongs to the window the user works in and stands over its middle; the main window
    // (the sink's own) only when no window of the program is active.
    void messageBelongsToTheWindowInUse()
    {
        QWidget main;
        main.setObjectName(QStringLiteral("Tandem12X"));
        main.setGeometry(20, 20, 500, 400); // both on the screen of the offscreen platform (800 x 800)
        QWidget overview(&main, Qt::Window);
        overview.setObjectName(QStringLiteral("TResultsForm"));
        overview.setGeometry(300, 150, 450, 380);
        main.show();
        overview.show();
        QVERIFY(QTest::qWaitForWindowExposed(&overview));

        QtMessageSink sink;
        sink.setParent(&main);
        ModalHooks hooks;
        sink.setModalHooks(hooks);
        QWidget* owner = nullptr;
        QPoint centre;
        hooks.onShow<TBerichtForm>([&](TBerichtForm& dialog) {
            owner = dialog.parentWidget();
            centre = dialog.frameGeometry().center();
            QTimer::singleShot(0, &dialog, [&dialog] { QTest::keyClick(keyTarget(dialog), Qt::Key_Return); });
        });
        struct Case {
            QWidget* active;
            QWidget* expected;
        };
        for (const Case& c : {Case{&overview, &overview}, Case{&main, &main}, Case{nullptr, &main}}) {
            if (c.active) {
                c.active->activateWindow();
                QVERIFY(QTest::qWaitForWindowActive(c.active));
            }
            QApplication::setActiveWindow(c.active);
            owner = nullptr;
            QCOMPARE(sink.showBericht(QStringLiteral("Wijziging niet gelukt"), Error, Btn::OK, 0), int(Result::Ok));
            QCOMPARE(owner, c.expected);
            const QPoint expected = c.expected->frameGeometry().center();
            QVERIFY2(qAbs(centre.x() - expected.x()) <= 2 && qAbs(centre.y() - expected.y()) <= 2, // rounding of odd sizes
                     qPrintable(QStringLiteral("%1,%2 for %3,%4").arg(centre.x()).arg(centre.y()).arg(expected.x()).arg(expected.y())));
        }

        // Over a window at the screen's edge the message stays wholly on the screen.
        const QRect screen = overview.screen()->availableGeometry();
        overview.move(screen.right() - 100, screen.bottom() - 60);
        overview.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&overview));
        QApplication::setActiveWindow(&overview);
        QRect placed;
        hooks.onShow<TBerichtForm>([&](TBerichtForm& dialog) {
            placed = dialog.frameGeometry();
            QTimer::singleShot(0, &dialog, [&dialog] { QTest::keyClick(keyTarget(dialog), Qt::Key_Return); });
        });
        sink.showBericht(QStringLiteral("Wegschrijven van club.tdm niet gelukt"), Error, Btn::OK, 0);
        QVERIFY2(screen.contains(placed), qPrintable(QStringLiteral("%1,%2 %3x%4").arg(placed.x()).arg(placed.y())
                                                          .arg(placed.width()).arg(placed.height())));
    }
};

QTEST_MAIN(TstBericht)
#include "tst_bericht.moc"
