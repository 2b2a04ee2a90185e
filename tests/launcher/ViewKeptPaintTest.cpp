// The launcher pane painted from what it keeps between paints: the same
// pixels as the pictures recorded from a paint that read everything afresh,
// and every change that matters showing at the next paint (an icon file
// edited, a background renamed away and back, the ClearType setting, an
// edit of the catalogue).
//
// The recorded pictures are tests/data/launcher/pane-*.png; run with
// ZORUN_UPDATE_PICTURES=1 to write them anew after a deliberate change.

#include <gtest/gtest.h>

#include <cstdlib>

#include "launcher/CZorunViewLayout.h"
#include "platform/gdi/Png.h"
#include "tests/support/ProgramFixture.h"

using namespace ViewLayout;

namespace {

namespace fs = std::filesystem;

constexpr int kTabY = 168;

// A 32 x 32 icon of one colour with a transparent corner.
void WriteIcon(const fs::path& path, std::uint32_t argb) {
    zorun::Surface icon(32, 32, argb);
    icon.Fill({0, 0, 8, 8}, 0x00000000u);
    fs::create_directories(path.parent_path());
    ASSERT_TRUE(zorun::WritePng(icon, path.string()));
}

class ViewKeptPaint : public ProgramFixture {
  protected:
    // Five groups; the first on a tiled background with two pages of
    // shortcuts whose icons come from every kind of source.
    void MakeScene() {
        MakeGroups(5, {}, {u"Programs", u"Multimedia", u"Game", u"Favorite", u"Office tools"});
        WriteDeviceBmp("Windows/skin 1.bmp", 60, 50, [](int x, int y) {
            return static_cast<std::uint32_t>((x * 4) << 16 | (y * 5) << 8 | 0x40);
        });
        WriteDeviceBmp("Windows/skin 2.bmp", 300, 200, [](int x, int y) {
            return static_cast<std::uint32_t>((x & 0xFF) << 8 | (y & 0xFF));
        });
        WriteIcon(DeviceRoot() / "Icons" / "mail.png", 0xFF2060C0u);
        WriteDeviceFile("Windows/Start Menu/Mail.lnk",
                        "20#\\Windows\\tmail.exe?\\Icons\\mail.png,-0");
        WriteDeviceFile("Windows/tool.exe", "#!/bin/sh\n", true);
        Catalogue& catalogue = GetCatalogue();
        catalogue.SetBackground(0, u"\\Windows\\skin 1.bmp");
        catalogue.SetBackground(1, u"\\Windows\\skin 2.bmp");
        const ShortcutRecord shortcuts[] = {
            {u"\\Windows\\Start Menu\\Mail.lnk", u"Mail", u"0"},
            {u"\\Windows\\prog.exe", u"Calendar", u"134"},
            {u"\\Windows\\shell32.exe", u"Desktop", u"0"},
            {u"\\Windows\\tool.exe", u"Calculator for engineers", u"0"},
            {u"", u"Nothing", u"0"},
            {u"\\Windows\\prog.exe", u"Media Player", u"146"},
            {u"\\Windows\\prog.exe", u"Notes", u"136"},
        };
        for (const ShortcutRecord& shortcut : shortcuts)
            (void)catalogue.AppendShortcut(0, shortcut);
        (void)catalogue.AppendShortcut(1, {u"\\Windows\\prog.exe", u"Games", u"147"});
    }

    zorun::Surface Pane() {
        const POINT origin = ToScreen(0, 0);
        zorun::Surface pane(240, kViewHeight);
        pane.Blit(Screen(), RECT{0, origin.y, 240, origin.y + kViewHeight}, POINT{0, 0});
        return pane;
    }

    // The pane in the states a user goes through, one under the other.
    zorun::Surface Walk() {
        std::vector<zorun::Surface> panes;
        panes.push_back(Pane());
        Key(VK_RIGHT);
        Key(VK_RIGHT);
        panes.push_back(Pane()); // the second shortcut selected
        View().SendMessage(0x4CA);
        Pump();
        panes.push_back(Pane()); // the second page
        Tap(TabCaptionRect(2).left + 10, kTabY);
        panes.push_back(Pane()); // the second group
        Tap(kRightArrow.x + 10, kTabY);
        panes.push_back(Pane()); // the strip scrolled by one
        View().Invalidate();
        Pump();
        panes.push_back(Pane()); // painted again with nothing changed
        zorun::Surface all(240, kViewHeight * static_cast<int>(panes.size()));
        for (std::size_t i = 0; i < panes.size(); ++i)
            all.Blit(panes[i], panes[i].Bounds(), POINT{0, kViewHeight * static_cast<int>(i)});
        return all;
    }

