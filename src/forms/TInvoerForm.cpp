#include "forms/TInvoerForm.h"

#include "forms/HelpViewer.h"
#include "forms/ScoreGrid.h"
#include "forms/WindowMemory.h"
#include "matches/GameInput.h"
#include "records/Cp1252.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

#include <algorithm>

namespace tandemx {

namespace {

constexpr int GridTop = 40;
constexpr int RowHeight = 36;
constexpr int HeaderHeight = 20;
constexpr int PanelHeight = 41;
constexpr int ButtonWidth = 75;
constexpr int ButtonHeight = 25;
constexpr int ControlsHeight = 150; // labels above the grid and the buttons below it
constexpr int SideRoom = 90;        // "Ronde +" and "Ronde -" right of the grid
const int kWidths[] = {40, 190, 50, 190, 50};

bool toInt(const QString& text, int* value)
{
    bool ok = false;
    *value = text.trimmed().toInt(&ok);
    return ok;
}

} // namespace

TInvoerForm::TInvoerForm(AppState& state, QWidget* parent) : QWidget(parent, Qt::Window), state_(state)
{
    setObjectName(QStringLiteral("TInvoerForm"));
    setWindowTitle(QStringLiteral("Invoer van Game of Set-punten"));
    QFont windowFont(QStringLiteral("MS Sans Serif"), 10);
    windowFont.setStyleHint(QFont::SansSerif);
    setFont(windowFont);

    auto label = [this](const char* name) {
        auto* l = new QLabel(this);
        l->setObjectName(QString::fromLatin1(name));
        return l;
    };
    matchlabel_ = label("Matchlabel");
    rondeLabel_ = label("RondeLabel");
    datumLabel_ = label("DatumLabel");
    QFont bold = matchlabel_->font();
    bold.setBold(true);
    for (QLabel* l : {matchlabel_, rondeLabel_, datumLabel_})
        l->setFont(bold);

    grid_ = new ScoreGrid(this);
    grid_->setObjectName(QStringLiteral("InvoerGrid"));
    grid_->setToolTip(QStringLiteral(" Punten, Invallers en Rang"));
    grid_->horizontalHeader()->setFixedHeight(HeaderHeight);
    grid_->verticalHeader()->setDefaultSectionSize(RowHeight);
    grid_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    // The five columns fill the width; a vertical scroll bar may cover the last pixels of the games.
    grid_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid_->keyHandler = [this](QKeyEvent* e) { return gridKey(e); };
    grid_->digitsOnly = [](int, int column) { return column == Games1 || column == Games2; };
    grid_->leavesEditor = [](int key) {
        return key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Tab || key == Qt::Key_PageUp
            || key == Qt::Key_PageDown || key == Qt::Key_F3;
    };

    auto button = [](QWidget* parent, const char* name, const QString& caption) {
        auto* b = new QPushButton(caption, parent);
        b->setObjectName(QString::fromLatin1(name));
        b->setFixedSize(ButtonWidth, ButtonHeight);
        b->setAutoDefault(false);
        return b;
    };
    rndplusBtn_ = button(this, "RndplusBtn", QStringLiteral("Ronde +"));
    rndminBtn_ = button(this, "RndminBtn", QStringLiteral("Ronde -"));
    connect(rndplusBtn_, &QPushButton::clicked, this, [this] { changeRound(1); });
    connect(rndminBtn_, &QPushButton::clicked, this, [this] { changeRound(-1); });

    bottomPanel_ = new QWidget(this);
    bottomPanel_->setObjectName(QStringLiteral("InvoerPanel"));
    auto* row = new QHBoxLayout(bottomPanel_);
    row->setContentsMargins(10, 8, 10, 8);
    row->setSpacing(8);
    auto* help = button(bottomPanel_, "HelpBtn2", QStringLiteral("&Help"));
    auto* ok = button(bottomPanel_, "SluitBtn2", QStringLiteral("&Ok"));
    auto* schrap = button(bottomPanel_, "SchapBtn2", QStringLiteral("&Schrap"));
    row->addWidget(help);
    row->addStretch();
    row->addWidget(ok);
    row->addWidget(schrap);
    connect(help, &QPushButton::clicked, this, [this] { showHelp(HelpContext, this); });
    connect(ok, &QPushButton::clicked, this, &TInvoerForm::Ok);
    connect(schrap, &QPushButton::clicked, this, &TInvoerForm::Schrap);

    resize(DefaultWidth, 12 * RowHeight + 32 + 150);
    // The grid grows with the window (more courts in view, wider names); one court and the starting
    // width are the smallest.
    setMinimumSize(DefaultWidth, RowHeight + 32 + ControlsHeight);
    rememberPlace(*this, state_);
}

int TInvoerForm::courts() const { return std::clamp(int(state_.schedule->Run.NumCourts), 0, engine::MaxCourts); }

int TInvoerForm::lastRound() const
{
    const TMatchCalcObj* match = state_.matches.match(matchNr_);
    const int rounds = match ? match->header.MatchRounds : 1;
    return std::clamp(rounds, 1, ScoreRoundEntries - 1);
}

TScoreObj* TInvoerForm::roundScores()
{
    TMatchCalcObj* match = state_.matches.match(matchNr_);
    if (!match || round_ < 1 || round_ >= int(match->scores.size()))
        return nullptr;
    return &match->scores[size_t(round_)];
}

bool TInvoerForm::OpenGameInput(int matchNr, int inputMode)
{
    if (state_.schedule->Settings.ScheduleMode == engine::ScheduleMode::None || !state_.matches.match(matchNr))
        return false;
    matchNr_ = matchNr;
    inputMode_ = inputMode;
    round_ = 1;

    const PrintSettings& ps = state_.club.printSettings;
    QFont font = grid_->font();
    font.setPointSize(ps.textFontSize > 0 ? ps.textFontSize : 10);
    grid_->setFont(font);
    grid_->setShape(courts(), QStringLiteral("Baan,Paar--1,Games,Paar--2,Games").split(QLatin1Char(',')));
    for (int c = 0; c < 5; ++c)
        grid_->setColumnWidth(c, kWidths[c]);
    layOut(); // the pair columns take the width the window has
    grid_->setToolTip(QStringLiteral("Aantal games paar 1 , paar2"));

    matchlabel_->setText(QStringLiteral("Match: ") + QString::number(matchNr_));
    matchlabel_->adjustSize();
    fillGrid();
    show();
    raise();
    activateWindow();
    grid_->setFocus();
    closingConfirmed_ = false;
    return true;
}

void TInvoerForm::layOut()
{
    // The courts of the evening, at most 12 in view: the window's starting height.
    const int visible = std::min(12, courts());
    resize(width(), visible * RowHeight + 32 + ControlsHeight);
    placeControls();
}

void TInvoerForm::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    placeControls();
}

