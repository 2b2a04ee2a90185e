// The built-in controls inside a modeless dialog: list box, combo box, edit
// and buttons driven by taps and keys, with their notifications.

#include "WindowTestSupport.h"

#include "platform/gdi/Surface.h"
#include "platform/user/ControlListModel.h"
#include "platform/user/Controls.h"
#include "platform/user/Dialog.h"
#include "platform/user/Input.h"

namespace {

constexpr int IDC_LIST = 10, IDC_EDIT = 11, IDC_COMBO = 12, IDC_R1 = 13, IDC_R2 = 14, IDC_R3 = 15,
              IDC_SORTED = 16;

// Screen rectangles (the dialog's client starts at y 26):
//   list  DU (0, 0, 100, 40)  -> x 0..174,  y 26..95  (4 rows of 16 inside the frame)
//   edit  DU (0, 50, 100, 12) -> x 0..174,  y 113..134
//   combo DU (0, 70, 60, 12)  -> x 0..104,  y 148..169
const zorun::DialogItemTemplate kItems[] = {
    {u"LISTBOX", nullptr, IDC_LIST, 0, 0, 100, 40,
     WS_VISIBLE | WS_BORDER | WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY},
    {u"EDIT", u"", IDC_EDIT, 0, 50, 100, 12, WS_VISIBLE | WS_BORDER | WS_TABSTOP},
    {u"COMBOBOX", nullptr, IDC_COMBO, 0, 70, 60, 12, WS_VISIBLE | WS_TABSTOP | CBS_DROPDOWNLIST},
    {u"BUTTON", u"One", IDC_R1, 0, 90, 60, 10, WS_VISIBLE | WS_GROUP | BS_AUTORADIOBUTTON},
    {u"BUTTON", u"Two", IDC_R2, 0, 100, 60, 10, WS_VISIBLE | BS_AUTORADIOBUTTON},
    {u"BUTTON", u"Other group", IDC_R3, 0, 110, 60, 10, WS_VISIBLE | WS_GROUP | BS_AUTORADIOBUTTON},
    {u"LISTBOX", nullptr, IDC_SORTED, 110, 0, 20, 20, LBS_SORT},
};
const zorun::DialogTemplate kDialog{900, 135, 150, u"Controls", 0, kItems};

// WM_COMMAND notifications (code, id) the dialog received.
std::vector<std::pair<int, int>> notes;

void Tap(int x, int y) {
    zorun::PushInput({zorun::InputEvent::Kind::StylusDown, {x, y}, 0, 0});
    zorun::PushInput({zorun::InputEvent::Kind::StylusUp, {x, y}, 0, 0});
}
void Key(int vk) {
    // With the character a keyboard gives the key (Backspace is the character 8).
    const char16_t character =
        vk == VK_BACK || vk == VK_TAB || vk == VK_RETURN || vk == VK_ESCAPE || vk == VK_SPACE
            ? static_cast<char16_t>(vk)
            : 0;
    zorun::PushInput({zorun::InputEvent::Kind::KeyDown, {}, vk, character});
}
void Type(std::u16string_view text) {
    for (char16_t c : text)
        zorun::PushInput({zorun::InputEvent::Kind::Char, {}, 0, c});
}

class Controls : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        dialog = CreateDialogIndirectParamW(nullptr, &kDialog, nullptr, &Proc, 0);
        ASSERT_NE(dialog, nullptr);
        ShowWindow(dialog, SW_SHOW);
        list = GetDlgItem(dialog, IDC_LIST);
        edit = GetDlgItem(dialog, IDC_EDIT);
        combo = GetDlgItem(dialog, IDC_COMBO);
        notes.clear();
    }
    static const std::vector<std::pair<int, int>>& Notes() { return notes; }
    // Records notifications and leaves everything to the dialog manager.
    static std::intptr_t Proc(HWND, UINT message, WPARAM wParam, LPARAM) {
        if (message == WM_COMMAND)
            notes.emplace_back(HIWORD(wParam), LOWORD(wParam));
        return 0;
    }
    HWND dialog = nullptr, list = nullptr, edit = nullptr, combo = nullptr;
};

