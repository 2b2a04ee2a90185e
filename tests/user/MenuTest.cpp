// Menus: the handle table and templates, and TrackPopupMenu driven by taps,
// drags and keys.

#include "WindowTestSupport.h"

#include "platform/user/Input.h"
#include "platform/user/Menu.h"

namespace {

void Tap(int x, int y) {
    zorun::PushInput({zorun::InputEvent::Kind::StylusDown, {x, y}, 0, 0});
    zorun::PushInput({zorun::InputEvent::Kind::StylusUp, {x, y}, 0, 0});
}
void Key(int vk) {
    zorun::PushInput({zorun::InputEvent::Kind::KeyDown, {}, vk, 0});
}

class Menus : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        owner = MakeWindow({0, 26, 240, 294});
        menu = CreatePopupMenu();
        AppendMenuW(menu, MF_STRING, 1, u"First");
        AppendMenuW(menu, MF_STRING | MF_GRAYED, 2, u"Greyed");
        AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        AppendMenuW(menu, MF_STRING, 4, u"Fourth");
    }
    void TearDown() override {
        DestroyMenu(menu);
        WindowTest::TearDown();
    }
    // Item rows of a menu opened at y 100: 20 pixels each inside a 1-pixel
    // frame; the separator is 7 pixels.
    static constexpr int kFirst = 111, kGreyed = 131, kFourth = 151 + 7 - 3;
    HWND owner = nullptr;
    HMENU menu = nullptr;
};

TEST_F(Menus, ATapChoosesAndTheCommandIsPostedAfterTheLoop) {
    Tap(60, kFourth);
    EXPECT_TRUE(TrackPopupMenu(menu, 0, 50, 100, 0, owner, nullptr));
    // Asked first, told after: WM_INITMENUPOPUP during the call, WM_COMMAND queued.
    ASSERT_EQ(Only({WM_INITMENUPOPUP, WM_COMMAND}).size(), 1u);
    EXPECT_EQ(Only({WM_INITMENUPOPUP})[0].wParam, reinterpret_cast<WPARAM>(menu));
    Pump();
    const auto commands = Only({WM_COMMAND});
    ASSERT_EQ(commands.size(), 1u);
    EXPECT_EQ(commands[0].wParam, 4u);
}

TEST_F(Menus, DismissingOrTappingGreyedItemsChoosesNothing) {
    Tap(60, kGreyed);     // greyed: stays open
    Tap(60, kFourth - 9); // the separator: stays open
    Tap(10, 250);         // outside: dismissed
    EXPECT_EQ(TrackPopupMenu(menu, TPM_RETURNCMD, 50, 100, 0, owner, nullptr), 0);
    Key(VK_ESCAPE);
    EXPECT_FALSE(TrackPopupMenu(menu, 0, 50, 100, 0, owner, nullptr));
    Pump();
    EXPECT_TRUE(Only({WM_COMMAND}).empty());
}

TEST_F(Menus, KeysSkipSeparatorsAndGreyedItemsCannotBeChosen) {
    Key(VK_DOWN); // First
    Key(VK_DOWN); // Greyed (highlighted, not choosable)
    Key(VK_DOWN); // Fourth, past the separator
    Key(VK_RETURN);
    EXPECT_EQ(TrackPopupMenu(menu, TPM_RETURNCMD, 50, 100, 0, owner, nullptr), 4);
    Key(VK_DOWN);
    Key(VK_DOWN);
    Key(VK_RETURN); // on "Greyed": nothing
    Key(VK_ESCAPE);
    EXPECT_EQ(TrackPopupMenu(menu, TPM_RETURNCMD, 50, 100, 0, owner, nullptr), 0);
}

TEST_F(Menus, TheOwnerGreysItemsBeforeTheMenuShows) {
    on[{owner, WM_INITMENUPOPUP}] = [&](WPARAM w, LPARAM) {
        EnableMenuItem(reinterpret_cast<HMENU>(w), 1, MF_BYCOMMAND | MF_GRAYED);
        EnableMenuItem(reinterpret_cast<HMENU>(w), 2, MF_BYCOMMAND | MF_ENABLED);
        return LRESULT{0};
    };
    Tap(60, kFirst);
    Tap(60, kGreyed);
    EXPECT_EQ(TrackPopupMenu(menu, TPM_RETURNCMD, 50, 100, 0, owner, nullptr), 2);
}

