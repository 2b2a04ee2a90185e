// The picture of the launcher pane in the documentation: a group of six
// shortcuts on one of the device's background pictures, one selected.
// Set ZORUN_SCREENSHOT to a .png path to write it there.

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

#include "launcher/CZorunViewLayout.h"
#include "platform/gdi/Png.h"
#include "tests/support/ProgramFixture.h"

namespace {

class ViewScreenshot : public ProgramFixture {};

} // namespace

TEST_F(ViewScreenshot, GroupOfSixOnABackgroundWithOneSelected) {
    const char* source = std::getenv("ZORUN_SOURCE_DIR");
    if (!source)
        GTEST_SKIP() << "ZORUN_SOURCE_DIR is not set";
    std::ifstream skin(std::filesystem::path(source) / "res" / "device" / "skin 1.bmp",
                       std::ios::binary);
    ASSERT_TRUE(skin);
    WriteDeviceFile("Windows/skin 1.bmp", std::string(std::istreambuf_iterator<char>(skin), {}));

    MakeGroups(4, {}, {u"Programs", u"Multimedia", u"Game", u"Favorite"});
    GetCatalogue().SetBackground(0, u"\\Windows\\skin 1.bmp");
    const std::pair<const char16_t*, const char16_t*> shortcuts[] = {
        {u"Mail", u"133"},  {u"Calendar", u"134"},          {u"Contacts", u"135"},
        {u"Notes", u"136"}, {u"Internet Explorer", u"145"}, {u"Media Player", u"146"},
    };
    for (const auto& [name, icon] : shortcuts)
        (void)GetCatalogue().AppendShortcut(0, {u"\\Windows\\prog.exe", name, icon});
    Frame().clearTypeOn = true;
    StartView();
    Key(VK_RIGHT);
    Key(VK_RIGHT);
    ASSERT_EQ(View().SelectedItem(), 1);
    EXPECT_EQ(TextsIn(RECT{0, 0, 240, 150}).size(), 6u);
    EXPECT_EQ(Frame().pageStates.back(), 0);

    const POINT origin = ToScreen(0, 0);
    zorun::Surface pane(240, kViewHeight);
    pane.Blit(Screen(), RECT{0, origin.y, 240, origin.y + kViewHeight}, POINT{0, 0});
    if (const char* out = std::getenv("ZORUN_SCREENSHOT")) {
        EXPECT_TRUE(zorun::WritePng(pane, out));
    }
}
