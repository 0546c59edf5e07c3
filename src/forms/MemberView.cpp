#include "forms/MemberView.h"

#include "forms/Cp1252Validator.h"
#include "forms/TNewLidDlg.h"
#include "records/Cp1252.h"
#include "records/MemberOps.h"
#include "state/AppState.h"

#include <QApplication>
#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QScrollBar>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPersistentModelIndex>
#include <QPointer>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QStatusTipEvent>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QTimer>
#include <QToolTip>
#include <QVBoxLayout>

#include <algorithm>
#include <optional>

namespace tandemx {

namespace {
constexpr int GridTop = 4;      // the tool bar sits above the central area
constexpr int GridHeight = 340; // the starting (and smallest) height: 16 rows
constexpr int GridWidth = 580;  // the starting (and smallest) width: the member columns
constexpr int AddressGridWidth = 780; // the address columns
constexpr int SideMargin = 4;
constexpr int PanelGap = 12;
constexpr int PanelHeight = 60;
constexpr int RowHeight = 20;
constexpr int RowGripWidth = 14; // the vertical header, dragged to move rows
constexpr int ColActie = GridCol::Actie;
} // namespace

namespace detail {

// Cell editing: Windows-1252 text only; the keys of the key table reach the view before the editor.
class MemberGridDelegate : public QStyledItemDelegate {
public:
    MemberGridDelegate(MemberView* view, QObject* parent) : QStyledItemDelegate(parent), view_(view) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QWidget* w = QStyledItemDelegate::createEditor(parent, option, index);
        if (auto* le = qobject_cast<QLineEdit*>(w))
            le->setValidator(new Cp1252Validator(le));
        editor_ = w;
        editedCell_ = index;
        return w;
    }

    void destroyEditor(QWidget* editor, const QModelIndex& index) const override
    {
        if (editor_ == editor)
            editor_ = nullptr;
        QStyledItemDelegate::destroyEditor(editor, index);
    }

    bool editing() const { return !editor_.isNull(); }

    // The text standing in the open editor of this cell (typing not yet taken into the cell).
    std::optional<QString> typedText(int row, int column) const
    {
        const auto* le = qobject_cast<const QLineEdit*>(editor_.data());
        if (!le || !editedCell_.isValid() || editedCell_.row() != row || editedCell_.column() != column)
            return std::nullopt;
        return le->text();
    }

    // Ends an open cell edit; takeText writes the editor's text into the cell first.
    void finish(bool takeText)
    {
        QPointer<QWidget> e = editor_;
        if (!e)
            return;
        editor_ = nullptr;
        if (takeText)
            emit commitData(e);
        emit closeEditor(e, NoHint);
    }

protected:
    bool eventFilter(QObject* object, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress && object == editor_) {
            auto* key = static_cast<QKeyEvent*>(event);
            if (view_->wantsEditorKey(key)) {
                view_->gridKey(key, true);
                return true;
            }
        }
        return QStyledItemDelegate::eventFilter(object, event);
    }

private:
    MemberView* view_;
    mutable QPointer<QWidget> editor_;
    mutable QPersistentModelIndex editedCell_;
};

class MemberGrid : public QTableWidget {
public:
    MemberGrid(MemberView* view, QWidget* parent) : QTableWidget(parent), view_(view) {}

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        if (!view_->gridKey(event, false))
            QTableWidget::keyPressEvent(event);
    }

    void mousePressEvent(QMouseEvent* event) override
    {
        QTableWidget::mousePressEvent(event);
        const QModelIndex index = indexAt(event->position().toPoint());
        if (index.isValid())
            view_->gridMousePressed(index.row() + 1, index.column());
    }

    void mouseMoveEvent(QMouseEvent* event) override
    {
        QTableWidget::mouseMoveEvent(event);
        view_->gridMouseMoved(int(event->position().x()));
    }

    bool viewportEvent(QEvent* event) override
    {
        if (event->type() == QEvent::ToolTip) {
            auto* help = static_cast<QHelpEvent*>(event);
            QToolTip::showText(help->globalPos(), view_->hint_, viewport());
            return true;
        }
        return QTableWidget::viewportEvent(event);
    }

