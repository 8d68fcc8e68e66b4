#include "controls/kvr_scroller_vr.h"

namespace tarvel::controls {

TKVRScrollerVr::TKVRScrollerVr(QWidget* parent)
    : TKVRScrollerBase(TScroller::Look::Picture, parent) {
    resize(21, 130);
}

void TKVRScrollerVr::resizeEvent(QResizeEvent*) {
    scroller_->setGeometry(rect());
}

}  // namespace tarvel::controls
