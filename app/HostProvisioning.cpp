#include "app/HostProvisioning.h"

#include <algorithm>
#include <fstream>
#include <map>
#include <optional>

#include "app/DevicePrograms.h"
#include "platform/base/Text.h"
#include "platform/host/HostApplications.h"
#include "platform/host/HostApplicationsStamp.h"
#include "platform/host/HostProgramFile.h"
#include "platform/host/HostProgramRecord.h"
#include "platform/kernel/CommandLine.h"
#include "platform/kernel/DevicePath.h"
#include "platform/kernel/DeviceRoot.h"
#include "platform/kernel/FileSystem.h"
#include "platform/kernel/HostProgramLaunch.h"

namespace fs = std::filesystem;
using namespace zorun;

namespace {

constexpr std::u16string_view kWindows = u"\\Windows";
constexpr std::u16string_view kProgramFiles = u"\\Program Files";
// Each application's program name is kept short enough for its shortcut's
// target to fit the device's 100-character buffer.
constexpr std::size_t kLongestProgramName = 70;
constexpr std::size_t kLongestLinkName = 64;

bool Exists(std::u16string_view devicePath) {
    return ExistingHostPath(devicePath).has_value();
}

// The path under the root as the host writes it ("Windows/iexplore.exe");
// empty when the folder is missing.
std::string Relative(std::u16string_view devicePath) {
    const auto host = HostPath(devicePath);
    if (!host)
        return {};
    std::error_code ec;
    return fs::relative(*host, DeviceRoot(), ec).generic_string();
}

bool WriteNew(std::u16string_view devicePath, std::string_view content) {
    const std::u16string path(devicePath);
    return WriteDeviceFileAtomically(
        path.c_str(),
        std::span(reinterpret_cast<const std::uint8_t*>(content.data()), content.size()));
}

bool EnsureFolder(std::u16string_view devicePath) {
    const auto host = HostPath(devicePath);
    std::error_code ec;
    if (!host)
        return false;
    fs::create_directories(*host, ec);
    return fs::is_directory(*host, ec);
}

std::string HexMark(std::uint64_t value) {
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(value));
    return text;
}

// The device programs as they are now: a new or edited one is looked at again.
std::string DeviceStamp() {
    StampBuilder stamp;
    const auto windows = ExistingHostPath(kWindows);
    if (!windows)
        return stamp.Digest();
    std::vector<fs::path> programs;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(*windows, ec)) {
        const auto name = FoldText(FromUtf8(entry.path().filename().string()));
        if (name.ends_with(u".exe"))
            programs.push_back(entry.path());
    }
    std::sort(programs.begin(), programs.end());
    for (const auto& program : programs)
        stamp.AddFile(program);
    return stamp.Digest();
}

const DeviceProgramTemplate* FindTemplate(std::u16string_view devicePath) {
    for (const auto& t : DeviceProgramTemplates())
        if (EqualsNoCase(t.devicePath, devicePath))
            return &t;
    return nullptr;
}

// The device programs this start plans: the ones there are, and the system
// programs not made yet (their text is the template's).
class PlanReader {
  public:
    PlanReader(const HostProgramRecord& record) : record_(record) {}
    std::optional<std::string> operator()(std::u16string_view devicePath) const {
        if (auto text = ReadHostProgramText(devicePath))
            return text;
        if (Exists(devicePath))
            return std::nullopt; // the user's own program
        const auto* t = FindTemplate(devicePath);
        if (t && !record_.programs.count(FoldRecordPath(Relative(t->devicePath))))
            return std::string(t->content);
        return std::nullopt;
    }

  private:
    const HostProgramRecord& record_;
};

// The argument lists a host program file answers to: none, and each section's.
std::vector<std::vector<std::u16string>> ArgumentLists(std::string_view text) {
    std::vector<std::vector<std::u16string>> lists{{}};
    if (const auto file = HostProgramFile::Parse(text))
        for (const auto& section : file->ArgumentSections())
            lists.push_back(SplitArguments(FromUtf8(section.arguments)));
    return lists;
}

struct Planned {
    std::u16string devicePath;
    std::size_t first = 0; // its sets in the survey, the main one first
    std::size_t count = 0;
};

