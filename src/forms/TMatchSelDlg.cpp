#include "forms/TMatchSelDlg.h"

#include "forms/WindowMemory.h"
#include "matches/MatchSelection.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace tandemx {

namespace {

bool isEnter(QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const int key = static_cast<QKeyEvent*>(event)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

QString numberText(int n) { return QStringLiteral("  ") + QString::number(n); }

} // namespace

TMatchSelDlg::TMatchSelDlg(AppState& state, QWidget* parent) : QDialog(parent), state_(state)
{
    setObjectName(QStringLiteral("TMatchSelDlg"));
    setWindowTitle(QStringLiteral("Selectie van matches"));
    setModal(true);
    QFont windowFont(QStringLiteral("MS Sans Serif"), 10);
    windowFont.setStyleHint(QFont::SansSerif);
    setFont(windowFont);

    matchSelBox_ = new QComboBox(this);
    matchSelBox_->setObjectName(QStringLiteral("MatchSelBox"));
    matchSelBox_->setEditable(true);
    matchSelBox_->setInsertPolicy(QComboBox::NoInsert);
    matchSelBox_->installEventFilter(this);
    matchSelBox_->lineEdit()->installEventFilter(this);

    rondenEdit_ = new QLineEdit(this);
    rondenEdit_->setObjectName(QStringLiteral("RondenEdit"));
    rondenEdit_->installEventFilter(this);

    datePicker_ = new QDateEdit(this);
    datePicker_->setObjectName(QStringLiteral("DatePicker"));
    datePicker_->setCalendarPopup(true);
    datePicker_->setDisplayFormat(QStringLiteral("d-M-yyyy"));
    datePicker_->installEventFilter(this);

    invoerkeuze_ = new QGroupBox(QStringLiteral("Invoer keuze"), this);
    invoerkeuze_->setObjectName(QStringLiteral("Invoerkeuze"));
    invoerButtons_ = new QButtonGroup(this);
    auto* choices = new QHBoxLayout(invoerkeuze_);
    const char* items[] = {"Games", "Sets"};
    for (int i = 0; i < 2; ++i) {
        auto* radio = new QRadioButton(QString::fromLatin1(items[i]), invoerkeuze_);
        radio->setObjectName(QStringLiteral("Invoerkeuze") + QString::number(i));
        invoerButtons_->addButton(radio, i);
        choices->addWidget(radio);
    }
    choices->addStretch();
    connect(invoerButtons_, &QButtonGroup::idClicked, this, [this] {
        TakeMatchField(4);
        okMatchBtn_->setFocus();
    });

    okMatchBtn_ = new QPushButton(QStringLiteral("&OK"), this);
    okMatchBtn_->setObjectName(QStringLiteral("OKMatchBtn"));
    okMatchBtn_->setAutoDefault(true);
    connect(okMatchBtn_, &QPushButton::clicked, this, &TMatchSelDlg::accept);

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(16, 14, 16, 12);
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(8);
    auto label = [this](const char* text, QWidget* buddy) {
        auto* l = new QLabel(QString::fromLatin1(text), this);
        l->setBuddy(buddy);
        return l;
    };
    grid->addWidget(label("Match nunmmer", matchSelBox_), 0, 0);
    grid->addWidget(matchSelBox_, 0, 1);
    grid->addWidget(label("Aantal ronden", rondenEdit_), 1, 0);
    grid->addWidget(rondenEdit_, 1, 1);
    grid->addWidget(label("Speeldatum", datePicker_), 2, 0);
    grid->addWidget(datePicker_, 2, 1);
    grid->addWidget(invoerkeuze_, 3, 0, 1, 2);
    grid->addWidget(okMatchBtn_, 4, 1, Qt::AlignRight);
    grid->setColumnStretch(1, 1);
    resize(DefaultWidth, DefaultHeight);
    rememberPlace(*this, state_);

    setTabOrder(matchSelBox_, rondenEdit_);
    setTabOrder(rondenEdit_, datePicker_);
    setTabOrder(datePicker_, invoerButtons_->button(0));
    setTabOrder(invoerButtons_->button(0), okMatchBtn_);
}

bool TMatchSelDlg::SelectMatch(Kind kind)
{
    matchChosen_ = false;
    kind_ = kind;
    MatchData& data = state_.matches;
    const CurrentMatchState before = data.CurrentMatch;
    const KeyData& key = state_.club.keyData();

    if (kind == NewMatch) {
        if (data.MatchCount() == key.maxMatches
            && !state_.messages.ask(QStringLiteral("Aantal matches groter dan in Sleutelgegevens\rWilt u toch doorgaan")))
            return false;
        const int n = data.MatchCount() + 1;
        if (!CreateMatch(state_, data, n))
            return false;
        LoadHeader(data, n);
        data.CurrentMatch.header.MatchNr = int16_t(n);
        matchSelBox_->clear();
    } else {
        if (!LoadHeader(data, 1)) {
            // No match to open: the list is empty.
            state_.messages.showMessageNo(QString(), 16, 0, 0);
            return false;
        }
        matchSelBox_->clear();
        for (int n = 1; n <= data.MatchCount(); ++n)
            matchSelBox_->addItem(numberText(n));
    }
    showHeader();

    state_.modalHooks.aboutToShow(*this);
    const int result = exec();

    if (result == QDialog::Accepted) {
        const int n = data.CurrentMatch.header.MatchNr;
        StoreHeader(data, n);
        data.CurrentMatch.match = n;
        matchChosen_ = kind == FromGameInput || state_.messages.ask(QStringLiteral("Match openen ?"));
    } else {
        if (kind == NewMatch) {
            // The match made for this call goes again; the last match that remains is current.
            LoadHeader(data, data.MatchCount());
            data.CurrentMatch.match = data.MatchCount();
            DeleteLastMatch(state_, data, false);
        } else {
            // The match current before stays current, with its header as the list holds it now (OK
            // may have stored an edited header before the dialog closed as cancelled).
            data.CurrentMatch = before;
            LoadHeader(data, before.match);
        }
    }
    return matchChosen_;
}

void TMatchSelDlg::showHeader()
{
    const MatchHeader& h = state_.matches.CurrentMatch.header;
    matchSelBox_->setEditText(numberText(h.MatchNr));
    rondenEdit_->setText(QString::number(h.MatchRounds));
    datePicker_->setMaximumDate(latestMatchDate(state_.today));
    const QDate date = QDate::fromString(h.matchDate(), QStringLiteral("d-M-yyyy"));
    datePicker_->setDate(date.isValid() ? date : state_.today);
    if (QAbstractButton* b = invoerButtons_->button(h.InputMode == InputSets ? 1 : 0))
        b->setChecked(true);
}

void TMatchSelDlg::TakeMatchField(int n)
{
    Messages& messages = state_.messages;
    messages.lastErrorState = 0;
    MatchHeader& h = state_.matches.CurrentMatch.header;
    bool beep = false;
    switch (n) {
    case 1:
        h.MatchNr = int16_t(matchNumberField(matchSelBox_->currentText(), &beep));
        break;
    case 2:
        h.MatchRounds = int16_t(matchRoundsField(rondenEdit_->text(), state_.club.keyData().doublesRounds, &beep));
        rondenEdit_->setText(QString::number(h.MatchRounds));
        break;
    case 3:
        datePicker_->setMaximumDate(latestMatchDate(state_.today));
        h.setMatchDate(matchDateField(datePicker_->date()));
        break;
    case 4:
        h.InputMode = int16_t(std::max(invoerButtons_->checkedId(), 0));
        break;
    default:
        break;
    }
    if (beep)
        messages.beep();
}

void TMatchSelDlg::loadTypedMatch()
{
    if (kind_ == NewMatch)
        return;
    const int n = matchNumberField(matchSelBox_->currentText(), nullptr);
    if (LoadHeader(state_.matches, n))
        showHeader();
}

bool TMatchSelDlg::refuseMatchNumber(int refusal)
{
    Messages& messages = state_.messages;
    switch (refusal) {
    case MatchNumberZero:
        messages.showMessageNo(QStringLiteral("Match = 0 "), 0, 5, 5);
        break;
    case MatchNumberNotOpen:
        messages.showMessageNo(QString(), 13, 0, 0);
        break;
    case MatchNumberTooHigh:
        messages.showMessageNo(QStringLiteral("lagere MatchIndex"), 14, 0, 0);
        break;
    default:
        return false;
    }
    messages.lastErrorState = refusal;
    messages.beep();
    return true;
}

void TMatchSelDlg::accept()
{
    for (int n = 1; n <= 4; ++n)
        TakeMatchField(n);
    Messages& messages = state_.messages;
    MatchData& data = state_.matches;
    int number = 0;
    const int refusal = checkMatchNumber(matchSelBox_->currentText(), data.MatchCount(), state_.club.keyData().maxMatches, &number);
    messages.lastErrorState = refusal;
    if (refusal != 0) {
        refuseMatchNumber(refusal);
    } else {
        // The edited header goes into the list before the rounds question: Nee closes the dialog as
        // cancelled, with the header stored.
        data.CurrentMatch.header.MatchNr = int16_t(number);
        StoreHeader(data, number);
        const int rounds = data.CurrentMatch.header.MatchRounds;
        if (state_.schedule->TotalRounds > rounds && rounds > 0
            && !messages.ask(QStringLiteral("Aantal Schema ronden is groter dan het aantal rondes van de Match\rWilt u toch doorgaan")))
            messages.lastErrorState = 1;
    }
    if (messages.lastErrorState == 0)
        QDialog::accept();
    else
        QDialog::reject();
}

bool TMatchSelDlg::eventFilter(QObject* watched, QEvent* event)
{
    const bool numberBox = watched == matchSelBox_ || watched == matchSelBox_->lineEdit();
    if (numberBox && (isEnter(event) || event->type() == QEvent::MouseButtonDblClick)) {
        loadTypedMatch();
        rondenEdit_->setFocus();
        return true;
    }
    if (watched == rondenEdit_ && isEnter(event)) {
        state_.messages.lastErrorState = 0;
        TakeMatchField(2);
        if (state_.messages.lastErrorState == 0)
            datePicker_->setFocus();
        return true;
    }
    if (watched == datePicker_ && isEnter(event)) {
        TakeMatchField(3);
        okMatchBtn_->setFocus();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TMatchSelDlg::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    const int mode = state_.matches.CurrentMatch.header.InputMode;
    if (QAbstractButton* b = invoerButtons_->button(mode == InputSets ? 1 : 0))
        b->setChecked(true);
    matchSelBox_->setFocus();
}

} // namespace tandemx
