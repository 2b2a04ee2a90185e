// The list box of the group dialogs (style 0x50a10103) and the drop-down
// list built on it: item messages, scrolling by scroll bar and by drag, and
// the notifications a user's taps produce, in order.

#include "WindowTestSupport.h"

#include "platform/user/ControlListModel.h"
#include "platform/user/Controls.h"
#include "platform/user/Dialog.h"
#include "platform/user/Input.h"

namespace {

constexpr int IDC_GROUPS = 1003, IDC_FOLDERS = 1013, IDC_LOW = 40, IDC_SORTED = 41;
constexpr DWORD kGroupListStyle = 0x50a10103;

// Dialog client at screen (0, 26); x px = DU * 7 / 4, y px = DU * 14 / 8.
//   groups  DU (7, 32, 96, 50) -> x 12..179 (bar 168..178), y 82..168: 5 rows of 16
//   folders DU (5, 0, 100, 30) -> x 8..182, made 52 high: a 20-row box at y 26..45
//   low     DU (5, 130, 60, 40) at the bottom of the screen: no room below
const zorun::DialogItemTemplate kItems[] = {
    {u"LISTBOX", nullptr, IDC_GROUPS, 7, 32, 96, 50, kGroupListStyle},
    {u"COMBOBOX", nullptr, IDC_FOLDERS, 5, 0, 100, 30,
     WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | CBS_DROPDOWNLIST},
    {u"COMBOBOX", nullptr, IDC_LOW, 5, 140, 60, 40, WS_VISIBLE | WS_VSCROLL | CBS_DROPDOWNLIST},
    {u"COMBOBOX", nullptr, IDC_SORTED, 80, 140, 50, 12, WS_VISIBLE | CBS_DROPDOWNLIST | CBS_SORT},
};
const zorun::DialogTemplate kDialog{920, 137, 153, u"Lists", 0, kItems};

std::vector<std::pair<int, int>>* notes = nullptr;

std::intptr_t ListsDialogProc(HWND, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_COMMAND && notes)
        notes->emplace_back(HIWORD(wParam), LOWORD(wParam));
    return 0;
}

using Notes = std::vector<std::pair<int, int>>;

class Lists : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        notes = &seen;
        dialog = CreateDialogIndirectParamW(nullptr, &kDialog, nullptr, &ListsDialogProc, 0);
        ASSERT_NE(dialog, nullptr);
        ShowWindow(dialog, SW_SHOW);
        groups = GetDlgItem(dialog, IDC_GROUPS);
        folders = GetDlgItem(dialog, IDC_FOLDERS);
        Pump();
        seen.clear();
    }
    void TearDown() override {
        notes = nullptr;
        WindowTest::TearDown();
    }
    static void Down(int x, int y) {
        zorun::PushInput({zorun::InputEvent::Kind::StylusDown, {x, y}, 0, 0});
    }
    static void MoveTo(int x, int y) {
        zorun::PushInput({zorun::InputEvent::Kind::StylusMove, {x, y}, 0, 0});
    }
    static void Up(int x, int y) {
        zorun::PushInput({zorun::InputEvent::Kind::StylusUp, {x, y}, 0, 0});
    }
    static void Tap(int x, int y) {
        Down(x, y);
        Up(x, y);
    }
    static void Key(int vk) { zorun::PushInput({zorun::InputEvent::Kind::KeyDown, {}, vk, 0}); }
    void Fill(HWND list, UINT insert, int count) {
        for (int i = 0; i < count; ++i) {
            const std::u16string text = u"item " + std::u16string(1, char16_t(u'A' + i));
            SendMessageW(list, insert, static_cast<WPARAM>(-1),
                         reinterpret_cast<LPARAM>(text.c_str()));
        }
    }
    static LRESULT Sel(HWND h, UINT m) { return SendMessageW(h, m, 0, 0); }
    // The middle of a row of the group list (rows of 16 from y 83).
    static int RowY(int row) { return 83 + row * 16 + 8; }

    Notes seen;
    HWND dialog = nullptr, groups = nullptr, folders = nullptr;
};

TEST_F(Lists, GroupListKeepsItemsWhereTheyAreInserted) {
    // LBS_SORT is in the style, yet LB_INSERTSTRING puts each name at its index.
    for (const char16_t* name : {u"Games", u"Business", u"Tools"})
        SendMessageW(groups, LB_INSERTSTRING, static_cast<WPARAM>(-1),
                     reinterpret_cast<LPARAM>(name));
    EXPECT_EQ(SendMessageW(groups, LB_INSERTSTRING, 1, reinterpret_cast<LPARAM>(u"Apps")), 1);
    EXPECT_EQ(zorun::ListItemText(groups, 0), u"Games");
    EXPECT_EQ(zorun::ListItemText(groups, 1), u"Apps");
    EXPECT_EQ(zorun::ListItemText(groups, 3), u"Tools");
    // The organizer's move: delete at s, insert at s - 1, select s - 1.
    SendMessageW(groups, LB_SETCURSEL, 2, 0);
    SendMessageW(groups, LB_DELETESTRING, 2, 0);
    SendMessageW(groups, LB_INSERTSTRING, 1, reinterpret_cast<LPARAM>(u"Business"));
    SendMessageW(groups, LB_SETCURSEL, 1, 0);
    EXPECT_EQ(zorun::ListItemText(groups, 1), u"Business");
    EXPECT_EQ(Sel(groups, LB_GETCURSEL), 1);
    EXPECT_EQ(Sel(groups, LB_GETCOUNT), 4);
    Pump();
    EXPECT_TRUE(seen.empty()); // the program's changes are not the user's
}

