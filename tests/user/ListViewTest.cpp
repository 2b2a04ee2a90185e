// The list view in report mode inside a dialog: columns, items and
// sub-items, item states, and what it tells its parent (WM_NOTIFY), in
// order, for the program's messages and for a user's taps and drags.

#include "WindowTestSupport.h"

#include "platform/gdi/Surface.h"
#include "platform/user/CommCtrl.h"
#include "platform/user/Dialog.h"
#include "platform/user/Input.h"

namespace {

constexpr int IDC_FILES = 1020, IDC_APPS = 1001;

// The browser's file list DU (4, 32, 125, 71) -> screen x 7..224, y 82..205.
// Inside the border: the header y 83..102, then rows of 16 from y 103 (six
// full rows); with more rows the scroll bar takes x 213..223.
constexpr DWORD kFileListStyle = WS_VISIBLE | WS_BORDER | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL;
const zorun::DialogItemTemplate kItems[] = {
    {WC_LISTVIEW, nullptr, IDC_FILES, 4, 32, 125, 71, kFileListStyle},
    {WC_LISTVIEW, nullptr, IDC_APPS, 4, 110, 125, 40,
     WS_VISIBLE | WS_BORDER | LVS_REPORT | LVS_SINGLESEL | LVS_NOSORTHEADER | LVS_SHOWSELALWAYS},
};
const zorun::DialogTemplate kDialog{930, 137, 153, u"Files", 0, kItems};

int RowY(int row) {
    return 103 + row * 16 + 8;
}

struct Note {
    UINT code;
    int id;
    int item;
    int subItem;
    UINT oldState;
    UINT newState;
    friend bool operator==(const Note&, const Note&) = default;
};
std::ostream& operator<<(std::ostream& out, const Note& n) {
    return out << "{code " << static_cast<int>(n.code) << " id " << n.id << " item " << n.item
               << " sub " << n.subItem << " " << n.oldState << "->" << n.newState << "}";
}

std::vector<Note>* notes = nullptr;
bool refuseChanges = false;

std::intptr_t FilesDialogProc(HWND, UINT message, WPARAM, LPARAM lParam) {
    if (message != WM_NOTIFY || !notes)
        return 0;
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    Note note{header->code, static_cast<int>(header->idFrom), -1, 0, 0, 0};
    if (header->code == NM_CLICK || header->code == NM_DBLCLK) {
        const auto* nm = reinterpret_cast<const NMITEMACTIVATE*>(lParam);
        note.item = nm->iItem;
        note.subItem = nm->iSubItem;
    } else if (header->code != NM_SETFOCUS && header->code != NM_KILLFOCUS) {
        const auto* nm = reinterpret_cast<const NMLISTVIEW*>(lParam);
        note.item = nm->iItem;
        note.subItem = nm->iSubItem;
        note.oldState = nm->uOldState;
        note.newState = nm->uNewState;
    } else {
        return 0; // focus changes are not what these tests look at
    }
    notes->push_back(note);
    return header->code == LVN_ITEMCHANGING && refuseChanges ? TRUE : 0;
}

constexpr UINT S = LVIS_SELECTED, F = LVIS_FOCUSED;

class ListView : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        notes = &seen;
        refuseChanges = false;
        dialog = CreateDialogIndirectParamW(nullptr, &kDialog, nullptr, &FilesDialogProc, 0);
        ASSERT_NE(dialog, nullptr);
        ShowWindow(dialog, SW_SHOW);
        files = GetDlgItem(dialog, IDC_FILES);
        apps = GetDlgItem(dialog, IDC_APPS);
        AddColumn(files, 0, u"Name", 100);
        AddColumn(files, 1, u"Date", 80);
        AddColumn(files, 2, u"Size", 40);
        Pump();
        seen.clear();
    }
    void TearDown() override {
        notes = nullptr;
        WindowTest::TearDown();
    }
    static LRESULT AddColumn(HWND list, int index, const char16_t* text, int width) {
        std::u16string copy(text);
        LVCOLUMN column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
        column.fmt = LVCFMT_LEFT;
        column.cx = width;
        column.pszText = copy.data();
        return SendMessageW(list, LVM_INSERTCOLUMN, static_cast<WPARAM>(index),
                            reinterpret_cast<LPARAM>(&column));
    }
    static LRESULT AddItem(HWND list, int index, std::u16string text) {
        LVITEM item{};
        item.mask = LVIF_TEXT;
        item.iItem = index;
        item.pszText = text.data();
        return SendMessageW(list, LVM_INSERTITEM, 0, reinterpret_cast<LPARAM>(&item));
    }
    static void SetSubItem(HWND list, int index, int subItem, std::u16string text) {
        LVITEM item{};
        item.iSubItem = subItem;
        item.pszText = text.data();
        SendMessageW(list, LVM_SETITEMTEXT, static_cast<WPARAM>(index),
                     reinterpret_cast<LPARAM>(&item));
    }
    static std::u16string ItemText(HWND list, int index, int subItem, int capacity = 64) {
        std::u16string buffer(static_cast<std::size_t>(capacity), u'#');
        LVITEM item{};
        item.iSubItem = subItem;
        item.pszText = buffer.data();
        item.cchTextMax = capacity;
        const auto n = SendMessageW(list, LVM_GETITEMTEXT, static_cast<WPARAM>(index),
                                    reinterpret_cast<LPARAM>(&item));
        return buffer.substr(0, static_cast<std::size_t>(n));
    }
    static BOOL SetState(HWND list, int index, UINT state, UINT mask) {
        LVITEM item{};
        item.state = state;
        item.stateMask = mask;
        return static_cast<BOOL>(SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(index),
                                              reinterpret_cast<LPARAM>(&item)));
    }
    static LRESULT Next(HWND list, int start, UINT flags) {
        return SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(start), flags);
    }
    void FillFiles(int count) {
        for (int i = 0; i < count; ++i)
            AddItem(files, i, u"file" + std::u16string(1, char16_t(u'a' + i)) + u".exe");
        Pump();
        seen.clear();
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
    static std::uint32_t Rgb(int x, int y) {
        zorun::ComposeScreen();
        return zorun::ScreenSurface().Pixel(x, y) & 0xFFFFFF;
    }

    std::vector<Note> seen;
    HWND dialog = nullptr, files = nullptr, apps = nullptr;
};