TEST_F(Menus, DraggingFromTheOpeningPressChoosesOnRelease) {
    // A menu opened under a held stylus: lifting it where it went down
    // chooses nothing; dragging onto an item and lifting chooses it.
    zorun::PushInput({zorun::InputEvent::Kind::StylusDown, {60, kFirst}, 0, 0});
    zorun::PushInput({zorun::InputEvent::Kind::StylusUp, {60, kFirst}, 0, 0});
    Key(VK_ESCAPE);
    zorun::PushInput({zorun::InputEvent::Kind::StylusDown, {55, 105}, 0, 0});
    zorun::PushInput({zorun::InputEvent::Kind::StylusMove, {60, kFourth}, 0, 0});
    zorun::PushInput({zorun::InputEvent::Kind::StylusUp, {60, kFourth}, 0, 0});
    std::vector<LRESULT> results;
    on[{owner, WM_LBUTTONDOWN}] = [&](WPARAM, LPARAM) {
        results.push_back(TrackPopupMenu(menu, TPM_RETURNCMD, 50, 100, 0, owner, nullptr));
        return LRESULT{0};
    };
    Pump();
    EXPECT_EQ(results, (std::vector<LRESULT>{0, 4}));
}

TEST_F(Menus, SubmenusOpenToTheSideAndMenusStayOnScreen) {
    HMENU sub = CreatePopupMenu();
    AppendMenuW(sub, MF_STRING, 31, u"Deep");
    AppendMenuW(menu, MF_POPUP, reinterpret_cast<std::uintptr_t>(sub), u"More");
    // "More" is the fifth row (y 168..187 with the menu at y 100).
    Tap(60, 178);
    // Its pop-up opens at the right of the menu, level with the item.
    PostMessageW(owner, WM_USER, 0, 0);
    RECT subRect{};
    on[{owner, WM_USER}] = [&](WPARAM, LPARAM) {
        GetWindowRect(WindowFromPoint({170, 178}), &subRect);
        return LRESULT{0};
    };
    Tap(170, 178);
    EXPECT_EQ(TrackPopupMenu(menu, TPM_RETURNCMD, 50, 100, 0, owner, nullptr), 31);
    EXPECT_EQ(Only({WM_INITMENUPOPUP}).size(), 2u);
    EXPECT_EQ(subRect.top, 167);
    EXPECT_GT(subRect.left, 100);

    // Opened near the bottom-right corner, the menu is moved onto the screen.
    RECT rect{};
    on[{owner, WM_USER + 1}] = [&](WPARAM, LPARAM) {
        GetWindowRect(WindowFromPoint({235, 315}), &rect);
        return LRESULT{0};
    };
    PostMessageW(owner, WM_USER + 1, 0, 0);
    Key(VK_ESCAPE);
    EXPECT_EQ(TrackPopupMenu(menu, TPM_RETURNCMD, 230, 310, 0, owner, nullptr), 0);
    EXPECT_LE(rect.right, 240);
    EXPECT_LE(rect.bottom, 320);
    EXPECT_GT(rect.Width(), 0);
}

