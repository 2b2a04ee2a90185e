#include "platform/user/ListViewModel.h"

namespace zorun {

int ListViewModel::InsertColumn(int index, Column column) {
    if (ColumnCount() >= kMaxColumns || index < 0)
        return -1;
    if (index > ColumnCount())
        index = ColumnCount();
    columns_.insert(columns_.begin() + index, std::move(column));
    // The items' texts move with their columns.
    for (Item& item : items_)
        if (static_cast<int>(item.texts.size()) > index)
            item.texts.insert(item.texts.begin() + index, std::u16string());
    return index;
}

int ListViewModel::ColumnLeft(int c) const {
    int x = 0;
    for (int i = 0; i < c && i < ColumnCount(); ++i)
        x += columns_[Index(i)].width;
    return x;
}

int ListViewModel::TotalWidth() const {
    return ColumnLeft(ColumnCount());
}

int ListViewModel::InsertItem(int index, Item item) {
    if (index < 0 || index > ItemCount())
        index = ItemCount();
    items_.insert(items_.begin() + index, std::move(item));
    return index;
}

bool ListViewModel::DeleteItem(int index) {
    if (!ValidItem(index))
        return false;
    items_.erase(items_.begin() + index);
    return true;
}

const std::u16string& ListViewModel::Text(int item, int subItem) const {
    static const std::u16string empty;
    const Item* it = ItemAt(item);
    if (!it || subItem < 0 || subItem >= static_cast<int>(it->texts.size()))
        return empty;
    return it->texts[Index(subItem)];
}

bool ListViewModel::SetText(int item, int subItem, std::u16string text) {
    Item* it = ItemAt(item);
    if (!it || subItem < 0 || subItem >= kMaxColumns)
        return false;
    if (static_cast<int>(it->texts.size()) <= subItem)
        it->texts.resize(Index(subItem) + 1);
    it->texts[Index(subItem)] = std::move(text);
    return true;
}

UINT ListViewModel::State(int item) const {
    const Item* it = ItemAt(item);
    return it ? it->state : 0;
}

int ListViewModel::NextWith(int start, UINT states) const {
    for (int i = start < 0 ? 0 : start + 1; i < ItemCount(); ++i)
        if ((items_[Index(i)].state & states) == states)
            return i;
    return -1;
}

int ListViewModel::CountWith(UINT states) const {
    int n = 0;
    for (const Item& item : items_)
        n += (item.state & states) == states;
    return n;
}

} // namespace zorun
