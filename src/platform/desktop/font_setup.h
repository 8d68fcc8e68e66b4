#pragma once

namespace tarvel::desktop {

// Reads the desktop's font configuration and font caches, which Qt's font database is built
// from at the first use of a font. Done ahead on another thread, that first use finds them
// loaded. Safe on any thread and at any time, before the application object too; a failure is
// left for Qt to meet and report.
void LoadFontConfiguration();

}  // namespace tarvel::desktop
