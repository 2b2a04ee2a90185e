// The main frame on the whole program: start-up, the menus' enabled items,
// ClearType, help, "Save", and the save on every way out with its message
// when the settings file cannot be written.

#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <thread>

#include "app/CommandIds.h"
#include "app/RescueFile.h"
#include "catalogue/SettingsFile.h"
#include "catalogue/SettingsFormat.h"
#include "launcher/CZorunView.h"
#include "platform/afx/CMenu.h"
#include "platform/user/Chrome.h"
#include "platform/user/CommandBar.h"
#include "platform/user/Screen.h"
#include "tests/app/AppHarness.h"

namespace fs = std::filesystem;

namespace {

void WriteClearType(const fs::path& root, const char* value) {
    fs::create_directories(root);
    std::ofstream(root / "registry.reg") << "Windows Registry Editor Version 5.00\n\n"
                                            "[HKEY_CURRENT_USER\\Software\\MicroSoft\\Shell]\n"
                                            "\"ClearType\"=dword:"
                                         << value << "\n";
}

// Counts the windows that come to the foreground other than the main frame:
// the message boxes of the frame.
class ForegroundCounter {
  public:
    ForegroundCounter() {
        id_ = zorun::AddForegroundListener([this](HWND w) {
            if (w && w != zorun::MainWindow() && seen_.insert(w).second)
                ++count_;
        });
    }
    ~ForegroundCounter() { zorun::RemoveForegroundListener(id_); }
    [[nodiscard]] int Count() const { return count_; }

  private:
    int id_ = 0;
    int count_ = 0;
    std::set<HWND> seen_;
};

UINT State(HMENU menu, UINT id) {
    return GetMenuState(menu, id, MF_BYCOMMAND);
}

} // namespace

TEST(MainFrame, StartsWithTheDefaultCatalogueUnderItsTitle) {
    AppHarness app;
    ASSERT_TRUE(app.Start());
    CMainFrame* frame = app.Frame();
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->GetWindowText(), u"Zorun");
    EXPECT_TRUE(frame->IsWindowVisible());
    EXPECT_EQ(frame->catalogue.GroupCount(), 4);
    EXPECT_EQ(frame->catalogue.GroupName(0), u"Programs");
    ASSERT_NE(frame->launcherView, nullptr);
    EXPECT_EQ(frame->GetLauncherView(), frame->launcherView);
    EXPECT_EQ(frame->GetSplitterWindow(), frame->splitter.GetSafeHwnd());
    EXPECT_TRUE(app.ScreenShows(u"Game")); // the third tab
}

TEST(MainFrame, ShortcutItemsAreGreyWithoutASelection) {
    AppHarness app;
    ASSERT_TRUE(app.Start());
    CMenu menu;
    ASSERT_TRUE(menu.LoadMenu(132));
    HMENU edit = GetSubMenu(menu, 0);
    HMENU tools = GetSubMenu(menu, 1);
    ASSERT_NE(edit, nullptr);
    ASSERT_NE(tools, nullptr);
    HWND frame = app.Frame()->GetSafeHwnd();

    SendMessageW(frame, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(edit), 0);
    SendMessageW(frame, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(tools), 1);
    for (UINT id : {CommandId::DeleteShortcut, CommandId::ChangeIcon, CommandId::RenameShortcut})
        EXPECT_TRUE(State(edit, id) & MF_GRAYED) << id;
    for (UINT id : {CommandId::CopyTo, CommandId::MoveTo})
        EXPECT_TRUE(State(tools, id) & MF_GRAYED) << id;
    for (UINT id : {CommandId::AddShortcut, CommandId::AddGroup, CommandId::Save})
        EXPECT_FALSE(State(edit, id) & MF_GRAYED) << id;
    EXPECT_FALSE(State(tools, CommandId::Monitor) & MF_GRAYED);
    // Every item of the menu is there with its command.
    for (UINT id : {32776u, 32777u, 32778u, 32779u, 32780u, 32781u, 32782u, 32783u, 32784u, 32785u,
                    32786u, 57664u, 57665u})
        EXPECT_NE(State(edit, id), static_cast<UINT>(-1)) << id;

    // With a shortcut selected (keys move the selection) they are enabled,
    // also when the "Shortcut" sub-menu itself opens.
    app.Frame()->catalogue.AppendShortcut(0, {u"\\Windows\\x.exe", u"X", u"0"});
    app.Frame()->launcherView->SelectGroup(1);
    app.Pump();
    app.Key(VK_RIGHT);
    ASSERT_NE(app.Frame()->launcherView->SelectedItem(), -1);
    HMENU shortcut = GetSubMenu(edit, 1);
    SendMessageW(frame, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(shortcut), 1);
    SendMessageW(frame, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(tools), 1);
    for (UINT id : {CommandId::DeleteShortcut, CommandId::ChangeIcon, CommandId::RenameShortcut})
        EXPECT_FALSE(State(shortcut, id) & MF_GRAYED) << id;
    for (UINT id : {CommandId::CopyTo, CommandId::MoveTo})
        EXPECT_FALSE(State(tools, id) & MF_GRAYED) << id;
}