private:
    MemberView* view_;
};

} // namespace detail

MemberView::MemberView(AppState& state, QWidget* parent) : QWidget(parent), state_(state)
{
    setObjectName(QStringLiteral("MemberView"));

    grid_ = new detail::MemberGrid(this, this);
    grid_->setObjectName(QStringLiteral("LedenGrid"));
    grid_->setProperty("helpContext", 235);
    delegate_ = new detail::MemberGridDelegate(this, grid_);
    grid_->setItemDelegate(delegate_);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->setSelectionBehavior(QAbstractItemView::SelectItems);
    grid_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                           QAbstractItemView::AnyKeyPressed);
    grid_->setTabKeyNavigation(true);
    grid_->setShowGrid(true);
    grid_->setWordWrap(false);
    grid_->setCornerButtonEnabled(false);
    grid_->viewport()->setMouseTracking(true);
    grid_->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    grid_->horizontalHeader()->setHighlightSections(false);
    grid_->horizontalHeader()->setSectionsClickable(false);
    grid_->horizontalHeader()->setMinimumSectionSize(8);
    grid_->horizontalHeader()->setDefaultSectionSize(40);
    QHeaderView* rows = grid_->verticalHeader();
    rows->setSectionResizeMode(QHeaderView::Interactive);
    rows->setMinimumSectionSize(12);
    rows->setDefaultSectionSize(RowHeight);
    rows->setSectionsMovable(true);
    rows->setHighlightSections(false);
    rows->setFixedWidth(RowGripWidth);
    rows->setToolTip(QStringLiteral("Sleep om de rij te verplaatsen"));
    connect(rows, &QHeaderView::sectionMoved, this, [this, rows](int, int oldVisual, int newVisual) {
        {
            const QSignalBlocker block(rows);
            rows->moveSection(newVisual, oldVisual);
        }
        rowMoved(oldVisual + 1, newVisual + 1);
    });
    gridMouseMoved(0);

    gridPanel_ = new QFrame(this);
    gridPanel_->setObjectName(QStringLiteral("GridPanel"));
    gridPanel_->setFrameShape(QFrame::StyledPanel);
    gridPanel_->setFrameShadow(QFrame::Raised);
    auto* panelLayout = new QHBoxLayout(gridPanel_);
    panelLayout->setContentsMargins(8, 2, 4, 2);

    auto* counters = new QGridLayout;
    counters->setHorizontalSpacing(10);
    counters->setVerticalSpacing(2);
    const QString countHint = QStringLiteral("Aantal actieve spelers in deze groep");
    auto makeCaption = [&](const char* name) {
        auto* l = new QLabel(gridPanel_);
        l->setObjectName(QString::fromLatin1(name));
        l->setToolTip(countHint);
        l->setStatusTip(countHint);
        return l;
    };
    auto makeCount = [&](const char* name) {
        auto* l = new QLabel(QStringLiteral("0"), gridPanel_);
        l->setObjectName(QString::fromLatin1(name));
        l->setMinimumWidth(28);
        l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        QFont f = l->font();
        f.setBold(true);
        l->setFont(f);
        return l;
    };
    hrnText_ = makeCaption("AantalHrntxt");
    dmsText_ = makeCaption("AantalDmstxt");
    hrnCount_ = makeCount("AantalHrnLab");
    dmsCount_ = makeCount("AantalDmsLab");
    counters->addWidget(hrnText_, 0, 0);
    counters->addWidget(hrnCount_, 0, 1);
    counters->addWidget(dmsText_, 1, 0);
    counters->addWidget(dmsCount_, 1, 1);
    panelLayout->addLayout(counters);
    panelLayout->addStretch(1);

    auto* middle = new QVBoxLayout;
    middle->setSpacing(2);
    warning_ = new QLabel(QStringLiteral("PAS op met ClubNr."), gridPanel_);
    warning_->setObjectName(QStringLiteral("ClubNrLabel"));
    QPalette warn = warning_->palette();
    warn.setColor(QPalette::WindowText, Qt::red);
    warning_->setPalette(warn);
    moveLabel_ = new QLabel(gridPanel_);
    moveLabel_->setObjectName(QStringLiteral("Movelabel"));
    moveLabel_->setAutoFillBackground(true);
    QPalette lime = moveLabel_->palette();
    lime.setColor(QPalette::Window, QColor(0, 255, 0));
    lime.setColor(QPalette::WindowText, Qt::black);
    moveLabel_->setPalette(lime);
    moveLabel_->setContentsMargins(4, 0, 4, 0);
    moveLabel_->hide();
    middle->addWidget(warning_, 0, Qt::AlignHCenter);
    middle->addWidget(moveLabel_, 0, Qt::AlignHCenter);
    panelLayout->addLayout(middle);
    panelLayout->addStretch(1);

    zoekPanel_ = new QFrame(gridPanel_);
    zoekPanel_->setObjectName(QStringLiteral("Zoekpanel"));
    zoekPanel_->setFrameShape(QFrame::StyledPanel);
    zoekPanel_->setFrameShadow(QFrame::Sunken);
    auto* zoekLayout = new QVBoxLayout(zoekPanel_);
    zoekLayout->setContentsMargins(4, 2, 4, 2);
    zoekLayout->setSpacing(2);
    zoekOp_ = new QGroupBox(zoekPanel_);
    zoekOp_->setObjectName(QStringLiteral("ZoekRadio"));
    zoekOp_->setFlat(true);
    zoekOp_->setStyleSheet(QStringLiteral("QGroupBox { border: none; margin: 0px; padding: 0px; }"));
    auto* radios = new QHBoxLayout(zoekOp_);
    radios->setContentsMargins(0, 0, 0, 0);
    radios->addWidget(new QLabel(QStringLiteral("Zoeken op"), zoekOp_));
    zoekChoice_ = new QButtonGroup(this);
    auto* voornaam = new QRadioButton(QStringLiteral("Voornaam "), zoekOp_);
    auto* achternaam = new QRadioButton(QStringLiteral("Achternaam"), zoekOp_);
    voornaam->setObjectName(QStringLiteral("ZoekVoornaam"));
    achternaam->setObjectName(QStringLiteral("ZoekAchternaam"));
    zoekChoice_->addButton(voornaam, 0);
    zoekChoice_->addButton(achternaam, 1);
    radios->addWidget(voornaam);
    radios->addWidget(achternaam);
    zoekEdit_ = new QLineEdit(zoekPanel_);
    zoekEdit_->setObjectName(QStringLiteral("ZoekEdit"));
    zoekEdit_->setValidator(new Cp1252Validator(zoekEdit_));
    zoekEdit_->installEventFilter(this);
    zoekLayout->addWidget(zoekOp_);
    zoekLayout->addWidget(zoekEdit_);
    zoekPanel_->hide();
    panelLayout->addWidget(zoekPanel_);
    connect(zoekChoice_, &QButtonGroup::idClicked, this, [this](int) {
        zoekEdit_->clear();
        zoekEdit_->setFocus();
    });
    connect(zoekEdit_, &QLineEdit::textChanged, this, [this] { search(); });

    hulpTimer_ = new QTimer(this);
    hulpTimer_->setObjectName(QStringLiteral("HulpTimer"));
    hulpTimer_->setSingleShot(true);
    hulpTimer_->setInterval(2000);
    connect(hulpTimer_, &QTimer::timeout, this, [this] {
        moveLabel_->hide();
        hulpTimer_->stop();
    });

    // A column made wider by the user widens the grid with it.
    connect(grid_->horizontalHeader(), &QHeaderView::sectionResized, this, [this] { placeGrid(); });
    // Grid and counters always fit: the main window never gets smaller than their starting sizes.
    setMinimumSize(GridWidth + 2 * SideMargin, GridTop + GridHeight + PanelGap + PanelHeight);

    layOut(windowWidth_);
    refreshCounters();
}

