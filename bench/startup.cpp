// Headless start-up: from the start of `zorun --headless` until its first
// frame is composed, the CPU time the program reports then (all threads,
// dynamic loading included), the wall time, and resident memory at that
// moment. A device root is made by an uncounted first start.
//
//   bench_startup [--runs N]      (N starts, 20 by default)

#include <cstdio>
#include <cstring>

#include "bench/StartupProbe.h"

int main(int argc, char** argv) {
    using namespace probe;
    int runs = 20;
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], "--runs") == 0)
            runs = std::max(1, std::atoi(argv[++i]));

    char pattern[] = "/tmp/zorun-bench-startup-XXXXXX";
    const fs::path work = mkdtemp(pattern);
    fs::create_directories(work / "run");
    fs::permissions(work / "run", fs::perms::owner_all);
    const std::vector<std::string> env = {"XDG_RUNTIME_DIR=" + (work / "run").string(),
                                          "XDG_CACHE_HOME=" + (work / "cache").string()};
    const std::vector<std::string> argvZorun = {ZorunBinary().string(), "--headless",
                                                "--device-root", (work / "device").string()};

    std::vector<double> cpu, wall, rss;
    std::printf("load average before: %.2f\n", LoadAverage());
    for (int i = 0; i <= runs; ++i) {
        Child child(argvZorun, true, env);
        const double cpuMs = child.WaitForReport(20);
        if (cpuMs < 0) {
            std::fprintf(stderr, "bench_startup: no first frame\n");
            return 1;
        }
        const double residentMb = ResidentMb(child.pid);
        child.Stop();
        if (i == 0)
            continue; // the device root was made
        cpu.push_back(cpuMs);
        wall.push_back(child.reportMs);
        rss.push_back(residentMb);
    }
    std::printf("load average after: %.2f\n\n", LoadAverage());
    std::printf("headless start to first frame (%d runs, median [min-max]):\n", runs);
    std::printf("  CPU       %s ms (goal <= 20)\n", Summary(cpu).Text().c_str());
    std::printf("  wall      %s ms\n", Summary(wall).Text().c_str());
    std::printf("  resident  %s MB\n", Summary(rss).Text().c_str());
    std::error_code ec;
    fs::remove_all(work, ec);
    return 0;
}
