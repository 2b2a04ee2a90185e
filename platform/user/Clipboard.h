#pragma once
// The clipboard as the controls use it: plain text, the desktop's through
// the backend (X11: the CLIPBOARD selection; SDL2: SDL's clipboard) and,
// without a backend that offers one (headless, tests), a clipboard of the
// process.

#include <optional>
#include <string>

namespace zorun {

// Puts `text` on the clipboard.
void SetClipboardText(const std::u16string& text);
// The text on the clipboard; nullopt when there is none.
[[nodiscard]] std::optional<std::u16string> ClipboardText();
// Empties the process's own clipboard (a fresh window system).
void ResetProcessClipboard();

} // namespace zorun
