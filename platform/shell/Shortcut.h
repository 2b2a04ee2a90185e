#pragma once
// Shortcut files (.lnk): one line of text "<n>#<target> [arguments]",
// optionally followed by "?<icon file>,-<icon number>". The count <n> is
// advisory (files in the wild often get it wrong), so the target is the rest
// of the line after the first '#', up to a '?'. Only the first line counts,
// read in whole up to the longest target the device can start: a file of
// any size, content or kind (a FIFO, a folder) is safe to read.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "platform/base/WinTypes.h"

namespace zorun {

// The longest target a shortcut can hold, in characters: a program path of
// the device's longest (MAX_PATH, 260), a blank, and a command line of the
// longest the system passes (32767).
constexpr std::size_t kMaxShortcutTarget = 260 + 1 + 32767;
// Bytes read from a shortcut file: room for "<n>#", the longest target and
// an icon part, at up to four bytes a character. Nothing past this is read.
constexpr std::size_t kShortcutFileLimit = 4 * (kMaxShortcutTarget + 2 * 260);

// The first line of the file at a device path (without its line end), read
// through the device's bounded reader: at most `limit` bytes. nullopt when
// the file is missing, unreadable or not a regular file.
[[nodiscard]] std::optional<std::string> ReadShortcutFile(std::u16string_view devicePath,
                                                          std::size_t limit = kShortcutFileLimit);

// The file's bytes as text: UTF-8 when they are valid UTF-8, else each byte
// as one character (the device's ANSI code page for Western text).
[[nodiscard]] std::u16string ShortcutText(std::string_view bytes);

// The target text (program and arguments) of a shortcut file's content;
// nullopt when there is no "<n>#", or the target is empty or longer than
// kMaxShortcutTarget (a file too long to be a shortcut is not cut short).
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
