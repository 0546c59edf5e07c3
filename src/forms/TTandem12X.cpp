#include "forms/TTandem12X.h"

#include "forms/HelpViewer.h"
#include "forms/Icons.h"
#include "forms/MemberView.h"
#include "forms/ProgramWindows.h"
#include "forms/RecentFiles.h"
#include "forms/TAboutBox.h"
#include "forms/TConfigDial.h"
#include "forms/WindowList.h"
#include "forms/WindowMemory.h"
#include "state/UnsavedChanges.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace tandemx {

namespace {
const char* const kHelpContext = "helpContext";
const char* const kTag = "tag";

// Alt+letter opens the menu of that letter: a button whose caption has a menu's letter gives up its
// shortcut (the caption stays; the button is reached with the mouse or Tab).
void leaveMenuLettersToTheMenuBar(const QMenuBar* bar, const QWidget* panel)
{
    QList<QKeySequence> menuLetters;
    for (const QAction* a : bar->actions())
        if (const QKeySequence key = QKeySequence::mnemonic(a->text()); !key.isEmpty())
            menuLetters.append(key);
    for (QAbstractButton* b : panel->findChildren<QAbstractButton*>())
        if (menuLetters.contains(b->shortcut()))
            b->setShortcut(QKeySequence());
}
} // namespace

TTandem12X::TTandem12X(AppState& state, QWidget* parent) : QMainWindow(parent), state_(state)
{
    setObjectName(QStringLiteral("Tandem12X"));
    setWindowTitle(QStringLiteral("Tennis Programma TandemX"));
    setProperty(kHelpContext, 200);
    setFont(QFont(QString::fromLatin1(state_.club.windowFontName), state_.club.windowFontSize));

    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    memberView_ = new MemberView(state_, central);
    layout->addWidget(memberView_, 1);
    setCentralWidget(central);
    buildMemberPanel();
    layout->addWidget(ledenPanel_);

    buildMenus();
    buildToolBar();
    buildStatusBar();
    leaveMenuLettersToTheMenuBar(menuBar(), ledenPanel_);

    connect(memberView_, &MemberView::saveWithReportRequested, this, &TTandem12X::saveWithReport);
    connect(memberView_, &MemberView::newMemberRequested, this, &TTandem12X::newMember);
    connect(memberView_, &MemberView::turfModeChanged, this,
            [this](bool on) { turvenBtn_->setText(on ? QStringLiteral("Bewerk") : QStringLiteral("Turven")); });
    connect(memberView_, &MemberView::addressViewChanged, this, [this](bool on) {
        toonAdressen1->setText(on ? QStringLiteral("&Toon Turflijst") : QStringLiteral("&Toon adressen"));
        randomBtn_->setEnabled(!on);
        turvenBtn_->setEnabled(!on);
        setFileGroup(true);
        // After "&Sluit" or "S&chrap" the grid comes back: nothing is edited unseen.
        if (!memberViewOn_ && state_.club.members)
            setMemberView(true);
    });
    // The match records follow the members through every change of the list.
    connect(memberView_, &MemberView::listChanged, this, [this] {
        windows().membersChanged();
        if (state_.club.members)
            setWindowModified(hasUnsavedChanges(state_));
    });

    // The starting size and place; after that where the user left it (the key data decide whether it
    // is maximised).
    resize(750, 540);
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    rememberPlace(*this, state_, false);

    setFileGroup(false);
    setMemberView(false);
    setOverviewGroup(false);
    setMatchGroup(false);
}

TTandem12X::~TTandem12X() = default;

QAction* TTandem12X::addItem(QMenu* menu, const char* objectName, const char* caption, const char* hint,
                             int helpContext, int tag)
{
    auto* action = menu->addAction(QString::fromUtf8(caption));
    action->setObjectName(QString::fromUtf8(objectName));
    action->setStatusTip(QString::fromUtf8(hint));
    action->setProperty(kHelpContext, helpContext);
    action->setProperty(kTag, tag);
    return action;
}

