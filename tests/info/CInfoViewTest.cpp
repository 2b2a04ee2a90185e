// The information panel as a window on the headless screen, in virtual time:
// what each choice of the last field shows, refresh without needless
// repaints, taps that start programs or turn the page, and the hand-over of
// releases to the split window.

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "info/CInfoView.h"
#include "info/InfoPanelPainter.h"
#include "platform/base/Clock.h"
#include "platform/base/Text.h"
#include "platform/gdi/Surface.h"
#include "platform/kernel/Locale.h"
#include "platform/kernel/Memory.h"
#include "platform/kernel/Power.h"
#include "platform/kernel/Store.h"
#include "platform/kernel/TimeZone.h"
#include "platform/pim/MessageStore.h"
#include "platform/pim/Organiser.h"
#include "platform/user/Backend.h"
#include "platform/user/Input.h"
#include "platform/user/Screen.h"

namespace fs = std::filesystem;

namespace {

std::vector<std::string>* journal = nullptr;

class FakeHost : public ProgramHost {
  public:
    int mode = 0;
    bool held = false;
    Catalogue& GetCatalogue() override { std::abort(); }
    int GetSysInfoMode() const override { return mode; }
    void SetSysInfoMode(int m) override { mode = m; }
    bool IsClearTypeOn() const override { return false; }
    void SetLauncherView(CZorunView*) override {}
    CZorunView* GetLauncherView() const override { return nullptr; }
    bool IsPageBarHeld() const override { return held; }
    void OnPageBarRelease(HWND, UINT flags, POINT p) override {
        held = false;
        journal->push_back("bar " + std::to_string(flags) + " " + std::to_string(p.x) + "," +
                           std::to_string(p.y));
    }
    HWND GetSplitterWindow() const override { return nullptr; }
};

class RecordingInfoView : public CInfoView {
  public:
    int paints = 0;

  protected:
    BOOL Execute(SHELLEXECUTEINFO& info) override {
        journal->push_back(zorun::ToUtf8(info.lpFile) + "|" + zorun::ToUtf8(info.lpParameters) +
                           "|" + zorun::ToUtf8(info.lpVerb) + "|" + std::to_string(info.nShow));
        return TRUE;
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_PAINT)
            ++paints;
        return CInfoView::WindowProc(message, wParam, lParam);
    }
};

void WriteFile(const fs::path& file, const std::string& text) {
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << text;
}

class InfoViewTest : public ::testing::Test {
  protected:
    void SetUp() override {
        journal = &log_;
        std::string pattern = (fs::temp_directory_path() / "zorun-infoview-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        root_ = pattern;
        fs::create_directories(root_ / "Maildir/new");
        fs::create_directories(root_ / "Maildir/cur");
        WriteFile(root_ / "Maildir/new/1.h", "x");
        WriteFile(root_ / "Maildir/cur/2.h:2,S", "x");
        WriteFile(root_ / "Maildir/cur/3.h:2,S", "x");
        WriteFile(root_ / "tasks.ics", "BEGIN:VCALENDAR\r\nBEGIN:VTODO\r\nUID:1\r\nEND:VTODO\r\n"
                                       "END:VCALENDAR\r\n");
        WriteFile(root_ / "power/BAT0/type", "Battery\n");
        WriteFile(root_ / "power/BAT0/capacity", "45\n");
        WriteFile(root_ / "meminfo", "MemTotal: 2097152 kB\nMemAvailable: 8090 kB\n");
        zorun::SetMaildirFolder(root_ / "Maildir");
        zorun::SetCalendarSources(std::vector<fs::path>{root_ / "no-calendar"});
        zorun::SetTaskSources(std::vector<fs::path>{root_ / "tasks.ics"});
        zorun::SetPowerSupplyFolder(root_ / "power");
        zorun::SetMemInfoPath(root_ / "meminfo");
        // A store that does not move while the test runs.
        zorun::SetStoreFolder(root_ / "no-store");
        zorun::SetProcessLocaleName("en_US");
        zorun::SetProcessTimeZone("UTC0");

        zorun::ResetWindowSystem();
        zorun::SetBackend(nullptr);
        zorun::SetCurrentClock(&clock_);
        ASSERT_TRUE(frame_.CreateEx(0, nullptr, u"frame", WS_POPUP | WS_VISIBLE,
                                    RECT{0, 26, 240, 294}, nullptr, 0));
        view_ = new RecordingInfoView;
        view_->SetHost(&host_);
        ASSERT_TRUE(
            view_->Create(nullptr, u"", WS_CHILD | WS_VISIBLE, RECT{0, 0, 240, 74}, &frame_, 1));
        view_->OnInitialUpdate();
        Pump();
    }
    void TearDown() override {
        // The panel goes with its parent and deletes itself, as in the program.
        frame_.DestroyWindow();
        AfxFlushDestroyedWindows();
        zorun::ResetWindowSystem();
        zorun::SetCurrentClock(nullptr);
        zorun::SetMaildirFolder({});
        zorun::SetCalendarSources(std::nullopt);
        zorun::SetTaskSources(std::nullopt);
        zorun::SetPowerSupplyFolder({});
        zorun::SetMemInfoPath({});
        zorun::SetStoreFolder({});
        zorun::SetProcessLocaleName("");
        zorun::SetProcessTimeZone("");
        fs::remove_all(root_);
        journal = nullptr;
    }
    static void Pump() {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        zorun::ComposeScreen();
    }
    // Moves virtual time by whole refresh periods (5 seconds), running each tick.
    void Ticks(int n) {
        for (int i = 0; i < n; ++i) {
            clock_.Advance(5000);
            Pump();
        }
    }
    void Tap(int x, int y) {
        zorun::PushInput({zorun::InputEvent::Kind::StylusDown, {x, y + 26}, 0, 0});
        zorun::PushInput({zorun::InputEvent::Kind::StylusUp, {x, y + 26}, 0, 0});
        Pump();
    }
    void Repaint() {
        view_->Invalidate();
        Pump();
    }
    // The words on the panel, as the screen records them.
    static std::vector<std::u16string> PanelTexts() {
        std::vector<std::u16string> texts;
        for (const auto& record : zorun::ScreenSurface().Texts())
            if (record.position.y >= 26 - 8 && record.position.y < 100)
                texts.push_back(record.text);
        return texts;
    }
    // The panel on the screen is exactly what the painter makes of the view's state.
    void ExpectScreenMatchesPainter(int mode, int page) {
        zorun::Surface expected(240, 74);
        HDC dc = CreateSurfaceDC(&expected, POINT{0, 0}, RECT{0, 0, 240, 74});
        InfoPanelPainter::Paint(dc, RECT{0, 0, 240, 74}, mode, page, view_->currentTexts);
        DeleteDC(dc);
        int differing = 0;
        for (int y = 0; y < 74; ++y)
            for (int x = 0; x < 240; ++x)
                differing += (zorun::ScreenSurface().Pixel(x, y + 26) & 0xFFFFFF) !=
                             (expected.Pixel(x, y) & 0xFFFFFF);
        EXPECT_EQ(differing, 0) << "mode " << mode << " page " << page;
    }

    zorun::VirtualClock clock_{1796644800000}; // 2026-12-07 12:00:00 UTC
    fs::path root_;
    std::vector<std::string> log_;
    FakeHost host_;
    CWnd frame_;
    RecordingInfoView* view_ = nullptr;
};

using Texts = std::vector<std::u16string>;

} // namespace

