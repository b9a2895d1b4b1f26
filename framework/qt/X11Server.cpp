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
    // Down from the root: at each level the server names the top-most mapped child under the
    // point. The window shows there when it lies on that path.
    xcb_window_t at = top;
    for (int depth = 0; depth < 64; ++depth) {
        auto r =
            reply(xcb_translate_coordinates_reply(c, xcb_translate_coordinates(c, top, at, x, y), nullptr));
        if (!r || r->child == XCB_WINDOW_NONE)
            return false;
        at = r->child;
        if (at == window)
            return true;
    }
    return false;
}

WindowId activeWindow() {
    xcb_connection_t* c = connection();
    if (!c)
        return 0;
    const xcb_atom_t active = atom(c, "_NET_ACTIVE_WINDOW");
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
    message.type = atom(c, "_NET_ACTIVE_WINDOW");
    // Source 2, as a pager asks: the window was the user's choice, not the program's; window
    // managers refuse or defer activation that a program asks for itself.
    message.data.data32[0] = 2;
    message.data.data32[1] = XCB_CURRENT_TIME;
    message.data.data32[2] = currentlyActive;
    xcb_send_event(c, 0, root(c), XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                   reinterpret_cast<const char*>(&message));
    xcb_flush(c);
}

void sync() {
    if (xcb_connection_t* c = connection())
        std::free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));
}

} // namespace fw::detail::x11
