#pragma once

#include <cstdint>
#include <string>

#include "library/progress_display.h"

namespace tarvel::tools {

// Shows a scan's progress on stderr: the finds of the folder search and the gauge in percent,
// one line rewritten in place, only when the figure changes. Silent when `quiet`.
class StderrProgress : public library::ProgressDisplay {
  public:
    explicit StderrProgress(bool quiet) : quiet_(quiet) {}
    ~StderrProgress() override;

    void SetBoxText(const std::string& text) override;
    void SetBoxVisible(bool visible) override;
    void RepaintBox() override {}
    void SetGaugeMaximum(int64_t maximum) override;
    void SetGaugeProgress(int64_t progress) override;
    void SetGaugeVisible(bool) override {}
    void RepaintWindow() override {}

  private:
    void Show(const std::string& line);

    bool quiet_;
    bool shown_ = false;
    int64_t maximum_ = 0;
    int64_t last_count_ = -1;
    int last_percent_ = -1;
};

}  // namespace tarvel::tools
