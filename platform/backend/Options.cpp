#include "platform/backend/Options.h"

#include <charconv>
#include <string_view>

namespace zorun {

namespace {
constexpr int kLargestScale = 16;
}

std::optional<BackendChoice> BackendNamed(std::string_view name) {
    if (name == "x11")
        return BackendChoice::X11;
    if (name == "sdl")
        return BackendChoice::Sdl;
    return std::nullopt;
}

std::string UsageText() {
    return "Usage: zorun [options]\n"
           "  --device-root DIR  the folder holding the device's files\n"
           "                     (default $XDG_DATA_HOME/zorun/device)\n"
           "  --scale N          show each screen pixel as N x N pixels\n"
           "  --fullscreen       fill the display\n"
           "  --backend NAME     show the screen through 'x11' (Xlib, the default\n"
           "                     under X) or 'sdl' (SDL2: Wayland, KMS/DRM); also\n"
           "                     $ZORUN_BACKEND. Default: X11 when $DISPLAY is set,\n"
           "                     else SDL2 when there is a Wayland display or a\n"
           "                     KMS/DRM screen\n"
           "  --headless         no display; the screen lives in memory\n"
           "  --script FILE      play FILE against the program (with --headless)\n"
           "  --no-sip           no soft keyboard (for a real keyboard)\n"
           "  --help             show this text\n"
           "  --version          show the version\n";
}

std::variant<PlatformOptions, OptionError> ParseOptions(int argc, const char* const* argv) {
    PlatformOptions options;
    for (int i = 1; i < argc; ++i) {
        std::string_view arg = argv[i] ? argv[i] : "";
        std::string_view name = arg;
        std::optional<std::string_view> inlineValue;
        if (auto eq = arg.find('='); arg.starts_with("--") && eq != std::string_view::npos) {
            name = arg.substr(0, eq);
            inlineValue = arg.substr(eq + 1);
        }
        auto value = [&]() -> std::optional<std::string> {
            if (inlineValue)
                return std::string(*inlineValue);
            if (i + 1 >= argc || !argv[i + 1])
                return std::nullopt;
            return std::string(argv[++i]);
        };
        auto flag = [&](bool& target) -> bool {
            if (inlineValue)
                return false;
            target = true;
            return true;
        };

        if (name == "--device-root" || name == "--script") {
            auto v = value();
            if (!v || v->empty())
                return OptionError{std::string(name) + " needs a value"};
            (name == "--script" ? options.script : options.deviceRoot) = *v;
        } else if (name == "--backend") {
            auto v = value();
            if (!v)
                return OptionError{"--backend needs a value"};
            auto choice = BackendNamed(*v);
            if (!choice)
                return OptionError{"--backend needs 'x11' or 'sdl', not '" + *v + "'"};
            options.backend = *choice;
        } else if (name == "--scale") {
            auto v = value();
            int scale = 0;
            if (!v)
                return OptionError{"--scale needs a value"};
            auto [end, ec] = std::from_chars(v->data(), v->data() + v->size(), scale);
            if (ec != std::errc() || end != v->data() + v->size() || scale < 1 ||
                scale > kLargestScale)
                return OptionError{"--scale needs a whole number from 1 to " +
                                   std::to_string(kLargestScale) + ", not '" + *v + "'"};
            options.scale = scale;
        } else if (name == "--fullscreen" || name == "--headless" || name == "--help" ||
                   name == "--version" || name == "--no-sip") {
            bool& target = name == "--fullscreen" ? options.fullscreen
                           : name == "--headless" ? options.headless
                           : name == "--help"     ? options.help
                           : name == "--no-sip"   ? options.noSip
                                                  : options.version;
            if (!flag(target))
                return OptionError{std::string(name) + " takes no value"};
        } else if (name == "-h") {
            options.help = true;
        } else {
            return OptionError{"unknown option '" + std::string(arg) + "'"};
        }
    }
    if (!options.script.empty() && !options.headless)
        return OptionError{"--script needs --headless"};
    if (options.headless && (options.fullscreen || options.scale))
        return OptionError{"--headless has no display to scale or fill"};
    if (options.headless && options.backend != BackendChoice::Automatic)
        return OptionError{"--headless has no display backend"};
    return options;
}

} // namespace zorun
