#pragma once
// The task list over an X11 display with an EWMH window manager.
//
// - Windows: `_NET_CLIENT_LIST_STACKING`, bottom to top (without an EWMH
//   window manager: the root's children in stacking order, each frame's
//   client window found by its WM_STATE).
// - Thread: the X client, that is the resource-id base of the window id, so
//   all windows of one client make one application.
// - Process: `_NET_WM_PID` when the window says it and runs on this machine
//   (WM_CLIENT_MACHINE); otherwise a foreign process id that stands for the
//   X client, which TerminateProcess ends with KillClient.
// - Visible: mapped and not `_NET_WM_STATE_HIDDEN`; docks and desktops
//   (panels, the desktop's own window) are not applications and never count
//   as visible.
// - Title: `_NET_WM_NAME` (UTF-8), else WM_NAME. Class: "Dialog" for a
//   `_NET_WM_WINDOW_TYPE_DIALOG` or transient window, else WM_CLASS's class.
// - Close: `_NET_CLOSE_WINDOW`, or WM_DELETE_WINDOW sent to the window when
//   the window manager does not offer it. Activate: `_NET_ACTIVE_WINDOW`, or
//   raise and focus.
// This program's own windows (its process id) are never listed.

#include <memory>
#include <string>
#include <string_view>

#include "platform/windows/HostWindowProvider.h"
#include "platform/windows/X11Connection.h"

namespace zorun {

class X11WindowProvider final : public HostWindowProvider {
  public:
    explicit X11WindowProvider(std::string displayName);
    ~X11WindowProvider() override;

    [[nodiscard]] std::vector<HostWindow> List() override;
    [[nodiscard]] bool Exists(std::uint64_t id) override;
    bool Close(std::uint64_t id) override;
    bool Activate(std::uint64_t id) override;
    [[nodiscard]] bool ForeignProcessRunning(DWORD processId) override;
    bool TerminateForeignProcess(DWORD processId) override;
    void Hold() override;
    void Release() override;

    // True while a connection is open (tests check it is not kept unused).
    [[nodiscard]] bool Connected() const { return connection_ != nullptr; }
    // X errors seen on the current connection.
    [[nodiscard]] std::size_t ErrorCount() const;

  private:
    class Use;
    // The client windows, bottom to top.
    [[nodiscard]] std::vector<xcb_window_t> ClientWindows(X11Connection& x);
    [[nodiscard]] std::vector<xcb_window_t> ClientWindowsFromTree(X11Connection& x);
    [[nodiscard]] DWORD ClientOf(const X11Connection& x, xcb_window_t window) const;
    [[nodiscard]] bool IsLocalMachine(std::u16string_view machine) const;

    std::string displayName_;
    std::string hostName_;
    std::unique_ptr<X11Connection> connection_;
    int holds_ = 0;
};

} // namespace zorun
