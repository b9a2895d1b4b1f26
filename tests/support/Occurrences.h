// How often a part stands in a text, without overlaps: a message told once, a line printed twice.
#pragma once

#include <cstddef>
#include <string>

inline std::size_t countOf(const std::string& text, const std::string& part) {
    std::size_t n = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + part.size()))
        ++n;
    return n;
}
