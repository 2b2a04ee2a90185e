#include "platform/shell/Shortcut.h"

#include <algorithm>

#include "platform/base/Text.h"
#include "platform/kernel/FileSystem.h"

namespace zorun {

namespace {

bool IsValidUtf8(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size()) {
        const auto c = static_cast<unsigned char>(s[i]);
        std::size_t extra = c < 0x80         ? 0
                            : (c >> 5) == 6  ? 1
                            : (c >> 4) == 14 ? 2
                            : (c >> 3) == 30 ? 3
                                             : 9;
        if (extra == 9 || i + extra >= s.size() + (extra ? 0 : 1))
            return false;
        for (std::size_t k = 1; k <= extra; ++k)
            if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80)
                return false;
        i += extra + 1;
    }
    return true;
}

} // namespace

std::optional<std::string> ReadShortcutFile(std::u16string_view devicePath, std::size_t limit) {
    const std::u16string path(devicePath);
    const auto bytes = ReadDeviceFilePrefix(path.c_str(), limit);
    if (!bytes)
        return std::nullopt;
    const auto end = std::find_if(bytes->begin(), bytes->end(),
                                  [](std::uint8_t b) { return b == '\r' || b == '\n'; });
    return std::string(bytes->begin(), end);
}

std::u16string ShortcutText(std::string_view bytes) {
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF")
        bytes.remove_prefix(3);
    if (IsValidUtf8(bytes))
        return FromUtf8(bytes);
    std::u16string text;
    text.reserve(bytes.size());
    for (char c : bytes)
        text.push_back(static_cast<unsigned char>(c));
    return text;
}

std::optional<std::u16string> ParseShortcutTarget(std::u16string_view text) {
    text = text.substr(0, text.find_first_of(u"\r\n"));
    const auto hash = text.find(u'#');
    if (hash == std::u16string_view::npos)
        return std::nullopt;
    for (char16_t c : text.substr(0, hash))
        if (c < u'0' || c > u'9')
            return std::nullopt;
    auto target = text.substr(hash + 1);
    target = target.substr(0, target.find(u'?'));
    while (!target.empty() && (target.back() == u' ' || target.back() == u'\t'))
        target.remove_suffix(1);
    if (target.empty() || target.size() > kMaxShortcutTarget)
        return std::nullopt;
    return std::u16string(target);
}

ShortcutIconLocation ParseShortcutIconLocation(std::u16string_view text) {
    if (const auto mark = text.find(u'?'); mark != std::u16string_view::npos)
        text = text.substr(mark + 1);
    ShortcutIconLocation location;
    const auto comma = text.find(u',');
    location.file = std::u16string(text.substr(0, comma));
    if (comma == std::u16string_view::npos || comma + 2 > text.size())
        return location;
    // Read as _wtol would: blanks, a sign, then digits up to the first other
    // character; the value saturates instead of overflowing.
    auto digits = text.substr(comma + 2);
    std::size_t i = 0;
    while (i < digits.size() && (digits[i] == u' ' || digits[i] == u'\t'))
        ++i;
    bool negative = false;
    if (i < digits.size() && (digits[i] == u'-' || digits[i] == u'+'))
        negative = digits[i++] == u'-';
    long value = 0;
    for (; i < digits.size() && digits[i] >= u'0' && digits[i] <= u'9'; ++i)
        value = value > 100000000L ? 1000000000L : value * 10 + (digits[i] - u'0');
    location.number = negative ? -value : value;
    return location;
}

} // namespace zorun

BOOL SHGetShortcutTarget(LPCWSTR shortcutFile, LPWSTR target, int capacity) {
    if (!target || capacity <= 0)
        return FALSE;
    target[0] = u'\0';
    if (!shortcutFile)
        return FALSE;
    const auto bytes = zorun::ReadShortcutFile(shortcutFile);
    if (!bytes)
        return FALSE;
    const auto text = zorun::ParseShortcutTarget(zorun::ShortcutText(*bytes));
    if (!text || capacity < 2)
        return FALSE;
    const auto length = std::min<std::size_t>(text->size(), static_cast<std::size_t>(capacity - 1));
    std::copy_n(text->begin(), length, target);
    target[length] = u'\0';
    return TRUE;
}
