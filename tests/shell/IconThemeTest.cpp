// Icon names to files through fixture theme trees with index.theme files:
// the user's theme from settings.ini, Inherits (hicolor last, cycles),
// Fixed, Threshold, Scalable and scaled folders, pixmaps, themes that change
// while the program runs, and SVG pictures drawn at icon size.

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <thread>

#include <sys/wait.h>
#include <unistd.h>

#include "platform/gdi/Png.h"
#include "platform/gdi/Surface.h"
#include "platform/shell/HostIconIndex.h"
#include "platform/shell/IconImage.h"
#include "platform/shell/IconThemeLookup.h"

namespace fs = std::filesystem;

namespace {

class IconThemeTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "zorun-themes-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        tmp_ = pattern;
        Write("data/icons/hicolor/index.theme", "[Icon Theme]\nName=Hicolor\n"
                                                "Directories=48x48/apps,scalable/apps\n\n"
                                                "[48x48/apps]\nSize=48\nType=Threshold\n\n"
                                                "[scalable/apps]\nSize=48\nMinSize=1\n"
                                                "MaxSize=512\nType=Scalable\n");
        // hicolor named in the middle of the chain still comes last; Deep
        // inherits the user's theme back (a cycle).
        Write("data/icons/User/index.theme",
              "[Icon Theme]\nInherits=Middle\nDirectories=32x32/apps\n"
              "[32x32/apps]\nSize=32\nType=Fixed\n");
        Write("data/icons/Middle/index.theme",
              "[Icon Theme]\nInherits=hicolor, Deep ,Missing\nDirectories=24x24/apps\n"
              "[24x24/apps]\nSize=24\nType=Fixed\n");
        Write("data/icons/Deep/index.theme",
              "[Icon Theme]\nInherits=User\n"
              "Directories=16x16@2/apps,22x22/apps,48x48/apps,scalable/apps\n"
              "ScaledDirectories=64x64/apps\n"
              "[16x16@2/apps]\nSize=16\nScale=2\nType=Fixed\n"
              "[22x22/apps]\nSize=22\nType=Threshold\nThreshold=10\n"
              "[48x48/apps]\nSize=48\nType=Fixed\n"
              "[64x64/apps]\nSize=64\nType=Fixed\n"
              "[scalable/apps]\nSize=48\nMinSize=8\nMaxSize=256\nType=Scalable\n");
        Settings("User");
    }
    void TearDown() override { fs::remove_all(tmp_); }

    void Write(const std::string& relative, const std::string& text) {
        fs::create_directories((tmp_ / relative).parent_path());
        std::ofstream(tmp_ / relative, std::ios::binary) << text;
    }
    void Settings(const std::string& theme) {
        Write("config/gtk-3.0/settings.ini",
              "[Settings]\ngtk-theme-name=Other\ngtk-icon-theme-name=" + theme + "\n");
    }
    // A picture file (its content does not matter to the lookup).
    void Picture(const std::string& relative) { Write(relative, "x"); }
    zorun::IconThemeLookup::Sources Sources() {
        zorun::IconThemeLookup::Sources s;
        s.bases = {tmp_ / "home-icons", tmp_ / "data/icons"};
        s.pixmaps = {tmp_ / "data/pixmaps"};
        s.settings = {tmp_ / "config/gtk-4.0/settings.ini", tmp_ / "config/gtk-3.0/settings.ini"};
        return s;
    }
    // The file found, relative to the fixture, or "none".
    std::string Find(zorun::IconThemeLookup& lookup, const std::string& icon, int size,
                     int scale = 1) {
        const auto file = lookup.Find(icon, size, scale);
        return file ? fs::relative(*file, tmp_).string() : "none";
    }
    fs::path tmp_;
};

} // namespace

