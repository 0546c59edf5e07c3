#pragma once
// What every printout shares: the print metrics derived from the canvas and the print settings, the
// page scale of the orientation, the conversions between millimetres and printer pixels, and the
// personal-data lines.
#include "printing/PrintCanvas.h"
#include "records/KeyData.h"

#include <QStringList>

namespace tandemx::printing {

// Values used in place of a zero read from a damaged key-data file, so nothing divides by zero.
constexpr int DefaultTextFontSize = 10;
constexpr int DefaultPixelsPer10mm = 118;
constexpr int DefaultLineHeight = 50;

// The font used while no print font has been chosen.
inline const QString DefaultPrintFontName = QStringLiteral("MS Sans-Serif");
constexpr int DefaultPrintFontSize = 10;

struct PrintMetrics {
    int lineHeight = DefaultLineHeight;   // printer pixels per printed line
    int linesPerPage = 66;                // page height / lineHeight
    int charWidth = 10;                   // average character width + 1
    int pixelsPer10mm = DefaultPixelsPer10mm; // portrait page width x 10 / 203, in either orientation
};

// The width of the page held upright: the shorter of its two sides.
int portraitPageWidth(const PrintCanvas& canvas);

// The font height in pixels for a point size: -(size x ppi) / 72.
int fontHeight(int pointSize, int pixelsPerInch);

// Sets the printer font on the canvas (the print font of the settings when `fontSetUp`, else
// "MS Sans-Serif" 10) and measures the metrics.
PrintMetrics setUpMetrics(PrintCanvas& canvas, const PrintSettings& settings, bool fontSetUp);
// The printer font counts as set up when a print font size is stored.
inline bool printFontSetUp(const PrintSettings& settings) { return settings.printFontSize != 0; }

// 140 in landscape (bit 4 of PrintFlags), else 100.
int pageScale(const PrintSettings& settings);
inline bool landscape(const PrintSettings& settings) { return settings.printFlags & PrintFlag::Landscape; }

// mm x PixelsPer10mm / 10, and back rounded: round(pixels x 10 / PixelsPer10mm).
int mmToPixels(int mm, int pixelsPer10mm);
int pixelsToMm(int pixels, int pixelsPer10mm);

// The text font size to divide by (a stored 0 counts as 10).
int safeTextFontSize(const PrintSettings& settings);
// Page length = linesPerPage - (top + bottom margin) / line height (a stored 0 counts as 50).
int recomputedPageLength(const PrintSettings& settings, int linesPerPage);

// Naam, Adres, Postcode + "   " + Plaats, Telefoon.
QStringList personalDataLines(const PrintSettings& settings);

// The page-break test of the overview and match printouts, after a row: with a page length above 998
// the page is full when the lines no longer fit above the bottom margin; in any case when
// linesOnPage x pageScale / 100 reaches page length - 1.
bool pageFull(const PrintSettings& settings, int pageHeight, int lineHeight, int linesOnPage, int scale);

} // namespace tandemx::printing
