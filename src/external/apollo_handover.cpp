#include "external/apollo_handover.h"

#include <chrono>
#include <thread>

#include "external/apollo_command.h"

namespace tarvel::external {

Waiter RealWaiter() {
    return [](int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); };
}

void HandOverFile(const std::string& path, int32_t position_ms, PlayCommand command,
                  int volume_position, const Waiter& wait) {
    const int32_t volume = ApolloVolume(volume_position);
    ApolloCommand(kApolloStopTrack, 0);
    if (position_ms != 0) {
        ApolloCommand(kApolloVolume, 0);
        SendFileToApollo(path);
        wait(400);
        ApolloCommand(kApolloSeek, position_ms);
        if (command == PlayCommand::Pause) {
            ApolloCommand(kApolloPause, 0);
        }
        ApolloCommand(kApolloVolume, volume);
    } else if (command == PlayCommand::Pause) {
        ApolloCommand(kApolloVolume, 0);
        SendFileToApollo(path);
        ApolloCommand(kApolloPause, 0);
        ApolloCommand(kApolloVolume, volume);
    } else {
        SendFileToApollo(path);
    }
}

}  // namespace tarvel::external
