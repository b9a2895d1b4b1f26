// A plug-in's information list, read as the XML property list it is.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace fw::detail {

// The text of each plain value (string, integer, real, date, data) of the list's top-level
// dictionary, by key. Nothing when the text is no well-formed property list, with the reason in
// `problem`.
std::optional<std::map<std::string, std::string>> readPropertyList(std::string_view xml,
                                                                   std::string& problem);

} // namespace fw::detail
