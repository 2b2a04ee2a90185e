// The static splitter as the main frame uses it: an upper pane of fixed
// height, a band that belongs to the splitter, a lower pane taking the rest,
// and the lower pane active.

#include <string>
#include <vector>

#include "AfxTestSupport.h"
#include "platform/afx/CFrameWnd.h"
#include "platform/afx/CSingleDocTemplate.h"
#include "platform/afx/CSplitterWnd.h"
#include "platform/afx/CWinApp.h"

namespace {

std::vector<std::string> commands;

class CPaneView : public CView {
  public:
    void OnDraw(CDC*) override {}

  protected:
    void OnMonitor() { commands.push_back("pane " + std::to_string(GetDlgCtrlID())); }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(CPaneView, CView)
ON_COMMAND(32794, OnMonitor)
END_MESSAGE_MAP()

class CBandSplitter : public CSplitterWnd {
  public:
    CBandSplitter() { m_cySplitterGap = 11; }
};

class CSplitFrame : public CFrameWnd {
  public:
    CBandSplitter splitter;

    BOOL OnCreateClient(LPCREATESTRUCT, CCreateContext* context) override {
        if (!splitter.CreateStatic(this, 2, 1))
            return FALSE;
        CRect client;
        GetClientRect(&client);
        if (!splitter.CreateView(0, 0, NewView<CPaneView>, CSize(client.Width(), 74), context) ||
            !splitter.CreateView(1, 0, NewView<CPaneView>,
                                 CSize(client.Width(), client.Height() - 84), context))
            return FALSE;
        splitter.RecalcLayout();
        splitter.SetActivePane(1, 0);
        return TRUE;
    }
};

class CSplitApp : public CWinApp {
  public:
    BOOL InitInstance() override {
        AddDocTemplate(new CSingleDocTemplate(132, NewDocument<CDocument>, NewFrame<CSplitFrame>,
                                              NewView<CPaneView>));
        CCommandLineInfo info;
        return ProcessShellCommand(info);
    }
};

using Splitter = AfxTest;

TEST_F(Splitter, PanesBandAndActivePane) {
    commands.clear();
    CSplitApp app;
    ASSERT_TRUE(app.InitInstance());
    auto* frame = dynamic_cast<CSplitFrame*>(AfxGetMainWnd());
    ASSERT_NE(frame, nullptr);
    CWnd* upper = frame->splitter.GetPane(0, 0);
    CWnd* lower = frame->splitter.GetPane(1, 0);
    ASSERT_NE(upper, nullptr);
    ASSERT_NE(lower, nullptr);
    RECT r{};
    upper->GetWindowRect(&r);
    EXPECT_EQ(r, (RECT{0, 26, 240, 100}));
    lower->GetWindowRect(&r);
    EXPECT_EQ(r, (RECT{0, 111, 240, 294}));
    int current = 0, minimum = 0;
    frame->splitter.GetRowInfo(1, current, minimum);
    EXPECT_EQ(current, 183);
    // The band between them is the splitter's own.
    EXPECT_EQ(WindowFromPoint({120, 105}), frame->splitter.m_hWnd);
    int row = -1;
    EXPECT_EQ(frame->splitter.GetActivePane(&row), lower);
    EXPECT_EQ(row, 1);
    EXPECT_EQ(frame->GetActiveView(), lower);
    // Both panes share the document; commands go to the active one.
    EXPECT_EQ(frame->GetActiveDocument()->GetViews().size(), 2u);
    frame->SendMessage(WM_COMMAND, 32794);
    EXPECT_EQ(commands,
              (std::vector<std::string>{"pane " + std::to_string(AFX_IDW_PANE_FIRST + 16)}));
}

} // namespace
