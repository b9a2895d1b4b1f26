#include "framework/InternetHeaders.h"

#include "framework/PropertyTable.h"

namespace fw {

const ClassRecord& InternetHeaders::Class() {
    static const ClassRecord& record =
        registerClass(detail::classOf<InternetHeaders>("InternetHeaders", Object::Class()));
    return record;
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
