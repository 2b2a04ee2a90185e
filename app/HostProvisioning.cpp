#include "app/HostProvisioning.h"

#include <algorithm>
#include <fcntl.h>
#include <fstream>
#include <map>
#include <optional>
#include <unistd.h>

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
    return host->lexically_relative(DeviceRoot()).generic_string();
}

// An application's file, written beside and renamed into place so that it
// is never seen cut short, but not flushed to disk one by one (a first start
// writes hundreds). After a crash one may be left empty: an empty file is
// taken for one of ours that did not reach the disk, and written again.
bool WriteHostFile(const fs::path& host, std::string_view content) {
    fs::path temporary = host;
    temporary += ".new";
    std::error_code ec;
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(content.data(), static_cast<std::streamsize>(content.size()));
        out.flush();
        if (!out) {
            fs::remove(temporary, ec);
            return false;
        }
    }
    fs::rename(temporary, host, ec);
    return !ec;
}

// A system program or link: few, and flushed to disk each.
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

// The entries of one host folder by their names folded to lower case, as
// the device matches names: one listing instead of one per look-up (the
// Start menu's Programs folder holds a file per application).
class FolderIndex {
  public:
    explicit FolderIndex(std::u16string_view devicePath) {
        folder_ = HostPath(devicePath).value_or(fs::path());
        std::error_code ec;
        for (const auto& entry : fs::directory_iterator(folder_, ec))
            entries_.emplace(FoldText(FromUtf8(entry.path().filename().string())), entry.path());
    }
    // The entry of that name, else where a new one goes.
    [[nodiscard]] fs::path Entry(std::u16string_view name) const {
        const auto it = entries_.find(FoldText(name));
        return it != entries_.end() ? it->second : folder_ / ToUtf8(name);
    }
    [[nodiscard]] bool Has(std::u16string_view name) const {
        return entries_.count(FoldText(name)) > 0;
    }

  private:
    fs::path folder_;
    std::map<std::u16string, fs::path> entries_;
};

struct DesiredFile {
    bool program; // in \Program Files, else in the Programs folder
    std::u16string name;
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
        const auto bytes = ReadHostFile(host, HostProgramFile::kSizeLimit);
        if (!bytes)
            continue;
        const std::string content(bytes->begin(), bytes->end());
        std::error_code ec;
        if (content.empty() || TextHash(content) == made.mark)
            fs::remove(host, ec);
    }
}

std::string ReadHost(const fs::path& file) {
    const auto bytes = ReadHostFile(file, HostProgramFile::kSizeLimit);
    return bytes ? std::string(bytes->begin(), bytes->end()) : std::string();
}

bool SyncApplications(const std::vector<HostApplication>& applications,
                      const DefaultCatalogueTexts& texts, HostProgramRecord& record) {
    if (!EnsureFolder(kProgramFiles) || !EnsureFolder(texts.programsFolder))
        return false;
    // Names that several applications share get their IDs beside them.
    std::map<std::u16string, int> uses;
    for (const auto& app : applications)
        ++uses[FoldText(CleanName(FromUtf8(app.name), kLongestLinkName))];

    std::map<std::string, std::vector<DesiredFile>> desired;
    for (const auto& app : applications) {
        std::u16string link = CleanName(FromUtf8(app.name), kLongestLinkName);
        if (link.empty() || uses[FoldText(link)] > 1)
            link = CleanName(link + u" (" + FromUtf8(IdBase(app.id)) + u")", kLongestLinkName + 72);
        const std::u16string program = ProgramName(app.id) + u".exe";
        desired[app.id] = {
            {true, program, ApplicationProgramText(app)},
            {false, link + u".lnk",
             ShortcutFileText(u"\"" + JoinDevicePath(kProgramFiles, program) + u"\"")},
        };
    }

    // Applications gone, or whose files would now be different.
    {
        const FolderIndex programs(kProgramFiles), links(texts.programsFolder);
        auto relative = [&](const DesiredFile& f) {
            return (f.program ? programs : links)
                .Entry(f.name)
                .lexically_relative(DeviceRoot())
                .generic_string();
        };
        for (auto it = record.applications.begin(); it != record.applications.end();) {
            const auto wanted = desired.find(it->first);
            bool same = wanted != desired.end() && wanted->second.size() == it->second.size();
            for (std::size_t i = 0; same && i < it->second.size(); ++i)
                same = it->second[i].path == relative(wanted->second[i]) &&
                       it->second[i].mark == TextHash(wanted->second[i].content);
            if (same) {
                // Kept as it is, even if the user deleted a file; one that
                // never reached the disk is written again.
                for (const DesiredFile& f : wanted->second) {
                    const fs::path host = (f.program ? programs : links).Entry(f.name);
                    std::error_code ec;
                    if (fs::is_regular_file(host, ec) && fs::file_size(host, ec) == 0)
                        (void)WriteHostFile(host, f.content);
                }
                desired.erase(wanted);
                ++it;
                continue;
            }
            RemoveUnchanged(it->second);
            it = record.applications.erase(it);
        }
    }

    const FolderIndex programs(kProgramFiles), links(texts.programsFolder);
    bool ok = true;
    for (const auto& [id, files] : desired) {
        // A name taken by another file: the application is left out. A file
        // just as it would be written is taken as made here (a start that
        // ended before its record was saved made it).
        auto taken = [&](const DesiredFile& f) {
            const FolderIndex& folder = f.program ? programs : links;
            return folder.Has(f.name) && ReadHost(folder.Entry(f.name)) != f.content;
        };
        if (std::any_of(files.begin(), files.end(), taken))
            continue;
        std::vector<MadeFile> made;
        for (const auto& file : files) {
            const FolderIndex& folder = file.program ? programs : links;
            const fs::path host = folder.Entry(file.name);
            if (!folder.Has(file.name) && !WriteHostFile(host, file.content)) {
                ok = false;
                break;
            }
            made.push_back(
                {host.lexically_relative(DeviceRoot()).generic_string(), TextHash(file.content)});
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
