#pragma once

#include <string>
#include <vector>

// The folder of the settings files, TvSysFile under the application folder.
namespace tarvel::config {

std::string SysFolder(const std::string& app_dir);

// The file of that name in the settings folder. Names are matched as a case-blind file system
// would, so the start-up's "Conf.tcf" finds the "conf.tcf" the exit wrote.
std::string SysFile(const std::string& app_dir, const std::string& name);

// The lines of a settings file, read as fs::ReadLines reads them. A file above 1 MiB is refused
// as too large: the largest settings file holds 24 short lines.
std::vector<std::string> ReadSysLines(const std::string& path);

// Replaces that file atomically with the lines (CR LF), creating the settings folder when it is
// missing. Throws AppError; a failed write leaves the old file whole.
void WriteSysFile(const std::string& app_dir, const std::string& name,
                  const std::vector<std::string>& lines);

}  // namespace tarvel::config
