#include "platform/backend/Platform.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string_view>
#include <system_error>
#include <unistd.h>

#include "ZorunVersion.h"

#include "platform/backend/HostEvents.h"
#include "platform/backend/Options.h"
#include "platform/backend/headless/HeadlessBackend.h"
#include "platform/backend/headless/ScriptRunner.h"
#include "platform/backend/sdl/SdlDisplay.h"
#include "platform/base/Clock.h"
#include "platform/kernel/DeviceRoot.h"
#include "platform/user/Backend.h"
#include "platform/user/Screen.h"
#include "platform/user/SoftKeyboard.h"
#include "platform/windows/HostWindows.h"

namespace zorun {

namespace {

constexpr int kUsageError = 2;

int Complain(const std::string& message) {
    std::fprintf(stderr, "zorun: %s\n", message.c_str());
    return kUsageError;
}

std::optional<std::vector<ScriptStep>> LoadScript(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        Complain("cannot read the script " + path);
        return std::nullopt;
    }
    std::ostringstream text;
    text << in.rdbuf();
    ParsedScript parsed = ParseScript(text.str());
    if (auto* error = std::get_if<ScriptError>(&parsed)) {
        Complain(path + ":" + std::to_string(error->line) + ": " + error->reason + ": " +
                 error->text);
        return std::nullopt;
    }
    return std::get<std::vector<ScriptStep>>(std::move(parsed));
}

// Restores the platform's globals however the program ends.
struct PlatformScope {
    ~PlatformScope() {
        SetHostWindowProvider(nullptr);
        ResetWindowSystem();
        SetBackend(nullptr);
        SetCurrentClock(nullptr);
    }
};

// For start-up measurements: with ZORUN_FIRST_FRAME_FD=n in the environment,
// one byte goes to descriptor n once the first frame has been presented.
void ReportFirstFrame(Backend& backend) {
    const char* variable = std::getenv("ZORUN_FIRST_FRAME_FD");
    if (!variable || !*variable)
        return;
    int fd = std::atoi(variable);
    if (fd <= 2)
        return;
    backend.present = [present = backend.present, fd](const Surface& frame) mutable {
        if (present)
            present(frame);
        if (fd > 2) {
            char byte = 1;
            [[maybe_unused]] auto written = write(fd, &byte, 1);
            close(fd);
            fd = -1;
        }
    };
}

} // namespace

int RunPlatform(int argc, char** argv, const std::function<int()>& programMain) {
    auto parsed = ParseOptions(argc, argv);
    if (auto* error = std::get_if<OptionError>(&parsed)) {
        Complain(error->message);
        std::fputs("Try 'zorun --help'.\n", stderr);
        return kUsageError;
    }
    const PlatformOptions& options = std::get<PlatformOptions>(parsed);
    if (options.help) {
        std::fputs(UsageText().c_str(), stdout);
        return 0;
    }
    if (options.version) {
        std::printf("zorun %s\n", ZORUN_VERSION);
        return 0;
    }

    std::filesystem::path root = options.deviceRoot.empty()
                                     ? DefaultDeviceRoot()
                                     : std::filesystem::path(options.deviceRoot);
    std::error_code ec;
    std::filesystem::create_directories(root, ec);
    if (ec || !std::filesystem::is_directory(root))
        return Complain("cannot use the device root " + root.string() + ": " +
                        (ec ? ec.message() : "not a folder"));
    SetDeviceRoot(root);

    std::optional<std::vector<ScriptStep>> steps;
    if (!options.script.empty()) {
        steps = LoadScript(options.script);
        if (!steps)
            return kUsageError;
    }
    if (!InstallQuitSignals())
        return Complain("cannot watch for quit signals");

    PlatformScope scope;
    VirtualClock virtualClock;
    std::unique_ptr<ScriptRunner> runner;
    std::unique_ptr<SdlDisplay> display;
    Backend backend;
    if (options.headless) {
        SetCurrentClock(&virtualClock);
        if (steps)
            runner = std::make_unique<ScriptRunner>(std::move(*steps), virtualClock);
        backend = MakeHeadlessBackend(virtualClock, runner.get());
    } else {
        std::string error;
        display = OpenSdlDisplay({options.scale, options.fullscreen, "Zorun"}, &error);
        if (!display) {
            std::fprintf(stderr, "zorun: cannot open the display: %s\n", error.c_str());
            return 1;
        }
        backend = MakeSdlBackend(*display);
    }
    ReportFirstFrame(backend);
    SetBackend(&backend);
    SetSoftKeyboardAvailable(!options.noSip);
    // The task list shows the host's windows where the program itself is
    // shown on X11, else the programs it started.
    const char* videoDriver = display ? SDL_GetCurrentVideoDriver() : nullptr;
    SetHostWindowProvider(
        MakeHostWindowProvider(videoDriver && std::string_view(videoDriver) == "x11"));

    int code = programMain();

    if (backend.shutdown)
        backend.shutdown();
    ResetWindowSystem();
    SetBackend(nullptr);
    SetHostWindowProvider(nullptr);
    CloseSdlDisplay(display);
    if (runner && runner->Failures() && code == 0)
        code = 1;
    return code;
}

} // namespace zorun
