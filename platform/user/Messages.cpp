// Sending and posting, the message loop's reading order, dispatching, and the
// default window procedure.

#include <algorithm>
#include <thread>

#include "platform/base/Clock.h"
#include "platform/base/Log.h"
#include "platform/user/Backend.h"
#include "platform/user/Screen.h"
#include "platform/user/WindowSystem.h"
#include "platform/windows/HostWindows.h"

using zorun::InputEvent;
using zorun::Point;
using zorun::Rect;
using zorun::Window;
using zorun::WindowSystem;

namespace {

bool InRange(UINT message, UINT min, UINT max) {
    return (min == 0 && max == 0) || (message >= min && message <= max);
}

// The message an input event becomes, with its target chosen now. False
// when nobody may receive it (nothing there, or a disabled window).
bool InputToMessage(const InputEvent& input, MSG* msg) {
    auto& ws = WindowSystem::Get();
    *msg = {};
    msg->time = GetTickCount();
    msg->pt = ws.lastPos;
    switch (input.kind) {
    case InputEvent::Kind::StylusDown:
    case InputEvent::Kind::StylusMove:
    case InputEvent::Kind::StylusUp: {
        HWND target = ws.Live(ws.capture) ? ws.capture : WindowFromPoint(input.point);
        msg->pt = input.point;
        if (!target || !ws.ReallyEnabled(target))
            return false;
        POINT o = ws.ScreenOrigin(target);
        msg->hwnd = target;
        msg->lParam = MAKELPARAM(input.point.x - o.x, input.point.y - o.y);
        if (input.kind == InputEvent::Kind::StylusDown) {
            msg->message = WM_LBUTTONDOWN;
            msg->wParam = MK_LBUTTON;
        } else if (input.kind == InputEvent::Kind::StylusMove) {
            msg->message = WM_MOUSEMOVE;
            msg->wParam = ws.stylusDown ? MK_LBUTTON : 0;
        } else {
            msg->message = WM_LBUTTONUP;
        }
        return true;
    }
    case InputEvent::Kind::KeyDown:
    case InputEvent::Kind::KeyUp:
    case InputEvent::Kind::Char: {
        HWND target = ws.Live(ws.focus) ? ws.focus : ws.active;
        if (!ws.Live(target) || !ws.ReallyEnabled(target))
            return false;
        msg->hwnd = target;
        // lParam: repeat count 1; bit 30 the key was down before; bit 31 released.
        constexpr LPARAM kWasDown = LPARAM{1} << 30, kReleased = LPARAM{1} << 31;
        if (input.kind == InputEvent::Kind::KeyDown) {
            msg->message = WM_KEYDOWN;
            msg->wParam = static_cast<WPARAM>(input.virtualKey);
            msg->lParam = 1 | (input.repeat ? kWasDown : 0);
        } else if (input.kind == InputEvent::Kind::KeyUp) {
            msg->message = WM_KEYUP;
            msg->wParam = static_cast<WPARAM>(input.virtualKey);
            msg->lParam = 1 | kWasDown | kReleased;
        } else {
            msg->message = WM_CHAR;
            msg->wParam = input.character;
            msg->lParam = 1;
        }
        return true;
    }
    case InputEvent::Kind::SecondaryClick:
        return false; // nobody asked for the gesture
    }
    return false;
}

// A tap on a window of another top-level window brings that one forward, as
// on the device; the chrome (tool windows) never takes the activation.
void ActivateOnTap(HWND target) {
    auto& ws = WindowSystem::Get();
    HWND top = ws.TopLevelOf(target);
    Window* w = ws.Lasting(top);
    if (w && top != ws.active && !(w->exStyle & WS_EX_TOOLWINDOW))
        SetActiveWindow(top);
}

void NoteInputRead(const InputEvent& input) {
    auto& ws = WindowSystem::Get();
    switch (input.kind) {
    case InputEvent::Kind::StylusDown:
        ws.stylusDown = true;
        ws.lastPos = input.point;
        break;
    case InputEvent::Kind::StylusMove:
        ws.lastPos = input.point;
        break;
    case InputEvent::Kind::StylusUp:
        ws.stylusDown = false;
        ws.lastPos = input.point;
        break;
    default:
        break;
    }
    ws.pendingChar = input.kind == InputEvent::Kind::KeyDown ? input.character : 0;
    if (input.control && ws.pendingChar) {
        const char16_t c = ws.pendingChar;
        ws.pendingChar = (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z')
                             ? static_cast<char16_t>(c & 0x1F)
                             : 0;
    }
    ws.shiftDown = input.shift;
    ws.controlDown = input.control;
}

// Windows with an invalid region, parents before their children, top of the
// z-order first.
HWND FindPaintTarget(HWND hwnd, HWND filter) {
    auto& ws = WindowSystem::Get();
    Window* w = ws.Lasting(hwnd);
    if (!w || !w->Visible())
        return nullptr;
    if (!w->invalid.IsEmpty() && (!filter || ws.IsInside(hwnd, filter)))
        return hwnd;
    for (HWND c : w->children) {
        if (HWND found = FindPaintTarget(c, filter))
            return found;
    }
    return nullptr;
}

void WaitWithoutBackend(std::optional<std::uint64_t> deadline) {
    auto& ws = WindowSystem::Get();
    zorun::Clock& clock = zorun::CurrentClock();
    if (!deadline) {
        // Nothing can ever arrive: end the loop rather than hang.
        zorun::LogWarning("message loop: nothing to wait for and no backend; quitting");
        ws.quitCode = 0;
        return;
    }
    if (auto* virtualClock = dynamic_cast<zorun::VirtualClock*>(&clock))
        virtualClock->AdvanceTo(*deadline);
    else if (*deadline > clock.NowMs())
        std::this_thread::sleep_for(std::chrono::milliseconds(*deadline - clock.NowMs()));
}

} // namespace

namespace zorun {

bool ReadMessage(MSG* msg, HWND filter, UINT min, UINT max, bool remove) {
    auto& ws = WindowSystem::Get();
    auto matches = [&](HWND h, UINT m) {
        return (!filter || ws.IsInside(h, filter)) && InRange(m, min, max);
    };

    // Posted messages and input, in arrival order.
    for (std::size_t i = 0; i < ws.queue.size();) {
        QueueEntry& entry = ws.queue[i];
        MSG m{};
        if (!entry.isInput) {
            m = entry.msg;
        } else if (!InputToMessage(entry.input, &m)) {
            if (i == 0) {
                // Undeliverable input still moves the stylus state along.
                NoteInputRead(entry.input);
                ws.queue.erase(ws.queue.begin());
                continue;
            }
            ++i;
            continue;
        }
        if (!matches(m.hwnd, m.message)) {
            ++i;
            continue;
        }
        if (remove) {
            if (entry.isInput)
                NoteInputRead(entry.input);
            ws.queue.erase(ws.queue.begin() + static_cast<std::ptrdiff_t>(i));
            ws.lastMsg = m;
            if (m.message == WM_LBUTTONDOWN)
                ActivateOnTap(m.hwnd);
            // The help keys ask for help right after the key itself.
            if (m.message == WM_KEYDOWN && (m.wParam == VK_F1 || m.wParam == VK_HELP)) {
                QueueEntry help;
                help.msg = {m.hwnd, WM_KEYF1, 0, 0, m.time, m.pt};
                ws.queue.push_front(help);
            }
        }
        *msg = m;
        return true;
    }

    // Timers that are due, the earliest first.
    std::uint64_t now = CurrentClock().NowMs();
    Timer* due = nullptr;
    for (Timer& t : ws.timers) {
        if (t.dueMs <= now && matches(t.hwnd, WM_TIMER) && (!due || t.dueMs < due->dueMs))
            due = &t;
    }
    if (due) {
        *msg = {due->hwnd, WM_TIMER, due->id, 0, static_cast<DWORD>(now), ws.lastPos};
        if (remove) {
            // No drift: the next tick is one period after this one was due;
            // after a long stall, fire once and restart from now.
            due->dueMs += due->periodMs;
            if (due->dueMs <= now)
                due->dueMs = now + due->periodMs;
            ws.lastMsg = *msg;
        }
        return true;
    }

    // Paint, only for windows with something invalid.
    if (InRange(WM_PAINT, min, max)) {
        for (HWND top : std::vector<HWND>(ws.topLevels)) {
            if (HWND target = FindPaintTarget(top, filter)) {
                *msg = {target, WM_PAINT, 0, 0, static_cast<DWORD>(now), ws.lastPos};
                return true;
            }
        }
    }

    if (ws.quitCode && InRange(WM_QUIT, min, max)) {
        *msg = {nullptr,   WM_QUIT, static_cast<WPARAM>(*ws.quitCode), 0, static_cast<DWORD>(now),
                ws.lastPos};
        if (remove)
            ws.quitCode.reset();
        return true;
    }
    return false;
}

void WaitForSomething() {
    auto& ws = WindowSystem::Get();
    PresentIfChanged();
    std::optional<std::uint64_t> deadline = ws.NextTimerDue();
    if (Backend* backend = CurrentBackend(); backend && backend->wait)
        backend->wait(deadline);
    else
        WaitWithoutBackend(deadline);
}

} // namespace zorun

LRESULT SendMessageW(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!WindowSystem::Get().Live(hwnd))
        return 0;
    return zorun::CallWindow(hwnd, message, wParam, lParam);
}

