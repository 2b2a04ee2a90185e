// Each dialog as a user first sees it, with ClearType text: the group
// names in its list on its pictures. Set ZORUN_SCREENSHOT_DIR to a folder
// to keep the screens as PNG files there.

#include <gtest/gtest.h>

#include <algorithm>

#include "dialogs/CGroupPickerDlg.h"
#include "dialogs/COrganizeGroupsDlg.h"
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
                 Screenshot("group-organizer.png");
                 QueueOk();
             }});
}

} // namespace
