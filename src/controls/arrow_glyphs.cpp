#include "controls/arrow_glyphs.h"

#include <algorithm>
#include <array>

namespace tarvel::controls {
namespace {

// Black runs of the triangles, one per row, as (first column, length), columns from 0.
constexpr std::array<int, 8> kSideRuns = {1, 2, 3, 4, 4, 3, 2, 1};
constexpr std::array<int, 4> kUpRuns = {2, 4, 6, 8};
constexpr int kSideRows = static_cast<int>(kSideRuns.size());

// Sets a row's run of a left or right arrow: left runs end in column 5 (index 4), right runs
// start in column 3 (index 2).
void SideRun(QImage& image, ArrowGlyph glyph, int row, int run) {
    const int first = glyph == ArrowGlyph::Left ? 5 - run : 2;
    for (int c = first; c < first + run; ++c)
        image.setPixel(c, row, qRgb(0, 0, 0));
}

}  // namespace

QImage MakeArrowGlyph(ArrowGlyph glyph) {
    const bool side = glyph == ArrowGlyph::Left || glyph == ArrowGlyph::Right;
    QImage image(side ? QSize(7, 9) : QSize(11, 5), QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    const QRgb black = qRgb(0, 0, 0);
    if (side) {
        for (int row = 0; row < kSideRows; ++row)
            SideRun(image, glyph, row, kSideRuns[static_cast<size_t>(row)]);
    } else {
        for (int row = 0; row < 4; ++row) {
            const int run = glyph == ArrowGlyph::Up ? kUpRuns[row] : kUpRuns[3 - row];
            const int first = 5 - run / 2;  // centred on columns 5..6 (indexes 4..5)
            for (int c = first; c < first + run; ++c)
                image.setPixel(c, row, black);
        }
    }
    return image;
}

}  // namespace tarvel::controls

namespace tarvel::controls {

QImage ArrowGlyphFor(ArrowGlyph glyph, int height) {
    const bool side = glyph == ArrowGlyph::Left || glyph == ArrowGlyph::Right;
    if (!side || height >= kSideRows || height < 1)
        return MakeArrowGlyph(glyph);
    const int rows = height % 2 == 1 ? height : height - 1;
    QImage image(QSize(7, rows), QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    for (int row = 0; row < rows; ++row)
        SideRun(image, glyph, row, std::min(row + 1, rows - row));
    return image;
}

}  // namespace tarvel::controls
