#include "dialogs/CGroupDlg.h"

#include "catalogue/ProgramHost.h"
#include "dialogs/CBrowseFileDlg.h"
#include "launcher/PictureLoader.h"
#include "platform/afx/CDC.h"
#include "platform/afx/CWinApp.h"
#include "platform/shell/Sip.h"
#include "platform/user/Controls.h"

BEGIN_MESSAGE_MAP(CGroupDlg, CDialog)
ON_COMMAND(CGroupDlg::kBrowseButton, OnBrowse)
ON_EN_SETFOCUS(CGroupDlg::kNameField, OnNameFocus)
ON_EN_KILLFOCUS(CGroupDlg::kNameField, OnNameFocusLost)
ON_WM_PAINT()
ON_WM_CTLCOLOR()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONUP()
END_MESSAGE_MAP()

namespace {

constexpr UINT kEmptyNameString = 65033;
constexpr UINT kLongNameString = 65034;
constexpr UINT kNameTakenString = 65035;

bool IsBlank(char16_t c) {
    return c == u' ' || (c >= u'\t' && c <= u'\r') || c == u'\u00a0' || c == u'\u3000';
}

std::u16string Trimmed(const std::u16string& text) {
    std::size_t begin = 0, end = text.size();
    while (begin < end && IsBlank(text[begin]))
        ++begin;
    while (end > begin && IsBlank(text[end - 1]))
        --end;
    return text.substr(begin, end - begin);
}

} // namespace

CGroupDlg::CGroupDlg(const std::vector<std::u16string>& groupNames, int index,
                     const std::u16string& background, CWnd* parent)
    : CDialog(kTemplate, parent), backgroundPath(background), knownGroupNames(groupNames) {
    if (index < 0) {
        dialogForm = NewGroup;
        groupIndex = index;
        return;
    }
    if (index >= kRenameOffset) {
        dialogForm = Rename;
        groupIndex = index - kRenameOffset;
    } else {
        dialogForm = SetBackground;
        groupIndex = index;
    }
    if (groupIndex < static_cast<int>(knownGroupNames.size()))
        groupName = knownGroupNames[static_cast<std::size_t>(groupIndex)];
}

CGroupDlg::~CGroupDlg() {
    if (previewBitmap)
        DeleteObject(previewBitmap);
    if (dialogFont)
        DeleteObject(dialogFont);
}

bool CGroupDlg::ClearTypeOn() {
    auto* host = dynamic_cast<ProgramHost*>(AfxGetMainWnd());
    return host && host->IsClearTypeOn();
}

void CGroupDlg::DoDataExchange(CDataExchange* dx) {
    CDialog::DoDataExchange(dx);
    DDX_Control(dx, kNameField, nameField);
    // Setting the background shows the group's name without editing it: it
    // is written to the field but never read back, so a name the dialog
    // would refuse (a long one from the settings file) cannot lock the
    // picture out.
    if (!dx->m_bSaveAndValidate || dialogForm != SetBackground) {
        DDX_Text(dx, kNameField, groupName);
        DDV_MaxChars(dx, groupName, kMaxTypedName);
    }
    DDX_Text(dx, kPictureField, backgroundPath);
}

BOOL CGroupDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    (void)picturePreview.Create(u"", WS_CHILD | WS_VISIBLE | SS_BITMAP | SS_CENTERIMAGE,
                                kPreviewRect, this);
    if (dialogForm == Rename) {
        if (CWnd* field = GetDlgItem(kPictureField))
            field->EnableWindow(FALSE);
        if (CWnd* browse = GetDlgItem(kBrowseButton))
            browse->EnableWindow(FALSE);
    } else if (dialogForm == SetBackground) {
        nameField.EnableWindow(FALSE);
    }
    if (dialogForm != SetBackground)
        SHSipPreference(GetSafeHwnd(), SIP_UP);

    LOGFONTW description{};
    description.lfHeight = 15;
    description.lfWeight = 400;
    description.lfQuality = CLEARTYPE_QUALITY;
    dialogFont = CreateFontIndirectW(&description);
    if (ClearTypeOn()) {
        for (int id : {IDCANCEL, kBrowseButton})
            if (CWnd* button = GetDlgItem(id))
                button->SetFont(dialogFont, TRUE);
    }
    return TRUE;
}

void CGroupDlg::ShowFields() {
    UpdateData(FALSE);
    nameField.SetSel(-1, -1);
}

void CGroupDlg::OnOK() {
    if (dialogForm == SetBackground) {
        CDialog::OnOK();
        return;
    }
    // A refused read-back (a name over the typing limit) has said so.
    if (!UpdateData(TRUE))
        return;
    groupName = Trimmed(groupName);
    ShowFields();
    if (groupName.empty()) {
        AfxMessageBox(kEmptyNameString, MB_ICONEXCLAMATION);
        UpdateData(FALSE);
        return;
    }
    if (groupName.size() > static_cast<std::size_t>(kMaxName)) {
        AfxMessageBox(kLongNameString, MB_ICONEXCLAMATION);
        return;
    }
    for (std::size_t i = 0; i < knownGroupNames.size(); ++i) {
        if (static_cast<int>(i) == groupIndex)
            continue;
        if (knownGroupNames[i] == groupName) {
            AfxMessageBox(kNameTakenString, MB_ICONEXCLAMATION);
            ShowFields();
            return;
        }
    }
    CDialog::OnOK();
}

void CGroupDlg::OnBrowse() {
    CBrowseFileDlg browser({u".bmp"}, nullptr);
    if (browser.DoModal() != IDOK)
        return;
    UpdateData(TRUE);
    backgroundPath = browser.selectedPath;
    SHSipPreference(GetSafeHwnd(), SIP_DOWN);
    UpdateData(FALSE);
    // The preview follows at the next paint.
    Invalidate(FALSE);
}

void CGroupDlg::OnNameFocus() {
    SHSipPreference(GetSafeHwnd(), SIP_UP);
}

void CGroupDlg::OnNameFocusLost() {
    SHSipPreference(GetSafeHwnd(), SIP_DOWN);
}

void CGroupDlg::OnPaint() {
    CPaintDC dc(this);
    UpdatePreview();
}

// The preview follows the picture field at every paint; the file is read
// again only when the path changed.
void CGroupDlg::UpdatePreview() {
    if (!picturePreview.GetSafeHwnd() || (previewLoaded && previewPath == backgroundPath))
        return;
    HBITMAP picture = backgroundPath.empty() ? nullptr : LoadBackgroundPicture(backgroundPath);
    (void)picturePreview.SetBitmap(picture);
    if (previewBitmap)
        DeleteObject(previewBitmap);
    previewBitmap = picture;
    previewPath = backgroundPath;
    previewLoaded = true;
}

HBITMAP CGroupDlg::PreviewBitmap() const {
    return picturePreview.GetSafeHwnd() ? picturePreview.GetBitmap() : nullptr;
}

HBRUSH CGroupDlg::OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor) {
    HBRUSH brush = CDialog::OnCtlColor(dc, wnd, ctlColor);
    if ((ctlColor == CTLCOLOR_BTN || ctlColor == CTLCOLOR_STATIC) && ClearTypeOn() && dialogFont)
        dc->SelectObject(dialogFont);
    return brush;
}

void CGroupDlg::OnLButtonDown(UINT, CPoint) {}

void CGroupDlg::OnLButtonUp(UINT, CPoint) {}
