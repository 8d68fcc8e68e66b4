#pragma once

#include <QColor>
#include <QRect>
#include <QSize>
#include <vector>

// Where the windows put the skin pictures, as the skin is drawn for: each window's pictures and
// painted areas back to front, and its rounded outline. The generator composes the windows from
// these to check the pictures against each other and to preview them.
namespace tarvel::skin {

struct LayoutItem {
    // Backdrop: a background or frame piece. Control: a skin button, every slot of it checked.
    // Painted: an area the window fills itself (a label's colour) and that covers what is below.
    enum class Kind { Backdrop, Control, Painted };
    Kind kind;
    const char* control;  // the control's name; the pictures come from the window's skin table
    QRect at;             // window coordinates
    QColor colour = {};   // Painted only
};

struct WindowLayout {
    const char* window;  // window class, as the skin table names it
    QSize size;
    // The rounded outline (corner ellipse 5 x 5): the pixels inside it, so right() and bottom()
    // are one less than the right and bottom the platform's region is given.
    QRect region;
    std::vector<LayoutItem> items;  // back to front
};

// The main window, the mini player, the small playlist window, the shuffle options and the
// equalizer.
const std::vector<WindowLayout>& WindowLayouts();
const WindowLayout& LayoutOf(const char* window);

}  // namespace tarvel::skin
