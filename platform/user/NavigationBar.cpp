// The navigation bar: dark blue, the foreground window's title in white bold,
// the clock, and "ok" while a dialog is in front (a tap ends it with IDOK).
#include <ctime>
#include <string>

#include "platform/base/Clock.h"
#include "platform/base/Format.h"
#include "platform/user/Chrome.h"
#include "platform/user/ControlPaint.h"
#include "platform/user/ControlSupport.h"
#include "platform/user/Screen.h"
#include "platform/user/WindowSystem.h"

namespace zorun {
namespace {

constexpr COLORREF kNavBack = RGB(0, 0, 132);
constexpr COLORREF kNavHighlight = RGB(64, 64, 176);
constexpr COLORREF kNavText = RGB(255, 255, 255);
constexpr std::uintptr_t kClockTimer = 1;

NavigationBarState& State() {
    return WindowSystem::Get().chrome.navigationBar;
}

// The window whose title the bar shows: the foreground one, unless it is a
// transient pop-up (menus, lists, the wait cursor); then the main window.
HWND TitleWindow() {
    HWND fg = GetForegroundWindow();
    // Walk from a transient pop-up to the window that owns it.
    for (int depth = 0; fg && IsWindow(fg) && depth < 16; ++depth) {
        if (!IsTransientWindow(fg))
            return fg;
        fg = GetWindow(fg, GW_OWNER);
    }
    return MainWindow();
}

bool DialogInFront() {
    return IsDialogWindow(TitleWindow());
}

void ScheduleClock(HWND hwnd) {
    const std::int64_t now = CurrentClock().WallTimeMs();
    const auto intoMinute = static_cast<UINT>(((now % 60000) + 60000) % 60000);
    SetTimer(hwnd, kClockTimer, 60000 - intoMinute, nullptr);
}

void Paint(HWND hwnd) {
    PAINTSTRUCT ps{};
    HDC hdc = BeginPaint(hwnd, &ps);
    if (hdc) {
        const RECT c{0, 0, kNavigationBarRect.Width(), kNavigationBarRect.Height()};
        FillSolid(hdc, c, kNavBack);
        FillSolid(hdc, {0, c.bottom - 1, c.right, c.bottom}, kNavHighlight);
        const bool ok = DialogInFront();
        const std::u16string clock = ClockText(CurrentClock().WallTimeMs());
        const int clockRight = kOkButtonRect.left - 4;
        const int clockWidth = TextWidth(BoldFont(), clock);
        DrawLabel(hdc, clock, {clockRight - clockWidth - 2, 0, clockRight, c.bottom - 1},
                  DT_RIGHT | DT_VCENTER | DT_SINGLELINE, kNavText, DialogFont());
        HWND titled = TitleWindow();
        const std::u16string title = titled ? GetWindowText(titled) : std::u16string();
        DrawLabel(hdc, title, {4, 0, clockRight - clockWidth - 8, c.bottom - 1},
                  DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS, kNavText, BoldFont());
        if (ok) {
            const RECT b{kOkButtonRect.left + 1, 4, kOkButtonRect.right - 2, 21};
            FrameSolid(hdc, b, kNavText);
            DrawLabel(hdc, u"ok", b, DT_CENTER | DT_VCENTER | DT_SINGLELINE, kNavText, BoldFont());
        }
    }
    EndPaint(hwnd, &ps);
}

LRESULT NavigationProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT:
        Paint(hwnd);
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_TIMER:
        if (wParam == kClockTimer) {
            InvalidateRect(hwnd, nullptr, FALSE);
            ScheduleClock(hwnd);
        }
        return 0;
    case WM_LBUTTONUP: {
        const POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        if (kOkButtonRect.Contains(p) && DialogInFront()) {
            HWND dialog = TitleWindow();
            SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
        }
        return 0;
    }
    case WM_DESTROY:
        if (hwnd == State().window)
            State().window = nullptr;
        return DefWindowProcW(hwnd, message, wParam, lParam);
    default:
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
}

} // namespace

std::u16string ClockText(std::int64_t wallTimeMs) {
    const std::time_t seconds = static_cast<std::time_t>(wallTimeMs / 1000);
    std::tm local{};
    if (!localtime_r(&seconds, &local))
        return u"";
    int hour = local.tm_hour % 12;
    if (hour == 0)
        hour = 12;
    return Format(u"%d:%02d", hour, local.tm_min);
}

HWND NavigationBarWindow() {
    HWND bar = State().window;
    return bar && IsWindow(bar) ? bar : nullptr;
}

HWND CreateNavigationBar() {
    if (HWND bar = NavigationBarWindow())
        return bar;
    HWND bar = CreateChromeBar(u"NavigationBar", kNavigationBarRect, NavigationProc);
    State().window = bar;
    if (!bar)
        return nullptr;
    ScheduleClock(bar);
    // Registered once for the process: it looks the bar up at each change.
    static const int listener = AddForegroundListener([](HWND) {
        if (HWND current = NavigationBarWindow())
            InvalidateRect(current, nullptr, FALSE);
    });
    (void)listener;
    return bar;
}

} // namespace zorun
