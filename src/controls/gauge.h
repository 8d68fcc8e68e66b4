#pragma once

#include <QColor>
#include <QWidget>

#include "controls/gauge_rules.h"

namespace tarvel::controls {

// A drawn horizontal progress bar with its percentage as text in the inverse colour of what lies
// beneath it.
class TGauge : public QWidget {
    Q_OBJECT
  public:
    enum class GaugeKind { HorizontalBar };
    enum class BorderStyle { None, Single };

    explicit TGauge(QWidget* parent = nullptr);

    int MinValue() const { return range_.min; }
    int MaxValue() const { return range_.max; }
    int Progress() const { return range_.progress; }
    int PercentDone() const { return GaugePercent(range_); }
    GaugeKind Kind() const { return GaugeKind::HorizontalBar; }
    bool ShowText() const { return show_text_; }
    BorderStyle Border() const { return border_; }
    QColor ForeColor() const { return fore_; }
    QColor BackColor() const { return back_; }

    // Throw AppError "Value must be between A and B" when the range would turn over.
    void SetMinValue(int min);
    void SetMaxValue(int max);
    void SetProgress(int progress);
    // A maximum and a progress of any 64-bit size (GaugeMaximumFor, GaugeProgressFor); a new
    // maximum shows the last progress given on the new range.
    void SetLongMaxValue(int64_t max);
    void SetLongProgress(int64_t progress);
    void SetKind(GaugeKind) {}
    void SetShowText(bool show);
    void SetBorderStyle(BorderStyle border);
    void SetForeColor(const QColor& color);
    void SetBackColor(const QColor& color);

    // The picture as painted, at the control's size.
    QImage Render() const;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    void SetRange(const GaugeRange& range);

    GaugeRange range_;
    int64_t long_max_ = 100;
    int64_t long_progress_ = 0;
    bool show_text_ = true;
    BorderStyle border_ = BorderStyle::Single;
    QColor fore_ = QColor(0, 0, 0);
    QColor back_ = QColor(255, 255, 255);
};

// The main window's gauge: a near-white bar on black, its percentage in bold 11-pixel DejaVu Sans,
// white over the black and near-black over the bar.
void ApplyMainGaugeLook(TGauge& gauge);

}  // namespace tarvel::controls
