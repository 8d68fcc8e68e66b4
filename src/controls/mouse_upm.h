#pragma once

namespace tarvel::controls {

// The program-wide flag of the horizontal skinned bars: true while the left button is held on a
// thumb, an arrow or a band of any of them. The main window's 20 ms timer reads it to learn that a
// drag of the time bar has ended before it seeks.
bool MouseUpm();
void SetMouseUpm(bool down);

}  // namespace tarvel::controls
