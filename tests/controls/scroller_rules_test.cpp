#include <gtest/gtest.h>

#include "controls/arrow_glyphs.h"
#include "controls/scroller_rules.h"

namespace tarvel::controls {
namespace {

TEST(ScrollerRules, ClampsInOrderZeroThenMaxThenMin) {
    struct Case {
        int value, min, max, expected;
    };
    for (const Case& c : {Case{-5, -10, 100, 0}, Case{150, 0, 100, 100}, Case{50, 0, 100, 50},
                          Case{-5, -10, -3, -3}, Case{5, 10, 100, 10}}) {
        EXPECT_EQ(ClampScrollPosition(c.value, c.min, c.max), c.expected)
            << c.value << " in " << c.min << ".." << c.max;
    }
}

TEST(ScrollerRules, ThumbOffsetAndPositionRoundTrip) {
    EXPECT_EQ(ThumbOffset(0, 0, 100, 96), 0);
    EXPECT_EQ(ThumbOffset(100, 0, 100, 96), 96);
    EXPECT_EQ(ThumbOffset(50, 0, 100, 96), 48);
    EXPECT_EQ(ThumbOffset(5, 10, 100, 96), 0);  // at or below min: 0
    EXPECT_EQ(ThumbOffset(7, 7, 7, 96), 0);     // empty range never divides by zero
    // Ties round to even: 1/2 x 3 = 1.5 -> 2, 1/2 x 5 = 2.5 -> 2.
    EXPECT_EQ(ThumbOffset(1, 0, 2, 3), 2);
    EXPECT_EQ(ThumbOffset(1, 0, 2, 5), 2);
    EXPECT_EQ(PositionFromOffset(48, 0, 100, 96), 50);
    EXPECT_EQ(PositionFromOffset(96, 10, 30, 96), 30);
    EXPECT_EQ(PositionFromOffset(10, 10, 30, 0), 10);  // no travel: min
    for (int p = 0; p <= 771; p += 7) {
        EXPECT_NEAR(PositionFromOffset(ThumbOffset(p, 0, 771, 156), 0, 771, 156), p, 3);
    }
}

TEST(ScrollerRules, TimeTexts) {
    struct Case {
        int seconds;
        const char* text;
    };
    for (const Case& c :
         {Case{0, "00:00"}, Case{59, "00:59"}, Case{65, "01:05"}, Case{3600, "1:00:00"},
          Case{3725, "1:02:05"}, Case{90061, "1:1:01:01"}, Case{86400, "1:0:00:00"}}) {
        EXPECT_EQ(TimeText(c.seconds).toStdString(), c.text) << c.seconds;
    }
}

TEST(ScrollerRules, ThumbTextByVkoef) {
    EXPECT_EQ(ThumbText(3725, 0, true).toStdString(), "1:02:05");
    EXPECT_EQ(ThumbText(771, 100.0 / 771, true).toStdString(), "100");
    EXPECT_EQ(ThumbText(385, 100.0 / 771, true).toStdString(), "50");  // 49.935 -> 50
    EXPECT_EQ(ThumbText(12345, 0.001, false).toStdString(), "12.345");
    EXPECT_EQ(ThumbText(50000, 0.001, false).toStdString(), "50");
}

TEST(ScrollerRules, BandClickMapsOverWholeBand) {
    EXPECT_EQ(BandClickPosition(0, 100, 771), 0);
    EXPECT_EQ(BandClickPosition(50, 100, 771), 386);  // 385.5 -> even 386
    EXPECT_EQ(BandClickPosition(100, 100, 771), 771);
    EXPECT_EQ(BandClickPosition(10, 0, 771), 0);
}

TEST(ScrollerRules, Layouts) {
    const OuterLayout h = LayoutWithButtons(ScrollKind::Horizontal, 211, 15);
    EXPECT_EQ(h.button_lt, QRect(1, 1, 13, 13));
    EXPECT_EQ(h.button_rd, QRect(197, 1, 13, 13));
    EXPECT_EQ(h.scroller, QRect(15, 0, 181, 15));
    const OuterLayout v = LayoutWithButtons(ScrollKind::Vertical, 17, 100);
    EXPECT_EQ(v.button_lt, QRect(1, 1, 15, 13));
    EXPECT_EQ(v.button_rd, QRect(1, 86, 15, 13));
    EXPECT_EQ(v.scroller, QRect(0, 15, 17, 70));
    const TrackLayout t = LayoutPanelTrack(ScrollKind::Horizontal, 181, 15, 25, 40);
    EXPECT_EQ(t.band, QRect(1, 4, 179, 6));
    EXPECT_EQ(t.thumb, QRect(40, 1, 25, 13));
    const TrackLayout p = LayoutPictureTrack(10, 425, QSize(10, 63), 63, 100);
    EXPECT_EQ(p.band, QRect(4, 0, 4, 425));
    EXPECT_EQ(p.thumb, QRect(1, 100, 10, 63));
    EXPECT_EQ(HintWithSecondLine("Volume", "Win + Up").toStdString(), "Volume\nWin + Up");
    EXPECT_EQ(HintWithSecondLine("", "Win + Up").toStdString(), "");
}

// Renders a glyph as rows of '#' (black) and '.' (transparent).
std::vector<std::string> Rows(const QImage& image) {
    std::vector<std::string> rows;
    for (int y = 0; y < image.height(); ++y) {
        std::string row;
        for (int x = 0; x < image.width(); ++x)
            row += qAlpha(image.pixel(x, y)) ? '#' : '.';
        rows.push_back(row);
    }
    return rows;
}

TEST(ArrowGlyphs, DrawnAsTheRunsGiveThem) {
    EXPECT_EQ(Rows(MakeArrowGlyph(ArrowGlyph::Left)),
              (std::vector<std::string>{"....#..", "...##..", "..###..", ".####..", ".####..",
                                        "..###..", "...##..", "....#..", "......."}));
    EXPECT_EQ(Rows(MakeArrowGlyph(ArrowGlyph::Right)),
              (std::vector<std::string>{"..#....", "..##...", "..###..", "..####.", "..####.",
                                        "..###..", "..##...", "..#....", "......."}));
    EXPECT_EQ(Rows(MakeArrowGlyph(ArrowGlyph::Up)),
              (std::vector<std::string>{"....##.....", "...####....", "..######...", ".########..",
                                        "..........."}));
    EXPECT_EQ(Rows(MakeArrowGlyph(ArrowGlyph::Down)),
              (std::vector<std::string>{".########..", "..######...", "...####....", "....##.....",
                                        "..........."}));
    EXPECT_EQ(qRgb(0, 0, 0), MakeArrowGlyph(ArrowGlyph::Left).pixel(4, 0));
}

}  // namespace
}  // namespace tarvel::controls
