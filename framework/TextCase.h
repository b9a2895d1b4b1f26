// Letter-case-blind comparison of UTF-8 texts, shared by strings, property names and menu names.
#pragma once

#include <string>
#include <string_view>

namespace fw {

bool equalsIgnoringCase(std::string_view a, std::string_view b);
std::string toLowerUtf8(std::string_view text);

} // namespace fw
