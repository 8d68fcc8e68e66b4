#pragma once

#include <QWidget>

#include "controls/scroller_parts.h"

namespace tarvel::controls {

// What both skinned scroll bars share: the track area that holds the range, the properties read
// through it, the page keys, the changed step and the enter/leave notifications.
class TKVRScrollerBase : public QWidget {
    Q_OBJECT
  public:
    int Min() const { return scroller_->Min(); }
    int Max() const { return scroller_->Max(); }
    int Position() const { return scroller_->Position(); }
    int SmallChange() const { return small_change_; }
    int LargeChange() const { return scroller_->LargeChange(); }
    int ThumbSize() const { return scroller_->ThumbSize(); }
    QString HintSecondLine() const { return hint_second_line_; }
    QString Version() const { return QStringLiteral("Tarvel skinned scroll bar 1.0"); }

    // Code changes: clamped, never raising OnChange.
    void SetMin(int min);
    void SetMax(int max);
    void SetPosition(int position);
    // A change made for the user from outside the mouse and keys (assistive technology): clamped,
    // then the changed step as after a drag and release, so OnChange runs and a position bar
    // seeks.
    void SetPositionByUser(int position);
    void SetSmallChange(quint16 change) { small_change_ = change; }
    void SetLargeChange(quint16 change) { scroller_->SetLargeChange(change); }
    void SetThumbSize(quint8 size) { scroller_->SetThumbSize(size); }
    void SetColorThumb(const QColor& color) { scroller_->SetBojaSetaca(color); }
    void SetColorBand(const QColor& color) { scroller_->SetBojatrake(color); }
    // Appends a second line to a non-empty hint.
    void SetHintSecondLine(const QString& line);

    TScroller& Scroller() { return *scroller_; }

  signals:
    void OnChange(int scroll_pos);
    void OnMouseEnter();
    void OnMouseExit();

  protected:
    TKVRScrollerBase(TScroller::Look look, QWidget* parent);

    // After a code change of the range or the position.
    virtual void PositionSet() {}
    // The changed step of a user-made change: focus, OnChange, then AfterChange.
    void Changed();
    virtual void AfterChange() {}

    void keyPressEvent(QKeyEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

    TScroller* scroller_;

  private:
    int small_change_ = 1;
    QString hint_second_line_;
};

}  // namespace tarvel::controls
