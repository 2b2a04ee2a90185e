#include "platform/kernel/ProcessPath.h"

#include "platform/kernel/DevicePath.h"

namespace zorun {

namespace {

std::u16string_view Trim(std::u16string_view s) {
    while (!s.empty() && (s.front() == u' ' || s.front() == u'\t'))
        s.remove_prefix(1);
    while (!s.empty() &&
           (s.back() == u' ' || s.back() == u'\t' || s.back() == u'\r' || s.back() == u'\n'))
        s.remove_suffix(1);
    if (!s.empty() && s.front() == u'"') {
        s.remove_prefix(1);
        if (!s.empty() && s.back() == u'"')
            s.remove_suffix(1);
    }
    return s;
}

} // namespace

std::u16string DeviceProgramPath(std::u16string_view program) {
    program = Trim(program);
    if (program.empty())
        return {};
    if (program.find(u'\\') == std::u16string_view::npos &&
        program.find(u'/') == std::u16string_view::npos)
        return u"\\Windows\\" + std::u16string(program);
    if (program.front() != u'\\')
        return u"\\" + std::u16string(program);
    return std::u16string(program);
}

std::u16string DeviceFolderPath(std::u16string_view folder) {
    folder = Trim(folder);
    if (folder.empty() || folder.front() != u'\\')
        return u"\\" + std::u16string(folder);
    return std::u16string(folder);
}

std::optional<std::filesystem::path> MapDevicePath(std::u16string_view devicePath) {
    return ExistingHostPath(devicePath);
}

} // namespace zorun
