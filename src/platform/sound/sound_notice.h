#pragma once

#include <functional>
#include <string>

// What the sound output tells the user when it cannot play on a sound device and goes on
// without sound.
namespace tarvel::sound {

// Says text on stderr, and hands the first such text of the run to the listener, now or as
// soon as one is set. Any thread may call it; the listener is called on the caller's thread.
void SaySoundTrouble(const std::string& text);

// The listener the program shows the trouble with (null for none). A trouble said before it was
// set and not yet handed to a listener is handed to it at once.
void SetSoundTroubleListener(std::function<void(const std::string&)> listener);

}  // namespace tarvel::sound
