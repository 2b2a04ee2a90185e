#pragma once
// A fresh window system in virtual time for each test, with helpers to
// queue stylus and key input and to read the composed screen.

#include <string>

#include <gtest/gtest.h>

#include "platform/base/Clock.h"
#include "platform/user/Input.h"
#include "platform/user/Screen.h"
#include "platform/user/WinUser.h"

class AfxTest : public ::testing::Test {
  public:
    // The composed screen's pixel as 0xRRGGBB.
    static std::uint32_t ScreenPixel(int x, int y);

  protected:
    void SetUp() override;
    void TearDown() override;

    // Queues input; it is read by whichever loop runs next.
    static void Tap(int x, int y);
    static void Down(int x, int y);
    static void Move(int x, int y);
    static void Up(int x, int y);
    static void Key(int vk);
    static void Type(std::u16string_view text);
    // Runs every queued message and paint (never waits).
    static void Pump();

    zorun::VirtualClock clock{0};
};
