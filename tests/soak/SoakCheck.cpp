#include "tests/soak/SoakCheck.h"

#include <fstream>
#include <map>

#include "catalogue/SettingsFormat.h"
#include "platform/base/Text.h"

namespace fs = std::filesystem;

namespace {

std::optional<std::vector<std::uint8_t>> Bytes(const fs::path& file) {
    std::error_code ec;
    if (!fs::is_regular_file(file, ec))
        return std::nullopt;
    std::ifstream in(file, std::ios::binary);
    return std::vector<std::uint8_t>((std::istreambuf_iterator<char>(in)),
                                     std::istreambuf_iterator<char>());
}

std::map<std::u16string, int> Targets(const CatalogueContents& contents) {
    std::map<std::u16string, int> count;
    for (const auto& group : contents.groupList)
        for (const auto& target : group.targets)
            ++count[target];
    return count;
}

// The newest rescue file of the run, if any was written.
std::optional<CatalogueContents> Rescued(const SoakDevice& device) {
    std::optional<CatalogueContents> newest;
    auto when = fs::file_time_type::min();
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(device.folder / "state/zorun", ec)) {
        if (entry.path().extension() != ".qkt" || entry.last_write_time(ec) < when)
            continue;
        if (auto read = ReadSoakSettings(entry.path())) {
            newest = std::move(read);
            when = entry.last_write_time(ec);
        }
    }
    return newest;
}

} // namespace

std::optional<CatalogueContents> ReadSoakSettings(const fs::path& file) {
    const auto bytes = Bytes(file);
    if (!bytes)
        return std::nullopt;
    return ParseSettings(*bytes);
}

std::vector<std::string> CheckSoakRun(const SoakDevice& device, const SoakScript& script,
                                      const SoakRunResult& result) {
    std::vector<std::string> broken;
    if (!result.started)
        return {"the program could not be started"};
    if (result.hung)
        broken.push_back("the program did not end within its time (hung)");
    else if (result.signal)
        broken.push_back("the program was ended by signal " + std::to_string(result.signal));
    else if (result.exitCode != 0)
        broken.push_back("the program exited with status " + std::to_string(result.exitCode));
    if (const std::string report = SanitizerReport(result.output); !report.empty())
        broken.push_back("sanitizer: " + report);
    if (result.hung || result.signal)
        return broken; // nothing was saved: nothing more to look at

    std::optional<CatalogueContents> saved = ReadSoakSettings(device.settings);
    if (!saved) {
        saved = Rescued(device);
        if (!saved)
            broken.push_back("the settings file is not readable and no rescue file holds the "
                             "catalogue");
    }
    if (device.refusedBytes && ReadSoakSettings(device.settings)) {
        // Replaced: the refused file must be kept beside it.
        bool kept = false;
        for (int n = 1; n < 10 && !kept; ++n)
            kept = Bytes(device.settings.string() + ".refused-" + std::to_string(n)) ==
                   device.refusedBytes;
        if (!kept)
            broken.push_back("the refused settings file was not kept beside the new one");
    }
    if (script.keeping && device.initial && saved) {
        const auto before = Targets(*device.initial), after = Targets(*saved);
        for (const auto& [target, count] : before) {
            const auto found = after.find(target);
            const int now = found == after.end() ? 0 : found->second;
            if (now < count)
                broken.push_back("shortcuts lost without a delete: \"" + zorun::ToUtf8(target) +
                                 "\" " + std::to_string(count) + " -> " + std::to_string(now));
        }
    }
    return broken;
}
