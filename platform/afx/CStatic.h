#pragma once
// A static control: a label, or a picture (SS_BITMAP, SS_ICON). Pictures
// handed to it stay the caller's: SetBitmap returns the one shown before,
// for the caller to release.

#include "platform/afx/CWnd.h"

class CStatic : public CWnd {
  public:
    // id 0xFFFF: a static without an identifier, as the dialogs make them.
    BOOL Create(const char16_t* text, DWORD style, const RECT& rect, CWnd* parent,
                UINT id = 0xFFFF);

    HBITMAP SetBitmap(HBITMAP bitmap) const;
    [[nodiscard]] HBITMAP GetBitmap() const;
    HICON SetIcon(HICON icon) const;
    [[nodiscard]] HICON GetIcon() const;
};
