#include "dialogs/CBrowseFileDlg.h"

#include "catalogue/ProgramHost.h"
#include "dialogs/DialogResources.h"
#include "dialogs/FolderListing.h"
#include "platform/afx/CWinApp.h"
#include "platform/afx/StringTable.h"
#include "platform/kernel/FileSystemTypes.h"
#include "platform/shell/Sip.h"

BEGIN_MESSAGE_MAP(CBrowseFileDlg, CDialog)
ON_WM_SIZE()
ON_CBN_SELCHANGE(DialogResource::FolderList, OnFolderChange)
ON_COMMAND(DialogResource::UpButton, OnUpButton)
ON_MESSAGE(WM_NOTIFY, OnNotify)
ON_WM_CTLCOLOR()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONUP()
END_MESSAGE_MAP()

namespace {

constexpr const char16_t* kStartFolder = u"\\windows";

// Column titles and widths in pixels: name, date, size.
struct Column {
    UINT title;
    int width;
};
constexpr Column kColumns[] = {
    {DialogResource::NameColumnString, 100},
    {DialogResource::DateColumnString, 80},
    {DialogResource::SizeColumnString, 40},
};

// The file list's place: (10, 60), the client width less 20 and height less 70.
constexpr int kFileListLeft = 10, kFileListTop = 60, kFileListMarginX = 20, kFileListMarginY = 70;

void SetItemText(HWND list, int item, int subItem, const std::u16string& text) {
    LVITEMW cell{};
    cell.iSubItem = subItem;
    cell.pszText = const_cast<char16_t*>(text.c_str());
    ::SendMessageW(list, LVM_SETITEMTEXTW, static_cast<WPARAM>(item),
                   reinterpret_cast<LPARAM>(&cell));
}

} // namespace

CBrowseFileDlg::CBrowseFileDlg(const std::vector<std::u16string>& wanted, CWnd* parent)
    : CDialog(DialogResource::BrowseFileDialog, parent), extensions(wanted) {}

CBrowseFileDlg::~CBrowseFileDlg() {
    if (listFont)
        DeleteObject(listFont);
}

bool CBrowseFileDlg::ClearTypeOn() {
    auto* host = dynamic_cast<ProgramHost*>(AfxGetMainWnd());
    return host && host->IsClearTypeOn();
}

void CBrowseFileDlg::DoDataExchange(CDataExchange* dx) {
    CDialog::DoDataExchange(dx);
    if (HWND control = dx->PrepareCtrl(DialogResource::FolderList))
        folderList = control;
    if (HWND control = dx->PrepareCtrl(DialogResource::FileList))
        fileList = control;
}

BOOL CBrowseFileDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    for (int i = 0; i < static_cast<int>(std::size(kColumns)); ++i) {
        const std::u16string title = LoadStringW(kColumns[i].title);
        LVCOLUMNW column{};
        column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
        column.fmt = LVCFMT_LEFT;
        column.cx = kColumns[i].width;
        column.pszText = const_cast<char16_t*>(title.c_str());
        column.iSubItem = i;
        ::SendMessageW(fileList, LVM_INSERTCOLUMNW, static_cast<WPARAM>(i),
                       reinterpret_cast<LPARAM>(&column));
    }
    currentFolder = kStartFolder;
    FillFolder(currentFolder);
    SHSipPreference(m_hWnd, SIP_DOWN);

    LOGFONTW description{};
    description.lfHeight = 15;
    description.lfWeight = 400;
    description.lfQuality = CLEARTYPE_QUALITY;
    listFont = CreateFontIndirectW(&description);
    if (ClearTypeOn()) {
        ::SendMessageW(fileList, WM_SETFONT, reinterpret_cast<WPARAM>(listFont), TRUE);
        ::SendMessageW(folderList, WM_SETFONT, reinterpret_cast<WPARAM>(listFont), TRUE);
    }
    // The dialog was given its full size before its controls existed; the
    // file list takes its place now as at any later size change.
    PlaceFileList();
    return TRUE;
}

