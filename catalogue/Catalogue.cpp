#include "catalogue/Catalogue.h"

#include <algorithm>
#include <atomic>

namespace {

std::uint64_t NextStamp() {
    static std::atomic<std::uint64_t> next{1};
    return next.fetch_add(1, std::memory_order_relaxed);
}

} // namespace

Catalogue::Catalogue(DefaultNames defaultGroupNames)
    : defaultGroupNames_(std::move(defaultGroupNames)), changeStamp_(NextStamp()) {}

void Catalogue::Changed() {
    changeStamp_ = NextStamp();
}

const GroupRecord& Catalogue::GroupAtStorage(int s) const {
    return Record(s);
}

GroupRecord& Catalogue::Record(int s) const {
    GroupRecord& record = *groupList_.at(static_cast<std::size_t>(s));
    int& index = encodedIndex_[static_cast<std::size_t>(s)];
    if (index >= 0) {
        encoded_->Decode(static_cast<std::size_t>(index), record);
        index = -1;
        if (--stillEncoded_ == 0)
            encoded_.reset();
    }
    return record;
}

const EncodedGroups* Catalogue::EncodedGroup(int s, std::size_t& index) const {
    const int i = encodedIndex_.at(static_cast<std::size_t>(s));
    if (i < 0)
        return nullptr;
    index = static_cast<std::size_t>(i);
    return encoded_.get();
}

int Catalogue::DisplayPosition(int s) const {
    for (std::size_t p = 0; p < groupOrder_.size(); ++p) {
        if (groupOrder_[p] == s)
            return static_cast<int>(p);
    }
    return -1;
}

bool Catalogue::IsDefaultGroupName(std::u16string_view name) const {
    return std::any_of(defaultGroupNames_.begin(), defaultGroupNames_.end(),
                       [name](const std::u16string& d) { return d == name; });
}

bool Catalogue::IsDefaultGroup(int p) const {
    return IsValidPosition(p) && IsDefaultGroupName(groupNames_[p]);
}

CatalogueContents Catalogue::Contents() const {
    CatalogueContents contents;
    contents.sysInfoMode = sysInfoMode_;
    contents.reservedPairs = reservedPairs_;
    contents.backgroundPaths = backgroundPaths_;
    contents.groupOrder = groupOrder_;
    contents.groupNames = groupNames_;
    contents.groupList.reserve(groupList_.size());
    for (std::size_t s = 0; s < groupList_.size(); ++s)
        contents.groupList.push_back(GroupAtStorage(static_cast<int>(s)));
    return contents;
}

bool Catalogue::NameTaken(std::u16string_view name, int exceptPosition) const {
    for (int p = 0; p < GroupCount(); ++p) {
        if (p != exceptPosition && groupNames_[p] == name)
            return true;
    }
    return false;
}

GroupRecord* Catalogue::MutableGroup(int p) {
    if (!IsValidPosition(p))
        return nullptr;
    // Every caller changes the group (or fails on a bad index, which costs
    // only a save that compares equal).
    Changed();
    return &Record(groupOrder_[p]);
}

bool Catalogue::AppendGroup(std::u16string name, std::u16string backgroundPath) {
    const int n = GroupCount();
    if (n < kMinGroups || n >= kMaxGroups || NameTaken(name, -1))
        return false;
    groupNames_.push_back(std::move(name));
    groupOrder_.push_back(static_cast<std::uint8_t>(n));
    groupList_.push_back(std::make_unique<GroupRecord>());
    encodedIndex_.push_back(-1);
    backgroundPaths_.push_back(std::move(backgroundPath));
    Changed();
    return true;
}

bool Catalogue::CanRemoveGroup(int p) const {
    return IsValidPosition(p) && GroupCount() > kMinGroups && !IsDefaultGroup(p);
}

bool Catalogue::RemoveGroup(int p) {
    if (!CanRemoveGroup(p))
        return false;
    const std::uint8_t s = groupOrder_[p];
    groupList_.erase(groupList_.begin() + s);
    if (encodedIndex_[s] >= 0 && --stillEncoded_ == 0)
        encoded_.reset();
    encodedIndex_.erase(encodedIndex_.begin() + s);
    backgroundPaths_.erase(backgroundPaths_.begin() + s);
    groupOrder_.erase(groupOrder_.begin() + p);
    groupNames_.erase(groupNames_.begin() + p);
    for (std::uint8_t& order : groupOrder_) {
        if (order > s)
            --order;
    }
    Changed();
    return true;
}

