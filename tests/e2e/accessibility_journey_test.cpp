// The running player read and driven over the accessibility bus, as a screen reader or an
// automation tool would: a private session bus starts the accessibility bus, the player joins it,
// and a pyatspi probe (the system Python) reads its tree, presses buttons and sets values.
#include <gtest/gtest.h>

#include <QProcess>
#include <QStringList>
#include <QThread>
#include <algorithm>

#include "e2e/e2e_support.h"
#include "library/library_writer.h"
#include "platform/fs/line_file.h"
#include "support/program_exit.h"

namespace tarvel::testing {
namespace {

constexpr char kProbe[] = TARVEL_TESTS_DIR "/e2e/a11y_probe.py";
constexpr char kSessionBus[] = "DBUS_SESSION_BUS_ADDRESS";

struct LibrarySong {
    const char* artist;  // UTF-8
    const char* title;
    int hz;
};
// A Cyrillic-written artist and a Latin-written one.
const std::vector<LibrarySong> kSongs = {{"Звезда", "Morning", 440}, {"Moon", "Tide", 660}};

// The probe's lines of one kind, split at tabs.
std::vector<QStringList> Lines(const QString& out, const QString& kind) {
    std::vector<QStringList> found;
    for (const QString& line : out.split('\n', Qt::SkipEmptyParts)) {
        const QStringList fields = line.split('\t');
        if (fields.front() == kind) {
            found.push_back(fields);
        }
    }
    return found;
}

QStringList Line(const QString& out, const QString& kind, const QString& name) {
    for (const QStringList& fields : Lines(out, kind)) {
        if (fields.size() > 1 && fields[1] == name) {
            return fields;
        }
    }
    return {};
}

class AccessibilityJourney : public ::testing::Test {
  protected:
    // The library's songs, PL1 holding them in this order: titled by their tags and the second
    // one current when `tag_titles`, else titled by their files' names with none current.
    explicit AccessibilityJourney(std::vector<LibrarySong> library = kSongs,
                                  bool tag_titles = false)
        : library_songs(std::move(library)), tag_titles(tag_titles) {}

    void SetUp() override {
        ASSERT_TRUE(x.Ok());
        // A session bus of our own: the accessibility bus is started on it by D-Bus activation.
        saved_bus = qgetenv(kSessionBus);
        bus.setProgram("dbus-daemon");
        bus.setArguments({"--session", "--nofork", "--print-address=1"});
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("DISPLAY", x.Display());
        bus.setProcessEnvironment(env);
        bus.start();
        ASSERT_TRUE(bus.waitForReadyRead(10000)) << "no session bus";
        const QByteArray address = bus.readLine().trimmed();
        ASSERT_FALSE(address.isEmpty());
        qputenv(kSessionBus, address);
        qputenv("QT_LINUX_ACCESSIBILITY_ALWAYS_ON", "1");

        std::vector<FixtureSong> library;
        std::vector<PlaylistSong> rows;
        for (const LibrarySong& song : library_songs) {
            library.push_back({song.artist, "Album", song.title, "2001", "1", "20000", "64",
                               MakeToneMp3(app.FilePath("music"), song.hz, 20)});
            songs.push_back(library.back().path);
            rows.push_back({songs.back(), song.title, 20000});
        }
        WriteLibrary(app.AppDir(), library);
        app.WriteSettings({kWithoutAutoPlay});
        if (tag_titles) {
            app.WritePlaylist("PlayListMainPL1.tpl", rows, 2);
        } else {
            app.WritePl1(songs);
        }
        wav = app.FilePath("out.wav");
        StartPlayer();
    }

    void StartPlayer() {
        app.StartOnDisplay(player, x.Display(), wav);
        ASSERT_TRUE(app.WaitForWindows(player)) << "the player did not come up";
    }

    void TearDown() override {
        EndIfRunning(player);
        if (bus.state() != QProcess::NotRunning) {
            bus.terminate();
            EXPECT_TRUE(bus.waitForFinished(10000));
            EXPECT_EQ(bus.exitStatus(), QProcess::NormalExit);
        }
        qputenv(kSessionBus, saved_bus);
        qunsetenv("QT_LINUX_ACCESSIBILITY_ALWAYS_ON");
    }

