#pragma once

#include <QLabel>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>

#include "audio/fmod_engine.h"

namespace tarvel::system {
class SystemServices;
}

namespace tarvel {

// The module player window: never shown; it initialises FMOD when it is created and hosts the
// FMOD engine procedures, their timer tmrMain and the CD track label lblCDTrack.
class TfrmMain : public QWidget, public audio::FmodDisplay {
    Q_OBJECT
  public:
    // volume_position: the main volume bar (0..771); full volume until the main window gives
    // its bar. A library older than 3.71 ends the program after its message box; a failed
    // set-up throws AppError after its message box.
    explicit TfrmMain(system::SystemServices& services, std::function<int()> volume_position = {},
                      QWidget* parent = nullptr);

    audio::FmodEngine& Engine() { return *engine_; }
    void SetVolumeSource(std::function<int()> volume_position) {
        volume_ = std::move(volume_position);
    }

    void SetCdTrackText(const std::string& text) override;

    QTimer tmrMain;
    QLabel* lblCDTrack;

  private:
    void tmrMainTimer();

    std::function<int()> volume_;
    std::unique_ptr<audio::FmodEngine> engine_;
};

}  // namespace tarvel
