#include "printing/PrintMetrics.h"

#include "records/Cp1252.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace tandemx::printing {

int fontHeight(int pointSize, int pixelsPerInch)
{
    return -(pointSize * pixelsPerInch) / 72;
}

int portraitPageWidth(const PrintCanvas& canvas)
{
    return std::min(canvas.pageWidth(), canvas.pageHeight());
}

PrintMetrics setUpMetrics(PrintCanvas& canvas, const PrintSettings& settings, bool fontSetUp)
{
    QString family = DefaultPrintFontName;
    int size = DefaultPrintFontSize;
    if (fontSetUp && settings.printFontSize > 0) {
        family = fromCp1252(settings.printFontName);
        size = settings.printFontSize;
    }
    const int height = fontHeight(size, canvas.pixelsPerInch());
    canvas.setFont(family, std::abs(height));

    PrintMetrics m;
    m.lineHeight = std::abs(int(std::lround(height * 1.2)));
    if (m.lineHeight == 0)
        m.lineHeight = DefaultLineHeight;
    m.linesPerPage = canvas.pageHeight() / m.lineHeight;
    m.charWidth = canvas.textWidth(QStringLiteral("AbCdEfGhIjKlMnOpQrStUvWxYz0123456789.,!/")) / 40 + 1;
    // Margins are typed in millimetres and stored in pixels; the factor between them is taken from
    // the portrait page width (the shorter side), so turning the paper neither changes what a stored
    // margin means nor what the options dialog shows for it.
    m.pixelsPer10mm = portraitPageWidth(canvas) * 10 / 203;
    if (m.pixelsPer10mm <= 0)
        m.pixelsPer10mm = DefaultPixelsPer10mm;
    return m;
}

int pageScale(const PrintSettings& settings)
{
    return landscape(settings) ? 140 : 100;
}

int mmToPixels(int mm, int pixelsPer10mm)
{
    // A margin typed as a huge number of millimetres saturates instead of overflowing.
    const long long pixels = (long long)mm * pixelsPer10mm / 10;
    return int(std::clamp<long long>(pixels, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

int pixelsToMm(int pixels, int pixelsPer10mm)
{
    if (pixelsPer10mm <= 0)
        pixelsPer10mm = DefaultPixelsPer10mm;
    return int(std::lround(double(pixels) * 10.0 / pixelsPer10mm));
}

int safeTextFontSize(const PrintSettings& settings)
{
    return settings.textFontSize > 0 ? settings.textFontSize : DefaultTextFontSize;
}

int recomputedPageLength(const PrintSettings& settings, int linesPerPage)
{
    const int lineHeight = settings.lineHeight > 0 ? settings.lineHeight : DefaultLineHeight;
    return linesPerPage - (settings.topMargin + settings.bottomMargin) / lineHeight;
}

QStringList personalDataLines(const PrintSettings& settings)
{
    const auto& p = settings.personalData;
    return {fromCp1252(p[0]), fromCp1252(p[1]), fromCp1252(p[2]) + QStringLiteral("   ") + fromCp1252(p[3]),
            fromCp1252(p[4])};
}

bool pageFull(const PrintSettings& settings, int pageHeight, int lineHeight, int linesOnPage, int scale)
{
    if (settings.pageLength > 998 && pageHeight - settings.bottomMargin < linesOnPage * lineHeight)
        return true;
    return linesOnPage * scale / 100 >= int(settings.pageLength) - 1;
}

} // namespace tandemx::printing
