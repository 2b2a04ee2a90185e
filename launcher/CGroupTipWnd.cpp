#include "launcher/CGroupTipWnd.h"

#include "platform/base/Format.h"

BEGIN_MESSAGE_MAP(CGroupTipWnd, CWnd)
ON_WM_ERASEBKGND()
ON_WM_PAINT()
ON_WM_TIMER()
END_MESSAGE_MAP()

namespace {
// The device's window-text colour.
constexpr COLORREF kWindowText = RGB(0, 0, 0);
} // namespace

BOOL CGroupTipWnd::CreateTip(CWnd* owner, bool clearType) {
    owner_ = owner ? owner->GetSafeHwnd() : nullptr;
    clearType_ = clearType;
    return CreateEx(WS_EX_TOPMOST, u"ZorunGroupTip", u"", WS_POPUP | WS_BORDER,
                    RECT{300, 200, 320, 220}, owner, 0);
}

void CGroupTipWnd::Show(std::u16string_view text, int x, int y) {
    if (!GetSafeHwnd())
        return;
    text_ = zorun::Format(u"%s", text);
    SIZE size{};
    {
        CClientDC dc(this);
        GetTextExtentPoint32W(dc.GetSafeHdc(), text_.c_str(), static_cast<int>(text_.size()),
                              &size);
    }
    RECT parent{};
    if (owner_)
        ::GetClientRect(owner_, &parent);
    const int top = y + 100 >= parent.bottom ? parent.bottom - 10 : y + 100;
    SetWindowPos(nullptr, x, top, size.cx + 10, size.cy + 6, SWP_NOZORDER | SWP_NOACTIVATE);
    // Shown without activation: the view keeps the focus and the stylus.
    ShowWindow(SW_SHOWNA);
    Invalidate(TRUE);
    SetTimer(kHideTimer, kHideDelayMs);
}

void CGroupTipWnd::Hide() {
    if (GetSafeHwnd())
        ShowWindow(SW_HIDE);
}

BOOL CGroupTipWnd::OnEraseBkgnd(CDC* dc) {
    RECT area{};
    GetClipBox(dc->GetSafeHdc(), &area);
    HBRUSH brush = CreateSolidBrush(kBackground);
    HGDIOBJ old = SelectObject(dc->GetSafeHdc(), brush);
    PatBlt(dc->GetSafeHdc(), area.left, area.top, area.Width(), area.Height(), PATCOPY);
    SelectObject(dc->GetSafeHdc(), old);
    DeleteObject(brush);
    return TRUE;
}

void CGroupTipWnd::OnPaint() {
    CPaintDC dc(this);
    RECT client{};
    GetClientRect(&client);
    // The thin border: the window system draws no frames of its own.
    HBRUSH frame = CreateSolidBrush(kWindowText);
    FrameRect(dc.GetSafeHdc(), &client, frame);
    DeleteObject(frame);

    dc.SetTextColor(kWindowText);
    dc.SetBkMode(TRANSPARENT);
    HFONT font = nullptr;
    if (clearType_) {
        LOGFONTW spec{};
        spec.lfHeight = 15;
        spec.lfWeight = FW_NORMAL;
        spec.lfQuality = CLEARTYPE_QUALITY;
        font = CreateFontIndirectW(&spec);
    }
    HGDIOBJ oldFont = font ? dc.SelectObject(font) : nullptr;
    // The text lies inside the border, as in a window with a frame of its own.
    RECT textRect{client.left + 1, client.top + 1, client.right - 1, client.bottom - 1};
    DrawTextW(dc.GetSafeHdc(), text_.c_str(), static_cast<int>(text_.size()), &textRect, DT_CENTER);
    if (font) {
        dc.SelectObject(oldFont);
        DeleteObject(font);
    }
}

void CGroupTipWnd::OnTimer(UINT_PTR id) {
    if (id == kHideTimer) {
        ShowWindow(SW_HIDE);
        KillTimer(kHideTimer);
        return;
    }
    CWnd::OnTimer(id);
}