void TTandem12X::buildMenus()
{
    QMenuBar* bar = menuBar();
    auto menu = [&](const char* name, const char* caption, const char* hint, int help) {
        QMenu* m = bar->addMenu(QString::fromUtf8(caption));
        m->setObjectName(QString::fromUtf8(name));
        m->menuAction()->setStatusTip(QString::fromUtf8(hint));
        m->setProperty(kHelpContext, help);
        m->setToolTipsVisible(false);
        return m;
    };

    QMenu* bestand = menu("Bestand1", "&Bestand", "Bestanden  Menu", 220);
    nieuw1 = addItem(bestand, "Nieuw1", "&Nieuw", "Creatie van nieuw Ledenbestand'", 221);
    open1 = addItem(bestand, "Open1", "&Open", "Openen van een Ledenbestand", 222);
    configuratie1 = addItem(bestand, "Configuratie1", "Configuratie", "Sleutel gegevens van het bestand", 0);
    bestand->addSeparator();
    bewaren1 = addItem(bestand, "Bewaren1", "&Bewaren", "Bewaren van ledenlijst", 223);
    bewarenAls1 = addItem(bestand, "Bewarenals1", "Bewaren &als...", "Bewaren met nieuwe bestandnaa", 224);
    bestand->addSeparator();
    printLedenlijst1 = addItem(bestand, "Printledenlijst1", "&Print ledenlijst", nullptr, 225);
    toonAdressen1 = addItem(bestand, "ToonAdressen1", "&Toon Adressen", nullptr, 226);
    bestand->addSeparator();
    exit1 = addItem(bestand, "Exit1", "&Exit", "Stoppen van het programma ", 227);
    nieuw1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    open1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    bewaren1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    bewarenAls1->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    printLedenlijst1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    exit1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    connect(nieuw1, &QAction::triggered, this, &TTandem12X::newFile);
    connect(open1, &QAction::triggered, this, &TTandem12X::openFile);
    connect(configuratie1, &QAction::triggered, this, &TTandem12X::showKeyData);
    connect(bewaren1, &QAction::triggered, this, &TTandem12X::saveFile);
    connect(bewarenAls1, &QAction::triggered, this, &TTandem12X::saveFileAs);
    connect(printLedenlijst1, &QAction::triggered, this, &TTandem12X::printMembersRequested);
    connect(toonAdressen1, &QAction::triggered, memberView_, &MemberView::toggleAddressView);
    connect(exit1, &QAction::triggered, this, &QWidget::close);
    recentFiles_ = new RecentFiles(bestand, exit1, this);
    connect(recentFiles_, &RecentFiles::openRequested, this, [this](const QString& path) {
        if (settleUnsavedChanges())
            openPath(path);
    });

    QMenu* bewerken = menu("Bewerken2", "Be&werken", "Bewerken van ledenlijst", 230);
    menuInvoegen = bewerken->addMenu(QStringLiteral("&Invoegen"));
    menuInvoegen->setObjectName(QStringLiteral("Invoegen1"));
    menuInvoegen->setProperty(kHelpContext, 231);
    nieuwLid1 = addItem(menuInvoegen, "NieuwLid1", "Nieuw Lid", "Invoegen nieuw record", 231);
    nieuwRecord1 = addItem(menuInvoegen, "Nieuwrecord1", "Nieuw record", nullptr, 231);
    bewerken1 = addItem(bewerken, "Bewerken1", "&Bewerken ", nullptr, 230);
    verwijderen1 = addItem(bewerken, "Verwijderen1", "&Verwijderen", "Verwijderen van record", 232);
    zoeken1 = addItem(bewerken, "Zoeken1", "&Zoeken", "Zoeken van lid op naam", 233);
    menuSorteren = bewerken->addMenu(QStringLiteral("&Sorteren op"));
    menuSorteren->setObjectName(QStringLiteral("Sorterenop1"));
    menuSorteren->menuAction()->setStatusTip(QStringLiteral("Sorteren ledenlijst"));
    menuSorteren->setProperty(kHelpContext, 234);
    const char* sortNames[] = {"Clubnummer1", "Voornaam1", "Achternaam1", "DamesHeren1"};
    const char* sortCaptions[] = {"&Clubnummer", "&Voornaam", "&Achternaam", "&Dames/Heren"};
    for (int kind = 1; kind <= 4; ++kind) {
        QAction* a = addItem(menuSorteren, sortNames[kind - 1], sortCaptions[kind - 1], "Sorteren ledenlijst", 234, kind);
        connect(a, &QAction::triggered, this, [this, kind] { memberView_->sortMembers(kind); });
    }
    connect(nieuwLid1, &QAction::triggered, this, &TTandem12X::newMember);
    connect(nieuwRecord1, &QAction::triggered, memberView_, &MemberView::insertEmptyRecord);
    connect(bewerken1, &QAction::triggered, this, &TTandem12X::editMember);
    connect(verwijderen1, &QAction::triggered, memberView_, &MemberView::deleteRecord);
    zoeken1->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
    connect(zoeken1, &QAction::triggered, memberView_, &MemberView::showSearch);

    QMenu* schema = menu("Schema1", "&Schema", "Schema's realiseren", 240);
    schemaNamen1 = addItem(schema, "SchemametNamen1", "Schema met &Namen", "Schema met namen uit ledenbestand", 241, 1);
    schemaParen1 = addItem(schema, "SchemametParen1", "Schema met &Paren", "Vrij te kiezen Schema", 242, 2);
    connect(schemaNamen1, &QAction::triggered, this, [this] { emit scheduleRequested(engine::ScheduleMode::Names); });
    connect(schemaParen1, &QAction::triggered, this, [this] { emit scheduleRequested(engine::ScheduleMode::Numbered); });

    QMenu* uitvoer = menu("Uitvoer1", "&Uitvoer", "Schema overzichten", 250);
    const char* ovNames[] = {"Parenschema1", "BaanSchema1", "Aantalmalengespeeld1", "Kruistabel1", "Wijzigen1"};
    const char* ovCaptions[] = {"&Parenschema", "&BaanSchema", "&Aantal malen gespeeld", "&Kruistabel", "&Wijzigen"};
    const char* ovHints[] = {"Paarindeling op de baan", "Baanindeling alle ronden", "Aantal keer getennist",
                             "tegenstanders", "Veranderen baanspelers"};
    for (int kind = 1; kind <= 5; ++kind) {
        QAction* a = addItem(uitvoer, ovNames[kind - 1], ovCaptions[kind - 1], ovHints[kind - 1], 250 + kind, kind);
        connect(a, &QAction::triggered, this, [this, kind] { emit overviewRequested(overviews::OverviewKind(kind)); });
        overviewItems.push_back(a);
    }

    menuMatch = menu("Match1", "&Match", "Bijhouden spel resultaten", 260);
    const char* mNames[] = {"NieuweMatch1", "OpenMatch1", "VerwijderMatch1", "InvoerGames1", "UitvoerGames1", "KopievanGames1"};
    const char* mCaptions[] = {"&Nieuwe Match", "&Open Match", "&Verwijder Match", "Invoer Games", "Uitvoer Games", "Kopie van Games"};
    const char* mHints[] = {"Maak een nieuwe match", "Open bestaande match ", "Verswijderen matchbestand",
                            "Invoeren gamepunten", "Overzicht behaalde games", "Kopieren gamereultaten naar matchbestand"};
    for (int kind = 1; kind <= 6; ++kind) {
        QAction* a = addItem(menuMatch, mNames[kind - 1], mCaptions[kind - 1], mHints[kind - 1], 260 + kind, kind);
        connect(a, &QAction::triggered, this, [this, kind] { emit matchCommandRequested(MatchCommand(kind)); });
        matchItems.push_back(a);
    }

    QMenu* opties = menu("Opties1", "&Opties", "Opties voor scherm en printer ", 270);
    QAction* printOpties = addItem(opties, "PrintOpties1", "&Print Opties", "Printer instellingen", 272, int(OptionsPage::Print));
    QAction* persGegevens = addItem(opties, "PersGegevens1", "Pers.&Gegevens", "Persoons gegevens", 273, int(OptionsPage::Personal));
    maximaal1 = addItem(opties, "Maximaalscherm1", "Maximaal scherm", "Maximaal venster", 270);
    auto options = [this](OptionsPage page) {
        if (!state_.club.members) {
            state_.messages.showBericht(QStringLiteral("Geen Ledenbestand geladen"), Warning, Btn::OK, 0);
            return;
        }
        emit optionsRequested(page);
    };
    connect(printOpties, &QAction::triggered, this, [options] { options(OptionsPage::Print); });
    connect(persGegevens, &QAction::triggered, this, [options] { options(OptionsPage::Personal); });
    connect(maximaal1, &QAction::triggered, this, &TTandem12X::toggleMaximized);

    menuBeeld = menu("Beeld1", "Bee&ld", "Toont venster", 280);
    menuIconen1 = addItem(menuBeeld, "MenuIconen1", "Menu &Iconen", nullptr, 217);
    menuIconen1->setCheckable(true);
    menuIconen1->setChecked(true);
    connect(menuIconen1, &QAction::toggled, this, [this](bool on) { toolBar_->setVisible(on); });
    windowList_ = new WindowList(menuBeeld, this);

    QMenu* help = menu("Help1", "&Help", "Help Menu", 290);
    QAction* inhoud = addItem(help, "InhoudHelp1", "&Inhoud Help", nullptr, 10);
    QAction* gebruik = addItem(help, "GebruikHelp1", "&Gebruik Help", nullptr, 290);
    informatie1 = addItem(help, "Informatie1", "In&formatie", "Programma informatie", 290);
    connect(inhoud, &QAction::triggered, this, [this] { showHelp(10, this); });
    connect(gebruik, &QAction::triggered, this, [this] { showHelp(202, this); });
    connect(informatie1, &QAction::triggered, this, &TTandem12X::showAbout);
}

