// The group organizer, driven as a user drives it: the arrow pictures move
// the selected group (wrapping at both ends), a press that slides from one
// picture to another does nothing, and the catalogue changes only when the
// caller takes the lists back after "ok".

#include <gtest/gtest.h>

#include <map>

#include "dialogs/COrganizeGroupsDlg.h"
#include "dialogs/DialogResources.h"
#include "dialogs/GroupDialogLayout.h"
#include "tests/support/DialogFixture.h"

namespace {

using namespace GroupDialogLayout;
using Names = std::vector<std::u16string>;

class OrganizeGroups : public DialogFixture {
  protected:
    void TapUp() { QueueDialogTap(200, 60); }
    void TapDown() { QueueDialogTap(200, 120); }

    // The names in the dialog's list, its own list, and the order bytes
    // still beside their names.
    void ExpectShown(const COrganizeGroupsDlg& dialog, const Names& shown, int selected) {
        EXPECT_EQ(ListBoxEntries(dialog.GetListBox()), shown);
        EXPECT_EQ(dialog.organizeNames, shown);
        EXPECT_EQ(ListBoxSelection(dialog.GetListBox()), selected);
        ASSERT_EQ(dialog.organizeOrder.size(), shown.size());
        for (std::size_t i = 0; i < shown.size(); ++i)
            EXPECT_EQ(dialog.organizeOrder[i], byteOf[shown[i]]) << i;
    }

    std::map<std::u16string, std::uint8_t> byteOf{{u"A", 2}, {u"B", 0}, {u"C", 3}, {u"D", 1}};
    const std::vector<std::uint8_t> order{2, 0, 3, 1};
    const Names names{u"A", u"B", u"C", u"D"};
};

TEST_F(OrganizeGroups, ArrowsMoveTheSelectedGroupAndWrapAroundBothEnds) {
    COrganizeGroupsDlg dialog(order, names, &Frame());
    const INT_PTR result =
        RunModal(dialog, {
                             [&] {
                                 ExpectShown(dialog, names, 0);
                                 TapUp(); // the first goes to the end
                             },
                             [&] {
                                 ExpectShown(dialog, {u"B", u"C", u"D", u"A"}, 3);
                                 TapDown(); // the last comes back to the top
                             },
                             [&] {
                                 ExpectShown(dialog, names, 0);
                                 QueueListRowTap(DialogResource::GroupList, 3);
                                 TapDown();
                             },
                             [&] {
                                 ExpectShown(dialog, {u"D", u"A", u"B", u"C"}, 0);
                                 QueueListRowTap(DialogResource::GroupList, 2);
                                 TapUp();
                                 TapUp();
                             },
                             [&] {
                                 ExpectShown(dialog, {u"B", u"D", u"A", u"C"}, 0);
                                 TapDown();
                             },
                             [&] {
                                 ExpectShown(dialog, {u"D", u"B", u"A", u"C"}, 1);
                                 QueueOk();
                             },
                         });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(dialog.organizeNames, (Names{u"D", u"B", u"A", u"C"}));
    EXPECT_EQ(dialog.organizeOrder, (std::vector<std::uint8_t>{1, 0, 2, 3}));
}

TEST_F(OrganizeGroups, APressSlidOntoAnotherPictureDoesNothing) {
    COrganizeGroupsDlg dialog(order, names, &Frame());
    RunModal(dialog, {
                         [&] { QueueDialogDown(200, 60); },
                         [&] {
                             EXPECT_EQ(dialog.PressedPart(), COrganizeGroupsDlg::UpArrow);
                             EXPECT_TRUE(ShowsIcon(DialogResource::UpArrowPressedIcon, kUpAt));
                             QueueDialogMove(200, 120);
                             QueueDialogUp(200, 120);
                         },
                         [&] {
                             ExpectShown(dialog, names, 0);
                             EXPECT_TRUE(ShowsIcon(DialogResource::UpArrowIcon, kUpAt));
                             EXPECT_TRUE(ShowsIcon(DialogResource::DownArrowIcon, kDownAt));
                             // Down pressed, released over the list: nothing.
                             QueueDialogDown(200, 120);
                             QueueDialogUp(100, 120);
                         },
                         [&] {
                             ExpectShown(dialog, names, 0);
                             EXPECT_TRUE(ShowsIcon(DialogResource::DownArrowIcon, kDownAt));
                             // A release on the background after no press: nothing.
                             QueueDialogUp(200, 90);
                         },
                         [&] {
                             ExpectShown(dialog, names, 0);
                             QueueOk();
                         },
                     });
}

TEST_F(OrganizeGroups, TheCatalogueChangesOnlyWhenTheCallerTakesTheListsBackAfterOk) {
    MakeGroups(5, {1, 2, 3, 0, 1});
    Catalogue& catalogue = GetCatalogue();
    catalogue.SetBackground(1, u"\\Windows\\skin 2.bmp");
    const CatalogueContents before = catalogue.Contents();
    // As "Organize groups" does: the lists go back only after IDOK.
    auto organize = [&](std::vector<std::function<void()>> steps) {
        COrganizeGroupsDlg dialog(catalogue.GroupOrder(), catalogue.GroupNames(), &Frame());
        const INT_PTR result = RunModal(dialog, std::move(steps));
        if (result == IDOK) {
            EXPECT_TRUE(catalogue.SetOrder(dialog.organizeOrder, dialog.organizeNames));
        }
        return result;
    };

    EXPECT_EQ(organize({[&] {
                            TapDown();
                            TapDown();
                            QueueListRowTap(DialogResource::GroupList, 4);
                            TapDown();
                        },
                        [&] { QueueDialogTap(40, 249); }}),
              IDCANCEL);
    EXPECT_EQ(catalogue.Contents(), before);

    EXPECT_EQ(organize({[&] {
                  QueueListRowTap(DialogResource::GroupList, 1);
                  TapUp(); // Group 2 first
                  QueueListRowTap(DialogResource::GroupList, 4);
                  TapDown(); // Group 5 wraps to the top
                  QueueOk();
              }}),
              IDOK);
    EXPECT_EQ(catalogue.GroupNames(),
              (Names{u"Group 5", u"Group 2", u"Group 1", u"Group 3", u"Group 4"}));
    // Every group keeps its own shortcuts and background.
    for (int p = 0; p < catalogue.GroupCount(); ++p) {
        const std::u16string& name = catalogue.GroupName(p);
        const int was = name.back() - u'1';
        EXPECT_EQ(catalogue.Group(p), before.groupList[before.groupOrder[was]]) << p;
        EXPECT_EQ(catalogue.Background(p), before.backgroundPaths[before.groupOrder[was]]) << p;
    }
}

} // namespace
