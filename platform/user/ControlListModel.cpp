#include "platform/user/ControlListModel.h"

#include <algorithm>

#include "platform/base/Text.h"
#include "platform/user/Controls.h"

namespace zorun {

int ControlListModel::Add(std::u16string text, bool sorted) {
    if (!sorted) {
        items_.push_back({std::move(text), 0});
        return Count() - 1;
    }
    auto it =
        std::upper_bound(items_.begin(), items_.end(), text,
                         [](const auto& t, const Item& i) { return CompareNoCase(t, i.text) < 0; });
    const auto index = it - items_.begin();
    items_.insert(it, {std::move(text), 0});
    return static_cast<int>(index);
}

int ControlListModel::Insert(int index, std::u16string text) {
    if (index < 0 || index > Count())
        index = Count();
    items_.insert(items_.begin() + index, {std::move(text), 0});
    return index;
}

bool ControlListModel::Delete(int index) {
    if (!Valid(index))
        return false;
    items_.erase(items_.begin() + index);
    return true;
}

LRESULT CopyItemText(const ControlListModel& model, int index, LPARAM buffer) {
    const auto* item = model.At(index);
    if (!item || !buffer)
        return -1;
    auto* out = reinterpret_cast<char16_t*>(buffer);
    std::copy(item->text.begin(), item->text.end(), out);
    out[item->text.size()] = u'\0';
    return static_cast<LRESULT>(item->text.size());
}

std::u16string ListItemText(HWND control, int index) {
    // Both classes answer their own length message; the other one answers -1 or 0.
    LRESULT length = SendMessageW(control, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    UINT get = LB_GETTEXT;
    if (length < 0 || SendMessageW(control, LB_GETCOUNT, 0, 0) <= index) {
        length = SendMessageW(control, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
        get = CB_GETLBTEXT;
    }
    if (length < 0 || length > 1 << 20)
        return {};
    std::u16string text(static_cast<std::size_t>(length) + 1, u'\0');
    const LRESULT copied = SendMessageW(control, get, static_cast<WPARAM>(index),
                                        reinterpret_cast<LPARAM>(text.data()));
    if (copied < 0)
        return {};
    text.resize(std::min(static_cast<std::size_t>(copied), static_cast<std::size_t>(length)));
    return text;
}

} // namespace zorun
