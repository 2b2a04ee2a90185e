// "Setting of system info" as a user gives it: the boxes show sysInfoMode
// at opening, every tap on "Time" or "Region" changes it at once (however
// the dialog ends), and the information panel follows when it is uncovered.

#include <gtest/gtest.h>

#include "dialogs/CSysInfoDlg.h"
#include "info/CInfoView.h"
#include "platform/user/Controls.h"
#include "tests/app/AppScenario.h"

namespace {

const std::vector<std::u16string> kSettings{u"Edit", u"Setting of system info"};

class SysInfoSettings : public AppScenario {
  protected:
    static bool Ticked(int id) {
        return SendMessageW(GetDlgItem(Front(), id), BM_GETCHECK, 0, 0) == BST_CHECKED;
    }
    CInfoView& Panel() { return *dynamic_cast<CInfoView*>(app.Frame()->splitter.GetPane(0, 0)); }
};

TEST_F(SysInfoSettings, EachTapSetsTheModeAtOnce) {
    Start();
    std::vector<std::function<void()>> steps{[&] {
        for (int fixed : {CSysInfoDlg::kInboxBox, CSysInfoDlg::kCalendarBox, CSysInfoDlg::kTaskBox,
                          CSysInfoDlg::kBatteryBox, CSysInfoDlg::kMemoryBox}) {
            EXPECT_TRUE(Ticked(fixed)) << fixed;
            EXPECT_FALSE(ControlEnabled(fixed)) << fixed;
        }
        EXPECT_FALSE(Ticked(CSysInfoDlg::kTimeBox));
        EXPECT_FALSE(Ticked(CSysInfoDlg::kRegionBox));
        Screenshot("sysinfo-dialog.png");
        QueueTapControl(CSysInfoDlg::kTimeBox);
    }};
    for (auto [box, mode] : {std::pair{0, 1},
                             {CSysInfoDlg::kRegionBox, 3},
                             {CSysInfoDlg::kTimeBox, 2},
                             {CSysInfoDlg::kInboxBox, 2}}) {
        if (box)
            steps.emplace_back([this, box] { QueueTapControl(box); });
        steps.emplace_back([this, mode] {
            EXPECT_EQ(Live().SysInfoMode(), mode);
            if (mode == 2) {
                EXPECT_TRUE(Ticked(CSysInfoDlg::kInboxBox));
            }
        });
    }
    // A step that only looks lets the loop wait again for the next one.
    steps.emplace_back([&] { QueueOk(); });
    FromMenu(kSettings, std::move(steps));
    EXPECT_EQ(Live().SysInfoMode(), 2);

    // The next opening shows it; a value outside 0..3 ticks neither box.
    FromMenu(kSettings, {[&] {
                 EXPECT_FALSE(Ticked(CSysInfoDlg::kTimeBox));
                 EXPECT_TRUE(Ticked(CSysInfoDlg::kRegionBox));
                 QueueOk();
             }});
    Live().SetSysInfoMode(7);
    FromMenu(kSettings, {[&] {
                             EXPECT_FALSE(Ticked(CSysInfoDlg::kTimeBox));
                             EXPECT_FALSE(Ticked(CSysInfoDlg::kRegionBox));
                             QueueTapControl(CSysInfoDlg::kRegionBox);
                         },
                         [&] { QueueOk(); }});
    EXPECT_EQ(Live().SysInfoMode(), 2);
    Catalogue saved;
    SaveAndReadBack(saved);
    EXPECT_EQ(saved.SysInfoMode(), 2);
}

TEST_F(SysInfoSettings, ThePanelLeavesTheRegionPageWhenItGoesAway) {
    Start();
    Live().SetSysInfoMode(3);
    app.Tap(231, 26 + 30); // the panel's page strip: the region page
    ASSERT_EQ(Panel().infoPage, 2);
    FromMenu(kSettings, {[&] { QueueTapControl(CSysInfoDlg::kRegionBox); }, [&] { QueueOk(); }});
    EXPECT_EQ(Live().SysInfoMode(), 1);
    EXPECT_EQ(Panel().infoPage, 1);
}

} // namespace
