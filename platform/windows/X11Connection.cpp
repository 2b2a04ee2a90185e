#include "platform/windows/X11Connection.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "platform/base/Log.h"
#include "platform/base/Text.h"

namespace zorun {

namespace {

constexpr const char* kAtomNames[] = {
    "_NET_CLIENT_LIST_STACKING",
    "_NET_CLIENT_LIST",
    "_NET_SUPPORTED",
    "_NET_WM_PID",
    "_NET_WM_NAME",
    "UTF8_STRING",
    "_NET_WM_STATE",
    "_NET_WM_STATE_HIDDEN",
    "_NET_WM_WINDOW_TYPE",
    "_NET_WM_WINDOW_TYPE_DIALOG",
    "_NET_WM_WINDOW_TYPE_DOCK",
    "_NET_WM_WINDOW_TYPE_DESKTOP",
    "_NET_CLOSE_WINDOW",
    "_NET_ACTIVE_WINDOW",
    "WM_PROTOCOLS",
    "WM_DELETE_WINDOW",
    "WM_STATE",
    "COMPOUND_TEXT",
};
static_assert(std::size(kAtomNames) == static_cast<std::size_t>(X11Atom::Count));

// Owns what xcb hands back with malloc.
template <typename T> struct Freed {
    T* p;
    explicit Freed(T* value) : p(value) {}
    ~Freed() { std::free(p); }
    Freed(const Freed&) = delete;
    Freed& operator=(const Freed&) = delete;
    T* operator->() const { return p; }
    explicit operator bool() const { return p != nullptr; }
};

// Drops escape sequences (ESC, intermediates 0x20-0x2F, a final byte):
// what is left of compound text in its default character set is Latin-1.
std::u16string Latin1WithoutEscapes(const std::uint8_t* bytes, std::size_t size) {
    std::u16string text;
    for (std::size_t i = 0; i < size; ++i) {
        if (bytes[i] == 0x1B) {
            ++i;
            while (i < size && bytes[i] >= 0x20 && bytes[i] <= 0x2F)
                ++i;
            continue; // i now at the final byte, skipped by the loop
        }
        text.push_back(static_cast<char16_t>(bytes[i]));
    }
    return text;
}

} // namespace

std::vector<std::uint32_t> X11Property::Values32() const {
    std::vector<std::uint32_t> values;
    if (format != 32)
        return values;
    values.resize(bytes.size() / 4);
    if (!values.empty())
        std::memcpy(values.data(), bytes.data(), values.size() * 4);
    return values;
}

std::unique_ptr<X11Connection> X11Connection::Open(const std::string& displayName) {
    int screenNumber = 0;
    xcb_connection_t* c =
        xcb_connect(displayName.empty() ? nullptr : displayName.c_str(), &screenNumber);
    if (!c)
        return nullptr;
    std::unique_ptr<X11Connection> connection(new X11Connection());
    connection->connection_ = c; // disconnected by the destructor from here on
    if (xcb_connection_has_error(c))
        return nullptr;
    const xcb_setup_t* setup = xcb_get_setup(c);
    xcb_screen_iterator_t screens = xcb_setup_roots_iterator(setup);
    for (int i = 0; i < screenNumber && screens.rem; ++i)
        xcb_screen_next(&screens);
    if (!screens.rem)
        return nullptr;
    connection->root_ = screens.data->root;
    connection->resourceMask_ = setup->resource_id_mask;

    xcb_intern_atom_cookie_t cookies[std::size(kAtomNames)];
    for (std::size_t i = 0; i < std::size(kAtomNames); ++i)
        cookies[i] = xcb_intern_atom(c, 0, static_cast<std::uint16_t>(std::strlen(kAtomNames[i])),
                                     kAtomNames[i]);
    for (std::size_t i = 0; i < std::size(kAtomNames); ++i) {
        Freed<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(c, cookies[i], nullptr));
        if (!reply)
            return nullptr;
        connection->atoms_[i] = reply->atom;
    }
    return connection;
}

X11Connection::~X11Connection() {
    if (connection_)
        xcb_disconnect(connection_);
}

