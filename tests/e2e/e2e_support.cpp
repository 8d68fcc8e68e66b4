#include "e2e/e2e_support.h"

#include <sys/stat.h>

#include <gtest/gtest.h>
#include <QElapsedTimer>
#include <QProcessEnvironment>
#include <QThread>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <map>

#include "e2e/control_places.h"
#include "platform/fs/dir_walk.h"
#include "platform/fs/line_file.h"
#include "platform/winmsg/client.h"
#include "playlists/playlist_file.h"
#include "support/program_exit.h"

namespace tarvel::testing {

AppDirFixture::AppDirFixture() : app_dir_(dir_ / "app") {
    namespace sfs = std::filesystem;
    sfs::create_directories(app_dir_);
    for (const char* folder : {"TvSysFile", "help", "ForApollo", "Pictures", "sort"}) {
        const sfs::path from = sfs::path(TARVEL_DIST_DIR) / folder;
        if (sfs::exists(from)) {
            sfs::copy(from, sfs::path(app_dir_) / folder, sfs::copy_options::recursive);
        }
    }
    ::setenv("TARVEL_WINDOWS_DIR", WindowsDir().c_str(), 1);
}

QProcessEnvironment AppDirFixture::Environment() const {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("TARVEL_PLATFORM", "fake");
    env.insert("TARVEL_PLATFORM_LOG", QString::fromStdString(LogPath()));
    env.insert("TARVEL_AUDIO", "null");
    env.insert("TARVEL_WINDOWS_DIR", QString::fromStdString(WindowsDir()));
    return env;
}

void AppDirFixture::Start(QProcess& process, const QStringList& arguments) const {
    Start(process, arguments, Environment());
}

void AppDirFixture::Start(QProcess& process, const QStringList& arguments,
                          const QProcessEnvironment& env, QProcess::ProcessChannelMode mode) const {
    process.setProcessEnvironment(env);
    process.setWorkingDirectory(QString::fromStdString(app_dir_));
    process.setProcessChannelMode(mode);
    process.start(QStringLiteral(TARVEL_DIST_DIR "/tarvel"), arguments);
}

void AppDirFixture::StartOnDisplay(QProcess& process, const QString& display,
                                   const std::string& wav) const {
    QProcessEnvironment env = Environment();
    env.insert("QT_QPA_PLATFORM", "xcb");
    env.insert("DISPLAY", display);
    env.insert("TARVEL_AUDIO", QString::fromStdString("wav:" + wav));
    env.remove("WAYLAND_DISPLAY");
    Start(process, {}, env);
}

void AppDirFixture::WriteSettings(const std::map<int, std::string>& replaced_lines) const {
    fs::WriteLines(FilePath("TvSysFile/PathToPl.tcf"),
                   {"firstRun:=False", "PathToApollo:=None", "PathToWinamp:=None"});
    std::vector<std::string> lines = fs::ReadLines(FilePath("TvSysFile/LastWorkConf.tcf"));
    for (const auto& [number, text] : replaced_lines) {
        lines.at(static_cast<size_t>(number - 1)) = text;
    }
    fs::WriteLines(FilePath("TvSysFile/conf.tcf"), lines);
}

void AppDirFixture::WritePlaylist(const std::string& file, const std::vector<PlaylistSong>& songs,
                                  int current) const {
    playlists::TPlayMasiv playlist;
    playlists::TMasPLayList& work = playlist.Work;
    work.Rows.assign(songs.size() + 2, std::vector<std::string>(library::kCellsPerRow));
    for (size_t i = 0; i < songs.size(); ++i) {
        std::vector<std::string>& row = work.Rows[i + 1];
        row[library::kArtist] = "Tone";
        row[library::kAlbum] = "Tests";
        row[library::kTitle] = songs[i].title;
        row[library::kDuration] = std::to_string(songs[i].ms);
        row[library::kBitRate] = songs[i].bit_rate;
        row[library::kPath] = songs[i].path;
    }
    work.Count = static_cast<int32_t>(songs.size());
    work.Current = current;
    std::filesystem::create_directories(FilePath("sort"));
    playlists::WritePlaylistFile(playlist, FilePath("sort/" + file));
}

void AppDirFixture::WritePl1(const std::vector<std::string>& songs) const {
    std::vector<PlaylistSong> rows;
    for (const std::string& song : songs) {
        rows.push_back({song, std::filesystem::path(song).stem()});
    }
    WritePlaylist("PlayListMainPL1.tpl", rows);
}

std::vector<std::string> AppDirFixture::WriteTonePl1(const std::vector<int>& hz,
                                                     int seconds) const {
    std::vector<std::string> songs;
    for (const int tone : hz) {
        songs.push_back(MakeToneMp3(FilePath("music"), tone, seconds));
    }
    WritePl1(songs);
    return songs;
}

int PlayerOnDisplay::VisibleWindows() const {
    QProcess search;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("DISPLAY", x.Display());
    search.setProcessEnvironment(env);
    search.start("xdotool", {"search", "--onlyvisible", "--class", "tarvel"});
    search.waitForFinished(10000);
    return static_cast<int>(search.readAllStandardOutput().split('\n').size()) - 1;
}

bool PlayerOnDisplay::WaitForMoreWindows(int than) const {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 20000) {
        if (VisibleWindows() > than) {
            return true;
        }
        QThread::msleep(50);
    }
    return false;
}

