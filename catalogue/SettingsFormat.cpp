#include "catalogue/SettingsFormat.h"

#include <bit>
#include <cstring>
#include <functional>
#include <string_view>

namespace {

constexpr std::u16string_view kHeader = u"TRUMO ZORUN";

// Reads little-endian fields; every read is bounded by the bytes left.
class FieldReader {
  public:
    // With `decode` false, strings are only checked and skipped.
    FieldReader(std::span<const std::uint8_t> bytes, bool decode)
        : bytes_(bytes), decode_(decode) {}

    [[nodiscard]] std::size_t Left() const { return bytes_.size() - offset_; }

    [[nodiscard]] bool Read32(std::uint32_t& value) {
        if (Left() < 4)
            return false;
        const std::uint8_t* p = bytes_.data() + offset_;
        value = static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
                static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
        offset_ += 4;
        return true;
    }

    // `length` bytes as UTF-16LE (an odd last byte is skipped with them).
    [[nodiscard]] bool ReadText(std::size_t length, std::u16string& text, bool always = false) {
        if (length > Left())
            return false;
        if (decode_ || always) {
            const std::uint8_t* p = bytes_.data() + offset_;
            text.resize(length / 2);
            if constexpr (std::endian::native == std::endian::little) {
                std::memcpy(text.data(), p, text.size() * 2);
            } else {
                for (std::size_t i = 0; i < text.size(); ++i)
                    text[i] = static_cast<char16_t>(p[2 * i] | p[2 * i + 1] << 8);
            }
        }
        offset_ += length;
        return true;
    }

    // A string field of the group entries: low 16 bits of the length, value
    // cut at the first NUL.
    [[nodiscard]] bool ReadGroupString(std::u16string& text) {
        std::uint32_t length = 0;
        if (!Read32(length) || !ReadText(length & 0xFFFF, text))
            return false;
        if (auto nul = text.find(u'\0'); nul != std::u16string::npos)
            text.resize(nul);
        return true;
    }

    // A reserved string is carried whole: it is written back unchanged.
    [[nodiscard]] bool ReadReservedString(std::u16string& text) {
        std::uint32_t length = 0;
        return Read32(length) && ReadText(length, text);
    }

  private:
    std::span<const std::uint8_t> bytes_;
    std::size_t offset_ = 0;
    bool decode_;
};

bool IsHeader(std::u16string text) {
    if (auto nul = text.find(u'\0'); nul != std::u16string::npos)
        text.resize(nul);
    if (text.size() != kHeader.size())
        return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char16_t c = text[i];
        if (c >= u'a' && c <= u'z')
            c = static_cast<char16_t>(c - u'a' + u'A');
        if (c != kHeader[i])
            return false;
    }
    return true;
}

class FieldWriter {
  public:
    explicit FieldWriter(std::vector<std::uint8_t>& out) : out_(out) {}

    void Write32(std::uint32_t value) {
        const std::uint8_t bytes[4] = {
            static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
            static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)};
        out_.insert(out_.end(), bytes, bytes + 4);
    }

    void WriteString(std::u16string_view text) {
        Write32(static_cast<std::uint32_t>(text.size() * 2));
        if constexpr (std::endian::native == std::endian::little) {
            const auto* p = reinterpret_cast<const std::uint8_t*>(text.data());
            out_.insert(out_.end(), p, p + text.size() * 2);
        } else {
            for (char16_t c : text) {
                out_.push_back(static_cast<std::uint8_t>(c));
                out_.push_back(static_cast<std::uint8_t>(c >> 8));
            }
        }
    }

    // Group strings are written as they read back: up to the first NUL. The
    // length must fit the 16 bits the reader takes.
    [[nodiscard]] bool WriteGroupString(std::u16string_view text) {
        text = text.substr(0, text.find(u'\0'));
        if (text.size() * 2 > 0xFFFF)
            return false;
        WriteString(text);
        return true;
    }

    [[nodiscard]] std::size_t Size() const { return out_.size(); }

  private:
    std::vector<std::uint8_t>& out_;
};

