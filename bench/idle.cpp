// An idle minute: zorun on its X11 backend under a private Xvfb with
// matchbox-window-manager, left alone after its first frame (and a few
// seconds to settle), its CPU time and wake-ups (voluntary context switches
// of all its threads) read from /proc over the window. A shorter window is
// scaled to a minute. The clock needs one wake-up a minute and the panel's
// refresh twelve (every 5 s).
//
//   bench_idle [--seconds S] [--backend x11|sdl]    (60 s, x11 by default)

#include <cstdio>
#include <cstring>

#include "bench/StartupProbe.h"

int main(int argc, char** argv) {
    using namespace probe;
    int seconds = 60;
    std::string backend = "x11";
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "--seconds") == 0)
            seconds = std::max(1, std::atoi(argv[++i]));
        else if (std::strcmp(argv[i], "--backend") == 0)
            backend = argv[++i];
    }
    XServer x(480, 640, true);
    if (!x.Ready()) {
        std::fprintf(stderr, "bench_idle: Xvfb did not start\n");
        return 1;
    }
    char pattern[] = "/tmp/zorun-bench-idle-XXXXXX";
    const fs::path work = mkdtemp(pattern);
    fs::create_directories(work / "run");
    fs::permissions(work / "run", fs::perms::owner_all);
    Child child({ZorunBinary().string(), "--backend", backend, "--scale", "2", "--device-root",
                 (work / "device").string()},
                true,
                {"XDG_RUNTIME_DIR=" + (work / "run").string(),
                 "XDG_CACHE_HOME=" + (work / "cache").string()});
    if (child.WaitForReport(20) < 0) {
        std::fprintf(stderr, "bench_idle: no first frame\n");
        return 1;
    }
    std::this_thread::sleep_for(std::chrono::seconds(3));
    const double load = LoadAverage();
    const double cpu0 = CpuMs(child.pid);
    const long wake0 = WakeUps(child.pid);
    const auto start = Clock::now();
    std::this_thread::sleep_for(std::chrono::seconds(seconds));
    const double elapsed = MsSince(start) / 1000.0;
    const double cpu = CpuMs(child.pid) - cpu0;
    const long wakeUps = WakeUps(child.pid) - wake0;
    child.Stop();
    const double perMinute = 60.0 / elapsed;
    std::printf("load average at start: %.2f, after: %.2f\n", load, LoadAverage());
    std::printf("zorun (%s) idle for %.1f s%s:\n", backend.c_str(), elapsed,
                seconds == 60 ? "" : ", scaled to a minute");
    std::printf("  CPU       %.2f ms per minute (goal <= 30)\n", cpu * perMinute);
    std::printf("  wake-ups  %.1f per minute (the clock and the panel's refresh need 13)\n",
                static_cast<double>(wakeUps) * perMinute);
    std::error_code ec;
    fs::remove_all(work, ec);
    return 0;
}