std::vector<std::string> Titles(const playlists::TPlist& playlist) {
    std::vector<std::string> titles;
    for (int row = 1; row <= playlist.Count && row < static_cast<int>(playlist.Rows.size());
         ++row) {
        titles.push_back(playlist.Rows[static_cast<size_t>(row)][library::kTitle]);
    }
    return titles;
}

PlayerOnDisplay::PlayerOnDisplay(const QString& screen) : x(screen) {}

PlayerOnDisplay::~PlayerOnDisplay() {
    EndIfRunning(player);
}

void PlayerOnDisplay::StartPlayer(const QString& title, const std::string& wav_name) {
    ASSERT_TRUE(x.Ok());
    wav = app.FilePath(wav_name);
    app.StartOnDisplay(player, x.Display(), wav);
    ASSERT_TRUE(app.WaitForWindows(player)) << "the player did not come up";
    window = x.FindWindow(title);
    ASSERT_NE(window, 0u) << "no main window shown titled " << title.toStdString();
}

void PlayerOnDisplay::Click(controls::Main control, bool double_click) const {
    x.Click(window, ControlCentre(control) * scale, double_click);
}

void PlayerOnDisplay::CloseAndExpectExit() {
    Click(controls::Main::ImgClose);
    ExpectExit(player, 0, 30000);
}

void EndIfRunning(QProcess& process) {
    if (process.state() != QProcess::NotRunning) {
        process.kill();
        process.waitForFinished();
    }
}

bool AppDirFixture::WaitForWindows(QProcess& process) const {
    return WaitForWindowClass(process, "TMinFrm");
}

bool WaitForWindowClass(QProcess& process, const std::string& class_name) {
    for (int i = 0; i < 1200; ++i) {
        if (winmsg::FindWindowByClass(class_name)) {
            return true;
        }
        // Waits on the process, so a program that died ends the wait at once.
        if (process.waitForFinished(50) || process.state() == QProcess::NotRunning) {
            return false;
        }
    }
    return false;
}

std::map<std::string, std::string> AppDirFixture::Snapshot() const {
    std::map<std::string, std::string> files;
    fs::WalkDirectory(app_dir_, [&](const fs::DirEntry& e) {
        struct stat st {};
        ::stat(e.path.c_str(), &st);
        files[e.path] = e.is_directory
                            ? "<dir>"
                            : std::to_string(st.st_mtim.tv_sec) + "." +
                                  std::to_string(st.st_mtim.tv_nsec) + ":" + ReadBytes(e.path);
    });
    return files;
}

}  // namespace tarvel::testing

