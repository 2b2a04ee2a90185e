// The one-line edit control: what it tells its parent, in order, as the
// user types, taps, drags and moves between fields; its selection and
// limit messages; surrogate pairs; scrolling; read-only and disabled looks.

#include "WindowTestSupport.h"

#include "platform/base/Text.h"
#include "platform/gdi/Surface.h"
#include "platform/user/Clipboard.h"
#include "platform/user/Controls.h"
#include "platform/user/Dialog.h"
#include "platform/user/Input.h"
#include "platform/user/WindowSystem.h"

namespace {

constexpr int IDC_NAME = 1013, IDC_SHORT = 1014, IDC_NARROW = 1015, IDC_FIXED = 1012,
              IDC_OFF = 1016;

// Dialog client at (0, 26):
//   name    DU (0, 0, 100, 12)  -> x 0..174, y 26..46, ES_AUTOHSCROLL
//   short   DU (0, 20, 40, 12)  -> x 0..69,  y 61..81, no ES_AUTOHSCROLL
//   narrow  DU (0, 40, 40, 12)  -> x 0..69,  y 96..116, ES_AUTOHSCROLL
//   fixed   DU (0, 60, 60, 12)  -> x 0..104, y 131..151, read-only
//   off     DU (70, 60, 60, 12) -> x 122..226, y 131..151, disabled
constexpr DWORD kField = WS_VISIBLE | WS_BORDER | WS_TABSTOP;
const zorun::DialogItemTemplate kItems[] = {
    {u"EDIT", u"", IDC_NAME, 0, 0, 100, 12, kField | ES_AUTOHSCROLL},
    {u"EDIT", u"", IDC_SHORT, 0, 20, 40, 12, kField},
    {u"EDIT", u"", IDC_NARROW, 0, 40, 40, 12, kField | ES_AUTOHSCROLL},
    {u"EDIT", u"\\windows\\skin 1.bmp", IDC_FIXED, 0, 60, 60, 12, kField | ES_READONLY},
    {u"EDIT", u"\\windows\\calc.exe", IDC_OFF, 70, 60, 60, 12, kField | WS_DISABLED},
};
const zorun::DialogTemplate kDialog{940, 137, 153, u"Edit", 0, kItems};

using Notes = std::vector<std::pair<int, int>>; // (code, id)
Notes* notes = nullptr;

std::intptr_t EditDialogProc(HWND, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_COMMAND && notes)
        notes->emplace_back(HIWORD(wParam), LOWORD(wParam));
    return 0;
}

class EditControl : public WindowTest {
  protected:
    void SetUp() override {
        WindowTest::SetUp();
        notes = &seen;
        dialog = CreateDialogIndirectParamW(nullptr, &kDialog, nullptr, &EditDialogProc, 0);
        ASSERT_NE(dialog, nullptr);
        ShowWindow(dialog, SW_SHOW);
        name = GetDlgItem(dialog, IDC_NAME);
        Pump();
        seen.clear();
    }
    void TearDown() override {
        notes = nullptr;
        WindowTest::TearDown();
    }
    static void Key(int vk, bool shift = false) {
        const char16_t character =
            vk == VK_BACK || vk == VK_TAB || vk == VK_RETURN ? static_cast<char16_t>(vk) : 0;
        zorun::InputEvent input{zorun::InputEvent::Kind::KeyDown, {}, vk, character};
        input.shift = shift;
        zorun::PushInput(input);
    }
    // A letter with Ctrl held, as a keyboard gives it.
    static void ControlKey(char letter) {
        zorun::InputEvent input{zorun::InputEvent::Kind::KeyDown, {}, letter, 0};
        input.control = true;
        zorun::PushInput(input);
    }
    static void Type(std::u16string_view text) {
        for (char16_t c : text)
            zorun::PushInput({zorun::InputEvent::Kind::Char, {}, 0, c});
    }
    static std::pair<DWORD, DWORD> Selection(HWND edit) {
        DWORD from = 99, to = 99;
        SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&from),
                     reinterpret_cast<LPARAM>(&to));
        return {from, to};
    }
    static std::uint32_t Rgb(int x, int y) {
        zorun::ComposeScreen();
        return zorun::ScreenSurface().Pixel(x, y) & 0xFFFFFF;
    }
    // The x of a full-height pure black column (the caret) in the box, or -1.
    static int CaretColumn(int left, int right, int top, int bottom) {
        for (int x = left; x < right; ++x) {
            bool line = true;
            for (int y = top; y < bottom && line; ++y)
                line = Rgb(x, y) == 0x000000u;
            if (line)
                return x;
        }
        return -1;
    }
    int Count(UINT code, int id) const {
        return static_cast<int>(
            std::count(seen.begin(), seen.end(), std::pair<int, int>{code, id}));
    }

    Notes seen;
    HWND dialog = nullptr, name = nullptr;
};

