#pragma once
// The window system's state, shared by the files that implement WinUser.h:
// the window table, the message queue, timers, modal loops and the focus
// state. Internal to platform/user; the program uses WinUser.h and Screen.h.
//
// Windows are looked up by handle on every use and never held across a call
// that may run a handler: a handler can destroy any window.

#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/gdi/Surface.h"
#include "platform/user/ChromeState.h"
#include "platform/user/ControlsState.h"
#include "platform/user/Input.h"
#include "platform/user/WinUser.h"

namespace zorun {

struct Window {
    HWND handle = nullptr;
    std::u16string className;
    std::u16string text;
    WNDPROC proc = nullptr;
    DWORD style = 0;
    DWORD exStyle = 0;
    HWND parent = nullptr;      // child windows
    HWND owner = nullptr;       // top-level windows
    std::vector<HWND> children; // z-order, top first
    Rect rect;                  // parent's client coordinates for children, screen otherwise
    int id = 0;
    std::intptr_t userData = 0;
    bool destroying = false;
    Rect invalid; // client coordinates
    bool erase = false;
    std::optional<COLORREF> background = RGB(255, 255, 255);
    // Top-level windows only; shared with the DCs drawing on it, so a DC
    // outliving its window never draws into freed memory.
    std::shared_ptr<Surface> surface;

    [[nodiscard]] bool IsChild() const { return (style & WS_CHILD) != 0; }
    [[nodiscard]] bool Visible() const { return (style & WS_VISIBLE) != 0; }
    [[nodiscard]] bool Enabled() const { return (style & WS_DISABLED) == 0; }
    [[nodiscard]] bool Topmost() const { return (exStyle & WS_EX_TOPMOST) != 0; }
    [[nodiscard]] Rect ClientRect() const { return {0, 0, rect.Width(), rect.Height()}; }
};

struct Timer {
    HWND hwnd;
    std::uintptr_t id;
    std::uint64_t periodMs;
    std::uint64_t dueMs;
};

// One entry of the queue: a posted message, or raw input that becomes a
// message when it is read (its target is chosen then, as on the device).
struct QueueEntry {
    bool isInput = false;
    MSG msg{};
    InputEvent input{};
};

struct ModalFrame {
    HWND hwnd;
    bool ended = false;
    int result = 0;
};

class WindowSystem {
  public:
    static WindowSystem& Get();

    // --- window table
    [[nodiscard]] Window* Find(HWND hwnd);
    // A window that exists: until DestroyWindow has sent its last message,
    // so a handler of WM_DESTROY still sees its own window.
    [[nodiscard]] Window* Live(HWND hwnd);
    // A window that exists and is not being destroyed: one that may still
    // receive posted messages, timers, focus or activation.
    [[nodiscard]] Window* Lasting(HWND hwnd);
    HWND Add(std::unique_ptr<Window> window);
    void Remove(HWND hwnd);
    [[nodiscard]] std::vector<HWND>& Siblings(Window& w); // the list holding w
    [[nodiscard]] HWND TopLevelOf(HWND hwnd);
    // Window origin in its top-level's surface and in screen coordinates.
    [[nodiscard]] Point OriginInTopLevel(HWND hwnd);
    [[nodiscard]] Point ScreenOrigin(HWND hwnd);
    // The part of the window that can show, in its top-level surface's
    // coordinates (clipped by every ancestor's client area).
    [[nodiscard]] Rect VisibleInTopLevel(HWND hwnd);
    // True when the window and all its ancestors are visible.
    [[nodiscard]] bool ReallyVisible(HWND hwnd);
    [[nodiscard]] bool ReallyEnabled(HWND hwnd);
    [[nodiscard]] bool IsInside(HWND hwnd, HWND ancestor); // hwnd == ancestor counts
    void PlaceTopLevel(HWND hwnd, HWND after);
    void EnsureSurface(Window& w);

    // --- focus state
    HWND active = nullptr;
    HWND focus = nullptr;
    HWND capture = nullptr;
    HWND mainWindow = nullptr;
    void ActivateAnother(HWND leaving);
    void NotifyForeground();

    // --- queue
    std::deque<QueueEntry> queue;
    std::optional<int> quitCode;
    std::vector<Timer> timers;
    std::vector<ModalFrame> modal;
    MSG lastMsg{};
    char16_t pendingChar = 0; // the character TranslateMessage makes of the last key read
    bool stylusDown = false;
    Point lastPos;
    bool shiftDown = false;   // Shift was held with the input read last (GetKeyState)
    bool controlDown = false; // and Ctrl
    [[nodiscard]] std::optional<std::uint64_t> NextTimerDue() const;
    [[nodiscard]] bool HasPendingPaint();
    void DropMessagesFor(HWND hwnd);

    // --- composition
    bool dirty = true;
    std::unordered_map<HDC, std::shared_ptr<Surface>>
        windowDCs;               // GetDC / BeginPaint, until released
    std::vector<HWND> topLevels; // z-order, top first

    // --- chrome: navigation bar, command bar, soft keyboard (ChromeState.h)
    ChromeState chrome;
    // --- end of chrome

    // --- dialogs, the wait cursor, the controls' own state (ControlsState.h)
    ControlsState controls;
    // --- end of controls

    void Reset();

  private:
    std::unordered_map<std::uintptr_t, std::unique_ptr<Window>> windows_;
    std::uintptr_t nextHandle_ = 0x10000;
};

// Other programs' windows on the host (platform/windows/HostWindows.h),
// addressed by handles of their own that the window functions route here.
struct HostWindow;
[[nodiscard]] bool IsHostWindow(HWND hwnd);
[[nodiscard]] const HostWindow* FindHostWindow(HWND hwnd);
// The next top-level window across the device's and the host's windows
// (GW_HWNDFIRST, GW_HWNDLAST, GW_HWNDNEXT, GW_HWNDPREV).
[[nodiscard]] HWND TopLevelNeighbour(HWND hwnd, UINT relation);

// Calls the window's procedure (nothing when the window is gone).
LRESULT CallWindow(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
// Paint invalidation shared by moves, show/hide and InvalidateRect.
void InvalidateClient(HWND hwnd, const Rect& clientRect, bool erase);
void InvalidateAllOf(HWND hwnd);
// Turns the head of the queue into a message when it matches; false if empty.
bool ReadMessage(MSG* msg, HWND filter, UINT min, UINT max, bool remove);
// Composes and presents when something changed; called when the loop idles.
void PresentIfChanged();
// Presents, then waits on the backend until the next timer or some input.
void WaitForSomething();

} // namespace zorun
