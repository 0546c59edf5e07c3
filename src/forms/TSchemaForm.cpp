#include "forms/TSchemaForm.h"

#include "engine/ScheduleStart.h"
#include "forms/HelpViewer.h"
#include "forms/ProgramWindows.h"
#include "forms/SchemaHost.h"
#include "forms/TBanenDlg.h"
#include "forms/TTandem12X.h"
#include "forms/WindowMemory.h"
#include "messages/MessageTable.h"
#include "records/Cp1252.h"
#include "state/ScheduleSetup.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QEventLoop>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QSettings>
#include <QSpinBox>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <vector>

namespace tandemx {

using namespace engine;
using namespace setup;

namespace {

constexpr int MaxGridOffset = 3;
// The program settings' key of "Tegenstanders spreiden".
const QString SpreadKey = QStringLiteral("schedule/spreadOpponents");

QString bytesText(std::string_view bytes)
{
    return fromCp1252(QByteArrayView(bytes.data(), qsizetype(bytes.size())));
}

std::string_view view(const QByteArray& bytes)
{
    return {bytes.constData(), size_t(bytes.size())};
}

void setBackground(QWidget* w, const QColor& color)
{
    w->setAutoFillBackground(true);
    QPalette p = w->palette();
    p.setColor(QPalette::Window, color);
    p.setColor(QPalette::Base, color);
    p.setColor(QPalette::WindowText, Qt::black);
    p.setColor(QPalette::Text, Qt::black);
    w->setPalette(p);
}

void keepSpaceWhenHidden(QWidget* w)
{
    QSizePolicy p = w->sizePolicy();
    p.setRetainSizeWhenHidden(true);
    w->setSizePolicy(p);
}

// Whether the calculation placed anyone: some round of the run has courts of some category.
bool hasStoredRound(const ScheduleState& schedule)
{
    for (int r = 1; r <= std::min(int(schedule.TotalRounds), MaxRounds); ++r)
        for (const CourtRange& range : schedule.ScheduleTable[size_t(r)].range)
            if (range.last > 0)
                return true;
    return false;
}

} // namespace

TSchemaForm::TSchemaForm(AppState& state, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      state_(state),
      schedule_(*state.schedule),
      host_(std::make_unique<SchemaHost>(state, *this)),
      playDate_(state.today)
{
    setObjectName(QStringLiteral("TSchemaForm"));
    setWindowTitle(QStringLiteral("Schema Opzet"));
    applyWindowFontSize();
    buildControls();
    resize(DefaultWidth, DefaultHeight);
    rememberPlace(*this, state_);
}

TSchemaForm::~TSchemaForm() = default;

void TSchemaForm::buildControls()
{
    const int charWidth = fontMetrics().horizontalAdvance(QLatin1Char('0'));

    // The six inputs with their labels, in two rows of three.
    struct Input {
        const char* name;
        const char* label;
        const char* labelName;
        const char* text;
        int chars;
    };
    const Input inputSpecs[6] = {
        {"HerenEdit", "Aantal heren", "NherenLabel", "24", 4},
        {"DamesEdit", "Aantal dames", "NDamesLabel", "24", 4},
        {"TandemEdit", "Aantal tandem", "TandemLabel", "4", 4},
        {"Mixedit", "Aantal mixtandem", "MixLabel", "2", 4},
        {"BanenEdit", "Aantal banen", "BanenLabel", "10", 4},
        {"Datumedit", "Speel-datum", "DatumLabel", "", 10},
    };
    auto* inputGrid = new QGridLayout;
    inputGrid->setHorizontalSpacing(8);
    inputGrid->setVerticalSpacing(6);
    for (int tag = Heren; tag <= Datum; ++tag) {
        const Input& in = inputSpecs[tag - 1];
        auto* edit = new QLineEdit(QString::fromLatin1(in.text), this);
        edit->setObjectName(QString::fromLatin1(in.name));
        edit->setProperty("tag", tag);
        edit->setFixedWidth(in.chars * charWidth + 16);
        if (tag != Datum)
            edit->setAlignment(Qt::AlignRight);
        edit->installEventFilter(this);
        inputs_[size_t(tag - 1)] = edit;
        auto* label = new QLabel(QString::fromLatin1(in.label), this);
        label->setObjectName(QString::fromLatin1(in.labelName));
        label->setBuddy(edit);
        // Two columns: men, ladies, courts; doubles rounds, mixed rounds, date.
        static constexpr int rows[6] = {0, 1, 0, 1, 2, 2};
        static constexpr int columns[6] = {0, 0, 1, 1, 0, 1};
        inputGrid->addWidget(label, rows[tag - 1], columns[tag - 1] * 3);
        inputGrid->addWidget(edit, rows[tag - 1], columns[tag - 1] * 3 + 1);
    }
    inputGrid->setColumnMinimumWidth(2, 20);
    inputs_[Datum - 1]->setToolTip(QStringLiteral("Speeldatum"));
    nherenLabel_ = findChild<QLabel*>(QStringLiteral("NherenLabel"));
    ndamesLabel_ = findChild<QLabel*>(QStringLiteral("NDamesLabel"));
    // A category name from a group code starts with a blank; the labels keep the width of the longest.
    nherenLabel_->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral(" Groep WWW ")));

