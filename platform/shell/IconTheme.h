#pragma once
// One icon theme of the freedesktop.org icon theme rules: its index.theme
// (the first found among the base folders: the folders it names, each with
// Size, Scale, Type Fixed, Scalable or Threshold, MinSize, MaxSize and
// Threshold; the themes it inherits) and the names of the pictures in those
// folders under every base folder, listed once when the theme is loaded.
//
// A theme folder without index.theme is taken by its folder names ("32x32",
// "32x32@2", "scalable" and their subfolders), as a careless install leaves it.
//
// What was read is remembered by identity (PathStamp), so
// that Changed() tells cheaply whether the theme must be loaded again.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/shell/PathStamp.h"

namespace zorun {

class IconTheme {
  public:
    enum class Kind { Fixed, Scalable, Threshold };
    struct Directory {
        std::string path; // relative to the theme folder
        int size = 0;
        int scale = 1;
        Kind kind = Kind::Threshold;
        int minSize = 0;
        int maxSize = 0;
        int threshold = 2;

        // Whether pictures of this folder are meant for `size` at `scale`.
        [[nodiscard]] bool Matches(int size, int scale) const;
        // How far its pictures are from `size` at `scale`, in device pixels.
        [[nodiscard]] int Distance(int size, int scale) const;
    };

    // Loads the theme `name` from the base folders (in priority order);
    // nothing when no base folder holds a folder of that name.
    [[nodiscard]] static std::optional<IconTheme>
    Load(const std::string& name, const std::vector<std::filesystem::path>& bases);

    [[nodiscard]] const std::string& Name() const { return name_; }
    // The themes named by Inherits, in order.
    [[nodiscard]] const std::vector<std::string>& Parents() const { return parents_; }
    [[nodiscard]] const std::vector<Directory>& Directories() const { return directories_; }

    // The picture of `icon` for `size` at `scale` in this theme alone: from a
    // folder meant for the size (a bitmap before an SVG), else the nearest;
    // nothing when the theme has no picture of that name.
    [[nodiscard]] std::optional<std::filesystem::path> Find(const std::string& icon, int size,
                                                            int scale) const;

    // Whether index.theme, a theme folder or one of its picture folders has
    // changed, appeared or gone since the theme was loaded.
    [[nodiscard]] bool Changed() const;

  private:
    // A picture found: its folder, base folder and whether it is an SVG.
    struct Picture {
        std::uint16_t directory;
        std::uint16_t base;
        bool svg;
    };

    void ReadIndex(const std::filesystem::path& file);
    void GuessDirectories(const std::filesystem::path& themeFolder);
    void ListPictures();
    [[nodiscard]] std::filesystem::path PathOf(const std::string& icon, const Picture& p) const;

    std::string name_;
    std::vector<std::filesystem::path> bases_;
    std::vector<std::string> parents_;
    std::vector<Directory> directories_;
    std::unordered_map<std::string, std::vector<Picture>> pictures_;
    std::vector<PathStamp> stamps_;
};

} // namespace zorun
