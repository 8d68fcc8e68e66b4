#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/winmsg/messages.h"

// Windows of this process, found by their endpoint path (kept by window_endpoint.cpp).
namespace tarvel::winmsg {

bool IsLocalEndpoint(const std::string& endpoint);
// Hands a message to a window of this process: a post is queued on the event loop, anything
// else is handled at once. Nothing when the endpoint is not one of this process.
std::optional<int32_t> DispatchLocally(const std::string& endpoint, const Incoming& message);

}  // namespace tarvel::winmsg
