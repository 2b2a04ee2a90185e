// DIB sections at every depth, PNG round trips, pictures by number.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>

#include "platform/gdi/Icon.h"
#include "platform/gdi/Png.h"
#include "platform/gdi/Surface.h"
#include "platform/gdi/WinGdi.h"

namespace {

using zorun::Surface;

BITMAPINFO Info(int w, int h, int bpp, DWORD compression = BI_RGB) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = w;
    info.bmiHeader.biHeight = h;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = WORD(bpp);
    info.bmiHeader.biCompression = compression;
    return info;
}

void SetMasks(BITMAPINFO& info, DWORD r, DWORD g, DWORD b) {
    const DWORD masks[3] = {r, g, b};
    std::memcpy(info.bmiColors, masks, sizeof masks);
}

// The pixels of a DIB as they reach a window: selected, then blitted.
Surface Shown(HBITMAP dib, int w, int h) {
    Surface screen(w, h, 0xFF123456u);
    HDC dc = CreateSurfaceDC(&screen, {0, 0}, {0, 0, w, h});
    HDC mem = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(mem, dib);
    EXPECT_TRUE(BitBlt(dc, 0, 0, w, h, mem, 0, 0, SRCCOPY));
    SelectObject(mem, old);
    DeleteDC(mem);
    DeleteDC(dc);
    return screen;
}

