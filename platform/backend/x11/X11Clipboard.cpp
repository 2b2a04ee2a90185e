#include "platform/backend/x11/X11Clipboard.h"

#include <X11/Xatom.h>

#include <chrono>
#include <iterator>
#include <poll.h>

namespace zorun {

namespace {

// The most taken from another program: far more than a line of an edit.
constexpr long kMostBytes = 1 << 20;

// UTF-8 to Latin-1 for owners' STRING requests; other characters become '?'.
std::string ToLatin1(const std::string& utf8) {
    std::string out;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        std::size_t length = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : 4;
        if (length == 2 && i + 1 < utf8.size()) {
            const unsigned code =
                (c & 0x1Fu) << 6 | (static_cast<unsigned char>(utf8[i + 1]) & 0x3Fu);
            out.push_back(code < 0x100 ? static_cast<char>(code) : '?');
        } else {
            out.push_back(length == 1 ? static_cast<char>(c) : '?');
        }
        i += length;
    }
    return out;
}

std::string FromLatin1(const std::string& latin1) {
    std::string out;
    for (unsigned char c : latin1) {
        if (c < 0x80) {
            out.push_back(static_cast<char>(c));
        } else {
            out.push_back(static_cast<char>(0xC0 | c >> 6));
            out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        }
    }
    return out;
}

} // namespace

X11Clipboard::X11Clipboard(Display* display, Window window) : display_(display), window_(window) {
    // One round trip for all of them: this is on the way to the first frame.
    const char* names[] = {"CLIPBOARD", "UTF8_STRING", "TARGETS", "TEXT", "ZORUN_CLIPBOARD"};
    Atom atoms[std::size(names)] = {};
    XInternAtoms(display, const_cast<char**>(names), static_cast<int>(std::size(names)), False,
                 atoms);
    clipboard_ = atoms[0];
    utf8_ = atoms[1];
    targets_ = atoms[2];
    text_ = atoms[3];
    property_ = atoms[4];
}

void X11Clipboard::Own(std::string utf8, Time time) {
    XSetSelectionOwner(display_, clipboard_, window_, time);
    if (XGetSelectionOwner(display_, clipboard_) == window_)
        owned_ = std::move(utf8);
    else
        owned_.reset();
    XFlush(display_);
}

std::optional<std::string> X11Clipboard::Read(Time time, int waitMs) {
    // Our own text needs no round trip (and we could not answer ourselves
    // while waiting).
    if (owned_ && XGetSelectionOwner(display_, clipboard_) == window_)
        return owned_;
    if (XGetSelectionOwner(display_, clipboard_) == None)
        return std::nullopt;
    if (auto text = Convert(utf8_, time, waitMs))
        return text;
    if (auto text = Convert(XA_STRING, time, waitMs))
        return FromLatin1(*text);
    return std::nullopt;
}

std::optional<std::string> X11Clipboard::Convert(Atom target, Time time, int waitMs) {
    XDeleteProperty(display_, window_, property_);
    XConvertSelection(display_, clipboard_, target, property_, window_, time);
    XFlush(display_);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs);
    XEvent event;
    for (;;) {
        if (XCheckTypedWindowEvent(display_, window_, SelectionNotify, &event) &&
            event.xselection.selection == clipboard_)
            break;
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                              deadline - std::chrono::steady_clock::now())
                              .count();
        if (left <= 0)
            return std::nullopt;
        pollfd connection{ConnectionNumber(display_), POLLIN, 0};
        if (poll(&connection, 1, static_cast<int>(left)) > 0)
            (void)XEventsQueued(display_, QueuedAfterReading);
    }
    if (event.xselection.property == None)
        return std::nullopt;
    Atom type = None;
    int format = 0;
    unsigned long items = 0, after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display_, window_, property_, 0, kMostBytes / 4, True, AnyPropertyType,
                           &type, &format, &items, &after, &data) != Success)
        return std::nullopt;
    std::optional<std::string> text;
    if (data && format == 8 && (type == utf8_ || type == XA_STRING || type == text_) && after == 0)
        text = std::string(reinterpret_cast<const char*>(data), items);
    if (data)
        XFree(data);
    return text;
}

void X11Clipboard::Answer(const XSelectionRequestEvent& request) {
    XSelectionEvent reply{};
    reply.type = SelectionNotify;
    reply.display = request.display;
    reply.requestor = request.requestor;
    reply.selection = request.selection;
    reply.target = request.target;
    reply.time = request.time;
    // Obsolete clients name no property: the target serves as one.
    const Atom property = request.property != None ? request.property : request.target;
    reply.property = None;
    if (owned_ && request.selection == clipboard_) {
        if (request.target == targets_) {
            const Atom offered[] = {targets_, utf8_, XA_STRING, text_};
            XChangeProperty(display_, request.requestor, property, XA_ATOM, 32, PropModeReplace,
                            reinterpret_cast<const unsigned char*>(offered), 4);
            reply.property = property;
        } else if (request.target == utf8_ || request.target == text_ ||
                   request.target == XA_STRING) {
            const std::string bytes = request.target == XA_STRING ? ToLatin1(*owned_) : *owned_;
            XChangeProperty(display_, request.requestor, property,
                            request.target == XA_STRING ? XA_STRING : utf8_, 8, PropModeReplace,
                            reinterpret_cast<const unsigned char*>(bytes.data()),
                            static_cast<int>(bytes.size()));
            reply.property = property;
        }
    }
    XEvent event{};
    event.xselection = reply;
    XSendEvent(display_, request.requestor, False, NoEventMask, &event);
    XFlush(display_);
}

bool X11Clipboard::Handle(const XEvent& event) {
    switch (event.type) {
    case SelectionRequest:
        Answer(event.xselectionrequest);
        return true;
    case SelectionClear:
        if (event.xselectionclear.selection == clipboard_)
            owned_.reset();
        return true;
    default:
        return false;
    }
}

} // namespace zorun
