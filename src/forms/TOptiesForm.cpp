#include "forms/TOptiesForm.h"

#include "forms/FontChoiceDialog.h"
#include "forms/WindowMemory.h"
#include "printing/PainterCanvas.h"
#include "records/Cp1252.h"
#include "state/UnsavedChanges.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace tandemx {

using namespace printing;

QStringList printerNames()
{
    QStringList names = QPrinterInfo::availablePrinterNames();
    names << PdfPrinterName;
    return names;
}

namespace {

const char* const PersonalLabels[5] = {"Naam", "Adres", "Postcode", "Plaats", "Telefoon"};
const char* const MarginNames[4] = {"LeftEdit", "TopEdit", "BodemEdit", "PaglenEdit"};
const char* const MarginLabels[4] = {"Linker marge (mm.)", "Top marge (mm.)", " Bodem marge (mm.)", "Pagina lengte"};

bool isEnter(const QKeyEvent* e)
{
    return e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter;
}

std::optional<int> toWholeNumber(const QString& text)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    return ok ? std::optional<int>(value) : std::nullopt;
}

// The pixels of a margin typed in millimetres. Millimetres that are what the stored pixels show keep
// the stored pixels, so opening the dialog and closing it with "O&k" never rounds a stored margin.
uint16_t marginPixels(int mm, uint16_t stored, int pixelsPer10mm)
{
    if (mm == pixelsToMm(stored, pixelsPer10mm))
        return stored;
    return uint16_t(std::clamp(mmToPixels(mm, pixelsPer10mm), 0, 0xFFFF));
}

} // namespace

