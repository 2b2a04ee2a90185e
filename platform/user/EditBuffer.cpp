#include "platform/user/EditBuffer.h"

#include <algorithm>

namespace zorun {

namespace {

bool IsHigh(char16_t c) {
    return c >= 0xD800 && c <= 0xDBFF;
}
bool IsLow(char16_t c) {
    return c >= 0xDC00 && c <= 0xDFFF;
}
bool IsSpace(char16_t c) {
    return c == u' ' || c == u'\t' || c == 0x00A0 || c == 0x3000;
}

} // namespace

void EditBuffer::SetText(std::u16string text) {
    text_ = std::move(text);
    caret_ = anchor_ = 0;
    pendingHigh_ = 0;
}

std::size_t EditBuffer::Boundary(std::size_t position) const {
    position = std::min(position, text_.size());
    if (position > 0 && position < text_.size() && IsHigh(text_[position - 1]) &&
        IsLow(text_[position]))
        --position;
    return position;
}

void EditBuffer::Select(std::size_t anchor, std::size_t caret) {
    anchor_ = Boundary(anchor);
    caret_ = Boundary(caret);
}

void EditBuffer::MoveCaret(std::size_t to, bool extend) {
    caret_ = Boundary(to);
    if (!extend)
        anchor_ = caret_;
}

void EditBuffer::SetLimit(std::size_t limit) {
    limit_ = limit == 0 ? kLargestLimit : std::min(limit, kLargestLimit);
}

std::size_t EditBuffer::Previous(std::size_t position) const {
    position = Boundary(position);
    if (position == 0)
        return 0;
    --position;
    return Boundary(position);
}

std::size_t EditBuffer::Next(std::size_t position) const {
    position = Boundary(position);
    if (position >= text_.size())
        return text_.size();
    if (IsHigh(text_[position]) && position + 1 < text_.size() && IsLow(text_[position + 1]))
        return position + 2;
    return position + 1;
}

std::pair<std::size_t, std::size_t> EditBuffer::WordAt(std::size_t position) const {
    position = Boundary(position);
    if (text_.empty())
        return {0, 0};
    if (position == text_.size())
        position = Previous(position);
    const bool space = IsSpace(text_[position]);
    std::size_t first = position, last = position;
    while (first > 0 && IsSpace(text_[first - 1]) == space)
        --first;
    while (last < text_.size() && IsSpace(text_[last]) == space)
        ++last;
    return {first, last}; // surrogates are never space, so pairs stay whole
}

EditBuffer::Result EditBuffer::ReplaceSelection(std::u16string_view insert) {
    const std::size_t from = SelectionStart(), to = SelectionEnd();
    const std::size_t kept = text_.size() - (to - from);
    const std::size_t room = limit_ > kept ? limit_ - kept : 0;
    Result result;
    if (insert.size() > room) {
        result.truncated = true;
        std::size_t cut = room;
        // Never half a pair.
        if (cut > 0 && IsHigh(insert[cut - 1]))
            --cut;
        insert = insert.substr(0, cut);
    }
    if (insert.empty() && from == to)
        return result;
    text_.replace(from, to - from, insert);
    caret_ = anchor_ = from + insert.size();
    result.changed = true;
    return result;
}

EditBuffer::Result EditBuffer::Type(char16_t unit) {
    if (IsHigh(unit)) {
        pendingHigh_ = unit;
        return {};
    }
    if (IsLow(unit)) {
        const char16_t high = pendingHigh_;
        pendingHigh_ = 0;
        if (!high)
            return {}; // a low half alone
        const char16_t pair[2] = {high, unit};
        return ReplaceSelection(std::u16string_view(pair, 2));
    }
    pendingHigh_ = 0; // a high half whose low one never came
    return ReplaceSelection(std::u16string_view(&unit, 1));
}

EditBuffer::Result EditBuffer::DeleteBackward() {
    if (!HasSelection()) {
        if (caret_ == 0)
            return {};
        anchor_ = Previous(caret_);
    }
    return ReplaceSelection({});
}

EditBuffer::Result EditBuffer::DeleteForward() {
    if (!HasSelection()) {
        if (caret_ >= text_.size())
            return {};
        anchor_ = Next(caret_);
    }
    return ReplaceSelection({});
}

} // namespace zorun
