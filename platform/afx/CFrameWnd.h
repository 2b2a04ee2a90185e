#pragma once
// The main frame: a top-level window over the work area that holds the
// views (OnCreateClient builds them), knows the active view, and routes
// commands: active view (then its document), the frame, the application.
// Frames delete themselves when their window is destroyed.

#include "platform/afx/CView.h"

class CCommandBar;

class CFrameWnd : public CWnd {
  public:
    CFrameWnd() = default;

    // The work area of the device screen, where frames live by default.
    static constexpr RECT rectDefault{0, 26, 240, 294};

    // Creates the frame over the work area with the title of string
    // `resourceId` (its text up to the first newline), hidden until shown.
    virtual BOOL LoadFrame(UINT resourceId, DWORD style = WS_OVERLAPPED, CWnd* parent = nullptr,
                           CCreateContext* context = nullptr);
    BOOL Create(const char16_t* className, const char16_t* title, DWORD style = WS_OVERLAPPED,
                const RECT& rect = rectDefault, CWnd* parent = nullptr,
                CCreateContext* context = nullptr);

    // Builds the client area during WM_CREATE: by default one view of the
    // context's class filling it. False makes the creation fail.
    virtual BOOL OnCreateClient(LPCREATESTRUCT cs, CCreateContext* context);
    // Creates a view of the context's class as a child with id `id`.
    CWnd* CreateView(CCreateContext* context, UINT id = AFX_IDW_PANE_FIRST);
    // Sizes the pane window (id AFX_IDW_PANE_FIRST) to the client area.
    virtual void RecalcLayout();
    // Sends WM_INITIALUPDATE to every view of the frame, makes sure one is
    // active, and shows the frame when asked.
    void InitialUpdateFrame(CDocument* document, BOOL makeVisible);

    [[nodiscard]] CView* GetActiveView() const { return activeView_; }
    void SetActiveView(CView* view, BOOL notify = TRUE);
    [[nodiscard]] CDocument* GetActiveDocument() const;

    // The frame's command bar, once one is attached to it (CCommandBar does).
    [[nodiscard]] CCommandBar* GetCommandBar() const { return commandBar_; }
    void SetCommandBar(CCommandBar* bar) { commandBar_ = bar; }

    BOOL OnCmdMsg(UINT id, int code, CCmdUI* ui) override;
    BOOL PreCreateWindow(CREATESTRUCTW& cs) override;
    void PostNcDestroy() override;

    // Cleared by a document template while it may still have to delete a
    // frame whose creation failed.
    bool m_bAutoDelete = true;

  protected:
    int OnCreate(LPCREATESTRUCT cs);
    void OnClose();
    void OnSize(UINT type, int cx, int cy);
    void OnSetFocus(CWnd* old);
    void OnInitMenuPopup(CMenu* popup, UINT index, BOOL sysMenu);

    DECLARE_MESSAGE_MAP()

  private:
    CView* activeView_ = nullptr;
    CCommandBar* commandBar_ = nullptr;
};
