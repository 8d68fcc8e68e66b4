#include "platform/mpris/mpris_rules.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace tarvel::mpris {
namespace {

PlayerState PlayingAt(int64_t position_us, int64_t length_us = 60'000'000) {
    PlayerState state;
    state.status = Status::Playing;
    state.track = Track{"/t/1", length_us, "Title", "Artist", "Album", "file:///a.mp3"};
    state.can_seek = true;
    state.position_us = position_us;
    return state;
}

TEST(MprisRules, SeekStaysWithinTheSongAndPastTheEndMeansNext) {
    struct Case {
        int64_t from;
        int64_t offset;
        SeekAction expected;
    };
    for (const Case c : {Case{10'000'000, 5'000'000, {SeekAction::SeekTo, 15'000'000}},
                         Case{10'000'000, -15'000'000, {SeekAction::SeekTo, 0}},
                         Case{50'000'000, 10'000'000, {SeekAction::SeekTo, 60'000'000}},
                         Case{50'000'000, 10'000'001, {SeekAction::Next, 0}}}) {
        EXPECT_EQ(PlanSeek(PlayingAt(c.from), c.offset), c.expected) << c.from << "+" << c.offset;
    }
    PlayerState stopped = PlayingAt(0);
    stopped.can_seek = false;
    EXPECT_EQ(PlanSeek(stopped, 1'000'000).kind, SeekAction::Nothing);
    EXPECT_EQ(PlanSeek(PlayerState{}, 1'000'000).kind, SeekAction::Nothing) << "no song";
}

TEST(MprisRules, ExtremeOffsetsAndPositionsSaturateAndVolumesAreHeldOrRefused) {
    constexpr int64_t kMax = std::numeric_limits<int64_t>::max();
    constexpr int64_t kMin = std::numeric_limits<int64_t>::min();
    struct Case {
        int64_t from;
        int64_t offset;
        SeekAction expected;
    };
    for (const Case c :
         {Case{10'000'000, kMax, {SeekAction::Next, 0}},
          Case{10'000'000, kMin, {SeekAction::SeekTo, 0}}, Case{kMax, kMax, {SeekAction::Next, 0}},
          Case{kMax, kMin, {SeekAction::SeekTo, 0}}, Case{kMin, kMin, {SeekAction::SeekTo, 0}},
          Case{kMin, kMax, {SeekAction::SeekTo, 0}},
          Case{60'000'000, kMin + 1, {SeekAction::SeekTo, 0}}}) {
        EXPECT_EQ(PlanSeek(PlayingAt(c.from), c.offset), c.expected) << c.from << "+" << c.offset;
    }
    for (const int64_t position : {kMin, kMax}) {
        EXPECT_EQ(PlanSetPosition(PlayingAt(0), "/t/1", position).kind, SeekAction::Nothing);
    }
    EXPECT_FALSE(PositionJumped(PlayingAt(kMax), PlayingAt(kMax), kMax, 0));
    EXPECT_TRUE(PositionJumped(PlayingAt(kMin), PlayingAt(kMax), kMax, kMax - 1));
    EXPECT_TRUE(PositionJumped(PlayingAt(kMax), PlayingAt(kMin), 0, kMax - 1));

    constexpr double kInf = std::numeric_limits<double>::infinity();
    for (const double refused : {std::nan(""), kInf, -kInf}) {
        EXPECT_EQ(PlanVolume(refused), std::nullopt) << refused;
    }
    struct Volume {
        double requested;
        double planned;
    };
    for (const Volume v :
         {Volume{0.25, 0.25}, Volume{1e308, 1.0}, Volume{-1e308, 0.0}, Volume{-0.0, 0.0},
          Volume{std::numeric_limits<double>::denorm_min(),
                 std::numeric_limits<double>::denorm_min()}}) {
        EXPECT_EQ(PlanVolume(v.requested), v.planned) << v.requested;
    }
}

TEST(MprisRules, SetPositionOnlyForTheCurrentSongWithinItsLength) {
    const PlayerState state = PlayingAt(0);
    EXPECT_EQ(PlanSetPosition(state, "/t/1", 30'000'000),
              (SeekAction{SeekAction::SeekTo, 30'000'000}));
    EXPECT_EQ(PlanSetPosition(state, "/t/2", 30'000'000).kind, SeekAction::Nothing);
    EXPECT_EQ(PlanSetPosition(state, "/t/1", -1).kind, SeekAction::Nothing);
    EXPECT_EQ(PlanSetPosition(state, "/t/1", 60'000'001).kind, SeekAction::Nothing);
}

TEST(MprisRules, ChangedPropertiesNameEachChangeButNeverThePosition) {
    const PlayerState base = PlayingAt(1'000'000);
    EXPECT_TRUE(ChangedProperties(base, PlayingAt(9'000'000)).empty());
    PlayerState changed = base;
    changed.status = Status::Paused;
    changed.track->title = "Другая";
    changed.volume = 0.5;
    changed.can_go_next = true;
    EXPECT_EQ(ChangedProperties(base, changed),
              (std::vector<std::string>{"PlaybackStatus", "Metadata", "Volume", "CanGoNext"}));
    PlayerState gone = base;
    gone.track.reset();
    gone.can_seek = false;
    EXPECT_EQ(ChangedProperties(base, gone), (std::vector<std::string>{"Metadata", "CanSeek"}));
}

TEST(MprisRules, AJumpIsAMoveThatPlayingOnDoesNotExplain) {
    PlayerState paused = PlayingAt(5'000'000);
    paused.status = Status::Paused;
    PlayerState other_song = PlayingAt(0);
    other_song.track->id = "/t/2";
    struct Case {
        PlayerState before;
        PlayerState after;
        int64_t elapsed;
        bool jumped;
    };
    for (const Case& c : {Case{PlayingAt(1'000'000), PlayingAt(1'200'000), 200'000, false},
                          Case{PlayingAt(1'000'000), PlayingAt(2'000'000), 200'000, false},
                          Case{PlayingAt(1'000'000), PlayingAt(30'000'000), 200'000, true},
                          Case{PlayingAt(30'000'000), PlayingAt(1'000'000), 200'000, true},
                          Case{paused, paused, 10'000'000, false},
                          Case{PlayingAt(30'000'000), other_song, 200'000, false}}) {
        EXPECT_EQ(PositionJumped(c.before, c.after, c.elapsed, 2'000'000), c.jumped)
            << c.before.position_us << " -> " << c.after.position_us;
    }
}

TEST(MprisRules, FilePathsTravelAsAddressesAndBack) {
    struct Case {
        std::string path;
        std::string url;
    };
    for (const Case& c : {Case{"/music/a b.mp3", "file:///music/a%20b.mp3"},
                          Case{"/музыка/п.mp3",
                               "file:///%D0%BC%D1%83%D0%B7%D1%8B%D0%BA%D0%B0/"
                               "%D0%BF.mp3"},
                          Case{"/x/\xcf\xe5#%?.mp3", "file:///x/%CF%E5%23%25%3F.mp3"}}) {
        EXPECT_EQ(FileUrl(c.path), c.url);
        EXPECT_EQ(LocalPath(c.url), c.path);
    }
    EXPECT_EQ(LocalPath("/plain/path.mp3"), "/plain/path.mp3");
    EXPECT_EQ(LocalPath("FILE://localhost/a.mp3"), "/a.mp3");
    for (const char* refused : {"http://host/a.mp3", "file://host/a.mp3", "a.mp3", "file:///a%2",
                                "file:///a%zz.mp3", "file:///a%00b", "file:", ""}) {
        EXPECT_EQ(LocalPath(refused), std::nullopt) << refused;
    }
}

}  // namespace
}  // namespace tarvel::mpris