TEST_F(Menus, ATapOpensASubmenuThatStaysOpenAndATapInItChooses) {
    // A menu too wide for its sub-menu to fit on either side: the sub-menu
    // opens at the screen's right edge, over the item that opened it and
    // under the stylus; the start of the menu's items stays in sight.
    HMENU wide = CreatePopupMenu();
    HMENU sub = CreatePopupMenu();
    AppendMenuW(sub, MF_STRING, 31, u"Deep");
    AppendMenuW(sub, MF_STRING, 32, u"Deeper");
    AppendMenuW(wide, MF_POPUP, reinterpret_cast<std::uintptr_t>(sub), u"More");
    AppendMenuW(wide, MF_STRING, 5, u"An item long enough to make the menu wide");
    // Rows of a menu opened at y 100: "More" 101..120; its sub-menu opens
    // level with it, "Deep" at the same rows and "Deeper" below.
    constexpr int kMore = 111, kDeeper = 131;
    RECT subRect{};
    on[{owner, WM_USER}] = [&](WPARAM, LPARAM) {
        GetWindowRect(WindowFromPoint({220, kMore}), &subRect);
        return LRESULT{0};
    };
    Tap(220, kMore);
    PostMessageW(owner, WM_USER, 0, 0);
    Tap(220, kDeeper);
    EXPECT_EQ(TrackPopupMenu(wide, TPM_RETURNCMD, 0, 100, 0, owner, nullptr), 32);
    EXPECT_EQ(subRect.right, 240);
    EXPECT_GT(subRect.left, 60);

    // The same by keys: Right opens it on its first item, Left goes back.
    Key(VK_DOWN);  // More
    Key(VK_RIGHT); // Deep
    Key(VK_LEFT);  // back on More
    Key(VK_DOWN);  // the long item
    Key(VK_UP);    // More
    Key(VK_RIGHT); // Deep
    Key(VK_DOWN);  // Deeper
    Key(VK_RETURN);
    EXPECT_EQ(TrackPopupMenu(wide, TPM_RETURNCMD, 0, 100, 0, owner, nullptr), 32);
    Key(VK_DOWN);
    Key(VK_RIGHT);
    Key(VK_LEFT);
    Key(VK_DOWN);
    Key(VK_RETURN);
    EXPECT_EQ(TrackPopupMenu(wide, TPM_RETURNCMD, 0, 100, 0, owner, nullptr), 5);
    DestroyMenu(wide);
}

TEST(MenuTable, HandlesStatesAndTemplates) {
    HMENU popup = CreatePopupMenu();
    AppendMenuW(popup, MF_STRING, 10, u"A");
    AppendMenuW(popup, MF_STRING | MF_CHECKED, 11, u"B");
    EXPECT_EQ(EnableMenuItem(popup, 10, MF_BYCOMMAND | MF_GRAYED), MF_ENABLED);
    EXPECT_EQ(EnableMenuItem(popup, 10, MF_BYCOMMAND | MF_ENABLED), MF_GRAYED);
    EXPECT_EQ(GetMenuState(popup, 1, MF_BYPOSITION) & MF_CHECKED, MF_CHECKED);
    EXPECT_EQ(EnableMenuItem(popup, 99, MF_BYCOMMAND), static_cast<UINT>(-1));

    HMENU bar = CreateMenu();
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<std::uintptr_t>(popup), u"Edit");
    // By command, items are found in the pop-ups too; a menu cannot contain itself.
    EXPECT_EQ(GetMenuString(bar, 11, MF_BYCOMMAND), u"B");
    EXPECT_EQ(GetMenuItemID(bar, 0), static_cast<UINT>(-1));
    EXPECT_FALSE(AppendMenuW(popup, MF_POPUP, reinterpret_cast<std::uintptr_t>(bar), u"Loop"));
    EXPECT_TRUE(DestroyMenu(bar));
    EXPECT_FALSE(IsMenu(popup)); // went with its menu
    EXPECT_EQ(GetMenuItemCount(popup), -1);

    static const zorun::MenuTemplateItem items[] = {
        {0, MF_POPUP, 0, u"Edit"},      {1, MF_POPUP, 0, u"Group"}, {2, MF_STRING, 1, u"Add"},
        {1, MF_SEPARATOR, 0, nullptr},  {1, MF_STRING, 2, u"Exit"}, {0, MF_POPUP, 0, u"Tools"},
        {5, MF_STRING, 3, u"Too deep"}, // clamped under "Tools"
    };
    HMENU loaded = zorun::LoadMenuIndirect(items);
    EXPECT_EQ(GetMenuItemCount(loaded), 2);
    HMENU edit = GetSubMenu(loaded, 0);
    EXPECT_EQ(GetMenuItemCount(edit), 3);
    EXPECT_EQ(GetMenuItemID(GetSubMenu(edit, 0), 0), 1u);
    EXPECT_EQ(GetMenuItemID(edit, 1), 0u); // separator
    EXPECT_EQ(GetMenuItemID(GetSubMenu(loaded, 1), 0), 3u);
    DestroyMenu(loaded);
}

} // namespace
