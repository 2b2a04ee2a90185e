#include "platform/user/Chrome.h"

#include "platform/user/CommandBar.h"
#include "platform/user/Screen.h"

namespace zorun {

HWND CreateNavigationBar(); // NavigationBar.cpp

void EnsureChrome() {
    CreateNavigationBar();
    CreateCommandBar();
}

HWND CreateChromeBar(const char16_t* className, const RECT& rect, WNDPROC proc) {
    HWND bar = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, className, u"", WS_POPUP,
                               rect.left, rect.top, rect.Width(), rect.Height(), nullptr, nullptr,
                               proc, nullptr);
    if (!bar)
        return nullptr;
    SetWindowBackground(bar, std::nullopt);
    ShowWindow(bar, SW_SHOWNA);
    return bar;
}

} // namespace zorun
