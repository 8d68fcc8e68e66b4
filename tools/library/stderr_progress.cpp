#include "stderr_progress.h"

#include <fmt/format.h>

#include <cstdio>

namespace tarvel::tools {

StderrProgress::~StderrProgress() {
    if (shown_) {
        std::fputc('\n', stderr);
    }
}

void StderrProgress::Show(const std::string& line) {
    if (quiet_) {
        return;
    }
    std::fprintf(stderr, "\r%-40s", line.c_str());
    std::fflush(stderr);
    shown_ = true;
}

void StderrProgress::SetBoxText(const std::string& text) {
    // The search shows its count after every find; print every hundredth.
    constexpr std::string_view kPrefix = "Find music files: ";
    if (text.rfind(kPrefix, 0) != 0) {
        return;
    }
    last_count_ = std::stoll(text.substr(kPrefix.size()));
    if (last_count_ % 100 == 0) {
        Show(text);
    }
}

void StderrProgress::SetBoxVisible(bool visible) {
    if (!visible && last_count_ >= 0) {
        Show(fmt::format("Found {} music files", last_count_));
        last_count_ = -1;
    }
}

void StderrProgress::SetGaugeMaximum(int64_t maximum) {
    maximum_ = maximum;
    last_percent_ = -1;
}

void StderrProgress::SetGaugeProgress(int64_t progress) {
    if (maximum_ <= 0) {
        return;
    }
    const int percent = static_cast<int>(progress * 100 / maximum_);
    if (percent != last_percent_) {
        last_percent_ = percent;
        Show(fmt::format("Library: {}%", percent));
    }
}

}  // namespace tarvel::tools