    moreBtn_ = new QPushButton(QStringLiteral("&Meer"), this);
    moreBtn_->setObjectName(QStringLiteral("MoreBtn"));
    moreBtn_->setProperty("tag", More);
    moreBtn_->setToolTip(QStringLiteral("Voor het selecteren van de banen en starten"));
    connect(moreBtn_, &QPushButton::clicked, this, &TSchemaForm::MoreBtnClick);
    moreBtn_->setMinimumWidth(10 * charWidth + 16);
    inputGrid->setColumnStretch(6, 1);
    inputGrid->addWidget(moreBtn_, 2, 7);

    // The court grid with its options, Start and Stop.
    banenBox_ = new QGroupBox(QStringLiteral("Banen Indeling"), this);
    banenBox_->setObjectName(QStringLiteral("BanenBox"));

    gridLayout_ = new QGridLayout;
    gridLayout_->setHorizontalSpacing(12);
    gridLayout_->setVerticalSpacing(2);
    auto* schemaLab = new QLabel(QStringLiteral("Baanschema :"), banenBox_);
    schemaLab->setObjectName(QStringLiteral("BaanschemaLab"));
    herenLab_ = new QLabel(QStringLiteral("Heren"), banenBox_);
    herenLab_->setObjectName(QStringLiteral("HerenLab"));
    damesLab_ = new QLabel(QStringLiteral("Dames"), banenBox_);
    damesLab_->setObjectName(QStringLiteral("DamesLab"));
    gemengdLab_ = new QLabel(QStringLiteral("Gemengd"), banenBox_);
    gemengdLab_->setObjectName(QStringLiteral("GemengdLab"));
    gridLayout_->addWidget(schemaLab, 0, 0);
    gridLayout_->addWidget(herenLab_, 0, 1, Qt::AlignHCenter);
    gridLayout_->addWidget(damesLab_, 0, 2, Qt::AlignHCenter);
    gridLayout_->addWidget(gemengdLab_, 0, 3, Qt::AlignHCenter);
    for (int c = 1; c <= 3; ++c)
        gridLayout_->setColumnMinimumWidth(c, 5 * charWidth + 16);

    rondePlusBtn_ = new QPushButton(QStringLiteral("Ronde +"), banenBox_);
    rondePlusBtn_->setObjectName(QStringLiteral("Rondeplusbtn"));
    rondeMinBtn_ = new QPushButton(QStringLiteral("Ronde -"), banenBox_);
    rondeMinBtn_->setObjectName(QStringLiteral("RondeMinBtn"));
    connect(rondePlusBtn_, &QPushButton::clicked, this, [this] { scrollGrid(1); });
    connect(rondeMinBtn_, &QPushButton::clicked, this, [this] { scrollGrid(-1); });
    startBtn_ = new QPushButton(QStringLiteral("&Start"), banenBox_);
    startBtn_->setObjectName(QStringLiteral("StartSchemaBtn"));
    startBtn_->setToolTip(QStringLiteral("Start berekening"));
    connect(startBtn_, &QPushButton::clicked, this, &TSchemaForm::StartSchemaBtnClick);
    stopBtn_ = new QPushButton(QStringLiteral("S&top"), banenBox_);
    stopBtn_->setObjectName(QStringLiteral("StopSchemaBtn"));
    connect(stopBtn_, &QPushButton::clicked, this, &TSchemaForm::StopSchemaBtnClick);
    for (QPushButton* b : {rondePlusBtn_, rondeMinBtn_, startBtn_, stopBtn_}) {
        b->setMinimumWidth(10 * charWidth + 16);
        keepSpaceWhenHidden(b);
    }

    auto* side = new QVBoxLayout;
    side->setSpacing(6);
    side->addSpacing(fontMetrics().height() + 3);
    side->addWidget(rondePlusBtn_);
    side->addWidget(rondeMinBtn_);
    side->addStretch(1);
    side->addWidget(startBtn_);
    side->addWidget(stopBtn_);

    auto* gridRow = new QHBoxLayout;
    gridRow->addLayout(gridLayout_);
    gridRow->addStretch(1);
    gridRow->addLayout(side);

    auto* spelOpties = new QGroupBox(QStringLiteral("SpelOpties"), banenBox_);
    spelOpties->setObjectName(QStringLiteral("SpelOptiesBox"));
    auto makeBox = [this, spelOpties](const char* name, const char* caption, int tag) {
        auto* box = new QCheckBox(QString::fromLatin1(caption), spelOpties);
        box->setObjectName(QString::fromLatin1(name));
        box->setProperty("tag", tag);
        box->installEventFilter(this);
        return box;
    };
    dameFirstBox_ = makeBox("DameFirstBox", "Dames op de 1e banen", DameFirst);
    variPairsBox_ = makeBox("VariPairsBox", "Steeds ander begin paren", VariPairs);
    groep1to2Box_ = makeBox("Groep1to2Box", "Groep 1 tegen Groep 2", Groep1to2);
    spreidBox_ = makeBox("SpreidBox", "Tegenstanders spreiden", Spreiden);
    spreidBox_->setToolTip(QStringLiteral("Na de berekening de spelers per ronde zo over de banen verdelen dat "
                                          "zij zo min mogelijk dezelfde tegenstanders treffen"));
    spreidBox_->setChecked(QSettings().value(SpreadKey, false).toBool());
    schedule_.Settings.SpreadOpponents = spreidBox_->isChecked();
    connect(spreidBox_, &QCheckBox::toggled, this, &TSchemaForm::takeSpreadOption);
    auto* spelLayout = new QVBoxLayout(spelOpties);
    spelLayout->setSpacing(4);
    spelLayout->addWidget(dameFirstBox_);
    spelLayout->addWidget(variPairsBox_);
    spelLayout->addWidget(groep1to2Box_);
    spelLayout->addWidget(spreidBox_);

