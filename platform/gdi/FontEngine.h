#pragma once
// Fonts for the drawing layer: a LOGFONTW is matched through fontconfig and
// rendered by FreeType. A code point missing from the chosen face comes from
// the best fontconfig fallback that has it. Faces, sizes and rendered glyphs
// are cached for the life of the process; fontconfig's choices may also be
// kept between runs (KeepChoicesIn), and fontconfig itself is loaded only
// for a choice that is not known.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/gdi/WinGdi.h"

namespace zorun::gdi {

struct Glyph {
    int width = 0;  // pixels
    int height = 0; // rows
    int left = 0;   // from the pen position to the first column
    int top = 0;    // from the baseline up to the first row
    int advance = 0;
    bool lcd = false; // three coverage values (R, G, B) per pixel
    std::vector<std::uint8_t> coverage;
};

struct SizedFace;

// One LOGFONTW made real: its metrics and its glyphs.
class RealFont {
  public:
    // All the metrics; the character widths are measured on first asking
    // (that renders the printable ASCII range, so drawing does not ask).
    [[nodiscard]] const TEXTMETRICW& Metrics();
    [[nodiscard]] int Ascent() const { return metrics_.tmAscent; }
    [[nodiscard]] int Height() const { return metrics_.tmHeight; }
    [[nodiscard]] const std::string& Family() const { return family_; }
    [[nodiscard]] bool Lcd() const { return lcd_; }
    // The glyph drawn for `c`: from the face, a fallback, or the face's
    // missing-glyph box.
    [[nodiscard]] const Glyph& GlyphFor(char32_t c);

  private:
    friend class FontEngine;
    SizedFace* primary_ = nullptr;
    std::string requestedFamily_;
    bool bold_ = false;
    bool italic_ = false;
    bool lcd_ = false;
    std::string family_;
    TEXTMETRICW metrics_{};
    bool widthsMeasured_ = false;
    std::unordered_map<char32_t, const Glyph*> resolved_;
};

class FontEngine {
  public:
    static FontEngine& Get();
    ~FontEngine();
    FontEngine(const FontEngine&) = delete;
    FontEngine& operator=(const FontEngine&) = delete;

    // Null only when no font at all can be found.
    [[nodiscard]] RealFont* Realize(const LOGFONTW& log);

    // Keeps fontconfig's choices in `file` (see FontChoiceCache): those it
    // holds are used from now on, new ones are added when the program ends.
    // An empty path keeps nothing (the default).
    static void KeepChoicesIn(const std::filesystem::path& file);

  private:
    friend class RealFont;
    FontEngine();
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

} // namespace zorun::gdi
