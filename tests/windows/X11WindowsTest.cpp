// Other programs' windows under X11, through the device's window functions:
// real X clients of our own on a private Xvfb with an EWMH window manager.

#include <gtest/gtest.h>
#include <unistd.h>

#include "platform/base/Text.h"
#include "platform/kernel/Process.h"
#include "platform/user/Screen.h"
#include "platform/user/WinUser.h"
#include "platform/windows/HostWindows.h"
#include "platform/windows/X11WindowProvider.h"
#include "tests/support/XClientLogs.h"
#include "tests/support/XTestDisplay.h"

namespace {

struct Seen {
    HWND hwnd;
    std::uint64_t xid; // 0 for the device's windows
    DWORD thread;
    DWORD process;
    bool visible;
    std::u16string title;
    std::u16string className;
};

class X11WindowsTest : public ::testing::Test {
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
        zorun::ResetWindowSystem();
        auto provider = std::make_unique<zorun::X11WindowProvider>(display_->Name());
        provider_ = provider.get();
        zorun::SetHostWindowProvider(std::move(provider));
        logs_ = std::make_unique<XClientLogs>();
        ASSERT_TRUE(logs_->Ready());
    }
    void TearDown() override {
        for (pid_t pid : clients_)
            display_->End(pid);
        zorun::HostWindows::Get().Reset();
        zorun::ResetWindowSystem();
        logs_.reset();
    }

    // Starts a test client and waits until the window manager lists all
    // `expected` of its windows.
    pid_t StartClient(const std::string& name, std::vector<std::string> arguments,
                      std::size_t expected) {
        std::vector<std::string> argv{ZORUN_XCLIENT, "--log", logs_->Path(name)};
        argv.insert(argv.end(), arguments.begin(), arguments.end());
        const pid_t pid = display_->Spawn(argv);
        EXPECT_GT(pid, 0);
        clients_.push_back(pid);
        const bool listed = WaitFor([&] { return WindowsOf(name).size() >= expected; });
        EXPECT_TRUE(listed) << name << " has " << WindowsOf(name).size() << " windows listed";
        return pid;
    }

    // Every top-level window, bottom to top, as the task monitor walks them.
    static std::vector<Seen> Walk() {
        std::vector<Seen> seen;
        HWND anchor = zorun::MainWindow();
        for (HWND w = GetWindow(anchor, GW_HWNDLAST); w; w = GetWindow(w, GW_HWNDPREV)) {
            const zorun::HostWindow* host = zorun::HostWindows::Get().Find(w);
            Seen s{w, host ? host->id : 0, 0, 0, IsWindowVisible(w) != FALSE, GetWindowText(w), {}};
            s.thread = GetWindowThreadProcessId(w, &s.process);
            char16_t className[256] = {};
            GetClassNameW(w, className, 256);
            s.className = className;
            seen.push_back(s);
            if (seen.size() > 1000)
                break;
        }
        return seen;
    }

    // The walk's windows of the thread that owns the windows client `name`
    // mapped (hidden ones included), bottom to top.
    std::vector<Seen> WindowsOf(const std::string& name) const {
        const auto ids = logs_->Mapped(name);
        std::vector<Seen> mine;
        const auto walk = Walk();
        DWORD thread = 0;
        for (const auto& s : walk) {
            for (const auto& [title, id] : ids) {
                if (s.xid == id)
                    thread = s.thread;
            }
        }
        for (const auto& s : walk) {
            if (thread && s.thread == thread)
                mine.push_back(s);
        }
        return mine;
    }

    // A device window standing for the program's main frame.
    static HWND MakeMainWindow() {
        HWND main = CreateWindowExW(0, u"Frame", u"Zorun", WS_POPUP | WS_VISIBLE, 0, 26, 240, 268,
                                    nullptr, nullptr, DefWindowProcW, nullptr);
        zorun::SetMainWindow(main);
        return main;
    }

    static std::optional<Seen> Titled(const std::vector<Seen>& windows, std::u16string_view t) {
        for (const auto& s : windows) {
            if (s.title == t)
                return s;
        }
        return std::nullopt;
    }

    // The X window the window manager says is active.
    static std::uint64_t ActiveXWindow() {
        auto x = zorun::X11Connection::Open(display_->Name());
        if (!x)
            return 0;
        xcb_intern_atom_reply_t* atom = xcb_intern_atom_reply(
            x->Get(), xcb_intern_atom(x->Get(), 0, 18, "_NET_ACTIVE_WINDOW"), nullptr);
        const auto active = x->Property(x->Root(), atom->atom, 1);
        std::free(atom);
        return active && !active->Values32().empty() ? active->Values32().front() : 0;
    }

