#pragma once
// The platform's command-line options, the only ones the program has.

#include <optional>
#include <string>
#include <variant>

namespace zorun {

struct PlatformOptions {
    std::string deviceRoot; // empty: the default
    int scale = 0;          // 0: the largest that fits
    bool fullscreen = false;
    bool headless = false;
    std::string script; // empty: none
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
