// What every plug-in slot of the program's table holds when nothing registered its declaration:
// the host's stand-in of the very type the program calls the slot by, which does nothing.
#pragma once

#include <utility>

#include <gtest/gtest.h>

#include "app/TolvaneVrek.h"
#include "framework/PluginHost.h"

namespace standins {

template <class... P> void callWithZeros(void (*function)(REALobject, P...)) {
    function(nullptr, P{}...);
}

template <ambrel::PluginEntrypoint Slot> void expectStandIn(void* bound) {
    constexpr fw::PluginSignature signature =
        fw::pluginSignature(ambrel::kPluginEntrypointDeclarations[Slot]);
    using Function = ambrel::SlotFunction<Slot>;
    const Function standIn = fw::kMissingPluginFunction<signature>;
    EXPECT_EQ(bound, reinterpret_cast<void*>(standIn)) << ambrel::kPluginEntrypointDeclarations[Slot];
    if (bound == reinterpret_cast<void*>(standIn))
        callWithZeros(reinterpret_cast<Function>(bound));
}

// `bound(slot)` is what the slot holds, for the slots of the plug-in class (all but the first two,
// the framework's own).
template <class Bound, std::size_t... I> void expectStandIns(Bound bound, std::index_sequence<I...>) {
    (expectStandIn<static_cast<ambrel::PluginEntrypoint>(ambrel::kInitSlot + I)>(
         bound(static_cast<ambrel::PluginEntrypoint>(ambrel::kInitSlot + I))),
     ...);
}
template <class Bound> void expectStandIns(Bound bound) {
    expectStandIns(bound, std::make_index_sequence<ambrel::kPluginEntrypointCount - ambrel::kInitSlot>());
}

} // namespace standins
