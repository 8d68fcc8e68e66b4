#pragma once

namespace tarvel::controls {

// Makes the skinned controls known to assistive technology (screen readers, automation over the
// accessibility bus): skin buttons are buttons with a press action, the scroll bars sliders
// with a settable value, the gauge a progress bar, the title strip a text with the song's
// title, and every control, the lists included, carries its human name. Call once after the
// application object exists; later calls do nothing.
void InstallAccessibility();

}  // namespace tarvel::controls
