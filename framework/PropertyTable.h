// Builders for the property tables of the framework's own classes: one line per property, read from
// a field or a getter and written through a setter or to the field followed by a refresh.
#pragma once

#include <type_traits>
#include <vector>

#include "framework/Object.h"
#include "framework/Value.h"

namespace fw::detail {

template <class T> struct PropertyKind;
template <> struct PropertyKind<int32_t> {
    static constexpr PropertyType type = PropertyType::Integer;
    static constexpr const char* code = "i4";
};
template <> struct PropertyKind<bool> {
    static constexpr PropertyType type = PropertyType::Boolean;
    static constexpr const char* code = "b";
};
template <> struct PropertyKind<Color> {
    static constexpr PropertyType type = PropertyType::Color;
    static constexpr const char* code = "c";
};
template <> struct PropertyKind<String> {
    static constexpr PropertyType type = PropertyType::String;
    static constexpr const char* code = "s";
};

template <class T> PropertyInfo describe(const char* name) {
    PropertyInfo info;
    info.name = name;
    info.typeCode = PropertyKind<T>::code;
    info.type = PropertyKind<T>::type;
    return info;
}

// A property kept in a field; after a write, `refresh` (when given) shows the new value.
template <class C, class T, class R = C>
PropertyInfo field(const char* name, T C::*member, void (R::*refresh)() = nullptr) {
    static_assert(std::is_base_of_v<R, C>, "the refresh belongs to another class");
    PropertyInfo info = describe<T>(name);
    info.set = [member, refresh](Object& o, const Value& v) {
        C& target = static_cast<C&>(o);
        target.*member = v.get<T>();
        if (refresh)
            (target.*refresh)();
    };
    info.get = [member](const Object& o) { return Value(static_cast<const C&>(o).*member); };
    return info;
}

// A property read through a getter and written through a setter.
template <class C, class G, class S>
PropertyInfo accessor(const char* name, G (C::*getter)() const, void (C::*setter)(S)) {
    using T = std::remove_cvref_t<S>;
    static_assert(std::is_same_v<std::remove_cvref_t<G>, T>, "getter and setter disagree on the type");
    PropertyInfo info = describe<T>(name);
    info.set = [setter](Object& o, const Value& v) { (static_cast<C&>(o).*setter)(v.get<T>()); };
    info.get = [getter](const Object& o) { return Value((static_cast<const C&>(o).*getter)()); };
    return info;
}

// The record of one of the framework's classes: a class that can be made gets its factory.
template <class C>
ClassRecord classOf(const char* name, const ClassRecord& super, std::vector<PropertyInfo> properties = {}) {
    ClassRecord record{
        .name = name, .super = &super, .instanceSize = sizeof(C), .properties = std::move(properties)};
    if constexpr (!std::is_abstract_v<C>)
        record.create = factoryOf<C>();
    return record;
}

} // namespace fw::detail