MemberView::~MemberView() = default;

MemberList* MemberView::members() const
{
    return state_.club.members ? &*state_.club.members : nullptr;
}

MemberList* MemberView::membersToChange() const
{
    // A button click can arrive late: a mnemonic key (Alt+U for "Sch&ud") clicks after a short delay,
    // by which time the member dialog or a question may run modally. That dialog holds on to a member
    // of the list, so the list is not reordered, grown or shrunk under it.
    if (QApplication::activeModalWidget())
        return nullptr;
    return members();
}

QTableWidget* MemberView::grid() const
{
    return grid_;
}

int MemberView::currentRow() const
{
    if (grid_->rowCount() == 0 || grid_->currentRow() < 0)
        return 0;
    return grid_->currentRow() + 1;
}

int MemberView::currentColumn() const
{
    return std::max(grid_->currentColumn(), 0);
}

bool MemberView::cellEditorOpen() const
{
    return delegate_->editing();
}

QString MemberView::cellText(int row, int column) const
{
    if (row == 0) {
        const QTableWidgetItem* title = grid_->horizontalHeaderItem(column);
        return title ? title->text() : QString();
    }
    const QTableWidgetItem* item = grid_->item(row - 1, column);
    return item ? item->text() : QString();
}

QString MemberView::shownText(int row, int column) const
{
    if (row > 0)
        if (auto typed = delegate_->typedText(row - 1, column))
            return *typed;
    return cellText(row, column);
}

