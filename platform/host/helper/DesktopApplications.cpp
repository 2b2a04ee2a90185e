#include "platform/host/helper/DesktopApplications.h"

#include <algorithm>
#include <gio/gdesktopappinfo.h>
#include <gio/gio.h>
#include <memory>
#include <string_view>

#include "platform/host/helper/ExecLine.h"

namespace zorun::host {

namespace {

struct Unref {
    void operator()(gpointer object) const { g_object_unref(object); }
};
using AppInfo = std::unique_ptr<GDesktopAppInfo, Unref>;

std::string Take(gchar* text) {
    std::string s = text ? text : "";
    g_free(text);
    return s;
}

std::vector<std::string> SplitList(std::string_view value) {
    std::vector<std::string> parts;
    while (!value.empty()) {
        const auto semicolon = value.find(';');
        std::string_view part = value.substr(0, semicolon);
        value.remove_prefix(semicolon == std::string_view::npos ? value.size() : semicolon + 1);
        while (!part.empty() && part.front() == ' ')
            part.remove_prefix(1);
        while (!part.empty() && part.back() == ' ')
            part.remove_suffix(1);
        if (!part.empty())
            parts.emplace_back(part);
    }
    return parts;
}

bool EqualsAsciiNoCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return g_ascii_tolower(x) == g_ascii_tolower(y);
           });
}

AppInfo Desktop(GAppInfo* info) {
    if (!info)
        return nullptr;
    if (!G_IS_DESKTOP_APP_INFO(info)) {
        g_object_unref(info);
        return nullptr;
    }
    return AppInfo(G_DESKTOP_APP_INFO(info));
}

// The command that starts the entry with `items`; nullopt when it has no
// Exec line, its program is missing, or it is not for this desktop.
std::optional<HostLaunch> LaunchOf(GDesktopAppInfo* info, const std::vector<std::string>& items) {
    if (!g_desktop_app_info_get_show_in(info, nullptr))
        return std::nullopt;
    const std::string exec = Take(g_desktop_app_info_get_string(info, "Exec"));
    if (exec.empty())
        return std::nullopt;
    GAppInfo* app = G_APP_INFO(info);
    HostLaunch launch;
    launch.id = g_app_info_get_id(app) ? g_app_info_get_id(app) : "";
    launch.name = g_app_info_get_name(app) ? g_app_info_get_name(app) : "";
    launch.icon = Take(g_desktop_app_info_get_string(info, "Icon"));
    launch.directory = Take(g_desktop_app_info_get_string(info, "Path"));
    ExecContext context{
        items, launch.icon, launch.name,
        g_desktop_app_info_get_filename(info) ? g_desktop_app_info_get_filename(info) : ""};
    auto argv = ExpandExecLine(exec, context);
    if (!argv)
        return std::nullopt;
    if (g_desktop_app_info_get_boolean(info, "Terminal")) {
        argv = InTerminal(*argv);
        if (!argv)
            return std::nullopt;
    }
    launch.argv = std::move(*argv);
    return launch;
}

bool InCategories(GDesktopAppInfo* info, const std::vector<std::string>& wanted) {
    const auto have = SplitList(
        g_desktop_app_info_get_categories(info) ? g_desktop_app_info_get_categories(info) : "");
    return std::all_of(wanted.begin(), wanted.end(), [&have](const std::string& w) {
        return std::any_of(have.begin(), have.end(),
                           [&w](const std::string& h) { return EqualsAsciiNoCase(h, w); });
    });
}

// Every entry there is, ordered by ID so that a choice among several is the
// same on every run. (Looking an ID up on its own would find a system entry
// that the user's Hidden entry of the same ID hides.)
const std::vector<AppInfo>& AllEntries() {
    static const std::vector<AppInfo> entries = [] {
        std::vector<AppInfo> list;
        GList* all = g_app_info_get_all();
        for (GList* l = all; l; l = l->next) {
            auto* info = static_cast<GAppInfo*>(l->data);
            if (G_IS_DESKTOP_APP_INFO(info) && g_app_info_get_id(info))
                list.emplace_back(G_DESKTOP_APP_INFO(g_object_ref(info)));
        }
        g_list_free_full(all, g_object_unref);
        std::sort(list.begin(), list.end(), [](const AppInfo& a, const AppInfo& b) {
            return std::string_view(g_app_info_get_id(G_APP_INFO(a.get()))) <
                   std::string_view(g_app_info_get_id(G_APP_INFO(b.get())));
        });
        return list;
    }();
    return entries;
}

GDesktopAppInfo* EntryById(std::string_view id) {
    for (const AppInfo& info : AllEntries())
        if (id == g_app_info_get_id(G_APP_INFO(info.get())))
            return info.get();
    return nullptr;
}

bool InMenu(GDesktopAppInfo* info) {
    return g_app_info_should_show(G_APP_INFO(info));
}

std::optional<HostLaunch> ExecLaunch(const HostCandidate& candidate) {
    auto argv = ExpandExecLine(candidate.value, {candidate.items, "", "", ""});
    if (!argv)
        return std::nullopt;
    HostLaunch launch;
    launch.name = Take(g_path_get_basename(argv->front().c_str()));
    launch.argv = std::move(*argv);
    return launch;
}

} // namespace

std::optional<HostLaunch> FindLaunch(const HostCandidate& candidate) {
    switch (candidate.kind) {
    case HostCandidate::Kind::Exec:
        return ExecLaunch(candidate);
    case HostCandidate::Kind::Application:
        for (std::string id : SplitList(candidate.value)) {
            if (!id.ends_with(".desktop"))
                id += ".desktop";
            if (GDesktopAppInfo* info = EntryById(id))
                if (auto launch = LaunchOf(info, candidate.items))
                    return launch;
        }
        return std::nullopt;
    case HostCandidate::Kind::Default:
        for (const std::string& type : SplitList(candidate.value)) {
            constexpr std::string_view kScheme = "x-scheme-handler/";
            AppInfo info =
                type.starts_with(kScheme)
                    ? Desktop(g_app_info_get_default_for_uri_scheme(type.c_str() + kScheme.size()))
                    : Desktop(g_app_info_get_default_for_type(type.c_str(), FALSE));
            if (info)
                if (auto launch = LaunchOf(info.get(), candidate.items))
                    return launch;
        }
        return std::nullopt;
    case HostCandidate::Kind::Category: {
        const auto wanted = SplitList(candidate.value);
        if (wanted.empty())
            return std::nullopt;
        for (const AppInfo& info : AllEntries())
            if (InMenu(info.get()) && InCategories(info.get(), wanted))
                if (auto launch = LaunchOf(info.get(), candidate.items))
                    return launch;
        return std::nullopt;
    }
    }
    return std::nullopt;
}

std::vector<HostApplication> MenuApplications() {
    std::vector<HostApplication> applications;
    for (const AppInfo& info : AllEntries()) {
        if (!InMenu(info.get()) || !LaunchOf(info.get(), {}))
            continue;
        GAppInfo* app = G_APP_INFO(info.get());
        applications.push_back({g_app_info_get_id(app),
                                g_app_info_get_name(app) ? g_app_info_get_name(app) : "",
                                Take(g_desktop_app_info_get_string(info.get(), "Icon"))});
    }
    return applications;
}

} // namespace zorun::host