    void ExpectRecorded(const zorun::Surface& shown, const char* name) {
        const char* source = std::getenv("ZORUN_SOURCE_DIR");
        if (!source)
            GTEST_SKIP() << "ZORUN_SOURCE_DIR is not set";
        const fs::path recorded = fs::path(source) / "tests" / "data" / "launcher" / name;
        if (std::getenv("ZORUN_UPDATE_PICTURES")) {
            ASSERT_TRUE(zorun::WritePng(shown, recorded.string()));
            return;
        }
        const auto expected = zorun::ReadPngFile(recorded.string());
        ASSERT_TRUE(expected) << recorded;
        ASSERT_EQ(expected->Width(), shown.Width());
        ASSERT_EQ(expected->Height(), shown.Height());
        for (int y = 0; y < shown.Height(); ++y)
            for (int x = 0; x < shown.Width(); ++x)
                ASSERT_EQ(expected->Pixel(x, y), shown.Pixel(x, y))
                    << name << ": pane " << y / kViewHeight << " at " << x << ","
                    << y % kViewHeight;
    }
};

} // namespace

TEST_F(ViewKeptPaint, PanesAreThePicturesRecordedFromFreshPaints) {
    MakeScene();
    StartView();
    ExpectRecorded(Walk(), "pane-plain.png");
}

TEST_F(ViewKeptPaint, ClearTypePanesAreThePicturesRecordedFromFreshPaints) {
    MakeScene();
    Frame().clearTypeOn = true;
    StartView();
    ExpectRecorded(Walk(), "pane-cleartype.png");
}

namespace {

std::uint32_t FramePixel(int x, int y) {
    HBITMAP bitmap = LoadBitmapW(nullptr, 142);
    const zorun::Surface* surface = zorun::SurfaceOfBitmap(bitmap);
    const std::uint32_t pixel = surface ? surface->Pixel(x, y) : 0;
    DeleteObject(bitmap);
    return pixel;
}

} // namespace

TEST_F(ViewKeptPaint, FilesChangedOnDiskShowAtTheNextPaint) {
    MakeScene();
    StartView();
    auto repaint = [this] {
        View().Invalidate();
        Pump();
    };
    const POINT mail = IconPosition(0);
    EXPECT_EQ(ViewPixel(mail.x + 20, mail.y + 20), 0xFF2060C0u);

    // The icon file rewritten; then the shortcut file pointed at another one.
    WriteIcon(DeviceRoot() / "Icons" / "mail.png", 0xFFC02020u);
    repaint();
    EXPECT_EQ(ViewPixel(mail.x + 20, mail.y + 20), 0xFFC02020u);
    WriteIcon(DeviceRoot() / "Icons" / "other.png", 0xFF20C020u);
    WriteDeviceFile("Windows/Start Menu/Mail.lnk", "20#\\Windows\\tmail.exe?\\Icons\\other.png,-0");
    repaint();
    EXPECT_EQ(ViewPixel(mail.x + 20, mail.y + 20), 0xFF20C020u);

    // The background renamed away: the frame shows and the path stays; put
    // back, it shows again; rewritten in place, the new picture shows.
    const std::uint32_t tile = ViewPixel(100, 100);
    fs::rename(DeviceRoot() / "Windows" / "skin 1.bmp", DeviceRoot() / "Windows" / "away.bmp");
    repaint();
    EXPECT_EQ(ViewPixel(100, 100), FramePixel(100, 100));
    EXPECT_EQ(GetCatalogue().Background(0), u"\\Windows\\skin 1.bmp");
    fs::rename(DeviceRoot() / "Windows" / "away.bmp", DeviceRoot() / "Windows" / "skin 1.bmp");
    repaint();
    EXPECT_EQ(ViewPixel(100, 100), tile);
    WriteDeviceBmp("Windows/skin 1.bmp", 60, 50, [](int, int) { return 0x123456u; });
    repaint();
    EXPECT_EQ(ViewPixel(100, 100), 0xFF123456u);
}

TEST_F(ViewKeptPaint, TheClearTypeSettingAndCatalogueEditsShowAtTheNextPaint) {
    MakeScene();
    StartView();
    const zorun::Surface plain = Pane();
    Frame().clearTypeOn = true;
    View().Invalidate();
    Pump();
    const zorun::Surface clearType = Pane();
    EXPECT_FALSE(
        std::equal(plain.Pixels().begin(), plain.Pixels().end(), clearType.Pixels().begin()));
    Frame().clearTypeOn = false;
    View().Invalidate();
    Pump();
    const zorun::Surface back = Pane();
    EXPECT_TRUE(std::equal(plain.Pixels().begin(), plain.Pixels().end(), back.Pixels().begin()));

    ASSERT_TRUE(GetCatalogue().SetShortcutName(0, 1, u"Diary"));
    View().Invalidate();
    Pump();
    const auto labels = TextsIn(LabelRect(1));
    ASSERT_EQ(labels.size(), 1u);
    EXPECT_EQ(labels[0], u"Diary");
}
