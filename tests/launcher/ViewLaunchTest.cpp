// Starting shortcuts from the headless launcher pane with real programs:
// small scripts in the device root that write their arguments to a marker.

#include <gtest/gtest.h>

#include <csignal>

#include "launcher/CZorunViewLayout.h"
#include "platform/kernel/Process.h"
#include "tests/support/ProgramFixture.h"

using namespace ViewLayout;

namespace {

// Cell of slot k: (col*78 + 5, row*67 + 10, col*78 + 77, row*67 + 72).
POINT CellCentre(int slot) {
    return {slot % 3 * 78 + 41, slot / 3 * 67 + 41};
}

class ViewLaunch : public ProgramFixture {
  protected:
    void Shortcuts(const std::vector<std::u16string>& targets) {
        MakeGroups(4);
        for (const auto& target : targets)
            (void)GetCatalogue().AppendShortcut(0, {target, u"s", u"0"});
        StartView();
    }
    void TapSlot(int slot) {
        const POINT p = CellCentre(slot);
        Tap(p.x, p.y);
    }
    std::filesystem::path Marker(const char* name) { return DeviceRoot() / name; }
};

} // namespace

TEST_F(ViewLaunch, TapStartsAndTapOnTheSelectedShortcutStartsAgain) {
    WriteMarkerProgram("Windows/hello.exe", Marker("hello.out"));
    Shortcuts({u"\\Windows\\hello.exe"});
    TapSlot(0);
    TapSlot(0);
    EXPECT_EQ(WaitForRuns(Marker("hello.out"), 2), (std::vector<std::string>{"---", "---"}));
    // Pressing elsewhere and lifting inside the selected cell starts it too.
    Down(200, 140);
    const POINT p = CellCentre(0);
    Up(p.x, p.y);
    EXPECT_EQ(WaitForRuns(Marker("hello.out"), 3).size(), 3u);
}

TEST_F(ViewLaunch, ShortcutFileStartsItsProgramWithItsArguments) {
    WriteMarkerProgram("Windows/args.exe", Marker("args.out"));
    WriteDeviceFile("Windows/Start Menu/tool.lnk", "40#\\Windows\\args.exe one \"two three\"\n");
    WriteDeviceFile("Windows/Start Menu/bare.lnk", "17#\\Windows\\args.exe");
    Shortcuts({u"\\Windows\\Start Menu\\tool.lnk", u"\\Windows\\Start Menu\\bare.lnk"});
    TapSlot(0);
    EXPECT_EQ(WaitForRuns(Marker("args.out"), 1),
              (std::vector<std::string>{"one", "two three", "---"}));
    TapSlot(1);
    EXPECT_EQ(WaitForRuns(Marker("args.out"), 2).size(), 4u);
}

TEST_F(ViewLaunch, CalendarIsRewrittenToItsLinkOnlyForTheTap) {
    WriteMarkerProgram("Windows/calendar.exe", Marker("direct.out"));
    WriteMarkerProgram("Windows/poutlook.exe", Marker("link.out"));
    WriteDeviceFile("Windows/Start Menu/Calendar.lnk", "23#\\Windows\\poutlook.exe -c");
    Shortcuts({u"\\Windows\\calendar.exe"});
    TapSlot(0);
    EXPECT_EQ(WaitForRuns(Marker("link.out"), 1), (std::vector<std::string>{"-c", "---"}));
    Key(VK_RETURN);
    EXPECT_EQ(WaitForRuns(Marker("direct.out"), 1), (std::vector<std::string>{"---"}));
}

TEST_F(ViewLaunch, LinkExtensionCountsOnlyInLowerCaseAfterTheFirstCharacter) {
    // Both are started as programs, not read as shortcut files.
    WriteMarkerProgram("Windows/Tool.LNK", Marker("upper.out"));
    WriteMarkerProgram("Windows/.lnk", Marker("leading.out"));
    Shortcuts({u"\\Windows\\Tool.LNK", u".lnk"});
    TapSlot(0);
    EXPECT_EQ(WaitForRuns(Marker("upper.out"), 1), (std::vector<std::string>{"---"}));
    TapSlot(1);
    EXPECT_EQ(WaitForRuns(Marker("leading.out"), 1), (std::vector<std::string>{"---"}));
}

TEST_F(ViewLaunch, DesktopTargetInAnyCaseStartsNothing) {
    // Were it started, this program would still be running.
    WriteDeviceFile("Windows/shell32.exe", "#!/bin/sh\nsleep 30\n", true);
    Shortcuts({u"\\WINDOWS\\Shell32.EXE", u"\\windows\\shell32.exe", u""});
    TapSlot(0);
    TapSlot(1);
    TapSlot(2);
    Key(VK_RETURN);
    const auto started = zorun::StartedProcesses();
    for (DWORD pid : started)
        kill(static_cast<pid_t>(pid), SIGKILL);
    EXPECT_TRUE(started.empty());
}
