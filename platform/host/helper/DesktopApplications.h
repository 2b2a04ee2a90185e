#pragma once
// The desktop's applications through GIO: desktop entries found by their
// IDs in $XDG_DATA_HOME and $XDG_DATA_DIRS (an entry in an earlier folder
// hides one of the same ID; Hidden entries and those whose TryExec program
// is missing do not exist), default applications from mimeapps.list, and
// the menu: the entries shown in the current desktop (NoDisplay, OnlyShowIn,
// NotShowIn and $XDG_CURRENT_DESKTOP).

#include <optional>
#include <vector>

#include "platform/host/HostProtocol.h"

namespace zorun::host {

// What the candidate would start now, or nullopt.
[[nodiscard]] std::optional<HostLaunch> FindLaunch(const HostCandidate& candidate);

// The applications of the desktop's menu that can be started, ordered by ID.
[[nodiscard]] std::vector<HostApplication> MenuApplications();

} // namespace zorun::host