    auto* zitpauzes = new QGroupBox(QStringLiteral("ZitPauzes"), banenBox_);
    zitpauzes->setObjectName(QStringLiteral("ZitpauzesBox"));
    auto makeSpin = [this, zitpauzes](const char* name, int tag) {
        auto* spin = new QSpinBox(zitpauzes);
        spin->setObjectName(QString::fromLatin1(name));
        spin->setProperty("tag", tag);
        spin->setRange(0, 3);
        connect(spin, &QSpinBox::valueChanged, this, [this, tag](int value) { pauseChanged(tag, value); });
        return spin;
    };
    pauzeEdit1_ = makeSpin("PauzeEdit1", 1);
    pauzeEdit2_ = makeSpin("PauzeEdit2", 2);
    auto* zitLayout = new QGridLayout(zitpauzes);
    zitLayout->setVerticalSpacing(6);
    auto* pauze1Label = new QLabel(QStringLiteral("Pauzes voor 3 X spelen"), zitpauzes);
    pauze1Label->setBuddy(pauzeEdit1_);
    auto* pauze2Label = new QLabel(QStringLiteral("Pauzes voor 2 X spelen"), zitpauzes);
    pauze2Label->setBuddy(pauzeEdit2_);
    zitLayout->addWidget(pauzeEdit1_, 0, 0);
    zitLayout->addWidget(pauze1Label, 0, 1);
    zitLayout->addWidget(pauzeEdit2_, 1, 0);
    zitLayout->addWidget(pauze2Label, 1, 1);
    zitLayout->setColumnStretch(1, 1);
    zitLayout->setRowStretch(2, 1);

    auto* optionsRow = new QHBoxLayout;
    optionsRow->setSpacing(12);
    optionsRow->addWidget(spelOpties, 1);
    optionsRow->addWidget(zitpauzes, 1);

    // The working and progress texts: up to three lines, on lime.
    memo_ = new QPlainTextEdit(banenBox_);
    memo_->setObjectName(QStringLiteral("RekenTxtMemo"));
    memo_->setReadOnly(true);
    memo_->setFocusPolicy(Qt::NoFocus);
    memo_->setFrameShape(QFrame::Box);
    memo_->setLineWrapMode(QPlainTextEdit::NoWrap);
    memo_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    memo_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    memo_->document()->setDocumentMargin(2);
    setBackground(memo_, QColor(0, 255, 0));
    auto* memoSpace = new QWidget(banenBox_);
    auto* memoLayout = new QVBoxLayout(memoSpace);
    memoLayout->setContentsMargins(0, 0, 0, 0);
    memoLayout->addWidget(memo_, 0, Qt::AlignTop);
    memoSpace->setFixedHeight(3 * fontMetrics().lineSpacing() + 8);

    auto* boxLayout = new QVBoxLayout(banenBox_);
    boxLayout->setSpacing(6);
    boxLayout->setContentsMargins(10, 6, 10, 6);
    boxLayout->addLayout(gridRow);
    boxLayout->addLayout(optionsRow);
    boxLayout->addWidget(memoSpace);

    // Warning line, progress, OK and help.
    foutregelLabel_ = new QLabel(QStringLiteral("Te weinig banen"), this);
    foutregelLabel_->setObjectName(QStringLiteral("FoutregelLabel"));
    foutregelLabel_->setContentsMargins(6, 2, 6, 2);
    setBackground(foutregelLabel_, QColor(0, 255, 255));
    keepSpaceWhenHidden(foutregelLabel_);

    progressLabel_ = new QLabel(QStringLiteral("Voortgang"), this);
    progressLabel_->setObjectName(QStringLiteral("ProgressLabel"));
    rekenProgress_ = new QProgressBar(this);
    rekenProgress_->setObjectName(QStringLiteral("RekenProgress"));
    rekenProgress_->setToolTip(QStringLiteral("Toont de voortgang van het rekenproces"));
    rekenProgress_->setTextVisible(false);
    keepSpaceWhenHidden(progressLabel_);
    keepSpaceWhenHidden(rekenProgress_);

    sluitBtn_ = new QPushButton(QStringLiteral("&OK"), this);
    sluitBtn_->setObjectName(QStringLiteral("SluitBtn"));
    connect(sluitBtn_, &QPushButton::clicked, this, &TSchemaForm::SluitBtnClick);
    helpBtn_ = new QPushButton(QStringLiteral("&Help"), this);
    helpBtn_->setObjectName(QStringLiteral("HelpSchbtn"));
    connect(helpBtn_, &QPushButton::clicked, this, [this] { showHelp(helpContext_, this); });

    auto* warningRow = new QHBoxLayout;
    warningRow->addWidget(foutregelLabel_);
    warningRow->addStretch(1);

