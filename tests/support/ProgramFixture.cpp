#include "tests/support/ProgramFixture.h"

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <thread>

#include "launcher/CommandIds.h"
#include "platform/gdi/Png.h"
#include "platform/kernel/DeviceRoot.h"
#include "platform/user/Screen.h"

namespace {

FixtureFrame* currentFrame = nullptr;

// The split window stand-in: it keeps the page states the view sends.
LRESULT SplitterProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == ZorunViewMessage::PageState && currentFrame) {
        currentFrame->pageStates.push_back(lParam);
        return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

std::filesystem::path MakeTemporaryFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "zorun-test-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        return {};
    return pattern;
}

} // namespace

FixtureFrame::FixtureFrame() {
    currentFrame = this;
}

FixtureFrame::~FixtureFrame() {
    if (currentFrame == this)
        currentFrame = nullptr;
}

void FixtureFrame::OnPageBarRelease(HWND, UINT, POINT paneClientPoint) {
    pageBarReleases.push_back(paneClientPoint);
    pageBarHeld = false;
}

void ProgramFixture::SetUp() {
    zorun::ResetWindowSystem();
    zorun::SetCurrentClock(&clock);
    backend_.wait = [this](std::optional<std::uint64_t> deadline) { WaitHook(deadline); };
    zorun::SetBackend(&backend_);
    root_ = MakeTemporaryFolder();
    ASSERT_FALSE(root_.empty());
    std::filesystem::create_directories(root_ / "Windows" / "Start Menu");
    zorun::SetDeviceRoot(root_);

    app_ = std::make_unique<CWinApp>(u"Zorun");
    frame_ = std::make_unique<FixtureFrame>();
    ASSERT_TRUE(frame_->CreateEx(0, u"FixtureFrame", u"Zorun", WS_POPUP | WS_VISIBLE,
                                 RECT{0, kFrameTop, 240, kFrameTop + 268}, nullptr, 0));
    app_->SetMainWnd(frame_.get());
    frame_->splitter = CreateWindowExW(0, u"FixtureSplitter", u"", WS_CHILD | WS_VISIBLE, 0, 0, 240,
                                       268, frame_->GetSafeHwnd(), reinterpret_cast<HMENU>(59648),
                                       SplitterProc, nullptr);
}

void ProgramFixture::TearDown() {
    if (frame_ && frame_->GetSafeHwnd())
        frame_->DestroyWindow();
    AfxFlushDestroyedWindows();
    if (app_)
        app_->m_pMainWnd = nullptr;
    app_.reset();
    frame_.reset();
    zorun::ResetWindowSystem();
    zorun::SetBackend(nullptr);
    zorun::SetCurrentClock(nullptr);
    std::error_code ignored;
    if (!root_.empty())
        std::filesystem::remove_all(root_, ignored);
}

void ProgramFixture::MakeGroups(int groups, const std::vector<int>& counts,
                                const std::vector<std::u16string>& names) {
    CatalogueContents contents;
    for (int p = 0; p < groups; ++p) {
        std::u16string name;
        if (std::size_t(p) < names.size()) {
            name = names[std::size_t(p)];
        } else {
            name = u"Group ";
            for (char c : std::to_string(p + 1))
                name += char16_t(c);
        }
        contents.groupNames.push_back(name);
        contents.groupOrder.push_back(static_cast<std::uint8_t>(p));
        contents.backgroundPaths.emplace_back();
        GroupRecord group;
        const int count = std::size_t(p) < counts.size() ? counts[std::size_t(p)] : 0;
        for (int i = 0; i < count; ++i) {
            std::u16string label = u"Item ";
            for (char c : std::to_string(i))
                label += char16_t(c);
            group.Append({u"", label, u"0"});
        }
        contents.groupList.push_back(std::move(group));
    }
    ASSERT_TRUE(GetCatalogue().Replace(std::move(contents)));
}

