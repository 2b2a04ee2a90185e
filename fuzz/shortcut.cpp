// Shortcut-file contents on any bytes: the target and the icon location.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/shell/Shortcut.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data),
                                 size < zorun::kShortcutFileLimit ? size
                                                                  : zorun::kShortcutFileLimit);
    const auto text = zorun::ShortcutText(bytes);
    (void)zorun::ParseShortcutTarget(text);
    (void)zorun::ParseShortcutIconLocation(text);
    return 0;
}
