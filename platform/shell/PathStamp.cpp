#include "platform/shell/PathStamp.h"

#include <ctime>
#include <sys/stat.h>

namespace zorun {

namespace {

// Well beyond the coarsest file-time tick (10 ms at 100 Hz).
constexpr std::int64_t kSettleNs = 100'000'000;

std::int64_t Nanoseconds(const timespec& t) {
    return static_cast<std::int64_t>(t.tv_sec) * 1'000'000'000 + t.tv_nsec;
}

} // namespace

PathStamp::State PathStamp::Take(const std::filesystem::path& path) {
    State state;
    struct stat st {};
    if (stat(path.c_str(), &st) != 0)
        return state;
    state.exists = true;
    state.device = st.st_dev;
    state.inode = st.st_ino;
    state.size = static_cast<std::uint64_t>(st.st_size);
    state.links = st.st_nlink;
    state.changedNs = Nanoseconds(st.st_ctim);
    return state;
}

PathStamp::PathStamp(std::filesystem::path path) : path_(std::move(path)), state_(Take(path_)) {
    if (state_.exists) {
        timespec now{};
        clock_gettime(CLOCK_REALTIME, &now);
        settled_ = Nanoseconds(now) - state_.changedNs >= kSettleNs;
    }
}

bool PathStamp::Current() const {
    return settled_ && Take(path_) == state_;
}

} // namespace zorun
