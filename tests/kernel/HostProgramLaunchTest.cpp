// Device programs that are host program files start the host's
// applications, found when they are started.

#include <gtest/gtest.h>

#include <fstream>

#include "platform/kernel/DeviceRoot.h"
#include "platform/kernel/Process.h"
#include "tests/support/HostDesktop.h"

namespace fs = std::filesystem;

namespace {

class HostProgramLaunch : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "zorun-hostprog-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        root_ = pattern;
        fs::create_directories(root_ / "Windows");
        fs::create_directories(root_ / "My Documents");
        zorun::SetDeviceRoot(root_);
    }
    void TearDown() override { fs::remove_all(root_); }

    void WriteProgram(const std::string& name, const std::string& body) {
        std::ofstream(root_ / "Windows" / name) << "[Zorun Host Program]\n" << body;
    }

    static bool Start(const char16_t* program, const char16_t* arguments) {
        return CreateProcessW(program, arguments, nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                              nullptr, nullptr) != FALSE;
    }

    // `relative` as written in a URL (spaces as %20).
    std::string Url(const std::string& relative) const {
        return "file://" + (root_ / relative).string();
    }

    HostDesktop desktop;
    fs::path root_;
};

} // namespace

TEST_F(HostProgramLaunch, StartsTheApplicationItNamesWithWhatToOpen) {
    desktop.AddApplication("browser", "Browser",
                           "MimeType=text/html;x-scheme-handler/http;x-scheme-handler/https;");
    desktop.AddApplication("other", "Other", "MimeType=x-scheme-handler/http;");
    desktop.SetDefault("x-scheme-handler/http", "browser.desktop");
    WriteProgram("iexplore.exe", "Default=x-scheme-handler/http\nOpen=\"\\My Documents\"\n");
    std::ofstream(root_ / "My Documents" / "x y.htm") << "<p>";
    std::ofstream(root_ / "Windows" / "Zorun.htm") << "<p>";

    PROCESS_INFORMATION info{};
    ASSERT_TRUE(CreateProcessW(u"\\windows\\IEXPLORE.EXE",
                               u"https://example.org/ \"\\My Documents\\x y.htm\" "
                               u"Zorun.htm#Main_Contents www.example.org",
                               nullptr, nullptr, FALSE, 0, nullptr, nullptr, nullptr, &info));
    EXPECT_NE(info.dwProcessId, 0u);
    CloseHandle(info.hProcess);
    // Without arguments it opens what the file says.
    ASSERT_TRUE(Start(u"iexplore.exe", u""));

    const auto runs = desktop.WaitForRuns("browser", 2);
    ASSERT_EQ(runs.size(), 2u);
    const std::string program = (desktop.Folder() / "bin" / "browser").string();
    EXPECT_EQ(runs[0], (std::vector<std::string>{
                           program, "https://example.org/", Url("My%20Documents/x%20y.htm"),
                           Url("Windows/Zorun.htm") + "#Main_Contents", "www.example.org"}));
    EXPECT_EQ(runs[1], (std::vector<std::string>{program, Url("My%20Documents")}));
    EXPECT_TRUE(desktop.Runs("other").empty());
}

TEST_F(HostProgramLaunch, SectionsAndProgramLinesChooseWhatStarts) {
    desktop.AddApplication("settings", "Settings", "Categories=Settings;");
    desktop.MarkerProgram("power-settings");
    desktop.MarkerProgram("fallback");
    WriteProgram("ctlpnl.exe", "Category=Settings\n"
                               "[Arguments cplmain.cpl 3,0]\n"
                               "Exec=power-settings --page power\n"
                               "[Arguments cplmain.cpl 18,0]\n"
                               "Exec=not-installed-zorun\n"
                               "Program=\\Windows\\ctlpnl.exe\n");
    // Two files that lead to each other end in the line after the loop.
    WriteProgram("a.exe", "Program=b.exe\nExec=fallback %u\n");
    WriteProgram("b.exe", "Program=\\Windows\\a.exe\n");

    ASSERT_TRUE(Start(u"\\Windows\\ctlpnl.exe", u"CPLMAIN.CPL  3,0"));
    ASSERT_EQ(desktop.WaitForRuns("power-settings", 1).size(), 1u);
    EXPECT_EQ(desktop.Runs("power-settings")[0].size(), 3u); // no arguments passed on
    ASSERT_TRUE(Start(u"\\Windows\\ctlpnl.exe", u"cplmain.cpl 18,0"));
    ASSERT_TRUE(Start(u"\\Windows\\ctlpnl.exe", u"cplmain.cpl 99,0"));
    const auto settings = desktop.WaitForRuns("settings", 2);
    ASSERT_EQ(settings.size(), 2u);
    EXPECT_EQ(settings[0].size(), 1u);
    EXPECT_EQ(settings[1], (std::vector<std::string>{settings[1][0], "cplmain.cpl", "99,0"}));

    ASSERT_TRUE(Start(u"a.exe", u"http://x/"));
    const auto fallback = desktop.WaitForRuns("fallback", 1);
    ASSERT_EQ(fallback.size(), 1u);
    EXPECT_EQ(fallback[0].back(), "http://x/");
}

TEST_F(HostProgramLaunch, AnApplicationInstalledLaterIsFoundAtTheNextStart) {
    WriteProgram("pxl.exe", "Application=calc.desktop\nCategory=Spreadsheet\n");
    const auto before = zorun::StartedProcesses().size();
    SetLastError(ERROR_SUCCESS);
    EXPECT_FALSE(Start(u"\\Windows\\pxl.exe", u""));
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(zorun::StartedProcesses().size(), before);

    desktop.AddApplication("sheets", "Sheets", "Categories=Office;Spreadsheet;");
    ASSERT_TRUE(Start(u"\\Windows\\pxl.exe", u""));
    EXPECT_EQ(desktop.WaitForRuns("sheets", 1).size(), 1u);
}
