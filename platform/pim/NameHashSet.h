#pragma once
// A set of names kept as 64-bit hashes in one flat table (open addressing,
// linear probing): about 16 bytes a name, a small part of what a set of
// strings takes, for folders of 100,000 messages. Two names share a hash
// with a chance of about one in 10^9 among 100,000 names.

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace zorun {

class NameHashSet {
  public:
    [[nodiscard]] static std::uint64_t Hash(std::string_view name);

    // True when the name was not there before.
    bool Insert(std::uint64_t hash);
    // True when the name was there.
    bool Erase(std::uint64_t hash);
    void Clear();
    [[nodiscard]] std::size_t Size() const { return size_; }

  private:
    [[nodiscard]] std::size_t Home(std::uint64_t hash) const { return hash & (slots_.size() - 1); }
    void Grow();

    std::vector<std::uint64_t> slots_; // 0 marks an empty slot; size a power of two
    std::size_t size_ = 0;
};

} // namespace zorun
