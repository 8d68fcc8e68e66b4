#include <cstdlib>
#include <mutex>

#include "platform/sound/output.h"
#include "platform/sound/paced_output.h"
#include "platform/sound/portaudio_output.h"
#include "platform/sound/sound_notice.h"

namespace tarvel::sound {

namespace {

void SayOnce(const std::string& text) {
    static std::once_flag once;
    std::call_once(once, [&] { SaySoundTrouble(text); });
}

}  // namespace

std::unique_ptr<Output> CreateOutput(const std::string& name) {
    if (name == "manual") {
        return std::make_unique<ManualOutput>();
    }
    if (name == "null") {
        return std::make_unique<PacedOutput>();
    }
    if (name.rfind("wav:", 0) == 0 && name.size() > 4) {
        return std::make_unique<PacedOutput>(name.substr(4));
    }
    if (name != "default") {
        SayOnce("unknown sound output \"" + name + "\" in TARVEL_AUDIO; playing without sound");
        return std::make_unique<PacedOutput>();
    }
    std::string why;
    if (auto output = OpenPortAudioOutput(why)) {
        return output;
    }
    SayOnce("no sound device (" + why + "); playing without sound");
    return std::make_unique<PacedOutput>();
}

std::string OutputNameFromEnvironment() {
    const char* name = std::getenv("TARVEL_AUDIO");
    return name != nullptr && *name != '\0' ? name : "default";
}

}  // namespace tarvel::sound
