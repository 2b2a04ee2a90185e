#pragma once
// Asking the helper (zorun-host, see HostProtocol.h) about the host's
// applications. Each call starts the helper once and waits for its answer,
// at most a few seconds; the answer reflects what is installed at that
// moment. The helper is found at $ZORUN_HOST_HELPER, else beside the
// running program, else on the PATH.

#include <filesystem>
#include <optional>
#include <vector>

#include "platform/host/HostProtocol.h"

namespace zorun {

// The first candidate that finds an installed application, as a command to
// start; nullopt when none does or the helper cannot answer.
[[nodiscard]] std::optional<HostLaunch> ResolveHostLaunch(const std::vector<HostCandidate>& set);

// What each set would start, and (when asked) the menu's applications, in
// one run of the helper; nullopt when the helper cannot answer.
[[nodiscard]] std::optional<HostSurvey>
SurveyHostApplications(const std::vector<std::vector<HostCandidate>>& sets, bool listApplications);

// Empty when no helper is found.
[[nodiscard]] std::filesystem::path HostHelperPath();

} // namespace zorun
