#include "catalogue/SettingsFormat.h"

#include <algorithm>
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
    [[nodiscard]] std::size_t Offset() const { return offset_; }

    [[nodiscard]] bool Skip(std::size_t length) {
        if (length > Left())
            return false;
        offset_ += length;
        return true;
    }

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

// The length of `text` up to its first NUL. Group strings are mostly long
// paths and a save measures some 46,000 of them: four characters are looked
// at together (a 16-bit lane is zero exactly when this word test says so for
// some lane), the last few and the NUL's exact place one by one.
std::size_t LengthBeforeNul(std::u16string_view text) {
    const char16_t* chars = text.data();
    const std::size_t n = text.size();
    std::size_t i = 0;
    for (; i + 4 <= n; i += 4) {
        std::uint64_t word = 0;
        std::memcpy(&word, chars + i, sizeof word);
        if ((word - 0x0001000100010001ull) & ~word & 0x8000800080008000ull)
            break;
    }
    for (; i < n; ++i)
        if (chars[i] == u'\0')
            return i;
    return n;
}

// Writes fields into a buffer already sized for all of them (Measure counts
// every string whole, so what is written never needs more); a write that
// would not fit is refused and marks the writer failed.
class FieldWriter {
  public:
    explicit FieldWriter(std::vector<std::uint8_t>& out) : out_(out) {}

    void Write32(std::uint32_t value) {
        if (!Room(4))
            return;
        std::uint8_t* at = out_.data() + used_;
        at[0] = static_cast<std::uint8_t>(value);
        at[1] = static_cast<std::uint8_t>(value >> 8);
        at[2] = static_cast<std::uint8_t>(value >> 16);
        at[3] = static_cast<std::uint8_t>(value >> 24);
        used_ += 4;
    }

    void WriteString(std::u16string_view text) {
        Write32(static_cast<std::uint32_t>(text.size() * 2));
        if (!Room(text.size() * 2))
            return;
        std::uint8_t* at = out_.data() + used_;
        if constexpr (std::endian::native == std::endian::little) {
            if (!text.empty())
                std::memcpy(at, text.data(), text.size() * 2);
        } else {
            for (char16_t c : text) {
                *at++ = static_cast<std::uint8_t>(c);
                *at++ = static_cast<std::uint8_t>(c >> 8);
            }
        }
        used_ += text.size() * 2;
    }

    // Group strings are written as they read back: up to the first NUL. The
    // length must fit the 16 bits the reader takes.
    [[nodiscard]] bool WriteGroupString(std::u16string_view text) {
        text = text.substr(0, LengthBeforeNul(text));
        if (text.size() * 2 > 0xFFFF)
            return false;
        WriteString(text);
        return true;
    }

    void WriteRaw(std::span<const std::uint8_t> bytes) {
        if (!Room(bytes.size()) || bytes.empty())
            return;
        std::memcpy(out_.data() + used_, bytes.data(), bytes.size());
        used_ += bytes.size();
    }

    // The buffer cut to what was written; false when a write did not fit.
    [[nodiscard]] bool Finish() {
        out_.resize(used_);
        return !overflow_;
    }

  private:
    bool Room(std::size_t n) {
        if (overflow_ || n > out_.size() - used_)
            overflow_ = true;
        return !overflow_;
    }

    std::vector<std::uint8_t>& out_;
    std::size_t used_ = 0;
    bool overflow_ = false;
};

// Where group entry j's shortcuts lie in the file: `count` of them from
// `offset` to `end`.
struct ShortcutBlock {
    std::size_t offset = 0;
    std::size_t end = 0;
    std::size_t count = 0;
};

// The file's bytes, holding the shortcuts of every group until decoded.
class SettingsImage final : public EncodedGroups {
  public:
    SettingsImage(std::vector<std::uint8_t> bytes, std::vector<ShortcutBlock> blocks)
        : bytes_(std::move(bytes)), blocks_(std::move(blocks)) {}

    void Decode(std::size_t index, GroupRecord& record) const override {
        const ShortcutBlock& block = blocks_.at(index);
        FieldReader in(Block(block), true);
        record.targets.reserve(record.Count() + block.count);
        record.names.reserve(record.Count() + block.count);
        record.iconRefs.reserve(record.Count() + block.count);
        for (std::size_t i = 0; i < block.count; ++i) {
            ShortcutRecord shortcut;
            // Checked when the file was read; cannot fail.
            (void)in.ReadGroupString(shortcut.target);
            (void)in.ReadGroupString(shortcut.name);
            (void)in.ReadGroupString(shortcut.iconRef);
            record.Append(std::move(shortcut));
        }
    }