TEST_F(EditControl, MovingBetweenFieldsAndTypingIsReportedInOrder) {
    SetFocus(GetDlgItem(dialog, IDC_NARROW));
    seen.clear();
    SetFocus(name);
    Type(u"ab");
    Key(VK_BACK);
    Key(VK_TAB); // to the next field, its text selected
    Type(u"x");
    Pump();
    EXPECT_EQ(seen, (Notes{{EN_KILLFOCUS, IDC_NARROW},
                           {EN_SETFOCUS, IDC_NAME},
                           {EN_CHANGE, IDC_NAME},
                           {EN_CHANGE, IDC_NAME},
                           {EN_CHANGE, IDC_NAME},
                           {EN_KILLFOCUS, IDC_NAME},
                           {EN_SETFOCUS, IDC_SHORT},
                           {EN_CHANGE, IDC_SHORT}}));
    EXPECT_EQ(GetWindowText(name), u"a");
    // The program's text is a change too, with the caret after it.
    seen.clear();
    SetWindowTextW(name, u"Games");
    EXPECT_EQ(seen, (Notes{{EN_CHANGE, IDC_NAME}}));
    EXPECT_EQ(Selection(name), (std::pair<DWORD, DWORD>{5, 5}));
}

TEST_F(EditControl, SelectionMessages) {
    SetWindowTextW(name, u"  Games  ");
    SendMessageW(name, EM_SETSEL, 0, -1);
    EXPECT_EQ(Selection(name), (std::pair<DWORD, DWORD>{0, 9}));
    EXPECT_EQ(SendMessageW(name, EM_GETSEL, 0, 0), MAKELPARAM(0, 9));
    // -1: no selection any more; the caret stays where it was.
    SendMessageW(name, EM_SETSEL, static_cast<WPARAM>(-1), -1);
    EXPECT_EQ(Selection(name), (std::pair<DWORD, DWORD>{9, 9}));
    // Backwards: the caret at the start; a position past the end is the end.
    SendMessageW(name, EM_SETSEL, 4, 2);
    EXPECT_EQ(Selection(name), (std::pair<DWORD, DWORD>{2, 4}));
    SetFocus(name);
    Key(VK_RIGHT, true); // Shift: the caret (at 2) moves on, the anchor stays at 4
    Pump();
    EXPECT_EQ(Selection(name), (std::pair<DWORD, DWORD>{3, 4}));
    SendMessageW(name, EM_SETSEL, 7, 100);
    EXPECT_EQ(Selection(name), (std::pair<DWORD, DWORD>{7, 9}));
    SendMessageW(name, EM_REPLACESEL, 0, reinterpret_cast<LPARAM>(u"!"));
    EXPECT_EQ(GetWindowText(name), u"  Games!");
}

TEST_F(EditControl, KeysMoveDeleteAndShiftSelects) {
    SetWindowTextW(name, u"Games");
    SetFocus(name);
    Key(VK_END);
    Key(VK_LEFT);
    Key(VK_HOME, true); // selects "Game"
    Pump();
    EXPECT_EQ(Selection(name), (std::pair<DWORD, DWORD>{0, 4}));
    Key(VK_RIGHT); // collapses at the selection's end
    Key(VK_DELETE);
    Key(VK_DELETE); // nothing after the caret
    Pump();
    EXPECT_EQ(GetWindowText(name), u"Game");
    Key(VK_HOME);
    Key(VK_RIGHT, true);
    Key(VK_RIGHT, true);
    Key(VK_BACK); // removes the selection
    Pump();
    EXPECT_EQ(GetWindowText(name), u"me");
    EXPECT_EQ(Count(EN_CHANGE, IDC_NAME), 3);
}

