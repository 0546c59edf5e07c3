#include "forms/TMatchForm.h"

#include "forms/HelpViewer.h"
#include "forms/ScoreGrid.h"
#include "forms/WindowMemory.h"
#include "matches/MatchMembers.h"
#include "matches/MatchScores.h"
#include "records/Cp1252.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>

namespace tandemx {

namespace {

constexpr int GridTop = 34;
constexpr int GridHeight = 330;
constexpr int GridBaseWidth = 520;
constexpr int PanelHeight = 41;
constexpr int ButtonWidth = 75;
constexpr int ButtonHeight = 25;
const int kFixedWidths[] = {30, 40, 100, 145, 40, 35};
const QColor kActieColor(Qt::blue);

bool toInt(const QString& text, int* value)
{
    bool ok = false;
    *value = text.trimmed().toInt(&ok);
    return ok;
}

} // namespace

TMatchForm::TMatchForm(AppState& state, QWidget* parent) : QWidget(parent, Qt::Window), state_(state)
{
    setObjectName(QStringLiteral("TMatchForm"));
    setWindowTitle(QStringLiteral("Invoeren van Matchpunten"));
    QFont windowFont(QStringLiteral("MS Sans Serif"), 10);
    windowFont.setStyleHint(QFont::SansSerif);
    setFont(windowFont);

    grid_ = new ScoreGrid(this);
    grid_->setObjectName(QStringLiteral("MatchGrid"));
    grid_->horizontalHeader()->setFixedHeight(35);
    grid_->verticalHeader()->setDefaultSectionSize(20);
    grid_->keyHandler = [this](QKeyEvent* e) { return gridKey(e); };
    grid_->leavesEditor = [](int key) {
        return key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Tab || key == Qt::Key_Up
            || key == Qt::Key_Down || key == Qt::Key_F3;
    };
    grid_->cellPressed = [this](int row, int column) { gridPressed(row, column); };

    const QString activeHint = QStringLiteral("Aantal actieve spelers in deze groep");
    auto label = [this](const char* name, const QString& text) {
        auto* l = new QLabel(text, this);
        l->setObjectName(QString::fromLatin1(name));
        return l;
    };
    aantalHrntxt_ = label("AantalHrntxt", QStringLiteral("Heren"));
    aantalDmstxt_ = label("AantalDmstxt", QStringLiteral("Dames"));
    for (QLabel* l : {aantalHrntxt_, aantalDmstxt_}) {
        l->setToolTip(activeHint);
        l->setStatusTip(activeHint);
    }
    aantalHrnLab_ = label("AantalHrnLab", QStringLiteral("0"));
    aantalDmsLab_ = label("AantalDmsLab", QStringLiteral("0"));
    totalLabel_ = label("TotalLabel", QStringLiteral("Totaal  Gms"));
    totalTxt_ = new QLineEdit(this);
    totalTxt_->setObjectName(QStringLiteral("TotalTxt"));
    totalTxt_->setReadOnly(true);
    totalTxt_->setFixedWidth(60);

    auto button = [](QWidget* parent, const char* name, const QString& caption, const QString& hint) {
        auto* b = new QPushButton(caption, parent);
        b->setObjectName(QString::fromLatin1(name));
        b->setFixedSize(ButtonWidth, ButtonHeight);
        b->setAutoDefault(false);
        if (!hint.isEmpty()) {
            b->setToolTip(hint);
            b->setStatusTip(hint);
        }
        return b;
    };
    gegevensBtn_ = button(this, "GegevensBtn", QStringLiteral("Gegevens"), {});
    rekenBtn_ = button(this, "RekenBtn", QStringLiteral("Reken"), {});
    connect(gegevensBtn_, &QPushButton::clicked, this, &TMatchForm::Gegevens);
    connect(rekenBtn_, &QPushButton::clicked, this, &TMatchForm::Reken);

    bottomPanel_ = new QWidget(this);
    bottomPanel_->setObjectName(QStringLiteral("MatchPanel"));
    auto* row = new QHBoxLayout(bottomPanel_);
    row->setContentsMargins(10, 8, 10, 8);
    row->setSpacing(8);
    auto* help = button(bottomPanel_, "HelpMatchBtn", QStringLiteral("&Help"), {});
    auto* schrap = button(bottomPanel_, "SchrapMatchBtn", QStringLiteral("S&chrap"), {});
    auto* sluit = button(bottomPanel_, "SluitMatchBtn", QStringLiteral("&Sluit"), {});
    auto* bewaar = button(bottomPanel_, "OpslaanMatchBtn", QStringLiteral("&Bewaar"), QStringLiteral("Opslaan van match-data"));
    auto* exportBtn = button(bottomPanel_, "BewaarBtn", QStringLiteral("&Export"),
                             QStringLiteral("Exporteren van match-data als 'comma separated'"));
    auto* print = button(bottomPanel_, "PrintMatchBtn", QStringLiteral("&Print"), QStringLiteral("Afdrukken van match-data"));
    row->addWidget(help);
    row->addStretch();
    for (QPushButton* b : {schrap, sluit, bewaar, exportBtn, print})
        row->addWidget(b);
    connect(help, &QPushButton::clicked, this, [this] { showHelp(HelpContext, this); });
    connect(schrap, &QPushButton::clicked, this, &TMatchForm::Schrap);
    connect(sluit, &QPushButton::clicked, this, &TMatchForm::Sluit);
    connect(bewaar, &QPushButton::clicked, this, &TMatchForm::Bewaar);
    connect(exportBtn, &QPushButton::clicked, this, &TMatchForm::exportRequested);
    connect(print, &QPushButton::clicked, this, &TMatchForm::printRequested);

    parameters_ = new QGroupBox(QStringLiteral("Match parameters"), this);
    parameters_->setObjectName(QStringLiteral("ParameterBox"));
    parameters_->setAutoFillBackground(true);
    auto* form = new QGridLayout(parameters_);
    const char* names[] = {"Match index", "Aantal Matches", "Aantal spelers", "Aantal ronden", "Speeldatum"};
    for (int i = 0; i < 5; ++i) {
        form->addWidget(new QLabel(QString::fromLatin1(names[i]), parameters_), i, 0);
        parameterValues_[i] = new QLabel(parameters_);
        parameterValues_[i]->setObjectName(QStringLiteral("ParameterValue%1").arg(i));
        form->addWidget(parameterValues_[i], i, 1);
    }
    auto* ok = new QPushButton(QStringLiteral("OK"), parameters_);
    ok->setObjectName(QStringLiteral("ParameterOkBtn"));
    form->addWidget(ok, 5, 1, Qt::AlignRight);
    connect(ok, &QPushButton::clicked, parameters_, &QWidget::hide);
    parameters_->setFixedSize(240, 200);
    parameters_->hide();

    resize(DefaultWidth, DefaultHeight);
    // The grid grows with the window; its starting size is the smallest.
    setMinimumSize(DefaultWidth, OpenHeight);
    rememberPlace(*this, state_);
}

void TMatchForm::followMembers()
{
    if (state_.club.members)
        tandemx::followMembers(state_.matches, *state_.club.members);
}

void TMatchForm::OpenMatchForm()
{
    followMembers();
    MatchData& data = state_.matches;
    matchNr_ = data.CurrentMatch.match;
    if (!data.match(matchNr_))
        return;
    exportLines_.clear();

    const PrintSettings& ps = state_.club.printSettings;
    QFont font(fromCp1252(ps.textFontName), ps.textFontSize > 0 ? ps.textFontSize : 10);
    font.setStyleHint(QFont::SansSerif);
    grid_->setFont(font);
    // The starting size; shown, the window takes the size it was left at when that is larger.
    resize(DefaultWidth, OpenHeight);

    titles_ = QStringLiteral("Ix,Club,Voornaam,Achternaam,Grp,Actie").split(QLatin1Char(','));
    for (int b = 1; b <= matchNr_; ++b)
        titles_ << QStringLiteral("Games");
    titles_ << QStringLiteral("Tot.Gms") << QStringLiteral("Plaats");
    // Drawn: "Club" over "Nr.", and each "Games" over the day and month of its match.
    QStringList shown = titles_;
    shown[Club] = QStringLiteral("Club\nNr.");
    for (int b = 1; b <= matchNr_; ++b)
        shown[Actie + b] += QLatin1Char('\n') + data.match(b)->header.matchDate().left(5);
    grid_->setShape(state_.club.memberCount(), shown);
    for (int c = 0; c < grid_->columnCount(); ++c)
        grid_->setColumnWidth(c, c <= Actie ? kFixedWidths[c] : 50);

    totalTxt_->clear();
    totalTxt_->hide();
    totalLabel_->hide();
    parameters_->hide();
    fillGrid(1);
    layOut();
    show();
    raise();
    activateWindow();
    grid_->setFocus();
    closingConfirmed_ = false;
}

void TMatchForm::showCopiedScores()
{
    grid_->finishEditing();
    if (state_.matches.match(matchNr_) && state_.club.members)
        fillGrid(std::max(grid_->row(), 1));
}

void TMatchForm::fillGrid(int wantedRow)
{
    followMembers();
    MatchData& data = state_.matches;
    const int members = state_.club.memberCount();
    if (!data.match(matchNr_) || !state_.club.members)
        return;
    for (int b = 1; b <= matchNr_; ++b)
        data.match(b)->fitMemberCount(members);
    const MemberList& list = *state_.club.members;
    const TMatchCalcObj& match = *data.match(matchNr_);

    grid_->setRowCount(members);
    exportLines_.clear();
    for (int r = 1; r <= members; ++r) {
        const TLedenObj& m = list.at(r);
        const QString actie = m.actie();
        QStringList cells = {QString::number(m.ix()), QString::number(m.clubNr()), m.voornaam(), m.achternaam(), m.grp(), actie};
        for (int b = 1; b <= matchNr_; ++b)
            cells << QString::number(data.match(b)->calcs[size_t(r)].Games);
        cells << QString::number(match.calcs[size_t(r)].TotalGames) << QString::number(match.calcs[size_t(r)].GamesPlace);
        for (int c = 0; c < int(cells.size()); ++c)
            grid_->setCell(r, c, cells[c], c > Actie);
        grid_->item(r - 1, Ix)->setBackground(palette().color(QPalette::Button)); // the fixed column
        QTableWidgetItem* actieItem = grid_->item(r - 1, Actie);
        if (actie != QLatin1String("-")) {
            actieItem->setForeground(kActieColor);
            actieItem->setTextAlignment(Qt::AlignRight | Qt::AlignTop);
        } else {
            actieItem->setForeground(palette().color(QPalette::Text));
            actieItem->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        }
        QStringList line = cells.mid(Club, Actie);
        line << cells.mid(Actie + 1);
        exportLines_ << line.join(QLatin1Char(','));
    }
    grid_->selectCell(std::clamp(wantedRow, 1, std::max(members, 1)), Voornaam);
    countActivePlayers();
}

void TMatchForm::countActivePlayers()
{
    activeMen_ = activeLadies_ = 0;
    if (state_.club.members) {
        const KeyData& key = state_.club.keyData();
        const QString men = key.group1().trimmed().toUpper();
        const QString ladies = key.group2().trimmed().toUpper();
        const MemberList& list = *state_.club.members;
        for (int r = 1; r <= list.count(); ++r) {
            const TLedenObj& m = list.at(r);
            if (!m.isActive())
                continue;
            const QString group = m.grp().trimmed().toUpper();
            if (group == men)
                ++activeMen_;
            else if (group == ladies)
                ++activeLadies_;
        }
    }
    aantalHrnLab_->setText(QString::number(activeMen_));
    aantalDmsLab_->setText(QString::number(activeLadies_));
}

void TMatchForm::layOut()
{
    // As wide as its columns (the window's width at most), as high as the window leaves above the
    // counters and buttons.
    const int gridWidth = std::min(GridBaseWidth + 50 * std::max(matchNr_, 0), width() - 20);
    const int gridHeight = std::max(GridHeight, height() - OpenHeight + GridHeight);
    const int left = (width() - gridWidth) / 2;
    grid_->setGeometry(left, GridTop, gridWidth, gridHeight);
    const int line = GridTop + gridHeight + 10;
    gegevensBtn_->move(left, line);
    rekenBtn_->move(left + ButtonWidth + 10, line);
    aantalHrntxt_->move(left + 260, line);
    aantalHrnLab_->move(left + 312, line);
    aantalDmstxt_->move(left + 260, line + 17);
    aantalDmsLab_->move(left + 312, line + 17);
    for (QLabel* l : {aantalHrntxt_, aantalHrnLab_, aantalDmstxt_, aantalDmsLab_, totalLabel_})
        l->adjustSize();
    totalLabel_->move(left + 370, line);
    totalTxt_->move(left + 450, line - 3);
    bottomPanel_->setGeometry(0, height() - PanelHeight, width(), PanelHeight);
    parameters_->move((width() - parameters_->width()) / 2, GridTop + 40);
}

void TMatchForm::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    layOut();
}

