#pragma once
// A static splitter: a grid of panes (views) in fixed rows and columns with
// gaps between them. Each row but the last has its ideal height; the last
// row (and column) takes what is left. The bar between panes is the
// splitter's own client area: derived classes paint and handle it.

#include <vector>

#include "platform/afx/CView.h"

class CSplitterWnd : public CWnd {
  public:
    CSplitterWnd() = default;

    BOOL CreateStatic(CWnd* parent, int rows, int cols, DWORD style = WS_CHILD | WS_VISIBLE,
                      UINT id = AFX_IDW_PANE_FIRST);
    // Creates pane (row, col) from `factory`, with `size` as the row's and
    // column's ideal size. `context` reaches the view's OnCreate.
    virtual BOOL CreateView(int row, int col, CWndFactory factory, SIZE size,
                            CCreateContext* context);
    [[nodiscard]] CWnd* GetPane(int row, int col) const;
    [[nodiscard]] int IdFromRowCol(int row, int col) const {
        return static_cast<int>(AFX_IDW_PANE_FIRST) + row * 16 + col;
    }
    [[nodiscard]] int GetRowCount() const { return static_cast<int>(rows_.size()); }
    [[nodiscard]] int GetColumnCount() const { return static_cast<int>(cols_.size()); }

    void SetRowInfo(int row, int ideal, int minimum);
    void SetColumnInfo(int col, int ideal, int minimum);
    void GetRowInfo(int row, int& current, int& minimum) const;
    void GetColumnInfo(int col, int& current, int& minimum) const;
    // Places the panes by the row and column sizes and the gaps.
    virtual void RecalcLayout();

    // Makes the pane the frame's active view and gives it the focus.
    virtual void SetActivePane(int row, int col, CWnd* wnd = nullptr);
    [[nodiscard]] CWnd* GetActivePane(int* row = nullptr, int* col = nullptr) const;

  protected:
    // Layout metrics; derived classes set them in their constructor.
    int m_cxSplitter = 0, m_cySplitter = 0;       // bar thickness
    int m_cxBorderShare = 0, m_cyBorderShare = 0; // bar share of the border
    int m_cxSplitterGap = 4, m_cySplitterGap = 4; // space between panes
    int m_cxBorder = 0, m_cyBorder = 0;           // outer border

    void OnSize(UINT type, int cx, int cy);

    DECLARE_MESSAGE_MAP()

  private:
    struct Info {
        int ideal = 0;
        int minimum = 0;
        int current = 0;
    };
    std::vector<Info> rows_, cols_;
    std::vector<CWnd*> panes_; // row-major; views own themselves
};
