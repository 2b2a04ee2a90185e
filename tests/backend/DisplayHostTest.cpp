// Finding a display: where the device screen sits in a host window and how
// window pixels map back, and which hosts count as a display (a Wayland
// socket, a DRM card with a connected screen that opens).

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "platform/backend/DisplayHost.h"
#include "platform/backend/ScreenLayout.h"

namespace {

namespace fs = std::filesystem;

TEST(ScreenLayout, ScaleCentringAndTheWayBack) {
    // A window of exactly the scaled screen.
    auto exact = zorun::ScreenLayout::For(480, 640, 2, false);
    EXPECT_EQ(exact.scale, 2);
    EXPECT_EQ(exact.offset, (zorun::Point{0, 0}));
    EXPECT_EQ(exact.ToDevice(0, 0), (zorun::Point{0, 0}));
    EXPECT_EQ(exact.ToDevice(479, 639), (zorun::Point{239, 319}));
    // Left of and above the screen stays outside it, not on its first pixel.
    EXPECT_EQ(exact.ToDevice(-1, -2), (zorun::Point{-1, -1}));
    EXPECT_EQ(exact.ToDevice(480, 640), (zorun::Point{240, 320}));

    // Full screen: the largest whole scale that fits, centred.
    auto filled = zorun::ScreenLayout::For(1920, 1080, 1, true);
    EXPECT_EQ(filled.scale, 3);
    EXPECT_EQ(filled.offset, (zorun::Point{(1920 - 720) / 2, (1080 - 960) / 2}));
    EXPECT_EQ(filled.ToDevice(filled.offset.x + 5, filled.offset.y + 5), (zorun::Point{1, 1}));
    EXPECT_EQ(filled.ToDevice(filled.offset.x - 1, filled.offset.y).x, -1);
    // A display smaller than the screen still shows it, at 1.
    EXPECT_EQ(zorun::ScreenLayout::For(200, 200, 1, true).scale, 1);
    // A window the window manager made larger keeps its scale, centred.
    auto larger = zorun::ScreenLayout::For(600, 700, 2, false);
    EXPECT_EQ(larger.scale, 2);
    EXPECT_EQ(larger.offset, (zorun::Point{60, 30}));

    EXPECT_EQ(zorun::DefaultScale(768), 2);  // 640 fits in 652
    EXPECT_EQ(zorun::DefaultScale(1080), 2); // 960 does not fit in 918
    EXPECT_EQ(zorun::DefaultScale(1200), 3);
    EXPECT_EQ(zorun::DefaultScale(300), 1);
}

class DisplayHostTest : public ::testing::Test {
  protected:
    void SetUp() override {
        root = fs::temp_directory_path() / ("zorun-display-host-" + std::to_string(getpid()));
        fs::create_directories(root / "sys");
        fs::create_directories(root / "dev");
        paths = {root / "sys", root / "dev"};
        for (const char* name : {"WAYLAND_DISPLAY", "XDG_RUNTIME_DIR"}) {
            const char* value = std::getenv(name);
            saved.emplace_back(name, value ? std::optional<std::string>(value) : std::nullopt);
        }
    }
    void TearDown() override {
        for (auto& [name, value] : saved) {
            if (value)
                setenv(name, value->c_str(), 1);
            else
                unsetenv(name);
        }
        fs::remove_all(root);
    }
    void Connector(const std::string& name, const std::string& status) {
        fs::create_directories(paths.sysClassDrm / name);
        std::ofstream(paths.sysClassDrm / name / "status") << status << "\n";
    }
    void Listen(const fs::path& path) {
        int fd = socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::snprintf(address.sun_path, sizeof address.sun_path, "%s", path.c_str());
        ASSERT_EQ(bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
        close(fd);
    }

    fs::path root;
    zorun::DrmPaths paths;
    std::vector<std::pair<const char*, std::optional<std::string>>> saved;
};

TEST_F(DisplayHostTest, ADrmScreenCountsWhenConnectedAndItsCardOpens) {
    EXPECT_FALSE(zorun::HasDrmScreen(paths));
    Connector("card0", ""); // the card itself, not a connector
    Connector("card0-HDMI-A-1", "disconnected");
    Connector("card1-DSI-1", "connected"); // no device node for card1
    EXPECT_FALSE(zorun::HasDrmScreen(paths));
    std::ofstream(paths.devDri / "card0").put('\0');
    EXPECT_FALSE(zorun::HasDrmScreen(paths)) << "card0's screen is not connected";
    std::ofstream(paths.devDri / "card1").put('\0');
    EXPECT_TRUE(zorun::HasDrmScreen(paths));
    if (geteuid() != 0) {
        fs::permissions(paths.devDri / "card1", fs::perms::owner_read);
        EXPECT_FALSE(zorun::HasDrmScreen(paths)) << "a card that cannot be written is no use";
    }
}

TEST_F(DisplayHostTest, AWaylandDisplayIsItsSocket) {
    setenv("XDG_RUNTIME_DIR", root.c_str(), 1);
    unsetenv("WAYLAND_DISPLAY");
    EXPECT_FALSE(zorun::HasWaylandDisplay());
    Listen(root / "wayland-0"); // the default name
    EXPECT_TRUE(zorun::HasWaylandDisplay());
    setenv("WAYLAND_DISPLAY", "wayland-7", 1);
    EXPECT_FALSE(zorun::HasWaylandDisplay());
    std::ofstream(root / "wayland-7") << "not a socket";
    EXPECT_FALSE(zorun::HasWaylandDisplay());
    Listen(root / "sock");
    setenv("WAYLAND_DISPLAY", (root / "sock").c_str(), 1); // a path of its own
    EXPECT_TRUE(zorun::HasWaylandDisplay());
    unsetenv("XDG_RUNTIME_DIR");
    setenv("WAYLAND_DISPLAY", "wayland-0", 1);
    EXPECT_FALSE(zorun::HasWaylandDisplay()) << "nowhere to look for it";
}

} // namespace