int MemberView::columnCount() const
{
    return grid_->columnCount();
}

int MemberView::columnWidth(int column) const
{
    return grid_->columnWidth(column);
}

void MemberView::setCurrent(int row, int column)
{
    if (row < 1 || row > grid_->rowCount())
        return;
    grid_->setCurrentCell(row - 1, column);
}

void MemberView::focusGrid()
{
    grid_->setFocus();
}

void MemberView::setMemberViewShown(bool on)
{
    if (!on)
        closeCellEditor(false);
    grid_->setVisible(on);
    gridPanel_->setVisible(on);
    zoekPanel_->hide();
    hulpTimer_->stop();
}

void MemberView::layOut(int windowWidth)
{
    windowWidth_ = windowWidth;
    applyWindowFont();

    const QStringList titles = gridTitles(addressView_);
    const QList<int> widths = gridColumnWidths(addressView_);
    grid_->setColumnCount(int(titles.size()));
    grid_->setHorizontalHeaderLabels(titles);
    for (int c = 0; c < widths.size(); ++c)
        grid_->setColumnWidth(c, widths[c]);

    placeGrid();
    moveLabel_->hide();
    zoekPanel_->hide();
}

int MemberView::columnsWidth() const
{
    int width = grid_->verticalHeader()->width() + 2 * grid_->frameWidth() + grid_->verticalScrollBar()->sizeHint().width();
    for (int c = 0; c < grid_->columnCount(); ++c)
        width += grid_->columnWidth(c);
    return width;
}

void MemberView::placeGrid()
{
    // As wide as its columns (no empty space beside them), at most the window's width; as high as the
    // view leaves above the counter panel. The starting sizes are the smallest.
    const int natural = std::max(addressView_ ? AddressGridWidth : GridWidth, columnsWidth());
    const int width = std::min(natural, std::max(GridWidth, windowWidth_ - 2 * SideMargin));
    const int left = std::max(0, (windowWidth_ - width) / 2);
    const int height = std::max(GridHeight, this->height() - GridTop - PanelGap - PanelHeight);
    grid_->setGeometry(left, GridTop, width, height);
    placePanel();
}

void MemberView::applyWindowFont()
{
    const Club& club = state_.club;
    QFont font(fromCp1252(club.windowFontName), club.windowFontSize > 0 ? club.windowFontSize : 10);
    font.setStyleHint(QFont::SansSerif);
    grid_->setFont(font);
    QFont editFont = zoekEdit_->font();
    editFont.setPointSize(font.pointSize());
    zoekEdit_->setFont(editFont);
}

void MemberView::placePanel()
{
    // The panel sits 12 pixels below the grid; when the view leaves less room the gap shrinks first.
    const QRect g = grid_->geometry();
    const int room = height() - g.bottom() - 1;
    const int gap = std::clamp(room - PanelHeight, 4, PanelGap);
    const int panelHeight = std::clamp(room - gap, 40, PanelHeight);
    gridPanel_->setGeometry(g.left(), g.bottom() + 1 + gap, g.width() - 4, panelHeight);
}

