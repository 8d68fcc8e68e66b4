#include "shell/desktop_media.h"

#include <QGuiApplication>
#include <algorithm>
#include <limits>

#include "config/settings.h"
#include "playlists/playlist_model.h"
#include "shell/main_window.h"
#include "shell/mpris_state.h"
#include "shell/player_commands.h"
#include "shell/window_host.h"
#include "shell/window_states.h"

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
        c_.RestoreFromTray();
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
    QTimer::singleShot(0, &form_, [this] { c_.Quit(); });
}

void WindowMediaPlayer::PlayPause() {
    c_.PlayPauseButton();
}

void WindowMediaPlayer::Play() {
    c_.Play();
}

void WindowMediaPlayer::Pause() {
    c_.Pause();
}

void WindowMediaPlayer::Stop() {
    c_.Stop();
}

void WindowMediaPlayer::Next() {
    if (form_.Playlists().Work().Count > 0)
        c_.Next();
}

void WindowMediaPlayer::Previous() {
    if (form_.Playlists().Work().Count > 0)
        c_.Previous();
}

void WindowMediaPlayer::SeekTo(int64_t position_us) {
    // Within the song's length already; held within the milliseconds the engines take all the
    // same, so no request can wrap round to another position.
    c_.SeekTo(static_cast<int32_t>(
        std::clamp<int64_t>(position_us / 1000, 0, std::numeric_limits<int32_t>::max())));
}

void WindowMediaPlayer::SetVolume(double volume) {
    c_.SetVolume(VolumeBarPosition(volume));
}

bool WindowMediaPlayer::OpenFiles(const std::vector<std::string>& paths) {
    return c_.OpenFiles(paths);
}

DesktopMedia::DesktopMedia(TForm1& form, mpris::MprisService::Clock clock)
    : player_(form, form.AnsweringCommands()),
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
        form.Commands().OpenFiles(files);
    }
    return media;
}

}  // namespace tarvel::shell
