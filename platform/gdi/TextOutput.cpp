// Text: measuring and drawing with the DC's font, DrawTextW's layout, and
// the record of every text drawn on a surface.

#include <algorithm>

#include "platform/gdi/FontEngine.h"
#include "platform/gdi/GdiTable.h"

using zorun::Rect;
using zorun::gdi::FontEngine;
using zorun::gdi::GdiTable;
using zorun::gdi::Glyph;
using zorun::gdi::RealFont;
using zorun::gdi::Target;

namespace {

RealFont* FontOf(const zorun::gdi::DeviceContext& dc) {
    const zorun::gdi::Font* font = GdiTable::Get().Find<zorun::gdi::Font>(dc.state.font);
    if (!font)
        font = GdiTable::Get().Find<zorun::gdi::Font>(GdiTable::Get().Stock(SYSTEM_FONT));
    return font ? FontEngine::Get().Realize(font->log) : nullptr;
}

// The code point starting at text[i] and how many units it takes.
char32_t CodePointAt(std::u16string_view text, std::size_t i, int* units) {
    const char16_t c = text[i];
    *units = 1;
    if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] < 0xE000) {
        *units = 2;
        return 0x10000 + ((char32_t(c) - 0xD800) << 10) + (char32_t(text[i + 1]) - 0xDC00);
    }
    return c;
}

// Cumulative advance after each UTF-16 unit (a surrogate pair counts at its
// second unit; the first carries the width before it).
std::vector<int> Advances(RealFont& font, std::u16string_view text) {
    std::vector<int> out(text.size());
    int x = 0;
    for (std::size_t i = 0; i < text.size();) {
        int units = 1;
        const char32_t c = CodePointAt(text, i, &units);
        if (units == 2)
            out[i] = x;
        x += font.GlyphFor(c).advance;
        out[i + std::size_t(units) - 1] = x;
        i += std::size_t(units);
    }
    return out;
}

int Width(RealFont& font, std::u16string_view text) {
    int x = 0;
    for (std::size_t i = 0; i < text.size();) {
        int units = 1;
        x += font.GlyphFor(CodePointAt(text, i, &units)).advance;
        i += std::size_t(units);
    }
    return x;
}

inline std::uint32_t Mix(std::uint32_t d, std::uint32_t color, unsigned cr, unsigned cg,
                         unsigned cb) {
    auto channel = [&](int shift, unsigned cov) {
        const unsigned dc = (d >> shift) & 0xFF, sc = (color >> shift) & 0xFF;
        return ((sc * cov + dc * (255 - cov) + 127) / 255) << shift;
    };
    return (d & 0xFF000000u) | channel(16, cr) | channel(8, cg) | channel(0, cb);
}

// Draws `text` with its top-left at surface point (x, y), clipped.
void Render(const Target& t, RealFont& font, std::u16string_view text, int x, int y,
            const Rect& clip, COLORREF color, const int* dx) {
    const std::uint32_t argb = zorun::gdi::ToArgb(color);
    const int baseline = y + font.Ascent();
    int pen = x;
    for (std::size_t i = 0; i < text.size();) {
        int units = 1;
        const Glyph& g = font.GlyphFor(CodePointAt(text, i, &units));
        const int gx = pen + g.left, gy = baseline - g.top;
        const Rect box = Rect{gx, gy, gx + g.width, gy + g.height}.Intersect(clip);
        for (int row = box.top; row < box.bottom; ++row) {
            std::uint32_t* out = t.surface->Row(row);
            const std::uint8_t* cov =
                g.coverage.data() + std::size_t(row - gy) * g.width * (g.lcd ? 3 : 1);
            for (int col = box.left; col < box.right; ++col) {
                const int k = col - gx;
                if (g.lcd) {
                    const std::uint8_t* c3 = cov + k * 3;
                    if (c3[0] | c3[1] | c3[2])
                        out[col] = Mix(out[col], argb, c3[0], c3[1], c3[2]);
                } else if (cov[k]) {
                    out[col] = Mix(out[col], argb, cov[k], cov[k], cov[k]);
                }
            }
        }
        std::int64_t advance = g.advance;
        if (dx) {
            advance = dx[i];
            if (units == 2)
                advance += dx[i + 1];
        }
        pen = zorun::gdi::Bound(std::int64_t(pen) + advance);
        i += std::size_t(units);
    }
}

std::u16string_view View(const char16_t* text, int length) {
    if (!text)
        return {};
    if (length < 0)
        return std::u16string_view(text);
    return std::u16string_view(text, std::size_t(length));
}

// Without DT_NOPREFIX "&x" shows "x" and "&&" shows "&".
std::u16string StripPrefixes(std::u16string_view text) {
    std::u16string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == u'&' && i + 1 < text.size())
            ++i;
        else if (text[i] == u'&')
            continue;
        out += text[i];
    }
    return out;
}

