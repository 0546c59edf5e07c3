#include "forms/Icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <functional>

namespace tandemx {

namespace {

const QColor kInk(0x26, 0x32, 0x38);
const QColor kPaper(0xfd, 0xfd, 0xf8);
const QColor kGreen(0x2e, 0x7d, 0x4f);
const QColor kClay(0xd0, 0x69, 0x3a);
const QColor kYellow(0xf2, 0xc1, 0x2e);
const QColor kRed(0xc6, 0x28, 0x28);
const QColor kBlue(0x1e, 0x6f, 0xb8);
const QColor kGrey(0x9e, 0xa7, 0xad);

// All icons are drawn on a 24 x 24 grid and scaled.
QPen ink(double width = 1.5) { return QPen(kInk, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin); }

void plusSign(QPainter& p, QPointF c, QColor color)
{
    p.setPen(Qt::NoPen);
    p.setBrush(color);
    p.drawEllipse(c, 5, 5);
    p.setPen(QPen(Qt::white, 2, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(c.x() - 2.8, c.y()), QPointF(c.x() + 2.8, c.y()));
    p.drawLine(QPointF(c.x(), c.y() - 2.8), QPointF(c.x(), c.y() + 2.8));
}

void crossSign(QPainter& p, QPointF c)
{
    p.setPen(Qt::NoPen);
    p.setBrush(kRed);
    p.drawEllipse(c, 5, 5);
    p.setPen(QPen(Qt::white, 2, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(c.x() - 2.2, c.y() - 2.2), QPointF(c.x() + 2.2, c.y() + 2.2));
    p.drawLine(QPointF(c.x() - 2.2, c.y() + 2.2), QPointF(c.x() + 2.2, c.y() - 2.2));
}

void page(QPainter& p)
{
    QPainterPath path;
    path.moveTo(5, 2.5);
    path.lineTo(14, 2.5);
    path.lineTo(19, 7.5);
    path.lineTo(19, 21.5);
    path.lineTo(5, 21.5);
    path.closeSubpath();
    p.setPen(ink());
    p.setBrush(kPaper);
    p.drawPath(path);
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(QPolygonF({QPointF(14, 2.5), QPointF(14, 7.5), QPointF(19, 7.5)}));
}

void disk(QPainter& p, QColor body)
{
    p.setPen(ink());
    p.setBrush(body);
    QPainterPath path;
    path.moveTo(3.5, 3.5);
    path.lineTo(17.5, 3.5);
    path.lineTo(20.5, 6.5);
    path.lineTo(20.5, 20.5);
    path.lineTo(3.5, 20.5);
    path.closeSubpath();
    p.drawPath(path);
    p.setBrush(kPaper);
    p.drawRect(QRectF(7, 3.5, 9, 6));
    p.setBrush(kPaper);
    p.drawRect(QRectF(6.5, 13, 11, 7.5));
    p.setPen(QPen(kGrey, 1));
    p.drawLine(QPointF(8.5, 15.5), QPointF(15.5, 15.5));
    p.drawLine(QPointF(8.5, 18), QPointF(15.5, 18));
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    p.drawRect(QRectF(12.5, 4.8, 2, 3.6));
}

void rows(QPainter& p)
{
    p.setPen(ink(1.2));
    p.setBrush(kPaper);
    p.drawRect(QRectF(2.5, 3.5, 19, 15));
    p.setBrush(QColor(0xe4, 0xef, 0xe6));
    p.drawRect(QRectF(2.5, 3.5, 19, 4));
    p.drawLine(QPointF(2.5, 11.5), QPointF(21.5, 11.5));
    p.drawLine(QPointF(2.5, 15), QPointF(21.5, 15));
    p.drawLine(QPointF(7.5, 3.5), QPointF(7.5, 18.5));
}

void person(QPainter& p, QPointF head, QColor shirt, double s = 1.0)
{
    p.setPen(ink(1.2));
    p.setBrush(shirt);
    QPainterPath body;
    body.moveTo(head.x() - 5 * s, head.y() + 12 * s);
    body.cubicTo(head.x() - 5 * s, head.y() + 5 * s, head.x() + 5 * s, head.y() + 5 * s, head.x() + 5 * s, head.y() + 12 * s);
    body.closeSubpath();
    p.drawPath(body);
    p.setBrush(QColor(0xf3, 0xd2, 0xb3));
    p.drawEllipse(head, 3 * s, 3 * s);
}

void draw(QPainter& p, ToolIcon kind)
{
    switch (kind) {
    case ToolIcon::New:
        page(p);
        plusSign(p, QPointF(17.5, 17.5), kGreen);
        break;
    case ToolIcon::Open: {
        p.setPen(ink());
        p.setBrush(QColor(0xe0, 0xa8, 0x4e));
        QPainterPath back;
        back.moveTo(2.5, 19.5);
        back.lineTo(2.5, 5.5);
        back.lineTo(8.5, 5.5);
        back.lineTo(10.5, 7.5);
        back.lineTo(18.5, 7.5);
        back.lineTo(18.5, 10.5);
        p.drawPath(back);
        p.setBrush(kYellow);
        QPainterPath front;
        front.moveTo(2.5, 19.5);
        front.lineTo(6, 10.5);
        front.lineTo(22, 10.5);
        front.lineTo(18.5, 19.5);
        front.closeSubpath();
        p.drawPath(front);
        break;
    }
    case ToolIcon::Save:
        disk(p, kBlue);
        break;
    case ToolIcon::SaveAs: {
        disk(p, kBlue);
        // A pencil across the corner.
        p.save();
        p.translate(17, 17);
        p.rotate(-45);
        p.setPen(ink(1.1));
        p.setBrush(kYellow);
        p.drawRect(QRectF(-6, -1.8, 9, 3.6));
        p.setBrush(QColor(0xf3, 0xd2, 0xb3));
        QPainterPath tip;
        tip.moveTo(3, -1.8);
        tip.lineTo(6.5, 0);
        tip.lineTo(3, 1.8);
        tip.closeSubpath();
        p.drawPath(tip);
        p.restore();
        break;
    }
    case ToolIcon::Print:
        p.setPen(ink());
        p.setBrush(kPaper);
        p.drawRect(QRectF(6.5, 2.5, 11, 7));
        p.setBrush(QColor(0x78, 0x86, 0x8f));
        p.drawRoundedRect(QRectF(2.5, 8.5, 19, 9), 2, 2);
        p.setBrush(kPaper);
        p.drawRect(QRectF(6.5, 14.5, 11, 7));
        p.setPen(QPen(kGrey, 1));
        p.drawLine(QPointF(8.5, 17), QPointF(15.5, 17));
        p.drawLine(QPointF(8.5, 19.3), QPointF(13.5, 19.3));
        p.setPen(Qt::NoPen);
        p.setBrush(kGreen);
        p.drawEllipse(QPointF(18.5, 11.5), 1.1, 1.1);
        break;
    case ToolIcon::InsertRow:
        rows(p);
        plusSign(p, QPointF(17.5, 17.5), kGreen);
        break;
    case ToolIcon::DeleteRow:
        rows(p);
        crossSign(p, QPointF(17.5, 17.5));
        break;
    case ToolIcon::Search:
        p.setPen(QPen(kInk, 3.2, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(14.5, 14.5), QPointF(20.5, 20.5));
        p.setPen(ink(1.8));
        p.setBrush(QColor(0xd6, 0xea, 0xf8));
        p.drawEllipse(QPointF(10, 10), 6.5, 6.5);
        p.setPen(QPen(Qt::white, 1.5, Qt::SolidLine, Qt::RoundCap));
        p.drawArc(QRectF(6, 6, 8, 8), 100 * 16, 70 * 16);
        break;
    case ToolIcon::Sort: {
        p.setPen(Qt::NoPen);
        const double widths[] = {6, 9, 12, 15};
        for (int i = 0; i < 4; ++i) {
            p.setBrush(i == 3 ? kGreen : kInk);
            p.drawRoundedRect(QRectF(2.5, 3 + i * 5, widths[i], 3), 1, 1);
        }
        p.setPen(QPen(kClay, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawLine(QPointF(19.5, 3.5), QPointF(19.5, 19.5));
        p.setBrush(kClay);
        p.drawPolygon(QPolygonF({QPointF(16, 16.5), QPointF(23, 16.5), QPointF(19.5, 21.5)}));
        break;
    }
    case ToolIcon::ScheduleNames:
        person(p, QPointF(8, 6.5), kBlue);
        person(p, QPointF(16, 8.5), kClay);
        p.setPen(ink(1.2));
        p.setBrush(kYellow);
        p.drawEllipse(QPointF(19.5, 3.5), 2.2, 2.2);
        break;
    case ToolIcon::SchedulePairs: {
        QFont f(QStringLiteral("DejaVu Sans"));
        f.setBold(true);
        f.setPixelSize(10);
        p.setFont(f);
        const QColor shirts[] = {kBlue, kClay};
        for (int i = 0; i < 2; ++i) {
            const QRectF box(1.5 + i * 10, 2.5 + i * 9, 10.5, 10.5);
            p.setPen(ink(1.2));
            p.setBrush(shirts[i]);
            p.drawRoundedRect(box, 2, 2);
            p.setPen(Qt::white);
            p.drawText(box, Qt::AlignCenter, QString::number(i + 1));
        }
        break;
    }
    case ToolIcon::Overview:
        p.setPen(ink(1.2));
        p.setBrush(kPaper);
        p.drawRect(QRectF(3.5, 2.5, 17, 19));
        p.setPen(Qt::NoPen);
        p.setBrush(kClay);
        p.drawRect(QRectF(5.5, 4.5, 13, 3));
        for (int i = 0; i < 4; ++i) {
            p.setBrush(i % 2 ? kGrey : kGreen);
            p.drawRect(QRectF(5.5, 9.5 + i * 3, 5, 1.6));
            p.setBrush(kGrey);
            p.drawRect(QRectF(12, 9.5 + i * 3, 6.5, 1.6));
        }
        break;
    }
}

QPixmap render(int size, const std::function<void(QPainter&)>& paint)
{
    QPixmap pix(size, size);
    pix.fill(Qt::transparent);
    QPainter p(&pix);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.scale(size / 24.0, size / 24.0);
    paint(p);
    return pix;
}

void drawApp(QPainter& p)
{
    // Club-green tile, clay court seen from above, white lines, a yellow ball.
    p.setPen(Qt::NoPen);
    p.setBrush(kGreen);
    p.drawRoundedRect(QRectF(0.5, 0.5, 23, 23), 4.5, 4.5);
    const QRectF court(3.5, 5, 17, 14);
    p.setBrush(kClay);
    p.drawRect(court);
    p.setPen(QPen(Qt::white, 0.9));
    p.setBrush(Qt::NoBrush);
    p.drawRect(court);
    p.drawLine(QPointF(3.5, 6.8), QPointF(20.5, 6.8));
    p.drawLine(QPointF(3.5, 17.2), QPointF(20.5, 17.2));
    p.drawLine(QPointF(7.5, 6.8), QPointF(7.5, 17.2));
    p.drawLine(QPointF(16.5, 6.8), QPointF(16.5, 17.2));
    p.drawLine(QPointF(7.5, 12), QPointF(16.5, 12));
    p.setPen(QPen(QColor(0xee, 0xee, 0xee), 1.5));
    p.drawLine(QPointF(12, 3.8), QPointF(12, 20.2));
    p.setPen(QPen(kInk, 0.6));
    p.setBrush(kYellow);
    p.drawEllipse(QPointF(16.8, 9.4), 2.3, 2.3);
    // The seams: two curves bending in from either side.
    QPainterPath seams;
    seams.moveTo(15.2, 7.9);
    seams.quadTo(16.6, 9.4, 15.2, 10.9);
    seams.moveTo(18.4, 7.9);
    seams.quadTo(17.0, 9.4, 18.4, 10.9);
    p.setPen(QPen(Qt::white, 0.5));
    p.setBrush(Qt::NoBrush);
    p.drawPath(seams);
}

} // namespace

QPixmap iconPixmap(ToolIcon kind, int size)
{
    return render(size, [kind](QPainter& p) { draw(p, kind); });
}

QPixmap appIconPixmap(int size) { return render(size, drawApp); }

QIcon toolIcon(ToolIcon kind)
{
    QIcon icon;
    for (int size : {16, 22, 24, 28, 32, 48})
        icon.addPixmap(iconPixmap(kind, size));
    // Disabled buttons: the same drawing, washed out.
    for (int size : {22, 24, 28}) {
        QPixmap pix = iconPixmap(kind, size);
        QPainter p(&pix);
        p.setCompositionMode(QPainter::CompositionMode_DestinationIn);
        p.fillRect(pix.rect(), QColor(0, 0, 0, 90));
        p.end();
        icon.addPixmap(pix, QIcon::Disabled);
    }
    return icon;
}

QIcon appIcon()
{
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256})
        icon.addPixmap(appIconPixmap(size));
    return icon;
}

} // namespace tandemx
