#include "platform/shell/ShellExecute.h"

#include <string>

#include "platform/base/Text.h"
#include "platform/kernel/CommandLine.h"
#include "platform/kernel/Process.h"
#include "platform/shell/Shortcut.h"

BOOL ShellExecuteEx(SHELLEXECUTEINFO* info) {
    if (!info || !info->lpFile || !*info->lpFile) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    std::u16string file = info->lpFile;
    std::u16string parameters = info->lpParameters ? info->lpParameters : u"";
    const std::u16string_view view(file);
    if (view.size() > 4 && zorun::EqualsNoCase(view.substr(view.size() - 4), u".lnk")) {
        char16_t target[260];
        if (!SHGetShortcutTarget(file.c_str(), target, 260)) {
            SetLastError(ERROR_FILE_NOT_FOUND);
            return FALSE;
        }
        // The target is a command line of its own: program, then arguments.
        const std::u16string_view line(target);
        const auto args = zorun::CommandLineToArgv(line);
        file = args.front();
        std::size_t rest = 0;
        if (!line.empty() && line[0] == u'"')
            rest = line.find(u'"', 1);
        else
            rest = line.find_first_of(u" \t");
        const auto tail =
            rest == std::u16string_view::npos ? std::u16string_view() : line.substr(rest + 1);
        parameters =
            std::u16string(tail) + (parameters.empty() || tail.empty() ? u"" : u" ") + parameters;
    }
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(file.c_str(), parameters.c_str(), nullptr, nullptr, FALSE, 0, nullptr,
                        info->lpDirectory, nullptr, &process))
        return FALSE;
    if (info->fMask & SEE_MASK_NOCLOSEPROCESS)
        info->hProcess = process.hProcess;
    else
        CloseHandle(process.hProcess);
    return TRUE;
}
