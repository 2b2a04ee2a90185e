#pragma once
// One run of the program under test: its command line, environment and
// time limit, and what came of it.

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

struct SoakRunResult {
    bool started = false;
    bool hung = false;  // killed after the time limit
    int exitCode = -1;  // when it exited
    int signal = 0;     // when a signal ended it
    std::string output; // stdout and stderr
};

// Runs `program` with `args`, in an environment made for the run's folder
// (see SoakEnvironment), and waits up to `limit`. With `killAfter` set, the
// program is killed with SIGKILL at that moment instead (not a hang).
[[nodiscard]] SoakRunResult RunSoakProgram(const std::filesystem::path& program,
                                           const std::vector<std::string>& args,
                                           const std::filesystem::path& runFolder,
                                           std::chrono::milliseconds limit,
                                           std::chrono::milliseconds killAfter = {});

// The environment of a run: no display (nothing reaches the user's desktop),
// the state, runtime and home folders and the panel's sources inside the run
// folder, sanitizers that stop at the first report.
[[nodiscard]] std::vector<std::string> SoakEnvironment(const std::filesystem::path& runFolder);

// The first line of a sanitizer report in `output`, or "" when there is none.
[[nodiscard]] std::string SanitizerReport(const std::string& output);
