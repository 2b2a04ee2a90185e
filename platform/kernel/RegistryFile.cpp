#include "platform/kernel/RegistryFile.h"

#include <algorithm>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

#include "platform/base/Text.h"
#include "platform/kernel/DeviceRoot.h"
#include "platform/kernel/FileSystem.h"

namespace zorun {

namespace {

constexpr std::uintmax_t kMaxFileSize = 4u << 20;

bool IsBlank(char16_t c) {
    return c == u' ' || c == u'\t';
}

std::u16string_view TrimLeft(std::u16string_view s) {
    while (!s.empty() && IsBlank(s.front()))
        s.remove_prefix(1);
    return s;
}

int HexDigit(char16_t c) {
    if (c >= u'0' && c <= u'9')
        return c - u'0';
    if (c >= u'a' && c <= u'f')
        return c - u'a' + 10;
    if (c >= u'A' && c <= u'F')
        return c - u'A' + 10;
    return -1;
}

bool StartsWithNoCase(std::u16string_view s, std::u16string_view prefix) {
    return s.size() >= prefix.size() && EqualsNoCase(s.substr(0, prefix.size()), prefix);
}

std::u16string Decode(std::string_view bytes) {
    if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
        static_cast<unsigned char>(bytes[1]) == 0xFE) {
        std::u16string text;
        text.reserve(bytes.size() / 2);
        for (std::size_t i = 2; i + 1 < bytes.size(); i += 2)
            text.push_back(static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                                 (static_cast<unsigned char>(bytes[i + 1]) << 8)));
        return text;
    }
    if (bytes.size() >= 3 && bytes.substr(0, 3) == "\xEF\xBB\xBF")
        bytes.remove_prefix(3);
    return FromUtf8(bytes);
}

std::vector<std::u16string_view> Lines(std::u16string_view text) {
    std::vector<std::u16string_view> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        auto end = text.find(u'\n', start);
        if (end == std::u16string_view::npos)
            end = text.size();
        auto line = text.substr(start, end - start);
        if (!line.empty() && line.back() == u'\r')
            line.remove_suffix(1);
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

// A quoted name or string at s[pos] == '"'. Only \" and \\ are escapes.
bool ReadQuoted(std::u16string_view s, std::size_t& pos, std::u16string& out) {
    ++pos;
    while (pos < s.size()) {
        const char16_t c = s[pos];
        if (c == u'"') {
            ++pos;
            return true;
        }
        if (c == u'\\' && pos + 1 < s.size() && (s[pos + 1] == u'"' || s[pos + 1] == u'\\')) {
            out.push_back(s[pos + 1]);
            pos += 2;
            continue;
        }
        out.push_back(c);
        ++pos;
    }
    return false;
}

// After a value: blanks, then the end or a ';' comment.
bool OnlyCommentLeft(std::u16string_view s, std::size_t pos) {
    while (pos < s.size() && IsBlank(s[pos]))
        ++pos;
    return pos == s.size() || s[pos] == u';';
}

enum class HexResult { Done, Continue, Invalid };

// One line's share of hex data: "xx,xx,...", optionally ending in ",\"
// (the data goes on next line) and a ';' comment.
HexResult ReadHex(std::u16string_view s, std::size_t pos, std::vector<BYTE>& out) {
    bool afterComma = false;
    for (;;) {
        while (pos < s.size() && IsBlank(s[pos]))
            ++pos;
        if (pos == s.size() || s[pos] == u';')
            return HexResult::Done;
        if (s[pos] == u'\\') {
            if (!afterComma)
                return HexResult::Invalid;
            return OnlyCommentLeft(s, pos + 1) ? HexResult::Continue : HexResult::Invalid;
        }
        int value = 0, digits = 0;
        while (pos < s.size() && HexDigit(s[pos]) >= 0) {
            value = value * 16 + HexDigit(s[pos++]);
            if (++digits > 2)
                return HexResult::Invalid;
        }
        if (digits == 0)
            return HexResult::Invalid;
        out.push_back(static_cast<BYTE>(value));
        afterComma = false;
        while (pos < s.size() && IsBlank(s[pos]))
            ++pos;
        if (pos < s.size() && s[pos] == u',') {
            ++pos;
            afterComma = true;
        } else if (pos < s.size() && s[pos] != u';' && s[pos] != u'\\') {
            return HexResult::Invalid;
        }
    }
}

std::u16string NormalizeKey(std::u16string_view key) {
    key = TrimLeft(key);
    while (!key.empty() && (key.back() == u'\\' || IsBlank(key.back())))
        key.remove_suffix(1);
    std::u16string out(key);
    const auto slash = out.find(u'\\');
    const auto root = out.substr(0, slash);
    static const std::pair<std::u16string_view, std::u16string_view> aliases[] = {
        {u"HKCU", u"HKEY_CURRENT_USER"},
        {u"HKLM", u"HKEY_LOCAL_MACHINE"},
        {u"HKCR", u"HKEY_CLASSES_ROOT"},
        {u"HKU", u"HKEY_USERS"}};
    for (auto [alias, full] : aliases)
        if (EqualsNoCase(root, alias))
            out = std::u16string(full) + (slash == std::u16string::npos ? u"" : out.substr(slash));
    return out;
}

std::u16string FoldName(std::u16string_view name) {
    return name == u"@" ? std::u16string() : FoldText(name);
}

std::u16string Escape(std::u16string_view text) {
    std::u16string out;
    for (char16_t c : text) {
        if (c == u'"' || c == u'\\')
            out.push_back(u'\\');
        out.push_back(c);
    }
    return out;
}

} // namespace