void ProgramFixture::AttachView(CZorunView* view) {
    CWnd* parent = CWnd::FromHandle(frame_->splitter);
    ASSERT_TRUE(view->Create(nullptr, u"", WS_CHILD | WS_VISIBLE,
                             RECT{0, kViewTop, 240, kViewTop + kViewHeight}, parent, 59648 + 16));
    view->SendMessage(WM_INITIALUPDATE);
    ::SetFocus(view->GetSafeHwnd());
    Pump();
}

CZorunView& ProgramFixture::View() {
    EXPECT_NE(frame_->launcherView, nullptr) << "StartView first";
    return *frame_->launcherView;
}

HWND ProgramFixture::ViewWindow() const {
    return frame_->launcherView ? frame_->launcherView->GetSafeHwnd() : nullptr;
}

std::filesystem::path ProgramFixture::WriteDeviceFile(const std::filesystem::path& relative,
                                                      std::string_view content, bool executable) {
    const std::filesystem::path path = root_ / relative;
    std::filesystem::create_directories(path.parent_path());
    {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(content.data(), static_cast<std::streamsize>(content.size()));
    }
    if (executable)
        std::filesystem::permissions(path, std::filesystem::perms::owner_all |
                                               std::filesystem::perms::group_read |
                                               std::filesystem::perms::group_exec);
    return path;
}

std::filesystem::path
ProgramFixture::WriteDeviceBmp(const std::filesystem::path& relative, int width, int height,
                               const std::function<std::uint32_t(int, int)>& colour) {
    const int stride = (width * 3 + 3) / 4 * 4;
    const std::uint32_t imageSize = static_cast<std::uint32_t>(stride * height);
    std::string bytes;
    auto put = [&bytes](std::uint32_t value, int size) {
        for (int i = 0; i < size; ++i)
            bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
    };
    bytes += "BM";
    put(14 + 40 + imageSize, 4);
    put(0, 4);
    put(14 + 40, 4);
    put(40, 4);
    put(static_cast<std::uint32_t>(width), 4);
    put(static_cast<std::uint32_t>(height), 4);
    put(1, 2);
    put(24, 2);
    put(0, 4);
    put(imageSize, 4);
    put(2835, 4);
    put(2835, 4);
    put(0, 4);
    put(0, 4);
    for (int row = height - 1; row >= 0; --row) {
        for (int x = 0; x < width; ++x)
            put(colour(x, row) & 0xFFFFFF, 3);
        for (int pad = width * 3; pad < stride; ++pad)
            bytes += '\0';
    }
    return WriteDeviceFile(relative, bytes);
}

std::filesystem::path ProgramFixture::WriteMarkerProgram(const std::filesystem::path& relative,
                                                         const std::filesystem::path& marker) {
    std::string script = "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done >> '";
    script += marker.string();
    script += "'\necho --- >> '";
    script += marker.string();
    script += "'\n";
    return WriteDeviceFile(relative, script, true);
}

