#include "platform/shell/IconTheme.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cstdlib>
#include <dirent.h>
#include <set>

#include "platform/kernel/FileSystem.h"

namespace zorun {

namespace fs = std::filesystem;

namespace {

// index.theme files are a few kilobytes; a far larger one is not a theme's.
constexpr std::size_t kIndexLimit = 1u << 20;
// Sizes beyond this are no icon sizes (and keep the arithmetic small).
constexpr int kLargestSize = 4096;

std::string_view Trim(std::string_view s) {
    const auto b = s.find_first_not_of(" \t\r");
    if (b == std::string_view::npos)
        return {};
    return s.substr(b, s.find_last_not_of(" \t\r") - b + 1);
}

std::optional<int> Number(std::string_view text, int least) {
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || value < least ||
        value > kLargestSize)
        return std::nullopt;
    return value;
}

// A comma-separated list, blanks trimmed, empty items dropped.
std::vector<std::string> List(std::string_view text) {
    std::vector<std::string> items;
    while (!text.empty()) {
        const auto comma = text.find(',');
        const auto item = Trim(text.substr(0, comma));
        if (!item.empty())
            items.emplace_back(item);
        if (comma == std::string_view::npos)
            break;
        text.remove_prefix(comma + 1);
    }
    return items;
}

// "32x32" gives 32, "32x32@2" 32 with scale 2.
std::optional<std::pair<int, int>> SizeFolderName(const std::string& name) {
    const auto x = name.find('x');
    const auto at = name.find('@');
    if (x == std::string::npos || x == 0)
        return std::nullopt;
    const auto size = Number(std::string_view(name).substr(0, x), 1);
    const auto other = Number(std::string_view(name).substr(x + 1, at - x - 1), 1);
    if (!size || !other || *size != *other)
        return std::nullopt;
    int scale = 1;
    if (at != std::string::npos) {
        const auto s = Number(std::string_view(name).substr(at + 1), 1);
        if (!s)
            return std::nullopt;
        scale = *s;
    }
    return std::make_pair(*size, scale);
}

std::vector<std::string> SubfolderNames(const fs::path& folder) {
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
        if (it->is_directory(ec) && it->path().filename().string()[0] != '.')
            names.push_back(it->path().filename().string());
    return names;
}

} // namespace

bool IconTheme::Directory::Matches(int want, int wantScale) const {
    if (scale != wantScale)
        return false;
    switch (kind) {
    case Kind::Fixed:
        return size == want;
    case Kind::Scalable:
        return minSize <= want && want <= maxSize;
    case Kind::Threshold:
        return size - threshold <= want && want <= size + threshold;
    }
    return false;
}

int IconTheme::Directory::Distance(int want, int wantScale) const {
    const int wanted = want * wantScale;
    int least = size, most = size;
    if (kind == Kind::Scalable) {
        least = minSize;
        most = maxSize;
    } else if (kind == Kind::Threshold) {
        least = size - threshold;
        most = size + threshold;
    }
    if (kind == Kind::Fixed)
        return std::abs(size * scale - wanted);
    if (wanted < least * scale)
        return least * scale - wanted;
    if (wanted > most * scale)
        return wanted - most * scale;
    return 0;
}

bool IconTheme::Changed() const {
    return std::any_of(stamps_.begin(), stamps_.end(),
                       [](const PathStamp& s) { return !s.Current(); });
}

