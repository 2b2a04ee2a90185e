#include "platform/gdi/FontEngine.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_LCD_FILTER_H
#include FT_SYNTHESIS_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>
#include <optional>
#include <tuple>
#include <vector>

#include "platform/base/Log.h"
#include "platform/base/Text.h"
#include "platform/gdi/FontChoiceCache.h"
#include "platform/gdi/FontFileStream.h"

namespace zorun::gdi {

namespace {

constexpr int kDefaultCellHeight = 13;
constexpr int kMaxEm = 512;

struct FaceFile {
    std::string path;
    int index = 0;
    friend bool operator<(const FaceFile& a, const FaceFile& b) {
        return std::tie(a.path, a.index) < std::tie(b.path, b.index);
    }
};

// What fontconfig answered for a request.
struct Match {
    FaceFile file;
    std::string family;
    int weight = FC_WEIGHT_REGULAR;
    int slant = FC_SLANT_ROMAN;
};

std::string FcString(FcPattern* p, const char* object) {
    FcChar8* s = nullptr;
    if (FcPatternGetString(p, object, 0, &s) == FcResultMatch && s)
        return reinterpret_cast<const char*>(s);
    return {};
}

int FcInt(FcPattern* p, const char* object, int fallback) {
    int v = 0;
    return FcPatternGetInteger(p, object, 0, &v) == FcResultMatch ? v : fallback;
}

FaceChoice ToChoice(const Match& m) {
    return {m.file.path, m.file.index, m.family, m.weight, m.slant, 0, 0};
}

Match FromChoice(const FaceChoice& c) {
    return {{c.path, c.index}, c.family, c.weight, c.slant};
}

Match FromPattern(FcPattern* p) {
    Match m;
    m.file.path = FcString(p, FC_FILE);
    m.file.index = FcInt(p, FC_INDEX, 0);
    m.family = FcString(p, FC_FAMILY);
    m.weight = FcInt(p, FC_WEIGHT, FC_WEIGHT_REGULAR);
    m.slant = FcInt(p, FC_SLANT, FC_SLANT_ROMAN);
    return m;
}

// A request: the family, then any sans face (the device's own default is a
// sans), the weight and slant.
FcPattern* Request(const std::string& family, bool bold, bool italic) {
    FcPattern* p = FcPatternCreate();
    if (!family.empty())
        FcPatternAddString(p, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    FcPatternAddString(p, FC_FAMILY, reinterpret_cast<const FcChar8*>("sans-serif"));
    FcPatternAddInteger(p, FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
    FcPatternAddInteger(p, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddBool(p, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(nullptr, p, FcMatchPattern);
    FcDefaultSubstitute(p);
    return p;
}

} // namespace

struct SizedFace {
    FT_Face face = nullptr;
    int em = 0;
    bool bold = false;   // the face itself is bold
    bool italic = false; // the face itself slants
    std::unordered_map<std::uint64_t, Glyph> glyphs;

    const Glyph& Render(std::uint32_t index, bool embolden, bool oblique, bool lcd) {
        const std::uint64_t key =
            std::uint64_t(index) << 3 | (embolden ? 1 : 0) | (oblique ? 2 : 0) | (lcd ? 4 : 0);
        auto it = glyphs.find(key);
        if (it != glyphs.end())
            return it->second;
        Glyph& g = glyphs[key];
        const FT_Int32 flags = lcd ? FT_LOAD_TARGET_LCD : FT_LOAD_TARGET_NORMAL;
        if (FT_Load_Glyph(face, index, flags | FT_LOAD_NO_BITMAP) != 0 &&
            FT_Load_Glyph(face, index, flags) != 0)
            return g;
        FT_GlyphSlot slot = face->glyph;
        if (oblique)
            FT_GlyphSlot_Oblique(slot);
        if (embolden)
            FT_GlyphSlot_Embolden(slot);
        g.advance = int((slot->advance.x + 32) >> 6);
        if (FT_Render_Glyph(slot, lcd ? FT_RENDER_MODE_LCD : FT_RENDER_MODE_NORMAL) != 0)
            return g;
        const FT_Bitmap& b = slot->bitmap;
        g.lcd = b.pixel_mode == FT_PIXEL_MODE_LCD;
        const int perPixel = g.lcd ? 3 : 1;
        g.width = int(b.width) / perPixel;
        g.height = int(b.rows);
        g.left = slot->bitmap_left;
        g.top = slot->bitmap_top;
        g.coverage.assign(std::size_t(g.width) * g.height * perPixel, 0);
        for (int y = 0; y < g.height; ++y) {
            const unsigned char* row = b.buffer + std::ptrdiff_t(y) * b.pitch;
            std::uint8_t* out = g.coverage.data() + std::size_t(y) * g.width * perPixel;
            for (int x = 0; x < g.width * perPixel; ++x) {
                switch (b.pixel_mode) {
                case FT_PIXEL_MODE_MONO:
                    out[x] = (row[x >> 3] >> (7 - (x & 7))) & 1 ? 255 : 0;
                    break;
                case FT_PIXEL_MODE_GRAY:
                case FT_PIXEL_MODE_LCD:
                    out[x] = row[x];
                    break;
                case FT_PIXEL_MODE_BGRA:
                    out[x] = row[x * 4 + 3];
                    break;
                default:
                    break;
                }
            }
        }
        return g;
    }
};

struct FontEngine::Impl {
    // First, so that they go last, after every face read from them.
    std::vector<std::unique_ptr<FontFileStream>> streams;
    FT_Library library = nullptr;
    std::map<FaceFile, FT_Face> unsized; // for reading the tables
    std::map<std::tuple<FaceFile, int>, std::unique_ptr<SizedFace>> sized;
    std::map<std::tuple<std::u16string, int, bool, bool, bool>, std::unique_ptr<RealFont>> fonts;
    // Fallback per (requested family, bold, italic, code point): file or none.
    std::map<std::tuple<std::string, bool, bool, char32_t>, std::optional<Match>> fallbacks;
    std::map<std::tuple<std::string, bool, bool>, FcFontSet*> sorts;
    // Fontconfig is loaded only when a choice is not known from an earlier run.
    bool fontconfigLoaded = false;
    FontChoiceCache choices;
    std::filesystem::path choicesFile; // empty: choices are not kept
    std::string stamp;

    void LoadFontconfig() {
        if (fontconfigLoaded)
            return;
        fontconfigLoaded = true;
        if (!FcInit())
            LogWarning("fontconfig could not be initialised");
    }

    FT_Face OpenFace(const FaceFile& file) {
        auto stream = FontFileStream::Open(file.path);
        FT_Face face = nullptr;
        if (!stream || stream->OpenFace(library, file.index, &face) != 0)
            return nullptr;
        streams.push_back(std::move(stream));
        return face;
    }

    FT_Face Unsized(const FaceFile& file) {
        auto it = unsized.find(file);
        if (it != unsized.end())
            return it->second;
        FT_Face face = OpenFace(file);
        unsized.emplace(file, face);
        return face;
    }

    SizedFace* Sized(const Match& match, int em) {
        auto key = std::make_tuple(match.file, em);
        auto it = sized.find(key);
        if (it != sized.end())
            return it->second.get();
        auto s = std::make_unique<SizedFace>();
        s->face = OpenFace(match.file);
        if (!s->face) {
            sized.emplace(key, nullptr);
            return nullptr;
        }
        FT_Set_Pixel_Sizes(s->face, 0, FT_UInt(em));
        s->em = em;
        s->bold = match.weight >= FC_WEIGHT_DEMIBOLD;
        s->italic = match.slant != FC_SLANT_ROMAN;
        return sized.emplace(key, std::move(s)).first->second.get();
    }

    std::optional<Match> Find(const std::string& family, bool bold, bool italic) {
        if (auto known = choices.Face(family, bold, italic))
            return FromChoice(*known);
        LoadFontconfig();
        FcPattern* p = Request(family, bold, italic);
        FcResult result = FcResultNoMatch;
        FcPattern* found = FcFontMatch(nullptr, p, &result);
        FcPatternDestroy(p);
        if (!found)
            return std::nullopt;
        Match m = FromPattern(found);
        FcPatternDestroy(found);
        if (m.file.path.empty())
            return std::nullopt;
        choices.SetFace(family, bold, italic, ToChoice(m));
        return m;
    }

    std::optional<Match> Fallback(const std::string& family, bool bold, bool italic, char32_t c) {
        auto key = std::make_tuple(family, bold, italic, c);
        auto it = fallbacks.find(key);
        if (it != fallbacks.end())
            return it->second;
        if (auto known = choices.Fallback(family, bold, italic, c)) {
            std::optional<Match> answer;
            if (*known)
                answer = FromChoice(**known);
            fallbacks.emplace(key, answer);
            return answer;
        }
        LoadFontconfig();
        // The candidates, best first, are the same for every code point of a
        // request: sorted once, then searched per code point.
        auto request = std::make_tuple(family, bold, italic);
        auto sorted = sorts.find(request);
        if (sorted == sorts.end()) {
            FcPattern* p = Request(family, bold, italic);
            FcResult result = FcResultNoMatch;
            FcFontSet* set = FcFontSort(nullptr, p, FcTrue, nullptr, &result);
            FcPatternDestroy(p);
            sorted = sorts.emplace(request, set).first;
        }
        std::optional<Match> answer;
        if (FcFontSet* set = sorted->second) {
            for (int i = 0; i < set->nfont && !answer; ++i) {
                FcCharSet* chars = nullptr;
                if (FcPatternGetCharSet(set->fonts[i], FC_CHARSET, 0, &chars) == FcResultMatch &&
                    FcCharSetHasChar(chars, FcChar32(c))) {
                    Match m = FromPattern(set->fonts[i]);
                    if (!m.file.path.empty())
                        answer = m;
                }
            }
        }
        fallbacks.emplace(key, answer);
        choices.SetFallback(family, bold, italic, c,
                            answer ? std::optional<FaceChoice>(ToChoice(*answer)) : std::nullopt);
        return answer;
    }
};

FontEngine& FontEngine::Get() {
    static FontEngine engine;
    return engine;
}

FontEngine::FontEngine() : impl_(std::make_unique<Impl>()) {
    if (FT_Init_FreeType(&impl_->library) != 0) {
        LogWarning("FreeType could not be initialised");
        impl_->library = nullptr;
        return;
    }
    // Fails harmlessly where FreeType renders LCD its own way.
    FT_Library_SetLcdFilter(impl_->library, FT_LCD_FILTER_DEFAULT);
}

FontEngine::~FontEngine() {
    impl_->fonts.clear();
    for (auto& [key, face] : impl_->sized) {
        if (face)
            FT_Done_Face(face->face);
    }
    impl_->sized.clear();
    for (auto& [key, set] : impl_->sorts) {
        if (set)
            FcFontSetDestroy(set);
    }
    for (auto& [key, face] : impl_->unsized) {
        if (face)
            FT_Done_Face(face);
    }
    if (impl_->library)
        FT_Done_FreeType(impl_->library);
    if (impl_->fontconfigLoaded)
        FcFini();
    if (!impl_->choicesFile.empty() && impl_->choices.Changed())
        (void)impl_->choices.Save(impl_->choicesFile, impl_->stamp);
}

void FontEngine::KeepChoicesIn(const std::filesystem::path& file) {
    Impl& impl = *Get().impl_;
    impl.choicesFile = file;
    if (file.empty()) {
        impl.choices = {};
        return;
    }
    impl.stamp = FontChoiceCache::CurrentStamp();
    impl.choices = FontChoiceCache::Load(file, impl.stamp);
}

RealFont* FontEngine::Realize(const LOGFONTW& log) {
    if (!impl_->library)
        return nullptr;
    const std::u16string face(log.lfFaceName, BoundedLength(log.lfFaceName, 32));
    const bool bold = log.lfWeight >= FW_SEMIBOLD;
    const bool italic = log.lfItalic != 0;
    const bool lcd = log.lfQuality == CLEARTYPE_QUALITY;
    const int height = log.lfHeight == 0 ? kDefaultCellHeight : int(log.lfHeight);
    auto key = std::make_tuple(FoldText(face), height, bold, italic, lcd);
    auto it = impl_->fonts.find(key);
    if (it != impl_->fonts.end())
        return it->second.get();

    const std::string family = ToUtf8(face);
    auto match = impl_->Find(family, bold, italic);
    if (!match)
        return nullptr;
    FT_Face tables = impl_->Unsized(match->file);
    if (!tables)
        return nullptr;
    // The cell is the face's Windows ascent plus descent where it has them.
    const TT_OS2* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(tables, FT_SFNT_OS2));
    double ascent = tables->ascender, descent = -double(tables->descender);
    if (os2 && os2->usWinAscent + os2->usWinDescent > 0) {
        ascent = os2->usWinAscent;
        descent = os2->usWinDescent;
    }
    const double upem = tables->units_per_EM > 0 ? tables->units_per_EM : 2048;
    if (ascent + descent <= 0) {
        ascent = upem * 0.8;
        descent = upem * 0.2;
    }
    int em = height < 0 ? -height : int(std::lround(height * upem / (ascent + descent)));
    em = std::clamp(em, 1, kMaxEm);

    SizedFace* sized = impl_->Sized(*match, em);
    if (!sized)
        return nullptr;
    auto font = std::make_unique<RealFont>();
    font->primary_ = sized;
    font->requestedFamily_ = family;
    font->bold_ = bold;
    font->italic_ = italic;
    font->lcd_ = lcd;
    font->family_ = match->family;
    TEXTMETRICW& tm = font->metrics_;
    tm.tmAscent = LONG(std::lround(ascent * em / upem));
    tm.tmDescent = LONG(std::lround(descent * em / upem));
    tm.tmHeight = tm.tmAscent + tm.tmDescent;
    tm.tmInternalLeading = std::max<LONG>(0, tm.tmHeight - em);
    tm.tmExternalLeading = 0;
    return impl_->fonts.emplace(key, std::move(font)).first->second.get();
}

const TEXTMETRICW& RealFont::Metrics() {
    if (!widthsMeasured_) {
        widthsMeasured_ = true;
        metrics_.tmAveCharWidth = GlyphFor(U'x').advance;
        int widest = 0;
        for (char32_t c = U' '; c < 0x7F; ++c)
            widest = std::max(widest, GlyphFor(c).advance);
        metrics_.tmMaxCharWidth = widest;
    }
    return metrics_;
}

const Glyph& RealFont::GlyphFor(char32_t c) {
    auto it = resolved_.find(c);
    if (it != resolved_.end())
        return *it->second;
    // Control characters take no room and draw nothing.
    static const Glyph kNothing;
    if (c < 0x20) {
        resolved_.emplace(c, &kNothing);
        return kNothing;
    }
    FontEngine::Impl& impl = *FontEngine::Get().impl_;
    SizedFace* face = primary_;
    FT_UInt index = FT_Get_Char_Index(face->face, FT_ULong(c));
    if (index == 0) {
        if (auto m = impl.Fallback(requestedFamily_, bold_, italic_, c)) {
            if (SizedFace* other = impl.Sized(*m, primary_->em)) {
                const FT_UInt otherIndex = FT_Get_Char_Index(other->face, FT_ULong(c));
                if (otherIndex != 0) {
                    face = other;
                    index = otherIndex;
                }
            }
        }
    }
    const Glyph& g = face->Render(index, bold_ && !face->bold, italic_ && !face->italic, lcd_);
    resolved_.emplace(c, &g);
    return g;
}

} // namespace zorun::gdi