void TTandem12X::buildToolBar()
{
    toolBar_ = addToolBar(QStringLiteral("Menu Bar"));
    toolBar_->setObjectName(QStringLiteral("MenuBar"));
    toolBar_->setMovable(false);
    toolBar_->setIconSize(QSize(22, 22));
    auto button = [&](const char* name, ToolIcon icon, const char* hintText, QAction* item, int width = 28) {
        const QString hint = QString::fromUtf8(hintText);
        auto* b = new QToolButton(toolBar_);
        b->setObjectName(QString::fromLatin1(name));
        b->setIcon(toolIcon(icon));
        b->setToolTip(hint);
        b->setStatusTip(hint);
        b->setFixedSize(width, 28);
        b->setAutoRaise(true);
        b->setFocusPolicy(Qt::NoFocus); // as a tool bar's own buttons: the focus stays where the user works
        b->setProperty(kHelpContext, item ? item->property(kHelpContext) : QVariant(250));
        toolBar_->addWidget(b);
        if (item)
            connect(b, &QToolButton::clicked, item, &QAction::trigger);
        return b;
    };
    nieuwSpdBtn = button("NieuwSpdBtn", ToolIcon::New, "Nieuw bestand", nieuw1);
    openSpdBtn = button("OpenSpdBtn", ToolIcon::Open, "Open bestand", open1);
    bewaarSpdBtn = button("BewaarSpdBtn", ToolIcon::Save, "Bewaar lijst", bewaren1);
    bewAlsSpdBtn = button("BewAlsSpdBtn", ToolIcon::SaveAs, "Bewaren..als", bewarenAls1);
    printSpdBtn = button("PrintSpdBtn", ToolIcon::Print, "Afdrukken lijst", printLedenlijst1);
    toolBar_->addSeparator();
    invoegSpdBtn = button("InvoegSpdBtn", ToolIcon::InsertRow, "Invoegen nieuw record", nieuwRecord1);
    wegSpdBtn = button("WegSpdBtn", ToolIcon::DeleteRow, "Verwijderen van record", verwijderen1);
    zoekSpdbtn = button("ZoekSpdbtn", ToolIcon::Search, "Zoeken van Naam ", zoeken1);
    sortSpdBtn = button("SortSpdBtn", ToolIcon::Sort, "Sorteren", nullptr);
    sortSpdBtn->setProperty(kHelpContext, 234);
    connect(sortSpdBtn, &QToolButton::clicked, memberView_, &MemberView::sortByCurrentColumn);
    toolBar_->addSeparator();
    naamSpdBtn = button("NaamSpdBtn", ToolIcon::ScheduleNames, "Schema met namen", schemaNamen1, 38);
    paarSpdBtn = button("PaarSpdBtn", ToolIcon::SchedulePairs, "Schema met Paren", schemaParen1);
    auto* group = new QButtonGroup(this);
    group->setExclusive(true);
    for (QToolButton* b : {naamSpdBtn, paarSpdBtn}) {
        b->setCheckable(true);
        group->addButton(b);
    }
    uitSpdBtn = button("UitSpdBtn", ToolIcon::Overview, "Parenschema overzicht", overviewItems[0], 38);
    uitSpdBtn->setProperty(kHelpContext, 250);
}