bool TMatchForm::playedNot(int r) const { return grid_->cell(r, Actie).trimmed() == QLatin1String("-"); }

bool TMatchForm::takeRow(int r, bool reportConversion)
{
    followMembers();
    TMatchCalcObj* match = state_.matches.match(matchNr_);
    if (!match || r < 1 || r > grid_->rowCount())
        return false;
    if (playedNot(r)) {
        state_.messages.showBericht(matchMessage(PlayerDidNotPlay), Warning, Btn::OK, 0);
        return false;
    }
    int values[4] = {};
    const int columns[4] = {Club, gamesColumn(), totalColumn(), placeColumn()};
    for (int i = 0; i < 4; ++i) {
        if (!toInt(grid_->cell(r, columns[i]), &values[i])) {
            if (reportConversion)
                state_.messages.showMessageNo(QStringLiteral(" Invoer: ") + QString::number(r), 0, 5, 5);
            return false;
        }
    }
    match->fitMemberCount(state_.club.memberCount());
    TCalcObj& c = match->calcs[size_t(r)];
    c.ClubNr = int16_t(values[0]);
    c.Games = int16_t(values[1]);
    c.TotalGames = int16_t(values[2]);
    c.GamesPlace = int16_t(values[3]);
    return true;
}

bool TMatchForm::TakeRow(int r) { return takeRow(r, true); }

