// The list view's geometry: the header, the rows' area and the two scroll
// bars, which take room from each other.
#include <algorithm>

#include "platform/user/ControlListView.h"
#include "platform/user/ControlSupport.h"

namespace zorun {

namespace {

// What an arrow of the bottom bar, or Left and Right, scroll by: a little
// more than a character of the usual fonts, so a name can be read along.
constexpr int kLineWidth = 10;

} // namespace

RECT ListViewInner(HWND hwnd) {
    return InsideBorder(hwnd);
}

int ListViewHeaderHeight(HWND hwnd, const ListViewState& s) {
    if (StyleOf(hwnd) & LVS_NOCOLUMNHEADER)
        return 0;
    return FontHeight(s.font) + 6;
}

int ListViewRowHeight(const ListViewState& s) {
    return std::max(16, FontHeight(s.font) + 2);
}

ListViewLayout ListViewLayoutOf(HWND hwnd, const ListViewState& s) {
    constexpr int T = ScrollBar::kThickness;
    ListViewLayout l;
    l.inner = ListViewInner(hwnd);
    const int rowsTop = std::min(l.inner.bottom, l.inner.top + ListViewHeaderHeight(hwnd, s));
    l.header = {l.inner.left, l.inner.top, l.inner.right, rowsTop};
    const int rowHeight = ListViewRowHeight(s);
    const int width = l.inner.Width();
    const int height = l.inner.bottom - rowsTop;
    const auto rowsIn = [rowHeight](int h) { return std::max(1, std::max(0, h) / rowHeight); };
    const int total = s.model.TotalWidth();
    const int count = s.model.ItemCount();
    // Each bar may bring the other: the bottom one costs rows, the right one
    // costs width. Rows only shrink, so two rounds settle it.
    l.hBar = total > width;
    l.vBar = count > rowsIn(height - (l.hBar ? T : 0));
    if (!l.hBar && l.vBar)
        l.hBar = total > width - T;
    const int right = std::max(l.inner.left, l.inner.right - (l.vBar ? T : 0));
    const int bottom = std::max(rowsTop, l.inner.bottom - (l.hBar ? T : 0));
    l.content = {l.inner.left, rowsTop, right, bottom};
    l.visibleRows = rowsIn(bottom - rowsTop);
    if (l.vBar)
        l.vBarRect = {right, rowsTop, l.inner.right, bottom};
    if (l.hBar)
        l.hBarRect = {l.inner.left, bottom, right, l.inner.bottom};
    if (l.vBar && l.hBar)
        l.corner = {right, bottom, l.inner.right, l.inner.bottom};
    return l;
}

int ListViewVisibleRows(HWND hwnd, const ListViewState& s) {
    return ListViewLayoutOf(hwnd, s).visibleRows;
}

RECT ListViewContent(HWND hwnd, const ListViewState& s) {
    return ListViewLayoutOf(hwnd, s).content;
}

int ListViewLineWidth(const ListViewState&) {
    return kLineWidth;
}

VerticalScrollBar ListViewVBar(const ListViewLayout& layout, const ListViewState& s) {
    return VerticalScrollBar(layout.vBarRect, s.model.ItemCount(), layout.visibleRows, s.top);
}

HorizontalScrollBar ListViewHBar(const ListViewLayout& layout, const ListViewState& s) {
    return HorizontalScrollBar(layout.hBarRect, s.model.TotalWidth(), layout.content.Width(),
                               s.xOffset, ListViewLineWidth(s));
}

} // namespace zorun