// Ideographs, kana and full-width forms may break anywhere, as they are
// written without spaces.
bool BreaksAnywhere(char32_t c) {
    return (c >= 0x2E80 && c <= 0x9FFF) || (c >= 0xF900 && c <= 0xFAFF) ||
           (c >= 0xFF00 && c <= 0xFFEF) || (c >= 0x20000 && c <= 0x3FFFF);
}

void PushLine(std::vector<std::u16string>& out, std::u16string_view line) {
    while (!line.empty() && line.back() == u' ')
        line.remove_suffix(1);
    out.emplace_back(line);
}

// Greedy breaking at spaces and around ideographs; a word wider than the
// line stays whole.
void BreakWords(RealFont& font, const std::u16string& text, int width,
                std::vector<std::u16string>& out) {
    const std::u16string_view line(text);
    std::size_t start = 0;
    do {
        std::size_t i = start, lastBreak = std::u16string::npos;
        int x = 0;
        char32_t previous = 0;
        bool broke = false;
        while (i < line.size()) {
            int units = 1;
            const char32_t c = CodePointAt(line, i, &units);
            const bool opportunity =
                i > start && c != u' ' &&
                (previous == u' ' || BreaksAnywhere(c) || BreaksAnywhere(previous));
            if (opportunity) {
                if (x > width) { // an over-long word ends here
                    PushLine(out, line.substr(start, i - start));
                    start = i;
                    broke = true;
                    break;
                }
                lastBreak = i;
            }
            const int next = x + font.GlyphFor(c).advance;
            if (next > width && c != u' ' && lastBreak != std::u16string::npos) {
                PushLine(out, line.substr(start, lastBreak - start));
                start = lastBreak;
                broke = true;
                break;
            }
            x = next;
            previous = c;
            i += std::size_t(units);
        }
        if (!broke) {
            PushLine(out, line.substr(start));
            break;
        }
    } while (start < line.size());
}

std::u16string Ellipsize(RealFont& font, const std::u16string& line, int width) {
    if (Width(font, line) <= width)
        return line;
    const std::u16string dots = u"...";
    std::u16string cut = line;
    while (!cut.empty() && Width(font, cut + dots) > width)
        cut.pop_back();
    if (!cut.empty() && cut.back() >= 0xD800 && cut.back() < 0xDC00)
        cut.pop_back();
    return cut + dots;
}

void RecordText(const Target& t, std::u16string text, const Rect& bounds, const Rect& clip) {
    if (text.empty() || bounds.Intersect(clip).IsEmpty())
        return;
    t.surface->AddText({{bounds.left, bounds.top}, std::move(text), bounds});
}

} // namespace

BOOL GetTextMetricsW(HDC hdc, TEXTMETRICW* metrics) {
    auto* dc = GdiTable::Get().FindDc(hdc);
    RealFont* font = dc ? FontOf(*dc) : nullptr;
    if (!font || !metrics)
        return FALSE;
    *metrics = font->Metrics();
    return TRUE;
}

BOOL GetTextExtentExPointW(HDC hdc, const char16_t* text, int length, int maxExtent, int* fit,
                           int* dx, SIZE* size) {
    auto* dc = GdiTable::Get().FindDc(hdc);
    RealFont* font = dc ? FontOf(*dc) : nullptr;
    if (!font || (!text && length != 0))
        return FALSE;
    const std::u16string_view view = View(text, length);
    const std::vector<int> advances = Advances(*font, view);
    if (fit) {
        int n = 0;
        while (std::size_t(n) < advances.size() && advances[std::size_t(n)] <= maxExtent)
            ++n;
        *fit = n;
    }
    if (dx)
        std::copy(advances.begin(), advances.end(), dx);
    if (size)
        *size = {advances.empty() ? 0 : advances.back(), font->Height()};
    return TRUE;
}

BOOL GetTextExtentPoint32W(HDC hdc, const char16_t* text, int length, SIZE* size) {
    return GetTextExtentExPointW(hdc, text, length, 0, nullptr, nullptr, size);
}

