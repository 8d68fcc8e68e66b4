#include "shell/input_rules.h"

#include <algorithm>

namespace tarvel::shell {

namespace {
constexpr int kWheelRows = 7;
constexpr int kWheelVolume = 50;
constexpr int kVolumeMax = 771;
}  // namespace

int WheelList(const std::array<Rect, 5>& lists, int x, int y) {
    int hit = 0;
    for (int n = 1; n <= 5; ++n) {
        const Rect& r = lists[static_cast<size_t>(n - 1)];
        if (r.width >= 0 && x >= r.left && x <= r.Right() && y >= r.top && y <= r.Bottom()) {
            hit = n;
        }
    }
    return hit;
}

int WheelTopRow(int top_row, int maximum, bool down) {
    if (down) {
        return top_row >= maximum - kWheelRows ? std::max(maximum, 0) : top_row + kWheelRows;
    }
    return top_row < kWheelRows ? 0 : top_row - kWheelRows;
}

int WheelVolume(int position, bool down) {
    return std::clamp(position + (down ? -kWheelVolume : kWheelVolume), 0, kVolumeMax);
}

std::optional<QString> TypedIntoBox(const QString& box_text, QChar typed) {
    const char16_t c = typed.unicode();
    if (c == u'\b') {
        return box_text.isEmpty() ? box_text : box_text.left(box_text.size() - 1);
    }
    if (c == u'\r' || c == u'\n' || c < 0x20 || c == 0x7F) {
        return std::nullopt;
    }
    return box_text + typed;
}

}  // namespace tarvel::shell
