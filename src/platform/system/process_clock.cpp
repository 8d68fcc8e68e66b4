#include "platform/system/process_clock.h"

#include <unistd.h>

#include <cstdlib>
#include <ctime>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

namespace tarvel::system {

std::optional<double> MillisecondsSinceProcessStart() {
    std::ifstream file("/proc/self/stat");
    const std::string stat((std::istreambuf_iterator<char>(file)),
                           std::istreambuf_iterator<char>());
    // The command name (field 2) may hold spaces and parentheses; the fields after its closing
    // parenthesis start at field 3, and the start time is field 22.
    const size_t name_end = stat.rfind(')');
    if (name_end == std::string::npos) {
        return std::nullopt;
    }
    std::istringstream fields(stat.substr(name_end + 1));
    std::string field;
    for (int number = 3; number <= 22 && fields >> field; ++number) {
    }
    char* end = nullptr;
    const unsigned long long start_ticks = std::strtoull(field.c_str(), &end, 10);
    const long ticks_per_second = ::sysconf(_SC_CLK_TCK);
    timespec now{};
    if (!fields || end == field.c_str() || *end != '\0' || ticks_per_second <= 0 ||
        ::clock_gettime(CLOCK_BOOTTIME, &now) != 0) {
        return std::nullopt;
    }
    const double start_ms =
        static_cast<double>(start_ticks) * 1000.0 / static_cast<double>(ticks_per_second);
    return static_cast<double>(now.tv_sec) * 1000.0 + static_cast<double>(now.tv_nsec) / 1e6 -
           start_ms;
}

}  // namespace tarvel::system
