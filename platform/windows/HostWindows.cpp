#include "platform/windows/HostWindows.h"

#include <cstdlib>

#include "platform/kernel/Process.h"
#include "platform/windows/ChildWindowProvider.h"
#include "platform/windows/X11WindowProvider.h"

namespace zorun {

namespace {

// Host handles are odd, device handles even; the sentinels HWND_BOTTOM (1)
// and HWND_TOPMOST (-1) are odd too but never handed out.
constexpr std::uintptr_t kHostBit = 1;

std::uintptr_t Key(HWND hwnd) {
    return reinterpret_cast<std::uintptr_t>(hwnd);
}

} // namespace

HostWindows& HostWindows::Get() {
    static HostWindows table;
    return table;
}

void HostWindows::SetProvider(std::unique_ptr<HostWindowProvider> provider) {
    if (provider_ && holds_ > 0)
        provider_->Release();
    provider_ = std::move(provider);
    handles_.clear();
    known_.clear();
    order_.clear();
    if (provider_ && holds_ > 0)
        provider_->Hold();
    if (!provider_) {
        SetForeignProcesses({});
        return;
    }
    SetForeignProcesses({
        [](DWORD id) {
            auto* p = HostWindows::Get().Provider();
            return p && p->ForeignProcessRunning(id);
        },
        [](DWORD id) {
            auto* p = HostWindows::Get().Provider();
            return p && p->TerminateForeignProcess(id);
        },
    });
}

HWND HostWindows::HandleFor(std::uint64_t id) {
    if (auto it = handles_.find(id); it != handles_.end())
        return it->second;
    HWND hwnd = reinterpret_cast<HWND>((nextSerial_++ << 1) | kHostBit);
    handles_[id] = hwnd;
    return hwnd;
}

void HostWindows::Refresh() {
    std::vector<HostWindow> listed;
    if (provider_)
        listed = provider_->List();
    std::unordered_map<std::uint64_t, HWND> stillThere;
    known_.clear();
    order_.clear();
    for (auto& window : listed) {
        if (stillThere.count(window.id))
            continue; // listed twice: the lower place stands
        HWND hwnd = HandleFor(window.id);
        stillThere[window.id] = hwnd;
        order_.push_back(hwnd);
        known_[Key(hwnd)] = std::move(window);
    }
    // A window that has gone keeps no handle: its old handle is never found
    // again, even if the host reuses its id.
    handles_ = std::move(stillThere);
}

const HostWindow* HostWindows::Find(HWND hwnd) const {
    if (!LooksLikeHostHandle(hwnd))
        return nullptr;
    auto it = known_.find(Key(hwnd));
    return it == known_.end() ? nullptr : &it->second;
}

bool HostWindows::LooksLikeHostHandle(HWND hwnd) {
    const std::uintptr_t key = Key(hwnd);
    return (key & kHostBit) != 0 && key != 1 && key != ~std::uintptr_t{0};
}

bool HostWindows::Exists(HWND hwnd) {
    const HostWindow* w = Find(hwnd);
    return w && provider_ && provider_->Exists(w->id);
}

bool HostWindows::Close(HWND hwnd) {
    const HostWindow* w = Find(hwnd);
    return w && provider_ && provider_->Close(w->id);
}

bool HostWindows::Activate(HWND hwnd) {
    const HostWindow* w = Find(hwnd);
    return w && provider_ && provider_->Activate(w->id);
}

void HostWindows::Hold() {
    if (holds_++ == 0 && provider_)
        provider_->Hold();
}

void HostWindows::Release() {
    if (holds_ == 0)
        return;
    if (--holds_ == 0 && provider_)
        provider_->Release();
}

void HostWindows::Reset() {
    SetProvider(nullptr);
    holds_ = 0;
}

void SetHostWindowProvider(std::unique_ptr<HostWindowProvider> provider) {
    HostWindows::Get().SetProvider(std::move(provider));
}

std::unique_ptr<HostWindowProvider> MakeHostWindowProvider(bool onX11Display) {
    const char* display = std::getenv("DISPLAY");
    if (onX11Display && display && *display)
        return std::make_unique<X11WindowProvider>(display);
    return std::make_unique<ChildWindowProvider>();
}

} // namespace zorun
