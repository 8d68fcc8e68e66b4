#include <gtest/gtest.h>

#include "playlist_rig.h"

namespace tarvel::testing {
namespace {

using config::Item;

enum class Mode { None, One, All };

void SetMode(config::Settings& settings, Mode mode) {
    settings.Uncheck(Item::repeatOne1);
    settings.Uncheck(Item::RepeatAllPlayList1);
    if (mode == Mode::One) {
        settings.Check(Item::repeatOne1);
    } else if (mode == Mode::All) {
        settings.Check(Item::RepeatAllPlayList1);
    }
}

TEST(Repeat, NextSongRuleByModeAndButton) {
    const struct {
        const char* name;
        Mode mode;
        bool button;
        int current;
        const char* started;  // empty: the playlist ends
    } cases[] = {
        {"all, on, last row", Mode::All, true, 4, "PlayCurrent Play row=1 at=0"},
        {"all, off, last row", Mode::All, false, 4, ""},
        {"all, on, inner row", Mode::All, true, 2, "PlayCurrent Play row=3 at=0"},
        {"one, on, last row", Mode::One, true, 4, "PlayCurrent Play row=4 at=0"},
        {"one, on, inner row", Mode::One, true, 2, "PlayCurrent Play row=2 at=0"},
        {"one, off, last row", Mode::One, false, 4, ""},
        {"none, on, last row", Mode::None, true, 4, ""},
        {"none, off, inner row", Mode::None, false, 3, "PlayCurrent Play row=4 at=0"},
    };
    for (const auto& c : cases) {
        PlaylistRig rig;
        rig.SetWork(NumberedSongs(4), c.current, 0, 1);
        rig.model.Work().PositionMs = 3999;  // where the song was started or last seen
        SetMode(rig.settings, c.mode);
        if (c.button) {
            rig.model.ClickRepeat();
        }
        rig.model.AdvanceAfterEnd();
        const auto& work = rig.model.Work();
        if (*c.started) {
            EXPECT_EQ(rig.transport.calls, (std::vector<std::string>{c.started})) << c.name;
            EXPECT_EQ(work.Previous, c.current) << c.name;
            EXPECT_EQ(rig.model.RepeatOn(), c.button) << c.name;  // automatic moves keep it
        } else {
            EXPECT_EQ(rig.transport.calls, (std::vector<std::string>{"StopPlay true"})) << c.name;
            EXPECT_EQ(work.Current, 0) << c.name;
        }
    }
}

TEST(Repeat, EndOfThePlaylistStopsResetsTheBarsAndTheTitle) {
    PlaylistRig rig;
    rig.SetWork(NumberedSongs(2), 2, 0, 1);
    rig.transport.title = "Band - Album - S2";
    rig.model.AdvanceAfterEnd();
    EXPECT_FALSE(rig.transport.polling);
    EXPECT_EQ(rig.display.time_scrollers_zeroed, 1);
    EXPECT_EQ(rig.engines.calls, (std::vector<std::string>{"ApolloCommand 11 0"}));
    EXPECT_EQ(rig.transport.title, "Tarvel 1.0 Beta 7");
    EXPECT_EQ(rig.model.Working().Undo.Count, 2);  // StopPlay(true) took a snapshot
    EXPECT_TRUE(rig.shutdowns.empty());

    rig.settings.Check(Item::Afterendplaylist1);
    rig.model.Work().Current = 2;
    rig.model.AdvanceAfterEnd();
    EXPECT_EQ(rig.shutdowns.size(), 1u);
}

TEST(Repeat, EmptyPlaylistEndsAtOnce) {
    PlaylistRig rig;
    rig.model.AdvanceAfterEnd();
    EXPECT_EQ(rig.transport.calls, (std::vector<std::string>{"StopPlay true"}));
}

TEST(Repeat, ButtonTogglesAndChosenSongsSwitchItOff) {
    PlaylistRig rig;
    rig.SetWork(NumberedSongs(3), 1, 0, 1);
    rig.model.ClickRepeat();
    EXPECT_TRUE(rig.model.RepeatOn());
    EXPECT_TRUE(rig.display.repeat_button);
    rig.model.ClickRepeat();
    EXPECT_FALSE(rig.display.repeat_button);

    // A song chosen by hand (here a shuffle) switches repeat off; "One song" stays checked.
    SetMode(rig.settings, Mode::One);
    rig.model.ClickRepeat();
    rig.model.ShufflePlaylistClick();
    EXPECT_FALSE(rig.model.RepeatOn());
    EXPECT_TRUE(rig.settings.Checked(Item::repeatOne1));
}

}  // namespace
}  // namespace tarvel::testing
