// Loading and saving a large catalogue (256 groups of 60 shortcuts, and 4
// for growth) against the floor: reading and writing the same bytes with
// plain file I/O, with and without the flush to disk that a safe save needs,
// and the plain steps of a crash-safe replacement.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <map>
#include <memory>
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

// `groups` groups of 60 shortcuts (256 is the most a catalogue holds).
CatalogueContents LargeCatalogue(int groups) {
    CatalogueContents contents;
    for (int s = 0; s < groups; ++s) {
        contents.groupOrder.push_back(static_cast<std::uint8_t>(groups - 1 - s));
        contents.groupNames.push_back(zorun::Format(u"Group %d", groups - 1 - s));
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

Catalogue::DefaultNames Names() {
    return {u"Programs", u"Multimedia", u"Game", u"Favorite"};
}

// The catalogue as built in memory: every group decoded.
Catalogue& Large(int groups) {
    static std::map<int, std::unique_ptr<Catalogue>> catalogues;
    auto& catalogue = catalogues[groups];
    if (!catalogue) {
        catalogue = std::make_unique<Catalogue>(Names());
        if (!catalogue->Replace(LargeCatalogue(groups)))
            std::abort();
    }
    return *catalogue;
}

std::int64_t FileSize(const fs::path& file) {
    return static_cast<std::int64_t>(fs::file_size(file));
}

// A start: the file read into a fresh catalogue (the shown group decoded).
void BM_LoadSettings(benchmark::State& state) {
    Device device;
    if (!SaveSettings(Large(static_cast<int>(state.range(0)))))
        std::abort();
    for (auto _ : state) {
        Catalogue catalogue(Names());
        if (!LoadSettings(catalogue))
            state.SkipWithError("load failed");
        benchmark::DoNotOptimize(catalogue.Group(0).Count());
    }
    state.SetBytesProcessed(state.iterations() * FileSize(device.file));
}
BENCHMARK(BM_LoadSettings)->Arg(4)->Arg(256)->Unit(benchmark::kMillisecond);

// "Save" after one change, in a catalogue read from the file (groups not
// shown are still encoded) and in one whose every group was decoded.
void SaveAfterAChange(benchmark::State& state, bool decodeAll) {
    Device device;
    if (!SaveSettings(Large(static_cast<int>(state.range(0)))))
        std::abort();
    Catalogue catalogue(Names());
    if (!LoadSettings(catalogue))
        std::abort();
    if (decodeAll)
        (void)catalogue.Contents();
    std::int32_t mode = 0;
    for (auto _ : state) {
        catalogue.SetSysInfoMode(mode ^= 1);
        if (!SaveSettings(catalogue))
            state.SkipWithError("save failed");
    }
    state.SetBytesProcessed(state.iterations() * FileSize(device.file));
}
void BM_SaveSettings_LoadedCatalogue(benchmark::State& state) {
    SaveAfterAChange(state, false);
}
void BM_SaveSettings_EveryGroupDecoded(benchmark::State& state) {
    SaveAfterAChange(state, true);
}
BENCHMARK(BM_SaveSettings_LoadedCatalogue)->Arg(4)->Arg(256)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveSettings_EveryGroupDecoded)->Arg(4)->Arg(256)->Unit(benchmark::kMillisecond);

// The save at exit with nothing changed since the last save (skipped), and
// with the bytes the same but the catalogue changed and changed back.
void BM_SaveSettings_Unchanged(benchmark::State& state) {
    Device device;
    Catalogue& catalogue = Large(static_cast<int>(state.range(0)));
    if (!SaveSettings(catalogue))
        std::abort();
    for (auto _ : state) {
        if (!SaveSettings(catalogue))
            state.SkipWithError("save failed");
    }
}
void BM_SaveSettings_ChangedBack(benchmark::State& state) {
    Device device;
    Catalogue& catalogue = Large(static_cast<int>(state.range(0)));
    if (!SaveSettings(catalogue))
        std::abort();
    for (auto _ : state) {
        catalogue.SetSysInfoMode(1);
        catalogue.SetSysInfoMode(0);
        if (!SaveSettings(catalogue))
            state.SkipWithError("save failed");
    }
}
BENCHMARK(BM_SaveSettings_Unchanged)->Arg(4)->Arg(256)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveSettings_ChangedBack)->Arg(4)->Arg(256)->Unit(benchmark::kMillisecond);

// Writes `bytes` over `file` with plain POSIX calls: open, write, (fsync,) close.
bool WriteOver(const fs::path& file, const std::vector<std::uint8_t>& bytes, bool flush) {
    int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    const bool written =
        fd >= 0 && ::write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size()) &&
        (!flush || ::fsync(fd) == 0);
    if (fd >= 0)
        ::close(fd);
    return written;
}

