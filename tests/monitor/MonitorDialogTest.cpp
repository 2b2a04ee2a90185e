// The task monitor over a scripted host: windows of other programs whose
// answers the test decides (closing when asked, or refusing), so the rules
// of the list and of the close rounds are checked exactly and at once.

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <set>

#include "monitor/MonitorIds.h"
#include "platform/base/Text.h"
#include "platform/gdi/Surface.h"
#include "platform/kernel/Process.h"
#include "platform/user/Chrome.h"
#include "platform/user/CommandBar.h"
#include "platform/user/Cursor.h"
#include "platform/user/Screen.h"
#include "platform/windows/HostWindows.h"
#include "tests/monitor/MonitorFixture.h"

namespace {

using zorun::HostWindow;
using zorun::kForeignProcessFlag;

// Process ids the host hands out for programs it alone knows, so that
// terminating them reaches the scripted host and nothing on this machine.
DWORD Process(DWORD n) {
    return kForeignProcessFlag | n;
}

class ScriptedHost : public zorun::HostWindowProvider {
  public:
    // Windows bottom to top.
    std::vector<HostWindow> windows;
    std::set<std::uint64_t> refusing;
    std::vector<std::uint64_t> closeRequests;
    std::vector<std::uint64_t> activated;
    std::vector<DWORD> terminated;

    void Add(std::uint64_t id, DWORD thread, DWORD process, std::u16string title,
             bool visible = true, std::u16string className = u"App") {
        windows.push_back({id, thread, process, visible, std::move(title), std::move(className)});
    }
    void Remove(std::uint64_t id) {
        std::erase_if(windows, [&](const HostWindow& w) { return w.id == id; });
    }

    std::vector<HostWindow> List() override { return windows; }
    bool Exists(std::uint64_t id) override {
        return std::any_of(windows.begin(), windows.end(),
                           [&](const HostWindow& w) { return w.id == id; });
    }
    bool Close(std::uint64_t id) override {
        if (!Exists(id))
            return false;
        closeRequests.push_back(id);
        if (!refusing.count(id))
            Remove(id);
        return true;
    }
    bool Activate(std::uint64_t id) override {
        activated.push_back(id);
        return Exists(id);
    }
    bool ForeignProcessRunning(DWORD process) override {
        return std::any_of(windows.begin(), windows.end(),
                           [&](const HostWindow& w) { return w.processId == process; });
    }
    bool TerminateForeignProcess(DWORD process) override {
        terminated.push_back(process);
        std::erase_if(windows, [&](const HostWindow& w) { return w.processId == process; });
        return true;
    }
};

class MonitorDialog : public MonitorFixture {
  protected:
    void SetUp() override {
        MonitorFixture::SetUp();
        auto host = std::make_unique<ScriptedHost>();
        host_ = host.get();
        zorun::SetHostWindowProvider(std::move(host));
    }
    ScriptedHost& Host() { return *host_; }

    // Stops the selected row and answers its confirmation, if one comes.
    void StopRow(int row, int answer) {
        When(MonitorIdle, [row] {
            SelectRow(row);
            QueueToolButton(MonitorCommand::Stop);
        });
        When(BoxInFront, [answer] { QueueAnswer(answer); });
    }
    void Return() {
        When(MonitorIdle, [] { QueueCommand(MonitorCommand::Return); });
    }

