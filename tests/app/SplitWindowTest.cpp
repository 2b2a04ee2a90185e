// The split window on the whole program: the page bar's images for each
// arrow state, its hit band to the pixel, presses and releases on either
// half and over the panes, and the page-state message.

#include <gtest/gtest.h>

#include <fstream>

#include "app/CXSplitterWnd.h"
#include "launcher/CZorunView.h"
#include "tests/app/AppHarness.h"

namespace {

constexpr int kTop = 26; // the frame's client area starts below the navigation bar

// A device whose first default group holds `count` programs: more than six
// give the launcher a second page.
void MakePrograms(const std::filesystem::path& root, int count) {
    const char* names[] = {"iexplore.exe", "fexplore.exe", "tmail.exe", "pxl.exe", "pword.exe"};
    std::filesystem::create_directories(root / "Windows" / "Start Menu");
    for (int i = 0; i < count && i < 5; ++i)
        std::ofstream(root / "Windows" / names[i]) << "#!/bin/sh\n";
    const char* links[] = {"calendar.lnk", "contacts.lnk"};
    for (int i = 5; i < count; ++i)
        std::ofstream(root / "Windows" / "Start Menu" / links[i - 5]) << "22#\\Windows\\pxl.exe";
}

class SplitWindow : public ::testing::Test {
  protected:
    void StartWith(int programs) {
        MakePrograms(app.Root(), programs);
        ASSERT_TRUE(app.Start());
        ASSERT_NE(app.Frame(), nullptr);
        ASSERT_NE(View(), nullptr);
    }
    CXSplitterWnd& Splitter() { return app.Frame()->splitter; }
    CZorunView* View() { return app.Frame()->launcherView; }
    // Stylus on the split window's client coordinates.
    void Press(int x, int y) { app.Down(x, kTop + y); }
    void Release(int x, int y) { app.Up(x, kTop + y); }
    void TapBar(int x, int y) { app.Tap(x, kTop + y); }
    // The ten drawn rows of one half of the bar.
    std::vector<std::uint32_t> Half(bool right) const {
        std::vector<std::uint32_t> pixels;
        for (int y = 74; y < 84; ++y)
            for (int x = 0; x < 120; ++x)
                pixels.push_back(app.Pixel(x + (right ? 120 : 0), kTop + y));
        return pixels;
    }
    void ShowState(int state) {
        // Only the band: a repaint of the view would report its own state.
        Splitter().arrowState = state;
        const CRect band(0, 74, 240, 85);
        Splitter().InvalidateRect(&band, TRUE);
        app.Pump();
    }

