#pragma once
// The device's file-system types and error codes, as the program's code
// names them: FILETIME, WIN32_FIND_DATAW, the FILE_ATTRIBUTE_ flags and the
// file-system errors.

#include "platform/base/WinTypes.h"
// HANDLE, the last error and the common error codes are the kernel's.
#include "platform/kernel/ProcessHandles.h"
// MAX_PATH is shared with the process snapshot's entries.
#include "platform/kernel/ProcessSnapshot.h"

constexpr DWORD FILE_ATTRIBUTE_READONLY = 0x1;
constexpr DWORD FILE_ATTRIBUTE_HIDDEN = 0x2;
constexpr DWORD FILE_ATTRIBUTE_DIRECTORY = 0x10;
constexpr DWORD FILE_ATTRIBUTE_NORMAL = 0x80;
constexpr DWORD INVALID_FILE_ATTRIBUTES = 0xFFFFFFFF;

constexpr DWORD ERROR_WRITE_FAULT = 29;
constexpr DWORD ERROR_READ_FAULT = 30;
constexpr DWORD ERROR_FILE_EXISTS = 80;
constexpr DWORD ERROR_DISK_FULL = 112;
constexpr DWORD ERROR_INVALID_NAME = 123;
constexpr DWORD ERROR_DIR_NOT_EMPTY = 145;
constexpr DWORD ERROR_FILE_TOO_LARGE = 223;

// 100-nanosecond intervals since 1 January 1601 (UTC).
struct FILETIME {
    DWORD dwLowDateTime = 0;
    DWORD dwHighDateTime = 0;
};

struct WIN32_FIND_DATAW {
    DWORD dwFileAttributes = 0;
    FILETIME ftCreationTime;
    FILETIME ftLastAccessTime;
    FILETIME ftLastWriteTime;
    DWORD nFileSizeHigh = 0;
    DWORD nFileSizeLow = 0;
    DWORD dwOID = 0;
    WCHAR cFileName[MAX_PATH] = {}; // NUL-terminated
};
using LPWIN32_FIND_DATAW = WIN32_FIND_DATAW*;
