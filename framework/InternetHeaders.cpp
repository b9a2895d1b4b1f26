#include "framework/InternetHeaders.h"

#include "framework/PropertyTable.h"

namespace fw {

ClassRecord InternetHeaders::describe() {
    return detail::classOf<InternetHeaders>("InternetHeaders", Object::Class());
}

void InternetHeaders::AppendHeader(const String& name, const String& value) {
    lines_.emplace_back(name, value);
}

String InternetHeaders::Value(const String& name) const {
    for (const auto& [n, v] : lines_)
        if (n == name)
            return v;
    return String();
}

} // namespace fw
