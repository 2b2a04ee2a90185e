#include "platform/shell/Sip.h"

namespace {

std::function<BOOL(HWND, SIPSTATE)>& Handler() {
    static std::function<BOOL(HWND, SIPSTATE)> handler;
    return handler;
}

} // namespace

BOOL SHSipPreference(HWND hwnd, SIPSTATE state) {
    if (const auto& handler = Handler())
        return handler(hwnd, state);
    return TRUE;
}

namespace zorun {
void SetSipHandler(std::function<BOOL(HWND, SIPSTATE)> handler) {
    Handler() = std::move(handler);
}
} // namespace zorun
