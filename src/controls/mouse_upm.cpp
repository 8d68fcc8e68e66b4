#include "controls/mouse_upm.h"

namespace tarvel::controls {
namespace {
bool g_mouse_upm = false;
}

bool MouseUpm() {
    return g_mouse_upm;
}
void SetMouseUpm(bool down) {
    g_mouse_upm = down;
}

}  // namespace tarvel::controls
