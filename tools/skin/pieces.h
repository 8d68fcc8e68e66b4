#pragma once

#include <QImage>
#include <QString>
#include <string>
#include <vector>

namespace tarvel::skin {

// One picture of the skin: its path under Pictures ("/" separated) and its pixels.
struct Picture {
    std::string file;
    QImage image;
};

// Every picture of the skin, at the size of the control it fills.
std::vector<Picture> RenderSkin();

// A preview of the main window at its design size, composed from the pictures.
QImage ComposeMainWindow(const std::vector<Picture>& pictures);
// The same for the mini player's strip, the equalizer, the small playlist window and the
// shuffle options, each cut to its window's outline.
QImage ComposeMiniPlayer(const std::vector<Picture>& pictures);
QImage ComposeEqualizer(const std::vector<Picture>& pictures);
QImage ComposeSmallPlaylist(const std::vector<Picture>& pictures);
QImage ComposeShuffleOptions(const std::vector<Picture>& pictures);

}  // namespace tarvel::skin
