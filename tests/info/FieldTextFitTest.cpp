// Field texts too wide for their box: the rules with a font of known widths,
// then the whole panel with the real font, where every text must stay
// inside its box.

#include <gtest/gtest.h>
#include <string>

#include "info/FieldTextFit.h"
#include "info/InfoPanelPainter.h"
#include "platform/base/Text.h"
#include "platform/gdi/Surface.h"
#include "platform/gdi/WinGdi.h"

using FieldTextFit::Fit;
using FieldTextFit::Fitted;

namespace {

// Every character 6 pixels wide at 13 pixels high, 5 at 12, 4 at 11.
int FixedFont(std::u16string_view line, int height) {
    return static_cast<int>(line.size()) * (height - 7);
}

} // namespace

TEST(FieldTextFit, MessagesBreakAtSpacesDroppingLeadingWords) {
    // 6 pixels a character at 13 pixels: 50 pixels hold eight characters.
    EXPECT_EQ(Fit(u"Disk Error", 50, true, FixedFont), (Fitted{u"Disk\nError", 13}));
    EXPECT_EQ(Fit(u"Calendar Setting Error", 50, true, FixedFont), (Fitted{u"Setting\nError", 13}))
        << "\"Calendar\" alone fits, but then the rest does not";
    EXPECT_EQ(Fit(u"Task Setting Error", 45, true, FixedFont), (Fitted{u"Setting\nError", 13}));
    // The break that leaves the wider line narrowest.
    EXPECT_EQ(Fit(u"a b c d e f g", 50, true, FixedFont), (Fitted{u"a b c\nd e f g", 13}));
    // One word too wide: cut, ending in dots.
    EXPECT_EQ(Fit(u"Kalendereinstellungsfehler", 50, true, FixedFont), (Fitted{u"Kalen...", 13}));
    EXPECT_EQ(Fit(u"Error", 50, true, FixedFont), (Fitted{u"Error", 13})) << "fits";
}

TEST(FieldTextFit, FiguresShrinkBeforeTheyBreak) {
    // "07/12/26" is 48 pixels at 13, 40 at 12: a 45-pixel box takes it at 12.
    EXPECT_EQ(Fit(u"07/12/26", 45, false, FixedFont), (Fitted{u"07/12/26", 12}));
    EXPECT_EQ(Fit(u"07/12/26", 50, false, FixedFont), (Fitted{u"07/12/26", 13}));
    // Too wide even at 11 pixels: broken at a space, at the full size.
    EXPECT_EQ(Fit(u"5000 / 100000", 45, false, FixedFont), (Fitted{u"5000 /\n100000", 13}));
    // No leading part of a figure is ever left out: without a space that
    // helps, it stays as it was.
    EXPECT_EQ(Fit(u"123456789012", 45, false, FixedFont), (Fitted{u"123456789012", 13}));
    // Two lines were sized by their source.
    EXPECT_EQ(Fit(u"123456789\n1", 45, false, FixedFont), (Fitted{u"123456789\n1", 13}));
}

TEST(FieldTextFit, EveryFieldStaysInsideItsBoxWithTheRealFont) {
    InfoTexts texts;
    texts.inbox = u"5000 / 100000";
    texts.calendar = u"Calendar Setting Error";
    texts.tasks = u"Task Setting Error";
    texts.battery = u"100%";
    texts.memory = u"312.5G\n99999.9";
    texts.date = u"28/12/26";
    texts.region = u"English...\nUnited ...";
    for (const int mode : {1, 3}) {
        SCOPED_TRACE(mode);
        zorun::Surface surface{240, 74};
        HDC dc = CreateSurfaceDC(&surface, POINT{0, 0}, RECT{0, 0, 240, 74});
        InfoPanelPainter::Paint(dc, RECT{0, 0, 240, 74}, mode, 1, texts);
        DeleteDC(dc);
        // The text boxes: 35-85, 110-160, 185-235 (mode 1); 35-80, 107-152,
        // 179-224 (mode 3).
        const int lefts[3] = {35, mode == 3 ? 107 : 110, mode == 3 ? 179 : 185};
        const int width = mode == 3 ? 45 : 50;
        ASSERT_EQ(surface.Texts().size(), 6u);
        for (const auto& record : surface.Texts()) {
            const int column = record.bounds.left >= lefts[2] ? 2 : record.bounds.left >= lefts[1];
            EXPECT_GE(record.bounds.left, lefts[column]) << zorun::ToUtf8(record.text);
            EXPECT_LE(record.bounds.right, lefts[column] + width) << zorun::ToUtf8(record.text);
        }
        const auto shown = [&](const std::u16string& text) {
            for (const auto& record : surface.Texts())
                if (record.text == text)
                    return true;
            return false;
        };
        EXPECT_TRUE(shown(u"Setting\nError")) << "the calendar's and the tasks' errors read";
        EXPECT_TRUE(shown(u"28/12/26")) << "the whole date";
        EXPECT_TRUE(shown(u"312.5G\n99999.9"));
    }
}