void TTandem12X::buildStatusBar()
{
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("StatusBar1"));
    QFont f = bar->font();
    f.setPointSize(10);
    bar->setFont(f);
    // The hint panel takes what the others leave (300 pixels in the starting window) and gives way
    // first in a small window.
    const int widths[4] = {100, 110, 120, 80};
    const char* texts[4] = {"", "Naam :", "Datum :", "Tijd :"};
    for (int i = 0; i < 4; ++i) {
        panels_[i] = new QLabel(QString::fromLatin1(texts[i]), bar);
        panels_[i]->setObjectName(QStringLiteral("Panel%1").arg(i));
        // The file name panel keeps its width (a long path is shortened); the others grow with their text.
        if (i == 1)
            panels_[i]->setFixedWidth(widths[i]);
        else
            panels_[i]->setMinimumWidth(widths[i]);
        panels_[i]->setFrameShape(QFrame::StyledPanel);
        bar->addWidget(panels_[i], i == 0 ? 1 : 0);
    }
    panels_[2]->setText(QStringLiteral("Datum: ") + state_.today.toString(QStringLiteral("dd-MM-yyyy")));
    // Date and time are never cut off, also not in the smallest window.
    panels_[2]->setMinimumWidth(std::max(widths[2], panels_[2]->sizeHint().width()));
    panels_[3]->setMinimumWidth(std::max(widths[3], QFontMetrics(bar->font()).horizontalAdvance(QStringLiteral("Tijd: 00:00:00"))
                                                        + 2 * panels_[3]->frameWidth() + 8));
    clock_ = new QTimer(this);
    clock_->setObjectName(QStringLiteral("Timer1"));
    clock_->setInterval(1000);
    connect(clock_, &QTimer::timeout, this, &TTandem12X::tick);
    clock_->start();
    tick();
}