TEST_F(EditControl, TypingStopsAtTheLimitButTheProgramsTextDoesNot) {
    SendMessageW(name, EM_LIMITTEXT, 5, 0);
    EXPECT_EQ(SendMessageW(name, EM_GETLIMITTEXT, 0, 0), 5);
    SetFocus(name);
    seen.clear();
    Type(u"abcdefg");
    Pump();
    EXPECT_EQ(GetWindowText(name), u"abcde");
    EXPECT_EQ(seen, (Notes{{EN_CHANGE, IDC_NAME},
                           {EN_CHANGE, IDC_NAME},
                           {EN_CHANGE, IDC_NAME},
                           {EN_CHANGE, IDC_NAME},
                           {EN_CHANGE, IDC_NAME},
                           {EN_MAXTEXT, IDC_NAME},
                           {EN_MAXTEXT, IDC_NAME}}));
    // Typing over a selection fits within the limit.
    SendMessageW(name, EM_SETSEL, 1, 3);
    Type(u"XYZ");
    Pump();
    EXPECT_EQ(GetWindowText(name), u"aXYde"); // "bc" gave room for two; "Z" stayed out
    SetWindowTextW(name, u"a much longer name");
    EXPECT_EQ(GetWindowText(name), u"a much longer name");
    SendMessageW(name, EM_LIMITTEXT, 0, 0); // the largest limit
    EXPECT_GT(SendMessageW(name, EM_GETLIMITTEXT, 0, 0), 30000);
}

TEST_F(EditControl, SurrogatePairsStayWhole) {
    SetFocus(name);
    // Text input arrives as UTF-8 at the host and is typed as UTF-16 units.
    Type(zorun::FromUtf8("a\xF0\x9F\x98\x80"
                         "b")); // a, U+1F600, b
    Pump();
    EXPECT_EQ(GetWindowText(name), zorun::FromUtf8("a\xF0\x9F\x98\x80"
                                                   "b"));
    Key(VK_LEFT);
    Key(VK_LEFT); // over the pair in one step
    Pump();
    EXPECT_EQ(Selection(name), (std::pair<DWORD, DWORD>{1, 1}));
    Key(VK_DELETE); // both halves
    Pump();
    EXPECT_EQ(GetWindowText(name), u"ab");
    // A pair that does not fit whole stays out; a half alone is dropped.
    SendMessageW(name, EM_LIMITTEXT, 3, 0);
    Key(VK_END);
    Type(zorun::FromUtf8("\xF0\x9F\x98\x80"));
    Type(std::u16string(1, char16_t(0xDC00)));
    Type(std::u16string(1, char16_t(0xD83D)) + u"c");
    Pump();
    EXPECT_EQ(GetWindowText(name), u"abc");
    // Positions inside a pair are never kept.
    SetWindowTextW(name, zorun::FromUtf8("\xF0\x9F\x98\x80"
                                         "x")
                             .c_str());
    SendMessageW(name, EM_SETSEL, 1, 1);
    EXPECT_EQ(Selection(name), (std::pair<DWORD, DWORD>{0, 0}));
    SendMessageW(name, EM_SETSEL, 3, 3);
    Key(VK_BACK);
    Key(VK_BACK);
    Pump();
    EXPECT_EQ(GetWindowText(name), u"");
}

