#include "platform/shell/IconThemeLookup.h"

#include <algorithm>

#include "platform/kernel/FileSystem.h"

namespace zorun {

namespace fs = std::filesystem;

namespace {

constexpr const char* kHicolor = "hicolor";
// Inherits chains are short; a longer one is cut here.
constexpr std::size_t kMostThemes = 64;

std::string_view Trim(std::string_view s) {
    const auto b = s.find_first_not_of(" \t\r");
    if (b == std::string_view::npos)
        return {};
    return s.substr(b, s.find_last_not_of(" \t\r") - b + 1);
}

// gtk-icon-theme-name of a settings.ini ([Settings] section); quotes, which
// some tools write, are taken off.
std::string ThemeFromSettings(const fs::path& file) {
    const auto bytes = ReadHostFilePrefix(file, 64 * 1024);
    if (!bytes)
        return {};
    const std::string text(bytes->begin(), bytes->end());
    bool settings = false;
    for (std::size_t at = 0; at < text.size();) {
        const auto eol = text.find('\n', at);
        const auto line = Trim(std::string_view(text).substr(at, eol - at));
        at = eol == std::string::npos ? text.size() : eol + 1;
        if (!line.empty() && line.front() == '[') {
            settings = line == "[Settings]";
            continue;
        }
        const auto eq = line.find('=');
        if (!settings || eq == std::string_view::npos ||
            Trim(line.substr(0, eq)) != "gtk-icon-theme-name")
            continue;
        auto value = Trim(line.substr(eq + 1));
        if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
            value.back() == value.front())
            value = value.substr(1, value.size() - 2);
        return std::string(value);
    }
    return {};
}

} // namespace

IconThemeLookup::IconThemeLookup(Sources sources) : sources_(std::move(sources)) {}

std::vector<std::string> IconThemeLookup::UserThemes() {
    if (!sources_.themes.empty())
        return sources_.themes;
    desktop_.reset();
    if (sources_.desktopSettings)
        desktop_ = ReadDesktopIconTheme();
    if (desktop_ && !desktop_->chosen.empty())
        return {desktop_->chosen};
    for (const auto& file : sources_.settings) {
        stamps_.emplace_back(file);
        if (auto theme = ThemeFromSettings(file); !theme.empty())
            return {theme};
    }
    if (desktop_ && !desktop_->standard.empty())
        return {desktop_->standard};
    return {};
}

void IconThemeLookup::Visit(const std::string& name, std::vector<std::string>& visited) {
    if (chain_.size() >= kMostThemes || name == kHicolor ||
        std::find(chain_.begin(), chain_.end(), name) != chain_.end() ||
        std::find(visited.begin(), visited.end(), name) != visited.end())
        return;
    visited.push_back(name);
    auto theme = IconTheme::Load(name, sources_.bases);
    ++loads_;
    if (!theme) {
        // Remember where it would be, so that a theme installed later is seen.
        for (const auto& base : sources_.bases)
            stamps_.emplace_back(base / name);
        return;
    }
    chain_.push_back(name);
    const auto parents = theme->Parents();
    themes_.emplace(name, std::move(*theme));
    for (const auto& parent : parents)
        Visit(parent, visited);
}

void IconThemeLookup::BuildChain() {
    built_ = true;
    chain_.clear();
    themes_.clear();
    stamps_.clear();
    std::vector<std::string> visited;
    for (const auto& name : UserThemes())
        Visit(name, visited);
    // hicolor comes last, whoever inherits it.
    if (auto hicolor = IconTheme::Load(kHicolor, sources_.bases)) {
        ++loads_;
        chain_.emplace_back(kHicolor);
        themes_.emplace(kHicolor, std::move(*hicolor));
    } else {
        for (const auto& base : sources_.bases)
            stamps_.emplace_back(base / kHicolor);
    }
    checked_ = std::chrono::steady_clock::now();
}

bool IconThemeLookup::Recheck() {
    checked_ = std::chrono::steady_clock::now();
    if (!built_)
        return false;
    const bool changed =
        std::any_of(stamps_.begin(), stamps_.end(),
                    [](const PathStamp& s) { return !s.Current(); }) ||
        std::any_of(themes_.begin(), themes_.end(),
                    [](const auto& entry) { return entry.second.Changed(); }) ||
        (sources_.desktopSettings && sources_.themes.empty() && ReadDesktopIconTheme() != desktop_);
    if (!changed)
        return false;
    built_ = false;
    chain_.clear();
    themes_.clear();
    stamps_.clear();
    ++generation_;
    return true;
}

void IconThemeLookup::RecheckWhenDue() {
    if (built_ && std::chrono::steady_clock::now() - checked_ >= interval_)
        Recheck();
}

const std::vector<std::string>& IconThemeLookup::Chain() {
    RecheckWhenDue();
    if (!built_)
        BuildChain();
    return chain_;
}

std::optional<fs::path> IconThemeLookup::Find(const std::string& icon, int size, int scale) {
    if (icon.empty() || icon.find('/') != std::string::npos || size <= 0 || scale <= 0)
        return std::nullopt;
    for (const auto& name : Chain())
        if (auto file = themes_.at(name).Find(icon, size, scale))
            return file;
    std::error_code ec;
    for (const auto& folder : sources_.pixmaps)
        for (const char* ext : {".png", ".svg"})
            if (const auto file = folder / (icon + ext); fs::is_regular_file(file, ec))
                return file;
    return std::nullopt;
}

} // namespace zorun
