// The random-input soak: the program in script mode (built with the
// sanitizers) on random and hostile device roots, checked after every run,
// then kill -9 during a loop of saves. script/soak runs it in full; CI runs
// it for a few minutes. Every failing run is kept with its reproduction.
//
//   zorun_soak --program build/asan/app/zorun [--events N] [--seconds S]
//              [--runs R] [--kills K] [--seed X] [--work DIR]
//              [--hostile-on KIND] [--hostile-off KIND] [--list-hostile]

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "tests/soak/SoakCheck.h"
#include "tests/soak/SoakDevice.h"
#include "tests/soak/SoakKills.h"
#include "tests/soak/SoakRun.h"
#include "tests/soak/SoakScript.h"

namespace fs = std::filesystem;

namespace {

struct Options {
    fs::path program;
    long long events = 20000;
    double seconds = 0; // 0: no time limit
    long long runs = 0; // 0: no run limit
    int kills = 0;
    std::uint64_t seed = 0;
    fs::path work;
};

int Usage(const char* why) {
    std::fprintf(stderr,
                 "zorun_soak: %s\nusage: zorun_soak --program PATH [--events N] [--seconds S] "
                 "[--runs R] [--kills K] [--seed X] [--work DIR] [--hostile-on KIND] "
                 "[--hostile-off KIND] [--list-hostile]\n",
                 why);
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    Options o;
    o.seed = std::random_device{}();
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
        if (a == "--list-hostile") {
            for (const auto& k : SoakHostileKinds())
                std::printf("%s %s\n", k.name, k.on ? "on" : "off");
            return 0;
        }
        if (!value)
            return Usage(("missing value after " + a).c_str());
        ++i;
        if (a == "--program")
            o.program = value;
        else if (a == "--events")
            o.events = std::atoll(value);
        else if (a == "--seconds")
            o.seconds = std::atof(value);
        else if (a == "--runs")
            o.runs = std::atoll(value);
        else if (a == "--kills")
            o.kills = std::atoi(value);
        else if (a == "--seed")
            o.seed = std::strtoull(value, nullptr, 10);
        else if (a == "--work")
            o.work = value;
        else if (a == "--hostile-on" || a == "--hostile-off") {
            if (!SetSoakHostileKind(value, a == "--hostile-on"))
                return Usage(("unknown hostile kind " + std::string(value)).c_str());
        } else
            return Usage(("unknown option " + a).c_str());
    }
    if (o.program.empty() || !fs::exists(o.program))
        return Usage("the program to soak is missing");
    o.program = fs::absolute(o.program);
    if (o.work.empty())
        o.work = fs::temp_directory_path() / ("zorun-soak-" + std::to_string(o.seed));
    fs::create_directories(o.work / "failures");

    std::printf("soak: %s, seed %llu, work %s\n", o.program.c_str(),
                static_cast<unsigned long long>(o.seed), o.work.c_str());
    std::fflush(stdout);
    const auto start = std::chrono::steady_clock::now();
    auto elapsed = [&] {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    };
    long long runs = 0, events = 0, failed = 0, keeping = 0, hostile = 0;
    while (events < o.events && (o.seconds <= 0 || elapsed() < o.seconds) &&
           (o.runs <= 0 || runs < o.runs)) {
        // Each run has its own seed, so that one run can be played again alone.
        const std::uint64_t runSeed = o.seed * 1000003ULL + static_cast<std::uint64_t>(runs);
        std::mt19937_64 random(runSeed);
        const fs::path folder = o.work / "run";
        fs::remove_all(folder);
        const bool hostileRoot = random() % 2 == 0;
        SoakDevice device = MakeSoakDevice(folder, random, hostileRoot);
        const bool keep = random() % 3 == 0;
        const int size = static_cast<int>(
            std::min<long long>(o.events - events, 50 + static_cast<long long>(random() % 3000)));
        const SoakScript script = MakeSoakScript(random, size, keep);
        std::ofstream(folder / "script.txt") << script.text;
        const SoakRunResult result =
            RunSoakProgram(o.program,
                           {"--headless", "--device-root", device.root.string(), "--script",
                            (folder / "script.txt").string()},
                           folder, std::chrono::seconds(120));
        const auto broken = CheckSoakRun(device, script, result);
        ++runs;
        events += script.events;
        keeping += keep;
        hostile += hostileRoot;
        if (!broken.empty()) {
            ++failed;
            const fs::path kept = o.work / "failures" / ("run-" + std::to_string(runSeed));
            fs::remove_all(kept);
            fs::rename(folder, kept);
            std::printf("FAIL run %lld (seed %llu, %s root%s):\n", runs,
                        static_cast<unsigned long long>(runSeed),
                        hostileRoot ? "hostile" : "random", keep ? ", keeping" : "");
            for (const auto& h : device.hostile)
                std::printf("  hostile: %s\n", h.c_str());
            for (const auto& b : broken)
                std::printf("  %s\n", b.c_str());
            std::printf("  kept in %s (script.txt, output.txt, device/)\n", kept.c_str());
            std::fflush(stdout);
        }
        if (runs % 25 == 0) {
            std::printf("soak: %lld runs, %lld events, %.0f s\n", runs, events, elapsed());
            std::fflush(stdout);
        }
    }
    const double soakSeconds = elapsed();
    std::printf("soak: %lld runs (%lld on hostile roots, %lld keeping every shortcut), %lld "
                "events in %.0f s (%.0f events/s), %lld failed\n",
                runs, hostile, keeping, events, soakSeconds,
                soakSeconds > 0 ? events / soakSeconds : 0.0, failed);

    std::mt19937_64 killRandom(o.seed ^ 0x5A5A5A5AULL);
    const SoakKillFigures kills = RunSoakKills(o.program, o.work / "kills", o.kills, killRandom);
    if (o.kills > 0)
        std::printf("kills: %d kill -9 during saves in %.0f s, %d torn settings files, %d "
                    "temporary files left\n",
                    kills.kills, elapsed() - soakSeconds, kills.torn, kills.temporaries);
    for (const auto& f : kills.failures)
        std::printf("FAIL %s\n", f.c_str());
    const bool ok = failed == 0 && kills.failures.empty();
    if (ok)
        fs::remove_all(o.work);
    return ok ? 0 : 1;
}
