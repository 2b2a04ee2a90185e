#include "platform/kernel/Process.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <fstream>
#include <mutex>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include "platform/base/Clock.h"
#include "platform/base/Text.h"
#include "platform/host/HostApplications.h"
#include "platform/kernel/CommandLine.h"
#include "platform/kernel/HostProgramLaunch.h"
#include "platform/kernel/ProcessPath.h"

extern char** environ;

namespace zorun {
namespace {

// Processes started here, in start order, with their program's name (main
// thread only).
struct StartedProcess {
    DWORD pid;
    std::u16string name;
};
std::vector<StartedProcess>& StartOrder() {
    static std::vector<StartedProcess> order;
    return order;
}

bool WeStarted(pid_t pid) {
    const auto& started = StartOrder();
    return std::any_of(started.begin(), started.end(),
                       [pid](const StartedProcess& p) { return p.pid == static_cast<DWORD>(pid); });
}

ForeignProcesses& Foreign() {
    static ForeignProcesses handlers;
    return handlers;
}

bool IsForeign(DWORD processId) {
    return (processId & kForeignProcessFlag) != 0;
}

// Children we started and have not reaped yet. The SIGCHLD handler reads it,
// so it is a fixed array of atomics (no allocation, no locks in the handler).
constexpr std::size_t kMaxChildren = 1024;
std::atomic<pid_t> children[kMaxChildren];
struct sigaction previousAction;

// Reaps one recorded child if it has ended. Safe in a signal handler.
void ReapSlot(std::size_t i) {
    pid_t pid = children[i].load();
    if (pid <= 0)
        return;
    const int saved = errno;
    const pid_t r = waitpid(pid, nullptr, WNOHANG);
    if (r == pid || (r < 0 && errno == ECHILD))
        children[i].compare_exchange_strong(pid, 0);
    errno = saved;
}

void ReapAll() {
    for (std::size_t i = 0; i < kMaxChildren; ++i)
        ReapSlot(i);
}

void OnChildSignal(int sig, siginfo_t* info, void* context) {
    ReapAll();
    // Keep whatever handler was there before working (it may own other children).
    if ((previousAction.sa_flags & SA_SIGINFO) && previousAction.sa_sigaction)
        previousAction.sa_sigaction(sig, info, context);
    else if (!(previousAction.sa_flags & SA_SIGINFO) && previousAction.sa_handler != SIG_DFL &&
             previousAction.sa_handler != SIG_IGN)
        previousAction.sa_handler(sig);
}

void InstallReaper() {
    static std::once_flag once;
    std::call_once(once, [] {
        struct sigaction action {};
        action.sa_sigaction = OnChildSignal;
        action.sa_flags = SA_SIGINFO | SA_RESTART | SA_NOCLDSTOP;
        sigemptyset(&action.sa_mask);
        sigaction(SIGCHLD, &action, &previousAction);
    });
}

bool Record(pid_t pid) {
    for (auto& slot : children) {
        pid_t empty = 0;
        if (slot.compare_exchange_strong(empty, pid))
            return true;
    }
    return false;
}

bool IsRecorded(pid_t pid) {
    return std::any_of(std::begin(children), std::end(children),
                       [pid](const std::atomic<pid_t>& slot) { return slot.load() == pid; });
}

DWORD ErrorFromErrno(int error) {
    switch (error) {
    case ENOENT:
    case ENOTDIR:
        return ERROR_FILE_NOT_FOUND;
    case EACCES:
    case EPERM:
        return ERROR_ACCESS_DENIED;
    case ENOEXEC:
        return ERROR_BAD_FORMAT;
    case ENOMEM:
        return ERROR_NOT_ENOUGH_MEMORY;
    default:
        return ERROR_INVALID_PARAMETER;
    }
}

class ProcessObject final : public KernelObject {
  public:
    explicit ProcessObject(DWORD id) : id_(id) {}
    [[nodiscard]] DWORD Id() const { return id_; }
    [[nodiscard]] pid_t Pid() const { return static_cast<pid_t>(id_); }