TEST(MainFrame, ClearTypeIsReadOnceAtCreation) {
    for (auto [value, on] : {std::pair{"00000001", true}, {"00000002", false}}) {
        AppHarness app;
        WriteClearType(app.Root(), value);
        ASSERT_TRUE(app.Start());
        EXPECT_EQ(app.Frame()->IsClearTypeOn(), on) << value;
        EXPECT_EQ(clearTypeOn, on) << value;
    }
}

TEST(MainFrame, SaveWritesNowSoAKillLaterLosesNothing) {
    AppHarness app;
    ASSERT_TRUE(app.Start());
    ASSERT_FALSE(fs::exists(app.SettingsFile()));
    ASSERT_TRUE(app.Frame()->catalogue.AppendGroup(u"Work", u""));
    ForegroundCounter boxes;
    app.Command(CommandId::Save);
    EXPECT_EQ(boxes.Count(), 0);
    // What a later start would read, even if this process never ends well.
    Catalogue reread;
    ASSERT_TRUE(LoadSettings(reread));
    EXPECT_EQ(reread.Contents(), app.Frame()->catalogue.Contents());
    EXPECT_EQ(reread.GroupName(4), u"Work");
}

TEST(MainFrame, EveryWayOutSavesTheCatalogue) {
    // "Exit" from the menu, and a close of the main window (what the
    // platform makes of the window's close button and of the quit signals).
    for (UINT how : {CommandId::Exit, 0u}) {
        AppHarness app;
        ASSERT_TRUE(app.Start());
        ASSERT_TRUE(app.Frame()->catalogue.AppendGroup(u"Late edit", u""));
        if (how)
            app.Command(how);
        else
            app.Close();
        EXPECT_FALSE(app.Running());
        Catalogue reread;
        ASSERT_TRUE(LoadSettings(reread)) << how;
        EXPECT_EQ(reread.GroupName(4), u"Late edit") << how;
    }
}

TEST(MainFrame, AnUnwritableSettingsFileIsReportedOnce) {
    AppHarness app;
    ASSERT_TRUE(app.Start());
    app.Command(CommandId::Save);
    ASSERT_TRUE(fs::exists(app.SettingsFile()));
    fs::permissions(app.SettingsFile(), fs::perms::owner_read | fs::perms::group_read);
    const auto before = fs::file_size(app.SettingsFile());
    ASSERT_TRUE(app.Frame()->catalogue.AppendGroup(u"Unsaved", u""));

    {
        // "Save": the stop message, dismissed with Return.
        ForegroundCounter boxes;
        PostMessageW(app.Frame()->GetSafeHwnd(), WM_COMMAND, CommandId::Save, 0);
        app.QueueKey(VK_RETURN);
        app.Pump();
        EXPECT_EQ(boxes.Count(), 1);
        EXPECT_TRUE(app.Running());
    }
    {
        // At exit: the exclamation message, once, and the program still ends.
        ForegroundCounter boxes;
        PostMessageW(app.Frame()->GetSafeHwnd(), WM_CLOSE, 0, 0);
        app.QueueKey(VK_RETURN);
        app.QueueKey(VK_RETURN);
        app.Pump();
        EXPECT_EQ(boxes.Count(), 1);
        EXPECT_FALSE(app.Running());
    }
    EXPECT_EQ(fs::file_size(app.SettingsFile()), before);
}

TEST(MainFrame, AFailedExitSaveKeepsTheCatalogueInARescueFile) {
    AppHarness app;
    ASSERT_TRUE(app.Start());
    // A folder where the settings file belongs: it can be neither read nor replaced.
    fs::create_directories(app.SettingsFile());
    ASSERT_TRUE(app.Frame()->catalogue.AppendGroup(u"Precious", u""));
    const auto expected = SerializeSettings(app.Frame()->catalogue);
    ASSERT_TRUE(expected);
    // A rescue file of an earlier exit is never replaced.
    fs::create_directories(app.RescueFolder());
    std::ofstream(app.RescueFolder() / "ZorunSetting.qkt") << "earlier";

    testing::internal::CaptureStderr();
    ForegroundCounter boxes;
    PostMessageW(app.Frame()->GetSafeHwnd(), WM_CLOSE, 0, 0);
    app.QueueKey(VK_RETURN);
    app.Pump();
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_FALSE(app.Running());
    EXPECT_EQ(boxes.Count(), 1);

    const fs::path rescue = app.RescueFolder() / "ZorunSetting-2.qkt";
    EXPECT_NE(said.find(rescue.string()), std::string::npos) << said;
    std::ifstream in(rescue, std::ios::binary);
    const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), {});
    EXPECT_EQ(bytes, *expected);
    EXPECT_EQ((fs::status(rescue).permissions() & (fs::perms::group_all | fs::perms::others_all)),
              fs::perms::none);
    std::ifstream earlier(app.RescueFolder() / "ZorunSetting.qkt");
    EXPECT_EQ(std::string((std::istreambuf_iterator<char>(earlier)), {}), "earlier");
    EXPECT_TRUE(fs::is_empty(app.SettingsFile()));
}

