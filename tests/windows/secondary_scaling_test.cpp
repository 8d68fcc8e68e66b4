#include "windows/secondary_scaling.h"

#include <gtest/gtest.h>

namespace tarvel::windows {
namespace {

ControlRects MiniStrip() {
    return {{"Label3", {82, 7, 221, 13}},
            {"StaticText1", {303, 7, 149, 15}},
            {"SCRLtimeMIN", {476, 7, 141, 8}},
            {"SCRLvolumeMIN", {470, 13, 150, 9}}};
}

TEST(ScaleMiniStrip, ANarrowScreenOrSmallFontShrinksTheMiddleOfTheStrip) {
    struct Case {
        double scale_x;
        double font_ratio;
        int title_width;
        int time_left;
        int time_width;
    };
    // 800 pixels: 221 x 0.78125 = 172.66, 149 x 0.78125 = 116.41.
    for (const Case c : {Case{0.78125, 1.0, 173, 257, 116}, Case{1.0, 0.5, 110, 194, 74},
                         Case{2.0, 0.5, 221, 303, 149}, Case{1.25, 1.0, 221, 303, 149},
                         Case{1.0, 1.0, 221, 303, 149}}) {
        ControlRects rects = MiniStrip();
        ScaleMiniStrip(rects, c.scale_x, c.font_ratio);
        EXPECT_EQ(rects["Label3"], QRect(82, 7, c.title_width, 13)) << c.scale_x << c.font_ratio;
        EXPECT_EQ(rects["StaticText1"], QRect(c.time_left, 7, c.time_width, 15)) << c.scale_x;
        const bool shrunk = c.scale_x * c.font_ratio < 1.0;
        EXPECT_EQ(rects["SCRLvolumeMIN"], shrunk ? QRect(476, 13, 141, 9) : QRect(470, 13, 150, 9));
    }
}

TEST(ScaleSmallPlaylist, On800PixelsTheListIs120WideWithTheBarBesideIt) {
    ControlRects rects = {{"ImgFon", {4, 0, 198, 280}},
                          {"ListBox6", {21, 13, 154, 254}},
                          {"KVRScrollerVr6", {177, 12, 10, 255}}};
    ScaleSmallPlaylist(rects, 800 / 1024.0);
    EXPECT_EQ(rects["ListBox6"], QRect(16, 10, 120, 198));
    // 198 x 0.78125 + 3 = 157.69.
    EXPECT_EQ(rects["ImgFon"], QRect(3, 0, 158, 219));
    EXPECT_EQ(rects["KVRScrollerVr6"], QRect(136, 9, 10, 199));
    EXPECT_EQ(SmallPlaylistOutline(rects["ImgFon"]), QRect(8, 2, 152, 214));

    const ControlRects before = rects;
    ScaleSmallPlaylist(rects, 1.0);
    ScaleSmallPlaylist(rects, 1280 / 1024.0);
    EXPECT_EQ(rects, before);
}

TEST(SmallPlaylistOutline, RunsInsideTheBackgroundAsLaidOut) {
    EXPECT_EQ(SmallPlaylistOutline({4, 0, 198, 280}), QRect(9, 2, 192, 275));
    EXPECT_EQ(ScaleOfScreenWidth(800), 0.78125);
}

}  // namespace
}  // namespace tarvel::windows
