#include "framework/Delegate.h"

namespace fw {

ClassRecord Delegate::describe() {
    return {.name = "Delegate", .super = &Object::Class()};
}

Delegate::Delegate(Invoker invoker, Object* target, String signature, bool weakTarget)
    : invoker_(std::move(invoker)), weak_(weakTarget), hasTarget_(target != nullptr),
      signature_(std::move(signature)) {
    if (weak_)
        weakTarget_ = WeakRef<Object>(target);
    else
        strongTarget_ = Ref<Object>(target);
}

Value Delegate::invoke(Arguments args) const {
    if (!invoker_)
        throw RuntimeException("A delegate without a function was called.");
    // Protectors: a handler may drop the last reference to this delegate or to its target (a
    // handler that closes its own window); both must outlive the call.
    Ref<Delegate> self = refCount() > 0 ? Ref<Delegate>(const_cast<Delegate*>(this)) : nullptr;
    Ref<Object> target = weak_ ? weakTarget_.lock() : strongTarget_;
    if (weak_ && hasTarget_ && !target)
        throw NilObjectException();
    return invoker_(target.get(), args);
}

Ref<Delegate> RuntimeCreateDelegate(Delegate::Invoker invoker, Object* target, const String& signature,
                                    bool weakTarget) {
    return make<Delegate>(std::move(invoker), target, signature, weakTarget);
}

Ref<Delegate> functionDelegate(void (*function)(), const String& signature) {
    return RuntimeCreateDelegate(
        [function](Object*, Arguments) -> Value {
            if (!function)
                throw NilObjectException();
            function();
            return Value();
        },
        nullptr, signature, false);
}

} // namespace fw