TEST(MainFrame, RescuePathsAreShownInLinesThatFitTheBox) {
    const char* home = std::getenv("HOME");
    const std::string saved = home ? home : "";
    ::setenv("HOME", "/home/pat", 1);
    EXPECT_EQ(ShownPath("/home/pat/.local/state/zorun/ZorunSetting.qkt"),
              u"~/.local/state/zorun/\nZorunSetting.qkt");
    EXPECT_EQ(ShownPath("/var/lib/a-rather-long-folder-name/x/ZorunSetting-12.qkt"),
              u"/var/lib/\na-rather-long-folder-name/\nx/ZorunSetting-12.qkt");
    EXPECT_EQ(ShownPath("/home/patricia/z.qkt"), u"/home/patricia/z.qkt");
    if (home)
        ::setenv("HOME", saved.c_str(), 1);
    else
        ::unsetenv("HOME");
}

TEST(MainFrame, HelpStartsTheHelpViewerOnTheContents) {
    AppHarness app;
    const fs::path marker = app.Folder() / "help-args";
    fs::create_directories(app.Root() / "Windows");
    const fs::path viewer = app.Root() / "Windows" / "PegHelp.exe";
    std::ofstream(viewer) << "#!/bin/sh\necho \"$*\" > '" << marker.string() << ".new'\nmv '"
                          << marker.string() << ".new' '" << marker.string() << "'\n";
    fs::permissions(viewer, fs::perms::owner_all);
    ASSERT_TRUE(app.Start());
    app.Frame()->SendMessage(WM_HELP);
    for (int i = 0; i < 500 && !fs::exists(marker); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    std::ifstream in(marker);
    std::string args;
    std::getline(in, args);
    EXPECT_EQ(args, "Zorun.htm#Main_Contents");
}

namespace {

int TopLevelWindows(HWND any) {
    int count = 0;
    for (HWND w = GetWindow(any, GW_HWNDFIRST); w; w = GetWindow(w, GW_HWNDNEXT))
        ++count;
    return count;
}

} // namespace

TEST(MainFrame, FileNewReusesTheOneFrame) {
    AppHarness app;
    ASSERT_TRUE(app.Start());
    CMainFrame* frame = app.Frame();
    HWND hwnd = frame->GetSafeHwnd();
    const int windows = TopLevelWindows(hwnd);
    ASSERT_TRUE(frame->catalogue.AppendGroup(u"Kept", u""));
    frame->launcherView->SelectGroup(2);
    for (int i = 0; i < 3; ++i)
        app.Command(CommandId::FileNew);
    EXPECT_EQ(app.Frame(), frame);
    EXPECT_EQ(TopLevelWindows(hwnd), windows);
    EXPECT_EQ(zorun::MainWindow(), hwnd);
    // The frame's catalogue stays; the view starts again at its first group.
    EXPECT_EQ(frame->catalogue.GroupName(4), u"Kept");
    EXPECT_EQ(frame->launcherView->CurrentGroup(), 0);
    app.Close();
    EXPECT_FALSE(app.Running());
}

TEST(MainFrame, TheToolButtonsTipsNameTheirCommands) {
    AppHarness app;
    ASSERT_TRUE(app.Start());
    // The "Monitor" button: the third item of the command bar. Held, its tip shows.
    const auto layout = zorun::CommandBarLayout();
    ASSERT_EQ(layout.size(), 3u);
    const RECT button = layout[2].rect;
    const int x = button.left + 12, y = zorun::kCommandBarRect.top + 12; // bar coordinates
    EXPECT_FALSE(app.ScreenShows(u"Monitor"));
    app.Down(x, y);
    app.clock.Advance(600);
    app.Pump();
    EXPECT_TRUE(app.ScreenShows(u"Monitor"));
    app.Up(x, y + 100); // released away from the button: no command
}