    // The group's shortcut fields as the file holds them, when writing the
    // decoded shortcuts would give the same bytes: every length below 64 KiB
    // and even, and no NUL inside a string.
    [[nodiscard]] std::optional<std::span<const std::uint8_t>> Canonical(std::size_t index) const {
        const std::span<const std::uint8_t> block = Block(blocks_.at(index));
        if (canonical_.empty())
            canonical_.assign(blocks_.size(), kUnknown);
        if (canonical_[index] == kUnknown)
            canonical_[index] = IsCanonical(block) ? kYes : kNo;
        if (canonical_[index] == kNo)
            return std::nullopt;
        return block;
    }

    [[nodiscard]] std::size_t Count(std::size_t index) const { return blocks_.at(index).count; }

  private:
    static constexpr std::uint8_t kUnknown = 0, kYes = 1, kNo = 2;

    static bool IsCanonical(std::span<const std::uint8_t> block) {
        std::size_t at = 0;
        while (at < block.size()) {
            const std::uint8_t* p = block.data() + at;
            const std::uint32_t length =
                p[0] | p[1] << 8 | p[2] << 16 | static_cast<std::uint32_t>(p[3]) << 24;
            if (length > 0xFFFF || length % 2 != 0)
                return false;
            for (std::size_t i = at + 4; i < at + 4 + length; i += 2) {
                if ((block[i] | block[i + 1]) == 0)
                    return false;
            }
            at += 4 + length;
        }
        return true;
    }

    [[nodiscard]] std::span<const std::uint8_t> Block(const ShortcutBlock& block) const {
        return std::span<const std::uint8_t>(bytes_).subspan(block.offset,
                                                             block.end - block.offset);
    }