    auto* bottom = new QHBoxLayout;
    bottom->setSpacing(8);
    bottom->addWidget(progressLabel_);
    bottom->addWidget(rekenProgress_, 1);
    bottom->addSpacing(16);
    bottom->addWidget(sluitBtn_);
    bottom->addWidget(helpBtn_);

    auto* top = new QVBoxLayout(this);
    top->setContentsMargins(18, 12, 18, 10);
    top->setSpacing(6);
    top->addLayout(inputGrid);
    top->addWidget(banenBox_);
    top->addStretch(1);
    top->addLayout(warningRow);
    top->addLayout(bottom);

    delayTimer_ = new QTimer(this);
    delayTimer_->setObjectName(QStringLiteral("DelayTimer"));
    delayTimer_->setSingleShot(true);

    // Tab order: the inputs, "&Meer", then the grid (added when it is built), options, Start, Stop, OK.
    QWidget* previous = nullptr;
    for (QWidget* w : std::initializer_list<QWidget*>{inputs_[0], inputs_[1], inputs_[2], inputs_[3], inputs_[4],
                                                      inputs_[5], moreBtn_, dameFirstBox_, variPairsBox_,
                                                      groep1to2Box_, spreidBox_, pauzeEdit1_, pauzeEdit2_, startBtn_,
                                                      stopBtn_, rondePlusBtn_, rondeMinBtn_, sluitBtn_, helpBtn_}) {
        if (previous)
            setTabOrder(previous, w);
        previous = w;
    }
    for (QPushButton* b : findChildren<QPushButton*>())
        b->setDefault(false);
}

void TSchemaForm::buildGrid()
{
    const int charWidth = fontMetrics().horizontalAdvance(QLatin1Char('0'));
    for (int k = 1; k <= GridRows; ++k) {
        if (!rowLabels_[size_t(k - 1)]) {
            auto* label = new QLabel(QStringLiteral("Ronde %1").arg(k), banenBox_);
            label->setObjectName(QStringLiteral("RondeLabel%1").arg(k));
            rowLabels_[size_t(k - 1)] = label;
            gridLayout_->addWidget(label, k, 0);
        }
        for (int i = 0; i < 3; ++i) {
            if (grid_[size_t(i)][size_t(k - 1)])
                continue;
            const int tag = FirstGrid + GridRows * i + k - 1;
            auto* edit = new QLineEdit(QStringLiteral("0"), banenBox_);
            edit->setObjectName(QStringLiteral("BaanGridEdit%1").arg(tag));
            edit->setProperty("tag", tag);
            edit->setFixedWidth(3 * charWidth + 16);
            edit->setAlignment(Qt::AlignRight);
            edit->installEventFilter(this);
            grid_[size_t(i)][size_t(k - 1)] = edit;
            gridLayout_->addWidget(edit, k, i + 1, Qt::AlignHCenter);
        }
    }
    // Tab order of the grid: down each column, then the options.
    QWidget* previous = moreBtn_;
    for (int i = 0; i < 3; ++i)
        for (int k = 0; k < GridRows; ++k) {
            setTabOrder(previous, grid_[size_t(i)][size_t(k)]);
            previous = grid_[size_t(i)][size_t(k)];
        }
    setTabOrder(previous, dameFirstBox_);
}

QLineEdit* TSchemaForm::gridEdit(int tag) const
{
    if (tag < FirstGrid || tag > LastGrid)
        return nullptr;
    return grid_[size_t((tag - FirstGrid) / GridRows)][size_t((tag - FirstGrid) % GridRows)];
}

QLineEdit* TSchemaForm::inputEdit(int tag) const
{
    if (tag >= Heren && tag <= Datum)
        return inputs_[size_t(tag - 1)];
    return gridEdit(tag);
}

int TSchemaForm::tagOf(QObject* object) const
{
    return object ? object->property("tag").toInt() : 0;
}

// ---------------------------------------------------------------------------------------------
// Opening

void TSchemaForm::setCategoryNames()
{
    const KeyData& keyData = state_.club.keyData();
    SetGroupCodes(schedule_, view(keyData.group1Code), view(keyData.group2Code));
    const bool men = sameCode(view(keyData.group1Code), "H");
    const bool ladies = sameCode(view(keyData.group2Code), "D");
    nherenLabel_->setText(men ? QStringLiteral("Aantal heren") : bytesText(schedule_.CategoryName[0].view()));
    ndamesLabel_->setText(ladies ? QStringLiteral("Aantal dames") : bytesText(schedule_.CategoryName[1].view()));
    herenLab_->setText(men ? QStringLiteral("Heren") : QString(QStringLiteral("Groep ") + fromCp1252(keyData.group1Code)).left(9));
    damesLab_->setText(ladies ? QStringLiteral("Dames") : QString(QStringLiteral("Groep ") + fromCp1252(keyData.group2Code)).left(9));
}

void TSchemaForm::applyWindowFontSize()
{
    // The program's window font size; the family stays the desktop's.
    if (state_.club.windowFontSize > 0 && font().pointSize() != state_.club.windowFontSize) {
        QFont f = font();
        f.setPointSize(state_.club.windowFontSize);
        setFont(f);
    }
}

