// Paint only when something is invalid; invalidations merge into one
// WM_PAINT; children repaint after their parent.

#include "WindowTestSupport.h"

#include <optional>

#include "platform/gdi/Surface.h"
#include "platform/user/Backend.h"

namespace {

class Paint : public WindowTest {
  protected:
    std::vector<RECT> painted;
    void RecordPaint(HWND w) {
        on[{w, WM_PAINT}] = [this, w](WPARAM, LPARAM) {
            PAINTSTRUCT ps{};
            BeginPaint(w, &ps);
            painted.push_back(ps.rcPaint);
            EndPaint(w, &ps);
            return LRESULT{0};
        };
    }
};

TEST_F(Paint, SeveralInvalidationsGiveOnePaintOfTheirUnion) {
    HWND w = MakeWindow({0, 26, 240, 294});
    RecordPaint(w);
    Pump();
    ASSERT_EQ(painted.size(), 1u); // a new window paints once
    EXPECT_EQ(painted[0], (RECT{0, 0, 240, 268}));
    painted.clear();

    RECT a{10, 10, 20, 20}, b{30, 5, 40, 15}, outside{300, 300, 400, 400};
    InvalidateRect(w, &a, FALSE);
    InvalidateRect(w, &b, TRUE);
    InvalidateRect(w, &outside, FALSE);
    Pump();
    EXPECT_EQ(painted, (std::vector<RECT>{{10, 5, 40, 20}}));

    painted.clear();
    ClearLog();
    Pump();
    MSG msg;
    EXPECT_FALSE(PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE));
    EXPECT_TRUE(painted.empty());
}

TEST_F(Paint, ValidatedOrHiddenWindowsDoNotPaint) {
    HWND w = MakeWindow({0, 26, 240, 294});
    RecordPaint(w);
    Pump();
    painted.clear();
    InvalidateRect(w, nullptr, FALSE);
    ValidateRect(w, nullptr);
    Pump();
    EXPECT_TRUE(painted.empty());

    RECT top{0, 0, 240, 100}, bottom{0, 100, 240, 268};
    InvalidateRect(w, nullptr, FALSE);
    ValidateRect(w, &top);
    Pump();
    EXPECT_EQ(painted, (std::vector<RECT>{bottom}));

    painted.clear();
    ShowWindow(w, SW_HIDE);
    InvalidateRect(w, nullptr, FALSE);
    Pump();
    EXPECT_TRUE(painted.empty());
    ShowWindow(w, SW_SHOW);
    Pump();
    EXPECT_EQ(painted.size(), 1u);
}

TEST_F(Paint, ChildrenRepaintAfterTheirParentAndEraseComesFirst) {
    HWND parent = MakeWindow({0, 26, 240, 294});
    HWND child = MakeWindow({0, 74, 240, 268}, parent, WS_CHILD | WS_VISIBLE, 1);
    RecordPaint(parent);
    RecordPaint(child);
    Pump();
    ClearLog();
    RECT band{0, 70, 240, 80};
    InvalidateRect(parent, &band, TRUE);
    Pump();
    EXPECT_EQ(Only({WM_PAINT, WM_ERASEBKGND}),
              (std::vector<Logged>{{parent, WM_PAINT, 0, 0},
                                   {parent, WM_ERASEBKGND, Only({WM_ERASEBKGND})[0].wParam, 0},
                                   {child, WM_PAINT, 0, 0},
                                   {child, WM_ERASEBKGND, Only({WM_ERASEBKGND})[1].wParam, 0}}));
    EXPECT_EQ(painted.back(), (RECT{0, 0, 240, 6}));
}

} // namespace

namespace {

// Found by the soak: a message box while a frame is being destroyed (the
// exit's failed save) saw its children's pending paints, which no loop can
// deliver any more, and the script runner waited for them for ever.
TEST_F(Paint, ChildrenOfAWindowGoingAwayAreNoPendingPaint) {
    HWND frame = MakeWindow({0, 26, 240, 294});
    HWND child = MakeWindow({0, 0, 100, 100}, frame, WS_CHILD | WS_VISIBLE);
    Pump();
    std::optional<bool> pendingWhileDestroyed;
    on[{frame, WM_DESTROY}] = [&](WPARAM, LPARAM) {
        InvalidateRect(child, nullptr, FALSE);
        pendingWhileDestroyed = zorun::MessagesPending();
        return LRESULT{0};
    };
    DestroyWindow(frame);
    ASSERT_TRUE(pendingWhileDestroyed.has_value());
    EXPECT_FALSE(*pendingWhileDestroyed);
}

} // namespace
