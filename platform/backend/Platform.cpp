#include "platform/backend/Platform.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string_view>
#include <system_error>
#include <unistd.h>

#include "ZorunVersion.h"

#include "platform/backend/HostDisplay.h"
#include "platform/backend/HostEvents.h"
#include "platform/backend/Options.h"
#include "platform/backend/headless/HeadlessBackend.h"
#include "platform/backend/headless/ScriptRunner.h"
#include "platform/base/Clock.h"
#include "platform/gdi/FontEngine.h"
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

// Where fontconfig's choices are kept between runs: $XDG_CACHE_HOME/zorun,
// else ~/.cache/zorun; nowhere without either.
std::filesystem::path FontChoicesFile() {
    std::filesystem::path cache;
    if (const char* xdg = std::getenv("XDG_CACHE_HOME"); xdg && xdg[0] == '/')
        cache = xdg;
    else if (const char* home = std::getenv("HOME"); home && home[0] == '/')
        cache = std::filesystem::path(home) / ".cache";
    else
        return {};
    return cache / "zorun" / "font-choices";
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
// a line goes to descriptor n once the first frame is on the host's screen:
// the process's CPU time until then, in microseconds.
void ReportFirstFrame() {
    const char* variable = std::getenv("ZORUN_FIRST_FRAME_FD");
    if (!variable || !*variable)
        return;
    const int fd = std::atoi(variable);
    if (fd <= 2)
        return;
    AfterFirstFrame([fd] {
        timespec cpu{};
        clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &cpu);
        const std::string line = std::to_string(cpu.tv_sec * 1000000L + cpu.tv_nsec / 1000) + "\n";
        [[maybe_unused]] auto written = write(fd, line.data(), line.size());
        close(fd);
    });
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
    BackendChoice choice = options.backend;
    if (const char* named = std::getenv("ZORUN_BACKEND");
        named && *named && choice == BackendChoice::Automatic && !options.headless) {
        auto fromEnvironment = BackendNamed(named);
        if (!fromEnvironment)
            return Complain(std::string("ZORUN_BACKEND needs 'x11' or 'sdl', not '") + named + "'");
        choice = *fromEnvironment;
    }
    if (!InstallQuitSignals())
        return Complain("cannot watch for quit signals");
    gdi::FontEngine::KeepChoicesIn(FontChoicesFile());

    PlatformScope scope;
    VirtualClock virtualClock;
    std::unique_ptr<ScriptRunner> runner;
    std::unique_ptr<HostDisplay> display;
    Backend backend;
    if (options.headless) {
        SetCurrentClock(&virtualClock);
        if (steps)
            runner = std::make_unique<ScriptRunner>(std::move(*steps), virtualClock);
        backend = MakeHeadlessBackend(virtualClock, runner.get());
    } else {
        auto opened = OpenHostDisplay({choice, options.scale, options.fullscreen, "Zorun", {}});
        if (auto* failure = std::get_if<DisplayFailure>(&opened)) {
            std::fprintf(stderr, "zorun: %s\n", failure->message.c_str());
            return failure->status;
        }
        display = std::move(std::get<std::unique_ptr<HostDisplay>>(opened));
        backend = display->Table();
    }
    SetBackend(&backend);
    ReportFirstFrame();
    SetSoftKeyboardAvailable(!options.noSip);
    // The task list shows the host's windows where the program itself is
    // shown on X11, else the programs it started.
    SetHostWindowProvider(MakeHostWindowProvider(display && display->OnX11()));

    int code = programMain();

    if (backend.shutdown)
        backend.shutdown();
    ResetWindowSystem();
    SetBackend(nullptr);
    SetHostWindowProvider(nullptr);
    display.reset();
    if (runner && runner->Failures() && code == 0)
        code = 1;
    return code;
}

} // namespace zorun
