#include "config/sys_folder.h"

#include "platform/fs/file_ops.h"
#include "platform/fs/line_file.h"

namespace tarvel::config {

std::string SysFolder(const std::string& app_dir) {
    return fs::JoinPath(app_dir, "TvSysFile");
}

std::string SysFile(const std::string& app_dir, const std::string& name) {
    return fs::FindNoCase(SysFolder(app_dir), name);
}

std::vector<std::string> ReadSysLines(const std::string& path) {
    constexpr size_t kLargestSettingsFile = size_t{1} << 20;
    return fs::ReadLines(path, kLargestSettingsFile);
}

void WriteSysFile(const std::string& app_dir, const std::string& name,
                  const std::vector<std::string>& lines) {
    fs::CreateDirectories(SysFolder(app_dir));
    fs::WriteLines(SysFile(app_dir, name), lines);
}

}  // namespace tarvel::config
