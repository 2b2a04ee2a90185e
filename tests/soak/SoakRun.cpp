#include "tests/soak/SoakRun.h"

#include <csignal>
#include <fcntl.h>
#include <fstream>
#include <spawn.h>
#include <sstream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace fs = std::filesystem;

std::vector<std::string> SoakEnvironment(const fs::path& runFolder) {
    std::vector<std::string> env;
    // Kept from the caller: what finds programs, fonts and the locale.
    for (char** e = environ; *e; ++e) {
        const std::string entry = *e;
        for (const char* keep :
             {"PATH=", "LANG=", "LC_ALL=", "TZ=", "FONTCONFIG_", "XDG_DATA_DIRS="})
            if (entry.starts_with(keep))
                env.push_back(entry);
    }
    const fs::path host = runFolder / "host";
    fs::create_directories(runFolder / "run");
    fs::permissions(runFolder / "run", fs::perms::owner_all);
    env.push_back("HOME=" + (runFolder / "home").string());
    env.push_back("XDG_RUNTIME_DIR=" + (runFolder / "run").string());
    env.push_back("XDG_STATE_HOME=" + (runFolder / "state").string());
    env.push_back("XDG_DATA_HOME=" + (runFolder / "home/.local/share").string());
    env.push_back("XDG_CONFIG_HOME=" + (runFolder / "home/.config").string());
    env.push_back("TMPDIR=" + runFolder.string());
    env.push_back("MAILDIR=" + (host / "Maildir").string());
    env.push_back("ZORUN_CALENDAR=" + (host / "calendar.ics").string());
    env.push_back("ZORUN_TASKS=" + (host / "tasks.ics").string());
    env.push_back("ZORUN_POWER_SUPPLY=" + (host / "power").string());
    env.push_back("ASAN_OPTIONS=halt_on_error=1:abort_on_error=0:detect_leaks=1:exitcode=86:"
                  "allocator_may_return_null=0:handle_abort=1");
    env.push_back("UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1:exitcode=87");
    return env;
}

std::string SanitizerReport(const std::string& output) {
    for (const char* mark : {"ERROR: AddressSanitizer", "ERROR: LeakSanitizer", "runtime error:",
                             "UndefinedBehaviorSanitizer", "AddressSanitizer:DEADLYSIGNAL"}) {
        const auto at = output.find(mark);
        if (at == std::string::npos)
            continue;
        const auto start = output.rfind('\n', at);
        const auto end = output.find('\n', at);
        return output.substr(start == std::string::npos ? 0 : start + 1,
                             end == std::string::npos
                                 ? std::string::npos
                                 : end - (start == std::string::npos ? 0 : start + 1));
    }
    return {};
}

SoakRunResult RunSoakProgram(const fs::path& program, const std::vector<std::string>& args,
                             const fs::path& runFolder, std::chrono::milliseconds limit,
                             std::chrono::milliseconds killAfter) {
    SoakRunResult result;
    const fs::path log = runFolder / "output.txt";
    std::vector<std::string> argvText{program.string()};
    argvText.insert(argvText.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (auto& a : argvText)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    std::vector<std::string> envText = SoakEnvironment(runFolder);
    std::vector<char*> envp;
    for (auto& e : envText)
        envp.push_back(e.data());
    envp.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_adddup2(&actions, 1, 2);
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    // Its own process group: a kill reaches the programs it started too.
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
    posix_spawnattr_setpgroup(&attributes, 0);
    pid_t pid = 0;
    const int error = posix_spawn(&pid, argv[0], &actions, &attributes, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
    if (error != 0)
        return result;
    result.started = true;

    const auto start = std::chrono::steady_clock::now();
    int status = 0;
    for (;;) {
        const pid_t done = ::waitpid(pid, &status, WNOHANG);
        if (done == pid)
            break;
        const auto elapsed = std::chrono::steady_clock::now() - start;
        const bool killNow = killAfter.count() > 0 && elapsed >= killAfter;
        if (killNow || elapsed >= limit) {
            result.hung = !killNow;
            ::kill(-pid, SIGKILL);
            ::kill(pid, SIGKILL);
            ::waitpid(pid, &status, 0);
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(killAfter.count() > 0 ? 1 : 5));
    }
    if (WIFEXITED(status))
        result.exitCode = WEXITSTATUS(status);
    else if (WIFSIGNALED(status))
        result.signal = WTERMSIG(status);
    std::ifstream in(log, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    result.output = text.str();
    return result;
}
