#pragma once
// Icons of host programs, found the freedesktop way: the desktop entries
// (*.desktop under <data dir>/applications) say which icon a program has,
// the icon themes (the user's GTK theme, then hicolor) and the pixmaps
// folders hold the pictures. The entries are indexed once; each icon asked
// for is looked up once and its pixels kept, so later answers cost a copy.

#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/shell/IconImage.h"

namespace zorun {

struct IconSearchPaths {
    // Data folders in priority order (the user's first): each may hold
    // applications/, icons/ and pixmaps/.
    std::vector<std::filesystem::path> dataDirs;
    // Themes in priority order; "hicolor" is always searched last.
    std::vector<std::string> themes;

    // From $XDG_DATA_HOME (~/.local/share), $XDG_DATA_DIRS (/usr/local/share
    // and /usr/share), ~/.icons and ~/.config/gtk-3.0/settings.ini.
    [[nodiscard]] static IconSearchPaths FromEnvironment();
};

class HostIconIndex {
  public:
    explicit HostIconIndex(IconSearchPaths paths);

    // The icon of the host program behind `program` (a host file): the icon
    // a host program file names or was found for it at provisioning, else by
    // its own name, the program a symbolic link points to, or the program a
    // small launcher script hands over to with exec. nullptr when none is found.
    [[nodiscard]] const IconPicture* ProgramIcon(const std::filesystem::path& program, int size);

    // The icon file for an icon name (an absolute path is taken as it is).
    [[nodiscard]] std::optional<std::filesystem::path> FindIconFile(const std::string& name,
                                                                    int size) const;

    // The Icon= value of the entry for a program name; empty when none.
    [[nodiscard]] std::string IconNameFor(const std::string& programName);

  private:
    void BuildIndex();
    [[nodiscard]] const IconPicture* IconPixels(const std::string& iconName, int size);
    void AddEntry(const std::filesystem::path& file, const std::string& id);

    IconSearchPaths paths_;
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
