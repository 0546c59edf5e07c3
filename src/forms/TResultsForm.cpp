#include "forms/TResultsForm.h"

#include "forms/HelpViewer.h"
#include "forms/WindowMemory.h"
#include "overviews/Overview.h"
#include "overviews/OverviewTexts.h"
#include "records/Cp1252.h"

#include <QAction>
#include <QApplication>
#include <QGuiApplication>
#include <QHeaderView>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTableWidget>
#include <QToolTip>
#include <QTreeWidget>

#include <algorithm>

namespace tandemx {

using overviews::ColumnAlign;

namespace {

const char* const kTag = "tag";

// The list view: a report-style tree that tells about a left button press after it selected the row
// under the mouse.
class ResultListView : public QTreeWidget {
public:
    using QTreeWidget::QTreeWidget;
    std::function<void(const QPoint&)> leftPressed;

protected:
    void mousePressEvent(QMouseEvent* event) override
    {
        QTreeWidget::mousePressEvent(event);
        if (event->button() == Qt::LeftButton && leftPressed)
            leftPressed(event->position().toPoint());
    }
};

QString text(const std::string& bytes) { return fromCp1252(QByteArrayView(bytes.data(), qsizetype(bytes.size()))); }

std::string bytes(const QString& text)
{
    const QByteArray b = toCp1252(text);
    return std::string(b.constData(), size_t(b.size()));
}

Qt::Alignment alignment(ColumnAlign align)
{
    return (align == ColumnAlign::Center ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignVCenter;
}

constexpr int PanelHeight = 41;
constexpr int ButtonWidth = 75;
constexpr int ButtonHeight = 25;

} // namespace

TResultsForm::TResultsForm(AppState& state, QWidget* parent) : QWidget(parent, Qt::Window), state_(state)
{
    setObjectName(QStringLiteral("TResultsForm"));
    setWindowTitle(QStringLiteral("Schema Resultaten"));
    QFont windowFont(QStringLiteral("MS Sans Serif"), 10);
    windowFont.setStyleHint(QFont::SansSerif);
    setFont(windowFont);

    resulthead_ = new QLabel(this);
    resulthead_->setObjectName(QStringLiteral("Resulthead"));
    resulthead_->setAlignment(Qt::AlignCenter);
    QFont bold = resulthead_->font();
    bold.setBold(true);
    resulthead_->setFont(bold);

    groepKopLab1_ = new QLabel(this);
    groepKopLab1_->setObjectName(QStringLiteral("GroepKopLab1"));
    groepKopLab1_->hide();

    baanleeglab_ = new QLabel(this);
    baanleeglab_->setObjectName(QStringLiteral("Baanleeglab"));
    baanleeglab_->hide();

    auto* list = new ResultListView(this);
    listView_ = list;
    listView_->setObjectName(QStringLiteral("ListView"));
    listView_->setRootIsDecorated(false);
    listView_->setItemsExpandable(false);
    listView_->setUniformRowHeights(true);
    listView_->setSelectionMode(QAbstractItemView::SingleSelection);
    listView_->setSelectionBehavior(QAbstractItemView::SelectRows);
    listView_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    listView_->setAllColumnsShowFocus(true);
    listView_->setSortingEnabled(false);
    listView_->header()->setSectionsClickable(false);
    listView_->header()->setSectionsMovable(false);
    listView_->header()->setStretchLastSection(false);
    listView_->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    listView_->setTextElideMode(Qt::ElideNone); // the dash rows end where their column does
    listView_->viewport()->setMouseTracking(true);
    listView_->viewport()->installEventFilter(this);
    list->leftPressed = [this](const QPoint& pos) { ListViewMouseDown(pos); };
    // The right button (and the menu key) opens the same popup menu, after the press chose the row.
    listView_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(listView_, &QWidget::customContextMenuRequested, this, &TResultsForm::ListViewMouseDown);

    grid_ = new QTableWidget(this);
    grid_->setObjectName(QStringLiteral("BewerkGrid"));
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setSelectionMode(QAbstractItemView::ContiguousSelection);
    grid_->setSelectionBehavior(QAbstractItemView::SelectItems);
    grid_->setTabKeyNavigation(true);
    grid_->verticalHeader()->hide();
    grid_->verticalHeader()->setDefaultSectionSize(20);
    grid_->horizontalHeader()->setSectionsClickable(false);
    grid_->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    grid_->horizontalHeader()->setStretchLastSection(false);
    grid_->installEventFilter(this);
    grid_->hide();
    connect(grid_, &QTableWidget::cellClicked, this, &TResultsForm::BewerkGridClick);

    resultPanel_ = new QWidget(this);
    resultPanel_->setObjectName(QStringLiteral("ResultPanel"));
    bewerkTextLab_ = new QLabel(QStringLiteral(" Baanverandering actief; stop met Enter"), resultPanel_);
    bewerkTextLab_->setObjectName(QStringLiteral("BewerkTextLab"));
    bewerkTextLab_->setAutoFillBackground(true);
    QPalette yellow = bewerkTextLab_->palette();
    yellow.setColor(QPalette::Window, Qt::yellow);
    yellow.setColor(QPalette::WindowText, Qt::black);
    bewerkTextLab_->setPalette(yellow);
    bewerkTextLab_->hide();

    auto button = [this](const char* name, const QString& caption) {
        auto* b = new QPushButton(caption, resultPanel_);
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoDefault(false);
        b->resize(ButtonWidth, ButtonHeight);
        return b;
    };
    stopBtn_ = button("StopBtn", QStringLiteral("&Sluit"));
    redBtn_ = button("RedBtn", QStringLiteral("&Export"));
    redBtn_->setToolTip(QStringLiteral("Exporteren van data als 'commaseparated data'"));
    redBtn_->setStatusTip(redBtn_->toolTip());
    printBtn_ = button("PrintBtn", QStringLiteral("&Print"));
    helpResBtn_ = button("HelpResBtn", QStringLiteral("&Help"));
    helpResBtn_->setProperty("helpContext", HelpContext);
    connect(stopBtn_, &QPushButton::clicked, this, &TResultsForm::StopBtnClick);
    connect(helpResBtn_, &QPushButton::clicked, this, &TResultsForm::HelpResBtnClick);
    connect(printBtn_, &QPushButton::clicked, this, &TResultsForm::printRequested);
    connect(redBtn_, &QPushButton::clicked, this, &TResultsForm::exportRequested);

    popup_ = new QMenu(this);
    popup_->setObjectName(QStringLiteral("PopupResultMenu"));
    const char* names[] = {"Paarschema2", "Baanschema2", "Aantalmaalgespeeld2", "Kruistabel2", "BewerkenSchema2"};
    const char* captions[] = {"&Paarschema", "&Baanschema", "&Aantalmaalgespeeld", "&Kruistabel",
                              "&Wijzigen bewerkenschema"};
    for (int tag = overviews::PairSchedule; tag <= overviews::ChangeGrid; ++tag) {
        QAction* a = popup_->addAction(QString::fromLatin1(captions[tag - 1]));
        a->setObjectName(QString::fromLatin1(names[tag - 1]));
        a->setProperty(kTag, tag);
        connect(a, &QAction::triggered, this, [this, tag] { Paarschema2Click(overviews::OverviewKind(tag)); });
    }
    popup_->addSeparator();
    voeginRegel_ = popup_->addAction(QStringLiteral("Voegin regel"));
    voeginRegel_->setObjectName(QStringLiteral("Voeginregel1"));
    verwijderRij_ = popup_->addAction(QStringLiteral("Verwijder regel"));
    verwijderRij_->setObjectName(QStringLiteral("VerwijderRij"));
    connect(voeginRegel_, &QAction::triggered, this, &TResultsForm::VoeginRijClick);
    connect(verwijderRij_, &QAction::triggered, this, &TResultsForm::VerwijderRijClick);

    resize(layout_.windowWidth, layout_.windowHeight);
    rememberPlace(*this, state_);
}

TResultsForm::~TResultsForm() = default;

void TResultsForm::ShowOverview(overviews::OverviewKind kind)
{
    engine::ScheduleState& schedule = *state_.schedule;
    const engine::ScheduleMode mode = schedule.Settings.ScheduleMode;
    if (mode != engine::ScheduleMode::Names && mode != engine::ScheduleMode::Numbered)
        return;
    emit overviewsEnabled();
    voeginRegel_->setEnabled(kind != overviews::ChangeGrid);
    verwijderRij_->setEnabled(kind != overviews::ChangeGrid);

    baanleeglab_->hide();
    overviews::PreparedOverview p = overviews::prepareOverview(
        kind, schedule, overviews::messageHooks(state_.messages, games), matchNumber ? matchNumber() : 0);
    if (!p.show)
        return;

    kind_ = p.kind;
    captionRow_ = p.captionRow;
    headingWidth_ = p.headingWidth;
    lines_ = std::move(p.lines);
    layout_ = std::move(p.layout);
    resulthead_->setText(overviews::lineText(p.heading));

    groepKopLab1_->hide();
    change_.reset();
    setGuide({});
    if (!hint_.isEmpty()) {
        hint_.clear();
        emit hintChanged(hint_);
    }
    listView_->setToolTip(QString());

    applyTextFont();
    if (layout_.useGrid) {
        fillGrid(p.gridHeader);
        listView_->hide();
        grid_->show();
    } else {
        fillListView();
        grid_->hide();
        listView_->show();
        if (layout_.groupLabelVisible) {
            groepKopLab1_->setText(QString::fromLatin1(layout_.groupLabel.c_str()));
            groepKopLab1_->adjustSize();
            groepKopLab1_->show();
        }
    }
    printBtn_->setVisible(layout_.printExportVisible);
    redBtn_->setVisible(layout_.printExportVisible);

    // The grid's width is that of its columns: room for its scroll bar and frame comes on top.
    extraWidth_ = layout_.useGrid ? grid_->verticalScrollBar()->sizeHint().width() + 2 * grid_->frameWidth() : 0;
    QSize size(std::max(layout_.windowWidth, layout_.listWidth + extraWidth_ + 40), layout_.windowHeight);
    QSize smallest(layout_.windowWidth, layout_.windowHeight);
    if (const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen()) {
        size = size.boundedTo(screen->availableGeometry().size());
        smallest = smallest.boundedTo(screen->availableGeometry().size());
    }
    // The overview's own size is where the window starts and the least it takes; a window the user made
    // larger keeps its size (and one hidden and shown again the size it was left at: rememberPlace).
    setMinimumSize(smallest);
    if (isVisible() && !isMaximized())
        size = size.expandedTo(this->size());
    if (!isMaximized())
        resize(size);
    layOut();
    show();
    raise();
    activateWindow();
    FormActivate();
    emit overviewShown();
}

void TResultsForm::applyTextFont()
{
    const PrintSettings& ps = state_.club.printSettings;
    QFont font(fromCp1252(ps.textFontName), ps.textFontSize > 0 ? ps.textFontSize : 10);
    font.setStyleHint(QFont::SansSerif);
    listView_->setFont(font);
    grid_->setFont(font);
    groepKopLab1_->setFont(font);
}

void TResultsForm::fillListView()
{
    listView_->clear();
    const auto& columns = layout_.columns;
    listView_->setColumnCount(int(columns.size()));
    QTreeWidgetItem* header = listView_->headerItem();
    for (size_t c = 0; c < columns.size(); ++c) {
        header->setText(int(c), text(columns[c].caption));
        header->setTextAlignment(int(c), alignment(columns[c].align));
        listView_->setColumnWidth(int(c), columns[c].width);
    }
    QList<QTreeWidgetItem*> items;
    items.reserve(qsizetype(lines_.size()));
    for (const std::string& line : lines_) {
        auto* item = new QTreeWidgetItem;
        const std::vector<std::string> fields = overviews::listRow(line);
        for (size_t c = 0; c < fields.size(); ++c) {
            item->setText(int(c), text(fields[c]));
            if (c < columns.size())
                item->setTextAlignment(int(c), alignment(columns[c].align));
        }
        items.append(item);
    }
    listView_->addTopLevelItems(items);
}

void TResultsForm::fillGrid(const std::string& header)
{
    // Row 0 of the grid is its header; grid row r is table row r - 1.
    const auto rows = overviews::changeGridRows(lines_, header);
    const auto& columns = layout_.columns;
    grid_->clear();
    grid_->clearSpans();
    grid_->setColumnCount(int(columns.size()));
    grid_->setRowCount(rows.empty() ? 0 : int(rows.size()) - 1);
    QStringList captions;
    if (!rows.empty())
        for (const std::string& cell : rows[0])
            captions << text(cell);
    while (captions.size() < qsizetype(columns.size()))
        captions << QString();
    grid_->setHorizontalHeaderLabels(captions);
    for (size_t c = 0; c < columns.size(); ++c)
        grid_->setColumnWidth(int(c), columns[c].width);
    for (size_t r = 1; r < rows.size(); ++r) {
        const bool heading = rows[r].size() == 1;
        for (size_t c = 0; c < rows[r].size() && c < columns.size(); ++c) {
            auto* item = new QTableWidgetItem(text(rows[r][c]));
            if (c >= size_t(overviews::FirstRoundColumn))
                item->setTextAlignment(Qt::AlignCenter);
            if (heading) {
                QFont f = grid_->font();
                f.setBold(true);
                item->setFont(f);
            }
            grid_->setItem(int(r) - 1, int(c), item);
        }
        // The second list's heading reads across the name columns.
        if (heading && columns.size() >= 3)
            grid_->setSpan(int(r) - 1, 0, 1, 3);
    }
    if (grid_->rowCount() > 0)
        grid_->setCurrentCell(0, overviews::FirstRoundColumn < grid_->columnCount() ? overviews::FirstRoundColumn : 0,
                              QItemSelectionModel::NoUpdate);
}

void TResultsForm::layOut()
{
    const int w = width();
    const int h = height();
    const int listWidth = std::max(100, std::min(layout_.listWidth + extraWidth_, w - 20));
    const int listLeft = std::max(10, (w - listWidth) / 2);
    const int bottomSpace = layout_.windowHeight - layout_.listTop - layout_.listHeight;
    const int listHeight = std::max(80, h - layout_.listTop - bottomSpace);
    const QRect list(listLeft, layout_.listTop, listWidth, listHeight);
    listView_->setGeometry(list);
    grid_->setGeometry(list);

    const int headingLeft = std::clamp(listLeft + (listWidth - headingWidth_) / 2, 0, std::max(0, w - headingWidth_));
    resulthead_->setGeometry(headingLeft, 6, headingWidth_, 22);
    if (layout_.groupLabelVisible)
        groepKopLab1_->move(listLeft + listWidth / 2, layout_.groupLabelTop);

    const int panelTop = list.bottom() + 1 + (bottomSpace - PanelHeight) / 2;
    resultPanel_->setGeometry(0, panelTop, w, PanelHeight);
    const int y = (PanelHeight - ButtonHeight) / 2;
    helpResBtn_->move(listLeft, y);
    int x = listLeft + listWidth - ButtonWidth;
    stopBtn_->move(x, y);
    for (QPushButton* b : {printBtn_, redBtn_}) {
        x -= ButtonWidth + 10;
        b->move(x, y);
    }
    // The guide label goes where print and export are, which the change grid hides.
    const int guideLeft = listLeft + ButtonWidth + 10;
    const int guideWidth = std::max(60, listLeft + listWidth - ButtonWidth - 10 - guideLeft);
    bewerkTextLab_->setGeometry(guideLeft, y, guideWidth, ButtonHeight);
}

void TResultsForm::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    layOut();
}

bool TResultsForm::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate)
        FormActivate();
    return QWidget::event(event);
}

