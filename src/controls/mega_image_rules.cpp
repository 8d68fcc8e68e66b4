#include "controls/mega_image_rules.h"

namespace tarvel::controls {

std::optional<int> PictureFor(const MegaImageState& state, MegaImageEvent event) {
    int slot = state.add_to_nom;
    switch (event) {
        case MegaImageEvent::Enter:
        case MegaImageEvent::UpInside:
            slot += 2;
            break;
        case MegaImageEvent::Leave:
            slot += state.nom_pic_real_vid;
            break;
        case MegaImageEvent::Down:
            slot += 3;
            break;
        case MegaImageEvent::UpOutside:
            slot += 1;
            break;
    }
    if (slot < 1 || slot > 6 || !state.present[static_cast<std::size_t>(slot - 1)])
        return std::nullopt;
    return slot;
}

bool ReleaseInside(int x, int y, int width, int height) {
    return x >= 0 && x <= width && y >= 0 && y <= height;
}

}  // namespace tarvel::controls
