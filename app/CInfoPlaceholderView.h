#pragma once
// The upper pane until the information panel is built: its background plate
// (bitmap 150) and the hand-over of a stylus release to the page bar.

#include "platform/afx/CView.h"

class CInfoPlaceholderView : public CView {
  public:
    void OnDraw(CDC*) override {}

  protected:
    void OnPaint();
    BOOL OnEraseBkgnd(CDC* dc);
    void OnLButtonUp(UINT flags, CPoint point);

    DECLARE_MESSAGE_MAP()
};
