// The application object: its single instance per device, what a later
// start brings to the front, and the version box.

#include <gtest/gtest.h>

#include <algorithm>

#include "app/CVersionDlg.h"
#include "app/CommandIds.h"
#include "platform/user/Dialog.h"
#include "platform/user/Screen.h"
#include "tests/app/AppHarness.h"

#include "ZorunVersion.h"

namespace fs = std::filesystem;

TEST(Application, OneInstancePerDevice) {
    AppHarness first;
    ASSERT_TRUE(first.Start());
    // The same device, even spelled differently, is taken...
    const fs::path other = first.Root() / ".." / first.Root().filename();
    EXPECT_EQ(InstanceMutexName(other), InstanceMutexName(first.Root()));
    zorun::SingleInstance again;
    EXPECT_EQ(again.TryAcquire(InstanceMutexName(other)), zorun::SingleInstance::Role::Second);
    // ...another device is not.
    zorun::SingleInstance elsewhere;
    EXPECT_EQ(elsewhere.TryAcquire(InstanceMutexName(first.Folder() / "other-device")),
              zorun::SingleInstance::Role::Owner);
    EXPECT_TRUE(InstanceMutexName(first.Root()).starts_with(kInstanceMutexName));
}

TEST(Application, ALaterStartBringsTheOpenDialogElseTheFrame) {
    AppHarness app;
    ASSERT_TRUE(app.Start());
    HWND frame = app.Frame()->GetSafeHwnd();
    app.App().BringToFront();
    EXPECT_EQ(GetForegroundWindow(), frame);

    CVersionDlg version(app.Frame());
    ASSERT_TRUE(version.Create(ShellResource::VersionDialog, app.Frame()));
    app.Pump();
    SetForegroundWindow(frame);
    app.App().BringToFront();
    EXPECT_EQ(GetForegroundWindow(), version.GetSafeHwnd());
    version.DestroyWindow();
    app.Pump();
    app.App().BringToFront();
    EXPECT_EQ(GetForegroundWindow(), frame);
}

TEST(Application, VersionBoxShowsTheProgramAndItsVersion) {
    AppHarness app;
    ASSERT_TRUE(app.Start());
    bool shown = false;
    std::vector<std::u16string> texts;
    const int listener = zorun::AddForegroundListener([&](HWND w) {
        if (!w || !zorun::IsDialogWindow(w) || GetWindowText(w) != u"Zorun")
            return;
        shown = true;
        for (HWND c = GetWindow(w, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
            texts.push_back(GetWindowText(c));
    });
    // "Version" from the menu; the navigation bar's "ok" closes the box.
    PostMessageW(app.Frame()->GetSafeHwnd(), WM_COMMAND, CommandId::Version, 0);
    app.QueueTap(227, 13);
    app.Pump();
    zorun::RemoveForegroundListener(listener);
    EXPECT_TRUE(shown);
    EXPECT_NE(std::find(texts.begin(), texts.end(), u"Zorun Version " ZORUN_VERSION), texts.end());
    EXPECT_TRUE(app.Running());
    EXPECT_EQ(GetForegroundWindow(), app.Frame()->GetSafeHwnd());
}
