#pragma once

#include <QImage>
#include <QString>

#include "icons.h"

// The kinds of skin button pictures. State 1 is the resting look, 2 the hover (or "on") look,
// 3 the pressed look.
namespace tarvel::skin {

// A round button with a disc and an icon, on the window body.
QImage RoundButton(QSize size, Icon icon, int state, double icon_share = 0.6);

// A small square caption button (close, minimise, ...).
QImage SquareButton(QSize size, Icon icon, int state);

// An icon alone on the body (option arrows, the loop mark).
QImage IconButton(QSize size, Icon icon, int state);

// A pill with a caption (save, equalizer on/off, reset). `lit` draws it in the accent colour.
QImage TextButton(QSize size, const QString& text, bool lit, bool hover);

// Buttons that sit in a window's rose title strip, on the strip's own ground. The pill is inset
// by a pixel and a half so that neighbours sharing a column do not cut it. `lit` is the bright
// look (on, or under the mouse), otherwise a dark rose pill.
QImage StripTextButton(QSize size, const QString& text, bool lit);
// A caption icon on the strip: at rest the bare icon, under the mouse (state 2) a light square.
QImage StripIconButton(QSize size, Icon icon, int state);

}  // namespace tarvel::skin
