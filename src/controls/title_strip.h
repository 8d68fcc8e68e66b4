#pragma once

#include <QColor>
#include <QImage>
#include <QString>
#include <QWidget>

#include "platform/desktop/x11_strip_copy.h"

namespace tarvel::controls {

// A scrolling title strip (Label3 of the main window and of the mini player): shows a text drawn
// once into an off-screen picture, copied into the strip at the scroll position on every tick. On
// X11 the X server does the copying from a picture it keeps (a step costs one request); Qt paints
// the strip where that is not possible and whenever the strip is exposed.
class TitleStrip : public QWidget {
    Q_OBJECT
  public:
    explicit TitleStrip(QWidget* parent = nullptr);
    // Width of the text in the strip's font.
    int Measure(const QString& text) const;
    // Shows text with its left edge at x; the text picture is drawn again only when the text or
    // its colours change.
    void Show(const QString& text, int x, const QColor& text_color, const QColor& back_color);
    const QImage& TextPicture() const { return text_picture_; }
    const QString& Text() const { return text_; }
    int X() const { return x_; }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    QString text_;
    QColor text_color_;
    QColor back_color_;
    QImage text_picture_;
    int x_ = 0;
    desktop::X11StripCopy server_copy_;
    bool server_picture_ = false;  // the server holds the current picture for the strip's size
    bool server_refused_ = false;  // it could not take this picture at this size
};

}  // namespace tarvel::controls
