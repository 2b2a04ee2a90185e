// Fontconfig's choices kept between runs: they come back as saved, and a
// file that is corrupt, cut off, stamped for another configuration or
// pointing at a font file that changed is ignored, never trusted.

#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "platform/gdi/FontChoiceCache.h"
#include "platform/gdi/FontEngine.h"

namespace {

namespace fs = std::filesystem;
using zorun::gdi::FaceChoice;
using zorun::gdi::FontChoiceCache;

class FontChoiceCacheTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir = fs::temp_directory_path() / ("zorun-font-choices-" + std::to_string(getpid()));
        fs::create_directories(dir);
        font = dir / "Face.ttf";
        std::ofstream(font) << "not really a font, but a file with an identity";
        file = dir / "cache" / "font-choices";
    }
    void TearDown() override { fs::remove_all(dir); }

    FaceChoice Choice() const { return {font.string(), 1, "Face Sans", 80, 0, 0, 0}; }
    std::string Text() const {
        std::ifstream in(file, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }
    void Write(const std::string& text) const {
        std::ofstream(file, std::ios::binary | std::ios::trunc) << text;
    }

    fs::path dir, font, file;
};

TEST_F(FontChoiceCacheTest, ChoicesComeBackAsSaved) {
    FontChoiceCache cache;
    EXPECT_FALSE(cache.Changed());
    cache.SetFace("Arial", false, false, Choice());
    cache.SetFace("Arial", true, false, Choice());
    cache.SetFallback("Arial", false, false, U'\u3042', Choice());
    cache.SetFallback("Arial", false, false, U'\U0001F600', std::nullopt); // no face has it
    cache.SetFace("Tab\there", false, false, Choice()); // not kept: the line could not hold it
    EXPECT_TRUE(cache.Changed());
    ASSERT_TRUE(cache.Save(file, "stamp-1"));

    const FontChoiceCache loaded = FontChoiceCache::Load(file, "stamp-1");
    EXPECT_EQ(loaded.Size(), 4u);
    EXPECT_FALSE(loaded.Changed());
    auto face = loaded.Face("Arial", false, false);
    ASSERT_TRUE(face);
    EXPECT_EQ(face->path, font.string());
    EXPECT_EQ(face->index, 1);
    EXPECT_EQ(face->family, "Face Sans");
    EXPECT_EQ(face->weight, 80);
    EXPECT_TRUE(loaded.Face("Arial", true, false));
    EXPECT_FALSE(loaded.Face("Arial", false, true)) << "never asked for";
    EXPECT_FALSE(loaded.Face("Tab\there", false, false));
    auto kana = loaded.Fallback("Arial", false, false, U'\u3042');
    ASSERT_TRUE(kana && *kana);
    EXPECT_EQ((*kana)->path, font.string());
    auto emoji = loaded.Fallback("Arial", false, false, U'\U0001F600');
    ASSERT_TRUE(emoji) << "known";
    EXPECT_FALSE(*emoji) << "known to be in no face";
    EXPECT_FALSE(loaded.Fallback("Arial", false, false, U'x')) << "unknown";
}

TEST_F(FontChoiceCacheTest, AnotherConfigurationOrAChangedFontIsNotTrusted) {
    FontChoiceCache cache;
    cache.SetFace("Arial", false, false, Choice());
    ASSERT_TRUE(cache.Save(file, "stamp-1"));
    EXPECT_EQ(FontChoiceCache::Load(file, "stamp-2").Size(), 0u);

    // The font file replaced by another of a different size.
    std::ofstream(font, std::ios::trunc) << "another font";
    const FontChoiceCache loaded = FontChoiceCache::Load(file, "stamp-1");
    EXPECT_FALSE(loaded.Face("Arial", false, false));
    fs::remove(font);
    EXPECT_FALSE(loaded.Face("Arial", false, false));
}

