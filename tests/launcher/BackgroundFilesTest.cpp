// Background pictures from files that are not what they seem: a FIFO, a
// picture cut short inside its pixels, a picture gone missing. None blocks
// the pane, loses the group's picture path, or draws more than it should.

#include <gtest/gtest.h>

#include <fstream>
#include <sys/stat.h>

#include "launcher/CZorunViewLayout.h"
#include "launcher/PictureLoader.h"
#include "tests/support/ProgramFixture.h"

namespace {

namespace fs = std::filesystem;

class BackgroundFiles : public ProgramFixture {};

} // namespace

TEST_F(BackgroundFiles, AFifoIsRefusedAtOnce) {
    fs::create_directories(DeviceRoot() / "Windows");
    ASSERT_EQ(mkfifo((DeviceRoot() / "Windows" / "pipe.bmp").c_str(), 0600), 0);
    // A reader that opened it would wait for a writer for ever.
    EXPECT_EQ(LoadBackgroundPicture(u"\\Windows\\pipe.bmp"), nullptr);
    MakeGroups(4);
    GetCatalogue().SetBackground(0, u"\\Windows\\pipe.bmp");
    StartView();
    EXPECT_EQ(GetCatalogue().Background(0), u"\\Windows\\pipe.bmp");
}

TEST_F(BackgroundFiles, APictureCutShortIsShownWithTheRestFilledAndKept) {
    // 20 x 20, bottom-up: the file's first rows are the picture's bottom ones.
    const fs::path file =
        WriteDeviceBmp("Windows/cut.bmp", 20, 20, [](int, int) { return 0x3366CCu; });
    const std::size_t stride = 60; // 20 pixels of 3 bytes: a multiple of 4 already
    fs::resize_file(file, 54 + stride * 5 + 7);
    MakeGroups(4);
    GetCatalogue().SetBackground(0, u"\\Windows\\cut.bmp");
    StartView();
    EXPECT_EQ(GetCatalogue().Background(0), u"\\Windows\\cut.bmp");
    // Rows 15..19 of the tile came from the file, row 14 in part; the rest is zero.
    const RECT area = ViewLayout::kShortcutArea;
    EXPECT_EQ(ViewPixel(area.left + 3, area.top + 19), 0xFF3366CCu);
    EXPECT_EQ(ViewPixel(area.left + 3, area.top + 15), 0xFF3366CCu);
    EXPECT_EQ(ViewPixel(area.left + 1, area.top + 14), 0xFF3366CCu);
    EXPECT_EQ(ViewPixel(area.left + 10, area.top + 14), 0xFF000000u);
    EXPECT_EQ(ViewPixel(area.left + 3, area.top + 0), 0xFF000000u);
    EXPECT_EQ(ViewPixel(area.left + 3, area.top + 20 + 19), 0xFF3366CCu); // the next tile
}

TEST_F(BackgroundFiles, AMissingPictureDrawsNothingAndShowsOnceItIsBack) {
    WriteDeviceBmp("Windows/card.bmp", 10, 10, [](int, int) { return 0x00FF00u; });
    fs::rename(DeviceRoot() / "Windows" / "card.bmp", DeviceRoot() / "card.bmp");
    MakeGroups(4);
    GetCatalogue().SetBackground(0, u"\\Windows\\card.bmp");
    StartView();
    EXPECT_NE(ViewPixel(100, 100), 0xFF00FF00u);
    EXPECT_EQ(GetCatalogue().Background(0), u"\\Windows\\card.bmp");
    // The card is back: the picture shows at the next paint.
    fs::rename(DeviceRoot() / "card.bmp", DeviceRoot() / "Windows" / "card.bmp");
    View().Invalidate();
    Pump();
    EXPECT_EQ(ViewPixel(100, 100), 0xFF00FF00u);
}
