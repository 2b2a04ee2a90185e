// The soft keyboard on the screen: it rises and falls with the work area,
// the command bar's button toggles it, a tap types into the focused window
// as a physical key would without moving the focus or the activation,
// Backspace repeats while held, and a dialog keeps the field being typed
// into above the keyboard.

#include <gtest/gtest.h>

#include "WindowTestSupport.h"

#include "platform/gdi/Surface.h"
#include "platform/user/Chrome.h"
#include "platform/user/Controls.h"
#include "platform/user/Dialog.h"
#include "platform/user/Input.h"
#include "platform/user/SoftKeyboard.h"
#include "platform/user/SoftKeyboardLayout.h"
#include "platform/user/WorkArea.h"

namespace {

using Action = zorun::SoftKeyboardLayout::Action;
using zorun::kSoftKeyboardRect;

constexpr LPARAM kRepeated = LPARAM{1} << 30;
constexpr LPARAM kReleased = kRepeated | (LPARAM{1} << 31);

// Screen point in the middle of a key (keys keep their places on every page).
POINT KeyPoint(Action action, char16_t character = 0) {
    zorun::SoftKeyboardLayout layout;
    for (const auto& key : layout.Keys())
        if (key.action == action && (action != Action::Character || key.character == character))
            return {key.rect.left + key.rect.Width() / 2,
                    kSoftKeyboardRect.top + key.rect.top + key.rect.Height() / 2};
    ADD_FAILURE() << "no such key";
    return {};
}

void Stylus(zorun::InputEvent::Kind kind, POINT p) {
    zorun::PushInput({kind, p});
}
void Tap(POINT p) {
    Stylus(zorun::InputEvent::Kind::StylusDown, p);
    Stylus(zorun::InputEvent::Kind::StylusUp, p);
}

bool AnyPixel(const RECT& r, std::uint32_t rgb) {
    zorun::ComposeScreen();
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            if ((zorun::ScreenSurface().Pixel(x, y) & 0xFFFFFF) == rgb)
                return true;
    return false;
}

class SoftKeyboard : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        zorun::EnsureChrome();
        frame = MakeWindow({0, 26, 240, 294});
        field = MakeWindow({10, 10, 100, 30}, frame, WS_CHILD | WS_VISIBLE, 1);
        SetFocus(field);
        Pump();
        ClearLog();
    }
    std::vector<Logged> Keys() const { return Only({WM_KEYDOWN, WM_CHAR, WM_KEYUP}); }
    // The characters the field received.
    std::u16string Typed() const {
        std::u16string typed;
        for (const Logged& l : Only({WM_CHAR}))
            typed += static_cast<char16_t>(l.wParam);
        return typed;
    }

    HWND frame = nullptr;
    HWND field = nullptr;
};

TEST_F(SoftKeyboard, RisesOverTheBottomOfTheWorkAreaAndEveryWindowHearsOfIt) {
    HWND other = MakeWindow({0, 26, 240, 100});
    SetFocus(field);
    ClearLog();
    zorun::ShowSoftKeyboard(frame, true);
    HWND keyboard = zorun::SoftKeyboardWindow();
    ASSERT_NE(keyboard, nullptr);
    EXPECT_TRUE(IsWindowVisible(keyboard));
    RECT r{};
    GetWindowRect(keyboard, &r);
    EXPECT_EQ(r, (RECT{0, 214, 240, 294}));
    EXPECT_EQ(zorun::CurrentWorkArea(), (RECT{0, 26, 240, 214}));
    SIPINFO info{};
    info.cbSize = sizeof info;
    ASSERT_TRUE(SystemParametersInfoW(SPI_GETSIPINFO, sizeof info, &info, 0));
    EXPECT_TRUE(info.fdwFlags & SIPF_ON);
    EXPECT_EQ(info.rcVisibleDesktop, (RECT{0, 26, 240, 214}));
    EXPECT_EQ(info.rcSipRect, kSoftKeyboardRect);
    // Top of the z-order first: the frame, active since its field has the focus.
    EXPECT_EQ(Only({WM_SETTINGCHANGE}),
              (std::vector<Logged>{{frame, WM_SETTINGCHANGE, SPI_SETSIPINFO, 0},
                                   {other, WM_SETTINGCHANGE, SPI_SETSIPINFO, 0}}));
    // Rising never takes the focus or the activation.
    EXPECT_EQ(GetFocus(), field);
    EXPECT_EQ(GetActiveWindow(), frame);

    // Asked again while up, only the one asking hears it again.
    ClearLog();
    zorun::ShowSoftKeyboard(field, true);
    EXPECT_EQ(Only({WM_SETTINGCHANGE}),
              (std::vector<Logged>{{frame, WM_SETTINGCHANGE, SPI_SETSIPINFO, 0}}));

    ClearLog();
    zorun::ShowSoftKeyboard(frame, false);
    EXPECT_FALSE(IsWindowVisible(keyboard));
    RECT area{};
    ASSERT_TRUE(SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0));
    EXPECT_EQ(area, (RECT{0, 26, 240, 294}));
    EXPECT_EQ(Only({WM_SETTINGCHANGE}).size(), 2u);

    // Down, it takes no press from the window under it.
    DestroyWindow(other);
    ClearLog();
    Tap({120, 250});
    Pump();
    EXPECT_EQ(Only({WM_LBUTTONDOWN}),
              (std::vector<Logged>{{frame, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(120, 224)}}));
}

