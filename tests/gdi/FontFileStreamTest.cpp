// Faces read through FontFileStream are the faces FreeType maps itself, and
// files that are missing, not regular or not fonts fail without leaking or
// double-closing their descriptor.

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <vector>

#include "platform/gdi/FontFileStream.h"

namespace fs = std::filesystem;
using zorun::gdi::FontFileStream;

namespace {

fs::path SomeTrueTypeFont() {
    std::error_code ec;
    for (fs::recursive_directory_iterator it("/usr/share/fonts", ec), end; !ec && it != end;
         it.increment(ec))
        if (it->path().extension() == ".ttf" && it->file_size() > 100000)
            return it->path();
    return {};
}

int OpenDescriptors() {
    int n = 0;
    for (auto it = fs::directory_iterator("/proc/self/fd"); it != fs::directory_iterator(); ++it)
        ++n;
    return n;
}

// The rendered bitmap of `c` at `pixels` size, row by row.
std::vector<unsigned char> Render(FT_Face face, char32_t c, int pixels) {
    FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(pixels));
    if (FT_Load_Char(face, c, FT_LOAD_RENDER) != 0)
        return {};
    const FT_Bitmap& b = face->glyph->bitmap;
    std::vector<unsigned char> out;
    for (unsigned y = 0; y < b.rows; ++y)
        out.insert(out.end(), b.buffer + y * b.pitch, b.buffer + y * b.pitch + b.width);
    out.push_back(static_cast<unsigned char>(b.width));
    return out;
}

class FontFileStreamTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_EQ(FT_Init_FreeType(&library), 0);
        font = SomeTrueTypeFont();
        if (font.empty())
            GTEST_SKIP() << "no TrueType font installed";
    }
    void TearDown() override {
        if (library)
            FT_Done_FreeType(library);
    }
    FT_Library library = nullptr;
    fs::path font;
};

} // namespace

TEST_F(FontFileStreamTest, AFaceReadInPiecesIsTheMappedFace) {
    const int before = OpenDescriptors();
    FT_Face mapped = nullptr;
    ASSERT_EQ(FT_New_Face(library, font.c_str(), 0, &mapped), 0);
    {
        auto stream = FontFileStream::Open(font.string());
        ASSERT_TRUE(stream);
        FT_Face read = nullptr;
        ASSERT_EQ(stream->OpenFace(library, 0, &read), 0) << font;
        EXPECT_EQ(read->num_glyphs, mapped->num_glyphs);
        EXPECT_STREQ(read->family_name, mapped->family_name);
        // Glyphs from the start and the far end of the file, at two sizes
        // (hinting runs the font's own programs, read from the file too).
        for (char32_t c : {U'A', U'g', U'@', U'é', U'Ω', U'€'})
            for (int pixels : {11, 29})
                EXPECT_EQ(Render(read, c, pixels), Render(mapped, c, pixels))
                    << font << " U+" << std::hex << static_cast<unsigned>(c) << " " << pixels;
        FT_Done_Face(read); // closes the file; the stream goes after
    }
    FT_Done_Face(mapped);
    EXPECT_EQ(OpenDescriptors(), before);
}

TEST_F(FontFileStreamTest, WhatIsNotAFontFailsCleanly) {
    const fs::path dir =
        fs::temp_directory_path() / ("zorun-font-stream-" + std::to_string(getpid()));
    fs::create_directories(dir);
    std::ofstream(dir / "text.ttf") << "not a font at all\n";
    {
        // The first few kilobytes of a real font: the directory promises
        // tables the file does not hold.
        std::ifstream in(font, std::ios::binary);
        std::vector<char> head(6000);
        in.read(head.data(), static_cast<std::streamsize>(head.size()));
        std::ofstream(dir / "cut.ttf", std::ios::binary).write(head.data(), in.gcount());
    }
    std::ofstream(dir / "empty.ttf").close();
    const int before = OpenDescriptors();

    EXPECT_FALSE(FontFileStream::Open((dir / "missing.ttf").string()));
    EXPECT_FALSE(FontFileStream::Open(dir.string())) << "a folder is no font";
    for (const char* name : {"text.ttf", "cut.ttf", "empty.ttf"}) {
        auto stream = FontFileStream::Open((dir / name).string());
        ASSERT_TRUE(stream) << name;
        FT_Face face = nullptr;
        const FT_Error error = stream->OpenFace(library, 0, &face);
        if (error == 0) {
            // FreeType may take a cut file's header; its glyphs then fail.
            EXPECT_TRUE(Render(face, U'g', 13).size() <= 1) << name;
            FT_Done_Face(face);
        }
    }
    EXPECT_EQ(OpenDescriptors(), before) << "each descriptor closed once";
    fs::remove_all(dir);
}
