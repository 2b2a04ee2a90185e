// Provisioning on a desktop of the test's own: the system programs and the
// Start menu follow the applications installed, at the first start and at
// every later one, and nothing of the user's is ever lost.

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <set>

#include "app/DeviceProvisioning.h"
#include "app/HostProvisioning.h"
#include "catalogue/DefaultCatalogue.h"
#include "launcher/Launching.h"
#include "tests/app/TempDeviceRoot.h"
#include "tests/support/HostDesktop.h"

namespace fs = std::filesystem;

namespace {

std::string ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::set<std::string> Names(const fs::path& folder) {
    std::set<std::string> names;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(folder, ec))
        names.insert(entry.path().filename().string());
    return names;
}

// A small desktop: a browser, a file manager, a mail program with a
// calendar, a spreadsheet, a video player and a card game in the menu; a
// terminal program without a terminal and an entry hidden from the menu.
void InstallDesktop(HostDesktop& desktop) {
    desktop.AddApplication("org.web.Browser", "Browser",
                           "Icon=web-browser\nMimeType=text/html;x-scheme-handler/http;"
                           "x-scheme-handler/https;\nCategories=Network;WebBrowser;");
    desktop.AddApplication("files", "Files",
                           "MimeType=inode/directory;\n"
                           "Categories=System;FileManager;");
    desktop.AddApplication("mail", "Mail/Calendar",
                           "Icon=mail-icon\n"
                           "MimeType=x-scheme-handler/mailto;text/calendar;"
                           "\nCategories=Network;Email;Calendar;");
    desktop.AddApplication("sheets", "Sheets", "Categories=Office;Spreadsheet;");
    desktop.AddApplication("videos", "Videos",
                           "MimeType=video/mp4;\n"
                           "Categories=AudioVideo;Player;Video;");
    desktop.AddApplication("cards", "Cards", "Categories=Game;CardGame;");
    desktop.AddApplication("top", "Top", "Terminal=true\nCategories=System;Monitor;");
    desktop.AddApplication("helper", "Helper", "NoDisplay=true\nCategories=Office;WordProcessor;");
}

const DefaultCatalogueTexts& Texts() {
    return LanguageDefaultCatalogueTexts();
}

class HostProvisioning : public ::testing::Test {
  protected:
    void SetUp() override {
        InstallDesktop(desktop);
        ASSERT_TRUE(ProvisionDevice(device.Root(), Texts()));
    }
    fs::path Windows() const { return device.Root() / "Windows"; }
    fs::path Programs() const { return Windows() / "Start Menu" / "Programs"; }

    HostDesktop desktop;
    TempDeviceRoot device;
};

} // namespace

TEST_F(HostProvisioning, FirstRunGivesTheDefaultCatalogueOfWhatWorks) {
    const std::set<std::string> windows = Names(Windows());
    for (const char* made :
         {"iexplore.exe", "fexplore.exe", "tmail.exe", "pxl.exe", "player.exe", "solitare.exe",
          "calendar.exe", "tasks.exe", "poutlook.exe", "PegHelp.exe"})
        EXPECT_TRUE(windows.count(made)) << made;
    // Nothing here is a word processor, a puzzle, an address book, settings or a clock.
    for (const char* missing :
         {"pword.exe", "jawbreaker.exe", "addrbook.exe", "ctlpnl.exe", "clock.exe"})
        EXPECT_FALSE(windows.count(missing)) << missing;
    EXPECT_EQ(Names(Windows() / "Start Menu"),
              (std::set<std::string>{"Programs", "calendar.lnk", "tasks.lnk"}));
    EXPECT_EQ(ReadAll(Windows() / "Start Menu" / "calendar.lnk"), "21#\\Windows\\calendar.exe");

    const CatalogueContents contents = DefaultCatalogueContents(Texts());
    ASSERT_EQ(contents.groupList.size(), 4u);
    EXPECT_EQ(contents.groupList[0].names,
              (std::vector<std::u16string>{u"Calendar", u"IExplorer", u"FExplorer", u"Inbox",
                                           u"Excel", u"Tasks"}));
    EXPECT_EQ(contents.groupList[1].names, std::vector<std::u16string>{u"Media Player"});
    EXPECT_EQ(contents.groupList[2].names, std::vector<std::u16string>{u"Solitare"});
    EXPECT_TRUE(contents.groupList[3].names.empty());

    // Every application of the menu, for the program browser: a shortcut to
    // a program file of its own that names it.
    EXPECT_EQ(Names(Programs()),
              (std::set<std::string>{"Browser.lnk", "Cards.lnk", "Files.lnk", "Mail Calendar.lnk",
                                     "Sheets.lnk", "Videos.lnk"}));
    EXPECT_EQ(ReadAll(Programs() / "Browser.lnk"), "36#\"\\Program Files\\org.web.Browser.exe\"");
    const std::string program = ReadAll(device.Root() / "Program Files" / "org.web.Browser.exe");
    EXPECT_EQ(program.rfind("[Zorun Host Program]\n", 0), 0u);
    EXPECT_NE(program.find("\nIcon=web-browser\nApplication=org.web.Browser.desktop\n"),
              std::string::npos);

    // Both start their applications as the launcher starts them: the Start
    // menu's shortcut, and the calendar by its link.
    EXPECT_TRUE(
        LaunchShortcut(u"\\Windows\\Start Menu\\Programs\\Browser.lnk", LaunchVariant::Message));
    EXPECT_TRUE(LaunchShortcut(u"\\Windows\\calendar.exe", LaunchVariant::Message));
    EXPECT_EQ(desktop.WaitForRuns("org.web.Browser", 1).size(), 1u);
    EXPECT_EQ(desktop.WaitForRuns("mail", 1).size(), 1u);
}

