#include "platform/user/Clipboard.h"

#include "platform/user/Backend.h"

namespace zorun {

namespace {

std::optional<std::u16string>& ProcessClipboard() {
    static std::optional<std::u16string> text;
    return text;
}

} // namespace

void SetClipboardText(const std::u16string& text) {
    if (Backend* backend = CurrentBackend(); backend && backend->setClipboard) {
        backend->setClipboard(text);
        return;
    }
    ProcessClipboard() = text;
}

std::optional<std::u16string> ClipboardText() {
    if (Backend* backend = CurrentBackend(); backend && backend->clipboard)
        return backend->clipboard();
    return ProcessClipboard();
}

void ResetProcessClipboard() {
    ProcessClipboard().reset();
}

} // namespace zorun
