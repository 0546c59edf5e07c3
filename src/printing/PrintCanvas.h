#pragma once
// The surface a printout is laid out on. The layouts below only talk to this interface; the desktop
// program and tandemx-cli paint on a QPainter (printer or PDF file), tests record the calls.
// Coordinates are printer pixels, (0, 0) the top-left corner of the page; a text is drawn with its
// top-left corner at the given point.
#include <QString>

namespace tandemx::printing {

class PrintCanvas {
public:
    virtual ~PrintCanvas() = default;
    // Selects the font for the following texts: its character height in pixels is `pixelHeight`.
    virtual void setFont(const QString& family, int pixelHeight) = 0;
    virtual void drawText(int x, int y, const QString& text) = 0;
    virtual int textWidth(const QString& text) = 0;
    virtual void drawLine(int x1, int y1, int x2, int y2) = 0;
    virtual void newPage() = 0;
    virtual int pageWidth() const = 0;
    virtual int pageHeight() const = 0;
    virtual int pixelsPerInch() const = 0;
};

} // namespace tandemx::printing