TEST_F(FontChoiceCacheTest, CorruptFilesAreIgnored) {
    FontChoiceCache cache;
    cache.SetFace("Arial", false, false, Choice());
    cache.SetFallback("Arial", false, false, U'\u3042', std::nullopt);
    ASSERT_TRUE(cache.Save(file, "s"));
    const std::string good = Text();
    ASSERT_EQ(FontChoiceCache::Load(file, "s").Size(), 2u);

    const std::string header = good.substr(0, good.find('\n', good.find('\n') + 1) + 1);
    const std::string faceLine =
        good.substr(header.size(), good.find('\n', header.size()) + 1 - header.size());
    auto replaced = [&](const std::string& from, const std::string& to) {
        std::string text = good;
        const auto at = text.find(from);
        EXPECT_NE(at, std::string::npos) << from;
        return text.replace(at, from.size(), to);
    };
    for (const std::string& text : {
             std::string(),                                         // empty
             good.substr(0, good.size() - 1),                       // the last line cut off
             std::string("\0\xff\x01garbage\n", 11),                // not text at all
             "zorun font choices 9\ns\n" + faceLine,                // another format
             header + "F\t0\t0\t0\tArial\n",                        // too few fields
             replaced("\t80\t", "\teighty\t"),                      // a number that is not one
             replaced("\t80\t", "\t80x\t"),                         // trailing rubbish
             header + "F\t0\t0\t0\tArial\t0\t\t\t\t\t\t\t\n",       // a request without a face
             header + "X" + faceLine.substr(1),                     // an unknown kind
             header + "G\t0\t0\t9999999\tArial\t0\t\t\t\t\t\t\t\n", // not a code point
         }) {
        Write(text);
        EXPECT_EQ(FontChoiceCache::Load(file, "s").Size(), 0u) << text;
    }
    // Not a regular file: a folder (and nothing hangs on a FIFO).
    fs::remove(file);
    fs::create_directories(file);
    EXPECT_EQ(FontChoiceCache::Load(file, "s").Size(), 0u);
    fs::remove(file);
    ASSERT_EQ(mkfifo(file.c_str(), 0600), 0);
    EXPECT_EQ(FontChoiceCache::Load(file, "s").Size(), 0u);
}

TEST_F(FontChoiceCacheTest, TheStampFollowsTheLocaleAndTheConfiguration) {
    const std::string before = FontChoiceCache::CurrentStamp();
    EXPECT_EQ(FontChoiceCache::CurrentStamp(), before);
    const char* saved = std::getenv("FONTCONFIG_FILE");
    const std::string config = (dir / "fonts.conf").string();
    std::ofstream(config) << "<fontconfig/>";
    setenv("FONTCONFIG_FILE", config.c_str(), 1);
    const std::string other = FontChoiceCache::CurrentStamp();
    EXPECT_NE(other, before);
    std::ofstream(config, std::ios::app) << "<!-- edited -->";
    EXPECT_NE(FontChoiceCache::CurrentStamp(), other) << "the file changed";
    if (saved)
        setenv("FONTCONFIG_FILE", saved, 1);
    else
        unsetenv("FONTCONFIG_FILE");
}

// The engine takes a kept choice as it stands (no fontconfig asked), and a
// kept choice whose file is gone changes nothing.
TEST_F(FontChoiceCacheTest, TheEngineUsesKeptChoicesAndSurvivesBadOnes) {
    fs::path real;
    std::error_code ec;
    for (fs::recursive_directory_iterator it("/usr/share/fonts", ec), end; !ec && it != end;
         it.increment(ec))
        if (it->path().extension() == ".ttf") {
            real = it->path();
            break;
        }
    if (real.empty())
        GTEST_SKIP() << "no TrueType font installed";
    FontChoiceCache kept;
    kept.SetFace("Kept Family", false, false, {real.string(), 0, "Kept Face", 80, 0, 0, 0});
    ASSERT_TRUE(kept.Save(file, FontChoiceCache::CurrentStamp()));
    std::ofstream(file, std::ios::app)
        << "F\t0\t0\t0\tGone Family\t1\t/nowhere/gone.ttf\t0\tGone\t80\t0\t1\t1\n";
    zorun::gdi::FontEngine::KeepChoicesIn(file);

    LOGFONTW log{};
    log.lfHeight = -29; // a size no other test realizes
    std::char_traits<char16_t>::copy(log.lfFaceName, u"Kept Family", 12);
    zorun::gdi::RealFont* realized = zorun::gdi::FontEngine::Get().Realize(log);
    ASSERT_NE(realized, nullptr);
    EXPECT_EQ(realized->Family(), "Kept Face");

    std::char_traits<char16_t>::copy(log.lfFaceName, u"Gone Family", 12);
    realized = zorun::gdi::FontEngine::Get().Realize(log);
    ASSERT_NE(realized, nullptr);
    EXPECT_NE(realized->Family(), "Gone");
    EXPECT_GT(realized->Metrics().tmMaxCharWidth, 0);
    zorun::gdi::FontEngine::KeepChoicesIn({});
}

} // namespace
