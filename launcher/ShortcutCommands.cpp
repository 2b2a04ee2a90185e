// The shortcut commands of the launcher view, on the shown group and its
// selected shortcut: Add Shortcut, Delete Shortcut, Rename, Change Icon
// (the shortcut dialog), Copy To and Move To (the group picker). Names stay
// unique in a group ignoring case, by the rule of the drop (MakeUniqueName).
// Every command adds or removes a shortcut's three entries together.

#include <vector>

#include "catalogue/Catalogue.h"
#include "catalogue/SettingsFormat.h"
#include "dialogs/CGroupPickerDlg.h"
#include "dialogs/CShortcutDlg.h"
#include "launcher/CZorunView.h"
#include "launcher/UniqueName.h"
#include "platform/afx/CWinApp.h"

namespace {

// The extensions of the files a new shortcut may start, in the order tried.
const std::vector<std::u16string> kProgramExtensions{u".exe", u".lnk"};

constexpr UINT kSelectInOneGroupString = 65017;
constexpr UINT kConfirmDeleteString = 65018;
constexpr UINT kSelectFirstString = 65019;
constexpr UINT kNoRoomString = 65054;

} // namespace

bool CZorunView::HasSelectedShortcut() const {
    return selectedItem >= 0 && selectedItem < ShortcutCount();
}

bool CZorunView::RoomFor(int p, const ShortcutRecord& added, int from,
                         const ShortcutRecord* removed) {
    const Catalogue* catalogue = GetCatalogue();
    if (catalogue && SettingsHoldAfter(*catalogue, p, added, from, removed))
        return true;
    AfxMessageBox(kNoRoomString, MB_OK | MB_ICONEXCLAMATION);
    return false;
}

void CZorunView::OnAddShortcut() {
    Catalogue* catalogue = GetCatalogue();
    if (!catalogue || !ShownGroup())
        return;
    // A full catalogue is told before anything is typed.
    if (!RoomFor(currentGroup, {}))
        return;
    CShortcutDlg dialog(kProgramExtensions, GetParent());
    const INT_PTR result = dialog.DoModal();
    // The dialog covered the view.
    Repaint();
    if (result != IDOK || dialog.programPath.empty())
        return;
    ShortcutRecord added{
        dialog.programPath,
        MakeUniqueName(dialog.shortcutName, ShownGroup()->names, NameCompare::IgnoreCase),
        dialog.iconRef};
    if (!RoomFor(currentGroup, added))
        return;
    (void)catalogue->AppendShortcut(currentGroup, std::move(added));
    pageCount = ViewLayout::PageCount(ShortcutCount());
}

void CZorunView::OnDeleteShortcut() {
    Catalogue* catalogue = GetCatalogue();
    if (!catalogue || !HasSelectedShortcut()) {
        AfxMessageBox(kSelectFirstString, MB_OK | MB_ICONINFORMATION);
        return;
    }
    if (AfxMessageBox(kConfirmDeleteString, MB_OKCANCEL | MB_ICONINFORMATION) != IDOK)
        return;
    MoveFocus(selectedItem, -1);
    (void)catalogue->RemoveShortcut(currentGroup, selectedItem);
    selectedItem = -1;
    // The page stays where it is, even when it is now empty.
    pageCount = ViewLayout::PageCount(ShortcutCount());
    Repaint();
}

void CZorunView::OnRenameShortcut() {
    EditSelectedShortcut(CShortcutDlg::RenameShortcut);
}

void CZorunView::OnChangeIcon() {
    EditSelectedShortcut(CShortcutDlg::ChangeIcon);
}

void CZorunView::EditSelectedShortcut(int form) {
    Catalogue* catalogue = GetCatalogue();
    if (!catalogue || !HasSelectedShortcut()) {
        AfxMessageBox(kSelectFirstString, MB_OK | MB_ICONINFORMATION);
        return;
    }
    const int index = selectedItem;
    const ShortcutRecord shortcut = ShownGroup()->Shortcut(static_cast<std::size_t>(index));
    CShortcutDlg dialog(shortcut.target, shortcut.name, shortcut.iconRef, form, GetParent());
    const INT_PTR result = dialog.DoModal();
    Repaint();
    // The dialog is modal, but a shortcut may have gone while it was open
    // (a drop cannot happen, yet nothing else guards the index).
    if (result != IDOK || index >= ShortcutCount())
        return;
    const ShortcutRecord old = ShownGroup()->Shortcut(static_cast<std::size_t>(index));
    ShortcutRecord changed = old;
    if (form == CShortcutDlg::RenameShortcut) {
        if (dialog.shortcutName.empty())
            return;
        // The shortcut's own name does not count against it.
        std::vector<std::u16string> others = ShownGroup()->names;
        others.erase(others.begin() + index);
        changed.name = MakeUniqueName(dialog.shortcutName, others, NameCompare::IgnoreCase);
    } else if (!dialog.iconRef.empty()) {
        changed.iconRef = dialog.iconRef;
    } else {
        return;
    }
    // A longer name or icon reference takes room too.
    if (!RoomFor(currentGroup, changed, currentGroup, &old))
        return;
    if (form == CShortcutDlg::RenameShortcut)
        (void)catalogue->SetShortcutName(currentGroup, index, std::move(changed.name));
    else
        (void)catalogue->SetShortcutIconRef(currentGroup, index, std::move(changed.iconRef));
}

void CZorunView::OnCopyTo() {
    CopyOrMoveTo(false);
}

void CZorunView::OnMoveTo() {
    CopyOrMoveTo(true);
}

void CZorunView::CopyOrMoveTo(bool move) {
    Catalogue* catalogue = GetCatalogue();
    if (!catalogue || !HasSelectedShortcut()) {
        AfxMessageBox(kSelectInOneGroupString, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    CGroupPickerDlg picker(catalogue->GroupNames(),
                           currentGroup + (move ? CGroupPickerDlg::kMoveFlag : 0), nullptr);
    const INT_PTR result = picker.DoModal();
    Repaint();
    const int destination = picker.chosenIndex;
    if (result != IDOK || !catalogue->IsValidPosition(destination) || !HasSelectedShortcut())
        return;

    const ShortcutRecord shortcut = ShownGroup()->Shortcut(static_cast<std::size_t>(selectedItem));
    // Asked before the shortcut leaves its group, with the name it would
    // take beside all of the destination's shortcuts (never shorter than
    // the one it gets).
    ShortcutRecord added = shortcut;
    added.name =
        MakeUniqueName(shortcut.name, catalogue->Group(destination).names, NameCompare::IgnoreCase);
    if (!RoomFor(destination, added, move ? currentGroup : -1, move ? &shortcut : nullptr))
        return;
    if (move)
        (void)catalogue->RemoveShortcut(currentGroup, selectedItem);

    currentGroup = destination;
    selectedItem = -1;
    firstItem = 0;
    const std::u16string name =
        MakeUniqueName(shortcut.name, ShownGroup()->names, NameCompare::IgnoreCase);
    (void)catalogue->AppendShortcut(destination, {shortcut.target, name, shortcut.iconRef});
    pageCount = ViewLayout::PageCount(ShortcutCount());

    // The strip shows four groups with the destination among them.
    const int groups = catalogue->GroupCount();
    firstGroup = groups - destination < 5 ? groups - 4 : destination;
    currentTab = destination - firstGroup + 1;
    RefreshCaptions();
    Repaint();
}
