#include "launcher/PictureLoader.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

#include "tests/support/Corpora.h"
#include <map>
#include <sstream>

#include "platform/kernel/DeviceRoot.h"

namespace fs = std::filesystem;

namespace {

std::vector<std::string> SplitTabs(const std::string& line) {
    std::vector<std::string> cols;
    std::stringstream in(line);
    for (std::string col; std::getline(in, col, '\t');)
        cols.push_back(col);
    return cols;
}

struct Rgba {
    int width = 0, height = 0;
    std::vector<std::uint8_t> pixels; // RGBA, top row first
};

Rgba ReadPam(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    Rgba image;
    for (std::string token; in >> token && token != "ENDHDR";) {
        if (token == "WIDTH")
            in >> image.width;
        else if (token == "HEIGHT")
            in >> image.height;
    }
    in.get(); // the newline after ENDHDR
    image.pixels.resize(std::size_t(image.width) * image.height * 4);
    in.read(reinterpret_cast<char*>(image.pixels.data()),
            static_cast<std::streamsize>(image.pixels.size()));
    return image;
}

// The loaded picture as RGBA, read back through a device context.
Rgba Pixels(HBITMAP bitmap) {
    BITMAP info{};
    EXPECT_EQ(GetObjectW(bitmap, sizeof info, &info), int(sizeof info));
    Rgba image{info.bmWidth, info.bmHeight, {}};
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) {
            const COLORREF c = GetPixel(dc, x, y);
            image.pixels.insert(image.pixels.end(),
                                {std::uint8_t(GetRValue(c)), std::uint8_t(GetGValue(c)),
                                 std::uint8_t(GetBValue(c)), 255});
        }
    SelectObject(dc, old);
    DeleteDC(dc);
    return image;
}

// Largest channel difference, or 256 when the sizes differ.
int Difference(const Rgba& a, const Rgba& b) {
    if (a.width != b.width || a.height != b.height)
        return 256;
    int worst = 0;
    for (std::size_t i = 0; i < a.pixels.size(); ++i)
        if (i % 4 != 3)
            worst = std::max(worst, std::abs(int(a.pixels[i]) - int(b.pixels[i])));
    return worst;
}

class PictureLoaderTest : public ::testing::Test {
  protected:
    void SetUp() override {
        suite_ = Corpus("bmpsuite");
        if (!fs::exists(suite_ / "header-summary.tsv"))
            SKIP_WITHOUT_CORPUS("BMP suite");
        zorun::SetDeviceRoot(suite_);
    }
    fs::path suite_;
};

} // namespace

// Every good picture with a 40-byte header (or the later ones that extend
// it), uncompressed or with bit fields,
// loads at its size with the reference pixels (16-bit channels may round).
TEST_F(PictureLoaderTest, GoodPicturesMatchTheirReferences) {
    std::map<std::string, std::string> references;
    std::ifstream index(suite_ / "reference-index.tsv");
    for (std::string line; std::getline(index, line);)
        if (!line.empty() && line[0] != '#') {
            const auto cols = SplitTabs(line);
            references[cols[0]] = cols[2];
        }
    std::ifstream summary(suite_ / "header-summary.tsv");
    int checked = 0;
    for (std::string line; std::getline(summary, line);) {
        if (line.empty() || line[0] == '#')
            continue;
        const auto cols = SplitTabs(line);
        const auto& file = cols[0];
        const int compression = std::stoi(cols[9]);
        const bool header = cols[4] == "40" || cols[4] == "108" || cols[4] == "124";
        if (file.rfind("g/", 0) != 0 || !header || (compression != 0 && compression != 3))
            continue;
        std::u16string device = u"\\";
        for (char c : file)
            device.push_back(c == '/' ? u'\\' : char16_t(c));
        HBITMAP bitmap = LoadBackgroundPicture(device);
        ASSERT_NE(bitmap, nullptr) << file;
        const auto loaded = Pixels(bitmap);
        DeleteObject(bitmap);
        const int tolerance = cols[8] == "16" || compression == 3 ? 4 : 0;
        int best = 256;
        std::stringstream alternatives(references[file]);
        for (std::string ref; std::getline(alternatives, ref, '|');) {
            ref = ref.substr(0, ref.find(' '));
            ref = ref.substr(0, ref.rfind('.')) + ".pam";
            best = std::min(best, Difference(loaded, ReadPam(suite_ / "reference-rgba" / ref)));
        }
        EXPECT_LE(best, tolerance) << file;
        ++checked;
    }
    EXPECT_GE(checked, 20);
}

// No file of the suite crashes the loader or makes it allocate beyond the
// file (or, for a file cut short, beyond the largest picture filled); what
// it cannot draw faithfully it refuses.
TEST_F(PictureLoaderTest, EveryFileOfTheSuiteIsSafe) {
    int files = 0;
    for (const char* folder : {"g", "q", "b", "x"})
        for (const auto& entry : fs::directory_iterator(suite_ / folder)) {
            std::ifstream in(entry.path(), std::ios::binary);
            std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), {});
            HBITMAP bitmap = LoadBackgroundPictureFromBytes(bytes);
            if (bitmap) {
                BITMAP info{};
                ASSERT_EQ(GetObjectW(bitmap, sizeof info, &info), int(sizeof info));
                EXPECT_LE(std::int64_t(info.bmWidth) * info.bmHeight,
                          std::max<std::int64_t>(std::int64_t(bytes.size()) * 8,
                                                 std::int64_t{kMaxFilledPixels}))
                    << entry.path().filename();
                DeleteObject(bitmap);
            }
            // Every prefix of a file is a file too.
            for (std::size_t cut :
                 {std::size_t(1), std::size_t(14), std::size_t(54), bytes.size() / 2})
                if (HBITMAP b = LoadBackgroundPictureFromBytes(
                        std::span(bytes).first(std::min(cut, bytes.size()))))
                    DeleteObject(b);
            ++files;
        }
    EXPECT_EQ(files, 91);
    for (const char* refused : {"b/reallybig.bmp", "b/badwidth.bmp", "b/badbitcount.bmp",
                                "b/badplanes.bmp", "g/pal8rle.bmp", "g/pal8os2.bmp"}) {
        std::u16string device = u"\\";
        for (const char* c = refused; *c; ++c)
            device.push_back(*c == '/' ? u'\\' : char16_t(*c));
        EXPECT_EQ(LoadBackgroundPicture(device), nullptr) << refused;
    }
    EXPECT_EQ(LoadBackgroundPicture(u""), nullptr);
    EXPECT_EQ(LoadBackgroundPicture(u"\\missing.bmp"), nullptr);
    // Cut short inside its pixels: shown at its size, the rest filled.
    HBITMAP shortFile = LoadBackgroundPicture(u"\\b\\shortfile.bmp");
    ASSERT_NE(shortFile, nullptr);
    BITMAP info{};
    GetObjectW(shortFile, sizeof info, &info);
    EXPECT_EQ(info.bmWidth, 127);
    EXPECT_EQ(info.bmHeight, 64);
    DeleteObject(shortFile);
}
