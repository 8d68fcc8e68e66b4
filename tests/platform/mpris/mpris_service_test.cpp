// The media controls on a private session bus: a second connection calls them as the desktop
// would, and watches their signals.
#include <gtest/gtest.h>

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusInterface>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusReply>
#include <QSignalSpy>
#include <cmath>
#include <limits>
#include <memory>

#include "platform/mpris/mpris_service.h"
#include "support/private_bus.h"

namespace tarvel::mpris {
namespace {

constexpr const char* kService = "org.mpris.MediaPlayer2.tarveltest";
constexpr const char* kPath = "/org/mpris/MediaPlayer2";
constexpr const char* kPlayer = "org.mpris.MediaPlayer2.Player";

class RecordingPlayer : public MediaPlayer {
  public:
    PlayerState State() const override { return state; }
    void Raise() override { calls.push_back("Raise"); }
    void Quit() override { calls.push_back("Quit"); }
    void PlayPause() override { calls.push_back("PlayPause"); }
    void Play() override { calls.push_back("Play"); }
    void Pause() override { calls.push_back("Pause"); }
    void Stop() override { calls.push_back("Stop"); }
    void Next() override { calls.push_back("Next"); }
    void Previous() override { calls.push_back("Previous"); }
    void SeekTo(int64_t position_us) override {
        calls.push_back("SeekTo " + std::to_string(position_us));
        state.position_us = position_us;
    }
    void SetVolume(double volume) override {
        calls.push_back("SetVolume " + std::to_string(volume));
        state.volume = volume;
    }
    bool OpenFiles(const std::vector<std::string>& paths) override {
        calls.push_back("OpenFiles " + paths.at(0));
        return true;
    }

    PlayerState state;
    std::vector<std::string> calls;
};

// What the desktop hears from the player.
class SignalLog : public QObject {
    Q_OBJECT
  public:
    std::vector<QVariantMap> changed;
    std::vector<qlonglong> seeked;
  signals:
    void Heard();
  public slots:
    void PropertiesChanged(const QString& interface, const QVariantMap& values,
                           const QStringList&) {
        if (interface == kPlayer) {
            changed.push_back(values);
            emit Heard();
        }
    }
    void Seeked(qlonglong position) {
        seeked.push_back(position);
        emit Heard();
    }
};

class MprisServiceTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        bus = new testing::PrivateBus;
        // The player's side uses the session bus, as the program does.
        ::setenv("DBUS_SESSION_BUS_ADDRESS", bus->Address().toUtf8().constData(), 1);
    }
    static void TearDownTestSuite() {
        delete bus;
        bus = nullptr;
    }

    MprisServiceTest() {
        player.state.track = Track{"/t/1", 60'000'000, "Title", "Artist", "Album", ""};
        player.state.status = Status::Playing;
        player.state.can_seek = true;
        player.state.position_us = 10'000'000;
        service = MprisService::Start(player, "tarveltest", "tarvel", [this] { return now_us; });
        EXPECT_NE(service, nullptr);
        client.connect(kService, kPath, "org.freedesktop.DBus.Properties", "PropertiesChanged",
                       &log, SLOT(PropertiesChanged(QString, QVariantMap, QStringList)));
        client.connect(kService, kPath, kPlayer, "Seeked", &log, SLOT(Seeked(qlonglong)));
    }
    ~MprisServiceTest() override { QDBusConnection::disconnectFromBus("client"); }

    QDBusMessage Call(const char* interface, const char* method, const QVariantList& args = {}) {
        QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, interface, method);
        call.setArguments(args);
        return client.call(call, QDBus::BlockWithGui, 5000);
    }
    QVariant Get(const char* interface, const char* property) {
        const QDBusMessage reply =
            Call("org.freedesktop.DBus.Properties", "Get", {QString(interface), QString(property)});
        EXPECT_EQ(reply.type(), QDBusMessage::ReplyMessage) << reply.errorMessage().toStdString();
        return reply.arguments().value(0).value<QDBusVariant>().variant();
    }
    // Waits (five seconds at most) for the next signal the desktop hears.
    bool HearSignal() {
        QSignalSpy heard(&log, &SignalLog::Heard);
        return heard.wait(5000);
    }

    static testing::PrivateBus* bus;
    int64_t now_us = 0;
    RecordingPlayer player;
    std::unique_ptr<MprisService> service;
    QDBusConnection client = QDBusConnection::connectToBus(bus->Address(), "client");
    SignalLog log;
};

