// What a plug-in method's declaration string says of the function behind it. The plug-in
// interface passes the object first, then each declared parameter: an "integer" as a 32-bit
// signed value, a "boolean" as one byte; no method returns a value. The host and the program read
// a declaration alike, so that the stand-in the host gives for a missing function has the very
// type the program calls it by.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <type_traits>
#include <utility>

#include "framework/PluginInterface.h"

namespace fw {

// The most parameters a declaration may have; the program's methods take at most four.
inline constexpr int kMaxPluginParameters = 4;

struct PluginSignature {
    bool known = false; // the declaration has parameters of the two kinds only, and no result
    int count = 0;
    char kinds[kMaxPluginParameters] = {}; // 'i' for an integer, 'b' for a boolean
};

namespace detail {
constexpr std::string_view trimmedBlanks(std::string_view text) {
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    return text;
}
} // namespace detail

// "MouseMove(globalx as integer,globaly as integer)" gives two integers; "Press" and
// "TolvaneVrek.__init" give none.
constexpr PluginSignature pluginSignature(std::string_view declaration) {
    PluginSignature signature;
    const std::size_t open = declaration.find('(');
    if (open == std::string_view::npos) {
        signature.known = declaration.find(' ') == std::string_view::npos;
        return signature;
    }
    if (declaration.back() != ')')
        return signature;
    std::string_view rest = declaration.substr(open + 1, declaration.size() - open - 2);
    if (detail::trimmedBlanks(rest).empty()) {
        signature.known = true;
        return signature;
    }
    for (;;) {
        const std::size_t comma = rest.find(',');
        const std::string_view parameter = rest.substr(0, comma);
        const std::size_t as = parameter.rfind(" as ");
        if (as == std::string_view::npos || signature.count == kMaxPluginParameters)
            return PluginSignature{};
        const std::string_view type = detail::trimmedBlanks(parameter.substr(as + 4));
        const char kind = type == "integer" ? 'i' : type == "boolean" ? 'b' : '\0';
        if (!kind)
            return PluginSignature{};
        signature.kinds[signature.count++] = kind;
        if (comma == std::string_view::npos)
            break;
        rest.remove_prefix(comma + 1);
    }
    signature.known = true;
    return signature;
}

// The C type of a parameter of that kind.
template <char Kind> using PluginParameter = std::conditional_t<Kind == 'i', int32_t, RBBoolean>;

// What the host calls where nothing was registered: nothing happens.
template <class... Parameters> void missingPluginFunction(REALobject, Parameters...) {}

namespace detail {
template <PluginSignature S, std::size_t... I> constexpr auto standInFor(std::index_sequence<I...>) {
    return &missingPluginFunction<PluginParameter<S.kinds[I]>...>;
}
} // namespace detail

// The function a declaration stands for, as a pointer type, and the host's stand-in of that type.
template <PluginSignature S>
inline constexpr auto kMissingPluginFunction = detail::standInFor<S>(std::make_index_sequence<S.count>());
template <PluginSignature S>
requires(S.known) using PluginFunction = decltype(kMissingPluginFunction<S>);

// The stand-in for the declaration, or null when the declaration gives no function the host can
// stand in for (a result, a parameter of another type, too many parameters).
void* missingPluginFunctionFor(std::string_view declaration);

} // namespace fw