    std::vector<std::uint8_t> bytes_;
    std::vector<ShortcutBlock> blocks_;
    mutable std::vector<std::uint8_t> canonical_;
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

// One pass over the file that checks every field. With `contents` it keeps
// what lies outside the shortcuts, with `blocks` where each group's
// shortcuts lie; the shortcuts themselves are only checked.
bool Walk(std::span<const std::uint8_t> bytes, CatalogueContents* contents,
          std::vector<ShortcutBlock>* blocks) {
    if (bytes.size() > kMaxSettingsFileBytes)
        return false;
    FieldReader in(bytes, contents != nullptr);

    std::uint32_t headerLength = 0;
    std::u16string header;
    if (!in.Read32(headerLength) || !in.ReadText(headerLength, header, true) || !IsHeader(header))
        return false;

    std::uint32_t sysInfoMode = 0;
    std::uint32_t pairCount = 0;
    if (!in.Read32(sysInfoMode) || !in.Read32(pairCount))
        return false;
    // A count that is negative as a signed value means no pairs.
    const auto pairs = static_cast<std::int32_t>(pairCount);
    if (pairs > static_cast<std::int32_t>(kMaxReservedPairs))
        return false;
    for (std::int32_t i = 0; i < pairs; ++i) {
        std::u16string first, second;
        if (!in.ReadReservedString(first) || !in.ReadReservedString(second))
            return false;
        if (contents) {
            contents->reservedPairs.first.push_back(std::move(first));
            contents->reservedPairs.second.push_back(std::move(second));
        }
    }

    std::uint32_t groupCount = 0;
    if (!in.Read32(groupCount))
        return false;
    const std::size_t n = groupCount & 0xFFFF;
    if (n < static_cast<std::size_t>(Catalogue::kMinGroups) ||
        n > static_cast<std::size_t>(Catalogue::kMaxGroups) || in.Left() / 4 < n)
        return false;
    std::vector<std::uint8_t> order;
    order.reserve(n);
    for (std::size_t j = 0; j < n; ++j) {
        std::uint32_t value = 0;
        if (!in.Read32(value))
            return false;
        order.push_back(static_cast<std::uint8_t>(value & 0xFF));
    }
    if (!IsPermutation(order))
        return false;

    if (contents) {
        contents->sysInfoMode = static_cast<std::int32_t>(sysInfoMode);
        contents->groupOrder = std::move(order);
        contents->groupNames.reserve(n);
        contents->backgroundPaths.reserve(n);
        contents->groupList.resize(n);
    }
    if (blocks)
        blocks->reserve(n);
    std::size_t shortcuts = 0;
    std::u16string unused;
    for (std::size_t j = 0; j < n; ++j) {
        std::uint32_t count = 0;
        std::u16string name, background;
        if (!in.Read32(count) || !in.ReadGroupString(name) || !in.ReadGroupString(background))
            return false;
        if (contents) {
            contents->groupNames.push_back(std::move(name));
            contents->backgroundPaths.push_back(std::move(background));
        }
        const std::size_t k = count & 0xFFFF;
        shortcuts += k;
        // Each shortcut takes at least three length fields.
        if (shortcuts > kMaxSettingsShortcuts || in.Left() / 12 < k)
            return false;
        ShortcutBlock block{in.Offset(), 0, k};
        FieldReader skip(bytes.subspan(in.Offset()), false);
        for (std::size_t i = 0; i < 3 * k; ++i) {
            std::uint32_t length = 0;
            if (!skip.Read32(length) || !skip.ReadText(length & 0xFFFF, unused))
                return false;
        }
        block.end = block.offset + skip.Offset();
        if (!in.Skip(skip.Offset()))
            return false;
        if (blocks)
            blocks->push_back(block);
    }
    return true;
}

// What the serializer reads: the lists, and per storage index either the
// group's record or the encoding that still holds it.
struct Source {
    std::int32_t sysInfoMode;
    const ReservedPairs& reservedPairs;
    const std::vector<std::u16string>& backgroundPaths;
    const std::vector<std::uint8_t>& groupOrder;
    const std::vector<std::u16string>& groupNames;
    std::function<const GroupRecord&(std::size_t)> group;
    // The canonical bytes of a group still encoded; nullopt to use `group`.
    std::function<std::optional<std::span<const std::uint8_t>>(std::size_t, std::size_t&)> encoded;
};

// A group entry as the serializer writes it: its bytes copied from the
// encoding that still holds it, or its record.
struct Entry {
    std::optional<std::span<const std::uint8_t>> raw;
    std::size_t count = 0;
    const GroupRecord* record = nullptr;
};

std::size_t ShortcutBytes(const ShortcutRecord& shortcut) {
    return 12 + 2 * (shortcut.target.size() + shortcut.name.size() + shortcut.iconRef.size());
}

// The file's size and shortcuts, counted before anything is written (strings
// whole, so never less than what is written); false for lists the format
// cannot carry or a group of more shortcuts than its count field holds.
bool Measure(const Source& source, std::vector<Entry>& entries, SettingsUse& use) {
    const std::size_t n = source.groupNames.size();
    const std::size_t pairs = source.reservedPairs.first.size();
    if (n < static_cast<std::size_t>(Catalogue::kMinGroups) ||
        n > static_cast<std::size_t>(Catalogue::kMaxGroups) || source.groupOrder.size() != n ||
        source.backgroundPaths.size() != n || !IsPermutation(source.groupOrder) ||
        source.reservedPairs.second.size() != pairs || pairs > kMaxReservedPairs)
        return false;
    entries.assign(n, Entry{});
    std::size_t size = 4 + 2 * kHeader.size() + 12 + 4 * n;
    for (std::size_t i = 0; i < pairs; ++i)
        size +=
            8 + 2 * (source.reservedPairs.first[i].size() + source.reservedPairs.second[i].size());
    std::size_t shortcuts = 0;
    for (std::size_t j = 0; j < n; ++j) {
        Entry& entry = entries[j];
        size += 12 + 2 * (source.groupNames[j].size() + source.backgroundPaths[j].size());
        if (source.encoded)
            entry.raw = source.encoded(j, entry.count);
        if (entry.raw) {
            size += entry.raw->size();
        } else {
            entry.record = &source.group(j);
            if (!entry.record->IsConsistent() || entry.record->Count() > kMaxGroupShortcuts)
                return false;
            entry.count = entry.record->Count();
            for (std::size_t i = 0; i < entry.count; ++i)
                size += 12 + 2 * (entry.record->targets[i].size() + entry.record->names[i].size() +
                                  entry.record->iconRefs[i].size());
        }
        shortcuts += entry.count;
    }
    use = {shortcuts, size};
    return true;
}

bool Serialize(const Source& source, std::vector<std::uint8_t>& bytes) {
    bytes.clear();
    std::vector<Entry> entries;
    SettingsUse use;
    if (!Measure(source, entries, use) || use.shortcuts > kMaxSettingsShortcuts ||
        use.bytes > kMaxSettingsFileBytes)
        return false;
    const std::size_t n = entries.size();
    const std::size_t pairs = source.reservedPairs.first.size();
    // Sized once for all of it; a buffer kept from the last save is reused.
    bytes.resize(use.bytes);
    FieldWriter out(bytes);
    out.WriteString(kHeader);
    out.Write32(static_cast<std::uint32_t>(source.sysInfoMode));
    out.Write32(static_cast<std::uint32_t>(pairs));
    for (std::size_t i = 0; i < pairs; ++i) {
        out.WriteString(source.reservedPairs.first[i]);
        out.WriteString(source.reservedPairs.second[i]);
    }
    out.Write32(static_cast<std::uint32_t>(n));
    for (std::uint8_t s : source.groupOrder)
        out.Write32(s);
    for (std::size_t j = 0; j < n; ++j) {
        const Entry& entry = entries[j];
        out.Write32(static_cast<std::uint32_t>(entry.count));
        if (!out.WriteGroupString(source.groupNames[j]) ||
            !out.WriteGroupString(source.backgroundPaths[j]))
            return false;
        if (entry.raw) {
            out.WriteRaw(*entry.raw);
            continue;
        }
        const GroupRecord& group = *entry.record;
        for (std::size_t i = 0; i < group.Count(); ++i) {
            if (!out.WriteGroupString(group.targets[i]) || !out.WriteGroupString(group.names[i]) ||
                !out.WriteGroupString(group.iconRefs[i]))
                return false;
        }
    }
    // Strings cut at a NUL only make the file shorter than counted.
    return out.Finish();
}

std::optional<std::vector<std::uint8_t>> SerializeToNew(const Source& source) {
    std::vector<std::uint8_t> bytes;
    if (!Serialize(source, bytes))
        return std::nullopt;
    return bytes;
}

Source SourceOf(const Catalogue& catalogue) {
    return {catalogue.SysInfoMode(),
            catalogue.GetReservedPairs(),
            catalogue.BackgroundPaths(),
            catalogue.GroupOrder(),
            catalogue.GroupNames(),
            [&catalogue](std::size_t s) -> const GroupRecord& {
                return catalogue.GroupAtStorage(static_cast<int>(s));
            },
            [&catalogue](std::size_t s,
                         std::size_t& count) -> std::optional<std::span<const std::uint8_t>> {
                std::size_t index = 0;
                const auto* image = dynamic_cast<const SettingsImage*>(
                    catalogue.EncodedGroup(static_cast<int>(s), index));
                if (!image)
                    return std::nullopt;
                auto raw = image->Canonical(index);
                if (raw)
                    count = image->Count(index);
                return raw;
            }};
}

} // namespace

