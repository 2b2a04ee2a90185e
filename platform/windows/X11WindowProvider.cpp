#include "platform/windows/X11WindowProvider.h"

#include <algorithm>
#include <cstdlib>
#include <unistd.h>

#include "platform/base/Text.h"
#include "platform/kernel/Process.h"

namespace zorun {

namespace {

// Bounds on what is read from the server, in 32-bit units.
constexpr std::uint32_t kMaxWindows = 4096;
constexpr std::uint32_t kMaxTitleLongs = 256; // 1 KiB of text
constexpr std::uint32_t kMaxAtoms = 32;
constexpr std::uint32_t kMaxNameLongs = 64;

bool Contains(const std::vector<std::uint32_t>& values, std::uint32_t value) {
    return std::find(values.begin(), values.end(), value) != values.end();
}

std::vector<std::uint32_t> Values(const std::optional<X11Property>& property) {
    return property ? property->Values32() : std::vector<std::uint32_t>{};
}

// The class part of WM_CLASS ("instance\0class\0").
std::u16string ClassOf(const std::optional<X11Property>& property) {
    if (!property || property->format != 8)
        return {};
    const auto& bytes = property->bytes;
    const auto first = std::find(bytes.begin(), bytes.end(), 0);
    if (first == bytes.end())
        return {};
    const auto second = std::find(first + 1, bytes.end(), 0);
    std::u16string text;
    for (auto it = first + 1; it != second; ++it)
        text.push_back(static_cast<char16_t>(*it));
    return text;
}

std::u16string FirstLabel(std::u16string_view name) {
    return std::u16string(name.substr(0, name.find(u'.')));
}

std::string LocalHostName() {
    char name[256] = {};
    if (gethostname(name, sizeof(name) - 1) != 0)
        return {};
    return name;
}

} // namespace

// Opens the connection for one question, and closes it after unless the
// provider is held or the server has gone.
class X11WindowProvider::Use {
  public:
    explicit Use(X11WindowProvider& provider) : provider_(provider) {
        if (provider_.connection_ && provider_.connection_->Broken())
            provider_.connection_.reset();
        if (!provider_.connection_)
            provider_.connection_ = X11Connection::Open(provider_.displayName_);
    }
    ~Use() {
        auto& c = provider_.connection_;
        if (c && (provider_.holds_ == 0 || c->Broken()))
            c.reset();
    }
    Use(const Use&) = delete;
    Use& operator=(const Use&) = delete;
    explicit operator bool() const { return provider_.connection_ != nullptr; }
    X11Connection& operator*() const { return *provider_.connection_; }
    X11Connection* operator->() const { return provider_.connection_.get(); }

  private:
    X11WindowProvider& provider_;
};

X11WindowProvider::X11WindowProvider(std::string displayName)
    : displayName_(std::move(displayName)), hostName_(LocalHostName()) {}

X11WindowProvider::~X11WindowProvider() = default;

DWORD X11WindowProvider::ClientOf(const X11Connection& x, xcb_window_t window) const {
    // Resource ids have their top three bits clear, so the flag never
    // collides with the client's base.
    return kForeignProcessFlag | (window & ~x.ResourceMask());
}

std::vector<xcb_window_t> X11WindowProvider::ClientWindows(X11Connection& x) {
    for (X11Atom list : {X11Atom::NetClientListStacking, X11Atom::NetClientList}) {
        if (auto property = x.Property(x.Root(), x.Atom(list), kMaxWindows);
            property && property->format == 32) {
            auto windows = property->Values32();
            std::erase(windows, XCB_WINDOW_NONE);
            return windows;
        }
    }
    return ClientWindowsFromTree(x);
}

std::vector<xcb_window_t> X11WindowProvider::ClientWindowsFromTree(X11Connection& x) {
    xcb_connection_t* c = x.Get();
    auto children = [&](xcb_window_t parent) {
        std::vector<xcb_window_t> found;
        xcb_query_tree_reply_t* tree = xcb_query_tree_reply(c, xcb_query_tree(c, parent), nullptr);
        if (!tree)
            return found;
        const xcb_window_t* list = xcb_query_tree_children(tree);
        found.assign(list, list + xcb_query_tree_children_length(tree));
        std::free(tree);
        return found; // bottom to top
    };
    auto hasWmState = [&](xcb_window_t w) {
        return x.Property(w, x.Atom(X11Atom::WmState), 2).has_value();
    };

    std::vector<xcb_window_t> managed, unmanaged;
    for (xcb_window_t top : children(x.Root())) {
        xcb_get_window_attributes_reply_t* attributes =
            xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, top), nullptr);
        const bool overrideRedirect = !attributes || attributes->override_redirect;
        std::free(attributes);
        if (overrideRedirect)
            continue; // menus, tips: nothing a user calls a window
        if (hasWmState(top)) {
            managed.push_back(top);
            continue;
        }
        // A reparenting window manager's frame holds the client inside.
        const auto inner = children(top);
        const auto client = std::find_if(inner.rbegin(), inner.rend(), hasWmState);
        if (client != inner.rend())
            managed.push_back(*client);
        else
            unmanaged.push_back(top);
    }
    // No window manager at all: the root's own children are the windows.
    return managed.empty() ? unmanaged : managed;
}

