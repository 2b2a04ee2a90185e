// The monitor where there is no window system to ask: the programs the
// launcher started, with real scripts in the device root, one of which
// ignores the polite request to end.

#include <gtest/gtest.h>

#include "launcher/CZorunViewLayout.h"
#include "launcher/CommandIds.h"
#include "monitor/MonitorIds.h"
#include "platform/kernel/Process.h"
#include "platform/windows/ChildWindowProvider.h"
#include "platform/windows/HostWindows.h"
#include "tests/monitor/MonitorFixture.h"
#include "tests/support/XTestDisplay.h"

namespace {

class MonitorScenario : public MonitorFixture {
  protected:
    void SetUp() override {
        MonitorFixture::SetUp();
        Paced();
        zorun::SetHostWindowProvider(std::make_unique<zorun::ChildWindowProvider>());
    }
    void TapShortcut(int slot) {
        const RECT c = ViewLayout::CellRect(slot);
        Tap((c.left + c.right) / 2, (c.top + c.bottom) / 2);
    }
};

TEST_F(MonitorScenario, ProgramsStartedFromShortcutsAreStoppedOneAndThenAll) {
    WriteDeviceFile("Windows/notes.exe", "#!/bin/sh\nexec sleep 60\n", true);
    WriteDeviceFile("Windows/clock.exe", "#!/bin/sh\nexec sleep 60\n", true);
    WriteDeviceFile("Windows/stubborn.exe", "#!/bin/sh\ntrap '' TERM\nwhile :; do sleep 1; done\n",
                    true);
    MakeGroups(4);
    for (const char16_t* name : {u"notes", u"clock", u"stubborn"}) {
        ASSERT_TRUE(GetCatalogue().AppendShortcut(
            0, {std::u16string(u"\\Windows\\") + name + u".exe", name, u"0"}));
    }
    StartView();
    for (int slot = 0; slot < 3; ++slot)
        TapShortcut(slot);
    ASSERT_TRUE(WaitFor([] { return zorun::StartedProcesses().size() == 3; }));
    const auto started = zorun::StartedProcesses();

    std::vector<std::vector<std::u16string>> lists;
    bool allDisabled = false;
    When(MonitorIdle, [&] {
        lists.push_back(Rows());
        SelectRow(0);
        QueueToolButton(MonitorCommand::Stop);
    });
    When(MonitorIdle, [&] {
        lists.push_back(Rows());
        QueueToolButton(MonitorCommand::StopAll);
    });
    When(BoxInFront, [] { QueueAnswer(IDOK); });
    When(MonitorIdle, [&] {
        lists.push_back(Rows());
        allDisabled = !ToolButtonEnabled(MonitorCommand::Activate) &&
                      !ToolButtonEnabled(MonitorCommand::Stop) &&
                      !ToolButtonEnabled(MonitorCommand::StopAll);
        QueueCommand(MonitorCommand::Return);
    });
    // "Monitor" from the launcher, as its press-and-hold menu sends it.
    PostMessageW(ViewWindow(), WM_COMMAND, CommandId::Monitor, 0);
    Pump();

    using Texts = std::vector<std::u16string>;
    ASSERT_EQ(lists.size(), 3u);
    EXPECT_EQ(lists[0], (Texts{u"notes", u"clock", u"stubborn"}));
    EXPECT_EQ(lists[1], (Texts{u"clock", u"stubborn"}));
    EXPECT_TRUE(lists[2].empty());
    EXPECT_EQ(boxes, 1); // only the one that ignored the request to end
    EXPECT_TRUE(allDisabled);
    for (DWORD pid : started)
        EXPECT_FALSE(zorun::IsProcessRunning(pid)) << pid;
}

} // namespace
