#pragma once
// Shortcut files (.lnk): one line of text "<n>#<target> [arguments]",
// optionally followed by "?<icon file>,-<icon number>". The count <n> is
// advisory (files in the wild often get it wrong), so the target is the rest
// of the line after the first '#', up to a '?'. Files are read into a fixed
// buffer: a file of any size or content is safe to read.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "platform/base/WinTypes.h"

namespace zorun {

// Shortcut files are a few dozen bytes; nothing past this is read.
constexpr std::size_t kShortcutFileLimit = 1024;

// At most `limit` bytes of the file at a device path; nullopt when it cannot
// be opened.
[[nodiscard]] std::optional<std::string> ReadShortcutFile(std::u16string_view devicePath,
                                                          std::size_t limit = kShortcutFileLimit);

// The file's bytes as text: UTF-8 when they are valid UTF-8, else each byte
// as one character (the device's ANSI code page for Western text).
[[nodiscard]] std::u16string ShortcutText(std::string_view bytes);

// The target text (program and arguments) of a shortcut file's content;
// nullopt when there is no "<n>#" or the target is empty.
[[nodiscard]] std::optional<std::u16string> ParseShortcutTarget(std::u16string_view text);

// Where a shortcut's icon is: the text after the first '?' (the whole text
// when there is none); the file is what comes before the first ',', the
// number is what follows that comma with its first character (the minus
// sign) skipped, read as a decimal number (0 when there is none).
struct ShortcutIconLocation {
    std::u16string file;
    long number = 0;
};
[[nodiscard]] ShortcutIconLocation ParseShortcutIconLocation(std::u16string_view text);

} // namespace zorun

// Copies the target text of the shortcut file into `target` (at most
// `capacity` - 1 characters and a terminator). FALSE when the file cannot be
// read or holds no target; `target` is then an empty string.
BOOL SHGetShortcutTarget(LPCWSTR shortcutFile, LPWSTR target, int capacity);
