// One control of a window's creation pass: made for the window, added under its name, looked up
// again by name, given what its record cannot carry, then its record.
#pragma once

#include <type_traits>

#include "framework/Properties.h"
#include "framework/RectControl.h"
#include "framework/Window.h"

namespace ambrel {

// `beforeRecord` sets what the record cannot carry; without one, a control with text gets the
// framework's default text unit.
template <class C>
fw::Ref<C> addControl(fw::Window& window, const char* name, const fw::String& record,
                      void (*beforeRecord)(C&) = nullptr) {
    window._AddControl(name, window.__New<C>());
    fw::Ref<C> control = fw::checkCast<C>(window._ControlByName(name));
    if (!control)
        throw fw::NilObjectException();
    if (beforeRecord)
        beforeRecord(*control);
    else if constexpr (std::is_base_of_v<fw::TextControl, C>)
        control->setTextUnit(fw::FontUnits::Default);
    fw::_SetProperties(*control, record);
    return control;
}

// The getter every control has: the window's control of that name as its class, nil when absent.
template <class C> fw::Ref<C> controlNamed(const fw::Window& window, const char* name) {
    return fw::checkCast<C>(window._ControlByName(name));
}

} // namespace ambrel