void TTandem12X::buildMemberPanel()
{
    ledenPanel_ = new QWidget(this);
    ledenPanel_->setObjectName(QStringLiteral("LedenPanel"));
    auto* row = new QHBoxLayout(ledenPanel_);
    auto button = [&](const char* name, const QString& caption, const QString& hint, int help) {
        auto* b = new QPushButton(caption, ledenPanel_);
        b->setObjectName(QString::fromLatin1(name));
        b->setToolTip(hint);
        b->setStatusTip(hint);
        b->setProperty(kHelpContext, help);
        b->setAutoDefault(false);
        row->addWidget(b);
        return b;
    };
    QPushButton* sluit = button("SluitBitBtn", QStringLiteral("&Sluit"), QStringLiteral("Sluiten en opslaan"), 251);
    QPushButton* schrap = button("SchrapBitBtn", QStringLiteral("S&chrap"), QStringLiteral("Annuleren"), 303);
    QPushButton* print = button("PrintBtn", QStringLiteral("&Print"), QStringLiteral("ledenbestand uitprinten"), 307);
    QPushButton* save = button("SaveBtn", QStringLiteral("&Bewaar"), QStringLiteral("Opslaan"), 306);
    randomBtn_ = button("RandomBtn", QStringLiteral("Sch&ud"), QStringLiteral("Verdelen in willekeurige volgorde"), 305);
    turvenBtn_ = button("TurvenBtn", QStringLiteral("&Turven"), QStringLiteral("Activeren /Selecteren van leden"), 304);
    QPushButton* help = button("HelpBtn1", QStringLiteral("&Help"),
                               QStringLiteral("Helpinstructies voor het bewerken van de Ledentabel"), 235);
    help->setIcon(style()->standardIcon(QStyle::SP_DialogHelpButton));
    connect(sluit, &QPushButton::clicked, this, &TTandem12X::closeMemberView);
    connect(schrap, &QPushButton::clicked, this, &TTandem12X::discardMemberView);
    connect(print, &QPushButton::clicked, this, &TTandem12X::printMembersRequested);
    connect(save, &QPushButton::clicked, this, &TTandem12X::saveWithReport);
    connect(randomBtn_, &QPushButton::clicked, memberView_, &MemberView::shuffle);
    connect(turvenBtn_, &QPushButton::clicked, memberView_, &MemberView::toggleTurfMode);
    connect(help, &QPushButton::clicked, this, [this] { showHelp(235, this); });
}

void TTandem12X::tick()
{
    if (state_.club.members)
        setWindowModified(hasUnsavedChanges(state_));
    panels_[3]->setText(QStringLiteral("Tijd: ") + state_.clock.timeOfDay().toString(QStringLiteral("HH:mm:ss")));
}

void TTandem12X::showHint(const QString& hint) { panels_[0]->setText(hint); }

void TTandem12X::setStatusName(const QString& name)
{
    // The panel keeps its width; a long path shows its end, and the whole of it as a tooltip.
    const QFontMetrics metrics(panels_[1]->font());
    panels_[1]->setText(metrics.elidedText(name, Qt::ElideLeft, panels_[1]->width() - 8));
    panels_[1]->setToolTip(name);
}

