#include "dialogs/CChangeIconDlg.h"

#include <array>

#include "catalogue/ProgramHost.h"
#include "dialogs/DialogResources.h"
#include "platform/afx/CWinApp.h"
#include "platform/base/Format.h"

BEGIN_MESSAGE_MAP(CChangeIconDlg, CDialog)
ON_COMMAND(DialogResource::DefaultIconButton, OnDefault)
ON_WM_PAINT()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONUP()
END_MESSAGE_MAP()

namespace {

struct Cell {
    RECT hit;
    RECT frame;
    int icon;
};

// Row by row. Hit rectangles are smaller than the frames, so a press on the
// gap between two cells chooses neither.
constexpr std::array<Cell, CChangeIconDlg::kCellCount> kCells{{
    {{43, 69, 71, 94}, {33, 59, 81, 104}, 133},
    {{94, 69, 123, 94}, {84, 59, 133, 104}, 134},
    {{143, 69, 173, 94}, {133, 59, 183, 104}, 135},
    {{43, 112, 71, 141}, {33, 102, 81, 151}, 136},
    {{94, 112, 123, 141}, {84, 102, 133, 151}, 145},
    {{143, 112, 173, 141}, {133, 102, 183, 151}, 146},
    {{43, 156, 71, 189}, {33, 146, 81, 199}, 147},
    {{94, 156, 123, 189}, {84, 146, 133, 199}, 148},
    {{143, 156, 173, 189}, {133, 146, 183, 199}, 149},
}};

// The frame around the grid.
constexpr RECT kGridFrame{23, 49, 193, 209};

bool Contains(const RECT& r, POINT p) {
    return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}

} // namespace

CChangeIconDlg::CChangeIconDlg(CWnd* parent) : CDialog(DialogResource::ChangeIconDialog, parent) {}

CChangeIconDlg::~CChangeIconDlg() {
    if (panelFont)
        DeleteObject(panelFont);
}

std::u16string CChangeIconDlg::IconReference(int chosen) {
    return chosen > 0 ? zorun::Format(u"%d", chosen) : std::u16string(u"0");
}

int CChangeIconDlg::CellAt(POINT point) {
    for (int cell = 1; cell <= kCellCount; ++cell)
        if (Contains(kCells[static_cast<std::size_t>(cell - 1)].hit, point))
            return cell;
    return -1;
}

int CChangeIconDlg::CellIcon(int cell) {
    return kCells.at(static_cast<std::size_t>(cell - 1)).icon;
}

RECT CChangeIconDlg::CellFrame(int cell) {
    return kCells.at(static_cast<std::size_t>(cell - 1)).frame;
}

LOGFONTW CChangeIconDlg::ButtonFont() {
    LOGFONTW description{};
    description.lfHeight = 15;
    description.lfWeight = 400;
    description.lfQuality = CLEARTYPE_QUALITY;
    return description;
}

BOOL CChangeIconDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    const LOGFONTW description = ButtonFont();
    panelFont = CreateFontIndirectW(&description);
    auto* host = dynamic_cast<ProgramHost*>(AfxGetMainWnd());
    if (host && host->IsSecondaryClearTypeOn()) {
        for (int id : {IDCANCEL, DialogResource::DefaultIconButton})
            if (CWnd* button = GetDlgItem(id))
                button->SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(panelFont), TRUE);
    }
    return TRUE;
}

void CChangeIconDlg::OnPaint() {
    CPaintDC dc(this);
    dc.Rectangle(&kGridFrame);
    // The chosen cell keeps its frame when the panel is painted again
    // (after a message box covered it, say).
    if (selectedCell >= 1) {
        const RECT frame = CellFrame(selectedCell);
        dc.DrawFocusRect(&frame);
    }
}

void CChangeIconDlg::InvertFrame(int cell) {
    CClientDC dc(this);
    const RECT frame = CellFrame(cell);
    dc.DrawFocusRect(&frame);
}

void CChangeIconDlg::OnLButtonDown(UINT, CPoint point) {
    const int cell = CellAt(point);
    if (cell == -1 || cell == selectedCell)
        return;
    if (selectedCell != -1)
        InvertFrame(selectedCell);
    selectedCell = cell;
    InvertFrame(cell);
    chosenIcon = CellIcon(cell);
}

void CChangeIconDlg::OnLButtonUp(UINT, CPoint) {}

void CChangeIconDlg::OnDefault() {
    chosenIcon = -1;
    EndDialog(IDOK);
}

void CChangeIconDlg::OnOK() {
    if (selectedCell >= 1) {
        EndDialog(IDOK);
        return;
    }
    AfxMessageBox(DialogResource::SelectIconString, MB_OK | MB_ICONEXCLAMATION);
}
