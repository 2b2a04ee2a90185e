// The shortcut commands as a user runs them: press and hold on a shortcut
// or the empty area, a command of the menu, then the shortcut dialog, the
// change-icon panel, the program browser or the group picker. After each
// scenario the catalogue is saved and read back, and every group's three
// lists are checked to have kept equal lengths.

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "catalogue/SettingsFile.h"
#include "catalogue/SettingsFormat.h"
#include "dialogs/DialogResources.h"
#include "launcher/CZorunViewLayout.h"
#include "launcher/CommandIds.h"
#include "platform/base/Text.h"
#include "platform/user/CommCtrl.h"
#include "platform/user/Input.h"
#include "tests/support/DialogFixture.h"

using namespace ViewLayout;

namespace {

using Names = std::vector<std::u16string>;
using Step = std::function<void()>;

// Menu 156's commands, top to bottom.
enum MenuItem { AddItem, DeleteItem, ChangeIconItem, RenameItem, CopyItem, MoveItem };

class ShortcutCommands : public DialogFixture {
  protected:
    void SetUp() override {
        DialogFixture::SetUp();
        WriteDeviceFile("Windows/pword.exe", "w", true);
        WriteDeviceFile("Windows/solitaire.exe", "s", true);
    }

    // Four or more groups; group 0 holds `names`, each starting pword.exe.
    void Start(const Names& names, int groups = 4) {
        MakeGroups(groups);
        for (const auto& name : names)
            ASSERT_TRUE(GetCatalogue().AppendShortcut(0, {u"\\windows\\pword.exe", name, u"0"}));
        StartView();
    }

    // Press and hold on cell `slot` (a shortcut: menu 156, else menu 157),
    // choose `item` with the keys, then run `steps` in the loops it opens.
    void FromHoldMenu(int slot, int item, std::vector<Step> steps) {
        WhenWaiting([item] {
            for (int i = 0; i <= item; ++i)
                QueueKeyStatic(VK_DOWN);
            QueueKeyStatic(VK_RETURN);
        });
        Queue(std::move(steps));
        const RECT c = CellRect(slot);
        Hold((c.left + c.right) / 2, (c.top + c.bottom) / 2, 700);
        Finish();
    }
    // The command as the main menu sends it.
    void FromMainMenu(UINT command, std::vector<Step> steps) {
        Queue(std::move(steps));
        View().SendMessage(WM_COMMAND, command, 0);
        Finish();
    }

    // A shortcut dragged with the stylus from `from` to `to`.
    void FromDrag(POINT from, POINT to, std::vector<Step> steps) {
        Queue(std::move(steps));
        Down(from.x, from.y);
        Move(from.x + 20, from.y + 40);
        Move(to.x, to.y);
        Up(to.x, to.y);
        Finish();
    }

    static void QueueKeyStatic(int vk) {
        zorun::InputEvent event;
        event.kind = zorun::InputEvent::Kind::KeyDown;
        event.virtualKey = vk;
        zorun::PushInput(event);
    }
    [[nodiscard]] Names NamesOf(int p) { return GetCatalogue().Group(p).names; }

    // Saved, read back: the same catalogue, every group's lists equal in length.
    void ExpectSavedAsShown() {
        ASSERT_TRUE(SaveSettings(GetCatalogue()));
        Catalogue reread;
        ASSERT_TRUE(LoadSettings(reread));
        EXPECT_EQ(reread.Contents(), GetCatalogue().Contents());
        for (int p = 0; p < reread.GroupCount(); ++p)
            EXPECT_TRUE(reread.Group(p).IsConsistent()) << p;
    }

  private:
    void Queue(std::vector<Step> steps) {
        running_ = std::make_shared<bool>(true);
        for (auto& step : steps)
            WhenWaiting([running = running_, step = std::move(step)] {
                if (*running)
                    step();
            });
        WhenWaiting([running = running_] {
            if (!*running)
                return;
            ADD_FAILURE() << "a dialog or message is still open after the last step";
            if (HWND front = FrontDialog())
                ::EndDialog(front, IDCANCEL);
            else
                QueueKeyStatic(VK_ESCAPE);
        });
    }
    void Finish() {
        *running_ = false;
        Pump();
    }

    std::shared_ptr<bool> running_ = std::make_shared<bool>(false);
};

} // namespace

