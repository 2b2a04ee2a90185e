// Stylus and keys on the headless launcher pane: selecting, dragging onto
// tabs, the tab-strip arrows, the page messages, keys, the group tip and
// press and hold.

#include <gtest/gtest.h>

#include <algorithm>

#include "launcher/CZorunViewLayout.h"
#include "launcher/CommandIds.h"
#include "tests/support/ProgramFixture.h"

using namespace ViewLayout;

namespace {

constexpr int kTabY = 168;
int TabX(int tab) {
    // Caption rectangles start at x 25, 71, 119 and 166.
    constexpr int kCaptionLeft[] = {0, 25, 71, 119, 166};
    return kCaptionLeft[tab] + 10;
}
// Cell of slot k: (col*78 + 5, row*67 + 10, col*78 + 77, row*67 + 72).
POINT CellCentre(int slot) {
    return {slot % 3 * 78 + 41, slot / 3 * 67 + 41};
}

bool Contains(const std::vector<std::u16string>& texts, std::u16string_view text) {
    return std::find(texts.begin(), texts.end(), text) != texts.end();
}

class ViewInteraction : public ProgramFixture {};

} // namespace

TEST_F(ViewInteraction, DragOntoAnotherTabMovesAndNumbersTheName) {
    MakeGroups(4, {2, 0});
    GetCatalogue().SetShortcutName(0, 0, u"Mail");
    (void)GetCatalogue().AppendShortcut(1, {u"\\x.exe", u"MAIL", u"0"});
    (void)GetCatalogue().AppendShortcut(1, {u"\\y.exe", u"mail1", u"0"});
    StartView();
    const POINT from = CellCentre(0);
    Down(from.x, from.y);
    Move(from.x + 20, from.y + 40);
    Move(TabX(2), kTabY);
    Up(TabX(2), kTabY);
    EXPECT_EQ(View().CurrentTab(), 2);
    EXPECT_EQ(View().CurrentGroup(), 1);
    EXPECT_EQ(View().SelectedItem(), -1);
    EXPECT_EQ(GetCatalogue().Group(0).names, (std::vector<std::u16string>{u"Item 1"}));
    EXPECT_EQ(GetCatalogue().Group(1).names,
              (std::vector<std::u16string>{u"MAIL", u"mail1", u"Mail2"}));
    EXPECT_EQ(GetCatalogue().Group(1).iconRefs.back(), u"0");
    EXPECT_TRUE(Contains(TextsIn(RECT{0, 0, 240, 150}), u"Mail2"));
    // In memory only: no settings file was written.
    EXPECT_FALSE(std::filesystem::exists(DeviceRoot() / "Windows" / "ZorunSetting.qkt"));

    // A later press that does not move is not a drop, wherever it ends.
    const POINT again = CellCentre(0);
    Down(again.x, again.y);
    Up(TabX(1), kTabY);
    EXPECT_EQ(GetCatalogue().Group(1).Count(), 3u);
    EXPECT_EQ(View().CurrentTab(), 1);
}

TEST_F(ViewInteraction, DragEndingOnTheShownTabOrTheGridLeavesNoTrace) {
    MakeGroups(4, {3});
    StartView();
    const POINT from = CellCentre(1);
    Tap(from.x, from.y); // selected, as the press will leave it
    const zorun::Surface pressed = Screen();
    Down(from.x, from.y);
    Move(from.x + 30, from.y + 30);
    Move(TabX(1), kTabY - 5);
    EXPECT_FALSE(
        std::equal(pressed.Pixels().begin(), pressed.Pixels().end(), Screen().Pixels().begin()));
    Up(TabX(1), kTabY);
    EXPECT_TRUE(
        std::equal(pressed.Pixels().begin(), pressed.Pixels().end(), Screen().Pixels().begin()));
    EXPECT_EQ(GetCatalogue().Group(0).Count(), 3u);

    Down(from.x, from.y);
    Move(200, 140);
    Up(200, 140);
    EXPECT_TRUE(
        std::equal(pressed.Pixels().begin(), pressed.Pixels().end(), Screen().Pixels().begin()));
    EXPECT_EQ(View().SelectedItem(), 1);
}