testing::PrivateBus* MprisServiceTest::bus = nullptr;

TEST_F(MprisServiceTest, BothInterfacesAnswerAndEveryCallReachesThePlayer) {
    const QDBusMessage xml = Call("org.freedesktop.DBus.Introspectable", "Introspect");
    const QString text = xml.arguments().value(0).toString();
    for (const char* part : {"<interface name=\"org.mpris.MediaPlayer2\">",
                             "<interface name=\"org.mpris.MediaPlayer2.Player\">",
                             "name=\"Metadata\" type=\"a{sv}\"", "name=\"Position\" type=\"x\"",
                             "<signal name=\"Seeked\">", "<method name=\"OpenUri\">"}) {
        EXPECT_TRUE(text.contains(part)) << part;
    }
    EXPECT_EQ(Get("org.mpris.MediaPlayer2", "Identity").toString(), "Tarvel");
    EXPECT_EQ(Get("org.mpris.MediaPlayer2", "DesktopEntry").toString(), "tarvel");
    const QStringList types = Get("org.mpris.MediaPlayer2", "SupportedMimeTypes").toStringList();
    for (const char* type : {"audio/mpeg", "audio/flac", "audio/ogg", "audio/mp4"}) {
        EXPECT_TRUE(types.contains(type)) << type;
    }
    EXPECT_EQ(Get(kPlayer, "PlaybackStatus").toString(), "Playing");
    EXPECT_EQ(Get(kPlayer, "Position").toLongLong(), 10'000'000);

    for (const char* method : {"PlayPause", "Play", "Pause", "Stop", "Next", "Previous"}) {
        Call(kPlayer, method);
    }
    Call("org.mpris.MediaPlayer2", "Raise");
    Call(kPlayer, "Seek", {qlonglong{-4'000'000}});
    Call(kPlayer, "Seek", {qlonglong{70'000'000}});
    Call(kPlayer, "SetPosition", {QVariant::fromValue(QDBusObjectPath("/t/2")), qlonglong{1}});
    Call(kPlayer, "SetPosition",
         {QVariant::fromValue(QDBusObjectPath("/t/1")), qlonglong{20'000'000}});
    Call("org.freedesktop.DBus.Properties", "Set",
         {QString(kPlayer), QString("Volume"), QVariant::fromValue(QDBusVariant(0.25))});
    EXPECT_EQ(Call(kPlayer, "OpenUri", {QString("file:///a%20b.mp3")}).type(),
              QDBusMessage::ReplyMessage);
    const QDBusMessage refused = Call(kPlayer, "OpenUri", {QString("http://host/a.mp3")});
    EXPECT_EQ(refused.type(), QDBusMessage::ErrorMessage);
    EXPECT_EQ(refused.errorName(), "org.freedesktop.DBus.Error.NotSupported");

    EXPECT_EQ(player.calls,
              (std::vector<std::string>{"PlayPause", "Play", "Pause", "Stop", "Next", "Previous",
                                        "Raise", "SeekTo 6000000", "Next", "SeekTo 20000000",
                                        "SetVolume 0.250000", "OpenFiles /a b.mp3"}));
    Call("org.mpris.MediaPlayer2", "Quit");
    EXPECT_EQ(player.calls.back(), "Quit");
}

