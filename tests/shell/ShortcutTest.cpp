#include "platform/shell/Shortcut.h"

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

#include "tests/support/Corpora.h"
#include "tests/support/Fifo.h"
#include <sys/stat.h>
#include <thread>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <csignal>
#include <cstring>
#include <optional>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/base/Text.h"
#include "platform/kernel/DeviceRoot.h"
#include "platform/shell/Desktop.h"
#include "platform/shell/ShellExecute.h"

namespace fs = std::filesystem;
using zorun::FromUtf8;
using zorun::ParseShortcutIconLocation;
using zorun::ParseShortcutTarget;
using zorun::ToUtf8;

namespace {

class ShortcutFiles : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "zorun-shortcut-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        root_ = pattern;
        fs::create_directories(root_ / "Windows" / "Start Menu");
        zorun::SetDeviceRoot(root_);
    }
    void TearDown() override { fs::remove_all(root_); }
    void Write(const fs::path& relative, const std::string& bytes) {
        std::ofstream(root_ / relative, std::ios::binary) << bytes;
    }
    std::u16string Target(const char16_t* file, int capacity = 100) {
        std::vector<char16_t> buffer(static_cast<std::size_t>(capacity), u'x');
        const BOOL ok = SHGetShortcutTarget(file, buffer.data(), capacity);
        std::u16string text(buffer.data());
        return ok ? text : u"(failed:" + text + u")";
    }
    fs::path root_;
};

} // namespace

TEST(ShortcutFormat, RealWorldFilesGiveTheWholeRestOfTheLine) {
    std::ifstream in(Corpus("shortcuts/examples.tsv"));
    if (!in)
        SKIP_WITHOUT_CORPUS("shortcut corpus");
    int count = 0;
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#')
            continue;
        std::vector<std::string> cols;
        for (std::size_t start = 0;;) {
            auto tab = line.find('\t', start);
            cols.push_back(line.substr(start, tab == std::string::npos ? tab : tab - start));
            if (tab == std::string::npos)
                break;
            start = tab + 1;
        }
        ASSERT_GE(cols.size(), 4u);
        const auto& content = cols[3];
        const auto expected = FromUtf8(content.substr(content.find('#') + 1));
        // Whatever the declared count says, with or without a line end.
        for (const std::string& file : {content, content + "\r\n", content + "\n"}) {
            const auto target = ParseShortcutTarget(zorun::ShortcutText(file));
            ASSERT_TRUE(target) << content;
            EXPECT_EQ(ToUtf8(*target), ToUtf8(expected));
        }
        ++count;
    }
    EXPECT_EQ(count, 12);
}

TEST(ShortcutFormat, IconPartAndMalformedContent) {
    EXPECT_EQ(*ParseShortcutTarget(u"40#\"\\Windows\\a b.exe\" -x?\\Windows\\a.ico,-3"),
              u"\"\\Windows\\a b.exe\" -x");
    for (const char16_t* bad : {u"", u"no hash", u"12#", u"x1#\\Windows\\a.exe", u"3#?icon,-1"})
        EXPECT_FALSE(ParseShortcutTarget(bad)) << ToUtf8(bad);

    auto icon = ParseShortcutIconLocation(u"22#\\Windows\\a.exe?\\Windows\\icons.dll,-107");
    EXPECT_EQ(icon.file, u"\\Windows\\icons.dll");
    EXPECT_EQ(icon.number, 107);
    // Without '?' the whole text is the location; without ',' there is no number.
    icon = ParseShortcutIconLocation(u"59#\"\\Windows\\ctlpnl.exe\" x.cpl,Volume,0");
    EXPECT_EQ(icon.file, u"59#\"\\Windows\\ctlpnl.exe\" x.cpl");
    EXPECT_EQ(icon.number, 0);
    icon = ParseShortcutIconLocation(u"1#a?b.ico");
    EXPECT_EQ(icon.file, u"b.ico");
    EXPECT_EQ(icon.number, 0);
    EXPECT_EQ(ParseShortcutIconLocation(u"?f,-").number, 0);
    EXPECT_EQ(ParseShortcutIconLocation(u"?f,-99999999999999999999").number, 1000000000L);
    // Bytes that are not UTF-8 are read one character per byte.
    EXPECT_EQ(zorun::ShortcutText("8#\\Windows\\caf\xe9.exe"), u"8#\\Windows\\caf\u00e9.exe");
}