void TMatchForm::TakeAllRows()
{
    grid_->finishEditing();
    if (!state_.club.members)
        return;
    const MemberList& list = *state_.club.members;
    for (int r = 1; r <= std::min(list.count(), grid_->rowCount()); ++r)
        if (list.at(r).actie().trimmed() != QLatin1String("-"))
            takeRow(r, true);
}

void TMatchForm::rank()
{
    MatchData& data = state_.matches;
    TMatchCalcObj* match = data.match(matchNr_);
    if (!match)
        return;
    TakeAllRows();
    const int mode = match->header.InputMode;
    const int members = state_.club.memberCount();
    RankMatch(data, matchNr_, mode, members);
    if (data.MatchCount() > matchNr_)
        RankMatch(data, data.MatchCount(), mode, members);
    fillGrid(grid_->row());
    if (matchNr_ == LastMatch)
        emit lastMatchOpen();
}

void TMatchForm::Reken()
{
    rank();
    const TMatchCalcObj* match = state_.matches.match(matchNr_);
    if (!match)
        return;
    int sum = 0;
    for (int m = 1; m < int(match->calcs.size()); ++m)
        sum += match->header.InputMode == InputSets ? match->calcs[size_t(m)].TotalSets : match->calcs[size_t(m)].TotalGames;
    totalTxt_->setText(QString::number(sum));
    totalTxt_->show();
    totalLabel_->show();
}