TEST_F(ViewInteraction, ArrowsScrollTheStripByFourOrToTheEnd) {
    MakeGroups(10);
    StartView();
    Tap(5, kTabY); // the left arrow is disabled at the start
    EXPECT_EQ(View().FirstGroup(), 0);
    Down(224, kTabY);
    Pump();
    EXPECT_EQ(View().ArrowPressed(), 2);
    Up(224, kTabY);
    EXPECT_EQ(View().ArrowPressed(), 0);
    EXPECT_EQ(View().FirstGroup(), 4);
    EXPECT_EQ(View().CurrentTab(), -3); // the shown group stays group 0
    EXPECT_EQ(CaptionText(View().TabCaption(1)), u"Group 5");
    Tap(224, kTabY);
    EXPECT_EQ(View().FirstGroup(), 6);
    EXPECT_EQ(View().CurrentTab(), -5);
    EXPECT_EQ(CaptionText(View().TabCaption(4)), u"Group 10");
    Tap(224, kTabY); // the right arrow is disabled at the end
    EXPECT_EQ(View().FirstGroup(), 6);
    // Choosing a tab shows its group; scrolling back keeps it shown.
    Tap(TabX(2), kTabY);
    EXPECT_EQ(View().CurrentGroup(), 7);
    Tap(5, kTabY);
    EXPECT_EQ(View().FirstGroup(), 2);
    EXPECT_EQ(View().CurrentTab(), 6);
    EXPECT_EQ(View().CurrentGroup(), 7);
    // Pressing an arrow and lifting elsewhere in the strip does not scroll.
    Down(5, kTabY);
    Up(TabX(3) + 100, kTabY);
    EXPECT_EQ(View().FirstGroup(), 2);
    EXPECT_EQ(View().ArrowPressed(), 0);
}

TEST_F(ViewInteraction, ArrowPressEndsWithItsReleaseWherever) {
    MakeGroups(10, {2});
    StartView();
    // Pressed on the right arrow, released on the grid, then on another tab.
    for (const POINT release : {POINT{120, 60}, POINT{TabX(3), kTabY}}) {
        Down(224, kTabY);
        Pump();
        ASSERT_EQ(View().ArrowPressed(), 2);
        Up(release.x, release.y);
        EXPECT_EQ(View().ArrowPressed(), 0);
        EXPECT_EQ(View().FirstGroup(), 0);
    }
    // A later drag of a shortcut released over that arrow scrolls nothing.
    const POINT from = CellCentre(0);
    Down(from.x, from.y);
    Move(from.x + 30, from.y + 40);
    Move(224, kTabY);
    Up(224, kTabY);
    EXPECT_EQ(View().FirstGroup(), 0);
}

TEST_F(ViewInteraction, KeysWalkTheListAcrossPages) {
    MakeGroups(4, {12});
    StartView();
    Key(VK_RIGHT);
    EXPECT_EQ(View().SelectedItem(), 0);
    Key(VK_UP); // from the first: the last, on page two
    EXPECT_EQ(View().SelectedItem(), 11);
    EXPECT_EQ(View().FirstItem(), 6);
    Key(VK_DOWN); // from the last: the first, on page one
    EXPECT_EQ(View().SelectedItem(), 0);
    EXPECT_EQ(View().FirstItem(), 0);
    Key(VK_LEFT); // first column: nothing
    EXPECT_EQ(View().SelectedItem(), 0);
    View().SendMessage(ZorunViewMessage::PageDown); // page two, no selection
    Pump();
    EXPECT_EQ(View().SelectedItem(), -1);
    Key(VK_RIGHT);
    EXPECT_EQ(View().SelectedItem(), 6);
    Key(VK_RIGHT);
    Key(VK_RIGHT);
    Key(VK_RIGHT); // end of the row
    EXPECT_EQ(View().SelectedItem(), 8);
    Key(VK_DOWN);
    EXPECT_EQ(View().SelectedItem(), 9);
    Key(VK_UP);
    Key(VK_UP);
    Key(VK_UP);
    Key(VK_UP); // 5, back on page one
    EXPECT_EQ(View().SelectedItem(), 5);
    EXPECT_EQ(View().FirstItem(), 0);
}

