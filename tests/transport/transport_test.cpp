// The transport's operations and timers on the real engines, time moved by the test.

#include "transport/transport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>

#include "controls/mouse_upm.h"
#include "external/apollo_command.h"
#include "platform/bass/bass.h"
#include "platform/fs/file_ops.h"
#include "platform/fs/line_file.h"
#include "sound_support/shared_manual.h"
#include "sound_support/sound_fixtures.h"
#include "support/temp_dir.h"
#include "transport/transport_rig.h"

namespace tarvel::testing {
namespace {

using config::Item;
using playlists::PlayCommand;

// A playlist of a 60 s song, a 3 s song and a 2 s song, all sines.
std::vector<std::vector<std::string>> QuickPlaylist(const std::string& folder) {
    return {SongRow("A", "Sixty", LongSine(folder, 440, 60), 60000),
            SongRow("B", "Three", LongSine(folder, 660, 3), 3000),
            SongRow("C", "Two", LongSine(folder, 880, 2), 2000)};
}

TEST(Transport, VolumeReachesEachEngineInItsScale) {
    // Position, then what FMOD (0..255), BASS (0..100) and the external player (0..65535) get.
    struct Case {
        int position, fmod, bass, external;
    };
    for (const Case c : {Case{771, 249, 100, 65535}, Case{310, 100, 40, 26350}, Case{0, 0, 0, 0}}) {
        SCOPED_TRACE(c.position);
        {
            TransportRig rig(Engine::Bass);
            rig.transport.ApplyVolume(c.position);
            EXPECT_EQ(bass::BASS_GetVolume(), static_cast<bass::DWORD>(c.bass));
            EXPECT_EQ(rig.display.volume, c.position);
            EXPECT_EQ(rig.settings.Volume(), c.position);
        }
        {
            TransportRig rig(Engine::External);
            rig.StartExternalPlayer();
            rig.transport.ApplyVolume(c.position);
            EXPECT_EQ(rig.ExternalLog(),
                      std::vector<std::string>{"cmd 20 " + std::to_string(c.external)});
        }
    }
    // FMOD's volume is a linear amplitude: the level of a sine measures it.
    TransportRig rig(Engine::Fmod);
    rig.Load({SongRow("A", "Sine", LongSine(rig.dir.path(), 440, 3), 3000)});
    rig.Work().Current = 1;
    rig.transport.PlayCurrent(PlayCommand::Play);
    rig.AdvanceSound(300);
    std::vector<double> levels;
    for (int position : {771, 310, 0}) {
        rig.transport.ApplyVolume(position);
        levels.push_back(NextLevel(*rig.out, 200));
    }
    EXPECT_NEAR(levels[0] / levels[1], 249.0 / 100.0, 0.002);
    EXPECT_EQ(levels[2], 0.0);
}

// Volume leveling: the ReplayGain tags of the song, in the chosen mode, set its level when it
// starts on either internal engine (the FLAC's track gain is -6.5 dB; its album gain of +2 dB is
// held to what its album peak of 0.95 allows).
TEST(Transport, VolumeLevelingPlaysASongAtItsReplayGain) {
    for (Engine engine : {Engine::Bass, Engine::Fmod}) {
        SCOPED_TRACE(EngineName(engine));
        TransportRig rig(engine);
        const std::string song = rig.dir / "gain.flac";
        WriteBytes(song, ReadBytes(TARVEL_TEST_DATA_DIR "/formats/tagged.flac"));
        rig.Load({SongRow("A", "Gain", song, 500)});
        std::map<Item, double> level;
        for (Item mode : {Item::LevelingOff, Item::LevelingTrack, Item::LevelingAlbum}) {
            rig.settings.Check(mode);
            rig.Work().Current = 1;
            rig.transport.PlayCurrent(PlayCommand::Play);
            rig.AdvanceSound(100);
            level[mode] = NextLevel(*rig.out, 200);
        }
        ASSERT_GT(level[Item::LevelingOff], 0.1);
        EXPECT_NEAR(level[Item::LevelingTrack] / level[Item::LevelingOff],
                    std::pow(10.0, -6.5 / 20), 0.002);
        EXPECT_NEAR(level[Item::LevelingAlbum] / level[Item::LevelingOff], 1 / 0.95, 0.002);
    }
}

TEST(Transport, QuickPlayPreviewsThreeStepsThenMovesOnAndShortSongsPlayOut) {
    TransportRig rig(Engine::Fmod);
    rig.Load(QuickPlaylist(rig.dir.path()));
    rig.transport.Enabled1Click();
    ASSERT_TRUE(rig.settings.Checked(Item::Enabled1));
    ASSERT_EQ(rig.Work().Current, 1);

    // Each jump happens at the first tick at or past the step's end; the position read before
    // the jump and the one after it.
    std::vector<std::pair<int, int>> jumps;
    int last = 0;
    int last_of_first = 0;
    ASSERT_TRUE(rig.RunUntil([&] {
        const int now = rig.Work().PositionMs;
        if (rig.Work().Current == 1) {
            if (now > last + 1000) {
                jumps.push_back({last, now});
            }
            last_of_first = now;
        }
        last = now;
        return rig.Work().Current == 2;
    }));
    EXPECT_EQ(jumps, (std::vector<std::pair<int, int>>{{3800, 20000}, {26800, 40000}}));
    EXPECT_EQ(last_of_first, 46800) << "the tick that reads 47 000 moves on";
    EXPECT_EQ(last, 0) << "the next song starts from its beginning";
    EXPECT_EQ(rig.fmod.FmodGetTime(""), 0);
    EXPECT_EQ(rig.Work().QuickStage, 1);

    // The 3 s song is shorter than the first step: it plays to its end, then the next follows.
    int longest = 0;
    ASSERT_TRUE(rig.RunUntil([&] {
        if (rig.Work().Current == 2) {
            longest = std::max(longest, rig.Work().PositionMs);
        }
        return rig.Work().Current == 3;
    }));
    EXPECT_GE(longest, 2800);
    EXPECT_TRUE(rig.settings.Checked(Item::Enabled1));

    // Clicking the item again switches quick play off and playback goes on.
    rig.transport.Enabled1Click();
    EXPECT_FALSE(rig.settings.Checked(Item::Enabled1));
    EXPECT_EQ(rig.Work().Current, 3);
}

TEST(Transport, QuickPlayJumpsOnBassInWholeSeconds) {
    TransportRig rig(Engine::Bass);
    rig.Load(QuickPlaylist(rig.dir.path()));
    rig.transport.Enabled1Click();
    ASSERT_TRUE(rig.RunUntil([&] { return rig.Work().QuickStage == 2; }));
    EXPECT_EQ(rig.Work().PositionMs, 20000);
    EXPECT_EQ(rig.bass->GetPosition(), 20);
    EXPECT_EQ(rig.display.Main(), 20);
    EXPECT_EQ(rig.display.Mini(), 20);
}

TEST(Transport, TheAbLoopSeeksBackToA) {
    TransportRig rig(Engine::Fmod);
    rig.Load(QuickPlaylist(rig.dir.path()));
    rig.Work().Current = 1;
    rig.Work().PositionMs = 14000;
    rig.transport.PlayCurrent(PlayCommand::Play);
    rig.Work().MarkA = 10000;
    rig.Work().MarkB = 15000;
    std::vector<int> positions;
    for (int tick = 0; tick < 7; ++tick) {
        rig.Run(200);
        positions.push_back(rig.Work().PositionMs);
    }
    // 14 200 ... 14 800, then the tick that reads 15 000 seeks back to 10 000.
    EXPECT_EQ(positions, (std::vector<int>{14200, 14400, 14600, 14800, 10000, 10200, 10400}));
    EXPECT_EQ(rig.display.Main(), 10);

    // Starting a song clears the marks.
    const int hidden = rig.display.marks_hidden;
    rig.transport.PlayCurrent(PlayCommand::Play);
    EXPECT_EQ(rig.Work().MarkB, 0);
    EXPECT_EQ(rig.display.marks_hidden, hidden + 1);
}

TEST(Transport, SwitchingFromBassToFmodResumesAtThePosition) {
    TransportRig rig(Engine::Bass);
    rig.Load(QuickPlaylist(rig.dir.path()));
    rig.Work().Current = 1;
    rig.transport.PlayCurrent(PlayCommand::Play);
    rig.Run(5400);
    ASSERT_EQ(rig.Work().PositionMs, 5000);  // BASS counts whole seconds
    const double one_song = NextLevel(*rig.out, 200);

    rig.transport.mFmodClick();
    EXPECT_TRUE(rig.settings.Checked(Item::mFmod));
    EXPECT_TRUE(rig.settings.Checked(Item::Internal));
    EXPECT_FALSE(rig.settings.Checked(Item::mBass));
    EXPECT_TRUE(rig.timers.module_timer);
    EXPECT_EQ(rig.fmod.FmodGetTime(""), 5000);
    EXPECT_EQ(rig.FmodState(), 1);
    EXPECT_NEAR(NextLevel(*rig.out, 200), one_song * 249.0 / 255.0, one_song * 0.01)
        << "only FMOD sounds: BASS has stopped";
    rig.Run(600);
    EXPECT_EQ(rig.Work().PositionMs, 5800);

    // And back: FMOD stops, BASS starts at the whole second.
    rig.transport.mBassClick();
    EXPECT_EQ(rig.FmodState(), 0);
    EXPECT_EQ(rig.bass->GetPosition(), 6);
    EXPECT_FALSE(rig.timers.module_timer);
}

TEST(Transport, NextAndPreviousWrapAroundAndUncheckOneSong) {
    TransportRig rig(Engine::Bass);
    rig.Load(QuickPlaylist(rig.dir.path()));
    rig.settings.Check(Item::repeatOne1);
    rig.model.ClickRepeat();
    rig.transport.PlayPrevious();
    EXPECT_EQ(rig.Work().Current, 0) << "nothing plays: nothing to step from";

    rig.transport.PlayPauseButton();
    ASSERT_EQ(rig.Work().Current, 1);
    EXPECT_FALSE(rig.model.RepeatOn()) << "starting a song by hand switches repeat off";
    rig.model.ClickRepeat();
    rig.transport.PlayPrevious();
    EXPECT_EQ(rig.Work().Current, 3);
    EXPECT_EQ(rig.Work().Previous, 1);
    EXPECT_FALSE(rig.settings.Checked(Item::repeatOne1));
    EXPECT_FALSE(rig.model.RepeatOn());
    EXPECT_EQ(rig.Work().UndoKind, 1);
    EXPECT_EQ(rig.list5.marked, 2);
    rig.transport.PlayNext();
    EXPECT_EQ(rig.Work().Current, 1);
    rig.transport.PlayNext();
    EXPECT_EQ(rig.Work().Current, 2);
    EXPECT_EQ(rig.display.position_maximum, 3);
    rig.Run(400);
    EXPECT_EQ(audio::BassPlayState.load(), 1);
}

TEST(Transport, PlayPauseTogglesTheEngineAndTheButtons) {
    for (Engine engine : {Engine::Fmod, Engine::Bass}) {
        SCOPED_TRACE(EngineName(engine));
        TransportRig rig(engine);
        rig.Load(QuickPlaylist(rig.dir.path()));
        rig.transport.PlayPause();
        EXPECT_EQ(rig.display.button, transport::ButtonLook{}) << "nothing current: no change";

        rig.transport.PlayPauseButton();
        rig.Run(1200);
        rig.transport.PlayPauseButton();  // PositionMs is not 0: pause
        EXPECT_EQ(rig.display.button, transport::kIdleLook);
        EXPECT_EQ(rig.list5.mark_mode, "Pause");
        rig.Run(400);
        EXPECT_EQ(rig.Work().PlayState, 2);
        const int held = rig.Work().PositionMs;
        rig.Run(400);
        EXPECT_EQ(rig.Work().PositionMs, held);

        rig.transport.PlayPause();
        EXPECT_EQ(rig.display.button, transport::kPlayingLook);
        EXPECT_EQ(rig.list5.mark_mode, "Play");
        rig.Run(400);
        EXPECT_EQ(rig.Work().PlayState, 1);
    }
}

TEST(Transport, StopShowsTheStoppedTotals) {
    TransportRig rig(Engine::Bass);
    rig.Load(QuickPlaylist(rig.dir.path()));
    rig.model.AfterPlaylistLoad();  // the stopped-state total: 65 s
    rig.transport.PlayPauseButton();
    rig.display.mini_visible = true;
    rig.Run(1200);
    EXPECT_EQ(rig.display.song_time, "00:01/01:00");
    EXPECT_EQ(rig.display.playlist_time, "00:01/01:05");
    EXPECT_EQ(rig.display.mini_time, "00:01/01:00...00:01/01:05");
    EXPECT_EQ(rig.display.app_title, "A - Sixty - 00:01/01:00");
    EXPECT_EQ(rig.display.Main(), 1);

    rig.settings.Check(Item::Enabled1);
    rig.transport.StopPlay(true);
    EXPECT_EQ(rig.Work().Current, 0);
    EXPECT_EQ(rig.Work().PositionMs, 0);
    EXPECT_EQ(rig.model.Working().Undo.Current, 1) << "the snapshot was taken before the stop";
    EXPECT_FALSE(rig.settings.Checked(Item::Enabled1));
    EXPECT_EQ(rig.display.song_time, "00:00/00:00");
    EXPECT_EQ(rig.display.playlist_time, "00:00/01:05");
    EXPECT_EQ(rig.display.mini_time, "00:00/00:00...00:00/01:05");
    EXPECT_EQ(rig.display.app_title, "Tarvel");
    EXPECT_EQ(rig.list5.items[0], "1. Sixty");
    EXPECT_EQ(rig.list5.marked, -2);
    rig.Run(400);
    EXPECT_EQ(NextLevel(*rig.out, 200), 0.0);
}

TEST(Transport, ASeekWaitsForTheReleaseOfEitherBar) {
    TransportRig rig(Engine::Fmod);
    rig.Load(QuickPlaylist(rig.dir.path()));
    rig.transport.PlayPauseButton();
    rig.Run(1000);

    // Dragging the main bar: the position bars stop following the song until the release.
    controls::SetMouseUpm(true);
    rig.display.SetPosition(transport::PositionBar::Main, 30);
    rig.transport.PositionBarChanged(transport::SeekSource::Main);
    rig.Run(400);
    EXPECT_EQ(rig.display.Main(), 30);
    EXPECT_EQ(rig.Work().PositionMs, 1400);
    controls::SetMouseUpm(false);
    rig.Run(200);
    EXPECT_EQ(rig.Work().PositionMs, 30180);  // sought at the first 20 ms of the 200
    EXPECT_TRUE(controls::MouseUpm());
    EXPECT_EQ(rig.transport.SeekPending(), 0);

    // The mini player's bar: the main bar takes its position too.
    rig.display.SetPosition(transport::PositionBar::Mini, 45);
    rig.transport.PositionBarChanged(transport::SeekSource::Mini);
    controls::SetMouseUpm(false);
    rig.Run(200);
    EXPECT_EQ(rig.Work().PositionMs, 45180);
    EXPECT_EQ(rig.display.Main(), 45);
    EXPECT_EQ(rig.transport.Source(), transport::SeekSource::Main);
    controls::SetMouseUpm(false);
}

TEST(Transport, TheTitleScrollsOnePixelATickThroughTheShownStrip) {
    TransportRig rig(Engine::Bass);
    rig.Load({SongRow("A", "Sine", LongSine(rig.dir.path(), 440, 60), 60000)});
    rig.transport.PlayFromStart();
    const std::string title = rig.transport.Title().Text();
    EXPECT_EQ(rig.transport.Title().Width(), static_cast<int>(title.size()) * 7);
    rig.transport.Timer2();
    EXPECT_EQ(rig.display.drawn.x, 299);
    EXPECT_EQ(rig.display.drawn.text, title);
    EXPECT_EQ(rig.display.drawn.strip, transport::TitleStrip::Main);
    EXPECT_EQ(rig.display.drawn.text_color, 0xFFFFFFu);
    EXPECT_EQ(rig.display.drawn.back_color, 0x625DB4u);
    // The text leaves the strip at -width and comes back at the strip's right edge.
    const int width = rig.transport.Title().Width();
    for (int tick = 0; tick < 299 + width - 1; ++tick) {
        rig.transport.Timer2();
    }
    EXPECT_EQ(rig.display.drawn.x, -width + 1);
    rig.transport.Timer2();
    EXPECT_EQ(rig.display.drawn.x, 300);

    // With the main window hidden the mini player's strip is drawn, in its colours.
    rig.display.main_visible = false;
    const int measures = rig.display.measures;
    rig.transport.Timer2();
    EXPECT_EQ(rig.display.drawn.strip, transport::TitleStrip::Mini);
    EXPECT_EQ(rig.display.drawn.x, 299);
    EXPECT_EQ(rig.display.drawn.text_color, 0xD2D2D2u);
    EXPECT_EQ(rig.display.drawn.back_color, 0x5A56AFu);
    EXPECT_EQ(rig.display.measures, measures) << "no measuring per tick";
    EXPECT_EQ(rig.display.topmost, 300 + width + 1);

    rig.display.spectrum_on = true;
    rig.display.spectrum_at_rest = false;
    rig.transport.Timer2();
    EXPECT_EQ(rig.display.spectrum_frames, 1);
}

// Timer2 runs only while something it does can be seen, and a strip that comes back into sight
// is drawn at once with what it should show.
TEST(Transport, Timer2RunsOnlyWhileItsWorkCanBeSeen) {
    TransportRig rig(Engine::Bass);
    rig.Load({SongRow("A", "Sine", LongSine(rig.dir.path(), 440, 60), 60000)});
    transport::Transport& t = rig.transport;

    // Stopped: the idle title stands still at the left edge and nothing ticks.
    t.DisplayChanged();
    EXPECT_FALSE(rig.timers.timer2);
    EXPECT_EQ(rig.display.drawn.text, "Tarvel 1.0 Beta 7");
    EXPECT_EQ(rig.display.drawn.x, 0);
    rig.display.spectrum_on = true;
    t.DisplayChanged();
    EXPECT_FALSE(rig.timers.timer2) << "the analyser has nothing to show while nothing plays";

    t.PlayFromStart();
    rig.display.spectrum_at_rest = false;  // the song plays into the analyser
    rig.Run(400);
    EXPECT_TRUE(rig.timers.timer2);
    const int x = rig.display.drawn.x;
    EXPECT_LT(x, 0) << "the song's title scrolls from where the idle title stood";

    // Each window that shows the title (the main window with the analyser, or the mini player
    // standing in for it) minimised, then back: the strips are drawn at once, the title where it
    // stood, with the text of now.
    for (const bool main : {true, false}) {
        SCOPED_TRACE(main ? "main window" : "mini player");
        rig.display.main_visible = main;
        rig.display.main_shown = false;
        rig.display.mini_shown = false;
        t.DisplayChanged();
        EXPECT_FALSE(rig.timers.timer2);
        const int frames = rig.display.spectrum_frames;
        rig.display.drawn = {};
        rig.Run(1000);
        EXPECT_TRUE(rig.display.drawn.text.empty()) << "nothing drawn out of sight";
        EXPECT_EQ(rig.display.spectrum_frames, frames);
        EXPECT_EQ(rig.Work().PlayState, 1) << "Timer1 polls on";

        rig.display.main_shown = main;
        rig.display.mini_shown = !main;
        t.DisplayChanged();
        EXPECT_TRUE(rig.timers.timer2);
        EXPECT_EQ(rig.display.drawn.strip,
                  main ? transport::TitleStrip::Main : transport::TitleStrip::Mini);
        EXPECT_EQ(rig.display.drawn.text, t.Title().Text());
        EXPECT_EQ(rig.display.drawn.x, t.Title().ScrollPosition());
        EXPECT_EQ(rig.display.spectrum_frames, frames + (main ? 1 : 0)) << "a fresh frame";
    }

    // Paused, the title going to the mini player's strip out of sight: the spectrum's bars fall
    // to rest on the main window's strip, then Timer2 stops.
    rig.display.main_shown = true;
    rig.display.mini_shown = false;
    t.PlayPause();
    rig.Run(400);
    EXPECT_EQ(rig.Work().PlayState, 2);
    EXPECT_TRUE(rig.timers.timer2) << "bars still up fall";
    rig.display.spectrum_at_rest = true;
    rig.Run(40);
    EXPECT_FALSE(rig.timers.timer2);

    // A window to keep on top, or a seek waiting for the mouse: Timer2 runs for it alone.
    rig.display.topmost_shown = true;
    t.DisplayChanged();
    EXPECT_TRUE(rig.timers.timer2);
    rig.display.topmost_shown = false;
    rig.Run(40);
    EXPECT_FALSE(rig.timers.timer2);
    rig.display.SetPosition(transport::PositionBar::Main, 30);
    t.PositionBarChanged(transport::SeekSource::Main);
    EXPECT_TRUE(rig.timers.timer2);
    controls::SetMouseUpm(false);
    rig.Run(40);
    EXPECT_EQ(t.SeekPending(), 0);
    EXPECT_FALSE(rig.timers.timer2);
    controls::SetMouseUpm(false);

    // Stopped again: the idle title is drawn at rest once and nothing ticks.
    rig.display.main_visible = true;
    t.StopPlay(true);
    EXPECT_FALSE(rig.timers.timer2);
    EXPECT_EQ(rig.display.drawn.text, "Tarvel 1.0 Beta 7");
    EXPECT_EQ(rig.display.drawn.x, 0);
}

TEST(Transport, PlayFromStartWithNoCurrentRowStartsRowOne) {
    TransportRig rig(Engine::Bass);
    std::vector<std::vector<std::string>> rows;
    for (int i = 1; i <= 5; ++i) {
        rows.push_back(
            SongRow("A", "Song" + std::to_string(i), LongSine(rig.dir.path(), 440, 2), 2000));
    }
    rig.Load(rows);
    rig.transport.PlayPauseButton();
    EXPECT_EQ(rig.Work().Current, 1);
    EXPECT_EQ(rig.Work().Previous, 1);
    EXPECT_EQ(rig.Work().UndoKind, 1);
    EXPECT_EQ(rig.model.Working().Undo.Current, 0) << "the snapshot was taken before the start";
    EXPECT_EQ(rig.Work().SongLengthMs, 2000);
    EXPECT_EQ(rig.Work().TotalText, "00:10");
    EXPECT_EQ(audio::BassPlayState.load(), 1);
}

TEST(Transport, VolumeStepsStopAtTheEnds) {
    TransportRig rig(Engine::Bass);
    // From, step, then the volume reached and whether it was sent again.
    struct Case {
        int from, delta, to;
    };
    for (const Case c : {Case{771, 10, 771}, Case{765, 10, 771}, Case{4, -10, 0}, Case{0, -10, 0},
                         Case{400, -50, 350}, Case{750, 50, 771}}) {
        rig.settings.SetVolume(c.from);
        rig.display.volume = -1;
        rig.transport.StepVolume(c.delta);
        EXPECT_EQ(rig.settings.Volume(), c.to) << c.from << " " << c.delta;
        EXPECT_EQ(rig.display.volume, c.from == c.to ? -1 : c.to) << c.from << " " << c.delta;
    }
    EXPECT_EQ(bass::BASS_GetVolume(), 100u);
}

TEST(Transport, TheFirstRunEndsAtTimer3) {
    TransportRig rig(Engine::Bass);
    fs::CreateDirectories(rig.dir / "TvSysFile");
    rig.transport.Timer3();
    EXPECT_FALSE(fs::FileExists(rig.dir / "TvSysFile/PathToPl.tcf")) << "not a first run";
    rig.settings.FirstRun = true;
    rig.transport.Timer3();
    EXPECT_FALSE(rig.settings.FirstRun);
    EXPECT_TRUE(fs::FileExists(rig.dir / "TvSysFile/PathToPl.tcf"));
    EXPECT_EQ(rig.config_links.library_builder_opened, 1);
}

TEST(Transport, ChoosingTheExternalPlayer) {
    // With no external player set, the first-run files are written again and BASS becomes the
    // engine; a song playing on FMOD goes on on BASS.
    {
        TransportRig rig(Engine::Fmod);
        rig.Load(QuickPlaylist(rig.dir.path()));
        rig.transport.PlayPauseButton();
        rig.Run(2200);
        rig.settings.PathToApollo = "None";
        fs::CreateDirectories(rig.dir / "TvSysFile");
        rig.transport.ApolloClick();
        EXPECT_TRUE(rig.settings.Checked(Item::mBass));
        EXPECT_FALSE(rig.settings.Checked(Item::Apollo));
        EXPECT_EQ(fs::ReadLines(rig.dir / "TvSysFile/PathToPl.tcf"),
                  (std::vector<std::string>{"firstRun:=False", "PathToApollo:=None",
                                            "PathToWinamp:=None"}));
        EXPECT_EQ(rig.FmodState(), 0);
        EXPECT_EQ(rig.bass->GetPosition(), 2);
        rig.Run(1000);
        EXPECT_EQ(rig.Work().PositionMs, 3000);
        EXPECT_EQ(rig.Work().Current, 1);
    }
    // A path that names no file: nothing happens.
    {
        TransportRig rig(Engine::Bass);
        rig.settings.PathToApollo = rig.dir / "missing/apollo";
        rig.transport.ApolloClick();
        EXPECT_TRUE(rig.settings.Checked(Item::mBass));
        EXPECT_TRUE(rig.services.Calls().empty());
    }
    // A song playing on BASS goes on in the external player at the position reached.
    TransportRig rig(Engine::Bass);
    rig.StartExternalPlayer();
    rig.Load(QuickPlaylist(rig.dir.path()));
    rig.transport.PlayPauseButton();
    rig.Run(3200);
    ASSERT_EQ(rig.Work().PositionMs, 3000);
    rig.transport.ApolloClick();
    EXPECT_TRUE(rig.services.Calls().empty()) << "the player runs: it is not started again";
    EXPECT_TRUE(rig.settings.Checked(Item::Apollo));
    EXPECT_TRUE(rig.settings.Checked(Item::External1));
    EXPECT_FALSE(rig.settings.Checked(Item::mBass));
    EXPECT_FALSE(rig.settings.Checked(Item::Internal));
    const std::string song = rig.Work().Rows[1][library::kPath];
    EXPECT_EQ(rig.ExternalLog(),
              (std::vector<std::string>{"cmd 11 0", "cmd 20 0", "copydata 2 " + song, "cmd 18 3000",
                                        "cmd 20 65535"}));
    rig.out->ClearCaptured();
    rig.Run(400);
    EXPECT_EQ(rig.Work().PositionMs, 3400);
    EXPECT_EQ(rig.Work().PlayState, 1);
    EXPECT_EQ(Rms(rig.out->Captured(), 0, 0, rig.out->Captured().size() / 2), 0.0)
        << "BASS has stopped";

    // PlayPause sends 13 whatever the state; the seek goes as command 18.
    rig.transport.PlayPause();
    rig.transport.SeekTo(12345);
    rig.transport.StopPlay(true);
    const std::vector<std::string> log = rig.ExternalLog();
    EXPECT_EQ(std::vector<std::string>(log.end() - 4, log.end()),
              (std::vector<std::string>{"cmd 13 0", "cmd 18 12345", "cmd 11 0", "cmd 9 0"}));
}

TEST(Transport, StartingASongKeepsAnUndoCopyThatKeptTheSongInStep) {
    TransportRig rig(Engine::Bass);
    rig.Load(QuickPlaylist(rig.dir.path()));
    playlists::TMasPLayList& undo = rig.model.Working().Undo;
    rig.Work().UndoKind = 0;  // the last change (a drop, a deletion) kept the song
    rig.model.TakeUndoSnapshot();
    // The undo copy has as many rows: it follows a later current row, else lags one behind.
    rig.Work().Current = 2;
    rig.transport.PlayCurrent(PlayCommand::Play);
    EXPECT_EQ(undo.Current, 2);
    rig.Work().Current = 1;
    rig.transport.PlayCurrent(PlayCommand::Play);
    EXPECT_EQ(undo.Current, 0);
    // A different number of rows: one on.
    rig.Work().Count = 2;
    rig.transport.PlayCurrent(PlayCommand::Play);
    EXPECT_EQ(undo.Current, 1);
    // An undo copy of a change that started a song is left alone.
    undo.UndoKind = 1;
    rig.transport.PlayCurrent(PlayCommand::Play);
    EXPECT_EQ(undo.Current, 1);
}

TEST(Transport, ACurrentRowOutsideThePlaylistStartsNothing) {
    TransportRig rig(Engine::Bass);
    rig.Load(QuickPlaylist(rig.dir.path()));
    for (int current : {0, 4, -1}) {
        rig.Work().Current = current;
        rig.transport.PlayCurrent(PlayCommand::Play);
        EXPECT_FALSE(rig.timers.timer1) << current;
        EXPECT_EQ(rig.transport.Title().Text(), "Tarvel 1.0 Beta 7") << current;
        EXPECT_EQ(audio::BassPlayState.load(), 0) << current;
    }
}

TEST(Transport, ChoosingTheExternalPlayerStartsIt) {
    TransportRig rig(Engine::Fmod);
    const std::string program = rig.dir / "Apollo/apollo";
    fs::CreateDirectories(rig.dir / "Apollo");
    fs::WriteLines(program, {"not run"});
    rig.settings.PathToApollo = program;
    rig.transport.ApolloClick();
    EXPECT_EQ(rig.services.Calls(), std::vector<std::string>{"StartProgram\t" + program + "\t9"});
    EXPECT_TRUE(rig.settings.Checked(Item::Apollo));
    EXPECT_FALSE(rig.settings.Checked(Item::mFmod));
}

}  // namespace
}  // namespace tarvel::testing