  private:
    ScriptedHost* host_ = nullptr;
};

TEST_F(MonitorDialog, ListsOneRowPerApplicationAndNeverTheProgramsOwnWindows) {
    // This program's own windows: the main window (Frame(), "Zorun") and a
    // visible, titled pop-up of its own, such as a tip.
    HWND tip = CreateWindowExW(WS_EX_TOPMOST, u"Tip", u"Programs", WS_POPUP | WS_VISIBLE, 10, 40,
                               60, 20, nullptr, nullptr, DefWindowProcW, nullptr);
    ASSERT_NE(tip, nullptr);
    ScriptedHost& host = Host();
    host.Add(1, 10, Process(1), u"Mail");
    host.Add(2, 20, Process(2), u"Hidden", false);
    host.Add(3, 30, Process(3), u"");
    host.Add(4, 10, Process(1), u"Compose");
    host.Add(5, 40, Process(4), u"Zorun"); // titled as this program: never listed
    host.Add(6, 50, Process(5), u"Clock");
    // A window of this process on the host's screen, as the program's own
    // window is there.
    host.Add(7, 60, GetCurrentProcessId(), u"Launcher");
    host.Add(9, 10, Process(1), u"Spelling", false);
    std::vector<std::u16string> rows;
    CTaskMonitorDlg* seen = nullptr;
    When(MonitorIdle, [&] {
        rows = Rows();
        seen = Monitor();
        ASSERT_EQ(seen->AppCount(), 2u);
        // The row keeps its lowest title and holds its topmost visible window.
        EXPECT_EQ(GetWindowText(seen->appWindows[0]), u"Compose");
        EXPECT_EQ(seen->appProcessIds[0], Process(1));
        // The keyboard's button lives in the command bar, which is this
        // process's: the process the monitor never ends.
        EXPECT_EQ(FindWindowW(nullptr, u"MS_SIPBUTTON"), zorun::CommandBarWindow());
        EXPECT_EQ(seen->shellProcessId, GetCurrentProcessId());
    });
    Return();
    RunMonitor();
    EXPECT_EQ(rows, (std::vector<std::u16string>{u"Mail", u"Clock"}));
    EXPECT_NE(seen, nullptr);
}

TEST_F(MonitorDialog, TheButtonsAndTheMenuFollowTheList) {
    struct State {
        bool activate, stop, stopAll;
        UINT menuActivate, menuStop, menuStopAll;
    };
    auto read = [] {
        CTaskMonitorDlg* monitor = Monitor();
        HMENU edit = GetSubMenu(zorun::CommandBarMenu(monitor->GetSafeHwnd()), 0);
        monitor->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(edit), 0);
        auto grey = [edit](UINT id) { return GetMenuState(edit, id, MF_BYCOMMAND) & MF_GRAYED; };
        return State{ToolButtonEnabled(MonitorCommand::Activate),
                     ToolButtonEnabled(MonitorCommand::Stop),
                     ToolButtonEnabled(MonitorCommand::StopAll),
                     grey(MonitorCommand::Activate),
                     grey(MonitorCommand::Stop),
                     grey(MonitorCommand::StopAll)};
    };
    std::vector<State> states;
    std::u16string title;
    std::vector<std::u16string> tips;
    When(MonitorIdle, [&] {
        states.push_back(read()); // nothing listed
        title = GetWindowText(GetForegroundWindow());
        for (const auto& button : zorun::CommandBarButtons(GetForegroundWindow()))
            tips.push_back(button.toolTip);
        Host().Add(1, 10, Process(1), u"Notes");
        // A tap on a disabled button does nothing; the list is rebuilt
        // only when the dialog is activated again.
        QueueToolButton(MonitorCommand::StopAll);
    });
    When(MonitorIdle, [&] {
        EXPECT_TRUE(Host().closeRequests.empty());
        Monitor()->FillAppList();
        states.push_back(read()); // a row, none selected
        SelectRow(0);
        states.push_back(read()); // selected
    });
    Return();
    RunMonitor();
    ASSERT_EQ(states.size(), 3u);
    EXPECT_EQ(title, u"Zorun");
    EXPECT_EQ(tips, (std::vector<std::u16string>{u"Activate", u"Stop", u"Stop all"}));
    const State none = states[0], unselected = states[1], selected = states[2];
    EXPECT_FALSE(none.activate || none.stop || none.stopAll);
    EXPECT_TRUE(none.menuActivate && none.menuStop && none.menuStopAll);
    EXPECT_FALSE(unselected.activate || unselected.stop);
    EXPECT_TRUE(unselected.stopAll);
    EXPECT_TRUE(unselected.menuActivate && unselected.menuStop);
    EXPECT_FALSE(unselected.menuStopAll);
    EXPECT_TRUE(selected.activate && selected.stop && selected.stopAll);
    EXPECT_FALSE(selected.menuActivate || selected.menuStop || selected.menuStopAll);
}

