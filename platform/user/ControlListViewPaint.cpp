// Painting the list view: the header's buttons, the rows with their
// sub-items cut to their columns (with an ellipsis), the selection (the whole
// row with LVS_EX_FULLROWSELECT, else the first column's text; grey when the
// list has no focus and LVS_SHOWSELALWAYS keeps it shown), the focus
// rectangle and the scroll bars, with the blank corner where they meet.
#include <algorithm>
#include <string>

#include "platform/user/ControlListView.h"
#include "platform/user/ControlPaint.h"
#include "platform/user/ControlSupport.h"

namespace zorun {

namespace {

constexpr COLORREF kHeaderFace = kButtonFace;
constexpr COLORREF kHeaderShadow = RGB(128, 128, 128);
constexpr COLORREF kInactiveSelection = RGB(192, 192, 192);
constexpr int kTextPadding = 4;

UINT AlignmentOf(int format) {
    switch (format & LVCFMT_JUSTIFYMASK) {
    case LVCFMT_RIGHT:
        return DT_RIGHT;
    case LVCFMT_CENTER:
        return DT_CENTER;
    default:
        return DT_LEFT;
    }
}

void PaintHeader(HDC hdc, const ListViewLayout& layout, const ListViewState& s, HFONT font,
                 COLORREF ink) {
    const RECT inner = layout.inner;
    const RECT header = layout.header;
    if (header.Height() <= 0)
        return;
    FillSolid(hdc, header, kHeaderFace);
    FillSolid(hdc, {header.left, header.bottom - 1, header.right, header.bottom}, kHeaderShadow);
    int x = inner.left - s.xOffset;
    for (int c = 0; c < s.model.ColumnCount(); ++c) {
        const auto* column = s.model.ColumnAt(c);
        const RECT button{x, header.top, x + column->width, header.bottom};
        x = button.right;
        if (button.right <= header.left || button.left >= header.right)
            continue;
        const bool pressed = c == s.pressedColumn;
        if (pressed)
            FillSolid(hdc, {button.left, button.top, button.right, button.bottom - 1},
                      kHeaderShadow);
        FillSolid(hdc, {button.right - 1, button.top + 2, button.right, button.bottom - 2},
                  kHeaderShadow);
        DrawLabel(
            hdc, column->text,
            {button.left + kTextPadding, button.top, button.right - kTextPadding, button.bottom},
            AlignmentOf(column->format) | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS,
            pressed ? kSelectionText : ink, font);
    }
}

void PaintRows(HDC hdc, HWND hwnd, const ListViewLayout& layout, const ListViewState& s, HFONT font,
               COLORREF ink) {
    const RECT content = layout.content;
    const int rowHeight = ListViewRowHeight(s);
    const bool focused = GetFocus() == hwnd;
    const bool enabled = IsWindowEnabled(hwnd);
    const bool showSelection = focused || (StyleOf(hwnd) & LVS_SHOWSELALWAYS);
    const bool fullRow = (s.exStyle & LVS_EX_FULLROWSELECT) != 0;
    const bool grid = (s.exStyle & LVS_EX_GRIDLINES) != 0;
    const int left = content.left - s.xOffset;
    SaveDC(hdc);
    IntersectClipRect(hdc, content.left, content.top, content.right, content.bottom);
    for (int row = 0; content.top + row * rowHeight < content.bottom; ++row) {
        const int item = s.top + row;
        if (!s.model.ValidItem(item))
            break;
        const int y = content.top + row * rowHeight;
        const UINT state = s.model.State(item);
        const bool selected = showSelection && (state & LVIS_SELECTED);
        const COLORREF selectionBack = focused && enabled ? kSelectionBack : kInactiveSelection;
        const COLORREF selectionInk = focused && enabled ? kSelectionText : kControlText;
        // What the selection covers: the row, or the first column's text.
        RECT mark{left, y, left + s.model.TotalWidth(), y + rowHeight};
        if (!fullRow && s.model.ColumnCount() > 0) {
            const int first = s.model.ColumnAt(0)->width;
            const int text = TextWidth(font, s.model.Text(item, 0)) + 2 * kTextPadding;
            mark.right = left + std::min(first, text);
        }
        if (selected)
            FillSolid(hdc, mark, selectionBack);
        int x = left;
        for (int c = 0; c < s.model.ColumnCount(); ++c) {
            const auto* column = s.model.ColumnAt(c);
            const RECT cell{x, y, x + column->width, y + rowHeight};
            x = cell.right;
            if (cell.right <= content.left || cell.left >= content.right)
                continue;
            const bool inMark = selected && (fullRow || c == 0);
            DrawLabel(hdc, s.model.Text(item, c),
                      {cell.left + kTextPadding, cell.top, cell.right - kTextPadding, cell.bottom},
                      AlignmentOf(column->format) | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS,
                      inMark ? selectionInk : ink, font);
            if (grid)
                FillSolid(hdc, {cell.right - 1, cell.top, cell.right, cell.bottom},
                          kInactiveSelection);
        }
        if (grid)
            FillSolid(hdc, {left, y + rowHeight - 1, x, y + rowHeight}, kInactiveSelection);
        if (focused && (state & LVIS_FOCUSED))
            DrawFocusRect(hdc, &mark);
    }
    RestoreDC(hdc, -1);
}

} // namespace

void PaintListView(HWND hwnd, ListViewState& s) {
    PAINTSTRUCT ps{};
    HDC hdc = BeginPaint(hwnd, &ps);
    if (!hdc) {
        EndPaint(hwnd, &ps);
        return;
    }
    const RECT client = ClientOf(hwnd);
    const bool enabled = IsWindowEnabled(hwnd);
    const COLORREF ink = enabled ? kControlText : kDisabledText;
    HFONT font = FontOf(s.font);
    SelectObject(hdc, font);
    SetBkMode(hdc, TRANSPARENT);
    FillSolid(hdc, client, kControlBack);
    if (StyleOf(hwnd) & WS_BORDER)
        FrameSolid(hdc, client, kControlFrame);
    const ListViewLayout layout = ListViewLayoutOf(hwnd, s);
    PaintHeader(hdc, layout, s, font, ink);
    PaintRows(hdc, hwnd, layout, s, font, ink);
    if (layout.vBar)
        ListViewVBar(layout, s).Paint(hdc, enabled);
    if (layout.hBar)
        ListViewHBar(layout, s).Paint(hdc, enabled);
    if (layout.vBar && layout.hBar)
        FillSolid(hdc, layout.corner, kButtonFace);
    EndPaint(hwnd, &ps);
}

} // namespace zorun
