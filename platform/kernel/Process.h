#pragma once
// Starting and stopping programs. A device program path ("\Windows\x.exe",
// or a bare name, looked up in "\Windows") maps to a host file in the device
// root; the argument string is split with the device's command-line rules
// into argv; the program is started with posix_spawn, no shell. Nothing
// waits for it: its exit is reaped in the background, so no zombie remains.
// A host program file (HostProgramLaunch.h) starts the host application it
// names, found when it is started.

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/base/WinTypes.h"
#include "platform/kernel/ProcessHandles.h"

struct PROCESS_INFORMATION {
    HANDLE hProcess;
    HANDLE hThread;
    DWORD dwProcessId;
    DWORD dwThreadId;
};

// `applicationName`: the program (device path); when null, the program is the
// first argument of `commandLine`. `commandLine`: the arguments (may be null).
// `currentDirectory`: a device folder for the child, or null to inherit.
// The other parameters are accepted and ignored, as the device ignores them.
// FALSE (with GetLastError set) when the program cannot be started; then no
// process was made. `info`, when given, receives the process id and an open
// process handle (close it with CloseHandle).
BOOL CreateProcessW(LPCWSTR applicationName, LPCWSTR commandLine, void* processAttributes,
                    void* threadAttributes, BOOL inheritHandles, DWORD creationFlags,
                    void* environment, LPCWSTR currentDirectory, void* startupInfo,
                    PROCESS_INFORMATION* info);

constexpr DWORD PROCESS_TERMINATE = 0x0001, SYNCHRONIZE = 0x00100000,
                PROCESS_ALL_ACCESS = 0x001F0FFF;
// A handle on any running host process by id (or on a foreign process, see
// below); null when there is none.
HANDLE OpenProcess(DWORD access, BOOL inheritHandle, DWORD processId);
// Kills the process (SIGKILL), with its process group when this program
// started it; the exit code cannot be chosen on the host. The program's own
// process is never killed this way (FALSE, ERROR_ACCESS_DENIED).
BOOL TerminateProcess(HANDLE process, UINT exitCode);

// This program's own process id.
DWORD GetCurrentProcessId();

constexpr DWORD WAIT_OBJECT_0 = 0, WAIT_TIMEOUT = 0x102, WAIT_FAILED = 0xFFFFFFFF,
                INFINITE = 0xFFFFFFFF;
// Waits until the process has ended or `ms` of the platform clock have
// passed. Under a virtual clock it checks once and never sleeps.
DWORD WaitForSingleObject(HANDLE handle, DWORD ms);

namespace zorun {

// The host file for a program named the device's way; nullopt when the
// device root holds no such file.
[[nodiscard]] std::optional<std::filesystem::path> ProgramHostPath(std::u16string_view program);

// True while the process exists and has not ended (a zombie has ended).
[[nodiscard]] bool IsProcessRunning(DWORD processId);

// The processes this program started that are still running, oldest first
// (the task list where there is no window system to ask).
[[nodiscard]] std::vector<DWORD> StartedProcesses();

// The name of the program a started process runs: its file name without the
// extension ("notes" for "\Windows\notes.exe"); empty for other processes.
[[nodiscard]] std::u16string StartedProcessName(DWORD processId);

// Asks a process to end (SIGTERM), with its process group when this program
// started it. False when it is not running or may not be signalled; the
// program's own process is never asked.
bool RequestProcessExit(DWORD processId);

// Host process ids stay below 2^22. Ids with this bit set stand for programs
// that another service knows only by its own reference (an X client that did
// not say its process id); that service answers for them.
constexpr DWORD kForeignProcessFlag = 0x80000000;
struct ForeignProcesses {
    std::function<bool(DWORD processId)> isRunning;
    std::function<bool(DWORD processId)> terminate;
};
// Installs the service that answers for foreign process ids; empty
// functions (the default) mean there are none.
void SetForeignProcesses(ForeignProcesses handlers);

} // namespace zorun
