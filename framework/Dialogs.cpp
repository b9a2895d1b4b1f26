#include "framework/Dialogs.h"

#include <cstdio>

#include "framework/ApplicationSettings.h"
#include "framework/TestHooks.h"
#include "framework/qt/Desktop.h"
#include "framework/qt/Toolkit.h"

namespace fw {

namespace {
std::function<void(const String&)>& presenter() {
    static auto* p = new std::function<void(const String&)>();
    return *p;
}

std::function<void(const String&)>& urlPresenter() {
    static auto* p = new std::function<void(const String&)>();
    return *p;
}
} // namespace

void MsgBox(const String& message) {
    if (presenter()) {
        presenter()(message);
        return;
    }
    if (!detail::toolkitRunning()) {
        // Before the runtime is up (or after it is gone) there is no screen to show it on.
        std::fprintf(stderr, "%s\n", message.c_str());
        return;
    }
    detail::showPlainMessage(message);
}

void setMessagePresenter(std::function<void(const String&)> p) {
    presenter() = std::move(p);
}

void Beep() {
    detail::beep();
}

void ShowURL(const String& address) {
    if (urlPresenter()) {
        urlPresenter()(address);
        return;
    }
    // The callers go on at once. Should nothing open the address, the user is told so later, with
    // the address to take elsewhere; the error output tells why.
    detail::openURL(address, [address](const std::string& reason) {
        std::fprintf(stderr, "%s could not open %s: %s\n", applicationSettings().name.c_str(),
                     address.c_str(), reason.c_str());
        MsgBox(String("No program on this computer could open this address:\n\n") + address +
               String("\n\nYou can type it into your web browser or mail program yourself."));
    });
}

void setURLPresenter(std::function<void(const String&)> p) {
    urlPresenter() = std::move(p);
}

} // namespace fw
