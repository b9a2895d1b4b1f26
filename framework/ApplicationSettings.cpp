#include "framework/ApplicationSettings.h"

namespace fw {

namespace {
// Never destroyed: messages may still be written while static destruction runs.
ApplicationSettings& settings() {
    static auto* s = new ApplicationSettings();
    return *s;
}
} // namespace

void setApplicationSettings(ApplicationSettings given) {
    settings() = std::move(given);
}

const ApplicationSettings& applicationSettings() {
    return settings();
}

} // namespace fw
