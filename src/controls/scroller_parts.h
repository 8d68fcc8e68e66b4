#pragma once

#include <QAbstractButton>
#include <QColor>
#include <QImage>
#include <QWidget>

#include "controls/arrow_glyphs.h"
#include "controls/arrow_repeat.h"
#include "controls/scroller_rules.h"

// The inner parts of the skinned scroll bars: the track area TScroller with its band TTraka and
// thumb TSetac, and the arrow buttons TButtonUp / TButtonDown of the bar with buttons.
namespace tarvel::controls {

class TScroller;

// The band. A sunken panel in the band colour, or a picture stretched over it.
class TTraka : public QWidget {
  public:
    explicit TTraka(TScroller& owner);
    void SetColor(const QColor& color);
    void SetPicture(const QImage& picture);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    // While a button is held the band keeps the mouse, so leaving it is seen as a move outside.
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

  private:
    TScroller& owner_;
    QColor color_;
    QImage picture_;
};

// The thumb. A rounded panel in the thumb colour with the position text, or a picture at its
// natural size.
class TSetac : public QWidget {
  public:
    explicit TSetac(TScroller& owner);
    void SetColor(const QColor& color);
    void SetPicture(const QImage& picture);
    void SetText(const QString& text);
    const QString& Text() const { return text_; }
    const QImage& Picture() const { return picture_; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    TScroller& owner_;
    QColor color_;
    QImage picture_;
    QString text_;
};

// The track area: holds the range and the position and places the band and the thumb.
class TScroller : public QWidget {
    Q_OBJECT
  public:
    // Panel: the bar with buttons (band click maps the click onto the range; sets MouseUpm).
    // Picture: the picture bar (band click steps by LargeChange; first repeat after 100 ms).
    enum class Look { Panel, Picture };

    TScroller(Look look, QWidget* parent);

    int Min() const { return min_; }
    int Max() const { return max_; }
    int Position() const { return position_; }
    int LargeChange() const { return large_change_; }
    int ThumbSize() const { return thumb_size_; }
    ScrollKind Kind() const { return kind_; }
    bool ShowText() const { return show_text_; }

    void SetMin(int min);
    void SetMax(int max);
    // Clamps and moves the thumb; never raises OnScroll.
    void SetPosition(int position);
    void SetLargeChange(int change) { large_change_ = change; }
    void SetThumbSize(int size);
    void SetKind(ScrollKind kind);
    void SetShowText(bool show) { show_text_ = show; }
    void SetBojaSetaca(const QColor& color) { thumb_->SetColor(color); }
    void SetBojatrake(const QColor& color) { band_->SetColor(color); }
    void SetPictures(const QImage& band, const QImage& thumb);

    TTraka& Band() { return *band_; }
    TSetac& Thumb() { return *thumb_; }
    ArrowRepeat& BandRepeat() { return band_repeat_; }
    int Travel() const;

    // Mouse rules of the parts, in this control's coordinates.
    void ThumbPressed(QPoint at);
    void ThumbDragged(QPoint at);
    void ThumbReleased();
    void BandPressed(QPoint at_in_band);
    void BandReleased();
    void BandLeft();

  signals:
    // A user-made change of the position.
    void OnScroll(int position);

  protected:
    void resizeEvent(QResizeEvent* event) override;
    // The track area takes the presses and releases that miss the band and the thumb, so they do
    // not reach the outer control (whose own release clears the thumb text).
    void mousePressEvent(QMouseEvent*) override {}
    void mouseReleaseEvent(QMouseEvent*) override {}

  private:
    void Relayout();
    void BandStep();

    Look look_;
    int min_ = 0;
    int max_ = 100;
    int position_ = 0;
    int large_change_ = 1;
    int thumb_size_ = 25;
    bool show_text_ = true;
    ScrollKind kind_ = ScrollKind::Horizontal;
    TTraka* band_;
    TSetac* thumb_;
    ArrowRepeat band_repeat_;
    bool dragging_ = false;
    QPoint drag_start_;
    int drag_start_offset_ = 0;
    QPoint band_click_;
    int band_direction_ = 0;
};

// A flat arrow button showing its glyph; pressing and holding repeats through the owner.
class TScrollButton : public QAbstractButton {
  public:
    TScrollButton(ArrowGlyph glyph, QWidget* parent);
    void SetGlyph(ArrowGlyph glyph);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    ArrowGlyph kind_ = ArrowGlyph::Left;
    QImage glyph_;
};

class TButtonUp : public TScrollButton {
  public:
    explicit TButtonUp(QWidget* parent) : TScrollButton(ArrowGlyph::Left, parent) {}
};

class TButtonDown : public TScrollButton {
  public:
    explicit TButtonDown(QWidget* parent) : TScrollButton(ArrowGlyph::Right, parent) {}
};

}  // namespace tarvel::controls
