#include "shell/desktop_media.h"

#include <QAbstractEventDispatcher>
#include <QGuiApplication>
#include <algorithm>
#include <limits>

#include "config/settings.h"
#include "playlists/playlist_model.h"
#include "shell/mpris_state.h"
#include "shell/player_commands.h"
#include "shell/player_run.h"

namespace tarvel::shell {
namespace {

constexpr const char* kBusName = "tarvel";
constexpr const char* kDesktopEntry = "tarvel";

}  // namespace

mpris::PlayerState WindowMediaPlayer::State() const {
    return MprisState(playlists_.Work(), settings_.Volume());
}

void WindowMediaPlayer::Raise() {
    c_.Raise();
}

void WindowMediaPlayer::Quit() {
    // After the answer has gone out: closing ends the run (SaveOnExit runs on the way).
    QTimer::singleShot(0, qApp, [&c = c_] { c.Quit(); });
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
    if (c_.Count() > 0)
        c_.Next();
}

void WindowMediaPlayer::Previous() {
    if (c_.Count() > 0)
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

DesktopMedia::DesktopMedia(const playlists::PlaylistModel& playlists,
                           const config::Settings& settings, PlayerCommands& commands,
                           mpris::MprisService::Clock clock)
    : player_(playlists, settings, commands),
      service_(mpris::MprisService::Start(player_, kBusName, kDesktopEntry, std::move(clock))) {
    // The media controls are told what changed whenever the event loop has handled what came
    // (an operation, a tick of the transport's timers) and is about to wait: the state is
    // compared then, so a player at rest wakes for nothing.
    if (service_) {
        connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, this,
                [this] { service_->Publish(); });
    }
}

DesktopMedia::~DesktopMedia() = default;

std::unique_ptr<DesktopMedia> StartDesktopMedia(PlayerRun& run) {
    QGuiApplication::setDesktopFileName(kDesktopEntry);
    return std::make_unique<DesktopMedia>(run.Playlists(), run.Settings(), run.AnsweringCommands());
}

}  // namespace tarvel::shell
