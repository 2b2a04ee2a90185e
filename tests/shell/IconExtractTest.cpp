#include "platform/shell/IconExtract.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

#include "tests/support/Corpora.h"
#include "tests/support/Fifo.h"
#include <sys/stat.h>

#include "platform/gdi/Icon.h"
#include "platform/gdi/Png.h"
#include "platform/gdi/Surface.h"
#include "platform/gdi/WinGdi.h"
#include "platform/kernel/DeviceRoot.h"
#include "platform/shell/HostIconIndex.h"
#include "platform/shell/IconImage.h"

namespace fs = std::filesystem;

namespace {

constexpr std::uint32_t kRed = 0xFFFF0000, kGreen = 0xFF00FF00, kBlue = 0xFF0000FF,
                        kYellow = 0xFFFFFF00, kGrey = 0xFF808080;

void Png(const fs::path& path, int size, std::uint32_t colour) {
    fs::create_directories(path.parent_path());
    ASSERT_TRUE(zorun::WritePng(zorun::Surface(size, size, colour), path.string()));
}

void Put16(std::string& s, int v) {
    s.push_back(char(v & 0xFF));
    s.push_back(char((v >> 8) & 0xFF));
}
void Put32(std::string& s, std::uint32_t v) {
    Put16(s, int(v & 0xFFFF));
    Put16(s, int(v >> 16));
}

// An icon image as a DIB: 32 bits with alpha, or 1 bit (palette black and
// `colour`) with an AND mask whose left half is transparent.
std::string Dib(int size, int bpp, std::uint32_t colour) {
    std::string s;
    Put32(s, 40);
    Put32(s, std::uint32_t(size));
    Put32(s, std::uint32_t(size * 2));
    Put16(s, 1);
    Put16(s, bpp);
    for (int i = 0; i < 6; ++i)
        Put32(s, 0);
    if (bpp == 32) {
        for (int i = 0; i < size * size; ++i)
            Put32(s, colour);
    } else {
        Put32(s, 0);
        Put32(s, colour & 0xFFFFFF);
        const int stride = ((size + 31) / 32) * 4;
        s.append(std::size_t(stride * size), char(0xFF)); // every pixel index 1
    }
    const int maskStride = ((size + 31) / 32) * 4;
    for (int y = 0; y < size; ++y)
        for (int b = 0; b < maskStride; ++b)
            s.push_back(b * 8 < size / 2 ? char(0xFF) : 0); // left half masked
    return s;
}

std::string Ico(const std::vector<std::pair<int, std::string>>& images) {
    std::string s;
    Put16(s, 0);
    Put16(s, 1);
    Put16(s, int(images.size()));
    std::uint32_t offset = 6 + 16 * std::uint32_t(images.size());
    for (const auto& [size, data] : images) {
        s.push_back(char(size == 256 ? 0 : size));
        s.push_back(char(size == 256 ? 0 : size));
        s.append(2, '\0');
        Put16(s, 1);
        Put16(s, 32);
        Put32(s, std::uint32_t(data.size()));
        Put32(s, offset);
        offset += std::uint32_t(data.size());
    }
    for (const auto& image : images)
        s += image.second;
    return s;
}

struct Extracted {
    int large = 0, small = 0; // sizes, 0 for none
    std::uint32_t largeCentre = 0, smallCentre = 0, largeLeft = 0;
};

Extracted Extract(const char16_t* file, int index = 0) {
    HICON large = nullptr, small = nullptr;
    Extracted e;
    ExtractIconExW(file, index, &large, &small, 1);
    SIZE size{};
    if (large && zorun::GetIconSize(large, &size)) {
        e.large = size.cx;
        e.largeCentre = zorun::IconPixels(large)->Pixel(size.cx * 3 / 4, size.cy / 2);
        e.largeLeft = zorun::IconPixels(large)->Pixel(2, size.cy / 2);
    }
    if (small && zorun::GetIconSize(small, &size)) {
        e.small = size.cx;
        e.smallCentre = zorun::IconPixels(small)->Pixel(size.cx * 3 / 4, size.cy / 2);
    }
    if (large)
        DestroyIcon(large);
    if (small)
        DestroyIcon(small);
    return e;
}

class IconExtractTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "zorun-icons-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        tmp_ = pattern;
        fs::create_directories(tmp_ / "device" / "Windows");
        zorun::SetDeviceRoot(tmp_ / "device");
    }
    void TearDown() override {
        zorun::SetDefaultHostIconIndex(nullptr);
        fs::remove_all(tmp_);
    }
    void Write(const fs::path& relative, const std::string& bytes) {
        fs::create_directories((tmp_ / relative).parent_path());
        std::ofstream(tmp_ / relative, std::ios::binary) << bytes;
    }
    fs::path tmp_;
};

} // namespace

