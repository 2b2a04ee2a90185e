#include "platform/kernel/HostProgramLaunch.h"

#include "platform/base/Text.h"
#include "platform/host/HostProgramFile.h"
#include "platform/kernel/CommandLine.h"
#include "platform/kernel/FileSystem.h"
#include "platform/kernel/ProcessPath.h"

namespace zorun {

namespace {

// Program= lines may lead from file to file; a loop ends here.
constexpr int kDeepestProgramChain = 8;
// Enough for the header line with a byte order mark and a CR.
constexpr std::size_t kHeaderBytes = 64;

bool IsUrl(std::u16string_view s) {
    const auto colon = s.find(u':');
    // Two characters at least: "C:" is a drive, not a scheme.
    if (colon == std::u16string_view::npos || colon < 2)
        return false;
    auto alpha = [](char16_t c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); };
    if (!alpha(s[0]))
        return false;
    for (std::size_t i = 1; i < colon; ++i) {
        const char16_t c = s[i];
        if (!alpha(c) && !(c >= u'0' && c <= u'9') && c != u'+' && c != u'-' && c != u'.')
            return false;
    }
    return true;
}

std::string FileUrl(const std::string& path, const std::string& fragment) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string url = "file://";
    for (unsigned char c : path) {
        if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
            c == '/' || c == '-' || c == '.' || c == '_' || c == '~') {
            url += static_cast<char>(c);
        } else {
            url += '%';
            url += kHex[c >> 4];
            url += kHex[c & 15];
        }
    }
    return url + "#" + fragment;
}

std::optional<std::string> ExistingHost(std::u16string_view argument) {
    const auto device = DeviceProgramPath(argument);
    if (device.empty())
        return std::nullopt;
    const auto host = MapDevicePath(device);
    return host ? std::optional<std::string>(host->string()) : std::nullopt;
}

bool SameArguments(const std::vector<std::u16string>& a, const std::vector<std::u16string>& b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (!EqualsNoCase(a[i], b[i]))
            return false;
    return true;
}

HostCandidate::Kind CandidateKind(HostProgramLine::Kind kind) {
    switch (kind) {
    case HostProgramLine::Kind::Application:
        return HostCandidate::Kind::Application;
    case HostProgramLine::Kind::Default:
        return HostCandidate::Kind::Default;
    case HostProgramLine::Kind::Category:
        return HostCandidate::Kind::Category;
    case HostProgramLine::Kind::Exec:
    case HostProgramLine::Kind::Program:
        break;
    }
    return HostCandidate::Kind::Exec;
}

bool Plan(std::u16string_view devicePath, const std::vector<std::u16string>& arguments,
          const HostProgramReader& read, int depth, std::vector<HostCandidate>& out) {
    if (depth > kDeepestProgramChain)
        return false;
    const auto text = read(devicePath);
    if (!text)
        return false;
    const auto file = HostProgramFile::Parse(*text);
    if (!file)
        return false;

    const HostProgramSection* section = &file->Main();
    for (const HostProgramSection& s : file->ArgumentSections())
        if (SameArguments(SplitArguments(FromUtf8(s.arguments)), arguments)) {
            section = &s;
            break;
        }
    std::vector<std::u16string> passed;
    std::vector<std::string> items;
    if (section == &file->Main()) {
        passed = arguments.empty() ? SplitArguments(FromUtf8(file->Open())) : arguments;
        for (const auto& argument : passed)
            items.push_back(HostItem(argument));
    }
    for (const HostProgramLine& line : section->lines) {
        if (line.kind != HostProgramLine::Kind::Program) {
            out.push_back({CandidateKind(line.kind), line.value, items});
            continue;
        }
        auto words = CommandLineToArgv(FromUtf8(line.value));
        const std::u16string target = DeviceProgramPath(words.front());
        words.erase(words.begin());
        // A missing or foreign program adds nothing; the next line is tried.
        (void)Plan(target, words.empty() ? passed : words, read, depth + 1, out);
    }
    return true;
}

} // namespace

std::optional<std::string> ReadHostProgramText(std::u16string_view devicePath) {
    const std::u16string path(devicePath);
    const auto head = ReadDeviceFilePrefix(path.c_str(), kHeaderBytes);
    if (!head || !HostProgramFile::IsHostProgramText(
                     std::string_view(reinterpret_cast<const char*>(head->data()), head->size())))
        return std::nullopt;
    const auto bytes = ReadDeviceFilePrefix(path.c_str(), HostProgramFile::kSizeLimit);
    if (!bytes)
        return std::nullopt;
    return std::string(bytes->begin(), bytes->end());
}

std::optional<std::vector<HostCandidate>>
PlanHostProgram(std::u16string_view devicePath, const std::vector<std::u16string>& arguments,
                const HostProgramReader& read) {
    std::vector<HostCandidate> candidates;
    if (!Plan(devicePath, arguments, read, 0, candidates))
        return std::nullopt;
    return candidates;
}

std::string HostItem(std::u16string_view argument) {
    if (IsUrl(argument))
        return ToUtf8(argument);
    if (auto host = ExistingHost(argument))
        return *host;
    if (const auto hash = argument.rfind(u'#'); hash != std::u16string_view::npos && hash > 0)
        if (auto host = ExistingHost(argument.substr(0, hash)))
            return FileUrl(*host, ToUtf8(argument.substr(hash + 1)));
    return ToUtf8(argument);
}

} // namespace zorun