void IconTheme::ReadIndex(const fs::path& file) {
    const auto bytes = ReadHostFilePrefix(file, kIndexLimit);
    if (!bytes)
        return;
    const std::string text(bytes->begin(), bytes->end());
    std::vector<std::string> folders;
    std::unordered_map<std::string, Directory> sections;
    std::string section;
    Directory* current = nullptr;
    bool themeSection = false;
    std::set<std::string> minSet, maxSet;
    for (std::size_t at = 0; at < text.size();) {
        const auto eol = text.find('\n', at);
        const auto line = Trim(std::string_view(text).substr(at, eol - at));
        at = eol == std::string::npos ? text.size() : eol + 1;
        if (line.empty() || line[0] == '#')
            continue;
        if (line.front() == '[' && line.back() == ']') {
            section = std::string(line.substr(1, line.size() - 2));
            themeSection = section == "Icon Theme";
            current = themeSection ? nullptr : &sections[section];
            if (current)
                current->path = section;
            continue;
        }
        const auto eq = line.find('=');
        if (eq == std::string_view::npos)
            continue;
        const auto key = Trim(line.substr(0, eq));
        const auto value = Trim(line.substr(eq + 1));
        if (themeSection) {
            if (key == "Inherits")
                parents_ = List(value);
            else if (key == "Directories" || key == "ScaledDirectories")
                for (auto& folder : List(value))
                    folders.push_back(std::move(folder));
            continue;
        }
        if (!current)
            continue;
        if (key == "Size") {
            current->size = Number(value, 1).value_or(0);
        } else if (key == "Scale") {
            current->scale = Number(value, 1).value_or(1);
        } else if (key == "MinSize") {
            current->minSize = Number(value, 1).value_or(0);
            minSet.insert(section);
        } else if (key == "MaxSize") {
            current->maxSize = Number(value, 1).value_or(0);
            maxSet.insert(section);
        } else if (key == "Threshold") {
            current->threshold = Number(value, 0).value_or(2);
        } else if (key == "Type") {
            current->kind = value == "Fixed"      ? Kind::Fixed
                            : value == "Scalable" ? Kind::Scalable
                                                  : Kind::Threshold;
        }
    }
    std::set<std::string> seen;
    for (const auto& folder : folders) {
        const auto it = sections.find(folder);
        // A folder without its section or its Size is no picture folder;
        // one that would climb out of the theme is refused.
        if (it == sections.end() || it->second.size == 0 || !seen.insert(folder).second ||
            folder.find("..") != std::string::npos || folder.front() == '/')
            continue;
        Directory d = it->second;
        if (!minSet.count(folder) || d.minSize == 0)
            d.minSize = d.size;
        if (!maxSet.count(folder) || d.maxSize == 0)
            d.maxSize = d.size;
        directories_.push_back(std::move(d));
    }
}

void IconTheme::GuessDirectories(const fs::path& themeFolder) {
    std::set<std::string> known;
    for (const auto& d : directories_)
        known.insert(d.path);
    const auto add = [&](const std::string& path, Directory d) {
        if (!known.insert(path).second)
            return;
        d.path = path;
        directories_.push_back(std::move(d));
    };
    auto tops = SubfolderNames(themeFolder);
    std::sort(tops.begin(), tops.end());
    for (const auto& top : tops) {
        Directory d;
        if (const auto size = SizeFolderName(top)) {
            d.size = d.minSize = d.maxSize = size->first;
            d.scale = size->second;
        } else if (top == "scalable") {
            d.kind = Kind::Scalable;
            d.size = 48;
            d.minSize = 1;
            d.maxSize = 512;
        } else {
            continue;
        }
        add(top, d);
        auto contexts = SubfolderNames(themeFolder / top);
        std::sort(contexts.begin(), contexts.end());
        for (const auto& context : contexts)
            add(top + "/" + context, d);
    }
}

