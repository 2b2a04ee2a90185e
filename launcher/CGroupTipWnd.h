#pragma once
// The group-name tip: a small top-most pop-up with a thin border, pale
// yellow, that shows the name of a tab's group while the stylus rests on the
// tab. It hides itself after two seconds (timer 48) or when told.

#include <string>

#include "platform/afx/CWnd.h"

class CGroupTipWnd : public CWnd {
  public:
    static constexpr UINT_PTR kHideTimer = 48;
    static constexpr UINT kHideDelayMs = 2000;
    static constexpr COLORREF kBackground = RGB(255, 255, 200);

    // Creates the hidden tip at (300, 200), 20 x 20, owned by `owner`.
    BOOL CreateTip(CWnd* owner, bool clearType);

    // Shows `text` at (x, y + 100) in screen coordinates, or at
    // (x, owner bottom - 10) when y + 100 reaches the owner's client bottom,
    // sized to the text, and starts the two-second timer.
    void Show(std::u16string_view text, int x, int y);
    // Hides the tip (a running timer still fires once and stops itself).
    void Hide();

    [[nodiscard]] const std::u16string& Text() const { return text_; }
    [[nodiscard]] bool UsesClearType() const { return clearType_; }

  protected:
    BOOL OnEraseBkgnd(CDC* dc);
    void OnPaint();
    void OnTimer(UINT_PTR id);

    DECLARE_MESSAGE_MAP()

  private:
    std::u16string text_;
    HWND owner_ = nullptr;
    bool clearType_ = false;
};
