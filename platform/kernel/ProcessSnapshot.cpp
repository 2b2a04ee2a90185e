#include "platform/kernel/ProcessSnapshot.h"

#include <algorithm>
#include <cstring>
#include <dirent.h>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

#include "platform/base/Text.h"

namespace {

struct ProcessInfo {
    DWORD pid;
    DWORD parent;
    DWORD threads;
    std::u16string name;
};

class SnapshotObject final : public zorun::KernelObject {
  public:
    std::vector<ProcessInfo> processes;
    std::size_t next = 0;
};

std::string ReadSmall(const std::string& path, std::size_t limit) {
    std::ifstream in(path, std::ios::binary);
    std::string text(limit, '\0');
    in.read(text.data(), static_cast<std::streamsize>(limit));
    text.resize(static_cast<std::size_t>(std::max<std::streamsize>(in.gcount(), 0)));
    return text;
}

std::string BaseName(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The name a user would know the process by (see the header).
std::string ProcessName(const std::string& dir) {
    std::string comm = ReadSmall(dir + "/comm", 64);
    if (!comm.empty() && comm.back() == '\n')
        comm.pop_back();
    char target[4096];
    const auto n = ::readlink((dir + "/exe").c_str(), target, sizeof target - 1);
    std::string exe = n > 0 ? BaseName(std::string(target, static_cast<std::size_t>(n))) : "";
    if (exe.ends_with(" (deleted)"))
        exe.resize(exe.size() - 10);
    if (!exe.empty() && exe.starts_with(comm))
        return exe;
    // The kernel keeps 15 bytes of the command name; argv[0] has it whole.
    if (comm.size() == 15) {
        std::string argv0 = ReadSmall(dir + "/cmdline", 4096);
        argv0 = BaseName(argv0.substr(0, argv0.find('\0')));
        if (argv0.starts_with(comm))
            return argv0;
    }
    return comm.empty() ? exe : comm;
}

bool ReadStat(const std::string& dir, DWORD& parent, DWORD& threads) {
    const std::string stat = ReadSmall(dir + "/stat", 1024);
    const auto close = stat.rfind(')');
    if (close == std::string::npos)
        return false;
    // Fields after the name: state ppid pgrp session tty tpgid flags minflt
    // cminflt majflt cmajflt utime stime cutime cstime priority nice threads
    std::vector<std::string> fields;
    std::size_t pos = close + 2;
    while (pos < stat.size() && fields.size() < 18) {
        auto end = stat.find(' ', pos);
        if (end == std::string::npos)
            end = stat.size();
        fields.push_back(stat.substr(pos, end - pos));
        pos = end + 1;
    }
    if (fields.size() < 18)
        return false;
    parent = static_cast<DWORD>(std::strtoul(fields[1].c_str(), nullptr, 10));
    threads = static_cast<DWORD>(std::strtoul(fields[17].c_str(), nullptr, 10));
    return true;
}

bool Fill(HANDLE snapshot, PROCESSENTRY32W* entry, bool first) {
    auto* object = zorun::FindKernelHandleAs<SnapshotObject>(snapshot);
    if (!object) {
        SetLastError(ERROR_INVALID_HANDLE);
        return false;
    }
    if (!entry || entry->dwSize < sizeof(PROCESSENTRY32W)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return false;
    }
    if (first)
        object->next = 0;
    if (object->next >= object->processes.size()) {
        SetLastError(ERROR_NO_MORE_FILES);
        return false;
    }
    const auto& p = object->processes[object->next++];
    const DWORD size = entry->dwSize;
    std::memset(entry, 0, sizeof(PROCESSENTRY32W));
    entry->dwSize = size;
    entry->th32ProcessID = p.pid;
    entry->th32ParentProcessID = p.parent;
    entry->cntThreads = p.threads;
    const auto length = std::min<std::size_t>(p.name.size(), MAX_PATH - 1);
    std::copy_n(p.name.begin(), length, entry->szExeFile);
    return true;
}

} // namespace

HANDLE CreateToolhelp32Snapshot(DWORD flags, DWORD) {
    if (!(flags & TH32CS_SNAPPROCESS)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_HANDLE_VALUE;
    }
    DIR* proc = ::opendir("/proc");
    if (!proc) {
        SetLastError(ERROR_ACCESS_DENIED);
        return INVALID_HANDLE_VALUE;
    }
    auto snapshot = std::make_unique<SnapshotObject>();
    while (const dirent* d = ::readdir(proc)) {
        char* end = nullptr;
        const unsigned long pid = std::strtoul(d->d_name, &end, 10);
        if (!end || *end || pid == 0)
            continue;
        const std::string dir = std::string("/proc/") + d->d_name;
        ProcessInfo info{static_cast<DWORD>(pid), 0, 0, {}};
        if (!ReadStat(dir, info.parent, info.threads))
            continue; // ended meanwhile
        info.name = zorun::FromUtf8(ProcessName(dir));
        snapshot->processes.push_back(std::move(info));
    }
    ::closedir(proc);
    std::sort(snapshot->processes.begin(), snapshot->processes.end(),
              [](const ProcessInfo& a, const ProcessInfo& b) { return a.pid < b.pid; });
    return zorun::AddKernelHandle(std::move(snapshot));
}

BOOL Process32FirstW(HANDLE snapshot, PROCESSENTRY32W* entry) {
    return Fill(snapshot, entry, true) ? TRUE : FALSE;
}

BOOL Process32NextW(HANDLE snapshot, PROCESSENTRY32W* entry) {
    return Fill(snapshot, entry, false) ? TRUE : FALSE;
}

BOOL CloseToolhelp32Snapshot(HANDLE snapshot) {
    return CloseHandle(snapshot);
}