TEST_F(SoftKeyboard, TheCommandBarButtonTogglesItAndShowsItsState) {
    const RECT button{214, 296, 240, 320};
    const std::uint32_t kLitBlue = 0x245294; // the button's keys while the keyboard is up
    EXPECT_FALSE(AnyPixel(button, kLitBlue));
    Tap({226, 306});
    Pump();
    EXPECT_TRUE(zorun::SoftKeyboardUp());
    EXPECT_TRUE(AnyPixel(button, kLitBlue));
    EXPECT_EQ(GetFocus(), field);
    EXPECT_EQ(GetActiveWindow(), frame);
    Tap({226, 306});
    Pump();
    EXPECT_FALSE(zorun::SoftKeyboardUp());
    EXPECT_FALSE(AnyPixel(button, kLitBlue));

    // Turned off: no button, and a tap there raises nothing.
    zorun::SetSoftKeyboardAvailable(false);
    Pump();
    EXPECT_FALSE(AnyPixel(button, 0x424B5C)); // the button's outline
    Tap({226, 306});
    zorun::ShowSoftKeyboard(frame, true);
    Pump();
    EXPECT_FALSE(zorun::SoftKeyboardUp());
    EXPECT_EQ(zorun::CurrentWorkArea(), zorun::kWorkArea);
}

TEST_F(SoftKeyboard, ATapTypesIntoTheFocusedWindowWithoutMovingFocusOrActivation) {
    zorun::ShowSoftKeyboard(frame, true);
    Pump();
    ClearLog();
    Tap(KeyPoint(Action::Character, u'q'));
    Pump();
    EXPECT_EQ(Keys(), (std::vector<Logged>{{field, WM_KEYDOWN, 'Q', 1},
                                           {field, WM_CHAR, u'q', 1},
                                           {field, WM_KEYUP, 'Q', kReleased | 1}}));
    EXPECT_TRUE(Only({WM_SETFOCUS, WM_KILLFOCUS, WM_ACTIVATE}).empty());
    EXPECT_EQ(GetFocus(), field);
    EXPECT_EQ(GetActiveWindow(), frame);

    // A press can slide to the right key; lifted off the keys, it types nothing.
    ClearLog();
    Stylus(zorun::InputEvent::Kind::StylusDown, KeyPoint(Action::Character, u'w'));
    Stylus(zorun::InputEvent::Kind::StylusMove, KeyPoint(Action::Character, u'e'));
    Stylus(zorun::InputEvent::Kind::StylusUp, KeyPoint(Action::Character, u'e'));
    Stylus(zorun::InputEvent::Kind::StylusDown, KeyPoint(Action::Character, u'r'));
    Stylus(zorun::InputEvent::Kind::StylusUp, {120, 150});
    Pump();
    EXPECT_EQ(Typed(), u"e");
    EXPECT_TRUE(Only({WM_LBUTTONDOWN, WM_LBUTTONUP}).empty());
}

