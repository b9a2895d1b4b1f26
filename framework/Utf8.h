// UTF-8 stepping and encoding for the text functions and letter-case comparison.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace fw::utf8 {

// One character at a byte position. A malformed sequence counts as one character of one byte
// (valid false), so that any byte string can be walked and nothing is lost.
struct Decoded {
    char32_t codePoint;
    std::size_t length;
    bool valid;
};

Decoded decode(std::string_view text, std::size_t position);

// Appends the encoding of a code point; false (nothing appended) for a surrogate or a value
// beyond U+10FFFF.
bool append(std::string& out, char32_t codePoint);

} // namespace fw::utf8
