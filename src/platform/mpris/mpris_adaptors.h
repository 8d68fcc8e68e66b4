#pragma once

#include <QDBusAbstractAdaptor>
#include <QDBusContext>
#include <QDBusObjectPath>
#include <QStringList>
#include <QVariantMap>

#include "platform/mpris/media_player.h"

// The two interfaces of the object /org/mpris/MediaPlayer2, as Qt exports them: each method
// and property hands over to the service's MediaPlayer and answers from its state.
namespace tarvel::mpris {

class MprisService;

// The object path that stands for "no song".
inline constexpr const char* kNoTrack = "/org/mpris/MediaPlayer2/TrackList/NoTrack";

// The Metadata map of a state: mpris:trackid, mpris:length, xesam:title, xesam:artist (a list),
// xesam:album and xesam:url; only the track id when there is no song.
QVariantMap MetadataMap(const PlayerState& state);

// The exported object that carries both interfaces. Qt hands it the context of the call being
// answered, so that a call can be answered with an error.
class MprisObject : public QObject, protected QDBusContext {
    Q_OBJECT
  public:
    using QObject::QObject;
    void ReplyError(QDBusError::ErrorType type, const QString& text) const {
        sendErrorReply(type, text);
    }
};

class RootAdaptor : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.mpris.MediaPlayer2")
    Q_PROPERTY(bool CanQuit READ canQuit)
    Q_PROPERTY(bool CanRaise READ canRaise)
    Q_PROPERTY(bool HasTrackList READ hasTrackList)
    Q_PROPERTY(QString Identity READ identity)
    Q_PROPERTY(QString DesktopEntry READ desktopEntry)
    Q_PROPERTY(QStringList SupportedUriSchemes READ supportedUriSchemes)
    Q_PROPERTY(QStringList SupportedMimeTypes READ supportedMimeTypes)
  public:
    RootAdaptor(QObject* object, MprisService& service);

    bool canQuit() const { return true; }
    bool canRaise() const { return true; }
    bool hasTrackList() const { return false; }
    QString identity() const { return QStringLiteral("Tarvel"); }
    QString desktopEntry() const;
    QStringList supportedUriSchemes() const { return {QStringLiteral("file")}; }
    QStringList supportedMimeTypes() const;

  public slots:
    void Raise();
    void Quit();

  private:
    MprisService& service_;
};

class PlayerAdaptor : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.mpris.MediaPlayer2.Player")
    Q_PROPERTY(QString PlaybackStatus READ playbackStatus)
    Q_PROPERTY(double Rate READ rate WRITE setRate)
    Q_PROPERTY(double MinimumRate READ rate)
    Q_PROPERTY(double MaximumRate READ rate)
    Q_PROPERTY(QVariantMap Metadata READ metadata)
    Q_PROPERTY(double Volume READ volume WRITE setVolume)
    Q_PROPERTY(qlonglong Position READ position)
    Q_PROPERTY(bool CanGoNext READ canGoNext)
    Q_PROPERTY(bool CanGoPrevious READ canGoPrevious)
    Q_PROPERTY(bool CanPlay READ canPlay)
    Q_PROPERTY(bool CanPause READ canPause)
    Q_PROPERTY(bool CanSeek READ canSeek)
    Q_PROPERTY(bool CanControl READ canControl)
  public:
    PlayerAdaptor(MprisObject* object, MprisService& service);

    QString playbackStatus() const;
    double rate() const { return 1.0; }
    // The player plays at its own speed only; another rate is ignored.
    void setRate(double) {}
    QVariantMap metadata() const;
    double volume() const;
    void setVolume(double volume);
    qlonglong position() const;
    bool canGoNext() const;
    bool canGoPrevious() const;
    bool canPlay() const;
    bool canPause() const;
    bool canSeek() const;
    bool canControl() const { return true; }

  public slots:
    void Next();
    void Previous();
    void Pause();
    void PlayPause();
    void Stop();
    void Play();
    void Seek(qlonglong Offset);
    void SetPosition(const QDBusObjectPath& TrackId, qlonglong Position);
    void OpenUri(const QString& Uri);

  signals:
    void Seeked(qlonglong Position);

  private:
    PlayerState State() const;
    // Runs a request, then tells the bus what it changed.
    template <typename Request>
    void Run(Request&& request);

    MprisObject* object_;
    MprisService& service_;
};

}  // namespace tarvel::mpris
