#pragma once
// The task monitor on the headless screen, beside the program's main window
// stand-in ("Zorun"): open it from a command and drive it with steps that
// run while a loop waits (the dialog's, a confirmation's) once they are
// ready. Steps look at the screen and queue input; they never pump.
//
// Paced() makes waiting take real time as well, for tests whose other
// programs live in real time (their exit, an X client's answer): a step
// that is not ready yet is asked again every few milliseconds, and the
// monitor's close rounds last as long as they would for a user.

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "monitor/CTaskMonitorDlg.h"
#include "tests/support/ProgramFixture.h"

class MonitorFixture : public ProgramFixture {
  protected:
    void SetUp() override;
    void TearDown() override;

    void Paced() { paced_ = true; }

    // A step that runs once `ready` holds; Then: at once.
    void When(std::function<bool()> ready, std::function<void()> step);
    void Then(std::function<void()> step);

    // Runs the monitor modally from the frame, as "Monitor" does, until a
    // step ends it (Return).
    void RunMonitor();

    // --- While the monitor is up ---
    // The monitor when it is the window in front.
    [[nodiscard]] static CTaskMonitorDlg* Monitor();
    [[nodiscard]] static bool MonitorInFront() { return Monitor() != nullptr; }
    // In front and not in the middle of a command (no wait cursor).
    [[nodiscard]] static bool MonitorIdle();
    // A message box in front (the confirmation).
    [[nodiscard]] static bool BoxInFront();
    // Answers the box in front: Return for OK, Escape for Cancel.
    static void QueueAnswer(int answer);
    [[nodiscard]] static std::vector<std::u16string> Rows();
    // Selects a row as a tap would (with its notification).
    static void SelectRow(int row);
    // Queues a tap on the command bar's tool button for `command`.
    static void QueueToolButton(UINT command);
    [[nodiscard]] static bool ToolButtonEnabled(UINT command);
    // Queues the monitor's menu command (as the "Edit" menu sends it).
    static void QueueCommand(UINT command);
    // Queues a tap on the command bar's "Edit" menu button.
    static void QueueEditMenu();
    // A pop-up menu in front.
    [[nodiscard]] static bool MenuInFront();
    // Queues a tap on the text shown on screen (a menu item).
    static void QueueTapOnText(const std::u16string& text);

    // Counts the message boxes that came to the front.
    int boxes = 0;

  private:
    struct Step {
        std::function<bool()> ready;
        std::function<void()> run;
    };
    void WaitHook(std::optional<std::uint64_t> deadline);

    zorun::Backend backend_{};
    std::deque<Step> steps_;
    bool paced_ = false;
    int listener_ = 0;
    std::uint64_t stalledMs_ = 0; // real time waited since a step last ran
    int idleWaits_ = 0;
};
