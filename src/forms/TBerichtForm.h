#pragma once
// The program's message dialog: a caption and system icon by kind, the word-wrapped text and a row of
// Dutch push buttons chosen by bits. Built anew for every message; its sizes derive from the average
// character width of the dialog font.
#include <QDialog>
#include <QPointer>

#include <cstdint>
#include <functional>
#include <vector>

#include <QPushButton>

namespace tandemx {

class TBerichtForm : public QDialog {
    Q_OBJECT
public:
    // Run modally (exec) the dialog returns the result of the button pressed, the cancel button's
    // result for Escape and 2 for the close box.
    TBerichtForm(const QString& text, int kind, uint16_t buttons, int helpContext, QWidget* parent = nullptr);

    // Opens the help for a context number; the "&Help" button calls it and leaves the dialog open.
    std::function<void(int)> onHelp;

    static QString caption(int kind);
    // Carriage returns and line feeds (alone or as a pair) become line breaks.
    static QString displayText(const QString& text);

    uint16_t buttons() const { return buttons_; }
    int helpContext() const { return helpContext_; }
    QPushButton* defaultButton() const { return default_; }
    // The button whose result Escape gives, when it is shown.
    QPushButton* cancelButton() const { return cancel_; }
    const std::vector<QPushButton*>& buttonRow() const { return row_; }

    struct Metrics {
        int charWidth, charHeight;
        int hMargin, vMargin, hSpacing, vSpacing, buttonWidth, buttonHeight, buttonSpacing;
    };
    const Metrics& metrics() const { return m_; }

public slots:
    void reject() override; // the close box

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void build(const QString& text, int kind);

    uint16_t buttons_;
    int helpContext_;
    Metrics m_{};
    QPointer<QPushButton> default_;
    QPointer<QPushButton> cancel_;
    std::vector<QPushButton*> row_;
};

} // namespace tandemx
