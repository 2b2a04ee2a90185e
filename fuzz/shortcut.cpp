// Shortcut-file contents on any bytes: the target and the icon location. A
// target, when there is one, is a non-empty part of one line that never
// runs into the icon part and is never longer than a shortcut can hold.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "platform/shell/Shortcut.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data),
                                 size < zorun::kShortcutFileLimit ? size
                                                                  : zorun::kShortcutFileLimit);
    const auto text = zorun::ShortcutText(bytes);
    if (const auto target = zorun::ParseShortcutTarget(text)) {
        if (target->empty() || target->size() > zorun::kMaxShortcutTarget ||
            target->find_first_of(u"\r\n?") != std::u16string::npos ||
            text.find(*target) == std::u16string::npos)
            std::abort();
    }
    (void)zorun::ParseShortcutIconLocation(text);
    return 0;
}
