#include "shell/layout_rules.h"

#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <string>

namespace tarvel::shell {
namespace {

// The layout after a start with no saved size, both artist lists shown.
Layout StartedLayout(bool list2_shown = true) {
    Layout layout = DesignLayout();
    ApplySavedSize(layout, 0, 0, list2_shown);
    return layout;
}

// Gives the columns' header strips the measures the remainder rule compares.
void SetColumnMeasures(Layout& layout, std::array<int, 4> measure) {
    layout.at("ImgPolosaLeftArt").width = measure[0];
    layout.at("ImgPolosaAlb").width = measure[1] + 14;
    layout.at("ImgPolosaPlist").width = measure[2] + 4;
    layout.at("ImgingCenter").width = measure[3];
}

// How much each column's list grew from `before` to `after`.
std::array<int, 4> ColumnGrowth(const Layout& before, const Layout& after) {
    std::array<int, 4> growth{};
    const char* lists[] = {"ListBox1", "ListBox3", "ListBox5", "ListBox2"};
    for (int i = 0; i < 4; ++i) {
        growth[i] = after.at(lists[i]).width - before.at(lists[i]).width;
    }
    return growth;
}

int Gap(const Layout& layout, const char* left_control, const char* right_control) {
    return layout.at(right_control).left - layout.at(left_control).Right();
}

void ExpectNoNegativeSize(const Layout& layout) {
    for (const auto& [name, rect] : layout) {
        EXPECT_GE(rect.width, 0) << name;
        EXPECT_GE(rect.height, 0) << name;
    }
}

TEST(FitWindow, DesignSizeAndOutline) {
    for (const Layout& layout : {DesignLayout(), StartedLayout()}) {
        const WindowFit fit = FitWindow(layout);
        EXPECT_EQ(fit.width, 692);
        EXPECT_EQ(fit.height, 513);
        EXPECT_EQ(fit.region, (Rect{7, 7, 675, 496}));
        EXPECT_EQ(fit.region.Right(), 682);
        EXPECT_EQ(fit.region.Bottom(), 503);
        EXPECT_EQ(fit.corner, 5);
    }
}

TEST(ApplyDeltaWidthLists, RemainderGoesFromTheStartColumnTheHeadersChoose) {
    struct Case {
        std::array<int, 4> measure;
        bool list2_shown;
        int d;
        std::array<int, 4> growth;
    };
    const Case cases[] = {
        // Equal headers: start at column 1; shrinking starts at the column before it (4).
        {{29, 29, 29, 29}, true, +5, {2, 1, 1, 1}},
        {{29, 29, 29, 29}, true, -5, {-1, -1, -1, -2}},
        // Column 2 narrower than column 1.
        {{29, 28, 29, 29}, true, +5, {1, 2, 1, 1}},
        {{29, 28, 29, 29}, true, -5, {-2, -1, -1, -1}},
        // Column 3 narrower than column 2 overrides column 2.
        {{29, 28, 27, 27}, true, +5, {1, 1, 2, 1}},
        {{29, 28, 27, 27}, true, -5, {-1, -2, -1, -1}},
        // Column 3 wider than column 4: start at 4 and wrap around to 1 and 2.
        {{29, 29, 29, 28}, true, +7, {2, 2, 1, 2}},
        {{29, 29, 29, 28}, true, -7, {-2, -2, -2, -1}},
        // Three columns: column 4 gets nothing; shrinking wraps from column 1 back to 3.
        {{29, 29, 29, 28}, false, +5, {2, 2, 1, 0}},
        {{29, 29, 29, 29}, false, -5, {-1, -2, -2, 0}},
        {{29, 29, 29, 29}, true, -3, {0, -1, -1, -1}},
    };
    for (const Case& c : cases) {
        Layout layout = StartedLayout();
        SetColumnMeasures(layout, c.measure);
        const Layout before = layout;
        ApplyDeltaWidthLists(layout, c.d, c.list2_shown);
        EXPECT_EQ(ColumnGrowth(before, layout), c.growth)
            << "d " << c.d << " measures " << c.measure[0] << ' ' << c.measure[1] << ' '
            << c.measure[2] << ' ' << c.measure[3] << (c.list2_shown ? " four" : " three");
    }
}

// Any width change: the columns share it out fairly, nothing between them opens or closes, the
// window and the bars grow by exactly d, and the opposite change restores every control.
TEST(ApplyDeltaWidth, SharesAddUpAndEverythingRightOfAColumnMovesWithIt) {
    for (bool list2_shown : {true, false}) {
        const int n = list2_shown ? 4 : 3;
        for (int d : {1, 2, 3, 5, 6, 11, 40, 101, -1, -2, -3, -7, -13, -40, -101}) {
            SCOPED_TRACE("d " + std::to_string(d) + (list2_shown ? " four" : " three"));
            const Layout before = StartedLayout(list2_shown);
            Layout layout = before;
            ApplyDeltaWidthLists(layout, d, list2_shown);
            ApplyDeltaWidthBars(layout, d);

            const std::array<int, 4> growth = ColumnGrowth(before, layout);
            EXPECT_EQ(growth[0] + growth[1] + growth[2] + growth[3], d);
            for (int i = 0; i < n; ++i) {
                EXPECT_LE(std::abs(growth[i] - d / n), 1) << "column " << i + 1;
                EXPECT_GE(growth[i] * d, 0) << "column " << i + 1;
            }
            if (!list2_shown) {
                EXPECT_EQ(growth[3], 0);
            }
            EXPECT_EQ(layout.at("ImgPolosaLeftArt").width - before.at("ImgPolosaLeftArt").width,
                      growth[0]);
            EXPECT_EQ(layout.at("ImgPolosaSong").width - before.at("ImgPolosaSong").width,
                      growth[1]);
            EXPECT_EQ(layout.at("ImgCenterPlist").width - before.at("ImgCenterPlist").width,
                      growth[2]);
            for (auto [left, right] : {std::pair{"ListBox1", "ListBox3"},
                                       {"ListBox4", "KVRScrollerVr4"},
                                       {"ListBox5", "KVRScrollerVr2"},
                                       {"ListBox2", "ImgEngSortBy"},
                                       {"ImgPolosaPlist", "ImgPlistSortBy"}}) {
                EXPECT_EQ(Gap(layout, left, right), Gap(before, left, right)) << left;
            }
            const Rect& tab = layout.at("Img2CD");
            EXPECT_EQ(tab.left,
                      layout.at("ListBox5").left + (layout.at("ListBox5").width - 109) / 2);

            const int time_growth = layout.at("TimeSKRL").width - before.at("TimeSKRL").width;
            const int volume_growth = layout.at("VolumeSKRL").width - before.at("VolumeSKRL").width;
            EXPECT_EQ(time_growth + volume_growth, d);
            EXPECT_LE(std::abs(time_growth - volume_growth), 1);
            EXPECT_EQ(FitWindow(layout).width, FitWindow(before).width + d);
            EXPECT_EQ(layout.at("CmdSearch").width, before.at("CmdSearch").width + d);
            EXPECT_EQ(Gap(layout, "VolumeSKRL", "ImgClose"), Gap(before, "VolumeSKRL", "ImgClose"));
            EXPECT_EQ(Gap(layout, "TimeSKRL", "StaticText1"),
                      Gap(before, "TimeSKRL", "StaticText1"));
            EXPECT_EQ(layout.at("StaticText2").left, layout.at("StaticText1").Right() + 2);
            EXPECT_EQ(layout.at("StaticText3"), layout.at("StaticText2"));

            ApplyDeltaWidthLists(layout, -d, list2_shown);
            ApplyDeltaWidthBars(layout, -d);
            EXPECT_EQ(layout, before);
        }
    }
}

TEST(ApplyDeltaWidthBars, StartPlacesTheTimeTextsBesideEachOther) {
    const Layout layout = StartedLayout();
    EXPECT_EQ(layout.at("StaticText2"), (Rect{343, 30, 111, 13}));
    EXPECT_EQ(layout.at("StaticText3"), (Rect{343, 30, 111, 13}));
    EXPECT_EQ(layout.at("Img2Pl1").left, 375);
}

void ApplyBars(Layout& layout, int d) {
    ApplyDeltaWidthBars(layout, d);
}

// Two parts share a change by halves; an odd pixel grows the smaller part or shrinks the larger
// (the song list measured without two items), the first part on a tie.
TEST(OddPixel, GrowsTheSmallerPartAndShrinksTheLarger) {
    struct Case {
        void (*apply)(Layout&, int);
        const char* first;
        const char* second;
        const char* follower;  // moves by the first part's share
        int first_size;
        int second_size;
        int d;
        int first_growth;
    };
    const auto bars = [](int time, int volume, int d, int time_growth) {
        return Case{ApplyBars, "TimeSKRL", "VolumeSKRL", "VolumeSKRL", time,
                    volume,    d,          time_growth};
    };
    const auto lists = [](int albums, int songs, int d, int album_growth) {
        return Case{ApplyDeltaHeight, "ListBox3", "ListBox4", "ListBox4",
                    albums,           songs,      d,          album_growth};
    };
    const Case cases[] = {
        bars(211, 211, +1, 1),   bars(211, 211, -1, -1),  bars(210, 211, +1, 1),
        bars(210, 211, -1, 0),   bars(212, 211, +1, 0),   bars(212, 211, -1, -1),
        bars(211, 211, +5, 3),   bars(211, 211, -5, -3),  lists(177, 209, +1, 1),
        lists(178, 209, +1, 0),  lists(177, 209, -1, -1), lists(176, 209, -1, 0),
        lists(178, 209, -1, -1), lists(177, 209, +7, 4),
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.first) + " " + std::to_string(c.first_size) + " " +
                     std::to_string(c.second_size) + " " + std::to_string(c.d));
        const bool horizontal = c.apply == ApplyBars;
        Layout layout = StartedLayout();
        (horizontal ? layout.at(c.first).width : layout.at(c.first).height) = c.first_size;
        (horizontal ? layout.at(c.second).width : layout.at(c.second).height) = c.second_size;
        const Layout before = layout;
        c.apply(layout, c.d);
        const Rect& first = layout.at(c.first);
        const Rect& second = layout.at(c.second);
        EXPECT_EQ(horizontal ? first.width : first.height, c.first_size + c.first_growth);
        EXPECT_EQ(horizontal ? second.width : second.height, c.second_size + c.d - c.first_growth);
        const Rect& follower = layout.at(c.follower);
        const Rect& follower_before = before.at(c.follower);
        EXPECT_EQ(
            horizontal ? follower.left - follower_before.left : follower.top - follower_before.top,
            c.first_growth);
    }
}

