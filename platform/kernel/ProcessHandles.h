#pragma once
// Kernel object handles (processes, named mutexes, snapshots) as the device
// hands them out: opaque values that CloseHandle releases. A handle that was
// closed, or never was, is simply not found.

#include <memory>

#include "platform/base/WinTypes.h"

struct HANDLE__;
using HANDLE = HANDLE__*;
inline const HANDLE INVALID_HANDLE_VALUE = reinterpret_cast<HANDLE>(-1);

// Errors that callers look at through GetLastError.
constexpr DWORD ERROR_SUCCESS = 0, ERROR_FILE_NOT_FOUND = 2, ERROR_PATH_NOT_FOUND = 3,
                ERROR_ACCESS_DENIED = 5, ERROR_INVALID_HANDLE = 6, ERROR_NOT_ENOUGH_MEMORY = 8,
                ERROR_BAD_FORMAT = 11, ERROR_INVALID_PARAMETER = 87, ERROR_ALREADY_EXISTS = 183,
                ERROR_NO_MORE_FILES = 18, ERROR_MORE_DATA = 234;
DWORD GetLastError();
void SetLastError(DWORD error);

BOOL CloseHandle(HANDLE handle);

namespace zorun {

// Anything a handle can stand for; destroyed by CloseHandle.
class KernelObject {
  public:
    virtual ~KernelObject() = default;
};

// Takes ownership and returns a fresh handle (never null or invalid).
[[nodiscard]] HANDLE AddKernelHandle(std::unique_ptr<KernelObject> object);
// The object behind a handle, or nullptr when the handle is not open.
[[nodiscard]] KernelObject* FindKernelHandle(HANDLE handle);

template <typename T> [[nodiscard]] T* FindKernelHandleAs(HANDLE handle) {
    return dynamic_cast<T*>(FindKernelHandle(handle));
}

} // namespace zorun
