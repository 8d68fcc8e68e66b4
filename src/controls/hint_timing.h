#pragma once

#include <QPoint>
#include <QString>

class QListView;

// When hints show and for how long, and where a list's row hint stands.
namespace tarvel::controls {

// The pointer rests this long over a control before its hint shows; a hint stays this long.
inline constexpr int kHintPauseMs = 1000;
inline constexpr int kHintShowMs = 10000;

// Applies the hint timing to the whole application: the pause before a hint, and the time on
// screen of every control's hint, whatever its length. Once per application; later calls do
// nothing.
void UseHintTiming();

// The screen point where the hint of a list's row (0-based) has its top-left corner: 1 pixel
// left of the list's left edge and 3 pixels above the row's bottom edge.
QPoint ListHintPlace(const QListView& list, int row);

// Shows text as the hint of a list's row at ListHintPlace, for kHintShowMs.
void ShowListHint(QListView& list, int row, const QString& text);

}  // namespace tarvel::controls
