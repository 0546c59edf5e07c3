#pragma once
// "Coderen van banen": gives each court position the code painted on the court, before a calculation.
// The codes go into the schedule's CourtCodes.
#include "state/AppState.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace tandemx {

class TBanenDlg : public QDialog {
    Q_OBJECT
public:
    explicit TBanenDlg(AppState& state, QWidget* parent = nullptr);

    // Sets the labels for shownCourts courts and starts at position 1 with code 1.
    void prepare(int shownCourts);
    int currentCourt() const { return currentCourt_; }

public slots:
    void accept() override; // "O&k": stores the code shown, then closes

private:
    // Stores the code shown for the current position; a code that is not a whole number beeps and
    // stores nothing (false).
    bool storeCode();
    // "Baan +" (step 1) and "Baan - " (step -1).
    void step(int d);
    int courts() const;

    AppState& state_;
    int currentCourt_ = 1;
    QLabel* baanLabel_ = nullptr;
    QLabel* baanCodeLabel_ = nullptr;
    QLineEdit* baanEdit_ = nullptr;
    QLineEdit* baanCodeEdit_ = nullptr;
    QPushButton* nextBtn_ = nullptr;
    QPushButton* prevBtn_ = nullptr;
    QPushButton* okBtn_ = nullptr;
};

// Prepares the court coding dialog for shownCourts courts and shows it modally.
void OpenCourtCoding(AppState& state, TBanenDlg& dialog, int shownCourts);

} // namespace tandemx
