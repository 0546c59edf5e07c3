#pragma once
// "Invoeren van Matchpunten": the match window. Shows for the chosen match every member with the
// games won in each match so far, the running total and the place; the user types this evening's
// games per member and "Reken" recomputes running totals and places. Not modal; created once, every
// OpenMatchForm starts it afresh for the current match.
#include "state/AppState.h"

#include <QStringList>
#include <QWidget>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tandemx {

class ScoreGrid;

class TMatchForm : public QWidget {
    Q_OBJECT
public:
    // Grid columns before the games of the matches.
    enum Column { Ix = 0, Club = 1, Voornaam = 2, Achternaam = 3, Grp = 4, Actie = 5 };

    explicit TMatchForm(AppState& state, QWidget* parent = nullptr);

    // Shows the form for the match CurrentMatch refers to, with matches 1..N as columns.
    void OpenMatchForm();

    // The grid values of row r (1..MemberCount) of the form's match into that member's score record:
    // club number, this match's games, running total and place. A member who did not play ("-") is
    // refused with "Speler heeft niet getennist". False when nothing was taken over.
    bool TakeRow(int r);
    // Every row of a member who played; a cell that is no number is reported per row.
    void TakeAllRows();
    void Reken();
    void Sluit();     // "&Sluit"
    void Schrap();    // "S&chrap": closes without taking anything over
    void Gegevens();  // shows "Match parameters"
    void Bewaar();    // "&Bewaar": writes the match file
    // Shows the records of the match as they are now (after games were copied into it, or the member
    // list changed), keeping the current row.
    void showCopiedScores();

    int matchNumber() const { return matchNr_; }
    // The games column of the form's match (5 + N): where the evening's games are typed.
    int gamesColumn() const { return Actie + matchNr_; }
    int totalColumn() const { return Actie + matchNr_ + 1; }
    int placeColumn() const { return Actie + matchNr_ + 2; }
    int activeMen() const { return activeMen_; }
    int activeLadies() const { return activeLadies_; }
    ScoreGrid* grid() const { return grid_; }
    // The title of a grid column as the printout and export name it ("Club", "Games"); the grid
    // draws some of them over two lines.
    QString headerCell(int column) const { return column >= 0 && column < titles_.size() ? titles_[column] : QString(); }
    // One comma-separated line per member row, as the last filling of the grid built them.
    const QStringList& exportLines() const { return exportLines_; }

    static constexpr int DefaultWidth = 700;
    static constexpr int DefaultHeight = 540;
    static constexpr int OpenHeight = 480;
    static constexpr int LastMatch = 40; // "&Nieuwe Match" goes off while this match is open
    static constexpr int HelpContext = 264;

signals:
    // The form closes; its "Bee&ld" entry goes.
    void closing();
    // Match 40 is open: "&Nieuwe Match" goes off.
    void lastMatchOpen();
    void printRequested();
    void exportRequested();

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void fillGrid(int wantedRow);
    // Keeps the score records with their members after the member list changed.
    void followMembers();
    void countActivePlayers();
    void layOut();
    bool gridKey(QKeyEvent* event);
    void gridPressed(int row, int column);
    bool playedNot(int r) const;
    bool takeRow(int r, bool reportConversion);
    void rank();

    AppState& state_;
    int matchNr_ = 0;
    int activeMen_ = 0;
    int activeLadies_ = 0;
    bool closingConfirmed_ = true;
    QStringList exportLines_;
    QStringList titles_;

    ScoreGrid* grid_ = nullptr;
    QLabel* aantalHrntxt_ = nullptr;
    QLabel* aantalDmstxt_ = nullptr;
    QLabel* aantalHrnLab_ = nullptr;
    QLabel* aantalDmsLab_ = nullptr;
    QLabel* totalLabel_ = nullptr;
    QLineEdit* totalTxt_ = nullptr;
    QPushButton* rekenBtn_ = nullptr;
    QPushButton* gegevensBtn_ = nullptr;
    QWidget* bottomPanel_ = nullptr;
    QGroupBox* parameters_ = nullptr;
    QLabel* parameterValues_[5] = {};
};

} // namespace tandemx