TEST_F(ShortcutCommands, AddNumbersTheNameIgnoringCase) {
    Start({u"Word", u"word1"});
    // Menu 157 on the empty area: a name typed, the program browsed.
    FromHoldMenu(3, AddItem,
                 {[] { QueueText(u"WORD"); },
                  [&] { QueueControlTap(DialogResource::ProgramBrowse); },
                  [&] { QueueBrowserChoice(0); }, // pword.exe
                  [&] { QueueOk(); }});
    EXPECT_EQ(NamesOf(0), (Names{u"Word", u"word1", u"WORD2"}));
    EXPECT_EQ(GetCatalogue().Group(0).Shortcut(2),
              (ShortcutRecord{u"\\windows\\pword.exe", u"WORD2", u"0"}));
    EXPECT_EQ(View().PageCount(), 1);

    // Cancelled: nothing is added.
    FromMainMenu(CommandId::AddShortcut, {[&] { QueueControlTap(IDCANCEL); }});
    EXPECT_EQ(NamesOf(0).size(), 3u);
    ExpectSavedAsShown();
}

TEST_F(ShortcutCommands, RenameLeavesTheShortcutsOwnNameOutOfTheCount) {
    Start({u"Word", u"Games"});
    // Its own name, in other case: taken as typed, no number.
    FromHoldMenu(0, RenameItem,
                 {[] {
                      for (int i = 0; i < 4; ++i)
                          QueueKeyStatic(VK_BACK);
                      QueueText(u"WORD");
                  },
                  [&] { QueueOk(); }});
    EXPECT_EQ(NamesOf(0), (Names{u"WORD", u"Games"}));
    // Another shortcut's name: numbered.
    FromHoldMenu(1, RenameItem,
                 {[] {
                      for (int i = 0; i < 5; ++i)
                          QueueKeyStatic(VK_BACK);
                      QueueText(u"word");
                  },
                  [&] { QueueOk(); }});
    EXPECT_EQ(NamesOf(0), (Names{u"WORD", u"word1"}));
    EXPECT_EQ(GetCatalogue().Group(0).targets[1], u"\\windows\\pword.exe");
    ExpectSavedAsShown();
}

TEST_F(ShortcutCommands, ChangeIconStoresTheChosenIconOrTheProgramsOwn) {
    Start({u"Word"});
    FromHoldMenu(0, ChangeIconItem,
                 {[&] { QueueControlTap(DialogResource::IconBrowse); },
                  [&] {
                      QueueDialogTap(108, 126); // cell 5: icon 145
                      QueueOk();
                  },
                  [&] { QueueOk(); }});
    EXPECT_EQ(GetCatalogue().Group(0).iconRefs[0], u"145");
    FromHoldMenu(0, ChangeIconItem,
                 {[&] { QueueControlTap(DialogResource::IconBrowse); },
                  [&] { QueueControlTap(DialogResource::DefaultIconButton); }, [&] { QueueOk(); }});
    EXPECT_EQ(GetCatalogue().Group(0).Shortcut(0),
              (ShortcutRecord{u"\\windows\\pword.exe", u"Word", u"0"}));
    ExpectSavedAsShown();
}

TEST_F(ShortcutCommands, EditingAShortcutWhoseProgramIsGoneIsRefused) {
    Start({u"Word"});
    ASSERT_TRUE(GetCatalogue().AppendShortcut(0, {u"\\windows\\gone.exe", u"Gone", u"0"}));
    FromHoldMenu(1, RenameItem,
                 {[&] { QueueOk(); },
                  Answer(u"That file name does not exist. Please select another file name."),
                  [&] { QueueControlTap(IDCANCEL); }});
    EXPECT_EQ(NamesOf(0), (Names{u"Word", u"Gone"}));
}

TEST_F(ShortcutCommands, DeleteAsksFirstAndNeedsASelection) {
    Start({u"A", u"B", u"C"});
    FromMainMenu(CommandId::DeleteShortcut, {Answer(u"Please selected a shortcut first.")});
    for (UINT command : {CommandId::RenameShortcut, CommandId::ChangeIcon})
        FromMainMenu(command, {Answer(u"Please selected a shortcut first.")});
    EXPECT_EQ(NamesOf(0).size(), 3u);

    const Step confirm =
        Answer(u"Selected item will be deleted. Are you sure you want to do this?", VK_ESCAPE);
    FromHoldMenu(1, DeleteItem, {confirm});
    EXPECT_EQ(NamesOf(0), (Names{u"A", u"B", u"C"})) << "declined";

    FromHoldMenu(1, DeleteItem,
                 {Answer(u"Selected item will be deleted. Are you sure you want to do this?")});
    EXPECT_EQ(NamesOf(0), (Names{u"A", u"C"}));
    EXPECT_EQ(View().SelectedItem(), -1);
    ExpectSavedAsShown();
}

