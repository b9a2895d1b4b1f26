// A value as property records, introspection and event arguments carry it.
#pragma once

#include <concepts>
#include <cstdint>
#include <variant>

#include "framework/Object.h"
#include "framework/String.h"

namespace fw {

struct Color {
    uint8_t red = 0, green = 0, blue = 0;
    bool operator==(const Color&) const = default;
};

constexpr Color RGB(int r, int g, int b) {
    return Color{static_cast<uint8_t>(r), static_cast<uint8_t>(g), static_cast<uint8_t>(b)};
}

class Value {
  public:
    using Storage = std::variant<std::monostate, int32_t, bool, double, Color, String, Ref<Object>, void*>;

    Value() = default;
    Value(int32_t v) : v_(v) {}
    Value(bool v) : v_(v) {}
    Value(double v) : v_(v) {}
    Value(Color v) : v_(v) {}
    Value(String v) : v_(std::move(v)) {}
    Value(const char* v) : v_(String(v)) {}
    Value(Ref<Object> v) : v_(std::move(v)) {}
    template <class T> Value(const Ref<T>& v) : v_(Ref<Object>(v)) {}
    // An object given by its address is still an object, not a raw address.
    template <class T>
    requires std::derived_from<T, Object> Value(T* v) : v_(Ref<Object>(v)) {}
    // A raw address ("Ptr"), as the runtime's exception helper takes its arguments.
    Value(void* v) : v_(v) {}

    // Each raises RuntimeException when the value holds another kind.
    int32_t asInteger() const;
    bool asBoolean() const;
    double asDouble() const;
    Color asColor() const;
    String asString() const;
    Ref<Object> asObject() const;
    void* asPointer() const;
    template <class T> Ref<T> as() const { return checkCast<T>(asObject()); }
    // The value as a handler parameter of type T (an object parameter is a plain pointer).
    template <class T> T get() const;

    const Storage& storage() const { return v_; }

  private:
    Storage v_;
};

namespace detail {
template <class T> struct ValueGet;
template <> struct ValueGet<int32_t> {
    static int32_t get(const Value& v) { return v.asInteger(); }
};
template <> struct ValueGet<bool> {
    static bool get(const Value& v) { return v.asBoolean(); }
};
template <> struct ValueGet<double> {
    static double get(const Value& v) { return v.asDouble(); }
};
template <> struct ValueGet<String> {
    static String get(const Value& v) { return v.asString(); }
};
template <> struct ValueGet<Color> {
    static Color get(const Value& v) { return v.asColor(); }
};
template <class T> struct ValueGet<T*> {
    // The argument list holds the reference for the duration of the call.
    static T* get(const Value& v) { return v.as<T>().get(); }
};
} // namespace detail

template <class T> T Value::get() const {
    return detail::ValueGet<T>::get(*this);
}

} // namespace fw
