// Raster operations on surfaces through device contexts: clipping at every
// edge, exact XOR drawing, text records following the pixels, alpha icons.

#include <gtest/gtest.h>

#include <limits>
#include <numeric>

#include "platform/gdi/Icon.h"
#include "platform/gdi/Surface.h"
#include "platform/gdi/WinGdi.h"

namespace {

using zorun::Surface;

// A surface whose every pixel differs, so a misplaced copy shows.
Surface Numbered(int w, int h) {
    Surface s(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            s.Row(y)[x] = 0xFF000000u | std::uint32_t(y << 8 | x);
    return s;
}

struct SurfaceDc {
    Surface surface;
    HDC dc;
    explicit SurfaceDc(Surface s, RECT clip = {0, 0, 10000, 10000}, POINT origin = {0, 0})
        : surface(std::move(s)), dc(CreateSurfaceDC(&surface, origin, clip)) {}
    ~SurfaceDc() { DeleteDC(dc); }
};

TEST(Raster, FocusRectangleDrawnTwiceRestoresEveryPixel) {
    SurfaceDc screen(Numbered(40, 30));
    const Surface before = screen.surface;
    // Ordinary, one pixel wide and high, partly outside, degenerate.
    const RECT rects[] = {{3, 4, 20, 17}, {5, 5, 6, 12},    {2, 9, 30, 10},
                          {-5, -3, 8, 6}, {30, 20, 50, 40}, {7, 7, 7, 9}};
    for (const RECT& r : rects) {
        ASSERT_TRUE(DrawFocusRect(screen.dc, &r));
        EXPECT_TRUE(DrawFocusRect(screen.dc, &r));
        EXPECT_EQ(screen.surface.Pixels()[0], before.Pixels()[0]);
        EXPECT_TRUE(std::equal(before.Pixels().begin(), before.Pixels().end(),
                               screen.surface.Pixels().begin()));
    }
    // Once drawn, the frame is visible and dotted: inverted and plain pixels alternate.
    const RECT r{3, 4, 20, 17};
    ASSERT_TRUE(DrawFocusRect(screen.dc, &r));
    int inverted = 0;
    for (int x = 3; x < 20; ++x)
        inverted += screen.surface.Pixel(x, 4) != before.Pixel(x, 4);
    EXPECT_GE(inverted, 8);
    EXPECT_LE(inverted, 9);
    EXPECT_EQ(screen.surface.Pixel(10, 10), before.Pixel(10, 10));
    EXPECT_EQ(screen.surface.Pixel(4, 4) ^ before.Pixel(4, 4), 0x00FFFFFFu);
}

TEST(Raster, FillsCoverExactlyTheirPixelsAtEveryLength) {
    // Lengths around the sizes where a fill switches strategy, and values
    // with equal and with different bytes.
    for (const std::uint32_t argb : {0xFF000000u, 0xFF123456u, 0x00000000u, 0xFFFFFFFFu}) {
        for (const int w : {1, 2, 15, 16, 17, 31, 32, 33, 64, 65, 240}) {
            const Surface s(w, 3, argb);
            EXPECT_TRUE(std::all_of(s.Pixels().begin(), s.Pixels().end(),
                                    [&](std::uint32_t p) { return p == argb; }))
                << std::hex << argb << " width " << std::dec << w;
        }
        // Inside a numbered surface: the rectangle changes, nothing around it.
        for (const zorun::Rect& r : {zorun::Rect{0, 0, 70, 5}, zorun::Rect{3, 1, 36, 4},
                                     zorun::Rect{5, 2, 6, 3}, zorun::Rect{-4, -2, 90, 9}}) {
            const Surface before = Numbered(70, 5);
            Surface s = before;
            s.Fill(r, argb);
            for (int y = 0; y < 5; ++y)
                for (int x = 0; x < 70; ++x) {
                    const bool inside = x >= r.left && x < r.right && y >= r.top && y < r.bottom;
                    ASSERT_EQ(s.Pixel(x, y), inside ? argb : before.Pixel(x, y))
                        << x << "," << y << " of " << r.left << "," << r.top;
                }
        }
    }
}

TEST(Raster, BlitsAreClippedAtEveryEdgeAndAtTheSource) {
    SurfaceDc screen(Surface(20, 10, 0xFF000000u));
    SurfaceDc art(Numbered(8, 8));
    // Hanging over each edge of the destination.
    struct Case {
        int x, y;
    } cases[] = {{-3, 2}, {15, 2}, {4, -5}, {4, 6}, {-6, -6}, {17, 8}};
    for (const Case& c : cases) {
        screen.surface.Fill(screen.surface.Bounds(), 0xFF000000u);
        ASSERT_TRUE(BitBlt(screen.dc, c.x, c.y, 8, 8, art.dc, 0, 0, SRCCOPY));
        for (int y = 0; y < 10; ++y)
            for (int x = 0; x < 20; ++x) {
                const bool inside = x >= c.x && x < c.x + 8 && y >= c.y && y < c.y + 8;
                const std::uint32_t want =
                    inside ? art.surface.Pixel(x - c.x, y - c.y) : 0xFF000000u;
                ASSERT_EQ(screen.surface.Pixel(x, y), want)
                    << c.x << "," << c.y << " at " << x << "," << y;
            }
    }
    // A source rectangle partly outside its surface copies only what exists.
    screen.surface.Fill(screen.surface.Bounds(), 0xFF000000u);
    ASSERT_TRUE(BitBlt(screen.dc, 5, 1, 8, 8, art.dc, -2, 3, SRCCOPY));
    EXPECT_EQ(screen.surface.Pixel(6, 1), 0xFF000000u);
    EXPECT_EQ(screen.surface.Pixel(7, 1), art.surface.Pixel(0, 3));
    EXPECT_EQ(screen.surface.Pixel(12, 5), art.surface.Pixel(5, 7));
    EXPECT_EQ(screen.surface.Pixel(12, 6), 0xFF000000u);
    // Huge and negative sizes neither crash nor draw outside.
    EXPECT_TRUE(
        BitBlt(screen.dc, -100000, -100000, 1 << 30, 1 << 30, art.dc, -1000, -1000, SRCCOPY));
    EXPECT_TRUE(BitBlt(screen.dc, 0, 0, -5, -5, art.dc, 0, 0, SRCCOPY));
}

TEST(Raster, DcClipAndOriginLimitDrawing) {
    // A window at (10,5) of the screen, clipped to 6 x 4 pixels.
    SurfaceDc window(Surface(40, 30, 0xFF000000u), RECT{10, 5, 16, 9}, POINT{10, 5});
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    const RECT all{-50, -50, 100, 100};
    ASSERT_TRUE(FillRect(window.dc, &all, red));
    int painted = 0;
    for (std::uint32_t p : window.surface.Pixels())
        painted += p == 0xFFFF0000u;
    EXPECT_EQ(painted, 24);
    EXPECT_EQ(window.surface.Pixel(10, 5), 0xFFFF0000u);
    EXPECT_EQ(GetPixel(window.dc, 0, 0), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(window.dc, 6, 0), CLR_INVALID);

    // Save, narrow the clip and move the viewport; restoring undoes both.
    const int saved = SaveDC(window.dc);
    EXPECT_EQ(IntersectClipRect(window.dc, 1, 1, 3, 3), SIMPLEREGION);
    SetViewportOrgEx(window.dc, 1, 1, nullptr);
    EXPECT_EQ(SetPixel(window.dc, 0, 0, RGB(0, 0, 255)), RGB(0, 0, 255));
    EXPECT_EQ(SetPixel(window.dc, 3, 3, RGB(0, 0, 255)), CLR_INVALID);
    EXPECT_EQ(window.surface.Pixel(11, 6), 0xFF0000FFu);
    ASSERT_TRUE(RestoreDC(window.dc, saved));
    EXPECT_EQ(SetPixel(window.dc, 5, 3, RGB(0, 255, 0)), RGB(0, 255, 0));
    EXPECT_FALSE(RestoreDC(window.dc, saved));
    DeleteObject(red);
}

TEST(Raster, RasterOperationsAndShapes) {
    SurfaceDc screen(Surface(16, 16, 0xFF102030u));
    SurfaceDc art(Surface(4, 4, 0xFF0F0F0Fu));
    BitBlt(screen.dc, 0, 0, 4, 4, art.dc, 0, 0, SRCINVERT);
    EXPECT_EQ(screen.surface.Pixel(1, 1), 0xFF1F2F3Fu);
    BitBlt(screen.dc, 0, 0, 4, 4, art.dc, 0, 0, SRCINVERT);
    EXPECT_EQ(screen.surface.Pixel(1, 1), 0xFF102030u);
    BitBlt(screen.dc, 0, 0, 4, 4, art.dc, 0, 0, SRCAND);
    EXPECT_EQ(screen.surface.Pixel(1, 1), 0xFF000000u);
    BitBlt(screen.dc, 0, 0, 4, 4, art.dc, 0, 0, SRCPAINT);
    EXPECT_EQ(screen.surface.Pixel(1, 1), 0xFF0F0F0Fu);
    PatBlt(screen.dc, 0, 0, 2, 2, DSTINVERT);
    EXPECT_EQ(screen.surface.Pixel(1, 1), 0xFFF0F0F0u);
    PatBlt(screen.dc, 0, 0, 2, 2, BLACKNESS);
    EXPECT_EQ(screen.surface.Pixel(0, 0), 0xFF000000u);
    PatBlt(screen.dc, 0, 0, 2, 2, WHITENESS);
    EXPECT_EQ(screen.surface.Pixel(0, 0), 0xFFFFFFFFu);
    SelectObject(screen.dc, GetStockObject(GRAY_BRUSH));
    PatBlt(screen.dc, 0, 0, 2, 2, PATCOPY);
    EXPECT_EQ(screen.surface.Pixel(0, 0), 0xFF808080u);

    // Rectangle: 2-pixel pen frame inside, brush fill within.
    screen.surface.Fill(screen.surface.Bounds(), 0xFF000000u);
    HPEN pen = CreatePen(PS_SOLID, 2, RGB(255, 0, 0));
    HGDIOBJ oldPen = SelectObject(screen.dc, pen);
    SelectObject(screen.dc, GetStockObject(WHITE_BRUSH));
    Rectangle(screen.dc, 2, 2, 10, 10);
    EXPECT_EQ(screen.surface.Pixel(2, 2), 0xFFFF0000u);
    EXPECT_EQ(screen.surface.Pixel(3, 5), 0xFFFF0000u);
    EXPECT_EQ(screen.surface.Pixel(4, 4), 0xFFFFFFFFu);
    EXPECT_EQ(screen.surface.Pixel(9, 9), 0xFFFF0000u);
    EXPECT_EQ(screen.surface.Pixel(10, 10), 0xFF000000u);
    SelectObject(screen.dc, oldPen);
    DeleteObject(pen);

    // Lines leave out their end point; a diagonal touches one pixel per row.
    screen.surface.Fill(screen.surface.Bounds(), 0xFF000000u);
    MoveToEx(screen.dc, 1, 12, nullptr);
    LineTo(screen.dc, 6, 12);
    EXPECT_EQ(screen.surface.Pixel(5, 12), 0xFF000000u | 0);
    SelectObject(screen.dc, GetStockObject(WHITE_PEN));
    MoveToEx(screen.dc, 1, 12, nullptr);
    LineTo(screen.dc, 6, 12);
    EXPECT_EQ(screen.surface.Pixel(1, 12), 0xFFFFFFFFu);
    EXPECT_EQ(screen.surface.Pixel(5, 12), 0xFFFFFFFFu);
    EXPECT_EQ(screen.surface.Pixel(6, 12), 0xFF000000u);
    MoveToEx(screen.dc, 0, 0, nullptr);
    LineTo(screen.dc, 5, 5);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(screen.surface.Pixel(i, i), 0xFFFFFFFFu);
    EXPECT_EQ(screen.surface.Pixel(5, 5), 0xFF000000u);
    MoveToEx(screen.dc, -20, 3, nullptr);
    EXPECT_TRUE(LineTo(screen.dc, 40, 3)); // far outside on both ends

    // FrameRect draws only the border.
    screen.surface.Fill(screen.surface.Bounds(), 0xFF000000u);
    const RECT frame{1, 1, 5, 5};
    FrameRect(screen.dc, &frame, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    EXPECT_EQ(screen.surface.Pixel(1, 1), 0xFFFFFFFFu);
    EXPECT_EQ(screen.surface.Pixel(4, 4), 0xFFFFFFFFu);
    EXPECT_EQ(screen.surface.Pixel(2, 2), 0xFF000000u);
}

TEST(Raster, StretchBltSamplesNearest) {
    SurfaceDc screen(Surface(8, 8, 0xFF000000u));
    SurfaceDc art(Numbered(2, 2));
    ASSERT_TRUE(StretchBlt(screen.dc, 0, 0, 8, 8, art.dc, 0, 0, 2, 2, SRCCOPY));
    EXPECT_EQ(screen.surface.Pixel(3, 3), art.surface.Pixel(0, 0));
    EXPECT_EQ(screen.surface.Pixel(4, 3), art.surface.Pixel(1, 0));
    EXPECT_EQ(screen.surface.Pixel(7, 7), art.surface.Pixel(1, 1));
    ASSERT_TRUE(StretchBlt(screen.dc, -4, -4, 8, 8, art.dc, 0, 0, 2, 2, SRCCOPY));
    EXPECT_EQ(screen.surface.Pixel(0, 0), art.surface.Pixel(1, 1));
}

TEST(Raster, TextRecordsFollowBlitsAndFills) {
    SurfaceDc screen(Surface(100, 100));
    HDC mem = CreateCompatibleDC(screen.dc);
    HBITMAP bmp = CreateCompatibleBitmap(screen.dc, 50, 50);
    HGDIOBJ old = SelectObject(mem, bmp);
    Surface* off = zorun::SurfaceOfDC(mem);
    ASSERT_NE(off, nullptr);
    off->AddText({{5, 5}, u"inside", {5, 5, 30, 18}});
    off->AddText({{40, 40}, u"outside", {40, 40, 60, 52}});
    screen.surface.AddText({{22, 22}, u"covered", {22, 22, 30, 30}});
    screen.surface.AddText({{90, 90}, u"kept", {90, 90, 99, 99}});

    ASSERT_TRUE(BitBlt(screen.dc, 20, 20, 30, 30, mem, 0, 0, SRCCOPY));
    ASSERT_EQ(screen.surface.Texts().size(), 2u);
    EXPECT_EQ(screen.surface.Texts()[0].text, u"kept");
    EXPECT_EQ(screen.surface.Texts()[1],
              (zorun::TextRecord{{25, 25}, u"inside", {25, 25, 50, 38}}));

    // Opaque fills drop what they cover; inversion and hollow brushes do not.
    const RECT box{24, 24, 26, 26};
    PatBlt(screen.dc, 24, 24, 2, 2, DSTINVERT);
    FillRect(screen.dc, &box, static_cast<HBRUSH>(GetStockObject(NULL_BRUSH)));
    EXPECT_EQ(screen.surface.Texts().size(), 2u);
    FillRect(screen.dc, &box, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    ASSERT_EQ(screen.surface.Texts().size(), 1u);
    EXPECT_EQ(screen.surface.Texts()[0].text, u"kept");

    // Scrolling within one surface copies the record; the source pixels
    // that were not overwritten still show the original.
    ASSERT_TRUE(BitBlt(screen.dc, 80, 70, 20, 30, screen.dc, 80, 80, SRCCOPY));
    ASSERT_EQ(screen.surface.Texts().size(), 2u);
    EXPECT_EQ(screen.surface.Texts()[1].position, (zorun::Point{90, 80}));

    SelectObject(mem, old);
    DeleteObject(bmp);
    DeleteDC(mem);
}

TEST(Raster, AlphaIconBlendsOverBackground) {
    SurfaceDc screen(Surface(10, 10, 0xFF204080u));
    const std::uint32_t pixels[4] = {0xFFFF0000u, 0x00FFFFFFu, 0x80FFFFFFu, 0x4000FF00u};
    HICON icon = CreateIconFromArgb(2, 2, pixels);
    ASSERT_NE(icon, nullptr);
    ASSERT_TRUE(DrawIconEx(screen.dc, 3, 4, icon, 0, 0, 0, nullptr, DI_NORMAL));
    EXPECT_EQ(screen.surface.Pixel(3, 4), 0xFFFF0000u);
    EXPECT_EQ(screen.surface.Pixel(4, 4), 0xFF204080u);
    // Half over: (255 * 128 + c * 127 + 127) / 255 per channel.
    EXPECT_EQ(screen.surface.Pixel(3, 5), 0xFF90A0C0u);
    EXPECT_EQ(screen.surface.Pixel(4, 5), 0xFF187060u);
    EXPECT_EQ(screen.surface.Pixel(5, 5), 0xFF204080u);

    // Scaled to 4 x 4 each source pixel covers 2 x 2; hanging off the edge is clipped.
    ASSERT_TRUE(DrawIconEx(screen.dc, 8, 8, icon, 4, 4, 0, nullptr, DI_NORMAL));
    EXPECT_EQ(screen.surface.Pixel(9, 9), 0xFFFF0000u);
    // Shrunk to one pixel: the alpha-weighted average.
    SurfaceDc dot(Surface(1, 1, 0xFF000000u));
    ASSERT_TRUE(DrawIconEx(dot.dc, 0, 0, icon, 1, 1, 0, nullptr, DI_NORMAL));
    EXPECT_NE(dot.surface.Pixel(0, 0), 0xFF000000u);
    SIZE size;
    EXPECT_TRUE(zorun::GetIconSize(icon, &size));
    EXPECT_EQ(size, (SIZE{2, 2}));
    EXPECT_TRUE(DestroyIcon(icon));
    EXPECT_FALSE(DrawIcon(screen.dc, 0, 0, icon));
}

TEST(Raster, ExtremeCoordinatesNeitherCrashNorOverflow) {
    constexpr int kMax = std::numeric_limits<int>::max();
    constexpr int kMin = std::numeric_limits<int>::min();
    SurfaceDc screen(Surface(16, 16, 0xFF000000u));
    SurfaceDc art(Numbered(4, 4));
    const RECT huge{kMin, kMin, kMax, kMax};
    EXPECT_TRUE(FillRect(screen.dc, &huge, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH))));
    EXPECT_EQ(screen.surface.Pixel(15, 15), 0xFFFFFFFFu);
    EXPECT_TRUE(DrawFocusRect(screen.dc, &huge));
    EXPECT_TRUE(DrawFocusRect(screen.dc, &huge));
    EXPECT_EQ(screen.surface.Pixel(0, 0), 0xFFFFFFFFu);
    EXPECT_TRUE(PatBlt(screen.dc, kMax, kMax, kMax, kMax, BLACKNESS));
    EXPECT_TRUE(PatBlt(screen.dc, kMin, kMin, kMax, kMax, DSTINVERT));
    EXPECT_TRUE(BitBlt(screen.dc, kMax, kMin, kMax, kMax, art.dc, kMin, kMax, SRCCOPY));
    EXPECT_TRUE(StretchBlt(screen.dc, kMin, kMin, kMax, kMax, art.dc, 0, 0, 4, 4, SRCCOPY));
    EXPECT_TRUE(StretchBlt(screen.dc, 0, 0, 16, 16, art.dc, kMin, kMin, kMax, kMax, SRCCOPY));
    MoveToEx(screen.dc, kMin, kMin, nullptr);
    EXPECT_TRUE(LineTo(screen.dc, kMax, kMax));
    EXPECT_TRUE(LineTo(screen.dc, kMin, kMax));
    EXPECT_TRUE(Rectangle(screen.dc, kMin, kMin, kMax, kMax));
    RECT text = huge;
    EXPECT_GT(DrawTextW(screen.dc, u"Edge", -1, &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE), 0);
    EXPECT_EQ(text, huge);
    const int dx[2] = {kMax, kMax};
    EXPECT_TRUE(ExtTextOutW(screen.dc, kMax, kMin, 0, nullptr, u"ab", 2, dx));
    EXPECT_TRUE(SetViewportOrgEx(screen.dc, kMax, kMin, nullptr));
    EXPECT_TRUE(FillRect(screen.dc, &huge, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH))));
    EXPECT_NE(IntersectClipRect(screen.dc, kMin, kMin, kMax, kMax), 0);
    const std::uint32_t px[1] = {0xFFFFFFFFu};
    HICON icon = CreateIconFromArgb(1, 1, px);
    EXPECT_TRUE(DrawIconEx(screen.dc, kMin, kMax, icon, 0, 0, 0, nullptr, DI_NORMAL));
    EXPECT_FALSE(DrawIconEx(screen.dc, 0, 0, icon, kMax, kMax, 0, nullptr, DI_NORMAL));
    DestroyIcon(icon);
}

