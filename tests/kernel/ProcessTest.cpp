#include "platform/kernel/Process.h"

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>

#include "platform/kernel/DeviceRoot.h"

namespace fs = std::filesystem;

namespace {

class ProcessTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "zorun-process-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        root_ = pattern;
        fs::create_directories(root_ / "Windows");
        zorun::SetDeviceRoot(root_);
    }
    void TearDown() override { fs::remove_all(root_); }

    // A device program that writes its arguments, one per line, to `marker`.
    fs::path Script(const fs::path& relative, const fs::path& marker) {
        const auto path = root_ / relative;
        fs::create_directories(path.parent_path());
        std::ofstream(path) << "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > "
                            << marker << ".tmp\nmv " << marker << ".tmp " << marker << "\n";
        chmod(path.c_str(), 0755);
        return path;
    }

    // Waits (real time, bounded) for the marker the script writes last.
    static std::vector<std::string> ReadMarker(const fs::path& marker) {
        for (int i = 0; i < 500 && !fs::exists(marker); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        std::vector<std::string> lines;
        std::ifstream in(marker);
        for (std::string line; std::getline(in, line);)
            lines.push_back(line);
        return lines;
    }

    fs::path root_;
};

// True when `pid` is our child and a zombie.
bool IsZombie(pid_t pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    if (!std::getline(stat, line))
        return false;
    auto close = line.rfind(')');
    return close != std::string::npos && close + 2 < line.size() && line[close + 2] == 'Z';
}

} // namespace

TEST_F(ProcessTest, StartsDevicePathsAndBareNamesWithSplitArguments) {
    const auto marker = root_ / "argv.txt";
    Script("Windows/Tool.exe", marker);
    PROCESS_INFORMATION info{};
    ASSERT_TRUE(CreateProcessW(u"\\WINDOWS\\tool.EXE", u"one \"two three\" a\\\"b", nullptr,
                               nullptr, FALSE, 0, nullptr, nullptr, nullptr, &info));
    EXPECT_GT(info.dwProcessId, 0u);
    EXPECT_EQ(ReadMarker(marker), (std::vector<std::string>{"one", "two three", "a\"b"}));
    EXPECT_EQ(WaitForSingleObject(info.hProcess, 5000), WAIT_OBJECT_0);
    EXPECT_TRUE(CloseHandle(info.hProcess));
    EXPECT_FALSE(CloseHandle(info.hProcess));

    // A bare name is found in \Windows; a quoted path loses its quotes.
    fs::remove(marker);
    ASSERT_TRUE(CreateProcessW(u"tool.exe", u"Zorun.htm#Main_Contents", nullptr, nullptr, FALSE, 0,
                               nullptr, nullptr, nullptr, nullptr));
    EXPECT_EQ(ReadMarker(marker), (std::vector<std::string>{"Zorun.htm#Main_Contents"}));
    fs::remove(marker);
    ASSERT_TRUE(CreateProcessW(u"\"\\Windows\\Tool.exe\"", nullptr, nullptr, nullptr, FALSE, 0,
                               nullptr, nullptr, nullptr, nullptr));
    EXPECT_TRUE(ReadMarker(marker).empty());
    EXPECT_TRUE(fs::exists(marker));
}

TEST_F(ProcessTest, ProgramThatCannotStartFailsWithoutTrace) {
    std::ofstream(root_ / "Windows" / "plain.exe") << "not a program\n";
    fs::create_directories(root_ / "Windows" / "folder.exe");
    for (const char16_t* program : {u"\\Windows\\missing.exe", u"\\Windows\\plain.exe",
                                    u"\\Windows\\folder.exe", u"\\..\\..\\bin\\sh", u""}) {
        SetLastError(0);
        EXPECT_FALSE(CreateProcessW(program, u"x", nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                    nullptr, nullptr));
        EXPECT_NE(GetLastError(), 0u);
    }
    // No child of ours is left behind, not even a dead one.
    EXPECT_EQ(waitpid(-1, nullptr, WNOHANG), -1);
    EXPECT_EQ(errno, ECHILD);
}

TEST_F(ProcessTest, EndedChildrenAreReapedWithoutWaiting) {
    const auto marker = root_ / "done.txt";
    Script("Windows/quick.exe", marker);
    std::vector<DWORD> pids;
    for (int i = 0; i < 5; ++i) {
        PROCESS_INFORMATION info{};
        ASSERT_TRUE(CreateProcessW(u"quick.exe", nullptr, nullptr, nullptr, FALSE, 0, nullptr,
                                   nullptr, nullptr, &info));
        pids.push_back(info.dwProcessId);
        CloseHandle(info.hProcess);
    }
    // Every child ends on its own; none may stay a zombie.
    for (int i = 0; i < 500; ++i) {
        bool any = false;
        for (auto pid : pids)
            any = any || zorun::IsProcessRunning(pid) || IsZombie(static_cast<pid_t>(pid));
        if (!any)
            break;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    for (auto pid : pids) {
        EXPECT_FALSE(IsZombie(static_cast<pid_t>(pid))) << pid;
        EXPECT_FALSE(zorun::IsProcessRunning(pid)) << pid;
    }
    EXPECT_TRUE(zorun::StartedProcesses().empty());
}

TEST_F(ProcessTest, OpenAndTerminateARunningProgram) {
    const auto path = root_ / "Windows" / "sleeper.exe";
    std::ofstream(path) << "#!/bin/sh\nexec sleep 30\n";
    chmod(path.c_str(), 0755);
    PROCESS_INFORMATION info{};
    ASSERT_TRUE(CreateProcessW(u"sleeper.exe", nullptr, nullptr, nullptr, FALSE, 0, nullptr,
                               nullptr, nullptr, &info));
    CloseHandle(info.hProcess);
    EXPECT_EQ(zorun::StartedProcesses(), std::vector<DWORD>{info.dwProcessId});
    HANDLE process = OpenProcess(PROCESS_TERMINATE, FALSE, info.dwProcessId);
    ASSERT_NE(process, nullptr);
    EXPECT_TRUE(TerminateProcess(process, 0));
    EXPECT_EQ(WaitForSingleObject(process, 5000), WAIT_OBJECT_0);
    EXPECT_FALSE(IsZombie(static_cast<pid_t>(info.dwProcessId)));
    EXPECT_TRUE(CloseHandle(process));
    EXPECT_EQ(OpenProcess(PROCESS_TERMINATE, FALSE, info.dwProcessId), nullptr);
    EXPECT_FALSE(TerminateProcess(process, 0));
}