void IconTheme::ListPictures() {
    // More folders or base folders than a Picture can count are not read.
    if (directories_.size() > UINT16_MAX)
        directories_.resize(UINT16_MAX);
    if (bases_.size() > UINT16_MAX)
        bases_.resize(UINT16_MAX);
    // Only folders that exist are stamped, with the folders above them: a
    // folder made later changes the stamp of the one it is made in. The
    // theme folder's own entries tell which of the (often hundreds of)
    // folders index.theme names can exist, without asking for each.
    std::vector<std::set<std::string>> tops(bases_.size());
    std::vector<std::set<std::string>> stamped(bases_.size());
    for (std::size_t b = 0; b < bases_.size(); ++b)
        for (auto& top : SubfolderNames(bases_[b] / name_))
            tops[b].insert(std::move(top));
    for (std::size_t d = 0; d < directories_.size(); ++d)
        for (std::size_t b = 0; b < bases_.size(); ++b) {
            const std::string& relative = directories_[d].path;
            if (!tops[b].count(relative.substr(0, relative.find('/'))))
                continue;
            const fs::path theme = bases_[b] / name_;
            bool exists = true;
            for (auto slash = relative.find('/'); exists && slash != std::string::npos;
                 slash = relative.find('/', slash + 1)) {
                const std::string above = relative.substr(0, slash);
                if (stamped[b].insert(above).second) {
                    stamps_.emplace_back(theme / above);
                    exists = stamps_.back().Exists();
                }
            }
            if (!exists || !stamped[b].insert(relative).second)
                continue;
            // Stamped before listing: a change while listing shows next time.
            stamps_.emplace_back(theme / relative);
            if (!stamps_.back().Exists())
                continue;
            DIR* dir = opendir((theme / relative).c_str());
            if (!dir)
                continue;
            while (const dirent* entry = readdir(dir)) {
                const std::string_view file = entry->d_name;
                if (file.size() <= 4 || file[0] == '.')
                    continue;
                const auto ext = file.substr(file.size() - 4);
                const bool svg = ext == ".svg";
                // XPM pictures are not read; PNG and SVG are what themes hold.
                if (!svg && ext != ".png")
                    continue;
                pictures_[std::string(file.substr(0, file.size() - 4))].push_back(
                    Picture{static_cast<std::uint16_t>(d), static_cast<std::uint16_t>(b), svg});
            }
            closedir(dir);
        }
}

std::optional<IconTheme> IconTheme::Load(const std::string& name,
                                         const std::vector<fs::path>& bases) {
    if (name.empty() || name.find('/') != std::string::npos || name == "." || name == "..")
        return std::nullopt;
    IconTheme theme;
    theme.name_ = name;
    theme.bases_ = bases;
    bool exists = false;
    std::optional<fs::path> index;
    for (const auto& base : bases) {
        theme.stamps_.emplace_back(base / name);
        if (!theme.stamps_.back().Exists())
            continue; // absent: its stamp tells when it appears
        exists = true;
        theme.stamps_.emplace_back(base / name / "index.theme");
        if (!index && theme.stamps_.back().Exists())
            index = base / name / "index.theme";
    }
    if (!exists)
        return std::nullopt;
    if (index) {
        theme.ReadIndex(*index);
    } else {
        for (const auto& base : bases)
            theme.GuessDirectories(base / name);
    }
    theme.ListPictures();
    return theme;
}

fs::path IconTheme::PathOf(const std::string& icon, const Picture& p) const {
    return bases_[p.base] / name_ / directories_[p.directory].path /
           (icon + (p.svg ? ".svg" : ".png"));
}

std::optional<fs::path> IconTheme::Find(const std::string& icon, int size, int scale) const {
    const auto it = pictures_.find(icon);
    if (it == pictures_.end())
        return std::nullopt;
    const Picture* svg = nullptr;
    for (const auto& p : it->second)
        if (directories_[p.directory].Matches(size, scale)) {
            if (!p.svg)
                return PathOf(icon, p);
            if (!svg)
                svg = &p;
        }
    if (svg)
        return PathOf(icon, *svg);
    // Else the nearest; of two as near, the larger (drawn smaller it loses
    // less than a smaller one drawn larger).
    const Picture* nearest = nullptr;
    int least = INT_MAX, largest = 0;
    for (const auto& p : it->second) {
        const Directory& d = directories_[p.directory];
        const int distance = d.Distance(size, scale);
        const int pixels = (d.kind == Kind::Scalable ? d.maxSize : d.size) * d.scale;
        if (distance < least || (distance == least && pixels > largest)) {
            least = distance;
            largest = pixels;
            nearest = &p;
        }
    }
    return PathOf(icon, *nearest);
}

} // namespace zorun
