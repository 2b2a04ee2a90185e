// The command bar window: light grey, the front frame's menu buttons from
// x 0, its tool buttons after them, the soft-keyboard button at the right.
#include "platform/user/CommandBar.h"

#include <algorithm>
#include <map>

#include "platform/user/Chrome.h"
#include "platform/user/ControlPaint.h"
#include "platform/user/ControlSupport.h"
#include "platform/user/Menu.h"
#include "platform/user/Screen.h"
#include "platform/user/SoftKeyboard.h"
#include "platform/user/SoftKeyboardArt.h"
#include "platform/user/WindowSystem.h"

namespace zorun {

namespace {

constexpr int kToolWidth = 24;
constexpr int kGap = 4;
constexpr std::uintptr_t kTipTimer = 1;
constexpr UINT kTipDelayMs = 500;

CommandBarState& State() {
    return WindowSystem::Get().chrome.commandBar;
}

std::map<HWND, FrameBar>& Bars() {
    return State().bars;
}

// The frame whose bar is shown: the window in front (through transient
// pop-ups and owned dialogs without a bar of their own, no bar is shown).
HWND FrontFrame() {
    HWND fg = GetForegroundWindow();
    for (int depth = 0; fg && IsWindow(fg) && depth < 16 && IsTransientWindow(fg); ++depth)
        fg = GetWindow(fg, GW_OWNER);
    if (!fg)
        fg = MainWindow();
    std::erase_if(Bars(), [](const auto& b) { return !IsWindow(b.first); });
    return Bars().count(fg) ? fg : nullptr;
}

const FrameBar* FrontBar() {
    HWND frame = FrontFrame();
    return frame ? &Bars()[frame] : nullptr;
}

void Refresh() {
    if (HWND bar = CommandBarWindow())
        InvalidateRect(bar, nullptr, FALSE);
}

void HideTip() {
    HWND tip = State().toolTip;
    State().toolTip = nullptr;
    if (tip && IsWindow(tip))
        DestroyWindow(tip);
}

LRESULT TipProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_ERASEBKGND)
        return 1;
    if (message != WM_PAINT)
        return DefWindowProcW(hwnd, message, wParam, lParam);
    PAINTSTRUCT ps{};
    if (HDC hdc = BeginPaint(hwnd, &ps)) {
        const RECT c = ClientOf(hwnd);
        FillSolid(hdc, c, RGB(255, 255, 225));
        FrameSolid(hdc, c, kControlFrame);
        DrawLabel(hdc, GetWindowText(hwnd), c, DT_CENTER | DT_VCENTER | DT_SINGLELINE, kControlText,
                  DialogFont());
    }
    EndPaint(hwnd, &ps);
    return 0;
}

void ShowTip(const CommandBarItem& item, const std::u16string& text) {
    HideTip();
    if (text.empty())
        return;
    const int width = std::min(kScreenWidth, TextWidth(DialogFont(), text) + 10);
    const int height = 18;
    const int x = std::clamp(item.rect.left, 0, kScreenWidth - width);
    const int y = kCommandBarRect.top - height - 2;
    HWND tip = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, u"ToolTip", text.c_str(),
                               WS_POPUP | WS_DISABLED, x, y, width, height, nullptr, nullptr,
                               TipProc, nullptr);
    State().toolTip = tip;
    if (tip) {
        MarkTransientWindow(tip);
        SetWindowBackground(tip, std::nullopt);
        ShowWindow(tip, SW_SHOWNA);
    }
}

// A disabled button's image keeps its shapes but loses its colours: each
// pixel becomes a grey of its own brightness, half way to the bar's grey
// (so the bar's own grey around the shapes stays as it is).
void FadeToolImage(HDC hdc, int x, int y) {
    for (int dy = 0; dy < 16; ++dy) {
        for (int dx = 0; dx < 16; ++dx) {
            const COLORREF c = GetPixel(hdc, x + dx, y + dy);
            const int luma = (GetRValue(c) * 30 + GetGValue(c) * 59 + GetBValue(c) * 11) / 100;
            const int grey = (luma + GetRValue(kBarGrey)) / 2;
            SetPixel(hdc, x + dx, y + dy, RGB(grey, grey, grey));
        }
    }
}

void PaintToolImage(HDC hdc, const ToolButton& b, int x, int y) {
    if (b.bitmap) {
        if (HBITMAP bitmap = LoadBitmapW(nullptr, b.bitmap)) {
            HDC mem = CreateCompatibleDC(hdc);
            HGDIOBJ old = SelectObject(mem, bitmap);
            BitBlt(hdc, x, y, 16, 16, mem, b.image * 16, 0, SRCCOPY);
            SelectObject(mem, old);
            DeleteDC(mem);
            DeleteObject(bitmap);
        }
    } else if (b.icon) {
        if (HICON icon = LoadIconW(nullptr, b.icon)) {
            DrawIconEx(hdc, x, y, icon, 16, 16, 0, nullptr, DI_NORMAL);
            DestroyIcon(icon);
        }
    }
    if (!b.enabled)
        FadeToolImage(hdc, x, y);
}