TOptiesForm::TOptiesForm(AppState& state, QWidget* parent)
    : QDialog(parent), state_(state)
{
    setObjectName(QStringLiteral("OptiesForm"));
    setWindowTitle(QStringLiteral("Opties"));
    setModal(true);

    pageControl_ = new QTabWidget(this);
    pageControl_->setObjectName(QStringLiteral("PageControl"));

    auto* personal = new QWidget;
    personal->setObjectName(QStringLiteral("TabSheet1"));
    auto* personalGrid = new QGridLayout(personal);
    for (int i = 0; i < 5; ++i) {
        auto* edit = new QLineEdit(personal);
        edit->setObjectName(QStringLiteral("PersEdit%1").arg(i + 1));
        edit->setProperty("Tag", i + 1);
        edit->setMaxLength(24);
        edit->installEventFilter(this);
        persEdits_[i] = edit;
        auto* label = new QLabel(QString::fromLatin1(PersonalLabels[i]), personal);
        label->setBuddy(edit);
        personalGrid->addWidget(label, i, 0);
        personalGrid->addWidget(edit, i, 1);
    }
    personalGrid->setRowStretch(5, 1);
    pageControl_->addTab(personal, QStringLiteral("Persoonsgeg."));

    auto* print = new QWidget;
    print->setObjectName(QStringLiteral("TabSheet2"));
    auto* printGrid = new QGridLayout(print);
    for (int i = 0; i < 4; ++i) {
        auto* edit = new QLineEdit(print);
        edit->setObjectName(QString::fromLatin1(MarginNames[i]));
        edit->setProperty("Tag", i);
        edit->setMaximumWidth(70);
        edit->installEventFilter(this);
        marginEdits_[i] = edit;
        auto* label = new QLabel(QString::fromLatin1(MarginLabels[i]), print);
        label->setBuddy(edit);
        printGrid->addWidget(label, i, 0);
        printGrid->addWidget(edit, i, 1);
    }
    auto* orientatie = new QGroupBox(QStringLiteral("Papier stand"), print);
    orientatie->setObjectName(QStringLiteral("Orientatie"));
    auto* orientatieLayout = new QVBoxLayout(orientatie);
    staand_ = new QRadioButton(QStringLiteral("&Staand"), orientatie);
    liggend_ = new QRadioButton(QStringLiteral("&Liggend"), orientatie);
    staand_->setObjectName(QStringLiteral("Staand"));
    liggend_->setObjectName(QStringLiteral("Liggend"));
    orientatieLayout->addWidget(staand_);
    orientatieLayout->addWidget(liggend_);
    printGrid->addWidget(orientatie, 0, 2, 2, 1);

    auto box = [&](const char* name, const char* caption, const char* hint) {
        auto* b = new QCheckBox(QString::fromLatin1(caption), print);
        b->setObjectName(QString::fromLatin1(name));
        b->setToolTip(QString::fromLatin1(hint));
        b->setStatusTip(b->toolTip());
        return b;
    };
    persData_ = box("PersData", "Eigenaar", "Druk Naam boven Overzicht");
    printHead_ = box("PrintHead", "Print kop", "Nieuwe kop  boven pagina");
    printTitel_ = box("PrintTitel", "Print titel", "Nieuwe titel boven lijst");
    printGrid->addWidget(persData_, 2, 2);
    printGrid->addWidget(printHead_, 3, 2);
    printGrid->addWidget(printTitel_, 4, 2);

    printerLab_ = new QLabel(print);
    printerLab_->setObjectName(QStringLiteral("PrinterLab"));
    printGrid->addWidget(printerLab_, 5, 0, 1, 3);
    auto* buttons = new QHBoxLayout;
    printerBtn_ = new QPushButton(QStringLiteral("Printer"), print);
    printerBtn_->setObjectName(QStringLiteral("PrinterBtn"));
    fontBtn_ = new QPushButton(QStringLiteral("Print Font"), print);
    fontBtn_->setObjectName(QStringLiteral("FontBtn"));
    winfontBtn_ = new QPushButton(QStringLiteral("TextFont"), print);
    winfontBtn_->setObjectName(QStringLiteral("WinfontBtn"));
    for (QPushButton* b : {printerBtn_, fontBtn_, winfontBtn_}) {
        b->setAutoDefault(false);
        buttons->addWidget(b);
    }
    printGrid->addLayout(buttons, 6, 0, 1, 3);
    printGrid->setRowStretch(7, 1);
    pageControl_->addTab(print, QStringLiteral("Print opties"));

    okBtn_ = new QPushButton(QStringLiteral("O&k"), this);
    okBtn_->setObjectName(QStringLiteral("OkBtn"));
    okBtn_->setProperty("HelpContext", HelpOk);
    cancelBtn_ = new QPushButton(QStringLiteral("Schrap"), this);
    cancelBtn_->setObjectName(QStringLiteral("CancelBtn"));
    cancelBtn_->setProperty("HelpContext", HelpCancel);
    okBtn_->setAutoDefault(false);
    cancelBtn_->setAutoDefault(false);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(okBtn_);
    bottom->addWidget(cancelBtn_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pageControl_);
    layout->addLayout(bottom);
    resize(440, 330);
    rememberPlace(*this, state_);

    connect(pageControl_, &QTabWidget::currentChanged, this, [this] { loadPage(); });
    connect(okBtn_, &QPushButton::clicked, this, &TOptiesForm::accept);
    connect(cancelBtn_, &QPushButton::clicked, this, &TOptiesForm::reject);
    connect(printerBtn_, &QPushButton::clicked, this, &TOptiesForm::PrinterBtnClick);
    connect(fontBtn_, &QPushButton::clicked, this, &TOptiesForm::FontBtnClick);
    connect(winfontBtn_, &QPushButton::clicked, this, &TOptiesForm::WinfontBtnClick);
    connect(liggend_, &QRadioButton::toggled, this, [this](bool on) { flagClicked(PrintFlag::Landscape, on); });
    connect(persData_, &QCheckBox::toggled, this, [this](bool on) { flagClicked(PrintFlag::Owner, on); });
    connect(printHead_, &QCheckBox::toggled, this, [this](bool on) { flagClicked(PrintFlag::Header, on); });
    connect(printTitel_, &QCheckBox::toggled, this, [this](bool on) { flagClicked(PrintFlag::Title, on); });

    choosePrinter = [this](const QStringList& printers, int start) -> std::optional<int> {
        bool ok = false;
        const QString chosen = QInputDialog::getItem(this, QStringLiteral("Printer"), QStringLiteral("Printer:"),
                                                     printers, std::max(0, start), false, &ok);
        if (!ok)
            return std::nullopt;
        return int(printers.indexOf(chosen));
    };
    chooseFont = [this](const QFont& initial, const QString& title, int smallestSize) {
        return FontChoiceDialog::getFont(initial, title, smallestSize, this, state_.modalHooks);
    };
    measure = [](const PrintSettings& settings, bool fontSetUp) { return measurePdfPage(settings, fontSetUp); };
}

