#include "tests/support/DialogFixture.h"

#include <algorithm>
#include <cstdlib>
#include <memory>

#include "platform/base/Text.h"
#include "platform/gdi/Icon.h"
#include "platform/gdi/Surface.h"
#include "platform/user/Chrome.h"
#include "platform/user/CommCtrl.h"
#include "platform/user/Dialog.h"
#include "platform/user/Input.h"

namespace {
// What a dialog the test had to end returns.
constexpr INT_PTR kAbandoned = -2;
// The program browser's file list (dialog 161).
constexpr int kBrowserFileList = 1020;
} // namespace

INT_PTR DialogFixture::RunModal(CDialog& dialog, std::vector<std::function<void()>> steps) {
    // Steps outlive this run only as no-ops (a later loop may still meet them).
    auto running = std::make_shared<bool>(true);
    for (auto& step : steps)
        WhenWaiting([running, step = std::move(step)] {
            if (*running)
                step();
        });
    WhenWaiting([running] {
        if (!*running)
            return;
        ADD_FAILURE() << "the dialog is still open after its last step";
        if (HWND front = FrontDialog())
            ::EndDialog(front, kAbandoned);
    });
    const INT_PTR result = dialog.DoModal();
    *running = false;
    Pump();
    return result;
}

void DialogFixture::QueueAt(zorun::InputEvent::Kind kind, POINT screen) {
    zorun::InputEvent event;
    event.kind = kind;
    event.point = screen;
    zorun::PushInput(event);
}

void DialogFixture::QueueDialogDown(int x, int y) {
    QueueAt(zorun::InputEvent::Kind::StylusDown, {x, y + kDialogTop});
}

void DialogFixture::QueueDialogMove(int x, int y) {
    QueueAt(zorun::InputEvent::Kind::StylusMove, {x, y + kDialogTop});
}

void DialogFixture::QueueDialogUp(int x, int y) {
    QueueAt(zorun::InputEvent::Kind::StylusUp, {x, y + kDialogTop});
}

void DialogFixture::QueueDialogTap(int x, int y) {
    QueueDialogDown(x, y);
    QueueDialogUp(x, y);
}

void DialogFixture::QueueControlTap(int id) {
    RECT r{};
    HWND control = GetDlgItem(FrontDialog(), id);
    ASSERT_TRUE(control && GetWindowRect(control, &r)) << "no control " << id;
    const POINT centre{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    QueueAt(zorun::InputEvent::Kind::StylusDown, centre);
    QueueAt(zorun::InputEvent::Kind::StylusUp, centre);
}

void DialogFixture::QueueListRowTap(int id, int row) {
    RECT r{};
    HWND list = GetDlgItem(FrontDialog(), id);
    ASSERT_TRUE(list && GetWindowRect(list, &r)) << "no list " << id;
    const int height = static_cast<int>(SendMessageW(list, LB_GETITEMHEIGHT, 0, 0));
    const int top = static_cast<int>(SendMessageW(list, LB_GETTOPINDEX, 0, 0));
    // Inside the border, away from the scroll bar.
    const POINT at{r.left + 20, r.top + 1 + (row - top) * height + height / 2};
    ASSERT_LT(at.y, r.bottom) << "row " << row << " is not shown";
    QueueAt(zorun::InputEvent::Kind::StylusDown, at);
    QueueAt(zorun::InputEvent::Kind::StylusUp, at);
}

void DialogFixture::QueueOk() {
    const RECT ok = zorun::kOkButtonRect;
    const POINT centre{(ok.left + ok.right) / 2, (ok.top + ok.bottom) / 2};
    QueueAt(zorun::InputEvent::Kind::StylusDown, centre);
    QueueAt(zorun::InputEvent::Kind::StylusUp, centre);
}

void DialogFixture::QueueText(std::u16string_view text) {
    for (char16_t c : text) {
        zorun::InputEvent event;
        event.kind = zorun::InputEvent::Kind::Char;
        event.character = c;
        zorun::PushInput(event);
    }
}

void DialogFixture::QueueBrowserChoice(int row) {
    HWND list = GetDlgItem(FrontDialog(), kBrowserFileList);
    ASSERT_NE(list, nullptr) << "the program browser is not open";
    RECT client{};
    GetClientRect(list, &client);
    for (int y = 0; y < client.bottom; ++y) {
        LVHITTESTINFO hit{};
        hit.pt = {20, y};
        if (SendMessageW(list, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)) == row) {
            POINT p{20, y + 2};
            ClientToScreen(list, &p);
            QueueAt(zorun::InputEvent::Kind::StylusDown, p);
            QueueAt(zorun::InputEvent::Kind::StylusUp, p);
            QueueOk();
            return;
        }
    }
    ADD_FAILURE() << "row " << row << " is not shown";
}