TEST_F(EditControl, ATapPlacesTheCaretAndADragSelects) {
    SetWindowTextW(name, u"hello world");
    SetFocus(GetDlgItem(dialog, IDC_NARROW));
    seen.clear();
    // A tap far right of the text: the caret at the end; far left: the start.
    zorun::PushInput({zorun::InputEvent::Kind::StylusDown, {170, 36}, 0, 0});
    zorun::PushInput({zorun::InputEvent::Kind::StylusUp, {170, 36}, 0, 0});
    Pump();
    EXPECT_EQ(GetFocus(), name);
    EXPECT_EQ(Selection(name), (std::pair<DWORD, DWORD>{11, 11}));
    zorun::PushInput({zorun::InputEvent::Kind::StylusDown, {1, 36}, 0, 0});
    zorun::PushInput({zorun::InputEvent::Kind::StylusMove, {80, 36}, 0, 0});
    zorun::PushInput({zorun::InputEvent::Kind::StylusMove, {170, 36}, 0, 0});
    zorun::PushInput({zorun::InputEvent::Kind::StylusUp, {170, 36}, 0, 0});
    Pump();
    EXPECT_EQ(Selection(name), (std::pair<DWORD, DWORD>{0, 11}));
    // Somewhere in the middle: between two characters, not at an end.
    zorun::PushInput({zorun::InputEvent::Kind::StylusDown, {40, 36}, 0, 0});
    zorun::PushInput({zorun::InputEvent::Kind::StylusUp, {40, 36}, 0, 0});
    Pump();
    const auto [from, to] = Selection(name);
    EXPECT_EQ(from, to);
    EXPECT_GT(from, 0u);
    EXPECT_LT(from, 11u);
    EXPECT_EQ(seen, (Notes{{EN_KILLFOCUS, IDC_NARROW}, {EN_SETFOCUS, IDC_NAME}}));
    // Two taps at one place select the word there, or the run of spaces;
    // a tap a while later places the caret again.
    SetWindowTextW(name, u"hi    world");
    clock.Advance(1000);
    for (int x : {6, 7, 18, 19}) {
        zorun::PushInput({zorun::InputEvent::Kind::StylusDown, {x, 36}, 0, 0});
        zorun::PushInput({zorun::InputEvent::Kind::StylusUp, {x, 36}, 0, 0});
        Pump();
        if (x == 7) {
            EXPECT_EQ(Selection(name), (std::pair<DWORD, DWORD>{0, 2}));
        }
        clock.Advance(x == 7 ? 1000 : 100);
    }
    EXPECT_EQ(Selection(name), (std::pair<DWORD, DWORD>{2, 6}));
    clock.Advance(1000);
    zorun::PushInput({zorun::InputEvent::Kind::StylusDown, {7, 36}, 0, 0});
    zorun::PushInput({zorun::InputEvent::Kind::StylusUp, {7, 36}, 0, 0});
    Pump();
    EXPECT_EQ(Selection(name).first, Selection(name).second);
    // The focus leaving in the middle of a drag does not keep the stylus.
    clock.Advance(1000);
    zorun::PushInput({zorun::InputEvent::Kind::StylusDown, {7, 36}, 0, 0});
    Pump();
    EXPECT_EQ(GetCapture(), name);
    SetFocus(GetDlgItem(dialog, IDC_NARROW));
    zorun::PushInput({zorun::InputEvent::Kind::StylusUp, {7, 36}, 0, 0});
    Pump();
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(EditControl, WithoutAutoScrollTypingStopsAtTheBoxWithItTheCaretStaysInView) {
    HWND shortField = GetDlgItem(dialog, IDC_SHORT), narrow = GetDlgItem(dialog, IDC_NARROW);
    const std::u16string line = u"0123456789012345678901234567890123456789";
    SetFocus(shortField);
    Type(line);
    Pump();
    EXPECT_LT(GetWindowText(shortField).size(), line.size());
    EXPECT_GT(Count(EN_MAXTEXT, IDC_SHORT), 0);
    SetFocus(narrow);
    Type(line);
    Pump();
    EXPECT_EQ(GetWindowText(narrow), line);
    // The caret shows inside the box, at its right.
    const int caret = CaretColumn(1, 69, 96 + 3, 116 - 3);
    EXPECT_GT(caret, 40);
    Key(VK_HOME);
    Pump();
    EXPECT_LT(CaretColumn(1, 69, 96 + 3, 116 - 3), 6);
}

TEST_F(EditControl, ReadOnlyAndDisabledFieldsLookGreyAndTakeNoTyping) {
    HWND fixed = GetDlgItem(dialog, IDC_FIXED), off = GetDlgItem(dialog, IDC_OFF);
    EXPECT_EQ(Rgb(100, 135), 0xDEDEDEu); // the grey of a read-only box
    EXPECT_EQ(Rgb(222, 135), 0xDEDEDEu); // and of a disabled one
    SetFocus(fixed);
    Type(u"x");
    Key(VK_BACK);
    Key(VK_DELETE);
    Key(VK_END); // moving is allowed
    Pump();
    EXPECT_EQ(GetWindowText(fixed), u"\\windows\\skin 1.bmp");
    EXPECT_EQ(Selection(fixed), (std::pair<DWORD, DWORD>{19, 19}));
    EXPECT_EQ(Count(EN_CHANGE, IDC_FIXED), 0);
    // A disabled field takes no stylus and no focus.
    zorun::PushInput({zorun::InputEvent::Kind::StylusDown, {150, 140}, 0, 0});
    zorun::PushInput({zorun::InputEvent::Kind::StylusUp, {150, 140}, 0, 0});
    Pump();
    EXPECT_NE(GetFocus(), off);
    // Its text is grey: no pixel of it is black.
    for (int x = 123; x < 226; ++x)
        for (int y = 132; y < 151; ++y)
            ASSERT_NE(Rgb(x, y), 0x000000u) << x << "," << y;
}

} // namespace

