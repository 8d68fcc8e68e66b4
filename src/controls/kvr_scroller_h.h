#pragma once

#include "controls/arrow_repeat.h"
#include "controls/scroller_base.h"

namespace tarvel::controls {

// The skinned scroll bar with two arrow buttons, a sunken band and a panel thumb that can show
// the position as text (a time, or the position scaled by Vkoef). Setting Position, Min or Max
// from code never raises OnChange; user drags, clicks and keys do.
class TKVRScrollerH : public TKVRScrollerBase {
    Q_OBJECT
  public:
    explicit TKVRScrollerH(QWidget* parent = nullptr);

    bool ThumbShowText() const { return scroller_->ShowText(); }
    double Vkoef() const { return vkoef_; }
    bool RoundThumb() const { return round_thumb_; }
    ScrollKind Kind() const { return scroller_->Kind(); }
    QString ThumbText() const { return scroller_->Thumb().Text(); }

    // The panel's own colour, seen around the band and behind the arrows.
    void SetColor(const QColor& color);
    void SetThumbShowText(bool show);
    void SetVkoef(double vkoef);
    void SetRoundThumb(bool round);
    void SetKind(ScrollKind kind);

    // Clicks of the arrow buttons, as the keys and the repeat give them.
    void ClickLT();
    void ClickRD();

    TButtonUp& ButtonUp() { return *button_lt_; }
    TButtonDown& ButtonDown() { return *button_rd_; }
    ArrowRepeat& ButtonRepeat() { return button_repeat_; }

  signals:
    void OnClickBtnLT();
    void OnClickBtnRD();

  protected:
    void PositionSet() override;
    void AfterChange() override { RenewText(); }
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    // A press and release on the control's own frame clears the thumb text. Presses the arrow
    // buttons do not take (right and middle clicks) travel up to here; they are not on the frame.
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    void Relayout();
    void RenewText();
    void ButtonPressed(bool lt);
    void ButtonReleased();

    TButtonUp* button_lt_;
    TButtonDown* button_rd_;
    ArrowRepeat button_repeat_;
    bool repeat_lt_ = true;
    double vkoef_ = 1.0;
    bool round_thumb_ = true;
    bool frame_pressed_ = false;  // the button now held went down on the frame
};

}  // namespace tarvel::controls
