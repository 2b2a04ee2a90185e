// EDIT: one line of text with a caret and a selection (EditBuffer). Typing
// (WM_CHAR, from a keyboard or the soft keyboard) replaces the selection;
// Backspace comes as the character 8, as TranslateMessage makes it; Delete,
// Left/Right, Home/End move or remove (with Shift the selection grows). A
// tap places the caret, a drag selects, a double tap selects a word. Typing stops at the limit
// (EM_LIMITTEXT) and, without ES_AUTOHSCROLL, at the box's width
// (EN_MAXTEXT); with it the text scrolls to keep the caret in view. The
// parent hears EN_SETFOCUS, EN_KILLFOCUS and EN_CHANGE (also for
// WM_SETTEXT, which no limit holds back). Read-only and disabled edits look
// grey and ask their parent for colours as labels (WM_CTLCOLORSTATIC).
//
// The caret blinks on a timer that runs only while the edit has the focus
// and is shown, so an idle program does not wake for it. The clipboard
// (Clipboard.h) takes WM_COPY / WM_CUT / WM_PASTE and Ctrl+C / X / V; a
// paste keeps the typing limit and stops at the first line break. One
// level of undo (WM_UNDO, EM_UNDO, Ctrl+Z) swaps the text with what it was
// before the last change, so a second undo takes the first back; a run of
// typing, or of deleting, is one change. Read-only edits copy but change
// nothing.
#include <algorithm>
#include <cstdlib>
#include <optional>
#include <string>

#include "platform/user/Clipboard.h"
#include "platform/user/ControlPaint.h"
#include "platform/user/ControlSupport.h"
#include "platform/user/EditBuffer.h"

