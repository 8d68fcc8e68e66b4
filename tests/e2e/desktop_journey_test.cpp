// The desktop around the real player: its media controls driven by playerctl on a private
// session bus, files handed over by a second start, and a run without any bus.
#include <gtest/gtest.h>

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusObjectPath>
#include <QElapsedTimer>
#include <QTest>
#include <functional>

#include "e2e/e2e_support.h"
#include "e2e/x_session.h"
#include "platform/fs/file_ops.h"
#include "platform/fs/line_file.h"
#include "playlists/playlist_file.h"
#include "support/private_bus.h"
#include "support/program_exit.h"

namespace tarvel::testing {
namespace {

constexpr const char* kService = "org.mpris.MediaPlayer2.tarvel";

// The titles announced by PropertiesChanged and the positions announced by Seeked.
class Announcements : public QObject {
    Q_OBJECT
  public:
    QStringList titles;
    int seeks = 0;
  public slots:
    void PropertiesChanged(const QString&, const QVariantMap& values, const QStringList&) {
        if (values.contains("Metadata")) {
            const auto metadata =
                qdbus_cast<QVariantMap>(values["Metadata"].value<QDBusArgument>());
            titles << metadata["xesam:title"].toString();
        }
    }
    void Seeked(qlonglong) { ++seeks; }
};

// PL1 of the given songs: (file, title as the user reads it).
void WritePlaylist(const AppDirFixture& app,
                   const std::vector<std::pair<std::string, std::string>>& songs) {
    std::vector<PlaylistSong> rows;
    for (const auto& [file, title] : songs) {
        rows.push_back({file, title, 6000});
    }
    app.WritePlaylist("PlayListMainPL1.tpl", rows);
}

class DesktopJourney : public ::testing::Test {
  protected:
    DesktopJourney() {
        ::setenv("DBUS_SESSION_BUS_ADDRESS", bus.Address().toUtf8().constData(), 1);
        app.WriteSettings({kWithoutAutoPlay});
    }
    ~DesktopJourney() override {
        ::unsetenv("DBUS_SESSION_BUS_ADDRESS");
        QDBusConnection::disconnectFromBus("e2e");
    }

    bool WaitForMediaControls() {
        return WaitFor([this] { return client.interface()->isServiceRegistered(kService); });
    }

