#pragma once

#include <QColor>
#include <QPainter>
#include <QRectF>

namespace tarvel::skin {

enum class Icon {
    Play,
    Pause,
    Stop,
    Prev,
    Next,
    Repeat,
    Shuffle,
    Undo,
    Equalizer,
    Library,
    Help,
    Preferences,
    Close,
    Minimise,
    MiniPanel,
    Tray,
    Analyser,
    Visualization,
    Search,
    Mark,
    ArrowLeft,
    ArrowRight,
    PlaylistWindow
};

// Draws an icon, anti-aliased, filling the square `box` (icons keep a small inner margin).
void DrawIcon(QPainter& painter, Icon icon, const QRectF& box, const QColor& colour);

}  // namespace tarvel::skin
