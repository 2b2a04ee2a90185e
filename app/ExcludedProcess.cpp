#include "app/ExcludedProcess.h"

#include "platform/base/Text.h"
#include "platform/kernel/ProcessSnapshot.h"

bool IsProcessRunning(std::u16string_view name) {
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return false;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    bool found = false;
    for (BOOL more = Process32FirstW(snapshot, &entry); more && !found;
         more = Process32NextW(snapshot, &entry))
        found = zorun::EqualsNoCase(
            {entry.szExeFile, zorun::BoundedLength(entry.szExeFile, MAX_PATH)}, name);
    CloseToolhelp32Snapshot(snapshot);
    return found;
}
