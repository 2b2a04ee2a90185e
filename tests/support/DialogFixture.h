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
    // Characters typed into the focused field.
    static void QueueText(std::u16string_view text);
    // In the program browser: a tap on row `row` of its file list, then "ok".
    void QueueBrowserChoice(int row);
    // A step for a message box: expects it to say `text` (ShownText), then
    // answers with `key`.
    [[nodiscard]] std::function<void()> Answer(std::u16string text, int key = VK_RETURN);

    // The dialog in front (during a step); null when there is none.
    [[nodiscard]] static HWND FrontDialog();
    // The texts of a list box's entries, in order.
    [[nodiscard]] static std::vector<std::u16string> ListBoxEntries(HWND listBox);
    [[nodiscard]] static int ListBoxSelection(HWND listBox);
    // Every text on the screen as one, each and each line apart by a space
    // (a message box breaks its text into lines).
    [[nodiscard]] std::u16string ShownText();

    // True when every opaque pixel of icon / bitmap `number` drawn at dialog
    // client point `at` is on the screen.
    [[nodiscard]] bool ShowsIcon(int number, POINT at);
    [[nodiscard]] bool ShowsBitmap(int number, POINT at);
    // Writes the screen to $ZORUN_SCREENSHOT_DIR/`name` when that is set.
    void Screenshot(const std::string& name);

  private:
    void QueueAt(zorun::InputEvent::Kind kind, POINT screen);
};
