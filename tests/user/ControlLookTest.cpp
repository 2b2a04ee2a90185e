// Pictures, check boxes and group boxes, and how every control asks its
// parent for colours and a font before it paints.

#include "WindowTestSupport.h"

#include <algorithm>
#include <optional>

#include "platform/gdi/Surface.h"
#include "platform/user/Controls.h"
#include "platform/user/Dialog.h"
#include "platform/user/Input.h"

namespace {

constexpr int IDC_PICTURE = 20, IDC_BUTTON_PICTURE = 21, IDC_GROUP = 22, IDC_TIME = 23,
              IDC_INBOX = 24, IDC_LABEL = 25, IDC_EDIT = 26, IDC_READONLY = 27, IDC_LIST = 28,
              IDC_COMBO = 29, IDC_PUSH = 30;

// The dialog's client starts at screen (0, 26); x px = DU * 7 / 4, y px = DU * 14 / 8.
//   picture         DU (0, 0, 24, 24)    -> x 0..41,   y 26..67
//   button picture  DU (0, 30, 12, 10)   -> x 0..20,   y 78..94
//   group box       DU (40, 0, 80, 60)   -> x 70..209, y 26..130
//   "Time"          DU (50, 15, 50, 10)  -> x 87..174, y 52..69
//   "Inbox"         DU (50, 30, 50, 10)  -> x 87..174, y 78..95 (disabled)
//   label           DU (0, 70, 60, 10)   -> x 0..104,  y 148..165
const zorun::DialogItemTemplate kItems[] = {
    {u"STATIC", nullptr, IDC_PICTURE, 0, 0, 24, 24, WS_VISIBLE | SS_BITMAP},
    {u"STATIC", nullptr, IDC_BUTTON_PICTURE, 0, 30, 12, 10, WS_VISIBLE | SS_BITMAP | SS_NOTIFY},
    {u"BUTTON", u"System info", IDC_GROUP, 40, 0, 80, 60, WS_VISIBLE | BS_GROUPBOX},
    {u"BUTTON", u"Time", IDC_TIME, 50, 15, 50, 10, WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX},
    {u"BUTTON", u"Inbox", IDC_INBOX, 50, 30, 50, 10, WS_VISIBLE | WS_DISABLED | BS_AUTOCHECKBOX},
    {u"STATIC", u"A label", IDC_LABEL, 0, 70, 60, 10, WS_VISIBLE},
    {u"EDIT", u"text", IDC_EDIT, 0, 82, 40, 12, WS_VISIBLE | WS_BORDER},
    {u"EDIT", u"fixed", IDC_READONLY, 45, 82, 40, 12, WS_VISIBLE | WS_BORDER | ES_READONLY},
    {u"LISTBOX", nullptr, IDC_LIST, 0, 96, 40, 20, WS_VISIBLE | WS_BORDER},
    {u"COMBOBOX", nullptr, IDC_COMBO, 45, 96, 40, 12, WS_VISIBLE | CBS_DROPDOWNLIST},
    {u"BUTTON", u"Push", IDC_PUSH, 90, 96, 30, 12, WS_VISIBLE},
};
const zorun::DialogTemplate kDialog{910, 137, 153, u"Look", 0, kItems};

struct Seen {
    std::vector<std::pair<int, int>> notes;       // WM_COMMAND (code, id)
    std::vector<std::pair<UINT, int>> colourAsks; // WM_CTLCOLOR* (message, id)
    std::vector<POINT> presses;                   // WM_LBUTTONDOWN on the dialog
    HBRUSH listBrush = nullptr;
    HFONT labelFont = nullptr;
};
Seen* seen = nullptr;

std::intptr_t LookDialogProc(HWND, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        seen->notes.emplace_back(HIWORD(wParam), LOWORD(wParam));
        return 0;
    case WM_LBUTTONDOWN:
        seen->presses.push_back({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        return TRUE;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC: {
        const int id = GetDlgCtrlID(reinterpret_cast<HWND>(lParam));
        seen->colourAsks.emplace_back(message, id);
        if (id == IDC_LABEL && seen->labelFont)
            SelectObject(reinterpret_cast<HDC>(wParam), seen->labelFont);
        if (id == IDC_LIST)
            return reinterpret_cast<std::intptr_t>(seen->listBrush);
        return 0;
    }
    default:
        return 0;
    }
}

// A w x h bitmap of one colour; the right half in `right` when given.
HBITMAP MakeBitmap(int w, int h, COLORREF colour, std::optional<COLORREF> right = {}) {
    HDC mem = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(mem, w, h);
    HGDIOBJ old = SelectObject(mem, bitmap);
    HBRUSH brush = CreateSolidBrush(colour);
    RECT all{0, 0, w, h};
    FillRect(mem, &all, brush);
    DeleteObject(brush);
    if (right) {
        HBRUSH other = CreateSolidBrush(*right);
        RECT half{w / 2, 0, w, h};
        FillRect(mem, &half, other);
        DeleteObject(other);
    }
    SelectObject(mem, old);
    DeleteDC(mem);
    return bitmap;
}

std::uint32_t Rgb(int x, int y) {
    zorun::ComposeScreen();
    return zorun::ScreenSurface().Pixel(x, y) & 0xFFFFFF;
}

// 0x00RRGGBB of a COLORREF, as the screen stores it.
std::uint32_t Screen(COLORREF c) {
    return static_cast<std::uint32_t>(GetRValue(c) << 16 | GetGValue(c) << 8 | GetBValue(c));
}

class ControlLook : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        seen = &state;
        dialog = CreateDialogIndirectParamW(nullptr, &kDialog, nullptr, &LookDialogProc, 0);
        ASSERT_NE(dialog, nullptr);
        ShowWindow(dialog, SW_SHOW);
        Pump();
    }
    void TearDown() override {
        seen = nullptr;
        WindowTest::TearDown();
    }
    HWND Item(int id) const { return GetDlgItem(dialog, id); }
    static void Tap(int x, int y) {
        zorun::PushInput({zorun::InputEvent::Kind::StylusDown, {x, y}, 0, 0});
        zorun::PushInput({zorun::InputEvent::Kind::StylusUp, {x, y}, 0, 0});
    }
    Seen state;
    HWND dialog = nullptr;
};

