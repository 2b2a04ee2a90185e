#include "platform/kernel/ProcessSnapshot.h"

#include <cctype>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

#include "platform/base/Text.h"
#include "platform/kernel/DeviceRoot.h"
#include "platform/kernel/Process.h"

namespace fs = std::filesystem;

namespace {

// The ids of every process the snapshot names `name` (ignoring case).
std::vector<DWORD> FindByName(const char16_t* name) {
    std::vector<DWORD> found;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    EXPECT_NE(snapshot, INVALID_HANDLE_VALUE);
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot, &entry); more;
         more = Process32NextW(snapshot, &entry))
        if (_wcsicmp(entry.szExeFile, name) == 0)
            found.push_back(entry.th32ProcessID);
    EXPECT_TRUE(CloseToolhelp32Snapshot(snapshot));
    return found;
}

bool Contains(const std::vector<DWORD>& list, DWORD pid) {
    return std::find(list.begin(), list.end(), pid) != list.end();
}

} // namespace

TEST(ProcessSnapshot, FindsHostProcessesByNameIgnoringCase) {
    std::string pattern = (fs::temp_directory_path() / "zorun-snapshot-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    const fs::path root = pattern;
    fs::create_directories(root / "Windows");
    zorun::SetDeviceRoot(root);
    // A script (its executable is the shell) and a renamed program, under
    // names of their own: a process named like the device's test tool would
    // stop every start of the program on this machine while it runs.
    const std::string name = "Sp" + std::to_string(getpid()) + ".exe";
    std::string upper = name;
    for (char& c : upper)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    std::ofstream(root / "Windows" / name) << "#!/bin/sh\nsleep 30\n";
    chmod((root / "Windows" / name).c_str(), 0755);
    fs::create_symlink("/bin/sleep", root / "Windows" / (upper + ".renamed-tool"));

    PROCESS_INFORMATION script{}, renamed{};
    ASSERT_TRUE(CreateProcessW(zorun::FromUtf8(name).c_str(), nullptr, nullptr, nullptr, FALSE, 0,
                               nullptr, nullptr, nullptr, &script));
    ASSERT_TRUE(CreateProcessW(zorun::FromUtf8(upper + ".renamed-tool").c_str(), u"30", nullptr,
                               nullptr, FALSE, 0, nullptr, nullptr, nullptr, &renamed));
    // The new process takes its name when it executes; look until it has.
    std::vector<DWORD> found;
    for (int i = 0; i < 300; ++i) {
        found = FindByName(zorun::FromUtf8(upper).c_str());
        if (Contains(found, script.dwProcessId))
            break;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    EXPECT_TRUE(Contains(found, script.dwProcessId));
    std::vector<DWORD> long_;
    for (int i = 0; i < 300; ++i) {
        long_ = FindByName(zorun::FromUtf8(name + ".renamed-tool").c_str());
        if (Contains(long_, renamed.dwProcessId))
            break;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    EXPECT_TRUE(Contains(long_, renamed.dwProcessId)) << "a name longer than 15 bytes";
    EXPECT_FALSE(Contains(FindByName(zorun::FromUtf8(name.substr(0, name.size() - 1)).c_str()),
                          script.dwProcessId));

    // This test program is there under its own executable's name.
    char self[4096];
    const auto n = readlink("/proc/self/exe", self, sizeof self - 1);
    ASSERT_GT(n, 0);
    const auto selfName = zorun::FromUtf8(fs::path(std::string(self, n)).filename().string());
    EXPECT_TRUE(Contains(FindByName(selfName.c_str()), static_cast<DWORD>(getpid())));

    // The quick look by name alone agrees with the snapshot.
    EXPECT_TRUE(zorun::AnyProcessNamed(zorun::FromUtf8(upper)));
    EXPECT_TRUE(zorun::AnyProcessNamed(zorun::FromUtf8(name + ".RENAMED-tool")));
    EXPECT_TRUE(zorun::AnyProcessNamed(selfName));
    EXPECT_FALSE(zorun::AnyProcessNamed(zorun::FromUtf8(name.substr(0, name.size() - 1))));
    EXPECT_FALSE(zorun::AnyProcessNamed(zorun::FromUtf8(name + ".renamed")))
        << "the start of a longer name";
    EXPECT_FALSE(zorun::AnyProcessNamed(u""));

    for (auto* info : {&script, &renamed}) {
        TerminateProcess(info->hProcess, 0);
        EXPECT_EQ(WaitForSingleObject(info->hProcess, 5000), WAIT_OBJECT_0);
        CloseHandle(info->hProcess);
    }
    fs::remove_all(root);
}

TEST(ProcessSnapshot, RefusesBadHandlesAndShortEntries) {
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    EXPECT_FALSE(Process32FirstW(nullptr, &entry));
    EXPECT_EQ(CreateToolhelp32Snapshot(0, 0), INVALID_HANDLE_VALUE);
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    entry.dwSize = 8;
    EXPECT_FALSE(Process32FirstW(snapshot, &entry));
    CloseToolhelp32Snapshot(snapshot);
    entry.dwSize = sizeof entry;
    EXPECT_FALSE(Process32FirstW(snapshot, &entry)); // closed
}
