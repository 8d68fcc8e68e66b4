#include "platform/system/system_services.h"

#include <cstdlib>
#include <string>

#include "platform/system/fake_system_services.h"
#include "platform/system/real_system_services.h"

namespace tarvel::system {
namespace {

std::string Env(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

}  // namespace

std::unique_ptr<SystemServices> CreateSystemServices() {
    if (Env("TARVEL_PLATFORM") == "fake") {
        auto fake = std::make_unique<FakeSystemServices>(Env("TARVEL_PLATFORM_LOG"));
        fake->QueueAnswersFromFile(Env("TARVEL_PLATFORM_ANSWERS"));
        return fake;
    }
    return std::make_unique<RealSystemServices>();
}

void ReportError(SystemServices& services, const std::string& text) {
    services.MessageBox("Tarvel", text, Buttons::Ok, Icon::Error);
}

}  // namespace tarvel::system
