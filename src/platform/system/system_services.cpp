#include "platform/system/system_services.h"

#include <algorithm>
#include <cstdio>
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
    if (services.WindowShown()) {
        services.MessageBox("Tarvel", text, Buttons::Ok, Icon::Error);
    } else {
        std::fprintf(stderr, "tarvel: %s\n", OneLine(text).c_str());
    }
}

std::string OneLine(std::string text) {
    std::replace_if(
        text.begin(), text.end(), [](char c) { return c == '\n' || c == '\r'; }, ' ');
    return text;
}

}  // namespace tarvel::system
