#include "platform/gdi/FontChoiceCache.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <fstream>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace zorun::gdi {

namespace {

namespace fs = std::filesystem;

constexpr std::string_view kHeader = "zorun font choices 1";
constexpr std::size_t kLargestFile = 1 << 20;
constexpr int kFields = 13;
// Font folders are walked for their subfolders' identities; a tree larger
// than this is cut short (the stamp then covers its first part).
constexpr int kMostFolders = 2000;

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

fs::path HomeOr(const char* variable, const char* underHome) {
    std::string value = Environment(variable);
    if (!value.empty())
        return value;
    return fs::path(Environment("HOME")) / underHome;
}

void AddIdentity(std::string& stamp, const fs::path& path) {
    struct stat info {};
    stamp += path.string();
    if (::stat(path.c_str(), &info) != 0) {
        stamp += " -\n";
        return;
    }
    stamp += ' ' + std::to_string(info.st_dev) + ' ' + std::to_string(info.st_ino) + ' ' +
             std::to_string(info.st_size) + ' ' + std::to_string(info.st_mtim.tv_sec) + '.' +
             std::to_string(info.st_mtim.tv_nsec) + '\n';
}

// The folder and every folder below it (a font added to a subfolder changes
// only that subfolder's time).
void AddTree(std::string& stamp, const fs::path& folder, int& budget) {
    if (budget-- <= 0)
        return;
    AddIdentity(stamp, folder);
    DIR* dir = ::opendir(folder.c_str());
    if (!dir)
        return;
    std::vector<std::string> subfolders;
    while (const dirent* e = ::readdir(dir)) {
        if (e->d_name[0] == '.')
            continue;
        if (e->d_type == DT_DIR || e->d_type == DT_LNK || e->d_type == DT_UNKNOWN) {
            struct stat info {};
            const fs::path child = folder / e->d_name;
            if (::stat(child.c_str(), &info) == 0 && S_ISDIR(info.st_mode))
                subfolders.push_back(e->d_name);
        }
    }
    ::closedir(dir);
    std::sort(subfolders.begin(), subfolders.end());
    for (const auto& name : subfolders)
        AddTree(stamp, folder / name, budget);
}

// Every file of a configuration folder (conf.d): one edited in place changes
// its own time, not the folder's.
void AddFolderFiles(std::string& stamp, const fs::path& folder) {
    AddIdentity(stamp, folder);
    DIR* dir = ::opendir(folder.c_str());
    if (!dir)
        return;
    std::vector<std::string> names;
    while (const dirent* e = ::readdir(dir))
        if (e->d_name[0] != '.')
            names.push_back(e->d_name);
    ::closedir(dir);
    std::sort(names.begin(), names.end());
    for (const auto& name : names)
        AddIdentity(stamp, folder / name);
}

std::uint64_t Fnv1a(std::string_view text) {
    std::uint64_t hash = 14695981039346656037ull;
    for (unsigned char c : text) {
        hash ^= c;
        hash *= 1099511628211ull;
    }
    return hash;
}

bool Plain(const std::string& text) {
    return text.find_first_of("\t\n\r") == std::string::npos;
}

template <typename Number> bool ParseNumber(std::string_view text, Number& value) {
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc() && end == text.data() + text.size() && !text.empty();
}

std::vector<std::string_view> Split(std::string_view line) {
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    for (;;) {
        const auto tab = line.find('\t', start);
        fields.push_back(line.substr(start, tab == std::string_view::npos ? tab : tab - start));
        if (tab == std::string_view::npos)
            return fields;
        start = tab + 1;
    }
}

std::optional<std::string> ReadBounded(const fs::path& file) {
    // Non-blocking: a FIFO put there cannot hang the start.
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return std::nullopt;
    struct stat info {};
    std::optional<std::string> text;
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) &&
        static_cast<std::size_t>(info.st_size) <= kLargestFile) {
        std::string bytes(static_cast<std::size_t>(info.st_size), '\0');
        std::size_t used = 0;
        while (used < bytes.size()) {
            const ssize_t got = ::read(fd, bytes.data() + used, bytes.size() - used);
            if (got <= 0)
                break;
            used += static_cast<std::size_t>(got);
        }
        if (used == bytes.size())
            text = std::move(bytes);
    }
    ::close(fd);
    return text;
}

} // namespace

