// The monitor over real X clients of our own on a private Xvfb with an EWMH
// window manager: the list, Activate, Stop and Stop all as a user meets
// them on an X11 desktop.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <unistd.h>

#include "monitor/MonitorIds.h"
#include "platform/windows/HostWindows.h"
#include "platform/windows/X11Connection.h"
#include "platform/windows/X11WindowProvider.h"
#include "tests/monitor/MonitorFixture.h"
#include "tests/support/XClientLogs.h"
#include "tests/support/XTestDisplay.h"

namespace {

class MonitorX11 : public MonitorFixture {
  protected:
    static void SetUpTestSuite() {
        std::string why;
        display_ = XTestDisplay::Start(&why).release();
        if (!display_)
            skipReason_ = new std::string(why);
    }
    static void TearDownTestSuite() {
        delete display_;
        display_ = nullptr;
    }

    void SetUp() override {
        if (!display_)
            GTEST_SKIP() << "no X test display: " << *skipReason_;
        MonitorFixture::SetUp();
        Paced();
        zorun::SetHostWindowProvider(std::make_unique<zorun::X11WindowProvider>(display_->Name()));
        logs_ = std::make_unique<XClientLogs>();
        ASSERT_TRUE(logs_->Ready());
        // The clients of the tests before have gone from the window list.
        ASSERT_TRUE(WaitFor([] {
            zorun::HostWindows::Get().Refresh();
            return zorun::HostWindows::Get().Order().empty();
        }));
    }
    void TearDown() override {
        if (!display_)
            return;
        own_.reset();
        for (pid_t pid : clients_)
            display_->End(pid);
        MonitorFixture::TearDown();
        logs_.reset();
    }

    // Starts a test client and waits until the window manager lists the
    // `shown` windows it mapped.
    pid_t StartClient(const std::string& name, std::vector<std::string> arguments,
                      std::size_t shown) {
        std::vector<std::string> argv{ZORUN_XCLIENT, "--log", logs_->Path(name)};
        argv.insert(argv.end(), arguments.begin(), arguments.end());
        const pid_t pid = display_->Spawn(argv);
        EXPECT_GT(pid, 0);
        clients_.push_back(pid);
        EXPECT_TRUE(WaitFor([&] {
            const auto ids = Mapped(name);
            zorun::HostWindows::Get().Refresh();
            std::size_t listed = 0;
            for (HWND w : zorun::HostWindows::Get().Order()) {
                const auto* host = zorun::HostWindows::Get().Find(w);
                for (const auto& [title, id] : ids)
                    listed += host && host->id == id ? 1 : 0;
            }
            return ids.size() == shown && listed == shown;
        })) << name
            << " was not listed";
        return pid;
    }

    std::size_t LogCount(const std::string& name, const std::string& line) const {
        return logs_->Count(name, line);
    }
    std::map<std::string, std::uint64_t> Mapped(const std::string& name) const {
        return logs_->Mapped(name);
    }

    static std::uint64_t ActiveXWindow() {
        auto x = zorun::X11Connection::Open(display_->Name());
        if (!x)
            return 0;
        const auto active = x->Property(x->Root(), x->Atom(zorun::X11Atom::NetActiveWindow), 1);
        return active && !active->Values32().empty() ? active->Values32().front() : 0;
    }

    // A window of this very process on the X display, as the program's own
    // window is there: it says this process's id and the program's title.
    void ShowOwnXWindow(const char* title) {
        own_ = zorun::X11Connection::Open(display_->Name());
        ASSERT_TRUE(own_);
        xcb_connection_t* c = own_->Get();
        const xcb_window_t w = xcb_generate_id(c);
        xcb_create_window(c, XCB_COPY_FROM_PARENT, w, own_->Root(), 0, 0, 100, 100, 0,
                          XCB_WINDOW_CLASS_INPUT_OUTPUT, XCB_COPY_FROM_PARENT, 0, nullptr);
        const auto pid = static_cast<std::uint32_t>(getpid());
        xcb_change_property(c, XCB_PROP_MODE_REPLACE, w, own_->Atom(zorun::X11Atom::NetWmPid),
                            XCB_ATOM_CARDINAL, 32, 1, &pid);
        xcb_change_property(c, XCB_PROP_MODE_REPLACE, w, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, 8,
                            static_cast<std::uint32_t>(std::strlen(title)), title);
        xcb_map_window(c, w);
        xcb_flush(c);
        // Never listed by the task list (its own rule): wait until the window
        // manager manages it instead.
        ASSERT_TRUE(WaitFor([&] {
            auto x = zorun::X11Connection::Open(display_->Name());
            const auto list =
                x ? x->Property(x->Root(), x->Atom(zorun::X11Atom::NetClientList), 1024)
                  : std::nullopt;
            const auto ids = list ? list->Values32() : std::vector<std::uint32_t>{};
            return std::find(ids.begin(), ids.end(), w) != ids.end();
        }));
    }

    void Return() {
        When(MonitorIdle, [] { QueueCommand(MonitorCommand::Return); });
    }

