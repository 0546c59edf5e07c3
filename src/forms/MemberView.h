#pragma once
// The member view of the main window: the member grid `LedenGrid`, the counter panel `GridPanel` with
// the row-move label, and the search panel `Zoekpanel`. The grid is the editing copy of the member
// list: it is filled from the records and its rows are copied back into them with their checks.
//
// Rows and columns are counted as the user sees them: row 0 is the title row, rows 1..MemberCount show
// the members at the same positions of the MemberList; column 0 is `Ix`.
#include <QWidget>

class QButtonGroup;
class QFrame;
class QGroupBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QTableWidget;
class QTimer;

namespace tandemx {

struct AppState;
class MemberList;
class TNewLidDlg;

namespace detail {
class MemberGrid;
class MemberGridDelegate;
}

class MemberView : public QWidget {
    Q_OBJECT
public:
    explicit MemberView(AppState& state, QWidget* parent = nullptr);
    ~MemberView() override;

    // Column set and widths, grid size and place (centred in windowWidth, as wide as its columns up
    // to that width, as high as the view leaves above the counters); hides the row-move label and the
    // search panel.
    void layOut(int windowWidth);
    // The grid and the search field take the window text font in use (after "TextFont" too).
    void applyWindowFont();
    // Rows from the records; current row = min(wantedRow, MemberCount), column 2 (5 in tally mode);
    // any cell editor is closed without taking its text; counters refreshed.
    void fill(int wantedRow);
    // Ix of record r = r and cell 0 of row r = r, for every row.
    void renumber();
    // The cells of row r into record r, with the club number, group and Actie checks. False when a
    // number cell is not a number (the row is then copied no further) or r is no member row.
    bool copyBackRow(int r);
    // Every row, then the Actie normalisation. An open cell editor is taken over first.
    void copyBackAll();
    void insertEmptyRecord();   // "Nieuw record"
    void deleteRecord();        // "&Verwijderen", F8
    void sortMembers(int kind); // kinds 1..4 of "&Sorteren op"; F4 is kind 3
    void sortByCurrentColumn(); // the sort tool button
    void shuffle();             // "Sch&ud", F5
    void toggleTurfMode();      // "&Turven"
    void toggleAddressView();   // "&Toon Adressen"
    void showSearch();          // "&Zoeken"
    // Counters and their group captions from the records and the key data.
    void refreshCounters();
    // Shows or hides grid, counter panel and warning label; always hides the search panel.
    void setMemberViewShown(bool on);
    void focusGrid();

    // The member dialog ("Nieuw Lid", F7, "&Bewerken "). A new member is refused at 400 members.
    // openNewMember returns true when a member was inserted.
    bool openNewMember();
    void openEditMember();

    bool turfMode() const { return turfMode_; }
    bool addressView() const { return addressView_; }
    int currentRow() const;    // 1..MemberCount, 0 without members
    int currentColumn() const; // 0..7
    bool cellEditorOpen() const;

    // What the grid shows (for the printout): row 0 gives the titles.
    QTableWidget* grid() const;
    QString cellText(int row, int column) const;
    // The cell as the user sees it: the text standing in an open cell editor (not yet in the cell) for
    // the cell being edited.
    QString shownText(int row, int column) const;
    int columnCount() const;
    int columnWidth(int column) const;

    TNewLidDlg* memberDialog(); // created once, on first use

signals:
    void saveWithReportRequested(); // F3
    void newMemberRequested();      // F7
    void turfModeChanged(bool on);
    void addressViewChanged(bool on);
    // The grid was filled again or a row moved: members may have changed places, come or gone.
    void listChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    friend class detail::MemberGrid;
    friend class detail::MemberGridDelegate;

    MemberList* members() const;
    // The member list for a command that reorders, grows or shrinks it: none while a modal window runs.
    MemberList* membersToChange() const;
    void setCurrent(int row, int column);
    // The grid in the room the window gives it, the counter panel below it.
    void placeGrid();
    void placePanel();
    // The width the grid's columns take, with the row grips, frame and scroll bar.
    int columnsWidth() const;
    // Key handling shared by the grid and its cell editor; true when the key was taken.
    bool gridKey(QKeyEvent* event, bool editing);
    bool wantsEditorKey(QKeyEvent* event) const;
    void gridMousePressed(int row, int column);
    void gridMouseMoved(int x);
    void setGridHint(const QString& hint);
    void rowMoved(int from, int to);
    void closeCellEditor(bool takeText);
    void search();
    QStringList rowCells(int r) const;
    void setRowCells(int r, const QStringList& cells);
    void refreshGroupCaptions();
    void limitMessage();

    AppState& state_;
    bool turfMode_ = false;
    bool addressView_ = false;
    int windowWidth_ = 750;

    detail::MemberGrid* grid_ = nullptr;
    detail::MemberGridDelegate* delegate_ = nullptr;
    QFrame* gridPanel_ = nullptr;
    QLabel* hrnText_ = nullptr;
    QLabel* dmsText_ = nullptr;
    QLabel* hrnCount_ = nullptr;
    QLabel* dmsCount_ = nullptr;
    QLabel* moveLabel_ = nullptr;
    QLabel* warning_ = nullptr;
    QFrame* zoekPanel_ = nullptr;
    QGroupBox* zoekOp_ = nullptr;
    QButtonGroup* zoekChoice_ = nullptr;
    QLineEdit* zoekEdit_ = nullptr;
    QTimer* hulpTimer_ = nullptr;
    TNewLidDlg* dialog_ = nullptr;
    QString hint_;
};

} // namespace tandemx
