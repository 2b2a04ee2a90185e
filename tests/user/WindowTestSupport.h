#pragma once
// A test window whose procedure records every message and can be given a
// behaviour per message, and a fixture with a fresh window system in
// virtual time.

#include <functional>
#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/base/Clock.h"
#include "platform/user/Screen.h"
#include "platform/user/WinUser.h"

struct Logged {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    friend bool operator==(const Logged&, const Logged&) = default;
};

class WindowTest : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // A top-level popup (or child, when parent is a child-style parent) logging its messages.
    HWND MakeWindow(RECT rect, HWND parent = nullptr, DWORD style = WS_POPUP | WS_VISIBLE,
                    int id = 0);
    // Runs messages until none is left (never waits).
    void Pump();
    // The logged messages of the given kinds, in order.
    std::vector<Logged> Only(std::initializer_list<UINT> messages) const;
    void ClearLog() { log.clear(); }

    // Per-window, per-message behaviour; the default is DefWindowProcW.
    std::map<std::pair<HWND, UINT>, std::function<LRESULT(WPARAM, LPARAM)>> on;
    std::vector<Logged> log;
    zorun::VirtualClock clock{0};

    static WindowTest* current;
    static LRESULT Proc(HWND, UINT, WPARAM, LPARAM);
};
