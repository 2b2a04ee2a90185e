#include "dialogs/CShortcutDlg.h"

#include <algorithm>

#include "catalogue/IconResolver.h"
#include "catalogue/ProgramHost.h"
#include "dialogs/CBrowseFileDlg.h"
#include "dialogs/CChangeIconDlg.h"
#include "dialogs/DialogResources.h"
#include "platform/afx/CWinApp.h"
#include "platform/base/Text.h"
#include "platform/kernel/FileSystem.h"
#include "platform/shell/Sip.h"

BEGIN_MESSAGE_MAP(CShortcutDlg, CDialog)
ON_COMMAND(DialogResource::ProgramBrowse, OnProgramBrowse)
ON_COMMAND(DialogResource::IconBrowse, OnIconBrowse)
ON_EN_SETFOCUS(DialogResource::NameField, OnNameSetFocus)
ON_EN_KILLFOCUS(DialogResource::NameField, OnNameKillFocus)
ON_WM_PAINT()
ON_WM_CTLCOLOR()
ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

namespace {

// The icon preview: its frame and where the icon goes inside it.
constexpr RECT kPreviewFrame{63, 150, 136, 210};
constexpr POINT kPreviewIcon{83, 160};

std::u16string Trimmed(const std::u16string& text) {
    constexpr std::u16string_view kSpace = u" \t\n\v\f\r\u00a0\u3000";
    const auto first = text.find_first_not_of(kSpace);
    if (first == std::u16string::npos)
        return {};
    const auto last = text.find_last_not_of(kSpace);
    return text.substr(first, last - first + 1);
}

} // namespace

CShortcutDlg::CShortcutDlg(const std::vector<std::u16string>& extensions, CWnd* parent)
    : CDialog(DialogResource::ShortcutDialog, parent), programExtensions(extensions) {}

CShortcutDlg::CShortcutDlg(std::u16string program, std::u16string name, std::u16string icon,
                           int form, CWnd* parent)
    : CDialog(DialogResource::ShortcutDialog, parent),
      dialogForm(form == RenameShortcut ? RenameShortcut : ChangeIcon),
      shortcutName(std::move(name)), programPath(std::move(program)), iconRef(std::move(icon)) {}

CShortcutDlg::~CShortcutDlg() {
    for (HFONT font : {dialogFont, labelFont})
        if (font)
            DeleteObject(font);
}

bool CShortcutDlg::ClearTypeOn() {
    auto* host = dynamic_cast<ProgramHost*>(AfxGetMainWnd());
    return host && host->IsSecondaryClearTypeOn();
}

LOGFONTW CShortcutDlg::TextFont(bool clearType) {
    LOGFONTW description{};
    // The labels run the dialog's whole width; the platform's default face
    // is too wide for "Please select a program for the shortcut" at this
    // height, the narrower Arial metrics fit. Without ClearType the labels
    // keep the size of the dialog's own font, in the same narrower face.
    description.lfHeight = clearType ? 15 : -12;
    description.lfWeight = 400;
    description.lfQuality = clearType ? CLEARTYPE_QUALITY : DEFAULT_QUALITY;
    const std::u16string_view face = u"Arial";
    std::copy(face.begin(), face.end(), description.lfFaceName);
    return description;
}

void CShortcutDlg::DoDataExchange(CDataExchange* dx) {
    CDialog::DoDataExchange(dx);
    DDX_Control(dx, DialogResource::NameField, nameField);
    DDX_Control(dx, DialogResource::ProgramField, programField);
    DDX_Text(dx, DialogResource::NameField, shortcutName);
    DDV_MaxChars(dx, shortcutName, kFieldLimit);
    DDX_Text(dx, DialogResource::ProgramField, programPath);
    // Nobody types into the program field: a path the browser gave or the
    // shortcut already had is refused only by the length check of OK.
    DDV_MaxChars(dx, programPath, dx->m_bSaveAndValidate ? kPathLimit : kFieldLimit);
}

