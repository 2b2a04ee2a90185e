// Paints of the launcher pane (frame, tab strip, tiled background, six
// shortcuts whose icons come from shortcut files and the host's icon theme,
// labels, captions): repainted with nothing changed, after a page turn and
// after a group switch; against putting the same pixels on the screen with
// one plain blit.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>

#include "catalogue/Catalogue.h"
#include "catalogue/IconResolver.h"
#include "catalogue/ProgramHost.h"
#include "launcher/CZorunView.h"
#include "platform/afx/CWinApp.h"
#include "platform/base/Clock.h"
#include "platform/gdi/Icon.h"
#include "platform/gdi/Png.h"
#include "platform/gdi/Surface.h"
#include "platform/kernel/DeviceRoot.h"
#include "platform/shell/HostIconIndex.h"
#include "platform/user/Screen.h"

namespace fs = std::filesystem;

namespace {

class BenchFrame : public CWnd, public ProgramHost {
  public:
    Catalogue& GetCatalogue() override { return catalogue; }
    int GetSysInfoMode() const override { return 0; }
    void SetSysInfoMode(int) override {}
    bool IsClearTypeOn() const override { return true; }
    void SetLauncherView(CZorunView* v) override { view = v; }
    CZorunView* GetLauncherView() const override { return view; }
    bool IsPageBarHeld() const override { return false; }
    void OnPageBarRelease(HWND, UINT, POINT) override {}
    HWND GetSplitterWindow() const override { return nullptr; }

    Catalogue catalogue;
    CZorunView* view = nullptr;
};

void WriteFile(const fs::path& path, const std::string& bytes) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

// A 32 x 32 PNG icon of one colour with a transparent corner.
void WriteIcon(const fs::path& path, std::uint32_t argb) {
    zorun::Surface icon(32, 32, argb);
    icon.Fill({0, 0, 8, 8}, 0x00000000u);
    fs::create_directories(path.parent_path());
    (void)zorun::WritePng(icon, path.string());
}

std::string Bmp24(int width, int height) {
    const int stride = (width * 3 + 3) / 4 * 4;
    std::string b = "BM";
    auto put = [&b](std::uint32_t v, int n) {
        for (int i = 0; i < n; ++i)
            b += static_cast<char>((v >> (8 * i)) & 0xFF);
    };
    put(54 + stride * height, 4), put(0, 4), put(54, 4), put(40, 4), put(width, 4);
    put(height, 4), put(1, 2), put(24, 2), put(0, 4), put(stride * height, 4);
    put(0, 4), put(0, 4), put(0, 4), put(0, 4);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < stride; ++x)
            b += static_cast<char>(x < width * 3 ? (x * 7 + y * 3) & 0xFF : 0);
    return b;
}

// The program's state for the whole run: a device root with shortcut files
// and programs, a host icon theme, and the view showing six shortcuts.
struct Pane {
    Pane() {
        std::string pattern = (fs::temp_directory_path() / "zorun-bench-XXXXXX").string();
        root = mkdtemp(pattern.data());
        const fs::path device = root / "device";
        const fs::path share = root / "share";
        zorun::SetDeviceRoot(device);
        zorun::SetCurrentClock(&clock);

        // Three shortcut files naming their icon files; three programs whose
        // icons come from desktop entries and the hicolor theme.
        for (int i = 0; i < 3; ++i) {
            const std::string n = std::to_string(i);
            WriteIcon(device / "Icons" / ("icon" + n + ".png"), 0xFF204080u + 0x1000u * i);
            WriteFile(device / "Windows" / "Start Menu" / ("link" + n + ".lnk"),
                      "20#\\Windows\\prog.exe?\\Icons\\icon" + n + ".png,-0");
            WriteFile(root / "bin" / ("tool" + n), "#!/bin/sh\n");
            fs::permissions(root / "bin" / ("tool" + n), fs::perms::owner_all);
            fs::create_directories(device / "Windows");
            fs::create_symlink(root / "bin" / ("tool" + n),
                               device / "Windows" / ("tool" + n + ".exe"));
            WriteFile(share / "applications" / ("tool" + n + ".desktop"),
                      "[Desktop Entry]\nType=Application\nName=Tool\nExec=tool" + n +
                          " %U\nIcon=toolicon" + n + "\n");
            WriteIcon(share / "icons" / "hicolor" / "32x32" / "apps" / ("toolicon" + n + ".png"),
                      0xFF806020u + 0x10u * i);
        }
        WriteFile(device / "Windows" / "skin 1.bmp", Bmp24(60, 50));
        zorun::IconSearchPaths paths;
        paths.dataDirs = {share};
        zorun::SetDefaultHostIconIndex(std::make_unique<zorun::HostIconIndex>(paths));

        app = std::make_unique<CWinApp>(u"Zorun");
        frame = std::make_unique<BenchFrame>();
        CatalogueContents contents;
        for (int p = 0; p < 4; ++p) {
            contents.groupNames.push_back(p == 0 ? u"Programs"
                                                 : u"Group" + std::u16string(1, u'1' + p));
            contents.groupOrder.push_back(static_cast<std::uint8_t>(p));
            contents.backgroundPaths.push_back(p < 2 ? u"\\Windows\\skin 1.bmp" : u"");
            contents.groupList.emplace_back();
        }
        // Two pages in the first group, one in the second.
        for (int page = 0; page < 2; ++page) {
            for (int i = 0; i < 3; ++i) {
                const std::u16string n(1, u'0' + i);
                const std::u16string p(page ? u" again" : u"");
                contents.groupList[0].Append(
                    {u"\\Windows\\Start Menu\\link" + n + u".lnk", u"Link " + n + p, u"0"});
                contents.groupList[0].Append(
                    {u"\\Windows\\tool" + n + u".exe", u"Tool with a long name " + n + p, u"0"});
            }
        }
        for (int i = 0; i < 6; ++i)
            contents.groupList[1].Append({u"\\Windows\\tool0.exe",
                                          u"Second " + std::u16string(1, u'0' + i),
                                          i % 2 ? u"0" : u"145"});
        (void)frame->catalogue.Replace(std::move(contents));
        (void)frame->CreateEx(0, u"BenchFrame", u"Zorun", WS_POPUP | WS_VISIBLE,
                              RECT{0, 26, 240, 294}, nullptr, 0);
        app->SetMainWnd(frame.get());
        auto* created = new CZorunView();
        (void)created->Create(nullptr, u"", WS_CHILD | WS_VISIBLE, RECT{0, 85, 240, 268},
                              frame.get(), 1);
        created->SendMessage(WM_INITIALUPDATE);
        view = created;
        UpdateWindow(view->GetSafeHwnd());
        hwnd = view->GetSafeHwnd();
        for (const std::u16string& target : frame->catalogue.Group(0).targets)
            iconsFound = iconsFound && HasOwnIcon(target);
    }

