// Painting of the launcher pane on the headless screen: page states, labels,
// tab captions, the background picture, arrows, highlight, icons and focus.

#include <gtest/gtest.h>

#include <algorithm>

#include "launcher/CZorunViewLayout.h"
#include "launcher/CommandIds.h"
#include "platform/base/Text.h"
#include "platform/gdi/Surface.h"
#include "platform/user/Screen.h"
#include "tests/support/ProgramFixture.h"

using namespace ViewLayout;

namespace {

constexpr int kTabY = 168;
int TabX(int tab) {
    // Caption rectangles start at x 25, 71, 119 and 166.
    constexpr int kCaptionLeft[] = {0, 25, 71, 119, 166};
    return kCaptionLeft[tab] + 10;
}

bool Contains(const std::vector<std::u16string>& texts, std::u16string_view text) {
    return std::find(texts.begin(), texts.end(), text) != texts.end();
}

// Pixels of a picture by number, as the program draws them.
std::uint32_t BitmapPixel(int number, int x, int y) {
    HBITMAP bitmap = LoadBitmapW(nullptr, number);
    const zorun::Surface* surface = zorun::SurfaceOfBitmap(bitmap);
    const std::uint32_t pixel = surface ? surface->Pixel(x, y) : 0;
    DeleteObject(bitmap);
    return pixel;
}

class ViewPaint : public ProgramFixture {};

} // namespace

TEST_F(ViewPaint, PageStateFollowsEveryPaint) {
    MakeGroups(4, {0, 6, 7, 13});
    StartView();
    ASSERT_FALSE(Frame().pageStates.empty());
    EXPECT_EQ(Frame().pageStates.back(), 0); // no shortcuts
    Tap(TabX(2), kTabY);
    EXPECT_EQ(Frame().pageStates.back(), 0); // exactly six
    Tap(TabX(3), kTabY);
    EXPECT_EQ(Frame().pageStates.back(), 1); // seven: first page
    View().SendMessage(ZorunViewMessage::PageDown);
    Pump();
    EXPECT_EQ(Frame().pageStates.back(), 2); // seven: last page
    Tap(TabX(4), kTabY);
    EXPECT_EQ(Frame().pageStates.back(), 1);
    View().SendMessage(ZorunViewMessage::PageDown);
    Pump();
    EXPECT_EQ(Frame().pageStates.back(), 3); // thirteen: middle page
    View().SendMessage(ZorunViewMessage::PageDown);
    Pump();
    EXPECT_EQ(Frame().pageStates.back(), 2);
    // No page beyond the last: nothing changes, nothing repaints.
    const std::size_t sent = Frame().pageStates.size();
    View().SendMessage(ZorunViewMessage::PageDown);
    Pump();
    EXPECT_EQ(Frame().pageStates.size(), sent);
    EXPECT_EQ(View().FirstItem(), 12);
    View().SendMessage(ZorunViewMessage::PageUp);
    Pump();
    EXPECT_EQ(View().FirstItem(), 6);
    EXPECT_EQ(Frame().pageStates.back(), 3);
}

TEST_F(ViewPaint, LabelsAreShortenedUntilTheyFit) {
    MakeGroups(4, {3});
    GetCatalogue().SetShortcutName(0, 0, u"Calculator for engineers");
    GetCatalogue().SetShortcutName(0, 1, u"WWWW");
    GetCatalogue().SetShortcutName(0, 2, u"Mail");
    StartView();
    const auto texts = TextsIn(RECT{0, 52, 240, 72});
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_TRUE(Contains(texts, u"Mail"));
    EXPECT_TRUE(Contains(texts, u"WWWW")); // fits: whole, whatever its length
    const auto shortened = std::find_if(texts.begin(), texts.end(), [](const auto& t) {
        return t.starts_with(u"Calc") && t.ends_with(u"...");
    });
    ASSERT_NE(shortened, texts.end());
    // The longest prefix that fits in 70 pixels (the label's 78 less 8): one
    // character more would not.
    HDC dc = CreateCompatibleDC(nullptr);
    auto width = [dc](const std::u16string& text) {
        SIZE size{};
        GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
        return size.cx;
    };
    const std::u16string name = u"Calculator for engineers";
    const std::size_t kept = shortened->size() - 3;
    EXPECT_EQ(*shortened, name.substr(0, kept) + u"...");
    EXPECT_LE(width(*shortened), 70);
    EXPECT_GT(width(name.substr(0, kept + 1) + u"..."), 70);
    DeleteDC(dc);
}

