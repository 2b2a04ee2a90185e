// The icon theme lookup: loading a theme chain (index.theme files read, the
// picture folders listed) the first time an icon is asked for, a lookup
// afterwards, the identity check made every few seconds, and drawing an SVG
// icon (the first drawing opens librsvg).
//
// Two theme sets: a generated one the size of a full desktop theme (120
// folders, 6,000 pictures, with hicolor beside it), and the machine's own
// (/usr/share/icons, "Adwaita" then hicolor) where it has them.

#include <benchmark/benchmark.h>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/shell/IconImage.h"
#include "platform/shell/IconThemeLookup.h"
#include "platform/shell/SvgIcon.h"

namespace fs = std::filesystem;

namespace {

struct Generated {
    fs::path root;
    Generated() {
        std::string pattern = (fs::temp_directory_path() / "zorun-bench-theme-XXXXXX").string();
        root = mkdtemp(pattern.data());
        const char* contexts[] = {"actions",   "apps",   "categories", "devices", "emblems",
                                  "mimetypes", "places", "status",     "legacy",  "ui"};
        const int sizes[] = {8, 16, 22, 24, 32, 48, 64, 96, 128, 256, 512};
        std::string dirs, sections;
        for (const int size : sizes)
            for (const char* context : contexts) {
                const std::string dir =
                    std::to_string(size) + "x" + std::to_string(size) + "/" + context;
                dirs += (dirs.empty() ? "" : ",") + dir;
                sections += "[" + dir + "]\nSize=" + std::to_string(size) + "\nType=Fixed\n";
                fs::create_directories(root / "icons/Big" / dir);
                for (int i = 0; i < 55; ++i)
                    std::ofstream(root / "icons/Big" / dir /
                                  (std::string(context) + "-" + std::to_string(i) + ".png"));
            }
        std::ofstream(root / "icons/Big/index.theme")
            << "[Icon Theme]\nInherits=hicolor\nDirectories=" << dirs << "\n"
            << sections;
        fs::create_directories(root / "icons/hicolor/48x48/apps");
        std::ofstream(root / "icons/hicolor/index.theme")
            << "[Icon Theme]\nDirectories=48x48/apps\n[48x48/apps]\nSize=48\n";
        for (int i = 0; i < 300; ++i)
            std::ofstream(root / "icons/hicolor/48x48/apps" / ("app" + std::to_string(i) + ".png"));
    }
    ~Generated() { fs::remove_all(root); }
};

zorun::IconThemeLookup::Sources GeneratedSources() {
    static Generated generated;
    zorun::IconThemeLookup::Sources s;
    s.bases = {generated.root / "missing-home-icons", generated.root / "icons"};
    s.themes = {"Big"};
    return s;
}

zorun::IconThemeLookup::Sources MachineSources() {
    zorun::IconThemeLookup::Sources s;
    s.bases = {"/usr/local/share/icons", "/usr/share/icons"};
    s.pixmaps = {"/usr/share/pixmaps"};
    s.themes = {"Adwaita"};
    return s;
}

void FirstLookup(benchmark::State& state, const zorun::IconThemeLookup::Sources& sources) {
    std::size_t files = 0;
    for (auto _ : state) {
        zorun::IconThemeLookup lookup(sources);
        files += lookup.Find("app7", 32).has_value();
        benchmark::DoNotOptimize(files);
    }
    zorun::IconThemeLookup lookup(sources);
    state.SetLabel(std::to_string(lookup.Chain().size()) + " themes");
}

void BM_FirstLookup_Generated(benchmark::State& state) {
    FirstLookup(state, GeneratedSources());
}
BENCHMARK(BM_FirstLookup_Generated)->Unit(benchmark::kMillisecond);

void BM_FirstLookup_Machine(benchmark::State& state) {
    if (!fs::exists("/usr/share/icons/hicolor/index.theme")) {
        state.SkipWithError("no hicolor theme on this machine");
        return;
    }
    FirstLookup(state, MachineSources());
}
BENCHMARK(BM_FirstLookup_Machine)->Unit(benchmark::kMillisecond);

void BM_LaterLookup(benchmark::State& state) {
    zorun::IconThemeLookup lookup(GeneratedSources());
    (void)lookup.Find("app7", 32);
    for (auto _ : state)
        benchmark::DoNotOptimize(lookup.Find(state.range(0) ? "app7" : "nowhere", 32));
}
BENCHMARK(BM_LaterLookup)->Arg(1)->Arg(0)->ArgNames({"found"})->Unit(benchmark::kMicrosecond);

// The identity check a lookup makes every few seconds, over every folder read.
void BM_Recheck(benchmark::State& state) {
    zorun::IconThemeLookup lookup(GeneratedSources());
    (void)lookup.Find("app7", 32);
    for (auto _ : state)
        benchmark::DoNotOptimize(lookup.Recheck());
}
BENCHMARK(BM_Recheck)->Unit(benchmark::kMillisecond);

const std::string kSvg =
    "<svg xmlns='http://www.w3.org/2000/svg' viewBox='0 0 48 48'>"
    "<rect x='4' y='4' width='40' height='40' rx='6' fill='#3465a4'/>"
    "<circle cx='24' cy='24' r='12' fill='#fce94f' stroke='#000' stroke-width='2'/></svg>";

// The first drawing opens librsvg and the libraries it needs: once a run.
void BM_SvgFirstOpensTheLibrary(benchmark::State& state) {
    const auto bytes = std::span(reinterpret_cast<const std::uint8_t*>(kSvg.data()), kSvg.size());
    for (auto _ : state)
        benchmark::DoNotOptimize(zorun::DecodeSvgIcon(bytes, 32));
}
BENCHMARK(BM_SvgFirstOpensTheLibrary)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_SvgAt32(benchmark::State& state) {
    const auto bytes = std::span(reinterpret_cast<const std::uint8_t*>(kSvg.data()), kSvg.size());
    for (auto _ : state)
        benchmark::DoNotOptimize(zorun::DecodeSvgIcon(bytes, 32));
}
BENCHMARK(BM_SvgAt32)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
