// Provisioning against a desktop of 200 applications: a start when nothing
// changed (the stamp alone), a first start (the helper asked, the system
// programs and 200 Start-menu shortcuts written), and the start of one
// device program (the helper asked, nothing spawned).
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "app/DeviceProvisioning.h"
#include "app/HostProvisioning.h"
#include "platform/host/HostApplications.h"
#include "platform/kernel/DeviceRoot.h"

namespace fs = std::filesystem;

namespace {

constexpr int kApplications = 200;

struct Desktop {
    fs::path tmp;
    Desktop() {
        std::string pattern = (fs::temp_directory_path() / "zorun-bench-host-XXXXXX").string();
        tmp = mkdtemp(pattern.data());
        const fs::path apps = tmp / "data/applications";
        fs::create_directories(apps);
        fs::create_directories(tmp / "config");
        std::ofstream cache(apps / "mimeinfo.cache");
        cache << "[MIME Cache]\n";
        static const char* kinds[] = {"Network;WebBrowser;", "Office;Spreadsheet;",
                                      "AudioVideo;Player;", "Game;CardGame;", "Utility;"};
        for (int i = 0; i < kApplications; ++i) {
            const std::string id = "org.example.App" + std::to_string(i);
            std::ofstream(apps / (id + ".desktop"))
                << "[Desktop Entry]\nType=Application\nName=Application " << i
                << "\nName[de]=Anwendung " << i << "\nComment=Does thing " << i << "\nIcon=" << id
                << "\nExec=true %U\nCategories=" << kinds[i % 5] << "\nMimeType=text/x-app" << i
                << ";\nKeywords=one;two;three;\n";
            cache << "text/x-app" << i << "=" << id << ".desktop;\n";
        }
        cache << "x-scheme-handler/http=org.example.App0.desktop;\n";
        setenv("XDG_DATA_HOME", (tmp / "data").c_str(), 1);
        setenv("XDG_DATA_DIRS", (tmp / "none").c_str(), 1);
        setenv("XDG_CONFIG_HOME", (tmp / "config").c_str(), 1);
        setenv("XDG_CONFIG_DIRS", (tmp / "none").c_str(), 1);
        if (!std::getenv("ZORUN_HOST_HELPER")) {
            const fs::path self = fs::read_symlink("/proc/self/exe");
            setenv("ZORUN_HOST_HELPER",
                   (self.parent_path().parent_path() / "app/zorun-host").c_str(), 1);
        }
    }
    ~Desktop() { fs::remove_all(tmp); }
    void FreshDevice() const {
        fs::remove_all(tmp / "device");
        zorun::SetDeviceRoot(tmp / "device");
        (void)ProvisionDeviceRoot(tmp / "device");
    }
};

Desktop& TheDesktop() {
    static Desktop desktop;
    return desktop;
}

void BM_StartNothingChanged(benchmark::State& state) {
    TheDesktop().FreshDevice();
    if (!SyncHostPrograms(LanguageDefaultCatalogueTexts()))
        state.SkipWithError("provisioning failed (is zorun-host built?)");
    for (auto _ : state)
        benchmark::DoNotOptimize(SyncHostPrograms(LanguageDefaultCatalogueTexts()));
}
BENCHMARK(BM_StartNothingChanged)->Unit(benchmark::kMicrosecond);

void BM_FirstStart(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        TheDesktop().FreshDevice();
        state.ResumeTiming();
        if (!SyncHostPrograms(LanguageDefaultCatalogueTexts()))
            state.SkipWithError("provisioning failed (is zorun-host built?)");
    }
}
BENCHMARK(BM_FirstStart)->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_ResolveDeviceProgram(benchmark::State& state) {
    (void)TheDesktop();
    const std::vector<zorun::HostCandidate> browser{
        {zorun::HostCandidate::Kind::Default, "x-scheme-handler/http", {}},
        {zorun::HostCandidate::Kind::Category, "WebBrowser", {}}};
    for (auto _ : state)
        if (!zorun::ResolveHostLaunch(browser))
            state.SkipWithError("nothing found (is zorun-host built?)");
}
BENCHMARK(BM_ResolveDeviceProgram)->Unit(benchmark::kMillisecond)->Iterations(20);

} // namespace

BENCHMARK_MAIN();