TEST_F(ListView, ItemsGoWhereTheyAreInsertedWithTheirSubItems) {
    EXPECT_EQ(AddItem(files, 0, u"setup.exe.bak"), 0);
    EXPECT_EQ(AddItem(files, 0, u"Notes.EXE"), 0);
    EXPECT_EQ(AddItem(files, 99, u"zip.exe"), 2); // past the end: appended
    SetSubItem(files, 0, 1, u"2005/1/27,14:5");
    SetSubItem(files, 0, 2, u"2048");
    EXPECT_EQ(SendMessageW(files, LVM_GETITEMCOUNT, 0, 0), 3);
    EXPECT_EQ(ItemText(files, 0, 0), u"Notes.EXE");
    EXPECT_EQ(ItemText(files, 0, 1), u"2005/1/27,14:5");
    EXPECT_EQ(ItemText(files, 0, 2), u"2048");
    EXPECT_EQ(ItemText(files, 1, 0), u"setup.exe.bak");
    EXPECT_EQ(ItemText(files, 1, 2), u"");        // never set
    EXPECT_EQ(ItemText(files, 0, 1, 5), u"2005"); // cut to the buffer, terminated
    EXPECT_EQ(ItemText(files, 7, 0), u"");
    // A sub-item text for an item that does not exist is refused.
    LVITEM item{};
    item.iSubItem = 1;
    EXPECT_FALSE(SendMessageW(files, LVM_SETITEMTEXT, 9, reinterpret_cast<LPARAM>(&item)));
    Pump();
    EXPECT_EQ(seen, (std::vector<Note>{{LVN_INSERTITEM, IDC_FILES, 0, 0, 0, 0},
                                       {LVN_INSERTITEM, IDC_FILES, 0, 0, 0, 0},
                                       {LVN_INSERTITEM, IDC_FILES, 2, 0, 0, 0}}));

    // Deleting: one item, then all of them, each announced.
    seen.clear();
    EXPECT_TRUE(SendMessageW(files, LVM_DELETEITEM, 1, 0));
    EXPECT_FALSE(SendMessageW(files, LVM_DELETEITEM, 5, 0));
    EXPECT_EQ(ItemText(files, 1, 0), u"zip.exe");
    EXPECT_TRUE(SendMessageW(files, LVM_DELETEALLITEMS, 0, 0));
    EXPECT_EQ(SendMessageW(files, LVM_GETITEMCOUNT, 0, 0), 0);
    EXPECT_EQ(seen, (std::vector<Note>{{LVN_DELETEITEM, IDC_FILES, 1, 0, 0, 0},
                                       {LVN_DELETEALLITEMS, IDC_FILES, -1, 0, 0, 0},
                                       {LVN_DELETEITEM, IDC_FILES, 1, 0, 0, 0},
                                       {LVN_DELETEITEM, IDC_FILES, 0, 0, 0, 0}}));
}