std::vector<std::string> ProgramFixture::WaitForRuns(const std::filesystem::path& marker,
                                                     std::size_t runs) {
    std::vector<std::string> found;
    for (int attempt = 0; attempt < 2000; ++attempt) {
        found.clear();
        std::size_t ended = 0;
        std::ifstream in(marker);
        for (std::string line; std::getline(in, line);) {
            found.push_back(line);
            ended += line == "---" ? 1 : 0;
        }
        if (ended >= runs)
            break;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return found;
}

void ProgramFixture::Push(zorun::InputEvent::Kind kind, int x, int y, int virtualKey) {
    zorun::InputEvent event;
    event.kind = kind;
    event.point = ToScreen(x, y);
    event.virtualKey = virtualKey;
    zorun::PushInput(event);
}

void ProgramFixture::Tap(int x, int y) {
    Push(zorun::InputEvent::Kind::StylusDown, x, y);
    Push(zorun::InputEvent::Kind::StylusUp, x, y);
    Pump();
}

void ProgramFixture::Down(int x, int y) {
    Push(zorun::InputEvent::Kind::StylusDown, x, y);
}

void ProgramFixture::Move(int x, int y) {
    Push(zorun::InputEvent::Kind::StylusMove, x, y);
    Pump();
}

void ProgramFixture::Up(int x, int y) {
    Push(zorun::InputEvent::Kind::StylusUp, x, y);
    Pump();
}

void ProgramFixture::Hold(int x, int y, std::uint64_t ms) {
    // The hold's own steps run first when a loop (the gesture recogniser)
    // waits: the time passes, then the stylus lifts. Steps queued before
    // by the test follow them (a menu opened by the hold waits for those).
    auto done = std::make_shared<std::pair<bool, bool>>(false, false);
    const std::uint64_t until = clock.NowMs() + ms;
    waiting_.push_front([this, done, x, y] {
        if (done->second)
            return;
        done->second = true;
        Push(zorun::InputEvent::Kind::StylusUp, x, y);
    });
    waiting_.push_front([this, done, until] {
        if (done->first)
            return;
        done->first = true;
        clock.AdvanceTo(until);
    });
    Down(x, y);
    Pump();
    // Nothing waited (no gesture recognised here): finish the hold directly.
    if (!done->first) {
        done->first = true;
        Wait(until - std::min(until, clock.NowMs()));
    }
    if (!done->second) {
        done->second = true;
        Up(x, y);
    }
}

void ProgramFixture::Key(int virtualKey) {
    QueueKey(virtualKey);
    Pump();
}

void ProgramFixture::QueueTap(int x, int y) {
    Push(zorun::InputEvent::Kind::StylusDown, x, y);
    Push(zorun::InputEvent::Kind::StylusUp, x, y);
}

void ProgramFixture::QueueKey(int virtualKey) {
    zorun::InputEvent event;
    event.kind = zorun::InputEvent::Kind::KeyDown;
    event.virtualKey = virtualKey;
    zorun::PushInput(event);
}

void ProgramFixture::Wait(std::uint64_t ms) {
    // Millisecond steps: every timer fires at its time, in order.
    const std::uint64_t until = clock.NowMs() + ms;
    Pump();
    while (clock.NowMs() < until) {
        clock.Advance(1);
        Pump();
    }
}

void ProgramFixture::WhenWaiting(std::function<void()> step) {
    waiting_.push_back(std::move(step));
}

void ProgramFixture::WaitHook(std::optional<std::uint64_t> deadline) {
    if (!waiting_.empty()) {
        auto step = std::move(waiting_.front());
        waiting_.pop_front();
        step();
        return;
    }
    if (deadline) {
        clock.AdvanceTo(*deadline);
        return;
    }
    ADD_FAILURE() << "a loop waits for input that the test does not give";
    PostQuitMessage(0);
}

void ProgramFixture::Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT)
            break;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    zorun::ComposeScreen();
}

const zorun::Surface& ProgramFixture::Screen() {
    zorun::ComposeScreen();
    return zorun::ScreenSurface();
}

std::uint32_t ProgramFixture::ViewPixel(int x, int y) {
    const POINT p = ToScreen(x, y);
    return Screen().Pixel(p.x, p.y);
}

std::vector<std::u16string> ProgramFixture::TextsIn(const RECT& viewRect) {
    const POINT origin = ToScreen(0, 0);
    const RECT area = viewRect.Offset(origin.x, origin.y);
    std::vector<std::u16string> texts;
    for (const zorun::TextRecord& record : Screen().Texts()) {
        if (area.Contains(record.position))
            texts.push_back(record.text);
    }
    return texts;
}

std::vector<std::u16string> ProgramFixture::ScreenTexts() {
    std::vector<std::u16string> texts;
    for (const zorun::TextRecord& record : Screen().Texts())
        texts.push_back(record.text);
    return texts;
}

bool ProgramFixture::SaveScreenshot(const std::filesystem::path& png) {
    return zorun::WritePng(Screen(), png.string());
}
