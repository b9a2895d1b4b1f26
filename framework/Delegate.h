// Delegates: a function bound to an optional target object, with the signature text that names
// the parameters it takes, such as "( PopupMenu )" or "(  ) as Boolean".
#pragma once

#include <functional>
#include <span>
#include <utility>

#include "framework/Object.h"
#include "framework/String.h"
#include "framework/Value.h"

namespace fw {

using Arguments = std::span<const Value>;

class Delegate : public Registered<Delegate, Object> {
  public:
    // Calls the function with the target (nil when the delegate has none) and the arguments.
    using Invoker = std::function<Value(Object* target, Arguments args)>;

    static ClassRecord describe();

    // weakTarget: hold the target weakly; a call after it has gone raises NilObjectException.
    Delegate(Invoker invoker, Object* target, String signature, bool weakTarget);

    Value invoke(Arguments args) const;
    Value invoke(std::initializer_list<Value> args) const {
        return invoke(Arguments(args.begin(), args.size()));
    }
    const String& signature() const { return signature_; }
    bool holdsTargetWeakly() const { return weak_; }

  private:
    Invoker invoker_;
    Ref<Object> strongTarget_;
    WeakRef<Object> weakTarget_;
    bool weak_;
    bool hasTarget_;
    String signature_;
};

Ref<Delegate> RuntimeCreateDelegate(Delegate::Invoker invoker, Object* target, const String& signature,
                                    bool weakTarget);

namespace detail {
template <class W, class C, class... A, std::size_t... I>
void callHandler(W& self, void (W::*method)(C*, A...), Arguments args, std::index_sequence<I...>) {
    if (args.size() != 1 + sizeof...(A))
        throw RuntimeException("An event passed the wrong number of arguments to its handler.");
    (self.*method)(args[0].template get<C*>(), args[I + 1].template get<A>()...);
}
} // namespace detail

// A delegate of a handler method W::m(C*, ...) for a control event: the control comes first among
// the arguments, the event's own arguments after it.
template <class W, class C, class... A>
Ref<Delegate> methodDelegate(void (W::*method)(C*, A...), W* target, const String& signature,
                             bool weakTarget) {
    return RuntimeCreateDelegate(
        [method](Object* t, Arguments args) -> Value {
            Ref<W> self = checkCast<W>(t);
            detail::callHandler(*self, method, args, std::index_sequence_for<A...>());
            return Value();
        },
        target, signature, weakTarget);
}

// A delegate of a menu handler W::m() returning true when it handled the command.
template <class W>
Ref<Delegate> methodDelegate(bool (W::*method)(), W* target, const String& signature, bool weakTarget) {
    return RuntimeCreateDelegate(
        [method](Object* t, Arguments) -> Value {
            Ref<W> self = checkCast<W>(t);
            return Value((self.get()->*method)());
        },
        target, signature, weakTarget);
}

// A delegate of a plain function without a target, such as the late start-up entry.
Ref<Delegate> functionDelegate(void (*function)(), const String& signature);

} // namespace fw
