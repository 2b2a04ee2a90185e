// Data exchange with a length limit, control objects bound to dialog items,
// and control notifications (WM_NOTIFY) reaching ON_NOTIFY handlers.

#include <string>
#include <vector>

#include "AfxTestSupport.h"
#include "platform/afx/CDialog.h"
#include "platform/afx/CListCtrl.h"
#include "platform/afx/CStatic.h"
#include "platform/afx/CWinApp.h"
#include "platform/gdi/Surface.h"

namespace {

constexpr int IDC_NAME = 1029, IDC_PROGRAM = 1025, IDC_FILES = 1020;

// Screen: name DU (3, 13, 79, 14) -> x 5..142, y 48..71; files DU (4, 40, 125, 60) -> y 96..200.
const zorun::DialogItemTemplate kItems[] = {
    {u"EDIT", u"", IDC_NAME, 3, 13, 79, 14, WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL},
    {u"EDIT", u"", IDC_PROGRAM, 3, 28, 79, 7, WS_VISIBLE | WS_BORDER | WS_TABSTOP},
    {WC_LISTVIEW, nullptr, IDC_FILES, 4, 40, 125, 60,
     WS_VISIBLE | WS_BORDER | LVS_REPORT | LVS_SINGLESEL},
};
const zorun::DialogTemplate kDialog{7500, 135, 134, u"Zorun", 0, kItems};

class CShortcutLikeDlg : public CDialog {
  public:
    CShortcutLikeDlg() : CDialog(&kDialog) {}
    std::u16string m_name = u"calc";
    std::u16string m_program = u"\\windows\\calc.exe";
    CListCtrl m_files;
    std::vector<int> clicked;

