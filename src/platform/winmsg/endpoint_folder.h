#pragma once

#include <string>
#include <vector>

// Where the windows of this user's programs are found: one folder of named endpoints.
// Each window has a local socket "<pid>-<n>.sock" and a description "<pid>-<n>.info" whose two
// lines are its class name and its title.
namespace tarvel::winmsg {

// The folder: $TARVEL_WINDOWS_DIR when set (tests); else "tarvel-windows" in $XDG_RUNTIME_DIR
// when that folder and the runtime folder itself pass CheckEndpointFolder; else
// "tarvel-windows-<host>" in the user's cache folder ($XDG_CACHE_HOME, else ~/.cache), which
// only this user can make. Never a name in a folder that other users can write to, where one of
// them could make it first. A refused runtime folder is said once on stderr.
std::string EndpointFolder();

// Creates the folder (mode 0700) when it is missing and checks that it is safe to use: a real
// folder, owned by this user, closed to everyone else, in a folder of this user (or of the
// system) that no one else can write to. Throws AppError otherwise.
void CheckEndpointFolder(const std::string& folder);

struct EndpointInfo {
    std::string socket_path;
    std::string class_name;
    std::string title;
};

// The described endpoints of the folder, live or stale, in no particular order.
std::vector<EndpointInfo> ListEndpoints(const std::string& folder);

// Writes (atomically) the description of an endpoint; removes one.
void WriteEndpointInfo(const EndpointInfo& info);
void RemoveEndpoint(const std::string& socket_path);

}  // namespace tarvel::winmsg
