// Every format a library holds, with the real player under a private X server: a folder with a
// song of each format is scanned through the library menu, browsed and played, each heard at its
// own tone; then each is handed over by a second start and by the desktop's media controls.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QThread>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>

#include "e2e/control_places.h"
#include "e2e/e2e_support.h"
#include "platform/fs/file_ops.h"
#include "platform/fs/line_file.h"
#include "support/private_bus.h"
#include "support/program_exit.h"

namespace tarvel::testing {
namespace {

struct FormatSong {
    const char* title;  // also what the window title shows while it plays
    const char* file;
    const char* encoder;  // see MakeToneFile; none: kApeSource
    int hz;               // each tone 11 % or more above the last, well apart for ToneSegments
};
// Monkey's Audio has no encoder on our machines: a file of another project, which holds a tone
// heard as 435 Hz, given an APE tag here.
constexpr const char* kApeSource = TARVEL_CORPUS_DIR "/formats/taglib/mac-399.ape";
constexpr FormatSong kSongs[] = {
    {"Format 01 FLAC", "flac.flac", "flac", 300},
    {"Format 02 Vorbis", "vorbis.ogg", "libvorbis", 340},
    {"Format 03 Opus", "opus.opus", "libopus", 385},
    {"Format 04 APE", "ape.ape", nullptr, 435},
    {"Format 05 AAC", "aac.m4a", "aac", 490},
    {"Format 06 ALAC", "alac.m4a", "alac", 555},
    {"Format 07 WMA", "wma.wma", "wmav2", 625},
    {"Format 08 WavPack", "wavpack.wv", "wavpack", 705},
    {"Format 09 Musepack", "musepack.mpc", "mpcenc", 795},
    {"Format 10 AIFF", "aiff.aiff", "pcm_s16be", 900},
    {"Format 11 WAV", "wav.wav", "pcm_s16le", 1015},
};
// The sound the player writes: 16-bit stereo at 44.1 kHz.
constexpr double kWavBytesPerSecond = 44100 * 2 * 2;

void PutLittleEndian(std::string& bytes, uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        bytes.push_back(static_cast<char>((value >> (8 * i)) & 0xff));
    }
}

// Appends an APEv2 tag (items and footer, no header) of UTF-8 text items to a file.
void AppendApeTag(const std::string& path,
                  const std::vector<std::pair<std::string, std::string>>& items) {
    std::string body;
    for (const auto& [key, value] : items) {
        PutLittleEndian(body, static_cast<uint32_t>(value.size()));
        PutLittleEndian(body, 0);  // flags: UTF-8 text
        body += key;
        body.push_back('\0');
        body += value;
    }
    std::string footer = "APETAGEX";
    PutLittleEndian(footer, 2000);
    PutLittleEndian(footer, static_cast<uint32_t>(body.size() + 32));
    PutLittleEndian(footer, static_cast<uint32_t>(items.size()));
    PutLittleEndian(footer, 0);
    footer.append(8, '\0');
    std::ofstream(path, std::ios::binary | std::ios::app) << body << footer;
}

// Waits until the player has written `seconds` more sound to the WAV than it had when called.
bool WaitForMoreSound(const std::string& wav, double seconds) {
    const auto size = [&wav] {
        std::error_code error;
        const auto bytes = std::filesystem::file_size(wav, error);
        return error ? 0.0 : static_cast<double>(bytes);
    };
    const double until = size() + seconds * kWavBytesPerSecond;
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 30000) {
        if (size() >= until) {
            return true;
        }
        QThread::msleep(20);
    }
    return false;
}

class FormatsJourney : public ::testing::Test, protected PlayerOnDisplay {
  protected:
    void SetUp() override {
        app.WriteSettings({kWithoutAutoPlay});
        for (const FormatSong& song : kSongs) {
            if (song.encoder == nullptr && !std::filesystem::exists(kApeSource)) {
                // Without the other project's files (a checkout without the corpus beside it)
                // the journey goes on without Monkey's Audio.
                std::cerr << "no " << kApeSource << ": the journey leaves APE out\n";
                continue;
            }
            songs.push_back(song);
            const std::string track = std::string(song.title).substr(7, 2);
            if (song.encoder != nullptr) {
                paths.push_back(MakeToneFile(music, song.file, song.encoder, song.hz, 3,
                                             {"Formats", "All", song.title, track}));
                continue;
            }
            paths.push_back(music + "/" + song.file);
            std::filesystem::copy_file(kApeSource, paths.back());
            AppendApeTag(
                paths.back(),
                {{"Artist", "Formats"}, {"Album", "All"}, {"Title", song.title}, {"Track", track}});
        }
    }

