#include "forms/TSplashForm.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace tandemx {

QPixmap tandemPicture(const QSize& size)
{
    QPixmap pix(size);
    pix.fill(QColor(0x1f, 0x6b, 0x3a));
    QPainter p(&pix);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF court(size.width() * 0.08, size.height() * 0.12, size.width() * 0.84, size.height() * 0.76);
    p.fillRect(court, QColor(0xc4, 0x5c, 0x2c));
    p.setPen(QPen(Qt::white, 2));
    p.drawRect(court);
    const double alley = court.height() * 0.12;
    p.drawLine(QPointF(court.left(), court.top() + alley), QPointF(court.right(), court.top() + alley));
    p.drawLine(QPointF(court.left(), court.bottom() - alley), QPointF(court.right(), court.bottom() - alley));
    const double service = court.width() * 0.23;
    p.drawLine(QPointF(court.left() + service, court.top() + alley), QPointF(court.left() + service, court.bottom() - alley));
    p.drawLine(QPointF(court.right() - service, court.top() + alley), QPointF(court.right() - service, court.bottom() - alley));
    p.drawLine(QPointF(court.left() + service, court.center().y()), QPointF(court.right() - service, court.center().y()));
    p.setPen(QPen(QColor(240, 240, 240), 3));
    p.drawLine(QPointF(court.center().x(), court.top() - 6), QPointF(court.center().x(), court.bottom() + 6));
    // Four players, two pairs.
    const QColor shirts[] = {QColor(0xff, 0xd7, 0x00), QColor(0xff, 0xd7, 0x00), QColor(0x4f, 0xc3, 0xf7), QColor(0x4f, 0xc3, 0xf7)};
    const QPointF spots[] = {{0.09, 0.3}, {0.13, 0.7}, {0.87, 0.3}, {0.91, 0.7}};
    for (int i = 0; i < 4; ++i) {
        p.setPen(Qt::NoPen);
        p.setBrush(shirts[i]);
        p.drawEllipse(QPointF(court.left() + spots[i].x() * court.width(), court.top() + spots[i].y() * court.height()), 7, 7);
    }
    // The name on a dark band across the net, so no court line runs through the letters.
    const QRectF band(court.left() + court.width() * 0.22, court.top() + court.height() * 0.26,
                      court.width() * 0.56, court.height() * 0.48);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x0d, 0x3b, 0x1e, 215));
    p.drawRoundedRect(band, size.height() * 0.04, size.height() * 0.04);
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(int(size.height() * 0.15));
    f.setBold(true);
    p.setFont(f);
    const QRectF title(band.left(), band.top() + band.height() * 0.06, band.width(), band.height() * 0.6);
    p.setPen(QColor(0, 0, 0, 140));
    p.drawText(title.translated(2, 2), Qt::AlignCenter, QStringLiteral("TandemX"));
    p.setPen(Qt::white);
    p.drawText(title, Qt::AlignCenter, QStringLiteral("TandemX"));
    QFont small(QStringLiteral("DejaVu Sans"));
    small.setPixelSize(std::max(8, int(size.height() * 0.065)));
    p.setFont(small);
    p.setPen(QColor(0xf2, 0xc1, 0x2e));
    const QRectF subtitle(band.left(), band.top() + band.height() * 0.64, band.width(), band.height() * 0.3);
    p.drawText(subtitle, Qt::AlignCenter, QStringLiteral("Tennis Programma"));
    return pix;
}

TSplashForm::TSplashForm(QWidget* parent) : QDialog(parent, Qt::SplashScreen | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("SplashForm"));
    setWindowTitle(QStringLiteral("T A N D E M X"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    auto* picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("Image1"));
    picture->setPixmap(tandemPicture());
    picture->setAlignment(Qt::AlignCenter);
    layout->addWidget(picture);
    setStyleSheet(QStringLiteral("QDialog#SplashForm { background: #0d3b1e; }"));
    timer_ = new QTimer(this);
    timer_->setInterval(1500);
    connect(timer_, &QTimer::timeout, timer_, &QTimer::stop);
    timer_->start();
    adjustSize();
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
}

bool TSplashForm::timerRunning() const { return timer_->isActive(); }

void TSplashForm::waitAndClose()
{
    while (timerRunning())
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    close();
}

void TSplashForm::closeEvent(QCloseEvent* event)
{
    if (timerRunning())
        event->ignore();
    else
        QDialog::closeEvent(event);
}

void TSplashForm::reject()
{
    if (!timerRunning())
        QDialog::reject();
}

} // namespace tandemx
