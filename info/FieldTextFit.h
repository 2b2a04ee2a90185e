#pragma once
// How a field's text is made to fit its box (45 or 50 pixels) on the field
// page, so that nothing is cut mid-character into the next field.
//
// A text that fits is drawn as it is, with the panel's 13-pixel font; so is
// a text of two lines (its source has sized each line).
// A figure (a count, a date) that does not fit is drawn one or two pixels
// smaller; when even that is too wide, it is broken at a space into two
// lines ("5000 /" over "100000").
// A message (an error text) is broken at spaces into at most two lines; when
// it cannot be, its leading words are left out (the field's icon already
// names the subject: "Calendar Setting Error" reads "Setting" over "Error"),
// and a last word still too wide is cut and ends in "...".
// What cannot be made to fit comes back as it was.

#include <functional>
#include <string>
#include <string_view>

namespace FieldTextFit {

constexpr int kFontHeight = 13;
constexpr int kSmallestFontHeight = 11;

struct Fitted {
    std::u16string text;
    int fontHeight = kFontHeight;
    friend bool operator==(const Fitted&, const Fitted&) = default;
};

// The width in pixels of one line of text in the panel's font of a height.
using Measure = std::function<int(std::u16string_view line, int fontHeight)>;

[[nodiscard]] Fitted Fit(const std::u16string& text, int width, bool isMessage,
                         const Measure& measure);

} // namespace FieldTextFit