TEST_F(ShortcutFiles, TargetsAreReadIgnoringCaseBoundedAndTruncatedSafely) {
    Write("Windows/Start Menu/Calendar.lnk", "26#\\Windows\\calendar.exe -x\r\n");
    EXPECT_EQ(Target(u"\\windows\\start menu\\CALENDAR.LNK"), u"\\Windows\\calendar.exe -x");
    // A target longer than the buffer is cut, and the buffer stays terminated.
    Write("Windows/long.lnk", "9#" + std::string(300, 'a'));
    EXPECT_EQ(Target(u"\\Windows\\long.lnk", 10), u"aaaaaaaaa");
    // A huge file is read only as far as the limit.
    Write("Windows/huge.lnk", "5#\\a?" + std::string(5u << 20, 'z'));
    EXPECT_EQ(Target(u"\\Windows\\huge.lnk"), u"\\a");
    Write("Windows/binary.lnk", std::string("\0\xff\xfe#\x01\x02", 6));
    EXPECT_EQ(Target(u"\\Windows\\binary.lnk"), u"(failed:)");
    EXPECT_EQ(Target(u"\\Windows\\missing.lnk"), u"(failed:)");
    EXPECT_EQ(Target(u"\\..\\..\\etc\\passwd"), u"(failed:)");
    char16_t one[1] = {u'x'};
    EXPECT_FALSE(SHGetShortcutTarget(u"\\Windows\\long.lnk", one, 1));
    EXPECT_EQ(one[0], u'\0');
}

TEST_F(ShortcutFiles, TheWholeFirstLineIsTheTargetUpToTheDeviceLimits) {
    // Longer than the device's 100-character buffer: nothing is cut.
    const std::string program = "\\Windows\\" + std::string(120, 'p') + ".exe";
    const std::string arguments = std::string(150, 'a');
    Write("Windows/long.lnk", "9#" + program + " " + arguments + "\r\nsecond line");
    EXPECT_EQ(ToUtf8(Target(u"\\Windows\\long.lnk", 1000)), program + " " + arguments);
    auto line = zorun::ReadShortcutFile(u"\\Windows\\long.lnk");
    ASSERT_TRUE(line);
    EXPECT_EQ(*line, "9#" + program + " " + arguments);

    // The longest target there can be is read whole; one more character is
    // not a shortcut the device could start, and is refused rather than cut.
    const std::string longest(zorun::kMaxShortcutTarget, 'b');
    Write("Windows/longest.lnk", "1#" + longest);
    EXPECT_EQ(Target(u"\\Windows\\longest.lnk", 40000).size(), zorun::kMaxShortcutTarget);
    Write("Windows/beyond.lnk", "1#" + longest + "b");
    EXPECT_TRUE(Target(u"\\Windows\\beyond.lnk", 40000) == u"(failed:)");
}

TEST_F(ShortcutFiles, AFifoOrAFolderIsRefusedWithoutWaiting) {
    const fs::path fifo = root_ / "Windows" / "Start Menu" / "Pipe.lnk";
    MakeFifo(fifo);
    fs::create_directories(root_ / "Windows" / "Folder.lnk");
    std::u16string fromFifo = u"unset", fromFolder = u"unset";
    EXPECT_TRUE(ReturnsDespiteFifos(root_, [&] {
        fromFifo = Target(u"\\Windows\\Start Menu\\Pipe.lnk");
        fromFolder = Target(u"\\Windows\\Folder.lnk");
    }));
    EXPECT_EQ(fromFifo, u"(failed:)");
    EXPECT_EQ(fromFolder, u"(failed:)");
}

