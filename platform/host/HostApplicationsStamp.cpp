#include "platform/host/HostApplicationsStamp.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <sys/stat.h>

namespace zorun {

namespace fs = std::filesystem;

namespace {

std::string Env(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

fs::path Home() {
    return Env("HOME");
}

std::vector<fs::path> Folders(const char* userVariable, const fs::path& userDefault,
                              const char* systemVariable, const char* systemDefault) {
    std::vector<fs::path> folders;
    const std::string user = Env(userVariable);
    folders.push_back(!user.empty() ? fs::path(user) : userDefault);
    std::string system = Env(systemVariable);
    if (system.empty())
        system = systemDefault;
    std::string_view list(system);
    while (!list.empty()) {
        const auto colon = list.find(':');
        const std::string_view dir = list.substr(0, colon);
        list.remove_prefix(colon == std::string_view::npos ? list.size() : colon + 1);
        if (!dir.empty())
            folders.emplace_back(dir);
    }
    return folders;
}

// Desktop names as mimeapps.list files are named after them ("gnome-mimeapps.list").
std::vector<std::string> DesktopNames() {
    std::vector<std::string> names;
    const std::string current = Env("XDG_CURRENT_DESKTOP");
    std::string_view list(current);
    while (!list.empty()) {
        const auto colon = list.find(':');
        std::string name(list.substr(0, colon));
        list.remove_prefix(colon == std::string_view::npos ? list.size() : colon + 1);
        for (char& c : name)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (!name.empty())
            names.push_back(name);
    }
    return names;
}

} // namespace

std::vector<fs::path> HostDataFolders() {
    return Folders("XDG_DATA_HOME", Home() / ".local" / "share", "XDG_DATA_DIRS",
                   "/usr/local/share:/usr/share");
}

std::vector<fs::path> HostConfigFolders() {
    return Folders("XDG_CONFIG_HOME", Home() / ".config", "XDG_CONFIG_DIRS", "/etc/xdg");
}

std::uint64_t TextHash(std::string_view text) {
    std::uint64_t hash = 14695981039346656037ull;
    for (unsigned char c : text) {
        hash ^= c;
        hash *= 1099511628211ull;
    }
    return hash;
}

void StampBuilder::Add(std::string_view text) {
    for (unsigned char c : text) {
        hash_ ^= c;
        hash_ *= 1099511628211ull;
    }
    hash_ ^= 0xFF; // keeps "ab" + "c" apart from "a" + "bc"
    hash_ *= 1099511628211ull;
}

void StampBuilder::AddFile(const fs::path& path) {
    Add(path.string());
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        Add("-");
        return;
    }
    char text[96];
    std::snprintf(text, sizeof text, "%lld.%09ld %lld %llu",
                  static_cast<long long>(info.st_mtim.tv_sec), info.st_mtim.tv_nsec,
                  static_cast<long long>(info.st_size),
                  static_cast<unsigned long long>(info.st_ino));
    Add(text);
}

std::string StampBuilder::Digest() const {
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash_));
    return text;
}

std::string HostApplicationsStamp() {
    StampBuilder stamp;
    for (const char* name : {"XDG_DATA_HOME", "XDG_DATA_DIRS", "XDG_CONFIG_HOME", "XDG_CONFIG_DIRS",
                             "XDG_CURRENT_DESKTOP", "HOME", "PATH", "LANGUAGE", "LC_ALL",
                             "LC_MESSAGES", "LANG", "TERMINAL"})
        stamp.Add(Env(name));
    const auto desktops = DesktopNames();
    auto addLists = [&stamp, &desktops](const fs::path& folder) {
        stamp.AddFile(folder / "mimeapps.list");
        for (const auto& desktop : desktops)
            stamp.AddFile(folder / (desktop + "-mimeapps.list"));
    };
    for (const auto& config : HostConfigFolders())
        addLists(config);
    for (const auto& data : HostDataFolders()) {
        const fs::path applications = data / "applications";
        addLists(applications);
        // Entries live in subfolders too ("kde4/kate.desktop").
        stamp.AddFile(applications);
        std::error_code ec;
        for (auto it = fs::recursive_directory_iterator(applications, ec);
             !ec && it != fs::recursive_directory_iterator(); it.increment(ec))
            if (it->is_directory(ec))
                stamp.AddFile(it->path());
    }
    return stamp.Digest();
}

} // namespace zorun
