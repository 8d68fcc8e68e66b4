// A soak of the real player under CPU load: a playlist of tones of known lengths, encoded with
// and without the encoder's info frame, every other song seeked near its end by a click on the
// position bar, the next one started by the end of the one before. Every song must sound for as
// long as its decoded length (less what a seek skipped), and the window title must never name
// one song with another's time.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QProcess>
#include <QRegularExpression>
#include <QThread>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <map>

#include "controls/scroller_rules.h"
#include "e2e/control_places.h"
#include "e2e/e2e_support.h"
#include "library/song_reader.h"
#include "platform/text/number_text.h"
#include "playlists/playlist_file.h"
#include "support/program_exit.h"

namespace tarvel::testing {
namespace {

// How a song is encoded: its name in the report and lame's options.
struct Encoding {
    const char* name;
    QStringList lame;
};
const Encoding kInfoFrame{"CBR, info frame", {"-b", "64"}};
const Encoding kNoInfoFrame{"CBR, no info frame", {"-b", "64", "-t"}};
const Encoding kVbrNoInfoFrame{"VBR, no info frame", {"-V", "6", "-t"}};

struct Song {
    int hz;
    int seconds;  // the length of the sound encoded
    const Encoding* encoding;
    bool seeked;  // clicked near its end on the position bar
    std::string path;
    std::string name;
    int bar_maximum = 0;  // whole seconds of the duration the playlist row holds
};

void RunTool(const QString& program, const QStringList& arguments) {
    QProcess tool;
    tool.start(program, arguments);
    ASSERT_TRUE(tool.waitForFinished(60000)) << program.toStdString();
    ASSERT_EQ(tool.exitCode(), 0) << program.toStdString() << ": "
                                  << tool.readAllStandardError().toStdString();
}

// A sine of the song's tone and length, as an MP3 of its encoding.
void Encode(const std::string& folder, Song& song) {
    std::filesystem::create_directories(folder);
    song.name = "soak" + std::to_string(song.hz);
    const QString wav = QString::fromStdString(folder + "/" + song.name + ".wav");
    song.path = folder + "/" + song.name + ".mp3";
    RunTool("sox", {"-n", "-r", "44100", "-c", "1", "-b", "16", wav, "synth",
                    QString::number(song.seconds), "sine", QString::number(song.hz), "vol", "0.5"});
    RunTool("lame", QStringList{"--quiet"} + song.encoding->lame
                        << wav << QString::fromStdString(song.path));
    std::filesystem::remove(wav.toStdString());
}

// PL1 of the songs as the library reads them (the durations are the header reader's).
void WritePlaylist(const AppDirFixture& app, std::vector<Song>& songs) {
    library::TagReaders readers;
    playlists::TPlayMasiv playlist;
    playlists::TMasPLayList& work = playlist.Work;
    work.Rows.assign(songs.size() + 2, std::vector<std::string>(library::kCellsPerRow));
    for (size_t i = 0; i < songs.size(); ++i) {
        const library::SongRecord record = library::ReadSongRecord(songs[i].path, readers);
        std::copy(record.begin(), record.end(), work.Rows[i + 1].begin());
        work.Rows[i + 1][library::kArtist] = "Soak";
        work.Rows[i + 1][library::kTitle] = songs[i].name;
        const int ms = text::ParseInt32(record[library::kDuration]).value_or(0);
        songs[i].bar_maximum = static_cast<int>(std::nearbyint(ms / 1000.0));
    }
    work.Count = static_cast<int32_t>(songs.size());
    playlists::WritePlaylistFile(playlist, app.FilePath("sort/PlayListMainPL1.tpl"));
}

// Busy processes beside the player, as on a loaded machine.
class CpuLoad {
  public:
    explicit CpuLoad(int processes) {
        for (int i = 0; i < processes; ++i) {
            auto& p = load_.emplace_back(std::make_unique<QProcess>());
            p->start("sh", {"-c", "while :; do :; done"});
        }
    }
    ~CpuLoad() {
        for (auto& p : load_) {
            p->kill();
            p->waitForFinished();
        }
    }