void TMatchForm::Sluit()
{
    Messages& messages = state_.messages;
    messages.lastErrorState = 0;
    MatchData& data = state_.matches;
    // The header edited in the selection belongs to this match only while it is the current one.
    if (data.CurrentMatch.match == matchNr_)
        StoreHeader(data, matchNr_);
    rank();
    if (messages.lastErrorState != 0) {
        messages.showMessageNo(QString(), 17, 0, 0);
        closingConfirmed_ = false;
        return;
    }
    if (messages.ask(QStringLiteral("Matches redden")))
        SaveMatchFile(state_, data);
    emit closing();
    parameters_->hide();
    if (matchNr_ == LastMatch)
        emit lastMatchOpen();
    closingConfirmed_ = true;
    close();
}

void TMatchForm::Schrap()
{
    grid_->finishEditing();
    emit closing();
    closingConfirmed_ = true;
    close();
}

void TMatchForm::Gegevens()
{
    const MatchData& data = state_.matches;
    const TMatchCalcObj* match = data.match(matchNr_);
    const QString date = match ? match->header.matchDate() : QString();
    const QString shortDate = date.size() >= 4 ? date.left(date.size() - 4) + date.right(2) : date;
    const QString values[5] = {QStringLiteral("  ") + QString::number(matchNr_),
                               QStringLiteral("  ") + QString::number(data.MatchCount()),
                               QStringLiteral("  ") + QString::number(activeMen_ + activeLadies_),
                               QStringLiteral("  ") + QString::number(state_.schedule->TotalRounds), shortDate};
    for (int i = 0; i < 5; ++i)
        parameterValues_[i]->setText(values[i]);
    parameters_->show();
    parameters_->raise();
}

void TMatchForm::Bewaar()
{
    grid_->finishEditing();
    SaveMatchFile(state_, state_.matches);
}

bool TMatchForm::gridKey(QKeyEvent* event)
{
    const int row = grid_->row();
    const int column = grid_->column();
    const int last = grid_->rowCount();
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (column >= Actie)
            TakeRow(row);
        grid_->selectCell(row, std::min(column + 1, gamesColumn()));
        return true;
    case Qt::Key_Up:
    case Qt::Key_Down:
        if (column > Actie)
            TakeRow(row);
        return false;
    case Qt::Key_Right:
        if (column == placeColumn()) {
            grid_->selectCell(row, gamesColumn());
            return true;
        }
        return false;
    case Qt::Key_Tab:
        grid_->selectCell(std::min(row + 1, last), std::min(column, gamesColumn()));
        return true;
    case Qt::Key_F3:
        SaveMatchFile(state_, state_.matches);
        return true;
    default:
        return false;
    }
}

void TMatchForm::gridPressed(int row, int column)
{
    if (column < gamesColumn())
        grid_->selectCell(row, gamesColumn());
}

void TMatchForm::closeEvent(QCloseEvent* event)
{
    if (!closingConfirmed_ && isVisible()
        && state_.messages.ask(QStringLiteral("Matches nog redden\r gebruik dan [Sluit]"))) {
        event->ignore();
        return;
    }
    grid_->finishEditing();
    closingConfirmed_ = true;
    emit closing();
    QWidget::closeEvent(event);
}

} // namespace tandemx