BOOL CShortcutDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    if (dialogForm > NewShortcut) {
        for (int id : {DialogResource::ProgramField, DialogResource::ProgramBrowse,
                       dialogForm == RenameShortcut ? DialogResource::IconBrowse
                                                    : DialogResource::NameField})
            if (CWnd* control = GetDlgItem(id))
                control->EnableWindow(FALSE);
    }
    if (dialogForm < ChangeIcon)
        SHSipPreference(m_hWnd, SIP_UP);

    LOGFONTW description = TextFont(true);
    dialogFont = CreateFontIndirectW(&description);
    description = TextFont(false);
    labelFont = CreateFontIndirectW(&description);
    if (ClearTypeOn()) {
        for (int id : {IDCANCEL, DialogResource::ProgramBrowse, DialogResource::IconBrowse})
            if (CWnd* button = GetDlgItem(id))
                button->SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(dialogFont), TRUE);
    }
    return TRUE;
}

std::u16string CShortcutDlg::NameFromFile(std::u16string_view fileName) {
    const std::u16string lower = zorun::FoldText(fileName);
    for (std::u16string_view extension : {u".exe", u".lnk"}) {
        const auto at = lower.find(extension);
        if (at != std::u16string::npos && at > 0)
            return lower.substr(0, at);
    }
    return {};
}

void CShortcutDlg::OnProgramBrowse() {
    CBrowseFileDlg browser(programExtensions, nullptr);
    if (browser.DoModal() != IDOK)
        return;
    (void)UpdateData(TRUE);
    programPath = browser.selectedPath;
    if (programPath.empty())
        shortcutName.clear();
    else if (shortcutName.empty())
        shortcutName = NameFromFile(browser.selectedName);
    SHSipPreference(m_hWnd, SIP_DOWN);
    (void)UpdateData(FALSE);
    // The preview shows the chosen program's icon.
    Invalidate();
}

void CShortcutDlg::OnIconBrowse() {
    CChangeIconDlg panel(nullptr);
    if (panel.DoModal() != IDOK)
        return;
    iconRef = CChangeIconDlg::IconReference(panel.chosenIcon);
    SHSipPreference(m_hWnd, SIP_DOWN);
    Invalidate();
}

unsigned CShortcutDlg::Refusal(const std::u16string& name, const std::u16string& path) {
    if (name.empty())
        return DialogResource::NoShortcutNameString;
    if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES)
        return DialogResource::NoSuchFileString;
    if (path.find(u".exe") == std::u16string::npos && path.find(u".lnk") == std::u16string::npos)
        return DialogResource::NotExecutableString;
    if (name.size() > kPathLimit || path.size() > kPathLimit)
        return DialogResource::NameTooLongString;
    return 0;
}

void CShortcutDlg::OnOK() {
    // A field over its limit is named here; the checks still run.
    (void)UpdateData(TRUE);
    shortcutName = Trimmed(shortcutName);
    (void)UpdateData(FALSE);
    nameField.SetSel(-1, -1);
    if (const unsigned refusal = Refusal(shortcutName, programPath); refusal != 0) {
        AfxMessageBox(refusal, MB_OK | MB_ICONEXCLAMATION);
        if (refusal == DialogResource::NoShortcutNameString)
            (void)UpdateData(FALSE);
        return;
    }
    SHSipPreference(m_hWnd, SIP_DOWN);
    CDialog::OnOK();
}

void CShortcutDlg::OnNameSetFocus() {
    SHSipPreference(m_hWnd, SIP_UP);
}

void CShortcutDlg::OnNameKillFocus() {
    SHSipPreference(m_hWnd, SIP_DOWN);
}

void CShortcutDlg::OnPaint() {
    CPaintDC dc(this);
    dc.FrameRect(&kPreviewFrame, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    // The dialog's own rule compares the program path as it is written.
    HICON icon =
        ResolveShortcutIcon(programPath, iconRef, nullptr, nullptr, IconTargetCase::ExactCase);
    if (icon) {
        DrawIconEx(dc.GetSafeHdc(), kPreviewIcon.x, kPreviewIcon.y, icon, 0, 0, 0, nullptr,
                   DI_NORMAL);
        DestroyIcon(icon);
    }
}

HBRUSH CShortcutDlg::OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor) {
    HBRUSH brush = CDialog::OnCtlColor(dc, wnd, ctlColor);
    if (ctlColor == CTLCOLOR_STATIC) {
        HFONT font = ClearTypeOn() ? dialogFont : labelFont;
        if (font)
            dc->SelectObject(font);
    }
    return brush;
}

void CShortcutDlg::OnLButtonDown(UINT, CPoint) {}
