// TrackPopupMenu: a modal pop-up menu, with its sub-menus opening to the side.
// One tracker owns a stack of level windows; the first level holds the
// stylus capture and the focus, so every tap and key of the loop reaches it.
#include <algorithm>
#include <memory>
#include <vector>

#include "platform/user/ControlPaint.h"
#include "platform/user/ControlSupport.h"
#include "platform/user/Dialog.h"
#include "platform/user/Menu.h"
#include "platform/user/MenuTable.h"
#include "platform/user/ModalLoop.h"
#include "platform/user/Screen.h"

namespace {

constexpr int kItemHeight = 20;
constexpr int kSeparatorHeight = 7;
constexpr int kTextLeft = 16;  // room for the check mark
constexpr int kTextRight = 18; // room for the sub-menu arrow
constexpr int kMinWidth = 60;

struct Level {
    HMENU menu = nullptr;
    HWND hwnd = nullptr;
    RECT rect{}; // screen
    int hot = -1;
};

class MenuTracker {
  public:
    MenuTracker(HWND owner, UINT flags) : owner_(owner), flags_(flags) {}
    ~MenuTracker() { CloseFrom(0); }

    // Runs the menu; the chosen command or 0.
    UINT Run(HMENU menu, int x, int y);

    LRESULT Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

  private:
    bool Open(HMENU menu, int x, int y, UINT align, int avoidLeft);
    void CloseFrom(std::size_t level);
    void OpenSubmenu(std::size_t level, int index);
    void Paint(HWND hwnd);
    [[nodiscard]] int LevelOf(HWND hwnd) const;
    // (level, item) under a screen point; level -1 when outside every level.
    [[nodiscard]] std::pair<int, int> HitTest(POINT screen) const;
    void SetHot(std::size_t level, int index);
    void Choose(std::size_t level, int index);
    void End(UINT command);
    void Key(int vk);
    [[nodiscard]] bool Selectable(const zorun::MenuItem& item) const {
        return !(item.flags & (MF_SEPARATOR | MF_GRAYED | MF_DISABLED));
    }
    [[nodiscard]] zorun::MenuData* Data(std::size_t level) const {
        return level < levels_.size() ? zorun::MenuTable::Get().Find(levels_[level].menu) : nullptr;
    }

