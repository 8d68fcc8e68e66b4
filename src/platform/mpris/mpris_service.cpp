#include "platform/mpris/mpris_service.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <chrono>
#include <cstdio>

#include "platform/mpris/mpris_adaptors.h"
#include "platform/mpris/mpris_rules.h"

namespace tarvel::mpris {
namespace {

constexpr const char* kObjectPath = "/org/mpris/MediaPlayer2";
constexpr const char* kPlayerInterface = "org.mpris.MediaPlayer2.Player";
// A playing song's position is read from the engine a few times a second, in whole seconds by
// some engines: a difference of more than this from where playing on would have taken it is a
// jump.
constexpr int64_t kJumpToleranceUs = 2'000'000;

QVariant PropertyValue(const std::string& name, const PlayerState& state) {
    if (name == "PlaybackStatus") {
        return QString::fromLatin1(StatusName(state.status));
    }
    if (name == "Metadata") {
        return MetadataMap(state);
    }
    if (name == "Volume") {
        return state.volume;
    }
    if (name == "CanGoNext") {
        return state.can_go_next;
    }
    if (name == "CanGoPrevious") {
        return state.can_go_previous;
    }
    if (name == "CanPlay") {
        return state.can_play;
    }
    if (name == "CanPause") {
        return state.can_pause;
    }
    return state.can_seek;
}

}  // namespace

MprisService::Clock MprisService::SteadyClock() {
    return [] {
        return std::chrono::duration_cast<std::chrono::microseconds>(
                   std::chrono::steady_clock::now().time_since_epoch())
            .count();
    };
}

std::unique_ptr<MprisService> MprisService::Start(MediaPlayer& player, const std::string& name,
                                                  const std::string& desktop_entry, Clock clock) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        std::fprintf(stderr,
                     "tarvel: no D-Bus session bus, the desktop's media controls are off\n");
        return nullptr;
    }
    const std::string service = "org.mpris.MediaPlayer2." + name;
    std::unique_ptr<MprisService> mpris(
        new MprisService(player, service, desktop_entry, std::move(clock)));
    const auto refused = [&service] {
        std::fprintf(stderr,
                     "tarvel: %s is taken on the session bus, the desktop's media "
                     "controls are off\n",
                     service.c_str());
        return nullptr;
    };
    if (!bus.registerObject(kObjectPath, mpris->root_object_, QDBusConnection::ExportAdaptors)) {
        return refused();
    }
    if (!bus.registerService(QString::fromStdString(service))) {
        bus.unregisterObject(kObjectPath);
        return refused();
    }
    mpris->registered_ = true;
    return mpris;
}

MprisService::MprisService(MediaPlayer& player, std::string service, std::string desktop_entry,
                           Clock clock)
    : player_(player),
      service_(std::move(service)),
      desktop_entry_(std::move(desktop_entry)),
      clock_(std::move(clock)),
      root_object_(new MprisObject(this)) {
    new RootAdaptor(root_object_, *this);
    player_adaptor_ = new PlayerAdaptor(root_object_, *this);
    published_ = player_.State();
    published_at_us_ = clock_();
}

MprisService::~MprisService() {
    if (!registered_) {
        return;
    }
    QDBusConnection bus = QDBusConnection::sessionBus();
    bus.unregisterService(QString::fromStdString(service_));
    bus.unregisterObject(kObjectPath);
}

void MprisService::Publish() {
    const PlayerState now = player_.State();
    const int64_t now_us = clock_();
    const std::vector<std::string> changed = ChangedProperties(published_, now);
    if (!changed.empty()) {
        QVariantMap values;
        for (const std::string& name : changed) {
            values.insert(QString::fromStdString(name), PropertyValue(name, now));
        }
        QDBusMessage signal = QDBusMessage::createSignal(
            kObjectPath, "org.freedesktop.DBus.Properties", "PropertiesChanged");
        signal << QString::fromLatin1(kPlayerInterface) << values << QStringList();
        QDBusConnection::sessionBus().send(signal);
    }
    const bool jumped =
        PositionJumped(published_, now, now_us - published_at_us_, kJumpToleranceUs);
    published_ = now;
    published_at_us_ = now_us;
    if (jumped) {
        emit player_adaptor_->Seeked(now.position_us);
    }
}

void MprisService::AnnounceSeek() {
    published_ = player_.State();
    published_at_us_ = clock_();
    emit player_adaptor_->Seeked(published_.position_us);
}

}  // namespace tarvel::mpris
