#include "app/ClearTypeSetting.h"

#include <cstring>

#include "platform/kernel/Registry.h"

bool ReadClearTypeSetting() {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, u"Software\\MicroSoft\\Shell", 0, 0, &key) !=
        ERROR_SUCCESS)
        return false;
    BYTE data[4] = {};
    DWORD size = sizeof data;
    const LONG result = RegQueryValueExW(key, u"ClearType", nullptr, nullptr, data, &size);
    RegCloseKey(key);
    if (result != ERROR_SUCCESS)
        return false;
    DWORD value = 0;
    std::memcpy(&value, data, sizeof value);
    return value == 1;
}