TOptiesForm::~TOptiesForm() = default;

bool TOptiesForm::ShowOptions(OptionsPage page)
{
    prepare(page);
    exec();
    return okUsed_;
}

void TOptiesForm::prepare(OptionsPage page)
{
    changed_ = false;
    okUsed_ = false;
    const int index = page == OptionsPage::Print ? 1 : 0;
    if (pageControl_->currentIndex() != index)
        pageControl_->setCurrentIndex(index); // loads the page
    else
        loadPage();
    setProperty("HelpContext", index == 1 ? HelpPrint : HelpPersonal);
}

int TOptiesForm::currentPage() const
{
    return pageControl_->currentIndex();
}

void TOptiesForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    loadPage();
}

void TOptiesForm::loadPage()
{
    loading_ = true;
    if (currentPage() == 0)
        loadPersonalPage();
    else
        loadPrintPage();
    loading_ = false;
}

void TOptiesForm::loadPersonalPage()
{
    const PrintSettings& ps = state_.club.printSettings;
    for (int i = 0; i < 5; ++i)
        persEdits_[i]->setText(fromCp1252(ps.personalData[size_t(i)]));
    if (isVisible())
        persEdits_[0]->setFocus();
}

void TOptiesForm::loadPrintPage()
{
    PrintSettings& ps = state_.club.printSettings;
    metrics_ = measure(ps, state_.club.printFontSetUp());
    // The page length follows from the page and the margins; showing it changes nothing of the user's.
    const int linesPerPage = metrics_.linesPerPage;
    recomputePrintSettings(state_, [linesPerPage](PrintSettings& s) {
        s.pageLength = uint16_t(std::max(0, recomputedPageLength(s, linesPerPage)));
    });
    marginEdits_[0]->setText(QString::number(pixelsToMm(ps.leftMargin, metrics_.pixelsPer10mm)));
    marginEdits_[1]->setText(QString::number(pixelsToMm(ps.topMargin, metrics_.pixelsPer10mm)));
    marginEdits_[2]->setText(QString::number(pixelsToMm(ps.bottomMargin, metrics_.pixelsPer10mm)));
    marginEdits_[3]->setText(QString::number(ps.pageLength));
    printerLab_->setText(QStringLiteral("Printer: ") + printerName(ps.printerIndex));
    persData_->setChecked(ps.printFlags & PrintFlag::Owner);
    printHead_->setChecked(ps.printFlags & PrintFlag::Header);
    printTitel_->setChecked(ps.printFlags & PrintFlag::Title);
    (landscape(ps) ? liggend_ : staand_)->setChecked(true);
}

QString TOptiesForm::printerName(int index) const
{
    const QStringList names = printerNames();
    return index >= 0 && index < names.size() ? names[index] : QStringLiteral("(geen)");
}

void TOptiesForm::flagClicked(uint16_t bit, bool on)
{
    if (loading_)
        return;
    PrintSettings& ps = state_.club.printSettings;
    ps.printFlags = on ? uint16_t(ps.printFlags | bit) : uint16_t(ps.printFlags & ~bit);
    changed_ = true;
}

void TOptiesForm::marginEntered(int tag)
{
    const std::optional<int> value = toWholeNumber(marginEdits_[tag]->text());
    if (!value) {
        state_.messages.showBericht(QStringLiteral("'%1' is geen geldig geheel getal").arg(marginEdits_[tag]->text()),
                                    Error, Btn::OK);
        return;
    }
    PrintSettings& ps = state_.club.printSettings;
    const int per10mm = metrics_.pixelsPer10mm;
    switch (tag) {
    case 0: ps.leftMargin = marginPixels(*value, ps.leftMargin, per10mm); break;
    case 1: ps.topMargin = marginPixels(*value, ps.topMargin, per10mm); break;
    case 2: ps.bottomMargin = marginPixels(*value, ps.bottomMargin, per10mm); break;
    default: ps.pageLength = uint16_t(std::clamp(*value, 0, 0xFFFF)); break;
    }
    if (tag < 3)
        marginEdits_[tag + 1]->setFocus();
    else
        printerBtn_->setFocus();
    changed_ = true;
}