TEST(ApplyDeltaHeight, ListsGrowAndTheBottomRowMovesAlong) {
    for (int d : {1, 4, 57, -1, -6, -100}) {
        SCOPED_TRACE(d);
        const Layout before = StartedLayout();
        Layout layout = before;
        ApplyDeltaHeight(layout, d);
        const int album_growth = layout.at("ListBox3").height - before.at("ListBox3").height;
        EXPECT_EQ(layout.at("ListBox4").height - before.at("ListBox4").height, d - album_growth);
        EXPECT_EQ(layout.at("KVRScrollerVr3").height - before.at("KVRScrollerVr3").height,
                  album_growth);
        EXPECT_EQ(layout.at("ListBox4").Bottom() - before.at("ListBox4").Bottom(), d);
        for (const char* name : {"ImgSongSongs", "ImgPolosaSong", "ImgSongSortBy"}) {
            EXPECT_EQ(layout.at(name).top - before.at(name).top, album_growth) << name;
        }
        for (const char* name : {"ListBox1", "ListBox2", "ListBox5", "imgRigthLine"}) {
            EXPECT_EQ(layout.at(name).height - before.at(name).height, d) << name;
        }
        for (const char* name : {"ImgPlayPause", "ImgUndo", "ImgPref", "CmdSearch", "ImgNizLevo"}) {
            EXPECT_EQ(layout.at(name).top - before.at(name).top, d) << name;
        }
        EXPECT_EQ(layout.at("ImgClose"), before.at("ImgClose"));
        EXPECT_EQ(FitWindow(layout).height, FitWindow(before).height + d);
        EXPECT_EQ(FitWindow(layout).region.Bottom(), FitWindow(before).region.Bottom() + d);

        ApplyDeltaHeight(layout, -d);
        EXPECT_EQ(layout, before);
    }
}

