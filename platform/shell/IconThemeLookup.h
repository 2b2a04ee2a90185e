#pragma once
// Icon names to picture files by the freedesktop.org icon theme rules: the
// user's theme, then the themes it inherits (depth first, each once), then
// hicolor, then the pixmaps folders. Themes are loaded (their folders listed)
// once, when first needed; afterwards a lookup costs a hash lookup per theme.
//
// The user's theme is found as GTK finds it on a desktop: a theme the user
// chose in GNOME's settings (GSettings, which GNOME's settings daemon hands
// to GTK programs over whatever settings.ini says), else the one GTK's
// settings.ini names (gtk-icon-theme-name, which desktop settings tools
// write and GTK reads without a daemon), else GNOME's standard theme when
// its settings schema is installed; without any, hicolor alone is searched. At most every few
// seconds a lookup checks the identities of what was read (the settings
// files, index.theme files and picture folders) and starts afresh when
// anything changed, so a theme installed, removed or chosen later is used.

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/shell/DesktopIconTheme.h"
#include "platform/shell/IconTheme.h"
#include "platform/shell/PathStamp.h"

namespace zorun {

class IconThemeLookup {
  public:
    struct Sources {
        // Base folders of themes in priority order (~/.icons, <data>/icons).
        std::vector<std::filesystem::path> bases;
        // Folders of plain pictures searched after every theme.
        std::vector<std::filesystem::path> pixmaps;
        // The user's themes when given directly (tests, a chosen theme);
        // otherwise read from `settings`.
        std::vector<std::string> themes;
        // settings.ini files in priority order; the first naming a theme wins.
        std::vector<std::filesystem::path> settings;
        // Whether GNOME's settings are asked too (ReadDesktopIconTheme).
        bool desktopSettings = false;
    };

    explicit IconThemeLookup(Sources sources);

    // The picture file for `icon` at `size` (device pixels at `scale` 1).
    [[nodiscard]] std::optional<std::filesystem::path> Find(const std::string& icon, int size,
                                                            int scale = 1);

    // The themes searched, in order (hicolor last).
    [[nodiscard]] const std::vector<std::string>& Chain();

    // Checks now whether anything read has changed; true when it had and the
    // lookup starts afresh. Lookups do this themselves every RecheckInterval.
    bool Recheck();
    // Rechecks when the last check is RecheckInterval ago (and nothing
    // before the themes are first loaded).
    void RecheckWhenDue();
    // A number that grows with every fresh start (for the callers' caches).
    [[nodiscard]] std::uint64_t Generation() const { return generation_; }
    // How many themes were loaded so far (for tests and benchmarks).
    [[nodiscard]] std::uint64_t Loads() const { return loads_; }
    void SetRecheckInterval(std::chrono::milliseconds interval) { interval_ = interval; }

  private:
    [[nodiscard]] std::vector<std::string> UserThemes();
    void BuildChain();
    void Visit(const std::string& name, std::vector<std::string>& visited);

    Sources sources_;
    bool built_ = false;
    std::vector<std::string> chain_;
    std::map<std::string, IconTheme> themes_;
    std::vector<PathStamp> stamps_;           // settings files and the folders of missing themes
    std::optional<DesktopIconTheme> desktop_; // GNOME's settings as last read
    std::chrono::milliseconds interval_{5000};
    std::chrono::steady_clock::time_point checked_{};
    std::uint64_t generation_ = 0;
    std::uint64_t loads_ = 0;
};

} // namespace zorun
