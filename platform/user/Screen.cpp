#include "platform/user/Screen.h"

#include <map>
#include <vector>

#include "platform/base/Text.h"
#include "platform/user/Backend.h"
#include "platform/user/Clipboard.h"
#include "platform/user/WindowSystem.h"

namespace zorun {

namespace {

Surface& Framebuffer() {
    static Surface framebuffer(kScreenWidth, kScreenHeight);
    return framebuffer;
}

std::map<std::u16string, WNDPROC>& ControlClasses() {
    static std::map<std::u16string, WNDPROC> classes;
    return classes;
}

Backend* currentBackend = nullptr;
bool frameShown = false;
std::vector<std::function<void()>> afterFirstFrame;

} // namespace

const Surface& ScreenSurface() {
    return Framebuffer();
}

bool ComposeScreen() {
    auto& ws = WindowSystem::Get();
    // A DC still out may have drawn since the last compose.
    if (!ws.dirty && ws.windowDCs.empty())
        return false;
    Surface& fb = Framebuffer();
    fb.Fill(fb.Bounds(), 0xFF000000u);
    for (auto it = ws.topLevels.rbegin(); it != ws.topLevels.rend(); ++it) {
        Window* w = ws.Live(*it);
        if (!w || !w->Visible() || !w->surface)
            continue;
        fb.Blit(*w->surface, w->surface->Bounds(), {w->rect.left, w->rect.top});
    }
    ws.dirty = false;
    return true;
}

void PresentIfChanged() {
    if (!ComposeScreen())
        return;
    if (currentBackend && currentBackend->present)
        currentBackend->present(Framebuffer());
}

void PaintAndPresent() {
    for (HWND top : std::vector<HWND>(WindowSystem::Get().topLevels))
        UpdateWindow(top);
    PresentIfChanged();
}

void SetBackend(Backend* backend) {
    currentBackend = backend;
    frameShown = false;
    afterFirstFrame.clear();
}

void NoteFrameShown() {
    if (frameShown)
        return;
    frameShown = true;
    // Work queued by the work itself runs at once (frameShown is set).
    auto queued = std::move(afterFirstFrame);
    afterFirstFrame.clear();
    for (auto& work : queued)
        work();
}

void AfterFirstFrame(std::function<void()> work) {
    if (!work)
        return;
    if (frameShown || !currentBackend)
        work();
    else
        afterFirstFrame.push_back(std::move(work));
}

Backend* CurrentBackend() {
    return currentBackend;
}

void RegisterControlClass(const char16_t* className, WNDPROC proc) {
    if (!className)
        return;
    if (proc)
        ControlClasses()[FoldText(className)] = proc;
    else
        ControlClasses().erase(FoldText(className));
}

WNDPROC FindControlClass(const char16_t* className) {
    if (!className)
        return nullptr;
    auto it = ControlClasses().find(FoldText(className));
    return it == ControlClasses().end() ? nullptr : it->second;
}

void SetMainWindow(HWND hwnd) {
    WindowSystem::Get().mainWindow = IsWindow(hwnd) ? hwnd : nullptr;
}

HWND MainWindow() {
    auto& ws = WindowSystem::Get();
    return ws.Live(ws.mainWindow) ? ws.mainWindow : nullptr;
}

void SetWindowBackground(HWND hwnd, std::optional<COLORREF> color) {
    if (Window* w = WindowSystem::Get().Live(hwnd))
        w->background = color;
}

void ResetWindowSystem() {
    WindowSystem::Get().Reset();
    ResetProcessClipboard();
}

} // namespace zorun
