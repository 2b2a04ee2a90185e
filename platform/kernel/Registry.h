#pragma once
// The device's registry calls over the registry file in the device root
// (platform/kernel/RegistryFile.h). A key opened for reading sees the file
// as it was when the key was opened; a value set is written to the file at
// once (atomically).

#include "platform/base/WinTypes.h"
#include "platform/kernel/ProcessHandles.h"
#include "platform/kernel/RegistryFile.h"

struct HKEY__;
using HKEY = HKEY__*;
using REGSAM = DWORD;
inline const HKEY HKEY_CLASSES_ROOT =
    reinterpret_cast<HKEY>(static_cast<std::uintptr_t>(0x80000000));
inline const HKEY HKEY_CURRENT_USER =
    reinterpret_cast<HKEY>(static_cast<std::uintptr_t>(0x80000001));
inline const HKEY HKEY_LOCAL_MACHINE =
    reinterpret_cast<HKEY>(static_cast<std::uintptr_t>(0x80000002));
inline const HKEY HKEY_USERS = reinterpret_cast<HKEY>(static_cast<std::uintptr_t>(0x80000003));
constexpr REGSAM KEY_QUERY_VALUE = 0x0001, KEY_SET_VALUE = 0x0002, KEY_READ = 0x20019,
                 KEY_WRITE = 0x20006, KEY_ALL_ACCESS = 0xF003F;

// Results are error codes: ERROR_SUCCESS (0), ERROR_FILE_NOT_FOUND (2) for a
// missing key or value, ERROR_MORE_DATA (234) when the buffer is too small
// (then *size holds the size needed), ERROR_INVALID_HANDLE (6).
LONG RegOpenKeyExW(HKEY parent, LPCWSTR subKey, DWORD options, REGSAM access, HKEY* result);
LONG RegCreateKeyExW(HKEY parent, LPCWSTR subKey, DWORD reserved, LPWSTR className, DWORD options,
                     REGSAM access, void* security, HKEY* result, DWORD* disposition);
LONG RegQueryValueExW(HKEY key, LPCWSTR name, DWORD* reserved, DWORD* type, BYTE* data,
                      DWORD* size);
LONG RegSetValueExW(HKEY key, LPCWSTR name, DWORD reserved, DWORD type, const BYTE* data,
                    DWORD size);
LONG RegCloseKey(HKEY key);
