#include "platform/kernel/DeviceRoot.h"

#include <cstdlib>

namespace zorun {

namespace {
std::filesystem::path& Root() {
    static std::filesystem::path root = DefaultDeviceRoot();
    return root;
}
} // namespace

void SetDeviceRoot(const std::filesystem::path& root) {
    Root() = root;
}

const std::filesystem::path& DeviceRoot() {
    return Root();
}

std::filesystem::path DefaultDeviceRoot() {
    if (const char* data = std::getenv("XDG_DATA_HOME"); data && *data)
        return std::filesystem::path(data) / "zorun" / "device";
    const char* home = std::getenv("HOME");
    return std::filesystem::path(home && *home ? home : "/tmp") / ".local" / "share" / "zorun" /
           "device";
}

std::filesystem::path UserStateFolder() {
    if (const char* state = std::getenv("XDG_STATE_HOME"); state && *state == '/')
        return std::filesystem::path(state) / "zorun";
    const char* home = std::getenv("HOME");
    return std::filesystem::path(home && *home ? home : "/tmp") / ".local" / "state" / "zorun";
}

} // namespace zorun