std::vector<HostWindow> X11WindowProvider::List() {
    Use x(*this);
    if (!x)
        return {};
    xcb_connection_t* c = x->Get();
    const std::vector<xcb_window_t> windows = ClientWindows(*x);

    struct Asked {
        xcb_get_property_cookie_t pid, netName, name, state, type, transientFor, wmClass, machine;
        xcb_get_window_attributes_cookie_t attributes;
    };
    std::vector<Asked> asked;
    asked.reserve(windows.size());
    for (xcb_window_t w : windows) {
        asked.push_back({
            x->AskProperty(w, x->Atom(X11Atom::NetWmPid), 1),
            x->AskProperty(w, x->Atom(X11Atom::NetWmName), kMaxTitleLongs),
            x->AskProperty(w, XCB_ATOM_WM_NAME, kMaxTitleLongs),
            x->AskProperty(w, x->Atom(X11Atom::NetWmState), kMaxAtoms),
            x->AskProperty(w, x->Atom(X11Atom::NetWmWindowType), kMaxAtoms),
            x->AskProperty(w, XCB_ATOM_WM_TRANSIENT_FOR, 1),
            x->AskProperty(w, XCB_ATOM_WM_CLASS, kMaxNameLongs),
            x->AskProperty(w, XCB_ATOM_WM_CLIENT_MACHINE, kMaxNameLongs),
            xcb_get_window_attributes(c, w),
        });
    }

    const auto ownPid = static_cast<DWORD>(getpid());
    const xcb_atom_t utf8 = x->Atom(X11Atom::Utf8String);
    const xcb_atom_t compound = x->Atom(X11Atom::CompoundText);
    std::vector<HostWindow> listed;
    for (std::size_t i = 0; i < windows.size(); ++i) {
        // Every answer is read, so none is left waiting in the connection.
        const auto pid = x->ReadProperty(asked[i].pid);
        const auto netName = x->ReadProperty(asked[i].netName);
        const auto name = x->ReadProperty(asked[i].name);
        const auto states = Values(x->ReadProperty(asked[i].state));
        const auto types = Values(x->ReadProperty(asked[i].type));
        const auto transientFor = Values(x->ReadProperty(asked[i].transientFor));
        const auto wmClass = x->ReadProperty(asked[i].wmClass);
        const auto machine = x->ReadProperty(asked[i].machine);
        xcb_get_window_attributes_reply_t* attributes =
            xcb_get_window_attributes_reply(c, asked[i].attributes, nullptr);
        if (!attributes)
            continue; // gone since the list was read
        const bool mapped = attributes->map_state != XCB_MAP_STATE_UNMAPPED;
        std::free(attributes);

        // A process id only means something on the machine it came from.
        const bool local = !machine || IsLocalMachine(DecodeTextProperty(*machine, utf8, compound));
        const auto pidValues = Values(pid);
        const DWORD processId = local && !pidValues.empty() ? pidValues.front() : 0;
        if (processId == ownPid)
            continue; // this program's own window
        const xcb_window_t w = windows[i];

        HostWindow window;
        window.id = w;
        window.threadId = ClientOf(*x, w);
        window.processId =
            processId > 0 && processId < kForeignProcessFlag ? processId : window.threadId;
        const bool notAnApplication = Contains(types, x->Atom(X11Atom::NetWmWindowTypeDock)) ||
                                      Contains(types, x->Atom(X11Atom::NetWmWindowTypeDesktop));
        window.visible =
            mapped && !notAnApplication && !Contains(states, x->Atom(X11Atom::NetWmStateHidden));
        if (netName)
            window.title = DecodeTextProperty(*netName, utf8, compound);
        if (window.title.empty() && name)
            window.title = DecodeTextProperty(*name, utf8, compound);
        const bool dialog = Contains(types, x->Atom(X11Atom::NetWmWindowTypeDialog)) ||
                            (!transientFor.empty() && transientFor.front() != XCB_WINDOW_NONE);
        window.className = dialog ? u"Dialog" : ClassOf(wmClass);
        listed.push_back(std::move(window));
    }
    x->Sync();
    return listed;
}

