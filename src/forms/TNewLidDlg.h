#pragma once
// The member dialog: one member entered or changed field by field. Enter (and Tab in most fields)
// takes a field over into the working record with its check; "&Voeg in" takes all fields over.
// The caller inserts a new member or refills the grid afterwards (MemberView::openNewMember and
// openEditMember).
#include "records/TLedenObj.h"

#include <QDialog>

#include <array>

class QLabel;
class QLineEdit;
class QPushButton;

namespace tandemx {

struct AppState;

class TNewLidDlg : public QDialog {
    Q_OBJECT
public:
    enum class Outcome { None, VoegIn, Schrap };
    static constexpr int FieldCount = 11;

    explicit TNewLidDlg(AppState& state, QWidget* parent = nullptr);

    // A fresh record for a new member at grid row `row` of a list with memberCount members.
    void prepareNew(int row, int memberCount);
    // The member's own record, changed in place as fields are confirmed.
    void prepareEdit(TLedenObj& member);

    Outcome outcome() const { return outcome_; }
    bool isNew() const { return editing_ == nullptr; }
    const TLedenObj& record() const { return editing_ ? *editing_ : own_; }
    const TLedenObj& restoreCopy() const { return restore_; }

    // The edit of a field by its tag 1..11.
    QLineEdit* edit(int tag) const { return edits_.at(size_t(tag - 1)); }

public slots:
    void reject() override; // closed another way (the close box)

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    TLedenObj& working() { return editing_ ? *editing_ : own_; }
    void start(const QString& caption, const QString& heading);
    void fillEdits();
    void storeField(int tag);
    void voegIn();
    void schrap();
    void herstel();

    AppState& state_;
    TLedenObj own_;
    TLedenObj* editing_ = nullptr;
    TLedenObj restore_;
    Outcome outcome_ = Outcome::None;

    std::array<QLineEdit*, FieldCount> edits_{};
    QLabel* clubIndex_ = nullptr;
    QLabel* kopLabel_ = nullptr;
    QPushButton* invoegKnop_ = nullptr;
    QPushButton* stopKnop_ = nullptr;
    QPushButton* herstelKnop_ = nullptr;
};

} // namespace tandemx
