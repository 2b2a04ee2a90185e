#pragma once
// The whole program driven as a user drives it: AppHarness plus steps that
// run whenever a nested loop (a menu, a dialog, a message box) waits for
// input. A step only queues input (taps on texts and controls, the soft
// keyboard, the navigation bar's "ok") and may look at the screen, which
// shows everything the steps before it caused. A loop waiting when no step
// is left fails the test and the program is ended, so no test can hang.

#include <deque>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

#include "catalogue/Catalogue.h"
#include "platform/user/Backend.h"
#include "tests/app/AppHarness.h"

class AppScenario : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Starts the program (with the default catalogue unless a settings file
    // was written first).
    void Start();
    // Queues `steps` and lets the program run until everything they caused
    // is done.
    void Run(std::vector<std::function<void()>> steps);
    // Runs a command from the menu bar: taps each text of `path` in turn
    // ("Edit", "Group", "Add Group"), then the steps for what it opens.
    void FromMenu(std::vector<std::u16string> path, std::vector<std::function<void()>> steps = {});

    // --- What a step queues ---
    void QueueTapAt(POINT screen);
    // The last text drawn on the screen exactly equal to `text`.
    void QueueTapText(std::u16string_view text);
    // The centre of a control of the window in front.
    void QueueTapControl(int id);
    // Letters (capitals through Shift), digits and spaces on the soft keyboard.
    void QueueType(std::u16string_view text);
    void QueueBackspaces(int count);
    // The navigation bar's "ok".
    void QueueOk();

    // --- What a step looks at ---
    [[nodiscard]] static HWND Front();
    // The texts drawn inside the window in front, joined by spaces (a
    // message box's wrapped lines read as its message).
    [[nodiscard]] std::u16string FrontTexts();
    [[nodiscard]] static std::u16string ControlText(int id);
    [[nodiscard]] static bool ControlEnabled(int id);
    // Writes the screen to $ZORUN_SCREENSHOT_DIR/`name` when that is set.
    void Screenshot(const std::string& name);

    // --- After the run ---
    [[nodiscard]] Catalogue& Live() { return app.Frame()->catalogue; }
    [[nodiscard]] CZorunView& View() { return *app.Frame()->launcherView; }
    // "Save" from the menu, then the settings file read back into `saved`.
    void SaveAndReadBack(Catalogue& saved);

    AppHarness app;

  private:
    void Wait(std::optional<std::uint64_t> deadline);

    zorun::Backend backend_{};
    std::deque<std::function<void()>> steps_;
    std::uint64_t idleWaits_ = 0; // virtual milliseconds waited since the last step
};