void MemberView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    placeGrid();
}

QStringList MemberView::rowCells(int r) const
{
    QStringList cells;
    for (int c = 0; c < grid_->columnCount(); ++c)
        cells << cellText(r, c);
    return cells;
}

void MemberView::setRowCells(int r, const QStringList& cells)
{
    for (int c = 0; c < cells.size() && c < grid_->columnCount(); ++c) {
        QTableWidgetItem* item = grid_->item(r - 1, c);
        if (!item) {
            item = new QTableWidgetItem;
            if (c == GridCol::Ix) {
                // The fixed column: shown like a header, never current, never edited.
                item->setFlags(Qt::NoItemFlags);
                item->setBackground(palette().button());
                item->setForeground(palette().buttonText());
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            }
            grid_->setItem(r - 1, c, item);
        }
        item->setText(cells[c]);
    }
}

void MemberView::fill(int wantedRow)
{
    closeCellEditor(false);
    const MemberList* list = members();
    const int n = list ? list->count() : 0;
    const QStringList titles = gridTitles(addressView_);
    grid_->setColumnCount(int(titles.size()));
    grid_->setHorizontalHeaderLabels(titles);
    grid_->setRowCount(n);
    for (int r = 1; r <= n; ++r) {
        setRowCells(r, gridCells(list->at(r), addressView_));
        if (!grid_->verticalHeaderItem(r - 1))
            grid_->setVerticalHeaderItem(r - 1, new QTableWidgetItem(QString()));
    }
    int row = std::min(wantedRow, n);
    if (row < 1 && n > 0)
        row = 1;
    setCurrent(row, turfMode_ ? ColActie : GridCol::Voornaam);
    refreshCounters();
    emit listChanged();
}

void MemberView::renumber()
{
    MemberList* list = members();
    if (!list)
        return;
    for (int r = 1; r <= list->count() && r <= grid_->rowCount(); ++r) {
        list->at(r).setIx(uint16_t(r));
        if (QTableWidgetItem* item = grid_->item(r - 1, GridCol::Ix))
            item->setText(QString::number(r));
    }
}

bool MemberView::copyBackRow(int r)
{
    MemberList* list = members();
    if (!list || r < 1 || r > list->count() || r > grid_->rowCount())
        return false;
    closeCellEditor(true);
    QStringList cells = rowCells(r);
    const bool ok = copyBackCells(list->at(r), cells, r, addressView_, state_.club.keyData(), state_.messages);
    setRowCells(r, cells);
    return ok;
}

void MemberView::copyBackAll()
{
    MemberList* list = members();
    if (!list)
        return;
    closeCellEditor(true);
    Messages& messages = state_.messages;
    messages.lastErrorState = 0;
    int lowered = 0;
    bool anyLowered = false;
    for (int r = 1; r <= list->count(); ++r) {
        copyBackRow(r);
        TLedenObj& rec = list->at(r);
        if (normaliseActie(rec)) {
            messages.beep();
            messages.beep();
            lowered = rec.clubNr();
            anyLowered = true;
        }
        if (!addressView_ && r <= grid_->rowCount())
            if (QTableWidgetItem* item = grid_->item(r - 1, GridCol::Actie))
                item->setText(rec.actie());
    }
    if (anyLowered)
        messages.showMessageNo(QStringLiteral("ActieStatus: ") + QString::number(lowered), 0, 2, 5);
}

void MemberView::limitMessage()
{
    Messages& messages = state_.messages;
    messages.showMessageNo(QStringLiteral("Aantal leden groter dan ") + QString::number(MaxMembers), 0, 10, 5);
    messages.beep();
    messages.lastErrorState = 0;
}

void MemberView::insertEmptyRecord()
{
    MemberList* list = membersToChange();
    if (!list)
        return;
    const int n = list->count();
    if (n >= MaxMembers) {
        limitMessage();
        return;
    }
    const int r = currentRow();
    try {
        const TLedenObj rec = makeMemberRecord(r + 1, n + 1, state_.club.keyData().group1Code, "X");
        if (r >= n)
            list->append(rec);
        else
            list->insert(r, rec);
    } catch (const std::exception&) {
        state_.messages.showBericht(QStringLiteral("Toevoegen van record mislukt"), Error, Btn::OK);
        return;
    }
    fill(r + 1);
    renumber();
}

