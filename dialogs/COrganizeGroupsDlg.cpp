#include "dialogs/COrganizeGroupsDlg.h"

#include <algorithm>

#include "dialogs/DialogResources.h"
#include "dialogs/GroupDialogLayout.h"

BEGIN_MESSAGE_MAP(COrganizeGroupsDlg, CGroupListDlg)
ON_WM_PAINT()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONUP()
END_MESSAGE_MAP()

using namespace GroupDialogLayout;

namespace {

struct PartPictures {
    POINT at;
    int normal;
    int pressed;
};

// Indexed by COrganizeGroupsDlg::Part (None has no picture).
constexpr PartPictures kParts[] = {
    {{0, 0}, 0, 0},
    {kCancelAt, DialogResource::CancelIcon, DialogResource::CancelPressedIcon},
    {kUpAt, DialogResource::UpArrowIcon, DialogResource::UpArrowPressedIcon},
    {kDownAt, DialogResource::DownArrowIcon, DialogResource::DownArrowPressedIcon},
};

} // namespace

COrganizeGroupsDlg::COrganizeGroupsDlg(const std::vector<std::uint8_t>& order,
                                       const std::vector<std::u16string>& names, CWnd* parent)
    : CGroupListDlg(DialogResource::OrganizeGroupsDialog, parent), organizeOrder(order),
      organizeNames(names) {}

BOOL COrganizeGroupsDlg::OnInitDialog() {
    CGroupListDlg::OnInitDialog();
    FillList(organizeNames);
    return TRUE;
}

void COrganizeGroupsDlg::OnPaint() {
    CPaintDC dc(this);
    RECT client{};
    GetClientRect(&client);
    DrawBitmap(dc, DialogResource::OrganizerBackgroundBitmap, {0, 0},
               {client.right - client.left, client.bottom - client.top});
    for (int part : {Cancel, UpArrow, DownArrow})
        DrawIcon(dc, kParts[part].normal, kParts[part].at);
}

int COrganizeGroupsDlg::HitTest(POINT point) {
    if (kCancelRect.Contains(point))
        return Cancel;
    if (kUpRect.Contains(point))
        return UpArrow;
    if (kDownRect.Contains(point))
        return DownArrow;
    return None;
}

void COrganizeGroupsDlg::OnLButtonDown(UINT, CPoint point) {
    pressedPart = HitTest(point);
    if (pressedPart == None)
        return;
    DrawIconNow(kParts[pressedPart].pressed, kParts[pressedPart].at);
    HoldStylus();
}

void COrganizeGroupsDlg::OnLButtonUp(UINT, CPoint point) {
    FreeStylus();
    if (pressedPart == None)
        return;
    DrawIconNow(kParts[pressedPart].normal, kParts[pressedPart].at);
    const int pressed = pressedPart;
    pressedPart = HitTest(point);
    if (pressedPart != pressed)
        return;
    switch (pressed) {
    case Cancel:
        EndDialog(IDCANCEL);
        break;
    case UpArrow:
        MoveUp();
        break;
    case DownArrow:
        MoveDown();
        break;
    default:
        break;
    }
}

void COrganizeGroupsDlg::MoveEntry(int from, int to) {
    const auto f = static_cast<std::size_t>(from), t = static_cast<std::size_t>(to);
    auto move = [f, t](auto& list) {
        if (f < t)
            std::rotate(list.begin() + f, list.begin() + f + 1, list.begin() + t + 1);
        else
            std::rotate(list.begin() + t, list.begin() + f, list.begin() + f + 1);
    };
    move(organizeOrder);
    move(organizeNames);
    listBox.DeleteString(static_cast<UINT>(from));
    listBox.InsertString(to, organizeNames[t].c_str());
    listBox.SetCurSel(to);
}

void COrganizeGroupsDlg::MoveUp() {
    const int n = listBox.GetCount();
    const int s = listBox.GetCurSel();
    if (s < 0 || s >= n || n != static_cast<int>(organizeNames.size()) ||
        organizeOrder.size() != organizeNames.size())
        return;
    if (s > 0)
        MoveEntry(s, s - 1);
    else if (n > 1)
        MoveEntry(0, n - 1); // the first wraps to the end
}

void COrganizeGroupsDlg::MoveDown() {
    const int n = listBox.GetCount();
    const int s = listBox.GetCurSel();
    if (s < 0 || s >= n || n != static_cast<int>(organizeNames.size()) ||
        organizeOrder.size() != organizeNames.size())
        return;
    if (s < n - 1)
        MoveEntry(s, s + 1);
    else if (n > 1)
        MoveEntry(n - 1, 0); // the last wraps to the top
}

void COrganizeGroupsDlg::OnOK() {
    EndDialog(IDOK);
}