TEST_F(ShortcutCommands, CopyAndMoveNumberTheNameInTheOtherGroup) {
    Start({u"Word", u"Games"});
    ASSERT_TRUE(GetCatalogue().AppendShortcut(1, {u"\\windows\\solitaire.exe", u"WORD", u"147"}));

    for (UINT command : {CommandId::CopyTo, CommandId::MoveTo})
        FromMainMenu(command, {Answer(u"You must select a shortcut in one group.")});

    // Copy "Word" to group 1 (the picker's first row: the shown group is left out).
    FromHoldMenu(0, CopyItem, {[&] { QueueOk(); }});
    EXPECT_EQ(NamesOf(0), (Names{u"Word", u"Games"})) << "the source stays";
    EXPECT_EQ(NamesOf(1), (Names{u"WORD", u"Word1"}));
    EXPECT_EQ(View().CurrentGroup(), 1);
    EXPECT_EQ(View().CurrentTab(), 2);
    EXPECT_EQ(View().SelectedItem(), -1);

    // Move "WORD" from group 1 back to group 0 (row 0 is group 0 now).
    FromHoldMenu(0, MoveItem, {[&] { QueueOk(); }});
    EXPECT_EQ(NamesOf(1), (Names{u"Word1"}));
    EXPECT_EQ(NamesOf(0), (Names{u"Word", u"Games", u"WORD1"}));
    EXPECT_EQ(GetCatalogue().Group(0).Shortcut(2),
              (ShortcutRecord{u"\\windows\\solitaire.exe", u"WORD1", u"147"}));
    EXPECT_EQ(View().CurrentGroup(), 0);

    // A cancelled picker changes nothing.
    FromHoldMenu(0, MoveItem, {[&] {
                     QueueDialogTap(50, 249); // the picture "Cancel"
                 }});
    EXPECT_EQ(NamesOf(0).size(), 3u);
    ExpectSavedAsShown();
}

TEST_F(ShortcutCommands, CopyNearTheEndShowsFourTabsWithTheDestination) {
    Start({u"Word"}, 6);
    // Group 4 is the picker's row 3 (group 0, the shown one, is left out).
    FromHoldMenu(0, CopyItem, {[&] {
                     QueueListRowTap(DialogResource::GroupList, 3);
                     QueueOk();
                 }});
    EXPECT_EQ(View().CurrentGroup(), 4);
    EXPECT_EQ(View().FirstGroup(), 2);
    EXPECT_EQ(View().CurrentTab(), 3);
    EXPECT_EQ(NamesOf(4), (Names{u"Word"}));
    // The strip's captions follow it.
    EXPECT_EQ(CaptionText(View().TabCaption(1)), u"Group 3");
    EXPECT_EQ(CaptionText(View().TabCaption(4)), u"Group 6");
    ExpectSavedAsShown();
}

TEST_F(ShortcutCommands, AFullCatalogueRefusesNewShortcutsAndKeepsEveryOne) {
    const std::u16string noRoom =
        u"There is no more room for shortcuts. Please delete some shortcuts first.";
    Start({u"Word", u"Games"});
    // Group 1 holds as many shortcuts as a group can.
    for (std::size_t i = 0; i < kMaxGroupShortcuts; ++i)
        ASSERT_TRUE(GetCatalogue().AppendShortcut(1, {u"\\windows\\pword.exe", u"", u""}));

    // Copy and move into it are refused; the shortcut stays where it was.
    FromHoldMenu(0, CopyItem, {[&] { QueueOk(); }, Answer(noRoom)});
    FromHoldMenu(0, MoveItem, {[&] { QueueOk(); }, Answer(noRoom)});
    // So is a drag onto its tab.
    FromDrag({41, 41}, {81, 168}, {Answer(noRoom)}); // the first cell onto the second tab
    EXPECT_EQ(NamesOf(0), (Names{u"Word", u"Games"}));
    EXPECT_EQ(GetCatalogue().Group(1).Count(), kMaxGroupShortcuts);
    EXPECT_EQ(View().CurrentGroup(), 0);

    // The file holds 100,000 in all: Add says so before the dialog opens.
    const std::size_t held = MeasureSettings(GetCatalogue())->shortcuts;
    for (std::size_t i = held; i < kMaxSettingsShortcuts; ++i)
        ASSERT_TRUE(GetCatalogue().AppendShortcut(2, {u"", u"", u""}));
    FromHoldMenu(3, AddItem, {Answer(noRoom)});
    EXPECT_EQ(NamesOf(0), (Names{u"Word", u"Games"}));
    // A move within the file still works.
    FromHoldMenu(0, MoveItem, {[&] {
                     QueueListRowTap(DialogResource::GroupList, 2); // group 3
                     QueueOk();
                 }});
    EXPECT_EQ(NamesOf(0), (Names{u"Games"}));
    EXPECT_EQ(NamesOf(3), (Names{u"Word"}));
    ExpectSavedAsShown();
}