TEST_F(MprisServiceTest, ExtremeRequestsFromTheBusAreHeldOrRefused) {
    constexpr qlonglong kMax = std::numeric_limits<qlonglong>::max();
    constexpr qlonglong kMin = std::numeric_limits<qlonglong>::min();
    constexpr double kInf = std::numeric_limits<double>::infinity();
    const auto track = [](const char* id) { return QVariant::fromValue(QDBusObjectPath(id)); };
    const auto volume = [](double v) {
        return QVariantList{QString(kPlayer), QString("Volume"),
                            QVariant::fromValue(QDBusVariant(v))};
    };
    struct Case {
        const char* interface;
        const char* method;
        QVariantList arguments;
        const char* expected;  // the call the player gets, or "" for none
    };
    const Case cases[] = {
        {kPlayer, "Seek", {kMax}, "Next"},
        {kPlayer, "Seek", {kMin}, "SeekTo 0"},
        {kPlayer, "Seek", {kMin + 1}, "SeekTo 0"},
        {kPlayer, "SetPosition", {track("/t/1"), kMax}, ""},
        {kPlayer, "SetPosition", {track("/t/1"), kMin}, ""},
        {"org.freedesktop.DBus.Properties", "Set", volume(std::nan("")), ""},
        {"org.freedesktop.DBus.Properties", "Set", volume(kInf), ""},
        {"org.freedesktop.DBus.Properties", "Set", volume(-kInf), ""},
        {"org.freedesktop.DBus.Properties", "Set", volume(1e308), "SetVolume 1.000000"},
        {"org.freedesktop.DBus.Properties", "Set", volume(-1e308), "SetVolume 0.000000"},
    };
    for (const int64_t from : {int64_t{10'000'000}, int64_t{kMax}}) {
        for (const Case& c : cases) {
            player.state.position_us = from;
            player.calls.clear();
            const QDBusMessage reply = Call(c.interface, c.method, c.arguments);
            EXPECT_EQ(reply.type(), QDBusMessage::ReplyMessage)
                << c.method << ": " << reply.errorMessage().toStdString();
            const std::vector<std::string> expected =
                *c.expected ? std::vector<std::string>{c.expected} : std::vector<std::string>{};
            EXPECT_EQ(player.calls, expected)
                << c.method << " " << c.arguments.last().toString().toStdString() << " from "
                << from;
        }
    }
    EXPECT_EQ(Get(kPlayer, "Volume").toDouble(), 0.0) << "the last volume held";
}

TEST_F(MprisServiceTest, ChangesAreAnnouncedOnceWithTheirNewValuesInUtf8) {
    player.state.status = Status::Paused;
    player.state.track =
        Track{"/t/2", 3'000'000, "Песня", "Исполнитель", "Альбом", "file:///m/%CF.mp3"};
    service->Publish();
    ASSERT_TRUE(HearSignal());
    ASSERT_EQ(log.changed.size(), 1u);
    const QVariantMap& values = log.changed[0];
    EXPECT_EQ(values.keys(), (QStringList{"Metadata", "PlaybackStatus"}));
    EXPECT_EQ(values["PlaybackStatus"].toString(), "Paused");
    const auto metadata = qdbus_cast<QVariantMap>(values["Metadata"].value<QDBusArgument>());
    EXPECT_EQ(metadata["mpris:trackid"].value<QDBusObjectPath>().path(), "/t/2");
    EXPECT_EQ(metadata["mpris:length"].toLongLong(), 3'000'000);
    EXPECT_EQ(metadata["xesam:title"].toString(), QString::fromUtf8("Песня"));
    EXPECT_EQ(metadata["xesam:artist"].toStringList(),
              QStringList{QString::fromUtf8("Исполнитель")});
    EXPECT_EQ(metadata["xesam:album"].toString(), QString::fromUtf8("Альбом"));
    EXPECT_EQ(metadata["xesam:url"].toString(), "file:///m/%CF.mp3");

    // Nothing new: nothing said. A jump of the position: Seeked with the new position.
    service->Publish();
    player.state.status = Status::Playing;
    player.state.position_us = 2'500'000;
    now_us += 200'000;
    service->Publish();
    ASSERT_TRUE(HearSignal());
    while (log.changed.size() < 2 || log.seeked.empty()) {
        ASSERT_TRUE(HearSignal());
    }
    EXPECT_EQ(log.changed.size(), 2u);
    EXPECT_EQ(log.changed[1].keys(), QStringList{"PlaybackStatus"});
    EXPECT_EQ(log.seeked, std::vector<qlonglong>{2'500'000});
}

TEST_F(MprisServiceTest, ASecondPlayerOfTheSameNameIsRefused) {
    RecordingPlayer other;
    EXPECT_EQ(MprisService::Start(other, "tarveltest", "tarvel"), nullptr);
    EXPECT_EQ(Get("org.mpris.MediaPlayer2", "Identity").toString(), "Tarvel")
        << "the first stays on the bus";
}

}  // namespace
}  // namespace tarvel::mpris

#include "mpris_service_test.moc"
