#pragma once
// The unique-name rule of a group's shortcuts: a name already taken becomes
// the name followed by 1, 2, ... ("%s%d"), the first number that is free.
// Used when a shortcut is dropped on another group and by the shortcut
// commands; whether names compare ignoring case is the caller's choice.

#include <span>
#include <string>
#include <string_view>

enum class NameCompare { ExactCase, IgnoreCase };

// `name` itself when no entry of `taken` equals it, else the name formatted
// with "%s%d" and the smallest k >= 1 that no entry equals.
[[nodiscard]] std::u16string MakeUniqueName(std::u16string_view name,
                                            std::span<const std::u16string> taken,
                                            NameCompare compare);