TEST_F(MonitorDialog, StopClosesWithoutAskingWhenTheApplicationGoes) {
    Host().Add(1, 10, Process(1), u"Notes");
    Host().Add(2, 20, Process(2), u"Music");
    std::vector<std::u16string> after;
    When(MonitorIdle, [] {
        SelectRow(1);
        QueueToolButton(MonitorCommand::Stop);
    });
    When(MonitorIdle, [&] { after = Rows(); });
    Return();
    RunMonitor();
    EXPECT_EQ(Host().closeRequests, std::vector<std::uint64_t>{2});
    EXPECT_EQ(after, std::vector<std::u16string>{u"Notes"});
    EXPECT_EQ(boxes, 0);
    EXPECT_TRUE(Host().terminated.empty());
    EXPECT_FALSE(zorun::WaitCursorShown());
}

// The "Edit" menu is a pop-up that takes the activation while it is up:
// its going must not rebuild the list and lose the row it acts on.
TEST_F(MonitorDialog, TheEditMenusCommandsActOnTheSelectedRow) {
    Host().Add(1, 10, Process(1), u"Notes");
    Host().Add(2, 20, Process(2), u"Music");
    When(MonitorIdle, [] {
        SelectRow(1);
        QueueEditMenu();
    });
    When(MenuInFront, [] { QueueTapOnText(u"Activate"); });
    When(MonitorIdle, [] {
        SelectRow(0);
        QueueEditMenu();
    });
    When(MenuInFront, [] { QueueTapOnText(u"Stop"); });
    Return();
    RunMonitor();
    EXPECT_EQ(Host().activated, std::vector<std::uint64_t>{2});
    EXPECT_EQ(Host().closeRequests, std::vector<std::uint64_t>{1});
}

TEST_F(MonitorDialog, ARefusingApplicationIsAskedAboutOnceAndEndedOnlyOnOk) {
    Host().Add(1, 10, Process(1), u"Unsaved");
    Host().refusing = {1};
    bool waitCursorDuringRounds = false;
    std::uint64_t askedAt = 0;
    const std::uint64_t start = clock.NowMs();
    StopRow(0, IDCANCEL);
    When(MonitorIdle, [&] {
        EXPECT_EQ(Rows(), std::vector<std::u16string>{u"Unsaved"});
        SelectRow(0);
        QueueToolButton(MonitorCommand::Stop);
    });
    When(
        [&] {
            waitCursorDuringRounds = waitCursorDuringRounds || zorun::WaitCursorShown();
            return BoxInFront();
        },
        [&] {
            askedAt = clock.NowMs();
            QueueAnswer(IDOK);
        });
    When(MonitorIdle, [&] { EXPECT_TRUE(Rows().empty()); });
    Return();
    RunMonitor();
    EXPECT_EQ(boxes, 2);
    EXPECT_TRUE(waitCursorDuringRounds);
    // The first request, then one for each of the five rounds.
    EXPECT_EQ(Host().closeRequests.size(), 12u);
    EXPECT_GE(askedAt - start, 2 * 5 * TaskCloser::kRoundMs);
    EXPECT_EQ(Host().terminated, std::vector<DWORD>{Process(1)});
    EXPECT_FALSE(zorun::WaitCursorShown());
}

// Stop all takes its rows before it starts: each confirmation's box, when
// it goes, activates the dialog again, which rebuilds the list beneath it.
// The rows that follow are still stopped, and each confirmation ends its
// own application's process.
TEST_F(MonitorDialog, StopAllAsksOncePerRefusingApplicationAndEndsTheRightOne) {
    Host().Add(1, 10, Process(1), u"Closes");
    Host().Add(2, 20, Process(2), u"Refuses first");
    Host().Add(3, 30, Process(3), u"Refuses second");
    Host().refusing = {2, 3};
    std::vector<std::u16string> after;
    When(MonitorIdle, [] { QueueToolButton(MonitorCommand::StopAll); });
    When(BoxInFront, [] { QueueAnswer(IDOK); });
    When(BoxInFront, [] { QueueAnswer(IDCANCEL); });
    When(MonitorIdle, [&] { after = Rows(); });
    Return();
    RunMonitor();
    EXPECT_EQ(boxes, 2);
    EXPECT_EQ(Host().terminated, std::vector<DWORD>{Process(2)});
    EXPECT_EQ(after, std::vector<std::u16string>{u"Refuses second"});
}