std::u16string CleanName(std::u16string_view name, std::size_t limit) {
    std::u16string clean;
    for (char16_t c : name) {
        const bool bad =
            c < 0x20 || std::u16string_view(u"\\/:*?\"<>|").find(c) != std::u16string_view::npos;
        clean += bad ? u' ' : c;
    }
    while (!clean.empty() && (clean.front() == u' ' || clean.front() == u'.'))
        clean.erase(clean.begin());
    if (clean.size() > limit) {
        clean.resize(limit);
        if (clean.back() >= 0xD800 && clean.back() < 0xDC00)
            clean.pop_back(); // half a surrogate pair
    }
    while (!clean.empty() && (clean.back() == u' ' || clean.back() == u'.'))
        clean.pop_back();
    return clean;
}

std::string IdBase(const std::string& id) {
    return id.ends_with(".desktop") ? id.substr(0, id.size() - 8) : id;
}

std::u16string ProgramName(const std::string& id) {
    std::u16string name = CleanName(FromUtf8(IdBase(id)), 1000);
    if (name.size() > kLongestProgramName)
        name = name.substr(0, kLongestProgramName - 17) + u"-" + FromUtf8(HexMark(TextHash(id)));
    return name.empty() ? FromUtf8(HexMark(TextHash(id))) : name;
}

struct DesiredFile {
    std::u16string devicePath;
    std::string content;
};

std::string ApplicationProgramText(const HostApplication& app) {
    std::string text(kHostProgramHeader);
    text += "\n# " + (app.name.empty() ? app.id : app.name) +
            ": an application of this computer, in the Start menu's Programs folder.\n"
            "# Zorun made this file and removes it with the application, unless you\n"
            "# change it.\n";
    if (!app.icon.empty() && app.icon.find('\n') == std::string::npos)
        text += "Icon=" + app.icon + "\n";
    text += "Application=" + app.id + "\n";
    return text;
}

// Removes the files made for an application that are as they were made.
void RemoveUnchanged(const std::vector<MadeFile>& files) {
    for (const MadeFile& made : files) {
        const fs::path relative(made.path);
        if (relative.empty() || relative.is_absolute() ||
            std::any_of(relative.begin(), relative.end(),
                        [](const fs::path& part) { return part == ".."; }))
            continue;
        const fs::path host = DeviceRoot() / relative;
        std::error_code ec;
        if (!fs::is_regular_file(host, ec) || fs::file_size(host, ec) > HostProgramFile::kSizeLimit)
            continue;
        std::ifstream in(host, std::ios::binary);
        const std::string content{std::istreambuf_iterator<char>(in),
                                  std::istreambuf_iterator<char>()};
        if (TextHash(content) == made.mark)
            fs::remove(host, ec);
    }
}

bool SyncApplications(const std::vector<HostApplication>& applications,
                      const DefaultCatalogueTexts& texts, HostProgramRecord& record) {
    // Names that several applications share get their IDs beside them.
    std::map<std::u16string, int> uses;
    for (const auto& app : applications)
        ++uses[FoldText(CleanName(FromUtf8(app.name), kLongestLinkName))];

    std::map<std::string, std::vector<DesiredFile>> desired;
    for (const auto& app : applications) {
        std::u16string link = CleanName(FromUtf8(app.name), kLongestLinkName);
        if (link.empty() || uses[FoldText(link)] > 1)
            link = CleanName(link + u" (" + FromUtf8(IdBase(app.id)) + u")", kLongestLinkName + 72);
        const std::u16string program = JoinDevicePath(kProgramFiles, ProgramName(app.id) + u".exe");
        desired[app.id] = {
            {program, ApplicationProgramText(app)},
            {JoinDevicePath(texts.programsFolder, link + u".lnk"),
             ShortcutFileText(u"\"" + program + u"\"")},
        };
    }

    // Applications gone, or whose files would now be different.
    for (auto it = record.applications.begin(); it != record.applications.end();) {
        const auto wanted = desired.find(it->first);
        bool same = wanted != desired.end() && wanted->second.size() == it->second.size();
        for (std::size_t i = 0; same && i < it->second.size(); ++i)
            same = it->second[i].path == Relative(wanted->second[i].devicePath) &&
                   it->second[i].mark == TextHash(wanted->second[i].content);
        if (same) {
            desired.erase(wanted); // kept as it is, even if the user deleted a file
            ++it;
            continue;
        }
        RemoveUnchanged(it->second);
        it = record.applications.erase(it);
    }

    bool ok = EnsureFolder(kProgramFiles) && EnsureFolder(texts.programsFolder);
    for (const auto& [id, files] : desired) {
        // A name taken by a file that is not ours: the application is left out.
        if (std::any_of(files.begin(), files.end(),
                        [](const DesiredFile& f) { return Exists(f.devicePath); }))
            continue;
        std::vector<MadeFile> made;
        for (const auto& file : files) {
            if (!WriteNew(file.devicePath, file.content)) {
                ok = false;
                break;
            }
            made.push_back({Relative(file.devicePath), TextHash(file.content)});
        }
        if (!made.empty())
            record.applications[id] = std::move(made);
    }
    return ok;
}

} // namespace

