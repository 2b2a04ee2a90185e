// Composing one 240 x 320 frame the way the program paints: a background
// picture, the launcher frame, six alpha icons with labels, composed off
// screen and copied to the screen in one transfer.

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "platform/gdi/Icon.h"
#include "platform/gdi/Surface.h"
#include "platform/gdi/WinGdi.h"

namespace {

struct Scene {
    zorun::Surface screen{240, 320};
    HDC screenDc = nullptr;
    HDC memDc = nullptr;
    HDC artDc = nullptr;
    HBITMAP offscreen = nullptr;
    HBITMAP background = nullptr;
    HBITMAP frame = nullptr;
    HICON icon = nullptr;
    HFONT font = nullptr;

    Scene() {
        screenDc = CreateSurfaceDC(&screen, {0, 0}, {0, 0, 240, 320});
        memDc = CreateCompatibleDC(screenDc);
        artDc = CreateCompatibleDC(screenDc);
        offscreen = CreateCompatibleBitmap(screenDc, 240, 268);
        background = Picture(240, 268, 0x336699);
        frame = Picture(240, 184, 0x99AACC);
        std::vector<std::uint32_t> argb(32 * 32);
        for (int i = 0; i < 32 * 32; ++i)
            argb[std::size_t(i)] = (i % 32 < 2 || i / 32 < 2) ? 0u : 0xC0208040u + std::uint32_t(i);
        icon = CreateIconFromArgb(32, 32, argb.data());
        LOGFONTW lf{};
        lf.lfHeight = -13;
        lf.lfQuality = CLEARTYPE_QUALITY;
        const std::u16string face = u"Tahoma";
        std::copy(face.begin(), face.end(), lf.lfFaceName);
        font = CreateFontIndirectW(&lf);
    }
    ~Scene() {
        DeleteDC(artDc);
        DeleteDC(memDc);
        DeleteDC(screenDc);
        DeleteObject(offscreen);
        DeleteObject(background);
        DeleteObject(frame);
        DeleteObject(font);
        DestroyIcon(icon);
    }
    HBITMAP Picture(int w, int h, std::uint32_t base) {
        zorun::Surface s(w, h);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                s.Row(y)[x] = 0xFF000000u | (base + std::uint32_t((x ^ y) & 0x1F));
        return zorun::CreateBitmapFromSurface(std::move(s));
    }

    void Compose() {
        HGDIOBJ oldMem = SelectObject(memDc, offscreen);
        HGDIOBJ oldArt = SelectObject(artDc, background);
        BitBlt(memDc, 0, 0, 240, 268, artDc, 0, 0, SRCCOPY);
        SelectObject(artDc, frame);
        BitBlt(memDc, 0, 84, 240, 184, artDc, 0, 0, SRCPAINT);
        HGDIOBJ oldFont = SelectObject(memDc, font);
        SetBkMode(memDc, TRANSPARENT);
        SetTextColor(memDc, RGB(255, 255, 255));
        static const char16_t* labels[6] = {u"Mail",  u"Calendar", u"Contacts",
                                            u"Tasks", u"Notes",    u"Settings"};
        for (int i = 0; i < 6; ++i) {
            const int x = (i % 3) * 80, y = 90 + (i / 3) * 80;
            DrawIconEx(memDc, x + 24, y + 8, icon, 0, 0, 0, nullptr, DI_NORMAL);
            RECT label{x, y + 44, x + 80, y + 60};
            DrawTextW(memDc, labels[i], -1, &label, DT_CENTER | DT_SINGLELINE | DT_NOPREFIX);
        }
        RECT focus{2, 88, 78, 166};
        DrawFocusRect(memDc, &focus);
        BitBlt(screenDc, 0, 26, 240, 268, memDc, 0, 0, SRCCOPY);
        SelectObject(memDc, oldFont);
        SelectObject(artDc, oldArt);
        SelectObject(memDc, oldMem);
    }
};

void BM_ComposeFrame(benchmark::State& state) {
    Scene scene;
    scene.Compose(); // warm the glyph cache, as after the first paint
    for (auto _ : state) {
        scene.Compose();
        benchmark::DoNotOptimize(scene.screen.Pixels().data());
    }
}
BENCHMARK(BM_ComposeFrame)->Unit(benchmark::kMicrosecond);

void BM_FullScreenBlit(benchmark::State& state) {
    Scene scene;
    HGDIOBJ old = SelectObject(scene.memDc, scene.offscreen);
    for (auto _ : state) {
        BitBlt(scene.screenDc, 0, 26, 240, 268, scene.memDc, 0, 0, SRCCOPY);
        benchmark::DoNotOptimize(scene.screen.Pixels().data());
    }
    SelectObject(scene.memDc, old);
}
BENCHMARK(BM_FullScreenBlit)->Unit(benchmark::kMicrosecond);

// One shortcut label: measured for its ellipsis, then drawn centred.
void BM_MeasureAndDrawLabel(benchmark::State& state) {
    Scene scene;
    HGDIOBJ oldMem = SelectObject(scene.memDc, scene.offscreen);
    HGDIOBJ oldFont = SelectObject(scene.memDc, scene.font);
    SetBkMode(scene.memDc, TRANSPARENT);
    const std::u16string label = u"Calendar 日本";
    for (auto _ : state) {
        int fit = 0;
        SIZE size{};
        GetTextExtentExPointW(scene.memDc, label.c_str(), int(label.size()), 70, &fit, nullptr,
                              &size);
        RECT r{0, 52, 78, 72};
        benchmark::DoNotOptimize(
            DrawTextW(scene.memDc, label.c_str(), -1, &r, DT_CENTER | DT_SINGLELINE));
    }
    SelectObject(scene.memDc, oldFont);
    SelectObject(scene.memDc, oldMem);
}
BENCHMARK(BM_MeasureAndDrawLabel)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