  private:
    DWORD id_;
};

// RAII owners for the spawn attribute objects.
struct SpawnAttributes {
    posix_spawnattr_t attr;
    posix_spawn_file_actions_t actions;
    SpawnAttributes() {
        posix_spawnattr_init(&attr);
        posix_spawn_file_actions_init(&actions);
    }
    ~SpawnAttributes() {
        posix_spawn_file_actions_destroy(&actions);
        posix_spawnattr_destroy(&attr);
    }
    SpawnAttributes(const SpawnAttributes&) = delete;
    SpawnAttributes& operator=(const SpawnAttributes&) = delete;
};

} // namespace

std::optional<std::filesystem::path> ProgramHostPath(std::u16string_view program) {
    auto device = DeviceProgramPath(program);
    if (device.empty())
        return std::nullopt;
    auto host = MapDevicePath(device);
    std::error_code ec;
    if (!host || !std::filesystem::is_regular_file(*host, ec))
        return std::nullopt;
    return host;
}

bool IsProcessRunning(DWORD processId) {
    if (IsForeign(processId))
        return Foreign().isRunning && Foreign().isRunning(processId);
    const auto pid = static_cast<pid_t>(processId);
    if (pid <= 0)
        return false;
    if (IsRecorded(pid)) {
        ReapAll();
        return IsRecorded(pid);
    }
    if (kill(pid, 0) != 0 && errno != EPERM)
        return false;
    // An ended child of someone else stays in the table as a zombie.
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    if (!std::getline(stat, line))
        return true;
    const auto close = line.rfind(')');
    return close == std::string::npos || close + 2 >= line.size() || line[close + 2] != 'Z';
}

std::vector<DWORD> StartedProcesses() {
    ReapAll();
    auto& order = StartOrder();
    std::erase_if(order,
                  [](const StartedProcess& p) { return !IsRecorded(static_cast<pid_t>(p.pid)); });
    std::vector<DWORD> pids;
    for (const auto& p : order)
        pids.push_back(p.pid);
    return pids;
}

std::u16string StartedProcessName(DWORD processId) {
    for (const auto& p : StartOrder()) {
        if (p.pid == processId)
            return p.name;
    }
    return {};
}

bool RequestProcessExit(DWORD processId) {
    const auto pid = static_cast<pid_t>(processId);
    if (IsForeign(processId) || pid <= 0 || pid == getpid() || !IsProcessRunning(processId))
        return false;
    // A program we started leads its own session: its helpers hear it too.
    const bool group = WeStarted(pid) && getpgid(pid) == pid;
    return kill(group ? -pid : pid, SIGTERM) == 0;
}

void SetForeignProcesses(ForeignProcesses handlers) {
    Foreign() = std::move(handlers);
}

} // namespace zorun

using namespace zorun;

namespace {

// Starts `argvText` (argv[0] a host file) in `folder` (empty: inherit); the
// process is known by `name` (its device program's name) from then on.
BOOL Spawn(std::vector<std::string> argvText, const std::string& folder, std::u16string name,
           PROCESS_INFORMATION* info) {
    std::vector<char*> argv;
    for (auto& a : argvText)
        argv.push_back(a.data());
    argv.push_back(nullptr);

    SpawnAttributes spawn;
    // The child starts clean: its own session (it outlives us and our
    // terminal), no blocked signals, default handlers for the ones we catch.
    sigset_t none, defaults;
    sigemptyset(&none);
    sigemptyset(&defaults);
    for (int sig : {SIGCHLD, SIGPIPE, SIGTERM, SIGINT, SIGHUP, SIGQUIT, SIGUSR1, SIGUSR2, SIGXFSZ})
        sigaddset(&defaults, sig);
    posix_spawnattr_setsigmask(&spawn.attr, &none);
    posix_spawnattr_setsigdefault(&spawn.attr, &defaults);
    short flags = POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF;
#ifdef POSIX_SPAWN_SETSID
    flags |= POSIX_SPAWN_SETSID;
#endif
    posix_spawnattr_setflags(&spawn.attr, flags);
    if (!folder.empty())
        posix_spawn_file_actions_addchdir_np(&spawn.actions, folder.c_str());

    InstallReaper();
    // SIGCHLD waits until the child is recorded, so this thread's handler
    // cannot miss it; a sweep afterwards covers a handler run on another thread.
    sigset_t block, old;
    sigemptyset(&block);
    sigaddset(&block, SIGCHLD);
    pthread_sigmask(SIG_BLOCK, &block, &old);
    pid_t pid = 0;
    const int error = posix_spawn(&pid, argv[0], &spawn.actions, &spawn.attr, argv.data(), environ);
    bool recorded = error == 0 && Record(pid);
    pthread_sigmask(SIG_SETMASK, &old, nullptr);
    if (error != 0) {
        SetLastError(ErrorFromErrno(error));
        return FALSE;
    }
    StartOrder().push_back({static_cast<DWORD>(pid), std::move(name)});
    if (!recorded) {
        // Table full (a thousand children alive): hand this one to a helper
        // thread that waits for it, so it still leaves no zombie.
        std::thread([pid] { waitpid(pid, nullptr, 0); }).detach();
    }
    ReapAll();
    if (info) {
        info->hProcess = AddKernelHandle(std::make_unique<ProcessObject>(pid));
        info->hThread = nullptr;
        info->dwProcessId = static_cast<DWORD>(pid);
        info->dwThreadId = 0;
    }
    SetLastError(ERROR_SUCCESS);
    return TRUE;
}

} // namespace