namespace zorun {
namespace {

constexpr int kPadding = 3;
constexpr DWORD kDoubleTapMs = 500;
constexpr int kDoubleTapSlop = 4; // pixels a second tap may land from the first
// The caret's timer: a half period of its blinking, as the desktop's.
constexpr std::uintptr_t kCaretTimer = 0xCA12;
constexpr UINT kCaretBlinkMs = 530;

// What the last change of the text was, so that a run of one kind is one undo.
enum class Run { None, Typing, Deleting };

struct EditState {
    HFONT font = nullptr;
    EditBuffer buffer;
    std::optional<EditBuffer> undo; // the text and selection before the last change
    Run run = Run::None;
    bool caretOn = true;    // the blinking caret's phase
    bool blinking = false;  // its timer runs
    int scroll = 0;         // pixels of text hidden on the left
    bool selecting = false; // a drag from a press in the box
    DWORD lastTapTime = 0;
    int lastTapX = -1000;
};

DWORD Style(HWND hwnd) {
    return StyleOf(hwnd);
}

bool ReadOnly(HWND hwnd) {
    return (Style(hwnd) & ES_READONLY) != 0;
}

// The window text follows the buffer, so GetWindowText reads what is typed.
void StoreText(HWND hwnd, const std::u16string& text) {
    DefWindowProcW(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

int Advance(HFONT font, const std::u16string& text, std::size_t count) {
    return TextWidth(font, std::u16string_view(text).substr(0, std::min(count, text.size())));
}

int VisibleWidth(HWND hwnd) {
    return std::max(1, ClientOf(hwnd).Width() - 2 * kPadding);
}

// Keeps the caret inside the visible part of the box, and no blank space on
// the right while there is text hidden on the left.
void ScrollToCaret(HWND hwnd, EditState& s) {
    HFONT font = FontOf(s.font);
    const std::u16string& text = s.buffer.Text();
    const int visible = VisibleWidth(hwnd);
    const int x = Advance(font, text, s.buffer.Caret());
    int scroll = s.scroll;
    if (x - scroll > visible - 1)
        scroll = x - visible + 1;
    if (x < scroll)
        scroll = std::max(0, x - visible / 3);
    scroll = std::clamp(scroll, 0, std::max(0, TextWidth(font, text) - visible + 1));
    if (scroll != s.scroll) {
        s.scroll = scroll;
        InvalidateRect(hwnd, nullptr, TRUE);
    }
}

void Changed(HWND hwnd, EditState& s) {
    StoreText(hwnd, s.buffer.Text());
    ScrollToCaret(hwnd, s);
    InvalidateRect(hwnd, nullptr, TRUE);
    NotifyParent(hwnd, EN_CHANGE); // may destroy us: nothing after this
}

// Applies a change of the text unless the box without ES_AUTOHSCROLL
// cannot show it; tells the parent what happened.
template <typename Change>
void Edit(HWND hwnd, EditState& s, Change change, Run run = Run::None, bool undoable = true) {
    const EditBuffer before = s.buffer;
    EditBuffer::Result result = change(s.buffer);
    if (result.changed && !(Style(hwnd) & ES_AUTOHSCROLL) &&
        s.buffer.Text().size() > before.Text().size() &&
        TextWidth(FontOf(s.font), s.buffer.Text()) > VisibleWidth(hwnd)) {
        s.buffer = before; // no room in the box
        result = {false, true};
    }
    if (result.changed) {
        if (!undoable)
            s.undo.reset();
        else if (run == Run::None || run != s.run || !s.undo)
            s.undo = before;
        s.run = undoable ? run : Run::None;
        s.caretOn = true;
    }
    if (result.truncated)
        NotifyParent(hwnd, EN_MAXTEXT);
    if (result.changed && IsWindow(hwnd))
        if (EditState* again = ControlStates<EditState>::Find(hwnd))
            Changed(hwnd, *again);
}

void Moved(HWND hwnd, EditState& s) {
    s.run = Run::None;
    s.caretOn = true;
    ScrollToCaret(hwnd, s);
    InvalidateRect(hwnd, nullptr, TRUE);
}

void Paint(HWND hwnd, EditState& s) {
    PAINTSTRUCT ps{};
    HDC hdc = BeginPaint(hwnd, &ps);
    if (!hdc) {
        EndPaint(hwnd, &ps);
        return;
    }
    const RECT c = ClientOf(hwnd);
    const std::u16string& text = s.buffer.Text();
    const bool enabled = IsWindowEnabled(hwnd);
    const bool focused = GetFocus() == hwnd;
    const bool label = !enabled || ReadOnly(hwnd);
    // A read-only or disabled edit is a label to its parent.
    HBRUSH brush = PrepareControlDC(hwnd, hdc, label ? WM_CTLCOLORSTATIC : WM_CTLCOLOREDIT, s.font,
                                    enabled ? kControlText : kDisabledText);
    HFONT font = CurrentFont(hdc);
    const COLORREF ink = enabled ? GetTextColor(hdc) : kDisabledText;
    if (brush)
        FillRect(hdc, &c, brush);
    else
        FillSolid(hdc, c, label ? kButtonFace : kControlBack);
    if (Style(hwnd) & WS_BORDER)
        FrameSolid(hdc, c, kControlFrame);
    SaveDC(hdc);
    IntersectClipRect(hdc, c.left + 1, c.top + 1, c.right - 1, c.bottom - 1);
    const int x0 = c.left + kPadding - s.scroll;
    const RECT line{x0, c.top, std::max(c.right, x0 + TextWidth(font, text) + 2), c.bottom};
    DrawLabel(hdc, text, line, DT_LEFT | DT_VCENTER | DT_SINGLELINE, ink, font);
    const std::size_t from = s.buffer.SelectionStart(), to = s.buffer.SelectionEnd();
    if (focused && from != to) {
        const int a = x0 + Advance(font, text, from), b = x0 + Advance(font, text, to);
        FillSolid(hdc, {a, c.top + 2, b, c.bottom - 2}, kSelectionBack);
        DrawLabel(hdc, std::u16string_view(text).substr(from, to - from),
                  {a, c.top, b + 2, c.bottom}, DT_LEFT | DT_VCENTER | DT_SINGLELINE, kSelectionText,
                  font);
    }
    if (focused && enabled && !s.blinking && IsWindowVisible(hwnd)) {
        // Shown again with the focus: the caret blinks again.
        s.blinking = SetTimer(hwnd, kCaretTimer, kCaretBlinkMs, nullptr) != 0;
        s.caretOn = true;
    }
    if (focused && enabled && s.caretOn) {
        const int x = x0 + Advance(font, text, s.buffer.Caret());
        const int h = std::min(c.Height() - 4, FontHeight(font) + 2);
        const int top = c.top + (c.Height() - h) / 2;
        FillSolid(hdc, {x, top, x + 1, top + h}, kControlText);
    }
    RestoreDC(hdc, -1);
    EndPaint(hwnd, &ps);
}

// The caret position nearest to a client x. Widths grow with the prefix,
// so a binary search finds the last position at or left of x.
std::size_t PositionAt(const EditState& s, int x) {
    const EditBuffer& b = s.buffer;
    const std::u16string& text = b.Text();
    HFONT font = FontOf(s.font);
    const int target = x - kPadding + s.scroll;
    if (target <= 0)
        return 0;
    std::size_t low = 0, high = text.size(); // Advance(low) <= target
    while (low < high) {
        const std::size_t middle = low + (high - low + 1) / 2;
        if (Advance(font, text, middle) <= target)
            low = middle;
        else
            high = middle - 1;
    }
    const std::size_t left = b.Boundary(low), right = b.Next(left);
    if (right == left)
        return left;
    return target - Advance(font, text, left) <= Advance(font, text, right) - target ? left : right;
}

bool Shift() {
    return (GetKeyState(VK_SHIFT) & 0x8000) != 0;
}

bool Control() {
    return (GetKeyState(VK_CONTROL) & 0x8000) != 0;
}

void StopBlinking(HWND hwnd, EditState& s) {
    if (s.blinking)
        KillTimer(hwnd, kCaretTimer);
    s.blinking = false;
    s.caretOn = true;
}

void Blink(HWND hwnd, EditState& s) {
    // Nothing to blink for any more: the timer stops until the next paint
    // with the focus.
    if (GetFocus() != hwnd || !IsWindowVisible(hwnd) || !IsWindowEnabled(hwnd)) {
        StopBlinking(hwnd, s);
        InvalidateRect(hwnd, nullptr, TRUE);
        return;
    }
    s.caretOn = !s.caretOn;
    InvalidateRect(hwnd, nullptr, TRUE);
}

std::u16string SelectedText(const EditState& s) {
    const std::size_t from = s.buffer.SelectionStart(), to = s.buffer.SelectionEnd();
    return s.buffer.Text().substr(from, to - from);
}

void Copy(const EditState& s) {
    if (s.buffer.HasSelection())
        SetClipboardText(SelectedText(s));
}

void Clear(HWND hwnd, EditState& s) {
    if (ReadOnly(hwnd) || !s.buffer.HasSelection())
        return;
    Edit(hwnd, s, [](EditBuffer& e) { return e.ReplaceSelection(u""); });
}

// The clipboard's text up to its first line break (one line), as much of it
// as the limit lets in.
void Paste(HWND hwnd, EditState& s) {
    if (ReadOnly(hwnd))
        return;
    const auto clip = ClipboardText();
    if (!clip)
        return;
    std::u16string text = clip->substr(0, clip->find_first_of(u"\r\n"));
    text = text.substr(0, text.find(u'\0'));
    if (text.empty() && !s.buffer.HasSelection())
        return;
    Edit(hwnd, s, [&text](EditBuffer& e) { return e.ReplaceSelection(text); });
}

// Swaps the text and selection with those before the last change.
bool Undo(HWND hwnd, EditState& s) {
    if (ReadOnly(hwnd) || !s.undo)
        return false;
    EditBuffer earlier = *s.undo;
    s.undo = s.buffer;
    s.buffer.SetText(earlier.Text());
    s.buffer.Select(earlier.Anchor(), earlier.Caret());
    s.run = Run::None;
    s.caretOn = true;
    Changed(hwnd, s);
    return true;
}

// Ctrl with a letter: the desktop's editing keys.
bool ControlKey(HWND hwnd, EditState& s, int key) {
    switch (key) {
    case 'A':
        s.buffer.Select(0, s.buffer.Text().size());
        Moved(hwnd, s);
        return true;
    case 'C':
        SendMessageW(hwnd, WM_COPY, 0, 0);
        return true;
    case 'X':
        SendMessageW(hwnd, WM_CUT, 0, 0);
        return true;
    case 'V':
        SendMessageW(hwnd, WM_PASTE, 0, 0);
        return true;
    case 'Z':
        SendMessageW(hwnd, WM_UNDO, 0, 0);
        return true;
    default:
        return false;
    }
}

LRESULT KeyDown(HWND hwnd, EditState& s, WPARAM wParam, LPARAM lParam) {
    EditBuffer& b = s.buffer;
    const bool extend = Shift();
    if (Control() && ControlKey(hwnd, s, static_cast<int>(wParam)))
        return 0;
    switch (static_cast<int>(wParam)) {
    case VK_DELETE:
        if (!ReadOnly(hwnd))
            Edit(
                hwnd, s, [](EditBuffer& e) { return e.DeleteForward(); }, Run::Deleting);
        return 0;
    case VK_LEFT:
    case VK_UP:
        if (b.HasSelection() && !extend)
            b.MoveCaret(b.SelectionStart(), false);
        else
            b.MoveCaret(b.Previous(b.Caret()), extend);
        break;
    case VK_RIGHT:
    case VK_DOWN:
        if (b.HasSelection() && !extend)
            b.MoveCaret(b.SelectionEnd(), false);
        else
            b.MoveCaret(b.Next(b.Caret()), extend);
        break;
    case VK_HOME:
        b.MoveCaret(0, extend);
        break;
    case VK_END:
        b.MoveCaret(b.Text().size(), extend);
        break;
    case VK_BACK:
        return 0; // the character 8 that follows deletes
    default:
        if (HandleDialogKey(hwnd, static_cast<int>(wParam)))
            return 0;
        return DefWindowProcW(hwnd, WM_KEYDOWN, wParam, lParam);
    }
    Moved(hwnd, s);
    return 0;
}

void Char(HWND hwnd, EditState& s, char16_t ch) {
    if (ReadOnly(hwnd))
        return;
    if (ch == 0x08) {
        Edit(
            hwnd, s, [](EditBuffer& e) { return e.DeleteBackward(); }, Run::Deleting);
        return;
    }
    // Other control characters (Tab, Return, Escape) belong to the dialog.
    if (ch < 0x20 || ch == 0x7F)
        return;
    if ((Style(hwnd) & ES_NUMBER) && (ch < u'0' || ch > u'9'))
        return;
    Edit(
        hwnd, s, [ch](EditBuffer& e) { return e.Type(ch); }, Run::Typing);
}

void SetSelection(HWND hwnd, EditState& s, std::intptr_t start, std::intptr_t end) {
    const std::size_t n = s.buffer.Text().size();
    if (start < 0) {
        // No selection: it collapses at the caret.
        s.buffer.MoveCaret(s.buffer.Caret(), false);
    } else {
        const std::size_t caret = end < 0 ? n : std::min(static_cast<std::size_t>(end), n);
        s.buffer.Select(std::min(static_cast<std::size_t>(start), n), caret);
    }
    Moved(hwnd, s);
}

// A tap places the caret (Shift: extends the selection) and starts a drag;
// a second tap soon after at the same place selects the word there.
void Press(HWND hwnd, EditState& s, int x) {
    const DWORD now = GetTickCount();
    const bool doubleTap =
        now - s.lastTapTime <= kDoubleTapMs && std::abs(x - s.lastTapX) <= kDoubleTapSlop;
    s.lastTapTime = now;
    s.lastTapX = doubleTap ? -1000 : x;
    const std::size_t position = PositionAt(s, x);
    if (doubleTap) {
        const auto [first, last] = s.buffer.WordAt(position);
        s.buffer.Select(first, last);
    } else {
        s.buffer.MoveCaret(position, Shift());
        s.selecting = true;
        SetCapture(hwnd);
    }
    Moved(hwnd, s);
}

} // namespace

LRESULT EditProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    EditState& s = ControlStates<EditState>::Of(hwnd);
    switch (message) {
    case WM_CREATE:
        s.buffer.SetText(GetWindowText(hwnd));
        s.buffer.MoveCaret(s.buffer.Text().size(), false);
        return 0;
    case WM_PAINT:
        Paint(hwnd, s);
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_SETFONT:
        s.font = reinterpret_cast<HFONT>(wParam);
        ScrollToCaret(hwnd, s);
        if (lParam)
            InvalidateRect(hwnd, nullptr, TRUE);
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(s.font);
    case WM_SETTEXT: {
        const auto* text = reinterpret_cast<const char16_t*>(lParam);
        // The caret after the new text, where a user goes on typing or
        // correcting (the dialogs clear the selection and leave it there).
        s.buffer.SetText(text ? text : u"");
        s.buffer.MoveCaret(s.buffer.Text().size(), false);
        s.scroll = 0;
        s.undo.reset();
        s.run = Run::None;
        Changed(hwnd, s);
        return TRUE;
    }
    case WM_ENABLE:
    case WM_SIZE:
        ScrollToCaret(hwnd, s);
        InvalidateRect(hwnd, nullptr, TRUE);
        return 0;
    case WM_GETDLGCODE:
        return DLGC_HASSETSEL | DLGC_WANTCHARS | DLGC_WANTARROWS;
    case EM_GETSEL: {
        const auto from = static_cast<DWORD>(s.buffer.SelectionStart());
        const auto to = static_cast<DWORD>(s.buffer.SelectionEnd());
        if (wParam)
            *reinterpret_cast<DWORD*>(wParam) = from;
        if (lParam)
            *reinterpret_cast<DWORD*>(lParam) = to;
        return from > 0xFFFF || to > 0xFFFF
                   ? -1
                   : MAKELPARAM(static_cast<int>(from), static_cast<int>(to));
    }
    case EM_SETSEL:
        SetSelection(hwnd, s, static_cast<std::intptr_t>(static_cast<int>(wParam)),
                     static_cast<std::intptr_t>(static_cast<int>(lParam)));
        return 0;
    case EM_REPLACESEL: {
        const std::u16string text = lParam ? reinterpret_cast<const char16_t*>(lParam) : u"";
        Edit(
            hwnd, s, [&text](EditBuffer& e) { return e.ReplaceSelection(text); }, Run::None,
            wParam != 0);
        return 0;
    }
    case WM_COPY:
        Copy(s);
        return 0;
    case WM_CUT:
        if (!ReadOnly(hwnd) && s.buffer.HasSelection()) {
            Copy(s);
            Clear(hwnd, s);
        }
        return 0;
    case WM_CLEAR:
        Clear(hwnd, s);
        return 0;
    case WM_PASTE:
        Paste(hwnd, s);
        return 0;
    case WM_UNDO:
    case EM_UNDO:
        return Undo(hwnd, s) ? TRUE : FALSE;
    case EM_CANUNDO:
        return s.undo ? TRUE : FALSE;
    case EM_EMPTYUNDOBUFFER:
        s.undo.reset();
        s.run = Run::None;
        return 0;
    case WM_TIMER:
        if (wParam == kCaretTimer) {
            Blink(hwnd, s);
            return 0;
        }
        return DefWindowProcW(hwnd, message, wParam, lParam);
    case EM_LIMITTEXT:
        s.buffer.SetLimit(static_cast<std::size_t>(wParam));
        return 0;
    case EM_GETLIMITTEXT:
        return static_cast<LRESULT>(s.buffer.Limit());
    case EM_SETREADONLY: {
        const DWORD style = Style(hwnd);
        SetWindowLongW(
            hwnd, GWL_STYLE,
            static_cast<std::intptr_t>(wParam ? (style | ES_READONLY) : (style & ~ES_READONLY)));
        InvalidateRect(hwnd, nullptr, TRUE);
        return TRUE;
    }
    case WM_SETFOCUS:
        // The next paint starts the caret's blinking.
        s.caretOn = true;
        InvalidateRect(hwnd, nullptr, TRUE);
        NotifyParent(hwnd, EN_SETFOCUS);
        return 0;
    case WM_KILLFOCUS:
        s.selecting = false;
        StopBlinking(hwnd, s);
        InvalidateRect(hwnd, nullptr, TRUE);
        NotifyParent(hwnd, EN_KILLFOCUS);
        return 0;
    case WM_LBUTTONDOWN: {
        if (GetFocus() != hwnd)
            SetFocus(hwnd); // tells the parent, which may act
        EditState* again = ControlStates<EditState>::Find(hwnd);
        if (!again || GetFocus() != hwnd)
            return 0;
        Press(hwnd, *again, GET_X_LPARAM(lParam));
        return 0;
    }
    case WM_MOUSEMOVE:
        if (s.selecting) {
            s.buffer.MoveCaret(PositionAt(s, GET_X_LPARAM(lParam)), true);
            Moved(hwnd, s);
        }
        return 0;
    case WM_LBUTTONUP:
        // Also when the focus left mid-drag: the stylus is never kept.
        s.selecting = false;
        if (GetCapture() == hwnd)
            ReleaseCapture();
        return 0;
    case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(lParam) != hwnd)
            s.selecting = false;
        return 0;
    case WM_CHAR:
        Char(hwnd, s, static_cast<char16_t>(wParam));
        return 0;
    case WM_KEYDOWN:
        return KeyDown(hwnd, s, wParam, lParam);
    case WM_DESTROY:
        StopBlinking(hwnd, s);
        ControlStates<EditState>::Forget(hwnd);
        return DefWindowProcW(hwnd, message, wParam, lParam);
    default:
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
}

} // namespace zorun
