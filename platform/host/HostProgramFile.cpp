#include "platform/host/HostProgramFile.h"

namespace zorun {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kArgumentsPrefix = "Arguments ";

std::string_view Trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

std::string_view WithoutMark(std::string_view text) {
    if (text.starts_with(kByteOrderMark))
        text.remove_prefix(kByteOrderMark.size());
    return text;
}

std::optional<HostProgramLine::Kind> KindOf(std::string_view key) {
    using Kind = HostProgramLine::Kind;
    if (key == "Exec")
        return Kind::Exec;
    if (key == "Application")
        return Kind::Application;
    if (key == "Default")
        return Kind::Default;
    if (key == "Category")
        return Kind::Category;
    if (key == "Program")
        return Kind::Program;
    return std::nullopt;
}

} // namespace

bool HostProgramFile::IsHostProgramText(std::string_view text) {
    text = WithoutMark(text);
    const auto end = text.find('\n');
    return Trim(text.substr(0, end)) == kHostProgramHeader;
}

std::optional<HostProgramFile> HostProgramFile::Parse(std::string_view text) {
    if (!IsHostProgramText(text))
        return std::nullopt;
    text = WithoutMark(text).substr(0, kSizeLimit);
    HostProgramFile file;
    HostProgramSection* section = &file.main_;
    bool header = true;
    // Lines under a group of another kind are ignored, as unknown keys are:
    // a later version may add them.
    bool known = true;
    while (!text.empty()) {
        const auto end = text.find('\n');
        const std::string_view line = Trim(text.substr(0, end));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (header) {
            header = false;
            continue;
        }
        if (line.empty() || line.front() == '#')
            continue;
        if (line.front() == '[') {
            const auto close = line.find(']');
            const std::string_view name =
                close == std::string_view::npos ? line.substr(1) : line.substr(1, close - 1);
            known = name.starts_with(kArgumentsPrefix);
            if (known) {
                file.sections_.push_back(
                    {std::string(Trim(name.substr(kArgumentsPrefix.size()))), {}});
                section = &file.sections_.back();
            }
            continue;
        }
        const auto equals = line.find('=');
        if (!known || equals == std::string_view::npos)
            continue;
        const std::string_view key = Trim(line.substr(0, equals));
        const std::string value(Trim(line.substr(equals + 1)));
        if (section == &file.main_ && key == "Icon")
            file.icon_ = value;
        else if (section == &file.main_ && key == "Open")
            file.open_ = value;
        else if (auto kind = KindOf(key); kind && !value.empty())
            section->lines.push_back({*kind, value});
    }
    return file;
}

} // namespace zorun