    bool LogHas(const std::string& name, const std::string& line) const {
        return logs_->Count(name, line) > 0;
    }
    std::size_t LogCount(const std::string& name, const std::string& line) const {
        return logs_->Count(name, line);
    }

    static inline XTestDisplay* display_ = nullptr;
    static inline std::string* skipReason_ = nullptr;
    zorun::X11WindowProvider* provider_ = nullptr;
    std::unique_ptr<XClientLogs> logs_;
    std::vector<pid_t> clients_;
};

TEST_F(X11WindowsTest, WalkListsEveryClientBelowTheDeviceWindows) {
    HWND main = MakeMainWindow();
    const pid_t three = StartClient("three", {"One", "Two", "Three"}, 3);
    const pid_t quiet = StartClient(
        "quiet",
        {"--iconic", "1", "--hidden", "3", "Caf\xc3\xa9 \xe2\x98\x95", "Iconic", "", "Never shown"},
        3);
    const pid_t eyes = StartClient("eyes", {"--no-pid", "--legacy-name", "0", "Eyes"}, 1);

    const auto walk = Walk();
    ASSERT_FALSE(walk.empty());
    // The device's own windows come last (on top), after every host window.
    EXPECT_EQ(walk.back().hwnd, main);
    EXPECT_EQ(walk.back().process, static_cast<DWORD>(getpid()));

    // One client, one thread: its three windows share it and its process,
    // in the order they were mapped (the last mapped on top).
    const auto windows = WindowsOf("three");
    ASSERT_EQ(windows.size(), 3u);
    EXPECT_EQ(windows[0].title, u"One");
    EXPECT_EQ(windows[2].title, u"Three");
    for (const auto& w : windows) {
        EXPECT_EQ(w.thread, windows[0].thread);
        EXPECT_EQ(w.process, static_cast<DWORD>(three));
        EXPECT_TRUE(w.visible);
        EXPECT_EQ(w.className, u"ZorunXClient");
        EXPECT_EQ(GetWindowLongW(w.hwnd, GWL_STYLE) & WS_VISIBLE, static_cast<LONG>(WS_VISIBLE));
        EXPECT_EQ(GetWindowTextLengthW(w.hwnd), 3 + (w.title == u"Three" ? 2 : 0));
    }

    // Other clients have other threads. An iconified window is listed but
    // not visible, and one never shown is not listed; one without a name
    // has an empty title; a UTF-8 title comes through whole.
    ASSERT_TRUE(WaitFor([&] { return logs_->Lines("quiet").size() >= 4; })); // marked hidden
    const auto quietOnes = WindowsOf("quiet");
    ASSERT_EQ(quietOnes.size(), 3u);
    EXPECT_NE(quietOnes[0].thread, windows[0].thread);
    EXPECT_EQ(quietOnes[0].process, static_cast<DWORD>(quiet));
    const auto hidden = Titled(quietOnes, u"Iconic");
    ASSERT_TRUE(hidden);
    EXPECT_FALSE(hidden->visible);
    EXPECT_EQ(GetWindowLongW(hidden->hwnd, GWL_STYLE) & WS_VISIBLE, 0);
    const auto untitled = Titled(quietOnes, u"");
    ASSERT_TRUE(untitled);
    EXPECT_EQ(GetWindowTextLengthW(untitled->hwnd), 0);
    EXPECT_TRUE(untitled->visible);
    EXPECT_TRUE(Titled(quietOnes, u"Caf\u00e9 \u2615"));

    // Without _NET_WM_PID the process is the X client itself; the title
    // comes from WM_NAME alone.
    const auto noPid = WindowsOf("eyes");
    ASSERT_EQ(noPid.size(), 1u);
    EXPECT_EQ(noPid[0].title, u"Eyes");
    EXPECT_NE(noPid[0].process & zorun::kForeignProcessFlag, 0u);
    EXPECT_EQ(noPid[0].process, noPid[0].thread);
    EXPECT_NE(noPid[0].process, static_cast<DWORD>(eyes));

    // This process owns no host window in the list.
    for (const auto& s : walk) {
        if (s.hwnd != main) {
            EXPECT_NE(s.process, static_cast<DWORD>(getpid())) << zorun::ToUtf8(s.title);
        }
    }
}

