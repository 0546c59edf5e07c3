#include "forms/ScoreGrid.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QRegularExpressionValidator>
#include <QStyledItemDelegate>

namespace tandemx {

class ScoreGridDelegate : public QStyledItemDelegate {
public:
    explicit ScoreGridDelegate(ScoreGrid* grid) : QStyledItemDelegate(grid), grid_(grid) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QWidget* w = QStyledItemDelegate::createEditor(parent, option, index);
        auto* line = qobject_cast<QLineEdit*>(w);
        if (line && grid_->digitsOnly && grid_->digitsOnly(index.row() + 1, index.column()))
            line->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9 ]*")), line));
        editor_ = w;
        return w;
    }
    void destroyEditor(QWidget* editor, const QModelIndex& index) const override
    {
        if (editor_ == editor)
            editor_ = nullptr;
        QStyledItemDelegate::destroyEditor(editor, index);
    }
    bool editing() const { return !editor_.isNull(); }
    void finish()
    {
        QPointer<QWidget> e = editor_;
        if (!e)
            return;
        editor_ = nullptr;
        emit commitData(e);
        emit closeEditor(e, NoHint);
    }

protected:
    bool eventFilter(QObject* object, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress && object == editor_ && grid_->editorKey(static_cast<QKeyEvent*>(event)))
            return true;
        return QStyledItemDelegate::eventFilter(object, event);
    }

private:
    ScoreGrid* grid_;
    mutable QPointer<QWidget> editor_;
};

ScoreGrid::ScoreGrid(QWidget* parent) : QTableWidget(parent)
{
    delegate_ = new ScoreGridDelegate(this);
    setItemDelegate(delegate_);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed);
    setTabKeyNavigation(true);
    setWordWrap(false);
    verticalHeader()->hide();
    horizontalHeader()->setSectionsClickable(false);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    horizontalHeader()->setStretchLastSection(false);
    horizontalHeader()->setMinimumSectionSize(8);
}

void ScoreGrid::setShape(int dataRows, const QStringList& titles)
{
    finishEditing();
    setColumnCount(int(titles.size()));
    setRowCount(std::max(dataRows, 0));
    setHorizontalHeaderLabels(titles);
}

QString ScoreGrid::cell(int row, int column) const
{
    if (row == 0) {
        const QTableWidgetItem* title = horizontalHeaderItem(column);
        return title ? title->text() : QString();
    }
    const QTableWidgetItem* it = item(row - 1, column);
    return it ? it->text() : QString();
}

void ScoreGrid::setCell(int row, int column, const QString& text, bool editable)
{
    QTableWidgetItem* it = item(row - 1, column);
    if (!it) {
        it = new QTableWidgetItem;
        setItem(row - 1, column, it);
    }
    it->setText(text);
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (editable)
        flags |= Qt::ItemIsEditable;
    it->setFlags(flags);
}

void ScoreGrid::selectCell(int row, int column)
{
    finishEditing();
    if (row < 1 || row > rowCount() || column < 0 || column >= columnCount())
        return;
    setCurrentCell(row - 1, column);
}

bool ScoreGrid::editing() const { return delegate_->editing(); }

void ScoreGrid::finishEditing() { delegate_->finish(); }

bool ScoreGrid::editorKey(QKeyEvent* event)
{
    if (!keyHandler || !leavesEditor || !leavesEditor(event->key()))
        return false;
    finishEditing();
    if (!keyHandler(event))
        QTableWidget::keyPressEvent(event);
    return true;
}

void ScoreGrid::keyPressEvent(QKeyEvent* event)
{
    if (keyHandler && keyHandler(event))
        return;
    QTableWidget::keyPressEvent(event);
}

void ScoreGrid::mousePressEvent(QMouseEvent* event)
{
    QTableWidget::mousePressEvent(event);
    const QModelIndex index = indexAt(event->position().toPoint());
    if (index.isValid() && cellPressed)
        cellPressed(index.row() + 1, index.column());
}

} // namespace tandemx