RegistryValue RegistryValue::Dword(DWORD value) {
    return {REG_DWORD,
            {static_cast<BYTE>(value), static_cast<BYTE>(value >> 8),
             static_cast<BYTE>(value >> 16), static_cast<BYTE>(value >> 24)}};
}

RegistryValue RegistryValue::String(std::u16string_view text) {
    RegistryValue v{REG_SZ, {}};
    v.data.reserve((text.size() + 1) * 2);
    for (char16_t c : text) {
        v.data.push_back(static_cast<BYTE>(c & 0xFF));
        v.data.push_back(static_cast<BYTE>(c >> 8));
    }
    v.data.push_back(0);
    v.data.push_back(0);
    return v;
}

RegistryFile RegistryFile::Parse(std::string_view bytes) {
    RegistryFile file;
    const std::u16string text = Decode(bytes);
    const auto lines = Lines(text);
    if (lines.empty())
        return file;
    const auto header = TrimLeft(lines[0]);
    if (header != u"REGEDIT4" && header != u"Windows Registry Editor Version 5.00")
        return file;
    file.headerAccepted_ = true;

    std::u16string key; // empty: values have nowhere to go
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const auto line = TrimLeft(lines[i]);
        if (line.empty() || line[0] == u';' || line[0] == u'#')
            continue;
        if (line[0] == u'[') {
            const auto close = line.rfind(u']');
            key.clear();
            // "[-key]" deletes a key, blanks before the '-' or not: the key
            // name is read without them, so "[ -key]" may not make "[-key]".
            if (close == std::u16string_view::npos || close < 2 ||
                TrimLeft(line.substr(1, close - 1)).starts_with(u'-'))
                continue;
            // "[\]" names no key, as "[]" does not: its values go nowhere.
            key = NormalizeKey(line.substr(1, close - 1));
            if (!key.empty())
                file.AddKey(key);
            continue;
        }
        // name=data
        std::size_t pos = 0;
        std::u16string name;
        if (line[0] == u'@') {
            pos = 1;
        } else if (line[0] != u'"' || !ReadQuoted(line, pos, name)) {
            continue;
        }
        while (pos < line.size() && IsBlank(line[pos]))
            ++pos;
        if (pos >= line.size() || line[pos] != u'=')
            continue;
        ++pos;
        while (pos < line.size() && IsBlank(line[pos]))
            ++pos;
        const auto data = line.substr(pos);

        RegistryValue value;
        bool ok = false;
        if (!data.empty() && data[0] == u'"') {
            std::u16string text16;
            std::size_t p = 0;
            ok = ReadQuoted(data, p, text16) && OnlyCommentLeft(data, p);
            value = RegistryValue::String(text16);
        } else if (StartsWithNoCase(data, u"dword:")) {
            std::size_t p = 6;
            DWORD number = 0;
            int digits = 0;
            while (p < data.size() && HexDigit(data[p]) >= 0) {
                number = number * 16 + static_cast<DWORD>(HexDigit(data[p++]));
                ++digits;
            }
            ok = digits >= 1 && digits <= 8 && OnlyCommentLeft(data, p);
            value = RegistryValue::Dword(number);
        } else if (StartsWithNoCase(data, u"hex")) {
            std::size_t p = 3;
            DWORD type = REG_BINARY;
            if (p < data.size() && data[p] == u'(') {
                ++p;
                type = 0;
                int digits = 0;
                while (p < data.size() && HexDigit(data[p]) >= 0 && digits < 8) {
                    type = type * 16 + static_cast<DWORD>(HexDigit(data[p++]));
                    ++digits;
                }
                if (digits == 0 || p >= data.size() || data[p] != u')')
                    continue;
                ++p;
            }
            if (p >= data.size() || data[p] != u':')
                continue;
            value.type = type;
            auto result = ReadHex(data, p + 1, value.data);
            // The data goes on over the next lines; blank and ';' lines are
            // skipped, a '#' line breaks it, any other line is swallowed.
            while (result == HexResult::Continue) {
                if (++i >= lines.size()) {
                    result = HexResult::Invalid;
                    break;
                }
                const auto next = TrimLeft(lines[i]);
                if (next.empty() || next[0] == u';')
                    continue;
                if (next[0] == u'#') {
                    result = HexResult::Invalid;
                    break;
                }
                result = ReadHex(next, 0, value.data);
            }
            ok = result == HexResult::Done;
        }
        if (ok && !key.empty())
            file.SetValue(key, name, std::move(value));
    }
    return file;
}

