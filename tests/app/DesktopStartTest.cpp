// The whole program on a desktop of the test's own: what a start makes of
// the device root, help, the panel's fields and the shortcuts starting the
// host's applications, and a start refused that touches nothing.

#include <gtest/gtest.h>

#include <fstream>

#include "app/CommandIds.h"
#include "catalogue/SettingsFile.h"
#include "platform/kernel/Process.h"
#include "platform/kernel/RegistryFile.h"
#include "tests/app/AppHarness.h"

namespace fs = std::filesystem;

namespace {

constexpr int kFrameTop = 26; // screen y of the frame's client area

std::vector<std::string> Listing(const fs::path& root) {
    std::vector<std::string> names;
    for (const auto& entry : fs::recursive_directory_iterator(root))
        names.push_back(fs::relative(entry.path(), root).generic_string());
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<std::uint32_t> ScreenPixels(const AppHarness& app) {
    std::vector<std::uint32_t> pixels;
    for (int y = 0; y < 320; ++y)
        for (int x = 0; x < 240; ++x)
            pixels.push_back(app.Pixel(x, y));
    return pixels;
}

void OnlyRegistry(const fs::path& root) {
    fs::remove_all(root);
    fs::create_directories(root);
    std::ofstream(root / "registry.reg") << "Windows Registry Editor Version 5.00\n\n"
                                            "[HKEY_CURRENT_USER\\Software\\MicroSoft\\Shell]\n"
                                            "\"ClearType\"=dword:00000000\n";
}

} // namespace

TEST(DesktopStart, ARootWithOnlyARegistryIsProvisionedAndSaves) {
    AppHarness app;
    OnlyRegistry(app.Root());
    ASSERT_TRUE(app.Start());
    EXPECT_TRUE(fs::exists(app.Root() / "Windows" / "skin 1.bmp"));
    EXPECT_FALSE(app.Frame()->IsClearTypeOn()); // the user's registry stays
    app.Command(CommandId::Save);
    EXPECT_TRUE(fs::exists(app.SettingsFile()));
    ASSERT_TRUE(app.Frame()->catalogue.AppendGroup(u"Mine", u""));
    app.Close();
    Catalogue reread;
    ASSERT_TRUE(LoadSettings(reread));
    EXPECT_EQ(reread.GroupName(4), u"Mine");
}

TEST(DesktopStart, AStartThatMayNotRunTouchesNothing) {
    AppHarness app;
    app.Desktop().AddApplication("browser", "Browser", "Categories=WebBrowser;");
    OnlyRegistry(app.Root());
    const auto before = Listing(app.Root());
    zorun::SingleInstance running;
    ASSERT_EQ(running.TryAcquire(InstanceMutexName(app.Root())),
              zorun::SingleInstance::Role::Owner);
    EXPECT_FALSE(app.Start());
    EXPECT_EQ(Listing(app.Root()), before);
}

TEST(DesktopStart, HelpOpensTheProgramsPageInTheBrowser) {
    AppHarness app;
    app.Desktop().AddApplication("browser", "Browser",
                                 "MimeType=text/html;x-scheme-handler/http;x-scheme-handler/https;",
                                 true, "browser --new-tab %u");
    ASSERT_TRUE(app.Start());
    app.Key(VK_F1);
    const auto runs = app.Desktop().WaitForRuns("browser", 1);
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].back(),
              "file://" + (app.Root() / "Windows" / "Zorun.htm").string() + "#Main_Contents");
    EXPECT_EQ(runs[0][1], "--new-tab");
}

TEST(DesktopStart, PanelFieldsStartTheMatchingApplications) {
    AppHarness app;
    app.Desktop().AddApplication("mail", "Mail", "MimeType=x-scheme-handler/mailto;");
    app.Desktop().AddApplication("gnome-power-panel", "Power", "NoDisplay=true");
    app.Desktop().AddApplication("settings", "Settings", "Categories=Settings;DesktopSettings;");
    app.Desktop().AddApplication("agenda", "Agenda", "MimeType=text/calendar;");
    ASSERT_TRUE(app.Start());
    app.Tap(30, kFrameTop + 20);  // inbox
    app.Tap(100, kFrameTop + 20); // calendar
    app.Tap(170, kFrameTop + 20); // tasks: no task list, so the calendar
    app.Tap(30, kFrameTop + 56);  // battery: the power settings
    app.Tap(100, kFrameTop + 56); // memory: no system monitor, so the settings
    EXPECT_EQ(app.Desktop().WaitForRuns("mail", 1).size(), 1u);
    EXPECT_EQ(app.Desktop().WaitForRuns("gnome-power-panel", 1).size(), 1u);
    EXPECT_EQ(app.Desktop().WaitForRuns("settings", 1).size(), 1u);
    EXPECT_EQ(app.Desktop().WaitForRuns("agenda", 2).size(), 2u);
}

TEST(DesktopStart, AShortcutWhoseApplicationIsGoneLeavesTheScreenAsItWas) {
    AppHarness app;
    fs::create_directories(app.Root() / "Windows");
    std::ofstream(app.Root() / "Windows" / "pword.exe") << "[Zorun Host Program]\n"
                                                           "Category=WordProcessor\n";
    ASSERT_TRUE(app.Start());
    ASSERT_EQ(app.Frame()->catalogue.Contents().groupList[0].names,
              std::vector<std::u16string>{u"Word"});
    app.Key(VK_RIGHT); // selects it
    const auto screen = ScreenPixels(app);
    const auto started = zorun::StartedProcesses().size();
    app.Key(VK_RETURN);
    EXPECT_EQ(ScreenPixels(app), screen);
    EXPECT_EQ(zorun::StartedProcesses().size(), started);
}
