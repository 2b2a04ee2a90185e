#pragma once
// What a list view holds: its columns and its items, each item with the
// texts of its columns (sub-items), its state bits (LVIS_SELECTED,
// LVIS_FOCUSED) and its parameter. Plain data: the control turns changes
// into notifications.

#include <string>
#include <vector>

#include "platform/user/WinUser.h"

namespace zorun {

class ListViewModel {
  public:
    // More columns or sub-items than this are refused.
    static constexpr int kMaxColumns = 64;

    struct Column {
        std::u16string text;
        int width = 0;
        int format = 0; // LVCFMT_LEFT, _RIGHT, _CENTER
    };
    struct Item {
        std::vector<std::u16string> texts; // by column; missing ones are empty
        UINT state = 0;
        LPARAM param = 0;
    };

    // Where it went (at the end when `index` is past it), or -1.
    int InsertColumn(int index, Column column);
    [[nodiscard]] int ColumnCount() const { return static_cast<int>(columns_.size()); }
    [[nodiscard]] bool ValidColumn(int c) const { return c >= 0 && c < ColumnCount(); }
    [[nodiscard]] Column* ColumnAt(int c) { return ValidColumn(c) ? &columns_[Index(c)] : nullptr; }
    [[nodiscard]] const Column* ColumnAt(int c) const {
        return ValidColumn(c) ? &columns_[Index(c)] : nullptr;
    }
    // The columns' left edges, relative to the first one's.
    [[nodiscard]] int ColumnLeft(int c) const;
    [[nodiscard]] int TotalWidth() const;

    // Where it went (at the end when `index` is negative or past it).
    int InsertItem(int index, Item item);
    bool DeleteItem(int index);
    void Clear() { items_.clear(); }
    [[nodiscard]] int ItemCount() const { return static_cast<int>(items_.size()); }
    [[nodiscard]] bool ValidItem(int i) const { return i >= 0 && i < ItemCount(); }
    [[nodiscard]] Item* ItemAt(int i) { return ValidItem(i) ? &items_[Index(i)] : nullptr; }
    [[nodiscard]] const Item* ItemAt(int i) const {
        return ValidItem(i) ? &items_[Index(i)] : nullptr;
    }

    // A sub-item's text; empty for one never set.
    [[nodiscard]] const std::u16string& Text(int item, int subItem) const;
    // False for an item that does not exist or a sub-item out of range.
    bool SetText(int item, int subItem, std::u16string text);

    [[nodiscard]] UINT State(int item) const;
    // The next item after `start` (-1: from the first) whose state has all of
    // `states`; -1 when there is none.
    [[nodiscard]] int NextWith(int start, UINT states) const;
    [[nodiscard]] int CountWith(UINT states) const;

  private:
    static std::size_t Index(int i) { return static_cast<std::size_t>(i); }
    std::vector<Column> columns_;
    std::vector<Item> items_;
};

} // namespace zorun
