#include "framework/qt/DisplayCheck.h"
#include "framework/ApplicationSettings.h"

#include <QMessageLogContext>
#include <QString>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <vector>

#include <xcb/xcb.h>

namespace fw::detail {

namespace {

// The toolkit's platform: the first of QT_QPA_PLATFORM's choices, without its options; the X one
// when none is named, as this toolkit build defaults to it.
bool onXPlatform() {
    const char* chosen = std::getenv("QT_QPA_PLATFORM");
    if (!chosen || !*chosen)
        return true;
    const std::string platform(chosen);
    return platform.substr(0, platform.find_first_of(";:")) == "xcb";
}

// The display opens, and the screen it names exists.
bool displayOpens() {
    int screen = 0;
    xcb_connection_t* connection = xcb_connect(nullptr, &screen);
    bool usable = !xcb_connection_has_error(connection);
    if (usable) {
        const xcb_setup_t* setup = xcb_get_setup(connection);
        usable = screen >= 0 && screen < xcb_setup_roots_length(setup);
    }
    xcb_disconnect(connection);
    return usable;
}

void sayTheDisplayDoesNotOpen() {
    const char* display = std::getenv("DISPLAY");
    if (display && *display)
        std::fprintf(stderr, "%s cannot open the display \"%s\".\n", applicationSettings().name.c_str(),
                     display);
    else
        std::fprintf(stderr, "%s cannot open a display: none is set (DISPLAY is empty).\n",
                     applicationSettings().name.c_str());
}

// One message the toolkit logged, with its own copy of where it came from.
struct HeldMessage {
    QtMsgType type;
    std::string file, function, category;
    int line;
    QString text;
};

struct Held {
    std::mutex mutex;
    std::vector<HeldMessage> messages;
    QtMessageHandler previous = nullptr;
};

Held& held() {
    static auto* h = new Held();
    return *h;
}

void passOn(QtMessageHandler to, const HeldMessage& m) {
    const QMessageLogContext context(m.file.c_str(), m.line, m.function.c_str(), m.category.c_str());
    to(m.type, context, m.text);
}

void passOnHeld(Held& h) {
    for (const HeldMessage& m : h.messages)
        passOn(h.previous, m);
    h.messages.clear();
}

void onStartingMessage(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    Held& h = held();
    std::lock_guard lock(h.mutex);
    HeldMessage m{type,
                  context.file ? context.file : "",
                  context.function ? context.function : "",
                  context.category ? context.category : "",
                  context.line,
                  text};
    if (type != QtFatalMsg) {
        h.messages.push_back(std::move(m));
        return;
    }
    if (onXPlatform() && !displayOpens()) {
        sayTheDisplayDoesNotOpen();
        std::fflush(stderr);
        // Inside the toolkit's half-made start: nothing of it is run down, nor is there anything
        // to save yet.
        std::_Exit(1);
    }
    passOnHeld(h);
    passOn(h.previous, m); // the toolkit aborts when this returns, as it would have
}

} // namespace

void exitUnlessDisplayOpens() {
    if (!onXPlatform() || displayOpens())
        return;
    sayTheDisplayDoesNotOpen();
    std::exit(1);
}

DisplayLossWatch::DisplayLossWatch() {
    Held& h = held();
    std::lock_guard lock(h.mutex);
    h.previous = qInstallMessageHandler(&onStartingMessage);
}

DisplayLossWatch::~DisplayLossWatch() {
    Held& h = held();
    std::lock_guard lock(h.mutex);
    qInstallMessageHandler(h.previous);
    passOnHeld(h);
}

} // namespace fw::detail
