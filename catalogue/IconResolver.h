#pragma once
// The icon of a shortcut, shared by the launcher view's cells and the
// shortcut dialog's preview: a built-in icon when the icon reference is a resource number,
// otherwise the icon of the target (the desktop icon, a shortcut file's icon
// location or its program, the program itself), else the generic icon.

#include <string>
#include <string_view>
#include <vector>

#include "platform/base/WinTypes.h"

// How the target is compared with the desktop target and ".lnk": the view
// ignores case; the shortcut dialog's preview compares the path as written.
enum class IconTargetCase { IgnoreCase, ExactCase };

inline constexpr int kDesktopIcon = 154;
inline constexpr int kGenericProgramIcon = 155;

// An icon the caller releases with DestroyIcon once drawn, or nullptr when
// the target is empty (the cell shows no icon). Resource numbers load from
// `instance` (the program's own resources).
//  - A reference of 3 or more characters is a resource number; one that
//    names no icon gives the generic icon.
//  - The target (ignoring case unless `targetCase` says otherwise): the desktop target gives icon
//  154; a target
//    whose extension is ".lnk" is a shortcut file: its icon location
//    ("?file,-n"), else the icon of the program it starts (its program part
//    as launching finds it); anything else is a program file whose own icon
//    is used. Nothing found gives icon 155.
// With `consulted`, the device paths of the files the icon was looked for
// in are appended to it (the shortcut file, the icon file it names, the
// program), so a caller that keeps the icon knows when to ask again.
[[nodiscard]] HICON ResolveShortcutIcon(std::u16string_view target,
                                        std::u16string_view iconReference,
                                        HINSTANCE instance = nullptr,
                                        std::vector<std::u16string>* consulted = nullptr,
                                        IconTargetCase targetCase = IconTargetCase::IgnoreCase);
