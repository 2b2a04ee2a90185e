#include "dialogs/CBrowseFileDlg.h"

#include <algorithm>

#include "catalogue/ProgramHost.h"
#include "dialogs/DialogResources.h"
#include "dialogs/FolderListing.h"
#include "platform/afx/CWinApp.h"
#include "platform/afx/StringTable.h"
#include "platform/shell/Sip.h"
#include "platform/user/ControlScrollBar.h"

BEGIN_MESSAGE_MAP(CBrowseFileDlg, CDialog)
ON_WM_SIZE()
ON_CBN_SELCHANGE(DialogResource::FolderList, OnFolderChange)
ON_COMMAND(DialogResource::UpButton, OnUpButton)
ON_NOTIFY(NM_CLICK, DialogResource::FileList, OnFileClick)
ON_NOTIFY(NM_DBLCLK, DialogResource::FileList, OnFileDoubleClick)
ON_WM_CTLCOLOR()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONUP()
END_MESSAGE_MAP()

namespace {

constexpr const char16_t* kStartFolder = u"\\windows";

// Column titles and widths in pixels: name, date, size. The widths are
// where the list starts; FitColumns gives each its room once filled.
struct Column {
    UINT title;
    int width;
};
constexpr Column kColumns[] = {
    {DialogResource::NameColumnString, 100},
    {DialogResource::DateColumnString, 80},
    {DialogResource::SizeColumnString, 40},
};
// Room around a column's text, as the list view's own autosize leaves it.
constexpr int kColumnPadding = 12;
// The name column keeps room for its widest name up to this much; when the
// three columns need more than the list has, it scrolls sideways.
constexpr int kNameWidth = 100;

// The file list's place: (10, 60), the client width less 20 and height less 70.
constexpr int kFileListLeft = 10, kFileListTop = 60, kFileListMarginX = 20, kFileListMarginY = 70;

} // namespace

CBrowseFileDlg::CBrowseFileDlg(const std::vector<std::u16string>& wanted, CWnd* parent)
    : CDialog(DialogResource::BrowseFileDialog, parent), extensions(wanted) {}

CBrowseFileDlg::~CBrowseFileDlg() {
    if (listFont)
        DeleteObject(listFont);
}

bool CBrowseFileDlg::ClearTypeOn() {
    auto* host = dynamic_cast<ProgramHost*>(AfxGetMainWnd());
    return host && host->IsSecondaryClearTypeOn();
}

void CBrowseFileDlg::DoDataExchange(CDataExchange* dx) {
    CDialog::DoDataExchange(dx);
    DDX_Control(dx, DialogResource::FolderList, folderList);
    DDX_Control(dx, DialogResource::FileList, fileList);
}

BOOL CBrowseFileDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    for (int i = 0; i < static_cast<int>(std::size(kColumns)); ++i) {
        const std::u16string title = LoadStringW(kColumns[i].title);
        fileList.InsertColumn(i, title.c_str(), LVCFMT_LEFT, kColumns[i].width, i);
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
        fileList.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(listFont), TRUE);
        folderList.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(listFont), TRUE);
    }
    // The dialog was given its full size before its controls existed; the
    // file list takes its place now as at any later size change.
    PlaceFileList();
    return TRUE;
}

void CBrowseFileDlg::FillFolder(const std::u16string& folder) {
    folderNames.clear();
    fileNames.clear();
    fileList.DeleteAllItems();
    folderList.ResetContent();

    FolderListing listing = FolderListing::Read(folder, extensions);
    for (std::size_t i = 0; i < listing.folderNames.size(); ++i)
        folderList.InsertString(static_cast<int>(i), listing.folderNames[i].c_str());
    folderList.SetCurSel(0);
    for (std::size_t i = 0; i < listing.files.size(); ++i) {
        const FolderListing::FileRow& row = listing.files[i];
        const int at = fileList.InsertItem(static_cast<int>(i), row.name.c_str());
        fileList.SetItemText(at, 2, row.size.c_str());
        fileList.SetItemText(at, 1, row.date.c_str());
    }
    folderNames = std::move(listing.folderNames);
    fileNames = std::move(listing.fileNames);
    FitColumns();
}

void CBrowseFileDlg::FitColumns() {
    if (!fileList.GetSafeHwnd())
        return;
    // The date and the size as wide as their widest entry or title, the
    // name what is left of the list beside them and its scroll bar.
    int width[3] = {};
    for (int column = 0; column < 3; ++column) {
        width[column] = fileList.GetStringWidth(LoadStringW(kColumns[column].title).c_str());
        for (int i = 0; i < fileList.GetItemCount(); ++i)
            width[column] = std::max(
                width[column], fileList.GetStringWidth(fileList.GetItemText(i, column).c_str()));
        width[column] += kColumnPadding;
    }
    RECT client{};
    fileList.GetClientRect(&client);
    const int nameWidth = std::min(width[0], kNameWidth);
    // Whether the rows need the right scroll bar depends on the columns
    // too: a bar along the bottom takes a row. A second round settles it.
    for (int round = 0; round < 2; ++round) {
        const int bar = fileList.GetItemCount() > fileList.GetCountPerPage()
                            ? zorun::VerticalScrollBar::kWidth
                            : 0;
        width[0] = std::max(nameWidth, static_cast<int>(client.right) - bar - width[1] - width[2]);
        for (int column = 0; column < 3; ++column)
            fileList.SetColumnWidth(column, width[column]);
    }
}

void CBrowseFileDlg::OnFolderChange() {
    previousFolder = currentFolder;
    const int index = folderList.GetCurSel();
    if (index < 0)
        return;
    if (index == 0) {
        FillFolder(previousFolder); // the folder itself: a refresh
        return;
    }
    std::u16string text;
    folderList.GetLBText(index, text);
    currentFolder = previousFolder + u"\\" + text;
    FillFolder(currentFolder);
}

void CBrowseFileDlg::OnUpButton() {
    const auto last = currentFolder.rfind(u'\\');
    if (last != std::u16string::npos)
        currentFolder.erase(last); // the root, "", has no parent
    FillFolder(currentFolder);
}

void CBrowseFileDlg::OnFileClick(NMHDR*, LRESULT* result) {
    const int selected = fileList.GetNextItem(-1, LVNI_SELECTED);
    selectedName = selected >= 0 ? fileList.GetItemText(selected, 0) : std::u16string();
    selectedPath = currentFolder + u"\\" + selectedName;
    if (result)
        *result = 0;
}

void CBrowseFileDlg::OnFileDoubleClick(NMHDR* header, LRESULT* result) {
    OnFileClick(header, result);
    EndDialog(IDOK);
}

void CBrowseFileDlg::PlaceFileList() {
    if (!fileList.GetSafeHwnd())
        return;
    RECT client{};
    GetClientRect(&client);
    fileList.MoveWindow(kFileListLeft, kFileListTop, client.right - kFileListMarginX,
                        client.bottom - kFileListMarginY, TRUE);
    FitColumns();
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
