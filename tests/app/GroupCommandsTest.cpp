// The group commands as a user gives them: from the "Edit" menu, through
// the group dialog (names typed on the soft keyboard, pictures chosen in
// the program browser), the confirmation and the organizer, each checked
// against the catalogue, the view's tabs and the settings file read back.

#include <gtest/gtest.h>

#include <fstream>

#include "dialogs/CGroupDlg.h"
#include "launcher/CZorunView.h"
#include "launcher/CommandIds.h"
#include "platform/user/SoftKeyboard.h"
#include "tests/app/AppScenario.h"

namespace fs = std::filesystem;

namespace {

const std::vector<std::u16string> kAddGroup{u"Edit", u"Group", u"Add Group"};
const std::vector<std::u16string> kDeleteGroup{u"Edit", u"Group", u"Delete Group"};
const std::vector<std::u16string> kRename{u"Edit", u"Group", u"Rename"};
const std::vector<std::u16string> kSetBackground{u"Edit", u"Group", u"Set Background"};

// A 24-bit Windows BMP of one colour (0xRRGGBB).
void WriteBmp(const fs::path& path, int width, int height, std::uint32_t rgb) {
    const int row = (width * 3 + 3) & ~3;
    const std::uint32_t size = 54 + static_cast<std::uint32_t>(row * height);
    std::vector<std::uint8_t> bytes(size, 0);
    auto put = [&](std::size_t at, std::uint32_t value, int count) {
        for (int i = 0; i < count; ++i)
            bytes[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (8 * i));
    };
    bytes[0] = 'B';
    bytes[1] = 'M';
    put(2, size, 4);
    put(10, 54, 4);
    put(14, 40, 4);
    put(18, static_cast<std::uint32_t>(width), 4);
    put(22, static_cast<std::uint32_t>(height), 4);
    put(26, 1, 2);
    put(28, 24, 2);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            put(54 + static_cast<std::size_t>(y * row + x * 3), rgb, 3);
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(size));
}

class GroupCommands : public AppScenario {
  protected:
    // A step answering a message box: it shows `text`, and the navigation
    // bar's "ok" (or `button`) dismisses it.
    std::function<void()> Answer(std::u16string text, std::u16string button = {}) {
        return [this, text, button] {
            EXPECT_NE(FrontTexts().find(text), std::u16string::npos)
                << std::string(text.begin(), text.end());
            if (button.empty())
                QueueOk();
            else
                QueueTapText(button);
        };
    }
    void AddGroup(const std::u16string& name) {
        FromMenu(kAddGroup, {[this, name] { QueueType(name); }, [this] { QueueOk(); }});
    }
    // Scrolls the tab strip to its right end and shows the group on `tab`.
    void ShowTab(int tab, int scrolls = 0) {
        for (int i = 0; i < scrolls; ++i)
            View().SendMessage(ZorunViewMessage::TabsRight);
        View().SelectGroup(tab);
        app.Pump();
    }
    // The preview's pixel in the middle of its box.
    std::uint32_t PreviewPixel() const { return app.Pixel(99, 26 + 150); }
};

TEST_F(GroupCommands, AddedGroupsLandOnTheLastTabWithTheirPictures) {
    WriteBmp(app.Root() / "Windows" / "Sea.bmp", 240, 184, 0x2080C0);
    Start();
    FromMenu(kAddGroup, {[&] {
                             EXPECT_TRUE(zorun::SoftKeyboardUp());
                             EXPECT_TRUE(ControlEnabled(CGroupDlg::kBrowseButton));
                             QueueType(u"Work");
                         },
                         [&] {
                             EXPECT_EQ(ControlText(CGroupDlg::kNameField), u"Work");
                             Screenshot("group-dialog-new.png");
                             QueueOk();
                         }});
    ASSERT_EQ(Live().GroupCount(), 5);
    EXPECT_EQ(Live().GroupName(4), u"Work");
    EXPECT_EQ(Live().Background(4), u"\\windows\\skin 4.bmp");
    EXPECT_EQ(View().CurrentGroup(), 4);
    EXPECT_EQ(View().FirstGroup(), 1);
    EXPECT_EQ(View().CurrentTab(), 4);
    EXPECT_TRUE(app.ScreenShows(u"Work"));

    // The sixth, its picture chosen in the browser and previewed.
    FromMenu(kAddGroup,
             {[&] { QueueType(u"Sea Side"); }, [&] { QueueTapControl(CGroupDlg::kBrowseButton); },
              [&] { QueueTapText(u"Sea.bmp"); }, [&] { QueueOk(); },
              [&] {
                  EXPECT_EQ(ControlText(CGroupDlg::kPictureField), u"\\windows\\Sea.bmp");
                  EXPECT_EQ(PreviewPixel(), 0x2080C0u);
                  Screenshot("group-dialog-picture.png");
                  QueueOk();
              }});
    ASSERT_EQ(Live().GroupCount(), 6);
    EXPECT_EQ(Live().GroupName(5), u"Sea Side");
    EXPECT_EQ(Live().Background(5), u"\\windows\\Sea.bmp");
    EXPECT_EQ(Live().StorageIndex(5), 5);
    EXPECT_EQ(View().FirstGroup(), 2);
    EXPECT_EQ(View().CurrentTab(), 4);
    EXPECT_EQ(View().CurrentGroup(), 5);
    Catalogue saved;
    SaveAndReadBack(saved);
    EXPECT_EQ(saved.GroupName(5), u"Sea Side");
}

