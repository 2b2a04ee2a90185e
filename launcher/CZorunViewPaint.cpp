// Painting of the launcher pane: composed off screen in the order below,
// copied in one transfer, then the tab captions on top.

#include "catalogue/Catalogue.h"
#include "catalogue/ProgramHost.h"
#include "launcher/CZorunView.h"
#include "launcher/CommandIds.h"
#include "launcher/IconResolver.h"
#include "launcher/PictureLoader.h"

using namespace ViewLayout;

namespace {

constexpr int kFrameBitmap = 142;
constexpr int kLeftDisabledBitmap = 184;
constexpr int kRightDisabledBitmap = 185;
constexpr int kSelectedTabBitmap = 187;

// A font of the device's default face with ClearType quality.
HFONT CreateClearTypeFont(LONG weight) {
    LOGFONTW font{};
    font.lfHeight = 15;
    font.lfWeight = weight;
    font.lfQuality = CLEARTYPE_QUALITY;
    return CreateFontIndirectW(&font);
}

// Copies bitmap `number` (its whole size, or width x height) to (x, y).
void CopyBitmap(HDC dest, HDC scratch, int number, int x, int y, int width = -1, int height = -1) {
    HBITMAP bitmap = LoadBitmapW(nullptr, number);
    if (!bitmap)
        return;
    if (width < 0 || height < 0) {
        BITMAP info{};
        GetObjectW(bitmap, sizeof info, &info);
        width = info.bmWidth;
        height = info.bmHeight;
    }
    HGDIOBJ old = SelectObject(scratch, bitmap);
    BitBlt(dest, x, y, width, height, scratch, 0, 0, SRCCOPY);
    SelectObject(scratch, old);
    DeleteObject(bitmap);
}

} // namespace

BOOL CZorunView::OnEraseBkgnd(CDC*) {
    // Painting covers the whole pane.
    return FALSE;
}

void CZorunView::OnDraw(CDC* dc) {
    PaintPane(dc->GetSafeHdc());
    PaintTabCaptions(dc->GetSafeHdc());
}

void CZorunView::PaintPane(HDC paintDC) {
    RECT client{};
    GetClientRect(&client);
    HDC memDC = CreateCompatibleDC(paintDC);
    HBITMAP canvas = CreateCompatibleBitmap(paintDC, client.Width(), client.Height());
    HGDIOBJ oldCanvas = SelectObject(memDC, canvas);
    HDC scratch = CreateCompatibleDC(paintDC);

    CopyBitmap(memDC, scratch, kFrameBitmap, client.left, client.top, client.Width(), kFrameHeight);
    const Catalogue* catalogue = GetCatalogue();
    const int groups = catalogue ? catalogue->GroupCount() : 0;
    if (firstGroup == 0)
        CopyBitmap(memDC, scratch, kLeftDisabledBitmap, kLeftArrow.x, kLeftArrow.y, 26, 26);
    if (firstGroup + 4 == groups)
        CopyBitmap(memDC, scratch, kRightDisabledBitmap, kRightArrow.x, kRightArrow.y, 26, 26);
    if (currentTab >= 1 && currentTab <= 4)
        CopyBitmap(memDC, scratch, kSelectedTabBitmap, HighlightLeft(currentTab), 155, 47, 26);
    DeleteDC(scratch);

    PaintBackground(memDC);

    const int oldMode = SetBkMode(memDC, TRANSPARENT);
    if (const GroupRecord* group = ShownGroup()) {
        const bool clearType = IsClearTypeOn();
        const int count = static_cast<int>(group->Count());
        for (int i = firstItem; i < firstItem + kShortcutsPerPage && i < count; ++i)
            PaintShortcut(memDC, i, *group, clearType);
    }
    SetBkMode(memDC, oldMode);
    SendPageState();
    BitBlt(paintDC, 0, 0, client.Width(), client.Height(), memDC, 0, 0, SRCCOPY);

    SelectObject(memDC, oldCanvas);
    DeleteObject(canvas);
    DeleteDC(memDC);
}

