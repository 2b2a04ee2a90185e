// Each dialog as a user first sees it, with ClearType text: the group
// names in its list on its pictures. Set ZORUN_SCREENSHOT_DIR to a folder
// to keep the screens as PNG files there.

#include <gtest/gtest.h>

#include <algorithm>

#include "dialogs/CBrowseFileDlg.h"
#include "dialogs/CGroupPickerDlg.h"
#include "dialogs/COrganizeGroupsDlg.h"
#include "dialogs/DialogResources.h"
#include "tests/support/DialogFixture.h"

namespace {

const std::vector<std::u16string> kGroups{u"Programs", u"Multimedia", u"Game", u"Favorite",
                                          u"Office"};

class DialogScreens : public DialogFixture {
  protected:
    void SetUp() override {
        DialogFixture::SetUp();
        Frame().clearTypeOn = true;
    }

    // With ClearType on, the dialogs' lists get a ClearType font of height 15.
    void ExpectClearTypeFont(int id) {
        const auto font = reinterpret_cast<HGDIOBJ>(
            SendMessageW(GetDlgItem(FrontDialog(), id), WM_GETFONT, 0, 0));
        LOGFONTW description{};
        ASSERT_EQ(GetObjectW(font, sizeof description, &description), int(sizeof description));
        EXPECT_EQ(description.lfHeight, 15);
        EXPECT_EQ(description.lfQuality, CLEARTYPE_QUALITY);
    }

    void ExpectOnScreen(const std::vector<std::u16string>& names) {
        const auto texts = ScreenTexts();
        for (const auto& name : names)
            EXPECT_NE(std::find(texts.begin(), texts.end(), name), texts.end());
    }
};

TEST_F(DialogScreens, GroupPicker) {
    CGroupPickerDlg move(kGroups, 1 + CGroupPickerDlg::kMoveFlag, &Frame());
    RunModal(move, {[&] {
                 ExpectOnScreen({u"Programs", u"Game", u"Favorite", u"Office"});
                 ExpectClearTypeFont(DialogResource::GroupList);
                 EXPECT_EQ(GetWindowText(GetForegroundWindow()), u"Zorun");
                 Screenshot("group-picker-move.png");
                 QueueOk();
             }});
    CGroupPickerDlg copy(kGroups, 0, &Frame());
    RunModal(copy, {[&] {
                 Screenshot("group-picker-copy.png");
                 QueueOk();
             }});
}

TEST_F(DialogScreens, GroupOrganizer) {
    COrganizeGroupsDlg organizer({0, 1, 2, 3, 4}, kGroups, &Frame());
    RunModal(organizer, {[&] {
                 ExpectOnScreen(kGroups);
                 ExpectClearTypeFont(DialogResource::GroupList);
                 Screenshot("group-organizer.png");
                 QueueOk();
             }});
}

TEST_F(DialogScreens, ProgramBrowser) {
    for (const char* folder : {"Windows/Start Menu/Programs", "Windows/Fonts", "Windows/Help"})
        std::filesystem::create_directories(DeviceRoot() / folder);
    const std::pair<const char*, std::size_t> files[] = {
        {"calc.exe", 18432},     {"Notes.EXE", 2048},   {"pword.exe", 412160},
        {"solitaire.exe", 9728}, {"tmail.exe", 96256},  {"Calendar.lnk", 28},
        {"readme.txt", 512},     {"iexplore.exe", 512}, {"media player with a long name.exe", 1024},
    };
    for (const auto& [name, size] : files)
        WriteDeviceFile(std::string("Windows/") + name, std::string(size, 'x'));
    CBrowseFileDlg browser({u".exe", u".lnk"}, &Frame());
    RunModal(
        browser,
        {
            [&] {
                // Names and dates whole; the sizes are a sideways drag away.
                ExpectOnScreen({u"<\\windows>", u"Name", u"Date", u"Notes.EXE", u"Calendar.lnk"});
                QueueControlTap(DialogResource::FolderList);
            },
            [&] {
                Screenshot("program-browser-folders.png");
                QueueDialogTap(120, 250); // outside: the list closes
            },
            [&] { QueueDialogTap(40, 100); },
            [&] {
                Screenshot("program-browser.png");
                QueueOk();
            },
        });
    EXPECT_FALSE(browser.selectedName.empty());
}

} // namespace
