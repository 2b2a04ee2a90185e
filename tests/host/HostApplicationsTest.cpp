// The host's applications as the helper finds them, on a desktop of the
// test's own (tests/support/HostDesktop.h) and on GLib's conformance set.

#include <gtest/gtest.h>

#include <algorithm>

#include "platform/host/HostApplications.h"
#include "tests/support/Corpora.h"
#include "tests/support/HostDesktop.h"

namespace fs = std::filesystem;
using zorun::HostCandidate;
using Kind = HostCandidate::Kind;

namespace {

std::optional<zorun::HostLaunch> Resolve(Kind kind, const std::string& value,
                                         std::vector<std::string> items = {}) {
    return zorun::ResolveHostLaunch({{kind, value, std::move(items)}});
}

std::string Id(const std::optional<zorun::HostLaunch>& launch) {
    return launch ? launch->id : "(none)";
}

std::vector<std::string> MenuIds() {
    const auto survey = zorun::SurveyHostApplications({}, true);
    std::vector<std::string> ids;
    if (survey)
        for (const auto& app : survey->applications)
            ids.push_back(app.id);
    return ids;
}

} // namespace

TEST(HostApplications, ExecLinesGetTheirFieldCodesAndAQuotedProgram) {
    HostDesktop desktop;
    const fs::path viewer = desktop.MarkerProgram("viewer");
    const std::string page = (desktop.Folder() / "a page.htm").string();
    const std::vector<std::string> items{page, "https://example.org/x?y=1",
                                         "file:///tmp/b%20c.txt#part"};

    auto launch = Resolve(Kind::Exec, "viewer --files %F --url %u %% \"two words\"", items);
    ASSERT_TRUE(launch);
    EXPECT_EQ(launch->argv,
              (std::vector<std::string>{viewer.string(), "--files", page,
                                        "https://example.org/x?y=1", "/tmp/b c.txt", "--url",
                                        "file://" + desktop.Folder().string() + "/a%20page.htm",
                                        "%", "two words"}));
    // Without a field code the items are not passed; a missing program is
    // no candidate, so the next one is tried.
    launch = zorun::ResolveHostLaunch(
        {{Kind::Exec, "not-installed-zorun %f", items}, {Kind::Exec, "viewer", items}});
    ASSERT_TRUE(launch);
    EXPECT_EQ(launch->argv, std::vector<std::string>{viewer.string()});
    EXPECT_FALSE(Resolve(Kind::Exec, "viewer \"unclosed"));
}

TEST(HostApplications, EntriesAreFoundByIdTheWayTheDesktopFindsThem) {
    HostDesktop desktop;
    desktop.AddApplication("kde4/kate.desktop", "Kate", "Icon=kate", true, "kate %U");
    desktop.MarkerProgram("kate");
    desktop.AddApplication("editor", "System editor");
    desktop.AddApplication("editor", "My editor", "", false); // the user's hides the system's
    desktop.AddApplication("gone", "Gone");
    desktop.WriteEntry("gone.desktop", "[Desktop Entry]\nHidden=true\n", false);
    desktop.AddApplication("needs", "Needs", "TryExec=not-installed-zorun");
    desktop.AddApplication("elsewhere", "Elsewhere", "OnlyShowIn=KDE;");
    desktop.AddApplication("quiet", "Quiet",
                           "NoDisplay=true\nIcon=/opt/quiet.png\n"
                           "Exec=quiet --name %c --icon-arg %i %k\n");

    auto kate = Resolve(Kind::Application, "kde4-kate.desktop", {"/tmp/x"});
    ASSERT_TRUE(kate);
    EXPECT_EQ(kate->name, "Kate");
    EXPECT_EQ(kate->icon, "kate");
    EXPECT_EQ(kate->argv.back(), "file:///tmp/x");
    EXPECT_EQ(Resolve(Kind::Application, "editor")->name, "My editor");
    EXPECT_FALSE(Resolve(Kind::Application, "gone.desktop"));
    EXPECT_FALSE(Resolve(Kind::Application, "needs"));
    EXPECT_FALSE(Resolve(Kind::Application, "elsewhere"));
    // The ".desktop" may be left out, and the first of a list that exists wins.
    EXPECT_EQ(Id(Resolve(Kind::Application, "missing; needs ;kde4-kate")), "kde4-kate.desktop");
    // Hidden from the menu, still there to be started by its ID.
    const auto quiet = Resolve(Kind::Application, "quiet");
    ASSERT_TRUE(quiet);
    EXPECT_EQ(
        std::vector<std::string>(quiet->argv.begin() + 1, quiet->argv.end()),
        (std::vector<std::string>{"--name", "Quiet", "--icon-arg", "--icon", "/opt/quiet.png",
                                  (desktop.SystemApplications() / "quiet.desktop").string()}));

    EXPECT_EQ(MenuIds(), (std::vector<std::string>{"editor.desktop", "kde4-kate.desktop"}));
    desktop.SetEnv("XDG_CURRENT_DESKTOP", "GNOME:KDE");
    EXPECT_EQ(Id(Resolve(Kind::Application, "elsewhere")), "elsewhere.desktop");
}

