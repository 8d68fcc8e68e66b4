#include "shell/desktop_media.h"

#include <QGuiApplication>
#include <algorithm>
#include <limits>

#include "config/settings.h"
#include "playlists/playlist_model.h"
#include "shell/error_boundary.h"
#include "shell/main_window.h"
#include "shell/mpris_state.h"
#include "shell/open_files.h"
#include "shell/window_host.h"
#include "shell/window_states.h"
#include "transport/transport.h"

namespace tarvel::shell {
namespace {

constexpr const char* kBusName = "tarvel";
constexpr const char* kDesktopEntry = "tarvel";

}  // namespace

mpris::PlayerState WindowMediaPlayer::State() const {
    return MprisState(form_.Playlists().Work(), form_.Settings().Volume());
}

void WindowMediaPlayer::Raise() {
    WindowHost& host = form_.Host();
    if (form_.States().InTray()) {
        form_.RestoreFromTray();
    } else if (host.MiniVisible()) {
        host.ShowMini();
        host.mini->raise();
        host.mini->activateWindow();
    } else {
        host.ShowMain();
        host.BringMainToFront();
    }
}

void WindowMediaPlayer::Quit() {
    // After the answer has gone out: closing ends the run (SaveOnExit runs on the way).
    QTimer::singleShot(0, &form_, [this] { form_.close(); });
}

void WindowMediaPlayer::Run(const std::function<void()>& operation) {
    RunReportedAfterAnswer(form_.Services(), operation);
}

void WindowMediaPlayer::PlayPause() {
    Run([this] { form_.Transport().PlayPauseButton(); });
}

void WindowMediaPlayer::Play() {
    const mpris::Status status = State().status;
    Run([this, status] {
        if (status == mpris::Status::Paused) {
            form_.Transport().PlayPause();
        } else if (status == mpris::Status::Stopped) {
            form_.Transport().PlayPauseButton();
        }
    });
}

void WindowMediaPlayer::Pause() {
    if (State().status == mpris::Status::Playing) {
        Run([this] { form_.Transport().PlayPause(); });
    }
}

void WindowMediaPlayer::Stop() {
    Run([this] { form_.Transport().StopPlay(true); });
}

void WindowMediaPlayer::Next() {
    if (form_.Playlists().Work().Count > 0) {
        Run([this] { form_.Transport().PlayNext(); });
    }
}

void WindowMediaPlayer::Previous() {
    if (form_.Playlists().Work().Count > 0) {
        Run([this] { form_.Transport().PlayPrevious(); });
    }
}

void WindowMediaPlayer::SeekTo(int64_t position_us) {
    // Within the song's length already; held within the milliseconds the engines take all the
    // same, so no request can wrap round to another position.
    const auto ms = static_cast<int32_t>(
        std::clamp<int64_t>(position_us / 1000, 0, std::numeric_limits<int32_t>::max()));
    Run([this, ms] {
        form_.Playlists().Work().PositionMs = ms;
        form_.Transport().SeekTo(ms);
    });
}

void WindowMediaPlayer::SetVolume(double volume) {
    Run([this, volume] { form_.Transport().ApplyVolume(VolumeBarPosition(volume)); });
}

bool WindowMediaPlayer::OpenFiles(const std::vector<std::string>& paths) {
    bool opened = false;
    Run([this, &paths, &opened] { opened = PlayFiles(form_, paths); });
    return opened;
}

DesktopMedia::DesktopMedia(TForm1& form, mpris::MprisService::Clock clock)
    : player_(form),
      service_(mpris::MprisService::Start(player_, kBusName, kDesktopEntry, std::move(clock))) {
    if (service_) {
        publish_timer_.setInterval(kPublishMs);
        connect(&publish_timer_, &QTimer::timeout, this, [this] { service_->Publish(); });
        publish_timer_.start();
    }
}

DesktopMedia::~DesktopMedia() = default;

std::unique_ptr<DesktopMedia> ConnectDesktopMedia(TForm1& form,
                                                  const std::vector<std::string>& files) {
    QGuiApplication::setDesktopFileName(kDesktopEntry);
    auto media = std::make_unique<DesktopMedia>(form);
    if (!files.empty()) {
        PlayFiles(form, files);
    }
    return media;
}

}  // namespace tarvel::shell
