// The icon work of one launcher paint: six shortcut cells whose icons come
// from shortcut files and from the host's icon theme, resolved afresh as the
// view does at every paint, against drawing six ready icons.
#include <benchmark/benchmark.h>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>

#include "catalogue/IconResolver.h"
#include "platform/gdi/Png.h"
#include "platform/gdi/Surface.h"
#include "platform/gdi/WinGdi.h"
#include "platform/kernel/DeviceRoot.h"
#include "platform/shell/HostIconIndex.h"

namespace fs = std::filesystem;

namespace {

struct Fixture {
    fs::path tmp;
    Fixture() {
        std::string pattern = (fs::temp_directory_path() / "zorun-bench-icons-XXXXXX").string();
        tmp = mkdtemp(pattern.data());
        fs::create_directories(tmp / "device/Windows/Start Menu");
        fs::create_directories(tmp / "data/applications");
        fs::create_directories(tmp / "data/icons/hicolor/48x48/apps");
        for (int i = 0; i < 6; ++i) {
            const auto name = "tool" + std::to_string(i);
            std::ofstream(tmp / "data/applications" / (name + ".desktop"))
                << "[Desktop Entry]\nType=Application\nExec=" << name << "\nIcon=" << name << "\n";
            (void)zorun::WritePng(
                zorun::Surface(48, 48, 0xFF3060A0u + i),
                (tmp / "data/icons/hicolor/48x48/apps" / (name + ".png")).string());
            std::ofstream(tmp / "device/Windows" / (name + ".exe")) << "#!/bin/sh\n";
            std::ofstream(tmp / "device/Windows/Start Menu" / (name + ".lnk"))
                << "20#\\Windows\\" << name << ".exe -x";
        }
        zorun::SetDeviceRoot(tmp / "device");
        zorun::SetDefaultHostIconIndex(
            std::make_unique<zorun::HostIconIndex>(zorun::IconSearchPaths{{tmp / "data"}, {}}));
    }
    ~Fixture() {
        zorun::SetDefaultHostIconIndex(nullptr);
        fs::remove_all(tmp);
    }
};

void SixShortcutIcons(benchmark::State& state) {
    Fixture fixture;
    HBITMAP canvas = CreateCompatibleBitmap(nullptr, 240, 184);
    HDC dc = CreateCompatibleDC(nullptr);
    SelectObject(dc, canvas);
    const bool viaShortcut = state.range(0) != 0;
    for (auto _ : state)
        for (int i = 0; i < 6; ++i) {
            const auto n = std::to_string(i);
            std::u16string target =
                viaShortcut ? u"\\Windows\\Start Menu\\tool" : u"\\Windows\\tool";
            target += char16_t(u'0' + i);
            target += viaShortcut ? u".lnk" : u".exe";
            HICON icon = ResolveShortcutIcon(target, u"0");
            DrawIcon(dc, (i % 3) * 78 + 25, (i / 3) * 67 + 15, icon);
            DestroyIcon(icon);
        }
    DeleteDC(dc);
    DeleteObject(canvas);
}
BENCHMARK(SixShortcutIcons)
    ->Arg(0)
    ->Arg(1)
    ->ArgNames({"shortcut_files"})
    ->Unit(benchmark::kMicrosecond);

void SixReadyIcons(benchmark::State& state) {
    HBITMAP canvas = CreateCompatibleBitmap(nullptr, 240, 184);
    HDC dc = CreateCompatibleDC(nullptr);
    SelectObject(dc, canvas);
    HICON icon = LoadIconW(nullptr, 155);
    for (auto _ : state)
        for (int i = 0; i < 6; ++i)
            DrawIcon(dc, (i % 3) * 78 + 25, (i / 3) * 67 + 15, icon);
    DestroyIcon(icon);
    DeleteDC(dc);
    DeleteObject(canvas);
}
BENCHMARK(SixReadyIcons)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
