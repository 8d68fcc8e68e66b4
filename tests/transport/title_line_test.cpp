// The title line and the caption of a playlist row, and the quick-play steps.

#include "transport/title_line.h"

#include <gtest/gtest.h>

#include "transport/quick_play.h"

namespace tarvel::transport {
namespace {

std::vector<std::string> Row(const std::string& year, const std::string& kind,
                             const std::string& track) {
    return {"Artist", "Album", "Title",        year,           kind, track, "192",
            "245360", "44100", "Joint Stereo", "/music/a.mp3", "",   ""};
}

TEST(TitleLine, TextsOfFilesAndCdTracks) {
    struct Case {
        std::vector<std::string> row;
        std::string caption, title;
    };
    const Case cases[] = {
        {Row("1999", "Rock", "3"), "Artist - Title",
         "Artist - Album - Title - 1999 - 192 kbps - 04:05 - Joint Stereo"},
        {Row("0000", "Rock", "3"), "Artist - Title",
         "Artist - Album - Title - 192 kbps - 04:05 - Joint Stereo"},
        {Row("0", "CD", "7"), "CD - Track 07", "CD - Title"},
        {Row("0", "CD", "12"), "CD - Track 12", "CD - Title"},
        // A damaged row with too few cells reads its missing cells as empty.
        {{"Artist"}, "Artist - ", "Artist -  -  -  -  kbps - 04:05 - "},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SongCaptionOf(c.row), c.caption);
        EXPECT_EQ(TitleTextOf(c.row, "04:05"), c.title);
    }
}

TEST(QuickPlay, StepsOfASixtySecondSong) {
    struct Case {
        int stage, position;
        QuickAction action;
        int jump;
    };
    const Case cases[] = {
        {1, 3999, QuickAction::None, 0},      {1, 4000, QuickAction::Jump, 20000},
        {1, 20000, QuickAction::Jump, 20000}, {1, 20001, QuickAction::None, 0},
        {2, 26999, QuickAction::None, 0},     {2, 27000, QuickAction::Jump, 40000},
        {2, 40001, QuickAction::None, 0},     {3, 46999, QuickAction::None, 0},
        {3, 47000, QuickAction::NextSong, 0}, {3, 60000, QuickAction::NextSong, 0},
    };
    for (const Case& c : cases) {
        const QuickDecision d = QuickPlayCheck(c.stage, 60000.0, c.position);
        EXPECT_EQ(d.action, c.action) << c.stage << " " << c.position;
        EXPECT_EQ(d.jump_ms, c.jump) << c.stage << " " << c.position;
    }
    // A song shorter than the first step never reaches it.
    for (int position = 0; position <= 3000; position += 200) {
        EXPECT_EQ(QuickPlayCheck(1, 3000.0, position).action, QuickAction::None);
    }
    EXPECT_EQ(RoundToInt(2.5), 2);
    EXPECT_EQ(RoundToInt(3.5), 4);
}

}  // namespace
}  // namespace tarvel::transport