TEST_F(IconThemeTest, TheUsersThemeThenWhatItInheritsThenHicolorThenPixmaps) {
    zorun::IconThemeLookup lookup(Sources());
    const std::vector<std::string> chain{"User", "Middle", "Deep", "hicolor"};
    EXPECT_EQ(lookup.Chain(), chain);

    Picture("data/icons/User/32x32/apps/mail.png");
    Picture("data/icons/Middle/24x24/apps/mail.png");
    Picture("data/icons/Deep/48x48/apps/mail.png");
    Picture("data/icons/Deep/48x48/apps/web.png");
    Picture("data/icons/hicolor/48x48/apps/web.png");
    Picture("data/icons/hicolor/48x48/apps/game.png");
    Picture("data/pixmaps/game.png");
    Picture("data/pixmaps/old.png");
    // The user's own folder comes before the system's.
    Picture("home-icons/Middle/24x24/apps/tool.png");
    Picture("data/icons/Middle/24x24/apps/tool.png");
    zorun::IconThemeLookup fresh(Sources());
    EXPECT_EQ(Find(fresh, "mail", 16), "data/icons/User/32x32/apps/mail.png");
    EXPECT_EQ(Find(fresh, "mail", 48), "data/icons/User/32x32/apps/mail.png")
        << "the user's theme at any size before a parent's exact size";
    EXPECT_EQ(Find(fresh, "web", 48), "data/icons/Deep/48x48/apps/web.png")
        << "hicolor after every inherited theme";
    EXPECT_EQ(Find(fresh, "game", 48), "data/icons/hicolor/48x48/apps/game.png");
    EXPECT_EQ(Find(fresh, "old", 32), "data/pixmaps/old.png");
    EXPECT_EQ(Find(fresh, "tool", 24), "home-icons/Middle/24x24/apps/tool.png");
    EXPECT_EQ(Find(fresh, "nothing", 32), "none");
    EXPECT_EQ(Find(fresh, "../User/32x32/apps/mail", 32), "none");

    // No theme named anywhere: hicolor alone.
    fs::remove(tmp_ / "config/gtk-3.0/settings.ini");
    zorun::IconThemeLookup plain(Sources());
    EXPECT_EQ(plain.Chain(), std::vector<std::string>{"hicolor"});
    EXPECT_EQ(Find(plain, "web", 48), "data/icons/hicolor/48x48/apps/web.png");
    EXPECT_EQ(Find(plain, "mail", 48), "none");
}

TEST_F(IconThemeTest, FolderSizesTypesAndScales) {
    Picture("data/icons/Deep/48x48/apps/a.png");
    Picture("data/icons/Deep/22x22/apps/a.png");
    Picture("data/icons/Deep/16x16@2/apps/b.png");
    Picture("data/icons/Deep/48x48/apps/b.png");
    Picture("data/icons/Deep/scalable/apps/c.svg");
    Picture("data/icons/Deep/48x48/apps/c.png");
    Picture("data/icons/Deep/scalable/apps/d.svg");
    Picture("data/icons/Deep/64x64/apps/d.png");
    Picture("data/icons/Deep/scalable/apps/e.svg");
    Picture("data/icons/Deep/16x16@2/apps/e.png");
    Picture("data/icons/Deep/48x48/apps/f.xpm");
    Picture("data/icons/Deep/22x22/apps/f.png");
    zorun::IconThemeLookup lookup(Sources());
    // Threshold 10 around 22 takes 12 to 32.
    EXPECT_EQ(Find(lookup, "a", 32), "data/icons/Deep/22x22/apps/a.png");
    EXPECT_EQ(Find(lookup, "a", 33), "data/icons/Deep/22x22/apps/a.png") << "1 from 32, 15 from 48";
    EXPECT_EQ(Find(lookup, "a", 40), "data/icons/Deep/48x48/apps/a.png") << "as near: the larger";
    EXPECT_EQ(Find(lookup, "a", 12), "data/icons/Deep/22x22/apps/a.png");
    EXPECT_EQ(Find(lookup, "a", 48), "data/icons/Deep/48x48/apps/a.png");
    // 16 at scale 2 are 32 pixels: the folder for 16@2, and the nearest for 32.
    EXPECT_EQ(Find(lookup, "b", 16, 2), "data/icons/Deep/16x16@2/apps/b.png");
    EXPECT_EQ(Find(lookup, "b", 32), "data/icons/Deep/16x16@2/apps/b.png");
    EXPECT_EQ(Find(lookup, "b", 16), "data/icons/Deep/16x16@2/apps/b.png");
    // A scalable picture covers 8 to 256; a bitmap of the exact size wins.
    EXPECT_EQ(Find(lookup, "c", 48), "data/icons/Deep/48x48/apps/c.png");
    EXPECT_EQ(Find(lookup, "c", 32), "data/icons/Deep/scalable/apps/c.svg");
    EXPECT_EQ(Find(lookup, "d", 64), "data/icons/Deep/64x64/apps/d.png");
    EXPECT_EQ(Find(lookup, "d", 300), "data/icons/Deep/scalable/apps/d.svg") << "44 from 256";
    EXPECT_EQ(Find(lookup, "e", 32), "data/icons/Deep/scalable/apps/e.svg")
        << "no bitmap for 32 at scale 1";
    EXPECT_EQ(Find(lookup, "f", 48), "data/icons/Deep/22x22/apps/f.png") << "XPM is not read";
}

