#pragma once

#include <optional>

namespace tarvel::system {

// Milliseconds since this process was started, counted from the start time the kernel keeps
// (in clock ticks, 10 ms on most systems), so the time spent loading libraries before main is
// included. Nothing where the start time cannot be read.
std::optional<double> MillisecondsSinceProcessStart();

}  // namespace tarvel::system
