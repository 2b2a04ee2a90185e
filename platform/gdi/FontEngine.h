#pragma once
// Fonts for the drawing layer: a LOGFONTW is matched through fontconfig and
// rendered by FreeType. A code point missing from the chosen face comes from
// the best fontconfig fallback that has it. Faces, sizes and rendered glyphs
// are cached for the life of the process.

#include <cstdint>
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
    [[nodiscard]] const TEXTMETRICW& Metrics() const { return metrics_; }
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

  private:
    friend class RealFont;
    FontEngine();
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

} // namespace zorun::gdi