TEST(DibSection, EveryDepthDecodesToArgb) {
    // 1 bpp, bottom-up, 3 x 2: the first stored row is the bottom one.
    {
        BITMAPINFO info = Info(3, 2, 1);
        info.bmiColors[0] = {0, 0, 0, 0};
        info.bmiColors[1] = {0x30, 0x20, 0x10, 0};
        void* bits = nullptr;
        HBITMAP dib = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        ASSERT_NE(dib, nullptr);
        auto* b = static_cast<std::uint8_t*>(bits);
        b[0] = 0b10100000; // bottom row: on off on
        b[4] = 0b01000000; // top row (rows padded to 4 bytes)
        Surface s = Shown(dib, 3, 2);
        EXPECT_EQ(s.Pixel(0, 1), 0xFF102030u);
        EXPECT_EQ(s.Pixel(1, 1), 0xFF000000u);
        EXPECT_EQ(s.Pixel(1, 0), 0xFF102030u);
        DeleteObject(dib);
    }
    // 4 bpp, top-down, odd width: high nibble first.
    {
        BITMAPINFO info = Info(3, -1, 4);
        info.bmiHeader.biClrUsed = 3;
        info.bmiColors[2] = {0xFF, 0, 0, 0};
        void* bits = nullptr;
        HBITMAP dib = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        ASSERT_NE(dib, nullptr);
        static_cast<std::uint8_t*>(bits)[0] = 0x02;
        static_cast<std::uint8_t*>(bits)[1] = 0x20;
        Surface s = Shown(dib, 3, 1);
        EXPECT_EQ(s.Pixel(0, 0), 0xFF000000u);
        EXPECT_EQ(s.Pixel(1, 0), 0xFF0000FFu);
        EXPECT_EQ(s.Pixel(2, 0), 0xFF0000FFu);
        DeleteObject(dib);
    }
    // 8 bpp with a 256-colour table.
    {
        BITMAPINFO info = Info(2, 1, 8);
        info.bmiColors[200] = {1, 2, 3, 0};
        void* bits = nullptr;
        HBITMAP dib = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        ASSERT_NE(dib, nullptr);
        static_cast<std::uint8_t*>(bits)[1] = 200;
        Surface s = Shown(dib, 2, 1);
        EXPECT_EQ(s.Pixel(1, 0), 0xFF030201u);
        DeleteObject(dib);
    }
    // 16 bpp: 555 by default, 565 through bit fields.
    {
        BITMAPINFO info = Info(2, 1, 16);
        void* bits = nullptr;
        HBITMAP dib = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        ASSERT_NE(dib, nullptr);
        const std::uint16_t px[2] = {0x7C00, 0x0200}; // full red; green 16 of 31
        std::memcpy(bits, px, sizeof px);
        Surface s = Shown(dib, 2, 1);
        EXPECT_EQ(s.Pixel(0, 0), 0xFFFF0000u);
        EXPECT_EQ(s.Pixel(1, 0), 0xFF008400u);
        DeleteObject(dib);

        BITMAPINFO info565 = Info(1, 1, 16, BI_BITFIELDS);
        SetMasks(info565, 0xF800, 0x07E0, 0x001F);
        dib = CreateDIBSection(nullptr, &info565, DIB_RGB_COLORS, &bits, nullptr, 0);
        ASSERT_NE(dib, nullptr);
        const std::uint16_t green = 0x07E0;
        std::memcpy(bits, &green, 2);
        EXPECT_EQ(Shown(dib, 1, 1).Pixel(0, 0), 0xFF00FF00u);
        DeleteObject(dib);
    }
    // 24 bpp is B, G, R with rows padded: 2 pixels = 6 bytes + 2.
    {
        BITMAPINFO info = Info(2, 2, 24);
        void* bits = nullptr;
        HBITMAP dib = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        ASSERT_NE(dib, nullptr);
        auto* b = static_cast<std::uint8_t*>(bits);
        b[8 + 3] = 0x11; // second stored row = top row, second pixel
        b[8 + 4] = 0x22;
        b[8 + 5] = 0x33;
        Surface s = Shown(dib, 2, 2);
        EXPECT_EQ(s.Pixel(1, 0), 0xFF332211u);
        EXPECT_EQ(s.Pixel(1, 1), 0xFF000000u);
        BITMAP bm{};
        ASSERT_EQ(GetObjectW(dib, sizeof bm, &bm), int(sizeof bm));
        EXPECT_EQ(bm.bmWidthBytes, 8);
        EXPECT_EQ(bm.bmBitsPixel, 24);
        EXPECT_EQ(bm.bmBits, bits);
        DeleteObject(dib);
    }
    // 32 bpp: BGRX (the fourth byte is ignored), and custom bit fields, top-down.
    {
        BITMAPINFO info = Info(1, 1, 32);
        void* bits = nullptr;
        HBITMAP dib = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        ASSERT_NE(dib, nullptr);
        const std::uint32_t px = 0x00A0B0C0;
        std::memcpy(bits, &px, 4);
        EXPECT_EQ(Shown(dib, 1, 1).Pixel(0, 0), 0xFFA0B0C0u);
        DeleteObject(dib);

        BITMAPINFO swapped = Info(1, -2, 32, BI_BITFIELDS);
        SetMasks(swapped, 0x000000FF, 0x0000FF00, 0x00FF0000); // R in the low byte
        dib = CreateDIBSection(nullptr, &swapped, DIB_RGB_COLORS, &bits, nullptr, 0);
        ASSERT_NE(dib, nullptr);
        const std::uint32_t rows[2] = {0x000000FF, 0x00FF0000};
        std::memcpy(bits, rows, sizeof rows);
        Surface s = Shown(dib, 1, 2);
        EXPECT_EQ(s.Pixel(0, 0), 0xFFFF0000u);
        EXPECT_EQ(s.Pixel(0, 1), 0xFF0000FFu);
        DeleteObject(dib);
    }
}

