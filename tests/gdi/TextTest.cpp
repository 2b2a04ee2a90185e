// Fonts and text: face matching, measuring, DrawTextW's layout, fallback to
// a face that has the glyph, subpixel rendering, text records.

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/gdi/Surface.h"
#include "platform/gdi/WinGdi.h"

namespace {

using zorun::Surface;

LOGFONTW Font(const char16_t* face, int height, int weight = FW_NORMAL, BYTE quality = 0) {
    LOGFONTW lf{};
    lf.lfHeight = height;
    lf.lfWeight = weight;
    lf.lfQuality = quality;
    std::u16string name(face);
    std::copy(name.begin(), name.end(), lf.lfFaceName);
    return lf;
}

struct Canvas {
    Surface surface;
    HDC dc;
    HFONT font = nullptr;
    explicit Canvas(int w = 200, int h = 100) : surface(w, h, 0xFFFFFFFFu) {
        dc = CreateSurfaceDC(&surface, {0, 0}, {0, 0, w, h});
        SetBkMode(dc, TRANSPARENT);
    }
    void Use(const LOGFONTW& lf) {
        HFONT f = CreateFontIndirectW(&lf);
        SelectObject(dc, f);
        if (font)
            DeleteObject(font);
        font = f;
    }
    ~Canvas() {
        DeleteDC(dc);
        if (font)
            DeleteObject(font);
    }
    // The box of pixels that are not the background.
    [[nodiscard]] RECT Ink(std::uint32_t background = 0xFFFFFFFFu) const {
        RECT r{surface.Width(), surface.Height(), 0, 0};
        for (int y = 0; y < surface.Height(); ++y)
            for (int x = 0; x < surface.Width(); ++x)
                if (surface.Pixel(x, y) != background) {
                    r.left = std::min(r.left, x);
                    r.top = std::min(r.top, y);
                    r.right = std::max(r.right, x + 1);
                    r.bottom = std::max(r.bottom, y + 1);
                }
        return r;
    }
    [[nodiscard]] int Width(const char16_t* text) {
        SIZE s{};
        EXPECT_TRUE(GetTextExtentPoint32W(dc, text, -1, &s));
        return s.cx;
    }
};

TEST(Fonts, HeightsWeightsAndMetricCompatibleArial) {
    Canvas c;
    TEXTMETRICW tm{};
    ASSERT_TRUE(GetTextMetricsW(c.dc, &tm)); // the default font
    EXPECT_GE(tm.tmHeight, 12);
    EXPECT_LE(tm.tmHeight, 14);

    c.Use(Font(u"Tahoma", -15));
    ASSERT_TRUE(GetTextMetricsW(c.dc, &tm));
    EXPECT_EQ(tm.tmHeight - tm.tmInternalLeading, 15); // negative: the em
    c.Use(Font(u"Tahoma", 15));
    ASSERT_TRUE(GetTextMetricsW(c.dc, &tm));
    EXPECT_EQ(tm.tmHeight, 15); // positive: the cell
    EXPECT_EQ(tm.tmAscent + tm.tmDescent, tm.tmHeight);

    // "Arial" must lay out exactly like Liberation Sans.
    const char16_t* sample = u"Launcher 0123 Wide Group";
    c.Use(Font(u"Liberation Sans", -13));
    const int liberation = c.Width(sample);
    c.Use(Font(u"Arial", -13));
    EXPECT_EQ(c.Width(sample), liberation);
    c.Use(Font(u"DejaVu Sans", -13));
    EXPECT_NE(c.Width(sample), liberation);

    // Bold is wider; a weight of 600 counts as bold.
    c.Use(Font(u"Arial", -13, FW_NORMAL));
    const int regular = c.Width(sample);
    c.Use(Font(u"Arial", -13, FW_SEMIBOLD));
    EXPECT_GT(c.Width(sample), regular);
}

TEST(Fonts, ExtentsGrowWithTheTextAndFitCounts) {
    Canvas c;
    c.Use(Font(u"Arial", -13));
    const std::u16string text = u"Calendar tasks";
    std::vector<int> dx(text.size());
    int fit = -1;
    SIZE size{};
    ASSERT_TRUE(
        GetTextExtentExPointW(c.dc, text.c_str(), int(text.size()), 1000, &fit, dx.data(), &size));
    EXPECT_EQ(fit, int(text.size()));
    EXPECT_EQ(size.cx, dx.back());
    for (std::size_t i = 1; i < dx.size(); ++i)
        EXPECT_GT(dx[i], dx[i - 1]) << i;
    // The fit count is the number of characters whose end is within the extent.
    ASSERT_TRUE(
        GetTextExtentExPointW(c.dc, text.c_str(), int(text.size()), dx[4], &fit, nullptr, nullptr));
    EXPECT_EQ(fit, 5);
    ASSERT_TRUE(GetTextExtentExPointW(c.dc, text.c_str(), int(text.size()), dx[4] - 1, &fit,
                                      nullptr, nullptr));
    EXPECT_EQ(fit, 4);
    ASSERT_TRUE(
        GetTextExtentExPointW(c.dc, text.c_str(), int(text.size()), 0, &fit, nullptr, nullptr));
    EXPECT_EQ(fit, 0);
    // A prefix measures the same as its cumulative width.
    SIZE prefix{};
    ASSERT_TRUE(GetTextExtentPoint32W(c.dc, text.c_str(), 8, &prefix));
    EXPECT_EQ(prefix.cx, dx[7]);
    ASSERT_TRUE(GetTextExtentPoint32W(c.dc, u"", 0, &prefix));
    EXPECT_EQ(prefix.cx, 0);
    // A surrogate pair: the first unit carries the width before it.
    const std::u16string pair = u"a\U0001F600b";
    std::vector<int> pdx(pair.size());
    ASSERT_TRUE(GetTextExtentExPointW(c.dc, pair.c_str(), int(pair.size()), 1000, nullptr,
                                      pdx.data(), nullptr));
    EXPECT_EQ(pdx[1], pdx[0]);
    EXPECT_GE(pdx[2], pdx[1]);
}

TEST(DrawText, CentringLinesAndCalcRect) {
    Canvas c(200, 100);
    c.Use(Font(u"Arial", -13));
    TEXTMETRICW tm{};
    ASSERT_TRUE(GetTextMetricsW(c.dc, &tm));
    const int w = c.Width(u"Memory");

    // DT_CALCRECT sizes without drawing; several lines stack at the font height.
    RECT calc{10, 20, 10, 20};
    EXPECT_EQ(DrawTextW(c.dc, u"Memory", -1, &calc, DT_CALCRECT | DT_SINGLELINE), tm.tmHeight);
    EXPECT_EQ(calc, (RECT{10, 20, 10 + w, 20 + tm.tmHeight}));
    RECT multi{0, 0, 0, 0};
    EXPECT_EQ(DrawTextW(c.dc, u"a\nMemory\r\nb", -1, &multi, DT_CALCRECT), 3 * tm.tmHeight);
    EXPECT_EQ(multi.right, w);
    EXPECT_EQ(c.Ink(), (RECT{200, 100, 0, 0})); // nothing drawn

    // Centred both ways: the ink sits in the middle of the rectangle.
    RECT box{0, 0, 200, 100};
    EXPECT_EQ(DrawTextW(c.dc, u"Memory", -1, &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE),
              tm.tmHeight);
    const RECT ink = c.Ink();
    EXPECT_NEAR((ink.left + ink.right) / 2.0, 100, 2.0);
    EXPECT_NEAR((ink.top + ink.bottom) / 2.0, 50, 3.0);
    ASSERT_EQ(c.surface.Texts().size(), 1u);
    EXPECT_EQ(c.surface.Texts()[0].text, u"Memory");
    EXPECT_EQ(c.surface.Texts()[0].position,
              (zorun::Point{(200 - w) / 2, (100 - tm.tmHeight) / 2}));

    // Right aligned ends at the right edge; lines go down by the font height.
    c.surface.Fill(c.surface.Bounds(), 0xFFFFFFFFu);
    RECT right{0, 0, 150, 100};
    DrawTextW(c.dc, u"Memory\nMemory", -1, &right, DT_RIGHT);
    const RECT two = c.Ink();
    EXPECT_LE(two.right, 150);
    EXPECT_GE(two.right, 148);
    EXPECT_GT(two.bottom, tm.tmHeight);
    EXPECT_EQ(c.surface.Texts()[0].text, u"Memory\nMemory");

    // Word breaking wraps at spaces within the width.
    RECT narrow{0, 0, w + 4, 0};
    EXPECT_EQ(DrawTextW(c.dc, u"Memory Memory Memory", -1, &narrow, DT_CALCRECT | DT_WORDBREAK),
              3 * tm.tmHeight);
    RECT wide{0, 0, 2 * w + 30, 0};
    EXPECT_EQ(DrawTextW(c.dc, u"Memory Memory Memory", -1, &wide, DT_CALCRECT | DT_WORDBREAK),
              2 * tm.tmHeight);
    EXPECT_EQ(wide.right, 2 * w + c.Width(u" ")); // trailing spaces take no room
    RECT word{0, 0, 5, 0};
    EXPECT_EQ(DrawTextW(c.dc, u"Memory", -1, &word, DT_CALCRECT | DT_WORDBREAK), tm.tmHeight);
    // Japanese has no spaces: it wraps between characters.
    SIZE kanji{};
    ASSERT_TRUE(GetTextExtentPoint32W(c.dc, u"日本語", 3, &kanji));
    RECT ja{0, 0, kanji.cx - 1, 0};
    EXPECT_EQ(DrawTextW(c.dc, u"日本語", -1, &ja, DT_CALCRECT | DT_WORDBREAK), 2 * tm.tmHeight);
    // Prefix characters are not shown unless asked.
    RECT calcAmp{0, 0, 0, 0}, calcPlain{0, 0, 0, 0};
    DrawTextW(c.dc, u"&Memory", -1, &calcAmp, DT_CALCRECT | DT_SINGLELINE);
    DrawTextW(c.dc, u"Memory", -1, &calcPlain, DT_CALCRECT | DT_SINGLELINE);
    EXPECT_EQ(calcAmp, calcPlain);
}

TEST(DrawText, ClippingOpaqueBackgroundAndColours) {
    Canvas c(100, 40);
    c.Use(Font(u"Arial", -13));
    // Clipped to the rectangle unless DT_NOCLIP.
    RECT small{10, 10, 20, 30};
    DrawTextW(c.dc, u"Wide wide text", -1, &small, DT_SINGLELINE);
    RECT ink = c.Ink();
    EXPECT_GE(ink.left, 10);
    EXPECT_LE(ink.right, 20);
    c.surface.Fill(c.surface.Bounds(), 0xFFFFFFFFu);
    DrawTextW(c.dc, u"Wide wide text", -1, &small, DT_SINGLELINE | DT_NOCLIP);
    EXPECT_GT(c.Ink().right, 40);

    // Opaque mode fills the text's box with the background colour; the text
    // colour is 0x00BBGGRR.
    c.surface.Fill(c.surface.Bounds(), 0xFFFFFFFFu);
    SetBkMode(c.dc, OPAQUE);
    SetBkColor(c.dc, RGB(0, 0, 255));
    SetTextColor(c.dc, RGB(255, 0, 0));
    RECT at{0, 0, 100, 40};
    const int height = DrawTextW(c.dc, u"Hi", -1, &at, DT_SINGLELINE);
    EXPECT_EQ(c.surface.Pixel(0, 0), 0xFF0000FFu);
    EXPECT_EQ(c.surface.Pixel(0, height), 0xFFFFFFFFu);
    bool red = false;
    for (std::uint32_t p : c.surface.Pixels())
        red |= p == 0xFFFF0000u;
    EXPECT_TRUE(red);

    // ExtTextOutW draws at the point given, and is recorded there.
    c.surface.Fill(c.surface.Bounds(), 0xFFFFFFFFu);
    SetBkMode(c.dc, TRANSPARENT);
    ASSERT_TRUE(ExtTextOutW(c.dc, 30, 5, 0, nullptr, u"Ok", 2, nullptr));
    EXPECT_GE(c.Ink().left, 30);
    ASSERT_EQ(c.surface.Texts().size(), 1u);
    EXPECT_EQ(c.surface.Texts()[0].position, (zorun::Point{30, 5}));
}

TEST(DrawText, JapaneseFallsBackToAFaceWithTheGlyphs) {
    Canvas c(120, 40);
    c.Use(Font(u"Tahoma", -15));
    SIZE one{}, three{};
    ASSERT_TRUE(GetTextExtentPoint32W(c.dc, u"日", 1, &one));
    ASSERT_TRUE(GetTextExtentPoint32W(c.dc, u"日本語", 3, &three));
    EXPECT_GE(one.cx, 12); // a full-width glyph, not a narrow box
    EXPECT_EQ(three.cx, 3 * one.cx);
    RECT r{0, 0, 120, 40};
    DrawTextW(c.dc, u"日本語", -1, &r, DT_SINGLELINE);
    // The three glyphs differ from one another (a missing-glyph box would not).
    auto column = [&](int from) {
        std::vector<std::uint32_t> px;
        for (int y = 0; y < 40; ++y)
            for (int x = from; x < from + one.cx; ++x)
                px.push_back(c.surface.Pixel(x, y));
        return px;
    };
    int inked = 0;
    for (std::uint32_t p : c.surface.Pixels())
        inked += p != 0xFFFFFFFFu;
    EXPECT_GT(inked, 60);
    EXPECT_NE(column(0), column(one.cx));
    EXPECT_NE(column(one.cx), column(2 * one.cx));
}

TEST(DrawText, ClearTypeQualityUsesSubpixelColours) {
    Canvas grey(60, 30), lcd(60, 30);
    grey.Use(Font(u"Arial", -15, FW_NORMAL, ANTIALIASED_QUALITY));
    lcd.Use(Font(u"Arial", -15, FW_NORMAL, CLEARTYPE_QUALITY));
    RECT r{0, 0, 60, 30};
    DrawTextW(grey.dc, u"Wave", -1, &r, DT_SINGLELINE);
    DrawTextW(lcd.dc, u"Wave", -1, &r, DT_SINGLELINE);
    auto coloured = [](const Surface& s) {
        int n = 0;
        for (std::uint32_t p : s.Pixels()) {
            const int r8 = (p >> 16) & 0xFF, g8 = (p >> 8) & 0xFF, b8 = p & 0xFF;
            n += r8 != g8 || g8 != b8;
        }
        return n;
    };
    EXPECT_EQ(coloured(grey.surface), 0);
    EXPECT_GT(coloured(lcd.surface), 10);
}

TEST(DrawText, DeletedFontAndBadArgumentsFailSafely) {
    Canvas c;
    LOGFONTW lf = Font(u"Arial", -13);
    HFONT f = CreateFontIndirectW(&lf);
    HGDIOBJ old = SelectObject(c.dc, f);
    DeleteObject(f);
    // The DC falls back to the default font rather than failing or crashing.
    RECT r{0, 0, 100, 20};
    EXPECT_GT(DrawTextW(c.dc, u"x", -1, &r, 0), 0);
    SelectObject(c.dc, old);
    EXPECT_EQ(DrawTextW(c.dc, u"x", -1, nullptr, 0), 0);
    EXPECT_EQ(DrawTextW(nullptr, u"x", -1, &r, 0), 0);
    EXPECT_EQ(DrawTextW(c.dc, u"", 0, &r, 0), 0);
    EXPECT_FALSE(GetTextExtentPoint32W(c.dc, nullptr, 3, nullptr));
    // Absurd heights are bounded.
    c.Use(Font(u"Arial", -100000));
    EXPECT_TRUE(ExtTextOutW(c.dc, 0, 0, 0, nullptr, u"A", 1, nullptr));
    lf.lfFaceName[0] = u'X';
    std::fill(std::begin(lf.lfFaceName), std::end(lf.lfFaceName), u'Z'); // no terminator
    c.Use(lf);
    EXPECT_TRUE(ExtTextOutW(c.dc, 0, 0, 0, nullptr, u"A", 1, nullptr));
}

} // namespace