    // The tones of the songs in order, `times` times over.
    std::vector<int> Tones(int times) const {
        std::vector<int> tones;
        for (int i = 0; i < times; ++i) {
            for (const FormatSong& song : songs) {
                tones.push_back(song.hz);
            }
        }
        return tones;
    }

    std::string music = app.FilePath("music");
    std::vector<FormatSong> songs;  // those of kSongs the journey has
    std::vector<std::string> paths;
};

TEST_F(FormatsJourney, EachFormatIsScannedBrowsedAndHeardAtItsTone) {
    const std::string answers = app.FilePath("answers.txt");
    fs::WriteLines(answers, {music});
    ::setenv("TARVEL_PLATFORM_ANSWERS", answers.c_str(), 1);
    StartPlayer();
    ::unsetenv("TARVEL_PLATFORM_ANSWERS");

    // Library menu > "Clear Library and Add Files", the folder coming from the answers.
    const int windows_before = VisibleWindows();
    Click(controls::Main::ImgLibrary);
    ASSERT_TRUE(WaitForMoreWindows(windows_before)) << "the library menu did not open";
    x.Key("Down");
    x.Key("Return");
    const std::string path_list = app.FilePath("sort/path.tan");
    const auto scanned = [&] {
        return fs::FileExists(path_list) ? fs::ReadLines(path_list).size() : 0;
    };
    QElapsedTimer scan;
    scan.start();
    while (scanned() != paths.size() && scan.elapsed() < 60000) {
        QThread::msleep(50);
    }
    ASSERT_EQ(scanned(), paths.size()) << "not every format was scanned";

    // The one artist, Latin-written, heads the second panel; its songs are listed by track.
    // The panels are filled once the new library is read: the first song is tried until then.
    bool first_played = false;
    for (int attempt = 0; attempt < 20 && !first_played; ++attempt) {
        x.Click(window, ListRow(controls::Main::ListBox2, 0));
        x.Click(window, ListRow(controls::Main::ListBox4, 0), true);
        first_played = x.WaitForShown(songs[0].title, true, 1000);
    }
    ASSERT_TRUE(first_played) << "the first song was not found in the panels";
    ASSERT_TRUE(WaitForMoreSound(wav, 1.0));
    for (size_t row = 1; row < songs.size(); ++row) {
        const char* title = songs[row].title;
        x.Click(window, ListRow(controls::Main::ListBox4, static_cast<int>(row)), true);
        ASSERT_TRUE(x.WaitForShown(title, true)) << title << " did not play";
        ASSERT_TRUE(WaitForMoreSound(wav, 1.0)) << title;
    }
    CloseAndExpectExit();
    EXPECT_EQ(ToneOrder(ToneSegments(wav, Tones(1)), 0.5), Tones(1));
}

TEST_F(FormatsJourney, EachFormatHandedOverByASecondStartAndByTheMediaControlsPlays) {
    PrivateBus bus;
    ::setenv("DBUS_SESSION_BUS_ADDRESS", bus.Address().toUtf8().constData(), 1);
    StartPlayer();
    ::unsetenv("DBUS_SESSION_BUS_ADDRESS");
    ASSERT_TRUE(WaitFor([&] { return Playerctl(bus, {"status"}) == "Stopped"; }));

    const auto playing = [&](const std::string& path) {
        return WaitFor([&] {
            return Playerctl(bus, {"status"}) == "Playing" &&
                   Playerctl(bus, {"metadata", "xesam:url"}) ==
                       QString::fromStdString("file://" + path);
        });
    };
    for (const std::string& path : paths) {
        QProcess second;
        second.setProcessEnvironment(player.processEnvironment());
        second.start(QStringLiteral(TARVEL_DIST_DIR "/tarvel"), {QString::fromStdString(path)});
        ExpectCleanExit(second);
        ASSERT_TRUE(playing(path)) << path << " handed over by a second start did not play";
        ASSERT_TRUE(WaitForMoreSound(wav, 1.0)) << path;
    }
    for (const std::string& path : paths) {
        Playerctl(bus, {"open", QString::fromStdString("file://" + path)});
        ASSERT_TRUE(playing(path)) << path << " opened by playerctl did not play";
        ASSERT_TRUE(WaitForMoreSound(wav, 1.0)) << path;
    }
    CloseAndExpectExit();
    EXPECT_EQ(ToneOrder(ToneSegments(wav, Tones(1)), 0.5), Tones(2));
}

}  // namespace
}  // namespace tarvel::testing
