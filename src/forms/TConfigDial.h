#pragma once
// The key-data dialog ("Sleutel gegevens"): club name, club size, the schedule limits, the group
// codes, matches kept and the three option switches of the open member file.
#include "records/KeyDataFields.h"
#include "state/AppState.h"

#include <QDialog>

#include <array>
#include <functional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tandemx {

class TConfigDial : public QDialog {
    Q_OBJECT
public:
    explicit TConfigDial(AppState& state, QWidget* parent = nullptr);

    // Fills the controls from the key data of the open member file and starts editing a copy of them.
    void fillControls();
    // The record as edited so far; OK makes it the key data of the member file and saves it.
    const KeyData& keyData() const { return data_; }
    bool restartNeeded() const { return fields_.restartNeeded; }
    KeyDataControls controls() const;

    // Called when the dialog is left without OK (Schrap, Escape, close box): the main window makes
    // "&Nieuw" available again.
    std::function<void()> onCancel;

    static constexpr int DefaultWidth = 530;
    static constexpr int DefaultHeight = 440;

signals:
    void cancelled();

public slots:
    void accept() override; // "O&k"
    void reject() override; // "Schrap", Escape, close box

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void takeField(int tag, bool check);
    void enterPressed(int tag);
    void gamesBoxClicked(bool checked);
    void focusOn(QWidget* widget);

    AppState& state_;
    KeyData data_;
    KeyDataFields fields_{data_, state_.messages};
    std::array<QLineEdit*, 8> edits_{};
    QLabel* matchesLabel_ = nullptr;
    QCheckBox* gamesBox_ = nullptr;
    QCheckBox* veelWeinigBox_ = nullptr;
    QCheckBox* helpmessBox_ = nullptr;
    QCheckBox* baancodeBox_ = nullptr;
    QPushButton* okBtn_ = nullptr;
    QPushButton* schrapBtn_ = nullptr;
};

// Shows the key-data dialog modally. With useDefaults the key data are first replaced by the
// defaults (a new member file); without, the current key data are shown, and without a member list
// the warning "Geen Ledenbestand geladen" is shown instead. Returns whether the dialog was closed
// with OK and leaves that in state.club.configAccepted. onCancel runs when it was left without OK.
bool ShowConfig(AppState& state, bool useDefaults, QWidget* parent = nullptr,
                std::function<void()> onCancel = {});

} // namespace tandemx
