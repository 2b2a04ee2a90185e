#pragma once
// UTF-16 text, the program's text everywhere, and its conversion to UTF-8
// at the host boundary (file names, argv, fontconfig, X11 properties).

#include <string>
#include <string_view>

namespace zorun {

// Invalid sequences become U+FFFD; nothing is dropped silently.
[[nodiscard]] std::string ToUtf8(std::u16string_view text);
[[nodiscard]] std::u16string FromUtf8(std::string_view text);

// Unicode simple case folding of one code point.
[[nodiscard]] char32_t FoldCase(char32_t c);

// Compares ignoring case (simple case folding, code point by code point):
// negative, zero or positive, like _wcsicmp.
[[nodiscard]] int CompareNoCase(std::u16string_view a, std::u16string_view b);
[[nodiscard]] inline bool EqualsNoCase(std::u16string_view a, std::u16string_view b) {
    return CompareNoCase(a, b) == 0;
}
// The text with every code point case-folded (for keys of case-insensitive maps).
[[nodiscard]] std::u16string FoldText(std::u16string_view text);

// Finds `needle` in `haystack` ignoring case; npos when absent.
[[nodiscard]] std::size_t FindNoCase(std::u16string_view haystack, std::u16string_view needle,
                                     std::size_t from = 0);

// True for characters drawn twice as wide as Latin letters: CJK ideographs,
// kana, Hangul, full-width forms (East Asian Width "wide" or "full-width").
[[nodiscard]] bool IsDoubleWidth(char32_t c);

// Length of a NUL-terminated UTF-16 buffer, never reading past `capacity`.
[[nodiscard]] std::size_t BoundedLength(const char16_t* text, std::size_t capacity);

} // namespace zorun

// Case-insensitive comparison under the device's name.
[[nodiscard]] inline int _wcsicmp(const char16_t* a, const char16_t* b) {
    return zorun::CompareNoCase(a, b);
}