TEST_F(X11WindowsTest, ActivateBringsAWindowOfAnotherClientForward) {
    MakeMainWindow();
    StartClient("editor", {"Notes", "Find"}, 2);
    StartClient("player", {"Music"}, 1);
    const auto editor = WindowsOf("editor");
    ASSERT_EQ(editor.size(), 2u);
    // The lowest window of the client, not the one on top.
    const Seen notes = editor.front();
    ASSERT_EQ(notes.title, u"Notes");
    ASSERT_NE(ActiveXWindow(), notes.xid);

    EXPECT_TRUE(SetForegroundWindow(notes.hwnd));
    EXPECT_TRUE(WaitFor([&] { return ActiveXWindow() == notes.xid; }));
    const auto walk = Walk();
    // Now on top of the host's windows, just below the device's.
    ASSERT_GE(walk.size(), 2u);
    EXPECT_EQ(walk[walk.size() - 2].hwnd, notes.hwnd);
}

TEST_F(X11WindowsTest, CloseRequestsReachTheWindowAndItsHandleGoesStale) {
    MakeMainWindow();
    const pid_t pid = StartClient("viewer", {"Picture"}, 1);
    const auto viewer = WindowsOf("viewer");
    ASSERT_EQ(viewer.size(), 1u);
    const HWND picture = viewer[0].hwnd;
    EXPECT_TRUE(IsWindow(picture));
    // Nothing but a close request can be posted or sent.
    EXPECT_FALSE(PostMessageW(picture, WM_USER, 0, 0));
    EXPECT_EQ(SendMessageW(picture, WM_CLOSE, 0, 0), 0);
    EXPECT_TRUE(IsWindow(picture));

    EXPECT_TRUE(PostMessageW(picture, WM_CLOSE, 0, 0));
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(picture); }));
    EXPECT_TRUE(WaitFor([&] { return display_->Ended(pid); }));
    EXPECT_EQ(LogCount("viewer", "close Picture"), 1u);

    // The handle of a window that has gone fails safely everywhere.
    Walk();
    char16_t text[16] = {u'x'};
    EXPECT_EQ(GetWindowTextW(picture, text, 16), 0);
    EXPECT_EQ(text[0], u'\0');
    EXPECT_EQ(GetClassNameW(picture, text, 16), 0);
    EXPECT_EQ(GetWindowTextLengthW(picture), 0);
    EXPECT_FALSE(IsWindowVisible(picture));
    EXPECT_FALSE(PostMessageW(picture, WM_CLOSE, 0, 0));
    EXPECT_FALSE(SetForegroundWindow(picture));
    EXPECT_EQ(GetWindow(picture, GW_HWNDPREV), nullptr);
    DWORD process = 123;
    EXPECT_EQ(GetWindowThreadProcessId(picture, &process), 0u);
    EXPECT_EQ(process, 0u);
}

TEST_F(X11WindowsTest, ARefusingClientEndsOnlyWhenTerminated) {
    MakeMainWindow();
    const pid_t pid = StartClient("stubborn", {"--ignore-close", "Unsaved"}, 1);
    const auto stubborn = WindowsOf("stubborn");
    ASSERT_EQ(stubborn.size(), 1u);
    EXPECT_TRUE(PostMessageW(stubborn[0].hwnd, WM_CLOSE, 0, 0));
    ASSERT_TRUE(WaitFor([&] { return LogHas("stubborn", "close Unsaved"); }));
    EXPECT_TRUE(IsWindow(stubborn[0].hwnd));

    DWORD process = 0;
    GetWindowThreadProcessId(stubborn[0].hwnd, &process);
    ASSERT_EQ(process, static_cast<DWORD>(pid));
    HANDLE handle = OpenProcess(0, FALSE, process);
    ASSERT_NE(handle, nullptr);
    EXPECT_TRUE(TerminateProcess(handle, 0xFFFFFFFF));
    CloseHandle(handle);
    EXPECT_TRUE(WaitFor([&] { return display_->Ended(pid); }));
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(stubborn[0].hwnd); }));
}

TEST_F(X11WindowsTest, DialogsAreNamedDialogAndCancelledOneByOne) {
    MakeMainWindow();
    const pid_t pid = StartClient(
        "writer", {"--dialog", "1", "--transient", "2", "Letter", "Save as", "Spelling"}, 3);
    const auto writer = WindowsOf("writer");
    ASSERT_EQ(writer.size(), 3u);
    const auto letter = Titled(writer, u"Letter");
    const auto saveAs = Titled(writer, u"Save as");
    const auto spelling = Titled(writer, u"Spelling");
    ASSERT_TRUE(letter && saveAs && spelling);
    EXPECT_EQ(letter->className, u"ZorunXClient");
    EXPECT_EQ(saveAs->className, u"Dialog");   // by its type
    EXPECT_EQ(spelling->className, u"Dialog"); // by being transient
    char16_t small[4] = {};
    EXPECT_EQ(GetClassNameW(saveAs->hwnd, small, 4), 3);
    EXPECT_EQ(std::u16string(small), u"Dia");

    // IDCANCEL to a dialog is the close request for that window alone.
    EXPECT_TRUE(PostMessageW(saveAs->hwnd, WM_COMMAND, IDCANCEL, 0));
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(saveAs->hwnd); }));
    EXPECT_TRUE(IsWindow(letter->hwnd));
    EXPECT_TRUE(IsWindow(spelling->hwnd));
    EXPECT_FALSE(PostMessageW(letter->hwnd, WM_COMMAND, IDOK, 0));
    EXPECT_TRUE(PostMessageW(spelling->hwnd, WM_COMMAND, IDCANCEL, 0));
    EXPECT_TRUE(PostMessageW(letter->hwnd, WM_CLOSE, 0, 0));
    EXPECT_TRUE(WaitFor([&] { return display_->Ended(pid); }));
}