TEST_F(ShortcutFiles, ShellExecuteStartsProgramsAndShortcutTargetsWithParameters) {
    const auto marker = root_ / "argv.txt";
    std::ofstream(root_ / "Windows" / "show.exe")
        << "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > " << marker << ".tmp\nmv "
        << marker << ".tmp " << marker << "\n";
    chmod((root_ / "Windows" / "show.exe").c_str(), 0755);
    Write("Windows/Start Menu/Show.lnk", "30#\"\\Windows\\show.exe\" \"a b\" c");
    auto run = [&](const char16_t* file, const char16_t* parameters) {
        fs::remove(marker);
        SHELLEXECUTEINFO info{};
        info.cbSize = sizeof info;
        info.lpFile = file;
        info.lpParameters = parameters;
        if (!ShellExecuteEx(&info))
            return std::vector<std::string>{"(failed)"};
        for (int i = 0; i < 500 && !fs::exists(marker); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        std::vector<std::string> lines;
        std::ifstream in(marker);
        for (std::string l; std::getline(in, l);)
            lines.push_back(l);
        return lines;
    };
    EXPECT_EQ(run(u"\\windows\\show.exe", u"cplmain.cpl,3"),
              std::vector<std::string>{"cplmain.cpl,3"});
    EXPECT_EQ(run(u"\\Windows\\Start Menu\\Show.lnk", u"d"),
              (std::vector<std::string>{"a b", "c", "d"}));
    EXPECT_EQ(run(u"\\Windows\\nothing.exe", nullptr), std::vector<std::string>{"(failed)"});
    EXPECT_EQ(run(u"", nullptr), std::vector<std::string>{"(failed)"});
}

namespace {

// A private X server (Xvfb) for one test, on a display number it picks.
class PrivateXServer {
  public:
    PrivateXServer() {
        int fds[2];
        if (pipe(fds) != 0)
            return;
        pid_ = fork();
        if (pid_ == 0) {
            close(fds[0]);
            const std::string fd = std::to_string(fds[1]);
            execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "64x64x24",
                   "-nolisten", "tcp", static_cast<char*>(nullptr));
            _exit(127);
        }
        close(fds[1]);
        char buffer[16] = {};
        std::size_t got = 0;
        for (int i = 0; i < 200 && got < sizeof buffer - 1; ++i) {
            pollfd p{fds[0], POLLIN, 0};
            if (poll(&p, 1, 50) <= 0)
                continue;
            const ssize_t n = read(fds[0], buffer + got, sizeof buffer - 1 - got);
            if (n <= 0)
                break;
            got += static_cast<std::size_t>(n);
            if (std::memchr(buffer, '\n', got))
                break;
        }
        close(fds[0]);
        if (got > 0 && std::memchr(buffer, '\n', got))
            name_ = ":" + std::string(buffer, std::strcspn(buffer, "\n"));
    }
    ~PrivateXServer() {
        if (pid_ > 0) {
            kill(pid_, SIGTERM);
            waitpid(pid_, nullptr, 0);
        }
    }
    [[nodiscard]] const std::string& Name() const { return name_; }

  private:
    pid_t pid_ = -1;
    std::string name_;
};

// Sets DISPLAY for the life of the object.
class DisplayVariable {
  public:
    explicit DisplayVariable(const std::string& value) {
        if (const char* old = std::getenv("DISPLAY"))
            saved_ = old;
        setenv("DISPLAY", value.c_str(), 1);
    }
    ~DisplayVariable() {
        if (saved_)
            setenv("DISPLAY", saved_->c_str(), 1);
        else
            unsetenv("DISPLAY");
    }

  private:
    std::optional<std::string> saved_;
};

} // namespace

// The window manager's side, played by the test: it says it supports
// _NET_SHOWING_DESKTOP and listens on the root window for the request.
TEST(Desktop, TheRequestReachesAWindowManagerThatSupportsIt) {
    PrivateXServer server;
    if (server.Name().empty()) {
        if (CorporaRequired())
            FAIL() << "no X server (Xvfb) to test the desktop request under";
        GTEST_SKIP() << "no X server (Xvfb)";
    }
    DisplayVariable display(server.Name());
    Display* wm = XOpenDisplay(server.Name().c_str());
    ASSERT_NE(wm, nullptr);
    const Window root = DefaultRootWindow(wm);
    const Atom supported = XInternAtom(wm, "_NET_SUPPORTED", False);
    const Atom showing = XInternAtom(wm, "_NET_SHOWING_DESKTOP", False);
    const Atom other = XInternAtom(wm, "_NET_ACTIVE_WINDOW", False);
    XSelectInput(wm, root, SubstructureRedirectMask | SubstructureNotifyMask);

    // Without it among the supported atoms nothing is sent.
    XChangeProperty(wm, root, supported, XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&other), 1);
    XSync(wm, False);
    EXPECT_FALSE(zorun::ShowHostDesktop());

    const Atom both[] = {other, showing};
    XChangeProperty(wm, root, supported, XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(both), 2);
    XSync(wm, False);
    EXPECT_TRUE(zorun::ShowHostDesktop());
    // The one client message that arrives asks to show the desktop.
    int requests = 0;
    for (int i = 0; i < 100 && requests == 0; ++i) {
        XSync(wm, False);
        while (XPending(wm) > 0) {
            XEvent event{};
            XNextEvent(wm, &event);
            if (event.type != ClientMessage)
                continue;
            ++requests;
            EXPECT_EQ(event.xclient.message_type, showing);
            EXPECT_EQ(event.xclient.window, root);
            EXPECT_EQ(event.xclient.format, 32);
            EXPECT_EQ(event.xclient.data.l[0], 1);
        }
        if (requests == 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    EXPECT_EQ(requests, 1);
    XCloseDisplay(wm);
}

TEST(Desktop, NothingToShowWithoutADisplay) {
    const char* saved = std::getenv("DISPLAY");
    std::string keep = saved ? saved : "";
    unsetenv("DISPLAY");
    EXPECT_FALSE(zorun::ShowHostDesktop());
    setenv("DISPLAY", ":98765", 1); // no server there: fails at once
    EXPECT_FALSE(zorun::ShowHostDesktop());
    if (saved)
        setenv("DISPLAY", keep.c_str(), 1);
    else
        unsetenv("DISPLAY");
}