TEST_F(ViewPaint, LabelsAreCentredAtTheTopOfTheirRectangles) {
    MakeGroups(4, {6});
    const std::vector<std::u16string> names = {u"Mail", u"Go", u"Notes", u"Web", u"Sums", u"x"};
    for (std::size_t i = 0; i < names.size(); ++i)
        GetCatalogue().SetShortcutName(0, static_cast<int>(i), names[i]);
    StartView();
    HDC dc = CreateCompatibleDC(nullptr);
    for (std::size_t slot = 0; slot < names.size(); ++slot) {
        // Label of slot k: (col*78, row*67 + 52, col*78 + 78, row*67 + 72), in
        // view client coordinates; the view starts at screen row 111.
        const int left = static_cast<int>(slot % 3) * 78,
                  top = static_cast<int>(slot / 3) * 67 + 52;
        SIZE size{};
        GetTextExtentPoint32W(dc, names[slot].c_str(), static_cast<int>(names[slot].size()), &size);
        bool found = false;
        for (const auto& record : Screen().Texts()) {
            if (record.text != names[slot])
                continue;
            found = true;
            EXPECT_EQ(record.position.y, top + 111) << zorun::ToUtf8(names[slot]);
            EXPECT_EQ(record.position.x, left + (78 - size.cx) / 2) << zorun::ToUtf8(names[slot]);
        }
        EXPECT_TRUE(found) << zorun::ToUtf8(names[slot]);
    }
    DeleteDC(dc);
}

TEST(LabelFitting, ThreeCharactersAreNeverShortenedAndOneIsTheLeast) {
    HDC dc = CreateCompatibleDC(nullptr);
    LOGFONTW big{};
    big.lfHeight = 60;
    HFONT font = CreateFontIndirectW(&big);
    HGDIOBJ old = SelectObject(dc, font);
    EXPECT_EQ(FitLabel(dc, u"WWW"), u"WWW");
    EXPECT_EQ(FitLabel(dc, u"WWWW"), u"W...");
    EXPECT_EQ(FitLabel(dc, u"WWWWWWWWWWWW"), u"W...");
    EXPECT_EQ(FitLabel(dc, u""), u"");
    SelectObject(dc, old);
    DeleteObject(font);
    DeleteDC(dc);
}

TEST_F(ViewPaint, TabCaptionsShowSixCharactersWhole) {
    MakeGroups(4, {}, {u"Game", u"Office", u"Favorit", u"Programs"});
    StartView();
    const auto texts = TextsIn(RECT{0, 155, 240, 183});
    EXPECT_TRUE(Contains(texts, u"Game"));
    EXPECT_TRUE(Contains(texts, u"Office"));
    EXPECT_TRUE(Contains(texts, u"Favo..."));
    EXPECT_TRUE(Contains(texts, u"Prog..."));
}

TEST_F(ViewPaint, BackgroundIsTiledAndCutAtTheAreaEdges) {
    MakeGroups(4);
    // A 10 x 10 picture with a marked top-left pixel, and a large gradient.
    WriteDeviceBmp("Windows/small.bmp", 10, 10,
                   [](int x, int y) { return x == 0 && y == 0 ? 0xFF0000u : 0x00FF00u; });
    WriteDeviceBmp("Windows/large.bmp", 300, 200, [](int x, int y) {
        return static_cast<std::uint32_t>((x & 0xFF) << 8 | (y & 0xFF));
    });
    GetCatalogue().SetBackground(0, u"\\Windows\\small.bmp");
    GetCatalogue().SetBackground(1, u"\\Windows\\large.bmp");
    GetCatalogue().SetBackground(2, u"\\Windows\\missing.bmp");
    StartView();
    const std::uint32_t frameOutside = ViewPixel(233, 100);
    EXPECT_EQ(ViewPixel(5, 5), 0xFFFF0000u);
    EXPECT_EQ(ViewPixel(15, 15), 0xFFFF0000u);   // repeated every 10 pixels
    EXPECT_EQ(ViewPixel(225, 145), 0xFFFF0000u); // last whole tile
    EXPECT_EQ(ViewPixel(232, 149), 0xFF00FF00u); // cut tile
    EXPECT_NE(ViewPixel(233, 100), 0xFF00FF00u);
    EXPECT_NE(ViewPixel(100, 150), 0xFF00FF00u);

    Tap(TabX(2), kTabY);
    EXPECT_EQ(ViewPixel(5, 5), 0xFF000000u);
    EXPECT_EQ(ViewPixel(232, 149), 0xFF000000u | (227u << 8) | 144u);
    EXPECT_EQ(ViewPixel(233, 100), frameOutside);
    EXPECT_EQ(ViewPixel(100, 150), BitmapPixel(142, 100, 150));

    // A picture that cannot be loaded draws nothing (the frame shows
    // through) and the group keeps its path.
    Tap(TabX(3), kTabY);
    EXPECT_EQ(GetCatalogue().Background(2), u"\\Windows\\missing.bmp");
    EXPECT_EQ(GetCatalogue().Background(1), u"\\Windows\\large.bmp");
    EXPECT_EQ(ViewPixel(100, 100), BitmapPixel(142, 100, 100));
}

TEST_F(ViewPaint, ArrowsShowDisabledAtTheEndsAndTheShownTabIsHighlighted) {
    MakeGroups(4);
    StartView();
    EXPECT_EQ(ViewPixel(10, 165), BitmapPixel(184, 10, 9));
    EXPECT_EQ(ViewPixel(224, 165), BitmapPixel(185, 10, 9));
    EXPECT_EQ(ViewPixel(30, 158), BitmapPixel(187, 5, 3)); // tab 1 at x 25
    Tap(TabX(3), kTabY);
    EXPECT_EQ(ViewPixel(124, 158), BitmapPixel(187, 5, 3)); // tab 3 at x 119
    EXPECT_EQ(ViewPixel(30, 158), BitmapPixel(142, 30, 158));
}

