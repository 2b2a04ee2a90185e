#pragma once
// A headless test bed for the program's panes: a fresh window system in
// virtual time, a temporary device root, and a minimal main frame that
// implements ProgramHost with its own Catalogue, holding the launcher view
// as the lower pane (client y 85..268 of a 240 x 268 frame placed at screen
// y 26). A stand-in split window records the page-state messages.
//
// Input helpers take view client coordinates and inject real platform input
// (so capture, gestures and modal loops run as in the program). Steps queued
// with WhenWaiting run when a nested loop (a pop-up menu, a message box)
// waits for input; a loop waiting with nothing queued fails the test and is
// ended, so no test can hang.

#include <cstdint>
#include <deque>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "catalogue/Catalogue.h"
#include "catalogue/ProgramHost.h"
#include "platform/afx/CWinApp.h"
#include "platform/afx/CWnd.h"
#include "platform/base/Clock.h"
#include "platform/gdi/Surface.h"
#include "platform/user/Backend.h"
#include "platform/user/Input.h"

#include "launcher/CZorunView.h"

// The main frame stand-in.
class FixtureFrame : public CWnd, public ProgramHost {
  public:
    FixtureFrame();
    ~FixtureFrame() override;

    [[nodiscard]] Catalogue& GetCatalogue() override { return catalogue; }
    [[nodiscard]] int GetSysInfoMode() const override { return catalogue.SysInfoMode(); }
    void SetSysInfoMode(int mode) override { catalogue.SetSysInfoMode(mode); }
    [[nodiscard]] bool IsClearTypeOn() const override { return clearTypeOn; }
    void SetLauncherView(CZorunView* view) override { launcherView = view; }
    [[nodiscard]] CZorunView* GetLauncherView() const override { return launcherView; }
    [[nodiscard]] bool IsPageBarHeld() const override { return pageBarHeld; }
    void OnPageBarRelease(HWND pane, UINT flags, POINT paneClientPoint) override;
    [[nodiscard]] HWND GetSplitterWindow() const override { return splitter; }

    Catalogue catalogue;
    bool clearTypeOn = false;
    CZorunView* launcherView = nullptr;
    HWND splitter = nullptr;
    bool pageBarHeld = false;
    std::vector<POINT> pageBarReleases; // points handed over, pane coordinates
    std::vector<LPARAM> pageStates;     // every page state the split window received
};

class ProgramFixture : public ::testing::Test {
  protected:
    static constexpr int kFrameTop = 26; // screen y of the frame's client area
    static constexpr int kViewTop = 85;  // frame client y of the launcher view
    static constexpr int kViewHeight = 183;

    void SetUp() override;
    void TearDown() override;

    // --- Before StartView ---
    // Fills the catalogue with `groups` groups named "Group 1", "Group 2", ...
    // (or the given names), with `counts[p]` shortcuts "Item 0", "Item 1", ...
    // in group p (target "", icon "0"), no backgrounds.
    void MakeGroups(int groups, const std::vector<int>& counts = {},
                    const std::vector<std::u16string>& names = {});
    [[nodiscard]] Catalogue& GetCatalogue() { return frame_->catalogue; }
    [[nodiscard]] FixtureFrame& Frame() { return *frame_; }
    // Creates the view, runs its initial update and the first paint.
    // (Defined here so that only the tests that host a view link it.)
    void StartView() { AttachView(new CZorunView()); }
    [[nodiscard]] CZorunView& View();
    [[nodiscard]] HWND ViewWindow() const;

    // --- The device root ---
    [[nodiscard]] const std::filesystem::path& DeviceRoot() const { return root_; }
    // Writes a file at a path relative to the device root (folders made).
    std::filesystem::path WriteDeviceFile(const std::filesystem::path& relative,
                                          std::string_view content, bool executable = false);

    // Writes a 24-bit Windows BMP of width x height whose pixel (x, y), top
    // row first, is colour(x, y) as 0xRRGGBB.
    std::filesystem::path WriteDeviceBmp(const std::filesystem::path& relative, int width,
                                         int height,
                                         const std::function<std::uint32_t(int, int)>& colour);
    // Writes an executable shell script that appends its arguments, one per
    // line, then a line "---", to `marker` (a host path); returns its host path.
    std::filesystem::path WriteMarkerProgram(const std::filesystem::path& relative,
                                             const std::filesystem::path& marker);
    // The lines of `marker` once `runs` runs of a marker program ended there
    // (waits for started programs, giving up after a generous while).
    [[nodiscard]] static std::vector<std::string> WaitForRuns(const std::filesystem::path& marker,
                                                              std::size_t runs);

    // --- Input, view client coordinates ---
    void Tap(int x, int y);
    // Down only queues the press: the next action follows it at once. Pump()
    // delivers it alone, which is a stylus held still (in the shortcut area
    // the press-and-hold recogniser takes that for a hold).
    void Down(int x, int y);
    void Move(int x, int y);
    void Up(int x, int y);
    // Presses, lets `ms` of virtual time pass, releases.
    void Hold(int x, int y, std::uint64_t ms);
    void Key(int virtualKey);
    // Lets `ms` of virtual time pass, firing timers.
    void Wait(std::uint64_t ms);
    // A step for a nested loop waiting for input (runs in order, one per
    // wait). Steps only queue input (QueueTap, QueueKey); they never pump.
    void WhenWaiting(std::function<void()> step);
    void QueueTap(int x, int y);
    void QueueKey(int virtualKey);
    // Delivers everything queued and paints; never waits.
    void Pump();

    // --- The screen ---
    [[nodiscard]] const zorun::Surface& Screen();
    // Pixel of the composed screen at view client (x, y), 0xAARRGGBB.
    [[nodiscard]] std::uint32_t ViewPixel(int x, int y);
    // Texts on the screen whose position lies in `viewRect` (view client coordinates).
    [[nodiscard]] std::vector<std::u16string> TextsIn(const RECT& viewRect);
    [[nodiscard]] std::vector<std::u16string> ScreenTexts();
    [[nodiscard]] bool SaveScreenshot(const std::filesystem::path& png);
    [[nodiscard]] static POINT ToScreen(int x, int y) { return {x, y + kFrameTop + kViewTop}; }

    zorun::VirtualClock clock{0};

  private:
    void AttachView(CZorunView* view);
    void Push(zorun::InputEvent::Kind kind, int x, int y, int virtualKey = 0);
    void WaitHook(std::optional<std::uint64_t> deadline);

    std::filesystem::path root_;
    std::unique_ptr<CWinApp> app_;
    std::unique_ptr<FixtureFrame> frame_;
    zorun::Backend backend_{};
    std::deque<std::function<void()>> waiting_;
};
