#pragma once
// "Selectie van matches": the modal dialog in which the user makes a new match or picks an existing
// one and sets its number of rounds, play date and whether games or sets are counted. It edits the
// CurrentMatch header and writes it back into the match list.
#include "state/AppState.h"

#include <QDialog>

class QButtonGroup;
class QComboBox;
class QDateEdit;
class QGroupBox;
class QLineEdit;
class QPushButton;

namespace tandemx {

class TMatchSelDlg : public QDialog {
    Q_OBJECT
public:
    // How the dialog was called: "&Nieuwe Match", "&Open Match", or from "Invoer Games".
    enum Kind { NotShownYet = 0, NewMatch = 1, OpenMatch = 2, FromGameInput = 3 };

    explicit TMatchSelDlg(AppState& state, QWidget* parent = nullptr);

    // Shows the dialog for a new match, an open match or the game input. Returns the match-chosen flag: true when a match was
    // chosen, which is then CurrentMatch (header and reference). A cancelled new match is removed
    // again; cancelling otherwise leaves CurrentMatch as it was.
    bool SelectMatch(Kind kind);
    bool matchChosen() const { return matchChosen_; }
    Kind kind() const { return kind_; }

    // Takes field n (1 number, 2 rounds, 3 date, 4 input mode) into the CurrentMatch header.
    void TakeMatchField(int n);

    static constexpr int DefaultWidth = 320;
    static constexpr int DefaultHeight = 250;
    static constexpr int HelpContext = 260;

public slots:
    void accept() override; // "&OK"

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void showHeader();
    void loadTypedMatch();
    bool refuseMatchNumber(int refusal);

    AppState& state_;
    Kind kind_ = NotShownYet;
    bool matchChosen_ = false;

    QComboBox* matchSelBox_ = nullptr;
    QLineEdit* rondenEdit_ = nullptr;
    QDateEdit* datePicker_ = nullptr;
    QGroupBox* invoerkeuze_ = nullptr;
    QButtonGroup* invoerButtons_ = nullptr;
    QPushButton* okMatchBtn_ = nullptr;
};

} // namespace tandemx