TEST(DibSection, BitsWrittenLaterAndDrawingIntoTheSection) {
    BITMAPINFO info = Info(4, 4, 16);
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    ASSERT_NE(dib, nullptr);
    HDC mem = CreateCompatibleDC(nullptr);
    SelectObject(mem, dib);
    // Drawing reaches the caller's bits.
    const RECT r{0, 0, 4, 1};
    FillRect(mem, &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    const auto* top =
        reinterpret_cast<const std::uint16_t*>(static_cast<std::uint8_t*>(bits) + 3 * 8);
    EXPECT_EQ(top[0], 0x7FFF);
    // Bits changed after selection are what the next blit shows.
    auto* bottom = static_cast<std::uint16_t*>(bits);
    bottom[2] = 0x001F;
    EXPECT_EQ(GetPixel(mem, 2, 3), RGB(0, 0, 255));
    EXPECT_EQ(GetPixel(mem, 0, 0), RGB(255, 255, 255));
    DeleteDC(mem);
    DeleteObject(dib);
}

TEST(DibSection, AbsurdAndUnsupportedFormatsAreRefused) {
    void* bits = reinterpret_cast<void*>(1);
    const BITMAPINFO bad[] = {
        Info(0, 4, 32),       Info(4, 0, 32), Info(16385, 1, 32),     Info(1, -16385, 8),
        Info(16384, 8192, 8), Info(4, 4, 7),  Info(4, 4, 8, BI_RLE8), Info(4, 4, 24, BI_BITFIELDS),
        Info(-4, 4, 32)};
    for (const BITMAPINFO& info : bad) {
        EXPECT_EQ(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0), nullptr);
        EXPECT_EQ(bits, nullptr);
    }
    EXPECT_EQ(CreateDIBSection(nullptr, nullptr, DIB_RGB_COLORS, &bits, nullptr, 0), nullptr);
    BITMAPINFO core = Info(4, 4, 8);
    core.bmiHeader.biSize = 12; // an old core header: fields mean other things
    EXPECT_EQ(CreateDIBSection(nullptr, &core, DIB_RGB_COLORS, &bits, nullptr, 0), nullptr);
    core.bmiHeader.biSize = 0x7FFFFFF0;
    EXPECT_EQ(CreateDIBSection(nullptr, &core, DIB_RGB_COLORS, &bits, nullptr, 0), nullptr);
}

TEST(DibSection, LargerHeadersKeepTheTableAfterThemWithinTheInfo) {
    // A 124-byte header: the table starts after it and is read no further
    // than the BITMAPINFO structure reaches.
    BITMAPINFO info = Info(2, 1, 8);
    info.bmiHeader.biSize = 124;
    auto* bytes = reinterpret_cast<std::uint8_t*>(&info);
    const RGBQUAD second{0x10, 0x20, 0x30, 0};
    std::memcpy(bytes + 124 + 4, &second, 4);
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    ASSERT_NE(dib, nullptr);
    static_cast<std::uint8_t*>(bits)[0] = 1;
    static_cast<std::uint8_t*>(bits)[1] = 255; // beyond the structure: black
    Surface s = Shown(dib, 2, 1);
    EXPECT_EQ(s.Pixel(0, 0), 0xFF302010u);
    EXPECT_EQ(s.Pixel(1, 0), 0xFF000000u);
    DeleteObject(dib);
}

TEST(Png, RoundTripKeepsEveryPixelAndAlpha) {
    Surface s(7, 5, 0);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 7; ++x)
            s.Row(y)[x] = std::uint32_t((x * 40) << 24 | (y * 50) << 16 | (x * 30) << 8 | 0x5A);
    s.Row(0)[0] = 0xFFFFFFFFu;
    const auto bytes = zorun::WritePngToMemory(s);
    ASSERT_FALSE(bytes.empty());
    auto back = zorun::ReadPng(bytes);
    ASSERT_TRUE(back);
    ASSERT_EQ(back->Width(), 7);
    ASSERT_EQ(back->Height(), 5);
    EXPECT_TRUE(std::equal(s.Pixels().begin(), s.Pixels().end(), back->Pixels().begin()));

    const auto dir =
        std::filesystem::temp_directory_path() / ("zorun-png-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const std::string path = (dir / "shot.png").string();
    ASSERT_TRUE(zorun::WritePng(s, path));
    auto fromFile = zorun::ReadPngFile(path);
    ASSERT_TRUE(fromFile);
    EXPECT_EQ(fromFile->Pixel(6, 4), s.Pixel(6, 4));
    EXPECT_FALSE(zorun::WritePng(s, (dir / "missing" / "shot.png").string()));
    std::filesystem::remove_all(dir);
}