void TInvoerForm::placeControls()
{
    // The grid takes the room above the buttons and beside "Ronde +" and "Ronde -"; the pair columns
    // share the width beyond the starting one.
    const int gridHeight = std::max(RowHeight + 32, height() - ControlsHeight);
    const int gridWidth = GridWidth + std::max(0, width() - DefaultWidth);
    const int left = (width() - gridWidth - SideRoom) / 2;
    grid_->setGeometry(left, GridTop, gridWidth, gridHeight);
    const int extra = gridWidth - GridWidth;
    grid_->setColumnWidth(Paar1, kWidths[Paar1] + extra / 2);
    grid_->setColumnWidth(Paar2, kWidths[Paar2] + extra - extra / 2);
    matchlabel_->move(left, 12);
    rondeLabel_->move(left + 180, 12);
    datumLabel_->move(left + 360, 12);
    rndplusBtn_->move(left + gridWidth + 15, GridTop);
    rndminBtn_->move(left + gridWidth + 15, 100);
    bottomPanel_->setGeometry(0, height() - PanelHeight, width(), PanelHeight);
}

void TInvoerForm::fillGrid()
{
    const engine::ScheduleState& schedule = *state_.schedule;
    const TScoreObj* scores = roundScores();
    for (int k = 1; k <= courts(); ++k) {
        const CourtPlayers c = courtPlayers(schedule, round_, k);
        grid_->setCell(k, Baan, QString::number(k), false);
        grid_->setCell(k, Paar1, c.names[0] + QLatin1Char('\n') + c.names[1], false);
        grid_->setCell(k, Games1, QString::number(scores ? scores->at(k, 1) : 0), true);
        grid_->setCell(k, Paar2, c.names[2] + QLatin1Char('\n') + c.names[3], false);
        grid_->setCell(k, Games2, QString::number(scores ? scores->at(k, 4) : 0), true);
        for (int col : {Paar1, Paar2})
            grid_->item(k - 1, col)->setTextAlignment(Qt::AlignLeft | Qt::AlignTop);
        grid_->item(k - 1, Baan)->setBackground(palette().color(QPalette::Button));
    }
    grid_->selectCell(1, Games1);
    rondeLabel_->setText(QStringLiteral("Ronde: ") + QString::number(round_));
    const TMatchCalcObj* match = state_.matches.match(matchNr_);
    datumLabel_->setText(QStringLiteral("Datum: ") + (match ? match->header.matchDate() : QString()));
    rondeLabel_->adjustSize();
    datumLabel_->adjustSize();
}

