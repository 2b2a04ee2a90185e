// The wait cursor: a small hourglass in the centre of the screen, above
// every window, shown while at least one SetWaitCursor(true) is not yet
// matched by SetWaitCursor(false).
#include "platform/user/Cursor.h"
#include "platform/gdi/Surface.h"
#include "platform/user/Backend.h"
#include "platform/user/ControlPaint.h"
#include "platform/user/ControlSupport.h"
#include "platform/user/Screen.h"
#include "platform/user/WindowSystem.h"

namespace {

constexpr int kSize = 24;

zorun::WaitCursorState& State() {
    return zorun::WindowSystem::Get().controls.waitCursor;
}

LRESULT WaitProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_ERASEBKGND)
        return 1;
    if (message != WM_PAINT)
        return DefWindowProcW(hwnd, message, wParam, lParam);
    PAINTSTRUCT ps{};
    if (HDC hdc = BeginPaint(hwnd, &ps)) {
        const COLORREF frame = RGB(0, 0, 0), glass = RGB(255, 255, 255), sand = RGB(214, 160, 0);
        zorun::FillSolid(hdc, {0, 0, kSize, kSize}, glass);
        zorun::FrameSolid(hdc, {0, 0, kSize, kSize}, frame);
        zorun::FillSolid(hdc, {5, 3, 19, 5}, frame);
        zorun::FillSolid(hdc, {5, 19, 19, 21}, frame);
        for (int row = 0; row < 7; ++row) {
            const int inset = row;
            // Upper bulb (sand at its bottom), lower bulb (a heap of sand).
            zorun::FillSolid(hdc, {6 + inset, 5 + row, 7 + inset, 6 + row}, frame);
            zorun::FillSolid(hdc, {17 - inset, 5 + row, 18 - inset, 6 + row}, frame);
            zorun::FillSolid(hdc, {6 + inset, 18 - row, 7 + inset, 19 - row}, frame);
            zorun::FillSolid(hdc, {17 - inset, 18 - row, 18 - inset, 19 - row}, frame);
            if (row >= 3 && 7 + inset < 17 - inset)
                zorun::FillSolid(hdc, {7 + inset, 5 + row, 17 - inset, 6 + row}, sand);
            if (row <= 2)
                zorun::FillSolid(hdc, {7 + inset, 18 - row, 17 - inset, 19 - row}, sand);
        }
    }
    EndPaint(hwnd, &ps);
    return 0;
}

} // namespace

void SetWaitCursor(bool on) {
    int& waitDepth = State().depth;
    HWND& waitWindow = State().window;
    if (on) {
        ++waitDepth;
    } else if (waitDepth > 0) {
        --waitDepth;
    }
    const bool shown = waitWindow && IsWindow(waitWindow);
    if (waitDepth > 0 && !shown) {
        const int x = (zorun::kScreenWidth - kSize) / 2, y = (zorun::kScreenHeight - kSize) / 2;
        waitWindow = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, u"WaitCursor", u"",
                                     WS_POPUP | WS_DISABLED, x, y, kSize, kSize, nullptr, nullptr,
                                     WaitProc, nullptr);
        if (waitWindow) {
            zorun::MarkTransientWindow(waitWindow);
            ShowWindow(waitWindow, SW_SHOWNA);
            UpdateWindow(waitWindow);
        }
    } else if (waitDepth == 0 && shown) {
        DestroyWindow(waitWindow);
        waitWindow = nullptr;
    }
    // A long operation does not return to the loop: show the change now.
    if (zorun::ComposeScreen())
        if (zorun::Backend* backend = zorun::CurrentBackend(); backend && backend->present)
            backend->present(zorun::ScreenSurface());
}

namespace zorun {
bool WaitCursorShown() {
    const HWND window = State().window;
    return window && IsWindow(window);
}
} // namespace zorun
