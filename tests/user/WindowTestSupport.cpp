#include "WindowTestSupport.h"

#include "platform/user/Backend.h"

WindowTest* WindowTest::current = nullptr;

void WindowTest::SetUp() {
    zorun::ResetWindowSystem();
    zorun::SetBackend(nullptr);
    zorun::SetCurrentClock(&clock);
    current = this;
}

void WindowTest::TearDown() {
    zorun::ResetWindowSystem();
    zorun::SetCurrentClock(nullptr);
    current = nullptr;
}

LRESULT WindowTest::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!current)
        return DefWindowProcW(hwnd, message, wParam, lParam);
    current->log.push_back({hwnd, message, wParam, lParam});
    auto it = current->on.find({hwnd, message});
    if (it != current->on.end()) {
        auto handler = it->second; // may erase itself
        return handler(wParam, lParam);
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

HWND WindowTest::MakeWindow(RECT rect, HWND parent, DWORD style, int id) {
    return CreateWindowExW(0, u"TEST", u"test", style, rect.left, rect.top, rect.Width(),
                           rect.Height(), parent,
                           reinterpret_cast<HMENU>(static_cast<std::intptr_t>(id)), &Proc, nullptr);
}

void WindowTest::Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

std::vector<Logged> WindowTest::Only(std::initializer_list<UINT> messages) const {
    std::vector<Logged> out;
    for (const Logged& l : log) {
        for (UINT m : messages) {
            if (l.message == m) {
                out.push_back(l);
                break;
            }
        }
    }
    return out;
}
