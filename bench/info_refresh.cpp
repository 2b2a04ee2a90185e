// One refresh tick of the information panel (all seven sources) against a
// large device: a Maildir of 10,000 messages (1,000 and 100,000 for
// growth), a calendar of 2,000 events and 500 tasks. Beside it, the cost of merely listing the same
// Maildir and reading the same .ics bytes with plain file I/O, and the first (cold) tick that
// parses everything.

#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdlib>
#include <dirent.h>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <thread>

#include "info/InfoSources.h"
#include "platform/base/Text.h"
#include "platform/kernel/Memory.h"
#include "platform/kernel/Power.h"
#include "platform/kernel/Store.h"
#include "platform/pim/MessageStore.h"
#include "platform/pim/Organiser.h"

namespace fs = std::filesystem;

namespace {

std::string EventText(int i) {
    char buf[256];
    const int day = 1 + i % 28, month = 1 + (i / 28) % 12, hour = 8 + i % 10;
    std::snprintf(buf, sizeof buf,
                  "BEGIN:VEVENT\r\nUID:event-%d@bench\r\nDTSTAMP:20260101T000000Z\r\n"
                  "DTSTART:2026%02d%02dT%02d0000Z\r\nDTEND:2026%02d%02dT%02d3000Z\r\n"
                  "SUMMARY:Meeting number %d\r\nLOCATION:Room %d\r\nEND:VEVENT\r\n",
                  i, month, day, hour, month, day, hour, i, i % 40);
    return buf;
}

std::string TaskText(int i) {
    return "BEGIN:VTODO\r\nUID:task-" + std::to_string(i) +
           "@bench\r\nDTSTAMP:20260101T000000Z\r\nSUMMARY:Task " + std::to_string(i) +
           "\r\nSTATUS:" + (i % 2 ? "COMPLETED" : "NEEDS-ACTION") + "\r\nEND:VTODO\r\n";
}

const std::string kHeader = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//bench//EN\r\n";
const std::string kFooter = "END:VCALENDAR\r\n";

struct Device {
    fs::path root;
    int mails;
    explicit Device(int mailCount) : mails(mailCount) {
        std::string pattern = (fs::temp_directory_path() / "zorun-bench-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            std::abort();
        root = pattern;
        for (const char* d : {"Maildir/new", "Maildir/cur", "Maildir/tmp", "vdir", "power/BAT0"})
            fs::create_directories(root / d);
        for (int i = 0; i < mails; ++i) {
            const std::string name =
                std::to_string(1700000000 + i) + ".M" + std::to_string(i) + "P1.bench";
            if (i < mails / 20)
                std::ofstream(root / "Maildir/new" / name) << "Subject: " << i << "\n\nbody\n";
            else
                std::ofstream(root / "Maildir/cur" / (name + (i % 10 ? ":2,S" : ":2,")))
                    << "Subject: " << i << "\n\nbody\n";
        }
        std::ofstream calendar(root / "calendar.ics", std::ios::binary);
        calendar << kHeader;
        for (int i = 0; i < 2000; ++i) {
            calendar << EventText(i);
            std::ofstream(root / "vdir" / ("event-" + std::to_string(i) + ".ics"), std::ios::binary)
                << kHeader << EventText(i) << kFooter;
        }
        calendar << kFooter;
        calendar.close();
        std::ofstream tasks(root / "tasks.ics", std::ios::binary);
        tasks << kHeader;
        for (int i = 0; i < 500; ++i)
            tasks << TaskText(i);
        tasks << kFooter;
        tasks.close();
        std::ofstream(root / "power/BAT0/type") << "Battery\n";
        std::ofstream(root / "power/BAT0/capacity") << "67\n";

        zorun::SetMaildirFolder(root / "Maildir");
        zorun::SetTaskSources(std::vector<fs::path>{root / "tasks.ics"});
        zorun::SetPowerSupplyFolder(root / "power");
        zorun::SetStoreFolder(root);
        // The indexes trust only folders and files that have been still for a
        // moment; let the new ones settle as a user's would have.
        std::this_thread::sleep_for(std::chrono::milliseconds(2100));
    }
    ~Device() { fs::remove_all(root); }
};

// 10,000 mails unless the benchmark's argument says otherwise.
Device& TheDevice(int mails = 10000) {
    static std::map<int, std::unique_ptr<Device>> devices;
    auto& device = devices[mails];
    if (!device)
        device = std::make_unique<Device>(mails);
    zorun::SetMaildirFolder(device->root / "Maildir");
    zorun::SetTaskSources(std::vector<fs::path>{device->root / "tasks.ics"});
    zorun::SetPowerSupplyFolder(device->root / "power");
    zorun::SetStoreFolder(device->root);
    return *device;
}

void RefreshTick(benchmark::State& state, const fs::path& calendar) {
    zorun::SetCalendarSources(std::vector<fs::path>{calendar});
    InfoSources sources;
    InfoTexts texts;
    sources.ReadAll(texts); // the first tick parses and indexes
    for (auto _ : state) {
        sources.ReadAll(texts);
        benchmark::DoNotOptimize(texts);
    }
    state.SetLabel(zorun::ToUtf8(texts.inbox + u" | " + texts.calendar + u" | " + texts.tasks));
}

void BM_RefreshTick_OneCalendarFile(benchmark::State& state) {
    RefreshTick(state, TheDevice().root / "calendar.ics");
}
BENCHMARK(BM_RefreshTick_OneCalendarFile)->Unit(benchmark::kMillisecond);

void BM_RefreshTick_VdirOf2000Files(benchmark::State& state) {
    RefreshTick(state, TheDevice().root / "vdir");
}
BENCHMARK(BM_RefreshTick_VdirOf2000Files)->Unit(benchmark::kMillisecond);

// Growth: the tick with 1,000 and 100,000 mails (one calendar file), with
// nothing changed, after a new mail arrived in new/ and after one mail in
// cur/ was read (renamed with the S flag), the two changes a tick sees.
void MailTick(benchmark::State& state, int change) {
    Device& device = TheDevice(static_cast<int>(state.range(0)));
    zorun::SetCalendarSources(std::vector<fs::path>{device.root / "calendar.ics"});
    InfoSources sources;
    InfoTexts texts;
    sources.ReadAll(texts);
    const fs::path maildir = device.root / "Maildir";
    // A mail of cur/ not seen yet (every tenth is).
    const int i = device.mails - 10;
    const fs::path seen =
        maildir / "cur" /
        (std::to_string(1700000000 + i) + ".M" + std::to_string(i) + "P1.bench:2,");
    fs::path name = seen;
    int made = 0;
    for (auto _ : state) {
        if (change != 0) {
            state.PauseTiming();
            if (change == 1) {
                std::ofstream(maildir / "new" / ("arrived." + std::to_string(made++))) << "x";
            } else {
                const fs::path other = made++ % 2 ? seen : fs::path(seen.string() + "S");
                fs::rename(name, other);
                name = other;
            }
            state.ResumeTiming();
        }
        sources.ReadAll(texts);
        benchmark::DoNotOptimize(texts);
    }
    if (change == 2 && name != seen)
        fs::rename(name, seen);
    state.SetLabel(zorun::ToUtf8(texts.inbox));
}
void BM_MailTick_Unchanged(benchmark::State& state) {
    MailTick(state, 0);
}
void BM_MailTick_NewMail(benchmark::State& state) {
    MailTick(state, 1);
}
void BM_MailTick_MailRead(benchmark::State& state) {
    MailTick(state, 2);
}
BENCHMARK(BM_MailTick_Unchanged)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MailTick_NewMail)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MailTick_MailRead)->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_FirstTick_ParsesEverything(benchmark::State& state) {
    zorun::SetCalendarSources(std::vector<fs::path>{TheDevice().root / "calendar.ics"});
    for (auto _ : state) {
        InfoSources sources;
        InfoTexts texts;
        sources.ReadAll(texts);
        benchmark::DoNotOptimize(texts);
    }
}
BENCHMARK(BM_FirstTick_ParsesEverything)->Unit(benchmark::kMillisecond);

void BM_Plain_ListMaildir(benchmark::State& state) {
    const fs::path maildir = TheDevice().root / "Maildir";
    for (auto _ : state) {
        int entries = 0;
        for (const char* sub : {"new", "cur"}) {
            DIR* dir = opendir((maildir / sub).c_str());
            while (const dirent* e = readdir(dir))
                entries += e->d_name[0] != '.';
            closedir(dir);
        }
        benchmark::DoNotOptimize(entries);
    }
}
BENCHMARK(BM_Plain_ListMaildir)->Unit(benchmark::kMillisecond);

void BM_Plain_ReadIcsBytes(benchmark::State& state) {
    const fs::path root = TheDevice().root;
    for (auto _ : state) {
        std::size_t bytes = 0;
        for (const char* name : {"calendar.ics", "tasks.ics"}) {
            std::ifstream in(root / name, std::ios::binary);
            std::string text((std::istreambuf_iterator<char>(in)),
                             std::istreambuf_iterator<char>());
            bytes += text.size();
        }
        benchmark::DoNotOptimize(bytes);
    }
}
BENCHMARK(BM_Plain_ReadIcsBytes)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