void MemberView::deleteRecord()
{
    MemberList* list = membersToChange();
    if (!list || list->count() == 0)
        return;
    const int r = currentRow();
    copyBackAll();
    if (!state_.messages.ask(QStringLiteral("Weet u zeker dat u dit Record wilt verwijderen")))
        return;
    if (r < 1 || r > list->count()) {
        state_.messages.showBericht(QStringLiteral("Verwijderen van record mislukt"), Error, Btn::OK);
        return;
    }
    list->remove(r);
    fill(r);
    renumber();
}

void MemberView::sortMembers(int kind)
{
    MemberList* list = membersToChange();
    if (!list)
        return;
    closeCellEditor(false);
    tandemx::sortMembers(*list, kind);
    fill(1);
    renumber();
}

void MemberView::sortByCurrentColumn()
{
    switch (currentColumn()) {
    case GridCol::ClubNr: sortMembers(SortKind::ClubNr); break;
    case GridCol::Voornaam: sortMembers(SortKind::Voornaam); break;
    case GridCol::Ix:
    case GridCol::Achternaam: sortMembers(SortKind::Achternaam); break;
    default:
        state_.messages.showBericht(QStringLiteral("Kies kolom: ClubNr,Voornaam of Achternaam"), Information, Btn::OK);
        break;
    }
}

void MemberView::shuffle()
{
    MemberList* list = membersToChange();
    if (!list || list->count() < 3)
        return; // no partner for every member: nothing to shuffle
    closeCellEditor(false);
    shuffleMembers(*list, shuffleSeed(state_.clock.timeOfDay()));
    fill(1); // Ix keeps the previous numbers until the next renumbering
}

void MemberView::toggleTurfMode()
{
    turfMode_ = !turfMode_;
    if (turfMode_) {
        grid_->setFocus();
        setCurrent(1, ColActie);
    } else {
        setCurrent(1, GridCol::Voornaam);
    }
    emit turfModeChanged(turfMode_);
}

void MemberView::toggleAddressView()
{
    addressView_ = !addressView_;
    if (addressView_ && turfMode_) {
        turfMode_ = false;
        emit turfModeChanged(false);
    }
    emit addressViewChanged(addressView_);
    layOut(windowWidth_);
    fill(1);
    grid_->setFocus();
}

void MemberView::showSearch()
{
    zoekPanel_->show();
    zoekPanel_->raise();
    if (QAbstractButton* first = zoekChoice_->button(0))
        first->setFocus();
}

void MemberView::search()
{
    const QString text = zoekEdit_->text();
    const int choice = zoekChoice_->checkedId();
    if (text.isEmpty() || choice < 0)
        return;
    const int column = choice == 0 ? GridCol::Voornaam : GridCol::Achternaam;
    for (int r = 1; r <= grid_->rowCount(); ++r) {
        const QString cell = cellText(r, column);
        if (cell.size() >= text.size() && QStringView(cell).left(text.size()).compare(text, Qt::CaseInsensitive) == 0) {
            setCurrent(r, column);
            grid_->scrollToItem(grid_->currentItem());
            return;
        }
    }
}

void MemberView::refreshGroupCaptions()
{
    const KeyData& keyData = state_.club.keyData();
    hrnText_->setText(groupCaption(keyData, 1));
    dmsText_->setText(groupCaption(keyData, 2));
}

void MemberView::refreshCounters()
{
    refreshGroupCaptions();
    ActiveCounts counts;
    if (const MemberList* list = members())
        counts = countActive(*list, state_.club.keyData());
    hrnCount_->setText(QString::number(counts.group1));
    dmsCount_->setText(QString::number(counts.group2));
    hrnCount_->repaint();
    dmsCount_->repaint();
}

void MemberView::closeCellEditor(bool takeText)
{
    delegate_->finish(takeText);
}

bool MemberView::wantsEditorKey(QKeyEvent* event) const
{
    switch (event->key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_F3:
    case Qt::Key_F4:
    case Qt::Key_F5:
    case Qt::Key_F7:
    case Qt::Key_F8:
        return true;
    case Qt::Key_Left:
    case Qt::Key_Right:
        return turfMode_;
    default:
        return false;
    }
}

