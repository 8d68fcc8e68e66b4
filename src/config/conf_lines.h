#pragma once

#include <string>
#include <vector>

#include "config/config_links.h"
#include "config/settings.h"

// The 24 lines of conf.tcf (and of its fallback LastWorkConf.tcf), then one line for each later
// setting that differs from its default. Each of the 24 is known by its position; a line holding
// one of a group's fixed texts is compared whole, case-sensitively, without trimming.
namespace tarvel::config {

inline constexpr int kConfLineCount = 24;

// The lines for the current settings.
std::vector<std::string> ConfLines(const Settings& settings);

// Applies lines 1..24 in order, then the later settings' lines. Stops at the first line that cannot
// be applied (the file ends early, a number does not convert) and returns false; what was applied
// before stays. A group line matching none of its texts changes nothing. Reading the volume line
// sets the FMOD output volume at once.
bool ApplyConfLines(const std::vector<std::string>& lines, Settings& settings, ConfigLinks& links);

}  // namespace tarvel::config
