#pragma once
// The editable string grid of the match windows. Rows and columns are counted as the user sees them:
// row 0 is the title row (the table's header), rows 1.. the data rows. The window's key handler sees
// the keys first, also while a cell editor is open; the editor's text is then taken into the cell
// before the handler runs.
#include <QTableWidget>

#include <functional>

class QKeyEvent;

namespace tandemx {

class ScoreGridDelegate;

class ScoreGrid : public QTableWidget {
    Q_OBJECT
public:
    explicit ScoreGrid(QWidget* parent = nullptr);

    // Returns true when the key was handled; otherwise the grid moves or edits as usual.
    std::function<bool(QKeyEvent*)> keyHandler;
    // Keys that leave an open cell editor and go to the key handler (others stay in the editor).
    std::function<bool(int key)> leavesEditor;
    // After a mouse press selected the cell (row 1.., column).
    std::function<void(int row, int column)> cellPressed;
    // Cells (row 1.., column) whose editor takes digits only (and blanks): a letter cannot be typed.
    std::function<bool(int row, int column)> digitsOnly;

    // Sizes the grid: columns, data rows (the title row is extra) and titles.
    void setShape(int dataRows, const QStringList& titles);
    QString cell(int row, int column) const;
    // Sets a data cell; editable cells can be typed in.
    void setCell(int row, int column, const QString& text, bool editable);
    // Makes a data cell current with its editor closed.
    void selectCell(int row, int column);
    int row() const { return currentRow() + 1; }
    int column() const { return currentColumn(); }
    bool editing() const;
    // Closes an open cell editor, writing its text into the cell first.
    void finishEditing();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    friend class ScoreGridDelegate;
    bool editorKey(QKeyEvent* event);

    ScoreGridDelegate* delegate_ = nullptr;
};

} // namespace tandemx
