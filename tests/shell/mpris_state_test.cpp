#include "shell/mpris_state.h"

#include <gtest/gtest.h>

#include <cmath>

#include "library/song_record.h"

namespace tarvel::shell {
namespace {

std::vector<std::string> SongRow(const std::string& title_utf8, const std::string& kind,
                                 const std::string& path) {
    std::vector<std::string> row(library::kCellsPerRow);
    row[library::kArtist] = "Кино";
    row[library::kAlbum] = "Группа крови";
    row[library::kTitle] = title_utf8;
    row[library::kGenre] = kind;
    row[library::kDuration] = "283450";
    row[library::kPath] = path;
    return row;
}

playlists::TMasPLayList TwoSongs(int current, int play_state) {
    playlists::TMasPLayList work;
    work.Rows = {std::vector<std::string>(library::kCellsPerRow),
                 SongRow("Звезда по имени Солнце", "Rock", "/music/\xc7\xe2.mp3"),
                 SongRow("Track07", "CD", "/dev/sr0/Track07.cda")};
    work.Count = 2;
    work.Current = current;
    work.PlayState = play_state;
    work.PositionMs = 83450;
    return work;
}

TEST(MprisState, TheCurrentRowIsTheSongInUtf8WithItsLengthAndAddress) {
    const mpris::PlayerState state = MprisState(TwoSongs(1, 1), 771);
    ASSERT_TRUE(state.track);
    EXPECT_EQ(state.track->title, "Звезда по имени Солнце");
    EXPECT_EQ(state.track->artist, "Кино");
    EXPECT_EQ(state.track->album, "Группа крови");
    EXPECT_EQ(state.track->length_us, 283'450'000);
    EXPECT_EQ(state.track->url, "file:///music/%C7%E2.mp3") << "the path's own bytes";
    EXPECT_EQ(state.position_us, 83'450'000);
    EXPECT_EQ(state.volume, 1.0);
    EXPECT_TRUE(state.can_seek && state.can_go_next && state.can_pause);

    const mpris::PlayerState cd = MprisState(TwoSongs(2, 1), 771);
    EXPECT_EQ(cd.track->url, "") << "a CD track is no file";
    EXPECT_NE(cd.track->id, state.track->id);
}

TEST(MprisState, PlayStateAndCurrentRowGiveTheStatus) {
    struct Case {
        int current;
        int play_state;
        mpris::Status status;
        bool track;
    };
    for (const Case c :
         {Case{1, 1, mpris::Status::Playing, true}, Case{1, 2, mpris::Status::Paused, true},
          Case{1, 0, mpris::Status::Stopped, true}, Case{0, 1, mpris::Status::Stopped, false},
          Case{3, 1, mpris::Status::Stopped, false}}) {
        const mpris::PlayerState state = MprisState(TwoSongs(c.current, c.play_state), 0);
        EXPECT_EQ(state.status, c.status) << c.current << "/" << c.play_state;
        EXPECT_EQ(state.track.has_value(), c.track);
        EXPECT_TRUE(state.can_play);
        EXPECT_EQ(state.can_seek, c.status != mpris::Status::Stopped);
    }
    playlists::TMasPLayList empty;
    EXPECT_FALSE(MprisState(empty, 0).can_play);
}

TEST(MprisState, VolumeBarAndProtocolVolumeMapBothWays) {
    struct Case {
        double volume;
        int bar;
    };
    for (const Case c : {Case{0.0, 0}, Case{1.0, 771}, Case{0.5, 386}, Case{-0.3, 0},
                         Case{1.7, 771}, Case{0.0006, 0}, Case{0.0007, 1}}) {
        EXPECT_EQ(VolumeBarPosition(c.volume), c.bar) << c.volume;
    }
    for (int bar = 0; bar <= 771; ++bar) {
        ASSERT_EQ(VolumeBarPosition(MprisVolume(bar)), bar) << "round trip";
    }
    EXPECT_EQ(VolumeBarPosition(std::nan("")), 0);
}

}  // namespace
}  // namespace tarvel::shell
