// Unicode's case mappings of one character, for the framework's case-insensitive text.
#pragma once

namespace fw::detail {

char32_t caseFolded(char32_t c);
char32_t lowerCased(char32_t c);

} // namespace fw::detail
