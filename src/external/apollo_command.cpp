#include "external/apollo_command.h"

#include "platform/winmsg/client.h"

namespace tarvel::external {

int32_t ApolloCommand(int32_t number, int32_t value) {
    const auto window = winmsg::FindWindowByClass(kApolloClass);
    return window ? winmsg::SendMessage(*window, kApolloCommandMessage, number, value) : 0;
}

int32_t SendFileToApollo(const std::string& path) {
    const auto window = winmsg::FindWindowByClass(kApolloClass);
    std::string record = path;
    record.push_back('\0');
    return window ? winmsg::SendCopyData(*window, kHandOverKind, record) : 0;
}

bool ApolloRunning() {
    return winmsg::FindWindowByClass(kApolloClass).has_value();
}

void CloseApollo() {
    if (const auto window = winmsg::FindWindowByClass(kApolloClass)) {
        winmsg::PostMessage(*window, winmsg::WM_CLOSE, 0, 0);
    }
}

void HideApollo() {
    if (const auto window = winmsg::FindWindowByClass(kApolloClass)) {
        winmsg::ShowWindow(*window, winmsg::SW_HIDE);
    }
}

}  // namespace tarvel::external