    HWND owner_;
    UINT flags_;
    std::vector<Level> levels_;
    bool ended_ = false;
    bool sawDown_ = false; // a press inside the loop: its release may choose
    // What that press was on, and what lay under the stylus once it was
    // handled (a sub-menu it opened may lie there now). A release chooses
    // the pressed item, or an item the stylus moved onto, never one that
    // only appeared under it.
    std::pair<int, int> pressHit_{-1, -1};
    std::pair<int, int> stillHit_{-2, -2};
    bool movedOn_ = false;
    UINT result_ = 0;
};

thread_local MenuTracker* activeTracker = nullptr;

LRESULT MenuWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (activeTracker)
        return activeTracker->Proc(hwnd, message, wParam, lParam);
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

SIZE MeasureMenu(const zorun::MenuData& data) {
    int width = kMinWidth;
    int height = 2;
    HFONT font = zorun::DialogFont();
    for (const auto& item : data.items) {
        if (item.flags & MF_SEPARATOR) {
            height += kSeparatorHeight;
            continue;
        }
        width = std::max(width, zorun::TextWidth(font, item.text) + kTextLeft + kTextRight);
        height += kItemHeight;
    }
    return {std::min(width, zorun::kScreenWidth), std::min(height, zorun::kScreenHeight)};
}

RECT ItemRect(const zorun::MenuData& data, std::size_t index, int width) {
    int y = 1;
    for (std::size_t i = 0; i < data.items.size(); ++i) {
        const int h = (data.items[i].flags & MF_SEPARATOR) ? kSeparatorHeight : kItemHeight;
        if (i == index)
            return {1, y, width - 1, y + h};
        y += h;
    }
    return {};
}

UINT MenuTracker::Run(HMENU menu, int x, int y) {
    if (!Open(menu, x, y, flags_, -1))
        return 0;
    HWND root = levels_.front().hwnd;
    SetCapture(root);
    SetFocus(root);
    if (!ended_)
        RunModalLoop(root);
    if (GetCapture() == root)
        ReleaseCapture();
    CloseFrom(0);
    return result_;
}

bool MenuTracker::Open(HMENU menu, int x, int y, UINT align, int avoidLeft) {
    zorun::MenuData* data = zorun::MenuTable::Get().Find(menu);
    if (!data || data->items.empty())
        return false;
    // The owner may change the menu: ask before measuring it.
    const auto index = static_cast<int>(levels_.empty() ? 0 : levels_.back().hot);
    if (owner_ && IsWindow(owner_))
        SendMessageW(owner_, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu),
                     MAKELPARAM(std::max(index, 0), FALSE));
    data = zorun::MenuTable::Get().Find(menu);
    if (!data || data->items.empty())
        return false;
    const SIZE size = MeasureMenu(*data);
    int left = (align & TPM_RIGHTALIGN) ? x - size.cx : x;
    int top = (align & TPM_BOTTOMALIGN) ? y - size.cy : y;
    // Kept on screen: a sub-menu that does not fit on the right opens on the
    // left, and one that fits on neither side keeps to the screen's right
    // edge, so that the start of its parent's items stays in sight.
    if (left + size.cx > zorun::kScreenWidth)
        left = avoidLeft - size.cx >= 0 ? avoidLeft - size.cx : zorun::kScreenWidth - size.cx;
    if (top + size.cy > zorun::kScreenHeight)
        top = zorun::kScreenHeight - size.cy;
    left = std::clamp(left, 0, std::max(0, zorun::kScreenWidth - size.cx));
    top = std::max(top, 0);
    HWND hwnd =
        CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, u"Menu", u"", WS_POPUP, left, top,
                        size.cx, size.cy, zorun::TopLevelOf(owner_), nullptr, MenuWndProc, nullptr);
    if (!hwnd)
        return false;
    zorun::SetWindowBackground(hwnd, std::nullopt);
    zorun::MarkTransientWindow(hwnd);
    levels_.push_back({menu, hwnd, {left, top, left + size.cx, top + size.cy}, -1});
    ShowWindow(hwnd, SW_SHOWNA);
    return true;
}

void MenuTracker::CloseFrom(std::size_t level) {
    while (levels_.size() > level) {
        HWND hwnd = levels_.back().hwnd;
        levels_.pop_back();
        if (IsWindow(hwnd))
            DestroyWindow(hwnd);
    }
}

void MenuTracker::OpenSubmenu(std::size_t level, int index) {
    zorun::MenuData* data = Data(level);
    if (!data || index < 0 || static_cast<std::size_t>(index) >= data->items.size())
        return;
    const zorun::MenuItem& item = data->items[static_cast<std::size_t>(index)];
    if (!item.sub || !Selectable(item))
        return;
    if (levels_.size() > level + 1 && levels_[level + 1].menu == item.sub)
        return;
    CloseFrom(level + 1);
    const Level& parent = levels_[level];
    const RECT r = ItemRect(*data, static_cast<std::size_t>(index), parent.rect.Width());
    Open(item.sub, parent.rect.right - 2, parent.rect.top + r.top - 1, 0, parent.rect.left + 2);
}

int MenuTracker::LevelOf(HWND hwnd) const {
    for (std::size_t i = 0; i < levels_.size(); ++i)
        if (levels_[i].hwnd == hwnd)
            return static_cast<int>(i);
    return -1;
}

std::pair<int, int> MenuTracker::HitTest(POINT p) const {
    for (std::size_t l = levels_.size(); l-- > 0;) {
        const Level& level = levels_[l];
        if (!level.rect.Contains(p))
            continue;
        const zorun::MenuData* data = Data(l);
        if (!data)
            return {static_cast<int>(l), -1};
        const POINT local{p.x - level.rect.left, p.y - level.rect.top};
        for (std::size_t i = 0; i < data->items.size(); ++i)
            if (ItemRect(*data, i, level.rect.Width()).Contains(local))
                return {static_cast<int>(l), static_cast<int>(i)};
        return {static_cast<int>(l), -1};
    }
    return {-1, -1};
}

