#pragma once
// Locale information for the process's locale (LC_ALL, LC_MESSAGES, LANG),
// with names from ICU in that locale's own language.

#include <optional>
#include <string>

#include "platform/base/WinTypes.h"

using LCID = DWORD;
using LCTYPE = DWORD;

constexpr LCID LOCALE_USER_DEFAULT = 0x0400, LOCALE_SYSTEM_DEFAULT = 0x0800;
constexpr LCTYPE LOCALE_SLANGUAGE = 0x0002, // "English (United States)"
    LOCALE_SCOUNTRY = 0x0006,               // "United States"
    LOCALE_SNATIVELANGNAME = 0x0004,        // "English"
    LOCALE_SNATIVECTRYNAME = 0x0008,        // "United States"
    LOCALE_SENGLANGUAGE = 0x1001,           // the language name in English
    LOCALE_SENGCOUNTRY = 0x1002,            // the country name in English
    LOCALE_SISO639LANGNAME = 0x0059,        // "en"
    LOCALE_SISO3166CTRYNAME = 0x005A;       // "US"

// With `capacity` 0 returns the characters needed, the terminating NUL
// included, and writes nothing. Otherwise writes the text and a NUL and
// returns that count, or 0 when the buffer is too small or the type unknown.
// Every locale id means the process's locale.
int GetLocaleInfoW(LCID locale, LCTYPE type, char16_t* buffer, int capacity);

namespace zorun {

// The process's locale as an ICU name ("de_DE"); "C" and "POSIX" read as
// en_US. A modifier that chooses a script becomes the name's script
// ("sr_RS@latin" is sr_Latn_RS, with Latin names).
[[nodiscard]] std::string ProcessLocaleName();
// Replaces the locale read from the environment ("fr_CA.UTF-8"); empty
// returns to the environment.
void SetProcessLocaleName(const std::string& name);
// One text of the process's locale (a LOCALE_S* type); nothing for another
// type or without ICU. Read from ICU once per locale.
[[nodiscard]] std::optional<std::u16string> LocaleText(LCTYPE type);

} // namespace zorun
