// The framework's services around the windows: the string table, message
// boxes through AfxMessageBox, data exchange that refuses input, windows
// destroyed from inside their own handlers, and the command bar's tips.

#include <string>
#include <vector>

#include "AfxTestSupport.h"
#include "platform/afx/CCommandBar.h"
#include "platform/afx/CDialog.h"
#include "platform/afx/CFrameWnd.h"
#include "platform/afx/CWinApp.h"
#include "platform/afx/StringTable.h"
#include "platform/user/CommandBar.h"

namespace {

const zorun::StringResource kStrings[] = {
    {65009, u"Zorun"}, {65010, u"Write Setting File Error"}, {7300, u"Title\nrest"}};
const bool stringsRegistered = zorun::RegisterStrings(kStrings);

using FrameworkServices = AfxTest;

TEST_F(FrameworkServices, StringsByNumberAreCopiedWithinTheBuffer) {
    ASSERT_TRUE(stringsRegistered);
    EXPECT_EQ(LoadStringW(65010u), u"Write Setting File Error");
    EXPECT_EQ(LoadStringW(1u), u"");
    char16_t buffer[6] = {u'x', u'x', u'x', u'x', u'x', u'x'};
    EXPECT_EQ(LoadStringW(nullptr, 65010, buffer, 6), 5);
    EXPECT_EQ(std::u16string(buffer), u"Write");
    EXPECT_EQ(LoadStringW(nullptr, 65010, buffer, 0), 0);
    EXPECT_EQ(LoadStringW(nullptr, 42, buffer, 6), 0);
    EXPECT_EQ(buffer[0], u'\0');
    // A frame's title is its resource string up to the first newline.
    auto* frame = new CFrameWnd;
    ASSERT_TRUE(frame->LoadFrame(7300));
    EXPECT_EQ(frame->GetWindowText(), u"Title");
    frame->DestroyWindow();
}

TEST_F(FrameworkServices, AfxMessageBoxTakesTextByNumberAndTheProgramsName) {
    CWinApp app(u"Zorun");
    HWND box = nullptr;
    std::u16string caption;
    // Read the box while it is up: a posted message runs inside its loop.
    static HWND* seen = nullptr;
    static std::u16string* title = nullptr;
    seen = &box;
    title = &caption;
    HWND probe = CreateWindowExW(
        0, u"Probe", u"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
        [](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
            if (m == WM_USER) {
                *seen = GetForegroundWindow();
                *title = GetWindowText(*seen);
            }
            return DefWindowProcW(h, m, w, l);
        },
        nullptr);
    PostMessageW(probe, WM_USER, 0, 0);
    Key(VK_RETURN);
    EXPECT_EQ(AfxMessageBox(65010u, MB_OKCANCEL | MB_ICONSTOP), IDOK);
    EXPECT_NE(box, nullptr);
    EXPECT_EQ(caption, u"Zorun");
    EXPECT_FALSE(IsWindow(box));
}

const zorun::DialogItemTemplate kNumberItems[] = {
    {u"EDIT", u"", 20, 10, 10, 60, 12, WS_VISIBLE | WS_BORDER | WS_TABSTOP},
    {u"EDIT", u"", 21, 10, 30, 60, 12, WS_VISIBLE | WS_BORDER | WS_TABSTOP},
};
const zorun::DialogTemplate kNumberDialog{7400, 135, 150, u"Number", 0, kNumberItems};

class CNumberDlg : public CDialog {
  public:
    CNumberDlg() : CDialog(&kNumberDialog) {}
    int m_count = 7;
    std::u16string m_name = u"abc";
    int refusals = 0;

  protected:
    void DoDataExchange(CDataExchange* dx) override {
        DDX_Text(dx, 20, m_count);
        DDX_Text(dx, 21, m_name);
        DDV_MaxChars(dx, m_name, 4);
    }
    void OnOK() override {
        if (!UpdateData(TRUE)) {
            ++refusals;
            return;
        }
        EndDialog(IDOK);
    }
};

TEST_F(FrameworkServices, DataExchangeRefusesWhatIsNotANumberAndKeepsTheDialogOpen) {
    CNumberDlg dlg;
    Type(u"12x");   // the number field has the focus, its "7" selected
    Key(VK_RETURN); // refused: the focus goes back to the number, all of it selected
    Type(u"12");
    Key(VK_TAB);
    Type(u"toolong"); // the name field was limited to 4 when it was filled
    Key(VK_RETURN);
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.refusals, 1);
    EXPECT_EQ(dlg.m_count, 12);
    EXPECT_EQ(dlg.m_name, u"tool");
    // Numbers are filled in as text, and a blank field is refused.
    CNumberDlg second;
    second.m_count = -42;
    ASSERT_TRUE(second.Create(0));
    EXPECT_EQ(GetWindowText(::GetDlgItem(second.m_hWnd, 20)), u"-42");
    SetWindowTextW(::GetDlgItem(second.m_hWnd, 20), u"  ");
    EXPECT_FALSE(second.UpdateData(TRUE));
    EXPECT_EQ(GetFocus(), ::GetDlgItem(second.m_hWnd, 20));
    // Text set by the program is not limited; the check refuses it.
    SetWindowTextW(::GetDlgItem(second.m_hWnd, 20), u"+5");
    SetWindowTextW(::GetDlgItem(second.m_hWnd, 21), u"longer");
    EXPECT_FALSE(second.UpdateData(TRUE));
    EXPECT_EQ(second.m_count, 5);
    second.DestroyWindow();
}

