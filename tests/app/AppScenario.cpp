#include "tests/app/AppScenario.h"

#include <cstdlib>

#include "catalogue/SettingsFile.h"
#include "platform/gdi/Png.h"
#include "platform/gdi/Surface.h"
#include "platform/user/Chrome.h"
#include "platform/user/Input.h"
#include "platform/user/Screen.h"
#include "platform/user/SoftKeyboard.h"
#include "platform/user/SoftKeyboardLayout.h"

namespace {

using Action = zorun::SoftKeyboardLayout::Action;

// Screen point in the middle of a key (keys keep their places on every page).
std::optional<POINT> KeyPoint(Action action, char16_t character = 0) {
    static const zorun::SoftKeyboardLayout layout;
    for (const auto& key : layout.Keys())
        if (key.action == action && (action != Action::Character || key.character == character))
            return POINT{key.rect.left + key.rect.Width() / 2,
                         zorun::kSoftKeyboardRect.top + key.rect.top + key.rect.Height() / 2};
    return std::nullopt;
}

} // namespace

void AppScenario::SetUp() {
    backend_.wait = [this](std::optional<std::uint64_t> deadline) { Wait(deadline); };
    zorun::SetBackend(&backend_);
}

void AppScenario::TearDown() {
    steps_.clear();
    if (app.Running())
        app.Close();
    zorun::SetBackend(nullptr);
}

void AppScenario::Start() {
    ASSERT_TRUE(app.Start());
    ASSERT_NE(app.Frame(), nullptr);
}

void AppScenario::Wait(std::optional<std::uint64_t> deadline) {
    if (!steps_.empty()) {
        auto step = std::move(steps_.front());
        steps_.pop_front();
        idleWaits_ = 0;
        zorun::ComposeScreen();
        step();
        return;
    }
    // Timers may keep a loop turning; a few minutes of virtual time with
    // nothing to do is a loop left waiting.
    constexpr std::uint64_t kIdleLimitMs = 5 * 60 * 1000;
    if (deadline && idleWaits_ < kIdleLimitMs) {
        idleWaits_ += *deadline > app.clock.NowMs() ? *deadline - app.clock.NowMs() : 1;
        app.clock.AdvanceTo(*deadline);
        return;
    }
    ADD_FAILURE() << "a loop waits for input that the test does not give";
    PostQuitMessage(0);
}

void AppScenario::Run(std::vector<std::function<void()>> steps) {
    for (auto& step : steps)
        steps_.push_back(std::move(step));
    // The first step starts what the others answer (the top-level loop
    // never waits).
    if (!steps_.empty()) {
        auto first = std::move(steps_.front());
        steps_.pop_front();
        zorun::ComposeScreen();
        first();
    }
    app.Pump();
    EXPECT_TRUE(steps_.empty()) << steps_.size() << " steps were never needed";
    steps_.clear();
}

void AppScenario::FromMenu(std::vector<std::u16string> path,
                           std::vector<std::function<void()>> steps) {
    std::vector<std::function<void()>> all;
    for (auto& text : path)
        all.emplace_back([this, text] { QueueTapText(text); });
    for (auto& step : steps)
        all.push_back(std::move(step));
    Run(std::move(all));
}

void AppScenario::QueueTapAt(POINT screen) {
    app.QueueTap(screen.x, screen.y);
}

void AppScenario::QueueTapText(std::u16string_view text) {
    const auto& texts = zorun::ScreenSurface().Texts();
    for (auto record = texts.rbegin(); record != texts.rend(); ++record) {
        if (record->text == text) {
            const zorun::Rect& b = record->bounds;
            QueueTapAt({b.left + b.Width() / 2, b.top + b.Height() / 2});
            return;
        }
    }
    ADD_FAILURE() << "no text \"" << std::string(text.begin(), text.end()) << "\" on the screen";
}

void AppScenario::QueueTapControl(int id) {
    RECT r{};
    HWND control = GetDlgItem(Front(), id);
    ASSERT_TRUE(control && GetWindowRect(control, &r)) << "no control " << id;
    QueueTapAt({(r.left + r.right) / 2, (r.top + r.bottom) / 2});
}

void AppScenario::QueueType(std::u16string_view text) {
    for (char16_t c : text) {
        if (c == u' ') {
            QueueTapAt(*KeyPoint(Action::Space));
            continue;
        }
        if (auto key = KeyPoint(Action::Character, c)) {
            QueueTapAt(*key);
            continue;
        }
        const char16_t lower = c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : 0;
        auto key = lower ? KeyPoint(Action::Character, lower) : std::nullopt;
        ASSERT_TRUE(key.has_value()) << "no key for " << static_cast<int>(c);
        QueueTapAt(*KeyPoint(Action::Shift));
        QueueTapAt(*key);
    }
}

void AppScenario::QueueBackspaces(int count) {
    for (int i = 0; i < count; ++i)
        QueueTapAt(*KeyPoint(Action::Backspace));
}

void AppScenario::QueueOk() {
    const RECT ok = zorun::kOkButtonRect;
    QueueTapAt({(ok.left + ok.right) / 2, (ok.top + ok.bottom) / 2});
}

HWND AppScenario::Front() {
    return GetForegroundWindow();
}

std::u16string AppScenario::FrontTexts() {
    RECT r{};
    GetWindowRect(Front(), &r);
    std::u16string joined;
    for (const zorun::TextRecord& record : zorun::ScreenSurface().Texts()) {
        const POINT p{record.position.x, record.position.y};
        if (p.x < r.left || p.x >= r.right || p.y < r.top || p.y >= r.bottom)
            continue;
        if (!joined.empty())
            joined += u' ';
        for (char16_t c : record.text)
            joined += c == u'\n' || c == u'\r' ? u' ' : c;
    }
    return joined;
}

std::u16string AppScenario::ControlText(int id) {
    return GetWindowText(GetDlgItem(Front(), id));
}

bool AppScenario::ControlEnabled(int id) {
    return IsWindowEnabled(GetDlgItem(Front(), id)) != FALSE;
}

void AppScenario::Screenshot(const std::string& name) {
    const char* folder = std::getenv("ZORUN_SCREENSHOT_DIR");
    if (!folder || !*folder)
        return;
    zorun::ComposeScreen();
    EXPECT_TRUE(zorun::WritePng(zorun::ScreenSurface(), std::string(folder) + "/" + name));
}

void AppScenario::SaveAndReadBack(Catalogue& saved) {
    FromMenu({u"Edit", u"Save"});
    ASSERT_TRUE(LoadSettings(saved));
    EXPECT_EQ(saved.Contents(), Live().Contents());
}