bool TSchemaForm::prepare(engine::ScheduleMode mode)
{
    state_.messages.lastErrorState = 0;
    applyWindowFontSize();
    banenBox_->hide();
    memo_->hide();
    foutregelLabel_->hide();
    rekenProgress_->hide();
    progressLabel_->hide();
    stopBtn_->setEnabled(false);
    stopBtn_->show();
    rondePlusBtn_->hide();
    rondeMinBtn_->hide();
    running_ = stopPending_ = closeAfterRun_ = closeBoxDuringRun_ = false;
    setInputsEnabled(true);

    setCategoryNames();

    const KeyData& keyData = state_.club.keyData();
    for (int c = 0; c <= MaxCourts; ++c)
        schedule_.CourtCodes[size_t(c)] = c;
    if (keyData.options & 4) {
        if (!banenDlg_)
            banenDlg_ = std::make_unique<TBanenDlg>(state_, this);
        // The dialog names the courts the window holds now, before the defaults below.
        OpenCourtCoding(state_, *banenDlg_, schedule_.Settings.NumCourts);
    }

    ScheduleSettings& in = schedule_.Settings;
    if (mode != engine::ScheduleMode::Numbered) {
        applyModeDefaults(in, schedule_.CourtsPerRound, keyData);
        playDate_ = state_.today;
    }
    for (auto& list : schedule_.PlayerTable)
        list.fill(TNaamObj{});

    if (mode == engine::ScheduleMode::Names) {
        if (!state_.club.members) {
            state_.messages.showRoundMessage(0, 11, 0); // "Geen Schema mogelijk zonder Bestand"
            return false;
        }
        takePlayers(schedule_, *host_, *state_.club.members, keyData);
    }

    writeInputs();

    schedule_.ScheduleBusy = true;
    rowsBuilt_ = false;
    okClicked_ = false;
    computed_ = false;
    schedule_.CourtsPerRound = CourtsPerRoundTable{};
    in.ScheduleMode = mode;
    helpContext_ = 240 + int(mode);
    gridOffset_ = 0;
    resize(DefaultWidth, DefaultHeight);
    return true;
}

void TSchemaForm::writeInputs()
{
    const ScheduleSettings& in = schedule_.Settings;
    const int values[5] = {in.NumMen, in.NumLadies, in.NumDoublesRounds, in.NumMixedRounds, in.NumCourts};
    for (int tag = Heren; tag <= Banen; ++tag)
        inputs_[size_t(tag - 1)]->setText(QString::number(values[tag - 1]));
    inputs_[Datum - 1]->setText(playDateText(playDate_));
}

void TSchemaForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    focusOn(inputs_[0]);
}

void TSchemaForm::focusOn(QWidget* widget)
{
    if (!widget)
        return;
    widget->setFocus(Qt::TabFocusReason);
    if (auto* edit = qobject_cast<QLineEdit*>(widget))
        edit->selectAll();
}

// ---------------------------------------------------------------------------------------------
// Fields

int TSchemaForm::storedValue(int tag) const
{
    const ScheduleSettings& in = schedule_.Settings;
    switch (tag) {
    case Heren: return in.NumMen;
    case Dames: return in.NumLadies;
    case Tandem: return in.NumDoublesRounds;
    case Mix: return in.NumMixedRounds;
    case Banen: return in.NumCourts;
    default: break;
    }
    if (tag >= FirstGrid && tag <= LastGrid)
        return gridValues_[size_t((tag - FirstGrid) / GridRows)][size_t((tag - FirstGrid) % GridRows)];
    return 0;
}

void TSchemaForm::storeValue(int tag, int value)
{
    ScheduleSettings& in = schedule_.Settings;
    switch (tag) {
    case Heren: in.NumMen = value; return;
    case Dames: in.NumLadies = value; return;
    case Tandem: in.NumDoublesRounds = value; return;
    case Mix: in.NumMixedRounds = value; return;
    case Banen: in.NumCourts = value; return;
    default: break;
    }
    if (tag >= FirstGrid && tag <= LastGrid)
        gridValues_[size_t((tag - FirstGrid) / GridRows)][size_t((tag - FirstGrid) % GridRows)] = value;
}

bool TSchemaForm::takeDate(bool report)
{
    QLineEdit* edit = inputs_[Datum - 1];
    const std::optional<QDate> date = parsePlayDate(edit->text(), state_.today);
    if (!date) {
        if (report) {
            focusOn(edit);
            state_.messages.showMessageNo(edit->text(), 0, 4, 8); // " is geen geldige datum"
            state_.messages.lastErrorState = 0;
        } else {
            state_.messages.beep();
        }
        return false;
    }
    playDate_ = *date;
    edit->setText(playDateText(*date));
    return true;
}