TEST_F(IconThemeTest, BrokenIndexFilesLoseOnlyWhatIsBroken) {
    Write("data/icons/User/index.theme",
          "[Icon Theme]\nInherits=User,,Deep\n"
          "Directories=../../../secret,/abs,nosize,8x8,32x32/apps,32x32/apps,huge\n"
          "[../../../secret]\nSize=8\n[/abs]\nSize=8\n[nosize]\nType=Fixed\n"
          "[8x8]\nSize=eight\n[huge]\nSize=99999999999\n"
          "[32x32/apps]\nSize=32\nType=Fixed\nScale=0\n");
    Picture("secret.png");
    Picture("data/icons/User/nosize/n.png");
    Picture("data/icons/User/32x32/apps/m.png");
    zorun::IconThemeLookup lookup(Sources());
    EXPECT_EQ(lookup.Chain(), (std::vector<std::string>{"User", "Deep", "hicolor"}));
    EXPECT_EQ(Find(lookup, "secret", 8), "none");
    EXPECT_EQ(Find(lookup, "n", 8), "none");
    EXPECT_EQ(Find(lookup, "m", 32), "data/icons/User/32x32/apps/m.png") << "scale 0 read as 1";
    ASSERT_EQ(zorun::IconTheme::Load("User", Sources().bases)->Directories().size(), 1u);
}

TEST_F(IconThemeTest, ChangesAreSeenAtTheNextCheck) {
    zorun::IconThemeLookup lookup(Sources());
    lookup.SetRecheckInterval(std::chrono::milliseconds(0));
    Picture("data/icons/hicolor/48x48/apps/late.png");
    // What was changed within the last moment is read again once it has
    // settled (file times are coarse); wait for that here.
    std::this_thread::sleep_for(std::chrono::milliseconds(150));
    EXPECT_EQ(Find(lookup, "late", 48), "data/icons/hicolor/48x48/apps/late.png");
    const auto loads = lookup.Loads();
    EXPECT_EQ(Find(lookup, "late", 48), "data/icons/hicolor/48x48/apps/late.png");
    EXPECT_EQ(lookup.Loads(), loads) << "nothing changed, nothing loaded again";

    // A picture added to a theme's folder.
    Picture("data/icons/User/32x32/apps/late.png");
    EXPECT_EQ(Find(lookup, "late", 48), "data/icons/User/32x32/apps/late.png");
    // Another theme chosen, one not installed yet, then installed.
    Settings("Later");
    EXPECT_EQ(Find(lookup, "late", 48), "data/icons/hicolor/48x48/apps/late.png");
    Write("home-icons/Later/index.theme",
          "[Icon Theme]\nDirectories=48x48/apps\n[48x48/apps]\nSize=48\n");
    Picture("home-icons/Later/48x48/apps/late.png");
    EXPECT_EQ(Find(lookup, "late", 48), "home-icons/Later/48x48/apps/late.png");
    // Its index rewritten without the folder.
    Write("home-icons/Later/index.theme", "[Icon Theme]\nDirectories=\n");
    EXPECT_EQ(Find(lookup, "late", 48), "data/icons/hicolor/48x48/apps/late.png");

    // Between checks, the index is trusted.
    lookup.SetRecheckInterval(std::chrono::hours(1));
    Picture("home-icons/Later/unseen.png");
    fs::remove(tmp_ / "data/icons/hicolor/48x48/apps/late.png");
    EXPECT_EQ(Find(lookup, "late", 48), "data/icons/hicolor/48x48/apps/late.png");
    EXPECT_TRUE(lookup.Recheck());
    EXPECT_EQ(Find(lookup, "late", 48), "none");
}

