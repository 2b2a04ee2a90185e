#include "tests/monitor/MonitorFixture.h"

#include <algorithm>
#include <csignal>
#include <thread>

#include "platform/base/Text.h"
#include "platform/kernel/Process.h"
#include "platform/user/Chrome.h"
#include "platform/user/CommandBar.h"
#include "platform/user/Cursor.h"
#include "platform/user/Input.h"
#include "platform/user/Screen.h"
#include "platform/windows/HostWindows.h"

namespace {

// How long a paced wait may stand still on a step that never gets ready.
constexpr std::uint64_t kStallLimitMs = 20000;
constexpr std::uint64_t kPaceMs = 10;
// How many times an unpaced wait may move the clock on without a step running.
constexpr int kIdleWaitLimit = 10000;

std::u16string ClassOf(HWND hwnd) {
    char16_t name[64] = {};
    GetClassNameW(hwnd, name, 64);
    return name;
}

} // namespace

void MonitorFixture::SetUp() {
    ProgramFixture::SetUp();
    backend_.wait = [this](std::optional<std::uint64_t> deadline) { WaitHook(deadline); };
    zorun::SetBackend(&backend_);
    listener_ = zorun::AddForegroundListener([this](HWND w) {
        if (w && ClassOf(w) == u"MessageBox")
            ++boxes;
    });
}

void MonitorFixture::TearDown() {
    zorun::RemoveForegroundListener(listener_);
    // Whatever a test started and left running goes with it.
    for (DWORD pid : zorun::StartedProcesses()) {
        if (HANDLE process = OpenProcess(0, FALSE, pid)) {
            TerminateProcess(process, 0);
            CloseHandle(process);
        }
    }
    zorun::HostWindows::Get().Reset();
    ProgramFixture::TearDown();
}

void MonitorFixture::When(std::function<bool()> ready, std::function<void()> step) {
    steps_.push_back({std::move(ready), std::move(step)});
}

void MonitorFixture::Then(std::function<void()> step) {
    When([] { return true; }, std::move(step));
}

void MonitorFixture::RunMonitor() {
    CTaskMonitorDlg monitor(&Frame());
    monitor.DoModal();
    EXPECT_TRUE(steps_.empty()) << steps_.size() << " step(s) never ran";
    steps_.clear();
}

void MonitorFixture::WaitHook(std::optional<std::uint64_t> deadline) {
    if (!steps_.empty() && steps_.front().ready()) {
        stalledMs_ = 0;
        idleWaits_ = 0;
        Step step = std::move(steps_.front());
        steps_.pop_front();
        step.run();
        return;
    }
    const bool canWait = deadline || (paced_ && !steps_.empty());
    if (canWait && stalledMs_ < kStallLimitMs && idleWaits_ < kIdleWaitLimit) {
        ++idleWaits_;
        if (!paced_) {
            clock.AdvanceTo(*deadline);
            return;
        }
        std::uint64_t pace = kPaceMs;
        if (deadline)
            pace = std::min(pace, *deadline > clock.NowMs() ? *deadline - clock.NowMs() : 0);
        std::this_thread::sleep_for(std::chrono::milliseconds(pace));
        clock.Advance(pace);
        stalledMs_ += std::max<std::uint64_t>(pace, 1);
        return;
    }
    ADD_FAILURE() << (steps_.empty() ? "a loop waits for input that the test does not give"
                                     : "a step never became ready");
    steps_.clear();
    PostQuitMessage(0);
}

CTaskMonitorDlg* MonitorFixture::Monitor() {
    return dynamic_cast<CTaskMonitorDlg*>(CWnd::FromHandlePermanent(GetForegroundWindow()));
}

bool MonitorFixture::MonitorIdle() {
    return MonitorInFront() && !zorun::WaitCursorShown();
}

void MonitorFixture::QueueAnswer(int answer) {
    zorun::InputEvent key;
    key.kind = zorun::InputEvent::Kind::KeyDown;
    key.virtualKey = answer == IDOK ? VK_RETURN : VK_ESCAPE;
    zorun::PushInput(key);
}

bool MonitorFixture::BoxInFront() {
    HWND front = GetForegroundWindow();
    return front && ClassOf(front) == u"MessageBox";
}

std::vector<std::u16string> MonitorFixture::Rows() {
    std::vector<std::u16string> rows;
    CTaskMonitorDlg* monitor = Monitor();
    if (!monitor)
        return rows;
    for (int i = 0; i < monitor->listCtrl.GetItemCount(); ++i)
        rows.push_back(monitor->listCtrl.GetItemText(i, 0));
    return rows;
}

void MonitorFixture::SelectRow(int row) {
    if (CTaskMonitorDlg* monitor = Monitor())
        monitor->listCtrl.SetItemState(row, LVIS_SELECTED | LVIS_FOCUSED,
                                       LVIS_SELECTED | LVIS_FOCUSED);
}

void MonitorFixture::QueueToolButton(UINT command) {
    const auto buttons = zorun::CommandBarButtons(GetForegroundWindow());
    for (const auto& item : zorun::CommandBarLayout()) {
        if (item.isMenu || static_cast<std::size_t>(item.index) >= buttons.size() ||
            buttons[static_cast<std::size_t>(item.index)].command != command)
            continue;
        const POINT p{(item.rect.left + item.rect.right) / 2,
                      zorun::kCommandBarRect.top + (item.rect.top + item.rect.bottom) / 2};
        zorun::PushInput({zorun::InputEvent::Kind::StylusDown, p});
        zorun::PushInput({zorun::InputEvent::Kind::StylusUp, p});
        return;
    }
    ADD_FAILURE() << "no tool button for command " << command;
}

bool MonitorFixture::ToolButtonEnabled(UINT command) {
    for (const auto& button : zorun::CommandBarButtons(GetForegroundWindow())) {
        if (button.command == command)
            return button.enabled;
    }
    return false;
}

void MonitorFixture::QueueCommand(UINT command) {
    if (CTaskMonitorDlg* monitor = Monitor())
        monitor->PostMessage(WM_COMMAND, command, 0);
}

void MonitorFixture::QueueEditMenu() {
    for (const auto& item : zorun::CommandBarLayout()) {
        if (!item.isMenu)
            continue;
        const POINT p{(item.rect.left + item.rect.right) / 2,
                      zorun::kCommandBarRect.top + (item.rect.top + item.rect.bottom) / 2};
        zorun::PushInput({zorun::InputEvent::Kind::StylusDown, p});
        zorun::PushInput({zorun::InputEvent::Kind::StylusUp, p});
        return;
    }
    ADD_FAILURE() << "no menu button on the command bar";
}

bool MonitorFixture::MenuInFront() {
    HWND front = GetForegroundWindow();
    return front && ClassOf(front) == u"Menu";
}

void MonitorFixture::QueueTapOnText(const std::u16string& text) {
    zorun::ComposeScreen();
    for (const auto& record : zorun::ScreenSurface().Texts()) {
        if (record.text != text)
            continue;
        const POINT p{(record.bounds.left + record.bounds.right) / 2,
                      (record.bounds.top + record.bounds.bottom) / 2};
        zorun::PushInput({zorun::InputEvent::Kind::StylusDown, p});
        zorun::PushInput({zorun::InputEvent::Kind::StylusUp, p});
        return;
    }
    ADD_FAILURE() << "no text on screen: " << zorun::ToUtf8(text);
}