TEST_F(X11WindowsTest, AClientWithoutProcessIdIsEndedThroughTheServer) {
    MakeMainWindow();
    const pid_t pid = StartClient("eyes", {"--no-pid", "--ignore-close", "Eyes", "Pupils"}, 2);
    const pid_t other = StartClient("other", {"--no-pid", "Bystander"}, 1);
    const auto eyes = WindowsOf("eyes");
    ASSERT_EQ(eyes.size(), 2u);
    DWORD process = 0;
    GetWindowThreadProcessId(eyes[0].hwnd, &process);
    ASSERT_NE(process & zorun::kForeignProcessFlag, 0u);
    EXPECT_TRUE(zorun::IsProcessRunning(process));

    HANDLE handle = OpenProcess(0, FALSE, process);
    ASSERT_NE(handle, nullptr);
    EXPECT_TRUE(TerminateProcess(handle, 0xFFFFFFFF));
    // The server cuts the client off: both its windows go, and so does it.
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(eyes[0].hwnd) && !IsWindow(eyes[1].hwnd); }));
    EXPECT_TRUE(WaitFor([&] { return display_->Ended(pid); }));
    EXPECT_FALSE(zorun::IsProcessRunning(process));
    EXPECT_EQ(WaitForSingleObject(handle, 0), WAIT_OBJECT_0);
    EXPECT_FALSE(TerminateProcess(handle, 0xFFFFFFFF));
    CloseHandle(handle);
    // Another client without a process id is left alone.
    EXPECT_FALSE(display_->Ended(other));
    EXPECT_EQ(WindowsOf("other").size(), 1u);
}

TEST_F(X11WindowsTest, FindWindowLooksAtTheDeviceFirstThenTheHost) {
    HWND main = MakeMainWindow();
    StartClient("named", {"Zorun", "Calendar"}, 2);
    EXPECT_EQ(FindWindowW(nullptr, u"Zorun"), main);
    const HWND calendar = FindWindowW(nullptr, u"Calendar");
    ASSERT_NE(calendar, nullptr);
    EXPECT_EQ(GetWindowText(calendar), u"Calendar");
    EXPECT_EQ(FindWindowW(u"zorunxclient", u"Calendar"), calendar);
    EXPECT_EQ(FindWindowW(u"Dialog", u"Calendar"), nullptr);
    EXPECT_EQ(FindWindowW(nullptr, u"calendar"), nullptr);
}

TEST_F(X11WindowsTest, TheConnectionIsOpenOnlyWhileNeeded) {
    MakeMainWindow();
    StartClient("plain", {"Plain"}, 1);
    EXPECT_FALSE(provider_->Connected());
    {
        zorun::HostWindowSession session;
        const auto plain = WindowsOf("plain");
        ASSERT_EQ(plain.size(), 1u);
        EXPECT_TRUE(provider_->Connected());
        EXPECT_TRUE(IsWindow(plain[0].hwnd));
        EXPECT_TRUE(provider_->Connected());
    }
    EXPECT_FALSE(provider_->Connected());
}

TEST_F(X11WindowsTest, AWindowThatVanishesMidWayIsNoError) {
    MakeMainWindow();
    zorun::HostWindowSession session;
    const pid_t pid = StartClient("brief", {"Brief"}, 1);
    const auto brief = WindowsOf("brief");
    ASSERT_EQ(brief.size(), 1u);
    display_->End(pid);
    // The handle still stands in the last walk, but the window is gone.
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(brief[0].hwnd); }));
    EXPECT_FALSE(SetForegroundWindow(brief[0].hwnd));
    PostMessageW(brief[0].hwnd, WM_CLOSE, 0, 0);
    EXPECT_TRUE(provider_->Connected());
    EXPECT_TRUE(WindowsOf("brief").empty());
}

} // namespace
