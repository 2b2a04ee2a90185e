#include "platform/kernel/FindFile.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <sys/stat.h>
#include <vector>

#include "platform/base/Text.h"
#include "platform/kernel/DevicePath.h"
#include "platform/kernel/FileAttributes.h"

namespace {

struct Search : zorun::KernelObject {
    std::vector<WIN32_FIND_DATAW> entries;
    std::size_t next = 0;
};

std::u32string FoldedCodePoints(std::u16string_view text) {
    const std::u16string folded = zorun::FoldText(text);
    std::u32string points;
    points.reserve(folded.size());
    for (std::size_t i = 0; i < folded.size(); ++i) {
        char32_t c = folded[i];
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < folded.size() && folded[i + 1] >= 0xDC00 &&
            folded[i + 1] < 0xE000) {
            c = 0x10000 + ((c - 0xD800) << 10) + (folded[i + 1] - 0xDC00);
            ++i;
        }
        points.push_back(c);
    }
    return points;
}

bool HasWildcard(std::u16string_view name) {
    return name.find_first_of(u"*?") != std::u16string_view::npos;
}

bool IsValidPatternName(std::u16string_view name) {
    return std::none_of(name.begin(), name.end(), [](char16_t c) { return c < 0x20; });
}

bool FillEntry(const std::filesystem::path& path, const std::u16string& name,
               WIN32_FIND_DATAW& data) {
    if (name.size() >= MAX_PATH)
        return false;
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        return false; // a dangling link names nothing the device could open
    data = WIN32_FIND_DATAW{};
    data.dwFileAttributes = zorun::HostFileAttributes(path, info);
    data.ftLastWriteTime = zorun::FileTimeFromUnix(info.st_mtim.tv_sec, info.st_mtim.tv_nsec);
    data.ftLastAccessTime = zorun::FileTimeFromUnix(info.st_atim.tv_sec, info.st_atim.tv_nsec);
    data.ftCreationTime = data.ftLastWriteTime;
    if (!S_ISDIR(info.st_mode)) {
        const auto size = static_cast<std::uint64_t>(info.st_size);
        data.nFileSizeLow = static_cast<DWORD>(size & 0xFFFFFFFF);
        data.nFileSizeHigh = static_cast<DWORD>(size >> 32);
    }
    std::copy(name.begin(), name.end(), data.cFileName);
    data.cFileName[name.size()] = 0;
    return true;
}

} // namespace

namespace zorun {

bool MatchesWildcard(std::u16string_view pattern, std::u16string_view name) {
    if (pattern == u"*.*" || pattern == u"*")
        return true;
    const std::u32string p = FoldedCodePoints(pattern);
    const std::u32string n = FoldedCodePoints(name);
    // Greedy match with one backtrack point: the last '*' seen.
    std::size_t pi = 0, ni = 0;
    std::size_t starP = std::u32string::npos, starN = 0;
    while (ni < n.size()) {
        if (pi < p.size() && (p[pi] == U'?' || p[pi] == n[ni])) {
            ++pi;
            ++ni;
        } else if (pi < p.size() && p[pi] == U'*') {
            starP = pi++;
            starN = ni;
        } else if (starP != std::u32string::npos) {
            pi = starP + 1;
            ni = ++starN;
        } else {
            return false;
        }
    }
    while (pi < p.size() && p[pi] == U'*')
        ++pi;
    return pi == p.size();
}

} // namespace zorun

HANDLE FindFirstFileW(LPCWSTR pattern, LPWIN32_FIND_DATAW data) {
    if (!pattern || !data) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_HANDLE_VALUE;
    }
    const zorun::DevicePathParts parts = zorun::SplitFolderAndName(pattern);
    if (parts.name.empty() || !IsValidPatternName(parts.name)) {
        SetLastError(parts.name.empty() ? ERROR_FILE_NOT_FOUND : ERROR_INVALID_NAME);
        return INVALID_HANDLE_VALUE;
    }
    auto folder = zorun::ExistingHostPath(parts.folder.empty() ? u"\\" : parts.folder);
    std::error_code ec;
    if (!folder || !std::filesystem::is_directory(*folder, ec)) {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }

    struct Found {
        std::u16string name;
        std::string hostName;
        std::filesystem::path path;
    };
    std::vector<Found> found;
    if (!HasWildcard(parts.name)) {
        if (auto entry = zorun::FindHostEntry(*folder, parts.name)) {
            std::string hostName = entry->filename().string();
            found.push_back({zorun::FromUtf8(hostName), std::move(hostName), *entry});
        }
    } else {
        std::filesystem::directory_iterator it(*folder, ec);
        for (; !ec && it != std::filesystem::directory_iterator(); it.increment(ec)) {
            std::string hostName = it->path().filename().string();
            std::u16string name = zorun::FromUtf8(hostName);
            if (zorun::MatchesWildcard(parts.name, name))
                found.push_back({std::move(name), std::move(hostName), it->path()});
        }
    }
    std::sort(found.begin(), found.end(), [](const Found& a, const Found& b) {
        const int order = zorun::CompareNoCase(a.name, b.name);
        return order != 0 ? order < 0 : a.hostName < b.hostName;
    });

    auto search = std::make_unique<Search>();
    for (const Found& entry : found) {
        WIN32_FIND_DATAW item;
        if (FillEntry(entry.path, entry.name, item))
            search->entries.push_back(item);
    }
    if (search->entries.empty()) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    *data = search->entries[0];
    search->next = 1;
    return zorun::AddKernelHandle(std::move(search));
}

BOOL FindNextFileW(HANDLE handle, LPWIN32_FIND_DATAW data) {
    auto* search = zorun::FindKernelHandleAs<Search>(handle);
    if (!search || !data) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (search->next >= search->entries.size()) {
        SetLastError(ERROR_NO_MORE_FILES);
        return FALSE;
    }
    *data = search->entries[search->next++];
    return TRUE;
}

BOOL FindClose(HANDLE handle) {
    if (!zorun::FindKernelHandleAs<Search>(handle)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    return CloseHandle(handle);
}