bool TInvoerForm::StoreCourt(int k)
{
    if (!isVisible())
        return true;
    TScoreObj* scores = roundScores();
    if (!scores || k < 1 || k > std::min(courts(), MaxScoreCourts))
        return true;
    // A number outside what a pair can win is refused like a text that is no number: stored as a
    // 16-bit score it would come back as something else.
    const int most = maxCourtScore(inputMode_);
    int g1 = 0, g2 = 0;
    if (!toInt(grid_->cell(k, Games1), &g1) || !toInt(grid_->cell(k, Games2), &g2) || g1 < 0 || g1 > most
        || g2 < 0 || g2 > most) {
        state_.messages.beep();
        state_.messages.showMessageNo(QStringLiteral("Game "), 0, 5, 5);
        return false;
    }
    const engine::ScheduleState& schedule = *state_.schedule;
    storeCourtGames(*scores, k, courtKind(schedule, round_, k), schedule.Settings.PlayOptions, g1, g2);
    return true;
}

bool TInvoerForm::storeRound()
{
    grid_->finishEditing();
    for (int k = 1; k <= courts(); ++k) {
        if (!StoreCourt(k)) {
            state_.messages.lastErrorState = k;
            return false;
        }
    }
    return true;
}

void TInvoerForm::changeRound(int delta)
{
    state_.messages.lastErrorState = 0;
    if (!storeRound()) {
        grid_->selectCell(state_.messages.lastErrorState, Games1);
    } else {
        round_ = std::clamp(round_ + delta, 1, lastRound());
        fillGrid();
    }
    grid_->setFocus();
}

void TInvoerForm::Ok()
{
    Messages& messages = state_.messages;
    messages.lastErrorState = 0;
    if (!storeRound()) {
        const int row = messages.lastErrorState;
        messages.showMessageNo(QString(), 19, 0, 0);
        grid_->selectCell(row, Games1);
        grid_->setFocus();
        return;
    }
    if (messages.ask(QStringLiteral("Scores bewaren ?")))
        SaveMatchFile(state_, state_.matches);
    emit closing();
    emit scoresAccepted();
    closingConfirmed_ = true;
    close();
}

void TInvoerForm::Schrap()
{
    grid_->finishEditing();
    emit closing();
    closingConfirmed_ = true;
    close();
}

bool TInvoerForm::gridKey(QKeyEvent* event)
{
    const int row = grid_->row();
    const int column = grid_->column();
    switch (event->key()) {
    case Qt::Key_Tab:
        grid_->selectCell(row, column <= Paar1 ? Games1 : column <= Paar2 ? Games2 : Games1);
        return true;
    case Qt::Key_Right:
        grid_->selectCell(row, column == Games1 || column == Paar2 ? Games2 : Games1);
        return true;
    case Qt::Key_Left:
        if (column == Games2)
            grid_->selectCell(row, Games1);
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (column == Games1)
            grid_->selectCell(row, Games2);
        else if (column == Games2)
            grid_->selectCell(row, Games1);
        return true;
    case Qt::Key_PageUp:
        changeRound(-1);
        return true;
    case Qt::Key_PageDown:
        changeRound(1);
        return true;
    case Qt::Key_F3:
        SaveMatchFile(state_, state_.matches);
        return true;
    default:
        return false;
    }
}

void TInvoerForm::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_F3) {
        SaveMatchFile(state_, state_.matches);
        return;
    }
    QWidget::keyPressEvent(event);
}

void TInvoerForm::closeEvent(QCloseEvent* event)
{
    if (!closingConfirmed_ && isVisible()
        && state_.messages.ask(QStringLiteral("Scores nog redden\r gebruik dan [ OK ]"))) {
        event->ignore();
        return;
    }
    grid_->finishEditing();
    closingConfirmed_ = true;
    emit closing();
    QWidget::closeEvent(event);
}

} // namespace tandemx
