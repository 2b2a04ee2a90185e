#include "catalogue/IconResolver.h"

#include <climits>
#include <string>

#include "catalogue/ShortcutTarget.h"
#include "platform/base/Text.h"
#include "platform/gdi/WinGdi.h"
#include "platform/shell/IconExtract.h"
#include "platform/shell/Shortcut.h"

namespace {

HICON ExtractLarge(const std::u16string& file, int index, std::vector<std::u16string>* consulted) {
    if (consulted)
        consulted->push_back(file);
    HICON large = nullptr;
    if (ExtractIconExW(file.c_str(), index, &large, nullptr, 1) == 0)
        return nullptr;
    return large;
}

// The icon a shortcut file names, else the icon of the program it starts.
HICON ShortcutIcon(const std::u16string& t, std::vector<std::u16string>* consulted) {
    if (consulted)
        consulted->push_back(t);
    // One read serves both: the file is opened once per paint.
    const auto bytes = zorun::ReadShortcutFile(t);
    if (!bytes)
        return nullptr;
    const auto text = zorun::ShortcutText(*bytes);
    // Without a '?' the whole text would be taken as the icon file, which
    // names no file: go straight to the program.
    if (text.find(u'?') != std::u16string::npos) {
        const auto location = zorun::ParseShortcutIconLocation(text);
        const long number = location.number;
        if (number <= INT_MAX && number >= -INT_MAX)
            if (HICON icon = ExtractLarge(location.file, -static_cast<int>(number), consulted))
                return icon;
    }
    auto target = zorun::ParseShortcutTarget(text);
    if (!target)
        return nullptr;
    // The program part as launching finds it.
    std::u16string program = *target;
    if (const auto end = ProgramEnd(program); end != std::u16string::npos)
        program.resize(end);
    // A quoted program path names the same file as an unquoted one.
    if (!program.empty() && program.front() == u'"')
        program.erase(0, 1);
    return ExtractLarge(program, 0, consulted);
}

} // namespace

HICON ResolveShortcutIcon(std::u16string_view target, std::u16string_view iconReference,
                          HINSTANCE instance, std::vector<std::u16string>* consulted,
                          IconTargetCase targetCase) {
    if (iconReference.size() >= 3) {
        // Every character counts as a digit, as the number was always written by us.
        long long id = 0;
        for (char16_t c : iconReference) {
            id = id * 10 + (static_cast<long long>(c) - u'0');
            if (id > INT_MAX || id < INT_MIN)
                break;
        }
        HICON icon = id > 0 && id <= INT_MAX ? LoadIconW(instance, static_cast<int>(id)) : nullptr;
        return icon ? icon : LoadIconW(instance, kGenericProgramIcon);
    }
    // The tests ignore case; the files are opened by the name as written,
    // which finds them at once when the case matches the host's.
    const std::u16string t =
        targetCase == IconTargetCase::IgnoreCase ? zorun::FoldText(target) : std::u16string(target);
    if (t.empty())
        return nullptr;
    if (t == kDesktopTarget)
        return LoadIconW(instance, kDesktopIcon);
    const std::u16string file(target);
    HICON icon =
        IsShortcutFile(t) ? ShortcutIcon(file, consulted) : ExtractLarge(file, 0, consulted);
    return icon ? icon : LoadIconW(instance, kGenericProgramIcon);
}
