#include "catalogue/ShortcutTarget.h"

bool IsShortcutFile(std::u16string_view target) {
    return target.size() > 4 && target.ends_with(u".lnk");
}

std::size_t ProgramEnd(std::u16string_view target) {
    for (auto exe = target.find(u".exe"); exe != std::u16string_view::npos;
         exe = target.find(u".exe", exe + 1)) {
        const std::size_t end = exe + 4;
        if (end == target.size() || target[end] == u' ' || target[end] == u'\t' ||
            target[end] == u'"')
            return end;
    }
    return std::u16string_view::npos;
}