void MenuTracker::SetHot(std::size_t level, int index) {
    if (level >= levels_.size())
        return;
    if (zorun::MenuData* data = Data(level);
        data && index >= 0 && static_cast<std::size_t>(index) < data->items.size() &&
        (data->items[static_cast<std::size_t>(index)].flags & MF_SEPARATOR))
        index = -1;
    if (levels_[level].hot != index) {
        levels_[level].hot = index;
        InvalidateRect(levels_[level].hwnd, nullptr, FALSE);
    }
}

void MenuTracker::Choose(std::size_t level, int index) {
    zorun::MenuData* data = Data(level);
    if (!data || index < 0 || static_cast<std::size_t>(index) >= data->items.size())
        return;
    const zorun::MenuItem& item = data->items[static_cast<std::size_t>(index)];
    if (!Selectable(item))
        return;
    if (item.sub) {
        OpenSubmenu(level, index);
        return;
    }
    End(item.id);
}

void MenuTracker::End(UINT command) {
    if (ended_)
        return;
    ended_ = true;
    result_ = command;
    if (!levels_.empty())
        EndModalLoop(levels_.front().hwnd, static_cast<int>(command));
}

void MenuTracker::Key(int vk) {
    if (levels_.empty())
        return;
    const std::size_t level = levels_.size() - 1;
    zorun::MenuData* data = Data(level);
    if (!data)
        return;
    const int count = static_cast<int>(data->items.size());
    int hot = levels_[level].hot;
    switch (vk) {
    case VK_UP:
    case VK_DOWN: {
        const int step = vk == VK_DOWN ? 1 : -1;
        for (int n = 0; n < count; ++n) {
            hot = (hot < 0) ? (step > 0 ? 0 : count - 1) : (hot + step + count) % count;
            if (!(data->items[static_cast<std::size_t>(hot)].flags & MF_SEPARATOR))
                break;
        }
        SetHot(level, hot);
        break;
    }
    case VK_RIGHT:
        OpenSubmenu(level, hot);
        if (levels_.size() > level + 1)
            Key(VK_DOWN);
        break;
    case VK_LEFT:
        if (level > 0)
            CloseFrom(level);
        break;
    case VK_RETURN:
        Choose(level, hot);
        if (levels_.size() > level + 1)
            Key(VK_DOWN);
        break;
    case VK_ESCAPE:
        if (level > 0)
            CloseFrom(level);
        else
            End(0);
        break;
    default:
        break;
    }
}

void MenuTracker::Paint(HWND hwnd) {
    PAINTSTRUCT ps{};
    HDC hdc = BeginPaint(hwnd, &ps);
    const int l = LevelOf(hwnd);
    if (hdc && l >= 0) {
        const Level& level = levels_[static_cast<std::size_t>(l)];
        const RECT all{0, 0, level.rect.Width(), level.rect.Height()};
        zorun::FillSolid(hdc, all, zorun::kControlBack);
        zorun::FrameSolid(hdc, all, zorun::kControlFrame);
        if (const zorun::MenuData* data = Data(static_cast<std::size_t>(l))) {
            for (std::size_t i = 0; i < data->items.size(); ++i) {
                const auto& item = data->items[i];
                const RECT r = ItemRect(*data, i, all.right);
                if (item.flags & MF_SEPARATOR) {
                    zorun::FillSolid(hdc, {r.left + 2, r.top + 3, r.right - 2, r.top + 4},
                                     zorun::kDisabledText);
                    continue;
                }
                const bool hot = static_cast<int>(i) == level.hot;
                const bool disabled = !Selectable(item);
                if (hot && !disabled)
                    zorun::FillSolid(hdc, r, zorun::kSelectionBack);
                const COLORREF color = disabled ? zorun::kDisabledText
                                       : hot    ? zorun::kSelectionText
                                                : zorun::kControlText;
                zorun::DrawLabel(hdc, item.text, {r.left + kTextLeft, r.top, r.right - 4, r.bottom},
                                 DT_LEFT | DT_VCENTER | DT_SINGLELINE, color, zorun::DialogFont());
                if (item.flags & MF_CHECKED) {
                    // A small tick.
                    const int cx = r.left + 4, cy = r.top + kItemHeight / 2;
                    for (int k = 0; k < 3; ++k)
                        zorun::FillSolid(hdc, {cx + k, cy + k - 1, cx + k + 1, cy + k + 1}, color);
                    for (int k = 0; k < 5; ++k)
                        zorun::FillSolid(
                            hdc, {cx + 3 + k, cy + 1 - k - 1, cx + 4 + k, cy + 1 - k + 1}, color);
                }
                if (item.sub) {
                    // A right-pointing triangle.
                    const int ax = r.right - 10, ay = r.top + kItemHeight / 2;
                    for (int k = 0; k < 4; ++k)
                        zorun::FillSolid(hdc, {ax + k, ay - 3 + k, ax + k + 1, ay + 4 - k}, color);
                }
            }
        }
    }
    EndPaint(hwnd, &ps);
}