TEST_F(ListView, ColumnsKeepTheirWidthsAndTheLastCanFillTheList) {
    EXPECT_EQ(SendMessageW(files, LVM_GETCOLUMNWIDTH, 1, 0), 80);
    EXPECT_TRUE(SendMessageW(files, LVM_SETCOLUMNWIDTH, 1, MAKELPARAM(60, 0)));
    EXPECT_EQ(SendMessageW(files, LVM_GETCOLUMNWIDTH, 1, 0), 60);
    EXPECT_FALSE(SendMessageW(files, LVM_SETCOLUMNWIDTH, 7, MAKELPARAM(60, 0)));
    // The list is 216 wide inside its border: 100 + 60 leave 56 for the last.
    SendMessageW(files, LVM_SETCOLUMNWIDTH, 2, MAKELPARAM(LVSCW_AUTOSIZE_USEHEADER, 0));
    EXPECT_EQ(SendMessageW(files, LVM_GETCOLUMNWIDTH, 2, 0), 56);
    char16_t text[16]{};
    LVCOLUMN column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.pszText = text;
    column.cchTextMax = 16;
    EXPECT_TRUE(SendMessageW(files, LVM_GETCOLUMN, 2, reinterpret_cast<LPARAM>(&column)));
    EXPECT_EQ(std::u16string(text), u"Size");
}

TEST_F(ListView, OneItemIsSelectedAndFocusedAndEveryChangeIsAnnounced) {
    FillFiles(3);
    EXPECT_TRUE(SetState(files, 1, S, S));
    EXPECT_TRUE(SetState(files, 2, S | F, S | F)); // single selection: 1 loses it
    EXPECT_EQ(Next(files, -1, LVNI_SELECTED), 2);
    EXPECT_EQ(Next(files, 2, LVNI_SELECTED), -1);
    EXPECT_EQ(Next(files, 0, LVNI_ALL), 1);
    EXPECT_EQ(SendMessageW(files, LVM_GETSELECTEDCOUNT, 0, 0), 1);
    EXPECT_EQ(SendMessageW(files, LVM_GETITEMSTATE, 2, S | F), S | F);
    EXPECT_TRUE(SetState(files, 0, F, F)); // the focus moves, the selection stays
    EXPECT_EQ(SendMessageW(files, LVM_GETITEMSTATE, 2, S | F), S);
    EXPECT_TRUE(SetState(files, -1, 0, S)); // nothing selected
    EXPECT_EQ(SendMessageW(files, LVM_GETSELECTEDCOUNT, 0, 0), 0);
    EXPECT_EQ(seen, (std::vector<Note>{
                        {LVN_ITEMCHANGING, IDC_FILES, 1, 0, 0, S},
                        {LVN_ITEMCHANGED, IDC_FILES, 1, 0, 0, S},
                        {LVN_ITEMCHANGING, IDC_FILES, 1, 0, S, 0},
                        {LVN_ITEMCHANGED, IDC_FILES, 1, 0, S, 0},
                        {LVN_ITEMCHANGING, IDC_FILES, 2, 0, 0, S | F},
                        {LVN_ITEMCHANGED, IDC_FILES, 2, 0, 0, S | F},
                        {LVN_ITEMCHANGING, IDC_FILES, 2, 0, S | F, S},
                        {LVN_ITEMCHANGED, IDC_FILES, 2, 0, S | F, S},
                        {LVN_ITEMCHANGING, IDC_FILES, 0, 0, 0, F},
                        {LVN_ITEMCHANGED, IDC_FILES, 0, 0, 0, F},
                        {LVN_ITEMCHANGING, IDC_FILES, 2, 0, S, 0},
                        {LVN_ITEMCHANGED, IDC_FILES, 2, 0, S, 0},
                    }));
    // A parent may refuse a change.
    refuseChanges = true;
    EXPECT_FALSE(SetState(files, 1, S, S));
    EXPECT_EQ(SendMessageW(files, LVM_GETSELECTEDCOUNT, 0, 0), 0);
}

