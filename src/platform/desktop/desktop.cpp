#include "platform/desktop/desktop.h"

#include <cstdlib>
#include <string>

#include "platform/desktop/fake_desktop.h"
#include "platform/desktop/real_desktop.h"

namespace tarvel::desktop {

std::unique_ptr<Desktop> CreateDesktop() {
    const char* platform = std::getenv("TARVEL_PLATFORM");
    if (platform != nullptr && std::string(platform) == "fake") {
        const char* log = std::getenv("TARVEL_PLATFORM_LOG");
        return std::make_unique<FakeDesktop>(log != nullptr ? log : "",
                                             std::make_unique<SystemHotkeys>());
    }
    return std::make_unique<RealDesktop>();
}

}  // namespace tarvel::desktop