TEST_F(InfoViewTest, EachChoiceOfTheLastFieldAndBothPages) {
    // The initial update read every source before the first paint.
    // The calendar's error text, too wide for its field, is drawn as it reads there.
    const Texts five = {u"1 / 3", u"Setting\nError", u"1", u"45%", u"-\n7.9"};
    EXPECT_EQ(view_->currentTexts.inbox, u"1 / 3");
    EXPECT_EQ(view_->currentTexts.date, u"07/12/26");
    EXPECT_EQ(PanelTexts(), five);
    ExpectScreenMatchesPainter(0, 1);

    host_.mode = 1;
    Repaint();
    Texts withDate = five;
    withDate.push_back(u"07/12/26");
    EXPECT_EQ(PanelTexts(), withDate);
    ExpectScreenMatchesPainter(1, 1);

    host_.mode = 2;
    Repaint();
    Texts withRegion = five;
    withRegion.push_back(u"English...\nUnited ...");
    EXPECT_EQ(PanelTexts(), withRegion);
    ExpectScreenMatchesPainter(2, 1);

    host_.mode = 3;
    Repaint();
    EXPECT_EQ(PanelTexts(), withDate);
    ExpectScreenMatchesPainter(3, 1);

    Tap(230, 30); // the page strip
    EXPECT_EQ(view_->infoPage, 2);
    EXPECT_EQ(PanelTexts(), Texts{u"English...\nUnited ..."});
    ExpectScreenMatchesPainter(3, 2);
    Tap(230, 30);
    EXPECT_EQ(view_->infoPage, 1);
    EXPECT_EQ(PanelTexts(), withDate);

    // Leaving mode 3 on page 2: the next paint shows page 1.
    Tap(230, 30);
    host_.mode = 1;
    Repaint();
    EXPECT_EQ(view_->infoPage, 1);
    EXPECT_EQ(PanelTexts(), withDate);
    EXPECT_TRUE(log_.empty()) << "no program was started";
}

// A fresh panel reads its figures only once the first frame is on the host's
// screen: a frame presented but not yet shown (an X window the window manager
// has still to map) does not wait for the mail and the calendars.
TEST_F(InfoViewTest, TheFirstFrameDoesNotWaitForTheFirstReading) {
    int presented = 0;
    InfoTexts atFirstFrame;
    atFirstFrame.inbox = u"not presented";
    zorun::Backend backend;
    backend.present = [&](const zorun::Surface&) {
        if (presented++ == 0)
            atFirstFrame = view_->currentTexts;
    };
    zorun::SetBackend(&backend);
    view_->currentTexts = {};
    view_->OnInitialUpdate();
    view_->Invalidate();
    zorun::PaintAndPresent();
    EXPECT_EQ(presented, 1);
    EXPECT_EQ(atFirstFrame, InfoTexts{});
    Pump();
    EXPECT_EQ(view_->currentTexts, InfoTexts{}) << "presented, not yet on the screen";
    zorun::NoteFrameShown();
    Pump();
    EXPECT_EQ(view_->currentTexts.inbox, u"1 / 3");
    EXPECT_EQ(PanelTexts()[0], u"1 / 3");
    zorun::SetBackend(nullptr);
}