TEST(DragOverRightEdge, ShrinkStopsWhenTheArtistStripIsUsedUpAndGrowsBackAtOnce) {
    Layout layout = StartedLayout();
    EdgeDrag drag;
    EXPECT_FALSE(DragOverRightEdge(layout, drag, 900, true).applied);
    EXPECT_EQ(drag.anchor_x, 900);

    int x = 900;
    while (DragOverRightEdge(layout, drag, --x, true).applied) {
        ASSERT_GT(x, 0);
    }
    EXPECT_EQ(layout.at("ImgPolosaLeftArt").width, 0);
    EXPECT_EQ(layout.at("ListBox1").width, 121);
    EXPECT_EQ(FitWindow(layout).width, 692 - 4 * 29);
    EXPECT_EQ(drag.anchor_x, x);
    const Layout at_limit = layout;
    EXPECT_FALSE(DragOverRightEdge(layout, drag, x - 30, true).applied);
    EXPECT_EQ(layout, at_limit);

    const DragStep back = DragOverRightEdge(layout, drag, x - 29, true);
    EXPECT_TRUE(back.applied);
    EXPECT_EQ(back.dw, 1);
    EXPECT_EQ(FitWindow(layout).width, 692 - 4 * 29 + 1);
}

TEST(DragOverRightEdge, FastShrinkStopsAtTheSameLimit) {
    for (bool list2_shown : {true, false}) {
        Layout layout = StartedLayout(list2_shown);
        EdgeDrag drag{.anchor_x = 900};
        const DragStep step = DragOverRightEdge(layout, drag, 100, list2_shown);
        const int n = list2_shown ? 4 : 3;
        EXPECT_EQ(step.dw, -29 * n);
        EXPECT_EQ(layout.at("ImgPolosaLeftArt").width, 0);
        EXPECT_EQ(FitWindow(layout).width, 692 - 29 * n);
        ExpectNoNegativeSize(layout);
        EXPECT_FALSE(DragOverRightEdge(layout, drag, 50, list2_shown).applied);
    }
}

