// Controls: named parts of a window whose events are bound to handler delegates by event number.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <set>

#include "framework/Delegate.h"
#include "framework/Forward.h"
#include "framework/Object.h"
#include "framework/String.h"
#include "framework/Value.h"

namespace fw {

// Event numbers of the controls' classes; one number means different events on different classes.
enum EventNumber : int32_t {
    kTimerAction = 0,
    kControlOpen = 2,
    kHTTPSocketError = 8,
    kHTTPSocketPageReceived = 10,
    kPopupMenuChange = 15,
    kPushButtonAction = 15,
};

// How the runtime calls a bound delegate for one event number.
using EventStub = Value (*)(const Delegate& delegate, Arguments args);
EventStub _EventStub(int32_t eventNumber);

class Control : public Registered<Control, Object> {
  public:
    static ClassRecord describe();
    ~Control() override;

    String Name() const { return name_; }
    void setName(const String& name) { name_ = name; }
    int32_t Index() const { return index_; }
    void setIndex(int32_t index) { index_ = index; }

    // The window the control was added to; nil once that window has gone.
    Ref<fw::Window> Window() const;

    void addEventHandler(int32_t eventNumber, EventStub stub, Ref<Delegate> delegate);
    bool hasEventHandler(int32_t eventNumber) const;
    // Calls the delegate bound to the event, if any. Exceptions pass on to the caller. An event
    // raised while the same event's earlier delivery is still running (its handler waits in a
    // modal box, say) is dropped; one raised after the control's window has closed raises
    // NilObjectException, as for a window that has gone: the handler never runs on a closed window.
    Value raiseEvent(int32_t eventNumber, std::initializer_list<Value> args);

    // Called by Window._AddControl, and when the window goes.
    virtual void attach(fw::Window& window, int32_t controlIndex);
    virtual void detach();

  private:
    struct Binding {
        EventStub stub;
        Ref<Delegate> delegate;
    };
    String name_;
    int32_t index_ = INT32_MIN;
    WeakRef<fw::Window> window_;
    bool detached_ = false; // its window has closed
    std::map<int32_t, Binding> events_;
    std::set<int32_t> running_; // events whose delivery has not returned yet
};

void RuntimeAddEventHandler(Control& control, int32_t eventNumber, EventStub stub, Ref<Delegate> delegate);

// The interface of a window's own subclass of a non-visual control (Window1.Timer1): the framework
// tells it its owner window and control index when it is added.
class _PaneChild {
  public:
    virtual ~_PaneChild() = default;
    virtual void setPane(fw::Window* owner, int32_t controlIndex) = 0;
    virtual fw::Window* pane() const = 0;
    virtual int32_t paneIndex() const = 0;
};

// A window's own subclass of a non-visual control class: keeps its owner weakly, and its index.
template <class Base> class PaneChildControl : public Base, public _PaneChild {
  public:
    void setPane(fw::Window* owner, int32_t controlIndex) override {
        owner_ = WeakRef<fw::Window>(owner);
        index_ = controlIndex;
    }
    fw::Window* pane() const override { return owner_.lock().get(); }
    int32_t paneIndex() const override { return index_; }

  private:
    WeakRef<fw::Window> owner_;
    int32_t index_ = -1;
};

} // namespace fw
