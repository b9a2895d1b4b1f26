#include "framework/Value.h"

#include <iterator>
#include <string>

namespace fw {

namespace {

// The kinds in the order of Value::Storage, as messages name them.
constexpr const char* kindNames[] = {"nothing", "an Integer", "a Boolean", "a Double",
                                     "a Color", "a String",   "an Object", "a Pointer"};
static_assert(std::size(kindNames) == std::variant_size_v<Value::Storage>);

template <class T> const T& expect(const Value::Storage& v, const char* wanted) {
    if (const T* p = std::get_if<T>(&v))
        return *p;
    throw RuntimeException(std::string("A value holding ") + kindNames[v.index()] + " was used as " + wanted +
                           ".");
}

} // namespace

int32_t Value::asInteger() const {
    return expect<int32_t>(v_, "an Integer");
}

bool Value::asBoolean() const {
    return expect<bool>(v_, "a Boolean");
}

double Value::asDouble() const {
    if (const int32_t* i = std::get_if<int32_t>(&v_))
        return *i;
    return expect<double>(v_, "a Double");
}

Color Value::asColor() const {
    return expect<Color>(v_, "a Color");
}

// Nothing reads as the empty text and as nil, the absent string and object.
String Value::asString() const {
    if (std::holds_alternative<std::monostate>(v_))
        return String();
    return expect<String>(v_, "a String");
}

Ref<Object> Value::asObject() const {
    if (std::holds_alternative<std::monostate>(v_))
        return nullptr;
    return expect<Ref<Object>>(v_, "an Object");
}

void* Value::asPointer() const {
    if (std::holds_alternative<std::monostate>(v_))
        return nullptr;
    return expect<void*>(v_, "a Pointer");
}

} // namespace fw
