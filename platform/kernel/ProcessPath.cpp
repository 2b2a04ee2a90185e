#include "platform/kernel/ProcessPath.h"

#include <vector>

#include "platform/base/Text.h"
#include "platform/kernel/DeviceRoot.h"

namespace zorun {

namespace {

std::u16string_view Trim(std::u16string_view s) {
    while (!s.empty() && (s.front() == u' ' || s.front() == u'\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == u' ' || s.back() == u'\t' || s.back() == u'\r' ||
                          s.back() == u'\n'))
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
    std::filesystem::path host = DeviceRoot();
    std::vector<std::u16string> parts;
    std::size_t start = 0;
    while (start <= devicePath.size()) {
        std::size_t end = devicePath.find_first_of(u"\\/", start);
        if (end == std::u16string_view::npos)
            end = devicePath.size();
        const auto part = devicePath.substr(start, end - start);
        if (part == u"..") {
            if (parts.empty())
                return std::nullopt;
            parts.pop_back();
        } else if (!part.empty() && part != u".") {
            parts.emplace_back(part);
        }
        start = end + 1;
    }
    std::error_code ec;
    for (const auto& part : parts) {
        const std::filesystem::path exact = host / ToUtf8(part);
        if (std::filesystem::exists(exact, ec)) {
            host = exact;
            continue;
        }
        bool found = false;
        for (const auto& entry : std::filesystem::directory_iterator(host, ec)) {
            if (EqualsNoCase(FromUtf8(entry.path().filename().string()), part)) {
                host = entry.path();
                found = true;
                break;
            }
        }
        if (!found)
            return std::nullopt;
    }
    return host;
}

} // namespace zorun