TEST_F(Controls, ListBoxSelectsByTapAndKeysAndScrolls) {
    for (const char16_t* t : {u"a", u"b", u"c", u"d", u"e", u"f"})
        SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(t));
    Tap(20, 27 + 16 + 8); // row 1
    Pump();
    EXPECT_EQ(SendMessageW(list, LB_GETCURSEL, 0, 0), 1);
    Key(VK_DOWN);
    Key(VK_DOWN);
    Key(VK_DOWN);
    Key(VK_DOWN);
    Key(VK_DOWN); // already on the last: nothing
    Pump();
    EXPECT_EQ(SendMessageW(list, LB_GETCURSEL, 0, 0), 5);
    EXPECT_EQ(SendMessageW(list, LB_GETTOPINDEX, 0, 0), 2); // scrolled to keep it in view
    EXPECT_EQ(Notes(), (std::vector<std::pair<int, int>>(5, {LBN_SELCHANGE, IDC_LIST})));
    // The selected row is dark blue: row 3 of the view now.
    zorun::ComposeScreen();
    EXPECT_EQ(zorun::ScreenSurface().Pixel(150, 27 + 3 * 16 + 2) & 0xFFFFFF, 0x000080u);

    // The scroll bar's up arrow (top right, 11 pixels) scrolls by one item.
    Tap(174 - 6, 27 + 5);
    Pump();
    EXPECT_EQ(SendMessageW(list, LB_GETTOPINDEX, 0, 0), 1);

    // Two taps on one item soon after each other: a double tap.
    notes.clear();
    Tap(20, 27 + 8);
    Tap(20, 27 + 8);
    Pump();
    EXPECT_EQ(Notes(), (std::vector<std::pair<int, int>>{{LBN_SELCHANGE, IDC_LIST},
                                                         {LBN_DBLCLK, IDC_LIST}}));
}

TEST_F(Controls, ListBoxMessagesKeepTheSelectionRight) {
    for (const char16_t* t : {u"a", u"b", u"c"})
        SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(t));
    EXPECT_EQ(SendMessageW(list, LB_SETCURSEL, 2, 0), 2);
    EXPECT_EQ(SendMessageW(list, LB_SETCURSEL, 7, 0), LB_ERR); // out of range: none
    EXPECT_EQ(SendMessageW(list, LB_GETCURSEL, 0, 0), -1);
    SendMessageW(list, LB_SETCURSEL, 2, 0);
    SendMessageW(list, LB_DELETESTRING, 0, 0);
    EXPECT_EQ(SendMessageW(list, LB_GETCURSEL, 0, 0), 1); // still "c"
    SendMessageW(list, LB_INSERTSTRING, 0, reinterpret_cast<LPARAM>(u"z"));
    EXPECT_EQ(zorun::ListItemText(list, SendMessageW(list, LB_GETCURSEL, 0, 0)), u"c");
    EXPECT_EQ(zorun::ListItemText(list, 0), u"z");
    EXPECT_EQ(zorun::ListItemText(list, 9), u"");
    EXPECT_EQ(SendMessageW(list, LB_GETTEXTLEN, 9, 0), LB_ERR);
    EXPECT_EQ(SendMessageW(list, LB_DELETESTRING, 9, 0), LB_ERR);
    EXPECT_EQ(SendMessageW(list, LB_ADDSTRING, 0, 0), LB_ERR);
    SendMessageW(list, LB_RESETCONTENT, 0, 0);
    EXPECT_EQ(SendMessageW(list, LB_GETCOUNT, 0, 0), 0);
    EXPECT_EQ(SendMessageW(list, LB_GETCURSEL, 0, 0), -1);
    // Sorted lists ignore case.
    HWND sorted = GetDlgItem(dialog, IDC_SORTED);
    for (const char16_t* t : {u"beta", u"Alpha", u"gamma", u"Äpfel"})
        SendMessageW(sorted, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(t));
    EXPECT_EQ(zorun::ListItemText(sorted, 0), u"Alpha");
    EXPECT_EQ(zorun::ListItemText(sorted, 1), u"beta");
}

TEST_F(Controls, EditTypingCaretAndLimits) {
    SetFocus(edit); // selects everything
    Type(u"ac");
    Key(VK_LEFT);
    Type(u"b"); // between a and c
    Key(VK_RIGHT);
    Key(VK_BACK);
    Key(VK_BACK);
    Type(u"BC");
    Pump();
    EXPECT_EQ(GetWindowText(edit), u"aBC");
    // A limit keeps the text short; the selection is replaced within it.
    SendMessageW(edit, EM_LIMITTEXT, 4, 0);
    Type(u"xyz");
    Pump();
    EXPECT_EQ(GetWindowText(edit), u"aBCx");
    SendMessageW(edit, EM_SETSEL, 0, -1);
    Type(u"q");
    Key(VK_DELETE); // nothing after the caret
    Pump();
    EXPECT_EQ(GetWindowText(edit), u"q");
    // Read-only: no typing, no deleting.
    SendMessageW(edit, EM_SETREADONLY, TRUE, 0);
    Type(u"zz");
    Key(VK_BACK);
    Pump();
    EXPECT_EQ(GetWindowText(edit), u"q");
    int changes = 0;
    for (const auto& note : Notes())
        changes += note == std::pair<int, int>{EN_CHANGE, IDC_EDIT};
    EXPECT_EQ(changes, 9); // a, c, b, two deletions, B, C, x, q: moving the caret is no change
}

