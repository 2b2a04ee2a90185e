#pragma once
// A device context with the framework's member functions. CDC wraps a
// handle without owning it; CPaintDC and CClientDC own theirs for the scope
// of a paint or a drawing at once.

#include <string_view>

#include "platform/afx/AfxTypes.h"

class CWnd;

class CDC {
  public:
    CDC() = default;
    explicit CDC(HDC hdc) : m_hDC(hdc) {}
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;
    virtual ~CDC();

    HDC m_hDC = nullptr;

    [[nodiscard]] HDC GetSafeHdc() const { return m_hDC; }
    operator HDC() const { return m_hDC; } // NOLINT(google-explicit-constructor)

    // A memory DC compatible with `other`; deleted with this object.
    BOOL CreateCompatibleDC(CDC* other);
    BOOL DeleteDC();

    HGDIOBJ SelectObject(HGDIOBJ object) { return ::SelectObject(m_hDC, object); }
    HGDIOBJ SelectStockObject(int object) { return ::SelectObject(m_hDC, GetStockObject(object)); }
    int SaveDC() { return ::SaveDC(m_hDC); }
    BOOL RestoreDC(int saved) { return ::RestoreDC(m_hDC, saved); }
    COLORREF SetTextColor(COLORREF c) { return ::SetTextColor(m_hDC, c); }
    COLORREF SetBkColor(COLORREF c) { return ::SetBkColor(m_hDC, c); }
    int SetBkMode(int mode) { return ::SetBkMode(m_hDC, mode); }
    void FillRect(const RECT* rect, HBRUSH brush) { ::FillRect(m_hDC, rect, brush); }
    void FillSolidRect(const RECT* rect, COLORREF color);
    void FrameRect(const RECT* rect, HBRUSH brush) { ::FrameRect(m_hDC, rect, brush); }
    BOOL Rectangle(int l, int t, int r, int b) { return ::Rectangle(m_hDC, l, t, r, b); }
    BOOL Rectangle(const RECT* rect) {
        return ::Rectangle(m_hDC, rect->left, rect->top, rect->right, rect->bottom);
    }
    void DrawFocusRect(const RECT* rect) { ::DrawFocusRect(m_hDC, rect); }
    BOOL MoveTo(int x, int y) { return ::MoveToEx(m_hDC, x, y, nullptr); }
    BOOL LineTo(int x, int y) { return ::LineTo(m_hDC, x, y); }
    COLORREF SetPixel(int x, int y, COLORREF c) { return ::SetPixel(m_hDC, x, y, c); }
    COLORREF GetPixel(int x, int y) const { return ::GetPixel(m_hDC, x, y); }
    BOOL BitBlt(int x, int y, int w, int h, CDC* src, int sx, int sy, DWORD rop) {
        return ::BitBlt(m_hDC, x, y, w, h, src ? src->m_hDC : nullptr, sx, sy, rop);
    }
    BOOL PatBlt(int x, int y, int w, int h, DWORD rop) { return ::PatBlt(m_hDC, x, y, w, h, rop); }
    int DrawText(std::u16string_view text, RECT* rect, UINT format) {
        return ::DrawTextW(m_hDC, text.data(), static_cast<int>(text.size()), rect, format);
    }
    BOOL TextOut(int x, int y, std::u16string_view text) {
        return ::ExtTextOutW(m_hDC, x, y, 0, nullptr, text.data(), static_cast<UINT>(text.size()),
                             nullptr);
    }
    [[nodiscard]] CSize GetTextExtent(std::u16string_view text) const;
    BOOL DrawIcon(int x, int y, HICON icon) { return ::DrawIcon(m_hDC, x, y, icon); }

  private:
    bool owned_ = false;
};

// BeginPaint/EndPaint for the scope of an OnPaint handler.
class CPaintDC : public CDC {
  public:
    explicit CPaintDC(CWnd* wnd);
    ~CPaintDC() override;
    PAINTSTRUCT m_ps{};

  private:
    HWND hwnd_;
};

// GetDC/ReleaseDC: drawing on a window at once, outside a paint.
class CClientDC : public CDC {
  public:
    explicit CClientDC(CWnd* wnd);
    ~CClientDC() override;

  private:
    HWND hwnd_;
};
