#include "platform/desktop/font_setup.h"

#include <fontconfig/fontconfig.h>

namespace tarvel::desktop {

void LoadFontConfiguration() {
    // Loads the default configuration once per process; Qt's own FcInit then returns at once.
    FcInit();
}

}  // namespace tarvel::desktop
