#include "framework/Utf8.h"

namespace fw::utf8 {

namespace {
bool isContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}
} // namespace

Decoded decode(std::string_view text, std::size_t position) {
    const auto lead = static_cast<unsigned char>(text[position]);
    const Decoded single{lead, 1, false};
    if (lead < 0x80)
        return {lead, 1, true};

    std::size_t length;
    char32_t codePoint;
    char32_t smallest; // below it the sequence is an overlong encoding
    if ((lead & 0xE0) == 0xC0) {
        length = 2, codePoint = lead & 0x1F, smallest = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, codePoint = lead & 0x0F, smallest = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, codePoint = lead & 0x07, smallest = 0x10000;
    } else {
        return single;
    }
    if (text.size() - position < length)
        return single;
    for (std::size_t i = 1; i < length; ++i) {
        const auto byte = static_cast<unsigned char>(text[position + i]);
        if (!isContinuation(byte))
            return single;
        codePoint = (codePoint << 6) | (byte & 0x3F);
    }
    if (codePoint < smallest || codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF))
        return single;
    return {codePoint, length, true};
}

bool append(std::string& out, char32_t codePoint) {
    if (codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF))
        return false;
    auto put = [&](char32_t bits) { out.push_back(static_cast<char>(bits)); };
    if (codePoint < 0x80) {
        put(codePoint);
    } else if (codePoint < 0x800) {
        put(0xC0 | (codePoint >> 6));
        put(0x80 | (codePoint & 0x3F));
    } else if (codePoint < 0x10000) {
        put(0xE0 | (codePoint >> 12));
        put(0x80 | ((codePoint >> 6) & 0x3F));
        put(0x80 | (codePoint & 0x3F));
    } else {
        put(0xF0 | (codePoint >> 18));
        put(0x80 | ((codePoint >> 12) & 0x3F));
        put(0x80 | ((codePoint >> 6) & 0x3F));
        put(0x80 | (codePoint & 0x3F));
    }
    return true;
}

} // namespace fw::utf8