// The confirmation may stand open a long while. When the application ends
// meanwhile and its process id is taken by another program, OK must not
// end that program.
TEST_F(MonitorDialog, AProcessIdTakenOverWhileAskingIsSpared) {
    Host().Add(1, 10, Process(7), u"Unsaved");
    Host().refusing = {1};
    When(MonitorIdle, [] {
        SelectRow(0);
        QueueToolButton(MonitorCommand::Stop);
    });
    When(BoxInFront, [&] {
        Host().Remove(1);
        Host().Add(2, 20, Process(7), u"Newcomer");
        QueueAnswer(IDOK);
    });
    Return();
    RunMonitor();
    EXPECT_TRUE(Host().terminated.empty());
    EXPECT_TRUE(Host().Exists(2));
}

TEST_F(MonitorDialog, ActivateRaisesTheRowsTopmostWindowAndKeepsTheDialog) {
    Host().Add(1, 10, Process(1), u"Editor");
    Host().Add(2, 10, Process(1), u"Find");
    Host().Add(3, 20, Process(2), u"Player");
    std::vector<std::u16string> rows;
    When(MonitorIdle, [] {
        SelectRow(0);
        QueueToolButton(MonitorCommand::Activate);
    });
    When(MonitorIdle, [&] {
        EXPECT_EQ(Host().activated, std::vector<std::uint64_t>{2});
        // A window gone since the list was made: the list is rebuilt.
        Host().Remove(3);
        SelectRow(1);
        QueueToolButton(MonitorCommand::Activate);
    });
    When(MonitorIdle, [&] { rows = Rows(); });
    Return();
    RunMonitor();
    EXPECT_EQ(rows, std::vector<std::u16string>{u"Editor"});
}

TEST_F(MonitorDialog, MoreThanAHundredApplicationsAreAllListed) {
    for (DWORD i = 1; i <= 150; ++i)
        Host().Add(i, i, Process(i), u"App " + zorun::FromUtf8(std::to_string(i)));
    std::vector<std::u16string> rows;
    When(MonitorIdle, [&] { rows = Rows(); });
    Return();
    RunMonitor();
    ASSERT_EQ(rows.size(), 150u);
    EXPECT_EQ(rows.front(), u"App 1");
    EXPECT_EQ(rows.back(), u"App 150");
}

// The title stands above the list, from its left edge; with ClearType on,
// the title is drawn with colour fringes and the list has a ClearType font.
TEST_F(MonitorDialog, TheTitleAndTheListUseClearTypeOnlyWhenItIsOn) {
    for (bool clearType : {false, true}) {
        SCOPED_TRACE(clearType ? "ClearType on" : "ClearType off");
        Frame().clearTypeOn = clearType;
        std::optional<zorun::TextRecord> title;
        int fringes = 0;
        LOGFONTW listFont{};
        When(MonitorIdle, [&] {
            zorun::ComposeScreen();
            const auto& screen = zorun::ScreenSurface();
            for (const auto& record : screen.Texts()) {
                if (record.text == u"Running Application List")
                    title = record;
            }
            ASSERT_TRUE(title);
            const auto& b = title->bounds;
            for (int y = b.top; y < b.bottom; ++y) {
                for (int x = b.left; x < b.right; ++x) {
                    const std::uint32_t p = screen.Pixel(x, y);
                    const int r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, bl = p & 0xFF;
                    fringes += (r != g || g != bl) ? 1 : 0;
                }
            }
            CRect list;
            Monitor()->listCtrl.GetWindowRect(&list);
            EXPECT_EQ(title->position.x, list.left);
            EXPECT_EQ(list.left, 10);
            EXPECT_EQ(list.top, 26 + 50);
            if (HFONT font = Monitor()->listCtrl.GetFont())
                GetObjectW(font, sizeof(listFont), &listFont);
        });
        Return();
        RunMonitor();
        ASSERT_TRUE(title);
        EXPECT_GE(title->position.y, 26 + 5);
        EXPECT_LE(title->position.y, 26 + 8);
        if (clearType) {
            EXPECT_GT(fringes, 0);
            EXPECT_EQ(listFont.lfQuality, CLEARTYPE_QUALITY);
            EXPECT_EQ(listFont.lfHeight, 15);
        } else {
            EXPECT_EQ(fringes, 0);
            EXPECT_NE(listFont.lfQuality, CLEARTYPE_QUALITY);
        }
    }
}

} // namespace
