#pragma once
// The catalogue: the groups and their shortcuts, the order of the tabs, the
// four default group names, and the information panel's `sysInfoMode`.
//
// Two index spaces:
//  - display position p: the group's place in the tab order (0 = first tab);
//    it indexes groupNames and groupOrder;
//  - storage index s: the place of the group's data; it indexes groupList
//    and backgroundPaths. groupOrder[p] is the storage index shown at p.
//
// Invariants, kept by every change below (a change that would break one is
// refused and changes nothing):
//  1. groupNames, groupOrder, groupList and backgroundPaths have N entries;
//  2. groupOrder holds each storage index 0..N-1 exactly once;
//  3. N is at most 256 (a storage index is one byte);
//  4. N is at least 4 once filled (the tab strip shows four groups); only an
//     empty catalogue, before it is filled, has fewer;
//  5. no two groups carry the same name (case matters) through AppendGroup
//     or RenameGroup (a settings file may hold duplicates; they are kept);
//  6. the three lists of every GroupRecord have equal length.
// Group records keep their address while their group exists, so a view may
// hold on to the record of the group it shows.
//
// There is one catalogue in the program, owned by the main frame; it cannot
// be copied. Contents() gives a snapshot for dialogs and tests.
//
// A catalogue read from the settings file may hold groups whose shortcuts
// are still in the file's encoding (EncodedGroups): each is decoded into its
// record the first time anything asks for that group, so a start shows the
// first group without decoding thousands of strings it does not show.

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/DefaultCatalogueTexts.h"
#include "catalogue/GroupRecord.h"

// String pairs the settings file carries ahead of the groups; read and
// written back unchanged.
struct ReservedPairs {
    std::vector<std::u16string> first;
    std::vector<std::u16string> second;

    bool operator==(const ReservedPairs&) const = default;
};

// Everything the settings file stores, in the catalogue's own lists.
struct CatalogueContents {
    std::int32_t sysInfoMode = 0;
    ReservedPairs reservedPairs;
    std::vector<std::u16string> backgroundPaths; // by storage index
    std::vector<std::uint8_t> groupOrder;        // by display position
    std::vector<std::u16string> groupNames;      // by display position
    std::vector<GroupRecord> groupList;          // by storage index

    bool operator==(const CatalogueContents&) const = default;
};

// The shortcuts of groups in an encoded form (the settings file's bytes),
// by the index the groups had there.
class EncodedGroups {
  public:
    virtual ~EncodedGroups() = default;
    // Appends the shortcuts of group `index` to `record`.
    virtual void Decode(std::size_t index, GroupRecord& record) const = 0;
};

class Catalogue {
  public:
    static constexpr int kMinGroups = 4;
    static constexpr int kMaxGroups = 256;
    using DefaultNames = std::array<std::u16string, 4>;

    // Empty lists; defaultGroupNames are the language build's four names
    // (those of the texts handed over at start-up).
    Catalogue() : Catalogue(LanguageDefaultNames()) {}
    explicit Catalogue(DefaultNames defaultGroupNames);
    Catalogue(const Catalogue&) = delete;
    Catalogue& operator=(const Catalogue&) = delete;

    // --- Access by display position p (0 <= p < GroupCount()) ---
    [[nodiscard]] int GroupCount() const { return static_cast<int>(groupNames_.size()); }
    [[nodiscard]] bool IsValidPosition(int p) const { return p >= 0 && p < GroupCount(); }
    [[nodiscard]] const std::u16string& GroupName(int p) const { return groupNames_.at(p); }
    [[nodiscard]] int StorageIndex(int p) const { return groupOrder_.at(p); }
    [[nodiscard]] const GroupRecord& Group(int p) const { return GroupAtStorage(StorageIndex(p)); }
    [[nodiscard]] const std::u16string& Background(int p) const {
        return backgroundPaths_.at(StorageIndex(p));
    }
    // The display position showing storage index s; -1 when there is none.
    [[nodiscard]] int DisplayPosition(int s) const;

    // Default-group test: the name equals one of defaultGroupNames exactly.
    [[nodiscard]] bool IsDefaultGroup(int p) const;
    [[nodiscard]] bool IsDefaultGroupName(std::u16string_view name) const;