TEST(DragOverBottomEdge, ShrinkStopsAtTwoAlbumsAndGrowsBackAtOnce) {
    Layout layout = StartedLayout();
    EdgeDrag drag;
    EXPECT_FALSE(DragOverBottomEdge(layout, drag, 700).applied);
    int y = 700;
    while (DragOverBottomEdge(layout, drag, --y).applied) {
        ASSERT_GT(y, 0);
    }
    EXPECT_EQ(layout.at("ListBox3").height, 2 * 16 + 1);
    // The lists took turns; the song list gave its last pixel before the album list.
    EXPECT_EQ(layout.at("ListBox4").height, 2 * 16 + 2 + 32);
    const int limit_height = FitWindow(layout).height;
    EXPECT_EQ(limit_height, 513 - (177 - 33) - (177 - 34));
    EXPECT_FALSE(DragOverBottomEdge(layout, drag, y - 10).applied);

    const DragStep back = DragOverBottomEdge(layout, drag, y - 8);
    EXPECT_EQ(back.dh, 2);
    EXPECT_EQ(FitWindow(layout).height, limit_height + 2);

    // One fast move past the limit stops at it as well.
    Layout fast = StartedLayout();
    EdgeDrag fast_drag{.anchor_y = 700};
    EXPECT_EQ(DragOverBottomEdge(fast, fast_drag, 10).dh, -(177 - 33) * 2);
    EXPECT_EQ(fast.at("ListBox3").height, 33);
    ExpectNoNegativeSize(fast);
}

TEST(DragOverCorner, EachAxisStopsAtItsOwnLimit) {
    struct Case {
        const char* name;
        bool width_at_limit;
        bool height_at_limit;
        int dx;
        int dy;
        DragStep expected;
    };
    const Case cases[] = {
        {"both shrinking at their limits", true, true, -3, -4, {0, 0, false}},
        {"height at its limit", false, true, -3, -4, {-3, 0, true}},
        {"width at its limit", true, false, -3, -4, {0, -4, true}},
        {"neither at a limit", false, false, -3, +4, {-3, 4, true}},
        {"growing away from both limits", true, true, +2, +1, {2, 1, true}},
        {"no movement", false, false, 0, 0, {0, 0, false}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Layout layout = StartedLayout();
        EdgeDrag drag;
        const int anchor_x = 600;
        const int anchor_y = 400;
        EXPECT_FALSE(DragOverCorner(layout, drag, anchor_x, anchor_y, true).applied);
        if (c.width_at_limit) {
            layout.at("ImgPolosaLeftArt").width = 0;
        }
        if (c.height_at_limit) {
            layout.at("ListBox3").height = 33;
        }
        const WindowFit before = FitWindow(layout);
        const DragStep step = DragOverCorner(layout, drag, anchor_x + c.dx, anchor_y + c.dy, true);
        EXPECT_EQ(step.dw, c.expected.dw);
        EXPECT_EQ(step.dh, c.expected.dh);
        EXPECT_EQ(step.applied, c.expected.applied);
        EXPECT_EQ(FitWindow(layout).width, before.width + c.expected.dw);
        EXPECT_EQ(FitWindow(layout).height, before.height + c.expected.dh);
        EXPECT_EQ(drag.anchor_x, anchor_x + c.dx);
        EXPECT_EQ(drag.anchor_y, anchor_y + c.dy);
    }
}

TEST(ClearAnchors, EachEdgeClearsItsOwnAxis) {
    struct Case {
        Edge edge;
        EdgeDrag left;
    };
    const Case cases[] = {
        {Edge::Right, {.anchor_x = 0, .anchor_y = 20}},
        {Edge::Bottom, {.anchor_x = 10, .anchor_y = 0}},
        {Edge::Corner, {.anchor_x = 0, .anchor_y = 0}},
    };
    for (const Case& c : cases) {
        EdgeDrag drag{.anchor_x = 10, .anchor_y = 20};
        ClearAnchors(drag, c.edge);
        EXPECT_EQ(drag.anchor_x, c.left.anchor_x);
        EXPECT_EQ(drag.anchor_y, c.left.anchor_y);
    }

    // A cleared anchor starts the next drag where the cursor is, so nothing jumps.
    Layout layout = StartedLayout();
    EdgeDrag drag{.anchor_x = 300};
    ClearAnchors(drag, Edge::Right);
    EXPECT_FALSE(DragOverRightEdge(layout, drag, 700, true).applied);
    EXPECT_EQ(FitWindow(layout).width, 692);
}

TEST(ScrollerMaximum, VisibleItemsRoundHalfToEven) {
    struct Case {
        int items;
        int height;
        int maximum;
    };
    const Case cases[] = {
        {100, 384, 77},  // 24 items shown
        {100, 392, 77},  // 24.5 rounds to 24
        {100, 408, 75},  // 25.5 rounds to 26
        {100, 399, 76},  // 24.9 rounds to 25
        {100, 33, 99},   // 2.06 rounds to 2
        {0, 384, -23},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ScrollerMaximum(c.items, c.height), c.maximum) << c.items << ' ' << c.height;
    }
    EXPECT_EQ(ScrollerMaximum(10, 40, 20), 9);
}

