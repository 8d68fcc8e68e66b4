// Resizing the main window by dragging its right edge, its bottom edge or the corner between
// them: the layout rules decide, the window applies the new rectangles and fits itself.
#include <QCursor>
#include <QMouseEvent>

#include "controls/c_list_box.h"
#include "controls/mega_image.h"
#include "shell/analyser_strip.h"
#include "shell/layout_rules.h"
#include "shell/main_controls.h"
#include "shell/main_window.h"

namespace tarvel {
namespace {

struct EdgeControl {
    controls::Main name;
    shell::Edge edge;
    Qt::CursorShape cursor;
};

constexpr EdgeControl kEdges[] = {
    {controls::Main::imgRigthLine, shell::Edge::Right, Qt::SizeHorCursor},
    {controls::Main::ImgNizCenter, shell::Edge::Bottom, Qt::SizeVerCursor},
    {controls::Main::ImgNizPravo, shell::Edge::Corner, Qt::SizeFDiagCursor},
};

}  // namespace

void TForm1::ConnectEdgeDrags() {
    for (const EdgeControl& edge : kEdges) {
        QWidget& control = controls_->Widget(edge.name);
        control.setCursor(edge.cursor);
        control.setMouseTracking(true);
    }
}

bool TForm1::EdgeEvent(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseMove &&
        type != QEvent::MouseButtonRelease) {
        return false;
    }
    const EdgeControl* edge = nullptr;
    for (const EdgeControl& candidate : kEdges) {
        if (watched == &controls_->Widget(candidate.name)) {
            edge = &candidate;
        }
    }
    if (edge == nullptr) {
        return false;
    }
    const bool list2_shown = !controls_->List(2).isHidden();
    switch (event->type()) {
        case QEvent::MouseButtonPress:
            if (static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton) {
                return false;
            }
            shell::ClearAnchors(drag_, shell::Edge::Corner);
            dragging_ = true;
            if (edge->edge != shell::Edge::Bottom) {
                controls_->CmdSearch->show();
            }
            return true;
        case QEvent::MouseMove: {
            const QPoint at = static_cast<QMouseEvent*>(event)->globalPosition().toPoint();
            if (!dragging_) {
                shell::ClearAnchors(drag_, edge->edge);
                return false;
            }
            shell::DragStep step;
            switch (edge->edge) {
                case shell::Edge::Right:
                    step = shell::DragOverRightEdge(layout_, drag_, at.x(), list2_shown);
                    break;
                case shell::Edge::Bottom:
                    step = shell::DragOverBottomEdge(layout_, drag_, at.y());
                    break;
                case shell::Edge::Corner:
                    step = shell::DragOverCorner(layout_, drag_, at.x(), at.y(), list2_shown);
                    break;
            }
            if (step.applied) {
                ApplyLayout();
                FitWindow();
            }
            return true;
        }
        case QEvent::MouseButtonRelease:
            if (!dragging_) {
                return false;
            }
            dragging_ = false;
            shell::ClearAnchors(drag_, edge->edge);
            if (edge->edge != shell::Edge::Bottom && controls_->PaintFrame->isVisible() &&
                SpectrumOn()) {
                controls_->CmdSearch->hide();
            }
            if (SpectrumOn()) {
                spectrum_->Rebuild();
            }
            return true;
        default:
            return false;
    }
}

}  // namespace tarvel
