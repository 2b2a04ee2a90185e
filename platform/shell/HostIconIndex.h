#pragma once
// Icons of host programs, found the freedesktop way: the desktop entries
// (*.desktop under <data dir>/applications) say which icon a program has;
// the icon themes (the user's theme and those it inherits, hicolor last) and
// the pixmaps folders hold the pictures (IconThemeLookup). The entries are
// indexed once; each icon asked for is looked up once and its pixels kept,
// so later answers cost a copy, until the themes change.

#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/shell/IconImage.h"
#include "platform/shell/IconThemeLookup.h"

namespace zorun {

struct IconSearchPaths {
    // Data folders in priority order (the user's first): each may hold
    // applications/, icons/ and pixmaps/.
    std::vector<std::filesystem::path> dataDirs;
    // The user's themes in priority order, when given directly; otherwise
    // the theme is read from `themeSettings`. hicolor is always searched last.
    std::vector<std::string> themes;
    // Theme folders searched before the data folders' icons/ (~/.icons).
    std::vector<std::filesystem::path> iconHomes = {};
    // GTK settings.ini files that may name the user's icon theme.
    std::vector<std::filesystem::path> themeSettings = {};
    // Whether GNOME's settings may name it too (GSettings).
    bool desktopSettings = false;

    // From $HOME (~/.icons), $XDG_DATA_HOME (~/.local/share), $XDG_DATA_DIRS
    // (/usr/local/share and /usr/share), and the settings.ini of GTK 4 and 3
    // in $XDG_CONFIG_HOME (~/.config) and $XDG_CONFIG_DIRS (/etc/xdg), and
    // GNOME's settings.
    [[nodiscard]] static IconSearchPaths FromEnvironment();
};

class HostIconIndex {
  public:
    explicit HostIconIndex(IconSearchPaths paths);

    // The icon of the host program behind `program` (a host file): the icon
    // a host program file names or was found for it at provisioning, else by
    // its own name, the program a symbolic link points to, or the program a
    // small launcher script hands over to with exec. nullptr when none is found.
    // The picture stays valid until the next call.
    [[nodiscard]] const IconPicture* ProgramIcon(const std::filesystem::path& program, int size);

    // The icon file for an icon name at `size` (an absolute path is taken
    // as it is).
    [[nodiscard]] std::optional<std::filesystem::path> FindIconFile(const std::string& name,
                                                                    int size) const;

    // The theme lookup behind FindIconFile.
    [[nodiscard]] IconThemeLookup& Themes() const { return *themes_; }

    // The Icon= value of the entry for a program name; empty when none.
    [[nodiscard]] std::string IconNameFor(const std::string& programName);

  private:
    void BuildIndex();
    [[nodiscard]] const IconPicture* IconPixels(const std::string& iconName, int size);
    void AddEntry(const std::filesystem::path& file, const std::string& id);

    // Drops the pictures kept when the themes have changed since.
    void ForgetStalePictures();

    IconSearchPaths paths_;
    std::unique_ptr<IconThemeLookup> themes_;
    std::uint64_t generation_ = 0;
    bool indexed_ = false;
    std::map<std::string, std::string> byId_;   // desktop-file id base -> Icon
    std::map<std::string, std::string> byExec_; // program basename -> Icon
    std::map<std::pair<std::string, int>, std::optional<IconPicture>> pixels_;
    std::map<std::pair<std::string, int>, const IconPicture*> programs_;
};

// The index the platform uses (built from the environment on first use).
[[nodiscard]] HostIconIndex& DefaultHostIconIndex();
// Replaces it (tests); nullptr goes back to the environment's.
void SetDefaultHostIconIndex(std::unique_ptr<HostIconIndex> index);

} // namespace zorun