bool MemberView::gridKey(QKeyEvent* event, bool editing)
{
    const int key = event->key();
    const int n = grid_->rowCount();
    auto takeEditor = [&] {
        if (editing)
            closeCellEditor(true);
    };
    switch (key) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab: {
        takeEditor();
        if (n == 0)
            return true;
        const bool back = key == Qt::Key_Backtab || (event->modifiers() & Qt::ShiftModifier);
        const int row = currentRow();
        const int col = currentColumn();
        // The row being left is taken over, so a mark counts at once.
        copyBackRow(row);
        refreshCounters();
        if (turfMode_) {
            setCurrent(std::clamp(back ? row - 1 : row + 1, 1, n), ColActie);
        } else {
            const int last = grid_->columnCount() - 1;
            int r = row;
            int c = back ? col - 1 : col + 1;
            if (c > last) {
                c = r < n ? 1 : last;
                r = std::min(r + 1, n);
            } else if (c < 1) {
                c = r > 1 ? last : 1;
                r = std::max(r - 1, 1);
            }
            setCurrent(r, c);
        }
        return true;
    }
    case Qt::Key_Up:
    case Qt::Key_Down: {
        takeEditor();
        if (n == 0)
            return true;
        const int row = currentRow();
        const int col = currentColumn();
        copyBackRow(row);
        refreshCounters();
        setCurrent(std::clamp(key == Qt::Key_Up ? row - 1 : row + 1, 1, n), col);
        return true;
    }
    case Qt::Key_Left:
    case Qt::Key_Right:
        if (turfMode_)
            return true;
        return key == Qt::Key_Left && currentColumn() <= 1; // the Ix column is never current
    case Qt::Key_F3:
        takeEditor();
        emit saveWithReportRequested();
        return true;
    case Qt::Key_F4:
        takeEditor();
        sortMembers(SortKind::Achternaam);
        return true;
    case Qt::Key_F5:
        takeEditor();
        shuffle();
        return true;
    case Qt::Key_F7:
        takeEditor();
        emit newMemberRequested();
        return true;
    case Qt::Key_F8:
        takeEditor();
        deleteRecord();
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter: {
        takeEditor();
        const int row = currentRow();
        const int col = currentColumn();
        if ((turfMode_ || editing) && col == ColActie) {
            copyBackRow(row);
            refreshCounters();
        } else if (!editing) {
            if (col == ColActie) {
                refreshCounters();
            } else if (col >= GridCol::Opmerking) {
                // From the last column of the address view, too, Enter wraps to the club number.
                copyBackRow(row);
                setCurrent(row, GridCol::ClubNr);
            } else {
                setCurrent(row, col + 1);
            }
            moveLabel_->hide();
        }
        // Enter opens a closed cell editor and closes an open one.
        if (!editing && n > 0)
            grid_->edit(grid_->currentIndex());
        return true;
    }
    default:
        return false;
    }
}

void MemberView::gridMousePressed(int row, int column)
{
    const int n = grid_->rowCount();
    if (row < 1 || row > n)
        return;
    const bool checked = turfMode_ ? (column >= 4 && column <= 6) : (column >= 1 && column <= 6);
    if (checked) {
        bool ok = false;
        const int ix = cellText(row, GridCol::Ix).trimmed().toInt(&ok);
        if (ok && (ix <= 0 || ix > n))
            state_.messages.showBericht(QStringLiteral("Record index ") + QString::number(ix) + QStringLiteral(" foutief"),
                                        Information, Btn::OK);
    }
    if (turfMode_)
        setCurrent(row, ColActie);
}

void MemberView::gridMouseMoved(int x)
{
    struct Band { int from, to; const char* hint; };
    static constexpr Band bands[] = {
        {33, 84, "Club-nummer"},     {88, 199, "Voornaam speler"}, {203, 349, "Achternaam  speler"},
        {353, 389, "Groep (dames/heren)"}, {393, 429, "Actief"},    {433, 544, "Opmerking"},
    };
    if (x < 30) {
        setGridHint(QStringLiteral("Index"));
        return;
    }
    for (const Band& b : bands)
        if (x >= b.from && x <= b.to) {
            setGridHint(QString::fromLatin1(b.hint));
            return;
        }
    QToolTip::hideText();
    setGridHint(QStringLiteral("Index"));
}

