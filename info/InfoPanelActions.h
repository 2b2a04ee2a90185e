#pragma once
// What a tap on the information panel does: which field it opens (the hit
// rules) or whether it turns the page, and the program behind each field.

#include "platform/base/WinTypes.h"

namespace InfoPanelActions {

// Field numbers of the action table.
constexpr int kInbox = 0, kCalendar = 1, kTasks = 2, kBattery = 3, kMemory = 4, kDate = 5,
              kRegion = 6, kFieldCount = 7;

struct Action {
    const char16_t* program;
    const char16_t* parameters; // empty for none
};
// The program and parameters of field 0..6.
[[nodiscard]] const Action& ActionFor(int field);

struct Tap {
    bool turnPage = false; // the page strip, only when both date and region are shown
    int field = -1;        // the field to open, or -1
};
// Classifies a release at `point` (client coordinates) on the panel as it
// shows `sysInfoMode` and `infoPage`. The page strip takes precedence over
// any field; on page 2 only the globe (at the inbox's place) is a field.
[[nodiscard]] Tap Classify(const RECT& client, POINT point, int sysInfoMode, int infoPage);

} // namespace InfoPanelActions
