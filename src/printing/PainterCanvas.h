#pragma once
// The canvas on a QPainter: a printer, or a PDF file through QPdfWriter.
#include "printing/PrintCanvas.h"
#include "printing/PrintMetrics.h"

#include <QFont>
#include <QPageLayout>

#include <memory>

class QIODevice;
class QPagedPaintDevice;
class QPainter;
class QPdfWriter;

namespace tandemx::printing {

class PainterCanvas : public PrintCanvas {
public:
    // Paints on `device`, whose page layout is already set; begins the document.
    explicit PainterCanvas(QPagedPaintDevice& device);
    ~PainterCanvas() override;

    bool isActive() const;
    // Ends the document. False when painting failed.
    bool finish();
    int pages() const { return pages_; }

    void setFont(const QString& family, int pixelHeight) override;
    void drawText(int x, int y, const QString& text) override;
    int textWidth(const QString& text) override;
    void drawLine(int x1, int y1, int x2, int y2) override;
    void newPage() override;
    int pageWidth() const override;
    int pageHeight() const override;
    int pixelsPerInch() const override;

private:
    QPagedPaintDevice& device_;
    std::unique_ptr<QPainter> painter_;
    int pages_ = 1;
};

// A PDF file at 300 pixels per inch on A4 without device margins (the printout's own margins are
// printer pixels), portrait or landscape.
std::unique_ptr<QPdfWriter> pdfWriter(const QString& fileName, bool landscape);
std::unique_ptr<QPdfWriter> pdfWriter(QIODevice* device, bool landscape);

// The print metrics of such a PDF page in the orientation of the settings (nothing is kept).
PrintMetrics measurePdfPage(const PrintSettings& settings, bool printFontSetUp);

} // namespace tandemx::printing
