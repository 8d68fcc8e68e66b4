#include "extplayer/equalizer_window.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QLabel>
#include <QSlider>

#include "platform/winmsg/widget_requests.h"
#include "platform/winmsg/window_endpoint.h"

namespace tarvel::extplayer {
namespace {

constexpr int64_t kVkEscape = 0x1B;

}  // namespace

EqualizerWindow::EqualizerWindow(std::function<void(const std::string&)> log)
    : log_(std::move(log)) {
    setWindowTitle("Graphic Equalizer");
    auto* layout = new QGridLayout(this);
    const char* bands[] = {"60", "170", "310", "600", "1K", "3K", "6K", "12K", "14K", "16K"};
    for (int i = 0; i < 10; ++i) {
        auto* slider = new QSlider(Qt::Vertical, this);
        slider->setRange(-12, 12);
        layout->addWidget(slider, 0, i, Qt::AlignHCenter);
        layout->addWidget(new QLabel(bands[i], this), 1, i, Qt::AlignHCenter);
    }
}

EqualizerWindow::~EqualizerWindow() = default;

void EqualizerWindow::Open() {
    if (!endpoint_) {
        endpoint_ = std::make_unique<winmsg::WindowEndpoint>(
            "Apollo - Graphic Equalizer", "Graphic Equalizer",
            [this](const winmsg::Incoming& m) -> int32_t {
                if (m.op == winmsg::Op::Post || m.op == winmsg::Op::Send) {
                    log_("eq " + std::to_string(m.msg) + " " + std::to_string(m.wparam) + " " +
                         std::to_string(m.lparam));
                    if (m.msg == winmsg::WM_KEYDOWN && m.wparam == kVkEscape) {
                        close();
                    }
                    return 0;
                }
                log_("eq request " + std::to_string(static_cast<int>(m.op)) + " " +
                     std::to_string(m.wparam));
                return winmsg::ApplyWindowRequest(this, m);
            });
    }
    show();
    raise();
}

void EqualizerWindow::closeEvent(QCloseEvent* event) {
    QWidget::closeEvent(event);
    endpoint_.reset();
}

}  // namespace tarvel::extplayer