bool X11WindowProvider::IsLocalMachine(std::u16string_view machine) const {
    if (machine.empty() || EqualsNoCase(machine, u"localhost"))
        return true;
    const std::u16string local = FromUtf8(hostName_);
    return EqualsNoCase(machine, local) || EqualsNoCase(FirstLabel(machine), FirstLabel(local));
}

bool X11WindowProvider::Exists(std::uint64_t id) {
    Use x(*this);
    if (!x)
        return false;
    const auto windows = ClientWindows(*x);
    return std::find(windows.begin(), windows.end(), id) != windows.end();
}

bool X11WindowProvider::Close(std::uint64_t id) {
    Use x(*this);
    if (!x)
        return false;
    const auto window = static_cast<xcb_window_t>(id);
    if (x->WindowManagerSupports(X11Atom::NetCloseWindow)) {
        // Source 2: a pager's request, which window managers honour as the user's.
        x->SendClientMessage(x->Root(), window, x->Atom(X11Atom::NetCloseWindow),
                             XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY |
                                 XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                             {XCB_CURRENT_TIME, 2, 0, 0, 0});
    } else {
        const auto protocols =
            Values(x->Property(window, x->Atom(X11Atom::WmProtocols), kMaxAtoms));
        if (!Contains(protocols, x->Atom(X11Atom::WmDeleteWindow)))
            return false; // the window cannot be asked; only ending its client would close it
        x->SendClientMessage(window, window, x->Atom(X11Atom::WmProtocols), XCB_EVENT_MASK_NO_EVENT,
                             {x->Atom(X11Atom::WmDeleteWindow), XCB_CURRENT_TIME, 0, 0, 0});
    }
    return x->Sync() == 0;
}

bool X11WindowProvider::Activate(std::uint64_t id) {
    Use x(*this);
    if (!x)
        return false;
    const auto window = static_cast<xcb_window_t>(id);
    const auto windows = ClientWindows(*x);
    if (std::find(windows.begin(), windows.end(), window) == windows.end())
        return false;
    if (x->WindowManagerSupports(X11Atom::NetActiveWindow)) {
        x->SendClientMessage(x->Root(), window, x->Atom(X11Atom::NetActiveWindow),
                             XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY |
                                 XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                             {2, XCB_CURRENT_TIME, 0, 0, 0});
    } else {
        const std::uint32_t above = XCB_STACK_MODE_ABOVE;
        xcb_configure_window(x->Get(), window, XCB_CONFIG_WINDOW_STACK_MODE, &above);
        xcb_set_input_focus(x->Get(), XCB_INPUT_FOCUS_PARENT, window, XCB_CURRENT_TIME);
    }
    return x->Sync() == 0;
}

bool X11WindowProvider::ForeignProcessRunning(DWORD processId) {
    if (!(processId & kForeignProcessFlag))
        return false;
    Use x(*this);
    if (!x)
        return false;
    const auto windows = ClientWindows(*x);
    return std::any_of(windows.begin(), windows.end(),
                       [&](xcb_window_t w) { return ClientOf(*x, w) == processId; });
}

bool X11WindowProvider::TerminateForeignProcess(DWORD processId) {
    if (!(processId & kForeignProcessFlag))
        return false;
    Use x(*this);
    if (!x)
        return false;
    const auto ownPid = static_cast<DWORD>(getpid());
    xcb_window_t victim = XCB_WINDOW_NONE;
    for (xcb_window_t w : ClientWindows(*x)) {
        if (ClientOf(*x, w) != processId)
            continue;
        // Never this program's own client, whatever id it was reached by.
        const auto pid = Values(x->Property(w, x->Atom(X11Atom::NetWmPid), 1));
        if (!pid.empty() && pid.front() == ownPid)
            return false;
        victim = w;
    }
    if (victim == XCB_WINDOW_NONE)
        return false;
    xcb_kill_client(x->Get(), victim);
    return x->Sync() == 0;
}

void X11WindowProvider::Hold() {
    ++holds_;
}

void X11WindowProvider::Release() {
    if (holds_ > 0 && --holds_ == 0)
        connection_.reset();
}

std::size_t X11WindowProvider::ErrorCount() const {
    return connection_ ? connection_->ErrorCount() : 0;
}

} // namespace zorun