  protected:
    void DoDataExchange(CDataExchange* dx) override {
        DDX_Control(dx, IDC_FILES, m_files);
        DDX_Text(dx, IDC_NAME, m_name);
        DDV_MaxChars(dx, m_name, 5);
        DDX_Text(dx, IDC_PROGRAM, m_program);
        DDV_MaxChars(dx, m_program, 50);
    }
    void OnFileClick(NMHDR* header, LRESULT* result) {
        clicked.push_back(reinterpret_cast<NMITEMACTIVATE*>(header)->iItem);
        *result = 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CShortcutLikeDlg, CDialog)
ON_NOTIFY(NM_CLICK, IDC_FILES, OnFileClick)
END_MESSAGE_MAP()

// The texts on the screen while a message box is up (read from inside its loop).
std::vector<std::u16string>* shownTexts = nullptr;
HWND boxOwner = nullptr;
bool ownerEnabledMeanwhile = true;

LRESULT ProbeProc(HWND h, UINT m, WPARAM w, LPARAM l) {
    if (m == WM_USER && shownTexts) {
        ownerEnabledMeanwhile = IsWindowEnabled(boxOwner);
        UpdateWindow(GetForegroundWindow()); // the box, painted before it is read
        zorun::ComposeScreen();
        for (const auto& t : zorun::ScreenSurface().Texts())
            shownTexts->push_back(t.text);
    }
    return DefWindowProcW(h, m, w, l);
}

using DataExchange = AfxTest;

TEST_F(DataExchange, ALongerTextIsRefusedWithTheLimitNamedAndTheRestIsNotRead) {
    CWinApp app(u"Zorun");
    CShortcutLikeDlg dlg;
    ASSERT_TRUE(dlg.Create(0));
    HWND name = ::GetDlgItem(dlg.m_hWnd, IDC_NAME);
    // Filling the fields limited the typing.
    SetFocus(name);
    Type(u"calculator");
    Pump();
    EXPECT_EQ(GetWindowText(name), u"calcu");
    // A text set by the program is not limited: reading it back refuses it.
    SetWindowTextW(name, u"calculator");
    SetWindowTextW(::GetDlgItem(dlg.m_hWnd, IDC_PROGRAM), u"\\windows\\other.exe");
    std::vector<std::u16string> texts;
    shownTexts = &texts;
    HWND probe = CreateWindowExW(0, u"Probe", u"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                 ProbeProc, nullptr);
    PostMessageW(probe, WM_USER, 0, 0);
    Key(VK_RETURN); // closes the message box
    boxOwner = dlg.m_hWnd;
    EXPECT_FALSE(dlg.UpdateData(TRUE));
    shownTexts = nullptr;
    EXPECT_FALSE(ownerEnabledMeanwhile); // the dialog waits for the box
    EXPECT_TRUE(IsWindowEnabled(dlg.m_hWnd));
    std::u16string shown;
    for (const auto& t : texts)
        shown += t + u" ";
    EXPECT_NE(shown.find(u"Enter no more than 5"), std::u16string::npos);
    EXPECT_EQ(dlg.m_name, u"calculator");             // copied before it was refused
    EXPECT_EQ(dlg.m_program, u"\\windows\\calc.exe"); // not read
    EXPECT_EQ(GetFocus(), name);
    DWORD from = 1, to = 0;
    SendMessageW(name, EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
    EXPECT_EQ(from, 0u);
    EXPECT_EQ(to, 10u);
    dlg.DestroyWindow();
    DestroyWindow(probe);
}

TEST_F(DataExchange, ABoundListSpeaksForItsControlAndItsNotificationsReachTheDialog) {
    CShortcutLikeDlg dlg;
    ASSERT_TRUE(dlg.Create(0));
    EXPECT_EQ(dlg.m_files.m_hWnd, ::GetDlgItem(dlg.m_hWnd, IDC_FILES));
    EXPECT_EQ(CWnd::FromHandle(::GetDlgItem(dlg.m_hWnd, IDC_FILES)), &dlg.m_files);
    EXPECT_EQ(dlg.m_files.InsertColumn(0, u"Name", LVCFMT_LEFT, 100), 0);
    EXPECT_EQ(dlg.m_files.InsertItem(0, u"calc.exe"), 0);
    EXPECT_EQ(dlg.m_files.InsertItem(1, u"tmail.exe"), 1);
    EXPECT_TRUE(dlg.m_files.SetItemText(1, 1, u"2005/1/27,14:5"));
    EXPECT_EQ(dlg.m_files.GetItemText(1, 1), u"2005/1/27,14:5");
    Tap(40, 96 + 21 + 16 + 8); // the second row, below the header
    Pump();
    EXPECT_EQ(dlg.clicked, std::vector<int>{1});
    EXPECT_EQ(dlg.m_files.GetNextItem(-1, LVNI_SELECTED), 1);
    EXPECT_EQ(dlg.m_files.GetSelectedCount(), 1u);
    dlg.DestroyWindow();

    // Made again, the dialog binds its list anew.
    ASSERT_TRUE(dlg.Create(0));
    EXPECT_EQ(dlg.m_files.m_hWnd, ::GetDlgItem(dlg.m_hWnd, IDC_FILES));
    EXPECT_EQ(dlg.m_files.GetItemCount(), 0);
    dlg.DestroyWindow();
}

TEST_F(DataExchange, APictureBoxMadeByTheDialogHandsBackItsOldPicture) {
    CShortcutLikeDlg dlg;
    ASSERT_TRUE(dlg.Create(0));
    CStatic preview;
    ASSERT_TRUE(preview.Create(nullptr, WS_VISIBLE | SS_BITMAP | SS_CENTERIMAGE,
                               RECT{63, 120, 136, 180}, &dlg));
    HDC mem = CreateCompatibleDC(nullptr);
    HBITMAP first = CreateCompatibleBitmap(mem, 4, 4), second = CreateCompatibleBitmap(mem, 4, 4);
    DeleteDC(mem);
    EXPECT_EQ(preview.SetBitmap(first), nullptr);
    EXPECT_EQ(preview.SetBitmap(second), first);
    EXPECT_EQ(preview.GetBitmap(), second);
    dlg.DestroyWindow();
    DeleteObject(first);
    DeleteObject(second);
}

} // namespace
