#include "catalogue/IconResolver.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

#include "platform/gdi/Icon.h"
#include "platform/gdi/Png.h"
#include "platform/gdi/Surface.h"
#include "platform/gdi/WinGdi.h"
#include "platform/kernel/DeviceRoot.h"
#include "platform/shell/HostIconIndex.h"

namespace fs = std::filesystem;

namespace {

constexpr std::uint32_t kRed = 0xFFFF0000, kGreen = 0xFF00FF00;

// The pixels of an icon, to tell icons apart; empty for no icon.
std::vector<std::uint32_t> Pixels(HICON icon) {
    if (!icon)
        return {};
    const auto* surface = zorun::IconPixels(icon);
    std::vector<std::uint32_t> out(surface->Pixels().begin(), surface->Pixels().end());
    DestroyIcon(icon);
    return out;
}

std::vector<std::uint32_t> BuiltIn(int number) {
    return Pixels(LoadIconW(nullptr, number));
}

class IconResolverTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "zorun-iconrule-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        tmp_ = pattern;
        fs::create_directories(tmp_ / "device/Windows/Start Menu");
        fs::create_directories(tmp_ / "data/applications");
        zorun::SetDeviceRoot(tmp_ / "device");
        std::ofstream(tmp_ / "data/applications/tool.desktop")
            << "[Desktop Entry]\nType=Application\nExec=tool %U\nIcon=toolicon\n";
        fs::create_directories(tmp_ / "data/icons/hicolor/32x32/apps");
        ASSERT_TRUE(
            zorun::WritePng(zorun::Surface(32, 32, kGreen),
                            (tmp_ / "data/icons/hicolor/32x32/apps/toolicon.png").string()));
        ASSERT_TRUE(zorun::WritePng(zorun::Surface(32, 32, kRed),
                                    (tmp_ / "device/Windows/red.png").string()));
        Write("Windows/tool.exe", "#!/bin/sh\n");
        zorun::SetDefaultHostIconIndex(
            std::make_unique<zorun::HostIconIndex>(zorun::IconSearchPaths{{tmp_ / "data"}, {}}));
        green_ = std::vector<std::uint32_t>(32 * 32, kGreen);
        red_ = std::vector<std::uint32_t>(32 * 32, kRed);
    }
    void TearDown() override {
        zorun::SetDefaultHostIconIndex(nullptr);
        fs::remove_all(tmp_);
    }
    void Write(const fs::path& relative, const std::string& text) {
        std::ofstream(tmp_ / "device" / relative, std::ios::binary) << text;
    }
    static std::vector<std::uint32_t> Resolve(std::u16string_view target, std::u16string_view ref) {
        return Pixels(ResolveShortcutIcon(target, ref));
    }

    fs::path tmp_;
    std::vector<std::uint32_t> green_, red_;
};

} // namespace

TEST_F(IconResolverTest, ReferencesOfThreeOrMoreDigitsAreBuiltInIcons) {
    ASSERT_FALSE(BuiltIn(133).empty());
    EXPECT_EQ(Resolve(u"\\Windows\\tool.exe", u"133"), BuiltIn(133));
    EXPECT_EQ(Resolve(u"", u"146"), BuiltIn(146));
    // Two characters are not a number: the target decides.
    EXPECT_EQ(Resolve(u"\\Windows\\tool.exe", u"13"), green_);
    EXPECT_EQ(Resolve(u"\\Windows\\tool.exe", u"0"), green_);
    // A number that names no icon shows the generic one.
    EXPECT_EQ(Resolve(u"\\Windows\\tool.exe", u"99999999999"), BuiltIn(kGenericProgramIcon));
}

TEST_F(IconResolverTest, TargetsGiveDesktopProgramAndGenericIcons) {
    EXPECT_EQ(Resolve(u"\\WINDOWS\\Shell32.Exe", u"0"), BuiltIn(kDesktopIcon));
    EXPECT_EQ(Resolve(u"\\windows\\TOOL.EXE", u"0"), green_);
    EXPECT_EQ(Resolve(u"\\Windows\\unknown.exe", u"0"), BuiltIn(kGenericProgramIcon));
    EXPECT_TRUE(Resolve(u"", u"0").empty()) << "an empty target has no icon";
}

TEST_F(IconResolverTest, ShortcutFilesUseTheirIconLocationThenTheirProgram) {
    Write("Windows/Start Menu/Own.lnk", "18#\\Windows\\tool.exe?\\Windows\\red.png,-0");
    EXPECT_EQ(Resolve(u"\\Windows\\Start Menu\\Own.lnk", u"0"), red_);
    // Capital extension is read the same way.
    Write("Windows/Start Menu/Caps.LNK", "18#\\Windows\\tool.exe?\\Windows\\red.png,-0");
    EXPECT_EQ(Resolve(u"\\Windows\\Start Menu\\Caps.LNK", u"0"), red_);
    // No usable location: the program up to ".exe", quoted or not.
    Write("Windows/Start Menu/Plain.lnk", "25#\"\\Windows\\tool.exe\" --x");
    EXPECT_EQ(Resolve(u"\\Windows\\Start Menu\\Plain.lnk", u"0"), green_);
    Write("Windows/Start Menu/Broken.lnk", "18#\\Windows\\tool.exe?\\Windows\\none.ico,-5");
    EXPECT_EQ(Resolve(u"\\Windows\\Start Menu\\Broken.lnk", u"0"), green_);
    EXPECT_EQ(Resolve(u"\\Windows\\Start Menu\\Missing.lnk", u"0"), BuiltIn(kGenericProgramIcon));
}

TEST_F(IconResolverTest, ShortcutRulesMatchLaunching) {
    // ".lnk" in a folder name: the program's own icon, not a shortcut's.
    fs::create_directories(tmp_ / "device/Windows/a.lnkdir");
    Write("Windows/a.lnkdir/tool.exe", "#!/bin/sh\n");
    EXPECT_EQ(Resolve(u"\\Windows\\a.lnkdir\\tool.exe", u"0"), green_);
    // The program part ends at the ".exe" that ends a name, past 100 characters.
    const std::string folder = "x.exe.d" + std::string(100, 'f');
    fs::create_directories(tmp_ / "device/Windows" / folder);
    Write("Windows/" + folder + "/tool.exe", "#!/bin/sh\n");
    Write("Windows/Start Menu/Deep.lnk", "9#\\Windows\\" + folder + "\\tool.exe --x");
    EXPECT_EQ(Resolve(u"\\Windows\\Start Menu\\Deep.lnk", u"0"), green_);
}