struct Source {
    std::int32_t sysInfoMode;
    const ReservedPairs& reservedPairs;
    const std::vector<std::u16string>& backgroundPaths;
    const std::vector<std::uint8_t>& groupOrder;
    const std::vector<std::u16string>& groupNames;
    std::function<const GroupRecord&(std::size_t)> group;
};

bool IsPermutation(const std::vector<std::uint8_t>& order) {
    std::vector<bool> seen(order.size(), false);
    for (std::uint8_t s : order) {
        if (s >= order.size() || seen[s])
            return false;
        seen[s] = true;
    }
    return true;
}

std::optional<std::vector<std::uint8_t>> Serialize(const Source& source) {
    const std::size_t n = source.groupNames.size();
    if (n < static_cast<std::size_t>(Catalogue::kMinGroups) ||
        n > static_cast<std::size_t>(Catalogue::kMaxGroups) || source.groupOrder.size() != n ||
        source.backgroundPaths.size() != n || !IsPermutation(source.groupOrder) ||
        source.reservedPairs.first.size() != source.reservedPairs.second.size())
        return std::nullopt;

    // One allocation: the size is known from the lists.
    std::size_t size = 4 + 2 * kHeader.size() + 16 + 4 * n;
    for (std::size_t i = 0; i < source.reservedPairs.first.size(); ++i)
        size +=
            8 + 2 * (source.reservedPairs.first[i].size() + source.reservedPairs.second[i].size());
    for (std::size_t j = 0; j < n && size <= kMaxSettingsFileBytes; ++j) {
        const GroupRecord& group = source.group(j);
        size += 12 + 2 * (source.groupNames[j].size() + source.backgroundPaths[j].size());
        for (std::size_t i = 0;
             i < group.targets.size() && i < group.names.size() && i < group.iconRefs.size(); ++i)
            size += 12 + 2 * (group.targets[i].size() + group.names[i].size() +
                              group.iconRefs[i].size());
    }
    if (size > kMaxSettingsFileBytes)
        return std::nullopt;
    std::vector<std::uint8_t> bytes;
    bytes.reserve(size);
    FieldWriter out(bytes);
    out.WriteString(kHeader);
    out.Write32(static_cast<std::uint32_t>(source.sysInfoMode));
    const std::size_t pairs = source.reservedPairs.first.size();
    out.Write32(static_cast<std::uint32_t>(pairs));
    for (std::size_t i = 0; i < pairs; ++i) {
        out.WriteString(source.reservedPairs.first[i]);
        out.WriteString(source.reservedPairs.second[i]);
        if (out.Size() > kMaxSettingsFileBytes)
            return std::nullopt;
    }
    out.Write32(static_cast<std::uint32_t>(n));
    for (std::uint8_t s : source.groupOrder)
        out.Write32(s);
    for (std::size_t j = 0; j < n; ++j) {
        const GroupRecord& group = source.group(j);
        if (!group.IsConsistent() || group.Count() > 0xFFFF)
            return std::nullopt;
        out.Write32(static_cast<std::uint32_t>(group.Count()));
        if (!out.WriteGroupString(source.groupNames[j]) ||
            !out.WriteGroupString(source.backgroundPaths[j]))
            return std::nullopt;
        for (std::size_t i = 0; i < group.Count(); ++i) {
            if (!out.WriteGroupString(group.targets[i]) || !out.WriteGroupString(group.names[i]) ||
                !out.WriteGroupString(group.iconRefs[i]))
                return std::nullopt;
        }
        if (out.Size() > kMaxSettingsFileBytes)
            return std::nullopt;
    }
    return bytes;
}