LRESULT MenuTracker::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT:
        Paint(hwnd);
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_LBUTTONDOWN:
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP: {
        POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        ClientToScreen(hwnd, &p);
        const auto hit = HitTest(p);
        const auto [level, item] = hit;
        if (message == WM_LBUTTONDOWN) {
            sawDown_ = true;
            movedOn_ = false;
            pressHit_ = hit;
            if (level < 0) {
                End(0); // a tap outside dismisses
                return 0;
            }
        }
        if (message == WM_MOUSEMOVE) {
            if (!(wParam & MK_LBUTTON))
                return 0;
            if (hit != stillHit_)
                movedOn_ = true;
        }
        if (message == WM_LBUTTONUP) {
            const bool pressed = sawDown_ && hit == pressHit_;
            if (!pressed && !movedOn_)
                return 0; // on what opened under the stylus: it stays open
        }
        if (level < 0) {
            if (!levels_.empty())
                SetHot(levels_.size() - 1, -1);
            return 0;
        }
        const auto l = static_cast<std::size_t>(level);
        // Deeper levels stay only while the stylus is on the item that opened them.
        const zorun::MenuData* data = Data(l);
        const HMENU sub =
            (data && item >= 0) ? data->items[static_cast<std::size_t>(item)].sub : nullptr;
        const bool keepOpen = sub && levels_.size() > l + 1 && levels_[l + 1].menu == sub;
        CloseFrom(keepOpen ? l + 2 : l + 1);
        SetHot(l, item);
        if (message != WM_LBUTTONUP) {
            OpenSubmenu(l, item);
            stillHit_ = HitTest(p);
            return 0;
        }
        // A release chooses the item (an item with a sub-menu keeps it open).
        Choose(l, item);
        return 0;
    }
    case WM_KEYDOWN:
        Key(static_cast<int>(wParam));
        return 0;
    case WM_CAPTURECHANGED:
        if (!ended_ && !levels_.empty() && hwnd == levels_.front().hwnd &&
            reinterpret_cast<HWND>(lParam) != hwnd)
            End(0);
        return 0;
    default:
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
}

} // namespace

BOOL TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int, HWND owner, const RECT*) {
    if (!IsMenu(menu))
        return FALSE;
    MenuTracker* const outer = activeTracker;
    zorun::FocusKeeper focus;
    MenuTracker tracker(owner, flags);
    activeTracker = &tracker;
    const UINT command = tracker.Run(menu, x, y);
    activeTracker = outer;
    if (flags & TPM_RETURNCMD)
        return static_cast<BOOL>(command);
    if (command == 0)
        return FALSE;
    if (owner && IsWindow(owner))
        PostMessageW(owner, WM_COMMAND, MAKEWPARAM(static_cast<int>(command), 0), 0);
    return TRUE;
}