void CBrowseFileDlg::FillFolder(const std::u16string& folder) {
    folderNames.clear();
    fileNames.clear();
    ::SendMessageW(fileList, LVM_DELETEALLITEMS, 0, 0);
    ::SendMessageW(folderList, CB_RESETCONTENT, 0, 0);

    FolderListing listing = FolderListing::Read(folder, extensions);
    for (std::size_t i = 0; i < listing.folderNames.size(); ++i)
        ::SendMessageW(folderList, CB_INSERTSTRING, i,
                       reinterpret_cast<LPARAM>(listing.folderNames[i].c_str()));
    ::SendMessageW(folderList, CB_SETCURSEL, 0, 0);
    for (std::size_t i = 0; i < listing.files.size(); ++i) {
        const FolderListing::FileRow& row = listing.files[i];
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.iItem = static_cast<int>(i);
        item.pszText = const_cast<char16_t*>(row.name.c_str());
        const auto at = static_cast<int>(
            ::SendMessageW(fileList, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
        SetItemText(fileList, at, 2, row.size);
        SetItemText(fileList, at, 1, row.date);
    }
    folderNames = std::move(listing.folderNames);
    fileNames = std::move(listing.fileNames);
}

void CBrowseFileDlg::OnFolderChange() {
    previousFolder = currentFolder;
    const auto index = static_cast<int>(::SendMessageW(folderList, CB_GETCURSEL, 0, 0));
    if (index < 0)
        return;
    if (index == 0) {
        FillFolder(previousFolder); // the folder itself: a refresh
        return;
    }
    const auto length = ::SendMessageW(folderList, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length < 0)
        return;
    std::u16string text(static_cast<std::size_t>(length) + 1, u'\0');
    ::SendMessageW(folderList, CB_GETLBTEXT, static_cast<WPARAM>(index),
                   reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(length));
    currentFolder = previousFolder + u"\\" + text;
    FillFolder(currentFolder);
}

void CBrowseFileDlg::OnUpButton() {
    const auto last = currentFolder.rfind(u'\\');
    if (last != std::u16string::npos)
        currentFolder.erase(last); // the root, "", has no parent
    FillFolder(currentFolder);
}

LRESULT CBrowseFileDlg::OnNotify(WPARAM wParam, LPARAM lParam) {
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header && header->idFrom == static_cast<std::uintptr_t>(DialogResource::FileList)) {
        if (header->code == NM_CLICK) {
            OnFileClick();
            return 0;
        }
        if (header->code == NM_DBLCLK) {
            OnFileDoubleClick();
            return 0;
        }
    }
    return DefWindowProc(WM_NOTIFY, wParam, lParam);
}

void CBrowseFileDlg::OnFileClick() {
    const auto selected = static_cast<int>(
        ::SendMessageW(fileList, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    selectedName.clear();
    if (selected >= 0) {
        char16_t buffer[MAX_PATH + 1] = {};
        LVITEMW cell{};
        cell.iSubItem = 0;
        cell.pszText = buffer;
        cell.cchTextMax = MAX_PATH + 1;
        ::SendMessageW(fileList, LVM_GETITEMTEXTW, static_cast<WPARAM>(selected),
                       reinterpret_cast<LPARAM>(&cell));
        selectedName = buffer;
    }
    selectedPath = currentFolder + u"\\" + selectedName;
}

void CBrowseFileDlg::OnFileDoubleClick() {
    OnFileClick();
    EndDialog(IDOK);
}

void CBrowseFileDlg::PlaceFileList() {
    if (!fileList)
        return;
    RECT client{};
    GetClientRect(&client);
    ::MoveWindow(fileList, kFileListLeft, kFileListTop, client.right - kFileListMarginX,
                 client.bottom - kFileListMarginY, TRUE);
}

void CBrowseFileDlg::OnSize(UINT type, int cx, int cy) {
    CDialog::OnSize(type, cx, cy);
    PlaceFileList();
}

HBRUSH CBrowseFileDlg::OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor) {
    HBRUSH brush = CDialog::OnCtlColor(dc, wnd, ctlColor);
    if (ctlColor == CTLCOLOR_STATIC && ClearTypeOn() && listFont)
        dc->SelectObject(listFont);
    return brush;
}

void CBrowseFileDlg::OnLButtonDown(UINT, CPoint) {}

void CBrowseFileDlg::OnLButtonUp(UINT, CPoint) {}