    PrivateBus bus;
    AppDirFixture app;
    QDBusConnection client = QDBusConnection::connectToBus(bus.Address(), "e2e");
};

TEST_F(DesktopJourney, PlayerctlDrivesThePlayerAndHearsWhatItDoes) {
    XSession x;
    ASSERT_TRUE(x.Ok());
    const std::string songs = app.FilePath("songs");
    WritePlaylist(app, {{MakeToneMp3(songs, 440, 6), "Песня"},
                        {MakeToneMp3(songs, 660, 6), "Second"},
                        {MakeToneMp3(songs, 880, 6), "Third"}});
    QProcess player;
    app.StartOnDisplay(player, x.Display(), app.FilePath("out.wav"));
    ASSERT_TRUE(app.WaitForWindows(player));
    ASSERT_TRUE(WaitForMediaControls());
    Announcements heard;
    client.connect(kService, "/org/mpris/MediaPlayer2", "org.freedesktop.DBus.Properties",
                   "PropertiesChanged", &heard,
                   SLOT(PropertiesChanged(QString, QVariantMap, QStringList)));
    client.connect(kService, "/org/mpris/MediaPlayer2", "org.mpris.MediaPlayer2.Player", "Seeked",
                   &heard, SLOT(Seeked(qlonglong)));

    const QString xml = OnBus(bus, "gdbus",
                              {"introspect", "--session", "--dest", kService, "--object-path",
                               "/org/mpris/MediaPlayer2"});
    for (const char* part :
         {"interface org.mpris.MediaPlayer2 {", "interface org.mpris.MediaPlayer2.Player {",
          "PlayPause();", "Seeked(", "readonly s PlaybackStatus", "readwrite d Volume",
          "readonly s Identity = 'Tarvel';"}) {
        EXPECT_TRUE(xml.contains(part)) << part << "\n" << xml.toStdString();
    }

    const auto status = [this] { return Playerctl(bus, {"status"}); };
    const auto title = [this] { return Playerctl(bus, {"metadata", "title"}); };
    EXPECT_EQ(status(), "Stopped");
    Playerctl(bus, {"play"});
    ASSERT_TRUE(WaitFor([&] { return status() == "Playing"; }));
    EXPECT_EQ(title(), QString::fromUtf8("Песня")) << "the Windows-1251 title reads as UTF-8";
    EXPECT_EQ(Playerctl(bus, {"metadata", "artist"}), "Tone");
    EXPECT_EQ(Playerctl(bus, {"metadata", "mpris:length"}), "6000000");
    Playerctl(bus, {"pause"});
    ASSERT_TRUE(WaitFor([&] { return status() == "Paused"; }));
    Playerctl(bus, {"play-pause"});
    ASSERT_TRUE(WaitFor([&] { return status() == "Playing"; }));

    Playerctl(bus, {"position", "3"});
    ASSERT_TRUE(WaitFor([&] { return heard.seeks > 0; })) << "a seek is announced";
    EXPECT_GE(Playerctl(bus, {"position"}).toDouble(), 2.9);

    Playerctl(bus, {"volume", "0.5"});
    EXPECT_NEAR(Playerctl(bus, {"volume"}).toDouble(), 386.0 / 771, 1e-4);

    Playerctl(bus, {"next"});
    ASSERT_TRUE(WaitFor([&] { return title() == "Second"; }));
    heard.titles.clear();
    Playerctl(bus, {"previous"});
    ASSERT_TRUE(WaitFor([&] { return title() == QString::fromUtf8("Песня"); }));
    // Announcements keep their order: once the first song's is heard, none of Next's is to come.
    ASSERT_TRUE(WaitFor([&] { return heard.titles.contains(QString::fromUtf8("Песня")); }));

    // The song plays to its end and the next one starts: the desktop hears of it unasked, after
    // the song's six seconds.
    heard.titles.clear();
    QElapsedTimer playing;
    playing.start();
    ASSERT_TRUE(WaitFor([&] { return heard.titles.contains("Second"); }));
    EXPECT_GT(playing.elapsed(), 2000) << "the announcement came from the song's end";
    EXPECT_TRUE(WaitFor([&] { return status() == "Playing"; }));

    OnBus(bus, "gdbus",
          {"call", "--session", "--dest", kService, "--object-path", "/org/mpris/MediaPlayer2",
           "--method", "org.mpris.MediaPlayer2.Quit"});
    ExpectCleanExit(player);
    EXPECT_EQ(fs::ReadLines(app.FilePath("TvSysFile/conf.tcf")).at(15), "Volume=386")
        << "the volume asked for is the window's volume, saved at exit";
}

// The general error report's lines in the recording platform's log.
std::vector<std::string> ReportedErrors(const AppDirFixture& app) {
    std::vector<std::string> reports;
    for (const std::string& line : fs::ReadLines(app.LogPath())) {
        if (line.starts_with("MessageBox\tTarvel\t")) {
            reports.push_back(line);
        }
    }
    return reports;
}

TEST_F(DesktopJourney,
       SongsThatCannotBePlayedAreReportedWhicheverDoorSkipsToThemAndThePlayerGoesOn) {
    XSession x;
    ASSERT_TRUE(x.Ok());
    const std::string songs = app.FilePath("songs");
    const std::string deleted = MakeToneMp3(songs + "/gone", 550, 2);
    fs::RemoveFile(deleted);
    const std::string no_track = songs + "/Track.cda";  // a CD name without its track number
    const std::string not_mp3 = songs + "/notes.mp3";
    fs::WriteLines(no_track, {"not a CD track"});
    fs::WriteLines(not_mp3, {"not an MP3"});
    WritePlaylist(app, {{MakeToneMp3(songs, 440, 30), "First"},
                        {deleted, "Deleted"},
                        {no_track, "Track"},
                        {not_mp3, "Notes"},
                        {MakeToneMp3(songs, 660, 30), "Last"}});
    QProcess player;
    app.StartOnDisplay(player, x.Display(), app.FilePath("out.wav"));
    ASSERT_TRUE(app.WaitForWindows(player));
    ASSERT_TRUE(WaitForMediaControls());
    const auto title = [this] { return Playerctl(bus, {"metadata", "title"}); };
    Playerctl(bus, {"play"});
    ASSERT_TRUE(WaitFor([&] { return Playerctl(bus, {"status"}) == "Playing"; }));
    ASSERT_EQ(title(), "First");
    const auto heard_for = [this](double seconds) {
        return WaitFor([&] { return Playerctl(bus, {"position"}).toDouble() >= seconds; });
    };
    ASSERT_TRUE(heard_for(1.0));

    // Each door in turn skips to a song that cannot be played: the player says so once and
    // stays on that song, running.
    const auto skip = [&](const std::function<void()>& door, const QString& to, size_t reports) {
        door();
        EXPECT_TRUE(WaitFor([&] { return ReportedErrors(app).size() == reports; }))
            << "nothing reported on the way to " << to.toStdString();
        EXPECT_TRUE(WaitFor([&] { return title() == to; }));
        ASSERT_EQ(player.state(), QProcess::Running);
    };
    const auto hotkey = [&x] { x.Key("super+Right"); };
    const auto media_key = [this] { Playerctl(bus, {"next"}); };
    skip(hotkey, "Deleted", 1);
    skip(media_key, "Track", 2);
    skip(hotkey, "Notes", 3);
    Playerctl(bus, {"next"});
    ASSERT_TRUE(WaitFor([&] { return title() == "Last"; }));
    EXPECT_TRUE(WaitFor([&] { return Playerctl(bus, {"status"}) == "Playing"; }));
    EXPECT_TRUE(heard_for(1.0));

    const std::vector<std::string> reports = ReportedErrors(app);
    ASSERT_EQ(reports.size(), 3u);
    EXPECT_EQ(reports[0], "MessageBox\tTarvel\t" + deleted +
                              ": the file cannot be found, so it cannot be played\tOk");
    EXPECT_EQ(reports[1], "MessageBox\tTarvel\t'' is not a valid integer value\tOk");
    EXPECT_EQ(reports[2], "MessageBox\tTarvel\t" + not_mp3 +
                              ": the file holds no sound this player can play\tOk");

    TerminateAndExpectCleanExit(player);
    EXPECT_EQ(ToneOrder(ToneSegments(app.FilePath("out.wav"), {440, 660}), 0.6),
              (std::vector<int>{440, 660}));
}

TEST_F(DesktopJourney, ASecondStartWithAFileHandsItToTheRunningPlayer) {
    const std::string song = MakeToneMp3(app.FilePath("songs"), 550, 20);
    QProcess first;
    app.Start(first);
    ASSERT_TRUE(app.WaitForWindows(first));
    ASSERT_TRUE(WaitForMediaControls());

    QProcess second;
    second.setProcessEnvironment(first.processEnvironment());
    second.setWorkingDirectory(QString::fromStdString(app.FilePath("songs")));
    second.start(QStringLiteral(TARVEL_DIST_DIR "/tarvel"), {"tone550.mp3"});
    ExpectCleanExit(second);
    ASSERT_TRUE(WaitFor([&] { return Playerctl(bus, {"status"}) == "Playing"; }));
    EXPECT_EQ(Playerctl(bus, {"metadata", "xesam:url"}), QString::fromStdString("file://" + song))
        << "the relative name was taken from the second start's folder";
    EXPECT_EQ(first.state(), QProcess::Running);

    TerminateAndExpectCleanExit(first);
}

TEST(DesktopWithoutBus, ThePlayerSaysSoOnceAndRunsOn) {
    AppDirFixture app;
    app.WriteSettings({});
    QProcess player;
    QProcessEnvironment env = app.Environment();
    env.insert("DBUS_SESSION_BUS_ADDRESS",
               QString::fromStdString("unix:path=" + app.FilePath("no-bus")));
    app.Start(player, {}, env, QProcess::SeparateChannels);
    ASSERT_TRUE(app.WaitForWindows(player));
    TerminateAndExpectCleanExit(player);
    const QString said = QString::fromUtf8(player.readAllStandardError());
    EXPECT_EQ(said.count("no D-Bus session bus"), 1) << said.toStdString();
}

}  // namespace
}  // namespace tarvel::testing

#include "desktop_journey_test.moc"