    static inline XTestDisplay* display_ = nullptr;
    static inline std::string* skipReason_ = nullptr;
    std::unique_ptr<XClientLogs> logs_;
    std::vector<pid_t> clients_;
    std::unique_ptr<zorun::X11Connection> own_;
};

using Texts = std::vector<std::u16string>;

// Only visible, titled windows of other programs count: one row per client,
// labelled with its lowest window's title; Activate raises its topmost.
TEST_F(MonitorX11, OneRowPerClientAndActivateRaisesItsTopmostWindow) {
    ShowOwnXWindow("Zorun launcher");
    StartClient("three", {"One", "Two", "Three"}, 3);
    StartClient("quiet", {"--hidden", "0", "Never shown", ""}, 1);
    StartClient("named", {"Zorun"}, 1);
    StartClient("eyes", {"--no-pid", "Eyes"}, 1);
    const std::uint64_t three = Mapped("three").at("Three");
    Texts rows;
    When(MonitorIdle, [&] {
        rows = Rows();
        SelectRow(0);
        QueueToolButton(MonitorCommand::Activate);
    });
    When([&] { return MonitorIdle() && ActiveXWindow() == three; }, [] {});
    Return();
    RunMonitor();
    EXPECT_EQ(rows, (Texts{u"One", u"Eyes"}));
    EXPECT_EQ(ActiveXWindow(), three);
}

TEST_F(MonitorX11, ARefusingClientIsAskedAboutOnceAndLeftAliveOnCancel) {
    const pid_t pid = StartClient("stubborn", {"--ignore-close", "Unsaved"}, 1);
    Texts after;
    When(MonitorIdle, [] {
        SelectRow(0);
        QueueToolButton(MonitorCommand::Stop);
    });
    When(BoxInFront, [] { QueueAnswer(IDCANCEL); });
    When(MonitorIdle, [&] {
        after = Rows();
        EXPECT_EQ(boxes, 1);
        EXPECT_FALSE(display_->Ended(pid));
        // At most six close requests, and more than one: it was asked again.
        const auto asked = LogCount("stubborn", "close Unsaved");
        EXPECT_GE(asked, 2u);
        EXPECT_LE(asked, 6u);
        SelectRow(0);
        QueueToolButton(MonitorCommand::Stop);
    });
    When(BoxInFront, [] { QueueAnswer(IDOK); });
    Texts last{u"not read"};
    When(MonitorIdle, [&] { last = Rows(); }); // the list rebuilt after the Stop
    Return();
    RunMonitor();
    EXPECT_EQ(after, Texts{u"Unsaved"});
    EXPECT_TRUE(last.empty());
    EXPECT_EQ(boxes, 2);
    EXPECT_TRUE(display_->Ended(pid));
}

// The row of a client whose topmost window is a dialog: every window of the
// client is asked (the dialogs cancelled, the others closed), and the
// client, having closed them all, ends without a confirmation.
TEST_F(MonitorX11, ADialogIsClosedWithEveryWindowOfItsClient) {
    const pid_t pid = StartClient("writer", {"--dialog", "1", "Letter", "Save as"}, 2);
    Texts rows;
    When(MonitorIdle, [&] {
        rows = Rows();
        SelectRow(0);
        QueueToolButton(MonitorCommand::Stop);
    });
    When([&] { return MonitorIdle() && display_->Ended(pid); }, [] {});
    Return();
    RunMonitor();
    EXPECT_EQ(rows, Texts{u"Letter"});
    EXPECT_EQ(boxes, 0);
    EXPECT_GE(LogCount("writer", "close Save as"), 1u);
    EXPECT_GE(LogCount("writer", "close Letter"), 1u);
    EXPECT_TRUE(display_->Ended(pid));
}

// A client that does not say its process id is still listed, and when it
// refuses, OK ends it through the X server.
TEST_F(MonitorX11, AClientWithoutProcessIdIsEndedThroughTheServer) {
    const pid_t pid = StartClient("eyes", {"--no-pid", "--ignore-close", "Eyes"}, 1);
    Texts rows;
    When(MonitorIdle, [&] {
        rows = Rows();
        SelectRow(0);
        QueueToolButton(MonitorCommand::Stop);
    });
    When(BoxInFront, [] { QueueAnswer(IDOK); });
    When([&] { return MonitorIdle() && display_->Ended(pid); }, [] {});
    Return();
    RunMonitor();
    EXPECT_EQ(rows, Texts{u"Eyes"});
    EXPECT_EQ(boxes, 1);
    EXPECT_TRUE(display_->Ended(pid));
}

TEST_F(MonitorX11, StopAllAsksOnlyAboutTheClientThatRefuses) {
    const pid_t alpha = StartClient("alpha", {"Alpha"}, 1);
    const pid_t beta = StartClient("beta", {"--ignore-close", "Beta"}, 1);
    const pid_t gamma = StartClient("gamma", {"Gamma"}, 1);
    Texts before;
    When(MonitorIdle, [&] {
        before = Rows();
        QueueToolButton(MonitorCommand::StopAll);
    });
    When(BoxInFront, [] { QueueAnswer(IDOK); });
    Texts after{u"not read"};
    When(MonitorIdle, [&] { after = Rows(); }); // the list rebuilt after Stop all
    Return();
    RunMonitor();
    EXPECT_EQ(before, (Texts{u"Alpha", u"Beta", u"Gamma"}));
    EXPECT_EQ(boxes, 1);
    EXPECT_TRUE(after.empty());
    EXPECT_TRUE(WaitFor(
        [&] { return display_->Ended(alpha) && display_->Ended(beta) && display_->Ended(gamma); }));
    EXPECT_EQ(LogCount("beta", "exit"), 0u); // killed, not closed
}

} // namespace
