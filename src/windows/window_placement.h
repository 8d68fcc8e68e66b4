#pragma once

#include <QRect>
#include <span>
#include <vector>

class QWidget;

// Where the player's borderless windows go on the screens: a saved or computed place is only
// used as far as it keeps the whole window on the available area of a screen (a position saved
// on a wider monitor, or under another scale factor, would otherwise open the window out of
// reach, with no frame to pull it back by). The rules are plain functions over rectangles; the
// rest applies them to real windows.
namespace tarvel::windows {

// The available areas of the screens (without panels and docks), in the coordinates windows are
// placed in.
using ScreenAreas = std::vector<QRect>;

// The window moved the least distance that puts it wholly on one area: the area it overlaps
// most, or the nearest one when it overlaps none. A window wider (taller) than that area is put
// at its left (top) edge, so its moving handle and the controls on that side stay reachable.
// Without areas the window is left as it is.
QRect KeepOnScreen(const QRect& window, const ScreenAreas& areas);

// The first candidate that lies wholly on one area; when none does, the first candidate kept on
// the screen. No candidates give an empty rectangle.
QRect FirstOnScreen(std::span<const QRect> candidates, const ScreenAreas& areas);

// Where a window of the given size opens beside the anchor window: right of it (tops aligned),
// else left of it, else below it, else above it (lefts aligned), the first of these that lies
// wholly on one area; when none does, centred over the anchor and kept on the screen.
QRect PlaceBeside(const QRect& anchor, const QSize& size, const ScreenAreas& areas);

// The available areas of the screens the desktop has now.
ScreenAreas AvailableAreas();
// Moves a top-level window, shown or not, so that it lies wholly on a screen.
void KeepWindowOnScreen(QWidget& window);

// Where a secondary window (the equalizer, the shuffle options) shows: beside the anchor window
// the first time, afterwards where the user left it; wholly on a screen either way.
class SecondaryPlace {
  public:
    // Places the window when it is about to be shown; a window already shown stays put.
    void BeforeShow(QWidget& window, const QWidget& anchor);

  private:
    bool placed_ = false;
};

}  // namespace tarvel::windows
