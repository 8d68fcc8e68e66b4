#include "library/scan_report.h"

#include <fmt/format.h>

#include <utility>

namespace tarvel::library {

void ScanReport::Reset() {
    skipped_.clear();
    added = 0;
    abandon_ = false;
}

void ScanReport::Skip(std::string path, std::string reason) {
    skipped_.push_back({std::move(path), std::move(reason)});
}

void ScanReport::CheckAbandon() const {
    if (abandon_) {
        throw ScanAbandoned();
    }
}

std::string ScanReport::Summary(size_t listed) const {
    std::string text =
        fmt::format("Library scan: {} {} added.", added, added == 1 ? "file" : "files");
    if (skipped_.empty()) {
        return text;
    }
    text += fmt::format(" {} {} passed over:", skipped_.size(),
                        skipped_.size() == 1 ? "entry was" : "entries were");
    for (size_t i = 0; i < skipped_.size() && i < listed; ++i) {
        text += fmt::format("\n{}: {}", skipped_[i].path, skipped_[i].reason);
    }
    if (skipped_.size() > listed) {
        text += fmt::format("\n... and {} more", skipped_.size() - listed);
    }
    return text;
}

}  // namespace tarvel::library