void TResultsForm::FormActivate()
{
    if (kind_ == overviews::ChangeGrid)
        grid_->setFocus();
    else
        listView_->setFocus();
}

bool TResultsForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == listView_->viewport()) {
        if (event->type() == QEvent::MouseMove) {
            ListViewMouseMove(static_cast<QMouseEvent*>(event)->position().toPoint().x());
        } else if (event->type() == QEvent::ToolTip) {
            auto* help = static_cast<QHelpEvent*>(event);
            if (hint_.isEmpty())
                QToolTip::hideText();
            else
                QToolTip::showText(help->globalPos(), hint_, listView_);
            return true;
        }
    } else if (watched == grid_ && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            BewerkGridKeyPress();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TResultsForm::Paarschema2Click(overviews::OverviewKind kind)
{
    close();
    ShowOverview(kind);
}

void TResultsForm::scheduleChanged()
{
    if (!isVisible())
        return;
    const overviews::OverviewKind kind = kind_;
    if (kind != overviews::ChangeGrid) {
        kind_ = overviews::NoOverview;
        ShowOverview(kind);
        if (kind_ != overviews::NoOverview)
            return;
        kind_ = kind;
    }
    StopBtnClick();
}

void TResultsForm::closeForOtherClub()
{
    if (isVisible())
        StopBtnClick();
}

void TResultsForm::StopBtnClick()
{
    emit closing();
    close();
}

void TResultsForm::HelpResBtnClick() { showHelp(HelpContext, this); }

void TResultsForm::ListViewMouseDown(const QPoint& pos)
{
    popup_->popup(listView_->viewport()->mapToGlobal(pos));
}

void TResultsForm::ListViewMouseMove(int x)
{
    // Hints only for a schedule with names.
    if (state_.schedule->Settings.ScheduleMode != engine::ScheduleMode::Names || kind_ == overviews::ChangeGrid || kind_ == overviews::NoOverview)
        return;
    const int rounds = overviews::totalRounds(*state_.schedule);
    const int column = x + listView_->horizontalScrollBar()->value();
    if (overviews::hintZone(kind_, column, rounds) < 0)
        QToolTip::hideText();
    const QString hint = QString::fromLatin1(
        overviews::hint(kind_, column, rounds, state_.schedule->players(engine::Ladies) > 0).c_str());
    if (hint == hint_)
        return;
    hint_ = hint;
    listView_->setToolTip(hint_);
    if (QToolTip::isVisible())
        QToolTip::showText(QCursor::pos(), hint_, listView_);
    emit hintChanged(hint_);
}

void TResultsForm::VoeginRijClick()
{
    QTreeWidgetItem* current = listView_->currentItem();
    if (!current || !current->isSelected())
        return;
    auto* item = new QTreeWidgetItem(QStringList{QStringLiteral("  ")});
    listView_->insertTopLevelItem(listView_->indexOfTopLevelItem(current), item);
}

void TResultsForm::VerwijderRijClick()
{
    QTreeWidgetItem* current = listView_->currentItem();
    if (!current || !current->isSelected())
        return;
    delete listView_->takeTopLevelItem(listView_->indexOfTopLevelItem(current));
}

void TResultsForm::setGuide(const std::string& guide)
{
    bewerkTextLab_->setText(QString::fromLatin1(guide.c_str()));
    bewerkTextLab_->setVisible(!guide.empty());
}

void TResultsForm::BewerkGridClick(int row, int column)
{
    const QTableWidgetItem* item = grid_->item(row, column);
    change_.click(row + 1, column, bytes(item ? item->text() : QString()), state_.messages);
    setGuide(change_.guideText());
}

void TResultsForm::BewerkGridKeyPress()
{
    const auto cells = change_.enter(grid_->currentColumn(), *state_.schedule,
                                     overviews::courtCoding(state_.club.keyData()), state_.messages);
    for (const overviews::CellUpdate& cell : cells)
        if (QTableWidgetItem* item = grid_->item(cell.row - 1, cell.column))
            item->setText(text(cell.text));
    setGuide(change_.guideText());
}

} // namespace tandemx
