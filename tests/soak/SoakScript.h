#pragma once
// Random scripts for the program's script mode: taps, holds, drags, keys,
// typing, waits (which fire the timers) and menu commands with input for
// the dialogs they open.

#include <random>
#include <string>

struct SoakScript {
    std::string text; // the script's lines
    int events = 0;
    // No command or input that could remove a shortcut: no delete, no menu
    // (the menu bar is left alone and no hold is long enough to open the
    // context menu).
    bool keeping = false;
};

// About `events` events (a drag or a command with its dialog input counts
// each of its steps).
[[nodiscard]] SoakScript MakeSoakScript(std::mt19937_64& random, int events, bool keeping);
