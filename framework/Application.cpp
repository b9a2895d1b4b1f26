#include "framework/Application.h"

#include "framework/ApplicationSettings.h"
#include "framework/Menu.h"
#include "framework/PropertyTable.h"
#include "framework/TextCase.h"
#include "framework/qt/MenuRefresh.h"

namespace fw {

ClassRecord Application::describe() {
    return detail::classOf<Application>("Application", Object::Class());
}

void Application::setMenuBar(Ref<fw::MenuBar> bar) {
    menuBar_ = std::move(bar);
}

void Application::_AddMenuHandler(const String& commandName, Ref<Delegate> handler) {
    handlers_[toLowerUtf8(commandName.bytes())] = std::move(handler);
    detail::refreshMenus();
}

void Application::_RemoveMenuHandlers() {
    handlers_.clear();
    detail::refreshMenus();
}

Ref<Delegate> Application::menuHandler(const String& commandName) const {
    auto found = handlers_.find(toLowerUtf8(commandName.bytes()));
    return found == handlers_.end() ? nullptr : found->second;
}

// The version data is the program's, handed over at start-up.
int32_t Application::MajorVersion() const {
    return applicationSettings().majorVersion;
}
int32_t Application::MinorVersion() const {
    return applicationSettings().minorVersion;
}
int32_t Application::BugVersion() const {
    return applicationSettings().bugVersion;
}
String Application::ShortVersion() const {
    return String(applicationSettings().shortVersion);
}
String Application::LongVersion() const {
    return String(applicationSettings().longVersion);
}

} // namespace fw
