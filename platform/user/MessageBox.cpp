// MessageBoxW: a modal box centred in the work area: caption line, icon,
// wrapped text and its buttons. Return presses the first button, Escape
// cancels (an OK-only box ends with IDOK); the navigation bar's "ok" counts
// as OK.
#include <algorithm>
#include <string>
#include <vector>

#include "platform/user/ControlPaint.h"
#include "platform/user/ControlSupport.h"
#include "platform/user/MessageBoxIcons.h"
#include "platform/user/MessageBoxTexts.h"
#include "platform/user/ModalLoop.h"
#include "platform/user/Screen.h"

namespace {

constexpr int kWidth = 216;
constexpr int kCaptionHeight = 18;
constexpr int kMargin = 8;
constexpr int kButtonWidth = 56;
constexpr int kButtonHeight = 20;
constexpr int kButtonGap = 8;

struct BoxState {
    std::u16string text;
    std::u16string caption;
    zorun::MessageIcon icon = zorun::MessageIcon::None;
    UINT buttons = MB_OK;
    RECT textRect{};
};

std::vector<std::pair<int, const char16_t*>> ButtonsOf(UINT type) {
    const zorun::MessageBoxTexts& words = zorun::MessageBoxTextsInUse();
    switch (type & 0x0F) {
    case MB_OKCANCEL:
        return {{IDOK, words.ok}, {IDCANCEL, words.cancel}};
    case MB_YESNO:
        return {{IDYES, words.yes}, {IDNO, words.no}};
    default:
        return {{IDOK, words.ok}};
    }
}

// What a cancelling key or a closed box means for this kind of box; 0 when
// the box cannot be cancelled (Yes/No must be answered).
int CancelResult(UINT buttons) {
    switch (buttons & 0x0F) {
    case MB_OKCANCEL:
        return IDCANCEL;
    case MB_YESNO:
        return 0;
    default:
        return IDOK;
    }
}

LRESULT BoxProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    BoxState& s = zorun::ControlStates<BoxState>::Of(hwnd);
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT ps{};
        HDC hdc = BeginPaint(hwnd, &ps);
        if (hdc) {
            const RECT c = zorun::ClientOf(hwnd);
            zorun::FillSolid(hdc, c, zorun::kControlBack);
            zorun::FillSolid(hdc, {c.left, c.top, c.right, c.top + kCaptionHeight},
                             zorun::kBarGrey);
            zorun::FillSolid(hdc,
                             {c.left, c.top + kCaptionHeight, c.right, c.top + kCaptionHeight + 1},
                             zorun::kControlFrame);
            zorun::FrameSolid(hdc, c, zorun::kControlFrame);
            zorun::DrawLabel(hdc, s.caption,
                             {c.left + 5, c.top, c.right - 4, c.top + kCaptionHeight},
                             DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS,
                             zorun::kControlText, zorun::BoldFont());
            if (s.icon != zorun::MessageIcon::None)
                zorun::DrawMessageIcon(hdc, kMargin, kCaptionHeight + kMargin, s.icon);
            zorun::DrawLabel(hdc, s.text, s.textRect, DT_LEFT | DT_WORDBREAK, zorun::kControlText,
                             zorun::DialogFont());
        }
        EndPaint(hwnd, &ps);
        return 0;
    }
    case WM_ERASEBKGND:
        return 1;
    case WM_COMMAND: {
        int id = LOWORD(wParam);
        if (id == IDCANCEL)
            id = CancelResult(s.buttons);
        const auto buttons = ButtonsOf(s.buttons);
        if (std::any_of(buttons.begin(), buttons.end(),
                        [&](const auto& b) { return b.first == id; }))
            EndModalLoop(hwnd, id);
        return 0;
    }
    case WM_CLOSE:
        if (const int id = CancelResult(s.buttons))
            EndModalLoop(hwnd, id);
        return 0;
    case WM_KEYDOWN:
        if (wParam == VK_RETURN)
            SendMessageW(hwnd, WM_COMMAND, static_cast<WPARAM>(ButtonsOf(s.buttons).front().first),
                         0);
        else if (wParam == VK_ESCAPE)
            SendMessageW(hwnd, WM_COMMAND, IDCANCEL, 0);
        return 0;
    case WM_DESTROY:
        zorun::ControlStates<BoxState>::Forget(hwnd);
        return zorun::DefDialogProc(hwnd, message, wParam, lParam);
    default:
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
}

} // namespace

