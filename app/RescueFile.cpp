#include "app/RescueFile.h"

#include <cstdlib>

#include "catalogue/SettingsFormat.h"
#include "platform/base/Text.h"
#include "platform/kernel/DeviceRoot.h"
#include "platform/kernel/FileSystem.h"

std::optional<std::filesystem::path> WriteRescueFile(const Catalogue& catalogue) {
    const auto bytes = SerializeSettings(catalogue);
    if (!bytes)
        return std::nullopt;
    return zorun::WriteNewHostFile(zorun::UserStateFolder() / "ZorunSetting.qkt", *bytes);
}

std::u16string ShownPath(const std::filesystem::path& path, std::size_t lineLength) {
    std::string text = path.string();
    if (const char* home = std::getenv("HOME"); home && *home && std::string_view(home) != "/") {
        const std::string prefix = std::string(home) + "/";
        if (text.starts_with(prefix))
            text = "~/" + text.substr(prefix.size());
    }
    std::string shown;
    std::size_t line = 0;
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t slash = text.find('/', start);
        const std::size_t end = slash == std::string::npos ? text.size() : slash + 1;
        const std::string piece = text.substr(start, end - start);
        if (line > 0 && line + piece.size() > lineLength) {
            shown += '\n';
            line = 0;
        }
        shown += piece;
        line += piece.size();
        start = end;
    }
    return zorun::FromUtf8(shown);
}