TEST_F(ControlLook, PictureIsCentredUnscaledClippedAndHandsBackTheOldOne) {
    HWND picture = Item(IDC_PICTURE);
    HBITMAP small = MakeBitmap(10, 6, RGB(255, 0, 0));
    HBITMAP large = MakeBitmap(100, 100, RGB(0, 0, 255), RGB(0, 255, 0));
    EXPECT_EQ(SendMessageW(picture, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(small)),
              0);
    Pump();
    // 42 x 42 box: the 10 x 6 picture sits at (16, 18)..(25, 23) of it.
    EXPECT_EQ(Rgb(16, 26 + 18), 0xFF0000u);
    EXPECT_EQ(Rgb(25, 26 + 23), 0xFF0000u);
    EXPECT_EQ(Rgb(15, 26 + 18), 0xFFFFFFu);
    EXPECT_EQ(Rgb(16, 26 + 24), 0xFFFFFFu);

    // A picture of another kind is refused and the bitmap stays.
    EXPECT_EQ(SendMessageW(picture, STM_SETIMAGE, IMAGE_ICON, 1234), 0);
    EXPECT_EQ(SendMessageW(picture, STM_GETIMAGE, IMAGE_BITMAP, 0),
              reinterpret_cast<LRESULT>(small));

    EXPECT_EQ(SendMessageW(picture, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(large)),
              reinterpret_cast<LRESULT>(small));
    Pump();
    // The middle of the 100 x 100 picture: its halves meet at x 21; nothing
    // is drawn outside the box.
    EXPECT_EQ(Rgb(0, 26), 0x0000FFu);
    EXPECT_EQ(Rgb(20, 60), 0x0000FFu);
    EXPECT_EQ(Rgb(21, 60), 0x00FF00u);
    EXPECT_EQ(Rgb(41, 67), 0x00FF00u);
    EXPECT_EQ(Rgb(42, 60), 0xFFFFFFu);
    EXPECT_EQ(Rgb(20, 68), 0xFFFFFFu);

    // No picture: the box is empty again.
    EXPECT_EQ(SendMessageW(picture, STM_SETIMAGE, IMAGE_BITMAP, 0),
              reinterpret_cast<LRESULT>(large));
    Pump();
    EXPECT_EQ(Rgb(20, 60), 0xFFFFFFu);
    DeleteObject(small);
    DeleteObject(large);
}

TEST_F(ControlLook, APictureButtonReportsThePressAndLabelsLetTheStylusThrough) {
    zorun::PushInput({zorun::InputEvent::Kind::StylusDown, {10, 85}, 0, 0});
    Pump();
    EXPECT_EQ(state.notes, (std::vector<std::pair<int, int>>{{STN_CLICKED, IDC_BUTTON_PICTURE}}));
    zorun::PushInput({zorun::InputEvent::Kind::StylusUp, {10, 85}, 0, 0});
    Pump();
    EXPECT_EQ(state.notes.size(), 1u);

    // A plain label is no target: the dialog beneath hears the press.
    Tap(20, 155);
    Pump();
    ASSERT_EQ(state.presses.size(), 1u);
    EXPECT_EQ(state.presses[0].y, 155 - 26);
}