    // True when the target's icon is its own, not the generic one.
    static bool HasOwnIcon(const std::u16string& target) {
        HICON own = ResolveShortcutIcon(target, u"0");
        HICON generic = LoadIconW(nullptr, kGenericProgramIcon);
        const zorun::Surface* a = zorun::IconPixels(own);
        const zorun::Surface* b = zorun::IconPixels(generic);
        const bool differs = a && b &&
                             !std::equal(a->Pixels().begin(), a->Pixels().end(),
                                         b->Pixels().begin(), b->Pixels().end());
        DestroyIcon(own);
        DestroyIcon(generic);
        return differs;
    }
    ~Pane() {
        frame->DestroyWindow();
        app->m_pMainWnd = nullptr;
        app.reset();
        frame.reset();
        zorun::ResetWindowSystem();
        zorun::SetCurrentClock(nullptr);
        std::error_code ignored;
        fs::remove_all(root, ignored);
    }

    zorun::VirtualClock clock{0};
    fs::path root;
    std::unique_ptr<CWinApp> app;
    std::unique_ptr<BenchFrame> frame;
    HWND hwnd = nullptr;
    CZorunView* view = nullptr;
    bool iconsFound = true;
};

Pane& ThePane() {
    static Pane pane;
    return pane;
}

void BM_PaintLauncherPane(benchmark::State& state) {
    Pane& pane = ThePane();
    if (!pane.iconsFound) {
        state.SkipWithError("the shortcuts' own icons were not found");
        return;
    }
    for (auto _ : state) {
        InvalidateRect(pane.hwnd, nullptr, TRUE);
        UpdateWindow(pane.hwnd);
    }
}
BENCHMARK(BM_PaintLauncherPane)->Unit(benchmark::kMicrosecond);

// A page turn: the next page, then back (each iteration is two turns).
void BM_PageTurnTwice(benchmark::State& state) {
    Pane& pane = ThePane();
    for (auto _ : state) {
        SendMessageW(pane.hwnd, 0x4CA, 0, 0);
        UpdateWindow(pane.hwnd);
        SendMessageW(pane.hwnd, 0x4C9, 0, 0);
        UpdateWindow(pane.hwnd);
    }
    if (pane.view->FirstItem() != 0)
        state.SkipWithError("the pages did not turn");
}
BENCHMARK(BM_PageTurnTwice)->Unit(benchmark::kMicrosecond);

// A group switch: the second tab, then the first (two switches).
void BM_GroupSwitchTwice(benchmark::State& state) {
    Pane& pane = ThePane();
    for (auto _ : state) {
        pane.view->SelectGroup(2);
        UpdateWindow(pane.hwnd);
        pane.view->SelectGroup(1);
        UpdateWindow(pane.hwnd);
    }
    if (pane.view->CurrentGroup() != 0)
        state.SkipWithError("the groups did not switch");
}
BENCHMARK(BM_GroupSwitchTwice)->Unit(benchmark::kMicrosecond);

// The same pixels, already composed, put on the pane with one blit.
void BM_BlitSamePixels(benchmark::State& state) {
    Pane& pane = ThePane();
    HDC window = GetDC(pane.hwnd);
    HDC memory = CreateCompatibleDC(window);
    HBITMAP pixels = CreateCompatibleBitmap(window, 240, 183);
    HGDIOBJ old = SelectObject(memory, pixels);
    BitBlt(memory, 0, 0, 240, 183, window, 0, 0, SRCCOPY);
    for (auto _ : state)
        BitBlt(window, 0, 0, 240, 183, memory, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    DeleteObject(pixels);
    DeleteDC(memory);
    ReleaseDC(pane.hwnd, window);
}
BENCHMARK(BM_BlitSamePixels)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
