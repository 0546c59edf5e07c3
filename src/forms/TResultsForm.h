#pragma once
// "Schema Resultaten": the overview window. Shows the pair schedule, the court schedule, times played,
// the cross table and the games per round in its list view, and the change grid in which two players
// are swapped by hand. Not modal; created once and reused, every ShowOverview rebuilds it.
#include "overviews/OverviewLayout.h"
#include "overviews/OverviewLines.h"
#include "overviews/ScheduleChange.h"
#include "state/AppState.h"

#include <QWidget>

#include <functional>

class QAction;
class QLabel;
class QMenu;
class QPushButton;
class QTableWidget;
class QTreeWidget;
class QWidget;

namespace tandemx {

class TResultsForm : public QWidget {
    Q_OBJECT
public:
    explicit TResultsForm(AppState& state, QWidget* parent = nullptr);
    ~TResultsForm() override;

    // Builds overview `kind` (1..5, 10) from the schedule of the moment and shows the window. Does
    // nothing without a schedule; refuses the change grid of a numbered schedule (message 34).
    void ShowOverview(overviews::OverviewKind kind);

    // A new schedule was accepted: a visible list shows it; the change grid, which belongs to the old
    // schedule, closes (as does a list that cannot be built from the new schedule).
    void scheduleChanged();
    // Another member list was opened or made: the window closes.
    void closeForOtherClub();

    overviews::OverviewKind kind() const { return kind_; }
    int captionRow() const { return captionRow_; }
    // The lines of the overview shown (the export writes these; inserted rows are not among them).
    const overviews::OverviewLines& lines() const { return lines_; }
    const overviews::OverviewLayout& overviewLayout() const { return layout_; }
    const overviews::ScheduleChange& change() const { return change_; }
    QTreeWidget* listView() const { return listView_; }
    QTableWidget* grid() const { return grid_; }
    QMenu* popupMenu() const { return popup_; }

    // The open match: its number (heading of the games overview) and the games won on a place of a
    // court in a round. Unset while no match is open: number 0, no games.
    std::function<int()> matchNumber;
    std::function<int(int round, int court, int place)> games;

    static constexpr int HelpContext = 250;

signals:
    // A schedule exists: the main window's overview commands go on.
    void overviewsEnabled();
    // The window is shown with a new overview.
    void overviewShown();
    // "&Sluit": the window closes.
    void closing();
    // The list view's hint changed (the main window shows it in its status bar).
    void hintChanged(const QString& hint);
    void printRequested();
    void exportRequested();

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void Paarschema2Click(overviews::OverviewKind kind);
    void StopBtnClick();
    void HelpResBtnClick();
    void FormActivate();
    void ListViewMouseDown(const QPoint& pos);
    void ListViewMouseMove(int x);
    void VoeginRijClick();
    void VerwijderRijClick();
    void BewerkGridClick(int row, int column);
    void BewerkGridKeyPress();

    void fillListView();
    void fillGrid(const std::string& header);
    void applyTextFont();
    void layOut();
    void setGuide(const std::string& text);

    AppState& state_;
    overviews::OverviewKind kind_ = overviews::NoOverview;
    int captionRow_ = 0;
    int headingWidth_ = 225;
    int extraWidth_ = 0;
    overviews::OverviewLines lines_;
    overviews::OverviewLayout layout_;
    overviews::ScheduleChange change_;
    QString hint_;

    QLabel* resulthead_ = nullptr;
    QLabel* groepKopLab1_ = nullptr;
    QLabel* bewerkTextLab_ = nullptr;
    QLabel* baanleeglab_ = nullptr;
    QTreeWidget* listView_ = nullptr;
    QTableWidget* grid_ = nullptr;
    QWidget* resultPanel_ = nullptr;
    QPushButton* stopBtn_ = nullptr;
    QPushButton* redBtn_ = nullptr;
    QPushButton* printBtn_ = nullptr;
    QPushButton* helpResBtn_ = nullptr;
    QMenu* popup_ = nullptr;
    QAction* voeginRegel_ = nullptr;
    QAction* verwijderRij_ = nullptr;
};

} // namespace tandemx
