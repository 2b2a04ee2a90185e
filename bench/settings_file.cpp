// Loading and saving a large catalogue (256 groups of 60 shortcuts) against
// the floor: reading and writing the same bytes with plain file I/O, with
// and without the flush to disk that a safe save needs.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <unistd.h>

#include "catalogue/SettingsFile.h"
#include "catalogue/SettingsFormat.h"
#include "platform/base/Format.h"
#include "platform/kernel/DeviceRoot.h"

namespace {

namespace fs = std::filesystem;

struct Device {
    Device() {
        std::string pattern = (fs::temp_directory_path() / "zorun-bench-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            std::abort();
        root = pattern;
        zorun::SetDeviceRoot(root);
        fs::create_directories(root / "Windows");
        file = root / "Windows" / "ZorunSetting.qkt";
    }
    ~Device() {
        std::error_code ec;
        fs::remove_all(root, ec);
    }
    fs::path root;
    fs::path file;
};

CatalogueContents LargeCatalogue() {
    CatalogueContents contents;
    for (int s = 0; s < 256; ++s) {
        contents.groupOrder.push_back(static_cast<std::uint8_t>(255 - s));
        contents.groupNames.push_back(zorun::Format(u"Group %d", 255 - s));
        contents.backgroundPaths.push_back(
            zorun::Format(u"\\My Documents\\Pictures\\back %d.bmp", s));
        GroupRecord& group = contents.groupList.emplace_back();
        for (int i = 0; i < 60; ++i)
            group.Append(
                {zorun::Format(u"\\Windows\\Start Menu\\Programs\\Program %d-%d.lnk", s, i),
                 zorun::Format(u"Program %d-%d", s, i), i % 3 ? u"0" : u"145"});
    }
    return contents;
}

Catalogue& Large() {
    static Catalogue catalogue(
        Catalogue::DefaultNames{u"Programs", u"Multimedia", u"Game", u"Favorite"});
    if (catalogue.GroupCount() == 0 && !catalogue.Replace(LargeCatalogue()))
        std::abort();
    return catalogue;
}

void BM_SaveSettings(benchmark::State& state) {
    Device device;
    for (auto _ : state) {
        if (!SaveSettings(Large()))
            state.SkipWithError("save failed");
    }
    state.SetBytesProcessed(state.iterations() *
                            static_cast<std::int64_t>(fs::file_size(device.file)));
}
BENCHMARK(BM_SaveSettings)->Unit(benchmark::kMillisecond);

void BM_LoadSettings(benchmark::State& state) {
    Device device;
    if (!SaveSettings(Large()))
        std::abort();
    for (auto _ : state) {
        Catalogue catalogue(Catalogue::DefaultNames{u"a", u"b", u"c", u"d"});
        if (!LoadSettings(catalogue))
            state.SkipWithError("load failed");
        benchmark::DoNotOptimize(catalogue.GroupCount());
    }
    state.SetBytesProcessed(state.iterations() *
                            static_cast<std::int64_t>(fs::file_size(device.file)));
}
BENCHMARK(BM_LoadSettings)->Unit(benchmark::kMillisecond);

// The same bytes with plain POSIX calls: open, write, (fsync,) close.
void PlainWrite(benchmark::State& state, bool flush) {
    Device device;
    const auto bytes = SerializeSettings(Large()).value();
    for (auto _ : state) {
        int fd = ::open(device.file.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        if (fd < 0 ||
            ::write(fd, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size()) ||
            (flush && ::fsync(fd) != 0))
            state.SkipWithError("write failed");
        ::close(fd);
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes.size()));
}
void BM_PlainWrite(benchmark::State& state) {
    PlainWrite(state, false);
}
void BM_PlainWriteAndFlush(benchmark::State& state) {
    PlainWrite(state, true);
}
BENCHMARK(BM_PlainWrite)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainWriteAndFlush)->Unit(benchmark::kMillisecond);

void BM_PlainRead(benchmark::State& state) {
    Device device;
    if (!SaveSettings(Large()))
        std::abort();
    std::vector<std::uint8_t> buffer(fs::file_size(device.file));
    for (auto _ : state) {
        int fd = ::open(device.file.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0 ||
            ::read(fd, buffer.data(), buffer.size()) != static_cast<ssize_t>(buffer.size()))
            state.SkipWithError("read failed");
        ::close(fd);
        benchmark::DoNotOptimize(buffer.data());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(buffer.size()));
}
BENCHMARK(BM_PlainRead)->Unit(benchmark::kMillisecond);

// The format alone, in memory.
void BM_SerializeSettings(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(SerializeSettings(Large()));
}
BENCHMARK(BM_SerializeSettings)->Unit(benchmark::kMillisecond);

void BM_ParseSettings(benchmark::State& state) {
    const auto bytes = SerializeSettings(Large()).value();
    for (auto _ : state)
        benchmark::DoNotOptimize(ParseSettings(bytes));
}
BENCHMARK(BM_ParseSettings)->Unit(benchmark::kMillisecond);

void BM_IsValidSettings(benchmark::State& state) {
    const auto bytes = SerializeSettings(Large()).value();
    for (auto _ : state)
        benchmark::DoNotOptimize(IsValidSettings(bytes));
}
BENCHMARK(BM_IsValidSettings)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
