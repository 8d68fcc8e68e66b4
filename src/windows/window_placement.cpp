#include "windows/window_placement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>
#include <cstdint>
#include <limits>

namespace tarvel::windows {
namespace {

int64_t OverlapArea(const QRect& a, const QRect& b) {
    const QRect both = a.intersected(b);
    return both.isEmpty() ? 0 : int64_t{both.width()} * both.height();
}

// The distance from a point to a rectangle along one axis: 0 inside it.
int64_t AxisGap(int at, int first, int last) {
    if (at < first) {
        return first - at;
    }
    return at > last ? at - last : 0;
}

// The square of the distance from the window's centre to the area.
int64_t CentreDistance(const QRect& window, const QRect& area) {
    const QPoint centre = window.center();
    const int64_t dx = AxisGap(centre.x(), area.left(), area.right());
    const int64_t dy = AxisGap(centre.y(), area.top(), area.bottom());
    return dx * dx + dy * dy;
}

// The area the window belongs to: most overlap, else nearest to its centre.
const QRect* HomeArea(const QRect& window, const ScreenAreas& areas) {
    const QRect* home = nullptr;
    int64_t best_overlap = 0;
    for (const QRect& area : areas) {
        const int64_t overlap = OverlapArea(window, area);
        if (overlap > best_overlap) {
            best_overlap = overlap;
            home = &area;
        }
    }
    if (home != nullptr) {
        return home;
    }
    int64_t best_distance = std::numeric_limits<int64_t>::max();
    for (const QRect& area : areas) {
        const int64_t distance = CentreDistance(window, area);
        if (distance < best_distance) {
            best_distance = distance;
            home = &area;
        }
    }
    return home;
}

// The start of a span of the given length moved into [first, first + room): at first when it
// does not fit.
int Within(int start, int length, int first, int room) {
    return std::max(first, std::min(start, first + room - length));
}

// The first candidate that lies wholly on one area, or none.
const QRect* FirstWhollyOnScreen(std::span<const QRect> candidates, const ScreenAreas& areas) {
    for (const QRect& candidate : candidates) {
        if (std::any_of(areas.begin(), areas.end(),
                        [&](const QRect& area) { return area.contains(candidate); })) {
            return &candidate;
        }
    }
    return nullptr;
}

}  // namespace

QRect KeepOnScreen(const QRect& window, const ScreenAreas& areas) {
    const QRect* area = HomeArea(window, areas);
    if (area == nullptr) {
        return window;
    }
    const int left = Within(window.left(), window.width(), area->left(), area->width());
    const int top = Within(window.top(), window.height(), area->top(), area->height());
    return QRect(QPoint(left, top), window.size());
}

QRect FirstOnScreen(std::span<const QRect> candidates, const ScreenAreas& areas) {
    if (candidates.empty()) {
        return {};
    }
    const QRect* fits = FirstWhollyOnScreen(candidates, areas);
    return fits != nullptr ? *fits : KeepOnScreen(candidates.front(), areas);
}

QRect PlaceBeside(const QRect& anchor, const QSize& size, const ScreenAreas& areas) {
    const int w = size.width();
    const int h = size.height();
    const QRect candidates[] = {
        QRect(anchor.left() + anchor.width(), anchor.top(), w, h),
        QRect(anchor.left() - w, anchor.top(), w, h),
        QRect(anchor.left(), anchor.top() + anchor.height(), w, h),
        QRect(anchor.left(), anchor.top() - h, w, h),
    };
    if (const QRect* fits = FirstWhollyOnScreen(candidates, areas)) {
        return *fits;
    }
    QRect centred(QPoint(0, 0), size);
    centred.moveCenter(anchor.center());
    return KeepOnScreen(centred, areas);
}

ScreenAreas AvailableAreas() {
    ScreenAreas areas;
    for (const QScreen* screen : QGuiApplication::screens()) {
        areas.push_back(screen->availableGeometry());
    }
    return areas;
}

void KeepWindowOnScreen(QWidget& window) {
    const QRect placed = KeepOnScreen(window.frameGeometry(), AvailableAreas());
    window.move(placed.topLeft());
}

void SecondaryPlace::BeforeShow(QWidget& window, const QWidget& anchor) {
    if (window.isVisible()) {
        return;
    }
    if (placed_) {
        KeepWindowOnScreen(window);
        return;
    }
    const QRect beside =
        PlaceBeside(anchor.frameGeometry(), window.frameGeometry().size(), AvailableAreas());
    window.move(beside.topLeft());
    placed_ = true;
}

}  // namespace tarvel::windows
