#include "launcher/PaneCache.h"

#include "catalogue/IconResolver.h"
#include "launcher/PictureLoader.h"
#include "platform/kernel/DevicePath.h"

namespace {

// Beyond this many kept icons or backgrounds, those not on the pane now
// are let go (a catalogue of many groups is paged through one at a time).
constexpr std::size_t kKeptIcons = 96;
constexpr std::size_t kKeptBackgrounds = 8;

// Tiles `picture` over the shortcut area, as the pane shows it: rows from
// the top, each tile from the left, cut at the area's right and bottom.
HBITMAP TileOverArea(HDC compatible, HBITMAP picture) {
    BITMAP info{};
    GetObjectW(picture, sizeof info, &info);
    const int tileWidth = info.bmWidth;
    const int tileHeight = info.bmHeight < 0 ? -info.bmHeight : info.bmHeight;
    if (tileWidth <= 0 || tileHeight <= 0)
        return nullptr;
    const RECT area = ViewLayout::kShortcutArea;
    HDC areaDC = CreateCompatibleDC(compatible);
    HBITMAP tiled = CreateCompatibleBitmap(compatible, area.Width(), area.Height());
    HGDIOBJ oldArea = SelectObject(areaDC, tiled);
    HDC pictureDC = CreateCompatibleDC(compatible);
    HGDIOBJ oldPicture = SelectObject(pictureDC, picture);
    for (int y = area.top; y < area.bottom + 1; y += tileHeight) {
        const int height = y + tileHeight >= area.bottom ? area.bottom - y : tileHeight;
        for (int x = area.left;; x += tileWidth) {
            if (x + tileWidth >= area.right) {
                BitBlt(areaDC, x - area.left, y - area.top, area.right - x, height, pictureDC, 0, 0,
                       SRCCOPY);
                break;
            }
            BitBlt(areaDC, x - area.left, y - area.top, tileWidth, height, pictureDC, 0, 0,
                   SRCCOPY);
        }
    }
    SelectObject(pictureDC, oldPicture);
    DeleteDC(pictureDC);
    SelectObject(areaDC, oldArea);
    DeleteDC(areaDC);
    return tiled;
}

} // namespace

PaneCache::PaneCache() = default;

PaneCache::~PaneCache() {
    Forget();
    if (canvasDC_) {
        SelectObject(canvasDC_, oldCanvas_);
        DeleteObject(canvas_);
        DeleteDC(canvasDC_);
    }
    for (auto& [number, picture] : pictures_)
        DeleteObject(picture);
    for (auto& [path, kept] : backgrounds_)
        Release(kept);
    for (auto& [key, kept] : icons_)
        Release(kept);
    for (auto& [weight, font] : fonts_)
        DeleteObject(font);
}

void PaneCache::Release(Kept& kept) {
    if (kept.icon)
        DestroyIcon(kept.icon);
    if (kept.bitmap)
        DeleteObject(kept.bitmap);
    kept.icon = nullptr;
    kept.bitmap = nullptr;
}

void PaneCache::BeginPaint() {
    watch_.Poll();
    pendingSources_.clear();
}

HDC PaneCache::Canvas(HDC paintDC, SIZE size) {
    if (canvasDC_ && size.cx == canvasSize_.cx && size.cy == canvasSize_.cy)
        return canvasDC_;
    if (canvasDC_) {
        SelectObject(canvasDC_, oldCanvas_);
        DeleteObject(canvas_);
        DeleteDC(canvasDC_);
    }
    canvasDC_ = CreateCompatibleDC(paintDC);
    canvas_ = CreateCompatibleBitmap(paintDC, size.cx, size.cy);
    oldCanvas_ = SelectObject(canvasDC_, canvas_);
    canvasSize_ = size;
    composed_ = false;
    return canvasDC_;
}

bool PaneCache::Unchanged(const std::vector<Source>& sources) {
    for (const auto& [folder, version] : sources) {
        if (watch_.Version(folder) != version)
            return false;
    }
    return true;
}

bool PaneCache::Shows(const PaneState& state) {
    return composed_ && state == state_ && Unchanged(composedSources_);
}

void PaneCache::Composed(const PaneState& state) {
    state_ = state;
    composed_ = true;
    composedSources_ = std::move(pendingSources_);
    pendingSources_.clear();
}

void PaneCache::Forget() {
    composed_ = false;
}

void PaneCache::Used(const std::vector<Source>& sources) {
    pendingSources_.insert(pendingSources_.end(), sources.begin(), sources.end());
}

std::vector<PaneCache::Source> PaneCache::SourcesOf(const std::vector<std::u16string>& paths) {
    std::vector<Source> sources;
    for (const std::u16string& path : paths) {
        // The folder the file is in, or the nearest one there is: creating
        // the missing folder changes that one.
        std::u16string device = path;
        for (int depth = 0; depth < 64; ++depth) {
            const auto parts = zorun::SplitFolderAndName(device);
            if (auto host = zorun::HostPath(device)) {
                const std::string folder = host->parent_path().string();
                sources.emplace_back(folder, watch_.Version(folder));
                break;
            }
            if (parts.folder.empty() || parts.folder == device)
                break;
            device = parts.folder;
        }
    }
    return sources;
}

HBITMAP PaneCache::Picture(int number) {
    auto found = pictures_.find(number);
    if (found == pictures_.end())
        found = pictures_.emplace(number, zorun::LoadKeptBitmap(number)).first;
    return found->second;
}

HBITMAP PaneCache::Background(const std::u16string& path) {
    if (path.empty())
        return nullptr;
    auto found = backgrounds_.find(path);
    if (found != backgrounds_.end() && !Unchanged(found->second.sources)) {
        Release(found->second);
        backgrounds_.erase(found);
        found = backgrounds_.end();
    }
    if (found == backgrounds_.end()) {
        if (backgrounds_.size() >= kKeptBackgrounds) {
            for (auto& [other, kept] : backgrounds_)
                Release(kept);
            backgrounds_.clear();
        }
        Kept kept;
        // Watched before reading, so a change while it is read is seen next time.
        kept.sources = SourcesOf({path});
        if (HBITMAP picture = LoadBackgroundPicture(path)) {
            kept.bitmap = TileOverArea(canvasDC_, picture);
            DeleteObject(picture);
        }
        found = backgrounds_.emplace(path, std::move(kept)).first;
    }
    Used(found->second.sources);
    return found->second.bitmap;
}

HICON PaneCache::Icon(const std::u16string& target, const std::u16string& iconReference) {
    const auto key = std::make_pair(target, iconReference);
    auto found = icons_.find(key);
    if (found != icons_.end() && !Unchanged(found->second.sources)) {
        Release(found->second);
        icons_.erase(found);
        found = icons_.end();
    }
    if (found == icons_.end()) {
        if (icons_.size() >= kKeptIcons) {
            for (auto& [other, kept] : icons_)
                Release(kept);
            icons_.clear();
        }
        std::vector<std::u16string> consulted;
        Kept kept;
        kept.icon = ResolveShortcutIcon(target, iconReference, nullptr, &consulted);
        kept.sources = SourcesOf(consulted);
        found = icons_.emplace(key, std::move(kept)).first;
    }
    Used(found->second.sources);
    return found->second.icon;
}

HFONT PaneCache::ClearTypeFont(LONG weight) {
    auto found = fonts_.find(weight);
    if (found == fonts_.end()) {
        LOGFONTW font{};
        font.lfHeight = 15;
        font.lfWeight = weight;
        font.lfQuality = CLEARTYPE_QUALITY;
        found = fonts_.emplace(weight, CreateFontIndirectW(&font)).first;
    }
    return found->second;
}
