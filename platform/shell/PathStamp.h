#pragma once
// What a file or folder is at one moment (its entry, change time, size and
// link count, or that it is absent), to tell cheaply later whether it has
// changed: one stat, nothing read.
//
// File times are kept in clock ticks of a few milliseconds, so a change
// made in the same tick as the stamp, after it, would leave the same time.
// A stamp taken that soon after the path's last change is therefore never
// current: whoever holds it reads the path again once more, later.

#include <cstdint>
#include <filesystem>

namespace zorun {

class PathStamp {
  public:
    // Stamps `path` now.
    explicit PathStamp(std::filesystem::path path);

    [[nodiscard]] const std::filesystem::path& Path() const { return path_; }
    [[nodiscard]] bool Exists() const { return state_.exists; }
    // Whether the path is still as stamped (and was stamped late enough to tell).
    [[nodiscard]] bool Current() const;

  private:
    struct State {
        bool exists = false;
        std::uint64_t device = 0, inode = 0, size = 0, links = 0;
        std::int64_t changedNs = 0;
        bool operator==(const State&) const = default;
    };
    [[nodiscard]] static State Take(const std::filesystem::path& path);

    std::filesystem::path path_;
    State state_;
    bool settled_ = true;
};

} // namespace zorun
