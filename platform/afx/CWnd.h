#pragma once
// A window of the framework: wraps a window handle and dispatches its
// messages through the class's message map. Handlers not in the map fall to
// DefWindowProc. The object and the window are separate lives: the window
// ends with DestroyWindow (or its parent's destruction), after which the
// framework calls PostNcDestroy, where self-owning classes delete themselves.

#include <memory>
#include <string>
#include <string_view>

#include "platform/afx/CCmdTarget.h"
#include "platform/afx/CDC.h"
#include "platform/afx/CMenu.h"

class CFrameWnd;

class CWnd : public CCmdTarget {
  public:
    CWnd() = default;
    // Destroys the window if it still exists (its messages no longer reach
    // this object's handlers).
    ~CWnd() override;

    HWND m_hWnd = nullptr;

    [[nodiscard]] HWND GetSafeHwnd() const { return m_hWnd; }
    operator HWND() const { return GetSafeHwnd(); } // NOLINT(google-explicit-constructor)

    // The framework object of `hwnd`: the attached one, or a temporary
    // wrapper kept while the window lives. nullptr for a null handle.
    static CWnd* FromHandle(HWND hwnd);
    // Only an attached object; nullptr otherwise.
    static CWnd* FromHandlePermanent(HWND hwnd);
    // Attaches an existing window: its messages reach this object from now.
    BOOL Attach(HWND hwnd);
    HWND Detach();

    // Creates the window; its WM_CREATE already reaches this object's map.
    // `param` reaches OnCreate as lpCreateParams.
    virtual BOOL CreateEx(DWORD exStyle, const char16_t* className, const char16_t* title,
                          DWORD style, const RECT& rect, CWnd* parent, UINT id,
                          void* param = nullptr);
    virtual BOOL Create(const char16_t* className, const char16_t* title, DWORD style,
                        const RECT& rect, CWnd* parent, UINT id, void* param = nullptr);
    virtual BOOL DestroyWindow();
    // Called with the creation parameters before the window is made; false
    // cancels the creation.
    virtual BOOL PreCreateWindow(CREATESTRUCTW& cs);

    // --- The window ----------------------------------------------------------------
    void Invalidate(BOOL erase = TRUE) const;
    void InvalidateRect(const RECT* rect, BOOL erase = TRUE) const;
    void ValidateRect(const RECT* rect) const;
    void UpdateWindow() const;
    void GetClientRect(RECT* rect) const;
    void GetWindowRect(RECT* rect) const;
    void MoveWindow(int x, int y, int width, int height, BOOL repaint = TRUE) const;
    void MoveWindow(const RECT& rect, BOOL repaint = TRUE) const;
    BOOL SetWindowPos(const CWnd* after, int x, int y, int cx, int cy, UINT flags) const;
    BOOL ShowWindow(int command) const;
    BOOL EnableWindow(BOOL enable = TRUE) const;
    [[nodiscard]] BOOL IsWindowVisible() const;
    [[nodiscard]] BOOL IsWindowEnabled() const;
    [[nodiscard]] DWORD GetStyle() const;
    void SetWindowText(std::u16string_view text) const;
    [[nodiscard]] std::u16string GetWindowText() const;
    void GetWindowText(std::u16string& text) const { text = GetWindowText(); }
    void ClientToScreen(POINT* point) const;
    void ClientToScreen(RECT* rect) const;
    void ScreenToClient(POINT* point) const;
    void ScreenToClient(RECT* rect) const;
    BOOL SetForegroundWindow() const;
    BOOL BringWindowToTop() const;

    [[nodiscard]] CWnd* GetParent() const;
    // The nearest frame among the parents, or nullptr.
    [[nodiscard]] CFrameWnd* GetParentFrame() const;
    [[nodiscard]] CWnd* GetDlgItem(int id) const;
    [[nodiscard]] int GetDlgCtrlID() const;
    void SetDlgItemText(int id, std::u16string_view text) const;
    [[nodiscard]] std::u16string GetDlgItemText(int id) const;
    void CheckDlgButton(int id, UINT check) const;
    [[nodiscard]] UINT IsDlgButtonChecked(int id) const;
    LRESULT SendDlgItemMessage(int id, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;

    // WM_SETFONT / WM_GETFONT: the font stays the caller's.
    void SetFont(HFONT font, BOOL redraw = TRUE) const;
    [[nodiscard]] HFONT GetFont() const;

    CWnd* SetFocus() const;
    static CWnd* GetFocus();
    CWnd* SetCapture() const;
    static CWnd* GetCapture();

    UINT_PTR SetTimer(UINT_PTR id, UINT elapseMs, void* unused = nullptr) const;
    BOOL KillTimer(UINT_PTR id) const;

    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;

    // A DC on the window for drawing at once; give it back with ReleaseDC.
    CDC* GetDC() const;
    int ReleaseDC(CDC* dc) const;

    int MessageBox(const char16_t* text, const char16_t* caption = nullptr,
                   UINT type = MB_OK) const;

    // --- Dispatch ----------------------------------------------------------------
    // Every message of the window passes here: the map first, then DefWindowProc.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // Finds and runs the handler; false when the map has none.
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    // WM_COMMAND: routes the command through OnCmdMsg.
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // After the window is gone (and its children): self-owning classes delete
    // themselves here.
    virtual void PostNcDestroy() {}

    // The default handlers: each runs the default processing of the message
    // being handled. Derived handlers call them as the framework's behaviour.
    int OnCreate(LPCREATESTRUCT cs);
    void OnDestroy();
    void OnClose();
    void OnPaint();
    BOOL OnEraseBkgnd(CDC* dc);
    void OnLButtonDown(UINT flags, CPoint point);
    void OnLButtonUp(UINT flags, CPoint point);
    void OnLButtonDblClk(UINT flags, CPoint point);
    void OnMouseMove(UINT flags, CPoint point);
    void OnTimer(UINT_PTR id);
    void OnKeyDown(UINT vk, UINT repeat, UINT flags);
    void OnKeyUp(UINT vk, UINT repeat, UINT flags);
    void OnChar(UINT ch, UINT repeat, UINT flags);
    void OnSize(UINT type, int cx, int cy);
    void OnShowWindow(BOOL show, UINT status);
    void OnSetFocus(CWnd* old);
    void OnKillFocus(CWnd* next);
    void OnCaptureChanged(CWnd* wnd);
    void OnInitMenuPopup(CMenu* popup, UINT index, BOOL sysMenu);
    HBRUSH OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor);
    void OnActivate(UINT state, CWnd* other, BOOL minimized);

  protected:
    // The default processing of the message now being handled.
    LRESULT Default();

    DECLARE_MESSAGE_MAP()

  private:
    friend LRESULT AfxWndProc(HWND, UINT, WPARAM, LPARAM);
    friend struct AfxWindowState;
    bool temporary_ = false; // a FromHandle wrapper: never destroys its window
};

// The window procedure of every framework window.
LRESULT AfxWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// Runs PostNcDestroy for the objects whose windows are gone, unless a
// framework handler is still running (then it happens when it returns).
void AfxFlushDestroyedWindows();

#include "platform/afx/AfxAdapters.h"
