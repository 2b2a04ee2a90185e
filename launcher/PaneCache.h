#pragma once
// What the launcher pane keeps between paints, so that a paint with nothing
// changed is one copy and a page turn draws from decoded pictures: the
// off-screen canvas and what was last composed on it, the frame and tab
// pictures, each background picture tiled over the shortcut area, each
// shortcut's icon, and the label fonts.
//
// Kept things are dropped by what changes them: a background or an icon is
// read again once a folder holding a file it came from (the picture, a
// shortcut file, the icon file it names, the program) reports a change
// through inotify; the composition is redone when anything it was drawn
// from differs (the catalogue's change stamp, the view's state, the
// ClearType setting, the size) or one of its files changed.

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "launcher/CZorunViewLayout.h"
#include "platform/gdi/WinGdi.h"
#include "platform/kernel/FolderWatch.h"

// Everything a composition of the pane is drawn from, besides files.
struct PaneState {
    std::uint64_t catalogueStamp = 0;
    int groupCount = 0;
    int firstGroup = 0;
    int currentTab = 0;
    int currentGroup = 0;
    int firstItem = 0;
    int selectedItem = 0;
    bool clearType = false;
    SIZE size{};
    std::array<ViewLayout::CaptionBuffer, 6> captions{};

    bool operator==(const PaneState& o) const {
        return catalogueStamp == o.catalogueStamp && groupCount == o.groupCount &&
               firstGroup == o.firstGroup && currentTab == o.currentTab &&
               currentGroup == o.currentGroup && firstItem == o.firstItem &&
               selectedItem == o.selectedItem && clearType == o.clearType && size.cx == o.size.cx &&
               size.cy == o.size.cy && captions == o.captions;
    }
};

class PaneCache {
  public:
    PaneCache();
    ~PaneCache();
    PaneCache(const PaneCache&) = delete;
    PaneCache& operator=(const PaneCache&) = delete;

    // Call first in every paint: takes in what changed on disk since.
    void BeginPaint();

    // The memory DC holding the kept canvas of `size`, compatible with
    // `paintDC`; a new, blank one when the size changed.
    [[nodiscard]] HDC Canvas(HDC paintDC, SIZE size);
    // True when the canvas already shows the composition of `state` and
    // none of the files it was drawn from changed.
    [[nodiscard]] bool Shows(const PaneState& state);
    // The composition of `state` is on the canvas now, drawn from the
    // background and icons asked for since the last call.
    void Composed(const PaneState& state);
    // The canvas no longer shows a known composition.
    void Forget();

    // Picture `number` of the program's resources, loaded once.
    [[nodiscard]] HBITMAP Picture(int number);
    // The background picture at `path` tiled over the shortcut area (a
    // bitmap of the area's size), or nullptr when there is none to draw.
    [[nodiscard]] HBITMAP Background(const std::u16string& path);
    // The icon of a shortcut (ResolveShortcutIcon), kept by the cache.
    [[nodiscard]] HICON Icon(const std::u16string& target, const std::u16string& iconReference);
    // A ClearType font of height 15 and `weight`, kept by the cache.
    [[nodiscard]] HFONT ClearTypeFont(LONG weight);

  private:
    // A host folder and its version when something was read from it.
    using Source = std::pair<std::string, std::uint64_t>;
    struct Kept {
        HBITMAP bitmap = nullptr;
        HICON icon = nullptr;
        std::vector<Source> sources;
    };

    [[nodiscard]] bool Unchanged(const std::vector<Source>& sources);
    // The folders the device files at `paths` live in, with their versions.
    [[nodiscard]] std::vector<Source> SourcesOf(const std::vector<std::u16string>& paths);
    void Used(const std::vector<Source>& sources);
    static void Release(Kept& kept);

    zorun::FolderWatch watch_;
    HDC canvasDC_ = nullptr;
    HBITMAP canvas_ = nullptr;
    HGDIOBJ oldCanvas_ = nullptr;
    SIZE canvasSize_{};
    bool composed_ = false;
    PaneState state_;
    std::vector<Source> composedSources_;
    std::vector<Source> pendingSources_;

    std::map<int, HBITMAP> pictures_;
    std::map<std::u16string, Kept> backgrounds_;
    std::map<std::pair<std::u16string, std::u16string>, Kept> icons_;
    std::map<LONG, HFONT> fonts_;
};