TEST_F(ListView, ATapSelectsThenClicksASecondTapIsADoubleTap) {
    FillFiles(3);
    Tap(150, RowY(1)); // in the Date column
    Tap(150, RowY(1));
    Pump();
    clock.Advance(1000);
    Tap(30, RowY(5)); // below the rows: nothing selected
    Pump();
    EXPECT_EQ(seen, (std::vector<Note>{
                        {LVN_ITEMCHANGING, IDC_FILES, 1, 0, 0, S | F},
                        {LVN_ITEMCHANGED, IDC_FILES, 1, 0, 0, S | F},
                        {NM_CLICK, IDC_FILES, 1, 1, 0, 0},
                        {NM_DBLCLK, IDC_FILES, 1, 1, 0, 0},
                        {LVN_ITEMCHANGING, IDC_FILES, 1, 0, S | F, F},
                        {LVN_ITEMCHANGED, IDC_FILES, 1, 0, S | F, F},
                        {NM_CLICK, IDC_FILES, -1, 0, 0, 0},
                    }));
    EXPECT_EQ(Next(files, -1, LVNI_SELECTED), -1);
}

TEST_F(ListView, HeadersAreButtonsUnlessTheyDoNotSort) {
    Tap(120, 92); // the Date header
    AddColumn(apps, 0, u"Name", 150);
    Pump();
    RECT r{};
    GetWindowRect(apps, &r);
    Tap(40, r.top + 8); // a header that does not sort: nothing
    Pump();
    EXPECT_EQ(seen, (std::vector<Note>{{LVN_COLUMNCLICK, IDC_FILES, -1, 1, 0, 0}}));
}

TEST_F(ListView, RowsScrollByDragByBarAndToStayInView) {
    // Columns that fit beside the right bar: no bar along the bottom.
    SendMessageW(files, LVM_SETCOLUMNWIDTH, 2, MAKELPARAM(20, 0));
    FillFiles(20);
    EXPECT_EQ(SendMessageW(files, LVM_GETCOUNTPERPAGE, 0, 0), 6);
    EXPECT_TRUE(SendMessageW(files, LVM_ENSUREVISIBLE, 15, FALSE));
    EXPECT_EQ(SendMessageW(files, LVM_GETTOPINDEX, 0, 0), 10);
    // Dragging the rows down by four rows shows earlier ones, choosing nothing.
    Down(60, RowY(0));
    MoveTo(60, RowY(0) + 10);
    MoveTo(60, RowY(0) + 4 * 16);
    Up(60, RowY(0) + 4 * 16);
    Pump();
    EXPECT_EQ(SendMessageW(files, LVM_GETTOPINDEX, 0, 0), 6);
    EXPECT_TRUE(seen.empty());
    // The scroll bar's down arrow, at the bottom right.
    Tap(218, 200);
    Pump();
    EXPECT_EQ(SendMessageW(files, LVM_GETTOPINDEX, 0, 0), 7);
    // Keys move the selection and keep it in view.
    SetFocus(files);
    SetState(files, 19, S | F, S | F);
    zorun::PushInput({zorun::InputEvent::Kind::KeyDown, {}, VK_HOME, 0});
    Pump();
    EXPECT_EQ(Next(files, -1, LVNI_SELECTED), 0);
    EXPECT_EQ(SendMessageW(files, LVM_GETTOPINDEX, 0, 0), 0);
    SendMessageW(files, LVM_DELETEALLITEMS, 0, 0);
    EXPECT_EQ(SendMessageW(files, LVM_GETTOPINDEX, 0, 0), 0);
}

