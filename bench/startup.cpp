// Whole-program start-up: from process start to the first presented frame,
// headless and under X11 (SDL2), against a minimal SDL2 program that shows
// one frame through the same plain framebuffer path; and resident memory
// once the first frame is up.
//
// The program under test is found beside this benchmark (../app/zorun) or
// at $ZORUN_BINARY. X11 runs need $DISPLAY (e.g. under Xvfb).

#include <benchmark/benchmark.h>

#include <SDL.h>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <poll.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

constexpr const char* kMinimalSdlFlag = "--minimal-sdl-frame";

std::filesystem::path Self() { return std::filesystem::read_symlink("/proc/self/exe"); }

std::filesystem::path ZorunBinary() {
    if (const char* b = std::getenv("ZORUN_BINARY"); b && *b)
        return b;
    return Self().parent_path().parent_path() / "app" / "zorun";
}

// The reference: open a window like the backend does, fill it, present once.
int MinimalSdlFrame() {
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    if (SDL_Init(SDL_INIT_VIDEO) != 0)
        return 1;
    SDL_Window* window = SDL_CreateWindow("minimal", SDL_WINDOWPOS_CENTERED,
                                          SDL_WINDOWPOS_CENTERED, 480, 640, SDL_WINDOW_SHOWN);
    SDL_Surface* surface = window ? SDL_GetWindowSurface(window) : nullptr;
    if (!surface)
        return 1;
    SDL_FillRect(surface, nullptr, SDL_MapRGB(surface->format, 255, 255, 255));
    SDL_UpdateWindowSurface(window);
    if (const char* fd = std::getenv("ZORUN_FIRST_FRAME_FD")) {
        char byte = 1;
        [[maybe_unused]] auto written = write(std::atoi(fd), &byte, 1);
    }
    SDL_Event e;
    while (SDL_WaitEvent(&e) && e.type != SDL_QUIT) {
    }
    SDL_DestroyWindow(window);
    SDL_Quit();
    return 0;
}

struct Launch {
    double seconds = 0;
    double residentMb = 0;
    bool ok = false;
};

double ResidentMb(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0)
            return std::stod(line.substr(6)) / 1024.0;
    }
    return 0;
}

Launch LaunchUntilFirstFrame(std::vector<std::string> args) {
    Launch result;
    int fds[2];
    if (pipe(fds) != 0)
        return result;
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e)
        env.emplace_back(*e);
    env.push_back("ZORUN_FIRST_FRAME_FD=" + std::to_string(fds[1]));
    std::vector<char*> argv, envp;
    for (auto& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    for (auto& e : env)
        envp.push_back(e.data());
    envp.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addclose(&actions, fds[0]);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    auto start = std::chrono::steady_clock::now();
    int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    if (spawned == 0) {
        pollfd p{fds[0], POLLIN, 0};
        char byte = 0;
        if (poll(&p, 1, 10000) == 1 && read(fds[0], &byte, 1) == 1) {
            result.seconds =
                std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            result.residentMb = ResidentMb(pid);
            result.ok = true;
        }
        kill(pid, SIGTERM);
        int status = 0;
        waitpid(pid, &status, 0);
    }
    close(fds[0]);
    return result;
}

void Measure(benchmark::State& state, const std::vector<std::string>& args, bool needsDisplay) {
    if (needsDisplay && !std::getenv("DISPLAY")) {
        state.SkipWithError("no DISPLAY (run under Xvfb)");
        return;
    }
    std::filesystem::path root = std::filesystem::temp_directory_path() /
                                 ("zorun-startup-" + std::to_string(getpid()));
    std::vector<std::string> command = args;
    if (command[0] == "zorun") {
        command[0] = ZorunBinary().string();
        command.insert(command.end(), {"--device-root", root.string()});
    }
    double rss = 0;
    for (auto _ : state) {
        Launch launch = LaunchUntilFirstFrame(command);
        if (!launch.ok) {
            state.SkipWithError("the program did not present a frame");
            break;
        }
        state.SetIterationTime(launch.seconds);
        rss = std::max(rss, launch.residentMb);
    }
    state.counters["resident_MB"] = rss;
    std::filesystem::remove_all(root);
}

void BM_StartupHeadless(benchmark::State& state) { Measure(state, {"zorun", "--headless"}, false); }
void BM_StartupX11(benchmark::State& state) { Measure(state, {"zorun", "--scale", "2"}, true); }
void BM_StartupMinimalSdl(benchmark::State& state) {
    Measure(state, {Self().string(), kMinimalSdlFlag}, true);
}

BENCHMARK(BM_StartupHeadless)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(BM_StartupX11)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_StartupMinimalSdl)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

} // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::string(argv[1]) == kMinimalSdlFlag)
        return MinimalSdlFrame();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
