#include "dialogs/CGroupPickerDlg.h"

#include "dialogs/DialogResources.h"
#include "dialogs/GroupDialogLayout.h"

BEGIN_MESSAGE_MAP(CGroupPickerDlg, CGroupListDlg)
ON_WM_PAINT()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONUP()
END_MESSAGE_MAP()

using namespace GroupDialogLayout;

CGroupPickerDlg::CGroupPickerDlg(const std::vector<std::u16string>& names, int index, CWnd* parent)
    : CGroupListDlg(DialogResource::GroupPickerDialog, parent) {
    if (index >= kMoveFlag) {
        isMove = true;
        index -= kMoveFlag;
    }
    currentIndex = index;
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (static_cast<int>(i) != currentIndex)
            pickerNames.push_back(names[i]);
    }
}

BOOL CGroupPickerDlg::OnInitDialog() {
    CGroupListDlg::OnInitDialog();
    FillList(pickerNames);
    cancelPressed = false;
    return TRUE;
}

void CGroupPickerDlg::OnPaint() {
    CPaintDC dc(this);
    RECT client{};
    GetClientRect(&client);
    DrawBitmap(dc, DialogResource::PickerBackgroundBitmap, {0, 0},
               {client.right - client.left, client.bottom - client.top});
    // The copied area is taller than the title picture: below it the
    // background shows.
    DrawBitmap(dc, isMove ? DialogResource::MoveTitleBitmap : DialogResource::CopyTitleBitmap,
               kTitleAt, kTitleArea);
    DrawIcon(dc, DialogResource::CancelIcon, kCancelAt);
}

void CGroupPickerDlg::OnLButtonDown(UINT, CPoint point) {
    if (!kCancelRect.Contains(point))
        return;
    DrawIconNow(DialogResource::CancelPressedIcon, kCancelAt);
    cancelPressed = true;
    HoldStylus();
}

void CGroupPickerDlg::OnLButtonUp(UINT, CPoint point) {
    FreeStylus();
    if (!cancelPressed)
        return;
    cancelPressed = false;
    DrawIconNow(DialogResource::CancelIcon, kCancelAt);
    if (kCancelRect.Contains(point))
        EndDialog(IDCANCEL);
}

void CGroupPickerDlg::OnOK() {
    if (listBox.GetCount() <= 0) {
        chosenIndex = -1;
    } else {
        chosenIndex = listBox.GetCurSel();
        // The list leaves the shown group out: step over it.
        if (chosenIndex >= currentIndex)
            ++chosenIndex;
    }
    EndDialog(IDOK);
}
