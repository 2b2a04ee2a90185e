#pragma once
// Searching a device folder: FindFirstFileW / FindNextFileW / FindClose.
// The pattern is a device path whose last component may hold the wildcards
// '*' (any run of characters) and '?' (one character), matched ignoring
// case; "*.*" matches every name, as on the device. The folder part must
// exist. "." and ".." are never returned. Entries come in a stable order
// (ignoring case, then by host name), each with its attributes (see
// FileSystem.h), size and last-write time. The search is a snapshot taken
// by FindFirstFileW. Search handles are kernel handles: a closed one is
// simply not found.

#include <string_view>

#include "platform/kernel/FileSystemTypes.h"

// INVALID_HANDLE_VALUE when nothing matches (ERROR_FILE_NOT_FOUND) or the
// folder is missing (ERROR_PATH_NOT_FOUND); else the first entry in `data`.
[[nodiscard]] HANDLE FindFirstFileW(LPCWSTR pattern, LPWIN32_FIND_DATAW data);
// FALSE with ERROR_NO_MORE_FILES after the last entry.
BOOL FindNextFileW(HANDLE search, LPWIN32_FIND_DATAW data);
BOOL FindClose(HANDLE search);

namespace zorun {

// True when `name` matches the wildcard `pattern` ignoring case.
[[nodiscard]] bool MatchesWildcard(std::u16string_view pattern, std::u16string_view name);

} // namespace zorun
