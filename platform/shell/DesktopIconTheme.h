#pragma once
// The icon theme a GNOME desktop names in its settings: the key icon-theme
// of org.gnome.desktop.interface, read through GSettings. GIO is opened only
// when a compiled schema folder exists and then kept for the run; without
// the schema, or without GIO, there is no answer.

#include <optional>
#include <string>

namespace zorun {

struct DesktopIconTheme {
    // The value the user chose ("" when the key holds the default).
    std::string chosen;
    // The schema's default (or the distribution's override of it).
    std::string standard;

    bool operator==(const DesktopIconTheme&) const = default;
};

// The key's values now; nullopt when the schema is not installed.
[[nodiscard]] std::optional<DesktopIconTheme> ReadDesktopIconTheme();

} // namespace zorun
