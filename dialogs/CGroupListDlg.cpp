#include "dialogs/CGroupListDlg.h"

#include "catalogue/ProgramHost.h"
#include "dialogs/DialogResources.h"
#include "platform/afx/CWinApp.h"

CGroupListDlg::CGroupListDlg(UINT templateId, CWnd* parent) : CDialog(templateId, parent) {}

CGroupListDlg::~CGroupListDlg() {
    if (listFont)
        DeleteObject(listFont);
}

void CGroupListDlg::DoDataExchange(CDataExchange* dx) {
    CDialog::DoDataExchange(dx);
    DDX_Control(dx, DialogResource::GroupList, listBox);
}

void CGroupListDlg::FillList(const std::vector<std::u16string>& names) {
    for (std::size_t i = 0; i < names.size(); ++i)
        listBox.InsertString(static_cast<int>(i), names[i].c_str());
    listBox.SetCurSel(0);

    if (!listFont) {
        LOGFONTW description{};
        description.lfHeight = 15;
        description.lfWeight = 400;
        description.lfQuality = CLEARTYPE_QUALITY;
        listFont = CreateFontIndirectW(&description);
    }
    auto* host = dynamic_cast<ProgramHost*>(AfxGetMainWnd());
    if (host && host->IsClearTypeOn())
        listBox.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(listFont), TRUE);
}

void CGroupListDlg::DrawIconNow(int number, POINT at) {
    CClientDC dc(this);
    DrawIcon(dc, number, at);
}

void CGroupListDlg::DrawBitmap(CDC& dc, int number, POINT at, SIZE size) {
    HBITMAP bitmap = LoadBitmapW(nullptr, number);
    if (!bitmap)
        return;
    CDC memory;
    if (memory.CreateCompatibleDC(&dc)) {
        HGDIOBJ old = memory.SelectObject(bitmap);
        dc.BitBlt(at.x, at.y, size.cx, size.cy, &memory, 0, 0, SRCCOPY);
        memory.SelectObject(old);
    }
    DeleteObject(bitmap);
}

void CGroupListDlg::DrawIcon(CDC& dc, int number, POINT at) {
    HICON icon = LoadIconW(nullptr, number);
    if (!icon)
        return;
    DrawIconEx(dc.GetSafeHdc(), at.x, at.y, icon, 0, 0, 0, nullptr, DI_NORMAL);
    DestroyIcon(icon);
}

void CGroupListDlg::HoldStylus() {
    SetCapture();
}

void CGroupListDlg::FreeStylus() {
    if (::GetCapture() == m_hWnd)
        ReleaseCapture();
}
