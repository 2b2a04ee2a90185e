#pragma once
// What the built-in controls share: per-window state kept in a table by
// handle (freed at WM_DESTROY), the font set with WM_SETFONT, and the
// notification to the parent.

#include <memory>
#include <optional>
#include <typeindex>
#include <unordered_map>

#include "platform/user/Controls.h"
#include "platform/user/Dialog.h"

namespace zorun {

// The slot of one control class's state table in the window system's state,
// so that a reset of the window system forgets every control's state.
[[nodiscard]] std::shared_ptr<void>& ControlStateTable(std::type_index stateType);

template <typename State> class ControlStates {
  public:
    // The state of `hwnd`, made on first use.
    static State& Of(HWND hwnd) {
        auto& slot = Table()[hwnd];
        if (!slot)
            slot = std::make_unique<State>();
        return *slot;
    }
    // The state of `hwnd` if it has one, without making one.
    static State* Find(HWND hwnd) {
        auto it = Table().find(hwnd);
        return it == Table().end() ? nullptr : it->second.get();
    }
    static void Forget(HWND hwnd) { Table().erase(hwnd); }

  private:
    using Map = std::unordered_map<HWND, std::unique_ptr<State>>;
    static Map& Table() {
        std::shared_ptr<void>& slot = ControlStateTable(typeid(State));
        if (!slot)
            slot = std::make_shared<Map>();
        return *static_cast<Map*>(slot.get());
    }
};

// Sends WM_COMMAND (id, code) with the control's handle to its parent.
void NotifyParent(HWND control, UINT code);
// The control's style bits.
[[nodiscard]] DWORD StyleOf(HWND control);
// The top-level window holding `hwnd` (itself when it is one).
[[nodiscard]] HWND TopLevelOf(HWND hwnd);
// Pop-ups that never count as the window in front (menus, drop-down lists,
// tool tips, the wait cursor): the navigation bar keeps the title of the
// window beneath them.
void MarkTransientWindow(HWND hwnd);
[[nodiscard]] bool IsTransientWindow(HWND hwnd);
// The control's client rectangle (empty when it is gone).
[[nodiscard]] RECT ClientOf(HWND control);
// The client rectangle inside the one-pixel frame WS_BORDER draws.
[[nodiscard]] RECT InsideBorder(HWND control);
// Where a list's selection goes for an arrow, page, Home or End key, from
// `current` (-1: none yet) among `count` rows of which `page` show; nullopt
// for any other key.
[[nodiscard]] std::optional<int> RowAfterKey(int vk, int current, int count, int page);

// The font a control draws with: its own (WM_SETFONT), else the dialog font.
[[nodiscard]] HFONT FontOf(HFONT own);
// The cell height of a font (ascent + descent), in pixels.
[[nodiscard]] int FontHeight(HFONT font);

// Readies a control's paint DC as a Win32 control does: selects its font and
// the default colours, then asks its parent with `ctlColorMessage`
// (WM_CTLCOLORSTATIC, ...EDIT, ...LISTBOX, ...BTN), which may change the
// colours and select another font into the DC. Returns the parent's
// background brush, null when it left the choice to the control. Draw with
// the DC's font and text colour afterwards.
HBRUSH PrepareControlDC(HWND control, HDC hdc, UINT ctlColorMessage, HFONT ownFont, COLORREF text);
// The window a control's WM_CTLCOLOR* and notifications go to: its parent,
// or for a combo box's dropped list, the combo box's parent.
[[nodiscard]] HWND ColorTargetOf(HWND control);
// The combo box whose dropped list `list` is; null for any other window.
[[nodiscard]] HWND ComboOfDropList(HWND list);
// The font selected into `hdc`.
[[nodiscard]] HFONT CurrentFont(HDC hdc);

// Gives the focus back, when the scope ends, to the window that had it
// (modal pop-ups take the focus; their owner gets it back).
class FocusKeeper {
  public:
    FocusKeeper() : previous_(GetFocus()) {}
    FocusKeeper(const FocusKeeper&) = delete;
    FocusKeeper& operator=(const FocusKeeper&) = delete;
    ~FocusKeeper() {
        if (previous_ && IsWindow(previous_) && IsWindowVisible(previous_))
            SetFocus(previous_);
    }

  private:
    HWND previous_;
};

LRESULT StaticProc(HWND, UINT, WPARAM, LPARAM);
LRESULT ButtonProc(HWND, UINT, WPARAM, LPARAM);
LRESULT EditProc(HWND, UINT, WPARAM, LPARAM);
LRESULT ListBoxProc(HWND, UINT, WPARAM, LPARAM);
LRESULT ComboBoxProc(HWND, UINT, WPARAM, LPARAM);
LRESULT ComboListBoxProc(HWND, UINT, WPARAM, LPARAM);
LRESULT ListViewProc(HWND, UINT, WPARAM, LPARAM);

} // namespace zorun
