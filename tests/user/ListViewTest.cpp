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

} // namespace
