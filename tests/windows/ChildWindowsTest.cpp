// Where there is no window system to ask, the task list is the programs this
// program started: one window each, titled by the program's name.

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/base/Text.h"
#include "platform/kernel/DeviceRoot.h"
#include "platform/kernel/Process.h"
#include "platform/user/Screen.h"
#include "platform/user/WinUser.h"
#include "platform/windows/ChildWindowProvider.h"
#include "platform/windows/HostWindows.h"
#include "tests/support/XTestDisplay.h"

namespace fs = std::filesystem;

namespace {

class ChildWindowsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "zorun-children-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        root_ = pattern;
        fs::create_directories(root_ / "Windows");
        zorun::SetDeviceRoot(root_);
        zorun::ResetWindowSystem();
        zorun::SetHostWindowProvider(std::make_unique<zorun::ChildWindowProvider>());
        main_ = CreateWindowExW(0, u"Frame", u"Zorun", WS_POPUP | WS_VISIBLE, 0, 26, 240, 268,
                                nullptr, nullptr, DefWindowProcW, nullptr);
        zorun::SetMainWindow(main_);
    }
    void TearDown() override {
        for (DWORD pid : zorun::StartedProcesses()) {
            HANDLE h = OpenProcess(0, FALSE, pid);
            TerminateProcess(h, 0);
            WaitForSingleObject(h, 5000);
            CloseHandle(h);
        }
        zorun::HostWindows::Get().Reset();
        zorun::ResetWindowSystem();
        fs::remove_all(root_);
    }

    // Starts \Windows\<name>: a script that sleeps, and ignores SIGTERM
    // when `stubborn`; returns once it runs.
    DWORD Start(const std::string& name, bool stubborn = false) {
        const auto path = root_ / "Windows" / name;
        const auto ready = root_ / (name + ".ready");
        std::ofstream(path) << "#!/bin/sh\n"
                            << (stubborn ? "trap '' TERM\n" : "") << "sleep 30 &\ntouch " << ready
                            << "\nwait\n";
        chmod(path.c_str(), 0755);
        PROCESS_INFORMATION info{};
        const auto program = zorun::FromUtf8(name);
        EXPECT_TRUE(CreateProcessW(program.c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr,
                                   nullptr, nullptr, &info));
        CloseHandle(info.hProcess);
        EXPECT_TRUE(WaitFor([&] { return fs::exists(ready); }));
        return info.dwProcessId;
    }

    // The host's windows of a walk from the bottom, titles only.
    static std::vector<std::u16string> Titles() {
        std::vector<std::u16string> titles;
        for (HWND w = GetWindow(MainWindowHandle(), GW_HWNDLAST); w; w = GetWindow(w, GW_HWNDPREV))
            titles.push_back(GetWindowText(w));
        return titles;
    }
    static HWND MainWindowHandle() { return zorun::MainWindow(); }
    static HWND Lowest() { return GetWindow(MainWindowHandle(), GW_HWNDLAST); }

    fs::path root_;
    HWND main_ = nullptr;
};

TEST_F(ChildWindowsTest, TheProgramsStartedAreListedOldestLowest) {
    EXPECT_EQ(Titles(), std::vector<std::u16string>{u"Zorun"});
    const DWORD notes = Start("notes.exe");
    const DWORD clock = Start("clock");
    EXPECT_EQ(Titles(), (std::vector<std::u16string>{u"notes", u"clock", u"Zorun"}));

    HWND lowest = Lowest();
    DWORD process = 0;
    const DWORD thread = GetWindowThreadProcessId(lowest, &process);
    EXPECT_EQ(process, notes);
    EXPECT_EQ(thread, notes);
    EXPECT_TRUE(IsWindowVisible(lowest));
    EXPECT_EQ(GetWindowLongW(lowest, GWL_STYLE) & WS_VISIBLE, static_cast<LONG>(WS_VISIBLE));
    DWORD clockProcess = 0;
    EXPECT_NE(GetWindowThreadProcessId(GetWindow(lowest, GW_HWNDPREV), &clockProcess), thread);
    EXPECT_EQ(clockProcess, clock);
    // They cannot be brought forward: there is nothing to ask.
    EXPECT_FALSE(SetForegroundWindow(lowest));
}

TEST_F(ChildWindowsTest, CloseAsksTheProgramToEndAndTerminateForcesIt) {
    Start("polite");
    const DWORD stubborn = Start("stubborn", true);
    HWND polite = Lowest();
    HWND refusing = GetWindow(polite, GW_HWNDPREV);
    ASSERT_EQ(GetWindowText(refusing), u"stubborn");

    EXPECT_TRUE(PostMessageW(polite, WM_CLOSE, 0, 0));
    EXPECT_TRUE(PostMessageW(refusing, WM_CLOSE, 0, 0));
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(polite); }));
    // The close reached the whole program, its helper (the sleep) too.
    EXPECT_EQ(Titles(), (std::vector<std::u16string>{u"stubborn", u"Zorun"}));
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    EXPECT_TRUE(IsWindow(refusing));

    HANDLE h = OpenProcess(0, FALSE, stubborn);
    ASSERT_NE(h, nullptr);
    EXPECT_TRUE(TerminateProcess(h, 0xFFFFFFFF));
    EXPECT_EQ(WaitForSingleObject(h, 5000), WAIT_OBJECT_0);
    CloseHandle(h);
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(refusing); }));
    EXPECT_FALSE(PostMessageW(refusing, WM_CLOSE, 0, 0));
    EXPECT_EQ(Titles(), std::vector<std::u16string>{u"Zorun"});
}

TEST_F(ChildWindowsTest, ThisProgramIsNeverStoppedThroughItsOwnProcess) {
    const auto self = static_cast<DWORD>(getpid());
    HANDLE h = OpenProcess(0, FALSE, self);
    ASSERT_NE(h, nullptr);
    EXPECT_FALSE(TerminateProcess(h, 0xFFFFFFFF));
    EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
    CloseHandle(h);
    EXPECT_FALSE(zorun::RequestProcessExit(self));
    // The device's windows are this program's: its one thread and process.
    DWORD process = 0;
    EXPECT_EQ(GetWindowThreadProcessId(main_, &process), self);
    EXPECT_EQ(process, self);
    // No foreign process is known without a provider that hands them out.
    EXPECT_EQ(OpenProcess(0, FALSE, zorun::kForeignProcessFlag | 0x400000), nullptr);
}

} // namespace
