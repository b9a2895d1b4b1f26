#pragma once

#include <string>
#include <string_view>

namespace fw::detail {

// The SHA-256 of the bytes, as 64 lower-case hexadecimal digits.
std::string sha256Hex(std::string_view bytes);
// The MD5 of the bytes, as its 16 raw bytes.
std::string md5Bytes(std::string_view bytes);
// The bytes in Base64, on one line.
std::string base64(std::string_view bytes);

} // namespace fw::detail
