#include "windows/mini_window.h"

#include "platform/winmsg/widget_requests.h"
#include "platform/winmsg/window_endpoint.h"

namespace tarvel {

TMinFrm::TMinFrm(QWidget* parent) : QWidget(parent) {
    setObjectName("TMinFrm");
    setWindowTitle("Tarvel");
    endpoint_ = std::make_unique<winmsg::WindowEndpoint>(
        "TMinFrm", "Tarvel",
        [this](const winmsg::Incoming& m) { return winmsg::ApplyWindowRequest(this, m); });
}

TMinFrm::~TMinFrm() = default;

}  // namespace tarvel