BOOL ExtTextOutW(HDC hdc, int x, int y, UINT options, const RECT* rect, const char16_t* text,
                 UINT length, const int* dx) {
    auto t = GdiTable::Get().Resolve(hdc);
    RealFont* font = t ? FontOf(*t->dc) : nullptr;
    if (!font || (!text && length != 0))
        return FALSE;
    const auto& state = t->dc->state;
    const std::u16string_view view(text ? text : u"", length);
    const std::uint32_t bk = zorun::gdi::ToArgb(state.bkColor);
    Rect clip = t->clip;
    if (rect && (options & ETO_CLIPPED))
        clip = clip.Intersect(t->ToSurface(*rect));
    if (rect && (options & ETO_OPAQUE))
        t->surface->Fill(t->ToSurface(*rect).Intersect(t->clip), bk);
    std::int64_t width = 0;
    if (dx) {
        for (UINT i = 0; i < length; ++i)
            width += dx[i];
    } else {
        width = Width(*font, view);
    }
    const zorun::Point at{zorun::gdi::Bound(std::int64_t(x) + t->offset.x),
                          zorun::gdi::Bound(std::int64_t(y) + t->offset.y)};
    const Rect box{at.x, at.y, zorun::gdi::Bound(at.x + width), at.y + font->Height()};
    if (state.bkMode == OPAQUE)
        t->surface->Fill(box.Intersect(clip), bk);
    Render(*t, *font, view, at.x, at.y, clip, state.textColor, dx);
    RecordText(*t, std::u16string(view), box, clip);
    t->Commit();
    return TRUE;
}

namespace {
int Layout(const Target& target, RealFont& font, std::u16string_view source, RECT* rect,
           UINT format);
}

int DrawTextW(HDC hdc, const char16_t* text, int length, RECT* rect, UINT format) {
    auto t = GdiTable::Get().Resolve(hdc);
    RealFont* font = t ? FontOf(*t->dc) : nullptr;
    if (!font || !rect || (!text && length != 0))
        return 0;
    const Rect given = *rect;
    *rect = zorun::gdi::Bounded(*rect);
    const int drawn = Layout(*t, *font, View(text, length), rect, format);
    if (!(format & DT_CALCRECT))
        *rect = given;
    return drawn;
}

namespace {
int Layout(const Target& target, RealFont& fontRef, std::u16string_view source, RECT* rect,
           UINT format) {
    const Target* t = &target;
    RealFont* font = &fontRef;
    std::u16string shown(source);
    if (shown.empty()) {
        if (format & DT_CALCRECT) {
            rect->right = rect->left;
            rect->bottom = rect->top;
        }
        return 0;
    }
    if (!(format & DT_NOPREFIX))
        shown = StripPrefixes(shown);

    // Lines: one, or split at line feeds (and wrapped at spaces with DT_WORDBREAK).
    std::vector<std::u16string> lines;
    if (format & DT_SINGLELINE) {
        std::erase_if(shown, [](char16_t c) { return c == u'\r' || c == u'\n'; });
        lines.push_back(shown);
    } else {
        std::size_t start = 0;
        while (true) {
            const std::size_t nl = shown.find(u'\n', start);
            std::u16string line = shown.substr(start, nl == std::u16string::npos ? nl : nl - start);
            if (!line.empty() && line.back() == u'\r')
                line.pop_back();
            if (format & DT_WORDBREAK)
                BreakWords(*font, line, rect->Width(), lines);
            else
                lines.push_back(std::move(line));
            if (nl == std::u16string::npos)
                break;
            start = nl + 1;
        }
    }
    if (format & DT_END_ELLIPSIS) {
        for (auto& line : lines)
            line = Ellipsize(*font, line, rect->Width());
    }

    const int lineHeight = font->Height();
    const int height = lineHeight * int(lines.size());
    std::vector<int> widths;
    int widest = 0;
    for (const auto& line : lines) {
        widths.push_back(Width(*font, line));
        widest = std::max(widest, widths.back());
    }
    if (format & DT_CALCRECT) {
        rect->right = rect->left + widest;
        rect->bottom = rect->top + height;
        return height;
    }

    int y = rect->top;
    if (format & DT_SINGLELINE) {
        if (format & DT_VCENTER)
            y = rect->top + (rect->Height() - lineHeight) / 2;
        else if (format & DT_BOTTOM)
            y = rect->bottom - lineHeight;
    }
    const auto& state = t->dc->state;
    Rect clip = t->clip;
    if (!(format & DT_NOCLIP))
        clip = clip.Intersect(t->ToSurface(*rect));
    const std::uint32_t bk = zorun::gdi::ToArgb(state.bkColor);
    Rect bounds;
    std::u16string recorded;
    for (std::size_t i = 0; i < lines.size(); ++i, y += lineHeight) {
        int x = rect->left;
        if (format & DT_CENTER)
            x = rect->left + (rect->Width() - widths[i]) / 2;
        else if (format & DT_RIGHT)
            x = rect->right - widths[i];
        const Rect box = t->ToSurface({x, y, x + widths[i], y + lineHeight});
        if (state.bkMode == OPAQUE)
            t->surface->Fill(box.Intersect(clip), bk);
        Render(*t, *font, lines[i], box.left, box.top, clip, state.textColor, nullptr);
        if (!lines[i].empty())
            bounds = bounds.Union(box);
        if (i > 0)
            recorded += u'\n';
        recorded += lines[i];
    }
    RecordText(*t, std::move(recorded), bounds, clip);
    t->Commit();
    return height;
}
} // namespace
