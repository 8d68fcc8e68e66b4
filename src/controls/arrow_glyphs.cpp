#include "controls/arrow_glyphs.h"

#include <array>

namespace tarvel::controls {
namespace {

// Black runs of the triangles, one per row, as (first column, length), columns from 0.
constexpr std::array<int, 8> kSideRuns = {1, 2, 3, 4, 4, 3, 2, 1};
constexpr std::array<int, 4> kUpRuns = {2, 4, 6, 8};

}  // namespace

QImage MakeArrowGlyph(ArrowGlyph glyph) {
    const bool side = glyph == ArrowGlyph::Left || glyph == ArrowGlyph::Right;
    QImage image(side ? QSize(7, 9) : QSize(11, 5), QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    const QRgb black = qRgb(0, 0, 0);
    if (side) {
        for (int row = 0; row < 8; ++row) {
            const int run = kSideRuns[row];
            // Left: runs end in column 5 (index 4); right: runs start in column 3 (index 2).
            const int first = glyph == ArrowGlyph::Left ? 5 - run : 2;
            for (int c = first; c < first + run; ++c)
                image.setPixel(c, row, black);
        }
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
