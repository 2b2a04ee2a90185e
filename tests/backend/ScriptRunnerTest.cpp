// The script runner against windows in virtual time: timers fire in order
// during `wait`, `hold` lets a press-and-hold wait see no release, input
// reaches a nested modal loop, and the end of the script closes the program.

#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "platform/backend/headless/HeadlessBackend.h"
#include "platform/backend/headless/ScriptRunner.h"
#include "platform/user/Chrome.h"
#include "platform/user/Controls.h"
#include "platform/user/Input.h"
#include "platform/user/ModalLoop.h"
#include "platform/user/Screen.h"
#include "platform/user/SoftKeyboard.h"
#include "platform/user/WinUser.h"

namespace {

struct Event {
    std::uint64_t at;
    UINT message;
    WPARAM wParam;
    friend bool operator==(const Event&, const Event&) = default;
};

std::vector<Event>* events = nullptr;
zorun::VirtualClock* clockInUse = nullptr;
std::function<void(HWND, UINT, WPARAM, LPARAM)> extra;

LRESULT Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_TIMER || message == WM_LBUTTONDOWN || message == WM_LBUTTONUP ||
        message == WM_COMMAND || message == WM_CHAR || message == WM_CLOSE)
        events->push_back({clockInUse->NowMs(), message, wParam});
    if (extra)
        extra(hwnd, message, wParam, lParam);
    if (message == WM_DESTROY && hwnd == zorun::MainWindow())
        PostQuitMessage(0);
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

