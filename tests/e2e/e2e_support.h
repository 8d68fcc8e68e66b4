#pragma once

#include <QProcess>
#include <QProcessEnvironment>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "controls/window_tables.h"
#include "e2e/x_session.h"
#include "playlists/playlist.h"
#include "support/temp_dir.h"

namespace tarvel::testing {

// A line of the settings file: its number (1-based) and its text.
using SettingsLine = std::pair<const int, std::string>;
// How the player loads PL1 at start-up: listed only, or listed and played.
inline const SettingsLine kWithoutAutoPlay{3,
                                           "Loading Player=Auto load PlayList Without auto play"};
inline const SettingsLine kAutoPlay{3, "Loading Player=Auto load playList and Auto Play"};

// A playlist row of a song by "Tone" from "Tests".
struct PlaylistSong {
    std::string path;
    std::string title;
    int ms = 4000;
    std::string bit_rate;  // empty: none given
};

// A user's app dir made from the installation tree, and the environment that runs `tarvel` in it
// with the recording platform fake, no sound, offscreen windows and a private window folder.
class AppDirFixture {
  public:
    AppDirFixture();

    const std::string& AppDir() const { return app_dir_; }
    std::string LogPath() const { return dir_ / "platform.log"; }
    std::string WindowsDir() const { return dir_ / "windows"; }

    // The environment Start gives `tarvel`.
    QProcessEnvironment Environment() const;
    // Starts `tarvel` in the app dir (not waiting for it), offscreen, with these arguments, in
    // Environment() or the one given; its standard error goes to the test's unless another
    // channel mode is given.
    void Start(QProcess& process, const QStringList& arguments = {}) const;
    void Start(QProcess& process, const QStringList& arguments, const QProcessEnvironment& env,
               QProcess::ProcessChannelMode mode = QProcess::ForwardedErrorChannel) const;
    // Starts `tarvel` on an X display with its sound written to a WAV file.
    void StartOnDisplay(QProcess& process, const QString& display, const std::string& wav) const;

    // A configuration of a second run: no first-run start-up, the settings as shipped with the
    // given lines (1-based) replaced.
    void WriteSettings(const std::map<int, std::string>& replaced_lines) const;
    // A playlist file of the sort folder ("PlayListMainPL2.tpl") holding these songs, with the
    // given row current (0: none).
    void WritePlaylist(const std::string& file, const std::vector<PlaylistSong>& songs,
                       int current = 0) const;
    // The playlist file of PL1 holding these songs (paths of MP3 files, titled by their names),
    // nothing current.
    void WritePl1(const std::vector<std::string>& songs) const;
    // PL1 of tones made into the music folder (MakeToneMp3), one a frequency; their paths.
    std::vector<std::string> WriteTonePl1(const std::vector<int>& hz, int seconds) const;
    std::string FilePath(const std::string& relative) const { return app_dir_ + "/" + relative; }
    // Waits until the running program's mini player window can be found.
    bool WaitForWindows(QProcess& process) const;

    // Every file below the app dir with its bytes and modification time.
    std::map<std::string, std::string> Snapshot() const;

  private:
    TempDir dir_;
    std::string app_dir_;
};

// A player in an app dir of its own on an X server of its own, driven with real input: the set-up
// the journeys share. A player still running at the end is killed.
class PlayerOnDisplay {
  public:
    explicit PlayerOnDisplay(const QString& screen = QStringLiteral("1280x1024x24"));
    ~PlayerOnDisplay();

    // Starts the player on the display with its sound written to the app dir's file wav_name
    // (then in `wav`), and waits for its windows and for its main window, shown with a title
    // that matches (then in `window`). A fatal failure when one does not come.
    void StartPlayer(const QString& title = QStringLiteral("^Tarvel$"),
                     const std::string& wav_name = "out.wav");
    // Clicks a control of the main window (twice for a double click).
    void Click(controls::Main control, bool double_click = false) const;
    // Clicks the main window's close button; the player must end with exit code 0.
    void CloseAndExpectExit();
    // The visible windows of the player (a pop-up menu is one of them), and a wait (20 s at most)
    // until there are more than `than`.
    int VisibleWindows() const;
    bool WaitForMoreWindows(int than) const;

    XSession x;
    AppDirFixture app;
    QProcess player;
    std::string wav;
    unsigned long window = 0;
    // The display's scale factor (QT_SCALE_FACTOR): client pixels per layout pixel.
    int scale = 1;
};

// The titles of a playlist's rows 1 to Count, in order.
std::vector<std::string> Titles(const playlists::TPlist& playlist);

// Waits until a window of the class can be found while the process runs (a minute at most);
// false when the process ended first or the window did not come.
bool WaitForWindowClass(QProcess& process, const std::string& class_name);

// Kills a program a journey left running (a failed step ends it early).
void EndIfRunning(QProcess& process);

// A 44.1 kHz mono MP3 (64 kbps) of a sine at hz, amplitude 0.5, made with sox and lame; with
// to_hz the sine sweeps from hz to to_hz.
std::string MakeToneMp3(const std::string& folder, int hz, int seconds, int to_hz = 0);
// A 44.1 kHz mono MP3 (64 kbps) of one-second sine steps at the given frequencies, in order.
std::string MakeStepsMp3(const std::string& folder, const std::vector<int>& steps);

// The tags a test song is given.
struct SongTags {
    std::string artist, album, title, track;
};
// A 44.1 kHz mono song of a sine at hz for some seconds (amplitude 0.5) in folder/name, encoded
// with the given ffmpeg encoder ("flac", "libvorbis", "libopus", "aac", "alac", "wmav2",
// "wavpack", "pcm_s16be", "pcm_s16le") or "mpcenc" for Musepack, tagged as given.
std::string MakeToneFile(const std::string& folder, const std::string& name,
                         const std::string& encoder, int hz, int seconds, const SongTags& tags);

// What a WAV file sounds like, in 200 ms steps: runs of one of the given tones (hz), of silence
// (0) or of other sound (-1), with their lengths.
struct ToneSegment {
    int hz = 0;
    double seconds = 0;
};
std::vector<ToneSegment> ToneSegments(const std::string& wav, const std::vector<int>& tones);
// The tones heard for at least the given time, in the order heard.
std::vector<int> ToneOrder(const std::vector<ToneSegment>& segments, double at_least_seconds);

}  // namespace tarvel::testing
