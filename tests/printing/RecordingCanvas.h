#pragma once
// A canvas that records what a layout draws, page by page. Text widths are 10 pixels a character.
#include "printing/PrintCanvas.h"

#include <QString>

#include <vector>

namespace tandemx::printing::test {

struct DrawnText {
    int page, x, y;
    QString text;
};
struct DrawnLine {
    int page, x1, y1, x2, y2;
};

class RecordingCanvas : public PrintCanvas {
public:
    RecordingCanvas(int width = 2480, int height = 3508, int ppi = 300) : width_(width), height_(height), ppi_(ppi) {}

    void setFont(const QString& family, int pixelHeight) override
    {
        fontFamily = family;
        fontPixels = pixelHeight;
    }
    void drawText(int x, int y, const QString& text) override { texts.push_back({page, x, y, text}); }
    int textWidth(const QString& text) override { return 10 * int(text.size()); }
    void drawLine(int x1, int y1, int x2, int y2) override { lines.push_back({page, x1, y1, x2, y2}); }
    void newPage() override { ++page; }
    int pageWidth() const override { return width_; }
    int pageHeight() const override { return height_; }
    int pixelsPerInch() const override { return ppi_; }

    // The texts of one page that start with `prefix`.
    std::vector<DrawnText> textsOn(int p, const QString& prefix = {}) const
    {
        std::vector<DrawnText> out;
        for (const auto& t : texts)
            if (t.page == p && t.text.startsWith(prefix))
                out.push_back(t);
        return out;
    }
    int linesOn(int p) const
    {
        int n = 0;
        for (const auto& l : lines)
            n += l.page == p;
        return n;
    }

    int page = 0;
    QString fontFamily;
    int fontPixels = 0;
    std::vector<DrawnText> texts;
    std::vector<DrawnLine> lines;

private:
    int width_, height_, ppi_;
};

} // namespace tandemx::printing::test
