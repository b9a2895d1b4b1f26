#include "framework/Window.h"

#include <algorithm>

#include "framework/Control.h"
#include "framework/Menu.h"
#include "framework/PropertyTable.h"
#include "framework/RectControl.h"
#include "framework/Runtime.h"
#include "framework/TextCase.h"
#include "framework/qt/MenuRefresh.h"
#include "framework/qt/ToolkitWindow.h"

namespace fw {

namespace {
// The open windows, front-most first. They are held here while open; the list itself is never
// destroyed, so that no window outlives the toolkit in a static destructor.
std::vector<Ref<Window>>& openList() {
    static auto* list = new std::vector<Ref<Window>>();
    return *list;
}

void unlist(const Window* window) {
    auto& list = openList();
    auto found =
        std::find_if(list.begin(), list.end(), [&](const Ref<Window>& w) { return w.get() == window; });
    if (found != list.end()) {
        // Take it out before it is released: its destructor may look at the list.
        Ref<Window> leaving = std::move(*found);
        list.erase(found);
    }
}

std::string handlerKey(const String& commandName) {
    return toLowerUtf8(commandName.bytes());
}
} // namespace

namespace detail {
void noteActivated(Window& window) {
    auto& list = openList();
    auto found =
        std::find_if(list.begin(), list.end(), [&](const Ref<Window>& w) { return w.get() == &window; });
    if (found != list.end())
        std::rotate(list.begin(), found, found + 1);
}
} // namespace detail

ClassRecord Window::describe() {
    using detail::accessor;
    using detail::field;
    return detail::classOf<Window>(
        "Window", Object::Class(),
        {
            field("Placement", &Window::placement_),
            accessor("Width", &Window::Width, &Window::setWidth),
            accessor("Height", &Window::Height, &Window::setHeight),
            field("MinWidth", &Window::minWidth_, &Window::applyGeometry),
            field("MinHeight", &Window::minHeight_, &Window::applyGeometry),
            field("MaxWidth", &Window::maxWidth_, &Window::applyGeometry),
            field("MaxHeight", &Window::maxHeight_, &Window::applyGeometry),
            field("Frame", &Window::frame_, &Window::applyGeometry),
            field("Composite", &Window::composite_),
            field("HasBackColor", &Window::hasBackColor_, &Window::applyGeometry),
            field("BackColor", &Window::backColor_, &Window::applyGeometry),
            accessor("Title", &Window::Title, &Window::setTitle),
            field("Visible", &Window::visible_),
            field("FullScreen", &Window::fullScreen_),
            field("MenuBarVisible", &Window::menuBarVisible_, &Window::applyGeometry),
            field("CloseButton", &Window::closeButton_, &Window::applyGeometry),
            field("Resizeable", &Window::resizeable_, &Window::applyGeometry),
            field("LiveResize", &Window::liveResize_),
            field("MaximizeButton", &Window::maximizeButton_, &Window::applyGeometry),
            field("MinimizeButton", &Window::minimizeButton_, &Window::applyGeometry),
            field("MacProcID", &Window::macProcID_),
        });
}

Window::Window() : bridge_(detail::makeToolkitWindow(*this)) {}

Window::~Window() {
    teardown();
}

void Window::Constructor() {
    // While a termination is under way nothing new opens: the handler beneath an ended box
    // carries on, and what it opens, shows or focuses stays closed.
    if (RuntimeQuitting())
        return;
    if (open_)
        throw RuntimeException("The window " + classRecord().name + " is built already.");
    // The program's handlers may close the window or drop their references to it at any step.
    Ref<Window> protector(this);
    open_ = true;
    bridge_->open();
    // Registered first, so that the accessor finds this window from inside its own events.
    openList().insert(openList().begin(), protector);

    Layout();
    if (open_)
        CreateControls();
    const std::vector<Ref<Control>> created = controls_;
    for (const Ref<Control>& control : created)
        if (open_ && control->hasEventHandler(kControlOpen))
            control->raiseEvent(kControlOpen, {control});
    if (open_)
        AddMenuHandlers(this);
    if (open_)
        Event_Open();
}

void Window::Show() {
    if (!open_)
        return;
    bridge_->show();
    // The keys act where the user can type from the moment the window is shown, not on a
    // button that happens to come first.
    const bool focused = std::any_of(controls_.begin(), controls_.end(), [](const Ref<Control>& c) {
        auto* visual = dynamic_cast<RectControl*>(c.get());
        return visual && visual->hasFocus();
    });
    if (focused)
        return;
    RectControl* first = nullptr;
    for (const Ref<Control>& control : controls_)
        if (auto* visual = dynamic_cast<RectControl*>(control.get()); visual && visual->acceptsTyping())
            if (!first || visual->TabIndex() < first->TabIndex())
                first = visual;
    if (first)
        first->SetFocus();
}

void Window::Close() {
    if (!open_ || closing_)
        return;
    closing_ = true;
    Ref<Window> protector(this);
    // The window goes even when its Close event raises: the exception passes on after.
    struct Finish {
        Window& window;
        ~Finish() { window.teardown(); }
    } finish{*this};
    Event_Close();
}

void Window::teardown() {
    for (const Ref<Control>& control : controls_) {
        control->detach();
        if (auto* child = dynamic_cast<_PaneChild*>(control.get()))
            child->setPane(nullptr, child->paneIndex());
    }
    controls_.clear();
    // Handlers may hold this window as their target: dropping them ends the cycle.
    const bool hadHandlers = !menuHandlers_.empty();
    menuHandlers_.clear();
    bridge_->destroy();
    open_ = false;
    closing_ = false;
    unlist(this);
    if (hadHandlers)
        detail::refreshMenus();
}

void Window::SetFocus() {
    if (open_)
        bridge_->activate();
}

bool Window::isShown() const {
    return bridge_->isShown();
}

int32_t Window::Top() const {
    return bridge_->contentOrigin().y;
}
int32_t Window::Left() const {
    return bridge_->contentOrigin().x;
}

bool Window::ShowsScreenPoint(int32_t x, int32_t y) const {
    return bridge_->showsScreenPoint({x, y});
}

void Window::setTop(int32_t top) {
    bridge_->moveContentTo({Left(), top});
}
void Window::setLeft(int32_t left) {
    bridge_->moveContentTo({left, Top()});
}

void Window::setWidth(int32_t width) {
    width_ = width;
    applyGeometry();
}

void Window::setHeight(int32_t height) {
    height_ = height;
    applyGeometry();
}

void Window::setTitle(const String& title) {
    title_ = title;
    applyGeometry();
}

void Window::applyGeometry() {
    bridge_->apply();
}

void Window::setMenuBar(Ref<fw::MenuBar> bar) {
    menuBar_ = std::move(bar);
    bridge_->rebuildMenuBar();
}

void Window::_AddControl(const String& name, Ref<Control> control) {
    if (!control)
        throw NilObjectException();
    control->setName(name);
    const auto index = static_cast<int32_t>(controls_.size());
    controls_.push_back(control);
    control->attach(*this, index);
    if (auto* child = dynamic_cast<_PaneChild*>(control.get()))
        child->setPane(this, index);
}

Ref<Control> Window::_ControlByName(const String& name) const {
    for (const Ref<Control>& control : controls_)
        if (control->Name() == name)
            return control;
    return nullptr;
}

Ref<Object> Window::__New(const ClassRecord& cls) {
    return RuntimeNewObject(cls);
}

void Window::_AddMenuHandler(const String& commandName, Ref<Delegate> handler) {
    menuHandlers_[handlerKey(commandName)] = std::move(handler);
    detail::refreshMenus();
}

Ref<Delegate> Window::menuHandler(const String& commandName) const {
    auto found = menuHandlers_.find(handlerKey(commandName));
    return found == menuHandlers_.end() ? nullptr : found->second;
}

Ref<Window> _GetImplicitWindow(const String& fullClassName) {
    for (const Ref<Window>& window : openList())
        if (window->classRecord().name == fullClassName.bytes())
            return window;
    return nullptr;
}

std::vector<Ref<Window>> openWindows() {
    return openList();
}

void releaseImplicitWindows() {
    std::vector<Ref<Window>> remaining;
    remaining.swap(openList());
    for (const Ref<Window>& window : remaining)
        window->teardown();
}

} // namespace fw