TEST_F(GroupCommands, NamesAreRefusedInOrderUntilOneIsNew) {
    Start();
    FromMenu(kAddGroup,
             {[&] { QueueOk(); }, Answer(u"Please type a group name."), [&] { QueueType(u"   "); },
              [&] { QueueOk(); }, Answer(u"Please type a group name."),
              [&] { QueueType(u" Programs "); }, [&] { QueueOk(); },
              Answer(u"That group name already exists! Please create another "
                     u"group name."),
              [&] {
                  // The trimmed name stays for the user to correct.
                  EXPECT_EQ(ControlText(CGroupDlg::kNameField), u"Programs");
                  QueueTapControl(CGroupDlg::kNameField); // the caret after the text
                  QueueBackspaces(8);
                  QueueType(u"programs"); // another letter case is another name
              },
              [&] { QueueOk(); }});
    ASSERT_EQ(Live().GroupCount(), 5);
    EXPECT_EQ(Live().GroupName(4), u"programs");

    // Typing stops at 50 characters; Cancel changes nothing.
    FromMenu(kAddGroup, {[&] { QueueType(std::u16string(55, u'x')); },
                         [&] {
                             EXPECT_EQ(ControlText(CGroupDlg::kNameField).size(), 50u);
                             QueueTapText(u"Cancel");
                         }});
    EXPECT_EQ(Live().GroupCount(), 5);
}

TEST_F(GroupCommands, DeletingShowsTheNextGroupAndKeepsStorageDense) {
    Start();
    for (const char16_t* name : {u"A", u"B", u"C"})
        AddGroup(name);
    ASSERT_EQ(Live().GroupCount(), 7);
    // Storage order A B C at positions 6 4 5: A's index is below the others'.
    ASSERT_TRUE(Live().SetOrder({0, 1, 2, 3, 5, 6, 4}, {u"Programs", u"Multimedia", u"Game",
                                                        u"Favorite", u"B", u"C", u"A"}));

    // A default group is refused (exact names only).
    ShowTab(1);
    FromMenu(kDeleteGroup, {Answer(u"The default group can't be deleted.")});
    EXPECT_EQ(Live().GroupCount(), 7);
    // Cancelling the question keeps it.
    ShowTab(2, 3); // strip 3..6, "B" on tab 2
    ASSERT_EQ(View().CurrentGroup(), 4);
    FromMenu(kDeleteGroup, {Answer(u"Are you sure you want to do this?", u"Cancel")});
    EXPECT_EQ(Live().GroupCount(), 7);

    // "B" goes; "C" follows it, the strip moving back one as it was at its end.
    Live().AppendShortcut(5, {u"\\Windows\\c.exe", u"C item", u"0"});
    FromMenu(kDeleteGroup, {Answer(u"Are you sure you want to do this?", u"OK")});
    ASSERT_EQ(Live().GroupCount(), 6);
    EXPECT_EQ(Live().GroupNames(), (std::vector<std::u16string>{u"Programs", u"Multimedia", u"Game",
                                                                u"Favorite", u"C", u"A"}));
    EXPECT_EQ(Live().GroupOrder(), (std::vector<std::uint8_t>{0, 1, 2, 3, 5, 4}));
    EXPECT_EQ(View().CurrentGroup(), 4);
    EXPECT_EQ(View().FirstGroup(), 2);
    EXPECT_EQ(View().CurrentTab(), 3);
    EXPECT_EQ(View().ShortcutCount(), 1);

    // The last group goes: the first is shown on tab 1.
    ShowTab(4);
    ASSERT_EQ(View().CurrentGroup(), 5);
    FromMenu(kDeleteGroup, {Answer(u"Are you sure you want to do this?", u"OK")});
    EXPECT_EQ(Live().GroupCount(), 5);
    EXPECT_EQ(Live().GroupOrder(), (std::vector<std::uint8_t>{0, 1, 2, 3, 4}));
    EXPECT_EQ(View().CurrentGroup(), 0);
    EXPECT_EQ(View().FirstGroup(), 0);
    EXPECT_EQ(View().CurrentTab(), 1);
    Catalogue saved;
    SaveAndReadBack(saved);
    EXPECT_EQ(saved.GroupName(4), u"C");
    EXPECT_EQ(saved.Group(4).Count(), 1u);
}