void TOptiesForm::PrinterBtnClick()
{
    const QStringList printers = printerNames();
    const int start = int(printers.indexOf(QPrinterInfo::defaultPrinterName()));
    const std::optional<int> chosen = choosePrinter(printers, start >= 0 ? start : int(printers.size()) - 1);
    if (!chosen || *chosen < 0)
        return;
    PrintSettings& ps = state_.club.printSettings;
    if (*chosen != ps.printerIndex) {
        ps.printerIndex = *chosen;
        state_.club.printFontChosen = false;
        loadPage();
        changed_ = true;
    }
    fontBtn_->setFocus();
}

void TOptiesForm::FontBtnClick()
{
    PrintSettings& ps = state_.club.printSettings;
    QFont initial(fromCp1252(ps.printFontName));
    if (ps.printFontSize > 0)
        initial.setPointSize(ps.printFontSize);
    if (const std::optional<QFont> font = chooseFont(initial, QStringLiteral("Print Font"), SmallestPrintFontSize)) {
        ps.printFontName = toCp1252(font->family().left(24));
        ps.printFontSize = int16_t(std::max(SmallestPrintFontSize, font->pointSize()));
    }
    state_.club.printFontChosen = true;
    loadPage();
    changed_ = true;
}

void TOptiesForm::WinfontBtnClick()
{
    Club& club = state_.club;
    QFont initial(fromCp1252(club.windowFontName), club.windowFontSize);
    if (const std::optional<QFont> font = chooseFont(initial, QStringLiteral("TextFont"), SmallestTextFontSize)) {
        // A window font beyond 24 points makes the windows unusable and their repaints slow.
        const int size = std::clamp(font->pointSize(), SmallestTextFontSize, LargestTextFontSize);
        club.windowFontName = toCp1252(font->family().left(32));
        club.windowFontSize = size;
        club.printSettings.textFontName = club.windowFontName;
        club.printSettings.textFontSize = int16_t(size);
        emit windowFontChanged();
    }
    changed_ = true;
}

bool TOptiesForm::savePage()
{
    PrintSettings& ps = state_.club.printSettings;
    if (currentPage() == 1) {
        std::optional<int> values[4];
        for (int i = 0; i < 4; ++i) {
            values[i] = toWholeNumber(marginEdits_[i]->text());
            if (!values[i])
                return false;
        }
        ps.leftMargin = marginPixels(*values[0], ps.leftMargin, metrics_.pixelsPer10mm);
        ps.topMargin = marginPixels(*values[1], ps.topMargin, metrics_.pixelsPer10mm);
        ps.bottomMargin = marginPixels(*values[2], ps.bottomMargin, metrics_.pixelsPer10mm);
        ps.pageLength = uint16_t(std::clamp(*values[3], 0, 0xFFFF));
        ps.lineHeight = int16_t(metrics_.lineHeight);
        uint16_t flags = ps.printFlags & ~(PrintFlag::Header | PrintFlag::Owner | PrintFlag::Landscape | PrintFlag::Title);
        if (printHead_->isChecked())
            flags |= PrintFlag::Header;
        if (persData_->isChecked())
            flags |= PrintFlag::Owner;
        if (liggend_->isChecked())
            flags |= PrintFlag::Landscape;
        if (printTitel_->isChecked())
            flags |= PrintFlag::Title;
        ps.printFlags = flags;
    } else {
        for (int i = 0; i < 5; ++i)
            ps.personalData[size_t(i)] = toCp1252(persEdits_[i]->text().left(24));
    }
    return true;
}

void TOptiesForm::accept()
{
    if (changed_) {
        savePage();
        saveConfig(state_, state_.club.memberFileName);
        changed_ = false;
    }
    okUsed_ = true;
    QDialog::accept();
}

void TOptiesForm::done(int result)
{
    if (!okUsed_
        && state_.messages.showBericht(QStringLiteral("Wijzigingen opslaan, gebruik dan OK knop"), Question, Btn::JaNee)
            == Result::Yes)
        return; // stays open
    QDialog::done(result);
}

bool TOptiesForm::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    for (int i = 0; i < 4; ++i) {
        if (watched == marginEdits_[i] && isEnter(key)) {
            marginEntered(i);
            return true;
        }
    }
    for (int i = 0; i < 5; ++i) {
        if (watched == persEdits_[i] && (isEnter(key) || key->key() == Qt::Key_Tab)) {
            if (i < 4)
                persEdits_[i + 1]->setFocus();
            else
                okBtn_->setFocus();
            changed_ = true;
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace tandemx
