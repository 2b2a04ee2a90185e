#include "platform/kernel/Registry.h"

#include <cstring>
#include <memory>
#include <unordered_map>

#include "platform/kernel/ProcessHandles.h"

namespace {

struct OpenKey {
    std::u16string path; // full path from the root
    std::shared_ptr<const zorun::RegistryFile> file;
};

struct KeyTable {
    std::unordered_map<std::uintptr_t, OpenKey> keys;
    std::uintptr_t next = 0x10000;
};

KeyTable& Keys() {
    static KeyTable table;
    return table;
}

const char16_t* RootName(HKEY key) {
    if (key == HKEY_CURRENT_USER)
        return u"HKEY_CURRENT_USER";
    if (key == HKEY_LOCAL_MACHINE)
        return u"HKEY_LOCAL_MACHINE";
    if (key == HKEY_CLASSES_ROOT)
        return u"HKEY_CLASSES_ROOT";
    if (key == HKEY_USERS)
        return u"HKEY_USERS";
    return nullptr;
}

// The full path of `subKey` under `parent`; false when `parent` is not open.
bool FullPath(HKEY parent, LPCWSTR subKey, std::u16string& path) {
    if (const char16_t* root = RootName(parent)) {
        path = root;
    } else {
        auto it = Keys().keys.find(reinterpret_cast<std::uintptr_t>(parent));
        if (it == Keys().keys.end())
            return false;
        path = it->second.path;
    }
    if (subKey && *subKey) {
        std::u16string_view sub(subKey);
        while (!sub.empty() && sub.front() == u'\\')
            sub.remove_prefix(1);
        if (!sub.empty())
            path += u"\\" + std::u16string(sub);
    }
    return true;
}

HKEY AddKey(OpenKey key) {
    auto& table = Keys();
    const auto value = table.next;
    table.next += 4;
    table.keys.emplace(value, std::move(key));
    return reinterpret_cast<HKEY>(value);
}

std::shared_ptr<const zorun::RegistryFile> LoadCurrent() {
    auto file = zorun::RegistryFile::Load(zorun::RegistryFilePath());
    return std::make_shared<const zorun::RegistryFile>(file ? std::move(*file)
                                                            : zorun::RegistryFile());
}

// The file to change: a fresh one when there is none; nullopt when the file
// exists but cannot be read as a registry file (it is never overwritten then).
std::optional<zorun::RegistryFile> LoadForWrite() {
    const auto path = zorun::RegistryFilePath();
    std::error_code ec;
    if (!std::filesystem::exists(path, ec))
        return zorun::RegistryFile::Parse("Windows Registry Editor Version 5.00\n");
    auto file = zorun::RegistryFile::Load(path);
    if (!file || !file->HeaderAccepted())
        return std::nullopt;
    return file;
}

} // namespace

LONG RegOpenKeyExW(HKEY parent, LPCWSTR subKey, DWORD, REGSAM, HKEY* result) {
    if (!result)
        return ERROR_INVALID_PARAMETER;
    *result = nullptr;
    std::u16string path;
    if (!FullPath(parent, subKey, path))
        return ERROR_INVALID_HANDLE;
    auto file = LoadCurrent();
    if (!file->HasKey(path))
        return ERROR_FILE_NOT_FOUND;
    *result = AddKey({path, std::move(file)});
    return ERROR_SUCCESS;
}

LONG RegCreateKeyExW(HKEY parent, LPCWSTR subKey, DWORD, LPWSTR, DWORD, REGSAM, void*, HKEY* result,
                     DWORD* disposition) {
    if (!result)
        return ERROR_INVALID_PARAMETER;
    *result = nullptr;
    std::u16string path;
    if (!FullPath(parent, subKey, path))
        return ERROR_INVALID_HANDLE;
    auto loaded = LoadForWrite();
    if (!loaded)
        return ERROR_ACCESS_DENIED;
    zorun::RegistryFile file = std::move(*loaded);
    const bool existed = file.HasKey(path);
    if (!existed) {
        file.AddKey(path);
        if (!file.Save(zorun::RegistryFilePath()))
            return ERROR_ACCESS_DENIED;
    }
    if (disposition)
        *disposition = existed ? 2 : 1; // REG_OPENED_EXISTING_KEY : REG_CREATED_NEW_KEY
    *result = AddKey({path, std::make_shared<const zorun::RegistryFile>(std::move(file))});
    return ERROR_SUCCESS;
}

LONG RegQueryValueExW(HKEY key, LPCWSTR name, DWORD*, DWORD* type, BYTE* data, DWORD* size) {
    auto it = Keys().keys.find(reinterpret_cast<std::uintptr_t>(key));
    if (it == Keys().keys.end())
        return ERROR_INVALID_HANDLE;
    const auto* value = it->second.file->Find(it->second.path, name ? name : u"");
    if (!value)
        return ERROR_FILE_NOT_FOUND;
    if (type)
        *type = value->type;
    const auto needed = static_cast<DWORD>(value->data.size());
    if (!data) {
        if (size)
            *size = needed;
        return ERROR_SUCCESS;
    }
    if (!size)
        return ERROR_INVALID_PARAMETER;
    if (*size < needed) {
        *size = needed;
        return ERROR_MORE_DATA;
    }
    if (needed)
        std::memcpy(data, value->data.data(), needed);
    *size = needed;
    return ERROR_SUCCESS;
}

LONG RegSetValueExW(HKEY key, LPCWSTR name, DWORD, DWORD type, const BYTE* data, DWORD size) {
    auto it = Keys().keys.find(reinterpret_cast<std::uintptr_t>(key));
    if (it == Keys().keys.end())
        return ERROR_INVALID_HANDLE;
    if (!data && size)
        return ERROR_INVALID_PARAMETER;
    auto loaded = LoadForWrite();
    if (!loaded)
        return ERROR_ACCESS_DENIED;
    zorun::RegistryFile file = std::move(*loaded);
    zorun::RegistryValue value{type,
                               data ? std::vector<BYTE>(data, data + size) : std::vector<BYTE>()};
    file.SetValue(it->second.path, name ? name : u"", std::move(value));
    if (!file.Save(zorun::RegistryFilePath()))
        return ERROR_ACCESS_DENIED;
    it->second.file = std::make_shared<const zorun::RegistryFile>(std::move(file));
    return ERROR_SUCCESS;
}

LONG RegCloseKey(HKEY key) {
    if (RootName(key))
        return ERROR_SUCCESS;
    return Keys().keys.erase(reinterpret_cast<std::uintptr_t>(key)) ? ERROR_SUCCESS
                                                                    : ERROR_INVALID_HANDLE;
}