TEST_F(Lists, GroupListScrollsByItsBarAndByDragAndKeepsTheSelectionInView) {
    Fill(groups, LB_INSERTSTRING, 12);
    ASSERT_EQ(Sel(groups, LB_GETITEMHEIGHT), 16); // the dialog font's rows
    SendMessageW(groups, LB_SETCURSEL, 9, 0);
    EXPECT_EQ(Sel(groups, LB_GETTOPINDEX), 5); // rows 5..9 show
    SendMessageW(groups, LB_SETCURSEL, 1, 0);
    EXPECT_EQ(Sel(groups, LB_GETTOPINDEX), 1);

    Tap(172, 165); // the bar's down arrow
    Pump();
    EXPECT_EQ(Sel(groups, LB_GETTOPINDEX), 2);
    Tap(172, 160 - 12); // the track below the thumb: a page
    Pump();
    EXPECT_EQ(Sel(groups, LB_GETTOPINDEX), 7);
    // The thumb dragged to the top.
    Down(172, 150);
    MoveTo(172, 60);
    Up(172, 60);
    Pump();
    EXPECT_EQ(Sel(groups, LB_GETTOPINDEX), 0);

    // The content dragged up by three rows scrolls and selects nothing.
    Down(60, RowY(4));
    MoveTo(60, RowY(4) - 20);
    MoveTo(60, RowY(4) - 3 * 16);
    Up(60, RowY(4) - 3 * 16);
    Pump();
    EXPECT_EQ(Sel(groups, LB_GETTOPINDEX), 3);
    EXPECT_EQ(Sel(groups, LB_GETCURSEL), 1);
    EXPECT_TRUE(seen.empty());
}

TEST_F(Lists, TapsSelectAndDoubleTapsAreReported) {
    Fill(groups, LB_INSERTSTRING, 4);
    Tap(60, RowY(2));
    Tap(60, RowY(2)); // soon after: a double tap
    Pump();
    clock.Advance(1000);
    Tap(60, RowY(2));  // too late: nothing
    Down(60, RowY(3)); // a press that slides a little still taps
    MoveTo(62, RowY(3) + 3);
    Up(62, RowY(3) + 3);
    Key(VK_UP);
    Key(VK_UP); // from row 3 to row 1
    Pump();
    EXPECT_EQ(seen, (Notes{{LBN_SELCHANGE, IDC_GROUPS},
                           {LBN_DBLCLK, IDC_GROUPS},
                           {LBN_SELCHANGE, IDC_GROUPS},
                           {LBN_SELCHANGE, IDC_GROUPS},
                           {LBN_SELCHANGE, IDC_GROUPS}}));
    EXPECT_EQ(Sel(groups, LB_GETCURSEL), 1);
}