    // Runs the probe on the player; its standard output, or empty after a failure.
    QString Probe(const QStringList& arguments, int expected_exit = 0) {
        QProcess probe;
        probe.setProcessChannelMode(QProcess::SeparateChannels);
        probe.start("/usr/bin/python3",
                    QStringList{kProbe, QString::number(player.processId())} + arguments);
        EXPECT_TRUE(probe.waitForFinished(60000)) << "the probe hangs";
        EXPECT_EQ(probe.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(probe.exitCode(), expected_exit) << probe.readAllStandardError().toStdString();
        return probe.exitCode() == 0 ? QString::fromUtf8(probe.readAllStandardOutput()) : QString();
    }

    // The tree, once the player has joined the accessibility bus and shows its playlist.
    QString TreeWhenReady() {
        for (int attempt = 0; attempt < 40; ++attempt) {
            QProcess probe;
            probe.start("/usr/bin/python3", {kProbe, QString::number(player.processId()), "tree"});
            EXPECT_TRUE(probe.waitForFinished(60000));
            const QString out = QString::fromUtf8(probe.readAllStandardOutput());
            if (probe.exitCode() == 0 && Line(out, "list", "Playlist").size() > 2) {
                return out;
            }
            QThread::msleep(250);
        }
        return {};
    }

    const std::vector<LibrarySong> library_songs;
    const bool tag_titles;
    XSession x;
    AppDirFixture app;
    QProcess bus;
    QByteArray saved_bus;
    std::vector<std::string> songs;
    std::string wav;
    QProcess player;
};

TEST_F(AccessibilityJourney, AToolReadsThePanelsPlaysTheSongAndMovesTheVolume) {
    const QString tree = TreeWhenReady();
    ASSERT_FALSE(tree.isEmpty()) << "the player never showed on the accessibility bus";

    // The windows carry their captions; the artists stand in their panels, the playlist's rows
    // are its songs.
    const auto windows = Lines(tree, "window");
    EXPECT_TRUE(std::any_of(windows.begin(), windows.end(), [](const QStringList& w) {
        return w.value(1) == "Tarvel";
    })) << tree.toStdString();
    // No control is left without a name.
    for (const char* kind : {"list", "button", "value"}) {
        for (const QStringList& control : Lines(tree, kind)) {
            EXPECT_FALSE(control.value(1).isEmpty())
                << "unnamed: " << control.join(' ').toStdString();
        }
    }
    EXPECT_EQ(Line(tree, "list", "Artists (Cyrillic)").mid(2), QStringList{"1. Звезда"});
    EXPECT_EQ(Line(tree, "list", "Artists (Latin)").mid(2), QStringList{"1. Moon"});
    const QStringList playlist = Line(tree, "list", "Playlist").mid(2);
    ASSERT_EQ(playlist.size(), 2) << tree.toStdString();
    EXPECT_TRUE(playlist[0].contains("440")) << playlist[0].toStdString();
    EXPECT_TRUE(playlist[1].contains("660")) << playlist[1].toStdString();
    EXPECT_TRUE(Line(tree, "button", "Play/Pause").value(2).split(',').contains("Press"))
        << tree.toStdString();
    EXPECT_EQ(Line(tree, "value", "Volume").mid(2), (QStringList{"578", "0", "771"}));

    // Play/Pause's press starts the first song.
    Probe({"press", "Play/Pause"});
    ASSERT_TRUE(x.WaitForShown("tone440", true)) << "the song did not start";
    QThread::msleep(1500);

    // The volume set through the value interface: silent, then full again.
    EXPECT_EQ(Probe({"set", "Volume", "0"}), "value\tVolume\t0\n");
    QThread::msleep(1500);
    EXPECT_EQ(Probe({"set", "Volume", "771"}), "value\tVolume\t771\n");
    QThread::msleep(1500);
    Probe({"press", "No such button"}, 2);

    // Close ends the run and saves the volume last set.
    Probe({"press", "Close"});
    ExpectExit(player, 0, 30000);
    const std::vector<std::string> conf = fs::ReadLines(app.FilePath("TvSysFile/conf.tcf"));
    EXPECT_NE(std::find(conf.begin(), conf.end(), "Volume=771"), conf.end());

    // Heard: the song, a silence while the volume was down, the same song again.
    const std::vector<ToneSegment> heard = ToneSegments(wav, {440, 660});
    std::vector<int> order;
    for (const ToneSegment& segment : heard) {
        const bool before_play = order.empty() && segment.hz == 0;
        if (segment.seconds >= 0.8 && !before_play &&
            (order.empty() || order.back() != segment.hz)) {
            order.push_back(segment.hz);
        }
    }
    EXPECT_EQ(order, (std::vector<int>{440, 0, 440})) << "heard no volume change";
}

// Names in four scripts, one of them (Кино) within Windows-1251, and the others not, so the
// library's index and PL1 are stored as UTF-8 with a mark.
const std::vector<LibrarySong> kScripts = {{"Кино", "Группа крови", 440},
                                           {"소녀시대", "소원을 말해봐", 550},
                                           {"Μίκης Θεοδωράκης", "Ζορμπάς", 660},
                                           {"Björk", "Jóga", 770}};

class UnicodeNamesJourney : public AccessibilityJourney {
  protected:
    UnicodeNamesJourney() : AccessibilityJourney(kScripts, true) {}