TEST_F(HostProvisioning, ALaterStartFollowsTheApplicationsAndKeepsTheUsersFiles) {
    // The user's own files: a shortcut of theirs, an edited shortcut Zorun
    // made, a deleted system program.
    std::ofstream(Programs() / "Mine.lnk") << "8#\\x.exe";
    std::ofstream(Programs() / "Sheets.lnk") << "22#\"\\Program Files\\x.exe\"";
    fs::remove(Windows() / "solitare.exe");

    desktop.RemoveEntry("sheets.desktop");
    desktop.RemoveEntry("cards.desktop");
    desktop.RemoveEntry("videos.desktop");
    desktop.AddApplication("writer", "Writer", "Categories=Office;WordProcessor;", false);
    ASSERT_TRUE(ProvisionDevice(device.Root(), Texts()));

    EXPECT_EQ(Names(Programs()),
              (std::set<std::string>{"Browser.lnk", "Files.lnk", "Mail Calendar.lnk", "Mine.lnk",
                                     "Sheets.lnk", "Writer.lnk"}));
    EXPECT_EQ(ReadAll(Programs() / "Sheets.lnk"), "22#\"\\Program Files\\x.exe\"");
    EXPECT_FALSE(fs::exists(device.Root() / "Program Files" / "sheets.exe"));
    EXPECT_FALSE(fs::exists(device.Root() / "Program Files" / "cards.exe"));
    EXPECT_TRUE(fs::exists(device.Root() / "Program Files" / "writer.exe"));
    // A system program is made once its application is there, never again
    // once the user deleted it, and kept when its application goes.
    EXPECT_TRUE(fs::exists(Windows() / "pword.exe"));
    EXPECT_FALSE(fs::exists(Windows() / "solitare.exe"));
    EXPECT_TRUE(fs::exists(Windows() / "pxl.exe"));

    // Removing an application the user's edit made theirs leaves the file.
    desktop.RemoveEntry("writer.desktop", false);
    std::ofstream(device.Root() / "Program Files" / "writer.exe", std::ios::app) << "# mine\n";
    ASSERT_TRUE(ProvisionDevice(device.Root(), Texts()));
    EXPECT_FALSE(fs::exists(Programs() / "Writer.lnk"));
    EXPECT_TRUE(fs::exists(device.Root() / "Program Files" / "writer.exe"));
}

TEST_F(HostProvisioning, NothingChangedNothingIsAsked) {
    // With the helper gone, a start that needs no answer still succeeds...
    desktop.SetEnv("ZORUN_HOST_HELPER", (desktop.Folder() / "no-helper").c_str());
    EXPECT_TRUE(SyncHostPrograms(Texts()));
    // ...and one after a change asks, and fails without it.
    desktop.AddApplication("late", "Late");
    EXPECT_FALSE(SyncHostPrograms(Texts()));
    desktop.SetEnv("ZORUN_HOST_HELPER", HostDesktop::BuiltHelper());
    EXPECT_TRUE(SyncHostPrograms(Texts()));
    EXPECT_TRUE(fs::exists(Programs() / "Late.lnk"));
    // The user's edit of a device program is looked at again.
    desktop.SetEnv("ZORUN_HOST_HELPER", (desktop.Folder() / "no-helper").c_str());
    std::ofstream(Windows() / "iexplore.exe", std::ios::app) << "Application=files.desktop\n";
    EXPECT_FALSE(SyncHostPrograms(Texts()));
}