std::string FontChoiceCache::CurrentStamp() {
    std::string stamp;
    for (const char* name :
         {"FONTCONFIG_FILE", "FONTCONFIG_PATH", "FONTCONFIG_SYSROOT", "FC_LANG", "LC_ALL",
          "LC_CTYPE", "LANG", "HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME", "XDG_DATA_HOME"})
        stamp += std::string(name) + '=' + Environment(name) + '\n';

    const fs::path home = Environment("HOME");
    const fs::path configHome = HomeOr("XDG_CONFIG_HOME", ".config") / "fontconfig";
    const std::string file = Environment("FONTCONFIG_FILE");
    const std::string path = Environment("FONTCONFIG_PATH");
    AddIdentity(stamp, file.empty() ? fs::path("/etc/fonts/fonts.conf") : fs::path(file));
    AddFolderFiles(stamp, path.empty() ? fs::path("/etc/fonts/conf.d") : fs::path(path) / "conf.d");
    AddIdentity(stamp, configHome / "fonts.conf");
    AddFolderFiles(stamp, configHome / "conf.d");
    AddIdentity(stamp, home / ".fonts.conf");
    AddFolderFiles(stamp, home / ".fonts.conf.d");
    // fc-cache rewrites these when fonts are installed or removed.
    AddFolderFiles(stamp, "/var/cache/fontconfig");
    AddFolderFiles(stamp, HomeOr("XDG_CACHE_HOME", ".cache") / "fontconfig");
    int budget = kMostFolders;
    for (const fs::path& folder :
         {fs::path("/usr/share/fonts"), fs::path("/usr/local/share/fonts"),
          HomeOr("XDG_DATA_HOME", ".local/share") / "fonts", home / ".fonts"})
        AddTree(stamp, folder, budget);

    char hex[17];
    std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(Fnv1a(stamp)));
    return hex;
}

std::string FontChoiceCache::Key(char kind, const std::string& family, bool bold, bool italic,
                                 char32_t codePoint) {
    return std::string(1, kind) + '\t' + (bold ? '1' : '0') + '\t' + (italic ? '1' : '0') + '\t' +
           std::to_string(static_cast<std::uint32_t>(codePoint)) + '\t' + family;
}

FontChoiceCache FontChoiceCache::Load(const fs::path& file, const std::string& stamp) {
    FontChoiceCache cache;
    auto text = ReadBounded(file);
    if (!text)
        return cache;
    std::string_view rest = *text;
    auto nextLine = [&rest]() -> std::optional<std::string_view> {
        const auto end = rest.find('\n');
        if (end == std::string_view::npos)
            return std::nullopt; // every line ends: a cut-off file is refused
        std::string_view line = rest.substr(0, end);
        rest.remove_prefix(end + 1);
        return line;
    };
    if (nextLine() != kHeader || nextLine() != stamp)
        return cache;
    FontChoiceCache read;
    while (!rest.empty()) {
        auto line = nextLine();
        if (!line)
            return cache;
        const auto f = Split(*line);
        if (f.size() != kFields || f[0].size() != 1 || (f[0] != "F" && f[0] != "G") ||
            (f[1] != "0" && f[1] != "1") || (f[2] != "0" && f[2] != "1") ||
            (f[5] != "0" && f[5] != "1"))
            return cache;
        std::uint32_t codePoint = 0;
        if (!ParseNumber(f[3], codePoint) || codePoint > 0x10FFFF)
            return cache;
        std::optional<FaceChoice> choice;
        if (f[5] == "1") {
            FaceChoice c;
            c.path = f[6];
            c.family = f[8];
            if (c.path.empty() || !ParseNumber(f[7], c.index) || !ParseNumber(f[9], c.weight) ||
                !ParseNumber(f[10], c.slant) || !ParseNumber(f[11], c.size) ||
                !ParseNumber(f[12], c.modifiedNs))
                return cache;
            choice = std::move(c);
        } else if (f[0] == "F") {
            return cache; // a request always has a face
        }
        read.entries_[Key(f[0][0], std::string(f[4]), f[1] == "1", f[2] == "1", codePoint)] =
            std::move(choice);
    }
    // Only a file read to its end counts.
    return read;
}

