// The group picker, driven as a user drives it: a tap on a group and the
// navigation bar's "ok", the picture cancel button, the move and copy titles.

#include <gtest/gtest.h>

#include "dialogs/CGroupPickerDlg.h"
#include "dialogs/DialogResources.h"
#include "dialogs/GroupDialogLayout.h"
#include "platform/user/Dialog.h"
#include "tests/support/DialogFixture.h"

namespace {

using namespace GroupDialogLayout;

const std::vector<std::u16string> kGroups{u"A", u"B", u"C", u"D"};

class GroupPicker : public DialogFixture {
  protected:
    // Chooses list row `row` of a picker opened on group `shown`; the
    // position it returns (or the result when it did not end with IDOK).
    int Choose(int shown, int row) {
        CGroupPickerDlg picker(kGroups, shown, &Frame());
        const INT_PTR result = RunModal(picker, {[&] {
                                            if (row >= 0)
                                                QueueListRowTap(DialogResource::GroupList, row);
                                            QueueOk();
                                        }});
        return result == IDOK ? picker.chosenIndex : -100 - static_cast<int>(result);
    }
};

TEST_F(GroupPicker, ListsTheOtherGroupsAndStepsOverTheShownOne) {
    CGroupPickerDlg picker(kGroups, 2, &Frame());
    EXPECT_EQ(picker.PickerNames(), (std::vector<std::u16string>{u"A", u"B", u"D"}));
    EXPECT_FALSE(picker.IsMove());
    const INT_PTR result = RunModal(
        picker, {[&] {
            HWND list = picker.GetListBox();
            EXPECT_EQ(ListBoxEntries(list), (std::vector<std::u16string>{u"A", u"B", u"D"}));
            EXPECT_EQ(ListBoxSelection(list), 0);
            // ClearType is off: the list keeps the dialog's font.
            EXPECT_EQ(SendMessageW(list, WM_GETFONT, 0, 0),
                      reinterpret_cast<LRESULT>(zorun::DialogFont()));
            QueueListRowTap(DialogResource::GroupList, 2);
            QueueOk();
        }});
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(picker.chosenIndex, 3); // D

    EXPECT_EQ(Choose(2, 1), 1);  // B, before the shown group
    EXPECT_EQ(Choose(2, -1), 0); // A, selected from the start
    EXPECT_EQ(Choose(0, 0), 1);  // the first group shown: B comes first
    EXPECT_EQ(Choose(3, 2), 2);  // the last group shown: C is the last entry
}

TEST_F(GroupPicker, NothingToChooseGivesMinusOne) {
    CGroupPickerDlg picker({u"Only"}, 0, &Frame());
    EXPECT_EQ(RunModal(picker, {[&] {
                           EXPECT_TRUE(ListBoxEntries(picker.GetListBox()).empty());
                           QueueOk();
                       }}),
              IDOK);
    EXPECT_EQ(picker.chosenIndex, -1);
}

TEST_F(GroupPicker, TheTitleSaysMoveOrCopy) {
    CGroupPickerDlg move(kGroups, 1 + CGroupPickerDlg::kMoveFlag, &Frame());
    EXPECT_TRUE(move.IsMove());
    EXPECT_EQ(move.PickerNames(), (std::vector<std::u16string>{u"A", u"C", u"D"}));
    RunModal(move, {[&] {
                 EXPECT_TRUE(ShowsBitmap(DialogResource::MoveTitleBitmap, kTitleAt));
                 EXPECT_FALSE(ShowsBitmap(DialogResource::CopyTitleBitmap, kTitleAt));
                 EXPECT_TRUE(ShowsIcon(DialogResource::CancelIcon, kCancelAt));
                 QueueListRowTap(DialogResource::GroupList, 1);
                 QueueOk();
             }});
    EXPECT_EQ(move.chosenIndex, 2); // C, past the shown B

    CGroupPickerDlg copy(kGroups, 1, &Frame());
    RunModal(copy, {[&] {
                 EXPECT_TRUE(ShowsBitmap(DialogResource::CopyTitleBitmap, kTitleAt));
                 QueueOk();
             }});
}

TEST_F(GroupPicker, TheCancelPictureCancelsOnlyWhenReleasedOnIt) {
    CGroupPickerDlg picker(kGroups, 0, &Frame());
    const INT_PTR result = RunModal(
        picker, {
                    [&] { QueueDialogDown(50, 249); },
                    [&] {
                        EXPECT_TRUE(picker.IsCancelPressed());
                        EXPECT_TRUE(ShowsIcon(DialogResource::CancelPressedIcon, kCancelAt));
                        // Slid off onto the list: no cancel.
                        QueueDialogUp(60, 100);
                    },
                    [&] {
                        EXPECT_FALSE(picker.IsCancelPressed());
                        EXPECT_TRUE(ShowsIcon(DialogResource::CancelIcon, kCancelAt));
                        QueueDialogTap(87, 258);
                    },
                });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(picker.chosenIndex, 0); // untouched
}

} // namespace
