#include "platform/sound/sound_notice.h"

#include <cstdio>
#include <mutex>
#include <optional>

namespace tarvel::sound {
namespace {

struct Notice {
    std::mutex mutex;
    std::function<void(const std::string&)> listener;
    std::optional<std::string> waiting;  // said with no listener set
    bool handed = false;                 // the run's one message was given
};

Notice& TheNotice() {
    static Notice notice;
    return notice;
}

}  // namespace

void SaySoundTrouble(const std::string& text) {
    std::fprintf(stderr, "tarvel: %s\n", text.c_str());
    Notice& n = TheNotice();
    std::function<void(const std::string&)> listener;
    {
        std::lock_guard lock(n.mutex);
        if (n.handed || n.waiting) {
            return;
        }
        if (!n.listener) {
            n.waiting = text;
            return;
        }
        n.handed = true;
        listener = n.listener;
    }
    listener(text);
}

void SetSoundTroubleListener(std::function<void(const std::string&)> listener) {
    Notice& n = TheNotice();
    std::optional<std::string> waiting;
    {
        std::lock_guard lock(n.mutex);
        n.listener = std::move(listener);
        if (!n.listener || !n.waiting) {
            return;
        }
        waiting.swap(n.waiting);
        n.handed = true;
        listener = n.listener;
    }
    listener(*waiting);
}

}  // namespace tarvel::sound
