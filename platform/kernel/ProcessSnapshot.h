#pragma once
// The tool-help process snapshot over the host's process table (/proc).
// Each process is named by its executable's file name; a process whose
// command name differs from its executable (a script, or a program that
// renamed itself) is named by that command name, so a host process called
// "hopper.exe" is found whatever runs it.

#include <string_view>

#include "platform/base/WinTypes.h"
#include "platform/kernel/ProcessHandles.h"

constexpr DWORD TH32CS_SNAPPROCESS = 0x00000002;
constexpr int MAX_PATH = 260;

struct PROCESSENTRY32W {
    DWORD dwSize;
    DWORD cntUsage;
    DWORD th32ProcessID;
    DWORD th32DefaultHeapID;
    DWORD th32ModuleID;
    DWORD cntThreads;
    DWORD th32ParentProcessID;
    LONG pcPriClassBase;
    DWORD dwFlags;
    WCHAR szExeFile[MAX_PATH];
};

// INVALID_HANDLE_VALUE when /proc cannot be read or `flags` asks for
// anything but processes.
HANDLE CreateToolhelp32Snapshot(DWORD flags, DWORD processId);
// FALSE at the end of the list, or when entry->dwSize is too small.
BOOL Process32FirstW(HANDLE snapshot, PROCESSENTRY32W* entry);
BOOL Process32NextW(HANDLE snapshot, PROCESSENTRY32W* entry);
BOOL CloseToolhelp32Snapshot(HANDLE snapshot);

namespace zorun {

// True when a host process is named `name` (ignoring case), as the snapshot
// would name it, without taking a snapshot: only each process's command
// name is read, and a process is looked at further only when its command
// name starts `name`. False when /proc cannot be read.
[[nodiscard]] bool AnyProcessNamed(std::u16string_view name);

} // namespace zorun