std::vector<std::string> lifecycle;

class CSelfClosing : public CFrameWnd {
  public:
    ~CSelfClosing() override { lifecycle.push_back("deleted"); }

  protected:
    void OnClose() {
        lifecycle.push_back("close");
        DestroyWindow(); // the object is deleted once this handler has returned
        lifecycle.push_back("after destroy");
    }
    void OnDestroy() { lifecycle.push_back("destroy"); }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CSelfClosing, CFrameWnd)
ON_WM_CLOSE()
ON_WM_DESTROY()
END_MESSAGE_MAP()

TEST_F(FrameworkServices, AWindowDestroyedInItsOwnHandlerIsDeletedAfterwards) {
    lifecycle.clear();
    auto* frame = new CSelfClosing;
    ASSERT_TRUE(frame->Create(nullptr, u"Closing"));
    HWND hwnd = frame->m_hWnd;
    PostMessageW(hwnd, WM_CLOSE, 0, 0);
    PostMessageW(hwnd, WM_CLOSE, 0, 0); // dropped: the window is gone by then
    Pump();
    EXPECT_EQ(lifecycle,
              (std::vector<std::string>{"close", "destroy", "after destroy", "deleted"}));
    EXPECT_EQ(CWnd::FromHandlePermanent(hwnd), nullptr);
}

const UINT kToolCommands[] = {32794, 0, 32795};
const zorun::ToolBarTemplate kToolBars[] = {{7500, 133, kToolCommands}};
const bool toolBarsRegistered = zorun::RegisterToolBarTemplates(kToolBars);

TEST_F(FrameworkServices, CommandBarTipsFollowTheButtonsAfterTheMenus) {
    ASSERT_TRUE(toolBarsRegistered);
    auto* frame = new CFrameWnd;
    ASSERT_TRUE(frame->Create(nullptr, u"Bar", WS_OVERLAPPED | WS_VISIBLE));
    CCommandBar bar;
    ASSERT_TRUE(bar.Create(frame, 0x50002800, AFX_IDW_TOOLBAR));
    EXPECT_EQ(frame->GetCommandBar(), &bar);
    HMENU menu = CreateMenu();
    AppendMenuW(menu, MF_POPUP, reinterpret_cast<std::uintptr_t>(CreatePopupMenu()), u"Edit");
    AppendMenuW(menu, MF_POPUP, reinterpret_cast<std::uintptr_t>(CreatePopupMenu()), u"Tools");
    zorun::SetCommandBarMenu(frame->m_hWnd, menu);
    EXPECT_FALSE(bar.LoadToolBar(9999));
    ASSERT_TRUE(bar.LoadToolBar(7500));
    // The tool bar's gap is no button; the images keep their places.
    const char16_t* tips[] = {u"", u"Edit", u"Tools", u"Monitor", u"Spare"};
    // The bar shows its own menu (none here), so the tips start at the buttons.
    EXPECT_EQ(bar.SendMessage(TB_SETTOOLTIPS, 2, reinterpret_cast<LPARAM>(&tips[3])), TRUE);
    const auto buttons = zorun::CommandBarButtons(frame->m_hWnd);
    ASSERT_EQ(buttons.size(), 2u);
    EXPECT_EQ(buttons[0].command, 32794u);
    EXPECT_EQ(buttons[1].image, 2);
    EXPECT_EQ(buttons[0].toolTip, u"Monitor");
    EXPECT_EQ(buttons[1].toolTip, u"Spare");
    EXPECT_EQ(bar.SendMessage(TB_SETTOOLTIPS, 3, 0), FALSE);
    bar.SetBarStyle(bar.GetBarStyle() | CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_SIZE_FIXED);
    EXPECT_EQ(bar.GetBarStyle(), 0x32u);
    HWND frameHwnd = frame->m_hWnd;
    frame->DestroyWindow();
    EXPECT_TRUE(zorun::CommandBarButtons(frameHwnd).empty());
    DestroyMenu(menu);
}

} // namespace
