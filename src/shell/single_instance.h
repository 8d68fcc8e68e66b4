#pragma once

#include <QObject>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/winmsg/instance_claim.h"
#include "platform/winmsg/window_endpoint.h"

// One player per user: the first start claims the instance at program entry, before Qt starts;
// a later start hands its files to that player and ends.
namespace tarvel::shell {

class PlayerCommands;

// What a start is, decided at program entry.
struct InstanceStart {
    // True: this start is the player. False: it ends with exit_code.
    bool player = false;
    int exit_code = 0;
    // The player's claim, held until the process ends; none when the window folder is refused
    // (the player then runs alone, said on stderr).
    std::unique_ptr<winmsg::InstanceClaim> claim;
    // The endpoint where later starts hand their files over, listening from the moment of the
    // claim; what comes waits until a FileInbox takes it over.
    std::optional<winmsg::EndpointListener> files_endpoint;
};

// How long a later start keeps trying to hand its files over while the player that holds the
// claim gets ready, or goes away (then the later start becomes the player).
constexpr int kHandOverWaitMs = 20000;

// Takes the claim, or (when another start holds it) hands `files` over to that player: a later
// start without files ends with 0 at once, one whose files were taken ends with 0, and one whose
// files no player took within kHandOverWaitMs says so on stderr and ends with 1.
InstanceStart ClaimInstance(const std::vector<std::string>& files);

// The files handed over by later starts. Lists that come before the player is ready wait, in
// the order they came, and none is lost; each is taken (answered) as soon as it arrives.
class FileInbox : public QObject {
    Q_OBJECT
  public:
    // Serves the endpoint made at the claim; with none, no files come.
    explicit FileInbox(std::optional<winmsg::EndpointListener> endpoint);
    ~FileInbox() override;

    // The player is ready: this start's own files and the lists that waited are added together
    // and the first of them plays; each list that comes later is added and played as it comes.
    void Open(PlayerCommands& commands, const std::vector<std::string>& own_files);

  private:
    std::unique_ptr<winmsg::WindowEndpoint> endpoint_;
    PlayerCommands* commands_ = nullptr;
    std::vector<std::string> waiting_;
};

}  // namespace tarvel::shell
