#include "info/InfoPanelPainter.h"

#include "info/FieldTextFit.h"
#include "info/InfoPanelLayout.h"
#include "info/InfoSources.h"
#include "platform/gdi/WinGdi.h"

namespace InfoPanelPainter {

namespace {

constexpr int kBackgroundBitmap = 150;
constexpr int kStripNextBitmap = 174;     // page 1: arrow pointing right
constexpr int kStripPreviousBitmap = 175; // page 2: arrow pointing left
constexpr int kSlotIcons[InfoPanelLayout::kSlotCount] = {168, 182, 162, 181, 167, 0};
constexpr int kDateIcon = 183;
constexpr int kRegionIcon = 166;

// Draws `text` with the panel's font (Arial, 13 pixels unless a figure needs
// it smaller, default colour) on a transparent background, restoring the
// context afterwards.
template <typename Draw>
void WithPanelFont(HDC dc, const std::u16string& text, int height, Draw draw) {
    if (text.empty())
        return;
    LOGFONTW description{};
    description.lfHeight = height;
    const char16_t face[] = u"Arial";
    for (std::size_t i = 0; i < sizeof face / sizeof face[0]; ++i)
        description.lfFaceName[i] = face[i];
    HFONT font = CreateFontIndirectW(&description);
    HGDIOBJ previousFont = SelectObject(dc, font);
    const int previousMode = SetBkMode(dc, TRANSPARENT);
    draw();
    SetBkMode(dc, previousMode);
    SelectObject(dc, previousFont);
    DeleteObject(font);
}

void DrawIconAt(HDC dc, int number, const RECT& rect) {
    HICON icon = LoadIconW(nullptr, number);
    if (!icon)
        return;
    DrawIconEx(dc, rect.left, rect.top, icon, 0, 0, 0, nullptr, DI_NORMAL);
    DestroyIcon(icon);
}

void CopyStrip(HDC dc, HDC memory, HBITMAP strip, HGDIOBJ& selected) {
    SelectObject(memory, strip);
    if (selected)
        DeleteObject(selected);
    selected = strip;
    const RECT& s = InfoPanelLayout::kPageStrip;
    BitBlt(dc, s.left, s.top, s.right - s.left, s.bottom - s.top, memory, 0, 0, SRCCOPY);
}

// How wide one line is in the panel's font of `height`.
int LineWidth(HDC dc, std::u16string_view line, int height) {
    int width = 0;
    const std::u16string text(line);
    WithPanelFont(dc, text, height, [&] {
        SIZE size{};
        if (GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size))
            width = size.cx;
    });
    return width;
}

} // namespace

void DrawFittedFieldText(HDC dc, const std::u16string& text, const RECT& box) {
    const FieldTextFit::Fitted fitted = FieldTextFit::Fit(
        text, box.right - box.left, InfoSources::IsErrorText(text),
        [dc](std::u16string_view line, int height) { return LineWidth(dc, line, height); });
    DrawFieldText(dc, fitted.text, box, fitted.fontHeight);
}

void DrawFieldText(HDC dc, const std::u16string& text, const RECT& box, int fontHeight) {
    WithPanelFont(dc, text, fontHeight, [&] {
        RECT measured = box;
        DrawTextW(dc, text.c_str(), -1, &measured, DT_CALCRECT);
        const int boxWidth = box.right - box.left, boxHeight = box.bottom - box.top;
        const int textWidth = measured.right - measured.left;
        const int textHeight = measured.bottom - measured.top;
        RECT target = box;
        if (textWidth < boxWidth) {
            // Integer division truncates toward zero: a two-line block,
            // taller than the box, moves up by half the excess.
            target = measured;
            const int dx = (boxWidth - textWidth) / 2, dy = (boxHeight - textHeight) / 2;
            target.left += dx;
            target.right += dx;
            target.top += dy;
            target.bottom += dy;
        }
        DrawTextW(dc, text.c_str(), -1, &target, DT_CENTER);
    });
}

void DrawRegionPageText(HDC dc, const std::u16string& text, const RECT& box) {
    WithPanelFont(dc, text, FieldTextFit::kFontHeight, [&] {
        RECT target = box;
        DrawTextW(dc, text.c_str(), -1, &target, 0);
    });
}

int Paint(HDC dc, const RECT& client, int sysInfoMode, int infoPage, const InfoTexts& texts) {
    using namespace InfoPanelLayout;
    HDC memory = CreateCompatibleDC(dc);
    HBITMAP background = LoadBitmapW(nullptr, kBackgroundBitmap);
    HGDIOBJ original = SelectObject(memory, background);
    HGDIOBJ selected = background;
    BitBlt(dc, client.left, client.top, client.right - client.left, client.bottom - client.top,
           memory, 0, 0, SRCCOPY);

    int width = 50;
    bool drawSlots = true;
    if (sysInfoMode != kModeBoth) {
        infoPage = 1;
    } else if (infoPage == 1) {
        CopyStrip(dc, memory, LoadBitmapW(nullptr, kStripNextBitmap), selected);
        width = 45;
    } else {
        drawSlots = false;
        CopyStrip(dc, memory, LoadBitmapW(nullptr, kStripPreviousBitmap), selected);
        DrawIconAt(dc, kRegionIcon, IconRect(client, 75, 0));
        DrawRegionPageText(dc, texts.region, RegionTextBox(client));
    }

    if (drawSlots) {
        const int step = ColumnStep(sysInfoMode);
        const std::u16string* slotTexts[kSlotCount] = {
            &texts.inbox, &texts.calendar, &texts.tasks, &texts.battery, &texts.memory, nullptr};
        int lastIcon = 0;
        if (sysInfoMode & kModeDate) {
            lastIcon = kDateIcon;
            slotTexts[kLastSlot] = &texts.date;
        } else if (sysInfoMode & kModeRegion) {
            lastIcon = kRegionIcon;
            slotTexts[kLastSlot] = &texts.region;
        }
        for (int slot = 0; slot < kSlotCount; ++slot) {
            const int icon = slot == kLastSlot ? lastIcon : kSlotIcons[slot];
            if (icon == 0)
                continue; // sysInfoMode 0: the last slot shows the plate only
            const RECT iconRect = IconRect(client, step, slot);
            DrawIconAt(dc, icon, iconRect);
            DrawFittedFieldText(dc, *slotTexts[slot], TextBox(iconRect, width));
        }
    }

    SelectObject(memory, original);
    if (selected)
        DeleteObject(selected);
    DeleteDC(memory);
    return infoPage;
}

} // namespace InfoPanelPainter
