#include "tests/app/AppHarness.h"

#include <algorithm>
#include <cstdlib>

#include "platform/gdi/Surface.h"
#include "platform/user/Input.h"
#include "platform/user/Screen.h"

AppHarness::AppHarness() {
    zorun::ResetWindowSystem();
    zorun::SetCurrentClock(&clock);
    // The instance lock lives beside the test's device, not the user's.
    const auto run = device_.Folder() / "run";
    std::filesystem::create_directories(run);
    std::filesystem::permissions(run, std::filesystem::perms::owner_all);
    ::setenv("XDG_RUNTIME_DIR", run.c_str(), 1);
    // Rescue files too.
    ::setenv("XDG_STATE_HOME", (device_.Folder() / "state").c_str(), 1);
    // A device with its Windows folder, where the settings file lives.
    std::filesystem::create_directories(device_.Root() / "Windows");
}

AppHarness::~AppHarness() {
    if (Running())
        Close();
    app_.reset();
    zorun::ResetWindowSystem();
    zorun::SetCurrentClock(nullptr);
}

bool AppHarness::Start() {
    app_ = std::make_unique<CZorunApp>();
    const bool started = app_->InitInstance() != FALSE;
    Pump();
    return started;
}

CMainFrame* AppHarness::Frame() const {
    return app_ ? dynamic_cast<CMainFrame*>(app_->m_pMainWnd) : nullptr;
}

void AppHarness::Pump() {
    MSG msg;
    while (!quit_ && PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            quit_ = true;
            break;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    AfxFlushDestroyedWindows();
    zorun::ComposeScreen();
}

void AppHarness::Down(int x, int y) {
    zorun::PushInput({zorun::InputEvent::Kind::StylusDown, {x, y}});
    Pump();
}

void AppHarness::Up(int x, int y) {
    zorun::PushInput({zorun::InputEvent::Kind::StylusUp, {x, y}});
    Pump();
}

void AppHarness::QueueTap(int x, int y) {
    zorun::PushInput({zorun::InputEvent::Kind::StylusDown, {x, y}});
    zorun::PushInput({zorun::InputEvent::Kind::StylusUp, {x, y}});
}

void AppHarness::Tap(int x, int y) {
    QueueTap(x, y);
    Pump();
}

void AppHarness::QueueKey(int virtualKey) {
    zorun::InputEvent key;
    key.kind = zorun::InputEvent::Kind::KeyDown;
    key.virtualKey = virtualKey;
    zorun::PushInput(key);
}

void AppHarness::Key(int virtualKey) {
    QueueKey(virtualKey);
    Pump();
}

void AppHarness::Command(UINT id) {
    if (CMainFrame* frame = Frame())
        PostMessageW(frame->GetSafeHwnd(), WM_COMMAND, id, 0);
    Pump();
}

void AppHarness::Close() {
    if (CMainFrame* frame = Frame())
        PostMessageW(frame->GetSafeHwnd(), WM_CLOSE, 0, 0);
    Pump();
}

std::uint32_t AppHarness::Pixel(int x, int y) const {
    return zorun::ScreenSurface().Pixel(x, y) & 0xFFFFFF;
}

std::vector<std::u16string> AppHarness::ScreenTexts() const {
    std::vector<std::u16string> texts;
    for (const auto& record : zorun::ScreenSurface().Texts())
        texts.push_back(record.text);
    return texts;
}

bool AppHarness::ScreenShows(std::u16string_view text) const {
    const auto texts = ScreenTexts();
    return std::find(texts.begin(), texts.end(), text) != texts.end();
}
