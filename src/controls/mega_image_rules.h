#pragma once

#include <array>
#include <optional>

// Which picture a skin button shows on each mouse event. Slots are 1..6; set 1 is slots 1..3
// (AddToNom 0), set 2 slots 4..6 (AddToNom 3). Within a set: 1 rest, 2 hover or "on", 3 pressed.
// A step names a slot; when that slot holds no picture the shown picture stays as it is.
namespace tarvel::controls {

struct MegaImageState {
    std::array<bool, 6> present{};  // slot k holds a picture: present[k - 1]
    int add_to_nom = 0;
    int nom_pic_real_vid = 1;
};

enum class MegaImageEvent { Enter, Leave, Down, UpInside, UpOutside };

// The slot to show for an event, or nothing to keep the current picture.
std::optional<int> PictureFor(const MegaImageState& state, MegaImageEvent event);

// Whether a release at (x, y) counts as inside a control of the given size (edges included).
bool ReleaseInside(int x, int y, int width, int height);

}  // namespace tarvel::controls
