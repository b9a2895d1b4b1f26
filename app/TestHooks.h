// The program's test hooks: what the binding's tests read of the plug-in's entry points. The
// program never includes this header; only the tests, the benchmarks and the file that keeps the
// table do (tests/TestHooksIncluded.cmake holds that).
#pragma once

namespace ambrel {

// The entry-point table itself, as _InitPluginEntrypoints filled it; null before.
void** pluginEntrypoints();
// Whether the plug-in's dependencies were initialised.
bool didInitializePluginDependencies();

} // namespace ambrel