class ScriptRunnerTest : public ::testing::Test {
  protected:
    void SetUp() override {
        zorun::ResetWindowSystem();
        zorun::SetCurrentClock(&clock);
        events = &log;
        clockInUse = &clock;
    }
    void TearDown() override {
        extra = nullptr;
        zorun::ResetWindowSystem();
        zorun::SetBackend(nullptr);
        zorun::SetCurrentClock(nullptr);
    }
    // Runs `script` against a main window over the work area until it quits.
    int Run(std::string_view script) {
        auto parsed = zorun::ParseScript(script);
        EXPECT_TRUE(std::holds_alternative<std::vector<zorun::ScriptStep>>(parsed));
        runner = std::make_unique<zorun::ScriptRunner>(
            std::get<std::vector<zorun::ScriptStep>>(std::move(parsed)), clock);
        backend = zorun::MakeHeadlessBackend(clock, runner.get());
        zorun::SetBackend(&backend);
        main = CreateWindowExW(0, u"MAIN", u"Zorun", WS_VISIBLE, 0, 26, 240, 268, nullptr, nullptr,
                               &Proc, nullptr);
        zorun::SetMainWindow(main);
        if (setup)
            setup();
        MSG msg;
        while (GetMessageW(&msg, nullptr, 0, 0)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        return static_cast<int>(msg.wParam);
    }

    zorun::VirtualClock clock{0};
    std::vector<Event> log;
    std::unique_ptr<zorun::ScriptRunner> runner;
    zorun::Backend backend;
    HWND main = nullptr;
    std::function<void()> setup;
};

TEST_F(ScriptRunnerTest, WaitFiresDueTimersInOrderThenTheScriptEnds) {
    setup = [&] {
        SetTimer(main, 16, 5000, nullptr);
        SetTimer(main, 48, 2000, nullptr);
    };
    extra = [&](HWND h, UINT m, WPARAM id, LPARAM) {
        if (m == WM_TIMER && id == 48)
            KillTimer(h, 48); // one shot
    };
    EXPECT_EQ(Run("wait 11000\ncommand 57665\n"), 0);
    EXPECT_EQ(log, (std::vector<Event>{{2000, WM_TIMER, 48},
                                       {5000, WM_TIMER, 16},
                                       {10000, WM_TIMER, 16},
                                       {11000, WM_COMMAND, 57665},
                                       {11000, WM_CLOSE, 0}}));
    EXPECT_FALSE(IsWindow(main));
}

TEST_F(ScriptRunnerTest, HoldKeepsTheStylusDownForItsTime) {
    std::vector<bool> heldResults;
    extra = [&](HWND, UINT m, WPARAM, LPARAM) {
        if (m != WM_LBUTTONDOWN)
            return;
        // What press-and-hold recognition does: wait 600 ms for a release.
        bool released = zorun::WaitForInput(clock.NowMs() + 600);
        heldResults.push_back(!released);
    };
    Run("tap 10 100\nhold 10 100 1000\n");
    EXPECT_EQ(heldResults, (std::vector<bool>{false, true}));
    EXPECT_EQ(log, (std::vector<Event>{{0, WM_LBUTTONDOWN, MK_LBUTTON},
                                       {0, WM_LBUTTONUP, 0},
                                       {0, WM_LBUTTONDOWN, MK_LBUTTON},
                                       {1000, WM_LBUTTONUP, 0},
                                       {1000, WM_CLOSE, 0}}));
}

TEST_F(ScriptRunnerTest, InputReachesANestedModalLoop) {
    HWND box = nullptr;
    int boxResult = -1;
    extra = [&](HWND h, UINT m, WPARAM w, LPARAM) {
        if (h == main && m == WM_COMMAND && w == 100) {
            box = CreateWindowExW(WS_EX_TOPMOST, u"BOX", u"", WS_POPUP | WS_VISIBLE, 20, 100, 200,
                                  100, main, nullptr, &Proc, nullptr);
            boxResult = RunModalLoop(box);
            DestroyWindow(box);
        }
        if (h == box && m == WM_CHAR && w == u'\r')
            EndModalLoop(box, IDOK);
    };
    Run("command 100\ntap 5 50\nkey return\ntap 5 50\n");
    EXPECT_EQ(boxResult, IDOK);
    // The tap on the disabled main window while the box ran was dropped.
    EXPECT_EQ(log, (std::vector<Event>{{0, WM_COMMAND, 100},
                                       {0, WM_CHAR, u'\r'},
                                       {0, WM_LBUTTONDOWN, MK_LBUTTON},
                                       {0, WM_LBUTTONUP, 0},
                                       {0, WM_CLOSE, 0}}));
}

TEST_F(ScriptRunnerTest, ScreenshotAndTextDumpOfTheComposedScreen) {
    auto dir =
        std::filesystem::temp_directory_path() /
        ("zorun-script-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
    std::filesystem::create_directories(dir);
    auto png = (dir / "shot.png").string();
    auto txt = (dir / "texts.txt").string();
    auto bad = (dir / "missing" / "shot.png").string();
    extra = [&](HWND h, UINT m, WPARAM, LPARAM) {
        if (h == main && m == WM_PAINT) {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(h, &ps);
            RECT r{0, 0, 240, 268};
            DrawTextW(dc, u"two\nlines", -1, &r, DT_LEFT);
            EndPaint(h, &ps);
        }
    };
    Run("screenshot " + png + "\ndump-text " + txt + "\nscreenshot " + bad + "\n");
    EXPECT_EQ(runner->Failures(), 1);
    EXPECT_TRUE(std::filesystem::exists(png));
    std::ifstream in(txt);
    std::string line;
    std::getline(in, line);
    EXPECT_EQ(line, "0\t26\ttwo\\nlines");
    std::filesystem::remove_all(dir);
}

TEST_F(ScriptRunnerTest, KeysTextAndTheSoftKeyboardTypeIntoTheFocusedEdit) {
    HWND edit = nullptr;
    std::u16string typed;
    setup = [&] {
        zorun::EnsureChrome();
        zorun::RegisterBuiltinControls();
        edit = CreateWindowExW(0, u"EDIT", u"", WS_CHILD | WS_VISIBLE, 0, 0, 240, 20, main, nullptr,
                               nullptr, nullptr);
        SetFocus(edit);
    };
    extra = [&](HWND h, UINT m, WPARAM, LPARAM) {
        if (h == main && m == WM_CLOSE)
            typed = GetWindowText(edit);
    };
    // Text beyond ASCII arrives as UTF-16 (the emoji as its two halves);
    // the keyboard's 'z' sits at (48, 270) once the command bar's button
    // has raised it.
    Run("text h\u00e9llo \u65e5\u672c \U0001F600\nkey space\nkey \u00e9\nkey a\n"
        "tap 226 306\ntap 48 270\ntap 226 306\ntap 48 270\n");
    EXPECT_EQ(typed, u"h\u00e9llo \u65e5\u672c \U0001F600 \u00e9az");
    EXPECT_FALSE(zorun::SoftKeyboardUp());
}

} // namespace