    // The panels and the playlist as a screen reader reads them.
    void ExpectExactNames(const QString& tree) {
        EXPECT_EQ(Line(tree, "list", "Artists (Cyrillic)").mid(2), QStringList{"1. Кино"})
            << tree.toStdString();
        // Latin letters order by their Windows-1251 bytes, the others after them by code point.
        EXPECT_EQ(Line(tree, "list", "Artists (Latin)").mid(2),
                  (QStringList{"1. Björk", "2. Μίκης Θεοδωράκης", "3. 소녀시대"}))
            << tree.toStdString();
        EXPECT_EQ(Line(tree, "list", "Playlist").mid(2),
                  (QStringList{"1. Группа крови", "2. 소원을 말해봐", "3. Ζορμπάς", "4. Jóga"}))
            << tree.toStdString();
    }

    // The caption of a window once one holds the text, or empty.
    QString CaptionHolding(const QString& text) {
        for (int attempt = 0; attempt < 40; ++attempt) {
            for (const QStringList& window : Lines(Probe({"tree"}), "window")) {
                if (window.value(1).contains(text)) {
                    return window.value(1);
                }
            }
            QThread::msleep(250);
        }
        return {};
    }
};

TEST_F(UnicodeNamesJourney, NamesInEveryScriptShowExactlyAndSurviveARestart) {
    const std::string mark = "\xEF\xBB\xBF";
    const std::string pl1 = app.FilePath("sort/PlayListMainPL1.tpl");
    const std::string conf = app.FilePath("TvSysFile/conf.tcf");
    const std::string pl1_bytes = ReadBytes(pl1);
    const std::string conf_bytes = ReadBytes(conf);
    ASSERT_TRUE(pl1_bytes.starts_with(mark));
    ASSERT_TRUE(ReadBytes(app.FilePath("sort/ArtName.tan")).starts_with(mark));

    const QString tree = TreeWhenReady();
    ASSERT_FALSE(tree.isEmpty()) << "the player never showed on the accessibility bus";
    ExpectExactNames(tree);
    Probe({"press", "Close"});
    ExpectExit(player, 0, 30000);
    // The exit saved PL1 and the settings as they were read.
    EXPECT_EQ(ReadBytes(pl1), pl1_bytes);
    EXPECT_EQ(ReadBytes(conf), conf_bytes);

    StartPlayer();
    const QString again = TreeWhenReady();
    ASSERT_FALSE(again.isEmpty()) << "the player did not come back on the accessibility bus";
    ExpectExactNames(again);
    // The window's caption names the song that plays, the current one.
    Probe({"press", "Play/Pause"});
    EXPECT_TRUE(CaptionHolding("소원을 말해봐").startsWith("Tone - 소원을 말해봐 - "))
        << Probe({"tree"}).toStdString();
    Probe({"press", "Close"});
    ExpectExit(player, 0, 30000);
}

}  // namespace
}  // namespace tarvel::testing
