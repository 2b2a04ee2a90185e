#pragma once
// The task monitor's commands and resource numbers, defined once for the
// dialog, the language resources and the tests.

#include "platform/base/WinTypes.h"

namespace MonitorCommand {
constexpr UINT Activate = 32803;
constexpr UINT Stop = 32804;
constexpr UINT StopAll = 32805;
constexpr UINT Return = 32806;
} // namespace MonitorCommand

namespace MonitorResource {
constexpr UINT Dialog = 102;
constexpr UINT Menu = 137;    // one pop-up, "Edit"
constexpr UINT ToolBar = 138; // and its bitmap 138: Activate, Stop, Stop all
constexpr int List = 1001;    // the list view of the dialog
constexpr UINT StopFailed = 65032;
constexpr UINT ProgramTitle = 65009; // "Zorun": the program's own windows
constexpr UINT EditTip = 65041;
constexpr UINT ListTitle = 65043;
constexpr UINT NameColumn = 65044;
constexpr UINT ActivateTip = 65045;
constexpr UINT StopTip = 65046;
constexpr UINT StopAllTip = 65047;
} // namespace MonitorResource