// The least a crash-safe replacement of `file` costs with plain POSIX calls:
// a new file beside it, written and flushed, renamed over the old one, and
// the folder flushed so the rename itself survives a power loss. A save
// cannot be cheaper than this without giving up one of those steps.
bool ReplaceSafely(const fs::path& file, const std::vector<std::uint8_t>& bytes) {
    std::string temporary = (file.parent_path() / ".replace-XXXXXX").string();
    int fd = ::mkstemp(temporary.data());
    if (fd < 0)
        return false;
    const bool written =
        ::write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size()) &&
        ::fsync(fd) == 0;
    if (::close(fd) != 0 || !written || ::rename(temporary.c_str(), file.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return false;
    }
    int dir = ::open(file.parent_path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    const bool flushed = dir >= 0 && ::fsync(dir) == 0;
    if (dir >= 0)
        ::close(dir);
    return flushed;
}

// The same bytes with plain POSIX calls: open, write, (fsync,) close.
void PlainWrite(benchmark::State& state, bool flush) {
    Device device;
    const auto bytes = SerializeSettings(Large(static_cast<int>(state.range(0)))).value();
    for (auto _ : state) {
        if (!WriteOver(device.file, bytes, flush))
            state.SkipWithError("write failed");
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes.size()));
}
void BM_PlainWrite(benchmark::State& state) {
    PlainWrite(state, false);
}
void BM_PlainWriteAndFlush(benchmark::State& state) {
    PlainWrite(state, true);
}
BENCHMARK(BM_PlainWrite)->Arg(4)->Arg(256)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainWriteAndFlush)->Arg(4)->Arg(256)->Unit(benchmark::kMillisecond);

// The plain crash-safe replacement of the same bytes (ReplaceSafely).
void BM_PlainSafeReplace(benchmark::State& state) {
    Device device;
    const auto bytes = SerializeSettings(Large(static_cast<int>(state.range(0)))).value();
    for (auto _ : state) {
        if (!ReplaceSafely(device.file, bytes))
            state.SkipWithError("replace failed");
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes.size()));
}
BENCHMARK(BM_PlainSafeReplace)->Arg(4)->Arg(256)->Unit(benchmark::kMillisecond);

// The three side by side, one of each per round, so that the disk's changing
// pace slows them alike: a save after a change (groups left encoded), the
// plain write + fsync and the plain crash-safe replacement of the same bytes.
// The counters are the medians of the ratios within each round.
void BM_SaveAgainstPlainWrites(benchmark::State& state) {
    Device device;
    if (!SaveSettings(Large(256)))
        std::abort();
    Catalogue catalogue(Names());
    if (!LoadSettings(catalogue))
        std::abort();
    const auto bytes = SerializeSettings(catalogue).value();
    const fs::path plain = device.root / "plain.bin";
    auto wallMs = [](auto&& step) {
        const auto start = std::chrono::steady_clock::now();
        step();
        return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
            .count();
    };
    std::vector<double> saveToPlain, saveToSafe, safeToPlain;
    std::int32_t mode = 0;
    for (auto _ : state) {
        const double plainMs = wallMs([&] {
            if (!WriteOver(plain, bytes, true))
                state.SkipWithError("write failed");
        });
        const double safeMs = wallMs([&] {
            if (!ReplaceSafely(plain, bytes))
                state.SkipWithError("replace failed");
        });
        const double saveMs = wallMs([&] {
            catalogue.SetSysInfoMode(mode ^= 1);
            if (!SaveSettings(catalogue))
                state.SkipWithError("save failed");
        });
        saveToPlain.push_back(saveMs / plainMs);
        saveToSafe.push_back(saveMs / safeMs);
        safeToPlain.push_back(safeMs / plainMs);
    }
    auto median = [](std::vector<double> values) {
        std::sort(values.begin(), values.end());
        return values.empty() ? 0.0 : values[values.size() / 2];
    };
    state.counters["save/write+fsync"] = median(saveToPlain);
    state.counters["save/safe-replace"] = median(saveToSafe);
    state.counters["safe-replace/write+fsync"] = median(safeToPlain);
}
BENCHMARK(BM_SaveAgainstPlainWrites)->Iterations(200)->Unit(benchmark::kMillisecond);

void BM_PlainRead(benchmark::State& state) {
    Device device;
    if (!SaveSettings(Large(static_cast<int>(state.range(0)))))
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
BENCHMARK(BM_PlainRead)->Arg(4)->Arg(256)->Unit(benchmark::kMillisecond);

// The format alone, in memory.
void BM_SerializeSettings(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(SerializeSettings(Large(256)));
}
BENCHMARK(BM_SerializeSettings)->Unit(benchmark::kMillisecond);

void BM_ParseSettings(benchmark::State& state) {
    const auto bytes = SerializeSettings(Large(256)).value();
    for (auto _ : state)
        benchmark::DoNotOptimize(ParseSettings(bytes));
}
BENCHMARK(BM_ParseSettings)->Unit(benchmark::kMillisecond);

void BM_IsValidSettings(benchmark::State& state) {
    const auto bytes = SerializeSettings(Large(256)).value();
    for (auto _ : state)
        benchmark::DoNotOptimize(IsValidSettings(bytes));
}
BENCHMARK(BM_IsValidSettings)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
