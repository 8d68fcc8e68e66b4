#pragma once

#include <QColor>
#include <cstdint>

namespace tarvel::controls {

// Colours of the window definitions are 32-bit values in blue-green-red order (0x0000FF is red).
inline QColor ColorFromBgr(std::uint32_t bgr) {
    return QColor(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF),
                  static_cast<int>((bgr >> 16) & 0xFF));
}

}  // namespace tarvel::controls
