#pragma once
// The whole program on the headless screen, in one test: a temporary device
// root, runtime folder and desktop of host applications, a virtual clock, the application object
// started as main() starts it, and helpers to feed stylus and keys, run everything that is queued,
// and look at the screen.
//
// Input is queued before whatever opens a modal loop (a menu, a message
// box): without a backend nothing else would ever reach that loop.

#include <memory>
#include <string>
#include <vector>

#include "app/CMainFrame.h"
#include "app/CZorunApp.h"
#include "platform/base/Clock.h"
#include "tests/app/TempDeviceRoot.h"
#include "tests/support/HostDesktop.h"

class AppHarness {
  public:
    AppHarness();
    ~AppHarness();
    AppHarness(const AppHarness&) = delete;
    AppHarness& operator=(const AppHarness&) = delete;

    [[nodiscard]] const std::filesystem::path& Root() const { return device_.Root(); }
    // The host's applications the program sees (none unless a test adds them).
    [[nodiscard]] HostDesktop& Desktop() { return desktop_; }
    [[nodiscard]] const std::filesystem::path& Folder() const { return device_.Folder(); }
    [[nodiscard]] std::filesystem::path SettingsFile() const {
        return device_.Root() / "Windows" / "ZorunSetting.qkt";
    }
    // Where rescue files go ($XDG_STATE_HOME/zorun, set for the test).
    [[nodiscard]] std::filesystem::path RescueFolder() const {
        return device_.Folder() / "state" / "zorun";
    }

    // InitInstance, then everything it queued; false when start-up refused.
    [[nodiscard]] bool Start();
    [[nodiscard]] CZorunApp& App() { return *app_; }
    [[nodiscard]] CMainFrame* Frame() const;
    [[nodiscard]] bool Running() const { return Frame() != nullptr; }

    // Dispatches every queued message, timer that is due and paint, then
    // composes the screen. Stops at the program's quit.
    void Pump();
    // Stylus at screen coordinates; each runs what it caused.
    void Down(int x, int y);
    void Up(int x, int y);
    void Tap(int x, int y);
    // Queued only (for a modal loop that is about to start).
    void QueueKey(int virtualKey);
    void QueueTap(int x, int y);
    void Key(int virtualKey);
    void Command(UINT id);
    // WM_CLOSE to the main window, as "Exit" and the platform's signals do.
    void Close();

    [[nodiscard]] std::uint32_t Pixel(int x, int y) const; // screen, 0x00RRGGBB
    [[nodiscard]] std::vector<std::u16string> ScreenTexts() const;
    [[nodiscard]] bool ScreenShows(std::u16string_view text) const;

    zorun::VirtualClock clock{1'000'000};

  private:
    HostDesktop desktop_;
    TempDeviceRoot device_;
    std::unique_ptr<CZorunApp> app_;
    bool quit_ = false;
};
