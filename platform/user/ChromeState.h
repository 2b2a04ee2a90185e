#pragma once
// What the chrome remembers between messages: its windows, each frame's
// menu bar and tool buttons, the command bar's pressed item, and the soft
// keyboard's state. Kept in the window system's state (WindowSystem.h), so
// that a reset of the window system forgets it with the windows it names.

#include <map>
#include <vector>

#include "platform/base/Geometry.h"
#include "platform/user/CommandBar.h"
#include "platform/user/SoftKeyboardLayout.h"

namespace zorun {

struct FrameBar {
    HMENU menu = nullptr;
    std::vector<ToolButton> buttons;
};

struct NavigationBarState {
    HWND window = nullptr;
};

struct CommandBarState {
    HWND window = nullptr;
    HWND toolTip = nullptr;
    std::map<HWND, FrameBar> bars; // by frame
    // The item pressed (menu open, or tool button held), index into the
    // layout; whether the stylus is still on it.
    int pressed = -1;
    bool pressedInside = false;
    bool keyboardButtonHeld = false;
};

struct SoftKeyboardState {
    HWND window = nullptr; // made the first time the keyboard rises
    bool available = true; // false: the keyboard is turned off
    bool up = false;
    HWND requester = nullptr; // the top-level window it rose for
    SoftKeyboardLayout layout;
    int pressedKey = -1; // index into the layout's keys
    bool pressedInside = false;
    bool repeating = false; // a repeating key sent its first stroke
    // Windows moved or resized to stay above the keyboard: where they were.
    std::map<HWND, Rect> homes;
};

struct ChromeState {
    NavigationBarState navigationBar;
    CommandBarState commandBar;
    SoftKeyboardState softKeyboard;
};

} // namespace zorun
