#include "framework/PluginDeclaration.h"

#include <map>
#include <string>

namespace fw {

namespace {

// One stand-in for each list of up to kMaxPluginParameters kinds, by its kinds ("ib").
template <class... Parameters>
void addStandIns(std::map<std::string, void*>& standIns, const std::string& kinds) {
    standIns[kinds] = reinterpret_cast<void*>(&missingPluginFunction<Parameters...>);
    if constexpr (sizeof...(Parameters) < kMaxPluginParameters) {
        addStandIns<Parameters..., PluginParameter<'i'>>(standIns, kinds + 'i');
        addStandIns<Parameters..., PluginParameter<'b'>>(standIns, kinds + 'b');
    }
}

const std::map<std::string, void*>& standIns() {
    static const std::map<std::string, void*> made = [] {
        std::map<std::string, void*> standIns;
        addStandIns<>(standIns, "");
        return standIns;
    }();
    return made;
}

} // namespace

void* missingPluginFunctionFor(std::string_view declaration) {
    const PluginSignature signature = pluginSignature(declaration);
    if (!signature.known)
        return nullptr;
    return standIns().at(std::string(signature.kinds, static_cast<std::size_t>(signature.count)));
}

} // namespace fw
