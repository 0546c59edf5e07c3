#pragma once
// "Opties": the print and personal options. Page "Persoonsgeg." edits the owner's data printed under
// the overviews, page "Print opties" the margins (in millimetres), page length, printer, orientation,
// print font, window text font and the header, title and owner flags. Changes take effect at once;
// "O&k" also writes the key-data file of the member file.
#include "printing/PrintMetrics.h"
#include "state/AppState.h"
#include "state/MenuCommands.h"

#include <QDialog>
#include <QFont>

#include <functional>
#include <optional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;

namespace tandemx {

// What the printouts share beyond the stored settings, for the run of the program. (Whether the
// printer font is set up belongs to the open member file: Club::printFontSetUp.)
struct PrintingState {
    QString exportFileName; // the last export file
};

// The printers to choose from: the system's printers, then "PDF-bestand" (prints into a PDF file).
QStringList printerNames();
inline const QString PdfPrinterName = QStringLiteral("PDF-bestand");

class TOptiesForm : public QDialog {
    Q_OBJECT
public:
    explicit TOptiesForm(AppState& state, QWidget* parent = nullptr);
    ~TOptiesForm() override;

    // Clears both flags, turns to page 0 ("Persoonsgeg.") or 1 ("Print opties") and shows the dialog
    // modally. Returns whether it was closed with "O&k".
    bool ShowOptions(OptionsPage page);
    // The same without the modal loop (tests): clears the flags, turns the page and loads it.
    void prepare(OptionsPage page);

    bool changed() const { return changed_; }
    bool closedWithOk() const { return okUsed_; }
    int currentPage() const;
    // The print metrics of the last page load.
    const printing::PrintMetrics& metrics() const { return metrics_; }

    // The platform dialogs, replaceable by tests. choosePrinter gets the printer list and the index to
    // start from and returns the chosen index (nothing when cancelled); chooseFont offers the sizes
    // from smallestSize up and returns the chosen font (nothing when cancelled).
    std::function<std::optional<int>(const QStringList& printers, int start)> choosePrinter;
    std::function<std::optional<QFont>(const QFont& initial, const QString& title, int smallestSize)> chooseFont;
    // Measures the print metrics of the chosen printer and orientation.
    std::function<printing::PrintMetrics(const PrintSettings&, bool printFontSetUp)> measure;

    // The sizes the fonts take: the window text font 8..24, the print font any from 1.
    static constexpr int SmallestTextFontSize = 8, LargestTextFontSize = 24, SmallestPrintFontSize = 1;

    static constexpr int HelpPersonal = 273, HelpPrint = 272, HelpOk = 301, HelpCancel = 303;

signals:
    // The window text font was changed ("TextFont").
    void windowFontChanged();

public slots:
    void accept() override; // "O&k"
    void done(int result) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void loadPage();
    void loadPersonalPage();
    void loadPrintPage();
    bool savePage();
    void marginEntered(int tag);
    void PrinterBtnClick();
    void FontBtnClick();
    void WinfontBtnClick();
    void flagClicked(uint16_t bit, bool on);
    QString printerName(int index) const;

    AppState& state_;
    printing::PrintMetrics metrics_;
    bool changed_ = false;
    bool okUsed_ = false;
    bool loading_ = false;

    QTabWidget* pageControl_ = nullptr;
    QLineEdit* persEdits_[5] = {};
    QLineEdit* marginEdits_[4] = {}; // LeftEdit, TopEdit, BodemEdit, PaglenEdit (Tags 0..3)
    QRadioButton* staand_ = nullptr;
    QRadioButton* liggend_ = nullptr;
    QCheckBox* persData_ = nullptr;
    QCheckBox* printHead_ = nullptr;
    QCheckBox* printTitel_ = nullptr;
    QLabel* printerLab_ = nullptr;
    QPushButton* printerBtn_ = nullptr;
    QPushButton* fontBtn_ = nullptr;
    QPushButton* winfontBtn_ = nullptr;
    QPushButton* okBtn_ = nullptr;
    QPushButton* cancelBtn_ = nullptr;
};

} // namespace tandemx