TEST_F(ViewInteraction, PageMessagesAndGoToPageStayWithinTheGroup) {
    MakeGroups(4, {8});
    StartView();
    View().SendMessage(ZorunViewMessage::PageUp);
    EXPECT_EQ(View().FirstItem(), 0);
    Key(VK_RIGHT);
    View().SendMessage(ZorunViewMessage::PageDown);
    EXPECT_EQ(View().FirstItem(), 6);
    EXPECT_EQ(View().SelectedItem(), -1);
    View().SendMessage(ZorunViewMessage::GoToPage, 0, 0);
    EXPECT_EQ(View().FirstItem(), 0);
    View().SendMessage(ZorunViewMessage::GoToPage, 0, 5); // no page 5: ignored
    EXPECT_EQ(View().FirstItem(), 0);
    View().SendMessage(ZorunViewMessage::GoToPage, 0, 1);
    EXPECT_EQ(View().FirstItem(), 6);
    Key(VK_RIGHT);
    Key(VK_RIGHT);
    Key(VK_RIGHT);
    EXPECT_EQ(View().SelectedItem(), 7);
}

TEST_F(ViewInteraction, GroupTipShowsTheCaptionUntilReleaseOrTwoSeconds) {
    MakeGroups(4, {}, {u"Game", u"Office", u"A very long group name", u"Programs"});
    StartView();
    Down(TabX(3), kTabY);
    Pump();
    EXPECT_TRUE(View().IsTipShown());
    EXPECT_TRUE(IsWindowVisible(View().GroupTip().GetSafeHwnd()));
    EXPECT_EQ(View().GroupTip().Text(), u"A very long grou");
    EXPECT_TRUE(Contains(ScreenTexts(), u"A very long grou"));
    Up(TabX(3), kTabY);
    EXPECT_FALSE(View().IsTipShown());
    EXPECT_FALSE(IsWindowVisible(View().GroupTip().GetSafeHwnd()));
    EXPECT_EQ(View().CurrentTab(), 3);

    Down(TabX(2), kTabY);
    Wait(1999);
    EXPECT_TRUE(IsWindowVisible(View().GroupTip().GetSafeHwnd()));
    Wait(1);
    EXPECT_FALSE(IsWindowVisible(View().GroupTip().GetSafeHwnd()));
    Up(TabX(2), kTabY);
    EXPECT_EQ(View().CurrentTab(), 2);
}

TEST_F(ViewInteraction, AHoldOf600MsOpensTheMenuAndOf599MsNothing) {
    MakeGroups(4, {2});
    StartView();
    int menus = 0;
    WhenWaiting([&] {
        ++menus;
        QueueKey(VK_ESCAPE);
    });
    const POINT cell = CellCentre(0);
    Hold(cell.x, cell.y, 599);
    EXPECT_EQ(menus, 0);
    Hold(cell.x, cell.y, 600);
    EXPECT_EQ(menus, 1);
}

TEST_F(ViewInteraction, PressAndHoldOpensTheMenuOfWhatIsUnderTheStylus) {
    MakeGroups(4, {2});
    StartView();
    std::vector<std::u16string> onShortcut, onArea;
    WhenWaiting([&] {
        onShortcut = ScreenTexts();
        QueueKey(VK_ESCAPE);
    });
    const POINT cell = CellCentre(1);
    Hold(cell.x, cell.y, 700);
    EXPECT_TRUE(Contains(onShortcut, u"Delete Shortcut"));
    EXPECT_TRUE(Contains(onShortcut, u"Copy to..."));
    EXPECT_TRUE(Contains(onShortcut, u"Monitor"));
    EXPECT_EQ(View().SelectedItem(), 1); // the press selected it; the menu keeps it

    WhenWaiting([&] {
        onArea = ScreenTexts();
        QueueKey(VK_ESCAPE);
    });
    const POINT empty = CellCentre(4);
    Hold(empty.x, empty.y, 700);
    EXPECT_TRUE(Contains(onArea, u"Add Shortcut"));
    EXPECT_FALSE(Contains(onArea, u"Delete Shortcut"));
    EXPECT_FALSE(Contains(ScreenTexts(), u"Add Shortcut"));
}

TEST_F(ViewInteraction, ReleaseIsHandedToThePageBarWhileItIsHeld) {
    MakeGroups(4, {1});
    StartView();
    Frame().pageBarHeld = true;
    Tap(100, 120);
    ASSERT_EQ(Frame().pageBarReleases.size(), 1u);
    EXPECT_EQ(Frame().pageBarReleases[0], (POINT{100, 120}));
    Tap(100, 120);
    EXPECT_EQ(Frame().pageBarReleases.size(), 1u);
}