    // --- The lists themselves ---
    [[nodiscard]] const std::vector<std::u16string>& GroupNames() const { return groupNames_; }
    [[nodiscard]] const std::vector<std::uint8_t>& GroupOrder() const { return groupOrder_; }
    [[nodiscard]] const std::vector<std::u16string>& BackgroundPaths() const {
        return backgroundPaths_;
    }
    [[nodiscard]] const GroupRecord& GroupAtStorage(int s) const;
    // The encoding that still holds the shortcuts of storage index s, and
    // the group's index there; nullptr once the group is decoded.
    [[nodiscard]] const EncodedGroups* EncodedGroup(int s, std::size_t& index) const;
    [[nodiscard]] const ReservedPairs& GetReservedPairs() const { return reservedPairs_; }
    // Written ahead of the pairs; always the number of pairs held.
    [[nodiscard]] std::int32_t ReservedPairCount() const {
        return static_cast<std::int32_t>(reservedPairs_.first.size());
    }
    [[nodiscard]] std::int32_t SysInfoMode() const { return sysInfoMode_; }
    [[nodiscard]] const DefaultNames& DefaultGroupNames() const { return defaultGroupNames_; }
    [[nodiscard]] CatalogueContents Contents() const;

    // --- Changes ---
    // 1. Append a group at the last display position and storage index.
    //    Refused at 256 groups, for a name another group has, or when the
    //    catalogue is not filled yet.
    [[nodiscard]] bool AppendGroup(std::u16string name, std::u16string backgroundPath);
    // 2. Remove the group at p with its shortcuts; storage indexes above its
    //    own move down by one. Refused for a default group and when only four
    //    groups remain (a catalogue of fewer could not be shown or read back).
    [[nodiscard]] bool RemoveGroup(int p);
    [[nodiscard]] bool CanRemoveGroup(int p) const;
    // 3. Rename the group at p. Refused for a default group and for a name
    //    another group has.
    [[nodiscard]] bool RenameGroup(int p, std::u16string name);
    // 4. Set the background picture path of the group at p ("" for none).
    bool SetBackground(int p, std::u16string path);
    // 5. Reorder the groups: `order` and `names` are the new groupOrder and
    //    groupNames, one permutation applied to both (as the organizer hands
    //    them back). Refused unless every storage index keeps its name.
    [[nodiscard]] bool SetOrder(std::vector<std::uint8_t> order, std::vector<std::u16string> names);
    // 6. Shortcut changes on the group at p (i indexes its shortcuts). Copying
    //    or moving to another group is AppendShortcut there (and, for a move,
    //    RemoveShortcut here). False for an index out of range.
    bool AppendShortcut(int p, ShortcutRecord shortcut);
    bool RemoveShortcut(int p, int i);
    bool SetShortcutName(int p, int i, std::u16string name);
    bool SetShortcutIconRef(int p, int i, std::u16string iconRef);
    // 7. Replace the whole catalogue (settings file, default catalogue).
    //    Refused, changing nothing, when the contents break an invariant.
    [[nodiscard]] bool Replace(CatalogueContents contents);
    // The same, with the shortcuts of every group still in `encoded` (the
    // records of contents.groupList are empty; group s is index s there).
    [[nodiscard]] bool Replace(CatalogueContents contents,
                               std::shared_ptr<const EncodedGroups> encoded);
    // Empties every list and sets sysInfoMode to 0; defaultGroupNames stay.
    void Clear();

    // True when `contents` keeps invariants 1-4 and 6 with 4..256 groups:
    // what Replace accepts, the reader accepts and the writer writes.
    [[nodiscard]] static bool IsWellFormed(const CatalogueContents& contents);

    void SetSysInfoMode(std::int32_t mode) {
        if (mode != sysInfoMode_)
            Changed();
        sysInfoMode_ = mode;
    }

    // A number that changes with every change of the contents and differs
    // between catalogues: equal stamps mean equal contents.
    [[nodiscard]] std::uint64_t ChangeStamp() const { return changeStamp_; }

  private:
    [[nodiscard]] static DefaultNames LanguageDefaultNames() {
        const DefaultCatalogueTexts& texts = LanguageDefaultCatalogueTexts();
        return {texts.groupNames[0], texts.groupNames[1], texts.groupNames[2], texts.groupNames[3]};
    }
    [[nodiscard]] bool NameTaken(std::u16string_view name, int exceptPosition) const;
    [[nodiscard]] GroupRecord* MutableGroup(int p);
    // The record of storage index s, decoded first if it is still encoded
    // (the records are held by pointer, so a const catalogue can fill one).
    [[nodiscard]] GroupRecord& Record(int s) const;
    void Changed();

    // In the order the frame holds them.
    ReservedPairs reservedPairs_;
    std::int32_t sysInfoMode_ = 0;
    std::vector<std::u16string> backgroundPaths_;
    std::vector<std::uint8_t> groupOrder_;
    std::vector<std::u16string> groupNames_;
    std::vector<std::unique_ptr<GroupRecord>> groupList_;
    DefaultNames defaultGroupNames_;
    // Groups not decoded yet: their index in encoded_ by storage index, -1
    // once decoded. encoded_ is let go when the last one is decoded.
    mutable std::shared_ptr<const EncodedGroups> encoded_;
    mutable std::vector<int> encodedIndex_;
    mutable std::size_t stillEncoded_ = 0;
    std::uint64_t changeStamp_ = 0;
};
