#include "platform/afx/CSplitterWnd.h"

#include <algorithm>

#include "platform/afx/CFrameWnd.h"

BEGIN_MESSAGE_MAP(CSplitterWnd, CWnd)
ON_WM_SIZE()
END_MESSAGE_MAP()

BOOL CSplitterWnd::CreateStatic(CWnd* parent, int rows, int cols, DWORD style, UINT id) {
    if (!parent || rows < 1 || cols < 1 || rows > 16 || cols > 16)
        return FALSE;
    rows_.assign(static_cast<std::size_t>(rows), {});
    cols_.assign(static_cast<std::size_t>(cols), {});
    panes_.assign(static_cast<std::size_t>(rows * cols), nullptr);
    CRect client;
    parent->GetClientRect(&client);
    return CreateEx(0, u"AfxSplitter", u"", style | WS_CHILD, client, parent, id);
}

BOOL CSplitterWnd::CreateView(int row, int col, CWndFactory factory, SIZE size,
                              CCreateContext* context) {
    if (row < 0 || col < 0 || row >= GetRowCount() || col >= GetColumnCount() || !factory)
        return FALSE;
    auto& slot = panes_[static_cast<std::size_t>(row * GetColumnCount() + col)];
    if (slot)
        return FALSE;
    rows_[static_cast<std::size_t>(row)].ideal = size.cy;
    cols_[static_cast<std::size_t>(col)].ideal = size.cx;
    CWnd* pane = factory();
    if (!pane)
        return FALSE;
    if (!pane->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(CPoint(0, 0), CSize(size)),
                      this, static_cast<UINT>(IdFromRowCol(row, col)), context)) {
        if (!dynamic_cast<CView*>(pane))
            delete pane;
        return FALSE;
    }
    slot = pane;
    return TRUE;
}

CWnd* CSplitterWnd::GetPane(int row, int col) const {
    if (row < 0 || col < 0 || row >= GetRowCount() || col >= GetColumnCount())
        return nullptr;
    // Ask the window system: a pane destroyed on its own is no longer ours.
    return CWnd::FromHandlePermanent(::GetDlgItem(m_hWnd, IdFromRowCol(row, col)));
}

void CSplitterWnd::SetRowInfo(int row, int ideal, int minimum) {
    if (row >= 0 && row < GetRowCount())
        rows_[static_cast<std::size_t>(row)] = {ideal, minimum,
                                                rows_[static_cast<std::size_t>(row)].current};
}

void CSplitterWnd::SetColumnInfo(int col, int ideal, int minimum) {
    if (col >= 0 && col < GetColumnCount())
        cols_[static_cast<std::size_t>(col)] = {ideal, minimum,
                                                cols_[static_cast<std::size_t>(col)].current};
}

void CSplitterWnd::GetRowInfo(int row, int& current, int& minimum) const {
    current = minimum = 0;
    if (row >= 0 && row < GetRowCount()) {
        current = rows_[static_cast<std::size_t>(row)].current;
        minimum = rows_[static_cast<std::size_t>(row)].minimum;
    }
}

void CSplitterWnd::GetColumnInfo(int col, int& current, int& minimum) const {
    current = minimum = 0;
    if (col >= 0 && col < GetColumnCount()) {
        current = cols_[static_cast<std::size_t>(col)].current;
        minimum = cols_[static_cast<std::size_t>(col)].minimum;
    }
}

namespace {

// Sizes along one axis: every track its ideal size, the last one the rest.
void Distribute(std::vector<int>& starts, std::vector<int>& sizes, const std::vector<int>& ideals,
                int border, int gap, int total) {
    const std::size_t n = ideals.size();
    starts.assign(n, 0);
    sizes.assign(n, 0);
    int pos = border;
    for (std::size_t i = 0; i < n; ++i) {
        const int left = std::max(0, total - border - pos);
        sizes[i] = (i + 1 == n) ? left : std::clamp(ideals[i], 0, left);
        starts[i] = pos;
        pos += sizes[i] + gap;
    }
}

} // namespace

void CSplitterWnd::RecalcLayout() {
    if (!m_hWnd || rows_.empty() || cols_.empty())
        return;
    CRect client;
    GetClientRect(&client);
    std::vector<int> rowIdeal, colIdeal, rowStart, rowSize, colStart, colSize;
    for (const auto& r : rows_)
        rowIdeal.push_back(r.ideal);
    for (const auto& c : cols_)
        colIdeal.push_back(c.ideal);
    Distribute(rowStart, rowSize, rowIdeal, m_cyBorder, m_cySplitterGap, client.Height());
    Distribute(colStart, colSize, colIdeal, m_cxBorder, m_cxSplitterGap, client.Width());
    for (int r = 0; r < GetRowCount(); ++r) {
        rows_[static_cast<std::size_t>(r)].current = rowSize[static_cast<std::size_t>(r)];
        for (int c = 0; c < GetColumnCount(); ++c) {
            cols_[static_cast<std::size_t>(c)].current = colSize[static_cast<std::size_t>(c)];
            if (HWND pane = ::GetDlgItem(m_hWnd, IdFromRowCol(r, c)))
                ::MoveWindow(pane, colStart[static_cast<std::size_t>(c)],
                             rowStart[static_cast<std::size_t>(r)],
                             colSize[static_cast<std::size_t>(c)],
                             rowSize[static_cast<std::size_t>(r)], TRUE);
        }
    }
}

void CSplitterWnd::SetActivePane(int row, int col, CWnd* wnd) {
    CWnd* pane = wnd ? wnd : GetPane(row, col);
    if (!pane)
        return;
    if (CFrameWnd* frame = GetParentFrame(); frame && dynamic_cast<CView*>(pane))
        frame->SetActiveView(static_cast<CView*>(pane));
    else
        pane->SetFocus();
}

CWnd* CSplitterWnd::GetActivePane(int* row, int* col) const {
    CWnd* active = nullptr;
    if (CFrameWnd* frame = GetParentFrame())
        active = frame->GetActiveView();
    if (!active)
        active = CWnd::GetFocus();
    for (int r = 0; r < GetRowCount(); ++r)
        for (int c = 0; c < GetColumnCount(); ++c)
            if (active && GetPane(r, c) == active) {
                if (row)
                    *row = r;
                if (col)
                    *col = c;
                return active;
            }
    return nullptr;
}

void CSplitterWnd::OnSize(UINT, int, int) {
    RecalcLayout();
}