TEST(Png, DamagedInputIsRefused) {
    Surface s(16, 16, 0xFF00FF00u);
    auto bytes = zorun::WritePngToMemory(s);
    ASSERT_FALSE(bytes.empty());
    for (std::size_t cut : {std::size_t(0), std::size_t(7), std::size_t(20), bytes.size() / 2}) {
        std::vector<std::uint8_t> part(bytes.begin(), bytes.begin() + std::ptrdiff_t(cut));
        EXPECT_FALSE(zorun::ReadPng(part)) << cut;
    }
    // A header claiming 100000 x 100000 pixels.
    std::vector<std::uint8_t> huge = bytes;
    const std::uint8_t side[4] = {0x00, 0x01, 0x86, 0xA0};
    std::memcpy(huge.data() + 16, side, 4);
    std::memcpy(huge.data() + 20, side, 4);
    EXPECT_FALSE(zorun::ReadPng(huge));
    EXPECT_FALSE(zorun::ReadPngFile("no such file.png"));
}

TEST(Pictures, ProgramIconLoadsByNumber) {
    HICON icon = LoadIconW(nullptr, 128);
    ASSERT_NE(icon, nullptr);
    SIZE size{};
    ASSERT_TRUE(zorun::GetIconSize(icon, &size));
    EXPECT_EQ(size, (SIZE{32, 32}));
    const Surface* px = zorun::IconPixels(icon);
    ASSERT_NE(px, nullptr);
    EXPECT_EQ(px->Pixel(0, 0) >> 24, 0u); // transparent corner
    int opaque = 0;
    for (std::uint32_t p : px->Pixels())
        opaque += (p >> 24) == 0xFF;
    EXPECT_GT(opaque, 300);
    DestroyIcon(icon);
    EXPECT_EQ(LoadIconW(nullptr, 7), nullptr);
    EXPECT_EQ(LoadBitmapW(nullptr, 99999), nullptr);
    EXPECT_EQ(LoadBitmapW(nullptr, 128), nullptr); // an icon, not a bitmap
    EXPECT_EQ(zorun::LoadKeptBitmap(99999), nullptr);
    EXPECT_EQ(zorun::LoadKeptBitmap(128), nullptr);
}

// A bitmap decoded for a caller that keeps it is the one every load gives,
// transparency laid over black included, and each load is a bitmap of its own.
TEST(Pictures, AKeptBitmapIsTheSameAsALoadedOne) {
    int checked = 0;
    for (int number = 100; number < 400; ++number) {
        HBITMAP loaded = LoadBitmapW(nullptr, number);
        if (!loaded)
            continue;
        HBITMAP kept = zorun::LoadKeptBitmap(number);
        ASSERT_NE(kept, nullptr) << number;
        ASSERT_NE(kept, loaded);
        const Surface* a = zorun::SurfaceOfBitmap(loaded);
        const Surface* b = zorun::SurfaceOfBitmap(kept);
        ASSERT_TRUE(a && b);
        EXPECT_EQ(a->Width(), b->Width()) << number;
        EXPECT_TRUE(std::equal(a->Pixels().begin(), a->Pixels().end(), b->Pixels().begin(),
                               b->Pixels().end()))
            << number;
        for (std::uint32_t p : b->Pixels())
            ASSERT_EQ(p >> 24, 0xFFu) << "bitmaps are opaque: " << number;
        DeleteObject(kept);
        DeleteObject(loaded);
        ++checked;
    }
    EXPECT_GT(checked, 10);
}

} // namespace
