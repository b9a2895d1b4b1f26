#include "framework/Menu.h"

#include <algorithm>
#include <variant>

#include "framework/Application.h"
#include "framework/PropertyTable.h"
#include "framework/Runtime.h"
#include "framework/Window.h"
#include "framework/qt/EditCommands.h"

namespace fw {

namespace {
// A handler's result counts as "handled" only when it is a true Boolean.
bool handled(const Value& result) {
    const auto* flag = std::get_if<bool>(&result.storage());
    return flag && *flag;
}

// The handlers in reach of the window, in the order they are asked: its own, then the application's.
std::vector<Ref<Delegate>> handlersInReach(Window* window, const String& commandName) {
    std::vector<Ref<Delegate>> handlers;
    if (window)
        if (Ref<Delegate> own = window->menuHandler(commandName))
            handlers.push_back(own);
    if (Ref<Application> app = _GetAppObject())
        if (Ref<Delegate> common = app->menuHandler(commandName))
            handlers.push_back(common);
    return handlers;
}
} // namespace

ClassRecord MenuItem::describe() {
    return detail::classOf<MenuItem>("MenuItem", Object::Class());
}

ClassRecord MenuBar::describe() {
    return detail::classOf<MenuBar>("MenuBar", MenuItem::Class());
}

ClassRecord AppleMenuItem::describe() {
    return detail::classOf<AppleMenuItem>("AppleMenuItem", MenuItem::Class());
}

ClassRecord QuitMenuItem::describe() {
    return detail::classOf<QuitMenuItem>("QuitMenuItem", MenuItem::Class());
}

MenuItem::~MenuItem() {
    for (const Ref<MenuItem>& child : children_)
        child->parent_ = nullptr;
}

void MenuItem::setText(const String& text) {
    text_ = text;
}

void MenuItem::setKeyboardShortcut(const String& shortcut) {
    shortcut_ = shortcut;
}

bool MenuItem::isSeparator() const {
    return text_.sameBytes(String("-"));
}

void MenuItem::Append(Ref<MenuItem> item) {
    if (!item)
        throw NilObjectException();
    // An item inside itself would make the tree a loop that nothing could free.
    for (const MenuItem* above = this; above; above = above->parent_)
        if (above == item.get())
            throw RuntimeException("A menu item cannot be appended below itself.");
    if (MenuItem* old = item->parent_) {
        auto& siblings = old->children_;
        siblings.erase(std::find(siblings.begin(), siblings.end(), item));
    }
    item->parent_ = this;
    children_.push_back(std::move(item));
}

Ref<MenuItem> MenuItem::Child(const String& name) const {
    for (const Ref<MenuItem>& child : children_)
        if (child->Name() == name)
            return child;
    return nullptr;
}

Ref<MenuItem> MenuItem::_Lookup(const String& name) const {
    for (const Ref<MenuItem>& child : children_) {
        if (child->Name() == name)
            return child;
        if (Ref<MenuItem> below = child->_Lookup(name))
            return below;
    }
    return nullptr;
}

Ref<MenuItem> MenuItem::Item(int32_t index) const {
    if (index < 0 || index >= Count())
        return nullptr;
    return children_[static_cast<std::size_t>(index)];
}

bool routeMenuCommand(Window* window, const MenuItem& item) {
    Ref<Window> protector(window);
    for (const Ref<Delegate>& handler : handlersInReach(window, item.Name()))
        if (handled(handler->invoke({})))
            return true;
    if (item.isA(QuitMenuItem::Class())) {
        RuntimeQuitCommand();
        return true;
    }
    return detail::runEditCommand(item.Name());
}

bool menuCommandAvailable(Window* window, const MenuItem& item) {
    if (!item.AutoEnable() || item.Count() > 0)
        return true;
    return !handlersInReach(window, item.Name()).empty() || item.isA(QuitMenuItem::Class()) ||
           detail::editCommandAvailable(item.Name());
}

} // namespace fw