    AppHarness app;
};

TEST_F(SplitWindow, LayoutStacksThePanesAroundAnElevenRowBand) {
    StartWith(3);
    CRect upper, lower;
    ::GetWindowRect(Splitter().GetPane(0, 0)->GetSafeHwnd(), &upper);
    ::GetWindowRect(View()->GetSafeHwnd(), &lower);
    EXPECT_EQ(upper, CRect(0, kTop, 240, kTop + 74));
    EXPECT_EQ(lower, CRect(0, kTop + 85, 240, kTop + 268));
    EXPECT_EQ(app.Frame()->GetActiveView(), View());
    // Row 84 is the split window's own background: the erase rectangle's
    // white fill inside its 2-pixel black border.
    EXPECT_EQ(app.Pixel(120, kTop + 84), 0xFFFFFFu);
    EXPECT_EQ(app.Pixel(0, kTop + 84), 0u);
    EXPECT_EQ(app.Pixel(239, kTop + 84), 0u);
}

TEST_F(SplitWindow, EachHalfIsLitOnlyWhenItsArrowIsUsable) {
    StartWith(3);
    EXPECT_EQ(Splitter().arrowState, 0); // one page: the view said so when it painted
    const auto upGrey = Half(false), downGrey = Half(true);
    ShowState(3);
    const auto upLit = Half(false), downLit = Half(true);
    EXPECT_NE(upGrey, upLit);
    EXPECT_NE(downGrey, downLit);
    ShowState(1);
    EXPECT_EQ(Half(false), upGrey);
    EXPECT_EQ(Half(true), downLit);
    ShowState(2);
    EXPECT_EQ(Half(false), upLit);
    EXPECT_EQ(Half(true), downGrey);
    // Before the view's first report both halves are grey.
    ShowState(-1);
    EXPECT_EQ(Half(false), upGrey);
    EXPECT_EQ(Half(true), downGrey);
    EXPECT_EQ(CXSplitterWnd().arrowState, -1);
    EXPECT_FALSE(CXSplitterWnd().arrowHeld);
}

TEST_F(SplitWindow, OnlyRowsSeventyFiveToEightyThreeTurnPages) {
    StartWith(7);
    ASSERT_EQ(View()->FirstItem(), 0);
    TapBar(180, 74); // drawn, but not part of the hit band
    EXPECT_EQ(View()->FirstItem(), 0);
    EXPECT_FALSE(Splitter().arrowHeld);
    TapBar(180, 84); // the band's last row belongs to no half
    EXPECT_EQ(View()->FirstItem(), 0);
    TapBar(180, 75);
    EXPECT_EQ(View()->FirstItem(), 6);
    EXPECT_EQ(Splitter().arrowState, 2); // the view reported its last page
    TapBar(30, 83);
    EXPECT_EQ(View()->FirstItem(), 0);
    EXPECT_EQ(Splitter().arrowState, 1);
}

TEST_F(SplitWindow, ColumnOneHundredTwentyIsTheUpHalf) {
    StartWith(7);
    TapBar(121, 79);
    EXPECT_EQ(View()->FirstItem(), 6);
    TapBar(120, 79);
    EXPECT_EQ(View()->FirstItem(), 0);
}

TEST_F(SplitWindow, TheReleaseDecidesAndThePressedImageLastsUntilIt) {
    StartWith(7);
    const auto downNormal = Half(true), upGrey = Half(false);
    Press(180, 79);
    EXPECT_TRUE(Splitter().arrowHeld);
    EXPECT_NE(Half(true), downNormal); // pressed at once, before any paint
    Release(60, 79);                   // lifted over the other half: that half's message
    EXPECT_FALSE(Splitter().arrowHeld);
    EXPECT_EQ(View()->FirstItem(), 0); // page up on the first page: nothing to do
    EXPECT_EQ(Half(true), downNormal);

    // A grey half shows no pressed image, yet its release is still sent.
    Press(60, 79);
    EXPECT_TRUE(Splitter().arrowHeld);
    EXPECT_EQ(Half(false), upGrey);
    Release(200, 79);
    EXPECT_EQ(View()->FirstItem(), 6);
}

TEST_F(SplitWindow, PanesHandTheReleaseOverInTheirOwnCoordinates) {
    StartWith(7);
    // Lifted over the launcher view at view row 20: outside the band.
    Press(180, 79);
    Release(180, 85 + 20);
    EXPECT_FALSE(Splitter().arrowHeld);
    EXPECT_EQ(View()->FirstItem(), 0);
    // At view row 79 the view's coordinates lie in the band: it pages.
    Press(180, 79);
    Release(180, 85 + 79);
    EXPECT_FALSE(Splitter().arrowHeld);
    EXPECT_EQ(View()->FirstItem(), 6);
    // Over the information panel.
    Press(30, 79);
    Release(30, 40);
    EXPECT_FALSE(Splitter().arrowHeld);
    EXPECT_EQ(View()->FirstItem(), 6);
}

TEST_F(SplitWindow, PageStateOutsideZeroToThreeOnlyRepaints) {
    StartWith(7);
    const auto up = Half(false), down = Half(true);
    for (LPARAM state : {LPARAM{4}, LPARAM{-1}}) {
        // Spoil the bar, then ask: the state stays, the bar is drawn again.
        {
            CClientDC dc(&Splitter());
            const CRect bar(0, 74, 240, 84);
            dc.FillSolidRect(&bar, RGB(255, 0, 0));
        }
        Splitter().SendMessage(ZorunViewMessage::PageState, 0, state);
        app.Pump();
        EXPECT_EQ(Splitter().arrowState, 1);
        EXPECT_EQ(Half(false), up);
        EXPECT_EQ(Half(true), down);
    }
}

} // namespace
