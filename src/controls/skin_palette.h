#pragma once

#include <QColor>

// The colours of the Tarvel skin, shared by the windows that paint themselves and by the skin
// picture generator (tools/skin), so the pictures and the painted areas beside them agree: a dark
// graphite body, black lists, and the rose of the title strip as the one accent colour.
namespace tarvel::controls::palette {

// The pictures' graphite.
inline const QColor kBody(0x1d, 0x1f, 0x26);       // window frames and panels
inline const QColor kBodyLight(0x26, 0x29, 0x32);  // header strips, raised panels
inline const QColor kEdge(0x34, 0x37, 0x42);       // hairlines between pieces
inline const QColor kShadow(0x10, 0x11, 0x15);     // recessed edges
inline const QColor kRim(0x3c, 0x3f, 0x4b);        // the outer edge of every window
inline const QColor kInk(0xc8, 0xcb, 0xd3);        // icons and captions at rest
inline const QColor kInkDim(0x80, 0x84, 0x90);     // secondary captions
inline const QColor kMarkGreen(0xA8, 0xF7, 0x8E);  // the playing row's colour

// The accent.
inline const QColor kRose(0xB4, 0x5D, 0x62);       // the title strip colour
inline const QColor kRoseLight(0xef, 0xb0, 0xb4);  // hover and "on" icons
inline const QColor kRoseDark(0x82, 0x3f, 0x45);   // pressed depths, the selected list row

// What the windows paint.
inline const QColor kList(0, 0, 0);                // list background
inline const QColor kListText(0xC8, 0xC9, 0xCC);   // list rows (13421000 blue-green-red)
inline const QColor kCaption(0xC8, 0xC9, 0xCC);    // time texts and the shuffle captions
inline const QColor kField(0x12, 0x13, 0x17);      // the analyser and command box field
inline const QColor kBarBody(0x8a, 0x8d, 0x97);    // skinned bars: the steel body ...
inline const QColor kBarBand(0x15, 0x16, 0x1b);    // ... and the sunken band
inline const QColor kListThumb(0x80, 0, 0);        // the small playlist's scroll thumb
inline const QColor kMiniStrip(0xAF, 0x56, 0x5A);  // the mini player's strip (0x5A56AF)
inline const QColor kMiniText(0xD2, 0xD2, 0xD2);   // the mini player's time text
inline const QColor kMiniThumb(0x40, 0x40, 0x40);  // the mini player's position thumb

}  // namespace tarvel::controls::palette