bool X11Connection::Broken() const {
    return xcb_connection_has_error(connection_) != 0;
}

xcb_get_property_cookie_t X11Connection::AskProperty(xcb_window_t window, xcb_atom_t property,
                                                     std::uint32_t maxLongs) const {
    return xcb_get_property(connection_, 0, window, property, XCB_GET_PROPERTY_TYPE_ANY, 0,
                            maxLongs);
}

std::optional<X11Property> X11Connection::ReadProperty(xcb_get_property_cookie_t cookie) const {
    xcb_generic_error_t* error = nullptr;
    Freed<xcb_get_property_reply_t> reply(xcb_get_property_reply(connection_, cookie, &error));
    std::free(error); // a window that vanished: simply no property
    if (!reply || reply->type == XCB_ATOM_NONE)
        return std::nullopt;
    X11Property property;
    property.type = reply->type;
    property.format = reply->format;
    const auto length = static_cast<std::size_t>(xcb_get_property_value_length(reply.p));
    const auto* value = static_cast<const std::uint8_t*>(xcb_get_property_value(reply.p));
    if (value && length > 0)
        property.bytes.assign(value, value + length);
    return property;
}

std::optional<X11Property> X11Connection::Property(xcb_window_t window, xcb_atom_t property,
                                                   std::uint32_t maxLongs) const {
    return ReadProperty(AskProperty(window, property, maxLongs));
}

bool X11Connection::WindowManagerSupports(X11Atom feature) {
    if (!supported_) {
        auto property = Property(root_, Atom(X11Atom::NetSupported), 1024);
        supported_ = property ? property->Values32() : std::vector<std::uint32_t>{};
    }
    return std::find(supported_->begin(), supported_->end(), Atom(feature)) != supported_->end();
}

void X11Connection::SendClientMessage(xcb_window_t destination, xcb_window_t window,
                                      xcb_atom_t type, std::uint32_t eventMask,
                                      const std::uint32_t (&data)[5]) {
    // xcb_send_event copies 32 bytes whatever the event's own size.
    char buffer[32] = {};
    auto* event = reinterpret_cast<xcb_client_message_event_t*>(buffer);
    event->response_type = XCB_CLIENT_MESSAGE;
    event->format = 32;
    event->window = window;
    event->type = type;
    std::memcpy(event->data.data32, data, sizeof(data));
    xcb_send_event(connection_, 0, destination, eventMask, buffer);
}

std::size_t X11Connection::Sync() {
    const std::size_t before = errors_;
    std::free(xcb_get_input_focus_reply(connection_, xcb_get_input_focus(connection_), nullptr));
    RecordErrors();
    return errors_ - before;
}

void X11Connection::RecordErrors() {
    // Nothing selects events on this connection: what arrives are the
    // errors of requests sent without waiting for their answer.
    while (xcb_generic_event_t* event = xcb_poll_for_event(connection_)) {
        if (event->response_type == 0) {
            ++errors_;
            const auto* error = reinterpret_cast<const xcb_generic_error_t*>(event);
            if (error->error_code != XCB_WINDOW)
                LogWarning("task list: X error " + std::to_string(error->error_code) +
                           " for request " + std::to_string(error->major_code));
        }
        std::free(event);
    }
}

std::u16string DecodeTextProperty(const X11Property& property, xcb_atom_t utf8String,
                                  xcb_atom_t compoundText) {
    if (property.format != 8)
        return {};
    const auto end = std::find(property.bytes.begin(), property.bytes.end(), 0);
    const auto size = static_cast<std::size_t>(end - property.bytes.begin());
    if (property.type == utf8String)
        return FromUtf8(
            std::string_view(reinterpret_cast<const char*>(property.bytes.data()), size));
    if (property.type == compoundText)
        return Latin1WithoutEscapes(property.bytes.data(), size);
    std::u16string text;
    for (std::size_t i = 0; i < size; ++i)
        text.push_back(static_cast<char16_t>(property.bytes[i]));
    return text;
}

} // namespace zorun
