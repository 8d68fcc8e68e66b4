#include "platform/mpris/mpris_adaptors.h"

#include <QDBusConnection>

#include "platform/formats/music_formats.h"
#include "platform/mpris/mpris_rules.h"
#include "platform/mpris/mpris_service.h"

namespace tarvel::mpris {
namespace {

QString Text(const std::string& utf8) {
    return QString::fromStdString(utf8);
}

}  // namespace

QVariantMap MetadataMap(const PlayerState& state) {
    QVariantMap map;
    if (!state.track) {
        map.insert("mpris:trackid", QVariant::fromValue(QDBusObjectPath(kNoTrack)));
        return map;
    }
    const Track& track = *state.track;
    map.insert("mpris:trackid", QVariant::fromValue(QDBusObjectPath(Text(track.id))));
    map.insert("mpris:length", QVariant::fromValue(static_cast<qlonglong>(track.length_us)));
    map.insert("xesam:title", Text(track.title));
    map.insert("xesam:artist", QStringList{Text(track.artist)});
    map.insert("xesam:album", Text(track.album));
    if (!track.url.empty()) {
        map.insert("xesam:url", Text(track.url));
    }
    return map;
}

RootAdaptor::RootAdaptor(QObject* object, MprisService& service)
    : QDBusAbstractAdaptor(object), service_(service) {}

QString RootAdaptor::desktopEntry() const {
    return Text(service_.DesktopEntry());
}

void RootAdaptor::Raise() {
    service_.Player().Raise();
    service_.Publish();
}

void RootAdaptor::Quit() {
    service_.Player().Quit();
}

PlayerAdaptor::PlayerAdaptor(MprisObject* object, MprisService& service)
    : QDBusAbstractAdaptor(object), object_(object), service_(service) {}

PlayerState PlayerAdaptor::State() const {
    return service_.Player().State();
}

template <typename Request>
void PlayerAdaptor::Run(Request&& request) {
    request(service_.Player());
    service_.Publish();
}

QString PlayerAdaptor::playbackStatus() const {
    return QString::fromLatin1(StatusName(State().status));
}

QVariantMap PlayerAdaptor::metadata() const {
    return MetadataMap(State());
}

double PlayerAdaptor::volume() const {
    return State().volume;
}

void PlayerAdaptor::setVolume(double volume) {
    if (const std::optional<double> planned = PlanVolume(volume)) {
        Run([planned](MediaPlayer& player) { player.SetVolume(*planned); });
    }
}

qlonglong PlayerAdaptor::position() const {
    return State().position_us;
}

bool PlayerAdaptor::canGoNext() const {
    return State().can_go_next;
}

bool PlayerAdaptor::canGoPrevious() const {
    return State().can_go_previous;
}

bool PlayerAdaptor::canPlay() const {
    return State().can_play;
}

bool PlayerAdaptor::canPause() const {
    return State().can_pause;
}

bool PlayerAdaptor::canSeek() const {
    return State().can_seek;
}

void PlayerAdaptor::Next() {
    Run([](MediaPlayer& player) { player.Next(); });
}

void PlayerAdaptor::Previous() {
    Run([](MediaPlayer& player) { player.Previous(); });
}

void PlayerAdaptor::Pause() {
    Run([](MediaPlayer& player) { player.Pause(); });
}

void PlayerAdaptor::PlayPause() {
    Run([](MediaPlayer& player) { player.PlayPause(); });
}

void PlayerAdaptor::Stop() {
    Run([](MediaPlayer& player) { player.Stop(); });
}

void PlayerAdaptor::Play() {
    Run([](MediaPlayer& player) { player.Play(); });
}

void PlayerAdaptor::Seek(qlonglong Offset) {
    const SeekAction action = PlanSeek(State(), Offset);
    if (action.kind == SeekAction::Next) {
        Next();
    } else if (action.kind == SeekAction::SeekTo) {
        service_.Player().SeekTo(action.position_us);
        service_.AnnounceSeek();
    }
}

void PlayerAdaptor::SetPosition(const QDBusObjectPath& TrackId, qlonglong Position) {
    const SeekAction action = PlanSetPosition(State(), TrackId.path().toStdString(), Position);
    if (action.kind == SeekAction::SeekTo) {
        service_.Player().SeekTo(action.position_us);
        service_.AnnounceSeek();
    }
}

QStringList RootAdaptor::supportedMimeTypes() const {
    QStringList types;
    for (const std::string_view type : formats::MimeTypes()) {
        types << QString::fromLatin1(type.data(), static_cast<qsizetype>(type.size()));
    }
    return types;
}

void PlayerAdaptor::OpenUri(const QString& Uri) {
    const std::optional<std::string> path = LocalPath(Uri.toStdString());
    if (!path) {
        object_->ReplyError(QDBusError::NotSupported,
                            QStringLiteral("Only local files can be opened: %1").arg(Uri));
        return;
    }
    bool opened = false;
    Run([&](MediaPlayer& player) { opened = player.OpenFiles({*path}); });
    if (!opened) {
        object_->ReplyError(QDBusError::InvalidArgs, QStringLiteral("No such file: %1").arg(Uri));
    }
}

}  // namespace tarvel::mpris