TEST_F(IconThemeTest, SvgPicturesAreDrawnAtTheSizeAsked) {
    // A red disc in a 100 x 50 document: centred, corners transparent.
    Write("data/icons/hicolor/scalable/apps/disc.svg",
          "<svg xmlns='http://www.w3.org/2000/svg' width='100' height='50' viewBox='0 0 100 50'>"
          "<circle cx='50' cy='25' r='25' fill='#ff0000'/></svg>");
    zorun::IconSearchPaths paths{{tmp_ / "data"}, {}};
    zorun::HostIconIndex index(paths);
    const auto file = index.FindIconFile("disc", 32);
    ASSERT_TRUE(file);
    const auto picture = zorun::LoadIconFile(*file, 32);
    ASSERT_TRUE(picture) << "librsvg could not be used";
    ASSERT_EQ(picture->size, 32);
    ASSERT_EQ(picture->argb.size(), 32u * 32u);
    EXPECT_EQ(picture->argb[16 * 32 + 16], 0xFFFF0000u);
    EXPECT_EQ(picture->argb[0] >> 24, 0u);
    EXPECT_EQ(picture->argb[2 * 32 + 16] >> 24, 0u) << "above the disc: the document is centred";
    // Half-covered edge pixels keep their colour (straight, not premultiplied).
    for (const auto pixel : picture->argb) {
        if (pixel >> 24) {
            EXPECT_EQ(pixel & 0xFFFFFF, 0xFF0000u);
        }
    }

    Write("data/icons/hicolor/scalable/apps/broken.svg", "<svg><circle");
    EXPECT_FALSE(zorun::LoadIconFile(tmp_ / "data/icons/hicolor/scalable/apps/broken.svg", 32));
}

TEST_F(IconThemeTest, ProgramIconsFollowTheThemeChosenAndItsChanges) {
    Write("data/applications/viewer.desktop",
          "[Desktop Entry]\nType=Application\nName=Viewer\nExec=viewer %f\nIcon=viewer\n");
    Write("bin/viewer", "#!/bin/sh\n");
    Write("data/icons/hicolor/scalable/apps/viewer.svg",
          "<svg xmlns='http://www.w3.org/2000/svg' viewBox='0 0 10 10'>"
          "<rect width='10' height='10' fill='#00ff00'/></svg>");
    zorun::IconSearchPaths paths{{tmp_ / "data"}, {}};
    paths.themeSettings = {tmp_ / "config/gtk-3.0/settings.ini"};
    zorun::HostIconIndex index(paths);
    index.Themes().SetRecheckInterval(std::chrono::milliseconds(0));
    const zorun::IconPicture* icon = index.ProgramIcon(tmp_ / "bin/viewer", 32);
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(icon->size, 32);
    EXPECT_EQ(icon->argb[0], 0xFF00FF00u) << "the SVG drawn at 32 x 32";

    // The user's theme gets a picture of its own: it replaces hicolor's.
    const auto red = zorun::Surface(32, 32, 0xFFFF0000u);
    fs::create_directories(tmp_ / "data/icons/User/32x32/apps");
    ASSERT_TRUE(zorun::WritePng(red, (tmp_ / "data/icons/User/32x32/apps/viewer.png").string()));
    icon = index.ProgramIcon(tmp_ / "bin/viewer", 32);
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(icon->argb[0], 0xFFFF0000u);
}