TEST_F(IconExtractTest, IcoFilesGiveTheNearestImagesScaledToIconSizes) {
    Write("device/Windows/app.ico",
          Ico({{16, Dib(16, 32, kBlue)}, {48, Dib(48, 32, kGreen)}, {32, Dib(32, 32, kRed)}}));
    auto e = Extract(u"\\windows\\APP.ICO");
    EXPECT_EQ(e.large, 32);
    EXPECT_EQ(e.largeCentre, kRed);
    EXPECT_EQ(e.small, 16);
    EXPECT_EQ(e.smallCentre, kBlue);
    EXPECT_EQ(Extract(u"\\Windows\\app.ico", -107).largeCentre, kRed); // by resource number
    EXPECT_EQ(Extract(u"\\Windows\\app.ico", 1).large, 0);
    EXPECT_EQ(ExtractIconExW(u"\\Windows\\app.ico", -1, nullptr, nullptr, 0), 1u);

    // Only bigger images: scaled down; a 1-bit image with its mask; PNG inside.
    Write("device/Windows/mask.ico", Ico({{64, Dib(64, 1, kYellow)}}));
    e = Extract(u"\\Windows\\mask.ico");
    EXPECT_EQ(e.largeCentre, kYellow);
    EXPECT_EQ(e.largeLeft >> 24, 0u) << "masked pixels are transparent";
    Png(tmp_ / "inner.png", 256, kGreen);
    std::ifstream png(tmp_ / "inner.png", std::ios::binary);
    Write("device/Windows/png.ico",
          Ico({{256, std::string((std::istreambuf_iterator<char>(png)), {})}}));
    EXPECT_EQ(Extract(u"\\Windows\\png.ico").largeCentre, kGreen);
    Png(tmp_ / "device/Windows/plain.png", 20, kGrey);
    e = Extract(u"\\Windows\\plain.png");
    EXPECT_EQ(e.large, 32);
    EXPECT_EQ(e.largeCentre, kGrey);
}

TEST_F(IconExtractTest, DamagedFilesGiveNoIcon) {
    const auto good = Ico({{32, Dib(32, 32, kRed)}});
    for (std::size_t cut :
         {std::size_t(0), std::size_t(5), std::size_t(21), std::size_t(60), good.size() - 200}) {
        Write("device/Windows/cut.ico", good.substr(0, cut));
        EXPECT_EQ(Extract(u"\\Windows\\cut.ico").large, 0) << cut;
    }
    std::string lying = good;
    lying[4] = char(0xFF); // claims 255 images
    Write("device/Windows/lying.ico", lying);
    EXPECT_EQ(Extract(u"\\Windows\\lying.ico").large, 0);
    std::string far = good;
    far[18] = char(0x7F); // image offset far beyond the file
    Write("device/Windows/far.ico", far);
    EXPECT_EQ(Extract(u"\\Windows\\far.ico").large, 0);
    Write("device/Windows/bad.png", "\x89PNG\r\n\x1a\nnot really");
    EXPECT_EQ(Extract(u"\\Windows\\bad.png").large, 0);
    EXPECT_EQ(Extract(u"\\Windows\\missing.ico").large, 0);
    EXPECT_EQ(Extract(u"").large, 0);
}

TEST_F(IconExtractTest, FifosAreNoIconsAndNeverBlock) {
    // Icon files of the device, a host program and a desktop entry: every
    // one a FIFO that no writer will ever open.
    for (const char* name : {"device/Windows/pipe.ico", "device/Windows/pipe.png", "bin/pipe",
                             "usr/applications/pipe.desktop"})
        MakeFifo(tmp_ / name);
    zorun::SetDefaultHostIconIndex(
        std::make_unique<zorun::HostIconIndex>(zorun::IconSearchPaths{{tmp_ / "usr"}, {}}));
    bool anything = true;
    EXPECT_TRUE(ReturnsDespiteFifos(tmp_, [&] {
        anything = zorun::LoadIconFile(tmp_ / "device/Windows/pipe.ico", 32).has_value() ||
                   zorun::LoadIconFile(tmp_ / "device/Windows/pipe.png", 32).has_value() ||
                   Extract(u"\\Windows\\pipe.ico").large != 0;
    }));
    EXPECT_FALSE(anything);
    EXPECT_TRUE(ReturnsDespiteFifos(tmp_, [&] {
        anything = zorun::DefaultHostIconIndex().ProgramIcon(tmp_ / "bin/pipe", 32) != nullptr;
    }));
    EXPECT_FALSE(anything);
    EXPECT_TRUE(ReturnsDespiteFifos(
        tmp_, [&] { anything = !zorun::DefaultHostIconIndex().IconNameFor("pipe").empty(); }));
    EXPECT_FALSE(anything);
}

