// The information panel's hit rules: every edge of every hit rectangle for
// both column steps, the page strip and the region page.

#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "info/InfoPanelActions.h"

using InfoPanelActions::Classify;

namespace {

constexpr RECT kClient{0, 0, 240, 74};

struct Slot {
    int left, top, right, bottom;
};

// The widened hit rectangles of the six slots for a column step.
std::vector<Slot> HitRects(int step) {
    std::vector<Slot> slots;
    for (int row = 0; row < 2; ++row)
        for (int column = 0; column < 3; ++column)
            slots.push_back({10 + column * step, 10 + 34 * row,
                             34 + column * step + (row == 0 ? 35 : 40), 34 + 34 * row});
    return slots;
}

int FieldAt(int x, int y, int mode, int page = 1) {
    const auto tap = Classify(kClient, POINT{x, y}, mode, page);
    EXPECT_FALSE(tap.turnPage) << x << "," << y;
    return tap.field;
}

} // namespace

TEST(InfoPanelHits, EveryEdgeOfEveryRectangleForBothSteps) {
    // The published rectangles for a step of 75, and 72 moving columns 1 and 2 left.
    EXPECT_EQ(HitRects(75)[2].right, 219);
    EXPECT_EQ(HitRects(75)[5].right, 224);
    EXPECT_EQ(HitRects(72)[1].left, 82);
    EXPECT_EQ(HitRects(72)[5].left, 154);
    for (int mode : {0, 1, 2, 3}) {
        const int step = mode == 3 ? 72 : 75;
        const auto slots = HitRects(step);
        for (int slot = 0; slot < 6; ++slot) {
            int expected = slot;
            if (slot == 5)
                expected = mode == 0 ? -1 : mode == 2 ? 6 : 5;
            const Slot& r = slots[slot];
            SCOPED_TRACE("mode " + std::to_string(mode) + " slot " + std::to_string(slot));
            // Inside at all four corners (right and bottom exclusive).
            EXPECT_EQ(FieldAt(r.left, r.top, mode), expected);
            EXPECT_EQ(FieldAt(r.right - 1, r.top, mode), expected);
            EXPECT_EQ(FieldAt(r.left, r.bottom - 1, mode), expected);
            EXPECT_EQ(FieldAt(r.right - 1, r.bottom - 1, mode), expected);
            // Just outside each edge.
            EXPECT_EQ(FieldAt(r.left - 1, r.top, mode), -1);
            EXPECT_EQ(FieldAt(r.right, r.top, mode), -1);
            EXPECT_EQ(FieldAt(r.left, r.top - 1, mode), -1);
            EXPECT_EQ(FieldAt(r.left, r.bottom, mode), -1);
        }
    }
    // A tap on the text beyond the widened rectangle hits nothing.
    EXPECT_EQ(FieldAt(75, 20, 0), -1);
}

TEST(InfoPanelHits, PageStripAndRegionPage) {
    // The strip turns the page only when both date and region are chosen,
    // on either page, and wins over any field.
    for (int page : {1, 2}) {
        for (POINT p : {POINT{226, 4}, POINT{235, 68}}) {
            const auto tap = Classify(kClient, p, 3, page);
            EXPECT_TRUE(tap.turnPage);
            EXPECT_EQ(tap.field, -1);
        }
        EXPECT_FALSE(Classify(kClient, POINT{236, 30}, 3, page).turnPage);
        EXPECT_FALSE(Classify(kClient, POINT{230, 3}, 3, page).turnPage);
        EXPECT_FALSE(Classify(kClient, POINT{230, 69}, 3, page).turnPage);
    }
    for (int mode : {0, 1, 2})
        EXPECT_EQ(FieldAt(230, 30, mode), -1) << "an ordinary tap elsewhere";

    // Page 2: the globe opens the regional settings; nothing else is a field,
    // not even the right part of the region text beyond x 69.
    EXPECT_EQ(FieldAt(10, 10, 3, 2), 6);
    EXPECT_EQ(FieldAt(68, 33, 3, 2), 6);
    EXPECT_EQ(FieldAt(69, 20, 3, 2), -1);
    EXPECT_EQ(FieldAt(100, 20, 3, 2), -1);
    for (const Slot& r : HitRects(72))
        if (r.left > 10) {
            EXPECT_EQ(FieldAt(r.left, r.top, 3, 2), -1);
        }
    // A client origin other than (0, 0) moves the fields but not the strip.
    const RECT shifted{5, 5, 245, 79};
    EXPECT_EQ(Classify(shifted, POINT{14, 14}, 3, 1).field, -1);
    EXPECT_EQ(Classify(shifted, POINT{15, 15}, 3, 1).field, 0);
    EXPECT_TRUE(Classify(shifted, POINT{226, 4}, 3, 1).turnPage);
}
