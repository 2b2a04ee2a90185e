#pragma once
// The device registry kept as a text file in the registry-editor format:
//
//   Windows Registry Editor Version 5.00
//
//   [HKEY_CURRENT_USER\Software\MicroSoft\Shell]
//   "ClearType"=dword:00000001
//
// Reading follows the registry editor's import rules: only the headers
// "REGEDIT4" and "Windows Registry Editor Version 5.00" are accepted; a line
// that breaks a rule is skipped on its own (the rest still counts); strings
// escape only \" and \\; dwords are 1 to 8 hex digits; hex data may continue
// over lines ending in ",\". Key and value names compare ignoring case.
// Files may be UTF-8 or UTF-16LE with a byte-order mark.

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/base/WinTypes.h"

constexpr DWORD REG_NONE = 0, REG_SZ = 1, REG_EXPAND_SZ = 2, REG_BINARY = 3, REG_DWORD = 4,
                REG_MULTI_SZ = 7;

namespace zorun {

struct RegistryValue {
    DWORD type = REG_NONE;
    // As the wide query returns it: REG_SZ as UTF-16LE with its terminator,
    // REG_DWORD as 4 little-endian bytes, hex(...) data as written.
    std::vector<BYTE> data;

    [[nodiscard]] static RegistryValue Dword(DWORD value);
    [[nodiscard]] static RegistryValue String(std::u16string_view text);
};

class RegistryFile {
  public:
    // Never fails: what cannot be read is left out.
    [[nodiscard]] static RegistryFile Parse(std::string_view bytes);
    // nullopt when the file cannot be read (missing, unreadable, over 4 MB).
    [[nodiscard]] static std::optional<RegistryFile> Load(const std::filesystem::path& path);

    // The text of the file (version 5.00 header, UTF-8, keys in the order added).
    [[nodiscard]] std::string Serialize() const;
    // Writes to a temporary file beside `path`, flushes and renames it over:
    // a failure never leaves a truncated file.
    [[nodiscard]] bool Save(const std::filesystem::path& path) const;

    // Keys are full paths from the root ("HKEY_CURRENT_USER\Software\...";
    // "HKCU" is accepted for the root). "" or "@" names the default value.
    [[nodiscard]] bool HasKey(std::u16string_view key) const;
    [[nodiscard]] const RegistryValue* Find(std::u16string_view key,
                                            std::u16string_view name) const;
    void AddKey(std::u16string_view key);
    void SetValue(std::u16string_view key, std::u16string_view name, RegistryValue value);

    [[nodiscard]] bool HeaderAccepted() const { return headerAccepted_; }

  private:
    struct Entry {
        std::u16string name;
        RegistryValue value;
    };
    struct Key {
        std::u16string path;
        std::vector<std::u16string> order; // folded value names, first-set order
        std::map<std::u16string, Entry> values;
    };
    Key* FindKey(std::u16string_view key);
    [[nodiscard]] const Key* FindKey(std::u16string_view key) const;

    std::vector<Key> keys_;
    bool headerAccepted_ = false;
};

// The device's registry file: "\registry.reg" in the device root.
[[nodiscard]] std::filesystem::path RegistryFilePath();

} // namespace zorun