// Programs get the icon of their host program's desktop entry, through the
// user's icon theme first, then hicolor.
TEST_F(IconExtractTest, ProgramsGetTheirDesktopEntryIcon) {
    const auto entries = Corpus("desktop-entries/glib/desktop-files");
    if (!fs::exists(entries))
        SKIP_WITHOUT_CORPUS("desktop-entry corpus");
    fs::copy(entries / "home", tmp_ / "home", fs::copy_options::recursive);
    fs::copy(entries / "usr", tmp_ / "usr", fs::copy_options::recursive);
    Png(tmp_ / "usr/icons/hicolor/48x48/apps/accessories-text-editor.png", 48, kRed);
    Png(tmp_ / "usr/icons/hicolor/48x48/apps/eog.png", 48, kGreen);
    Png(tmp_ / "usr/icons/hicolor/16x16/apps/eog.png", 16, kBlue);
    Png(tmp_ / "usr/icons/hicolor/48x48/apps/accessories-character-map.png", 48, kGrey);
    Png(tmp_ / "home/icons/Mine/32x32/apps/accessories-character-map.png", 32, kYellow);
    zorun::SetDefaultHostIconIndex(std::make_unique<zorun::HostIconIndex>(
        zorun::IconSearchPaths{{tmp_ / "home", tmp_ / "usr"}, {"Mine"}}));

    // By its own name (the desktop-file id), ".exe" or not.
    Write("device/Windows/gedit.exe", "#!/bin/sh\n");
    auto e = Extract(u"\\Windows\\gedit.exe");
    EXPECT_EQ(e.large, 32);
    EXPECT_EQ(e.largeCentre, kRed);
    // Through a symbolic link to the host program: Exec=true is claimed by
    // several entries; the user's eog entry comes first.
    Write("bin/true", "#!/bin/sh\n");
    fs::create_symlink(tmp_ / "bin/true", tmp_ / "device/Windows/viewer.exe");
    e = Extract(u"\\Windows\\viewer.exe");
    EXPECT_EQ(e.largeCentre, kGreen) << "48 x 48 scaled down";
    EXPECT_EQ(e.smallCentre, kBlue) << "16 x 16 as it is";
    // Through a launcher script; the user's theme wins over hicolor.
    Write("device/Windows/charmap.exe", "#!/bin/sh\nexec /opt/x/gucharmap \"$@\"\n");
    EXPECT_EQ(Extract(u"\\Windows\\charmap.exe").largeCentre, kYellow);
    // Unknown programs and entries whose icon has no picture: nothing.
    Write("device/Windows/nothing.exe", "#!/bin/sh\n");
    EXPECT_EQ(Extract(u"\\Windows\\nothing.exe").large, 0);
    Write("device/Windows/kde4-kate.exe", "#!/bin/sh\n");
    EXPECT_EQ(Extract(u"\\Windows\\kde4-kate.exe").large, 0);
    EXPECT_EQ(zorun::DefaultHostIconIndex().IconNameFor("kde4-kate"), "kate");
}

// A host program file shows the icon it names, else the icon of the
// application provisioning found for it.
TEST_F(IconExtractTest, HostProgramFilesShowTheirApplicationsIcon) {
    Png(tmp_ / "usr/icons/hicolor/32x32/apps/web-browser.png", 32, kBlue);
    Png(tmp_ / "usr/icons/hicolor/32x32/apps/mine.png", 32, kYellow);
    zorun::SetDefaultHostIconIndex(
        std::make_unique<zorun::HostIconIndex>(zorun::IconSearchPaths{{tmp_ / "usr"}, {}}));
    Write("device/Windows/iexplore.exe", "[Zorun Host Program]\nDefault=text/html\n");
    Write("device/Windows/own.exe", "[Zorun Host Program]\nIcon=mine\nDefault=text/html\n");
    Write("device/Windows/zorun-host.state",
          "# Zorun: what it found and made for this device (its own)\n"
          "icon\twindows/iexplore.exe\tweb-browser\n"
          "icon\twindows/own.exe\tweb-browser\n");
    EXPECT_EQ(Extract(u"\\WINDOWS\\IEXPLORE.EXE").largeCentre, kBlue);
    EXPECT_EQ(Extract(u"\\Windows\\own.exe").largeCentre, kYellow);
    Write("device/Windows/other.exe", "[Zorun Host Program]\nDefault=text/html\n");
    EXPECT_EQ(Extract(u"\\Windows\\other.exe").large, 0);
}