TEST_F(ViewPaint, RightArrowIsLiveWithMoreGroups) {
    MakeGroups(5);
    StartView();
    EXPECT_EQ(ViewPixel(10, 165), BitmapPixel(184, 10, 9));
    EXPECT_EQ(ViewPixel(224, 165), BitmapPixel(142, 224, 165));
}

TEST_F(ViewPaint, IconsComeFromTheReferenceOrTheTarget) {
    MakeGroups(4);
    WriteDeviceBmp("Windows/plain.bmp", 8, 8, [](int, int) { return 0x336699u; });
    GetCatalogue().SetBackground(0, u"\\Windows\\plain.bmp");
    WriteDeviceFile("Windows/tool.exe", "#!/bin/sh\n", true);
    // Row one: built-in 155, a program without an icon (155), an empty target.
    (void)GetCatalogue().AppendShortcut(0, {u"\\Windows\\tool.exe", u"a", u"155"});
    (void)GetCatalogue().AppendShortcut(0, {u"\\Windows\\tool.exe", u"b", u"0"});
    (void)GetCatalogue().AppendShortcut(0, {u"", u"c", u"0"});
    // Row two: built-in 154, the desktop in mixed case (154), a 2-character reference.
    (void)GetCatalogue().AppendShortcut(0, {u"", u"d", u"154"});
    (void)GetCatalogue().AppendShortcut(0, {u"\\WINDOWS\\Shell32.Exe", u"e", u"0"});
    (void)GetCatalogue().AppendShortcut(0, {u"", u"f", u"13"});
    StartView();
    auto iconPixels = [this](int slot) {
        std::vector<std::uint32_t> pixels;
        // Icon of slot k at (col*78 + 25, row*67 + 15).
        const POINT at{slot % 3 * 78 + 25, slot / 3 * 67 + 15};
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x)
                pixels.push_back(ViewPixel(at.x + x, at.y + y));
        return pixels;
    };
    const std::vector<std::uint32_t> empty(32 * 32, 0xFF336699u);
    EXPECT_NE(iconPixels(0), empty);
    EXPECT_EQ(iconPixels(1), iconPixels(0));
    EXPECT_EQ(iconPixels(2), empty);
    EXPECT_NE(iconPixels(3), empty);
    EXPECT_NE(iconPixels(3), iconPixels(0));
    EXPECT_EQ(iconPixels(4), iconPixels(3));
    EXPECT_EQ(iconPixels(5), empty);
    // Every shortcut keeps its label, with or without an icon.
    EXPECT_EQ(TextsIn(RECT{0, 52, 240, 140}).size(), 6u);
}

TEST_F(ViewPaint, FocusRectangleMarksTheSelectedCellOnly) {
    MakeGroups(4, {6});
    StartView();
    const zorun::Surface before = Screen();
    // Cell of slot 4: (83, 77, 155, 139).
    Tap(113, 107);
    ASSERT_EQ(View().SelectedItem(), 4);
    const zorun::Surface after = Screen();
    const RECT cell = RECT{83, 77, 155, 139}.Offset(0, kFrameTop + kViewTop);
    int changed = 0;
    for (int y = 0; y < 320; ++y) {
        for (int x = 0; x < 240; ++x) {
            if (before.Pixel(x, y) == after.Pixel(x, y))
                continue;
            ++changed;
            const bool onBorder =
                x == cell.left || x == cell.right - 1 || y == cell.top || y == cell.bottom - 1;
            EXPECT_TRUE(onBorder && cell.Contains({x, y})) << x << "," << y;
        }
    }
    EXPECT_GT(changed, 0);
    // The same after a full repaint: the paint draws the focus itself.
    View().Invalidate();
    Pump();
    EXPECT_EQ(Screen().Pixels().size(), after.Pixels().size());
    EXPECT_TRUE(
        std::equal(after.Pixels().begin(), after.Pixels().end(), Screen().Pixels().begin()));
    // And moving the focus away from a painted one leaves nothing behind.
    Key(VK_LEFT);
    Key(VK_RIGHT);
    EXPECT_TRUE(
        std::equal(after.Pixels().begin(), after.Pixels().end(), Screen().Pixels().begin()));
}

TEST_F(ViewPaint, ClearTypeLabelsUseTheBoldFont) {
    MakeGroups(4, {1});
    StartView();
    auto labelWidth = [this] {
        for (const zorun::TextRecord& r : Screen().Texts())
            if (r.text == u"Item 0")
                return r.bounds.Width();
        return 0;
    };
    const int plain = labelWidth();
    Frame().clearTypeOn = true;
    View().Invalidate();
    Pump();
    EXPECT_GT(plain, 0);
    EXPECT_NE(labelWidth(), plain);
}