TEST_F(GroupCommands, RenamingKeepsShortcutsAndPicture) {
    Start();
    FromMenu(kRename, {Answer(u"The default group cannot be renamed.")});
    EXPECT_EQ(Live().GroupName(0), u"Programs");

    AddGroup(u"programs"); // not a default name: case matters
    AddGroup(u"Old");
    Live().AppendShortcut(5, {u"\\Windows\\x.exe", u"X", u"0"});
    ASSERT_TRUE(Live().SetBackground(5, u"\\windows\\skin 1.bmp"));
    // Its own name passes; another group's does not.
    FromMenu(kRename, {[&] {
                 EXPECT_FALSE(ControlEnabled(CGroupDlg::kBrowseButton));
                 EXPECT_FALSE(ControlEnabled(CGroupDlg::kPictureField));
                 EXPECT_TRUE(zorun::SoftKeyboardUp());
                 QueueOk();
             }});
    EXPECT_EQ(Live().GroupName(5), u"Old");
    FromMenu(kRename, {[&] {
                           QueueBackspaces(3);
                           QueueType(u"programs");
                       },
                       [&] { QueueOk(); },
                       Answer(u"That group name already exists! Please create another group "
                              u"name."),
                       [&] {
                           QueueTapControl(CGroupDlg::kNameField); // the caret after the text
                           QueueBackspaces(8);
                           QueueType(u"New");
                       },
                       [&] { QueueOk(); }});
    EXPECT_EQ(Live().GroupName(5), u"New");
    EXPECT_EQ(Live().Group(5).Count(), 1u);
    EXPECT_EQ(Live().Background(5), u"\\windows\\skin 1.bmp");
    EXPECT_TRUE(app.ScreenShows(u"New"));
    Catalogue saved;
    SaveAndReadBack(saved);
}

TEST_F(GroupCommands, SetBackgroundStoresThePathByStorageIndex) {
    WriteBmp(app.Root() / "Windows" / "Dune.bmp", 100, 80, 0xC0A040);
    Start();
    // A group with a name the dialog itself would refuse (read from a file).
    const std::u16string longName(60, u'n');
    ASSERT_TRUE(Live().AppendGroup(longName, u""));
    ASSERT_TRUE(Live().SetOrder({4, 0, 1, 2, 3},
                                {longName, u"Programs", u"Multimedia", u"Game", u"Favorite"}));
    ShowTab(1);
    FromMenu(kSetBackground, {[&] {
                                  EXPECT_FALSE(ControlEnabled(CGroupDlg::kNameField));
                                  EXPECT_FALSE(zorun::SoftKeyboardUp());
                                  QueueTapControl(CGroupDlg::kBrowseButton);
                              },
                              [&] { QueueTapText(u"Dune.bmp"); }, [&] { QueueOk(); },
                              [&] {
                                  EXPECT_EQ(PreviewPixel(), 0xC0A040u);
                                  Screenshot("group-dialog-background.png");
                                  QueueOk();
                              }});
    EXPECT_EQ(Live().BackgroundPaths()[4], u"\\windows\\Dune.bmp");
    EXPECT_EQ(Live().GroupName(0), longName);

    // The browser ended without a file: its empty choice, and no preview.
    FromMenu(kSetBackground,
             {[&] { QueueTapControl(CGroupDlg::kBrowseButton); }, [&] { QueueOk(); },
              [&] {
                  EXPECT_EQ(ControlText(CGroupDlg::kPictureField), u"");
                  EXPECT_NE(PreviewPixel(), 0xC0A040u);
                  QueueOk();
              }});
    EXPECT_EQ(Live().BackgroundPaths()[4], u"");
}

TEST_F(GroupCommands, OrganizeShowsTheNewFirstGroupOnTabOne) {
    Start();
    ShowTab(3);
    // "Multimedia" up: it becomes the first group.
    FromMenu({u"Edit", u"Organize groups"}, {[&] {
                                                 QueueTapText(u"Multimedia");
                                                 QueueTapAt({186 + 16, 26 + 51 + 16});
                                             },
                                             [&] { QueueOk(); }});
    EXPECT_EQ(Live().GroupNames(),
              (std::vector<std::u16string>{u"Multimedia", u"Programs", u"Game", u"Favorite"}));
    EXPECT_EQ(Live().GroupOrder(), (std::vector<std::uint8_t>{1, 0, 2, 3}));
    EXPECT_EQ(View().CurrentGroup(), 0);
    EXPECT_EQ(View().CurrentTab(), 1);
    EXPECT_EQ(View().TabCaption(1).data(), std::u16string(u"Multimedia"));
    Catalogue saved;
    SaveAndReadBack(saved);
    EXPECT_EQ(saved.Group(0), Live().Group(0));
}

TEST_F(GroupCommands, NoGroupIsAddedBeyondTheLast) {
    Start();
    for (int i = Live().GroupCount(); i < Catalogue::kMaxGroups; ++i)
        ASSERT_TRUE(Live().AppendGroup(u"G" + std::u16string(1, char16_t(u'0' + i % 10)) +
                                           std::u16string(1, char16_t(u'a' + i / 10 % 26)) +
                                           std::u16string(1, char16_t(u'a' + i / 260)),
                                       u""));
    const CatalogueContents before = Live().Contents();
    FromMenu(kAddGroup, {Answer(u"No more groups can be added.")});
    EXPECT_EQ(Live().Contents(), before);
}

} // namespace
