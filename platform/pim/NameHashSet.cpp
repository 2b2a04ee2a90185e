#include "platform/pim/NameHashSet.h"

#include <utility>

namespace zorun {

std::uint64_t NameHashSet::Hash(std::string_view name) {
    // FNV-1a, then a finishing mix so that the low bits (the table index)
    // depend on every byte.
    std::uint64_t h = 0xcbf29ce484222325ull;
    for (const char c : name) {
        h ^= static_cast<unsigned char>(c);
        h *= 0x100000001b3ull;
    }
    h ^= h >> 33;
    h *= 0xff51afd7ed558ccdull;
    h ^= h >> 33;
    return h ? h : 1; // 0 marks an empty slot
}

bool NameHashSet::Insert(std::uint64_t hash) {
    if (hash == 0)
        hash = 1;
    if ((size_ + 1) * 2 > slots_.size())
        Grow();
    for (std::size_t i = Home(hash);; i = (i + 1) & (slots_.size() - 1)) {
        if (slots_[i] == hash)
            return false;
        if (slots_[i] == 0) {
            slots_[i] = hash;
            ++size_;
            return true;
        }
    }
}

bool NameHashSet::Erase(std::uint64_t hash) {
    if (hash == 0)
        hash = 1;
    if (size_ == 0)
        return false;
    const std::size_t mask = slots_.size() - 1;
    std::size_t i = Home(hash);
    while (slots_[i] != hash) {
        if (slots_[i] == 0)
            return false;
        i = (i + 1) & mask;
    }
    // Shift back the entries after the hole that would no longer be found.
    slots_[i] = 0;
    for (std::size_t j = (i + 1) & mask; slots_[j] != 0; j = (j + 1) & mask) {
        const std::size_t home = Home(slots_[j]);
        // Whether `home` lies cyclically in (i, j]: then the entry stays.
        const bool stays = i <= j ? (i < home && home <= j) : (i < home || home <= j);
        if (!stays) {
            slots_[i] = slots_[j];
            slots_[j] = 0;
            i = j;
        }
    }
    --size_;
    return true;
}

void NameHashSet::Clear() {
    slots_.clear();
    slots_.shrink_to_fit();
    size_ = 0;
}

void NameHashSet::Grow() {
    std::vector<std::uint64_t> old = std::move(slots_);
    slots_.assign(old.empty() ? 64 : old.size() * 2, 0);
    size_ = 0;
    for (const std::uint64_t hash : old)
        if (hash != 0)
            Insert(hash);
}

} // namespace zorun
