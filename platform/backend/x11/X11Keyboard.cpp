#include "platform/backend/x11/X11Keyboard.h"

#include <X11/Xutil.h>
#include <X11/keysym.h>

#include <algorithm>
#include <clocale>
#include <cstring>
#include <string>

#include "platform/base/Text.h"
#include "platform/user/Input.h"
#include "platform/user/WinUser.h"

namespace zorun {

namespace {

// The device's key for an X key symbol, and the character the key itself
// types on the device (0: its text, if any, comes as typed characters).
int VirtualKey(KeySym key, char16_t* character) {
    *character = 0;
    switch (key) {
    case XK_Left:
    case XK_KP_Left:
        return VK_LEFT;
    case XK_Right:
    case XK_KP_Right:
        return VK_RIGHT;
    case XK_Up:
    case XK_KP_Up:
        return VK_UP;
    case XK_Down:
    case XK_KP_Down:
        return VK_DOWN;
    case XK_Return:
    case XK_KP_Enter:
        *character = u'\r';
        return VK_RETURN;
    case XK_Escape:
        *character = 0x1B;
        return VK_ESCAPE;
    case XK_Tab:
    case XK_ISO_Left_Tab:
        *character = u'\t';
        return VK_TAB;
    case XK_BackSpace:
        *character = 0x08;
        return VK_BACK;
    case XK_Delete:
    case XK_KP_Delete:
        return VK_DELETE;
    case XK_space:
        return VK_SPACE;
    default:
        break;
    }
    if (key >= XK_a && key <= XK_z)
        return 'A' + static_cast<int>(key - XK_a);
    if (key >= XK_A && key <= XK_Z)
        return 'A' + static_cast<int>(key - XK_A);
    if (key >= XK_0 && key <= XK_9)
        return '0' + static_cast<int>(key - XK_0);
    return 0;
}

// Letter and digit keys keep their device key in any layout: with a
// non-Latin layout active, the key's symbol in the other groups tells it.
int LetterKeyOfAnyGroup(XKeyEvent& event) {
    for (int index : {0, 2}) {
        char16_t ignored = 0;
        const KeySym key = XLookupKeysym(&event, index);
        if (int vk = VirtualKey(key, &ignored); vk >= '0' && vk <= 'Z')
            return vk;
    }
    return 0;
}

// Latin-1 text (what XLookupString gives without an input method) as UTF-8.
std::string Latin1ToUtf8(const char* text, int length) {
    std::string out;
    for (int i = 0; i < length; ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

void OnInputMethodGone(XIM, XPointer self, XPointer) {
    // The input method's server went away: its objects are gone with it.
    *reinterpret_cast<bool*>(self) = true;
}

} // namespace

X11Keyboard::X11Keyboard(Display* display, Window window) : display_(display), window_(window) {}

X11Keyboard::~X11Keyboard() {
    CloseInputMethod();
}

void X11Keyboard::CloseInputMethod() {
    if (imGone_) {
        ic_ = nullptr;
        im_ = nullptr;
        return;
    }
    if (ic_)
        XDestroyIC(ic_);
    if (im_)
        XCloseIM(im_);
    ic_ = nullptr;
    im_ = nullptr;
}

void X11Keyboard::OpenInputMethod() {
    triedInputMethod_ = true;
    // Xlib's input methods work in the locale's encoding: the user's own,
    // or UTF-8 when the process still runs in the "C" locale.
    const char* current = std::setlocale(LC_CTYPE, nullptr);
    if (!current || std::strcmp(current, "C") == 0 || std::strcmp(current, "POSIX") == 0)
        std::setlocale(LC_CTYPE, "");
    if (!XSupportsLocale())
        std::setlocale(LC_CTYPE, "C.UTF-8");
    if (!XSupportsLocale())
        return;
    XSetLocaleModifiers(""); // XMODIFIERS names the user's input method
    im_ = XOpenIM(display_, nullptr, nullptr, nullptr);
    if (!im_) {
        XSetLocaleModifiers("@im=none"); // Xlib's own: compose sequences only
        im_ = XOpenIM(display_, nullptr, nullptr, nullptr);
    }
    if (!im_)
        return;
    XIMCallback gone{reinterpret_cast<XPointer>(&imGone_), OnInputMethodGone};
    XSetIMValues(im_, XNDestroyCallback, &gone, nullptr);
    ic_ = XCreateIC(im_, XNInputStyle, XIMPreeditNothing | XIMStatusNothing, XNClientWindow,
                    window_, XNFocusWindow, window_, nullptr);
    if (!ic_) {
        XCloseIM(im_);
        im_ = nullptr;
        return;
    }
    XSetICFocus(ic_);
}

bool X11Keyboard::Filter(XEvent& event) {
    if (imGone_) {
        CloseInputMethod();
        imGone_ = false;
    }
    return ic_ && XFilterEvent(&event, None);
}

void X11Keyboard::OnFocusIn() {
    if (ic_ && !imGone_)
        XSetICFocus(ic_);
}

void X11Keyboard::OnFocusOut() {
    if (ic_ && !imGone_)
        XUnsetICFocus(ic_);
    // Keys let go of in another window never tell us: pressed again here,
    // they are new presses, not repeats.
    down_.reset();
}

void X11Keyboard::OnKeyPress(XKeyEvent& event) {
    if (!triedInputMethod_) {
        OpenInputMethod();
        // The first key may start a composition, like any later one.
        if (ic_ && XFilterEvent(reinterpret_cast<XEvent*>(&event), None))
            return;
    }
    KeySym key = NoSymbol;
    std::string text;
    char buffer[64];
    if (ic_ && !imGone_) {
        Status status = XLookupNone;
        int length = Xutf8LookupString(ic_, &event, buffer, sizeof buffer, &key, &status);
        if (status == XBufferOverflow) {
            std::string big(static_cast<std::size_t>(length), '\0');
            length = Xutf8LookupString(ic_, &event, big.data(), length, &key, &status);
            text.assign(big.data(), static_cast<std::size_t>(std::max(length, 0)));
        } else if (status == XLookupChars || status == XLookupBoth) {
            text.assign(buffer, static_cast<std::size_t>(std::max(length, 0)));
        }
        if (status != XLookupKeySym && status != XLookupBoth)
            key = NoSymbol;
    } else {
        const int length = XLookupString(&event, buffer, sizeof buffer, &key, nullptr);
        text = Latin1ToUtf8(buffer, std::max(length, 0));
    }

    char16_t character = 0;
    int vk = key != NoSymbol ? VirtualKey(key, &character) : 0;
    if (key != NoSymbol && vk == 0 && event.keycode != 0)
        vk = LetterKeyOfAnyGroup(event);
    if (vk) {
        InputEvent input{InputEvent::Kind::KeyDown, {}, vk, character};
        input.repeat = event.keycode < down_.size() && down_[event.keycode];
        input.shift = (event.state & ShiftMask) != 0;
        input.control = (event.state & ControlMask) != 0;
        PushInput(input);
    }
    if (event.keycode < down_.size())
        down_[event.keycode] = true;
    // Control characters (Return, Tab, Ctrl+letter) are keys, not text.
    for (char16_t c : FromUtf8(text)) {
        if (c >= 0x20 && c != 0x7F)
            PushInput({InputEvent::Kind::Char, {}, 0, c});
    }
}

void X11Keyboard::OnKeyRelease(XKeyEvent& event) {
    if (event.keycode < down_.size())
        down_[event.keycode] = false;
    char16_t ignored = 0;
    int vk = VirtualKey(XLookupKeysym(&event, 0), &ignored);
    if (vk == 0)
        vk = LetterKeyOfAnyGroup(event);
    if (vk)
        PushInput({InputEvent::Kind::KeyUp, {}, vk, 0});
}

} // namespace zorun
