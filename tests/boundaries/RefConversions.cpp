// Compiled once for each case by the boundaries checks: the upcasts compile, each downcast must not
// (a downcast goes through checkCast, which tests the class).
#include "framework/Object.h"

namespace boundaries {

struct Base : fw::Object {};
struct Derived : Base {};

void convert(const fw::Ref<Base>& base, const fw::Ref<Derived>& derived) {
#if defined(UPCASTS)
    fw::Ref<Base> initialised = derived;
    fw::Ref<fw::Object> direct(derived);
    fw::Ref<Base> assigned;
    assigned = derived;
    fw::WeakRef<Base> weak(derived);
    (void)base;
#elif defined(DOWNCAST_INITIALISED)
    fw::Ref<Derived> initialised = base;
#elif defined(DOWNCAST_DIRECT)
    fw::Ref<Derived> direct(base);
#elif defined(DOWNCAST_ASSIGNED)
    fw::Ref<Derived> assigned;
    assigned = base;
#elif defined(DOWNCAST_WEAK)
    fw::WeakRef<Derived> weak(base);
#endif
    (void)derived;
}

} // namespace boundaries
