// The information panel's painting, pixel by pixel against the artwork drawn
// on its own, and by the texts recorded on the surface.

#include <gtest/gtest.h>
#include <string>

#include "info/InfoPanelPainter.h"
#include "platform/base/Text.h"
#include "platform/gdi/Surface.h"
#include "platform/gdi/WinGdi.h"

using zorun::Surface;

namespace {

constexpr RECT kClient{0, 0, 240, 74};

// A surface of the panel's size with a DC over it.
struct Canvas {
    Surface surface{240, 74};
    HDC dc = CreateSurfaceDC(&surface, POINT{0, 0}, RECT{0, 0, 240, 74});
    Canvas() = default;
    Canvas(const Canvas&) = delete;
    ~Canvas() { DeleteDC(dc); }
    void Bitmap(int number, int x, int y, int w, int h) {
        HDC memory = CreateCompatibleDC(dc);
        HBITMAP bitmap = LoadBitmapW(nullptr, number);
        HGDIOBJ old = SelectObject(memory, bitmap);
        BitBlt(dc, x, y, w, h, memory, 0, 0, SRCCOPY);
        SelectObject(memory, old);
        DeleteObject(bitmap);
        DeleteDC(memory);
    }
    void Icon(int number, int x, int y) {
        HICON icon = LoadIconW(nullptr, number);
        DrawIconEx(dc, x, y, icon, 0, 0, 0, nullptr, DI_NORMAL);
        DestroyIcon(icon);
    }
};

// Whether the pixels of `rect` are the same on both surfaces.
bool SameBlock(const Surface& a, const Surface& b, const RECT& rect) {
    for (int y = rect.top; y < rect.bottom; ++y)
        for (int x = rect.left; x < rect.right; ++x)
            if (a.Pixel(x, y) != b.Pixel(x, y))
                return false;
    return true;
}

// The plate with the given icons (number, x, y) and strip bitmap drawn alone.
void Expected(Canvas& c, std::initializer_list<std::tuple<int, int, int>> icons, int strip) {
    c.Bitmap(150, 0, 0, 240, 74);
    if (strip)
        c.Bitmap(strip, 226, 4, 10, 65);
    for (const auto& [number, x, y] : icons)
        c.Icon(number, x, y);
}

const zorun::TextRecord* FindText(const Surface& s, const std::u16string& text) {
    for (const auto& record : s.Texts())
        if (record.text == text)
            return &record;
    return nullptr;
}

InfoTexts SampleTexts() {
    InfoTexts t;
    t.inbox = u"1 / 3";
    t.calendar = u"2 / 5";
    t.tasks = u"4";
    t.memory = u"12.4\n7.9";
    t.battery = u"45%";
    t.date = u"07/12/26";
    t.region = u"English...\nUnited ...";
    return t;
}

// Checks a text is centred on the box, and inside it unless it is wider
// (then it is drawn in the box and clipped there).
void ExpectCentredIn(const zorun::TextRecord* r, int left, int right) {
    ASSERT_NE(r, nullptr);
    if (r->bounds.Width() < right - left) {
        EXPECT_GE(r->bounds.left, left);
        EXPECT_LE(r->bounds.right, right);
    }
    EXPECT_LE(std::abs((r->bounds.left + r->bounds.right) - (left + right)), 1)
        << zorun::ToUtf8(r->text);
}

} // namespace

TEST(InfoPanelPaint, FieldPageForEachChoiceOfTheLastSlot) {
    const InfoTexts texts = SampleTexts();
    struct Case {
        int mode;
        int lastIcon;
        std::u16string lastText;
    };
    for (const Case& c :
         {Case{0, 0, u""}, Case{1, 183, u"07/12/26"}, Case{2, 166, u"English...\nUnited ..."}}) {
        SCOPED_TRACE(c.mode);
        Canvas panel;
        EXPECT_EQ(InfoPanelPainter::Paint(panel.dc, kClient, c.mode, 2, texts), 1)
            << "only both choices have a second page";
        Canvas expected;
        Expected(expected,
                 {{168, 10, 10}, {182, 85, 10}, {162, 160, 10}, {181, 10, 44}, {167, 85, 44}}, 0);
        if (c.lastIcon)
            expected.Icon(c.lastIcon, 160, 44);
        // Icons at D = 75, each exactly where it belongs.
        for (RECT icon : {RECT{10, 10, 34, 34}, RECT{85, 10, 109, 34}, RECT{160, 10, 184, 34},
                          RECT{10, 44, 34, 68}, RECT{85, 44, 109, 68}, RECT{160, 44, 184, 68}})
            EXPECT_TRUE(SameBlock(panel.surface, expected.surface, icon))
                << icon.left << "," << icon.top;
        // No page strip: the plate shows there (the last text box ends at 235).
        EXPECT_TRUE(SameBlock(panel.surface, expected.surface, RECT{236, 0, 240, 74}));
        EXPECT_TRUE(SameBlock(panel.surface, expected.surface, RECT{0, 0, 240, 10}));

        // Texts centred in their 50-pixel boxes.
        ExpectCentredIn(FindText(panel.surface, u"1 / 3"), 35, 85);
        ExpectCentredIn(FindText(panel.surface, u"2 / 5"), 110, 160);
        ExpectCentredIn(FindText(panel.surface, u"4"), 185, 235);
        ExpectCentredIn(FindText(panel.surface, u"45%"), 35, 85);
        ExpectCentredIn(FindText(panel.surface, u"12.4\n7.9"), 110, 160);
        if (c.mode == 0) {
            EXPECT_EQ(panel.surface.Texts().size(), 5u);
            EXPECT_TRUE(SameBlock(panel.surface, expected.surface, RECT{160, 44, 236, 74}))
                << "the empty last slot shows the plate only";
        } else {
            EXPECT_EQ(panel.surface.Texts().size(), 6u);
            ExpectCentredIn(FindText(panel.surface, c.lastText), 185, 235);
        }
    }
}