TEST_F(InfoViewTest, RepaintsOnlyWhenATextChanges) {
    view_->paints = 0;
    Ticks(1);
    EXPECT_EQ(view_->paints, 1) << "the first tick always repaints";
    Ticks(12);
    EXPECT_EQ(view_->paints, 1) << "unchanged texts over a minute: no repaint";

    // One new message: one repaint, showing it.
    WriteFile(root_ / "Maildir/new/4.h", "x");
    Ticks(1);
    EXPECT_EQ(view_->paints, 2);
    EXPECT_EQ(PanelTexts()[0], u"2 / 4");

    // A battery that stops reporting keeps its text: nothing to repaint.
    fs::remove(root_ / "power/BAT0/capacity");
    Ticks(3);
    EXPECT_EQ(view_->paints, 2);
    EXPECT_EQ(view_->currentTexts.battery, u"45%");

    // A timer of another id refreshes nothing.
    WriteFile(root_ / "Maildir/new/5.h", "x");
    view_->SendMessage(WM_TIMER, 17, 0);
    Pump();
    EXPECT_EQ(view_->currentTexts.inbox, u"2 / 4");
    Ticks(1);
    EXPECT_EQ(view_->currentTexts.inbox, u"3 / 5");
}

TEST_F(InfoViewTest, SourcesAreReadAgainAfterFiveSecondsNotBefore) {
    WriteFile(root_ / "Maildir/new/4.h", "x");
    clock_.Advance(4999);
    Pump();
    EXPECT_EQ(view_->currentTexts.inbox, u"1 / 3") << "re-read before 5,000 ms";
    clock_.Advance(1);
    Pump();
    EXPECT_EQ(view_->currentTexts.inbox, u"2 / 4") << "not re-read at 5,000 ms";
}

TEST_F(InfoViewTest, TapsStartTheFieldsPrograms) {
    const std::string suffix = "|open|5";
    struct Case {
        int mode, x, y;
        std::string expected; // empty: nothing starts
    };
    const Case cases[] = {
        {0, 20, 20, "\\windows\\tmail.exe|"},
        {0, 100, 20, "\\windows\\poutlook.exe|calendar"},
        {0, 170, 20, "\\windows\\poutlook.exe|tasks"},
        {0, 20, 50, "\\windows\\ctlpnl.exe|cplmain.cpl 3,0"},
        {0, 100, 50, "\\windows\\ctlpnl.exe|cplmain.cpl 4,0"},
        {0, 170, 50, ""},                      // the empty last slot
        {0, 75, 20, ""},                       // a text box beyond the hit rectangle
        {0, 230, 30, ""},                      // the strip's place, no strip
        {1, 170, 50, "\\windows\\clock.exe|"}, // the date
        {2, 170, 50, "\\windows\\ctlpnl.exe|cplmain.cpl 18,0"}, // the region
        {3, 157, 50, "\\windows\\clock.exe|"},                  // D = 72
        {3, 157, 20, "\\windows\\poutlook.exe|tasks"},
    };
    for (const Case& c : cases) {
        host_.mode = c.mode;
        log_.clear();
        Tap(c.x, c.y);
        EXPECT_EQ(log_, c.expected.empty() ? std::vector<std::string>{}
                                           : std::vector<std::string>{c.expected + suffix})
            << "mode " << c.mode << " at " << c.x << "," << c.y;
    }

    // Page 2: the globe opens the regional settings; the region text beside it
    // and the places of the other fields do nothing.
    host_.mode = 3;
    Tap(230, 30);
    ASSERT_EQ(view_->infoPage, 2);
    log_.clear();
    Tap(20, 20);
    Tap(100, 20);
    Tap(20, 50);
    Tap(157, 50);
    EXPECT_EQ(log_, std::vector<std::string>{"\\windows\\ctlpnl.exe|cplmain.cpl 18,0" + suffix});
}

TEST_F(InfoViewTest, ReleasesEndingAPageBarPressGoToTheSplitWindow) {
    host_.mode = 0;
    host_.held = true;
    Tap(20, 20);
    // The field's program first, then the hand-over with the panel's coordinates.
    EXPECT_EQ(log_, (std::vector<std::string>{"\\windows\\tmail.exe||open|5", "bar 0 20,20"}));
    log_.clear();
    Tap(120, 39); // between the rows, and no press pending
    EXPECT_TRUE(log_.empty());
    host_.mode = 3;
    host_.held = true;
    Tap(230, 30);
    EXPECT_EQ(view_->infoPage, 2);
    EXPECT_EQ(log_, std::vector<std::string>{"bar 0 230,30"});
}