BOOL PostMessageW(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (zorun::IsHostWindow(hwnd)) {
        const bool closeRequest =
            message == WM_CLOSE || (message == WM_COMMAND && LOWORD(wParam) == IDCANCEL);
        return closeRequest && zorun::HostWindows::Get().Close(hwnd) ? TRUE : FALSE;
    }
    auto& ws = WindowSystem::Get();
    if (hwnd && !ws.Lasting(hwnd))
        return FALSE;
    zorun::QueueEntry entry;
    entry.msg = {hwnd, message, wParam, lParam, GetTickCount(), ws.lastPos};
    ws.queue.push_back(entry);
    return TRUE;
}

void PostQuitMessage(int exitCode) {
    WindowSystem::Get().quitCode = exitCode;
}

BOOL GetMessageW(MSG* msg, HWND hwnd, UINT min, UINT max) {
    if (!msg)
        return FALSE;
    while (!zorun::ReadMessage(msg, hwnd, min, max, true))
        zorun::WaitForSomething();
    return msg->message == WM_QUIT ? FALSE : TRUE;
}

BOOL PeekMessageW(MSG* msg, HWND hwnd, UINT min, UINT max, UINT remove) {
    if (!msg)
        return FALSE;
    bool take = (remove & PM_REMOVE) != 0;
    if (zorun::ReadMessage(msg, hwnd, min, max, take))
        return TRUE;
    // Let the backend hand over input that arrived meanwhile, without blocking.
    // In virtual time nothing arrives meanwhile: the script moves on only when
    // the loop waits.
    zorun::Backend* backend = zorun::CurrentBackend();
    if (backend && backend->wait && !zorun::CurrentClock().IsVirtual()) {
        backend->wait(zorun::CurrentClock().NowMs());
        return zorun::ReadMessage(msg, hwnd, min, max, take) ? TRUE : FALSE;
    }
    return FALSE;
}

