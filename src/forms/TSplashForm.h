#pragma once
#include <QDialog>

class QTimer;

namespace tandemx {

// The program's picture (400 x 200), drawn in code: a court seen from above with the name.
QPixmap tandemPicture(const QSize& size = QSize(400, 200));

// The start window: shows the picture and refuses to close until its 1.5 s timer has fired once.
class TSplashForm : public QDialog {
    Q_OBJECT
public:
    explicit TSplashForm(QWidget* parent = nullptr);
    bool timerRunning() const;
    // Processes events until the window agrees to close, then hides it.
    void waitAndClose();

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    QTimer* timer_;
};

} // namespace tandemx
