// Qt's own dialogs speak Dutch: the program's file dialogs with Qt's Dutch translations installed.
#include "forms/QtFileDialogs.h"
#include "forms/Translations.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>

using namespace tandemx;

namespace {

// Calls look(dialog) on the next file dialog that opens, then closes it with its cancel button.
void answerFileDialog(std::function<void(QFileDialog&)> look)
{
    auto* poll = new QTimer(qApp);
    poll->setInterval(10);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, look] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible())
            return;
        poll->deleteLater();
        poll->stop();
        look(*dialog);
        auto* box = dialog->findChild<QDialogButtonBox*>();
        QVERIFY(box);
        QTest::mouseClick(box->button(QDialogButtonBox::Cancel), Qt::LeftButton);
    });
    poll->start();
}

QString buttonText(QFileDialog& dialog, QDialogButtonBox::StandardButton which)
{
    auto* box = dialog.findChild<QDialogButtonBox*>();
    return box && box->button(which) ? box->button(which)->text() : QString();
}

} // namespace

class TestTranslations : public QObject {
    Q_OBJECT
private slots:
    void missingTranslationsAreReportedAndChangeNothing();
    void fileDialogsSpeakDutch_data();
    void fileDialogsSpeakDutch();
};

void TestTranslations::missingTranslationsAreReportedAndChangeNothing()
{
    QTemporaryDir empty;
    QVERIFY(!installDutchQtTranslations(*qApp, empty.path()));
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QString("Cancel"));
}

void TestTranslations::fileDialogsSpeakDutch_data()
{
    QTest::addColumn<bool>("save");
    QTest::addColumn<QString>("accept");
    QTest::newRow("open") << false << "&Openen";
    QTest::newRow("save") << true << "Op&slaan";
}

void TestTranslations::fileDialogsSpeakDutch()
{
    QFETCH(bool, save);
    QFETCH(QString, accept);
    // The translations must be installed (qt6-translations-l10n): without them this fails.
    static const bool installed = installDutchQtTranslations(*qApp);
    QVERIFY2(installed, qPrintable("qtbase_nl.qm not found in " + qtTranslationsPath()));

    QTemporaryDir dir;
    QtFileDialogs files;
    FileDialogs::Request request{"Open", "*.tdm", "Tandem bestand (*.tdm)", "tdm", dir.path()};
    QString cancel, acceptText;
    bool seen = false;
    answerFileDialog([&](QFileDialog& dialog) {
        seen = true;
        cancel = buttonText(dialog, QDialogButtonBox::Cancel);
        acceptText = buttonText(dialog, save ? QDialogButtonBox::Save : QDialogButtonBox::Open);
    });
    const auto chosen = save ? files.saveFile(request) : files.openFile(request);
    QVERIFY(seen);
    QVERIFY(!chosen);
    QCOMPARE(cancel, QString("Annuleren"));
    QCOMPARE(acceptText, accept);
}

QTEST_MAIN(TestTranslations)
#include "tst_translations.moc"