TEST_F(Controls, ComboBoxChoosesFromItsDropDownList) {
    for (const char16_t* t : {u"Date", u"Region", u"Both"})
        SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(t));
    SendMessageW(combo, CB_SETCURSEL, 0, 0);
    // The list opens below the box (y 170..), one row of 16 per item.
    Tap(50, 158);
    Tap(50, 170 + 16 + 8); // "Region"
    Pump();
    EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), 1);
    EXPECT_FALSE(SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0));
    // A tap outside closes it without a change; keys change it directly.
    Tap(50, 158);
    Tap(200, 280);
    Key(VK_DOWN);
    Pump();
    EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), 2);
    int selChanges = 0;
    for (const auto& note : Notes())
        selChanges += note == std::pair<int, int>{CBN_SELCHANGE, IDC_COMBO};
    EXPECT_EQ(selChanges, 2);
    EXPECT_EQ(zorun::ListItemText(combo, 2), u"Both");
}

TEST_F(Controls, RadioButtonsCheckOnlyWithinTheirGroup) {
    HWND r1 = GetDlgItem(dialog, IDC_R1), r2 = GetDlgItem(dialog, IDC_R2),
         r3 = GetDlgItem(dialog, IDC_R3);
    SendMessageW(r3, BM_CLICK, 0, 0);
    SendMessageW(r1, BM_CLICK, 0, 0);
    EXPECT_EQ(SendMessageW(r1, BM_GETCHECK, 0, 0), BST_CHECKED);
    SendMessageW(r2, BM_CLICK, 0, 0);
    EXPECT_EQ(SendMessageW(r1, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(SendMessageW(r2, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(SendMessageW(r3, BM_GETCHECK, 0, 0), BST_CHECKED); // another group
    // A press that slides off the button before lifting does not click.
    notes.clear();
    zorun::PushInput({zorun::InputEvent::Kind::StylusDown, {20, 26 + 175 + 5}, 0, 0});
    zorun::PushInput({zorun::InputEvent::Kind::StylusMove, {200, 26 + 175 + 5}, 0, 0});
    zorun::PushInput({zorun::InputEvent::Kind::StylusUp, {200, 26 + 175 + 5}, 0, 0});
    Pump();
    EXPECT_TRUE(Notes().empty());
    EXPECT_EQ(SendMessageW(r1, BM_GETCHECK, 0, 0), BST_UNCHECKED);
}

} // namespace

namespace {

const zorun::DialogItemTemplate kStaticItems[] = {
    {u"STATIC", u"Zorun Version 3.04", 30, 0, 0, 100, 10, WS_VISIBLE},
    {u"STATIC", u"#9999", 31, 0, 20, 20, 20, WS_VISIBLE | SS_ICON}, // no such icon: blank
};
const zorun::DialogTemplate kStaticDialog{901, 135, 150, u"Version", 0, kStaticItems};

HBRUSH colourBrush = nullptr;

std::intptr_t ColouringProc(HWND, UINT message, WPARAM wParam, LPARAM) {
    if (message != WM_CTLCOLORSTATIC)
        return 0;
    SetTextColor(reinterpret_cast<HDC>(wParam), RGB(0, 0, 255));
    return reinterpret_cast<std::intptr_t>(colourBrush);
}

TEST_F(WindowTest, StaticsTakeTheirParentsColours) {
    colourBrush = CreateSolidBrush(RGB(255, 0, 0));
    HWND dialog = CreateDialogIndirectParamW(nullptr, &kStaticDialog, nullptr, ColouringProc, 0);
    ASSERT_NE(dialog, nullptr);
    ShowWindow(dialog, SW_SHOW);
    Pump();
    zorun::ComposeScreen();
    const auto& screen = zorun::ScreenSurface();
    EXPECT_EQ(screen.Pixel(170, 30) & 0xFFFFFF, 0xFF0000u); // the brush fills the control
    bool blueText = false;
    for (int y = 26; y < 43 && !blueText; ++y)
        for (int x = 0; x < 100 && !blueText; ++x)
            blueText = (screen.Pixel(x, y) & 0xFFFFFF) == 0x0000FFu;
    EXPECT_TRUE(blueText);
    EXPECT_EQ(screen.Pixel(10, 26 + 40) & 0xFFFFFF, 0xFF0000u); // the icon-less static
    DestroyWindow(dialog);
    DeleteObject(colourBrush);
}

} // namespace