std::u16string DialogFixture::ShownText() {
    std::u16string all;
    for (const auto& text : ScreenTexts())
        all += text + u" ";
    std::replace(all.begin(), all.end(), u'\n', u' ');
    return all;
}

std::function<void()> DialogFixture::Answer(std::u16string text, int key) {
    return [this, text = std::move(text), key] {
        const std::u16string shown = ShownText();
        EXPECT_NE(shown.find(text), std::u16string::npos)
            << "no message: " << zorun::ToUtf8(text) << " in " << zorun::ToUtf8(shown);
        QueueKey(key);
    };
}

HWND DialogFixture::FrontDialog() {
    HWND front = GetForegroundWindow();
    return zorun::IsDialogWindow(front) ? front : nullptr;
}

std::vector<std::u16string> DialogFixture::ListBoxEntries(HWND listBox) {
    std::vector<std::u16string> entries;
    const auto count = SendMessageW(listBox, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        const auto length = SendMessageW(listBox, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0);
        std::u16string text(static_cast<std::size_t>(std::max<LRESULT>(length, 0)) + 1, u'\0');
        SendMessageW(listBox, LB_GETTEXT, static_cast<WPARAM>(i),
                     reinterpret_cast<LPARAM>(text.data()));
        text.resize(static_cast<std::size_t>(std::max<LRESULT>(length, 0)));
        entries.push_back(text);
    }
    return entries;
}

int DialogFixture::ListBoxSelection(HWND listBox) {
    return static_cast<int>(SendMessageW(listBox, LB_GETCURSEL, 0, 0));
}

namespace {

// Every opaque pixel of `picture` at screen point `at` is on the screen.
bool Matches(const zorun::Surface& screen, const zorun::Surface& picture, POINT at) {
    int compared = 0;
    for (int y = 0; y < picture.Height(); ++y) {
        for (int x = 0; x < picture.Width(); ++x) {
            const std::uint32_t p = picture.Pixel(x, y);
            if ((p >> 24) != 0xFF)
                continue;
            if ((screen.Pixel(at.x + x, at.y + y) & 0xFFFFFF) != (p & 0xFFFFFF))
                return false;
            ++compared;
        }
    }
    return compared > 0;
}

} // namespace

bool DialogFixture::ShowsIcon(int number, POINT at) {
    HICON icon = LoadIconW(nullptr, number);
    const zorun::Surface* pixels = icon ? zorun::IconPixels(icon) : nullptr;
    const bool shown = pixels && Matches(Screen(), *pixels, {at.x, at.y + kDialogTop});
    if (icon)
        DestroyIcon(icon);
    return shown;
}

bool DialogFixture::ShowsBitmap(int number, POINT at) {
    HBITMAP bitmap = LoadBitmapW(nullptr, number);
    const zorun::Surface* pixels = bitmap ? zorun::SurfaceOfBitmap(bitmap) : nullptr;
    const bool shown = pixels && Matches(Screen(), *pixels, {at.x, at.y + kDialogTop});
    if (bitmap)
        DeleteObject(bitmap);
    return shown;
}

void DialogFixture::Screenshot(const std::string& name) {
    const char* folder = std::getenv("ZORUN_SCREENSHOT_DIR");
    if (folder && *folder) {
        EXPECT_TRUE(SaveScreenshot(std::filesystem::path(folder) / name)) << name;
    }
}
