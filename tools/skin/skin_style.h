#pragma once

#include <QColor>
#include <QFont>

// The colours and type of the Tarvel skin: a dark graphite body, black lists, and the rose of the
// title strip as the one accent colour.
namespace tarvel::skin {

inline const QColor kBody(0x1d, 0x1f, 0x26);       // window frames and panels
inline const QColor kBodyLight(0x26, 0x29, 0x32);  // header strips, raised panels
inline const QColor kEdge(0x34, 0x37, 0x42);       // hairlines between pieces
inline const QColor kShadow(0x10, 0x11, 0x15);     // recessed edges
inline const QColor kRim(0x3c, 0x3f, 0x4b);        // the outer edge of every window
inline const QColor kList(0, 0, 0);                // list background
inline const QColor kInk(0xc8, 0xcb, 0xd3);        // icons and captions at rest
inline const QColor kInkDim(0x80, 0x84, 0x90);     // secondary captions
inline const QColor kRose(0xB4, 0x5D, 0x62);       // the title strip colour
inline const QColor kRoseLight(0xef, 0xb0, 0xb4);  // hover and "on" icons
inline const QColor kRoseDark(0x82, 0x3f, 0x45);   // pressed depths
inline const QColor kMarkGreen(0xA8, 0xF7, 0x8E);  // the playing row's colour

// DejaVu Sans at a pixel size; condensed bold for the small captions.
QFont SkinFont(int pixel_size, bool bold = false, bool condensed = false);

}  // namespace tarvel::skin
