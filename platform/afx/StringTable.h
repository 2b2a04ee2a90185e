#pragma once
// The string table: texts by number, registered by the language's resource
// library at start-up. Registration is header-only so the resource library
// needs no link to the framework.

#include <span>
#include <string>
#include <vector>

#include "platform/base/WinTypes.h"

namespace zorun {

struct StringResource {
    UINT id;
    const char16_t* text;
};

// Every registered table; later registrations take precedence.
inline std::vector<std::span<const StringResource>>& StringTables() {
    static std::vector<std::span<const StringResource>> tables;
    return tables;
}
inline bool RegisterStrings(std::span<const StringResource> table) {
    StringTables().push_back(table);
    return true;
}

} // namespace zorun

// The text of string `id`; empty when the table has none.
std::u16string LoadStringW(UINT id);
// Copies string `id` into `buffer` (at most capacity - 1 characters and a
// terminator); returns the characters copied, 0 when the string is unknown.
int LoadStringW(HINSTANCE instance, UINT id, char16_t* buffer, int capacity);
