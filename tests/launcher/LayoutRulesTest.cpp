// The pane's pure rules: unique names, tab captions, the drag square, page
// states, tab-strip scrolling and selection movement by keys.

#include <gtest/gtest.h>

#include <vector>

#include "launcher/CZorunViewLayout.h"
#include "launcher/UniqueName.h"
#include "platform/user/WinUser.h"

using namespace ViewLayout;

TEST(UniqueName, TakesFirstFreeNumberIgnoringCaseWhenAsked) {
    const std::vector<std::u16string> taken{u"Mail", u"MAIL1", u"mail3", u"Notes"};
    EXPECT_EQ(MakeUniqueName(u"Calc", taken, NameCompare::IgnoreCase), u"Calc");
    EXPECT_EQ(MakeUniqueName(u"mail", taken, NameCompare::IgnoreCase), u"mail2");
    EXPECT_EQ(MakeUniqueName(u"Mail", taken, NameCompare::ExactCase), u"Mail1");
    EXPECT_EQ(MakeUniqueName(u"mail", taken, NameCompare::ExactCase), u"mail");
    // Accented names fold as users expect.
    const std::vector<std::u16string> accented{u"\u00c9t\u00e9"};
    EXPECT_EQ(MakeUniqueName(u"\u00e9t\u00e9", accented, NameCompare::IgnoreCase),
              u"\u00e9t\u00e91");
}

TEST(UniqueName, NumberedNamesAlreadyPresentAreSkipped) {
    std::vector<std::u16string> taken{u"A"};
    for (int k = 1; k <= 300; ++k) {
        std::u16string n = u"a";
        for (char c : std::to_string(k))
            n += char16_t(c);
        taken.push_back(n);
    }
    EXPECT_EQ(MakeUniqueName(u"a", taken, NameCompare::IgnoreCase), u"a301");
    EXPECT_EQ(MakeUniqueName(u"", {}, NameCompare::IgnoreCase), u"");
}

TEST(TabCaption, ByteScanDecidesWholeOrShortened) {
    EXPECT_EQ(CaptionLabel(MakeCaption(u"Game")), u"Game");
    EXPECT_EQ(CaptionLabel(MakeCaption(u"Office")), u"Office");
    EXPECT_EQ(CaptionLabel(MakeCaption(u"Favorit")), u"Favo...");
    EXPECT_EQ(CaptionLabel(MakeCaption(u"Programs")), u"Prog...");
    EXPECT_EQ(CaptionZeroOffset(MakeCaption(u"")), 0);
    EXPECT_EQ(CaptionZeroOffset(MakeCaption(u"Office")), 11);
    // A unit whose low byte is zero after one whose high byte is zero: the
    // scan meets two zero bytes early, so the caption is drawn whole.
    EXPECT_EQ(CaptionZeroOffset(MakeCaption(u"A\u0100BCDEFGH")), 1);
    EXPECT_EQ(CaptionLabel(MakeCaption(u"A\u0100BCDEFGH")), u"A\u0100BCDEFGH");
    // Japanese characters are twice as wide: three show whole, more are cut
    // to two, beside Latin letters and half-width kana counted once.
    EXPECT_EQ(CaptionLabel(MakeCaption(u"\u30b2\u30fc\u30e0")), u"\u30b2\u30fc\u30e0");
    EXPECT_EQ(CaptionLabel(MakeCaption(u"\u30d7\u30ed\u30b0\u30e9\u30e0")), u"\u30d7\u30ed...");
    EXPECT_EQ(CaptionLabel(MakeCaption(u"PC\u30b2\u30fc\u30e0")), u"PC\u30b2...");
    EXPECT_EQ(CaptionLabel(MakeCaption(u"\uff79\uff9e\uff70\uff91\u30b2")),
              u"\uff79\uff9e\uff70\uff91\u30b2");
}

TEST(TabCaption, LongNamesStayWithinTheBuffer) {
    const auto caption = MakeCaption(u"A very long group name indeed");
    EXPECT_EQ(CaptionZeroOffset(caption), 31);
    EXPECT_EQ(CaptionText(caption), u"A very long grou");
    EXPECT_EQ(CaptionText(MakeCaption(u"Sixteen chars!!!")).size(), 16u);
}

TEST(DragFeedback, SquareIsPushedInsideTheClientArea) {
    const RECT client{0, 0, 240, 183};
    EXPECT_EQ(FeedbackSquare({100, 100}, client), (RECT{90, 90, 110, 110}));
    EXPECT_EQ(FeedbackSquare({10, 5}, client), (RECT{0, 0, 20, 20}));
    EXPECT_EQ(FeedbackSquare({11, 11}, client), (RECT{1, 1, 21, 21}));
    EXPECT_EQ(FeedbackSquare({230, 180}, client), (RECT{220, 163, 240, 183}));
    EXPECT_EQ(FeedbackSquare({-30, 400}, client), (RECT{0, 163, 20, 183}));
    EXPECT_EQ(FeedbackBar({90, 90, 110, 110}), (RECT{85, 113, 115, 119}));
}

TEST(TabStripScroll, NeverLeavesTheGroupsAndComesBack) {
    // Fewer than four groups: the strip cannot move (never a negative first group).
    EXPECT_EQ(ScrollTabsRight({0, 1}, 3), (TabStrip{0, 1}));
    EXPECT_EQ(ScrollTabsLeft({3, 1}), (TabStrip{0, 4}));
    // Round trip keeps the shown group (firstGroup + currentTab - 1).
    TabStrip s{0, 3};
    s = ScrollTabsRight(ScrollTabsRight(s, 11), 11);
    EXPECT_EQ(s.firstGroup + s.currentTab - 1, 2);
    s = ScrollTabsLeft(ScrollTabsLeft(s));
    EXPECT_EQ(s, (TabStrip{0, 3}));
}

TEST(KeyMovement, EdgesTheScenariosDoNotReach) {
    using K = SelectionMove::Kind;
    auto is = [](SelectionMove m, K kind, int sel, int first) {
        return m.kind == kind && m.selectedItem == sel && m.firstItem == first;
    };
    EXPECT_TRUE(is(MoveSelection(VK_DOWN, 2, 0, 12), K::MoveFocus, 3, 0));
    EXPECT_TRUE(is(MoveSelection(VK_UP, -1, 0, 5), K::MoveFocus, 4, 0));
    EXPECT_TRUE(is(MoveSelection(VK_DOWN, -1, 6, 12), K::Repaint, 0, 0));
    EXPECT_TRUE(is(MoveSelection(VK_DOWN, 0, 0, 1), K::None, 0, 0));
    EXPECT_TRUE(is(MoveSelection(VK_UP, 0, 0, 1), K::None, 0, 0));
    EXPECT_TRUE(is(MoveSelection(VK_DOWN, -1, 0, 0), K::None, -1, 0));
    // Right stays in its row and stops at the last shortcut.
    EXPECT_TRUE(is(MoveSelection(VK_RIGHT, 2, 0, 12), K::None, 2, 0));
    EXPECT_TRUE(is(MoveSelection(VK_RIGHT, 3, 0, 4), K::None, 3, 0));
    EXPECT_TRUE(is(MoveSelection(VK_RIGHT, 0, 0, 0), K::None, 0, 0));
    EXPECT_TRUE(is(MoveSelection(VK_RETURN, 1, 0, 4), K::None, 1, 0));
}
