#pragma once

#include <QImage>
#include <QPoint>
#include <QWidget>
#include <cstdint>
#include <memory>

namespace tarvel::desktop {

// Scrolls a picture through a strip of a window by having the X server copy pixels: the picture,
// with a strip's width of background on either side, is sent once into a server-side pixmap, and
// each scroll step is then a single copy request, with no painting in this process. Only on X11
// windows at a device pixel ratio of 1; elsewhere Usable() is false and the widget paints as
// usual.
class X11StripCopy {
  public:
    X11StripCopy();
    ~X11StripCopy();
    X11StripCopy(const X11StripCopy&) = delete;
    X11StripCopy& operator=(const X11StripCopy&) = delete;

    bool Usable() const { return connection_ != nullptr; }
    // Sends picture (height of the strip) framed by background to the server for a strip of
    // strip_width pixels. False when the server refused or the window cannot take it.
    bool Load(const QWidget& strip, const QImage& picture, uint32_t background_rgb);
    // Shows the picture with its left edge at x in the strip (x from -picture width to the
    // strip's width), leaving alone the controls stacked above the strip. False when nothing
    // was loaded for this strip at its present size and place.
    bool Show(const QWidget& strip, int x);
    // Forgets the loaded picture (the next Show does nothing until Load).
    void Drop();

  private:
    struct Server;
    std::unique_ptr<Server> server_;
    void* connection_ = nullptr;
};

}  // namespace tarvel::desktop
