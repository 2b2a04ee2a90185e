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

TEST(FirstRun, NewRootGetsFoldersPicturesHelpAndClearType) {
    TempDeviceRoot device;
    ASSERT_TRUE(ProvisionDeviceRoot(device.Root()));

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
    const std::string help = ReadAll(device.Root() / "Windows" / "Zorun.htm");
    EXPECT_NE(help.find("id=\"Main_Contents\""), std::string::npos);
    EXPECT_EQ(help, ReadAll(fs::path(source) / "res" / "en" / "help" / "Zorun.htm"));
    EXPECT_TRUE(ReadClearTypeSetting());
}

TEST(FirstRun, WhatIsMissingIsAddedAndNothingIsOverwritten) {
    // A user's own registry (ClearType off), an edited picture in a folder
    // named in other capitals: every start adds only what is missing.
    TempDeviceRoot device;
    WriteRegistry(device.Root(), "[HKEY_CURRENT_USER\\Software\\MicroSoft\\Shell]\r\n"
                                 "\"ClearType\"=dword:00000000\r\n");
    fs::create_directories(device.Root() / "WINDOWS");
    std::ofstream(device.Root() / "WINDOWS" / "Skin 2.BMP") << "mine";

    ASSERT_TRUE(ProvisionDeviceRoot(device.Root()));
    EXPECT_FALSE(fs::exists(device.Root() / "Windows"));
    EXPECT_EQ(ReadAll(device.Root() / "WINDOWS" / "Skin 2.BMP"), "mine");
    EXPECT_FALSE(fs::exists(device.Root() / "WINDOWS" / "skin 2.bmp"));
    EXPECT_TRUE(fs::exists(device.Root() / "WINDOWS" / "skin 4.bmp"));
    EXPECT_TRUE(fs::is_directory(device.Root() / "My Documents"));
    EXPECT_FALSE(ReadClearTypeSetting());

    fs::remove(device.Root() / "WINDOWS" / "skin 4.bmp");
    ASSERT_TRUE(ProvisionDeviceRoot(device.Root()));
    EXPECT_TRUE(fs::exists(device.Root() / "WINDOWS" / "skin 4.bmp"));
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
