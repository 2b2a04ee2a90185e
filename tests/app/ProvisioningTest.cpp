#include <gtest/gtest.h>

#include <cctype>
#include <csignal>
#include <fstream>
#include <iterator>
#include <string>

#include <sys/wait.h>
#include <unistd.h>

#include "app/ClearTypeSetting.h"
#include "app/DeviceProvisioning.h"
#include "app/ExcludedProcess.h"
#include "platform/kernel/RegistryFile.h"
#include "tests/app/TempDeviceRoot.h"

namespace fs = std::filesystem;

namespace {

std::string ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteRegistry(const fs::path& root, const std::string& body) {
    fs::create_directories(root);
    std::ofstream(root / "registry.reg", std::ios::binary)
        << "Windows Registry Editor Version 5.00\r\n\r\n"
        << body;
}

} // namespace

TEST(FirstRun, NewRootGetsFoldersPicturesAndClearType) {
    TempDeviceRoot device;
    ASSERT_TRUE(IsNewDeviceRoot(device.Root()));
    ASSERT_TRUE(ProvisionDeviceRootIfNew(device.Root()));

    EXPECT_TRUE(fs::is_directory(device.Root() / "Windows" / "Start Menu"));
    EXPECT_TRUE(fs::is_directory(device.Root() / "My Documents"));
    // The pictures are the device's, byte for byte.
    const char* source = std::getenv("ZORUN_SOURCE_DIR");
    ASSERT_NE(source, nullptr);
    for (const char* name : {"skin 1.bmp", "skin 2.bmp", "skin 4.bmp", "skin 5.bmp"}) {
        const std::string written = ReadAll(device.Root() / "Windows" / name);
        EXPECT_EQ(written.substr(0, 2), "BM") << name;
        EXPECT_EQ(written, ReadAll(fs::path(source) / "res" / "device" / name)) << name;
    }
    EXPECT_FALSE(fs::exists(device.Root() / "Windows" / "skin 1.bmp.new"));
    EXPECT_TRUE(ReadClearTypeSetting());
    EXPECT_FALSE(IsNewDeviceRoot(device.Root()));
}

TEST(FirstRun, RootInUseIsLeftAlone) {
    TempDeviceRoot device;
    // An empty folder (made by the platform's option handling) still counts as new.
    fs::create_directories(device.Root());
    EXPECT_TRUE(IsNewDeviceRoot(device.Root()));

    // A user's own registry (ClearType off) and an edited picture survive a
    // later provisioning; only what is missing is added.
    WriteRegistry(device.Root(), "[HKEY_CURRENT_USER\\Software\\MicroSoft\\Shell]\r\n"
                                 "\"ClearType\"=dword:00000000\r\n");
    fs::create_directories(device.Root() / "Windows");
    std::ofstream(device.Root() / "Windows" / "skin 2.bmp") << "mine";
    EXPECT_FALSE(IsNewDeviceRoot(device.Root()));
    EXPECT_TRUE(ProvisionDeviceRootIfNew(device.Root()));
    EXPECT_FALSE(fs::exists(device.Root() / "My Documents"));

    ASSERT_TRUE(ProvisionDeviceRoot(device.Root()));
    EXPECT_EQ(ReadAll(device.Root() / "Windows" / "skin 2.bmp"), "mine");
    EXPECT_TRUE(fs::exists(device.Root() / "Windows" / "skin 4.bmp"));
    EXPECT_FALSE(ReadClearTypeSetting());
}

TEST(FirstRun, UnwritableRootReportsFailure) {
    TempDeviceRoot device;
    // A root below a plain file cannot be made, whatever the user's rights.
    std::ofstream(device.Folder() / "file") << "x";
    EXPECT_FALSE(ProvisionDeviceRoot(device.Folder() / "file" / "device"));
}

TEST(ClearType, OnlyTheExactValueOneTurnsItOn) {
    struct Case {
        const char* body;
        bool on;
    } cases[] = {
        {"\"ClearType\"=dword:00000001\r\n", true},
        {"\"cleartype\"=dword:1\r\n", true}, // names compare ignoring case
        {"\"ClearType\"=dword:00000002\r\n", false},
        {"\"ClearType\"=dword:00000000\r\n", false},
        {"\"ClearType\"=\"1\"\r\n", false}, // a string is not the number 1
        {"\"ClearType\"=dword:00000101\r\n", false},
        {"\"Other\"=dword:00000001\r\n", false}, // value missing
    };
    for (const Case& c : cases) {
        TempDeviceRoot device;
        WriteRegistry(device.Root(),
                      std::string("[HKEY_CURRENT_USER\\Software\\MicroSoft\\Shell]\r\n") + c.body);
        EXPECT_EQ(ReadClearTypeSetting(), c.on) << c.body;
    }
    TempDeviceRoot noKey;
    WriteRegistry(noKey.Root(), "[HKEY_CURRENT_USER\\Software\\Other]\r\n"
                                "\"ClearType\"=dword:00000001\r\n");
    EXPECT_FALSE(ReadClearTypeSetting());
    TempDeviceRoot noFile;
    EXPECT_FALSE(ReadClearTypeSetting());
}

TEST(ExcludedProcess, AProcessIsFoundByNameInAnyCase) {
    // A real process under a name of its own (a process called like the test
    // tool would stop every program start on this machine meanwhile).
    TempDeviceRoot folder;
    const std::string name = "Zp" + std::to_string(::getpid()) + ".EXE";
    const fs::path tool = folder.Folder() / name;
    fs::copy_file("/bin/sleep", tool);
    std::u16string lower;
    for (char c : name)
        lower.push_back(static_cast<char16_t>(std::tolower(static_cast<unsigned char>(c))));
    EXPECT_FALSE(IsProcessRunning(lower));
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::execl(tool.c_str(), tool.c_str(), "30", static_cast<char*>(nullptr));
        ::_exit(127);
    }
    bool seen = false;
    for (int i = 0; i < 200 && !seen; ++i) { // until the child has exec'd
        seen = IsProcessRunning(lower);
        if (!seen)
            ::usleep(10000);
    }
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    EXPECT_TRUE(seen);
    EXPECT_FALSE(IsProcessRunning(u"no-such-program-zorun.exe"));
}
