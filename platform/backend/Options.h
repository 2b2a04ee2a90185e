#pragma once
// The platform's command-line options, the only ones the program has.

#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace zorun {

// The display backend: chosen from what the host offers, or named.
enum class BackendChoice { Automatic, X11, Sdl };

// The backend a name stands for ("x11", "sdl"); nothing for another name.
[[nodiscard]] std::optional<BackendChoice> BackendNamed(std::string_view name);

struct PlatformOptions {
    std::string deviceRoot; // empty: the default
    int scale = 0;          // 0: the largest that fits
    bool fullscreen = false;
    bool headless = false;
    BackendChoice backend = BackendChoice::Automatic; // --backend; else $ZORUN_BACKEND
    std::string script;                               // empty: none
    bool noSip = false; // no soft keyboard (a real keyboard is at hand)
    bool help = false;
    bool version = false;
};

struct OptionError {
    std::string message;
};

[[nodiscard]] std::variant<PlatformOptions, OptionError> ParseOptions(int argc,
                                                                      const char* const* argv);
[[nodiscard]] std::string UsageText();

} // namespace zorun
