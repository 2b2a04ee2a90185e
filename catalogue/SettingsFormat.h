#pragma once
// The settings file's bytes: parsing and producing them, without touching
// the file system (SettingsFile.h does that).
//
// Layout (integers 32-bit little-endian; a string is its byte length L then
// L bytes of UTF-16LE, no terminator): header length 22, "TRUMO ZORUN",
// sysInfoMode, reserved pair count N1, N1 pairs of strings, group count N,
// N order bytes each stored as 32 bits, then N group entries. Entry j holds
// the shortcut count of groupList[j], the name at display position j, the
// background of storage index j, then (target, name, icon reference) of each
// shortcut of groupList[j]. An entry thus mixes the two index spaces; each
// list is read back at its own index.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "catalogue/Catalogue.h"

// Nothing larger is written or read: far above any real catalogue, and it
// bounds what a damaged file can make the reader allocate.
inline constexpr std::size_t kMaxSettingsFileBytes = 64u << 20;
// Nor more shortcuts in all (a catalogue of 256 full groups of 60 holds
// 15,360) or more reserved pairs (the program makes none): each costs a few
// strings' worth of memory however short its fields are in the file.
inline constexpr std::size_t kMaxSettingsShortcuts = 100'000;
inline constexpr std::size_t kMaxReservedPairs = 4096;
// A group's shortcut count is a 16-bit field.
inline constexpr std::size_t kMaxGroupShortcuts = 0xFFFF;

// What a catalogue takes of the settings file: its shortcuts and its bytes
// (strings counted whole, never less than what is written).
struct SettingsUse {
    std::size_t shortcuts = 0;
    std::size_t bytes = 0;
};

// The use of `catalogue`; nullopt when the format cannot carry its lists at
// all (not well formed, a group beyond kMaxGroupShortcuts).
[[nodiscard]] std::optional<SettingsUse> MeasureSettings(const Catalogue& catalogue);

// Whether the settings file still holds the catalogue, within every limit
// above, once `added` is appended to the group at display position p and,
// for a move or a rename, `removed` (a shortcut of the group at `from`) has
// gone. A command that adds to the catalogue asks first: a catalogue beyond
// the limits could be neither saved nor read back.
[[nodiscard]] bool SettingsHoldAfter(const Catalogue& catalogue, int p, const ShortcutRecord& added,
                                     int from = -1, const ShortcutRecord* removed = nullptr);

// A valid settings file whose shortcuts are not decoded yet: the contents
// without them (every record of groupList empty) and the file's bytes, from
// which group s is decoded when the catalogue first needs it.
struct EncodedSettings {
    CatalogueContents contents;
    std::shared_ptr<const EncodedGroups> groups;
};

// What ParseSettings accepts, read without decoding a single shortcut.
[[nodiscard]] std::optional<EncodedSettings> ParseEncodedSettings(std::vector<std::uint8_t> bytes);

// The contents of a valid settings file; nullopt for anything else: a wrong
// header (compared ignoring case, up to its first NUL), a field or string
// that runs past the end, fewer than 4 or more than 256 groups, an order
// table that is not a permutation of 0..N-1, or more shortcuts or reserved
// pairs than the limits above. Group counts, shortcut counts and string
// lengths in the groups are taken from their low 16 bits and the order
// values from their low 8 bits; a string in the groups ends early at a NUL.
// Bytes after the last group entry are ignored.
[[nodiscard]] std::optional<CatalogueContents> ParseSettings(std::span<const std::uint8_t> bytes);

// Whether ParseSettings would accept the bytes, without keeping anything.
[[nodiscard]] bool IsValidSettings(std::span<const std::uint8_t> bytes);

// The file for `catalogue`; nullopt when the catalogue is not well formed
// (Catalogue::IsWellFormed) or holds what the format cannot carry exactly (a
// group of more than 65535 shortcuts, a string of more than 32767
// characters in the groups, more than the limits above). Strings in the
// groups are written up to their first NUL, as they read back. Whatever
// this returns, ParseSettings reads back to the same contents. Groups still
// encoded are copied as they were read when that reads back the same.
[[nodiscard]] std::optional<std::vector<std::uint8_t>>
SerializeSettings(const Catalogue& catalogue);
[[nodiscard]] std::optional<std::vector<std::uint8_t>>
SerializeSettings(const CatalogueContents& contents);
// The same into `bytes` (emptied first, its room kept for the next time);
// false where the above gives nullopt.
[[nodiscard]] bool SerializeSettings(const Catalogue& catalogue, std::vector<std::uint8_t>& bytes);
