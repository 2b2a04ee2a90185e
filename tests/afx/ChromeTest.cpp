// The chrome as the program meets it: the title in the navigation bar, the
// dialogs' "ok", the command bar's menus and tool buttons.

#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

#include "AfxTestSupport.h"
#include "platform/afx/CCommandBar.h"
#include "platform/afx/CDialog.h"
#include "platform/afx/CFrameWnd.h"
#include "platform/afx/CWinApp.h"
#include "platform/user/Chrome.h"
#include "platform/user/Menu.h"

namespace {

constexpr UINT ID_ADD = 501, ID_DELETE = 502, ID_SAVE = 503, ID_MONITOR = 504;

const zorun::MenuTemplateItem kBarItems[] = {
    {0, MF_POPUP, 0, u"Edit"},
    {1, MF_STRING, ID_ADD, u"Add"},
    {1, MF_STRING, ID_DELETE, u"Delete"},
    {1, MF_STRING, ID_SAVE, u"Save"},
    {0, MF_POPUP, 0, u"Tools"},
    {1, MF_STRING, ID_MONITOR, u"Monitor"},
};
const zorun::MenuTemplate kMenus[] = {{7001, kBarItems}};
const bool registered = zorun::RegisterMenuTemplates(kMenus);

std::vector<std::string> events;

class CBarFrame : public CFrameWnd {
  public:
    CCommandBar bar;
    bool greyDelete = true;

  protected:
    int OnCreate(LPCREATESTRUCT cs) {
        if (CFrameWnd::OnCreate(cs) == -1 || !bar.Create(this) || !bar.InsertMenuBar(7001) ||
            !bar.AddToolButton(ID_MONITOR, 0, u"Monitor"))
            return -1;
        return 0;
    }
    void OnInitMenuPopup(CMenu* popup, UINT, BOOL) {
        events.push_back("init popup of " + std::to_string(popup->GetMenuItemCount()));
        popup->EnableMenuItem(ID_DELETE, MF_BYCOMMAND | (greyDelete ? MF_GRAYED : MF_ENABLED));
    }
    void OnAdd() { events.push_back("add"); }
    void OnDelete() { events.push_back("delete"); }
    void OnMonitor() { events.push_back("monitor"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CBarFrame, CFrameWnd)
ON_WM_CREATE()
ON_WM_INITMENUPOPUP()
ON_COMMAND(ID_ADD, OnAdd)
ON_COMMAND(ID_DELETE, OnDelete)
ON_COMMAND(ID_MONITOR, OnMonitor)
END_MESSAGE_MAP()

class Chrome : public AfxTest {
  protected:
    void SetUp() override {
        AfxTest::SetUp();
        ASSERT_TRUE(registered);
        events.clear();
        app = std::make_unique<CWinApp>();
        frame = new CBarFrame;
        ASSERT_TRUE(frame->Create(nullptr, u"Zorun", WS_OVERLAPPED | WS_VISIBLE));
        app->SetMainWnd(frame);
        frame->SetForegroundWindow();
        Pump();
    }
    void TearDown() override {
        app.reset();
        AfxTest::TearDown();
    }
    // The command bar's first menu button, in screen coordinates.
    static POINT MenuButton(int index) {
        const auto layout = zorun::CommandBarLayout();
        const RECT r = layout.at(static_cast<std::size_t>(index)).rect;
        return {r.left + r.Width() / 2, zorun::kCommandBarRect.top + 12};
    }
    std::unique_ptr<CWinApp> app;
    CBarFrame* frame = nullptr;
};

bool AnyPixel(RECT r, std::uint32_t rgb) {
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x)
            if (AfxTest::ScreenPixel(x, y) == rgb)
                return true;
    return false;
}

TEST_F(Chrome, TheNavigationBarShowsTheFrontWindowsTitle) {
    EXPECT_EQ(ScreenPixel(1, 1), 0x000084u);
    EXPECT_TRUE(AnyPixel({4, 4, 60, 22}, 0xFFFFFF));     // the title's white text
    EXPECT_FALSE(AnyPixel({214, 2, 240, 24}, 0xFFFFFF)); // no "ok" for a frame
    EXPECT_EQ(ScreenPixel(120, 300), 0xD6D6D6u);         // the command bar's grey
}

TEST_F(Chrome, TheNavigationOkEndsTheDialogInFront) {
    static const zorun::DialogTemplate dialog{7100, 100, 100, u"Pick", 0, {}};
    CDialog dlg(&dialog, frame);
    Tap(226, 12);
    EXPECT_EQ(dlg.DoModal(), IDOK);
    // A tap there with the frame in front does nothing.
    Tap(226, 12);
    Pump();
    EXPECT_TRUE(IsWindow(frame->m_hWnd));
}

TEST_F(Chrome, MenuButtonsOpenTheirPopupAfterAskingTheFrame) {
    const POINT edit = MenuButton(0);
    Tap(edit.x, edit.y);
    // The drop-down (3 items of 20 pixels and its frame) opens upwards from y 294.
    Tap(30, 263); // "Delete": greyed by the frame, cannot be chosen
    Tap(30, 243); // "Add"
    Pump();
    EXPECT_EQ(events, (std::vector<std::string>{"init popup of 3", "add"}));

    events.clear();
    frame->greyDelete = false;
    Tap(edit.x, edit.y);
    Tap(30, 263);
    Pump();
    EXPECT_EQ(events, (std::vector<std::string>{"init popup of 3", "delete"}));
}

TEST_F(Chrome, ToolButtonsCommandOnReleaseAndShowTheirTipWhenHeld) {
    const auto layout = zorun::CommandBarLayout();
    ASSERT_EQ(layout.size(), 3u); // Edit, Tools, the Monitor button
    const RECT tool = layout[2].rect;
    const int x = tool.left + 12, y = zorun::kCommandBarRect.top + 12;
    Down(x, y);
    Pump();
    clock.Advance(600);
    Pump();
    EXPECT_TRUE(AnyPixel({0, 270, 240, 294}, 0xFFFFE1)); // the tip above the bar
    Up(x, y);
    Pump();
    EXPECT_FALSE(AnyPixel({0, 270, 240, 294}, 0xFFFFE1));
    EXPECT_EQ(events, (std::vector<std::string>{"monitor"}));
    // Sliding off the button before lifting cancels it.
    events.clear();
    Down(x, y);
    Move(x, 200);
    Up(x, 200);
    Pump();
    EXPECT_TRUE(events.empty());
}

TEST_F(Chrome, TheClockReadsHoursOfTwelveAndMinutes) {
    const char* zone = std::getenv("TZ");
    const std::string saved = zone ? zone : "";
    ::setenv("TZ", "UTC0", 1);
    ::tzset();
    // 1 January 2030, 00:00 UTC, in milliseconds.
    constexpr std::int64_t kMidnight = 1893456000000;
    constexpr std::int64_t kMinute = 60000;
    EXPECT_EQ(zorun::ClockText(kMidnight + 5 * kMinute), u"12:05");
    EXPECT_EQ(zorun::ClockText(kMidnight + 12 * 60 * kMinute), u"12:00");
    EXPECT_EQ(zorun::ClockText(kMidnight + (12 * 60 + 50) * kMinute), u"12:50");
    EXPECT_EQ(zorun::ClockText(kMidnight + (13 * 60 + 7) * kMinute), u"1:07");
    EXPECT_EQ(zorun::ClockText(kMidnight + (23 * 60 + 59) * kMinute + 59999), u"11:59");
    if (zone)
        ::setenv("TZ", saved.c_str(), 1);
    else
        ::unsetenv("TZ");
    ::tzset();
}

} // namespace