TEST_F(EditControl, ClipboardMessagesAndKeysKeepTheLimitAndOneLine) {
    SetFocus(name);
    Type(u"hello world");
    Pump();
    SendMessageW(name, EM_SETSEL, 0, 5);
    SendMessageW(name, WM_COPY, 0, 0);
    EXPECT_EQ(zorun::ClipboardText(), u"hello");
    SendMessageW(name, EM_SETSEL, 5, 11);
    seen.clear();
    SendMessageW(name, WM_CUT, 0, 0);
    EXPECT_EQ(GetWindowText(name), u"hello");
    EXPECT_EQ(zorun::ClipboardText(), u" world");
    EXPECT_EQ(seen, (Notes{{EN_CHANGE, IDC_NAME}}));
    // A paste replaces the selection, and only as much as the limit allows.
    SendMessageW(name, EM_LIMITTEXT, 14, 0);
    SendMessageW(name, WM_PASTE, 0, 0);
    SendMessageW(name, WM_PASTE, 0, 0);
    EXPECT_EQ(GetWindowText(name), u"hello world wo");
    EXPECT_EQ(Count(EN_MAXTEXT, IDC_NAME), 1);
    // One line: the clipboard's text up to its first line break.
    zorun::SetClipboardText(u"one\r\ntwo");
    SendMessageW(name, EM_SETSEL, 0, -1);
    SendMessageW(name, WM_PASTE, 0, 0);
    EXPECT_EQ(GetWindowText(name), u"one");
    zorun::SetClipboardText(u"\nlater lines");
    SendMessageW(name, WM_PASTE, 0, 0);
    EXPECT_EQ(GetWindowText(name), u"one");

    // Ctrl+A, C, X and V from the keyboard; WM_CLEAR deletes without copying.
    ControlKey('A');
    ControlKey('C');
    Key(VK_END);
    ControlKey('V');
    Pump();
    EXPECT_EQ(GetWindowText(name), u"oneone");
    ControlKey('A');
    ControlKey('X');
    Pump();
    EXPECT_EQ(GetWindowText(name), u"");
    EXPECT_EQ(zorun::ClipboardText(), u"oneone");
    Type(u"abc");
    Pump();
    SendMessageW(name, EM_SETSEL, 0, 1);
    SendMessageW(name, WM_CLEAR, 0, 0);
    EXPECT_EQ(GetWindowText(name), u"bc");
    EXPECT_EQ(zorun::ClipboardText(), u"oneone");

    // Read-only: copied from, never changed.
    HWND fixed = GetDlgItem(dialog, IDC_FIXED);
    SendMessageW(fixed, EM_SETSEL, 0, -1);
    SendMessageW(fixed, WM_COPY, 0, 0);
    EXPECT_EQ(zorun::ClipboardText(), u"\\windows\\skin 1.bmp");
    zorun::SetClipboardText(u"x");
    for (UINT message : {WM_CUT, WM_PASTE, WM_CLEAR, WM_UNDO})
        SendMessageW(fixed, message, 0, 0);
    EXPECT_EQ(GetWindowText(fixed), u"\\windows\\skin 1.bmp");
    EXPECT_EQ(Count(EN_CHANGE, IDC_FIXED), 0);
}