void Paint(HWND hwnd) {
    PAINTSTRUCT ps{};
    HDC hdc = BeginPaint(hwnd, &ps);
    if (hdc) {
        const RECT c{0, 0, kCommandBarRect.Width(), kCommandBarRect.Height()};
        FillSolid(hdc, c, kBarGrey);
        FillSolid(hdc, {0, 0, c.right, 1}, RGB(128, 128, 128));
        FillSolid(hdc, {0, 1, c.right, 2}, RGB(255, 255, 255));
        const FrameBar* bar = FrontBar();
        const auto layout = CommandBarLayout();
        for (std::size_t i = 0; i < layout.size(); ++i) {
            const CommandBarItem& item = layout[i];
            const bool down = static_cast<int>(i) == State().pressed && State().pressedInside;
            if (down)
                FillSolid(hdc, {item.rect.left, 2, item.rect.right, c.bottom}, kSelectionBack);
            if (item.isMenu) {
                const std::u16string text =
                    GetMenuString(bar->menu, static_cast<UINT>(item.index), MF_BYPOSITION);
                DrawLabel(hdc, text, item.rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE,
                          down ? kSelectionText : kControlText, DialogFont());
            } else {
                PaintToolImage(hdc, bar->buttons[static_cast<std::size_t>(item.index)],
                               item.rect.left + (item.rect.Width() - 16) / 2, 6);
            }
        }
        if (SoftKeyboardAvailable()) {
            FillSolid(hdc,
                      {kKeyboardButtonRect.left - 1, 4, kKeyboardButtonRect.left, c.bottom - 3},
                      RGB(160, 160, 160));
            PaintKeyboardButton(hdc, kKeyboardButtonRect,
                                SoftKeyboardUp() || State().keyboardButtonHeld);
        }
    }
    EndPaint(hwnd, &ps);
}

int ItemAt(POINT p) {
    const auto layout = CommandBarLayout();
    for (std::size_t i = 0; i < layout.size(); ++i)
        if (layout[i].rect.Contains(p))
            return static_cast<int>(i);
    return -1;
}

void OpenMenu(const CommandBarItem& item) {
    HWND frame = FrontFrame();
    const FrameBar* bar = FrontBar();
    if (!frame || !bar)
        return;
    HMENU popup = GetSubMenu(bar->menu, item.index);
    if (!popup)
        return;
    Refresh();
    // Opens upwards from the top of the bar, at the button's left edge.
    TrackPopupMenu(popup, TPM_LEFTALIGN | TPM_BOTTOMALIGN, item.rect.left, kCommandBarRect.top, 0,
                   frame, nullptr);
    State().pressed = -1;
    Refresh();
}

LRESULT CommandBarProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    const POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    switch (message) {
    case WM_PAINT:
        Paint(hwnd);
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_LBUTTONDOWN: {
        CommandBarState& state = State();
        if (kKeyboardButtonRect.Contains(p) && SoftKeyboardAvailable()) {
            state.keyboardButtonHeld = true;
            SetCapture(hwnd);
            Refresh();
            return 0;
        }
        const int index = ItemAt(p);
        if (index < 0)
            return 0;
        const CommandBarItem item = CommandBarLayout()[static_cast<std::size_t>(index)];
        if (!item.isMenu) {
            const FrameBar* bar = FrontBar();
            const auto button = static_cast<std::size_t>(item.index);
            if (!bar || button >= bar->buttons.size() || !bar->buttons[button].enabled)
                return 0;
        }
        state.pressed = index;
        state.pressedInside = true;
        if (item.isMenu) {
            OpenMenu(item);
            return 0;
        }
        SetCapture(hwnd);
        SetTimer(hwnd, kTipTimer, kTipDelayMs, nullptr);
        Refresh();
        return 0;
    }
    case WM_MOUSEMOVE: {
        CommandBarState& state = State();
        if (state.pressed >= 0 && GetCapture() == hwnd) {
            const bool inside = ItemAt(p) == state.pressed;
            if (inside != state.pressedInside) {
                state.pressedInside = inside;
                Refresh();
            }
        }
        return 0;
    }
    case WM_LBUTTONUP: {
        CommandBarState& state = State();
        const bool keyboard = state.keyboardButtonHeld && kKeyboardButtonRect.Contains(p);
        const int was = state.pressed;
        // Before releasing the capture, which would cancel them.
        state.pressed = -1;
        state.keyboardButtonHeld = false;
        KillTimer(hwnd, kTipTimer);
        HideTip();
        if (GetCapture() == hwnd)
            ReleaseCapture();
        Refresh();
        if (keyboard) {
            ToggleSoftKeyboard();
            return 0;
        }
        const auto layout = CommandBarLayout();
        if (was >= 0 && ItemAt(p) == was && static_cast<std::size_t>(was) < layout.size() &&
            !layout[static_cast<std::size_t>(was)].isMenu) {
            HWND frame = FrontFrame();
            const FrameBar* bar = FrontBar();
            const auto index =
                static_cast<std::size_t>(layout[static_cast<std::size_t>(was)].index);
            if (frame && bar && index < bar->buttons.size() && bar->buttons[index].enabled)
                PostMessageW(frame, WM_COMMAND, bar->buttons[index].command, 0);
        }
        return 0;
    }
    case WM_TIMER:
        if (wParam == kTipTimer) {
            KillTimer(hwnd, kTipTimer);
            const auto layout = CommandBarLayout();
            const FrameBar* bar = FrontBar();
            const int pressed = State().pressed;
            if (pressed >= 0 && State().pressedInside && bar &&
                static_cast<std::size_t>(pressed) < layout.size()) {
                const auto& item = layout[static_cast<std::size_t>(pressed)];
                if (!item.isMenu)
                    ShowTip(item, bar->buttons[static_cast<std::size_t>(item.index)].toolTip);
            }
        }
        return 0;
    case WM_CAPTURECHANGED: {
        CommandBarState& state = State();
        if (reinterpret_cast<HWND>(lParam) != hwnd &&
            (state.pressed >= 0 || state.keyboardButtonHeld)) {
            state.pressed = -1;
            state.keyboardButtonHeld = false;
            HideTip();
            Refresh();
        }
        return 0;
    }
    case WM_DESTROY:
        if (hwnd == State().window)
            State().window = nullptr;
        HideTip();
        return DefWindowProcW(hwnd, message, wParam, lParam);
    default:
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
}

} // namespace

