#include "framework/qt/FontConfiguration.h"

#include <fontconfig/fontconfig.h>

#include <thread>

namespace fw::detail {

namespace {
struct Reading {
    std::thread thread;
    std::function<void()> then;
};
Reading& reading() {
    static auto* r = new Reading();
    return *r;
}
} // namespace

void readFontConfigurationAhead(std::function<void()> then) {
    awaitFontConfiguration();
    reading().then = std::move(then);
    // The toolkit's own FcInit then finds the configuration loaded.
    reading().thread = std::thread([] { FcInit(); });
}

void awaitFontConfiguration() {
    Reading& r = reading();
    if (!r.thread.joinable())
        return;
    r.thread.join();
    if (std::function<void()> then = std::move(r.then))
        then();
}

} // namespace fw::detail
