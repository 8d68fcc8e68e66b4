#include "windows/fmod_window.h"

#include <cstdlib>

namespace tarvel {

namespace {
constexpr int kTimerInterval = 50;
constexpr int kFullVolume = 771;
}  // namespace

TfrmMain::TfrmMain(system::SystemServices& services, std::function<int()> volume_position,
                   QWidget* parent)
    : QWidget(parent), lblCDTrack(new QLabel(this)), volume_(std::move(volume_position)) {
    setObjectName("TfrmMain");
    setWindowTitle("Module player");
    lblCDTrack->setObjectName("lblCDTrack");
    tmrMain.setInterval(kTimerInterval);
    connect(&tmrMain, &QTimer::timeout, this, [this] { tmrMainTimer(); });
    engine_ = std::make_unique<audio::FmodEngine>(
        services, *this, [this] { return volume_ ? volume_() : kFullVolume; });
    if (!engine_->Initialise(static_cast<void*>(this))) {
        std::exit(EXIT_FAILURE);
    }
}

void TfrmMain::SetCdTrackText(const std::string& text) {
    lblCDTrack->setText(QString::fromStdString(text));
}

void TfrmMain::tmrMainTimer() {
    engine_->TimerTick(tmrMain.interval());
}

}  // namespace tarvel
