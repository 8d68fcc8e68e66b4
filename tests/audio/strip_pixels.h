#pragma once

#include <QImage>
#include <string>

namespace tarvel::testing {

// The colours of pixel column x of an analyser strip picture, from the top row down, as letters:
// '.' black (the background), 'W' white (a bar), 'Y' yellow (a peak mark), '?' anything else.
inline std::string StripColumn(const QImage& strip, int x) {
    std::string out;
    for (int y = 0; y < strip.height(); ++y) {
        const QRgb c = strip.pixel(x, y);
        out += c == qRgb(0, 0, 0)         ? '.'
               : c == qRgb(255, 255, 255) ? 'W'
               : c == qRgb(255, 255, 0)   ? 'Y'
                                          : '?';
    }
    return out;
}

}  // namespace tarvel::testing
