// Painting of the launcher pane: composed off screen in the order below,
// copied in one transfer, then the tab captions on top. What the pane is
// drawn from is kept between paints (PaneCache): a paint with nothing
// changed copies the kept composition again.

#include "catalogue/Catalogue.h"
#include "catalogue/ProgramHost.h"
#include "launcher/CZorunView.h"
#include "launcher/CommandIds.h"
#include "launcher/PaneCache.h"

using namespace ViewLayout;

namespace {

constexpr int kFrameBitmap = 142;
constexpr int kLeftDisabledBitmap = 184;
constexpr int kRightDisabledBitmap = 185;
constexpr int kSelectedTabBitmap = 187;

// Copies `bitmap` (its whole size, or width x height) to (x, y).
void CopyBitmap(HDC dest, HDC scratch, HBITMAP bitmap, int x, int y, int width = -1,
                int height = -1) {
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
}

} // namespace

BOOL CZorunView::OnEraseBkgnd(CDC*) {
    // Painting covers the whole pane.
    return FALSE;
}

void CZorunView::OnDraw(CDC* dc) {
    PaintPane(dc->GetSafeHdc());
}

PaneCache& CZorunView::Cache() {
    if (!paneCache)
        paneCache = std::make_unique<PaneCache>();
    return *paneCache;
}

void CZorunView::PaintPane(HDC paintDC) {
    RECT client{};
    GetClientRect(&client);
    PaneCache& cache = Cache();
    cache.BeginPaint();
    const Catalogue* catalogue = GetCatalogue();
    PaneState state;
    state.catalogueStamp = catalogue ? catalogue->ChangeStamp() : 0;
    state.groupCount = catalogue ? catalogue->GroupCount() : 0;
    state.firstGroup = firstGroup;
    state.currentTab = currentTab;
    state.currentGroup = currentGroup;
    state.firstItem = firstItem;
    state.selectedItem = selectedItem;
    state.clearType = IsClearTypeOn();
    state.size = {client.Width(), client.Height()};
    state.captions = tabCaptions;

    HDC memDC = cache.Canvas(paintDC, state.size);
    if (!cache.Shows(state)) {
        ComposePane(memDC, client, state);
        cache.Composed(state);
    }
    SendPageState();
    BitBlt(paintDC, 0, 0, client.Width(), client.Height(), memDC, 0, 0, SRCCOPY);
}

void CZorunView::ComposePane(HDC memDC, const RECT& client, const PaneState& state) {
    PaneCache& cache = Cache();
    HDC scratch = CreateCompatibleDC(memDC);
    CopyBitmap(memDC, scratch, cache.Picture(kFrameBitmap), client.left, client.top, client.Width(),
               kFrameHeight);
    if (firstGroup == 0)
        CopyBitmap(memDC, scratch, cache.Picture(kLeftDisabledBitmap), kLeftArrow.x, kLeftArrow.y,
                   26, 26);
    if (firstGroup + 4 == state.groupCount)
        CopyBitmap(memDC, scratch, cache.Picture(kRightDisabledBitmap), kRightArrow.x,
                   kRightArrow.y, 26, 26);
    if (currentTab >= 1 && currentTab <= 4)
        CopyBitmap(memDC, scratch, cache.Picture(kSelectedTabBitmap), HighlightLeft(currentTab),
                   155, 47, 26);

    // The background, tiled once over the shortcut area when it was read.
    // A picture that cannot be read draws nothing and the frame shows
    // through; the group keeps its path, so a card put back shows it again.
    const Catalogue* catalogue = GetCatalogue();
    if (catalogue && catalogue->IsValidPosition(currentGroup)) {
        if (HBITMAP tiled = cache.Background(catalogue->Background(currentGroup)))
            CopyBitmap(memDC, scratch, tiled, kShortcutArea.left, kShortcutArea.top);
    }
    DeleteDC(scratch);

    const int oldMode = SetBkMode(memDC, TRANSPARENT);
    if (const GroupRecord* group = ShownGroup()) {
        const int count = static_cast<int>(group->Count());
        for (int i = firstItem; i < firstItem + kShortcutsPerPage && i < count; ++i)
            PaintShortcut(memDC, i, *group, state.clearType);
    }
    SetBkMode(memDC, oldMode);
    // The captions lie on top of the pane; drawn here they are copied with
    // it, which gives the pixels drawing them after the copy would.
    PaintTabCaptions(memDC, state.clearType);
}

void CZorunView::PaintShortcut(HDC memDC, int index, const GroupRecord& group, bool clearType) {
    PaneCache& cache = Cache();
    const int slot = index - firstItem;
    const auto i = static_cast<std::size_t>(index);
    if (HICON icon = cache.Icon(group.targets[i], group.iconRefs[i])) {
        const POINT at = IconPosition(slot);
        DrawIconEx(memDC, at.x, at.y, icon, 0, 0, 0, nullptr, DI_NORMAL);
    }

    HFONT font = clearType ? cache.ClearTypeFont(FW_BOLD) : nullptr;
    HGDIOBJ oldFont = font ? SelectObject(memDC, font) : nullptr;
    const std::u16string label = FitLabel(memDC, group.names[i]);
    RECT labelRect = LabelRect(slot);
    DrawTextW(memDC, label.c_str(), static_cast<int>(label.size()), &labelRect, DT_CENTER);
    if (font)
        SelectObject(memDC, oldFont);

    if (index == selectedItem) {
        const RECT cell = CellRect(slot);
        DrawFocusRect(memDC, &cell);
    }
}

void CZorunView::PaintTabCaptions(HDC dc, bool clearType) {
    HFONT font = clearType ? Cache().ClearTypeFont(0) : nullptr;
    HGDIOBJ oldFont = font ? SelectObject(dc, font) : nullptr;
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    for (int tab = 1; tab <= 4; ++tab) {
        const std::u16string caption = CaptionLabel(tabCaptions[std::size_t(tab)]);
        RECT rect = TabCaptionRect(tab);
        DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &rect, DT_CENTER);
    }
    SetBkMode(dc, oldMode);
    if (font)
        SelectObject(dc, oldFont);
}

void CZorunView::SendPageState() {
    ProgramHost* host = Host();
    if (!host)
        return;
    if (HWND splitter = host->GetSplitterWindow())
        ::SendMessageW(splitter, ZorunViewMessage::PageState, 0,
                       PageState(firstItem, ShortcutCount()));
}