std::optional<EncodedSettings> ParseEncodedSettings(std::vector<std::uint8_t> bytes) {
    EncodedSettings settings;
    std::vector<ShortcutBlock> blocks;
    if (!Walk(bytes, &settings.contents, &blocks))
        return std::nullopt;
    settings.groups = std::make_shared<SettingsImage>(std::move(bytes), std::move(blocks));
    return settings;
}

std::optional<CatalogueContents> ParseSettings(std::span<const std::uint8_t> bytes) {
    auto settings = ParseEncodedSettings(std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
    if (!settings)
        return std::nullopt;
    for (std::size_t s = 0; s < settings->contents.groupList.size(); ++s)
        settings->groups->Decode(s, settings->contents.groupList[s]);
    return std::move(settings->contents);
}

bool IsValidSettings(std::span<const std::uint8_t> bytes) {
    return Walk(bytes, nullptr, nullptr);
}

std::optional<std::vector<std::uint8_t>> SerializeSettings(const Catalogue& catalogue) {
    return SerializeToNew(SourceOf(catalogue));
}

bool SerializeSettings(const Catalogue& catalogue, std::vector<std::uint8_t>& bytes) {
    return Serialize(SourceOf(catalogue), bytes);
}

std::optional<std::vector<std::uint8_t>> SerializeSettings(const CatalogueContents& contents) {
    if (contents.groupList.size() != contents.groupNames.size())
        return std::nullopt;
    return SerializeToNew(
        {contents.sysInfoMode, contents.reservedPairs, contents.backgroundPaths,
         contents.groupOrder, contents.groupNames,
         [&contents](std::size_t s) -> const GroupRecord& { return contents.groupList[s]; },
         nullptr});
}

std::optional<SettingsUse> MeasureSettings(const Catalogue& catalogue) {
    std::vector<Entry> entries;
    SettingsUse use;
    if (!Measure(SourceOf(catalogue), entries, use))
        return std::nullopt;
    return use;
}

bool SettingsHoldAfter(const Catalogue& catalogue, int p, const ShortcutRecord& added, int from,
                       const ShortcutRecord* removed) {
    if (!catalogue.IsValidPosition(p))
        return false;
    const auto use = MeasureSettings(catalogue);
    if (!use)
        return false;
    for (const std::u16string* text : {&added.target, &added.name, &added.iconRef}) {
        if (text->substr(0, text->find(u'\0')).size() * 2 > 0xFFFF)
            return false;
    }
    const bool stays = removed && from == p;
    std::size_t shortcuts = use->shortcuts + 1;
    std::size_t bytes = use->bytes + ShortcutBytes(added);
    if (removed) {
        --shortcuts;
        bytes -= std::min(bytes, ShortcutBytes(*removed));
    }
    return shortcuts <= kMaxSettingsShortcuts && bytes <= kMaxSettingsFileBytes &&
           (stays || catalogue.Group(p).Count() < kMaxGroupShortcuts);
}