bool TSchemaForm::ValidateField(int tag)
{
    ScheduleSettings& in = schedule_.Settings;
    if (tag == Datum)
        return takeDate(true);
    if (tag == Spreiden) {
        takeSpreadOption();
        return true;
    }
    if (tag == DameFirst || tag == VariPairs || tag == Groep1to2) {
        const uint16_t bit = tag == DameFirst ? PlayOption::LadiesFirst
                           : tag == VariPairs ? PlayOption::VariedPairs
                                              : PlayOption::GroupVsGroup;
        QCheckBox* box = tag == DameFirst ? dameFirstBox_ : tag == VariPairs ? variPairsBox_ : groep1to2Box_;
        in.PlayOptions = box->isChecked() ? uint16_t(in.PlayOptions | bit) : uint16_t(in.PlayOptions & ~bit);
        return true;
    }
    QLineEdit* edit = inputEdit(tag);
    if (!edit)
        return true;
    const CountCheck check = checkCount(tag, edit->text(), in, countLimits(state_.club.keyData(), state_.club.memberCount()));
    if (check.notNumber) {
        state_.messages.beep();
        edit->setText(QString::number(storedValue(tag)));
        return false;
    }
    if (check.error == 0) {
        storeValue(tag, check.value);
        return true;
    }
    state_.messages.lastErrorState = check.error;
    state_.messages.showBericht(check.message, Error, Btn::OK, 0);
    state_.messages.beep();
    state_.messages.lastErrorState = 0;
    // The field shows the value in force again: nothing later takes the refused text.
    edit->setText(QString::number(storedValue(tag)));
    return false;
}

// ---------------------------------------------------------------------------------------------
// Keys

bool TSchemaForm::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    const int tag = tagOf(watched);
    if (tag == 0)
        return QDialog::eventFilter(watched, event);
    switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        fieldEnter(tag);
        return true;
    case Qt::Key_Escape:
        schedule_.StopRequest = 27;
        if (running_)
            stopPending_ = true;
        else
            reject();
        return true;
    case Qt::Key_Down:
    case Qt::Key_Up:
        if (tag == Heren) {
            if (QLineEdit* first = gridEdit(FirstGrid); first && first->isVisible() && first->isEnabled())
                focusOn(first);
            return true;
        }
        if (gridEdit(tag)) {
            moveInGrid(tag, key->key() == Qt::Key_Down ? 1 : -1);
            return true;
        }
        break;
    case Qt::Key_PageDown:
    case Qt::Key_PageUp:
        if (gridEdit(tag)) {
            if (schedule_.TotalRounds > GridRows)
                scrollGrid(key->key() == Qt::Key_PageDown ? 1 : -1);
            return true;
        }
        break;
    default: break;
    }
    return QDialog::eventFilter(watched, event);
}

void TSchemaForm::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && running_) {
        // Escape stops the calculation; the form stays open with what was computed.
        schedule_.StopRequest = 27;
        stopPending_ = true;
        return;
    }
    QDialog::keyPressEvent(event);
}

void TSchemaForm::fieldEnter(int tag)
{
    state_.messages.lastErrorState = 0;
    if (!ValidateField(tag)) {
        if (QLineEdit* edit = inputEdit(tag))
            focusOn(edit);
        return;
    }
    if (tag >= Heren && tag < Datum)
        focusOn(inputs_[size_t(tag)]);
    else if (tag == Datum)
        focusOn(moreBtn_);
    else if (tag == DameFirst)
        focusOn(variPairsBox_);
    else if (tag == VariPairs || tag == Groep1to2)
        focusOn(groep1to2Box_);
    else if (tag == Spreiden)
        focusOn(spreidBox_);
    else if (tag >= FirstGrid) {
        QLineEdit* next = tag < LastGrid ? gridEdit(tag + 1) : nullptr;
        if (next && next->isVisible() && next->isEnabled())
            focusOn(next);
        else
            focusOn(startBtn_);
    }
}

bool TSchemaForm::takeFields(int firstTag, int lastTag)
{
    for (int tag = firstTag; tag <= lastTag; ++tag) {
        QLineEdit* edit = inputEdit(tag);
        if (!edit) { // the check boxes: always taken
            ValidateField(tag);
            continue;
        }
        // A column that is not shown keeps its values and is not checked.
        if (tag >= FirstGrid && edit->isHidden())
            continue;
        if (!ValidateField(tag)) {
            focusOn(edit);
            return false;
        }
    }
    return true;
}

void TSchemaForm::moveInGrid(int tag, int step)
{
    QLineEdit* target = gridEdit(tag + step);
    if (target && target->isVisible() && target->isEnabled())
        focusOn(target);
}

// ---------------------------------------------------------------------------------------------
// "&Meer", the court grid and the pause spins

void TSchemaForm::MoreBtnClick()
{
    if (running_)
        return;
    ScheduleSettings& in = schedule_.Settings;
    // The six fields are taken over first; the first one refused keeps "&Meer" from going on.
    if (!takeFields(Heren, Datum))
        return;

    if (!rowsBuilt_) {
        buildGrid();
        const bool used[3] = {in.NumMen > 0, in.NumLadies > 0,
                              in.NumMixedRounds > 0 && in.NumMen > 0 && in.NumLadies > 0};
        QLabel* headings[3] = {herenLab_, damesLab_, gemengdLab_};
        for (int i = 0; i < 3; ++i) {
            headings[i]->setVisible(used[i]);
            for (QLineEdit* edit : grid_[size_t(i)]) {
                edit->setVisible(used[i]);
                edit->setEnabled(used[i]);
            }
        }
        dameFirstBox_->setChecked(in.PlayOptions & PlayOption::LadiesFirst);
        groep1to2Box_->setChecked(in.PlayOptions & PlayOption::GroupVsGroup);
        banenBox_->show();
        rowsBuilt_ = true;
    }

    DefaultCourts(schedule_, *host_);
    inputs_[Mix - 1]->setText(QString::number(in.NumMixedRounds));
    fillGrid();
    if (in.NumMen == 0 || in.NumLadies == 0)
        in.PlayOptions &= uint16_t(~PlayOption::LadiesFirst);
    const int pauses = in.PauseOptions;
    pauzeEdit1_->setValue(pauses & 3);
    pauzeEdit2_->setValue((pauses >> 2) & 3);
    const bool scrolls = schedule_.TotalRounds > GridRows;
    rondePlusBtn_->setVisible(scrolls);
    rondeMinBtn_->setVisible(scrolls);
    focusOn(gridEdit(in.NumMen > 0 ? FirstGrid : FirstGrid + GridRows));
}

