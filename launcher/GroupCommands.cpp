// The group commands of the launcher view: Add Group, Delete Group, Rename,
// Set Background (the "Group" sub-menu) and Organize groups. Each changes
// the catalogue in memory and the view state; none writes the settings
// file. The view repaints after every dialog, whatever its end, so nothing
// the dialog covered is left stale.

#include "catalogue/Catalogue.h"
#include "dialogs/CGroupDlg.h"
#include "dialogs/COrganizeGroupsDlg.h"
#include "launcher/CZorunView.h"
#include "platform/afx/CWinApp.h"
#include "platform/afx/StringTable.h"

namespace {

constexpr UINT kProgramTitleString = 65009;
constexpr UINT kDefaultNotDeletedString = 65015;
constexpr UINT kConfirmDeleteString = 65016;
constexpr UINT kDefaultNotRenamedString = 65020;
constexpr UINT kNoMoreGroupsString = 65053;

// The picture of a group added without one.
constexpr const char16_t* kDefaultBackground = u"\\windows\\skin 4.bmp";

} // namespace

void CZorunView::OnAddGroup() {
    Catalogue* catalogue = GetCatalogue();
    if (!catalogue)
        return;
    const int n = catalogue->GroupCount();
    // A storage index is one byte: a 257th group could not be stored.
    if (n >= Catalogue::kMaxGroups) {
        AfxMessageBox(kNoMoreGroupsString, MB_ICONEXCLAMATION);
        return;
    }
    CGroupDlg dialog(catalogue->GroupNames(), -1, u"", this);
    const bool ok = dialog.DoModal() == IDOK;
    if (ok && catalogue->AppendGroup(dialog.groupName, dialog.backgroundPath.empty()
                                                           ? kDefaultBackground
                                                           : dialog.backgroundPath)) {
        currentGroup = n;
        firstGroup = n + 1 - 4;
        currentTab = 4;
        selectedItem = -1;
        firstItem = 0;
        pageCount = 1;
        RefreshCaptions();
    }
    Repaint();
}

void CZorunView::OnDeleteGroup() {
    Catalogue* catalogue = GetCatalogue();
    if (!catalogue || !catalogue->IsValidPosition(currentGroup))
        return;
    const int c = currentGroup;
    const int n = catalogue->GroupCount();
    if (catalogue->IsDefaultGroup(c)) {
        AfxMessageBox(kDefaultNotDeletedString, MB_ICONEXCLAMATION);
        return;
    }
    // The tab strip needs four groups: a catalogue read with only four, one
    // of them renamed, keeps them all.
    if (!catalogue->CanRemoveGroup(c))
        return;
    const std::u16string question = LoadStringW(kConfirmDeleteString);
    const std::u16string title = LoadStringW(kProgramTitleString);
    const int answer =
        MessageBox(question.c_str(), title.c_str(), MB_ICONINFORMATION | MB_OKCANCEL);
    if (answer != IDOK || !catalogue->RemoveGroup(c)) {
        Repaint();
        return;
    }
    if (c == n - 1) {
        currentGroup = 0;
        firstGroup = 0;
        currentTab = 1;
    } else {
        // The group that followed now sits at c; a strip that showed the
        // last group moves back one so that four tabs stay filled.
        currentGroup = c;
        if (firstGroup + 4 == n) {
            firstGroup -= 1;
            currentTab += 1;
        }
    }
    selectedItem = -1;
    pageCount = ViewLayout::PageCount(ShortcutCount());
    // The page shown stays, unless the group now shown has no such page.
    if (firstItem / ViewLayout::kShortcutsPerPage >= pageCount)
        firstItem = 0;
    RefreshCaptions();
    Repaint();
}

void CZorunView::OnRenameGroup() {
    Catalogue* catalogue = GetCatalogue();
    if (!catalogue || !catalogue->IsValidPosition(currentGroup))
        return;
    const int c = currentGroup;
    if (catalogue->IsDefaultGroup(c)) {
        AfxMessageBox(kDefaultNotRenamedString, MB_ICONEXCLAMATION);
        return;
    }
    CGroupDlg dialog(catalogue->GroupNames(), c + CGroupDlg::kRenameOffset,
                     catalogue->Background(c), this);
    if (dialog.DoModal() == IDOK && catalogue->RenameGroup(c, dialog.groupName))
        RefreshCaptions();
    Repaint();
}

void CZorunView::OnSetBackground() {
    Catalogue* catalogue = GetCatalogue();
    if (!catalogue || !catalogue->IsValidPosition(currentGroup))
        return;
    const int c = currentGroup;
    CGroupDlg dialog(catalogue->GroupNames(), c, catalogue->Background(c), this);
    if (dialog.DoModal() == IDOK)
        catalogue->SetBackground(c, dialog.backgroundPath);
    Repaint();
}

void CZorunView::OnOrganizeGroups() {
    Catalogue* catalogue = GetCatalogue();
    if (!catalogue)
        return;
    COrganizeGroupsDlg dialog(catalogue->GroupOrder(), catalogue->GroupNames(), this);
    if (dialog.DoModal() == IDOK &&
        catalogue->SetOrder(dialog.organizeOrder, dialog.organizeNames)) {
        currentGroup = 0;
        currentTab = 1;
        firstGroup = 0;
        selectedItem = -1;
        firstItem = 0;
        pageCount = ViewLayout::PageCount(ShortcutCount());
        RefreshCaptions();
    }
    Repaint();
}
