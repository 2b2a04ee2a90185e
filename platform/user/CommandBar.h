#pragma once
// What a frame shows in the command bar while it is the window in front:
// its menu bar (a menu whose pop-ups become the menu buttons, captioned with
// the pop-ups' texts) and its tool buttons. A menu button opens its pop-up
// upwards, after WM_INITMENUPOPUP to the frame; a chosen item and a tapped
// tool button reach the frame as WM_COMMAND. Pressing and holding a tool
// button shows its tool tip.

#include <span>
#include <string>
#include <vector>

#include "platform/user/WinUser.h"

namespace zorun {

struct ToolButton {
    UINT command = 0;
    int bitmap = 0; // bitmap resource holding 16 x 16 images side by side
    int image = 0;  // index of the image in the bitmap
    int icon = 0;   // or an icon resource (used when bitmap is 0)
    std::u16string toolTip;
    bool enabled = true; // a disabled button is drawn faded and ignores taps
};

// The menu stays the caller's; it must live while it is set.
void SetCommandBarMenu(HWND frame, HMENU menuBar);
void SetCommandBarButtons(HWND frame, std::vector<ToolButton> buttons);
void SetCommandBarToolTip(HWND frame, std::size_t button, std::u16string text);
// Enables or disables the frame's tool buttons for `command`; false when it
// has none.
bool EnableCommandBarButton(HWND frame, UINT command, bool enable);
void ClearCommandBar(HWND frame);
[[nodiscard]] HMENU CommandBarMenu(HWND frame);
[[nodiscard]] std::vector<ToolButton> CommandBarButtons(HWND frame);

// The command bar's buttons as laid out now (bar coordinates), for tests
// and for placing pop-ups.
struct CommandBarItem {
    RECT rect;
    bool isMenu;
    int index; // menu position or tool button index
};
[[nodiscard]] std::vector<CommandBarItem> CommandBarLayout();

// Tool bars by resource number: a bitmap of 16 x 16 images and the command
// of each image (0 for a gap). Registered by the language's resources.
struct ToolBarTemplate {
    int number;
    int bitmap;
    std::span<const UINT> commands;
};
// Later registrations take precedence.
inline std::vector<std::span<const ToolBarTemplate>>& ToolBarTemplateTables() {
    static std::vector<std::span<const ToolBarTemplate>> tables;
    return tables;
}
inline bool RegisterToolBarTemplates(std::span<const ToolBarTemplate> table) {
    ToolBarTemplateTables().push_back(table);
    return true;
}
[[nodiscard]] inline const ToolBarTemplate* FindToolBarTemplate(int number) {
    const auto& tables = ToolBarTemplateTables();
    for (auto table = tables.rbegin(); table != tables.rend(); ++table)
        for (const auto& t : *table)
            if (t.number == number)
                return &t;
    return nullptr;
}

HWND CreateCommandBar();

} // namespace zorun
