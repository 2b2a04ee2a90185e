#include "platform/afx/StringTable.h"

#include <algorithm>

std::u16string LoadStringW(UINT id) {
    const zorun::StringResource* found =
        zorun::StringTables().Find([id](const auto& s) { return s.id == id && s.text; });
    return found ? found->text : std::u16string();
}

int LoadStringW(HINSTANCE, UINT id, char16_t* buffer, int capacity) {
    if (!buffer || capacity <= 0)
        return 0;
    const std::u16string text = LoadStringW(id);
    const auto n = std::min<std::size_t>(text.size(), static_cast<std::size_t>(capacity - 1));
    std::copy_n(text.data(), n, buffer);
    buffer[n] = u'\0';
    return static_cast<int>(n);
}