TEST_F(EditControl, OneLevelOfUndoThatUndoesItself) {
    SetFocus(name);
    EXPECT_FALSE(SendMessageW(name, EM_CANUNDO, 0, 0));
    Type(u"abc"); // one run of typing is one change
    Pump();
    EXPECT_TRUE(SendMessageW(name, EM_CANUNDO, 0, 0));
    EXPECT_TRUE(SendMessageW(name, EM_UNDO, 0, 0));
    EXPECT_EQ(GetWindowText(name), u"");
    EXPECT_TRUE(SendMessageW(name, WM_UNDO, 0, 0)); // the undo undone
    EXPECT_EQ(GetWindowText(name), u"abc");

    // Deleting after typing is a change of its own; Ctrl+Z takes it back.
    Key(VK_BACK);
    Key(VK_BACK);
    Pump();
    EXPECT_EQ(GetWindowText(name), u"a");
    ControlKey('Z');
    Pump();
    EXPECT_EQ(GetWindowText(name), u"abc");
    EXPECT_EQ(Selection(name), (std::pair<DWORD, DWORD>{3, 3}));

    // A paste, and EM_REPLACESEL when asked to be undoable.
    zorun::SetClipboardText(u"XY");
    SendMessageW(name, EM_SETSEL, 0, 1);
    SendMessageW(name, WM_PASTE, 0, 0);
    EXPECT_EQ(GetWindowText(name), u"XYbc");
    SendMessageW(name, EM_UNDO, 0, 0);
    EXPECT_EQ(GetWindowText(name), u"abc");
    EXPECT_EQ(Selection(name), (std::pair<DWORD, DWORD>{0, 1}));
    SendMessageW(name, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(u"z"));
    SendMessageW(name, EM_UNDO, 0, 0);
    EXPECT_EQ(GetWindowText(name), u"abc");
    SendMessageW(name, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(u"z"));
    EXPECT_FALSE(SendMessageW(name, EM_CANUNDO, 0, 0));

    // The program's own text and EM_EMPTYUNDOBUFFER leave nothing to undo.
    Type(u"q");
    Pump();
    SetWindowTextW(name, u"set");
    EXPECT_FALSE(SendMessageW(name, EM_CANUNDO, 0, 0));
    Type(u"q");
    Pump();
    SendMessageW(name, EM_EMPTYUNDOBUFFER, 0, 0);
    EXPECT_FALSE(SendMessageW(name, EM_UNDO, 0, 0));
    EXPECT_EQ(GetWindowText(name), u"setq");
}

TEST_F(EditControl, TheCaretBlinksOnlyWhileTheFocusedFieldIsShown) {
    auto& windows = zorun::WindowSystem::Get();
    SetFocus(nullptr);
    Pump();
    EXPECT_FALSE(windows.NextTimerDue()) << "no field has the focus";
    SetFocus(name);
    Pump();
    ASSERT_TRUE(windows.NextTimerDue());
    EXPECT_GE(CaretColumn(1, 174, 29, 44), 0);
    clock.Advance(530);
    Pump();
    EXPECT_EQ(CaretColumn(1, 174, 29, 44), -1) << "off";
    clock.Advance(530);
    Pump();
    EXPECT_GE(CaretColumn(1, 174, 29, 44), 0) << "on again";
    // Typing shows it at once.
    clock.Advance(530);
    Pump();
    Type(u"a");
    Pump();
    EXPECT_GE(CaretColumn(1, 174, 29, 44), 0);

    // Hidden, the timer stops at its next tick; shown again, it blinks again.
    ShowWindow(dialog, SW_HIDE);
    clock.Advance(530);
    Pump();
    EXPECT_FALSE(windows.NextTimerDue());
    ShowWindow(dialog, SW_SHOW);
    Pump();
    EXPECT_TRUE(windows.NextTimerDue());
    // Without the focus, no timer at all.
    SetFocus(GetDlgItem(dialog, IDC_SHORT));
    SetFocus(nullptr);
    Pump();
    EXPECT_FALSE(windows.NextTimerDue());
}
