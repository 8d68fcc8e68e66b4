#include "shell/input_rules.h"

#include <gtest/gtest.h>

namespace tarvel::shell {
namespace {

TEST(WheelRouting, TheLastListHitWinsEdgesIncludedHiddenListsNever) {
    const std::array<Rect, 5> lists = {Rect{17, 64, 150, 385}, Rect{0, 0, -1, -1},
                                       Rect{179, 66, 150, 177}, Rect{179, 260, 150, 209},
                                       Rect{100, 100, 100, 100}};
    EXPECT_EQ(WheelList(lists, 17, 64), 1);
    EXPECT_EQ(WheelList(lists, 167, 449), 1);
    EXPECT_EQ(WheelList(lists, 168, 449), 0);
    EXPECT_EQ(WheelList(lists, 150, 150), 5) << "overlapping lists: the last one";
    EXPECT_EQ(WheelList(lists, 0, 0), 0);
    EXPECT_EQ(WheelList(lists, 250, 243), 3);
    EXPECT_EQ(WheelList(lists, 250, 260), 4);
}

TEST(WheelRouting, SevenRowsAStepHeldAtTheEnds) {
    struct Case {
        int top, maximum;
        bool down;
        int expected;
    };
    for (const Case c : {Case{3, 40, false, 0}, Case{7, 40, false, 0}, Case{10, 40, false, 3},
                         Case{0, 40, true, 7}, Case{33, 40, true, 40}, Case{32, 40, true, 39},
                         Case{0, -5, true, 0}}) {
        EXPECT_EQ(WheelTopRow(c.top, c.maximum, c.down), c.expected)
            << c.top << " of " << c.maximum << (c.down ? " down" : " up");
    }
    EXPECT_EQ(WheelVolume(400, true), 350);
    EXPECT_EQ(WheelVolume(760, false), 771);
    EXPECT_EQ(WheelVolume(20, true), 0);
}

TEST(TypingIntoTheBox, CharactersAppendBackspaceRemovesEnterAndControlsDoNot) {
    EXPECT_EQ(TypedIntoBox("ab", QChar('c')), QString("abc"));
    EXPECT_EQ(TypedIntoBox("ab", QChar(u'я')), QString::fromUtf8("abя"));
    EXPECT_EQ(TypedIntoBox("ab", QChar('\b')), QString("a"));
    EXPECT_EQ(TypedIntoBox("", QChar('\b')), QString(""));
    EXPECT_EQ(TypedIntoBox("ab", QChar('\r')), std::nullopt);
    EXPECT_EQ(TypedIntoBox("ab", QChar(27)), std::nullopt);
}

}  // namespace
}  // namespace tarvel::shell
