#include "platform/backend/DisplayHost.h"

#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

namespace zorun {

namespace {

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

} // namespace

bool HasX11Display() {
    return !Environment("DISPLAY").empty();
}

bool HasWaylandDisplay() {
    // As the Wayland client library finds it.
    std::string name = Environment("WAYLAND_DISPLAY");
    if (name.empty())
        name = "wayland-0";
    std::filesystem::path socket = name;
    if (!socket.is_absolute()) {
        const std::string runtime = Environment("XDG_RUNTIME_DIR");
        if (runtime.empty())
            return false;
        socket = std::filesystem::path(runtime) / name;
    }
    struct stat info {};
    return stat(socket.c_str(), &info) == 0 && S_ISSOCK(info.st_mode);
}

bool HasDrmScreen(const DrmPaths& paths) {
    // Connectors are named after their card: card0-HDMI-A-1 is card0's.
    std::error_code ec;
    std::filesystem::directory_iterator it(paths.sysClassDrm, ec), end;
    for (; !ec && it != end; it.increment(ec)) {
        const std::string connector = it->path().filename().string();
        const auto dash = connector.find('-');
        if (!connector.starts_with("card") || dash == std::string::npos)
            continue;
        std::ifstream statusFile(it->path() / "status");
        std::string status;
        if (!std::getline(statusFile, status) || status != "connected")
            continue;
        const std::filesystem::path node = paths.devDri / connector.substr(0, dash);
        const int fd = open(node.c_str(), O_RDWR | O_CLOEXEC | O_NONBLOCK);
        if (fd >= 0) {
            close(fd);
            return true;
        }
    }
    return false;
}

} // namespace zorun
