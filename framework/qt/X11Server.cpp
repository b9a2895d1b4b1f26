#include "framework/qt/X11Server.h"

#include <QGuiApplication>
#include <QtGui/qguiapplication_platform.h>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <xcb/xcb.h>

namespace fw::detail::x11 {

namespace {

xcb_connection_t* connection() {
    auto* app = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return app ? app->connection() : nullptr;
}

xcb_window_t root(xcb_connection_t* c) {
    return xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
}

template <class T> using Reply = std::unique_ptr<T, decltype(&std::free)>;
template <class T> Reply<T> reply(T* r) {
    return Reply<T>(r, &std::free);
}

xcb_atom_t atom(xcb_connection_t* c, const char* name) {
    auto r = reply(xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, uint16_t(strlen(name)), name), nullptr));
    return r ? r->atom : xcb_atom_t(XCB_ATOM_NONE);
}

// An atom's number stays as long as the server runs: asked once per connection.
xcb_atom_t activeWindowAtom(xcb_connection_t* c) {
    static xcb_connection_t* askedOn = nullptr;
    static xcb_atom_t known = XCB_ATOM_NONE;
    if (askedOn != c || known == XCB_ATOM_NONE) {
        known = atom(c, "_NET_ACTIVE_WINDOW");
        askedOn = c;
    }
    return known;
}

// The top-most child of `from` at the point, in root coordinates; none when there is none.
xcb_window_t childAt(xcb_connection_t* c, xcb_window_t from, int16_t x, int16_t y) {
    auto r =
        reply(xcb_translate_coordinates_reply(c, xcb_translate_coordinates(c, root(c), from, x, y), nullptr));
    return r ? r->child : xcb_window_t(XCB_WINDOW_NONE);
}

} // namespace

bool available() {
    return connection() != nullptr;
}

bool showsAt(WindowId window, ScreenPoint device) {
    xcb_connection_t* c = connection();
    if (!c || !window)
        return false;
    const xcb_window_t top = root(c);
    // The protocol carries 16-bit coordinates.
    const auto x = int16_t(std::clamp(device.x, -32768, 32767));
    const auto y = int16_t(std::clamp(device.y, -32768, 32767));
    // The frame a window manager put round the window, as the last full look found it: when that
    // is what shows at the point, the window inside it does (a frame's decorations lie round its
    // client, never on it), and one question answers. A frame made anew since is not what shows
    // there, and the full look below finds it.
    static WindowId framed = 0;
    static xcb_window_t frame = XCB_WINDOW_NONE;
    const xcb_window_t topMost = childAt(c, top, x, y);
    if (topMost == XCB_WINDOW_NONE)
        return false;
    if (topMost == window || (framed == window && topMost == frame))
        return true;
    // Down from the top-most window at the point: at each level the server names the top-most
    // mapped child under the point. The window shows there when it lies on that path.
    xcb_window_t at = topMost;
    for (int depth = 0; depth < 64; ++depth) {
        const xcb_window_t child = childAt(c, at, x, y);
        if (child == XCB_WINDOW_NONE)
            return false;
        if (child == window) {
            framed = window;
            frame = topMost;
            return true;
        }
        at = child;
    }
    return false;
}

WindowId activeWindow() {
    xcb_connection_t* c = connection();
    if (!c)
        return 0;
    const xcb_atom_t active = activeWindowAtom(c);
    if (active == XCB_ATOM_NONE)
        return 0;
    auto r = reply(
        xcb_get_property_reply(c, xcb_get_property(c, 0, root(c), active, XCB_ATOM_WINDOW, 0, 1), nullptr));
    if (!r || r->format != 32 || xcb_get_property_value_length(r.get()) < 4)
        return 0;
    return *static_cast<const uint32_t*>(xcb_get_property_value(r.get()));
}

void requestActive(WindowId window, WindowId currentlyActive) {
    xcb_connection_t* c = connection();
    if (!c || !window)
        return;
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = window;
    message.type = activeWindowAtom(c);
    // Source 2, as a pager asks: the window was the user's choice, not the program's; window
    // managers refuse or defer activation that a program asks for itself.
    message.data.data32[0] = 2;
    message.data.data32[1] = XCB_CURRENT_TIME;
    message.data.data32[2] = currentlyActive;
    xcb_send_event(c, 0, root(c), XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                   reinterpret_cast<const char*>(&message));
    xcb_flush(c);
}

} // namespace fw::detail::x11
