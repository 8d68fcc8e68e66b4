#pragma once

#include <cstdint>
#include <string>

namespace tarvel::library {

// What a scan shows while it runs. The main window's command box and progress gauge share one
// rectangle (the box, when visible, covers the gauge); the window implements this interface
// over them, tests record the calls. A scan runs inside one user event, so every change is
// painted at once.
class ProgressDisplay {
  public:
    virtual ~ProgressDisplay() = default;
    // The command box: its text (Windows-1251), its visibility, an immediate repaint.
    virtual void SetBoxText(const std::string& text) = 0;
    virtual void SetBoxVisible(bool visible) = 0;
    virtual void RepaintBox() = 0;
    // The gauge: its maximum, its progress (painted at once) and its visibility.
    virtual void SetGaugeMaximum(int64_t maximum) = 0;
    virtual void SetGaugeProgress(int64_t progress) = 0;
    virtual void SetGaugeVisible(bool visible) = 0;
    // Repaints the whole main window (after the folder dialog closed).
    virtual void RepaintWindow() = 0;
};

// Shows nothing.
class NoProgressDisplay : public ProgressDisplay {
  public:
    void SetBoxText(const std::string&) override {}
    void SetBoxVisible(bool) override {}
    void RepaintBox() override {}
    void SetGaugeMaximum(int64_t) override {}
    void SetGaugeProgress(int64_t) override {}
    void SetGaugeVisible(bool) override {}
    void RepaintWindow() override {}
};

}  // namespace tarvel::library
