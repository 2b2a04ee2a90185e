#pragma once
// A view: a child window showing a document. It paints through OnDraw,
// receives OnInitialUpdate once the frame and all views exist, and passes
// the commands it does not handle to its document. Views delete themselves
// when their window is destroyed.

#include "platform/afx/CWnd.h"

class CDocument;
class CFrameWnd;
class CDocTemplate;
class CView;

// How to make a window of a given class: `NewView<CMyView>`.
using CWndFactory = CWnd* (*)();
template <class T> CWnd* NewView() {
    return new T();
}

// What a frame needs while it creates its views (passed as lpCreateParams).
struct CCreateContext {
    CWndFactory m_pNewViewClass = nullptr;
    CDocument* m_pCurrentDoc = nullptr;
    CDocTemplate* m_pNewDocTemplate = nullptr;
    CView* m_pLastView = nullptr;
    CFrameWnd* m_pCurrentFrame = nullptr;
};

class CView : public CWnd {
  public:
    CView() = default;
    ~CView() override;

    [[nodiscard]] CDocument* GetDocument() const { return m_pDocument; }

    virtual void OnDraw(CDC* dc) = 0;
    virtual void OnPrepareDC(CDC*) {}
    // Once, after the frame and its views exist: by default OnUpdate.
    virtual void OnInitialUpdate();
    // The document changed: by default the whole view is repainted.
    virtual void OnUpdate(CView* sender, LPARAM hint, void* hintObject);
    // The frame made this view active (or not).
    virtual void OnActivateView(BOOL activate, CView* activated, CView* deactivated);

    // The view itself, then its document.
    BOOL OnCmdMsg(UINT id, int code, CCmdUI* ui) override;
    BOOL PreCreateWindow(CREATESTRUCTW& cs) override;
    void PostNcDestroy() override;

    CDocument* m_pDocument = nullptr;

  protected:
    int OnCreate(LPCREATESTRUCT cs);
    void OnPaint();
    void OnDestroy();
    LRESULT OnInitialUpdateMessage(WPARAM, LPARAM);

    DECLARE_MESSAGE_MAP()
};