void CZorunView::PaintBackground(HDC memDC) {
    Catalogue* catalogue = GetCatalogue();
    if (!catalogue || !catalogue->IsValidPosition(currentGroup))
        return;
    HBITMAP picture = LoadBackgroundPicture(catalogue->Background(currentGroup));
    if (!picture) {
        // An unloadable picture is forgotten, so the frame shows through.
        if (!catalogue->Background(currentGroup).empty())
            catalogue->SetBackground(currentGroup, u"");
        return;
    }
    BITMAP info{};
    GetObjectW(picture, sizeof info, &info);
    const int tileWidth = info.bmWidth;
    const int tileHeight = info.bmHeight < 0 ? -info.bmHeight : info.bmHeight;
    HDC pictureDC = CreateCompatibleDC(memDC);
    HGDIOBJ old = SelectObject(pictureDC, picture);
    const RECT area = kShortcutArea;
    if (tileWidth > 0 && tileHeight > 0) {
        for (int y = area.top; y < area.bottom + 1; y += tileHeight) {
            const int height = y + tileHeight >= area.bottom ? area.bottom - y : tileHeight;
            for (int x = area.left;; x += tileWidth) {
                if (x + tileWidth >= area.right) {
                    BitBlt(memDC, x, y, area.right - x, height, pictureDC, 0, 0, SRCCOPY);
                    break;
                }
                BitBlt(memDC, x, y, tileWidth, height, pictureDC, 0, 0, SRCCOPY);
            }
        }
    }
    SelectObject(pictureDC, old);
    DeleteDC(pictureDC);
    DeleteObject(picture);
}

void CZorunView::PaintShortcut(HDC memDC, int index, const GroupRecord& group, bool clearType) {
    const int slot = index - firstItem;
    const auto i = static_cast<std::size_t>(index);
    if (HICON icon = ResolveShortcutIcon(group.targets[i], group.iconRefs[i])) {
        const POINT at = IconPosition(slot);
        DrawIconEx(memDC, at.x, at.y, icon, 0, 0, 0, nullptr, DI_NORMAL);
        DestroyIcon(icon);
    }

    HFONT font = clearType ? CreateClearTypeFont(FW_BOLD) : nullptr;
    HGDIOBJ oldFont = font ? SelectObject(memDC, font) : nullptr;
    const std::u16string label = FitLabel(memDC, group.names[i]);
    RECT labelRect = LabelRect(slot);
    DrawTextW(memDC, label.c_str(), static_cast<int>(label.size()), &labelRect, DT_CENTER);
    if (font) {
        SelectObject(memDC, oldFont);
        DeleteObject(font);
    }

    if (index == selectedItem) {
        const RECT cell = CellRect(slot);
        DrawFocusRect(memDC, &cell);
    }
}

void CZorunView::PaintTabCaptions(HDC paintDC) {
    HFONT font = IsClearTypeOn() ? CreateClearTypeFont(0) : nullptr;
    HGDIOBJ oldFont = font ? SelectObject(paintDC, font) : nullptr;
    const int oldMode = SetBkMode(paintDC, TRANSPARENT);
    for (int tab = 1; tab <= 4; ++tab) {
        const std::u16string caption = CaptionLabel(tabCaptions[std::size_t(tab)]);
        RECT rect = TabCaptionRect(tab);
        DrawTextW(paintDC, caption.c_str(), static_cast<int>(caption.size()), &rect, DT_CENTER);
    }
    SetBkMode(paintDC, oldMode);
    if (font) {
        SelectObject(paintDC, oldFont);
        DeleteObject(font);
    }
}

void CZorunView::SendPageState() {
    ProgramHost* host = Host();
    if (!host)
        return;
    if (HWND splitter = host->GetSplitterWindow())
        ::SendMessageW(splitter, ZorunViewMessage::PageState, 0,
                       PageState(firstItem, ShortcutCount()));
}