  private:
    std::vector<std::unique_ptr<QProcess>> load_;
};

// The window title as the desktop sees it, sampled while the songs play.
struct TitleSample {
    std::string name;   // the song named
    std::string total;  // the song time's total ("00:12")
};

class SoakJourney : public ::testing::Test, protected PlayerOnDisplay {};

TEST_F(SoakJourney, EverySongPlaysToTheEndOfItsSoundAndTheTitleNamesThePlayingSong) {
    // A click near the end of the bar is near the end of the sound only where the duration the
    // library read is the sound's: the songs seeked are CBR; each VBR song without an info frame
    // (whose duration is read from its first frame only) follows a seeked one.
    std::vector<Song> songs = {
        {300, 9, &kNoInfoFrame, true}, {420, 11, &kVbrNoInfoFrame, false},
        {560, 10, &kInfoFrame, true},  {740, 12, &kNoInfoFrame, false},
        {960, 9, &kNoInfoFrame, true}, {1250, 10, &kInfoFrame, false},
        {1600, 8, &kInfoFrame, true},  {2000, 11, &kVbrNoInfoFrame, false},
    };
    for (Song& song : songs) {
        Encode(app.FilePath("music"), song);
    }
    WritePlaylist(app, songs);
    app.WriteSettings({kWithoutAutoPlay});
    ASSERT_NO_FATAL_FAILURE(StartPlayer());
    const QString id = QString::number(window);
    // The time bar's band: the bar less its two arrow buttons.
    const QRect bar = ControlRect(controls::Main::TimeSKRL);
    const QRect band =
        controls::LayoutWithButtons(controls::ScrollKind::Horizontal, bar.width(), bar.height())
            .scroller.translated(bar.topLeft());

    std::vector<TitleSample> samples;
    const QRegularExpression title_form("^Soak - (\\S+) - \\d+:\\d+/(\\d+:\\d+)$");
    const auto sample_title = [&] {
        const QString title = x.Run("xdotool", {"getwindowname", id}).trimmed();
        const QRegularExpressionMatch m = title_form.match(title);
        if (m.hasMatch()) {
            samples.push_back({m.captured(1).toStdString(), m.captured(2).toStdString()});
        }
        return title;
    };
    // Samples the title until it names the song (false after limit_ms).
    const auto wait_for_song = [&](const Song& song, int limit_ms) {
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < limit_ms) {
            if (sample_title().startsWith(QString::fromStdString("Soak - " + song.name + " "))) {
                return true;
            }
            QThread::msleep(100);
        }
        return false;
    };

    {
        const CpuLoad load(3);
        Click(controls::Main::ImgPlayPause);
        for (size_t i = 0; i < songs.size(); ++i) {
            const Song& song = songs[i];
            ASSERT_TRUE(wait_for_song(song, 30000)) << song.name << " did not start";
            if (song.seeked) {
                // A click on the band two seconds before the end of the bar.
                QThread::msleep(1000);
                const int target = song.bar_maximum - 2;
                const int band_x =
                    static_cast<int>(std::lround(target * double(band.width()) / song.bar_maximum));
                x.Click(window, band.left() + band_x, bar.top() + bar.height() / 2);
            }
        }
        // The last song ends the playlist: the title goes back to the program's name.
        QElapsedTimer clock;
        clock.start();
        while (sample_title() != "Tarvel" && clock.elapsed() < 30000) {
            QThread::msleep(100);
        }
    }
    TerminateAndExpectCleanExit(player);

    std::vector<int> tones;
    for (const Song& song : songs) {
        tones.push_back(song.hz);
    }
    std::map<int, double> rendered;
    for (const ToneSegment& s : ToneSegments(wav, tones)) {
        rendered[s.hz] += s.seconds;
    }
    std::printf("\n%-10s %-20s %-8s %-10s %-10s %-10s\n", "song", "encoding", "seeked", "decoded s",
                "bar max s", "rendered s");
    for (const Song& song : songs) {
        std::printf("%-10s %-20s %-8s %-10d %-10d %-10.1f\n", song.name.c_str(),
                    song.encoding->name, song.seeked ? "yes" : "no", song.seconds, song.bar_maximum,
                    rendered[song.hz]);
    }
    for (const Song& song : songs) {
        if (song.seeked) {
            // Heard from the start to the click, then what is left after the seek.
            EXPECT_LT(rendered[song.hz], song.seconds - 1.0) << song.name << " was not seeked";
            EXPECT_GT(rendered[song.hz], 0.6) << song.name;
        } else {
            EXPECT_NEAR(rendered[song.hz], song.seconds, 0.45) << song.name;
        }
    }

    // Every title names a song with that song's own length.
    std::map<std::string, std::string> totals;
    for (const Song& song : songs) {
        char total[16];
        std::snprintf(total, sizeof total, "%02d:%02d", song.bar_maximum / 60,
                      song.bar_maximum % 60);
        totals[song.name] = total;
    }
    int checked = 0;
    for (const TitleSample& s : samples) {
        ASSERT_TRUE(totals.count(s.name)) << s.name;
        EXPECT_EQ(s.total, totals[s.name]) << s.name << " shown with another song's time";
        ++checked;
    }
    EXPECT_GT(checked, 50);
}

}  // namespace
}  // namespace tarvel::testing