TEST(Raster, DeletedHandlesFailSafely) {
    Surface s(4, 4);
    HDC dc = CreateSurfaceDC(&s, {0, 0}, {0, 0, 4, 4});
    HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
    ASSERT_TRUE(DeleteObject(brush));
    EXPECT_FALSE(DeleteObject(brush));
    const RECT r{0, 0, 4, 4};
    EXPECT_EQ(FillRect(dc, &r, brush), 0);
    EXPECT_EQ(SelectObject(dc, brush), nullptr);
    EXPECT_FALSE(DeleteObject(GetStockObject(WHITE_BRUSH))); // stock objects stay

    HDC mem = CreateCompatibleDC(dc);
    HBITMAP bmp = CreateCompatibleBitmap(dc, 4, 4);
    SelectObject(mem, bmp);
    DeleteObject(bmp);
    EXPECT_FALSE(BitBlt(dc, 0, 0, 4, 4, mem, 0, 0, SRCCOPY));
    EXPECT_FALSE(PatBlt(mem, 0, 0, 1, 1, BLACKNESS));
    DeleteDC(mem);

    ASSERT_TRUE(DeleteDC(dc));
    EXPECT_FALSE(DeleteDC(dc));
    EXPECT_EQ(FillRect(dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH))), 0);
    EXPECT_EQ(GetPixel(dc, 0, 0), CLR_INVALID);
    EXPECT_FALSE(DrawFocusRect(dc, &r));
    EXPECT_EQ(SaveDC(dc), 0);
    EXPECT_FALSE(LineTo(dc, 1, 1));
    EXPECT_EQ(CreateCompatibleBitmap(nullptr, 0, 5), nullptr);
    EXPECT_EQ(CreateCompatibleBitmap(nullptr, 20000, 5), nullptr);
    EXPECT_EQ(zorun::SurfaceOfDC(dc), nullptr);
    EXPECT_FALSE(DestroyIcon(reinterpret_cast<HICON>(std::uintptr_t(12345678))));
}

} // namespace
