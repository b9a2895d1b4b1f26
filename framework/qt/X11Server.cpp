#include "framework/qt/X11Server.h"

#include <QGuiApplication>
#include <QtGui/qguiapplication_platform.h>
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <map>
#include <memory>
#include <string>
#include <thread>
#include <vector>
#include <xcb/randr.h>
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

// An atom's number stays as long as the server runs: each name is asked once per connection.
xcb_atom_t atom(xcb_connection_t* c, const char* name) {
    static xcb_connection_t* askedOn = nullptr;
    static std::map<std::string, xcb_atom_t> known;
    if (askedOn != c) {
        known.clear();
        askedOn = c;
    }
    if (auto found = known.find(name); found != known.end())
        return found->second;
    auto r = reply(xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, uint16_t(strlen(name)), name), nullptr));
    if (!r)
        return XCB_ATOM_NONE;
    known.emplace(name, r->atom);
    return r->atom;
}

// A 32-bit property of the window, as many values as it holds up to `count`; empty when unset.
std::vector<uint32_t> property32(xcb_connection_t* c, xcb_window_t window, const char* name, xcb_atom_t type,
                                 uint32_t count) {
    const xcb_atom_t a = atom(c, name);
    if (a == XCB_ATOM_NONE)
        return {};
    auto r = reply(xcb_get_property_reply(c, xcb_get_property(c, 0, window, a, type, 0, count), nullptr));
    if (!r || r->format != 32)
        return {};
    const auto* values = static_cast<const uint32_t*>(xcb_get_property_value(r.get()));
    return std::vector<uint32_t>(values, values + xcb_get_property_value_length(r.get()) / 4);
}

void sendToRoot(xcb_connection_t* c, WindowId window, const char* type,
                std::initializer_list<uint32_t> data) {
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = window;
    message.type = atom(c, type);
    std::copy(data.begin(), data.end(), message.data.data32);
    xcb_send_event(c, 0, root(c), XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                   reinterpret_cast<const char*>(&message));
    xcb_flush(c);
}

bool supported(xcb_connection_t* c, const char* name) {
    const xcb_atom_t wanted = atom(c, name);
    const std::vector<uint32_t> all = property32(c, root(c), "_NET_SUPPORTED", XCB_ATOM_ATOM, 4096);
    return wanted != XCB_ATOM_NONE && std::find(all.begin(), all.end(), wanted) != all.end();
}

// The top-most child of `from` at the point, in root coordinates; none when there is none.
xcb_window_t childAt(xcb_connection_t* c, xcb_window_t from, int16_t x, int16_t y) {
    auto r =
        reply(xcb_translate_coordinates_reply(c, xcb_translate_coordinates(c, root(c), from, x, y), nullptr));
    return r ? r->child : xcb_window_t(XCB_WINDOW_NONE);
}

bool hasExtension(xcb_connection_t* c, const char* name) {
    auto r =
        reply(xcb_query_extension_reply(c, xcb_query_extension(c, uint16_t(strlen(name)), name), nullptr));
    return r && r->present;
}

// The names of the outputs RandR knows on the first screen; none without RandR 1.3.
std::vector<std::string> outputNames(xcb_connection_t* c) {
    std::vector<std::string> names;
    if (!hasExtension(c, "RANDR"))
        return names;
    auto version = reply(xcb_randr_query_version_reply(c, xcb_randr_query_version(c, 1, 3), nullptr));
    if (!version || (version->major_version == 1 && version->minor_version < 3))
        return names;
    auto resources = reply(xcb_randr_get_screen_resources_current_reply(
        c, xcb_randr_get_screen_resources_current(c, root(c)), nullptr));
    if (!resources)
        return names;
    const xcb_randr_output_t* outputs = xcb_randr_get_screen_resources_current_outputs(resources.get());
    const int count = xcb_randr_get_screen_resources_current_outputs_length(resources.get());
    for (int i = 0; i < count; ++i) {
        auto info = reply(xcb_randr_get_output_info_reply(
            c, xcb_randr_get_output_info(c, outputs[i], resources->config_timestamp), nullptr));
        if (info)
            names.emplace_back(reinterpret_cast<const char*>(xcb_randr_get_output_info_name(info.get())),
                               std::size_t(xcb_randr_get_output_info_name_length(info.get())));
    }
    return names;
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
    // Source 2, as a pager asks: the window was the user's choice, not the program's; window
    // managers refuse or defer activation that a program asks for itself.
    sendToRoot(c, window, "_NET_ACTIVE_WINDOW", {2, XCB_CURRENT_TIME, currentlyActive});
}

bool windowManagerRunning() {
    xcb_connection_t* c = connection();
    if (!c)
        return false;
    // A window manager that has gone leaves its property on the root: its check window must
    // still name itself.
    const std::vector<uint32_t> check =
        property32(c, root(c), "_NET_SUPPORTING_WM_CHECK", XCB_ATOM_WINDOW, 1);
    return !check.empty() &&
           property32(c, check.front(), "_NET_SUPPORTING_WM_CHECK", XCB_ATOM_WINDOW, 1) == check;
}

std::optional<FrameExtents> frameExtents(WindowId window) {
    xcb_connection_t* c = connection();
    if (!c || !window)
        return std::nullopt;
    const std::vector<uint32_t> v = property32(c, window, "_NET_FRAME_EXTENTS", XCB_ATOM_CARDINAL, 4);
    if (v.size() != 4)
        return std::nullopt;
    return FrameExtents{int32_t(v[0]), int32_t(v[1]), int32_t(v[2]), int32_t(v[3])};
}

std::optional<FrameExtents> requestFrameExtents(WindowId window) {
    xcb_connection_t* c = connection();
    if (!c || !window)
        return std::nullopt;
    if (!windowManagerRunning())
        return FrameExtents{};
    if (!supported(c, "_NET_REQUEST_FRAME_EXTENTS"))
        return std::nullopt;
    // A value from an earlier mapping would answer before the window manager has.
    xcb_delete_property(c, window, atom(c, "_NET_FRAME_EXTENTS"));
    sendToRoot(c, window, "_NET_REQUEST_FRAME_EXTENTS", {});
    // The answer is a property the window manager sets; Qt's own thread reads the connection's
    // events, so it is asked for, with a bound, rather than waited on.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(300);
    for (;;) {
        if (std::optional<FrameExtents> told = frameExtents(window))
            return told;
        if (std::chrono::steady_clock::now() >= deadline)
            return std::nullopt;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}

XServerSigns serverSigns() {
    xcb_connection_t* c = connection();
    if (!c)
        return {};
    return {.asked = true, .xwaylandExtension = hasExtension(c, "XWAYLAND"), .outputNames = outputNames(c)};
}

} // namespace fw::detail::x11
