// Message maps: typed handlers, base-class chaining, and the command route
// view -> document -> frame -> application.

#include <string>
#include <vector>

#include "AfxTestSupport.h"
#include "platform/afx/CFrameWnd.h"
#include "platform/afx/CSingleDocTemplate.h"
#include "platform/afx/CWinApp.h"

namespace {

std::vector<std::string> calls;

class CBaseWnd : public CWnd {
  public:
    UINT_PTR lastTimer = 0;

  protected:
    void OnTimer(UINT_PTR id) {
        lastTimer = id;
        calls.push_back("base timer");
    }
    void OnSave() { calls.push_back("base save"); }
    void OnOpen() { calls.push_back("base open"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CBaseWnd, CWnd)
ON_WM_TIMER()
ON_COMMAND(100, OnSave)
ON_COMMAND(101, OnOpen)
END_MESSAGE_MAP()

class CDerivedWnd : public CBaseWnd {
  public:
    CPoint lastPoint;
    UINT lastKey = 0;

  protected:
    void OnSave() { calls.push_back("derived save"); }
    void OnLButtonDown(UINT, CPoint p) { lastPoint = p; }
    void OnKeyDown(UINT vk, UINT, UINT) { lastKey = vk; }
    LRESULT OnCustom(WPARAM w, LPARAM l) { return static_cast<LRESULT>(w) * 100 + l; }
    void OnRange(UINT id) { calls.push_back("range " + std::to_string(id)); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDerivedWnd, CBaseWnd)
ON_COMMAND(100, OnSave)
ON_WM_LBUTTONDOWN()
ON_WM_KEYDOWN()
ON_MESSAGE(WM_USER + 203, OnCustom)
ON_COMMAND_RANGE(200, 209, OnRange)
END_MESSAGE_MAP()

class MessageMap : public AfxTest {
  protected:
    void SetUp() override {
        AfxTest::SetUp();
        calls.clear();
    }
};

TEST_F(MessageMap, DerivedEntriesWinAndTheBaseTableStillAnswers) {
    CDerivedWnd wnd;
    ASSERT_TRUE(
        wnd.CreateEx(0, u"T", u"t", WS_POPUP | WS_VISIBLE, CRect(0, 26, 240, 294), nullptr, 0));
    wnd.SendMessage(WM_COMMAND, 100);
    wnd.SendMessage(WM_COMMAND, 101);
    wnd.SendMessage(WM_TIMER, 16);
    wnd.SendMessage(WM_COMMAND, 205);
    wnd.SendMessage(WM_COMMAND, 210); // nobody: ignored
    EXPECT_EQ(calls,
              (std::vector<std::string>{"derived save", "base open", "base timer", "range 205"}));
    EXPECT_EQ(wnd.lastTimer, 16u);
    // A notification code other than 0 is not a menu command.
    calls.clear();
    wnd.SendMessage(WM_COMMAND, MAKEWPARAM(100, 1));
    EXPECT_TRUE(calls.empty());
}

TEST_F(MessageMap, ArgumentsAreUnpackedAndResultsReturned) {
    CDerivedWnd wnd;
    ASSERT_TRUE(
        wnd.CreateEx(0, u"T", u"t", WS_POPUP | WS_VISIBLE, CRect(0, 26, 240, 294), nullptr, 0));
    wnd.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(-3, 70));
    EXPECT_EQ(wnd.lastPoint, CPoint(-3, 70));
    wnd.SendMessage(WM_KEYDOWN, VK_DOWN, 1);
    EXPECT_EQ(wnd.lastKey, static_cast<UINT>(VK_DOWN));
    EXPECT_EQ(wnd.SendMessage(WM_USER + 203, 2, 3), 203);
    // Unmapped messages get the default processing.
    wnd.SetWindowText(u"renamed");
    EXPECT_EQ(wnd.GetWindowText(), u"renamed");
}

TEST_F(MessageMap, ObjectsOutliveNothingAfterTheirWindowIsGone) {
    auto* wnd = new CDerivedWnd;
    ASSERT_TRUE(wnd->CreateEx(0, u"T", u"t", WS_POPUP, CRect(0, 26, 240, 294), nullptr, 0));
    HWND hwnd = wnd->m_hWnd;
    EXPECT_EQ(CWnd::FromHandlePermanent(hwnd), wnd);
    delete wnd; // destroys the window
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(CWnd::FromHandlePermanent(hwnd), nullptr);
    // A window not made by the framework gets a temporary wrapper.
    HWND plain = CreateWindowExW(0, u"P", u"plain", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                 DefWindowProcW, nullptr);
    CWnd* temp = CWnd::FromHandle(plain);
    ASSERT_NE(temp, nullptr);
    EXPECT_EQ(temp->GetWindowText(), u"plain");
    EXPECT_EQ(CWnd::FromHandlePermanent(plain), nullptr);
}

// --- The command route --------------------------------------------------------

class CRouteDoc : public CDocument {
  protected:
    void OnShared() { calls.push_back("doc shared"); }
    void OnDocOnly() { calls.push_back("doc"); }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CRouteDoc, CDocument)
ON_COMMAND(2, OnShared)
ON_COMMAND(3, OnDocOnly)
END_MESSAGE_MAP()

class CRouteView : public CView {
  public:
    ~CRouteView() override { calls.push_back("view deleted"); }
    void OnDraw(CDC*) override {}
    void OnInitialUpdate() override {
        calls.push_back("view initial update");
        CView::OnInitialUpdate();
    }

  protected:
    void OnShared() { calls.push_back("view shared"); }
    void OnUpdateGreyed(CCmdUI* ui) { ui->Enable(FALSE); }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CRouteView, CView)
ON_COMMAND(1, OnShared)
ON_UPDATE_COMMAND_UI(7, OnUpdateGreyed)
END_MESSAGE_MAP()

class CRouteFrame : public CFrameWnd {
  public:
    ~CRouteFrame() override { calls.push_back("frame deleted"); }

  protected:
    int OnCreate(LPCREATESTRUCT cs) {
        calls.push_back("frame create");
        return CFrameWnd::OnCreate(cs);
    }
    void OnShared() { calls.push_back("frame shared"); }
    void OnFrameOnly() { calls.push_back("frame"); }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CRouteFrame, CFrameWnd)
ON_WM_CREATE()
ON_COMMAND(1, OnShared)
ON_COMMAND(2, OnShared)
ON_COMMAND(4, OnFrameOnly)
END_MESSAGE_MAP()

class CRouteApp : public CWinApp {
  public:
    BOOL InitInstance() override {
        AddDocTemplate(new CSingleDocTemplate(132, NewDocument<CRouteDoc>, NewFrame<CRouteFrame>,
                                              NewView<CRouteView>));
        CCommandLineInfo info;
        ParseCommandLine(info);
        return ProcessShellCommand(info);
    }

  protected:
    void OnAppOnly() { calls.push_back("app"); }
    void OnShared() { calls.push_back("app shared"); }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CRouteApp, CWinApp)
ON_COMMAND(4, OnShared)
ON_COMMAND(5, OnAppOnly)
END_MESSAGE_MAP()

TEST_F(MessageMap, CommandsGoViewDocumentFrameApplication) {
    CRouteApp app;
    ASSERT_TRUE(app.InitInstance());
    auto* frame = dynamic_cast<CFrameWnd*>(AfxGetMainWnd());
    ASSERT_NE(frame, nullptr);
    ASSERT_NE(frame->GetActiveView(), nullptr);
    EXPECT_EQ(frame->GetActiveView()->GetDocument(), frame->GetActiveDocument());
    // The view is created inside the frame's WM_CREATE, updated only afterwards.
    EXPECT_EQ(calls, (std::vector<std::string>{"frame create", "view initial update"}));
    calls.clear();
    for (int id = 1; id <= 6; ++id)
        frame->SendMessage(WM_COMMAND, static_cast<WPARAM>(id));
    EXPECT_EQ(calls,
              (std::vector<std::string>{"view shared", "doc shared", "doc", "frame", "app"}));

    // State queries take the same route; the answer reaches the menu item.
    HMENU popup = CreatePopupMenu();
    AppendMenuW(popup, MF_STRING, 7, u"Greyed by the view");
    AppendMenuW(popup, MF_STRING, 8, u"Untouched");
    frame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup), 0);
    EXPECT_EQ(GetMenuState(popup, 7, MF_BYCOMMAND) & MF_GRAYED, MF_GRAYED);
    EXPECT_EQ(GetMenuState(popup, 8, MF_BYCOMMAND) & MF_GRAYED, 0u);
    DestroyMenu(popup);
}

TEST_F(MessageMap, ExitDestroysTheFrameItsViewsAndEndsTheLoop) {
    CRouteApp app;
    PostMessageW(nullptr, WM_NULL, 0, 0);
    ASSERT_TRUE(app.InitInstance());
    HWND frame = AfxGetMainWnd()->m_hWnd;
    calls.clear();
    PostMessageW(frame, WM_COMMAND, ID_APP_EXIT, 0);
    EXPECT_EQ(app.Run(), 0);
    EXPECT_FALSE(IsWindow(frame));
    EXPECT_EQ(AfxGetMainWnd(), nullptr);
    EXPECT_EQ(calls, (std::vector<std::string>{"view deleted", "frame deleted"}));
}

} // namespace