TEST_F(SoftKeyboard, BackspaceRepeatsWhileHeldOnIt) {
    zorun::ShowSoftKeyboard(frame, true);
    Pump();
    ClearLog();
    const POINT back = KeyPoint(Action::Backspace);
    Stylus(zorun::InputEvent::Kind::StylusDown, back);
    Pump();
    EXPECT_EQ(Keys(),
              (std::vector<Logged>{{field, WM_KEYDOWN, VK_BACK, 1}, {field, WM_CHAR, 0x08, 1}}));
    auto downsAfter = [&](std::uint64_t ms) {
        ClearLog();
        clock.Advance(ms);
        Pump();
        return Only({WM_KEYDOWN});
    };
    EXPECT_TRUE(downsAfter(zorun::kKeyRepeatDelayMs - 1).empty());
    EXPECT_EQ(downsAfter(1), (std::vector<Logged>{{field, WM_KEYDOWN, VK_BACK, kRepeated | 1}}));
    EXPECT_EQ(downsAfter(zorun::kKeyRepeatIntervalMs).size(), 1u);
    EXPECT_EQ(downsAfter(zorun::kKeyRepeatIntervalMs).size(), 1u);

    // Off the key it stops; back on it starts again after the first delay.
    Stylus(zorun::InputEvent::Kind::StylusMove, KeyPoint(Action::Character, u'm'));
    EXPECT_TRUE(downsAfter(1000).empty());
    Stylus(zorun::InputEvent::Kind::StylusMove, back);
    EXPECT_TRUE(downsAfter(zorun::kKeyRepeatIntervalMs).empty());
    EXPECT_EQ(downsAfter(zorun::kKeyRepeatDelayMs).size(), 1u);

    ClearLog();
    Stylus(zorun::InputEvent::Kind::StylusUp, back);
    Pump();
    EXPECT_EQ(Keys(), (std::vector<Logged>{{field, WM_KEYUP, VK_BACK, kReleased | 1}}));
    EXPECT_TRUE(downsAfter(1000).empty());
    EXPECT_EQ(GetFocus(), field);
}

TEST_F(SoftKeyboard, TypesIntoAnEditControl) {
    zorun::RegisterBuiltinControls();
    HWND edit = CreateWindowExW(0, u"EDIT", u"", WS_CHILD | WS_VISIBLE | WS_BORDER, 10, 40, 150, 22,
                                frame, reinterpret_cast<HMENU>(2), nullptr, nullptr);
    SetFocus(edit);
    zorun::ShowSoftKeyboard(edit, true);
    for (POINT p : {KeyPoint(Action::Shift), KeyPoint(Action::Character, u'h'),
                    KeyPoint(Action::Character, u'e'), KeyPoint(Action::Character, u'y'),
                    KeyPoint(Action::Backspace), KeyPoint(Action::Character, u'i'),
                    KeyPoint(Action::PageSwitch), KeyPoint(Action::Character, u'1')})
        Tap(p);
    Pump();
    EXPECT_EQ(GetWindowText(edit), u"Hei!");
}

// --- dialogs and the work area

std::vector<Logged> dialogLog;

std::intptr_t LoggingDialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    dialogLog.push_back({hwnd, message, wParam, lParam});
    return 0;
}

constexpr int IDC_TOP = 10, IDC_LOW = 11;
// Fields at client y 7..28 and 201..222 (screen 33..54 and 227..248).
const zorun::DialogItemTemplate kFields[] = {
    {u"EDIT", u"", IDC_TOP, 4, 4, 80, 12, WS_VISIBLE | WS_BORDER | WS_TABSTOP},
    {u"EDIT", u"", IDC_LOW, 4, 115, 80, 12, WS_VISIBLE | WS_BORDER | WS_TABSTOP},
};
const zorun::DialogTemplate kFullScreen{9100, 135, 150, u"Fields", 0, kFields};
const zorun::DialogTemplate kCentred{9101, 100, 80, u"Small", DS_CENTER, {}};

