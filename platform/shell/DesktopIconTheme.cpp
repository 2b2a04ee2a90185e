#include "platform/shell/DesktopIconTheme.h"

#include <cstdlib>
#include <dlfcn.h>

#include "platform/base/LibrarySymbol.h"
#include <filesystem>
#include <gio/gio.h>
#include <system_error>
#include <vector>

namespace zorun {

namespace {

namespace fs = std::filesystem;

constexpr const char* kSchema = "org.gnome.desktop.interface";
constexpr const char* kKey = "icon-theme";

// The few functions used, looked up once GIO is open.
struct Gio {
    decltype(&g_settings_schema_source_get_default) defaultSource = nullptr;
    decltype(&g_settings_schema_source_lookup) lookup = nullptr;
    decltype(&g_settings_schema_has_key) hasKey = nullptr;
    decltype(&g_settings_schema_unref) schemaUnref = nullptr;
    decltype(&g_settings_new_full) newSettings = nullptr;
    decltype(&g_settings_get_user_value) userValue = nullptr;
    decltype(&g_settings_get_default_value) defaultValue = nullptr;
    decltype(&g_variant_is_of_type) isOfType = nullptr;
    decltype(&g_variant_get_string) getString = nullptr;
    decltype(&g_variant_unref) variantUnref = nullptr;
};

void AddSchemaFolders(const char* list, const char* fallback, std::vector<fs::path>& out,
                      bool dataFolders) {
    std::string text = list && *list ? list : (fallback ? fallback : "");
    for (std::size_t at = 0; at <= text.size();) {
        const auto colon = text.find(':', at);
        const std::string item =
            text.substr(at, colon == std::string::npos ? std::string::npos : colon - at);
        if (!item.empty())
            out.push_back(dataFolders ? fs::path(item) / "glib-2.0" / "schemas" : fs::path(item));
        if (colon == std::string::npos)
            break;
        at = colon + 1;
    }
}

// Whether any folder GSettings reads schemas from holds a compiled set:
// without one there is nothing to ask GIO, which then stays unloaded.
bool AnyCompiledSchemas() {
    std::vector<fs::path> folders;
    AddSchemaFolders(std::getenv("GSETTINGS_SCHEMA_DIR"), nullptr, folders, false);
    if (const char* data = std::getenv("XDG_DATA_HOME"); data && *data)
        folders.push_back(fs::path(data) / "glib-2.0" / "schemas");
    else if (const char* home = std::getenv("HOME"); home && *home)
        folders.push_back(fs::path(home) / ".local/share/glib-2.0/schemas");
    AddSchemaFolders(std::getenv("XDG_DATA_DIRS"), "/usr/local/share:/usr/share", folders, true);
    std::error_code error;
    for (const auto& folder : folders)
        if (fs::is_regular_file(folder / "gschemas.compiled", error))
            return true;
    return false;
}

struct Opened {
    Gio gio;
    GSettings* settings = nullptr;
};

std::optional<Opened> Open() {
    if (!AnyCompiledSchemas())
        return std::nullopt;
    // Kept open for the rest of the run: GLib's types cannot be unloaded.
    void* library = dlopen("libgio-2.0.so.0", RTLD_NOW | RTLD_LOCAL);
    if (!library)
        return std::nullopt;
    Opened o;
    Gio& g = o.gio;
    if (!ResolveSymbol(library, "g_settings_schema_source_get_default", g.defaultSource) ||
        !ResolveSymbol(library, "g_settings_schema_source_lookup", g.lookup) ||
        !ResolveSymbol(library, "g_settings_schema_has_key", g.hasKey) ||
        !ResolveSymbol(library, "g_settings_schema_unref", g.schemaUnref) ||
        !ResolveSymbol(library, "g_settings_new_full", g.newSettings) ||
        !ResolveSymbol(library, "g_settings_get_user_value", g.userValue) ||
        !ResolveSymbol(library, "g_settings_get_default_value", g.defaultValue) ||
        !ResolveSymbol(library, "g_variant_is_of_type", g.isOfType) ||
        !ResolveSymbol(library, "g_variant_get_string", g.getString) ||
        !ResolveSymbol(library, "g_variant_unref", g.variantUnref))
        return std::nullopt;
    GSettingsSchemaSource* source = g.defaultSource();
    GSettingsSchema* schema = source ? g.lookup(source, kSchema, TRUE) : nullptr;
    if (!schema)
        return std::nullopt;
    if (g.hasKey(schema, kKey))
        o.settings = g.newSettings(schema, nullptr, nullptr);
    g.schemaUnref(schema);
    if (!o.settings)
        return std::nullopt;
    return o;
}

std::string TakeString(const Gio& g, GVariant* value) {
    if (!value)
        return {};
    std::string text;
    if (g.isOfType(value, G_VARIANT_TYPE_STRING))
        text = g.getString(value, nullptr);
    g.variantUnref(value);
    return text;
}

} // namespace

std::optional<DesktopIconTheme> ReadDesktopIconTheme() {
    static const std::optional<Opened> opened = Open();
    if (!opened)
        return std::nullopt;
    const Gio& g = opened->gio;
    return DesktopIconTheme{TakeString(g, g.userValue(opened->settings, kKey)),
                            TakeString(g, g.defaultValue(opened->settings, kKey))};
}

} // namespace zorun