TEST_F(ListView, RowsAreAsTallAsTheFont) {
    LOGFONTW tall{};
    tall.lfHeight = -22;
    HFONT font = CreateFontIndirectW(&tall);
    SendMessageW(files, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    EXPECT_EQ(SendMessageW(files, WM_GETFONT, 0, 0), reinterpret_cast<LRESULT>(font));
    EXPECT_LT(SendMessageW(files, LVM_GETCOUNTPERPAGE, 0, 0), 6);
    DestroyWindow(dialog);
    DeleteObject(font);
}

TEST_F(ListView, TextIsCutAtItsColumnAndTheSelectionShowsAsTheStylesSay) {
    AddItem(files, 0, u"a_very_long_program_name_indeed.exe");
    AddItem(files, 1, u"another_very_long_program_name.exe");
    SetSubItem(files, 0, 1, u"2005/1/27,14:5");
    SetState(files, 0, S | F, S | F);
    SetFocus(files);
    Pump();
    // Column 0 ends at x 108: the second row's text stops 4 pixels before.
    bool inked = false;
    for (int x = 60; x < 104; ++x)
        inked = inked || Rgb(x, RowY(1)) != 0xFFFFFFu;
    EXPECT_TRUE(inked);
    for (int x = 104; x < 112; ++x)
        for (int y = 119; y < 135; ++y)
            EXPECT_EQ(Rgb(x, y), 0xFFFFFFu) << x << "," << y;
    // Without full-row selection only the first column is marked.
    EXPECT_EQ(Rgb(30, 104), 0x000080u);
    EXPECT_EQ(Rgb(200, 104), 0xFFFFFFu);
    SendMessageW(files, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    Pump();
    EXPECT_EQ(Rgb(200, 104), 0x000080u);
    // Without the focus the selection hides, unless LVS_SHOWSELALWAYS keeps it.
    AddColumn(apps, 0, u"Name", 150);
    AddItem(apps, 0, u"Calendar");
    SetState(apps, 0, S, S);
    SetFocus(files);
    Pump();
    RECT r{};
    GetWindowRect(apps, &r);
    EXPECT_EQ(Rgb(r.left + 4, r.top + 22), 0xC0C0C0u);
    SetFocus(apps);
    Pump();
    EXPECT_EQ(Rgb(30, 104), 0xFFFFFFu);
}

// --- Scrolling sideways ---------------------------------------------------------
// The file list's columns, 100 + 80 + 40, are 4 pixels wider than its 216:
// a bar along the bottom, y 194..204 on the screen, takes the sixth row.

SCROLLINFO HorizontalInfo(HWND list) {
    SCROLLINFO info{sizeof(SCROLLINFO), SIF_ALL, -5, -5, 0, -5, -5};
    EXPECT_TRUE(GetScrollInfo(list, SB_HORZ, &info));
    return info;
}

LVHITTESTINFO HitAt(HWND list, UINT message, int x, int y) {
    LVHITTESTINFO info{};
    info.pt = {x, y};
    SendMessageW(list, message, 0, reinterpret_cast<LPARAM>(&info));
    return info;
}

TEST_F(ListView, ABarAlongTheBottomShowsWhileTheColumnsDoNotFit) {
    SCROLLINFO info = HorizontalInfo(files);
    EXPECT_EQ(info.nMin, 0);
    EXPECT_EQ(info.nMax, 219);
    EXPECT_EQ(info.nPage, 216u);
    EXPECT_EQ(info.nPos, 0);
    EXPECT_EQ(SendMessageW(files, LVM_GETCOUNTPERPAGE, 0, 0), 5);
    EXPECT_EQ(Rgb(215, 197), 0xDEDEDEu); // in the bar's right arrow
    EXPECT_EQ(Rgb(100, 194), 0x000000u); // the bar's top edge
    // Narrower columns fit: the bar goes and its row comes back.
    SendMessageW(files, LVM_SETCOLUMNWIDTH, 2, MAKELPARAM(30, 0));
    Pump();
    EXPECT_EQ(SendMessageW(files, LVM_GETCOUNTPERPAGE, 0, 0), 6);
    EXPECT_EQ(Rgb(215, 197), 0xFFFFFFu);
    EXPECT_EQ(HorizontalInfo(files).nPage, 216u);
    // Enough rows for the right bar leave 205 for 210 of columns: both bars,
    // and the corner where they meet is blank.
    FillFiles(20);
    EXPECT_EQ(SendMessageW(files, LVM_GETCOUNTPERPAGE, 0, 0), 5);
    EXPECT_EQ(HorizontalInfo(files).nPage, 205u);
    for (int x = 213; x < 224; ++x)
        for (int y = 194; y < 205; ++y)
            ASSERT_EQ(Rgb(x, y), 0xDEDEDEu) << x << "," << y;
    // Scrolled to the end, then the rows go: the columns fit again and the
    // view comes back to the left edge.
    SendMessageW(files, WM_HSCROLL, MAKEWPARAM(SB_RIGHT, 0), 0);
    EXPECT_EQ(GetScrollPos(files, SB_HORZ), 5);
    SendMessageW(files, LVM_DELETEALLITEMS, 0, 0);
    EXPECT_EQ(GetScrollPos(files, SB_HORZ), 0);
    EXPECT_EQ(SendMessageW(files, LVM_GETCOUNTPERPAGE, 0, 0), 6);
    // A narrower list brings it back; a wider one sends it away.
    MoveWindow(files, 7, 82, 150, 124, TRUE);
    EXPECT_EQ(HorizontalInfo(files).nPage, 148u);
    SendMessageW(files, WM_HSCROLL, MAKEWPARAM(SB_RIGHT, 0), 0);
    EXPECT_EQ(GetScrollPos(files, SB_HORZ), 210 - 148);
    MoveWindow(files, 7, 82, 230, 124, TRUE);
    EXPECT_EQ(GetScrollPos(files, SB_HORZ), 0);
    EXPECT_EQ(SendMessageW(files, LVM_GETCOUNTPERPAGE, 0, 0), 6);
}

TEST_F(ListView, ScrollMessagesMoveTheColumnsWithinTheirRange) {
    SendMessageW(files, LVM_SETCOLUMNWIDTH, 0, MAKELPARAM(500, 0)); // 620 in all: 404 to go
    const auto scroll = [&](int code, int position = 0) {
        SendMessageW(files, WM_HSCROLL, MAKEWPARAM(code, position), 0);
        return GetScrollPos(files, SB_HORZ);
    };
    EXPECT_EQ(scroll(SB_LINERIGHT), 10);
    EXPECT_EQ(scroll(SB_LINELEFT), 0);
    EXPECT_EQ(scroll(SB_LINELEFT), 0);
    EXPECT_EQ(scroll(SB_PAGERIGHT), 216);
    EXPECT_EQ(scroll(SB_PAGERIGHT), 404);
    EXPECT_EQ(scroll(SB_THUMBTRACK, 50), 50);
    EXPECT_EQ(scroll(SB_THUMBPOSITION, 500), 404);
    EXPECT_EQ(scroll(SB_ENDSCROLL), 404);
    EXPECT_EQ(scroll(SB_LEFT), 0);
    EXPECT_TRUE(SendMessageW(files, LVM_SCROLL, 30, 0));
    EXPECT_EQ(GetScrollPos(files, SB_HORZ), 30);
    EXPECT_TRUE(SendMessageW(files, LVM_SCROLL, static_cast<WPARAM>(-100), 0));
    EXPECT_EQ(GetScrollPos(files, SB_HORZ), 0);
    // Setting the position scrolls the list; its range and page stay its own.
    SCROLLINFO set{sizeof(SCROLLINFO), SIF_POS | SIF_RANGE | SIF_PAGE, 0, 5000, 7, 250, 0};
    EXPECT_EQ(SetScrollInfo(files, SB_HORZ, &set, TRUE), 250);
    set.nPos = 450;
    EXPECT_EQ(SetScrollInfo(files, SB_HORZ, &set, TRUE), 404);
    EXPECT_EQ(HorizontalInfo(files).nMax, 619);
    EXPECT_EQ(HorizontalInfo(files).nPage, 216u);
    EXPECT_EQ(SetScrollPos(files, SB_HORZ, -3, TRUE), 404);
    EXPECT_EQ(GetScrollPos(files, SB_HORZ), 0);
    // Rows the same way; LVM_SCROLL's pixels count whole rows.
    FillFiles(20);
    SendMessageW(files, WM_VSCROLL, MAKEWPARAM(SB_PAGEDOWN, 0), 0);
    EXPECT_EQ(SendMessageW(files, LVM_GETTOPINDEX, 0, 0), 5);
    SendMessageW(files, LVM_SCROLL, 0, 8);
    EXPECT_EQ(SendMessageW(files, LVM_GETTOPINDEX, 0, 0), 6);
    SendMessageW(files, LVM_SCROLL, 0, -40);
    EXPECT_EQ(SendMessageW(files, LVM_GETTOPINDEX, 0, 0), 3);
    SendMessageW(files, WM_VSCROLL, MAKEWPARAM(SB_BOTTOM, 0), 0);
    EXPECT_EQ(GetScrollPos(files, SB_VERT), 15);
    // Windows that draw no bars answer nothing.
    SCROLLINFO none{sizeof(SCROLLINFO), SIF_ALL, 0, 0, 0, 0, 0};
    EXPECT_FALSE(GetScrollInfo(dialog, SB_HORZ, &none));
}

TEST_F(ListView, TheHeaderAndTheRowsScrollTogether) {
    SendMessageW(files, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_GRIDLINES, LVS_EX_GRIDLINES);
    SendMessageW(files, LVM_SETCOLUMNWIDTH, 0, MAKELPARAM(150, 0));
    FillFiles(2);
    // The Name column's right edge: its header button's shadow and the
    // rows' grid line, both at x 157 on the screen.
    const auto edges = [&](int x) { return std::pair{Rgb(x, 92), Rgb(x, RowY(0))}; };
    EXPECT_EQ(edges(157), (std::pair{0x808080u, 0xC0C0C0u}));
    SendMessageW(files, LVM_SCROLL, 30, 0);
    Pump();
    EXPECT_EQ(edges(127), (std::pair{0x808080u, 0xC0C0C0u}));
    EXPECT_NE(edges(157).first, 0x808080u);
    EXPECT_NE(edges(157).second, 0xC0C0C0u);
}

TEST_F(ListView, HitTestsCountTheScroll) {
    FillFiles(20);
    // Client coordinates: the rows start at y 21, the columns at x 1.
    LVHITTESTINFO hit = HitAt(files, LVM_SUBITEMHITTEST, 120, 21 + 8);
    EXPECT_EQ(hit.flags, LVHT_ONITEM);
    EXPECT_EQ(hit.iItem, 0);
    EXPECT_EQ(hit.iSubItem, 1);
    SendMessageW(files, LVM_SCROLL, 15, 3 * 16);
    hit = HitAt(files, LVM_SUBITEMHITTEST, 90, 21 + 16 + 8);
    EXPECT_EQ(hit.iItem, 4);
    EXPECT_EQ(hit.iSubItem, 1); // 90 + 15 is past the Name column's 100
    EXPECT_EQ(SendMessageW(files, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)), 4);
    // The bars are outside the rows: below them and to their right.
    EXPECT_EQ(HitAt(files, LVM_HITTEST, 50, 115).flags, LVHT_BELOW);
    EXPECT_EQ(HitAt(files, LVM_HITTEST, 210, 50).flags, LVHT_TORIGHT);
    EXPECT_EQ(HitAt(files, LVM_HITTEST, 210, 115).flags, LVHT_BELOW | LVHT_TORIGHT);
    EXPECT_EQ(HitAt(files, LVM_HITTEST, 50, 10).flags, LVHT_ABOVE);
    EXPECT_EQ(HitAt(files, LVM_HITTEST, 50, 10).iItem, -1);
    // Past the last column a sub-item test finds nothing.
    SendMessageW(files, LVM_SETCOLUMNWIDTH, 2, MAKELPARAM(10, 0));
    hit = HitAt(files, LVM_SUBITEMHITTEST, 195, 21 + 8);
    EXPECT_EQ(hit.flags, LVHT_NOWHERE);
    EXPECT_EQ(hit.iItem, -1);
}

TEST_F(ListView, TheStylusWorksTheBottomBarAndATapOnAScrolledRowChoosesIt) {
    SendMessageW(files, LVM_SETCOLUMNWIDTH, 0, MAKELPARAM(300, 0)); // 204 to scroll
    FillFiles(3);
    // The right arrow at the bar's end, then the track right of the thumb.
    Tap(220, 199);
    Pump();
    EXPECT_EQ(GetScrollPos(files, SB_HORZ), 10);
    Tap(200, 199);
    Pump();
    EXPECT_EQ(GetScrollPos(files, SB_HORZ), 204);
    Tap(10, 199); // the left arrow
    Pump();
    EXPECT_EQ(GetScrollPos(files, SB_HORZ), 194);
    Tap(57, 199); // the track left of the thumb
    Pump();
    EXPECT_EQ(GetScrollPos(files, SB_HORZ), 0);
    // The thumb (at the left of the track) follows the stylus; the view
    // follows while it moves. A track of 194 holding 216 of 420 has a thumb
    // of 99: 95 pixels of room for 204 of columns.
    Down(30, 199);
    MoveTo(30 + 40, 199);
    Pump();
    EXPECT_EQ(GetScrollPos(files, SB_HORZ), 86);
    MoveTo(30 + 95, 199);
    Up(30 + 95, 199);
    Pump();
    EXPECT_EQ(GetScrollPos(files, SB_HORZ), 204);
    EXPECT_TRUE(seen.empty()); // working the bar chooses nothing
    // Dragging the rows sideways moves the view and the bar with it.
    Down(150, RowY(0));
    MoveTo(170, RowY(0));
    MoveTo(250, RowY(0) + 3);
    Up(250, RowY(0) + 3);
    Pump();
    EXPECT_EQ(GetScrollPos(files, SB_HORZ), 104);
    EXPECT_TRUE(seen.empty());
    // A tap at x 150, 142 pixels into the list, lands 142 + 104 = 246 into
    // the columns: in the Name column (300 wide), on the second row.
    Tap(150, RowY(1));
    Pump();
    EXPECT_EQ(seen, (std::vector<Note>{{LVN_ITEMCHANGING, IDC_FILES, 1, 0, 0, S | F},
                                       {LVN_ITEMCHANGED, IDC_FILES, 1, 0, 0, S | F},
                                       {NM_CLICK, IDC_FILES, 1, 0, 0, 0}}));
    EXPECT_EQ(GetScrollPos(files, SB_HORZ), 104); // a tap leaves the view where it is
    seen.clear();
    SendMessageW(files, WM_HSCROLL, MAKEWPARAM(SB_RIGHT, 0), 0);
    Tap(150, RowY(2)); // 142 + 204 = 346 in: the Date column
    Pump();
    ASSERT_EQ(seen.size(), 5u);
    EXPECT_EQ(seen[4], (Note{NM_CLICK, IDC_FILES, 2, 1, 0, 0}));
}

TEST_F(ListView, LeftAndRightScrollSidewaysAndEnsureVisibleShowsTheLabel) {
    SendMessageW(files, LVM_SETCOLUMNWIDTH, 0, MAKELPARAM(300, 0));
    FillFiles(20);
    SetState(files, 3, S | F, S | F);
    SetFocus(files);
    Pump();
    seen.clear();
    const auto key = [&](int vk) {
        zorun::PushInput({zorun::InputEvent::Kind::KeyDown, {}, vk, 0});
        zorun::PushInput({zorun::InputEvent::Kind::KeyUp, {}, vk, 0});
        Pump();
        return GetScrollPos(files, SB_HORZ);
    };
    EXPECT_EQ(key(VK_RIGHT), 10);
    EXPECT_EQ(key(VK_RIGHT), 20);
    EXPECT_EQ(key(VK_LEFT), 10);
    EXPECT_EQ(key(VK_LEFT), 0);
    EXPECT_EQ(key(VK_LEFT), 0);
    EXPECT_EQ(GetFocus(), files); // the keys stay with the list
    EXPECT_TRUE(seen.empty());    // and choose nothing
    // Down moves the selection without moving the view sideways.
    key(VK_RIGHT);
    key(VK_DOWN);
    EXPECT_EQ(Next(files, -1, LVNI_SELECTED), 4);
    EXPECT_EQ(GetScrollPos(files, SB_HORZ), 10);
    // LVM_ENSUREVISIBLE brings the item's label into view from its left.
    SendMessageW(files, WM_HSCROLL, MAKEWPARAM(SB_RIGHT, 0), 0);
    EXPECT_TRUE(SendMessageW(files, LVM_ENSUREVISIBLE, 17, FALSE));
    EXPECT_EQ(GetScrollPos(files, SB_HORZ), 0);
    EXPECT_EQ(SendMessageW(files, LVM_GETTOPINDEX, 0, 0), 13);
    EXPECT_FALSE(SendMessageW(files, LVM_ENSUREVISIBLE, 20, FALSE));
}

} // namespace