BOOL TranslateMessage(const MSG* msg) {
    auto& ws = WindowSystem::Get();
    if (!msg || msg->message != WM_KEYDOWN || !ws.pendingChar || msg->hwnd != ws.lastMsg.hwnd ||
        msg->wParam != ws.lastMsg.wParam)
        return FALSE;
    // The character comes next, before anything queued after the key.
    zorun::QueueEntry entry;
    entry.msg = {msg->hwnd, WM_CHAR, ws.pendingChar, 1, msg->time, msg->pt};
    ws.pendingChar = 0;
    ws.queue.push_front(entry);
    return TRUE;
}

LRESULT DispatchMessageW(const MSG* msg) {
    if (!msg || !msg->hwnd || !WindowSystem::Get().Live(msg->hwnd))
        return 0;
    return zorun::CallWindow(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

short GetKeyState(int virtualKey) {
    if (virtualKey == VK_SHIFT && WindowSystem::Get().shiftDown)
        return static_cast<short>(0x8000);
    if (virtualKey == VK_CONTROL && WindowSystem::Get().controlDown)
        return static_cast<short>(0x8000);
    return 0;
}

DWORD GetMessagePos() {
    const POINT& p = WindowSystem::Get().lastMsg.pt;
    return static_cast<DWORD>(MAKELPARAM(p.x, p.y));
}

LRESULT DefWindowProcW(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto& ws = WindowSystem::Get();
    Window* w = ws.Live(hwnd);
    if (!w)
        return 0;
    switch (message) {
    case WM_SETTEXT: {
        const auto* text = reinterpret_cast<const char16_t*>(lParam);
        w->text = text ? text : u"";
        if (!w->IsChild()) {
            ws.dirty = true;
            if (ws.active == hwnd)
                ws.NotifyForeground();
        }
        return TRUE;
    }
    case WM_GETTEXT: {
        auto* buffer = reinterpret_cast<char16_t*>(lParam);
        if (!buffer || wParam == 0)
            return 0;
        std::size_t n = std::min<std::size_t>(w->text.size(), wParam - 1);
        std::copy_n(w->text.data(), n, buffer);
        buffer[n] = 0;
        return static_cast<LRESULT>(n);
    }
    case WM_GETTEXTLENGTH:
        return static_cast<LRESULT>(w->text.size());
    case WM_PAINT: {
        PAINTSTRUCT ps{};
        BeginPaint(hwnd, &ps);
        EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_ERASEBKGND: {
        if (!w->background)
            return 0;
        RECT client = w->ClientRect();
        HBRUSH brush = CreateSolidBrush(*w->background);
        FillRect(reinterpret_cast<HDC>(wParam), &client, brush);
        DeleteObject(brush);
        return 1;
    }
    case WM_CLOSE:
        DestroyWindow(hwnd);
        return 0;
    case WM_KEYF1: {
        HELPINFO info{sizeof(HELPINFO), HELPINFO_WINDOW, static_cast<int>(w->id), hwnd, 0,
                      ws.lastPos};
        return SendMessageW(hwnd, WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
    }
    case WM_HELP: {
        const HWND next = w->IsChild() ? w->parent : w->owner;
        return next ? SendMessageW(next, WM_HELP, wParam, lParam) : 0;
    }
    case WM_NCHITTEST:
        return HTCLIENT;
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE && !(ws.focus && ws.IsInside(ws.focus, hwnd)))
            SetFocus(hwnd);
        return 0;
    default:
        return 0;
    }
}
