#include "tests/support/HostDesktop.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <set>
#include <sstream>
#include <thread>

namespace fs = std::filesystem;

namespace {

std::vector<std::string> SplitList(const std::string& value) {
    std::vector<std::string> parts;
    std::istringstream in(value);
    for (std::string part; std::getline(in, part, ';');)
        if (!part.empty())
            parts.push_back(part);
    return parts;
}

} // namespace

HostDesktop::HostDesktop() {
    std::string pattern = (fs::temp_directory_path() / "zorun-desktop-XXXXXX").string();
    if (::mkdtemp(pattern.data()))
        folder_ = pattern;
    for (const char* sub :
         {"data/applications", "sys/applications", "config", "sysconfig", "bin", "home", "markers"})
        fs::create_directories(folder_ / sub);
    SetEnv("XDG_DATA_HOME", (folder_ / "data").c_str());
    SetEnv("XDG_DATA_DIRS", (folder_ / "sys").c_str());
    SetEnv("XDG_CONFIG_HOME", (folder_ / "config").c_str());
    SetEnv("XDG_CONFIG_DIRS", (folder_ / "sysconfig").c_str());
    SetEnv("XDG_CACHE_HOME", (folder_ / "home" / ".cache").c_str());
    SetEnv("XDG_CURRENT_DESKTOP", "Zorun-Test");
    SetEnv("HOME", (folder_ / "home").c_str());
    SetEnv("TERMINAL", nullptr);
    const char* path = std::getenv("PATH");
    const std::string search = (folder_ / "bin").string() + ":" + (path ? path : "/usr/bin:/bin");
    SetEnv("PATH", search.c_str());
    SetEnv("ZORUN_HOST_HELPER", BuiltHelper());
}

const char* HostDesktop::BuiltHelper() {
    return ZORUN_TEST_HOST_HELPER;
}

HostDesktop::~HostDesktop() {
    for (const auto& [name, value] : saved_) {
        if (value)
            ::setenv(name.c_str(), value->c_str(), 1);
        else
            ::unsetenv(name.c_str());
    }
    std::error_code ec;
    fs::remove_all(folder_, ec);
}

void HostDesktop::SetEnv(const char* name, const char* value) {
    if (!saved_.count(name)) {
        const char* old = std::getenv(name);
        saved_[name] = old ? std::optional<std::string>(old) : std::nullopt;
    }
    if (value)
        ::setenv(name, value, 1);
    else
        ::unsetenv(name);
}

fs::path HostDesktop::UserApplications() const {
    return folder_ / "data" / "applications";
}

fs::path HostDesktop::SystemApplications() const {
    return folder_ / "sys" / "applications";
}

fs::path HostDesktop::WriteEntry(std::string_view relative, std::string_view content, bool system) {
    const fs::path applications = system ? SystemApplications() : UserApplications();
    const fs::path file = applications / relative;
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << content;
    UpdateMimeCache(applications);
    return file;
}

void HostDesktop::RemoveEntry(std::string_view relative, bool system) {
    const fs::path applications = system ? SystemApplications() : UserApplications();
    fs::remove(applications / relative);
    UpdateMimeCache(applications);
}

fs::path HostDesktop::AddApplication(std::string_view id, std::string_view name,
                                     std::string_view extra, bool system, std::string_view exec) {
    std::string program = fs::path(id).filename().string();
    if (program.ends_with(".desktop"))
        program.resize(program.size() - 8);
    MarkerProgram(program);
    std::string entry = "[Desktop Entry]\nType=Application\nName=" + std::string(name) +
                        "\nExec=" + (exec.empty() ? program + " %U" : std::string(exec)) + "\n" +
                        std::string(extra);
    if (!entry.ends_with('\n'))
        entry += '\n';
    return WriteEntry(std::string(id).ends_with(".desktop") ? std::string(id)
                                                            : std::string(id) + ".desktop",
                      entry, system);
}

void HostDesktop::SetDefault(std::string_view type, std::string_view id) {
    const fs::path list = folder_ / "config" / "mimeapps.list";
    std::string content;
    {
        std::ifstream in(list);
        content.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    if (content.empty())
        content = "[Default Applications]\n";
    content += std::string(type) + "=" + std::string(id) + "\n";
    std::ofstream(list, std::ios::binary) << content;
}

// The desktop keeps which entries open which type in mimeinfo.cache
// (update-desktop-database makes it); GIO reads it from there.
void HostDesktop::UpdateMimeCache(const fs::path& applications) {
    std::map<std::string, std::set<std::string>> byType;
    std::error_code ec;
    for (auto it = fs::recursive_directory_iterator(applications, ec);
         !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
        if (it->path().extension() != ".desktop")
            continue;
        std::string id = fs::relative(it->path(), applications).generic_string();
        std::replace(id.begin(), id.end(), '/', '-');
        std::ifstream in(it->path());
        for (std::string line; std::getline(in, line);)
            if (line.rfind("MimeType=", 0) == 0)
                for (const auto& type : SplitList(line.substr(9)))
                    byType[type].insert(id);
    }
    std::ofstream out(applications / "mimeinfo.cache", std::ios::binary);
    out << "[MIME Cache]\n";
    for (const auto& [type, ids] : byType) {
        out << type << "=";
        for (const auto& id : ids)
            out << id << ";";
        out << "\n";
    }
}

fs::path HostDesktop::MarkerProgram(std::string_view name) {
    const fs::path program = folder_ / "bin" / name;
    const fs::path marker = folder_ / "markers" / name;
    std::ofstream(program) << "#!/bin/sh\n{ printf '%s\\n' \"$0\"; for a in \"$@\"; do printf "
                              "'%s\\n' \"$a\"; done; echo ---; } >> '"
                           << marker.string() << "'\n";
    fs::permissions(program, fs::perms::owner_all | fs::perms::group_read | fs::perms::others_read);
    return program;
}

std::vector<std::vector<std::string>> HostDesktop::Runs(std::string_view name) const {
    std::vector<std::vector<std::string>> runs(1);
    std::ifstream in(folder_ / "markers" / name);
    for (std::string line; std::getline(in, line);) {
        if (line == "---")
            runs.emplace_back();
        else
            runs.back().push_back(line);
    }
    runs.pop_back(); // the run still being written, or the empty one after the last
    return runs;
}

std::vector<std::vector<std::string>> HostDesktop::WaitForRuns(std::string_view name,
                                                               std::size_t runs) const {
    for (int attempt = 0; attempt < 1000; ++attempt) {
        auto found = Runs(name);
        if (found.size() >= runs)
            return found;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return Runs(name);
}

void HostDesktop::UseDataFolders(const fs::path& user, const fs::path& system) {
    SetEnv("XDG_DATA_HOME", user.c_str());
    SetEnv("XDG_DATA_DIRS", system.c_str());
}