namespace {

// The first theme of the chain a fresh lookup builds in a child process
// whose GSettings read `schemas` (none when empty) and the keyfile of
// `config`: GLib reads its settings surroundings once per process.
std::string FirstThemeInChild(const zorun::IconThemeLookup::Sources& sources,
                              const fs::path& schemas, const fs::path& config,
                              const fs::path& empty) {
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0)
        return "no pipe";
    const pid_t child = fork();
    if (child == 0) {
        close(pipeEnds[0]);
        if (schemas.empty())
            unsetenv("GSETTINGS_SCHEMA_DIR");
        else
            setenv("GSETTINGS_SCHEMA_DIR", schemas.c_str(), 1);
        setenv("GSETTINGS_BACKEND", "keyfile", 1);
        setenv("XDG_CONFIG_HOME", config.c_str(), 1);
        setenv("XDG_DATA_HOME", empty.c_str(), 1);
        setenv("XDG_DATA_DIRS", empty.c_str(), 1);
        zorun::IconThemeLookup lookup(sources);
        const std::string first = lookup.Chain().empty() ? "none" : lookup.Chain().front();
        const auto written = write(pipeEnds[1], first.data(), first.size());
        _exit(written == static_cast<ssize_t>(first.size()) ? 0 : 1);
    }
    close(pipeEnds[1]);
    std::string first;
    char buffer[256];
    for (ssize_t n; (n = read(pipeEnds[0], buffer, sizeof buffer)) > 0;)
        first.append(buffer, static_cast<std::size_t>(n));
    close(pipeEnds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? first : "child failed";
}

} // namespace

TEST_F(IconThemeTest, GnomeSettingsNameTheThemeAsGtkReadsThem) {
    // A settings schema with a standard theme, compiled as the system's are.
    Write("schemas/org.gnome.desktop.interface.gschema.xml",
          "<schemalist><schema id='org.gnome.desktop.interface' "
          "path='/org/gnome/desktop/interface/'><key name='icon-theme' type='s'>"
          "<default>'Middle'</default></key></schema></schemalist>\n");
    const std::string compile = "glib-compile-schemas '" + (tmp_ / "schemas").string() + "'";
    if (std::system(compile.c_str()) != 0)
        GTEST_SKIP() << "glib-compile-schemas is not installed";
    fs::create_directories(tmp_ / "empty");
    auto sources = Sources();
    sources.desktopSettings = true;
    const fs::path schemas = tmp_ / "schemas";
    auto first = [&](const fs::path& schemaFolder) {
        return FirstThemeInChild(sources, schemaFolder, tmp_ / "config", tmp_ / "empty");
    };

    // Chosen in GNOME's settings: over what settings.ini says.
    Write("config/glib-2.0/settings/keyfile", "[org/gnome/desktop/interface]\nicon-theme='Deep'\n");
    EXPECT_EQ(first(schemas), "Deep");
    // Without the schema the same keyfile is never read.
    EXPECT_EQ(first({}), "User");
    // Nothing chosen: settings.ini, then the schema's standard theme.
    fs::remove(tmp_ / "config/glib-2.0/settings/keyfile");
    EXPECT_EQ(first(schemas), "User");
    fs::remove(tmp_ / "config/gtk-3.0/settings.ini");
    EXPECT_EQ(first(schemas), "Middle");
    EXPECT_EQ(first({}), "hicolor");
}
