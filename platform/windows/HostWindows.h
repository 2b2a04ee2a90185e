#pragma once
// Other programs' top-level windows as window handles of the device, so the
// task monitor addresses them with the same HWND as the device's own
// windows. platform/user routes its window functions here for these handles.
//
// A host handle is an odd number (device handles are even) that is never
// handed out twice: a handle whose window has gone, or was never listed,
// is simply not found, and every function then fails safely.
//
// The list is a snapshot: Refresh() asks the provider afresh (the window
// system does at the start of every walk through the top-level windows);
// the windows' titles, classes and owners are read from the last snapshot,
// while Exists() asks the host each time.

#include <memory>
#include <unordered_map>
#include <vector>

#include "platform/windows/HostWindowProvider.h"

namespace zorun {

class HostWindows {
  public:
    static HostWindows& Get();

    // The provider in force (nullptr: no other programs are listed). Also
    // answers for the foreign process ids the provider hands out.
    void SetProvider(std::unique_ptr<HostWindowProvider> provider);
    [[nodiscard]] HostWindowProvider* Provider() const { return provider_.get(); }

    // Asks the provider for the windows now; handles of windows that have
    // gone are forgotten.
    void Refresh();
    // The last snapshot, bottom to top.
    [[nodiscard]] const std::vector<HWND>& Order() const { return order_; }
    // The window behind a handle in the last snapshot; nullptr when the
    // handle is not a host window's or its window was not listed.
    [[nodiscard]] const HostWindow* Find(HWND hwnd) const;
    [[nodiscard]] static bool LooksLikeHostHandle(HWND hwnd);

    [[nodiscard]] bool Exists(HWND hwnd);
    bool Close(HWND hwnd);
    bool Activate(HWND hwnd);

    void Hold();
    void Release();

    // Forgets the provider and every handle (between tests).
    void Reset();

  private:
    HostWindows() = default;
    [[nodiscard]] HWND HandleFor(std::uint64_t id);

    std::unique_ptr<HostWindowProvider> provider_;
    std::unordered_map<std::uint64_t, HWND> handles_;      // provider id -> handle
    std::unordered_map<std::uintptr_t, HostWindow> known_; // handle -> last listing
    std::vector<HWND> order_;
    std::uintptr_t nextSerial_ = 0x8000;
    int holds_ = 0;
};

// Installs the provider (nullptr for none).
void SetHostWindowProvider(std::unique_ptr<HostWindowProvider> provider);

// The provider a user gets: the X11 one when the program shows itself on an
// X11 display (the host's windows are listed), else the programs this
// program started.
[[nodiscard]] std::unique_ptr<HostWindowProvider> MakeHostWindowProvider(bool onX11Display);

// Keeps the provider's connection to the host open while it lives (the task
// monitor holds one while it is open); without one, each question opens and
// closes it.
class HostWindowSession {
  public:
    HostWindowSession() { HostWindows::Get().Hold(); }
    ~HostWindowSession() { HostWindows::Get().Release(); }
    HostWindowSession(const HostWindowSession&) = delete;
    HostWindowSession& operator=(const HostWindowSession&) = delete;
};

} // namespace zorun
