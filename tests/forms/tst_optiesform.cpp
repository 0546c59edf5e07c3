// The options dialog "Opties" through its real widgets, and the desktop printouts and export: the
// member list, an overview's "&Print" and "&Export", printed on the printer "PDF-bestand".
#include "engine/QuietHost.h"
#include "engine/ScheduleStart.h"
#include "forms/FontChoiceDialog.h"
#include "forms/MatchWiring.h"
#include "forms/MemberView.h"
#include "forms/TMatchForm.h"
#include "forms/TMatchSelDlg.h"
#include "matches/MatchFile.h"
#include "forms/PrintDialogs.h"
#include "forms/PrintWiring.h"
#include "forms/ProgramWindows.h"
#include "forms/QtFileDialogs.h"
#include "forms/ResultsWiring.h"
#include "forms/TOptiesForm.h"
#include "forms/TResultsForm.h"
#include "forms/TTandem12X.h"
#include "forms/TestSupport.h"
#include "records/Cp1252.h"
#include "printing/PainterCanvas.h"
#include "records/MemberFile.h"
#include "state/FileCommands.h"
#include "state/UnsavedChanges.h"

#include <QAction>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QtTest>

using namespace tandemx;
using namespace tandemx::test;

namespace {

const QString SaveQuestion = QStringLiteral("Wijzigingen opslaan, gebruik dan OK knop");

QByteArray fileBytes(const QString& fileName)
{
    QFile f(fileName);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QByteArray settingsBytes(const PrintSettings& s)
{
    QByteArray bytes(PrintSettings::Size, '\0');
    s.toBytes(reinterpret_cast<uint8_t*>(bytes.data()));
    return bytes;
}

// Types text into an edit of the options dialog and presses Enter.
void enterIn(QWidget& form, const char* name, const QString& text)
{
    auto* e = form.findChild<QLineEdit*>(QString::fromLatin1(name));
    QVERIFY(e);
    e->setFocus();
    QTest::keyClick(e, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(e, text);
    QTest::keyClick(e, Qt::Key_Return);
}

int pdfPages(const QString& fileName)
{
    QFile f(fileName);
    return f.open(QIODevice::ReadOnly) ? int(f.readAll().count("/Type /Page\n")) : -1;
}

// Whether the first page of the PDF file is wider than high ("/MediaBox [0 0 width height]").
bool pdfLandscape(const QString& fileName)
{
    QFile f(fileName);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = f.readAll();
    const qsizetype at = bytes.indexOf("/MediaBox [");
    const QList<QByteArray> box = bytes.mid(at + 11, bytes.indexOf(']', at) - at - 11).simplified().split(' ');
    return at >= 0 && box.size() == 4 && box[2].toDouble() > box[3].toDouble();
}

// Whether the PDF file embeds the font (by its PostScript name, e.g. "DejaVuSerif").
bool pdfHasFont(const QString& fileName, const QByteArray& font)
{
    QFile f(fileName);
    return f.open(QIODevice::ReadOnly) && f.readAll().contains("+" + font + "\n");
}

// A club with default key data beside a member file in a temporary folder, and the dialog on it with
// fixed metrics (PixelsPer10mm 118, 66 lines of 50 pixels).
struct Dialog {
    QTemporaryDir dir;
    TestState t;
    TOptiesForm form{t.state};
    std::vector<std::pair<QStringList, int>> printerRequests;
    std::optional<int> printerAnswer;
    std::optional<QFont> fontAnswer;
    std::vector<std::pair<QString, int>> fontRequests; // title and smallest size offered

    Dialog()
    {
        t.state.club.members.emplace();
        t.state.club.memberFileName = dir.filePath(QStringLiteral("club.tdm"));
        setDefaults(t.state);
        form.measure = [](const PrintSettings&, bool) {
            printing::PrintMetrics m;
            m.lineHeight = 50;
            m.linesPerPage = 66;
            m.charWidth = 10;
            m.pixelsPer10mm = 118;
            return m;
        };
        form.choosePrinter = [this](const QStringList& printers, int start) {
            printerRequests.push_back({printers, start});
            return printerAnswer;
        };
        form.chooseFont = [this](const QFont&, const QString& title, int smallest) {
            fontRequests.push_back({title, smallest});
            return fontAnswer;
        };
    }
    void open(int page)
    {
        form.prepare(OptionsPage(page));
        form.show();
        QApplication::setActiveWindow(&form);
        QVERIFY(QTest::qWaitForWindowActive(&form));
    }
    template <typename T = QWidget>
    T* get(const char* name) { return form.findChild<T*>(QString::fromLatin1(name)); }
    QLineEdit* edit(const char* name) { return get<QLineEdit>(name); }
    PrintSettings& settings() { return t.state.club.printSettings; }
    void enter(const char* name, const QString& text)
    {
        QLineEdit* e = edit(name);
        e->setFocus();
        QTest::keyClick(e, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(e, text);
        QTest::keyClick(e, Qt::Key_Return);
    }
    QString focusName() const { return QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString(); }
    bool configWritten() const { return QFile::exists(dir.filePath(QStringLiteral("club.cfg"))); }
    std::optional<TConfigObj> config() const { return readKeyDataFile(dir.filePath(QStringLiteral("club.cfg"))); }
};

} // namespace

class TestOptiesForm : public QObject {
    Q_OBJECT
private slots:
    void printPageShowsMillimetresAndRecomputesPageLength();
    void enterStoresMarginsAsPixels();
    void flagsActAtOnceButSchrapKeepsTheFile();
    void personalDataIsWrittenByOk();
    void printerAndFontDialogs();
    void marginsDoNotDriftWithTheOrientation_data();
    void marginsDoNotDriftWithTheOrientation();
    void fontDialogsOfferOnlyTheSizesTaken();
    void saveDialogsOpenBesideTheMemberFile();
    void memberListPrintsOnPdfPrinter();
    void memberListPrintKeepsTheUsersMargins();
    void showingThePrintPageIsNoChange_data();
    void showingThePrintPageIsNoChange();
    void memberGridFollowsTheTextFont();
    void memberListWithoutPrinterOrAnsweredNee();
    void previewOrientationGoesIntoThePdfFile();
    void pageTurnedInThePreviewIsLaidOutTurned_data();
    void pageTurnedInThePreviewIsLaidOutTurned();
    void qtPreviewShowsThePagesAndItsPrintButtonGoesOn();
    void everyFileOpenedPrintsInItsOwnPrintFont();
    void overviewPrintAndExport();
    void matchPrintAndExport();
};

void TestOptiesForm::printPageShowsMillimetresAndRecomputesPageLength()
{
    Dialog d;
    d.open(1);
    QCOMPARE(d.form.currentPage(), 1);
    QCOMPARE(d.form.windowTitle(), QString("Opties"));
    QCOMPARE(d.edit("LeftEdit")->text(), QString("10"));  // 118 pixels
    QCOMPARE(d.edit("TopEdit")->text(), QString("15"));   // 177
    QCOMPARE(d.edit("BodemEdit")->text(), QString("10")); // 118
    QCOMPARE(d.edit("PaglenEdit")->text(), QString("61")); // 66 - (177 + 118) / 50
    QVERIFY(d.get<QRadioButton>("Staand")->isChecked());
    for (const char* box : {"PersData", "PrintHead", "PrintTitel"})
        QVERIFY(!d.get<QCheckBox>(box)->isChecked());

    // A typed page length holds until the page is shown again.
    d.enter("PaglenEdit", "70");
    QCOMPARE(d.settings().pageLength, uint16_t(70));
    QCOMPARE(d.focusName(), QString("PrinterBtn"));
    d.get<QTabWidget>("PageControl")->setCurrentIndex(0);
    QCOMPARE(d.focusName(), QString("PersEdit1"));
    d.get<QTabWidget>("PageControl")->setCurrentIndex(1);
    QCOMPARE(d.edit("PaglenEdit")->text(), QString("61"));
    QCOMPARE(d.settings().pageLength, uint16_t(61));
}

void TestOptiesForm::enterStoresMarginsAsPixels()
{
    Dialog d;
    d.open(1);
    d.enter("LeftEdit", "20");
    QCOMPARE(d.settings().leftMargin, uint16_t(236));
    QCOMPARE(d.focusName(), QString("TopEdit"));
    d.enter("TopEdit", " 7 ");
    QCOMPARE(d.settings().topMargin, uint16_t(82)); // 7 x 118 / 10
    QCOMPARE(d.focusName(), QString("BodemEdit"));
    QVERIFY(d.form.changed());
    // Shown again in millimetres: 82 pixels are round(6.95) = 7.
    d.form.prepare(OptionsPage::Print);
    QCOMPARE(d.edit("TopEdit")->text(), QString("7"));
    QCOMPARE(d.edit("LeftEdit")->text(), QString("20"));

    // Not a whole number: reported, nothing stored, the focus stays.
    d.t.sink.expect(Result::Ok);
    d.enter("BodemEdit", "1,5");
    QCOMPARE(d.t.sink.shown.back().kind, int(Error));
    QVERIFY(d.t.sink.shown.back().text.contains("1,5"));
    QCOMPARE(d.settings().bottomMargin, uint16_t(118));
    QCOMPARE(d.focusName(), QString("BodemEdit"));
}

void TestOptiesForm::flagsActAtOnceButSchrapKeepsTheFile()
{
    Dialog d;
    d.open(1);
    QVERIFY(!d.form.changed());
    QTest::mouseClick(d.get<QCheckBox>("PrintHead"), Qt::LeftButton, {}, QPoint(6, 8));
    QTest::mouseClick(d.get<QRadioButton>("Liggend"), Qt::LeftButton, {}, QPoint(6, 8));
    QCOMPARE(d.settings().printFlags, uint16_t(PrintFlag::Defaults | PrintFlag::Header | PrintFlag::Landscape));
    QVERIFY(d.form.changed());

    // "Schrap": the question; "&Ja" keeps the dialog open, "&Nee" lets it close.
    d.t.sink.expect(Result::Yes);
    QTest::mouseClick(d.get<QPushButton>("CancelBtn"), Qt::LeftButton);
    QCOMPARE(d.t.sink.shown.back().text, SaveQuestion);
    QCOMPARE(d.t.sink.shown.back().kind, int(tandemx::Question));
    QVERIFY(d.form.isVisible());
    d.t.sink.expect(Result::No);
    QTest::keyClick(&d.form, Qt::Key_Escape);
    QVERIFY(!d.form.isVisible());
    QVERIFY(!d.form.closedWithOk());
    // In memory the flags stay; the file is not written.
    QVERIFY(d.settings().printFlags & PrintFlag::Header);
    QVERIFY(!d.configWritten());
}

void TestOptiesForm::personalDataIsWrittenByOk()
{
    Dialog d;
    d.open(0);
    QCOMPARE(d.focusName(), QString("PersEdit1"));
    QTest::keyClicks(d.edit("PersEdit1"), "Jan Jansen");
    QVERIFY(!d.form.changed()); // typing alone is no change
    QTest::keyClick(d.edit("PersEdit1"), Qt::Key_Return);
    QVERIFY(d.form.changed());
    QCOMPARE(d.focusName(), QString("PersEdit2"));
    QTest::keyClicks(d.edit("PersEdit2"), "Dorpsstraat 1");
    QTest::keyClick(d.edit("PersEdit2"), Qt::Key_Tab);
    QCOMPARE(d.focusName(), QString("PersEdit3"));
    QTest::keyClicks(d.edit("PersEdit5"), "0123-456789012345678901234567"); // cut at 24
    for (int i = 3; i <= 5; ++i)
        QTest::keyClick(d.edit(qPrintable(QString("PersEdit%1").arg(i))), Qt::Key_Return);
    QCOMPARE(d.focusName(), QString("OkBtn"));
    QTest::mouseClick(d.get<QPushButton>("OkBtn"), Qt::LeftButton);
    QVERIFY(!d.form.isVisible());
    QVERIFY(d.form.closedWithOk());
    QVERIFY(!d.form.changed());
    const auto config = d.config();
    QVERIFY(config.has_value());
    QCOMPARE(config->printSettings.personalData[0], QByteArray("Jan Jansen"));
    QCOMPARE(config->printSettings.personalData[1], QByteArray("Dorpsstraat 1"));
    QCOMPARE(config->printSettings.personalData[4], QByteArray("0123-4567890123456789012"));
}

void TestOptiesForm::printerAndFontDialogs()
{
    Dialog d;
    d.open(1);
    const int pdfIndex = int(printerNames().size()) - 1;
    QCOMPARE(printerNames().back(), QString("PDF-bestand"));

    // Cancelled: nothing changes.
    QTest::mouseClick(d.get<QPushButton>("PrinterBtn"), Qt::LeftButton);
    QCOMPARE(d.printerRequests.size(), size_t(1));
    QCOMPARE(d.settings().printerIndex, -1);
    QVERIFY(!d.form.changed());
    // Chosen: stored, the print font no longer set up, the focus on "Print Font".
    QVERIFY(d.t.state.club.printFontSetUp()); // the defaults store a print font size
    d.printerAnswer = pdfIndex;
    QTest::mouseClick(d.get<QPushButton>("PrinterBtn"), Qt::LeftButton);
    QCOMPARE(d.settings().printerIndex, pdfIndex);
    QVERIFY(!d.t.state.club.printFontSetUp());
    QVERIFY(d.form.changed());
    QCOMPARE(d.focusName(), QString("FontBtn"));

    d.fontAnswer = QFont(QStringLiteral("DejaVu Serif"), 12);
    QTest::mouseClick(d.get<QPushButton>("FontBtn"), Qt::LeftButton);
    QCOMPARE(d.settings().printFontName, QByteArray("DejaVu Serif"));
    QCOMPARE(d.settings().printFontSize, int16_t(12));
    QVERIFY(d.t.state.club.printFontSetUp());

    // The window text font: the dialog offers sizes from 8 up, at most 24 is taken; into the font in use and the settings ...
    d.fontAnswer = QFont(QStringLiteral("DejaVu Sans"), 6);
    QTest::mouseClick(d.get<QPushButton>("WinfontBtn"), Qt::LeftButton);
    QCOMPARE(d.fontRequests.back(), std::make_pair(QString("TextFont"), 8));
    QCOMPARE(d.t.state.club.windowFontName, QByteArray("DejaVu Sans"));
    QCOMPARE(d.t.state.club.windowFontSize, 8);
    QCOMPARE(d.settings().textFontSize, int16_t(8));
    // ... and at most 24: a window font of 99 points made every repaint of the main window take
    // seconds (found by the monkey, options seed 62393748).
    d.fontAnswer = QFont(QStringLiteral("DejaVu Sans"), 99);
    QTest::mouseClick(d.get<QPushButton>("WinfontBtn"), Qt::LeftButton);
    QCOMPARE(d.t.state.club.windowFontSize, 24);
    QCOMPARE(d.settings().textFontSize, int16_t(24));

    QTest::mouseClick(d.get<QPushButton>("OkBtn"), Qt::LeftButton);
    const auto config = d.config();
    QVERIFY(config.has_value());
    QCOMPARE(config->printSettings.printerIndex, pdfIndex);
    QCOMPARE(config->printSettings.printFontSize, int16_t(12));
    QCOMPARE(config->printSettings.lineHeight, int16_t(50));
}


void TestOptiesForm::marginsDoNotDriftWithTheOrientation_data()
{
    QTest::addColumn<QStringList>("typed");  // left, top, bottom margin in mm; empty: as stored
    QTest::addColumn<QList<int>>("pixels");  // what the key-data file holds every time
    QTest::addColumn<QStringList>("shown");  // what the dialog shows every time
    QTest::addColumn<bool>("landscapeFirst");
    // A4 on the PDF printer, 2480 x 3508 pixels upright: 122 pixels per 10 mm in either orientation.
    const QStringList typed{"20", "12", "8"};
    QTest::newRow("20/12/8 typed upright") << typed << QList<int>{244, 146, 97} << typed << false;
    QTest::newRow("20/12/8 typed on turned paper") << typed << QList<int>{244, 146, 97} << typed << true;
    QTest::newRow("7/33/1 typed on turned paper") << QStringList{"7", "33", "1"} << QList<int>{85, 402, 12}
                                                  << QStringList{"7", "33", "1"} << true;
    // Pixels already in a file keep them, in whatever orientation the dialog is closed.
    QTest::newRow("stored 118/177/118, untouched") << QStringList{"", "", ""} << QList<int>{118, 177, 118}
                                                   << QStringList{"10", "15", "10"} << false;
    QTest::newRow("stored 118/177/118, turned first") << QStringList{"", "", ""} << QList<int>{118, 177, 118}
                                                      << QStringList{"10", "15", "10"} << true;
}

void TestOptiesForm::marginsDoNotDriftWithTheOrientation()
{
    QFETCH(QStringList, typed);
    QFETCH(QList<int>, pixels);
    QFETCH(QStringList, shown);
    QFETCH(bool, landscapeFirst);
    Dialog d;
    d.form.measure = [](const PrintSettings& s, bool fontSetUp) { return printing::measurePdfPage(s, fontSetUp); };
    if (landscapeFirst)
        d.settings().printFlags |= PrintFlag::Landscape;
    const char* const edits[3] = {"LeftEdit", "TopEdit", "BodemEdit"};
    d.open(1);
    for (int i = 0; i < 3; ++i)
        if (!typed[i].isEmpty())
            d.enter(edits[i], typed[i]);
    // Each cycle turns the paper, closes with "O&k" (which writes the file) and opens the dialog again.
    for (int cycle = 1; cycle <= 4; ++cycle) {
        const bool landscape = d.settings().printFlags & PrintFlag::Landscape;
        QTest::mouseClick(d.get<QRadioButton>(landscape ? "Staand" : "Liggend"), Qt::LeftButton, {}, QPoint(6, 8));
        QTest::mouseClick(d.get<QPushButton>("OkBtn"), Qt::LeftButton);
        QVERIFY(d.form.closedWithOk());
        const auto config = d.config();
        QVERIFY(config.has_value());
        const PrintSettings& stored = config->printSettings;
        QCOMPARE(bool(stored.printFlags & PrintFlag::Landscape), !landscape);
        QCOMPARE(QList<int>({stored.leftMargin, stored.topMargin, stored.bottomMargin}), pixels);
        QCOMPARE(QList<int>({d.settings().leftMargin, d.settings().topMargin, d.settings().bottomMargin}), pixels);
        d.open(1);
        QCOMPARE(QStringList({d.edit(edits[0])->text(), d.edit(edits[1])->text(), d.edit(edits[2])->text()}), shown);
    }
}

void TestOptiesForm::fontDialogsOfferOnlyTheSizesTaken()
{
    // The form's own font dialog, driven through its widgets.
    TestState t;
    setDefaults(t.state);
    TOptiesForm form{t.state};
    form.measure = [](const PrintSettings&, bool) { return printing::PrintMetrics{}; };
    form.prepare(OptionsPage::Print);
    form.show();
    struct Seen {
        QString title;
        QStringList offered;
        bool okWithSix = false;
        bool openAfterEnterOnSix = false;
    };
    std::vector<Seen> seen;
    QString sizeToTake;
    t.state.modalHooks.onShow<FontChoiceDialog>([&](FontChoiceDialog& dlg) {
        QTimer::singleShot(0, &dlg, [&] {
            Seen s;
            s.title = dlg.windowTitle();
            auto* box = dlg.findChild<QComboBox*>("SizeBox");
            auto* ok = dlg.findChild<QPushButton*>("OkBtn");
            QVERIFY(box && ok);
            for (int i = 0; i < box->count(); ++i)
                s.offered << box->itemText(i);
            QLineEdit* e = box->lineEdit();
            e->selectAll();
            QTest::keyClicks(e, "6");
            s.okWithSix = ok->isEnabled();
            QTest::keyClick(e, Qt::Key_Return);
            s.openAfterEnterOnSix = dlg.isVisible();
            seen.push_back(s);
            if (dlg.isVisible()) {
                e->selectAll();
                QTest::keyClicks(e, sizeToTake);
                QTest::mouseClick(ok, Qt::LeftButton);
            }
        });
    });

    // "TextFont": sizes from 8 up; 6 cannot be taken, 9 is stored as 9.
    sizeToTake = QStringLiteral("9");
    QTest::mouseClick(form.findChild<QPushButton*>("WinfontBtn"), Qt::LeftButton);
    QCOMPARE(seen.size(), size_t(1));
    QCOMPARE(seen[0].title, QString("TextFont"));
    QVERIFY(!seen[0].offered.isEmpty());
    QCOMPARE(seen[0].offered.first(), QString("8"));
    for (const QString& size : seen[0].offered)
        QVERIFY2(size.toInt() >= 8, qPrintable(size));
    QVERIFY(!seen[0].okWithSix);
    QVERIFY(seen[0].openAfterEnterOnSix);
    QCOMPARE(t.state.club.windowFontSize, 9);
    QCOMPARE(t.state.club.printSettings.textFontSize, int16_t(9));

    // "Print Font": the printouts take small sizes too; 6 is stored as 6.
    QTest::mouseClick(form.findChild<QPushButton*>("FontBtn"), Qt::LeftButton);
    QCOMPARE(seen.size(), size_t(2));
    QCOMPARE(seen[1].title, QString("Print Font"));
    QVERIFY(seen[1].okWithSix);
    QVERIFY(!seen[1].openAfterEnterOnSix);
    QCOMPARE(t.state.club.printSettings.printFontSize, int16_t(6));
}

void TestOptiesForm::saveDialogsOpenBesideTheMemberFile()
{
    struct Case {
        QString memberFile, folder, name;
    };
    const Case cases[] = {
        {"/clubs/noord/tennisclub.tdm", "/clubs/noord", "tennisclub-kruistabel.txt"},
        {"/clubs/zuid/tennisclub.tdm", "/clubs/zuid", "tennisclub-kruistabel.txt"},
        {"/clubs/de.baan.TDM", "/clubs", "de.baan-kruistabel.txt"},
        {"N_N", "", "kruistabel.txt"}, // no file yet: the last folder used
    };
    for (const Case& c : cases) {
        const FileDialogs::Request r = clubOutputRequest(c.memberFile, "Exporteren", "kruistabel", "txt", "Text files (*.txt)");
        QCOMPARE(r.folder, c.folder);
        QCOMPARE(r.fileName, c.name);
        QCOMPARE(r.caption, QString("Exporteren"));
    }

    // The desktop's save dialog opens in that folder with the name filled in.
    QTemporaryDir dir;
    QWidget owner;
    QtFileDialogs files(&owner);
    QString seenFolder;
    QStringList seenFiles;
    QTimer::singleShot(0, &owner, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        seenFolder = dialog->directory().absolutePath();
        seenFiles = dialog->selectedFiles();
        dialog->reject();
    });
    QVERIFY(!files.saveFile(clubOutputRequest(dir.filePath("club.tdm"), "Afdrukken naar PDF-bestand", "parenschema",
                                              "pdf", "PDF-bestand (*.pdf)", "pdf")));
    QCOMPARE(seenFolder, QDir(dir.path()).absolutePath());
    QCOMPARE(seenFiles, QStringList{dir.filePath("club-parenschema.pdf")});
}

namespace {

// The sample club opened in the main window, printing on "PDF-bestand".
struct SampleClub {
    QTemporaryDir dir;
    TestState t;
    ScriptedPrintDialogs dialogs;
    TTandem12X window{t.state};

    SampleClub()
    {
        for (const char* ext : {".tdm", ".cfg"})
            QFile::copy(QStringLiteral(TANDEMX_EXAMPLES "/tennisclub") + ext, dir.filePath(QStringLiteral("club") + ext));
        dialogs.folder = dir.path();
        window.windows().setPrintDialogs(dialogs);
        wireOverviews(window, t.state);
        wirePrinting(window, t.state);
        window.show();
        if (!window.openPath(dir.filePath(QStringLiteral("club.tdm"))))
            QTest::qFail("the sample club did not open", __FILE__, __LINE__);
        t.state.club.printSettings.printerIndex = int(printerNames().size()) - 1;
    }
    // Answers the printer question with Ja, the preview with "Afdrukken" and the PDF save dialog with
    // `pdf`.
    void printTo(const QString& pdf)
    {
        t.sink.expect(Result::Yes);
        dialogs.previewAnswers.push_back(true);
        t.files.answers.push_back(pdf);
    }
    void checkQuestion()
    {
        QVERIFY(!t.sink.shown.empty());
        QCOMPARE(t.sink.shown.back().text, QString("Afdrukken op printer: \rPDF-bestand"));
        QCOMPARE(t.sink.shown.back().kind, int(Information));
        QCOMPARE(t.sink.shown.back().buttons, uint16_t(Btn::JaNee));
    }
};

} // namespace

void TestOptiesForm::memberListPrintsOnPdfPrinter()
{
    SampleClub c;
    const QString pdf = c.dir.filePath("leden.pdf");
    c.printTo(pdf);
    QPushButton* print = c.window.findChild<QPushButton*>("PrintBtn");
    QVERIFY(print && print->isVisible());
    QTest::mouseClick(print, Qt::LeftButton);
    c.checkQuestion();
    QCOMPARE(pdfPages(pdf), 1); // 40 members on one portrait page
    // The preview came first and showed those pages.
    QCOMPARE(c.dialogs.previews.size(), size_t(1));
    QCOMPARE(c.dialogs.previews.back().title, QString("Afdrukvoorbeeld - PDF-bestand"));
    QCOMPARE(pdfPages(c.dialogs.previews.back().file), 1);
    QCOMPARE(c.t.files.requests.back().filter, QString("PDF-bestand (*.pdf)"));
    QCOMPARE(c.t.files.requests.back().folder, c.dir.path());
    QCOMPARE(c.t.files.requests.back().fileName, QString("club-ledenlijst.pdf"));

    // Landscape with page length 20: 10 members a page, and a fifth page for the title and the rule.
    c.t.state.club.printSettings.printFlags |= PrintFlag::Landscape;
    c.t.state.club.printSettings.pageLength = 20;
    const QString landscape = c.dir.filePath("liggend.pdf");
    c.printTo(landscape);
    c.window.memberView()->toggleAddressView();
    c.window.printLedenlijst1->trigger();
    QCOMPARE(pdfPages(landscape), 5);
    QCOMPARE(c.dialogs.previews.back().orientation, QPageLayout::Landscape);
    QCOMPARE(pdfPages(c.dialogs.previews.back().file), 5);
    QCOMPARE(c.dialogs.printDialogs, 0); // a PDF file asks for its name, not for a printer
}

void TestOptiesForm::memberListPrintKeepsTheUsersMargins()
{
    SampleClub c;
    TOptiesForm& form = optionsForm(c.window, c.t.state);
    form.prepare(OptionsPage::Print);
    form.show();
    QApplication::setActiveWindow(&form);
    QVERIFY(QTest::qWaitForWindowActive(&form));
    enterIn(form, "LeftEdit", "20");
    enterIn(form, "TopEdit", "12");
    QTest::mouseClick(form.findChild<QPushButton*>("OkBtn"), Qt::LeftButton);
    PrintSettings& ps = c.t.state.club.printSettings;
    QCOMPARE(ps.leftMargin, uint16_t(244));
    const QString cfg = c.dir.filePath("club.cfg");
    const QByteArray written = fileBytes(cfg);
    const QByteArray before = settingsBytes(ps);

    // Upright and turned: the list is printed, the settings stay as the user left them.
    for (bool landscape : {false, true}) {
        if (landscape)
            ps.printFlags |= PrintFlag::Landscape;
        const QByteArray expected = settingsBytes(ps);
        const QString pdf = c.dir.filePath(landscape ? "leden-liggend.pdf" : "leden.pdf");
        c.printTo(pdf);
        QTest::mouseClick(c.window.findChild<QPushButton*>("PrintBtn"), Qt::LeftButton);
        QVERIFY(pdfPages(pdf) >= 1);
        QCOMPARE(settingsBytes(ps), expected);
    }
    ps.printFlags &= uint16_t(~PrintFlag::Landscape);
    QCOMPARE(settingsBytes(ps), before);
    // "&Bewaar" writes the key-data file again: the same bytes as "O&k" wrote.
    c.window.saveFile();
    QCOMPARE(fileBytes(cfg), written);
    // And the dialog shows what was typed.
    form.prepare(OptionsPage::Print);
    QCOMPARE(form.findChild<QLineEdit*>("LeftEdit")->text(), QString("20"));
    QCOMPARE(form.findChild<QLineEdit*>("TopEdit")->text(), QString("12"));
}

// Showing "Print opties" recomputes the page length from the margins: that is no change of the
// user's, so after "O&k" or "Schrap" on an untouched page the club has nothing to save and closing the
// program asks nothing. What the user typed and kept only in memory still counts, until showing the
// page again replaces a typed page length.
void TestOptiesForm::showingThePrintPageIsNoChange_data()
{
    QTest::addColumn<QString>("edit"); // where a value is typed (with Enter), if anywhere
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<bool>("unsaved");      // after the dialog closed
    QTest::addColumn<bool>("unsavedAgain"); // after the page was shown again
    QTest::newRow("untouched, O&k") << QString() << QString() << true << false << false;
    QTest::newRow("untouched, Schrap") << QString() << QString() << false << false << false;
    QTest::newRow("page length typed, Schrap") << "PaglenEdit" << "50" << false << true << false;
    QTest::newRow("margin typed, Schrap") << "LeftEdit" << "20" << false << true << true;
    QTest::newRow("margin typed, O&k") << "LeftEdit" << "20" << true << false << false;
}

void TestOptiesForm::showingThePrintPageIsNoChange()
{
    QFETCH(QString, edit);
    QFETCH(QString, text);
    QFETCH(bool, ok);
    QFETCH(bool, unsaved);
    QFETCH(bool, unsavedAgain);
    SampleClub c;
    AppState& state = c.t.state;
    TOptiesForm& form = optionsForm(c.window, state);
    form.measure = [](const PrintSettings&, bool) {
        printing::PrintMetrics m;
        m.lineHeight = 50;
        m.linesPerPage = 70; // page length 70 - (177 + 118) / 50 = 65
        m.charWidth = 10;
        m.pixelsPer10mm = 118;
        return m;
    };
    PrintSettings& ps = state.club.printSettings;
    QVERIFY(saveConfig(state, state.club.memberFileName)); // the printer "PDF-bestand" kept
    const QString cfg = c.dir.filePath("club.cfg");
    const QByteArray onDisk = fileBytes(cfg);
    QVERIFY(!hasUnsavedChanges(state));
    QVERIFY(ps.pageLength != 65); // showing the page changes it

    form.prepare(OptionsPage::Print);
    form.show();
    QApplication::setActiveWindow(&form);
    QVERIFY(QTest::qWaitForWindowActive(&form));
    QCOMPARE(ps.pageLength, uint16_t(65));
    QVERIFY(!hasUnsavedChanges(state));
    if (!edit.isEmpty())
        enterIn(form, qPrintable(edit), text);
    if (ok) {
        QTest::mouseClick(form.findChild<QPushButton*>("OkBtn"), Qt::LeftButton);
    } else {
        c.t.sink.expect(Result::No); // "Wijzigingen opslaan, gebruik dan OK knop"
        QTest::mouseClick(form.findChild<QPushButton*>("CancelBtn"), Qt::LeftButton);
    }
    QVERIFY(!form.isVisible());
    QCOMPARE(hasUnsavedChanges(state), unsaved);
    if (edit.isEmpty())
        QCOMPARE(fileBytes(cfg), onDisk); // nothing to write, nothing written

    form.prepare(OptionsPage::Print);
    QCOMPARE(hasUnsavedChanges(state), unsavedAgain);
    // Closing the program asks only about what is not yet on disk.
    if (unsavedAgain)
        c.t.sink.expect(Result::No); // "Bestand bewaren ?"
    QVERIFY(c.window.close());
    QVERIFY(c.t.sink.allAnswersUsed());
}

void TestOptiesForm::memberGridFollowsTheTextFont()
{
    SampleClub c;
    auto* grid = c.window.findChild<QWidget*>("LedenGrid");
    QVERIFY(grid && grid->isVisible());
    QVERIFY(grid->font().pointSize() != 14);
    TOptiesForm& form = optionsForm(c.window, c.t.state);
    form.chooseFont = [](const QFont&, const QString&, int) {
        return std::optional<QFont>(QFont(QStringLiteral("DejaVu Serif"), 14));
    };
    form.prepare(OptionsPage::Print);
    form.show();
    QTest::mouseClick(form.findChild<QPushButton*>("WinfontBtn"), Qt::LeftButton);
    QCOMPARE(c.window.font().pointSize(), 14); // the menus
    QCOMPARE(grid->font().pointSize(), 14);
    QCOMPARE(grid->font().family(), QString("DejaVu Serif"));
}

void TestOptiesForm::memberListWithoutPrinterOrAnsweredNee()
{
    SampleClub c;
    // No printer set up (new key data): a PDF file is offered; Nee prints nothing.
    c.t.state.club.printSettings.printerIndex = -1;
    c.t.sink.expect(Result::No);
    c.window.printLedenlijst1->trigger();
    QCOMPARE(c.t.sink.shown.back().text, QString("Geen Printer aanwezig\rAfdrukken naar PDF-bestand?"));
    QCOMPARE(c.t.sink.shown.back().kind, int(Question));
    QCOMPARE(c.t.sink.shown.back().buttons, uint16_t(Btn::JaNee));
    QVERIFY(c.dialogs.previews.empty());
    QVERIFY(c.t.files.requests.empty());
    // Ja: the preview and the PDF file, without asking about the printer again; the settings stay.
    const QString offered = c.dir.filePath("zonder-printer.pdf");
    c.printTo(offered);
    c.window.printLedenlijst1->trigger();
    QCOMPARE(c.t.sink.shown.size(), size_t(2));
    QCOMPARE(c.dialogs.previews.size(), size_t(1));
    QCOMPARE(pdfPages(offered), 1);
    QCOMPARE(c.t.state.club.printSettings.printerIndex, -1);

    c.t.state.club.printSettings.printerIndex = int(printerNames().size()) - 1;
    c.t.sink.expect(Result::No);
    c.window.printLedenlijst1->trigger();
    c.checkQuestion();
    QCOMPARE(c.dialogs.previews.size(), size_t(1)); // no preview, no file asked for, nothing printed
    QCOMPARE(c.t.files.requests.size(), size_t(1));

    // "Sluiten" in the preview: no file asked for, nothing printed.
    c.t.sink.expect(Result::Yes);
    c.dialogs.previewAnswers.push_back(false);
    c.window.printLedenlijst1->trigger();
    QCOMPARE(c.dialogs.previews.size(), size_t(2));
    QCOMPARE(c.t.files.requests.size(), size_t(1));

    // A PDF file that cannot be written: the failure is reported.
    c.printTo(c.dir.filePath("missing/leden.pdf"));
    c.t.sink.expect(Result::Ok);
    c.window.printLedenlijst1->trigger();
    QCOMPARE(c.t.sink.shown.back().text, QString(" Afdrukken niet gelukt"));
    QCOMPARE(c.t.sink.shown.back().kind, int(Error));
    QVERIFY(c.t.sink.allAnswersUsed());
    QVERIFY(c.dialogs.previewAnswers.empty());
}

// The desktop program's preview (QPrintPreviewDialog) shows the pages drawn; its print button ends the
// preview with "print" and nothing else (the print dialog or the file name follow from the printout),
// closing it prints nothing.
void TestOptiesForm::qtPreviewShowsThePagesAndItsPrintButtonGoesOn()
{
    TestState t;
    QtPrintDialogs dialogs(t.state);
    int painted = 0;
    auto paint = [&painted](QPrinter& printer) {
        ++painted;
        QPainter p(&printer);
        p.drawText(100, 100, QStringLiteral("Parenschema"));
        printer.newPage();
        p.drawText(100, 100, QStringLiteral("2"));
    };
    for (bool print : {true, false}) {
        int pages = 0;
        bool otherDialog = false;
        QTimer::singleShot(0, [&] {
            auto* preview = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget());
            QVERIFY(preview);
            QCOMPARE(preview->windowTitle(), QString("Afdrukvoorbeeld - PDF-bestand"));
            pages = preview->findChild<QPrintPreviewWidget*>()->pageCount();
            // A preview still open a moment later (after Qt's own print dialog, say) is noted and
            // closed, so that a fault ends the test instead of hanging it.
            QTimer::singleShot(200, preview, [&otherDialog, preview] {
                otherDialog = true;
                if (QWidget* w = QApplication::activeModalWidget(); w && w != preview)
                    w->close();
                preview->reject();
            });
            if (!print) {
                preview->reject();
                return;
            }
            for (QAction* a : preview->findChildren<QAction*>())
                if (a->text() == QStringLiteral("Print"))
                    a->trigger();
        });
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        QCOMPARE(dialogs.preview(printer, QStringLiteral("Afdrukvoorbeeld - PDF-bestand"), paint), print);
        QCOMPARE(pages, 2);
        QVERIFY(painted >= 1);
        QVERIFY(!otherDialog);
        QVERIFY(printer.outputFileName().isEmpty()); // nothing was printed by the preview itself
    }
}

// The page turned in the preview is the page of the PDF file.
void TestOptiesForm::previewOrientationGoesIntoThePdfFile()
{
    SampleClub c;
    c.t.state.club.printSettings.printerIndex = int(printerNames().size()) - 1;
    c.dialogs.inPreview = [](QPrinter& printer) { printer.setPageOrientation(QPageLayout::Landscape); };
    const QString pdf = c.dir.filePath("gedraaid.pdf");
    c.printTo(pdf);
    c.window.printLedenlijst1->trigger();
    QCOMPARE(c.dialogs.previews.back().orientation, QPageLayout::Portrait); // as the settings say
    QVERIFY(pdfLandscape(pdf));
    QVERIFY(!pdfLandscape(c.dialogs.previews.back().file));
    QVERIFY(!(c.t.state.club.printSettings.printFlags & PrintFlag::Landscape)); // the settings stay
}

// A page turned in the preview is laid out as a turned page (page breaks by PageScale 140 in landscape,
// 100 upright), as if the settings had said so: the 40 members with page length 61 fill two pages
// turned and one upright. The settings stay as they are.
void TestOptiesForm::pageTurnedInThePreviewIsLaidOutTurned_data()
{
    QTest::addColumn<bool>("landscapeSet");
    QTest::addColumn<int>("pagesTurned");
    QTest::newRow("upright turned to landscape") << false << 2;
    QTest::newRow("landscape turned upright") << true << 1;
}

void TestOptiesForm::pageTurnedInThePreviewIsLaidOutTurned()
{
    QFETCH(bool, landscapeSet);
    QFETCH(int, pagesTurned);
    SampleClub c;
    PrintSettings& ps = c.t.state.club.printSettings;
    ps.pageLength = 61;
    if (landscapeSet)
        ps.printFlags |= PrintFlag::Landscape;
    const uint16_t flags = ps.printFlags;
    const QPageLayout::Orientation turned = landscapeSet ? QPageLayout::Portrait : QPageLayout::Landscape;
    c.dialogs.inPreview = [turned](QPrinter& printer) { printer.setPageOrientation(turned); };
    const QString pdf = c.dir.filePath("gedraaid.pdf");
    c.printTo(pdf);
    c.window.printLedenlijst1->trigger();
    QCOMPARE(pdfLandscape(pdf), !landscapeSet);
    QCOMPARE(pdfPages(pdf), pagesTurned);
    QCOMPARE(pdfPages(c.dialogs.previews.back().file), 3 - pagesTurned); // shown first as the settings say
    QCOMPARE(ps.printFlags, flags);
    QVERIFY(c.t.sink.allAnswersUsed());
}

// "Print Font" chooses the print font and "Printer" then marks it as not set up, so this run prints in
// the default font; the file, opened again, brings its print font back.
void TestOptiesForm::everyFileOpenedPrintsInItsOwnPrintFont()
{
    SampleClub c;
    const int pdfIndex = int(printerNames().size()) - 1;
    TOptiesForm& form = optionsForm(c.window, c.t.state);
    form.chooseFont = [](const QFont&, const QString&, int) { return QFont(QStringLiteral("DejaVu Serif"), 12); };
    form.choosePrinter = [pdfIndex](const QStringList&, int) { return std::optional<int>(pdfIndex); };
    c.t.state.club.printSettings.printerIndex = -1; // so that choosing "PDF-bestand" is a change
    form.prepare(OptionsPage::Print);
    form.show();
    QTest::mouseClick(form.findChild<QPushButton*>("FontBtn"), Qt::LeftButton);
    QTest::mouseClick(form.findChild<QPushButton*>("PrinterBtn"), Qt::LeftButton);
    QVERIFY(!c.t.state.club.printFontSetUp());
    QTest::mouseClick(form.findChild<QPushButton*>("OkBtn"), Qt::LeftButton);
    QCOMPARE(c.t.state.club.printSettings.printFontName, QByteArray("DejaVu Serif"));

    const QString before = c.dir.filePath("voor.pdf");
    c.printTo(before);
    c.window.printLedenlijst1->trigger();
    QCOMPARE(pdfPages(before), 1);
    QVERIFY(!pdfHasFont(before, "DejaVuSerif"));

    QVERIFY(c.window.openPath(c.dir.filePath(QStringLiteral("club.tdm"))));
    QVERIFY(c.t.state.club.printFontSetUp());
    c.t.state.club.printSettings.printerIndex = pdfIndex; // no printer is installed here
    const QString after = c.dir.filePath("na.pdf");
    c.printTo(after);
    c.window.printLedenlijst1->trigger();
    QCOMPARE(pdfPages(after), 1);
    QVERIFY(pdfHasFont(after, "DejaVuSerif"));
    QVERIFY(c.t.sink.allAnswersUsed());
}

void TestOptiesForm::overviewPrintAndExport()
{
    SampleClub c;
    // A calculated evening of the sample club's present members, as the set-up window leaves it.
    engine::ScheduleState& s = *c.t.state.schedule;
    engine::QuietHost host(0);
    engine::SetGroupCodes(s, "h", "d");
    for (int j = 1; j <= 8; ++j) {
        for (int g : {engine::Men, engine::Ladies}) {
            auto& e = s.PlayerTable[size_t(g)][size_t(j)];
            e.firstName.assign((std::string(g == engine::Men ? "Heer" : "Dame") + std::to_string(j) + std::string(24, ' ')).substr(0, 24));
            if (g == engine::Ladies && j == 1) // Windows-1252, as in the records
                e.firstName.assign(std::string("Ren\xe9" "e") + std::string(19, ' '));
            e.lastName.assign(std::string(40, ' '));
            e.PlayerCode = 'X';
        }
    }
    s.Settings = {8, 8, 2, 1, 4, 0, 0, engine::ScheduleMode::Names};
    engine::DefaultCourts(s, host);
    engine::StartSchedule(s, host);
    QVERIFY(s.SolutionFound);
    c.window.setOverviewGroup(true);
    c.window.overviewItems[0]->trigger();
    TResultsForm& form = resultsForm(c.window, c.t.state);
    QVERIFY(form.isVisible());
    QCOMPARE(form.kind(), overviews::PairSchedule);

    // "&Print" without a printer: message 21, and a PDF file offered (answered Nee).
    c.t.state.club.printSettings.printerIndex = -1;
    c.t.sink.expect(Result::No);
    QPushButton* print = nullptr;
    QPushButton* exportBtn = form.findChild<QPushButton*>("RedBtn");
    for (QPushButton* b : form.findChildren<QPushButton*>("PrintBtn"))
        print = b;
    QVERIFY(print && exportBtn);
    QTest::mouseClick(print, Qt::LeftButton);
    QCOMPARE(c.t.sink.shown.back().text, QString(" P R I N T E R  N I E T  A A N W E Z I G \rAfdrukken naar PDF-bestand?"));
    QCOMPARE(c.t.sink.shown.back().kind, int(Question));
    QVERIFY(c.dialogs.previews.empty());

    c.t.state.club.printSettings.printerIndex = int(printerNames().size()) - 1;
    const QString pdf = c.dir.filePath("paren.pdf");
    c.printTo(pdf);
    QTest::mouseClick(print, Qt::LeftButton);
    c.checkQuestion();
    QCOMPARE(pdfPages(pdf), 1);
    QCOMPARE(c.t.files.requests.back().folder, c.dir.path());
    QCOMPARE(c.t.files.requests.back().fileName, QString("club-parenschema.pdf"));
    QCOMPARE(c.dialogs.previews.size(), size_t(1));
    QCOMPARE(pdfPages(c.dialogs.previews.back().file), 1);

    // "&Export": offered beside the member file, ".txt" appended to a name ending in "TXT", the
    // success message, CR LF lines with the default indent of 11 blanks, UTF-8.
    c.t.files.answers.push_back(c.dir.filePath("paren.TXT"));
    c.t.sink.expect(Result::Ok);
    QTest::mouseClick(exportBtn, Qt::LeftButton);
    QCOMPARE(c.t.sink.shown.back().text, QString("Bewaren overzicht(en) gelukt"));
    QCOMPARE(c.t.files.requests.back().folder, c.dir.path());
    QCOMPARE(c.t.files.requests.back().fileName, QString("club-parenschema.txt"));
    QFile f(c.dir.filePath("paren.TXT.txt"));
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    QVERIFY(bytes.contains("Ren\xc3\xa9" "e"));
    QVERIFY(!bytes.contains("Ren\xe9" "e"));
    const QList<QByteArray> lines = bytes.split('\n');
    QVERIFY(lines.size() > 5);
    QCOMPARE(lines[0], QByteArray("           T.V. De Wisselbaan\r"));
    QCOMPARE(lines[1], QByteArray("           PAREN INDELING\r"));
    QCOMPARE(lines[2], QByteArray("            \r"));
    QCOMPARE(int(lines.size() - 1), 4 + int(form.lines().size())); // title block, header, one per line
}

void TestOptiesForm::matchPrintAndExport()
{
    // Two members and two matches kept; match 2 opened in the match window.
    TestState t;
    QTemporaryDir dir;
    ScriptedPrintDialogs dialogs;
    dialogs.folder = dir.path();
    TTandem12X window{t.state};
    window.windows().setPrintDialogs(dialogs);
    setDefaults(t.state);
    KeyData& key = t.state.club.config->keyData;
    key.clubName = "TC De Baan";
    key.maxMatches = 40;
    key.keepGames = 1;
    t.state.club.members = MemberList{};
    const char* names[][4] = {{"11", "Aart", "Vos", "H"}, {"20", "Ren\xc3\xa9" "e", "Kok", "D"}};
    for (const auto& n : names) {
        TLedenObj r;
        r.setClubNr(int16_t(QByteArray(n[0]).toInt()));
        r.setText(MemberField::Voornaam, QString::fromUtf8(n[1]));
        r.setText(MemberField::Achternaam, QString::fromLatin1(n[2]));
        r.setText(MemberField::Grp, QString::fromLatin1(n[3]));
        r.setText(MemberField::Actie, QStringLiteral("X"));
        t.state.club.members->append(r);
    }
    for (int i = 1; i <= 2; ++i)
        t.state.club.members->at(i).setIx(uint16_t(i));
    t.state.club.memberFileName = dir.filePath("club.tdm");
    t.state.schedule->TotalRounds = 5;
    MatchData& data = t.state.matches;
    data.memberFile = t.state.club.memberFileName;
    CreateMatch(data, 1, 2, 5, QStringLiteral("05-03-2026"));
    CreateMatch(data, 2, 2, 5, QStringLiteral("12-03-2026"));
    data.match(1)->calcs[1].Games = 5;
    data.match(1)->calcs[2].Games = 3;
    LoadHeader(data, 2);
    data.CurrentMatch.match = 2;
    wireMatches(window, t.state);
    wirePrinting(window, t.state);
    window.show();
    window.setMatchGroup(true);
    t.state.modalHooks.onShow<TMatchSelDlg>([](TMatchSelDlg& d) {
        QTimer::singleShot(0, &d, [&d] {
            auto* box = d.findChild<QComboBox*>("MatchSelBox");
            box->setEditText(QStringLiteral("2"));
            QTest::keyClick(box, Qt::Key_Return);
            QTest::mouseClick(d.findChild<QPushButton*>("OKMatchBtn"), Qt::LeftButton);
        });
    });
    t.sink.expect(Result::Yes);
    window.findChild<QAction*>("OpenMatch1")->trigger();
    t.state.modalHooks.remove<TMatchSelDlg>();
    TMatchForm& form = MatchWindows::of(window)->matchForm();
    QVERIFY(form.isVisible());
    QCOMPARE(form.matchNumber(), 2);

    auto* print = form.findChild<QPushButton*>("PrintMatchBtn");
    auto* exportBtn = form.findChild<QPushButton*>("BewaarBtn");
    QVERIFY(print && exportBtn);
    t.sink.expect(Result::No);
    QTest::mouseClick(print, Qt::LeftButton);
    QCOMPARE(t.sink.shown.back().text, QString("Geen Printer aanwezig\rAfdrukken naar PDF-bestand?"));

    t.state.club.printSettings.printerIndex = int(printerNames().size()) - 1;
    const QString pdf = dir.filePath("match.pdf");
    t.sink.expect(Result::Yes);
    dialogs.previewAnswers.push_back(true);
    t.files.answers.push_back(pdf);
    QTest::mouseClick(print, Qt::LeftButton);
    QCOMPARE(t.sink.shown.back().text, QString("Afdrukken op printer: \rPDF-bestand"));
    QCOMPARE(dialogs.previews.size(), size_t(1)); // the preview of the matches came first
    QCOMPARE(pdfPages(dialogs.previews.back().file), 1);
    QCOMPARE(pdfPages(pdf), 1);
    QCOMPARE(t.files.requests.back().fileName, QString("club-matches.pdf"));

    t.files.answers.push_back(dir.filePath("match"));
    t.sink.expect(Result::Ok);
    QTest::mouseClick(exportBtn, Qt::LeftButton);
    QCOMPARE(t.sink.shown.back().text, QString("Bewaren gamesresultaten gelukt"));
    QCOMPARE(t.files.requests.back().folder, dir.path());
    QCOMPARE(t.files.requests.back().fileName, QString("club-matches.txt"));
    QFile f(dir.filePath("match.txt"));
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray in(11, ' ');
    const QList<QByteArray> lines = f.readAll().split('\n');
    QCOMPARE(lines.size(), 8); // 7 lines and the empty end
    QCOMPARE(lines[0], in + "TC De Baan\r");
    QCOMPARE(lines[1], in + "UITVOER van MATCHES\r");
    QCOMPARE(lines[3], in + " ClubNr.,Voornaam,Achternaam,Grp,Actie,Games,Games,Tot.Gms,Plaats\r");
    QCOMPARE(lines[4], QByteArray("    ,05-03,12-03\r"));
    QVERIFY(lines[5].startsWith(in + "11,Aart,Vos,H,X,5,"));
    QVERIFY(lines[6].startsWith(in + "20,Ren\xc3\xa9" "e,Kok,D,X,3,")); // UTF-8
}

QTEST_MAIN(TestOptiesForm)
#include "tst_optiesform.moc"
