#pragma once
// How a shortcut's target text is read, the same for launching it and for
// finding its icon: the desktop target, shortcut files, and where the
// program part of a resolved target ends.

#include <cstddef>
#include <string_view>

// The target that brings the desktop to the front.
inline constexpr std::u16string_view kDesktopTarget = u"\\windows\\shell32.exe";

// True when `target` names a shortcut file: ".lnk" is its extension (the
// text ends with it, after at least one character). A folder or a file
// whose name merely contains ".lnk" ("a.lnkdir\p.exe") is not one.
[[nodiscard]] bool IsShortcutFile(std::u16string_view target);

// Where the program part of a shortcut's target ends: just after the first
// ".exe" that ends the text or is followed by a blank or a quote (so
// "\x.exe.d\p.exe arg" runs p.exe); npos when there is none.
[[nodiscard]] std::size_t ProgramEnd(std::u16string_view target);