BOOL CreateProcessW(LPCWSTR applicationName, LPCWSTR commandLine, void*, void*, BOOL, DWORD, void*,
                    LPCWSTR currentDirectory, void*, PROCESS_INFORMATION* info) {
    std::u16string program;
    std::vector<std::u16string> arguments;
    if (applicationName && *applicationName) {
        program = applicationName;
        if (commandLine)
            arguments = SplitArguments(commandLine);
    } else if (commandLine && *commandLine) {
        arguments = CommandLineToArgv(commandLine);
        program = arguments.front();
        arguments.erase(arguments.begin());
    }
    const auto host = ProgramHostPath(program);
    if (!host) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return FALSE;
    }

    std::string folder;
    if (currentDirectory && *currentDirectory) {
        auto dir = MapDevicePath(DeviceFolderPath(currentDirectory));
        std::error_code ec;
        if (!dir || !std::filesystem::is_directory(*dir, ec)) {
            SetLastError(ERROR_PATH_NOT_FOUND);
            return FALSE;
        }
        folder = dir->string();
    }

    // A host program file starts the application of this computer it names.
    if (auto plan = PlanHostProgram(DeviceProgramPath(program), arguments)) {
        auto launch = ResolveHostLaunch(*plan);
        if (!launch) {
            SetLastError(ERROR_FILE_NOT_FOUND);
            return FALSE;
        }
        std::error_code ec;
        if (!launch->directory.empty() && std::filesystem::is_directory(launch->directory, ec))
            folder = launch->directory;
        return Spawn(std::move(launch->argv), folder, FromUtf8(host->stem().string()), info);
    }

    std::vector<std::string> argvText;
    argvText.push_back(host->string());
    for (const auto& a : arguments)
        argvText.push_back(ToUtf8(a));
    return Spawn(std::move(argvText), folder, FromUtf8(host->stem().string()), info);
}

DWORD GetCurrentProcessId() {
    return static_cast<DWORD>(getpid());
}

HANDLE OpenProcess(DWORD, BOOL, DWORD processId) {
    if (!IsProcessRunning(processId)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    return AddKernelHandle(std::make_unique<ProcessObject>(processId));
}

BOOL TerminateProcess(HANDLE process, UINT) {
    auto* object = FindKernelHandleAs<ProcessObject>(process);
    if (!object) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (IsForeign(object->Id())) {
        if (Foreign().terminate && Foreign().terminate(object->Id()))
            return TRUE;
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    const pid_t pid = object->Pid();
    if (pid <= 0 || pid == getpid()) {
        SetLastError(ERROR_ACCESS_DENIED);
        return FALSE;
    }
    // A program we started leads its own session: stop its helpers with it.
    const bool ours = WeStarted(pid) && getpgid(pid) == pid;
    if (kill(ours ? -pid : pid, SIGKILL) != 0) {
        SetLastError(ErrorFromErrno(errno));
        return FALSE;
    }
    return TRUE;
}

DWORD WaitForSingleObject(HANDLE handle, DWORD ms) {
    auto* object = FindKernelHandleAs<ProcessObject>(handle);
    if (!object) {
        SetLastError(ERROR_INVALID_HANDLE);
        return WAIT_FAILED;
    }
    auto& clock = CurrentClock();
    const std::uint64_t start = clock.NowMs();
    for (;;) {
        if (!IsProcessRunning(object->Id()))
            return WAIT_OBJECT_0;
        if (clock.IsVirtual() || (ms != INFINITE && clock.NowMs() - start >= ms))
            return WAIT_TIMEOUT;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}