TEST_F(Lists, RowsFollowTheFont) {
    LOGFONTW tall{};
    tall.lfHeight = -24;
    HFONT font = CreateFontIndirectW(&tall);
    const LRESULT before = Sel(groups, LB_GETITEMHEIGHT);
    SendMessageW(groups, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    EXPECT_GT(Sel(groups, LB_GETITEMHEIGHT), before);
    Fill(groups, LB_INSERTSTRING, 6);
    SendMessageW(groups, LB_SETCURSEL, 3, 0); // fewer rows show: it scrolls
    EXPECT_GT(Sel(groups, LB_GETTOPINDEX), 0);
    DestroyWindow(dialog);
    DeleteObject(font);
}

TEST_F(Lists, DropDownListKeepsItsOrderAndTheProgramsChoicesAreSilent) {
    for (const char16_t* name : {u"<\\windows>", u"Start Menu", u"1 fonts"})
        SendMessageW(folders, CB_INSERTSTRING, static_cast<WPARAM>(-1),
                     reinterpret_cast<LPARAM>(name));
    EXPECT_EQ(SendMessageW(folders, CB_INSERTSTRING, 1, reinterpret_cast<LPARAM>(u"Desktop")), 1);
    EXPECT_EQ(SendMessageW(folders, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(u"Apps")), 4);
    EXPECT_EQ(zorun::ListItemText(folders, 0), u"<\\windows>");
    EXPECT_EQ(zorun::ListItemText(folders, 1), u"Desktop");
    EXPECT_EQ(SendMessageW(folders, CB_GETLBTEXTLEN, 3, 0), 7);
    EXPECT_EQ(SendMessageW(folders, CB_SETCURSEL, 2, 0), 2);
    EXPECT_EQ(SendMessageW(folders, CB_GETCURSEL, 0, 0), 2);
    EXPECT_EQ(SendMessageW(folders, CB_SETCURSEL, 9, 0), CB_ERR);
    EXPECT_EQ(SendMessageW(folders, CB_GETCURSEL, 0, 0), -1);
    SendMessageW(folders, CB_RESETCONTENT, 0, 0);
    EXPECT_EQ(SendMessageW(folders, CB_GETCOUNT, 0, 0), 0);
    // With CBS_SORT only CB_ADDSTRING sorts.
    HWND sorted = GetDlgItem(dialog, IDC_SORTED);
    for (const char16_t* name : {u"b", u"C", u"a"})
        SendMessageW(sorted, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
    SendMessageW(sorted, CB_INSERTSTRING, 0, reinterpret_cast<LPARAM>(u"z"));
    EXPECT_EQ(zorun::ListItemText(sorted, 0), u"z");
    EXPECT_EQ(zorun::ListItemText(sorted, 1), u"a");
    EXPECT_EQ(zorun::ListItemText(sorted, 3), u"C");
    Pump();
    EXPECT_TRUE(seen.empty());
}

TEST_F(Lists, TheDroppedListShowsItsMinimumOfRowsOrTheTemplatesHeightAndScrolls) {
    Fill(folders, CB_INSERTSTRING, 6);
    SendMessageW(folders, CB_SETCURSEL, 0, 0);
    RECT box{};
    GetWindowRect(folders, &box);
    EXPECT_EQ(box.Height(), 20); // the closed box; the template's 52 include the list
    // Up to 30 rows show whatever the template's few units say: all six,
    // rows of 16 from y 47.
    EXPECT_EQ(SendMessageW(folders, CB_GETMINVISIBLE, 0, 0), 30);
    Tap(50, 35);
    Tap(50, 47 + 5 * 16 + 8); // item F
    Pump();
    EXPECT_EQ(SendMessageW(folders, CB_GETCURSEL, 0, 0), 5);

    // Two rows at least: the template's height rules, and the list scrolls.
    EXPECT_FALSE(SendMessageW(folders, CB_SETMINVISIBLE, 0, 0));
    EXPECT_TRUE(SendMessageW(folders, CB_SETMINVISIBLE, 2, 0));
    SendMessageW(folders, CB_SETCURSEL, 0, 0);
    seen.clear();
    Tap(50, 35); // drops the list below the box: y 46..80
    // The bar's down arrow scrolls; the list stays; the first row shown is now item B.
    Tap(176, 74);
    Tap(50, 52);
    Pump();
    EXPECT_EQ(seen, (Notes{{CBN_DROPDOWN, IDC_FOLDERS},
                           {CBN_SELENDOK, IDC_FOLDERS},
                           {CBN_CLOSEUP, IDC_FOLDERS},
                           {CBN_SELCHANGE, IDC_FOLDERS}}));
    EXPECT_EQ(SendMessageW(folders, CB_GETCURSEL, 0, 0), 1);
    EXPECT_FALSE(SendMessageW(folders, CB_GETDROPPEDSTATE, 0, 0));
}

TEST_F(Lists, ATapOutsideClosesWithoutAChoiceAndTheSameChoiceIsStillReported) {
    Fill(folders, CB_INSERTSTRING, 3);
    SendMessageW(folders, CB_SETCURSEL, 0, 0);
    Tap(50, 35);
    Tap(220, 250); // outside: closes, swallowed
    Tap(50, 35);
    Tap(50, 52); // item A, already chosen: still the user's choice
    Tap(50, 35);
    Key(VK_DOWN); // the box keeps the focus and hands the list its keys
    Key(VK_RETURN);
    Pump();
    EXPECT_EQ(seen, (Notes{{CBN_DROPDOWN, IDC_FOLDERS},
                           {CBN_SELENDCANCEL, IDC_FOLDERS},
                           {CBN_CLOSEUP, IDC_FOLDERS},
                           {CBN_DROPDOWN, IDC_FOLDERS},
                           {CBN_SELENDOK, IDC_FOLDERS},
                           {CBN_CLOSEUP, IDC_FOLDERS},
                           {CBN_SELCHANGE, IDC_FOLDERS},
                           {CBN_DROPDOWN, IDC_FOLDERS},
                           {CBN_SELENDOK, IDC_FOLDERS},
                           {CBN_CLOSEUP, IDC_FOLDERS},
                           {CBN_SELCHANGE, IDC_FOLDERS}}));
    EXPECT_EQ(SendMessageW(folders, CB_GETCURSEL, 0, 0), 1);
}

TEST_F(Lists, WithNoRoomBelowTheListDropsAbove) {
    HWND low = GetDlgItem(dialog, IDC_LOW);
    Fill(low, CB_INSERTSTRING, 3);
    RECT box{};
    GetWindowRect(low, &box);
    ASSERT_EQ(box.top, 26 + 245);
    // Made 70 high: a 50-row list, but three items need only 3 * 16 + 2.
    Tap(30, box.top + 5);
    Tap(30, box.top - 50 + 1 + 16 + 8); // item B, above the box
    Pump();
    EXPECT_EQ(SendMessageW(low, CB_GETCURSEL, 0, 0), 1);
}

} // namespace