void TSchemaForm::fillGrid()
{
    if (!grid_[0][0])
        return;
    const int doubles = schedule_.Settings.NumDoublesRounds;
    const auto& courts = schedule_.CourtsPerRound;
    for (int k = 1; k <= GridRows; ++k) {
        const int t = gridOffset_ + k;
        rowLabels_[size_t(k - 1)]->setText(QStringLiteral("ronde ") + QString::number(t));
        const int values[3] = {courts.men[size_t(t)], courts.ladies[size_t(t)],
                               t > doubles && t - doubles <= MaxRounds ? courts.mixed[size_t(t - doubles)] : 0};
        for (int i = 0; i < 3; ++i) {
            gridValues_[size_t(i)][size_t(k - 1)] = values[i];
            grid_[size_t(i)][size_t(k - 1)]->setText(QString::number(values[i]));
        }
    }
}

void TSchemaForm::storeGrid()
{
    if (!grid_[0][0])
        return;
    const int doubles = schedule_.Settings.NumDoublesRounds;
    auto& courts = schedule_.CourtsPerRound;
    for (int k = 1; k <= GridRows; ++k) {
        const int t = gridOffset_ + k;
        courts.men[size_t(t)] = uint8_t(gridValues_[0][size_t(k - 1)]);
        courts.ladies[size_t(t)] = uint8_t(gridValues_[1][size_t(k - 1)]);
        if (t > doubles && t - doubles <= MaxRounds)
            courts.mixed[size_t(t - doubles)] = uint8_t(gridValues_[2][size_t(k - 1)]);
    }
}

void TSchemaForm::scrollGrid(int step)
{
    if (running_ || !grid_[0][0])
        return;
    // What was typed in the visible rounds is taken over before they scroll away.
    for (int tag = FirstGrid; tag <= LastGrid; ++tag) {
        QLineEdit* edit = gridEdit(tag);
        if (edit->isEnabled() && edit->text().trimmed() != QString::number(storedValue(tag)) && !ValidateField(tag)) {
            focusOn(edit);
            return;
        }
    }
    storeGrid();
    gridOffset_ = std::clamp(gridOffset_ + step, 0, MaxGridOffset);
    fillGrid();
}

void TSchemaForm::takeSpreadOption()
{
    const bool on = spreidBox_->isChecked();
    schedule_.Settings.SpreadOpponents = on;
    if (QSettings().value(SpreadKey, false).toBool() != on)
        QSettings().setValue(SpreadKey, on);
}

void TSchemaForm::pauseChanged(int spin, int value)
{
    uint16_t& pauses = schedule_.Settings.PauseOptions;
    const int shift = spin == 1 ? 0 : 2;
    pauses = uint16_t((pauses & ~(3 << shift)) | ((value & 3) << shift));
}

// ---------------------------------------------------------------------------------------------
// Start, Stop, OK and closing

void TSchemaForm::setInputsEnabled(bool on)
{
    for (QWidget* w : std::initializer_list<QWidget*>{moreBtn_, dameFirstBox_, variPairsBox_, groep1to2Box_,
                                                      spreidBox_, pauzeEdit1_, pauzeEdit2_, startBtn_,
                                                      rondePlusBtn_, rondeMinBtn_, sluitBtn_, helpBtn_})
        w->setEnabled(on);
    for (QLineEdit* edit : inputs_)
        edit->setEnabled(on);
    for (int i = 0; i < 3; ++i)
        for (QLineEdit* edit : grid_[size_t(i)])
            if (edit)
                edit->setEnabled(on && !edit->isHidden());
}

