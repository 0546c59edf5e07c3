#pragma once
// "Schema Opzet": the window in which the user sets up a schedule (players, rounds, courts, courts per
// round, play and pause options), runs the calculation, watches its progress, stops it and accepts
// the result. "Tegenstanders spreiden" is remembered per user in the program's settings (QSettings),
// not in the key data.
#include "state/AppState.h"

#include <QDate>
#include <QDialog>

#include <array>
#include <functional>
#include <memory>

class QCheckBox;
class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QTimer;

namespace tandemx {

class SchemaHost;
class TBanenDlg;
class TTandem12X;

class TSchemaForm : public QDialog {
    Q_OBJECT
public:
    // Dialog results: "&OK", "S&top" (abort) and any other close.
    enum Outcome { Closed = 0, Accepted = 1, Aborted = 3 };

    explicit TSchemaForm(AppState& state, QWidget* parent = nullptr);
    ~TSchemaForm() override;

    // The opening steps for mode 1 (players with names) or 2 (numbered players): layout, category
    // names, court codes (with the court coding dialog when the key data ask for it), defaults and
    // player tables. False when no schedule can be made (mode 1 without a member list; reported).
    bool prepare(engine::ScheduleMode mode);

    // Takes the field with this tag over (1..5 counts, 6 date, 8..10 check boxes, 11..28 the court
    // grid). False when the text was refused (reported) or is not a whole number (beep).
    bool ValidateField(int tag);

    // The round count of the open match, 0 without one (the match part provides it).
    std::function<int()> matchRounds;

    bool running() const { return running_; }
    int gridOffset() const { return gridOffset_; }
    bool rowsBuilt() const { return rowsBuilt_; }
    QDate playDate() const { return playDate_; }
    int helpContext() const { return helpContext_; }
    TBanenDlg* courtCoding() const { return banenDlg_.get(); }
    // The grid edit of tag 11..28 (nullptr before the first "&Meer").
    QLineEdit* gridEdit(int tag) const;

    static constexpr int DefaultWidth = 541;
    static constexpr int DefaultHeight = 540;

    // What the schedule host drives.
    void showWarningLine(const QString& text);
    void hideWarningLine();
    void waitForDelayTimer(int milliseconds);
    void setMemoLine(int line, const QString& text, int height);
    void clearMemo();
    void hideMemo();
    QProgressBar* progressBar() const { return rekenProgress_; }
    QLabel* progressLabel() const { return progressLabel_; }
    void setStopShown(bool shown);
    // Stop asked while the calculation had not yet cleared its StopRequest.
    bool stopPending() const { return stopPending_; }

public slots:
    void done(int result) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void buildControls();
    void applyWindowFontSize();
    void buildGrid();
    void setCategoryNames();
    void writeInputs();
    void setInputsEnabled(bool on);
    void focusOn(QWidget* widget);

    void fieldEnter(int tag);
    void moveInGrid(int tag, int step);
    void MoreBtnClick();
    void fillGrid();
    void storeGrid();
    void scrollGrid(int step);
    void StartSchemaBtnClick();
    void StopSchemaBtnClick();
    void SluitBtnClick();
    void pauseChanged(int spin, int value);
    // "Tegenstanders spreiden" into the schedule's settings and the user's program settings.
    void takeSpreadOption();

    // Takes over the fields of these tags in order; false at the first one refused (reported, focused).
    bool takeFields(int firstTag, int lastTag);
    bool takeDate(bool report);
    int storedValue(int tag) const;
    void storeValue(int tag, int value);
    QLineEdit* inputEdit(int tag) const;
    int tagOf(QObject* object) const;

    AppState& state_;
    engine::ScheduleState& schedule_;
    std::unique_ptr<SchemaHost> host_;
    std::unique_ptr<TBanenDlg> banenDlg_;

    // Inputs (tags 1..6) and the rest of the form.
    std::array<QLineEdit*, 6> inputs_{};
    QLabel* nherenLabel_ = nullptr;
    QLabel* ndamesLabel_ = nullptr;
    QPushButton* moreBtn_ = nullptr;
    QGroupBox* banenBox_ = nullptr;
    QLabel* herenLab_ = nullptr;
    QLabel* damesLab_ = nullptr;
    QLabel* gemengdLab_ = nullptr;
    QCheckBox* dameFirstBox_ = nullptr;
    QCheckBox* variPairsBox_ = nullptr;
    QCheckBox* groep1to2Box_ = nullptr;
    QCheckBox* spreidBox_ = nullptr;
    QSpinBox* pauzeEdit1_ = nullptr;
    QSpinBox* pauzeEdit2_ = nullptr;
    QPushButton* startBtn_ = nullptr;
    QPushButton* stopBtn_ = nullptr;
    QPushButton* rondePlusBtn_ = nullptr;
    QPushButton* rondeMinBtn_ = nullptr;
    QPlainTextEdit* memo_ = nullptr;
    QProgressBar* rekenProgress_ = nullptr;
    QLabel* progressLabel_ = nullptr;
    QLabel* foutregelLabel_ = nullptr;
    QPushButton* sluitBtn_ = nullptr;
    QPushButton* helpBtn_ = nullptr;
    QTimer* delayTimer_ = nullptr;
    QGridLayout* gridLayout_ = nullptr;

    // The court grid: 6 rows x 3 columns (men, ladies, mixed) and a label per row.
    std::array<std::array<QLineEdit*, 6>, 3> grid_{};
    std::array<QLabel*, 6> rowLabels_{};
    std::array<std::array<int, 6>, 3> gridValues_{};
    int gridOffset_ = 0;

    QDate playDate_;
    QStringList memoLines_;
    int helpContext_ = 240;
    bool rowsBuilt_ = false;
    bool okClicked_ = false;
    // A calculation ran since the form was opened or Start was last pressed, and stored rounds: what
    // "&OK" accepts.
    bool computed_ = false;
    bool running_ = false;
    bool stopPending_ = false;
    bool closeAfterRun_ = false;
    bool closeBoxDuringRun_ = false;
};

// "Schema met &Namen" (mode 1) and "Schema met &Paren" (mode 2): opens the set-up window of the main
// window (created on first use) and, on "&OK", switches the main window's overview commands on, and its
// match commands when the key data keep games.
void OpenScheduleSetup(AppState& state, TTandem12X& window, engine::ScheduleMode mode);
// The set-up window of the main window, created on first use.
TSchemaForm& scheduleForm(AppState& state, TTandem12X& window);

} // namespace tandemx
