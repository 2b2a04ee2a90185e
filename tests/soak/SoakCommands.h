#pragma once
// The menu commands the soak sends, and what each may do to the catalogue.
// A command added to the program (or a dialog behind one) is exercised by
// adding one line to the table in SoakCommands.cpp.

#include <span>

enum class SoakEffect {
    Keeps,   // never removes a shortcut (it may add, move, copy or rename)
    MayLose, // may remove shortcuts (a delete, or a dialog that can delete)
};

struct SoakCommand {
    unsigned id;
    const char* name;
    SoakEffect effect;
    // Input aimed at the window the command opens (a dialog, a box, a
    // menu): taps in the work area, typing, keys and its "ok"; 0 for none.
    int dialogEvents;
};

[[nodiscard]] std::span<const SoakCommand> SoakCommands();