std::optional<RegistryFile> RegistryFile::Load(const std::filesystem::path& path) {
    const auto bytes = ReadHostFile(path, kMaxFileSize);
    if (!bytes)
        return std::nullopt;
    return Parse(std::string(bytes->begin(), bytes->end()));
}

std::string RegistryFile::Serialize() const {
    std::u16string out = u"Windows Registry Editor Version 5.00\n";
    for (const auto& key : keys_) {
        out += u"\n[" + key.path + u"]\n";
        for (const auto& folded : key.order) {
            const auto& entry = key.values.at(folded);
            out += entry.name.empty() ? u"@" : u"\"" + Escape(entry.name) + u"\"";
            out += u"=";
            const auto& v = entry.value;
            if (v.type == REG_SZ && v.data.size() % 2 == 0) {
                std::u16string text;
                for (std::size_t b = 0; b + 1 < v.data.size(); b += 2)
                    text.push_back(static_cast<char16_t>(v.data[b] | (v.data[b + 1] << 8)));
                while (!text.empty() && text.back() == u'\0')
                    text.pop_back();
                out += u"\"" + Escape(text) + u"\"";
            } else if (v.type == REG_DWORD && v.data.size() == 4) {
                const DWORD n = v.data[0] | (v.data[1] << 8) | (v.data[2] << 16) |
                                (static_cast<DWORD>(v.data[3]) << 24);
                char buffer[16];
                std::snprintf(buffer, sizeof buffer, "dword:%08x", n);
                out += FromUtf8(buffer);
            } else {
                char buffer[24];
                std::snprintf(buffer, sizeof buffer, v.type == REG_BINARY ? "hex:" : "hex(%x):",
                              static_cast<unsigned>(v.type));
                out += FromUtf8(buffer);
                for (std::size_t b = 0; b < v.data.size(); ++b) {
                    std::snprintf(buffer, sizeof buffer, b ? ",%02x" : "%02x", v.data[b]);
                    out += FromUtf8(buffer);
                }
            }
            out += u"\n";
        }
    }
    return ToUtf8(out);
}

bool RegistryFile::Save(const std::filesystem::path& path) const {
    const std::string text = Serialize();
    const std::string temp = path.string() + ".tmp";
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        return false;
    std::size_t done = 0;
    bool ok = true;
    while (ok && done < text.size()) {
        const auto n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        ok = n > 0;
        if (ok)
            done += static_cast<std::size_t>(n);
    }
    ok = ok && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    if (!ok || std::rename(temp.c_str(), path.c_str()) != 0) {
        std::remove(temp.c_str());
        return false;
    }
    return true;
}

RegistryFile::Key* RegistryFile::FindKey(std::u16string_view key) {
    const auto wanted = NormalizeKey(key);
    for (auto& k : keys_)
        if (EqualsNoCase(k.path, wanted))
            return &k;
    return nullptr;
}

const RegistryFile::Key* RegistryFile::FindKey(std::u16string_view key) const {
    return const_cast<RegistryFile*>(this)->FindKey(key);
}

bool RegistryFile::HasKey(std::u16string_view key) const {
    if (FindKey(key))
        return true;
    // A key implies its parents, as in the registry itself.
    const auto prefix = NormalizeKey(key) + u"\\";
    return std::any_of(keys_.begin(), keys_.end(), [&](const Key& k) {
        return k.path.size() > prefix.size() &&
               EqualsNoCase(std::u16string_view(k.path).substr(0, prefix.size()), prefix);
    });
}

const RegistryValue* RegistryFile::Find(std::u16string_view key, std::u16string_view name) const {
    const Key* k = FindKey(key);
    if (!k)
        return nullptr;
    auto it = k->values.find(FoldName(name));
    return it == k->values.end() ? nullptr : &it->second.value;
}

void RegistryFile::AddKey(std::u16string_view key) {
    if (FindKey(key))
        return;
    keys_.push_back(Key{NormalizeKey(key), {}, {}});
}

void RegistryFile::SetValue(std::u16string_view key, std::u16string_view name,
                            RegistryValue value) {
    AddKey(key);
    Key* k = FindKey(key);
    auto folded = FoldName(name);
    auto it = k->values.find(folded);
    if (it == k->values.end()) {
        k->order.push_back(folded);
        k->values.emplace(folded,
                          Entry{std::u16string(name == u"@" ? u"" : name), std::move(value)});
    } else {
        it->second.value = std::move(value);
    }
}

std::filesystem::path RegistryFilePath() {
    return DeviceRoot() / "registry.reg";
}

} // namespace zorun
