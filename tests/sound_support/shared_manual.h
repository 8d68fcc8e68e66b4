#pragma once

#include <cstdlib>

#include "platform/sound/engine.h"
#include "platform/sound/output.h"
#include "platform/sound/shared_engine.h"

namespace tarvel::testing {

// Makes the process's shared sound engine a fresh one on a capturing manual output (what the
// sound-library APIs play through) and gives that output.
inline sound::ManualOutput& UseManualSharedEngine() {
    setenv("TARVEL_AUDIO", "manual", 1);
    sound::ResetSharedEngine();
    sound::ManualOutput& out = *sound::SharedEngine().Manual();
    out.SetCapture(true);
    return out;
}

// The level (RMS, left channel) of the next ms milliseconds of output.
inline double NextLevel(sound::ManualOutput& out, int ms);

}  // namespace tarvel::testing

#include "sound_support/sound_fixtures.h"

inline double tarvel::testing::NextLevel(sound::ManualOutput& out, int ms) {
    out.ClearCaptured();
    out.Advance(ms);
    return Rms(out.Captured(), 0, 0, out.Captured().size() / 2);
}
