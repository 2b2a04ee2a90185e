// The program's entry: the platform runtime around a plain main window.
// (Temporary, until the application object takes over.)

#include "platform/backend/Platform.h"
#include "platform/user/Screen.h"
#include "platform/user/WinUser.h"

namespace {

LRESULT MainWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CLOSE:
        DestroyWindow(hwnd);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
}

int ProgramMain() {
    const RECT work = zorun::kWorkArea;
    HWND main =
        CreateWindowExW(0, u"ZorunMain", u"Zorun", WS_OVERLAPPED | WS_VISIBLE, work.left, work.top,
                        work.Width(), work.Height(), nullptr, nullptr, &MainWindowProc, nullptr);
    if (!main)
        return 1;
    zorun::SetMainWindow(main);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}

} // namespace

int main(int argc, char** argv) {
    return zorun::RunPlatform(argc, argv, ProgramMain);
}
