// Start-up under X, side by side on one private Xvfb (480 x 640) with
// matchbox-window-manager: zorun on its X11 backend and on SDL2, against a
// bare Xlib window (bench/peers/xlib_minimal.cpp, the floor), a minimal SDL2
// program (bench/peers/sdl_minimal.cpp) and the desktop launcher
// matchbox-desktop. The programs take turns, round after round, so a busy
// machine slows them alike; the ratios are taken within each round.
//
// Start to first frame: from the start of the process until the middle row
// of the screen shows a pixel that is not black, polled every 0.5 ms.
// CPU until the first frame: as the program reports it (zorun and the Xlib
// peer write their CPU time to ZORUN_FIRST_FRAME_FD when the frame is out),
// else from /proc when the frame is seen. Resident memory: VmRSS 300 ms
// after the first frame.
//
//   bench_startup_peer [--runs N]      (N rounds, 7 by default)

#include <cstdio>
#include <cstring>
#include <map>
#include <optional>

#include "bench/StartupProbe.h"

namespace {

using namespace probe;

struct Program {
    std::string name;
    std::vector<std::string> argv;
    bool reports = false; // writes its CPU time at the first frame
    std::vector<std::string> env;
};

struct Run {
    double wallMs = 0, cpuMs = 0, residentMb = 0;
};

std::optional<Run> StartOnce(XServer& x, const Program& program) {
    // The screen is black before each start.
    for (int i = 0; i < 400 && x.Drawn(); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    if (x.Drawn())
        return std::nullopt;
    Child child(program.argv, program.reports, program.env);
    if (child.pid <= 0)
        return std::nullopt;
    Run run;
    const auto limit = child.start + std::chrono::seconds(20);
    while (!x.Drawn()) {
        if (Clock::now() > limit)
            return std::nullopt;
        std::this_thread::sleep_for(std::chrono::microseconds(500));
    }
    run.wallMs = MsSince(child.start);
    run.cpuMs = program.reports ? child.WaitForReport(5) : CpuMs(child.pid);
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    run.residentMb = ResidentMb(child.pid);
    child.Stop();
    return run;
}

} // namespace

int main(int argc, char** argv) {
    int rounds = 7;
    for (int i = 1; i + 1 < argc; ++i)
        if (std::strcmp(argv[i], "--runs") == 0)
            rounds = std::max(1, std::atoi(argv[++i]));

    XServer x(480, 640, true);
    if (!x.Ready()) {
        std::fprintf(stderr, "bench_startup_peer: Xvfb did not start\n");
        return 1;
    }
    char pattern[] = "/tmp/zorun-bench-peer-XXXXXX";
    const fs::path work = mkdtemp(pattern);
    fs::create_directories(work / "run");
    fs::permissions(work / "run", fs::perms::owner_all);
    const std::vector<std::string> zorunEnv = {"XDG_RUNTIME_DIR=" + (work / "run").string(),
                                               "XDG_CACHE_HOME=" + (work / "cache").string()};
    const std::string zorun = ZorunBinary().string();
    const std::string peers = fs::read_symlink("/proc/self/exe").parent_path().string();
    const std::vector<Program> programs = {
        {"zorun (X11)",
         {zorun, "--scale", "2", "--device-root", (work / "device").string()},
         true,
         zorunEnv},
        {"bare Xlib window", {peers + "/xlib_minimal_peer"}, true, {}},
        {"matchbox-desktop", {"matchbox-desktop"}, false, {}},
        {"zorun (SDL2)",
         {zorun, "--backend", "sdl", "--scale", "2", "--device-root", (work / "device").string()},
         true,
         zorunEnv},
        {"minimal SDL2 window", {peers + "/sdl_minimal_peer"}, false, {}},
    };

    std::map<std::string, std::vector<Run>> runs;
    std::printf("load average before: %.2f\n", LoadAverage());
    // One start each that is not counted: the device root is made, files
    // come into the page cache.
    for (const auto& p : programs)
        (void)StartOnce(x, p);
    for (int round = 0; round < rounds; ++round) {
        for (const auto& p : programs) {
            if (auto run = StartOnce(x, p))
                runs[p.name].push_back(*run);
            else
                std::fprintf(stderr, "%s: no first frame in round %d\n", p.name.c_str(), round);
        }
    }
    std::printf("load average after: %.2f\n\n", LoadAverage());

    std::printf("%-22s %-26s %-26s %s\n", "program", "first frame, ms", "CPU to it, ms",
                "resident, MB");
    for (const auto& p : programs) {
        std::vector<double> wall, cpu, rss;
        for (const Run& r : runs[p.name]) {
            wall.push_back(r.wallMs);
            cpu.push_back(r.cpuMs);
            rss.push_back(r.residentMb);
        }
        std::printf("%-22s %-26s %-26s %s\n", p.name.c_str(), Summary(wall).Text().c_str(),
                    Summary(cpu).Text().c_str(), Summary(rss).Text().c_str());
    }

    // Ratios within each round.
    auto ratio = [&](const std::string& a, const std::string& b, auto field) {
        std::vector<double> values;
        const auto& ra = runs[a];
        const auto& rb = runs[b];
        for (std::size_t i = 0; i < std::min(ra.size(), rb.size()); ++i)
            if (field(rb[i]) > 0)
                values.push_back(field(ra[i]) / field(rb[i]));
        return Summary(values).Text(2);
    };
    auto wall = [](const Run& r) { return r.wallMs; };
    auto cpu = [](const Run& r) { return r.cpuMs; };
    std::printf("\nzorun (X11) / bare Xlib window: first frame %s, CPU %s (goal <= 2)\n",
                ratio("zorun (X11)", "bare Xlib window", wall).c_str(),
                ratio("zorun (X11)", "bare Xlib window", cpu).c_str());
    std::printf("matchbox-desktop / zorun (X11): first frame %s (goal >= 3)\n",
                ratio("matchbox-desktop", "zorun (X11)", wall).c_str());
    std::printf("zorun (SDL2) / zorun (X11): first frame %s, CPU %s\n",
                ratio("zorun (SDL2)", "zorun (X11)", wall).c_str(),
                ratio("zorun (SDL2)", "zorun (X11)", cpu).c_str());
    std::error_code ec;
    fs::remove_all(work, ec);
    return 0;
}
