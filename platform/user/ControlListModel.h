#pragma once
// The items of a list box or combo box: texts with item data, optionally
// kept sorted (ignoring case), and the LB_/CB_ item messages they share.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/user/WinUser.h"

namespace zorun {

class ControlListModel {
  public:
    struct Item {
        std::u16string text;
        LPARAM data = 0;
    };

    // Index where it went, or -1.
    int Add(std::u16string text, bool sorted);
    int Insert(int index, std::u16string text); // -1 = at the end
    bool Delete(int index);
    void Clear() { items_.clear(); }
    [[nodiscard]] int Count() const { return static_cast<int>(items_.size()); }
    [[nodiscard]] bool Valid(int index) const { return index >= 0 && index < Count(); }
    [[nodiscard]] const Item* At(int index) const {
        return Valid(index) ? &items_[static_cast<std::size_t>(index)] : nullptr;
    }
    Item* At(int index) {
        return Valid(index) ? &items_[static_cast<std::size_t>(index)] : nullptr;
    }

  private:
    std::vector<Item> items_;
};

// Copies an item's text into a caller's buffer (LB_GETTEXT/CB_GETLBTEXT):
// the caller sizes it from the ..._GETTEXTLEN answer plus the terminator.
LRESULT CopyItemText(const ControlListModel& model, int index, LPARAM buffer);

// The text of a list box's or combo box's item, whatever its length; empty
// when the index is out of range.
[[nodiscard]] std::u16string ListItemText(HWND control, int index);

} // namespace zorun