std::vector<CommandBarItem> CommandBarLayout() {
    std::vector<CommandBarItem> layout;
    const FrameBar* bar = FrontBar();
    if (!bar)
        return layout;
    int x = 0;
    const int count = bar->menu ? GetMenuItemCount(bar->menu) : 0;
    for (int i = 0; i < count; ++i) {
        const std::u16string text = GetMenuString(bar->menu, static_cast<UINT>(i), MF_BYPOSITION);
        const int width = std::max(28, TextWidth(DialogFont(), text) + 14);
        if (x + width > kKeyboardButtonRect.left)
            break;
        layout.push_back({{x, 2, x + width, kCommandBarRect.Height()}, true, i});
        x += width;
    }
    if (!layout.empty())
        x += kGap;
    for (std::size_t i = 0; i < bar->buttons.size(); ++i) {
        if (x + kToolWidth > kKeyboardButtonRect.left)
            break;
        layout.push_back(
            {{x, 2, x + kToolWidth, kCommandBarRect.Height()}, false, static_cast<int>(i)});
        x += kToolWidth;
    }
    return layout;
}

void SetCommandBarMenu(HWND frame, HMENU menuBar) {
    if (!IsWindow(frame))
        return;
    Bars()[frame].menu = menuBar;
    Refresh();
}

void SetCommandBarButtons(HWND frame, std::vector<ToolButton> buttons) {
    if (!IsWindow(frame))
        return;
    Bars()[frame].buttons = std::move(buttons);
    Refresh();
}

void SetCommandBarToolTip(HWND frame, std::size_t button, std::u16string text) {
    auto it = Bars().find(frame);
    if (it != Bars().end() && button < it->second.buttons.size())
        it->second.buttons[button].toolTip = std::move(text);
}

bool EnableCommandBarButton(HWND frame, UINT command, bool enable) {
    auto it = Bars().find(frame);
    if (it == Bars().end())
        return false;
    bool found = false;
    for (ToolButton& button : it->second.buttons) {
        if (button.command == command) {
            found = true;
            button.enabled = enable;
        }
    }
    if (found)
        Refresh();
    return found;
}

void ClearCommandBar(HWND frame) {
    Bars().erase(frame);
    Refresh();
}

HMENU CommandBarMenu(HWND frame) {
    auto it = Bars().find(frame);
    return it == Bars().end() ? nullptr : it->second.menu;
}

std::vector<ToolButton> CommandBarButtons(HWND frame) {
    auto it = Bars().find(frame);
    return it == Bars().end() ? std::vector<ToolButton>{} : it->second.buttons;
}

HWND CommandBarWindow() {
    HWND bar = State().window;
    return bar && IsWindow(bar) ? bar : nullptr;
}

HWND CreateCommandBar() {
    if (HWND bar = CommandBarWindow())
        return bar;
    State().window = CreateChromeBar(u"CommandBar", kCommandBarRect, CommandBarProc);
    // The bar holds the soft keyboard's button, and is named as the device
    // names that button's window: a task list leaves its owner (this
    // process) alone.
    if (State().window)
        SetWindowTextW(State().window, u"MS_SIPBUTTON");
    // Registered once for the process: it looks the bar up at each change.
    static const int listener = AddForegroundListener([](HWND) { Refresh(); });
    (void)listener;
    return State().window;
}

} // namespace zorun
