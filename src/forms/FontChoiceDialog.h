#pragma once
// The font dialog of "Print Font" and "TextFont" in "Opties": a font family, a size and a sample. It
// offers only the sizes the program takes for that font (for the window text font 8 and up), so a
// size is never changed behind the user's back after the dialog closed.
#include <QDialog>
#include <QFont>

#include <optional>

class QComboBox;
class QFontComboBox;
class QLabel;
class QPushButton;

namespace tandemx {

class ModalHooks;

class FontChoiceDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int LargestSize = 512;

    FontChoiceDialog(const QFont& initial, const QString& title, int smallestSize, QWidget* parent = nullptr);

    // The font chosen so far; its size is the one in the size field when that holds a size offered.
    QFont chosenFont() const;
    // Whether the size field holds a whole number from the smallest size up to LargestSize.
    bool sizeAccepted() const;
    int smallestSize() const { return smallestSize_; }

    // Runs the dialog modally, after the hooks had it; nothing when it is cancelled.
    static std::optional<QFont> getFont(const QFont& initial, const QString& title, int smallestSize,
                                        QWidget* parent, const ModalHooks& hooks);

private:
    void sizeEdited();
    void updateSample();

    int smallestSize_;
    QFontComboBox* familyBox_ = nullptr;
    QComboBox* sizeBox_ = nullptr;
    QLabel* sample_ = nullptr;
    QPushButton* okBtn_ = nullptr;
};

} // namespace tandemx