// One reader for both uses: with Build false nothing is kept, and the
// result is an empty CatalogueContents for a valid file.
template <bool Build> std::optional<CatalogueContents> Parse(std::span<const std::uint8_t> bytes) {
    if (bytes.size() > kMaxSettingsFileBytes)
        return std::nullopt;
    FieldReader in(bytes, Build);
    CatalogueContents contents;

    std::uint32_t headerLength = 0;
    std::u16string header;
    if (!in.Read32(headerLength) || !in.ReadText(headerLength, header, true) || !IsHeader(header))
        return std::nullopt;

    std::uint32_t sysInfoMode = 0;
    std::uint32_t pairCount = 0;
    if (!in.Read32(sysInfoMode) || !in.Read32(pairCount))
        return std::nullopt;
    contents.sysInfoMode = static_cast<std::int32_t>(sysInfoMode);
    // A count that is negative as a signed value means no pairs.
    const auto pairs = static_cast<std::int32_t>(pairCount);
    for (std::int32_t i = 0; i < pairs; ++i) {
        std::u16string first, second;
        if (!in.ReadReservedString(first) || !in.ReadReservedString(second))
            return std::nullopt;
        if constexpr (Build) {
            contents.reservedPairs.first.push_back(std::move(first));
            contents.reservedPairs.second.push_back(std::move(second));
        }
    }

    std::uint32_t groupCount = 0;
    if (!in.Read32(groupCount))
        return std::nullopt;
    const std::size_t n = groupCount & 0xFFFF;
    if (n < static_cast<std::size_t>(Catalogue::kMinGroups) ||
        n > static_cast<std::size_t>(Catalogue::kMaxGroups) || in.Left() / 4 < n)
        return std::nullopt;
    contents.groupOrder.reserve(n);
    for (std::size_t j = 0; j < n; ++j) {
        std::uint32_t order = 0;
        if (!in.Read32(order))
            return std::nullopt;
        contents.groupOrder.push_back(static_cast<std::uint8_t>(order & 0xFF));
    }
    if (!IsPermutation(contents.groupOrder))
        return std::nullopt;
    if constexpr (!Build)
        contents.groupOrder.clear();

    contents.groupNames.reserve(Build ? n : 0);
    contents.backgroundPaths.reserve(Build ? n : 0);
    contents.groupList.reserve(Build ? n : 0);
    GroupRecord scratch;
    for (std::size_t j = 0; j < n; ++j) {
        std::uint32_t count = 0;
        std::u16string name, background;
        if (!in.Read32(count) || !in.ReadGroupString(name) || !in.ReadGroupString(background))
            return std::nullopt;
        if constexpr (Build) {
            contents.groupNames.push_back(std::move(name));
            contents.backgroundPaths.push_back(std::move(background));
        }
        GroupRecord& group = Build ? contents.groupList.emplace_back() : scratch;
        const std::size_t k = count & 0xFFFF;
        // Each shortcut takes at least three length fields.
        if (in.Left() / 12 < k)
            return std::nullopt;
        if constexpr (Build) {
            group.targets.reserve(k);
            group.names.reserve(k);
            group.iconRefs.reserve(k);
        }
        for (std::size_t i = 0; i < k; ++i) {
            ShortcutRecord shortcut;
            if (!in.ReadGroupString(shortcut.target) || !in.ReadGroupString(shortcut.name) ||
                !in.ReadGroupString(shortcut.iconRef))
                return std::nullopt;
            if constexpr (Build)
                group.Append(std::move(shortcut));
        }
    }
    return contents;
}

} // namespace

std::optional<CatalogueContents> ParseSettings(std::span<const std::uint8_t> bytes) {
    return Parse<true>(bytes);
}

bool IsValidSettings(std::span<const std::uint8_t> bytes) {
    return Parse<false>(bytes).has_value();
}

std::optional<std::vector<std::uint8_t>> SerializeSettings(const Catalogue& catalogue) {
    return Serialize({catalogue.SysInfoMode(), catalogue.GetReservedPairs(),
                      catalogue.BackgroundPaths(), catalogue.GroupOrder(), catalogue.GroupNames(),
                      [&catalogue](std::size_t s) -> const GroupRecord& {
                          return catalogue.GroupAtStorage(static_cast<int>(s));
                      }});
}

std::optional<std::vector<std::uint8_t>> SerializeSettings(const CatalogueContents& contents) {
    if (contents.groupList.size() != contents.groupNames.size())
        return std::nullopt;
    return Serialize(
        {contents.sysInfoMode, contents.reservedPairs, contents.backgroundPaths,
         contents.groupOrder, contents.groupNames,
         [&contents](std::size_t s) -> const GroupRecord& { return contents.groupList[s]; }});
}
