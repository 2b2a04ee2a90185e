#pragma once
// The device's ClearType switch, read once while the main frame is created:
// HKEY_CURRENT_USER "Software\MicroSoft\Shell", value "ClearType". Only the
// exact value 1 turns it on; a missing key or value, or any other value or
// type, leaves it off.

[[nodiscard]] bool ReadClearTypeSetting();