void TSchemaForm::StartSchemaBtnClick()
{
    if (running_)
        return;
    state_.messages.lastErrorState = 0;
    // Every field is taken over; the first one refused stops the start (one message).
    if (!takeFields(Heren, LastGrid))
        return;
    takeSpreadOption();
    running_ = true;
    stopPending_ = false;
    closeAfterRun_ = closeBoxDuringRun_ = false;
    // From here the tables no longer hold the result of an earlier Start.
    computed_ = false;
    setInputsEnabled(false);
    bool focusTandem = false;

    ScheduleSettings& in = schedule_.Settings;
    storeGrid();

    bool go = PrepareStart(schedule_, *host_);
    if (go) {
        // The court check may have lowered courts: the grid shows what will be used.
        fillGrid();
        pauzeEdit1_->setValue(in.PauseOptions & 3);
        pauzeEdit2_->setValue((in.PauseOptions >> 2) & 3);
        const int matchRoundCount = matchRounds ? matchRounds() : 0;
        if (matchRoundCount >= 1 && matchRoundCount <= schedule_.TotalRounds - 1) {
            state_.messages.showBericht(QStringLiteral("Aantal schema ronden: ") + QString::number(schedule_.TotalRounds)
                                            + QStringLiteral(" is groter dan het aantal rondes: ")
                                            + QString::number(matchRoundCount) + QStringLiteral(" van de Match"),
                                        Warning, Btn::OK, 0);
            focusTandem = true;
            state_.messages.lastErrorState = 1;
        }
        go = ConfirmStart(schedule_, *host_);
    }
    if (go) {
        stopBtn_->setFocus();
        RunCalculation(schedule_, *host_);
        computed_ = hasStoredRound(schedule_);
    }

    running_ = false;
    setInputsEnabled(true);
    if (go)
        focusOn(sluitBtn_);
    else if (focusTandem)
        focusOn(inputs_[Tandem - 1]);
    if (closeAfterRun_) {
        // Stop closes the form as aborted; the close box closes it as any other close would.
        closeAfterRun_ = false;
        done(closeBoxDuringRun_ ? Closed : Aborted);
        closeBoxDuringRun_ = false;
    }
}

void TSchemaForm::StopSchemaBtnClick()
{
    hideMemo();
    rekenProgress_->setValue(0);
    schedule_.StopRequest = 27;
    if (running_) {
        stopPending_ = true;
        closeAfterRun_ = true;
        return;
    }
    done(Aborted);
}

void TSchemaForm::SluitBtnClick()
{
    if (running_)
        return;
    // Nothing to accept: the overviews and matches would show an empty schedule.
    if (!computed_) {
        state_.messages.showRoundMessage(0, 10, 0); // "U heeft nog geen schema gemaakt\rdoe dit eerst..."
        focusOn(startBtn_->isVisible() ? startBtn_ : moreBtn_); // Start shows after "&Meer"
        return;
    }
    okClicked_ = true;
    done(Accepted);
}

void TSchemaForm::done(int result)
{
    if (running_) {
        // Nothing closes the form under a running calculation: a close asks it to stop, and the
        // form closes once it has returned.
        StopSchemaBtnClick();
        return;
    }
    if (result != Accepted && !okClicked_
        && state_.messages.ask(QStringLiteral("Wilt u niet verder rekenen kies dan \"Nee\"")))
        return;
    QDialog::done(result);
}

void TSchemaForm::closeEvent(QCloseEvent* event)
{
    if (running_) {
        event->ignore();
        StopSchemaBtnClick();
        closeBoxDuringRun_ = true;
        return;
    }
    QDialog::closeEvent(event);
}

// ---------------------------------------------------------------------------------------------
// What the calculation shows

void TSchemaForm::showWarningLine(const QString& text)
{
    foutregelLabel_->setText(text);
    foutregelLabel_->show();
}

void TSchemaForm::hideWarningLine()
{
    foutregelLabel_->hide();
}

void TSchemaForm::waitForDelayTimer(int milliseconds)
{
    QEventLoop loop;
    connect(delayTimer_, &QTimer::timeout, &loop, &QEventLoop::quit);
    delayTimer_->start(milliseconds);
    loop.exec();
    delayTimer_->stop();
}

void TSchemaForm::setMemoLine(int line, const QString& text, int height)
{
    while (memoLines_.size() <= line)
        memoLines_.append(QString());
    memoLines_[line] = text;
    memo_->setPlainText(memoLines_.join(QLatin1Char('\n')));
    // 25, 45 and 65 pixels hold one, two and three lines.
    const int lines = std::clamp((height - 5) / 20, 1, 3);
    memo_->setFixedHeight(lines * fontMetrics().lineSpacing() + 2 * memo_->frameWidth()
                          + 2 * int(memo_->document()->documentMargin()) + 2);
    memo_->show();
}

void TSchemaForm::clearMemo()
{
    memoLines_.clear();
    memo_->clear();
}

void TSchemaForm::hideMemo()
{
    memo_->hide();
}

void TSchemaForm::setStopShown(bool shown)
{
    stopBtn_->setVisible(shown);
    stopBtn_->setEnabled(shown);
    if (!shown && stopBtn_->hasFocus())
        sluitBtn_->setFocus();
}

// ---------------------------------------------------------------------------------------------

TSchemaForm& scheduleForm(AppState& state, TTandem12X& window)
{
    (void)state;
    return window.windows().scheduleForm();
}

void OpenScheduleSetup(AppState& state, TTandem12X& window, engine::ScheduleMode mode)
{
    TSchemaForm& form = scheduleForm(state, window);
    if (!form.prepare(mode))
        return;
    state.modalHooks.aboutToShow(form);
    const int result = form.exec();
    if (result == TSchemaForm::Accepted) {
        form.hideMemo();
        state.schedule->ScheduleBusy = false;
        state.playDate = form.playDate();
        window.windows().scheduleAccepted();
        window.setOverviewGroup(true);
        if (state.club.keyData().keepGames != 0)
            window.setMatchGroup(true);
        window.activateWindow();
    } else if (result == TSchemaForm::Aborted) {
        form.hideMemo();
        state.schedule->ScheduleBusy = false;
    } else {
        state.messages.showInfo(QStringLiteral("Berekening gestopt"));
        window.activateWindow();
    }
}

} // namespace tandemx
