#include "framework/Control.h"

#include <vector>

#include "framework/PropertyTable.h"
#include "framework/Window.h"

namespace fw {

ClassRecord Control::describe() {
    return detail::classOf<Control>("Control", Object::Class(),
                                    {
                                        detail::accessor("Name", &Control::Name, &Control::setName),
                                        detail::accessor("Index", &Control::Index, &Control::setIndex),
                                    });
}

Control::~Control() = default;

void Control::addEventHandler(int32_t eventNumber, EventStub stub, Ref<Delegate> delegate) {
    events_[eventNumber] = Binding{stub, std::move(delegate)};
}

bool Control::hasEventHandler(int32_t eventNumber) const {
    return events_.count(eventNumber) != 0;
}

Value Control::raiseEvent(int32_t eventNumber, std::initializer_list<Value> args) {
    auto found = events_.find(eventNumber);
    if (found == events_.end() || running_.count(eventNumber))
        return Value();
    // Its window has closed: the handler must not run on it, as when the window is gone.
    if (detached_)
        throw NilObjectException();
    Ref<Control> protector(this);
    running_.insert(eventNumber);
    struct Done {
        Control& control;
        int32_t event;
        ~Done() { control.running_.erase(event); }
    } done{*this, eventNumber};
    // The handler may rebind the event or close the window: the call keeps what it uses.
    const Binding binding = found->second;
    const std::vector<Value> arguments(args);
    if (!binding.stub)
        throw NilObjectException();
    return binding.stub(*binding.delegate, Arguments(arguments));
}

Ref<fw::Window> Control::Window() const {
    return window_.lock();
}

void Control::attach(fw::Window& window, int32_t) {
    window_ = WeakRef<fw::Window>(&window);
}

void Control::detach() {
    detached_ = true;
    window_ = WeakRef<fw::Window>();
}

void RuntimeAddEventHandler(Control& control, int32_t eventNumber, EventStub stub, Ref<Delegate> delegate) {
    control.addEventHandler(eventNumber, stub, std::move(delegate));
}

namespace {
// Every event's arguments reach its delegate as they are: the sender first, then the event's own.
Value invokeDelegate(const Delegate& delegate, Arguments args) {
    return delegate.invoke(args);
}
} // namespace

EventStub _EventStub(int32_t) {
    return &invokeDelegate;
}

} // namespace fw
