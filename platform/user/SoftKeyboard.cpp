#include "platform/user/SoftKeyboard.h"

#include <vector>

#include "platform/user/Chrome.h"
#include "platform/user/Input.h"
#include "platform/user/Screen.h"
#include "platform/user/SoftKeyboardArt.h"
#include "platform/user/WindowSystem.h"
#include "platform/user/WorkArea.h"

namespace zorun {

namespace {

constexpr std::uintptr_t kRepeatTimer = 1;

SoftKeyboardState& State() {
    return WindowSystem::Get().chrome.softKeyboard;
}

void RefreshCommandBar() {
    if (HWND bar = CommandBarWindow())
        InvalidateRect(bar, nullptr, FALSE);
}

void InvalidateKey(HWND hwnd, int index) {
    const auto& keys = State().layout.Keys();
    if (index >= 0 && static_cast<std::size_t>(index) < keys.size()) {
        const RECT r = keys[static_cast<std::size_t>(index)].rect;
        InvalidateRect(hwnd, &r, FALSE);
    }
}

// Every top-level window but the chrome hears that the work area changed.
void AnnounceWorkArea() {
    auto& ws = WindowSystem::Get();
    const std::vector<HWND> windows = ws.topLevels; // a handler may change the list
    for (HWND h : windows) {
        const Window* w = ws.Lasting(h);
        if (w && !(w->exStyle & WS_EX_TOOLWINDOW))
            SendMessageW(h, WM_SETTINGCHANGE, SPI_SETSIPINFO, 0);
    }
}

// A field that gained the focus under the keyboard (a tap on it, Tab) is
// brought into view before anything is typed into it.
void RevealFocus() {
    HWND focus = GetFocus();
    RECT r{};
    if (!focus || !GetWindowRect(focus, &r) || r.Intersect(kSoftKeyboardRect).IsEmpty())
        return;
    HWND top = WindowSystem::Get().TopLevelOf(focus);
    if (top && top != State().window)
        SendMessageW(top, WM_SETTINGCHANGE, SPI_SETSIPINFO, 0);
}

// Key strokes go through the input queue, so they reach whichever window
// has the focus when they are read, in order with everything else.
void SendKeyDown(const SoftKeyStroke& stroke, bool repeat) {
    InputEvent input{InputEvent::Kind::KeyDown, {}, stroke.virtualKey, stroke.character};
    input.repeat = repeat;
    PushInput(input);
}

void SendKeyUp(const SoftKeyStroke& stroke) {
    PushInput({InputEvent::Kind::KeyUp, {}, stroke.virtualKey, 0});
}

// Forgets the key held (the caller sends what its release needs).
void EndPress(HWND hwnd) {
    SoftKeyboardState& s = State();
    InvalidateKey(hwnd, s.pressedKey);
    s.pressedKey = -1;
    s.pressedInside = false;
    s.repeating = false;
    KillTimer(hwnd, kRepeatTimer);
}

void OnPress(HWND hwnd, Point p) {
    SoftKeyboardState& s = State();
    const int key = s.layout.KeyAt(p);
    if (key < 0)
        return;
    s.pressedKey = key;
    s.pressedInside = true;
    SetCapture(hwnd);
    InvalidateKey(hwnd, key);
    if (!s.layout.Repeats(key))
        return;
    if (const auto stroke = s.layout.StrokeOf(key)) {
        RevealFocus();
        SendKeyDown(*stroke, false);
        s.repeating = true;
        SetTimer(hwnd, kRepeatTimer, kKeyRepeatDelayMs, nullptr);
    }
}

void OnMove(HWND hwnd, Point p) {
    SoftKeyboardState& s = State();
    if (GetCapture() != hwnd || (s.pressedKey < 0 && !s.pressedInside))
        return;
    if (s.repeating) {
        // A held key repeats only while the stylus stays on it.
        const bool inside = s.layout.KeyAt(p) == s.pressedKey;
        if (inside == s.pressedInside)
            return;
        s.pressedInside = inside;
        InvalidateKey(hwnd, s.pressedKey);
        if (inside)
            SetTimer(hwnd, kRepeatTimer, kKeyRepeatDelayMs, nullptr);
        else
            KillTimer(hwnd, kRepeatTimer);
        return;
    }
    // Other keys follow the stylus: the key it is lifted from is typed.
    const int key = s.layout.KeyAt(p);
    if (key == s.pressedKey)
        return;
    InvalidateKey(hwnd, s.pressedKey);
    s.pressedKey = key;
    s.pressedInside = true; // still pressing, perhaps between keys
    InvalidateKey(hwnd, key);
}

void OnRelease(HWND hwnd, Point p) {
    SoftKeyboardState& s = State();
    if (GetCapture() != hwnd)
        return;
    const int key = s.pressedKey;
    const bool repeating = s.repeating;
    EndPress(hwnd); // before the capture goes, which would cancel the press
    ReleaseCapture();
    if (repeating) {
        if (const auto stroke = s.layout.StrokeOf(key))
            SendKeyUp(*stroke);
        return;
    }
    if (key < 0 || s.layout.KeyAt(p) != key)
        return;
    const auto page = s.layout.CurrentPage();
    const int shift = s.layout.ShiftLevel();
    const bool caps = s.layout.CapsOn();
    if (const auto stroke = s.layout.Tap(key)) {
        RevealFocus();
        SendKeyDown(*stroke, false);
        SendKeyUp(*stroke);
    }
    if (page != s.layout.CurrentPage() || shift != s.layout.ShiftLevel() ||
        caps != s.layout.CapsOn())
        InvalidateRect(hwnd, nullptr, FALSE);
}

void OnRepeat(HWND hwnd) {
    SoftKeyboardState& s = State();
    if (!s.repeating || !s.pressedInside) {
        KillTimer(hwnd, kRepeatTimer);
        return;
    }
    if (const auto stroke = s.layout.StrokeOf(s.pressedKey))
        SendKeyDown(*stroke, true);
    SetTimer(hwnd, kRepeatTimer, kKeyRepeatIntervalMs, nullptr);
}

// The press ends without a release on the keyboard (the capture was taken,
// the keyboard went down): a key that was sent down is sent up.
void CancelPress(HWND hwnd) {
    SoftKeyboardState& s = State();
    if (s.pressedKey < 0 && !s.repeating)
        return;
    const int key = s.pressedKey;
    const bool repeating = s.repeating;
    EndPress(hwnd);
    if (repeating)
        if (const auto stroke = s.layout.StrokeOf(key))
            SendKeyUp(*stroke);
}

void Paint(HWND hwnd) {
    PAINTSTRUCT ps{};
    if (HDC hdc = BeginPaint(hwnd, &ps)) {
        const SoftKeyboardState& s = State();
        PaintSoftKeyboard(hdc, s.layout, s.pressedInside ? s.pressedKey : -1, ps.rcPaint);
    }
    EndPaint(hwnd, &ps);
}

LRESULT SoftKeyboardProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    const Point p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    switch (message) {
    case WM_PAINT:
        Paint(hwnd);
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_LBUTTONDOWN:
        OnPress(hwnd, p);
        return 0;
    case WM_MOUSEMOVE:
        OnMove(hwnd, p);
        return 0;
    case WM_LBUTTONUP:
        OnRelease(hwnd, p);
        return 0;
    case WM_TIMER:
        if (wParam == kRepeatTimer)
            OnRepeat(hwnd);
        return 0;
    case WM_CAPTURECHANGED:
        if (reinterpret_cast<HWND>(lParam) != hwnd)
            CancelPress(hwnd);
        return 0;
    case WM_DESTROY:
        if (hwnd == State().window)
            State().window = nullptr;
        return DefWindowProcW(hwnd, message, wParam, lParam);
    default:
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
}

// The keyboard goes down with the window it rose for.
void LowerWhenRequesterIsGone(HWND) {
    const SoftKeyboardState& s = State();
    if (s.up && s.requester && !IsWindow(s.requester))
        ShowSoftKeyboard(nullptr, false);
}

HWND EnsureWindow() {
    SoftKeyboardState& s = State();
    if (s.window && IsWindow(s.window))
        return s.window;
    s.window =
        CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, u"SipWndClass", u"", WS_POPUP,
                        kSoftKeyboardRect.left, kSoftKeyboardRect.top, kSoftKeyboardRect.Width(),
                        kSoftKeyboardRect.Height(), nullptr, nullptr, SoftKeyboardProc, nullptr);
    if (s.window)
        SetWindowBackground(s.window, std::nullopt);
    // Registered once for the process: it looks the state up at each change.
    static const int listener = AddForegroundListener(LowerWhenRequesterIsGone);
    (void)listener;
    return s.window;
}

} // namespace