int MessageBoxW(HWND owner, const char16_t* text, const char16_t* caption, UINT type) {
    zorun::RegisterBuiltinControls();
    zorun::FocusKeeper focus;
    BoxState state;
    state.text = text ? text : u"";
    state.caption = caption ? caption : u"";
    state.icon = zorun::MessageIconOf(type);
    state.buttons = type;

    // Height from the wrapped text.
    const int textLeft = state.icon != zorun::MessageIcon::None ? kMargin + 32 + kMargin : kMargin;
    const int textWidth = kWidth - textLeft - kMargin;
    RECT measure{0, 0, textWidth, 0};
    if (HDC dc = CreateCompatibleDC(nullptr)) {
        HGDIOBJ old = SelectObject(dc, zorun::DialogFont());
        DrawTextW(dc, state.text.c_str(), static_cast<int>(state.text.size()), &measure,
                  DT_LEFT | DT_WORDBREAK | DT_CALCRECT | DT_NOPREFIX);
        SelectObject(dc, old);
        DeleteDC(dc);
    }
    const int maxText =
        zorun::kWorkArea.Height() - kCaptionHeight - 3 * kMargin - kButtonHeight - 2;
    const int textHeight = std::clamp(measure.Height(), 14, std::max(14, maxText));
    const int bodyHeight = std::max(textHeight, state.icon != zorun::MessageIcon::None ? 32 : 0);
    const int height =
        kCaptionHeight + 1 + kMargin + bodyHeight + kMargin + kButtonHeight + kMargin;
    const int left = zorun::kWorkArea.left + (zorun::kWorkArea.Width() - kWidth) / 2;
    const int top = zorun::kWorkArea.top + std::max(0, (zorun::kWorkArea.Height() - height) / 2);
    state.textRect = {textLeft, kCaptionHeight + 1 + kMargin, textLeft + textWidth,
                      kCaptionHeight + 1 + kMargin + textHeight};

    HWND box =
        CreateWindowExW(WS_EX_TOPMOST, u"MessageBox", state.caption.c_str(), WS_POPUP, left, top,
                        kWidth, height, zorun::TopLevelOf(owner), nullptr, BoxProc, nullptr);
    if (!box)
        return 0;
    zorun::ControlStates<BoxState>::Of(box) = state;
    zorun::RegisterDialogWindow(box);

    const auto buttons = ButtonsOf(type);
    const int count = static_cast<int>(buttons.size());
    // The buttons are as wide as the longest of their words needs (some
    // languages' "Cancel" is longer than the usual width).
    int buttonWidth = kButtonWidth;
    for (const auto& button : buttons)
        buttonWidth =
            std::max(buttonWidth, zorun::TextWidth(zorun::DialogFont(), button.second) + 10);
    buttonWidth = std::min(buttonWidth, (kWidth - 2 * kMargin - (count - 1) * kButtonGap) / count);
    const int rowWidth = count * buttonWidth + (count - 1) * kButtonGap;
    int x = (kWidth - rowWidth) / 2;
    HWND first = nullptr;
    for (const auto& [id, label] : buttons) {
        HWND button = CreateWindowExW(
            0, u"BUTTON", label,
            WS_CHILD | WS_VISIBLE | WS_TABSTOP | (first ? BS_PUSHBUTTON : BS_DEFPUSHBUTTON), x,
            height - kMargin - kButtonHeight, buttonWidth, kButtonHeight, box,
            reinterpret_cast<HMENU>(static_cast<std::intptr_t>(id)), nullptr, nullptr);
        SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(zorun::DialogFont()), 0);
        if (!first)
            first = button;
        x += buttonWidth + kButtonGap;
    }
    ShowWindow(box, SW_SHOW);
    SetForegroundWindow(box);
    if (first)
        SetFocus(first);
    int result = RunModalLoop(box);
    if (IsWindow(box))
        DestroyWindow(box);
    if (result == 0) // the loop ended without an answer (the program is quitting)
        result = CancelResult(type) ? CancelResult(type) : IDNO;
    return result;
}
