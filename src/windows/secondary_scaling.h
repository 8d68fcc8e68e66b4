#pragma once

#include <QRect>
#include <map>
#include <string>

// How the mini player's strip and the small playlist window adapt to a screen narrower than the
// 1024 pixels they were laid out for, or to a larger font: plain rules over the controls'
// rectangles, which the windows apply.
namespace tarvel::windows {

using ControlRects = std::map<std::string, QRect, std::less<>>;

// The screen's width over the 1024 pixels of the design.
double ScaleOfScreenWidth(int screen_width);

// The mini player's strip. With f = scale_x x font_ratio below 1.0, the title strip Label3 takes
// Round(width x f), the time label StaticText1 follows it 2 pixels on with Round(width x f), and
// the volume bar SCRLvolumeMIN takes the position bar's left and width. The window keeps its
// width, so the strip never grows: at 1.0 or more nothing changes, as a wider title strip would
// push the time label over the buttons and bars to its right.
void ScaleMiniStrip(ControlRects& rects, double scale_x, double font_ratio);

// The small playlist window on a screen narrower than 1024 pixels (scale_x < 1.0): the list
// ListBox6 and the background ImgFon shrink by scale_x (the background 3 pixels wider), and the
// scroll bar KVRScrollerVr6 stands right of the list. Nothing changes at 1.0 or more.
void ScaleSmallPlaylist(ControlRects& rects, double scale_x);

// The small playlist window's outline: a rounded rectangle from (ImgFon.Left + 5, ImgFon.Top + 2)
// to (ImgFon.Left + ImgFon.Width - 1, ImgFon.Top + ImgFon.Height - 3).
QRect SmallPlaylistOutline(const QRect& background);

}  // namespace tarvel::windows