namespace tarvel::testing {

namespace {

// A mono 16-bit WAV of a sine at a frequency ("440") or sweeping ("440-880"), for some seconds.
void SineWav(const QString& wav, int seconds, const QString& hz) {
    QProcess sox;
    sox.start("sox", {"-n", "-r", "44100", "-c", "1", "-b", "16", wav, "synth",
                      QString::number(seconds), "sine", hz, "vol", "0.5"});
    EXPECT_TRUE(sox.waitForFinished(30000));
    EXPECT_EQ(sox.exitCode(), 0);
}

// Encodes the WAV as a 64 kbps MP3 with lame and removes the WAV.
std::string WavToMp3(const std::string& wav, const std::string& mp3) {
    QProcess lame;
    lame.start("lame",
               {"--quiet", "-b", "64", QString::fromStdString(wav), QString::fromStdString(mp3)});
    EXPECT_TRUE(lame.waitForFinished(30000));
    EXPECT_EQ(lame.exitCode(), 0);
    std::filesystem::remove(wav);
    return mp3;
}

}  // namespace

std::string MakeToneMp3(const std::string& folder, int hz, int seconds, int to_hz) {
    std::filesystem::create_directories(folder);
    const std::string wav = folder + "/tone" + std::to_string(hz) + ".wav";
    SineWav(QString::fromStdString(wav), seconds,
            QString::number(hz) + (to_hz > 0 ? "-" + QString::number(to_hz) : QString()));
    return WavToMp3(wav, folder + "/tone" + std::to_string(hz) + ".mp3");
}

std::string MakeToneFile(const std::string& folder, const std::string& name,
                         const std::string& encoder, int hz, int seconds, const SongTags& tags) {
    std::filesystem::create_directories(folder);
    const std::string wav = folder + "/" + name + ".source.wav";
    const std::string out = folder + "/" + name;
    SineWav(QString::fromStdString(wav), seconds, QString::number(hz));
    QProcess encode;
    if (encoder == "mpcenc") {
        encode.start(
            "mpcenc",
            {"--silent", "--overwrite", "--artist", QString::fromStdString(tags.artist), "--album",
             QString::fromStdString(tags.album), "--title", QString::fromStdString(tags.title),
             "--track", QString::fromStdString(tags.track), QString::fromStdString(wav),
             QString::fromStdString(out)});
    } else {
        QStringList arguments = {"-v",
                                 "error",
                                 "-y",
                                 "-i",
                                 QString::fromStdString(wav),
                                 "-c:a",
                                 QString::fromStdString(encoder)};
        if (encoder == "pcm_s16be") {
            arguments << "-write_id3v2"
                      << "1";  // AIFF keeps its tags in an ID3 chunk
        }
        for (const auto& [key, value] : {std::pair{"artist", tags.artist},
                                         {"album", tags.album},
                                         {"title", tags.title},
                                         {"track", tags.track}}) {
            if (!value.empty()) {
                arguments << "-metadata" << QString::fromStdString(std::string(key) + "=" + value);
            }
        }
        encode.start("ffmpeg", arguments << QString::fromStdString(out));
    }
    EXPECT_TRUE(encode.waitForFinished(60000));
    EXPECT_EQ(encode.exitCode(), 0)
        << encoder << ": " << encode.readAllStandardError().toStdString();
    std::filesystem::remove(wav);
    return out;
}

std::string MakeStepsMp3(const std::string& folder, const std::vector<int>& steps) {
    std::filesystem::create_directories(folder);
    QStringList parts;
    for (const int hz : steps) {
        parts << QString::fromStdString(folder + "/step" + std::to_string(hz) + ".wav");
        SineWav(parts.back(), 1, QString::number(hz));
    }
    const std::string wav = folder + "/steps.wav";
    QProcess join;
    join.start("sox", QStringList(parts) << QString::fromStdString(wav));
    EXPECT_TRUE(join.waitForFinished(30000));
    EXPECT_EQ(join.exitCode(), 0);
    for (const QString& part : parts) {
        std::filesystem::remove(part.toStdString());
    }
    return WavToMp3(wav, folder + "/steps.mp3");
}

std::vector<ToneSegment> ToneSegments(const std::string& wav, const std::vector<int>& tones) {
    constexpr int kRate = 8000;
    constexpr int kWindow = kRate / 5;  // 200 ms
    const std::string raw = wav + ".raw";
    QProcess sox;
    sox.start("sox", {QString::fromStdString(wav), "-t", "f32", "-c", "1", "-r",
                      QString::number(kRate), QString::fromStdString(raw)});
    EXPECT_TRUE(sox.waitForFinished(60000));
    EXPECT_EQ(sox.exitCode(), 0) << "sox could not read " << wav;
    const std::string bytes = ReadBytes(raw);
    std::vector<float> samples(bytes.size() / sizeof(float));
    std::memcpy(samples.data(), bytes.data(), samples.size() * sizeof(float));
    std::vector<ToneSegment> segments;
    for (size_t start = 0; start + kWindow <= samples.size(); start += kWindow) {
        double energy = 0;
        int rising = 0;
        for (size_t i = start; i < start + kWindow; ++i) {
            energy += static_cast<double>(samples[i]) * samples[i];
            if (i > start && samples[i - 1] < 0 && samples[i] >= 0) {
                ++rising;
            }
        }
        const double rms = std::sqrt(energy / kWindow);
        const double hz = rising * (static_cast<double>(kRate) / kWindow);
        int tone = 0;
        if (rms > 0.02) {
            for (const int t : tones) {
                if (std::abs(hz - t) <= t * 0.05) {
                    tone = t;
                }
            }
            if (tone == 0) {
                tone = -1;  // sound, but none of the tones
            }
        }
        if (!segments.empty() && segments.back().hz == tone) {
            segments.back().seconds += 0.2;
        } else {
            segments.push_back({tone, 0.2});
        }
    }
    return segments;
}

std::vector<int> ToneOrder(const std::vector<ToneSegment>& segments, double at_least_seconds) {
    std::vector<int> order;
    for (const ToneSegment& s : segments) {
        if (s.hz > 0 && s.seconds >= at_least_seconds && (order.empty() || order.back() != s.hz)) {
            order.push_back(s.hz);
        }
    }
    return order;
}

}  // namespace tarvel::testing
