#include "platform/kernel/ProcessSnapshot.h"

#include <algorithm>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
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

// A process's command name, read with plain system calls (this runs for
// every process at every start). A name the kernel cut at 15 bytes loses a
// character split by the cut.
std::string CommandName(const std::string& dir) {
    char buffer[64];
    const int fd = ::open((dir + "/comm").c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return {};
    const ssize_t got = ::read(fd, buffer, sizeof buffer);
    ::close(fd);
    std::string name(buffer, got > 0 ? static_cast<std::size_t>(got) : 0);
    if (!name.empty() && name.back() == '\n')
        name.pop_back();
    std::size_t lead = name.size();
    while (lead > 0 && (static_cast<unsigned char>(name[lead - 1]) & 0xC0) == 0x80)
        --lead;
    if (lead > 0) {
        const auto first = static_cast<unsigned char>(name[lead - 1]);
        const std::size_t length = first >= 0xF0 ? 4 : first >= 0xE0 ? 3 : first >= 0xC0 ? 2 : 1;
        if (name.size() - (lead - 1) < length)
            name.resize(lead - 1);
    }
    return name;
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

bool zorun::AnyProcessNamed(std::u16string_view name) {
    DIR* proc = ::opendir("/proc");
    if (!proc)
        return false;
    const std::u16string wanted = zorun::FoldText(name);
    bool found = false;
    while (const dirent* d = ::readdir(proc)) {
        if (d->d_name[0] < '1' || d->d_name[0] > '9')
            continue;
        const std::string dir = std::string("/proc/") + d->d_name;
        const std::string comm = CommandName(dir);
        // The full name always starts with the command name.
        if (comm.empty() || !wanted.starts_with(zorun::FoldText(zorun::FromUtf8(comm))))
            continue;
        if (zorun::FoldText(zorun::FromUtf8(ProcessName(dir))) == wanted) {
            found = true;
            break;
        }
    }
    ::closedir(proc);
    return found;
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