bool SyncHostPrograms(const DefaultCatalogueTexts& texts) {
    const std::u16string recordPath(HostProgramRecord::kDevicePath);
    HostProgramRecord record;
    if (const auto bytes = ReadDeviceFile(recordPath.c_str(), HostProgramRecord::kSizeLimit))
        record = HostProgramRecord::FromText(std::string(bytes->begin(), bytes->end()));
    const std::string hostStamp = HostApplicationsStamp();
    if (!record.stamp.empty() && record.stamp == hostStamp + ":" + DeviceStamp())
        return true;

    // One question to the helper: what each system program and each host
    // program file in \Windows would start, and the menu's applications.
    const PlanReader reader(record);
    std::vector<Planned> planned;
    std::vector<std::vector<HostCandidate>> sets;
    auto plan = [&](const std::u16string& devicePath) {
        const auto text = reader(devicePath);
        if (!text)
            return;
        Planned p{devicePath, sets.size(), 0};
        for (const auto& arguments : ArgumentLists(*text)) {
            sets.push_back(PlanHostProgram(devicePath, arguments, reader)
                               .value_or(std::vector<HostCandidate>{}));
            ++p.count;
        }
        planned.push_back(std::move(p));
    };
    for (const auto& t : DeviceProgramTemplates())
        plan(t.devicePath);
    if (const auto windows = ExistingHostPath(kWindows)) {
        std::error_code ec;
        for (const auto& entry : fs::directory_iterator(*windows, ec)) {
            const std::u16string devicePath =
                JoinDevicePath(kWindows, FromUtf8(entry.path().filename().string()));
            if (!FindTemplate(devicePath) && entry.is_regular_file(ec))
                plan(devicePath);
        }
    }
    const auto survey = SurveyHostApplications(sets, true);
    if (!survey)
        return false;

    bool ok = true;
    std::map<std::u16string, bool> startsSomething; // by folded device path
    for (const Planned& p : planned) {
        const auto& launches = survey->launches;
        const auto begin = launches.begin() + static_cast<std::ptrdiff_t>(p.first);
        const auto end = begin + static_cast<std::ptrdiff_t>(p.count);
        const auto found = std::find_if(begin, end, [](const auto& l) { return l.has_value(); });
        startsSomething[FoldText(p.devicePath)] = launches[p.first].has_value();
        const std::string relative = Relative(p.devicePath);
        if (!Exists(p.devicePath)) {
            if (found == end)
                continue;
            const auto* t = FindTemplate(p.devicePath);
            if (!t || !WriteNew(p.devicePath, t->content)) {
                ok = false;
                continue;
            }
            record.programs.insert(FoldRecordPath(relative));
        }
        record.SetIcon(relative, found == end ? "" : (*found)->icon);
    }

    for (const auto& link : DeviceLinkTemplates(texts)) {
        const std::string key = FoldRecordPath(Relative(link.devicePath));
        if (Exists(link.devicePath) || record.programs.count(key) ||
            !startsSomething[FoldText(link.target)] || !Exists(link.target))
            continue;
        if (EnsureFolder(texts.startMenuFolder) &&
            WriteNew(link.devicePath, ShortcutFileText(link.target)))
            record.programs.insert(FoldRecordPath(Relative(link.devicePath)));
        else
            ok = false;
    }

    ok = SyncApplications(survey->applications, texts, record) && ok;
    // What could not be written is tried again at the next start.
    record.stamp = ok ? hostStamp + ":" + DeviceStamp() : std::string();
    const std::string text = record.Text();
    ok = WriteDeviceFileAtomically(
             recordPath.c_str(),
             std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()),
             FILE_ATTRIBUTE_HIDDEN) &&
         ok;
    return ok;
}
