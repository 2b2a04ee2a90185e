#pragma once
// The string table: texts by number, from the language's resources handed
// over at start-up (see PlatformResources.h).

#include <span>
#include <string>

#include "platform/base/ResourceTables.h"
#include "platform/base/WinTypes.h"

namespace zorun {

struct StringResource {
    UINT id;
    const char16_t* text;
};

inline ResourceTables<StringResource>& StringTables() {
    static ResourceTables<StringResource> tables;
    return tables;
}
// A table of the caller's own, ahead of the language's.
inline bool RegisterStrings(std::span<const StringResource> table) {
    StringTables().Add(table);
    return true;
}

} // namespace zorun

// The text of string `id`; empty when the table has none.
std::u16string LoadStringW(UINT id);
// Copies string `id` into `buffer` (at most capacity - 1 characters and a
// terminator); returns the characters copied, 0 when the string is unknown.
int LoadStringW(HINSTANCE instance, UINT id, char16_t* buffer, int capacity);
