// SHSipPreference as the dialogs use it: SIP_UP raises the soft keyboard,
// SIP_DOWN lowers it, the other states change nothing; with the keyboard
// turned off every request is granted and nothing rises.

#include "platform/shell/Sip.h"

#include <gtest/gtest.h>

#include "platform/base/Clock.h"
#include "platform/user/Backend.h"
#include "platform/user/Screen.h"
#include "platform/user/SoftKeyboard.h"
#include "platform/user/WinUser.h"
#include "platform/user/WorkArea.h"

namespace {

int settingChanges = 0;

LRESULT Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SETTINGCHANGE && wParam == SPI_SETSIPINFO)
        ++settingChanges;
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

class SipTest : public ::testing::Test {
  protected:
    void SetUp() override {
        zorun::ResetWindowSystem();
        zorun::SetBackend(nullptr);
        zorun::SetCurrentClock(&clock_);
        settingChanges = 0;
        window_ = CreateWindowExW(0, u"Dialog", u"", WS_POPUP | WS_VISIBLE, 0, 26, 240, 268,
                                  nullptr, nullptr, Proc, nullptr);
        ASSERT_NE(window_, nullptr);
    }
    void TearDown() override {
        zorun::ResetWindowSystem();
        zorun::SetCurrentClock(nullptr);
    }
    zorun::VirtualClock clock_{0};
    HWND window_ = nullptr;
};

TEST_F(SipTest, UpRaisesDownLowersAndTheOtherStatesChangeNothing) {
    EXPECT_TRUE(SHSipPreference(window_, SIP_UP));
    EXPECT_TRUE(zorun::SoftKeyboardUp());
    EXPECT_TRUE(IsWindowVisible(zorun::SoftKeyboardWindow()));
    EXPECT_EQ(settingChanges, 1);
    EXPECT_TRUE(SHSipPreference(window_, SIP_UNCHANGED));
    EXPECT_TRUE(SHSipPreference(window_, SIP_INPUTDIALOG));
    EXPECT_TRUE(zorun::SoftKeyboardUp());
    EXPECT_TRUE(SHSipPreference(window_, SIP_DOWN));
    EXPECT_FALSE(zorun::SoftKeyboardUp());
    EXPECT_FALSE(IsWindowVisible(zorun::SoftKeyboardWindow()));
    EXPECT_EQ(settingChanges, 2);
    EXPECT_TRUE(SHSipPreference(window_, SIP_UP));
    EXPECT_TRUE(SHSipPreference(window_, SIP_FORCEDOWN));
    EXPECT_FALSE(zorun::SoftKeyboardUp());

    // A request for a window that is not there is refused.
    DestroyWindow(window_);
    EXPECT_FALSE(SHSipPreference(window_, SIP_UP));
    EXPECT_FALSE(zorun::SoftKeyboardUp());
}

TEST_F(SipTest, TurnedOffEveryRequestIsGrantedAndNothingRises) {
    zorun::SetSoftKeyboardAvailable(false);
    EXPECT_TRUE(SHSipPreference(window_, SIP_UP));
    EXPECT_FALSE(zorun::SoftKeyboardUp());
    EXPECT_EQ(zorun::SoftKeyboardWindow(), nullptr);
    EXPECT_EQ(zorun::CurrentWorkArea(), zorun::kWorkArea);
    EXPECT_TRUE(SHSipPreference(window_, SIP_DOWN));
    EXPECT_EQ(settingChanges, 0);

    // Turning it off while it is up takes it down; a reset turns it on again.
    zorun::SetSoftKeyboardAvailable(true);
    EXPECT_TRUE(SHSipPreference(window_, SIP_UP));
    zorun::SetSoftKeyboardAvailable(false);
    EXPECT_FALSE(zorun::SoftKeyboardUp());
    zorun::ResetWindowSystem();
    EXPECT_TRUE(zorun::SoftKeyboardAvailable());
}

} // namespace