void ShowSoftKeyboard(HWND requester, bool up) {
    SoftKeyboardState& s = State();
    if (!s.available)
        return;
    HWND top = requester ? WindowSystem::Get().TopLevelOf(requester) : nullptr;
    if (top && top == s.window)
        top = nullptr;
    if (up && s.up) {
        // Already up: the requester may have a new field to bring into view.
        s.requester = top;
        if (top)
            SendMessageW(top, WM_SETTINGCHANGE, SPI_SETSIPINFO, 0);
        return;
    }
    if (up == s.up)
        return;
    if (up) {
        HWND keyboard = EnsureWindow();
        if (!keyboard)
            return;
        s.up = true;
        s.requester = top;
        // Above every other topmost window (an open menu, a message box).
        SetWindowPos(keyboard, HWND_TOP, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    } else {
        s.up = false;
        s.requester = nullptr;
        s.layout.BackToLetters();
        if (HWND keyboard = SoftKeyboardWindow()) {
            if (GetCapture() == keyboard)
                ReleaseCapture(); // cancels a press in progress
            ShowWindow(keyboard, SW_HIDE);
        }
    }
    RefreshCommandBar();
    AnnounceWorkArea();
}

void ToggleSoftKeyboard() {
    ShowSoftKeyboard(GetForegroundWindow(), !State().up);
}

bool SoftKeyboardUp() {
    return State().up;
}

HWND SoftKeyboardWindow() {
    HWND keyboard = State().window;
    return keyboard && IsWindow(keyboard) ? keyboard : nullptr;
}

void SetSoftKeyboardAvailable(bool available) {
    if (!available)
        ShowSoftKeyboard(nullptr, false);
    State().available = available;
    RefreshCommandBar();
}

bool SoftKeyboardAvailable() {
    return State().available;
}

} // namespace zorun