TEST(SavedSize, AppliedDeltasReadBackUnchanged) {
    for (bool list2_shown : {true, false}) {
        for (Deltas deltas :
             {Deltas{0, 0}, Deltas{5, -5}, Deltas{-5, 1}, Deltas{333, 250}, Deltas{-87, -288}}) {
            Layout layout = DesignLayout();
            ApplySavedSize(layout, deltas.width, deltas.height, list2_shown);
            EXPECT_EQ(SavedDeltas(layout), deltas) << deltas.width << ' ' << deltas.height;
            EXPECT_EQ(FitWindow(layout).width, 692 + deltas.width);
            EXPECT_EQ(FitWindow(layout).height, 513 + deltas.height);
        }
    }
}

TEST(SavedSize, SizesNoDragReachesAreHeldAtTheLimits) {
    struct Case {
        Deltas saved;
        Deltas applied;
    };
    const Case cases[] = {
        {{-100000, -100000}, {-4 * 29, -(177 - 33) * 2}},
        {{INT_MIN, INT_MIN}, {-4 * 29, -(177 - 33) * 2}},
        {{INT_MAX, INT_MAX}, {kMaxWindowSide - 692, kMaxWindowSide - 513}},
    };
    for (const Case& c : cases) {
        Layout layout = DesignLayout();
        ApplySavedSize(layout, c.saved.width, c.saved.height, true);
        EXPECT_EQ(SavedDeltas(layout), c.applied) << c.saved.width << ' ' << c.saved.height;
        ExpectNoNegativeSize(layout);
    }
    EXPECT_EQ(StartupDeltaWidth(DesignLayout(), INT_MAX, false), INT_MAX);
}

// With one artist list the start-up hides the second list and narrows the window by it and its
// scroll bar before the saved size is applied; a restart brings back the size the user left.
TEST(SavedSize, RestartWithOneArtistListKeepsTheSize) {
    const auto hide_second_list = [](Layout& layout) {
        ApplyDeltaWidthBars(layout,
                            -(layout.at("ListBox2").width + layout.at("KVRScrollerVr2").width));
    };
    const auto start = [&](Deltas saved) {
        Layout layout = DesignLayout();
        hide_second_list(layout);
        ApplySavedSize(layout, StartupDeltaWidth(layout, saved.width, false), saved.height, false);
        return layout;
    };

    // First run: both lists, then the user switches to one list and drags the corner.
    Layout used = StartedLayout();
    hide_second_list(used);
    EdgeDrag drag;
    DragOverCorner(used, drag, 500, 500, false);
    ASSERT_TRUE(DragOverCorner(used, drag, 493, 511, false).applied);
    const Deltas saved = SavedDeltas(used);

    const Layout second = start(saved);
    EXPECT_EQ(second, used);
    EXPECT_EQ(SavedDeltas(second), saved);
    EXPECT_EQ(start(SavedDeltas(second)), used);
}

}  // namespace
}  // namespace tarvel::shell
