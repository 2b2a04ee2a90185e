#include "platform/host/HostApplications.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/base/Log.h"

extern char** environ;

namespace zorun {

namespace fs = std::filesystem;

namespace {

constexpr auto kAnswerTimeout = std::chrono::seconds(10);
constexpr std::size_t kAnswerLimit = 8 * 1024 * 1024;

bool IsExecutable(const fs::path& file) {
    std::error_code ec;
    return fs::is_regular_file(file, ec) && ::access(file.c_str(), X_OK) == 0;
}

// Waits for the helper without sleeping past its end.
void Finish(pid_t pid, bool kill) {
    if (kill)
        ::kill(pid, SIGKILL);
    while (::waitpid(pid, nullptr, 0) < 0 && errno == EINTR) {
    }
}

// The helper's standard output once it has ended; nullopt when it could not
// be started, took too long or wrote too much.
std::optional<std::string> RunHelper(const std::vector<std::string>& arguments) {
    const fs::path helper = HostHelperPath();
    if (helper.empty()) {
        LogWarning("zorun-host, the helper that finds the host's applications, is missing");
        return std::nullopt;
    }
    std::vector<std::string> text{helper.string()};
    text.insert(text.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (auto& a : text)
        argv.push_back(a.data());
    argv.push_back(nullptr);

    int pipe[2];
    if (::pipe2(pipe, O_CLOEXEC) != 0)
        return std::nullopt;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipe[1], STDOUT_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    // The helper starts with default signal handling and nothing blocked.
    posix_spawnattr_t attr;
    posix_spawnattr_init(&attr);
    sigset_t none, defaults;
    sigemptyset(&none);
    sigemptyset(&defaults);
    for (int sig : {SIGCHLD, SIGPIPE, SIGTERM, SIGINT, SIGHUP})
        sigaddset(&defaults, sig);
    posix_spawnattr_setsigmask(&attr, &none);
    posix_spawnattr_setsigdefault(&attr, &defaults);
    posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    pid_t pid = 0;
    const int error = posix_spawn(&pid, argv[0], &actions, &attr, argv.data(), environ);
    posix_spawnattr_destroy(&attr);
    posix_spawn_file_actions_destroy(&actions);
    ::close(pipe[1]);
    if (error != 0) {
        ::close(pipe[0]);
        return std::nullopt;
    }

    std::string answer;
    const auto deadline = std::chrono::steady_clock::now() + kAnswerTimeout;
    char buffer[16384];
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                              deadline - std::chrono::steady_clock::now())
                              .count();
        pollfd fd{pipe[0], POLLIN, 0};
        const int ready = left > 0 ? ::poll(&fd, 1, static_cast<int>(left)) : 0;
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0) {
            ::close(pipe[0]);
            Finish(pid, true);
            LogWarning("zorun-host did not answer in time");
            return std::nullopt;
        }
        const ssize_t n = ::read(pipe[0], buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        answer.append(buffer, static_cast<std::size_t>(n));
        if (answer.size() > kAnswerLimit) {
            ::close(pipe[0]);
            Finish(pid, true);
            return std::nullopt;
        }
    }
    ::close(pipe[0]);
    Finish(pid, false);
    return answer;
}

} // namespace

fs::path HostHelperPath() {
    if (const char* configured = std::getenv("ZORUN_HOST_HELPER"); configured && *configured)
        return IsExecutable(configured) ? fs::path(configured) : fs::path();
    std::error_code ec;
    const fs::path self = fs::read_symlink("/proc/self/exe", ec);
    if (!ec && IsExecutable(self.parent_path() / "zorun-host"))
        return self.parent_path() / "zorun-host";
    // Installed: bin/zorun beside libexec/zorun/zorun-host.
    if (const fs::path installed = self.parent_path().parent_path() / "libexec/zorun/zorun-host";
        !ec && IsExecutable(installed))
        return installed;
    if (const char* path = std::getenv("PATH")) {
        std::string_view dirs(path);
        while (!dirs.empty()) {
            const auto colon = dirs.find(':');
            const fs::path dir(dirs.substr(0, colon));
            dirs.remove_prefix(colon == std::string_view::npos ? dirs.size() : colon + 1);
            if (!dir.empty() && dir.is_absolute() && IsExecutable(dir / "zorun-host"))
                return dir / "zorun-host";
        }
    }
    return {};
}

std::optional<HostLaunch> ResolveHostLaunch(const std::vector<HostCandidate>& set) {
    if (set.empty())
        return std::nullopt;
    std::vector<std::string> arguments{"resolve"};
    AppendCandidateTokens(set, arguments);
    const auto answer = RunHelper(arguments);
    if (!answer)
        return std::nullopt;
    auto survey = ParseAnswer(*answer, 1);
    if (!survey)
        return std::nullopt;
    return std::move(survey->launches.front());
}

std::optional<HostSurvey>
SurveyHostApplications(const std::vector<std::vector<HostCandidate>>& sets, bool listApplications) {
    std::vector<std::string> arguments{"survey", "sets:" + std::to_string(sets.size())};
    if (listApplications)
        arguments.emplace_back("--applications");
    for (std::size_t i = 0; i < sets.size(); ++i) {
        if (i > 0)
            arguments.emplace_back("next:");
        AppendCandidateTokens(sets[i], arguments);
    }
    const auto answer = RunHelper(arguments);
    if (!answer)
        return std::nullopt;
    return ParseAnswer(*answer, sets.size());
}

} // namespace zorun
