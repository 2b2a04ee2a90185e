#include "platform/kernel/ProcessHandles.h"

#include <cstdint>
#include <unordered_map>

namespace {

thread_local DWORD lastError = ERROR_SUCCESS;

struct HandleTable {
    std::unordered_map<std::uintptr_t, std::unique_ptr<zorun::KernelObject>> objects;
    // Start well above small integers so a stray number is never a handle.
    std::uintptr_t next = 0x1000;
};

HandleTable& Table() {
    static HandleTable table;
    return table;
}

} // namespace

DWORD GetLastError() {
    return lastError;
}
void SetLastError(DWORD error) {
    lastError = error;
}

BOOL CloseHandle(HANDLE handle) {
    auto& table = Table();
    auto it = table.objects.find(reinterpret_cast<std::uintptr_t>(handle));
    if (it == table.objects.end()) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    // Move out first: the object's destructor may open or close other handles.
    auto object = std::move(it->second);
    table.objects.erase(it);
    object.reset();
    return TRUE;
}

namespace zorun {

HANDLE AddKernelHandle(std::unique_ptr<KernelObject> object) {
    auto& table = Table();
    const std::uintptr_t value = table.next;
    table.next += 4;
    table.objects.emplace(value, std::move(object));
    return reinterpret_cast<HANDLE>(value);
}

KernelObject* FindKernelHandle(HANDLE handle) {
    auto& table = Table();
    auto it = table.objects.find(reinterpret_cast<std::uintptr_t>(handle));
    return it == table.objects.end() ? nullptr : it->second.get();
}

} // namespace zorun
