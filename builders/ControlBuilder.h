// A window's controls as a table: one row per control, in creation order. Each is made for the
// window, added under its name, looked up again by name, given what its record cannot carry, then
// its record, and then its events are bound.
#pragma once

#include <span>

#include "framework/Control.h"
#include "framework/Delegate.h"
#include "framework/Properties.h"
#include "framework/RectControl.h"
#include "framework/TextArea.h"
#include "framework/Window.h"

namespace ambrel {

template <class W> struct ControlRow {
    const char* name;
    const fw::ClassRecord& (*cls)();
    const fw::String& (*record)();
    // Binds the events the window handles on the control, in order; nil for none.
    void (*bind)(W& window, fw::Control& control) = nullptr;
    // Set before the record, in this order, where the layout gives them (0: none).
    float textSize = 0;
    double lineSpacing = 0;
    // The framework's default text unit, which every control with text gets unless told not to.
    bool textUnit = true;
};

template <class W> void createControls(W& window, std::span<const ControlRow<W>> rows) {
    for (const ControlRow<W>& row : rows) {
        window._AddControl(row.name, fw::checkCast<fw::Control>(window.__New(row.cls())));
        fw::Ref<fw::Control> control = fw::checkCast<fw::Control>(window._ControlByName(row.name));
        if (control->isA(fw::TextControl::Class())) {
            fw::Ref<fw::TextControl> text = fw::checkCast<fw::TextControl>(control);
            if (row.textSize > 0)
                text->setTextSize(row.textSize);
            if (row.lineSpacing > 0)
                fw::checkCast<fw::TextArea>(control)->setLineSpacing(row.lineSpacing);
            if (row.textUnit)
                text->setTextUnit(fw::FontUnits::Default);
        }
        fw::_SetProperties(*control, row.record());
        if (row.bind)
            row.bind(window, *control);
    }
}

// Binds one event of a control to the window's handler, naming the event once. The delegate holds
// the window weakly: an event that comes after the window has gone reaches no handler.
template <class W, class Handler>
void bindEvent(fw::Control& control, fw::EventNumber event, W& window, Handler handler,
               const char* signature) {
    fw::RuntimeAddEventHandler(control, event, fw::_EventStub(event),
                               fw::methodDelegate(handler, &window, signature, true));
}

// The getter every control has: the window's control of that name as its class, nil when absent.
template <class C> fw::Ref<C> controlNamed(const fw::Window& window, const char* name) {
    return fw::checkCast<C>(window._ControlByName(name));
}

} // namespace ambrel
