#pragma once
// "Invoer van Game of Set-punten": the game input. Shows for the chosen match one round of the
// schedule, one row per court with the names of the two pairs and the games each pair won; the
// numbers go into the match's court scores. Not modal; created once and reused.
#include "state/AppState.h"

#include <QWidget>

class QLabel;
class QPushButton;

namespace tandemx {

class ScoreGrid;

class TInvoerForm : public QWidget {
    Q_OBJECT
public:
    enum Column { Baan = 0, Paar1 = 1, Games1 = 2, Paar2 = 3, Games2 = 4 };

    explicit TInvoerForm(AppState& state, QWidget* parent = nullptr);

    // Opens the form on round 1 for match matchNr, counting games (0) or sets (1). Does nothing
    // without a schedule; false then.
    bool OpenGameInput(int matchNr, int inputMode);

    // The games of court row k (1..courts) into the round's court scores. A cell that is no number
    // stores nothing and is reported.
    bool StoreCourt(int k);
    // Every court of the round; at the first failing court LastErrorState becomes its row number.
    bool storeRound();
    // "Ronde +" (1) and "Ronde -" (-1), PageDown and PageUp: stores the round, then moves within the
    // rounds of the match; a failing court keeps the round and selects its row.
    void changeRound(int delta);
    void Ok();     // "&Ok"
    void Schrap(); // "&Schrap"

    int matchNumber() const { return matchNr_; }
    int inputMode() const { return inputMode_; }
    int round() const { return round_; }
    int lastRound() const;
    ScoreGrid* grid() const { return grid_; }

    static constexpr int DefaultWidth = 700;
    static constexpr int GridWidth = 535;
    static constexpr int HelpContext = 265;

signals:
    void closing();
    // "&Ok" took the scores: "&Nieuwe Match" goes off.
    void scoresAccepted();

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void fillGrid();
    void layOut();
    void placeControls();
    bool gridKey(QKeyEvent* event);
    TScoreObj* roundScores();
    int courts() const;

    AppState& state_;
    int matchNr_ = 0;
    int inputMode_ = 0;
    int round_ = 1;
    bool closingConfirmed_ = true;

    QLabel* matchlabel_ = nullptr;
    QLabel* rondeLabel_ = nullptr;
    QLabel* datumLabel_ = nullptr;
    ScoreGrid* grid_ = nullptr;
    QPushButton* rndplusBtn_ = nullptr;
    QPushButton* rndminBtn_ = nullptr;
    QWidget* bottomPanel_ = nullptr;
};

} // namespace tandemx