TEST(InfoPanelPaint, BothChoicesHaveTwoPages) {
    const InfoTexts texts = SampleTexts();
    Canvas page1;
    EXPECT_EQ(InfoPanelPainter::Paint(page1.dc, kClient, 3, 1, texts), 1);
    Canvas expected1;
    Expected(expected1,
             {{168, 10, 10},
              {182, 82, 10},
              {162, 154, 10},
              {181, 10, 44},
              {167, 82, 44},
              {183, 154, 44}},
             174);
    for (RECT icon : {RECT{10, 10, 34, 34}, RECT{82, 10, 106, 34}, RECT{154, 10, 178, 34},
                      RECT{10, 44, 34, 68}, RECT{82, 44, 106, 68}, RECT{154, 44, 178, 68}})
        EXPECT_TRUE(SameBlock(page1.surface, expected1.surface, icon)) << icon.left;
    EXPECT_TRUE(SameBlock(page1.surface, expected1.surface, RECT{226, 4, 236, 69}))
        << "the right-pointing strip";
    // 45-pixel boxes: 35-80, 107-152, 179-224.
    ExpectCentredIn(FindText(page1.surface, u"1 / 3"), 35, 80);
    ExpectCentredIn(FindText(page1.surface, u"2 / 5"), 107, 152);
    ExpectCentredIn(FindText(page1.surface, u"4"), 179, 224);
    ExpectCentredIn(FindText(page1.surface, u"07/12/26"), 179, 224);
    EXPECT_EQ(FindText(page1.surface, u"English...\nUnited ..."), nullptr);

    Canvas page2;
    EXPECT_EQ(InfoPanelPainter::Paint(page2.dc, kClient, 3, 2, texts), 2);
    Canvas expected2;
    Expected(expected2, {{166, 10, 10}}, 175);
    EXPECT_TRUE(SameBlock(page2.surface, expected2.surface, RECT{10, 10, 34, 34}));
    EXPECT_TRUE(SameBlock(page2.surface, expected2.surface, RECT{226, 4, 236, 69}))
        << "the left-pointing strip";
    // Nothing else: the second row and the right of the first show the plate.
    EXPECT_TRUE(SameBlock(page2.surface, expected2.surface, RECT{0, 40, 226, 74}));
    EXPECT_TRUE(SameBlock(page2.surface, expected2.surface, RECT{136, 0, 226, 40}));
    ASSERT_EQ(page2.surface.Texts().size(), 1u);
    const auto& region = page2.surface.Texts()[0];
    EXPECT_EQ(region.text, u"English...\nUnited ...");
    EXPECT_EQ(region.bounds.left, 35) << "left-aligned from the box";
    EXPECT_EQ(region.bounds.top, 10) << "from the box top";
}

TEST(InfoPanelPaint, TextRules) {
    // Narrow single line: centred vertically too; wider than the box: drawn
    // in the box itself, from its top; two lines: the block, taller than the
    // box, moves up by half the excess.
    Canvas c;
    InfoPanelPainter::DrawFieldText(c.dc, u"4", RECT{185, 10, 235, 34});
    InfoPanelPainter::DrawFieldText(c.dc, u"Calendar Setting Error", RECT{110, 10, 160, 34});
    InfoPanelPainter::DrawFieldText(c.dc, u"12.4\n7.9", RECT{110, 44, 160, 68});
    InfoPanelPainter::DrawFieldText(c.dc, u"", RECT{35, 44, 85, 68});
    const auto* narrow = FindText(c.surface, u"4");
    const auto* wide = FindText(c.surface, u"Calendar Setting Error");
    const auto* block = FindText(c.surface, u"12.4\n7.9");
    ASSERT_TRUE(narrow && wide && block);
    EXPECT_EQ(narrow->bounds.top, 10 + (24 - narrow->bounds.Height()) / 2);
    EXPECT_EQ(wide->bounds.top, 10);
    EXPECT_GT(wide->bounds.Width(), 50);
    ExpectCentredIn(block, 110, 160);
    EXPECT_GT(block->bounds.Height(), 24);
    EXPECT_EQ(block->bounds.top, 44 + (24 - block->bounds.Height()) / 2);
    EXPECT_EQ(c.surface.Texts().size(), 3u) << "an empty text draws nothing";
    // Black, the context's default colour, somewhere in the narrow text.
    bool black = false;
    for (int y = narrow->bounds.top; y < narrow->bounds.bottom; ++y)
        for (int x = narrow->bounds.left; x < narrow->bounds.right; ++x)
            black |= (c.surface.Pixel(x, y) & 0xFFFFFF) == 0;
    EXPECT_TRUE(black);
}