void MemberView::setGridHint(const QString& hint)
{
    if (hint == hint_)
        return;
    hint_ = hint;
    grid_->setStatusTip(hint);
    if (grid_->isVisible()) {
        QStatusTipEvent tip(hint);
        QApplication::sendEvent(grid_, &tip);
    }
}

void MemberView::rowMoved(int from, int to)
{
    MemberList* list = membersToChange();
    if (!list || from == to || from < 1 || to < 1 || from > grid_->rowCount() || to > grid_->rowCount())
        return;
    closeCellEditor(true);
    const int column = currentColumn();
    QList<QTableWidgetItem*> items;
    for (int c = 0; c < grid_->columnCount(); ++c)
        items << grid_->takeItem(from - 1, c);
    grid_->removeRow(from - 1);
    grid_->insertRow(to - 1);
    for (int c = 0; c < items.size(); ++c)
        grid_->setItem(to - 1, c, items[c]);
    grid_->setVerticalHeaderItem(to - 1, new QTableWidgetItem(QString()));
    // The record moves with its row, so the fields the grid does not show stay with it.
    list->move(from, to);
    setCurrent(to, std::max(column, 1));
    moveLabel_->setText(QStringLiteral("Rij van: ") + QString::number(from) + QStringLiteral(" naar: ") + QString::number(to));
    moveLabel_->show();
    hulpTimer_->start();
    emit listChanged();
}

bool MemberView::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == zoekEdit_) {
        if (event->type() == QEvent::FocusIn) {
            zoekEdit_->clear();
        } else if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Tab || key == Qt::Key_Backtab) {
                zoekPanel_->hide();
                grid_->setFocus();
                return true;
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

TNewLidDlg* MemberView::memberDialog()
{
    if (!dialog_)
        dialog_ = new TNewLidDlg(state_, window());
    return dialog_;
}

bool MemberView::openNewMember()
{
    MemberList* list = membersToChange();
    if (!list)
        return false;
    if (list->count() >= MaxMembers) {
        limitMessage();
        return false;
    }
    const int a = currentRow();
    TNewLidDlg* dlg = memberDialog();
    dlg->prepareNew(a, list->count());
    dlg->exec();
    Messages& messages = state_.messages;
    switch (dlg->outcome()) {
    case TNewLidDlg::Outcome::VoegIn: {
        const Duplicate dup = findDuplicate(*list, dlg->record(), 0);
        if (dup.mark != DuplicateMark::None) {
            messages.showBericht(duplicateWarning(dup.mark, dlg->record()), Warning, Btn::OK);
            messages.lastErrorState = 1;
            return false;
        }
        try {
            if (a >= list->count())
                list->append(dlg->record());
            else
                list->insert(a, dlg->record());
        } catch (const std::exception&) {
            messages.showBericht(QStringLiteral("Toevoegen van record mislukt"), Error, Btn::OK);
            return false;
        }
        fill(a + 1);
        renumber();
        return true;
    }
    case TNewLidDlg::Outcome::Schrap:
        fill(a + 1);
        renumber();
        return false;
    case TNewLidDlg::Outcome::None:
        messages.lastErrorState = 1;
        return false;
    }
    return false;
}

void MemberView::openEditMember()
{
    MemberList* list = membersToChange();
    const int a = currentRow();
    if (!list || a < 1 || a > list->count())
        return;
    TNewLidDlg* dlg = memberDialog();
    dlg->prepareEdit(list->at(a));
    dlg->exec();
    if (dlg->outcome() == TNewLidDlg::Outcome::VoegIn) {
        const Duplicate dup = findDuplicate(*list, list->at(a), a);
        if (dup.mark != DuplicateMark::None)
            state_.messages.showBericht(duplicateWarning(dup.mark, list->at(a)), Warning, Btn::OK);
    }
    fill(a);
}

} // namespace tandemx
