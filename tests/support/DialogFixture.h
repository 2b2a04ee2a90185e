#pragma once
// The scenario fixture with a dialog in front: runs a dialog modally over
// the fixture's frame while the test feeds it taps in virtual time, as a
// command of the program would open it.
//
// Steps run one at a time whenever the dialog's loop has nothing left to
// do: a step queues input (QueueDialogTap, QueueOk, ...) and may look at
// the screen, which then shows everything the previous steps caused. A
// dialog still open after its last step fails the test and is ended.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "platform/afx/CDialog.h"
#include "tests/support/ProgramFixture.h"

class DialogFixture : public ProgramFixture {
  protected:
    static constexpr int kDialogTop = 26; // dialogs fill the work area

    // Runs `dialog` modally, the fixture's frame its parent; its result.
    INT_PTR RunModal(CDialog& dialog, std::vector<std::function<void()>> steps);

    // Input at dialog client coordinates, queued for the dialog's loop.
    void QueueDialogTap(int x, int y);
    void QueueDialogDown(int x, int y);
    void QueueDialogMove(int x, int y);
    void QueueDialogUp(int x, int y);
    // A tap on the centre of a control of the dialog in front, or of a row
    // of a list box (its item height apart from the first).
    void QueueControlTap(int id);
    void QueueListRowTap(int id, int row);
    // The navigation bar's "ok".
    void QueueOk();

    // The dialog in front (during a step); null when there is none.
    [[nodiscard]] static HWND FrontDialog();
    // The texts of a list box's entries, in order.
    [[nodiscard]] static std::vector<std::u16string> ListBoxEntries(HWND listBox);
    [[nodiscard]] static int ListBoxSelection(HWND listBox);

    // True when every opaque pixel of icon / bitmap `number` drawn at dialog
    // client point `at` is on the screen.
    [[nodiscard]] bool ShowsIcon(int number, POINT at);
    [[nodiscard]] bool ShowsBitmap(int number, POINT at);
    // Writes the screen to $ZORUN_SCREENSHOT_DIR/`name` when that is set.
    void Screenshot(const std::string& name);

  private:
    void QueueAt(zorun::InputEvent::Kind kind, POINT screen);
};
