#include "printing/PainterCanvas.h"

#include <QBuffer>
#include <QFontMetrics>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>

namespace tandemx::printing {

PainterCanvas::PainterCanvas(QPagedPaintDevice& device) : device_(device), painter_(std::make_unique<QPainter>())
{
    painter_->begin(&device_);
    QPen pen(Qt::black);
    pen.setWidth(std::max(1, device_.logicalDpiX() / 150));
    painter_->setPen(pen);
}

PainterCanvas::~PainterCanvas()
{
    if (painter_->isActive())
        painter_->end();
}

bool PainterCanvas::isActive() const
{
    return painter_->isActive();
}

bool PainterCanvas::finish()
{
    return painter_->isActive() && painter_->end();
}

void PainterCanvas::setFont(const QString& family, int pixelHeight)
{
    QFont font(family);
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(std::max(1, pixelHeight));
    painter_->setFont(font);
}

void PainterCanvas::drawText(int x, int y, const QString& text)
{
    painter_->drawText(x, y + painter_->fontMetrics().ascent(), text);
}

int PainterCanvas::textWidth(const QString& text)
{
    return painter_->fontMetrics().horizontalAdvance(text);
}

void PainterCanvas::drawLine(int x1, int y1, int x2, int y2)
{
    painter_->drawLine(x1, y1, x2, y2);
}

void PainterCanvas::newPage()
{
    device_.newPage();
    ++pages_;
}

int PainterCanvas::pageWidth() const
{
    return device_.width();
}

int PainterCanvas::pageHeight() const
{
    return device_.height();
}

int PainterCanvas::pixelsPerInch() const
{
    return device_.logicalDpiY();
}

namespace {

void setUp(QPdfWriter& writer, bool landscape)
{
    writer.setResolution(300);
    writer.setCreator(QStringLiteral("TandemX"));
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4),
                                     landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                                     QMarginsF(0, 0, 0, 0)));
}

} // namespace

std::unique_ptr<QPdfWriter> pdfWriter(QIODevice* device, bool landscape)
{
    auto writer = std::make_unique<QPdfWriter>(device);
    setUp(*writer, landscape);
    return writer;
}

PrintMetrics measurePdfPage(const PrintSettings& settings, bool printFontSetUp)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    auto writer = pdfWriter(&buffer, landscape(settings));
    PainterCanvas canvas(*writer);
    const PrintMetrics metrics = setUpMetrics(canvas, settings, printFontSetUp);
    canvas.finish();
    return metrics;
}

std::unique_ptr<QPdfWriter> pdfWriter(const QString& fileName, bool landscape)
{
    auto writer = std::make_unique<QPdfWriter>(fileName);
    setUp(*writer, landscape);
    return writer;
}

} // namespace tandemx::printing
