#pragma once
// The task list's own connection to the X server (xcb), separate from the
// display's: the atoms it needs, property reading, and errors. X errors (a
// window that vanished between two requests) are counted, never fatal; xcb
// reports them per connection, so nothing here touches the process-wide
// error handlers of Xlib that a display backend may have installed.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <xcb/xcb.h>

namespace zorun {

enum class X11Atom {
    NetClientListStacking,
    NetClientList,
    NetSupported,
    NetWmPid,
    NetWmName,
    Utf8String,
    NetWmState,
    NetWmStateHidden,
    NetWmWindowType,
    NetWmWindowTypeDialog,
    NetWmWindowTypeDock,
    NetWmWindowTypeDesktop,
    NetCloseWindow,
    NetActiveWindow,
    WmProtocols,
    WmDeleteWindow,
    WmState,
    CompoundText,
    Count
};

// A property's value as read: its type, format (8, 16, 32) and bytes.
struct X11Property {
    xcb_atom_t type = XCB_ATOM_NONE;
    std::uint8_t format = 0;
    std::vector<std::uint8_t> bytes;

    [[nodiscard]] std::vector<std::uint32_t> Values32() const;
};

class X11Connection {
  public:
    // Nullptr when the display cannot be reached.
    [[nodiscard]] static std::unique_ptr<X11Connection> Open(const std::string& displayName);
    ~X11Connection();
    X11Connection(const X11Connection&) = delete;
    X11Connection& operator=(const X11Connection&) = delete;

    [[nodiscard]] xcb_connection_t* Get() const { return connection_; }
    [[nodiscard]] xcb_window_t Root() const { return root_; }
    // The bits of a resource id that a client chooses; the rest is the
    // client's base, the same for all its windows.
    [[nodiscard]] std::uint32_t ResourceMask() const { return resourceMask_; }
    [[nodiscard]] xcb_atom_t Atom(X11Atom atom) const { return atoms_[static_cast<int>(atom)]; }
    // True once the server has gone: the connection is useless from then on.
    [[nodiscard]] bool Broken() const;

    // Asks for a property; read the answer with ReadProperty. `maxLongs`
    // bounds what is read, in 32-bit units.
    [[nodiscard]] xcb_get_property_cookie_t AskProperty(xcb_window_t window, xcb_atom_t property,
                                                        std::uint32_t maxLongs) const;
    // Nullopt when the window has gone or the property is not set.
    [[nodiscard]] std::optional<X11Property> ReadProperty(xcb_get_property_cookie_t cookie) const;
    [[nodiscard]] std::optional<X11Property> Property(xcb_window_t window, xcb_atom_t property,
                                                      std::uint32_t maxLongs) const;

    // The EWMH features the window manager says it supports (read once).
    [[nodiscard]] bool WindowManagerSupports(X11Atom feature);

    // Sends a client message with 32-bit data to `destination`.
    void SendClientMessage(xcb_window_t destination, xcb_window_t window, xcb_atom_t type,
                           std::uint32_t eventMask, const std::uint32_t (&data)[5]);
    // Waits until the server has handled every request sent so far, then
    // records the errors they caused; returns how many there were.
    std::size_t Sync();
    // Errors recorded since the connection opened.
    [[nodiscard]] std::size_t ErrorCount() const { return errors_; }

  private:
    X11Connection() = default;
    void RecordErrors();

    xcb_connection_t* connection_ = nullptr;
    xcb_window_t root_ = XCB_WINDOW_NONE;
    std::uint32_t resourceMask_ = 0;
    xcb_atom_t atoms_[static_cast<int>(X11Atom::Count)] = {};
    std::optional<std::vector<std::uint32_t>> supported_;
    std::size_t errors_ = 0;
};

// The text of a text property: UTF8_STRING as UTF-8, STRING as Latin-1,
// COMPOUND_TEXT as its Latin-1 part; up to the first NUL.
[[nodiscard]] std::u16string DecodeTextProperty(const X11Property& property, xcb_atom_t utf8String,
                                                xcb_atom_t compoundText);

} // namespace zorun