class SoftKeyboardDialog : public SoftKeyboard {
  protected:
    HWND Open(const zorun::DialogTemplate& t) {
        dialogLog.clear();
        HWND dialog = CreateDialogIndirectParamW(nullptr, &t, frame, &LoggingDialogProc, 0);
        ShowWindow(dialog, SW_SHOW);
        Pump();
        return dialog;
    }
    static RECT Rect(HWND hwnd) {
        RECT r{};
        GetWindowRect(hwnd, &r);
        return r;
    }
    static bool HeardSize() {
        for (const Logged& l : dialogLog)
            if (l.message == WM_SIZE)
                return true;
        return false;
    }
};

TEST_F(SoftKeyboardDialog, AFullScreenDialogKeepsItsFocusedFieldAboveTheKeyboard) {
    HWND dialog = Open(kFullScreen);
    HWND low = GetDlgItem(dialog, IDC_LOW);
    SetFocus(low);
    dialogLog.clear();
    zorun::ShowSoftKeyboard(dialog, true);
    EXPECT_TRUE(HeardSize());
    const RECT shown = Rect(low);
    EXPECT_LE(shown.bottom, kSoftKeyboardRect.top);
    EXPECT_GE(shown.top, zorun::kWorkArea.top);
    EXPECT_EQ(Rect(dialog).bottom, kSoftKeyboardRect.top);

    // The field at the top needs no move: the dialog only shrinks.
    SetFocus(GetDlgItem(dialog, IDC_TOP));
    zorun::ShowSoftKeyboard(dialog, true);
    EXPECT_EQ(Rect(dialog), (RECT{0, 26, 240, 214}));

    dialogLog.clear();
    zorun::ShowSoftKeyboard(dialog, false);
    EXPECT_EQ(Rect(dialog), zorun::kWorkArea);
    EXPECT_TRUE(HeardSize());
    DestroyWindow(dialog);
}

TEST_F(SoftKeyboardDialog, ASmallDialogMovesUpOnlyAsFarAsItMust) {
    HWND dialog = Open(kCentred); // 175 x 140, centred: y 90..230
    const RECT home = Rect(dialog);
    ASSERT_EQ(home, (RECT{32, 90, 207, 230}));
    zorun::ShowSoftKeyboard(dialog, true);
    EXPECT_EQ(Rect(dialog), (RECT{32, 74, 207, 214}));
    zorun::ShowSoftKeyboard(dialog, false);
    EXPECT_EQ(Rect(dialog), home);
    DestroyWindow(dialog);
}

TEST_F(SoftKeyboardDialog, TypingIntoAFieldUnderTheKeyboardBringsItIntoView) {
    HWND dialog = Open(kFullScreen);
    SetFocus(GetDlgItem(dialog, IDC_TOP));
    zorun::ShowSoftKeyboard(dialog, true);
    HWND low = GetDlgItem(dialog, IDC_LOW);
    SetFocus(low); // as Tab would, without asking for the keyboard
    ASSERT_GT(Rect(low).bottom, kSoftKeyboardRect.top);
    Tap(KeyPoint(Action::Character, u'x'));
    Pump();
    EXPECT_LE(Rect(low).bottom, kSoftKeyboardRect.top);
    EXPECT_EQ(GetWindowText(low), u"x");
    DestroyWindow(dialog);
}

TEST_F(SoftKeyboardDialog, TheKeyboardGoesDownWithTheWindowItRoseFor) {
    HWND dialog = Open(kFullScreen);
    zorun::ShowSoftKeyboard(dialog, true);
    SetActiveWindow(dialog);
    DestroyWindow(dialog);
    EXPECT_FALSE(zorun::SoftKeyboardUp());
    EXPECT_EQ(zorun::CurrentWorkArea(), zorun::kWorkArea);
    // Raised for a window that stays, it stays up.
    zorun::ShowSoftKeyboard(frame, true);
    HWND box = MakeWindow({20, 100, 220, 180}, frame);
    DestroyWindow(box);
    EXPECT_TRUE(zorun::SoftKeyboardUp());
}

} // namespace
