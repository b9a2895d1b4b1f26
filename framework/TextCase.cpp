#include "framework/TextCase.h"

#include <algorithm>

#include "framework/Utf8.h"
#include "framework/qt/CaseMap.h"

namespace fw {

namespace {

bool isAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

char asciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Lowers ASCII letters and maps every other character through `map`; malformed bytes pass through
// unchanged, so no text is lost.
template <class Map> std::string mapCharacters(std::string_view text, Map map) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const utf8::Decoded d = utf8::decode(text, i);
        if (d.valid && d.codePoint < 0x80)
            out.push_back(asciiLower(text[i]));
        else if (!d.valid || !utf8::append(out, map(d.codePoint)))
            out.append(text.substr(i, d.length));
        i += d.length;
    }
    return out;
}

} // namespace

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    if (isAscii(a) && isAscii(b))
        return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                          [](char x, char y) { return asciiLower(x) == asciiLower(y); });
    // Case folding is the form meant for comparing: it also unites letters that lowering keeps
    // apart, such as the final and the medial sigma.
    auto fold = [](std::string_view text) { return mapCharacters(text, detail::caseFolded); };
    return fold(a) == fold(b);
}

std::string toLowerUtf8(std::string_view text) {
    return mapCharacters(text, detail::lowerCased);
}

} // namespace fw