TEST_F(ControlLook, CheckBoxesInsideAGroupBoxToggleByTapAndSpace) {
    HWND time = Item(IDC_TIME), inbox = Item(IDC_INBOX);
    SendMessageW(inbox, BM_SETCHECK, BST_CHECKED, 0);
    SendMessageW(time, BM_SETCHECK, BST_CHECKED, 0);
    EXPECT_TRUE(state.notes.empty()); // set by the program: no notification
    // The group box lies over both boxes; taps still reach them.
    Tap(95, 60);
    Pump();
    EXPECT_EQ(SendMessageW(time, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    SetFocus(time);
    zorun::PushInput({zorun::InputEvent::Kind::KeyDown, {}, VK_SPACE, u' '});
    Pump();
    EXPECT_EQ(SendMessageW(time, BM_GETCHECK, 0, 0), BST_CHECKED);
    Tap(95, 86); // disabled: nothing
    Pump();
    EXPECT_EQ(SendMessageW(inbox, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(state.notes,
              (std::vector<std::pair<int, int>>{{BN_CLICKED, IDC_TIME}, {BN_CLICKED, IDC_TIME}}));

    // Repainting the group box leaves the boxes inside it as they were.
    std::vector<std::uint32_t> before;
    for (int x = 87; x < 101; ++x)
        before.push_back(Rgb(x, 60));
    InvalidateRect(Item(IDC_GROUP), nullptr, TRUE);
    Pump();
    for (int x = 87; x < 101; ++x)
        EXPECT_EQ(Rgb(x, 60), before[static_cast<std::size_t>(x - 87)]) << "x " << x;
}

TEST_F(ControlLook, EachControlAsksItsParentForColoursOfItsKind) {
    state.colourAsks.clear();
    InvalidateRect(dialog, nullptr, TRUE);
    Pump();
    auto askedBy = [&](int id) {
        std::vector<UINT> messages;
        for (const auto& [message, from] : state.colourAsks)
            if (from == id &&
                std::find(messages.begin(), messages.end(), message) == messages.end())
                messages.push_back(message);
        return messages;
    };
    EXPECT_EQ(askedBy(IDC_EDIT), std::vector<UINT>{WM_CTLCOLOREDIT});
    EXPECT_EQ(askedBy(IDC_READONLY), std::vector<UINT>{WM_CTLCOLORSTATIC});
    EXPECT_EQ(askedBy(IDC_LIST), std::vector<UINT>{WM_CTLCOLORLISTBOX});
    EXPECT_EQ(askedBy(IDC_COMBO), std::vector<UINT>{WM_CTLCOLOREDIT});
    EXPECT_EQ(askedBy(IDC_PUSH), std::vector<UINT>{WM_CTLCOLORBTN});
    EXPECT_EQ(askedBy(IDC_TIME), std::vector<UINT>{WM_CTLCOLORSTATIC});
    EXPECT_EQ(askedBy(IDC_GROUP), std::vector<UINT>{WM_CTLCOLORSTATIC});
    EXPECT_EQ(askedBy(IDC_LABEL), std::vector<UINT>{WM_CTLCOLORSTATIC});
    EXPECT_EQ(askedBy(IDC_PICTURE), std::vector<UINT>{WM_CTLCOLORSTATIC});
    // A disabled edit is a label too.
    state.colourAsks.clear();
    EnableWindow(Item(IDC_EDIT), FALSE);
    Pump();
    EXPECT_EQ(askedBy(IDC_EDIT), std::vector<UINT>{WM_CTLCOLORSTATIC});
}

TEST_F(ControlLook, TheParentsBrushAndFontAreUsed) {
    // The label's lowest inked row, with the dialog font and then with a
    // much taller font selected by the parent.
    auto lowestInk = [] {
        int lowest = -1;
        for (int y = 148; y < 166; ++y)
            for (int x = 0; x < 104; ++x)
                if (Rgb(x, y) != 0xFFFFFFu)
                    lowest = y;
        return lowest;
    };
    const int plain = lowestInk();
    ASSERT_GT(plain, 148);
    LOGFONTW tall{};
    tall.lfHeight = -16;
    state.labelFont = CreateFontIndirectW(&tall);
    state.listBrush = CreateSolidBrush(RGB(255, 0, 0));
    InvalidateRect(dialog, nullptr, TRUE);
    Pump();
    EXPECT_GT(lowestInk(), plain);
    EXPECT_EQ(Rgb(10, 26 + 96 * 14 / 8 + 10), Screen(RGB(255, 0, 0))); // inside the list box
    DestroyWindow(dialog);
    DeleteObject(state.labelFont);
    DeleteObject(state.listBrush);
}

TEST_F(ControlLook, EveryControlKeepsTheFontItIsGiven) {
    LOGFONTW description{};
    description.lfHeight = 15;
    HFONT font = CreateFontIndirectW(&description);
    for (int id :
         {IDC_PICTURE, IDC_GROUP, IDC_TIME, IDC_LABEL, IDC_EDIT, IDC_LIST, IDC_COMBO, IDC_PUSH}) {
        SendMessageW(Item(id), WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
        EXPECT_EQ(SendMessageW(Item(id), WM_GETFONT, 0, 0), reinterpret_cast<LRESULT>(font))
            << "control " << id;
    }
    DestroyWindow(dialog);
    DeleteObject(font);
}

} // namespace