TEST(HostApplications, DefaultsAndCategoriesChooseAmongTheInstalled) {
    HostDesktop desktop;
    desktop.AddApplication("alpha", "Alpha",
                           "MimeType=text/html;x-scheme-handler/http;\n"
                           "Categories=Network;WebBrowser;");
    desktop.AddApplication("beta", "Beta",
                           "MimeType=text/html;x-scheme-handler/http;\n"
                           "Categories=Network;WebBrowser;\nNoDisplay=false");
    desktop.AddApplication("cards", "Cards", "Categories=Game;CardGame;\nNoDisplay=true");
    desktop.AddApplication("top", "Top", "Categories=System;Monitor;\nTerminal=true", true,
                           "top -d 1");
    desktop.MarkerProgram("top");

    // Any application for the type, until the user chooses one.
    EXPECT_EQ(Id(Resolve(Kind::Default, "text/html")), "alpha.desktop");
    desktop.SetDefault("x-scheme-handler/http", "beta.desktop");
    EXPECT_EQ(Id(Resolve(Kind::Default, "application/x-none;x-scheme-handler/http")),
              "beta.desktop");
    EXPECT_FALSE(Resolve(Kind::Default, "application/x-none"));

    // Every category named must be there; the menu's order is by ID.
    EXPECT_EQ(Id(Resolve(Kind::Category, "WebBrowser;Network")), "alpha.desktop");
    EXPECT_FALSE(Resolve(Kind::Category, "WebBrowser;Game"));
    EXPECT_FALSE(Resolve(Kind::Category, "CardGame")); // not in the menu

    // A terminal application starts in the user's terminal; without one it
    // cannot start, and is left out of the menu.
    EXPECT_FALSE(Resolve(Kind::Category, "Monitor"));
    EXPECT_EQ(MenuIds(), (std::vector<std::string>{"alpha.desktop", "beta.desktop"}));
    const fs::path terminal = desktop.MarkerProgram("xdg-terminal-exec");
    const auto top = Resolve(Kind::Category, "Monitor");
    ASSERT_TRUE(top);
    EXPECT_EQ(top->argv,
              (std::vector<std::string>{terminal.string(),
                                        (desktop.Folder() / "bin" / "top").string(), "-d", "1"}));
}

TEST(HostApplications, TheMenuFollowsTheConformanceSet) {
    const fs::path corpus = Corpus("desktop-entries") / "glib" / "desktop-files";
    if (corpus.empty() || !fs::exists(corpus))
        GTEST_SKIP() << "desktop-entries corpus not present";
    HostDesktop desktop;
    desktop.UseDataFolders(corpus / "home", corpus / "usr");
    // The test set's programs are "true" and "false", on every PATH; the
    // entry without an Exec line cannot be started and is not offered.
    desktop.SetEnv("XDG_CURRENT_DESKTOP", "GNOME");
    const std::vector<std::string> gnome{
        "baobab.desktop",
        "cheese.desktop",
        "dconf-editor.desktop",
        "eog.desktop",
        "epiphany-weather-for-toronto-island-9c6a4e022b17686306243dada811d550d25eb1fb.desktop",
        "evince.desktop",
        "file-roller.desktop",
        "gedit.desktop",
        "glade.desktop",
        "gnome-contacts.desktop",
        "gnome-font-viewer.desktop",
        "gnome-music.desktop",
        "gnome-terminal.desktop",
        "gucharmap.desktop",
        "kde4-dolphin.desktop",
        "kde4-kate.desktop",
        "kde4-konqbrowser.desktop",
        "kde4-okular.desktop",
        "libreoffice-calc.desktop",
        "nautilus.desktop",
        "org.gnome.Calculator.desktop",
        "org.gnome.clocks.desktop",
        "totem.desktop",
        "yelp.desktop",
    };
    EXPECT_EQ(MenuIds(), gnome);
    // The user's eog.desktop hides the system's.
    EXPECT_EQ(Resolve(Kind::Application, "eog")->name, "Eye of GNOME");

    desktop.SetEnv("XDG_CURRENT_DESKTOP", "KDE");
    std::vector<std::string> kde = gnome;
    std::erase_if(kde, [](const std::string& id) {
        return id == "baobab.desktop" || id == "file-roller.desktop" ||
               id == "gnome-contacts.desktop" || id == "nautilus.desktop" || id == "yelp.desktop";
    });
    EXPECT_EQ(MenuIds(), kde);
    EXPECT_EQ(Id(Resolve(Kind::Category, "FileManager")), "kde4-dolphin.desktop");
    EXPECT_EQ(Id(Resolve(Kind::Default, "application/vnd.oasis.opendocument.spreadsheet")),
              "libreoffice-calc.desktop");
}

TEST(HostApplications, NoHelperNoAnswer) {
    HostDesktop desktop;
    desktop.AddApplication("alpha", "Alpha");
    desktop.SetEnv("ZORUN_HOST_HELPER", (desktop.Folder() / "missing").c_str());
    EXPECT_FALSE(Resolve(Kind::Application, "alpha"));
    EXPECT_FALSE(zorun::SurveyHostApplications({{}}, true));
}