bool TTandem12X::event(QEvent* event)
{
    if (event->type() == QEvent::StatusTip) {
        showHint(static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    return QMainWindow::event(event);
}

void TTandem12X::setFileGroup(bool on)
{
    for (QAction* a : {bewaren1, bewarenAls1, menuInvoegen->menuAction(), verwijderen1, zoeken1,
                       menuSorteren->menuAction(), printLedenlijst1, toonAdressen1, schemaNamen1, schemaParen1,
                       menuMatch->menuAction()})
        a->setEnabled(on);
    for (QToolButton* b : {bewaarSpdBtn, bewAlsSpdBtn, printSpdBtn, naamSpdBtn, paarSpdBtn})
        b->setEnabled(on);
}

void TTandem12X::setMemberView(bool on)
{
    memberViewOn_ = on;
    memberView_->setMemberViewShown(on);
    ledenPanel_->setVisible(on);
    for (QAction* a : {menuInvoegen->menuAction(), verwijderen1, zoeken1, menuSorteren->menuAction()})
        a->setEnabled(on);
    for (QToolButton* b : {invoegSpdBtn, wegSpdBtn, zoekSpdbtn, sortSpdBtn})
        b->setEnabled(on);
}

void TTandem12X::setOverviewGroup(bool on)
{
    for (QAction* a : overviewItems)
        a->setEnabled(on);
    uitSpdBtn->setEnabled(on);
}

void TTandem12X::setMatchGroup(bool on)
{
    matchGroupOn_ = on;
    for (QAction* a : matchItems)
        a->setEnabled(on);
}

void TTandem12X::setStandingsGroup(bool on)
{
    for (MatchCommand command : {MatchCommand::OpenMatch, MatchCommand::UitvoerGames})
        matchItems[size_t(int(command) - 1)]->setEnabled(on);
}

void TTandem12X::layOutMemberView()
{
    memberView_->layOut(width());
}

void TTandem12X::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    // The grid follows the window's size; what it shows, the current cell and any typing stay.
    if (memberViewOn_)
        layOutMemberView();
}

void TTandem12X::showMemberList()
{
    mayClose_ = false;
    if (memberView_->addressView())
        memberView_->toggleAddressView();
    toonAdressen1->setText(QStringLiteral("&Toon adressen"));
    layOutMemberView();
    memberView_->fill(1);
    memberView_->renumber();
    show();
    setFileGroup(true);
    setMemberView(true);
    memberView_->setFocus();
    memberView_->focusGrid();
}

void TTandem12X::toggleMaximized()
{
    PrintSettings& ps = state_.club.printSettings;
    if (ps.printFlags & PrintFlag::Maximized) {
        showNormal();
        ps.printFlags &= uint16_t(~PrintFlag::Maximized);
        maximaal1->setText(QStringLiteral("Maximaal scherm"));
    } else {
        ps.printFlags |= PrintFlag::Maximized;
        showMaximized();
        maximaal1->setText(QStringLiteral("Normaal scherm"));
    }
    saveConfig(state_, state_.club.memberFileName);
}

void TTandem12X::applyPrintSettings()
{
    Club& club = state_.club;
    const PrintSettings& ps = club.printSettings;
    if (ps.textFontSize > 0) {
        // At most 24 points, as the options allow, also when a key-data file holds more.
        club.windowFontSize = std::min<int>(ps.textFontSize, 24);
        club.windowFontName = ps.textFontName;
        QFont f(QString::fromLatin1(club.windowFontName), club.windowFontSize);
        setFont(f);
    }
    // Each member file brings its own window state: a file without the flag opens in a normal window,
    // also after one that had it.
    if (ps.printFlags & PrintFlag::Maximized) {
        showMaximized();
        maximaal1->setText(QStringLiteral("Normaal scherm"));
    } else {
        setWindowState(windowState() & ~Qt::WindowMaximized);
        maximaal1->setText(QStringLiteral("Maximaal scherm"));
    }
}

void TTandem12X::showAbout()
{
    TAboutBox box(this);
    box.exec();
}

void TTandem12X::showKeyData()
{
    if (ShowConfig(state_, false, this, [this] { enableNew(); }))
        memberView_->refreshCounters();
}

void TTandem12X::enableNew()
{
    nieuw1->setEnabled(true);
    nieuwSpdBtn->setEnabled(true);
}

void TTandem12X::newMember()
{
    if (!memberViewOn_ || !state_.club.members)
        return;
    memberView_->openNewMember();
}

void TTandem12X::editMember()
{
    if (!memberViewOn_ || !state_.club.members)
        return;
    memberView_->openEditMember();
}

} // namespace tandemx