bool FontChoiceCache::Save(const fs::path& file, const std::string& stamp) const {
    std::string text = std::string(kHeader) + '\n' + stamp + '\n';
    for (const auto& [key, choice] : entries_) {
        text += key;
        if (choice) {
            text += "\t1\t" + choice->path + '\t' + std::to_string(choice->index) + '\t' +
                    choice->family + '\t' + std::to_string(choice->weight) + '\t' +
                    std::to_string(choice->slant) + '\t' + std::to_string(choice->size) + '\t' +
                    std::to_string(choice->modifiedNs) + '\n';
        } else {
            text += "\t0\t\t\t\t\t\t\t\n";
        }
    }
    std::error_code ec;
    fs::create_directories(file.parent_path(), ec);
    const fs::path temporary = file.string() + ".new-" + std::to_string(::getpid());
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out << text;
        if (!out.flush()) {
            fs::remove(temporary, ec);
            return false;
        }
    }
    fs::rename(temporary, file, ec);
    if (ec)
        fs::remove(temporary, ec);
    return !ec;
}

bool FontChoiceCache::Identify(FaceChoice& choice) {
    struct stat info {};
    if (::stat(choice.path.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
        return false;
    choice.size = static_cast<std::int64_t>(info.st_size);
    choice.modifiedNs =
        static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1000000000LL + info.st_mtim.tv_nsec;
    return true;
}

std::optional<std::optional<FaceChoice>> FontChoiceCache::Find(const std::string& key) const {
    auto it = entries_.find(key);
    if (it == entries_.end())
        return std::nullopt;
    if (!it->second)
        return std::optional<FaceChoice>{};
    // The font file must be the one that was chosen.
    FaceChoice now = *it->second;
    if (!Identify(now) || now.size != it->second->size || now.modifiedNs != it->second->modifiedNs)
        return std::nullopt;
    return it->second;
}

std::optional<FaceChoice> FontChoiceCache::Face(const std::string& family, bool bold,
                                                bool italic) const {
    auto found = Find(Key('F', family, bold, italic, 0));
    return found ? *found : std::nullopt;
}

void FontChoiceCache::SetFace(const std::string& family, bool bold, bool italic,
                              FaceChoice choice) {
    // Names the file's lines cannot hold are simply not kept.
    if (!Plain(family) || !Plain(choice.path) || !Plain(choice.family) || !Identify(choice))
        return;
    entries_[Key('F', family, bold, italic, 0)] = std::move(choice);
    changed_ = true;
}

std::optional<std::optional<FaceChoice>> FontChoiceCache::Fallback(const std::string& family,
                                                                   bool bold, bool italic,
                                                                   char32_t codePoint) const {
    return Find(Key('G', family, bold, italic, codePoint));
}

void FontChoiceCache::SetFallback(const std::string& family, bool bold, bool italic,
                                  char32_t codePoint, std::optional<FaceChoice> choice) {
    if (!Plain(family) ||
        (choice && (!Plain(choice->path) || !Plain(choice->family) || !Identify(*choice))))
        return;
    entries_[Key('G', family, bold, italic, codePoint)] = std::move(choice);
    changed_ = true;
}

} // namespace zorun::gdi