bool Catalogue::RenameGroup(int p, std::u16string name) {
    if (!IsValidPosition(p) || IsDefaultGroup(p) || NameTaken(name, p))
        return false;
    groupNames_[p] = std::move(name);
    Changed();
    return true;
}

bool Catalogue::SetBackground(int p, std::u16string path) {
    if (!IsValidPosition(p))
        return false;
    backgroundPaths_[groupOrder_[p]] = std::move(path);
    Changed();
    return true;
}

bool Catalogue::SetOrder(std::vector<std::uint8_t> order, std::vector<std::u16string> names) {
    const std::size_t n = groupOrder_.size();
    if (order.size() != n || names.size() != n)
        return false;
    std::vector<bool> seen(n, false);
    for (std::size_t i = 0; i < n; ++i) {
        const std::size_t s = order[i];
        if (s >= n || seen[s])
            return false;
        seen[s] = true;
        // The name must travel with its storage index.
        if (names[i] != groupNames_[DisplayPosition(static_cast<int>(s))])
            return false;
    }
    groupOrder_ = std::move(order);
    groupNames_ = std::move(names);
    Changed();
    return true;
}

bool Catalogue::AppendShortcut(int p, ShortcutRecord shortcut) {
    GroupRecord* group = MutableGroup(p);
    if (!group)
        return false;
    group->Append(std::move(shortcut));
    return true;
}

bool Catalogue::RemoveShortcut(int p, int i) {
    GroupRecord* group = MutableGroup(p);
    if (!group || i < 0 || static_cast<std::size_t>(i) >= group->Count())
        return false;
    group->targets.erase(group->targets.begin() + i);
    group->names.erase(group->names.begin() + i);
    group->iconRefs.erase(group->iconRefs.begin() + i);
    return true;
}

bool Catalogue::SetShortcutName(int p, int i, std::u16string name) {
    GroupRecord* group = MutableGroup(p);
    if (!group || i < 0 || static_cast<std::size_t>(i) >= group->Count())
        return false;
    group->names[i] = std::move(name);
    return true;
}

bool Catalogue::SetShortcutIconRef(int p, int i, std::u16string iconRef) {
    GroupRecord* group = MutableGroup(p);
    if (!group || i < 0 || static_cast<std::size_t>(i) >= group->Count())
        return false;
    group->iconRefs[i] = std::move(iconRef);
    return true;
}

bool Catalogue::IsWellFormed(const CatalogueContents& contents) {
    const std::size_t n = contents.groupNames.size();
    if (n < kMinGroups || n > kMaxGroups || contents.groupOrder.size() != n ||
        contents.groupList.size() != n || contents.backgroundPaths.size() != n ||
        contents.reservedPairs.first.size() != contents.reservedPairs.second.size())
        return false;
    std::vector<bool> seen(n, false);
    for (std::uint8_t s : contents.groupOrder) {
        if (s >= n || seen[s])
            return false;
        seen[s] = true;
    }
    return std::all_of(contents.groupList.begin(), contents.groupList.end(),
                       [](const GroupRecord& g) { return g.IsConsistent(); });
}

bool Catalogue::Replace(CatalogueContents contents) {
    return Replace(std::move(contents), nullptr);
}

bool Catalogue::Replace(CatalogueContents contents, std::shared_ptr<const EncodedGroups> encoded) {
    if (!IsWellFormed(contents))
        return false;
    Clear();
    sysInfoMode_ = contents.sysInfoMode;
    reservedPairs_ = std::move(contents.reservedPairs);
    backgroundPaths_ = std::move(contents.backgroundPaths);
    groupOrder_ = std::move(contents.groupOrder);
    groupNames_ = std::move(contents.groupNames);
    groupList_.reserve(contents.groupList.size());
    for (GroupRecord& record : contents.groupList)
        groupList_.push_back(std::make_unique<GroupRecord>(std::move(record)));
    if (encoded) {
        encodedIndex_.resize(groupList_.size());
        for (std::size_t s = 0; s < encodedIndex_.size(); ++s)
            encodedIndex_[s] = static_cast<int>(s);
        stillEncoded_ = groupList_.size();
        encoded_ = std::move(encoded);
    } else {
        encodedIndex_.assign(groupList_.size(), -1);
    }
    return true;
}

void Catalogue::Clear() {
    reservedPairs_ = {};
    sysInfoMode_ = 0;
    backgroundPaths_.clear();
    groupOrder_.clear();
    groupNames_.clear();
    groupList_.clear();
    encodedIndex_.clear();
    stillEncoded_ = 0;
    encoded_.reset();
    Changed();
}
