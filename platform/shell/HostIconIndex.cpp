#include "platform/shell/HostIconIndex.h"

#include <algorithm>
#include <cstdlib>
#include <set>
#include <sstream>

#include "platform/host/HostProgramFile.h"
#include "platform/host/HostProgramRecord.h"
#include "platform/kernel/DeviceRoot.h"
#include "platform/kernel/FileSystem.h"

namespace zorun {

namespace fs = std::filesystem;

namespace {

std::string Lower(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
    return s;
}

std::string Trim(const std::string& s) {
    const auto b = s.find_first_not_of(" \t\r");
    if (b == std::string::npos)
        return {};
    return s.substr(b, s.find_last_not_of(" \t\r") - b + 1);
}

std::string BaseName(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The program an Exec line runs: its first word, past "env" and its
// variable assignments, unquoted.
std::string ExecProgram(const std::string& exec) {
    std::istringstream words(exec);
    std::string word;
    while (words >> word) {
        if (!word.empty() && word.front() == '"')
            word = word.substr(1, word.find('"', 1) - 1);
        if (word == "env" || word.find('=') != std::string::npos)
            continue;
        return BaseName(word);
    }
    return {};
}

// The few names a small launcher script might hand over to: "exec prog".
std::string ScriptTarget(const fs::path& file) {
    const auto head = ReadHostFilePrefix(file, 511);
    if (!head)
        return {};
    const std::string text(head->begin(), head->end());
    if (text.rfind("#!", 0) != 0)
        return {};
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        std::istringstream words(line);
        std::string word;
        if (words >> word && word == "exec") {
            std::string rest;
            std::getline(words, rest);
            return ExecProgram(rest);
        }
    }
    return {};
}

// A text file of the host, bounded, as a stream of its lines.
std::istringstream HostTextFile(const fs::path& file, std::size_t limit) {
    const auto bytes = ReadHostFilePrefix(file, limit);
    return std::istringstream(bytes ? std::string(bytes->begin(), bytes->end()) : std::string());
}

// The icon a host program file names, else the one provisioning recorded
// for the application it found; empty for any other file.
std::string HostProgramIconName(const fs::path& program) {
    // Through the bounded reader: a FIFO of that name never blocks.
    const auto programBytes = ReadHostFile(program, HostProgramFile::kSizeLimit);
    if (!programBytes)
        return {};
    const std::string text(programBytes->begin(), programBytes->end());
    const auto file = HostProgramFile::Parse(text);
    if (!file)
        return {};
    if (!file->Icon().empty())
        return file->Icon();
    const std::u16string recordPath(HostProgramRecord::kDevicePath);
    const auto bytes = ReadDeviceFile(recordPath.c_str(), HostProgramRecord::kSizeLimit);
    if (!bytes)
        return {};
    const auto record = HostProgramRecord::FromText(std::string(bytes->begin(), bytes->end()));
    return record.IconFor(program.lexically_relative(DeviceRoot()).generic_string());
}

std::unique_ptr<HostIconIndex>& DefaultSlot() {
    static std::unique_ptr<HostIconIndex> index;
    return index;
}

} // namespace

namespace {

// A colon-separated list of folders from the environment, else `fallback`.
std::vector<fs::path> PathList(const char* variable, const char* fallback) {
    std::string dirs = fallback;
    if (const char* env = std::getenv(variable); env && *env)
        dirs = env;
    std::vector<fs::path> list;
    std::istringstream items(dirs);
    for (std::string dir; std::getline(items, dir, ':');)
        if (!dir.empty())
            list.emplace_back(dir);
    return list;
}

} // namespace

IconSearchPaths IconSearchPaths::FromEnvironment() {
    IconSearchPaths paths;
    const char* home = std::getenv("HOME");
    const fs::path homeDir = home && *home ? fs::path(home) : fs::path();
    if (!homeDir.empty())
        paths.iconHomes.push_back(homeDir / ".icons");
    if (const char* data = std::getenv("XDG_DATA_HOME"); data && *data)
        paths.dataDirs.emplace_back(data);
    else if (!homeDir.empty())
        paths.dataDirs.push_back(homeDir / ".local" / "share");
    for (auto& dir : PathList("XDG_DATA_DIRS", "/usr/local/share:/usr/share"))
        paths.dataDirs.push_back(std::move(dir));
    std::vector<fs::path> configs;
    if (const char* c = std::getenv("XDG_CONFIG_HOME"); c && *c)
        configs.emplace_back(c);
    else if (!homeDir.empty())
        configs.push_back(homeDir / ".config");
    for (auto& dir : PathList("XDG_CONFIG_DIRS", "/etc/xdg"))
        configs.push_back(std::move(dir));
    for (const auto& config : configs)
        for (const char* gtk : {"gtk-4.0", "gtk-3.0"})
            paths.themeSettings.push_back(config / gtk / "settings.ini");
    paths.desktopSettings = true;
    return paths;
}

HostIconIndex::HostIconIndex(IconSearchPaths paths) : paths_(std::move(paths)) {
    IconThemeLookup::Sources sources;
    sources.bases = paths_.iconHomes;
    for (const auto& dir : paths_.dataDirs)
        sources.bases.push_back(dir / "icons");
    for (const auto& dir : paths_.dataDirs)
        sources.pixmaps.push_back(dir / "pixmaps");
    sources.themes = paths_.themes;
    sources.settings = paths_.themeSettings;
    sources.desktopSettings = paths_.desktopSettings;
    themes_ = std::make_unique<IconThemeLookup>(std::move(sources));
}

void HostIconIndex::AddEntry(const fs::path& file, const std::string& id) {
    auto in = HostTextFile(file, 256u << 10);
    bool inEntry = false, application = true, hidden = false;
    std::string icon, exec, tryExec;
    int lines = 0;
    for (std::string line; std::getline(in, line) && ++lines < 2000;) {
        line = Trim(line);
        if (line.empty() || line[0] == '#')
            continue;
        if (line[0] == '[') {
            inEntry = line == "[Desktop Entry]";
            continue;
        }
        if (!inEntry)
            continue;
        const auto eq = line.find('=');
        if (eq == std::string::npos)
            continue;
        const auto key = Trim(line.substr(0, eq));
        const auto value = Trim(line.substr(eq + 1));
        if (key == "Icon")
            icon = value;
        else if (key == "Exec")
            exec = value;
        else if (key == "TryExec")
            tryExec = value;
        else if (key == "Type")
            application = value == "Application";
        else if (key == "Hidden")
            hidden = value == "true";
    }
    // The first entry with an id wins (user folders come first), even when
    // it hides the program or has no icon.
    const std::string idBase = Lower(id.substr(0, id.size() - 8));
    const bool fresh = byId_.emplace(idBase, hidden || !application ? "" : icon).second;
    if (!fresh || hidden || !application || icon.empty())
        return;
    for (const auto& program : {ExecProgram(exec), BaseName(tryExec)})
        if (!program.empty())
            byExec_.emplace(Lower(program), icon);
}

void HostIconIndex::BuildIndex() {
    indexed_ = true;
    for (const auto& dir : paths_.dataDirs) {
        const auto apps = dir / "applications";
        std::error_code ec;
        std::vector<fs::path> files;
        for (auto it = fs::recursive_directory_iterator(apps, ec);
             !ec && it != fs::recursive_directory_iterator(); it.increment(ec))
            if (it->path().extension() == ".desktop")
                files.push_back(it->path());
        std::sort(files.begin(), files.end());
        for (const auto& file : files) {
            // The desktop-file id: the path under applications/, '/' -> '-'.
            auto id = fs::relative(file, apps, ec).generic_string();
            std::replace(id.begin(), id.end(), '/', '-');
            AddEntry(file, id);
        }
    }
}

std::string HostIconIndex::IconNameFor(const std::string& programName) {
    if (!indexed_)
        BuildIndex();
    const auto key = Lower(programName);
    if (auto it = byId_.find(key); it != byId_.end() && !it->second.empty())
        return it->second;
    if (auto it = byExec_.find(key); it != byExec_.end())
        return it->second;
    return {};
}

std::optional<fs::path> HostIconIndex::FindIconFile(const std::string& name, int size) const {
    if (name.empty())
        return std::nullopt;
    std::error_code ec;
    if (name.front() == '/')
        return fs::is_regular_file(name, ec) ? std::optional<fs::path>(name) : std::nullopt;
    if (name.find('/') != std::string::npos || name.find("..") != std::string::npos)
        return std::nullopt;
    return themes_->Find(name, size);
}

void HostIconIndex::ForgetStalePictures() {
    themes_->RecheckWhenDue();
    if (themes_->Generation() == generation_)
        return;
    generation_ = themes_->Generation();
    pixels_.clear();
    programs_.clear();
}

const IconPicture* HostIconIndex::IconPixels(const std::string& iconName, int size) {
    auto key = std::make_pair(iconName, size);
    auto it = pixels_.find(key);
    if (it == pixels_.end()) {
        std::optional<IconPicture> pixels;
        if (auto file = FindIconFile(iconName, size))
            pixels = LoadIconFile(*file, size);
        it = pixels_.emplace(std::move(key), std::move(pixels)).first;
    }
    return it->second ? &*it->second : nullptr;
}

const IconPicture* HostIconIndex::ProgramIcon(const fs::path& program, int size) {
    ForgetStalePictures();
    auto known = programs_.find({program.string(), size});
    if (known != programs_.end())
        return known->second;
    const IconPicture* found = nullptr;
    // A host program file shows the icon of the application it starts.
    if (const auto icon = HostProgramIconName(program); !icon.empty())
        found = IconPixels(icon, size);

    std::vector<std::string> names;
    auto add = [&names](std::string n) {
        if (!n.empty() && std::find(names.begin(), names.end(), n) == names.end())
            names.push_back(std::move(n));
    };
    const auto own = program.filename().string();
    add(own);
    if (Lower(own).ends_with(".exe"))
        add(own.substr(0, own.size() - 4));
    std::error_code ec;
    fs::path link = program;
    for (int hops = 0; hops < 8 && fs::is_symlink(link, ec); ++hops) {
        auto target = fs::read_symlink(link, ec);
        if (ec)
            break;
        link = target.is_absolute() ? target : link.parent_path() / target;
        add(link.filename().string());
    }
    add(ScriptTarget(link));

    for (const auto& name : names) {
        if (found)
            break;
        const auto iconName = IconNameFor(name);
        if (!iconName.empty())
            found = IconPixels(iconName, size);
    }
    programs_.emplace(std::make_pair(program.string(), size), found);
    return found;
}

HostIconIndex& DefaultHostIconIndex() {
    auto& slot = DefaultSlot();
    if (!slot)
        slot = std::make_unique<HostIconIndex>(IconSearchPaths::FromEnvironment());
    return *slot;
}

void SetDefaultHostIconIndex(std::unique_ptr<HostIconIndex> index) {
    DefaultSlot() = std::move(index);
}

} // namespace zorun
