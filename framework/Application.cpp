#include "framework/Application.h"

#include "framework/Menu.h"
#include "framework/PropertyTable.h"
#include "framework/TextCase.h"
#include "framework/qt/MenuBridge.h"

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

// The version data is the build's project version, handed in by the build.
int32_t Application::MajorVersion() const {
    return AMBREL_VERSION_MAJOR;
}
int32_t Application::MinorVersion() const {
    return AMBREL_VERSION_MINOR;
}
int32_t Application::BugVersion() const {
    return AMBREL_VERSION_PATCH;
}
String Application::ShortVersion() const {
    return String(AMBREL_SHORT_VERSION);
}
String Application::LongVersion() const {
    return String(AMBREL_LONG_VERSION);
}

} // namespace fw
